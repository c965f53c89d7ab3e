#include "transfer.h"

#include "errors.h"

#include <QJsonArray>
#include <cmath>

namespace b2b {

namespace {

QString typeError(const char *field, const char *expected) {
    return QStringLiteral("Field %1 of a transfer object is not %2").arg(QLatin1String(field), QLatin1String(expected));
}

void readField(const QJsonObject &o, const char *name, QString &out) {
    const auto it = o.constFind(QLatin1String(name));
    if (it == o.constEnd() || it->isNull()) return;
    if (!it->isString()) throw RemoteError(typeError(name, "a text"));
    out = it->toString();
}

void readField(const QJsonObject &o, const char *name, int &out) {
    const auto it = o.constFind(QLatin1String(name));
    if (it == o.constEnd() || it->isNull()) return;
    const double d = it->toDouble(NAN);
    if (!it->isDouble() || std::floor(d) != d || d < -2147483648.0 || d > 2147483647.0)
        throw RemoteError(typeError(name, "a 32-bit integer"));
    out = int(d);
}

void readField(const QJsonObject &o, const char *name, double &out) {
    const auto it = o.constFind(QLatin1String(name));
    if (it == o.constEnd() || it->isNull()) return;
    if (!it->isDouble()) throw RemoteError(typeError(name, "a number"));
    out = it->toDouble();
}

void readField(const QJsonObject &o, const char *name, bool &out) {
    const auto it = o.constFind(QLatin1String(name));
    if (it == o.constEnd() || it->isNull()) return;
    if (!it->isBool()) throw RemoteError(typeError(name, "a Boolean"));
    out = it->toBool();
}

QJsonObject envelope(const QString &type, int id, const QJsonObject &fields) {
    QJsonObject o;
    o.insert(QStringLiteral("type"), type);
    o.insert(QStringLiteral("id"), id);
    o.insert(QStringLiteral("fields"), fields);
    return o;
}

QJsonObject fieldsOf(const QJsonObject &obj, const QString &expectedType) {
    const auto t = obj.value(QStringLiteral("type"));
    if (t.isString() && t.toString() != expectedType)
        throw RemoteError(QStringLiteral("Expected an object of type %1, got %2").arg(expectedType, t.toString()));
    const auto f = obj.value(QStringLiteral("fields"));
    if (f.isUndefined() || f.isNull()) return {};
    if (!f.isObject()) throw RemoteError(QStringLiteral("Object of type %1 has no fields member").arg(expectedType));
    return f.toObject();
}

} // namespace

#define B2B_WRITE(Type, Name, Default) f.insert(QStringLiteral("F" #Name), F##Name);
#define B2B_READ(Type, Name, Default) readField(fields, "F" #Name, r.F##Name);

#define B2B_TRANSFER_IMPL(Class, FIELDS)                                                                               \
    QJsonObject Class::toFields() const {                                                                              \
        QJsonObject f;                                                                                                 \
        FIELDS(B2B_WRITE)                                                                                              \
        return f;                                                                                                      \
    }                                                                                                                  \
    Class Class::fromFields(const QJsonObject &fields) {                                                               \
        Class r;                                                                                                       \
        FIELDS(B2B_READ)                                                                                               \
        return r;                                                                                                      \
    }                                                                                                                  \
    QJsonObject Class::marshal(int id) const { return envelope(TypeName(), id, toFields()); }                          \
    Class Class::unmarshal(const QJsonObject &obj) { return fromFields(fieldsOf(obj, TypeName())); }

B2B_TRANSFER_IMPL(TSonucBilgisi, TSONUCBILGISI_FIELDS)
B2B_TRANSFER_IMPL(TSiparisDipAyrinti, TSIPARISDIPAYRINTI_FIELDS)
B2B_TRANSFER_IMPL(TTusSonuclari, TTUSSONUCLARI_FIELDS)
B2B_TRANSFER_IMPL(TMobilCariBilgisi, TMOBILCARIBILGISI_FIELDS)
B2B_TRANSFER_IMPL(TAcilisEkran, TACILISEKRAN_FIELDS)

QJsonObject TAcilisEkranlariki::toFields() const {
    QJsonArray a;
    int id = 2;
    for (const TAcilisEkran &e : FEkranlar) a.append(e.marshal(id++));
    QJsonObject f;
    f.insert(QStringLiteral("FEkranlar"), a);
    return f;
}

TAcilisEkranlariki TAcilisEkranlariki::fromFields(const QJsonObject &fields) {
    TAcilisEkranlariki r;
    const auto v = fields.value(QStringLiteral("FEkranlar"));
    if (v.isUndefined() || v.isNull()) return r;
    if (!v.isArray()) throw RemoteError(QStringLiteral("Field FEkranlar of a transfer object is not an array"));
    for (const auto &e : v.toArray()) {
        if (e.isNull()) continue;
        if (!e.isObject()) throw RemoteError(QStringLiteral("Field FEkranlar holds a value that is not an object"));
        r.FEkranlar.push_back(TAcilisEkran::unmarshal(e.toObject()));
    }
    return r;
}

QJsonObject TAcilisEkranlariki::marshal(int id) const { return envelope(TypeName(), id, toFields()); }
TAcilisEkranlariki TAcilisEkranlariki::unmarshal(const QJsonObject &obj) { return fromFields(fieldsOf(obj, TypeName())); }

static int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

QByteArray HexCoz(QStringView text) {
    QByteArray out;
    out.reserve(text.size() / 2 + 1);
    qsizetype i = 0;
    for (; i + 1 < text.size(); i += 2) {
        const int hi = hexValue(text[i]), lo = hexValue(text[i + 1]);
        if (hi < 0 || lo < 0)
            throw RemoteError(QStringLiteral("'%1' is not a valid hexadecimal value").arg(text.mid(i, 2).toString()));
        out.append(char(hi * 16 + lo));
    }
    if (i < text.size()) {
        const int v = hexValue(text[i]);
        if (v < 0) throw RemoteError(QStringLiteral("'%1' is not a valid hexadecimal value").arg(text[i]));
        out.append(char(v));
    }
    return out;
}

QString HexKodla(const QByteArray &bytes) { return QString::fromLatin1(bytes.toHex().toUpper()); }

} // namespace b2b
