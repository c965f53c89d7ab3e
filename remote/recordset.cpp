#include "recordset.h"

#include "numfmt.h"

#include <QTimeZone>
#include <cmath>

namespace b2b {

FieldKind kindOfDbx(int t, bool *known) {
    if (known) *known = true;
    switch (t) {
    case dbxAnsiString:
    case dbxWideString: return FieldKind::Text;
    case dbxInt16:
    case dbxInt32: return FieldKind::Integer;
    case dbxInt64: return FieldKind::LargeInt;
    case dbxDouble: return FieldKind::Float;
    case dbxBcd: return FieldKind::Bcd;
    case dbxCurrency: return FieldKind::Currency;
    case dbxDate: return FieldKind::Date;
    case dbxTime: return FieldKind::Time;
    case dbxDateTime:
    case dbxTimeStamp: return FieldKind::DateTime;
    case dbxBoolean: return FieldKind::Boolean;
    case dbxBlob: return FieldKind::Blob;
    default:
        if (known) *known = false;
        return FieldKind::Text;
    }
}

int dbxOfKind(FieldKind k) {
    switch (k) {
    case FieldKind::Integer: return dbxInt32;
    case FieldKind::LargeInt: return dbxInt64;
    case FieldKind::Float: return dbxDouble;
    case FieldKind::Currency: return dbxCurrency;
    case FieldKind::Bcd: return dbxBcd;
    case FieldKind::Text: return dbxWideString;
    case FieldKind::Date: return dbxDate;
    case FieldKind::Time: return dbxTime;
    case FieldKind::DateTime: return dbxTimeStamp;
    case FieldKind::Boolean: return dbxBoolean;
    case FieldKind::Blob: return dbxBlob;
    }
    return dbxWideString;
}

bool isNumericKind(FieldKind k) {
    return k == FieldKind::Integer || k == FieldKind::LargeInt || k == FieldKind::Float || k == FieldKind::Currency ||
           k == FieldKind::Bcd;
}

bool isDateKind(FieldKind k) { return k == FieldKind::Date || k == FieldKind::Time || k == FieldKind::DateTime; }

QString kindName(FieldKind k) {
    switch (k) {
    case FieldKind::Integer: return QStringLiteral("integer");
    case FieldKind::LargeInt: return QStringLiteral("large integer");
    case FieldKind::Float: return QStringLiteral("float");
    case FieldKind::Currency: return QStringLiteral("currency");
    case FieldKind::Bcd: return QStringLiteral("BCD");
    case FieldKind::Text: return QStringLiteral("text");
    case FieldKind::Date: return QStringLiteral("date");
    case FieldKind::Time: return QStringLiteral("time");
    case FieldKind::DateTime: return QStringLiteral("date-time");
    case FieldKind::Boolean: return QStringLiteral("boolean");
    case FieldKind::Blob: return QStringLiteral("blob");
    }
    return {};
}

static const QDateTime &epoch() {
    static const QDateTime e(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return e;
}

double dateTimeToDays(const QDateTime &dt) {
    if (!dt.isValid()) return 0;
    // Local wall-clock time counts, as in the classic date numbers.
    const QDateTime wall(dt.date(), dt.time(), Qt::UTC);
    return double(epoch().msecsTo(wall)) / 86400000.0;
}

QDateTime daysToDateTime(double days) {
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6) return {};
    const qint64 ms = qint64(std::llround(days * 86400000.0));
    const QDateTime u = epoch().addMSecs(ms);
    return QDateTime(u.date(), u.time());
}

// ---- Column ----

Column::Store Column::store() const {
    switch (def.kind) {
    case FieldKind::Integer:
    case FieldKind::LargeInt:
    case FieldKind::Boolean: return Store::Int;
    case FieldKind::Text: return Store::Text;
    case FieldKind::Blob: return Store::Blob;
    default: return Store::Real;
    }
}

void Column::reserve(size_t n) {
    nulls.reserve(n);
    switch (store()) {
    case Store::Int: ints.reserve(n); break;
    case Store::Real: reals.reserve(n); break;
    case Store::Text: texts.reserve(n); break;
    case Store::Blob: blobs.reserve(n); break;
    }
}

void Column::appendNull() {
    nulls.push_back(1);
    switch (store()) {
    case Store::Int: ints.push_back(0); break;
    case Store::Real: reals.push_back(0); break;
    case Store::Text: texts.emplace_back(); break;
    case Store::Blob: blobs.emplace_back(); break;
    }
}

void Column::appendInt(int64_t v) {
    nulls.push_back(0);
    switch (store()) {
    case Store::Int: ints.push_back(v); break;
    case Store::Real: reals.push_back(double(v)); break;
    case Store::Text: texts.push_back(QString::number(v)); break;
    case Store::Blob: blobs.push_back(QByteArray::number(qlonglong(v))); break;
    }
}

void Column::appendReal(double v) {
    nulls.push_back(0);
    switch (store()) {
    case Store::Int: ints.push_back(int64_t(std::llround(v))); break;
    case Store::Real: reals.push_back(v); break;
    case Store::Text: texts.push_back(FloatToStr(v, QLocale::c())); break;
    case Store::Blob: blobs.push_back(QByteArray::number(v, 'g', 17)); break;
    }
}

void Column::appendText(QString v) {
    nulls.push_back(0);
    switch (store()) {
    case Store::Int: ints.push_back(v.trimmed().toLongLong()); break;
    case Store::Real: {
        bool ok = false;
        double d = v.trimmed().toDouble(&ok);
        if (!ok && isDateKind(def.kind)) {
            QDateTime dt = QDateTime::fromString(v, Qt::ISODateWithMs);
            if (!dt.isValid()) dt = QDateTime(QDate::fromString(v, Qt::ISODate), QTime(0, 0));
            d = dt.isValid() ? dateTimeToDays(dt) : 0;
        }
        reals.push_back(d);
        break;
    }
    case Store::Text: texts.push_back(std::move(v)); break;
    case Store::Blob: blobs.push_back(v.toUtf8()); break;
    }
}

void Column::appendBlob(QByteArray v) {
    nulls.push_back(0);
    switch (store()) {
    case Store::Blob: blobs.push_back(std::move(v)); break;
    case Store::Text: texts.push_back(QString::fromUtf8(v)); break;
    case Store::Int: ints.push_back(v.toLongLong()); break;
    case Store::Real: reals.push_back(v.toDouble()); break;
    }
}

// ---- TableData ----

int TableData::indexOf(QStringView name) const {
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].def.name.compare(name, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

void TableData::addColumn(const FieldDef &def) {
    Column c;
    c.def = def;
    c.reserve(size_t(rowCount));
    for (int r = 0; r < rowCount; ++r) c.appendNull();
    columns.push_back(std::move(c));
}

QVariant TableData::value(int row, int col) const {
    if (col < 0 || col >= int(columns.size()) || row < 0 || row >= rowCount) return {};
    const Column &c = columns[col];
    if (c.nulls[row]) return {};
    switch (c.def.kind) {
    case FieldKind::Integer: return QVariant(int(c.ints[row]));
    case FieldKind::LargeInt: return QVariant(qlonglong(c.ints[row]));
    case FieldKind::Boolean: return QVariant(c.ints[row] != 0);
    case FieldKind::Float:
    case FieldKind::Currency:
    case FieldKind::Bcd: return QVariant(c.reals[row]);
    case FieldKind::Date: return QVariant(daysToDateTime(c.reals[row]).date());
    case FieldKind::Time: return QVariant(daysToDateTime(c.reals[row]).time());
    case FieldKind::DateTime: return QVariant(daysToDateTime(c.reals[row]));
    case FieldKind::Text: return QVariant(c.texts[row]);
    case FieldKind::Blob: return QVariant(c.blobs[row]);
    }
    return {};
}

void TableData::setValue(int row, int col, const QVariant &v) {
    Column &c = columns[col];
    if (!v.isValid() || v.isNull()) {
        c.nulls[row] = 1;
        return;
    }
    c.nulls[row] = 0;
    switch (c.store()) {
    case Column::Store::Int: c.ints[row] = v.toLongLong(); break;
    case Column::Store::Real:
        if (v.metaType().id() == QMetaType::QDateTime) c.reals[row] = dateTimeToDays(v.toDateTime());
        else if (v.metaType().id() == QMetaType::QDate) c.reals[row] = dateTimeToDays(v.toDate().startOfDay());
        else c.reals[row] = v.toDouble();
        break;
    case Column::Store::Text: c.texts[row] = v.toString(); break;
    case Column::Store::Blob: c.blobs[row] = v.toByteArray(); break;
    }
}

void TableData::validate() const {
    for (const Column &c : columns) {
        size_t n = 0;
        switch (c.store()) {
        case Column::Store::Int: n = c.ints.size(); break;
        case Column::Store::Real: n = c.reals.size(); break;
        case Column::Store::Text: n = c.texts.size(); break;
        case Column::Store::Blob: n = c.blobs.size(); break;
        }
        if (n != size_t(rowCount) || c.nulls.size() != size_t(rowCount))
            throw RecordSetError(QStringLiteral("Column '%1' holds %2 values, expected %3")
                                     .arg(c.def.name)
                                     .arg(n)
                                     .arg(rowCount));
    }
}

// ---- Field ----

const QString &Field::FieldName() const { return rs_->data_.columns[col_].def.name; }
FieldKind Field::Kind() const { return rs_->data_.columns[col_].def.kind; }

bool Field::IsNull() const {
    if (rs_->editing_) return !rs_->editBuffer_[col_].isValid();
    if (rs_->row_ < 0) return true;
    return rs_->data_.isNull(rs_->row_, col_);
}

QVariant Field::AsVariant() const {
    if (rs_->editing_) return rs_->editBuffer_[col_];
    if (rs_->row_ < 0) return {};
    return rs_->data_.value(rs_->row_, col_);
}

QString Field::AsString() const {
    const QVariant v = AsVariant();
    if (!v.isValid()) return {};
    switch (Kind()) {
    case FieldKind::Float:
    case FieldKind::Currency:
    case FieldKind::Bcd: return FloatToStr(v.toDouble());
    case FieldKind::Boolean: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldKind::Date: return QLocale().toString(v.toDate(), QLocale::ShortFormat);
    case FieldKind::DateTime: return QLocale().toString(v.toDateTime(), QLocale::ShortFormat);
    case FieldKind::Time: return QLocale().toString(v.toTime(), QLocale::ShortFormat);
    case FieldKind::Blob: return QString::fromUtf8(v.toByteArray());
    default: return v.toString();
    }
}

static double textToNumber(const QString &s, const QString &field) {
    bool ok = false;
    double d = StrToFloatLocale(s, &ok);
    if (!ok) throw RecordSetError(QStringLiteral("'%1' is not a valid number (field '%2')").arg(s, field));
    return d;
}

int Field::AsInteger() const {
    const QVariant v = AsVariant();
    if (!v.isValid()) return 0;
    if (Kind() == FieldKind::Text) {
        bool ok = false;
        int i = v.toString().trimmed().toInt(&ok);
        if (!ok) throw RecordSetError(QStringLiteral("'%1' is not a valid integer (field '%2')").arg(v.toString(), FieldName()));
        return i;
    }
    if (isDateKind(Kind())) return int(dateTimeToDays(v.toDateTime()));
    if (Kind() == FieldKind::Float || Kind() == FieldKind::Currency || Kind() == FieldKind::Bcd)
        return int(std::llround(v.toDouble()));
    return v.toInt();
}

qint64 Field::AsLargeInt() const {
    const QVariant v = AsVariant();
    if (!v.isValid()) return 0;
    if (Kind() == FieldKind::Text) return qint64(std::llround(textToNumber(v.toString(), FieldName())));
    if (Kind() == FieldKind::Float || Kind() == FieldKind::Currency || Kind() == FieldKind::Bcd)
        return std::llround(v.toDouble());
    return v.toLongLong();
}

double Field::AsFloat() const {
    const QVariant v = AsVariant();
    if (!v.isValid()) return 0;
    if (Kind() == FieldKind::Text) return textToNumber(v.toString(), FieldName());
    if (isDateKind(Kind())) {
        const Column &c = rs_->data_.columns[col_];
        return rs_->editing_ ? dateTimeToDays(v.toDateTime()) : c.reals[rs_->row_];
    }
    return v.toDouble();
}

bool Field::AsBoolean() const {
    const QVariant v = AsVariant();
    if (Kind() == FieldKind::Text) {
        const QString s = v.toString().trimmed();
        return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s == QLatin1String("1");
    }
    return v.toBool();
}

QDateTime Field::AsDateTime() const {
    const QVariant v = AsVariant();
    if (!v.isValid()) return {};
    if (Kind() == FieldKind::Date) return v.toDate().startOfDay();
    if (isNumericKind(Kind())) return daysToDateTime(v.toDouble());
    return v.toDateTime();
}

QByteArray Field::AsBytes() const {
    const QVariant v = AsVariant();
    if (Kind() == FieldKind::Text) return v.toString().toUtf8();
    return v.toByteArray();
}

QString Field::DisplayFormat() const { return rs_->data_.columns[col_].displayFormat; }
void Field::SetDisplayFormat(const QString &fmt) { rs_->SetDisplayFormat(col_, fmt); }

QString Field::DisplayText() const {
    if (rs_->row_ < 0) return {};
    return rs_->DisplayText(rs_->row_, col_);
}

void Field::SetValue(const QVariant &v) {
    if (!rs_->editing_) throw RecordSetError(QStringLiteral("Dataset not in edit or insert mode"));
    rs_->editBuffer_[col_] = v;
}

// ---- RecordSet ----

RecordSet::RecordSet(QObject *parent) : QObject(parent) {}

static bool compatible(FieldKind declared, FieldKind got) {
    if (declared == got) return true;
    const bool dn = isNumericKind(declared), gn = isNumericKind(got);
    if (declared == FieldKind::Integer || declared == FieldKind::LargeInt)
        return got == FieldKind::Integer || got == FieldKind::LargeInt || got == FieldKind::Boolean;
    if (dn && gn) return true; // integers widen into floats, BCD and currency
    if (isDateKind(declared) && isDateKind(got)) return true;
    if (declared == FieldKind::Boolean) return got == FieldKind::Integer;
    return false;
}

void RecordSet::Load(TableData data) {
    data.validate();
    if (!declared_.empty()) {
        TableData shaped;
        shaped.rowCount = data.rowCount;
        for (const FieldDef &d : declared_) {
            const int i = data.indexOf(d.name);
            if (i < 0) throw RecordSetError(QStringLiteral("Field '%1' not found").arg(d.name));
            Column &src = data.columns[i];
            if (!compatible(d.kind, src.def.kind))
                throw RecordSetError(QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3")
                                         .arg(d.name, kindName(d.kind), kindName(src.def.kind)));
            if (d.kind == FieldKind::Text && d.size > 0 && src.def.size > d.size)
                throw RecordSetError(QStringLiteral("Size mismatch for field '%1', expecting: %2 actual: %3")
                                         .arg(d.name)
                                         .arg(d.size)
                                         .arg(src.def.size));
            if (src.def.kind == d.kind) {
                Column c = std::move(src);
                c.def = d;
                shaped.columns.push_back(std::move(c));
            } else {
                Column c;
                c.def = d;
                c.reserve(size_t(data.rowCount));
                for (int r = 0; r < data.rowCount; ++r) {
                    if (src.nulls[r]) c.appendNull();
                    else if (src.store() == Column::Store::Int) c.appendInt(src.ints[r]);
                    else c.appendReal(src.reals[r]);
                }
                shaped.columns.push_back(std::move(c));
            }
        }
        data = std::move(shaped);
    }
    data_ = std::move(data);
    editing_ = false;
    active_ = true;
    row_ = data_.rowCount > 0 ? 0 : -1;
    bof_ = true;
    eof_ = data_.rowCount == 0;
    notifyReset();
}

void RecordSet::Close() {
    data_ = TableData();
    active_ = false;
    editing_ = false;
    row_ = -1;
    eof_ = bof_ = true;
    notifyReset();
}

void RecordSet::EmptyDataSet() {
    for (Column &c : data_.columns) {
        FieldDef d = c.def;
        QString f = c.displayFormat;
        c = Column();
        c.def = d;
        c.displayFormat = f;
    }
    data_.rowCount = 0;
    editing_ = false;
    row_ = -1;
    eof_ = bof_ = true;
    notifyReset();
}

Field RecordSet::FieldByName(const QString &name) {
    const int i = data_.indexOf(name);
    if (i < 0) throw RecordSetError(QStringLiteral("Field '%1' not found").arg(name));
    return Field(this, i);
}

void RecordSet::setRow(int r) {
    if (editing_) Post();
    row_ = r;
    if (!ControlsDisabled()) Q_EMIT currentChanged(row_);
}

void RecordSet::First() {
    bof_ = true;
    eof_ = data_.rowCount == 0;
    setRow(data_.rowCount > 0 ? 0 : -1);
}

void RecordSet::Last() {
    eof_ = true;
    bof_ = data_.rowCount == 0;
    setRow(data_.rowCount - 1);
}

void RecordSet::Next() {
    bof_ = false;
    if (row_ + 1 >= data_.rowCount) {
        eof_ = true;
        if (editing_) Post();
        return;
    }
    eof_ = false;
    setRow(row_ + 1);
}

void RecordSet::Prior() {
    eof_ = false;
    if (row_ <= 0) {
        bof_ = true;
        return;
    }
    bof_ = false;
    setRow(row_ - 1);
}

void RecordSet::MoveTo(int row) {
    if (row < 0 || row >= data_.rowCount) return;
    bof_ = eof_ = false;
    setRow(row);
}

bool RecordSet::Locate(const QString &fieldName, const QVariant &value) {
    const int c = FieldIndex(fieldName);
    if (c < 0) throw RecordSetError(QStringLiteral("Field '%1' not found").arg(fieldName));
    const Column &col = data_.columns[c];
    for (int r = 0; r < data_.rowCount; ++r) {
        if (col.nulls[r]) continue;
        bool eq = false;
        switch (col.store()) {
        case Column::Store::Int: eq = col.ints[r] == value.toLongLong(); break;
        case Column::Store::Real: eq = col.reals[r] == value.toDouble(); break;
        case Column::Store::Text: eq = col.texts[r] == value.toString(); break;
        case Column::Store::Blob: eq = col.blobs[r] == value.toByteArray(); break;
        }
        if (eq) {
            MoveTo(r);
            return true;
        }
    }
    return false;
}

void RecordSet::checkRow(const QString &what) const {
    if (!active_) throw RecordSetError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (row_ < 0) throw RecordSetError(QStringLiteral("%1: no current record").arg(what));
}

void RecordSet::Edit() {
    if (editing_) return;
    checkRow(QStringLiteral("Edit"));
    editBuffer_.resize(data_.columns.size());
    for (size_t c = 0; c < data_.columns.size(); ++c) editBuffer_[c] = data_.value(row_, int(c));
    editing_ = true;
}

void RecordSet::Post() {
    if (!editing_) return;
    editing_ = false;
    for (size_t c = 0; c < data_.columns.size(); ++c) data_.setValue(row_, int(c), editBuffer_[c]);
    editBuffer_.clear();
    if (!ControlsDisabled()) Q_EMIT rowChanged(row_);
    else pendingRows_ = true;
}

void RecordSet::Cancel() {
    editing_ = false;
    editBuffer_.clear();
}

void RecordSet::Append() {
    if (!active_) throw RecordSetError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (editing_) Post();
    for (Column &c : data_.columns) c.appendNull();
    ++data_.rowCount;
    row_ = data_.rowCount - 1;
    eof_ = bof_ = false;
    editBuffer_.assign(data_.columns.size(), QVariant());
    editing_ = true;
    notifyReset();
}

void RecordSet::DisableControls() { ++disableCount_; }

void RecordSet::EnableControls() {
    if (disableCount_ == 0) return;
    if (--disableCount_ == 0) {
        const bool rows = pendingRows_;
        pendingRows_ = false;
        if (pendingReset_) {
            pendingReset_ = false;
            Q_EMIT dataReset();
        } else {
            if (rows) Q_EMIT rowChanged(-1);
            Q_EMIT currentChanged(row_);
        }
    }
}

void RecordSet::notifyReset() {
    pendingRows_ = false;
    if (ControlsDisabled()) pendingReset_ = true;
    else Q_EMIT dataReset();
}

QString RecordSet::DisplayText(int row, int col) const {
    if (col < 0 || col >= int(data_.columns.size()) || row < 0 || row >= data_.rowCount) return {};
    const Column &c = data_.columns[col];
    if (c.nulls[row]) return {};
    switch (c.def.kind) {
    case FieldKind::Float:
    case FieldKind::Currency:
    case FieldKind::Bcd:
        if (!c.displayFormat.isEmpty()) return FormatFloat(c.displayFormat, c.reals[row]);
        return FloatToStr(c.reals[row]);
    case FieldKind::Integer:
    case FieldKind::LargeInt:
        if (!c.displayFormat.isEmpty()) return FormatFloat(c.displayFormat, double(c.ints[row]));
        return QString::number(c.ints[row]);
    case FieldKind::Boolean: return c.ints[row] ? QStringLiteral("True") : QStringLiteral("False");
    case FieldKind::Text: return c.texts[row];
    case FieldKind::Date: return QLocale().toString(daysToDateTime(c.reals[row]).date(), QLocale::ShortFormat);
    case FieldKind::Time: return QLocale().toString(daysToDateTime(c.reals[row]).time(), QLocale::ShortFormat);
    case FieldKind::DateTime: {
        const QDateTime dt = daysToDateTime(c.reals[row]);
        if (dt.time() == QTime(0, 0)) return QLocale().toString(dt.date(), QLocale::ShortFormat);
        return QLocale().toString(dt, QLocale::ShortFormat);
    }
    case FieldKind::Blob: return QStringLiteral("(BLOB)");
    }
    return {};
}

void RecordSet::SetDisplayFormat(int col, const QString &fmt) {
    data_.columns[col].displayFormat = fmt;
    notifyReset();
}

// ---- helpers ----

void SayiFormatla(RecordSet &rs) {
    rs.DisableControls();
    for (int i = 0; i < rs.FieldCount(); ++i)
        if (rs.FieldDefAt(i).kind == FieldKind::Float) rs.SetDisplayFormat(i, kMoneyFormat);
    rs.EnableControls();
}

bool DoluMu(const RecordSet &rs) { return rs.Active() && rs.RecordCount() > 0; }

bool SeciliVarmi(RecordSet &rs) {
    if (!DoluMu(rs)) return false;
    const int sec = rs.FieldIndex(u"SEC");
    if (sec < 0) throw RecordSetError(QStringLiteral("Field 'SEC' not found"));
    rs.First();
    while (!rs.Eof()) {
        if (rs.Fields(sec).AsInteger() == 1) return true;
        rs.Next();
    }
    return false;
}

} // namespace b2b
