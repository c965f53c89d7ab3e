#include "wire.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <charconv>
#include <cmath>
#include <simdjson.h>

namespace b2b {

using simdjson::dom::element;
using simdjson::dom::element_type;

// ---------------------------------------------------------------- writing

static const char kHex[] = "0123456789abcdef";

void JsonWriter::str(std::string_view s) {
    out.push_back('"');
    size_t start = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c != '"' && c != '\\') continue;
        out.append(s.data() + start, i - start);
        switch (c) {
        case '"': out.append("\\\""); break;
        case '\\': out.append("\\\\"); break;
        case '\n': out.append("\\n"); break;
        case '\r': out.append("\\r"); break;
        case '\t': out.append("\\t"); break;
        default:
            out.append("\\u00");
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
        start = i + 1;
    }
    out.append(s.data() + start, s.size() - start);
    out.push_back('"');
}

void JsonWriter::str(QStringView s) {
    const QByteArray u = s.toUtf8();
    str(std::string_view(u.constData(), size_t(u.size())));
}

void JsonWriter::num(double d) {
    if (!std::isfinite(d)) {
        null();
        return;
    }
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, d);
    out.append(buf, r.ptr);
}

void JsonWriter::integer(int64_t i) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, i);
    out.append(buf, r.ptr);
}

void JsonWriter::json(const QJsonObject &o) {
    const QByteArray b = QJsonDocument(o).toJson(QJsonDocument::Compact);
    out.append(b.constData(), size_t(b.size()));
}

static void writeDate(JsonWriter &w, FieldKind k, double days) {
    const QDateTime dt = daysToDateTime(days);
    if (!dt.isValid()) {
        w.null();
        return;
    }
    char buf[40];
    const QDate d = dt.date();
    const QTime t = dt.time();
    int n = 0;
    if (k == FieldKind::Date)
        n = std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year(), d.month(), d.day());
    else if (k == FieldKind::Time)
        n = std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", t.hour(), t.minute(), t.second(), t.msec());
    else
        n = std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", d.year(), d.month(), d.day(),
                          t.hour(), t.minute(), t.second(), t.msec());
    w.str(std::string_view(buf, size_t(n)));
}

void writeTable(JsonWriter &w, const TableData &t) {
    w.raw("{\"table\":[");
    for (size_t i = 0; i < t.columns.size(); ++i) {
        const FieldDef &d = t.columns[i].def;
        if (i) w.raw(",");
        w.raw("[");
        w.str(QStringView(d.name));
        w.raw(",");
        w.integer(dbxOfKind(d.kind));
        w.raw(",");
        w.integer(int64_t(i));
        w.raw(",0,");
        w.integer(d.scale);
        w.raw(",");
        w.integer(d.size);
        w.raw(",");
        w.integer(d.precision);
        w.raw(",0,");
        w.boolean(d.nullable);
        w.raw(",false,0,false,false]");
    }
    w.raw("]");
    for (const Column &c : t.columns) {
        w.raw(",");
        w.str(QStringView(c.def.name));
        w.raw(":[");
        for (int r = 0; r < t.rowCount; ++r) {
            if (r) w.raw(",");
            if (c.nulls[r]) {
                w.null();
                continue;
            }
            switch (c.def.kind) {
            case FieldKind::Integer:
            case FieldKind::LargeInt: w.integer(c.ints[r]); break;
            case FieldKind::Boolean: w.boolean(c.ints[r] != 0); break;
            case FieldKind::Float:
            case FieldKind::Currency:
            case FieldKind::Bcd: w.num(c.reals[r]); break;
            case FieldKind::Date:
            case FieldKind::Time:
            case FieldKind::DateTime: writeDate(w, c.def.kind, c.reals[r]); break;
            case FieldKind::Text: w.str(QStringView(c.texts[r])); break;
            case FieldKind::Blob: {
                w.raw("[");
                const QByteArray &b = c.blobs[r];
                for (qsizetype k = 0; k < b.size(); ++k) {
                    if (k) w.raw(",");
                    w.integer(static_cast<unsigned char>(b[k]));
                }
                w.raw("]");
                break;
            }
            }
        }
        w.raw("]");
    }
    w.raw("}");
}

