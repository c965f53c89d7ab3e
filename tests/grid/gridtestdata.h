#pragma once
// Small tables for the grid tests: fields with kinds, rows as lists of values (invalid = null).

#include "recordset.h"

#include <QVariant>
#include <initializer_list>
#include <utility>
#include <vector>

namespace b2b::test {

inline TableData makeTable(std::initializer_list<std::pair<const char *, FieldKind>> fields,
                           std::initializer_list<std::vector<QVariant>> rows) {
    TableData t;
    for (const auto &[name, kind] : fields) {
        FieldDef d;
        d.name = QString::fromUtf8(name);
        d.kind = kind;
        t.addColumn(d);
    }
    for (const std::vector<QVariant> &row : rows) {
        for (size_t c = 0; c < t.columns.size(); ++c) {
            Column &col = t.columns[c];
            const QVariant v = c < row.size() ? row[c] : QVariant();
            if (!v.isValid()) col.appendNull();
            else if (col.store() == Column::Store::Int) col.appendInt(v.toLongLong());
            else if (col.store() == Column::Store::Real) {
                if (v.typeId() == QMetaType::QDate) col.appendReal(dateTimeToDays(v.toDate().startOfDay()));
                else if (v.typeId() == QMetaType::QDateTime) col.appendReal(dateTimeToDays(v.toDateTime()));
                else col.appendReal(v.toDouble());
            } else if (col.store() == Column::Store::Blob) col.appendBlob(v.toByteArray());
            else col.appendText(v.toString());
        }
        ++t.rowCount;
    }
    return t;
}

} // namespace b2b::test
