#pragma once
// JSON wire form of calls and answers (docs/protocol.md): requests {"_parameters":[...]},
// answers {"result":[outs..., return value]} or {"error":"..."}, tables in column form.

#include "catalog.h"
#include "errors.h"
#include "recordset.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace b2b {

struct WireObject {
    QJsonObject value; // whole marshalled object {"type","id","fields"}; empty when null
    bool isNull = true;
};

// monostate = JSON null.
using WireValue = std::variant<std::monostate, QString, int32_t, double, bool, int64_t, WireObject, TableData, QByteArray>;

// Largest answer or request body accepted.
inline constexpr size_t kMaxBodyBytes = size_t(512) << 20;

// Appends JSON to a byte buffer; strings are escaped, non-ASCII written as UTF-8.
class JsonWriter {
public:
    std::string out;
    void raw(std::string_view s) { out.append(s); }
    void str(QStringView s);
    void str(std::string_view utf8);
    void num(double d);
    void integer(int64_t i);
    void boolean(bool b) { out.append(b ? "true" : "false"); }
    void null() { out.append("null"); }
    void json(const QJsonObject &o); // compact
};

void writeValue(JsonWriter &w, const WireValue &v);
void writeTable(JsonWriter &w, const TableData &t);

std::string encodeRequest(const std::vector<WireValue> &inputs);
std::string encodeResult(const std::vector<WireValue> &outsAndResult);
std::string encodeError(const QString &message);

// Server side: checks count and type of every parameter against the method's inputs.
std::vector<WireValue> decodeRequest(std::string_view body, const MethodSpec &m);

// Client side: outs then the return value (none for ResultKind::None). An {"error":..} answer
// throws RemoteError with its message; anything malformed throws RemoteError describing it.
// A stream method also takes a body that is not JSON as the raw stream.
std::vector<WireValue> decodeResult(std::string_view body, const MethodSpec &m);

// Table alone (benchmarks, fuzzing, tools).
TableData parseTable(std::string_view json);

// Converts the path segments of a GET call into typed inputs (scalars only).
std::vector<WireValue> decodePathArguments(const std::vector<QString> &segments, const MethodSpec &m);

// Typed reads of decoded values; throw RemoteError naming `what` on a wrong kind.
QString wireText(const WireValue &v, const char *what);
int32_t wireInt(const WireValue &v, const char *what);
int64_t wireInt64(const WireValue &v, const char *what);
double wireDouble(const WireValue &v, const char *what);
bool wireBool(const WireValue &v, const char *what);
QByteArray wireStream(WireValue &v, const char *what);
TableData wireTable(WireValue &v, const char *what);
const QJsonObject *wireObject(const WireValue &v, const char *what); // nullptr for a null object

// Wraps a transfer object as an argument.
template <typename T> WireValue argObject(const T &o) { return WireObject{o.marshal(), false}; }

// The `type` member expected for an object parameter of class `cls`.
QString objectTypeName(const char *cls);

} // namespace b2b