static void writeBytes(JsonWriter &w, const QByteArray &b) {
    w.out.reserve(w.out.size() + size_t(b.size()) * 4 + 2);
    w.raw("[");
    for (qsizetype k = 0; k < b.size(); ++k) {
        if (k) w.out.push_back(',');
        w.integer(static_cast<unsigned char>(b[k]));
    }
    w.raw("]");
}

void writeValue(JsonWriter &w, const WireValue &v) {
    std::visit(
        [&](const auto &x) {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>) w.null();
            else if constexpr (std::is_same_v<T, QString>) w.str(QStringView(x));
            else if constexpr (std::is_same_v<T, int32_t>) w.integer(x);
            else if constexpr (std::is_same_v<T, double>) w.num(x);
            else if constexpr (std::is_same_v<T, bool>) w.boolean(x);
            else if constexpr (std::is_same_v<T, int64_t>) w.integer(x);
            else if constexpr (std::is_same_v<T, WireObject>) {
                if (x.isNull) w.null();
                else w.json(x.value);
            } else if constexpr (std::is_same_v<T, TableData>) writeTable(w, x);
            else if constexpr (std::is_same_v<T, QByteArray>) writeBytes(w, x);
        },
        v);
}

static std::string encodeArray(const char *key, const std::vector<WireValue> &vals) {
    JsonWriter w;
    w.raw("{\"");
    w.raw(key);
    w.raw("\":[");
    for (size_t i = 0; i < vals.size(); ++i) {
        if (i) w.raw(",");
        writeValue(w, vals[i]);
    }
    w.raw("]}");
    return std::move(w.out);
}

std::string encodeRequest(const std::vector<WireValue> &inputs) { return encodeArray("_parameters", inputs); }
std::string encodeResult(const std::vector<WireValue> &outs) { return encodeArray("result", outs); }

std::string encodeError(const QString &message) {
    JsonWriter w;
    w.raw("{\"error\":");
    w.str(QStringView(message));
    w.raw("}");
    return std::move(w.out);
}

// ---------------------------------------------------------------- reading

