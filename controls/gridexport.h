#pragma once
// Writes a grid's rows to an Excel workbook (xlsx): a header row with the captions, then every row
// that passes the filters in the view's order (groups expanded, with their group and footer rows),
// cells keeping their types: numbers as numbers (with the field's display format), dates as dates,
// flags of check-box columns as booleans, everything else as text.

#include <QString>
#include <vector>

namespace b2b {

class GridModel;

struct ExportColumn {
    int column = 0;     // model column
    int pixelWidth = 0; // on-screen width, turned into a spreadsheet column width
};

bool writeGridWorkbook(const GridModel &model, const std::vector<ExportColumn> &columns, const QString &path,
                       QString *error);

// Excel number format for a display pattern ("#,###,##0.00" stays as it is; empty -> General).
QString excelNumberFormat(const QString &displayFormat);

} // namespace b2b
