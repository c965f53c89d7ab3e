#include "gridexport.h"

#include "gridmodel.h"
#include "recordset.h"

#include <QDateTime>
#include <QHash>
#include <cmath>

#ifdef B2B_HAVE_XLSXWRITER
#include <xlsxwriter.h>
#endif

namespace b2b {

QString excelNumberFormat(const QString &displayFormat) { return displayFormat; }

#ifdef B2B_HAVE_XLSXWRITER

namespace {

class Writer {
public:
    Writer(lxw_workbook *wb, lxw_worksheet *ws) : wb_(wb), ws_(ws) {}

    lxw_format *format(const QString &numFormat, bool bold = false) {
        const QString key = numFormat + (bold ? QStringLiteral("|b") : QString());
        auto it = formats_.constFind(key);
        if (it != formats_.constEnd()) return *it;
        lxw_format *f = workbook_add_format(wb_);
        if (!numFormat.isEmpty()) format_set_num_format(f, numFormat.toUtf8().constData());
        if (bold) format_set_bold(f);
        formats_.insert(key, f);
        return f;
    }

    lxw_error text(lxw_row_t r, lxw_col_t c, const QString &s, lxw_format *f = nullptr) {
        if (s.isEmpty()) return LXW_NO_ERROR;
        // A cell holds at most 32767 characters.
        const QByteArray utf8 = (s.size() > 32767 ? s.left(32767) : s).toUtf8();
        return worksheet_write_string(ws_, r, c, utf8.constData(), f);
    }

    lxw_error number(lxw_row_t r, lxw_col_t c, double v, lxw_format *f = nullptr) {
        if (!std::isfinite(v)) return text(r, c, QString::number(v), f);
        return worksheet_write_number(ws_, r, c, v, f);
    }

    lxw_error dateTime(lxw_row_t r, lxw_col_t c, const QDateTime &dt, const QString &fmt) {
        if (!dt.isValid()) return LXW_NO_ERROR;
        lxw_datetime d{};
        d.year = dt.date().year();
        d.month = dt.date().month();
        d.day = dt.date().day();
        d.hour = dt.time().hour();
        d.min = dt.time().minute();
        d.sec = dt.time().second() + dt.time().msec() / 1000.0;
        return worksheet_write_datetime(ws_, r, c, &d, format(fmt));
    }