namespace {

[[noreturn]] void fail(const QString &msg) { throw RemoteError(msg); }

QString sv2q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

simdjson::dom::parser &threadParser() {
    thread_local simdjson::dom::parser p;
    return p;
}

element parseJson(std::string_view body, const char *what) {
    if (body.size() > kMaxBodyBytes)
        fail(QStringLiteral("%1 is too large (%2 bytes)").arg(QLatin1String(what)).arg(qulonglong(body.size())));
    element doc;
    auto err = threadParser().parse(body.data(), body.size(), true).get(doc);
    if (err)
        fail(QStringLiteral("%1 is not valid JSON: %2").arg(QLatin1String(what), QLatin1String(simdjson::error_message(err))));
    return doc;
}

QJsonValue toQJson(element e, int depth = 0) {
    if (depth > 64) fail(QStringLiteral("Malformed answer: object nested too deeply"));
    switch (e.type()) {
    case element_type::ARRAY: {
        QJsonArray a;
        simdjson::dom::array arr = e.get_array().value_unsafe();
        for (element x : arr) a.append(toQJson(x, depth + 1));
        return a;
    }
    case element_type::OBJECT: {
        QJsonObject o;
        simdjson::dom::object obj = e.get_object().value_unsafe();
        for (auto kv : obj) o.insert(sv2q(kv.key), toQJson(kv.value, depth + 1));
        return o;
    }
    case element_type::INT64: return QJsonValue(double(e.get_int64().value_unsafe()));
    case element_type::UINT64: return QJsonValue(double(e.get_uint64().value_unsafe()));
    case element_type::DOUBLE: return QJsonValue(e.get_double().value_unsafe());
    case element_type::STRING: return QJsonValue(sv2q(e.get_string().value_unsafe()));
    case element_type::BOOL: return QJsonValue(e.get_bool().value_unsafe());
    case element_type::NULL_VALUE: return QJsonValue(QJsonValue::Null);
    }
    return {};
}

bool asInt64(element e, int64_t &out) {
    switch (e.type()) {
    case element_type::INT64: out = e.get_int64().value_unsafe(); return true;
    case element_type::UINT64: {
        const uint64_t u = e.get_uint64().value_unsafe();
        if (u > uint64_t(INT64_MAX)) return false;
        out = int64_t(u);
        return true;
    }
    case element_type::DOUBLE: {
        const double d = e.get_double().value_unsafe();
        if (std::floor(d) != d || std::fabs(d) > 9.0e15) return false;
        out = int64_t(d);
        return true;
    }
    default: return false;
    }
}

bool asDouble(element e, double &out) {
    switch (e.type()) {
    case element_type::INT64: out = double(e.get_int64().value_unsafe()); return true;
    case element_type::UINT64: out = double(e.get_uint64().value_unsafe()); return true;
    case element_type::DOUBLE: out = e.get_double().value_unsafe(); return true;
    default: return false;
    }
}

int digitsAt(std::string_view s, size_t pos, size_t n, bool &ok) {
    if (pos + n > s.size()) {
        ok = false;
        return 0;
    }
    int v = 0;
    for (size_t i = 0; i < n; ++i) {
        const char c = s[pos + i];
        if (c < '0' || c > '9') {
            ok = false;
            return 0;
        }
        v = v * 10 + (c - '0');
    }
    return v;
}

// "HH:mm[:ss[.zzz]]" starting at pos -> fraction of a day.
bool parseTimeAt(std::string_view s, size_t pos, double &frac) {
    bool ok = true;
    const int h = digitsAt(s, pos, 2, ok);
    if (!ok || pos + 2 >= s.size() || s[pos + 2] != ':') return false;
    const int mi = digitsAt(s, pos + 3, 2, ok);
    int sec = 0, ms = 0;
    size_t p = pos + 5;
    if (ok && p < s.size() && s[p] == ':') {
        sec = digitsAt(s, p + 1, 2, ok);
        p += 3;
        if (ok && p < s.size() && s[p] == '.') {
            size_t q = p + 1;
            int scale = 100;
            while (q < s.size() && s[q] >= '0' && s[q] <= '9') {
                if (scale > 0) ms += (s[q] - '0') * scale;
                scale /= 10;
                ++q;
            }
            p = q;
        }
    }
    if (!ok || h > 23 || mi > 59 || sec > 59) return false;
    frac = (((h * 60.0 + mi) * 60.0 + sec) * 1000.0 + ms) / 86400000.0;
    return true;
}

bool parseDateText(std::string_view s, FieldKind kind, double &days) {
    if (kind == FieldKind::Time) return parseTimeAt(s, 0, days);
    bool ok = true;
    const int y = digitsAt(s, 0, 4, ok), m = digitsAt(s, 5, 2, ok), d = digitsAt(s, 8, 2, ok);
    if (!ok || s[4] != '-' || s[7] != '-') return false;
    const QDate date(y, m, d);
    if (!date.isValid()) return false;
    static const qint64 base = QDate(1899, 12, 30).toJulianDay();
    days = double(date.toJulianDay() - base);
    if (s.size() > 10) {
        if (s[10] != ' ' && s[10] != 'T') return false;
        double frac = 0;
        if (!parseTimeAt(s, 11, frac)) return false;
        days += days < 0 ? -frac : frac;
    }
    return true;
}

TableData decodeTable(element root) {
    simdjson::dom::object obj;
    if (root.get_object().get(obj)) fail(QStringLiteral("Malformed answer: a table is not a JSON object"));
    simdjson::dom::array desc;
    element descEl;
    if (obj["table"].get(descEl) || descEl.get_array().get(desc))
        fail(QStringLiteral("Malformed answer: a table has no \"table\" column list"));
    TableData t;
    bool first = true;
    for (element col : desc) {
        simdjson::dom::array d;
        if (col.get_array().get(d) || d.size() < 2)
            fail(QStringLiteral("Malformed answer: a table column description is not an array"));
        std::string_view name;
        int64_t type = 0;
        if (d.at(0).get_string().get(name)) fail(QStringLiteral("Malformed answer: a table column has no name"));
        if (!asInt64(d.at(1).value_unsafe(), type))
            fail(QStringLiteral("Malformed answer: column '%1' has no type number").arg(sv2q(name)));
        bool known = false;
        FieldDef fd;
        fd.name = sv2q(name);
        fd.kind = kindOfDbx(int(type), &known);
        if (!known) fail(QStringLiteral("Malformed answer: column '%1' has unknown type %2").arg(fd.name).arg(type));
        int64_t v = 0;
        if (d.size() > 4 && asInt64(d.at(4).value_unsafe(), v)) fd.scale = int(v);
        if (d.size() > 5 && asInt64(d.at(5).value_unsafe(), v)) fd.size = int(std::clamp<int64_t>(v, 0, INT32_MAX));
        if (d.size() > 6 && asInt64(d.at(6).value_unsafe(), v)) fd.precision = int(v);
        bool nb = true;
        if (d.size() > 8 && !d.at(8).get_bool().get(nb)) fd.nullable = nb;
        if (t.indexOf(fd.name) >= 0) fail(QStringLiteral("Malformed answer: column '%1' appears twice").arg(fd.name));

        simdjson::dom::array vals;
        element valsEl;
        if (obj.at_key(name).get(valsEl) || valsEl.get_array().get(vals))
            fail(QStringLiteral("Malformed answer: column '%1' has no values").arg(fd.name));
        const size_t n = vals.size();
        if (first) {
            if (n > size_t(INT32_MAX)) fail(QStringLiteral("Malformed answer: too many rows"));
            t.rowCount = int(n);
            first = false;
        } else if (n != size_t(t.rowCount)) {
            fail(QStringLiteral("Malformed answer: column '%1' has %2 values, expected %3")
                     .arg(fd.name)
                     .arg(qulonglong(n))
                     .arg(t.rowCount));
        }
        Column c;
        c.def = fd;
        c.reserve(n);
        const auto bad = [&](const char *expected) {
            fail(QStringLiteral("Malformed answer: column '%1' row %2 is not %3")
                     .arg(fd.name)
                     .arg(qulonglong(c.size() + 1))
                     .arg(QLatin1String(expected)));
        };
        for (element x : vals) {
            if (x.is_null()) {
                c.appendNull();
                continue;
            }
            switch (fd.kind) {
            case FieldKind::Integer:
            case FieldKind::LargeInt: {
                int64_t i = 0;
                if (!asInt64(x, i)) bad("an integer");
                if (fd.kind == FieldKind::Integer && (i < INT32_MIN || i > INT32_MAX)) bad("a 32-bit integer");
                c.appendInt(i);
                break;
            }
            case FieldKind::Boolean: {
                bool b = false;
                int64_t i = 0;
                if (!x.get_bool().get(b)) c.appendInt(b ? 1 : 0);
                else if (asInt64(x, i)) c.appendInt(i != 0);
                else bad("a Boolean");
                break;
            }
            case FieldKind::Float:
            case FieldKind::Currency:
            case FieldKind::Bcd: {
                double dd = 0;
                std::string_view sv;
                if (asDouble(x, dd)) c.appendReal(dd);
                else if (!x.get_string().get(sv)) {
                    // BCD values may travel as decimal text.
                    double parsed = 0;
                    auto r = std::from_chars(sv.data(), sv.data() + sv.size(), parsed);
                    if (r.ec != std::errc() || r.ptr != sv.data() + sv.size()) bad("a number");
                    c.appendReal(parsed);
                } else bad("a number");
                break;
            }
            case FieldKind::Date:
            case FieldKind::Time:
            case FieldKind::DateTime: {
                double dd = 0;
                std::string_view sv;
                if (!x.get_string().get(sv)) {
                    if (!parseDateText(sv, fd.kind, dd)) bad("a date");
                } else if (!asDouble(x, dd)) bad("a date");
                c.appendReal(dd);
                break;
            }
            case FieldKind::Text: {
                std::string_view sv;
                if (!x.get_string().get(sv)) c.appendText(sv2q(sv));
                else {
                    double dd = 0;
                    if (asDouble(x, dd)) c.appendText(QString::number(dd, 'g', 15));
                    else bad("a text");
                }
                break;
            }
            case FieldKind::Blob: {
                simdjson::dom::array bytes;
                std::string_view sv;
                if (!x.get_array().get(bytes)) {
                    QByteArray b;
                    b.reserve(qsizetype(bytes.size()));
                    for (element by : bytes) {
                        int64_t i = 0;
                        if (!asInt64(by, i) || i < 0 || i > 255) bad("an array of byte values");
                        b.append(char(i));
                    }
                    c.appendBlob(std::move(b));
                } else if (!x.get_string().get(sv)) {
                    c.appendBlob(QByteArray(sv.data(), qsizetype(sv.size())));
                } else bad("an array of byte values");
                break;
            }
            }
        }
        t.columns.push_back(std::move(c));
    }
    return t;
}

QByteArray decodeBytes(element e, const char *what) {
    if (e.is_null()) return {};
    simdjson::dom::array a;
    std::string_view sv;
    if (!e.get_array().get(a)) {
        QByteArray b;
        b.resize(qsizetype(a.size()));
        qsizetype k = 0;
        for (element x : a) {
            int64_t i = 0;
            if (!asInt64(x, i) || i < 0 || i > 255)
                fail(QStringLiteral("Malformed answer: %1 holds a value that is not a byte").arg(QLatin1String(what)));
            b[k++] = char(i);
        }
        return b;
    }
    if (!e.get_string().get(sv)) return QByteArray(sv.data(), qsizetype(sv.size()));
    fail(QStringLiteral("Malformed answer: %1 is not a byte stream").arg(QLatin1String(what)));
}

WireValue decodeTyped(element e, const ParamSpec &p, const QString &where) {
    const auto wrong = [&](const char *expected) -> WireValue {
        fail(QStringLiteral("%1 is not %2").arg(where, QLatin1String(expected)));
    };
    switch (p.type) {
    case WireType::Text: {
        std::string_view sv;
        if (!e.get_string().get(sv)) return sv2q(sv);
        if (e.is_null()) return QString();
        return wrong("a text");
    }
    case WireType::Integer: {
        int64_t i = 0;
        if (!asInt64(e, i)) return wrong("an integer");
        if (i < INT32_MIN || i > INT32_MAX) return wrong("within the 32-bit integer range");
        return int32_t(i);
    }
    case WireType::Int64: {
        int64_t i = 0;
        if (!asInt64(e, i)) return wrong("a 64-bit integer");
        return i;
    }
    case WireType::Double: {
        double d = 0;
        if (!asDouble(e, d)) return wrong("a number");
        return d;
    }
    case WireType::Boolean: {
        bool b = false;
        if (e.get_bool().get(b)) return wrong("a Boolean");
        return b;
    }
    case WireType::Object: {
        WireObject o;
        if (e.is_null()) return o;
        if (e.type() != element_type::OBJECT) return wrong("an object");
        o.value = toQJson(e).toObject();
        o.isNull = false;
        const QString expected = objectTypeName(p.objectClass);
        const QJsonValue t = o.value.value(QStringLiteral("type"));
        if (t.isString() && t.toString() != expected)
            fail(QStringLiteral("%1 is an object of type %2, expected %3").arg(where, t.toString(), expected));
        return o;
    }
    case WireType::Table:
        if (e.is_null()) return TableData();
        return decodeTable(e);
    case WireType::Stream: return decodeBytes(e, "the stream");
    }
    return {};
}

} // namespace

