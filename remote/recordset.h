#pragma once
// Client-side table: ordered rows of named, typed fields with a current row.
// Data is stored column-wise so that 100k-row answers load and display quickly.

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace b2b {

// Wire type numbers of the table form (docs/protocol.md).
enum DbxType : int {
    dbxUnknown = 0,
    dbxAnsiString = 1,
    dbxDate = 2,
    dbxBlob = 3,
    dbxBoolean = 4,
    dbxInt16 = 5,
    dbxInt32 = 6,
    dbxDouble = 7,
    dbxBcd = 8,
    dbxTime = 10,
    dbxDateTime = 11,
    dbxInt64 = 18,
    dbxTimeStamp = 24,
    dbxCurrency = 25,
    dbxWideString = 26,
};

// Storage class of a column. Float is the only kind the two-decimal display format applies to.
enum class FieldKind { Integer, LargeInt, Float, Currency, Bcd, Text, Date, Time, DateTime, Boolean, Blob };

FieldKind kindOfDbx(int dbxType, bool *known = nullptr);
int dbxOfKind(FieldKind k);
bool isNumericKind(FieldKind k);
bool isDateKind(FieldKind k);
QString kindName(FieldKind k);

struct FieldDef {
    QString name;
    FieldKind kind = FieldKind::Text;
    int size = 0; // text length limit where declared; 0 = unlimited
    int precision = 0;
    int scale = 0;
    bool nullable = true;
};

class RecordSetError : public std::runtime_error {
public:
    explicit RecordSetError(const QString &msg) : std::runtime_error(msg.toStdString()), text(msg) {}
    QString text;
};

// Days since 1899-12-30 (the wire's date numbers) <-> Qt dates.
double dateTimeToDays(const QDateTime &dt);
QDateTime daysToDateTime(double days);

// One column of values. Exactly one of the value vectors is used, chosen by kind:
// Integer/LargeInt/Boolean -> ints; Float/Currency/Bcd/Date/Time/DateTime -> reals (dates as day numbers);
// Text -> texts; Blob -> blobs.
struct Column {
    FieldDef def;
    QString displayFormat;
    std::vector<int64_t> ints;
    std::vector<double> reals;
    std::vector<QString> texts;
    std::vector<QByteArray> blobs;
    std::vector<uint8_t> nulls; // 1 = null

    enum class Store { Int, Real, Text, Blob };
    Store store() const;
    void reserve(size_t n);
    void appendNull();
    void appendInt(int64_t v);
    void appendReal(double v);
    void appendText(QString v);
    void appendBlob(QByteArray v);
    size_t size() const { return nulls.size(); }
};

// A whole table as a value: what decoders produce (on any thread) and record sets take over.
struct TableData {
    std::vector<Column> columns;
    int rowCount = 0;

    int indexOf(QStringView name) const; // case-insensitive, -1 when missing
    void addColumn(const FieldDef &def);
    QVariant value(int row, int col) const;
    void setValue(int row, int col, const QVariant &v);
    bool isNull(int row, int col) const { return columns[col].nulls[row] != 0; }
    // Checks every column holds rowCount values; throws RecordSetError otherwise.
    void validate() const;
};

class RecordSet;

// Reads and writes one field of the record set's current row.
class Field {
public:
    Field(RecordSet *rs, int col) : rs_(rs), col_(col) {}
    const QString &FieldName() const;
    FieldKind Kind() const;
    int Index() const { return col_; }
    bool IsNull() const;
    QString AsString() const;
    int AsInteger() const;
    qint64 AsLargeInt() const;
    double AsFloat() const;
    bool AsBoolean() const;
    QDateTime AsDateTime() const;
    QByteArray AsBytes() const;
    QVariant AsVariant() const;
    QString DisplayText() const;
    QString DisplayFormat() const;
    void SetDisplayFormat(const QString &fmt);
    void SetValue(const QVariant &v); // needs Edit() first; the change stays on the client

private:
    RecordSet *rs_;
    int col_;
};

class RecordSet : public QObject {
    Q_OBJECT
public:
    explicit RecordSet(QObject *parent = nullptr);

    // Replaces everything (fields and rows). With declared fields, every declared field must be present
    // under its name with a compatible kind (any column order); only the declared fields are kept.
    void Load(TableData data);
    void Close();
    void EmptyDataSet(); // keeps fields, drops rows
    bool Active() const { return active_; }
    void SetDeclaredFields(std::vector<FieldDef> defs) { declared_ = std::move(defs); }
    const std::vector<FieldDef> &DeclaredFields() const { return declared_; }

    int FieldCount() const { return int(data_.columns.size()); }
    const FieldDef &FieldDefAt(int i) const { return data_.columns[i].def; }
    int FieldIndex(QStringView name) const { return data_.indexOf(name); }
    Field FieldByName(const QString &name);    // throws RecordSetError naming the field
    Field *FindField(const QString &name) = delete;
    Field Fields(int i) { return Field(this, i); }

    int RecordCount() const { return data_.rowCount; }
    int Row() const { return row_; } // 0-based current row, -1 when empty
    int RecNo() const { return row_ + 1; }
    void First();
    void Last();
    void Next();
    void Prior();
    void MoveTo(int row);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty() const { return data_.rowCount == 0; }
    bool Locate(const QString &fieldName, const QVariant &value);

    void Edit();
    void Post();
    void Cancel();
    void Append(); // new row at the end becomes current, in edit state until Post
    bool Editing() const { return editing_; }

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // Direct access for views.
    const TableData &Data() const { return data_; }
    QVariant Value(int row, int col) const { return data_.value(row, col); }
    QString DisplayText(int row, int col) const;
    void SetDisplayFormat(int col, const QString &fmt);

Q_SIGNALS:
    void dataReset();             // fields or rows replaced
    void rowChanged(int row);     // a posted edit; -1 = rows were posted while controls were disabled
    void currentChanged(int row); // cursor moved (not sent while controls are disabled)

private:
    friend class Field;
    void checkRow(const QString &what) const;
    void setRow(int r);
    void notifyReset();

    TableData data_;
    std::vector<FieldDef> declared_;
    bool active_ = false;
    int row_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    bool editing_ = false;
    std::vector<QVariant> editBuffer_;
    int disableCount_ = 0;
    bool pendingReset_ = false;
    bool pendingRows_ = false;
};

// Shared record-set helpers.
void SayiFormatla(RecordSet &rs);
bool DoluMu(const RecordSet &rs);
bool SeciliVarmi(RecordSet &rs);

} // namespace b2b