    lxw_error boolean(lxw_row_t r, lxw_col_t c, bool v) { return worksheet_write_boolean(ws_, r, c, v ? 1 : 0, nullptr); }

private:
    lxw_workbook *wb_;
    lxw_worksheet *ws_;
    QHash<QString, lxw_format *> formats_;
};

QString errorText(lxw_error e) { return QString::fromUtf8(lxw_strerror(e)); }

} // namespace

bool writeGridWorkbook(const GridModel &model, const std::vector<ExportColumn> &columns, const QString &path,
                       QString *error) {
    const QByteArray file = path.toLocal8Bit();
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    lxw_workbook *wb = workbook_new_opt(file.constData(), &options);
    if (!wb) {
        if (error) *error = QStringLiteral("%1: cannot create the workbook").arg(path);
        return false;
    }
    lxw_worksheet *ws = workbook_add_worksheet(wb, nullptr);
    Writer w(wb, ws);
    lxw_error first = LXW_NO_ERROR;
    auto keep = [&](lxw_error e) {
        if (e != LXW_NO_ERROR && first == LXW_NO_ERROR) first = e;
    };

    const RecordSet *rs = model.recordSet();
    lxw_format *bold = w.format(QString(), true);
    for (size_t i = 0; i < columns.size(); ++i) {
        const ColumnSpec &cs = model.columnSpec(columns[i].column);
        keep(w.text(0, lxw_col_t(i), cs.headerText(), bold));
        const double chars = columns[i].pixelWidth > 0 ? columns[i].pixelWidth / 7.0 : 12.0;
        worksheet_set_column(ws, lxw_col_t(i), lxw_col_t(i), std::min(chars, 100.0), nullptr);
    }
    lxw_row_t row = 1;

    auto writeRecord = [&](int rec) {
        for (size_t i = 0; i < columns.size(); ++i) {
            const int column = columns[i].column;
            const ColumnSpec &cs = model.columnSpec(column);
            const int f = model.fieldIndex(column);
            const lxw_col_t c = lxw_col_t(i);
            if (f < 0 || !rs || rs->Data().isNull(rec, f)) continue;
            switch (cs.kind) {
            case CellKind::Picture:
            case CellKind::Custom: continue;
            case CellKind::Icon: keep(w.text(row, c, model.displayText(rec, column))); continue;
            case CellKind::CheckBox: keep(w.boolean(row, c, rs->Value(rec, f).toInt() == 1)); continue;
            default: break;
            }
            const Column &col = rs->Data().columns[size_t(f)];
            switch (col.def.kind) {
            case FieldKind::Integer:
            case FieldKind::LargeInt:
                keep(w.number(row, c, double(col.ints[size_t(rec)]),
                              col.displayFormat.isEmpty() ? nullptr : w.format(excelNumberFormat(col.displayFormat))));
                break;
            case FieldKind::Float:
            case FieldKind::Currency:
            case FieldKind::Bcd:
                keep(w.number(row, c, col.reals[size_t(rec)],
                              col.displayFormat.isEmpty() ? nullptr : w.format(excelNumberFormat(col.displayFormat))));
                break;
            case FieldKind::Boolean: keep(w.boolean(row, c, col.ints[size_t(rec)] != 0)); break;
            case FieldKind::Date:
                keep(w.dateTime(row, c, daysToDateTime(col.reals[size_t(rec)]), QStringLiteral("dd.mm.yyyy")));
                break;
            case FieldKind::Time:
                keep(w.dateTime(row, c, daysToDateTime(col.reals[size_t(rec)]), QStringLiteral("hh:mm:ss")));
                break;
            case FieldKind::DateTime: {
                const QDateTime dt = daysToDateTime(col.reals[size_t(rec)]);
                keep(w.dateTime(row, c, dt,
                                dt.time() == QTime(0, 0) ? QStringLiteral("dd.mm.yyyy") : QStringLiteral("dd.mm.yyyy hh:mm:ss")));
                break;
            }
            case FieldKind::Text: keep(w.text(row, c, col.texts[size_t(rec)])); break;
            case FieldKind::Blob: break;
            }
        }
        ++row;
    };

    auto writeSummaryRow = [&](auto valueOf) {
        bool any = false;
        for (size_t i = 0; i < columns.size(); ++i) {
            const QVariant v = valueOf(columns[i].column);
            if (!v.isValid()) continue;
            any = true;
            const int f = model.fieldIndex(columns[i].column);
            QString fmt;
            if (f >= 0 && rs) fmt = rs->Data().columns[size_t(f)].displayFormat;
            if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) fmt.clear(); // counts
            keep(w.number(row, lxw_col_t(i), v.toDouble(), w.format(excelNumberFormat(fmt), true)));
        }
        if (any) ++row;
    };

    if (model.groupCount() > 0) {
        const auto gcols = model.groupSummaryColumns();
        for (int g = 0; g < model.groupCount(); ++g) {
            keep(w.text(row, 0, model.groupText(g), bold));
            ++row;
            const int *recs = model.groupRecords(g);
            for (int i = 0; i < model.groupRecordCount(g); ++i) writeRecord(recs[i]);
            if (!gcols.empty())
                writeSummaryRow([&](int column) { return model.groupFooterValue(g, column); });
        }
    } else {
        for (int rec : model.filteredRecords()) writeRecord(rec);
    }
    if (model.layout().footer) writeSummaryRow([&](int column) { return model.footerValue(column); });

    const lxw_error closed = workbook_close(wb);
    if (first == LXW_NO_ERROR) first = closed;
    if (first != LXW_NO_ERROR) {
        if (error) *error = QStringLiteral("%1: %2").arg(path, errorText(first));
        return false;
    }
    return true;
}

#else

bool writeGridWorkbook(const GridModel &, const std::vector<ExportColumn> &, const QString &path, QString *error) {
    if (error) *error = QStringLiteral("%1: spreadsheet export is not available in this build").arg(path);
    return false;
}

#endif

} // namespace b2b