QString objectTypeName(const char *cls) {
    const QString c = QLatin1String(cls);
    const bool baglanti = c == QLatin1String("TSonucBilgisi") || c == QLatin1String("TSiparisDipAyrinti") ||
                          c == QLatin1String("TTusSonuclari");
    return (baglanti ? QStringLiteral("baglantiu.") : QStringLiteral("mobilstokunit.")) + c;
}

TableData parseTable(std::string_view json) { return decodeTable(parseJson(json, "The table")); }

std::vector<WireValue> decodeRequest(std::string_view body, const MethodSpec &m) {
    const element doc = parseJson(body, "The request");
    simdjson::dom::object obj;
    if (doc.get_object().get(obj)) fail(QStringLiteral("The request is not a JSON object"));
    element ps;
    simdjson::dom::array arr;
    if (obj["_parameters"].get(ps)) {
        if (m.inputs.empty()) return {};
        fail(QStringLiteral("The request has no _parameters"));
    }
    if (ps.get_array().get(arr)) fail(QStringLiteral("_parameters is not an array"));
    if (arr.size() != m.inputs.size())
        fail(QStringLiteral("%1 takes %2 parameters, %3 given")
                 .arg(QLatin1String(m.name))
                 .arg(m.inputs.size())
                 .arg(qulonglong(arr.size())));
    std::vector<WireValue> out;
    out.reserve(m.inputs.size());
    size_t i = 0;
    for (element e : arr) {
        const ParamSpec &p = m.inputs[i];
        out.push_back(decodeTyped(e, p, QStringLiteral("Parameter %1 (%2)").arg(i).arg(QLatin1String(p.name))));
        ++i;
    }
    return out;
}

std::vector<WireValue> decodeResult(std::string_view body, const MethodSpec &m) {
    const bool stream = m.kind == ResultKind::Stream;
    element doc;
    {
        element tmp;
        auto err = body.size() > kMaxBodyBytes ? simdjson::CAPACITY
                                               : threadParser().parse(body.data(), body.size(), true).get(tmp);
        if (err) {
            if (stream && body.size() <= kMaxBodyBytes) {
                // A raw stream answer: its size is the byte count.
                std::vector<WireValue> out;
                out.emplace_back(int64_t(body.size()));
                out.emplace_back(QByteArray(body.data(), qsizetype(body.size())));
                return out;
            }
            if (body.size() > kMaxBodyBytes)
                fail(QStringLiteral("The answer is too large (%1 bytes)").arg(qulonglong(body.size())));
            fail(QStringLiteral("The answer is not valid JSON: %1").arg(QLatin1String(simdjson::error_message(err))));
        }
        doc = tmp;
    }
    simdjson::dom::object obj;
    if (doc.get_object().get(obj)) fail(QStringLiteral("The answer is not a JSON object"));
    element errEl;
    if (!obj["error"].get(errEl)) {
        std::string_view msg;
        if (!errEl.get_string().get(msg)) fail(sv2q(msg));
        fail(QStringLiteral("The server reported an error"));
    }
    element resEl;
    simdjson::dom::array res;
    if (obj["result"].get(resEl)) fail(QStringLiteral("The answer has no result"));
    if (resEl.get_array().get(res)) fail(QStringLiteral("The answer's result is not an array"));
    const size_t want = size_t(m.answerLength());
    if (res.size() != want)
        fail(QStringLiteral("The answer of %1 holds %2 values, expected %3")
                 .arg(QLatin1String(m.name))
                 .arg(qulonglong(res.size()))
                 .arg(want));
    std::vector<WireValue> out;
    out.reserve(want);
    size_t i = 0;
    for (element e : res) {
        if (i < m.outs.size()) {
            out.push_back(decodeTyped(e, m.outs[i], QStringLiteral("Out-parameter %1 of %2").arg(QLatin1String(m.outs[i].name), QLatin1String(m.name))));
        } else {
            out.push_back(decodeTyped(e, m.result, QStringLiteral("The result of %1").arg(QLatin1String(m.name))));
        }
        ++i;
    }
    return out;
}

std::vector<WireValue> decodePathArguments(const std::vector<QString> &segs, const MethodSpec &m) {
    if (segs.size() != m.inputs.size())
        fail(QStringLiteral("%1 takes %2 parameters, %3 given")
                 .arg(QLatin1String(m.name))
                 .arg(m.inputs.size())
                 .arg(segs.size()));
    std::vector<WireValue> out;
    for (size_t i = 0; i < segs.size(); ++i) {
        const ParamSpec &p = m.inputs[i];
        const QString &s = segs[i];
        bool ok = true;
        switch (p.type) {
        case WireType::Text: out.emplace_back(s); break;
        case WireType::Integer: {
            const qlonglong v = s.toLongLong(&ok);
            if (!ok || v < INT32_MIN || v > INT32_MAX) fail(QStringLiteral("Parameter %1 is not a 32-bit integer").arg(i));
            out.emplace_back(int32_t(v));
            break;
        }
        case WireType::Double: {
            const double v = s.toDouble(&ok);
            if (!ok) fail(QStringLiteral("Parameter %1 is not a number").arg(i));
            out.emplace_back(v);
            break;
        }
        case WireType::Boolean:
            if (s == QLatin1String("true")) out.emplace_back(true);
            else if (s == QLatin1String("false")) out.emplace_back(false);
            else fail(QStringLiteral("Parameter %1 is not a Boolean").arg(i));
            break;
        case WireType::Object: {
            if (s.isEmpty() || s == QLatin1String("null")) {
                out.emplace_back(WireObject{});
                break;
            }
            QJsonParseError pe;
            const QJsonDocument d = QJsonDocument::fromJson(s.toUtf8(), &pe);
            if (!d.isObject()) fail(QStringLiteral("Parameter %1 is not a JSON object").arg(i));
            out.emplace_back(WireObject{d.object(), false});
            break;
        }
        default: fail(QStringLiteral("Parameter %1 cannot be given in a path").arg(i));
        }
    }
    return out;
}

// ---------------------------------------------------------------- typed reads

template <typename T> static const T *as(const WireValue &v) { return std::get_if<T>(&v); }

static QString wrongKind(const char *what, const char *expected) {
    return QStringLiteral("%1 is not %2").arg(QLatin1String(what), QLatin1String(expected));
}

QString wireText(const WireValue &v, const char *what) {
    if (auto p = as<QString>(v)) return *p;
    if (std::holds_alternative<std::monostate>(v)) return {};
    throw RemoteError(wrongKind(what, "a text"));
}
int32_t wireInt(const WireValue &v, const char *what) {
    if (auto p = as<int32_t>(v)) return *p;
    throw RemoteError(wrongKind(what, "an integer"));
}
int64_t wireInt64(const WireValue &v, const char *what) {
    if (auto p = as<int64_t>(v)) return *p;
    if (auto p = as<int32_t>(v)) return *p;
    throw RemoteError(wrongKind(what, "a 64-bit integer"));
}
double wireDouble(const WireValue &v, const char *what) {
    if (auto p = as<double>(v)) return *p;
    if (auto p = as<int32_t>(v)) return *p;
    throw RemoteError(wrongKind(what, "a number"));
}
bool wireBool(const WireValue &v, const char *what) {
    if (auto p = as<bool>(v)) return *p;
    throw RemoteError(wrongKind(what, "a Boolean"));
}
QByteArray wireStream(WireValue &v, const char *what) {
    if (auto p = std::get_if<QByteArray>(&v)) return std::move(*p);
    if (std::holds_alternative<std::monostate>(v)) return {};
    throw RemoteError(wrongKind(what, "a byte stream"));
}
TableData wireTable(WireValue &v, const char *what) {
    if (auto p = std::get_if<TableData>(&v)) return std::move(*p);
    throw RemoteError(wrongKind(what, "a table"));
}
const QJsonObject *wireObject(const WireValue &v, const char *what) {
    if (auto p = as<WireObject>(v)) return p->isNull ? nullptr : &p->value;
    throw RemoteError(wrongKind(what, "an object"));
}

} // namespace b2b
