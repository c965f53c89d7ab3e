// b2b-call: calls any remote method through the client's call layer and prints the answer.
#include "proxim.h"
#include "utils.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <cstdio>

using namespace b2b;

namespace {

void out(const QString &s) {
    const QByteArray b = s.toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), stdout);
}

int fail(const QString &s) {
    const QByteArray b = (s + u'\n').toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), stderr);
    return 1;
}

QString tableAsText(const TableData &t) {
    if (t.columns.empty()) return QStringLiteral("(no columns, %1 rows)\n").arg(t.rowCount);
    RecordSet rs;
    rs.Load(t);
    SayiFormatla(rs);
    std::vector<int> width(t.columns.size());
    for (size_t c = 0; c < t.columns.size(); ++c) {
        width[c] = int(t.columns[c].def.name.size());
        for (int r = 0; r < t.rowCount; ++r) width[c] = std::max(width[c], int(rs.DisplayText(r, int(c)).size()));
        width[c] = std::min(width[c], 60);
    }
    QString s;
    auto cell = [&](const QString &v, size_t c) {
        QString x = v.left(60);
        x.replace(u'\n', u' ');
        const bool right = isNumericKind(t.columns[c].def.kind);
        s += right ? x.rightJustified(width[c]) : x.leftJustified(width[c]);
        s += c + 1 < t.columns.size() ? QStringLiteral("  ") : QStringLiteral("\n");
    };
    for (size_t c = 0; c < t.columns.size(); ++c) cell(t.columns[c].def.name, c);
    for (int r = 0; r < t.rowCount; ++r)
        for (size_t c = 0; c < t.columns.size(); ++c) cell(rs.DisplayText(r, int(c)), c);
    s += QStringLiteral("(%1 rows)\n").arg(t.rowCount);
    return s;
}

WireValue parseArg(const ParamSpec &p, const QString &text, const TSonucBilgisi &login) {
    bool ok = true;
    switch (p.type) {
    case WireType::Text: return text;
    case WireType::Integer: {
        const qlonglong v = text.toLongLong(&ok);
        if (!ok || v < INT32_MIN || v > INT32_MAX)
            throw RemoteError(QStringLiteral("%1 must be a 32-bit integer: %2").arg(QLatin1String(p.name), text));
        return int32_t(v);
    }
    case WireType::Double: {
        const double v = text.toDouble(&ok);
        if (!ok) throw RemoteError(QStringLiteral("%1 must be a number: %2").arg(QLatin1String(p.name), text));
        return v;
    }
    case WireType::Boolean: return text == QLatin1String("true") || text == QLatin1String("1");
    case WireType::Object: return argObject(login);
    default: throw RemoteError(QStringLiteral("%1 cannot be given on the command line").arg(QLatin1String(p.name)));
    }
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("b2b-call"));
    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral(
        "Calls a remote method of the application server and prints the answer.\n"
        "Login-record parameters take --user-json (or a default record); give the other inputs in order."));
    cli.addHelpOption();
    cli.addOption({QStringLiteral("host"), QStringLiteral("Server host (default 127.0.0.1)."), QStringLiteral("host"),
                   QStringLiteral("127.0.0.1")});
    cli.addOption({QStringLiteral("port"), QStringLiteral("Server port (default 9090)."), QStringLiteral("port"),
                   QStringLiteral("9090")});
    cli.addOption({QStringLiteral("json"), QStringLiteral("Print the answer as JSON.")});
    cli.addOption({QStringLiteral("out"), QStringLiteral("Write a stream result to this file."), QStringLiteral("file")});
    cli.addOption({QStringLiteral("user-json"),
                   QStringLiteral("Login record fields as JSON (e.g. {\"FCARINO\":5}) or @file."),
                   QStringLiteral("json")});
    cli.addOption({QStringLiteral("list"), QStringLiteral("List the methods with their parameters.")});
    cli.addPositionalArgument(QStringLiteral("method"), QStringLiteral("Remote method name, e.g. KayanYaziGetir."));
    cli.addPositionalArgument(QStringLiteral("args"), QStringLiteral("Inputs in order."), QStringLiteral("[args...]"));
    cli.process(app);

    if (cli.isSet(QStringLiteral("list"))) {
        for (const MethodSpec &m : methodCatalog()) {
            QStringList ps;
            for (const ParamSpec &p : m.inputs)
                ps << QStringLiteral("%1: %2").arg(QLatin1String(p.name),
                                                   p.objectClass ? QLatin1String(p.objectClass) : wireTypeName(p.type));
            out(QStringLiteral("%1(%2) -> %3\n").arg(QLatin1String(m.name), ps.join(QStringLiteral("; ")),
                                                     resultKindName(m.kind)));
        }
        return 0;
    }
    const QStringList pos = cli.positionalArguments();
    if (pos.isEmpty()) return fail(QStringLiteral("No method given (see --help or --list)."));
    const MethodSpec *m = findMethod(pos[0]);
    if (!m) return fail(QStringLiteral("Unknown method: %1 (see --list)").arg(pos[0]));

    try {
        TSonucBilgisi login;
        if (cli.isSet(QStringLiteral("user-json"))) {
            QByteArray js = cli.value(QStringLiteral("user-json")).toUtf8();
            if (js.startsWith('@')) {
                QFile f(QString::fromUtf8(js.mid(1)));
                if (!f.open(QIODevice::ReadOnly)) return fail(QStringLiteral("Cannot read %1").arg(f.fileName()));
                js = f.readAll();
            }
            QJsonParseError pe;
            const QJsonDocument d = QJsonDocument::fromJson(js, &pe);
            if (!d.isObject()) return fail(QStringLiteral("--user-json is not a JSON object: %1").arg(pe.errorString()));
            QJsonObject o = d.object();
            login = o.contains(QStringLiteral("fields")) ? TSonucBilgisi::unmarshal(o) : TSonucBilgisi::fromFields(o);
        }
        std::vector<WireValue> inputs;
        int next = 1;
        for (const ParamSpec &p : m->inputs) {
            if (p.type == WireType::Object) {
                inputs.push_back(argObject(login));
                continue;
            }
            if (next >= pos.size())
                return fail(QStringLiteral("%1 needs the input %2 (%3)")
                                .arg(QLatin1String(m->name), QLatin1String(p.name), wireTypeName(p.type)));
            inputs.push_back(parseArg(p, pos[next++], login));
        }
        if (next < pos.size()) return fail(QStringLiteral("Too many inputs for %1").arg(QLatin1String(m->name)));

        Connection c;
        c.Params[QStringLiteral("HostName")] = cli.value(QStringLiteral("host"));
        c.Params[QStringLiteral("Port")] = cli.value(QStringLiteral("port"));
        c.Open();
        TServerMethods1Client proxy(c);
        std::vector<WireValue> result = proxy.Invoke(*m, inputs);
        c.Close();

        if (cli.isSet(QStringLiteral("json"))) {
            JsonWriter w;
            w.raw("[");
            for (size_t i = 0; i < result.size(); ++i) {
                if (i) w.raw(",");
                if (cli.isSet(QStringLiteral("out")) && std::holds_alternative<QByteArray>(result[i])) w.null();
                else writeValue(w, result[i]);
            }
            w.raw("]\n");
            std::fwrite(w.out.data(), 1, w.out.size(), stdout);
        }
        for (size_t i = 0; i < result.size(); ++i) {
            const bool isOut = i < m->outs.size();
            const QString label = isOut ? QLatin1String(m->outs[i].name) : QStringLiteral("result");
            WireValue &v = result[i];
            if (auto *bytes = std::get_if<QByteArray>(&v)) {
                if (cli.isSet(QStringLiteral("out"))) {
                    QFile f(cli.value(QStringLiteral("out")));
                    if (!f.open(QIODevice::WriteOnly) || f.write(*bytes) != bytes->size())
                        return fail(QStringLiteral("Cannot write %1").arg(f.fileName()));
                    if (!cli.isSet(QStringLiteral("json")))
                        out(QStringLiteral("%1: %2 bytes written to %3\n").arg(label).arg(bytes->size()).arg(f.fileName()));
                } else if (!cli.isSet(QStringLiteral("json"))) {
                    out(QStringLiteral("%1: %2 bytes (use --out FILE to save)\n").arg(label).arg(bytes->size()));
                }
                continue;
            }
            if (cli.isSet(QStringLiteral("json"))) continue;
            if (auto *t = std::get_if<TableData>(&v)) out(tableAsText(*t));
            else if (auto *o = std::get_if<WireObject>(&v))
                out(o->isNull ? QStringLiteral("%1: null\n").arg(label)
                              : QString::fromUtf8(QJsonDocument(o->value).toJson(QJsonDocument::Indented)));
            else if (auto *s = std::get_if<QString>(&v)) out(QStringLiteral("%1: %2\n").arg(label, *s));
            else if (auto *n = std::get_if<int32_t>(&v)) out(QStringLiteral("%1: %2\n").arg(label).arg(*n));
            else if (auto *n64 = std::get_if<int64_t>(&v)) out(QStringLiteral("%1: %2\n").arg(label).arg(*n64));
            else if (auto *d = std::get_if<double>(&v)) out(QStringLiteral("%1: %2\n").arg(label).arg(*d, 0, 'g', 17));
            else if (auto *b = std::get_if<bool>(&v)) out(QStringLiteral("%1: %2\n").arg(label, *b ? "true" : "false"));
            else out(QStringLiteral("%1: null\n").arg(label));
        }
        return 0;
    } catch (const RemoteError &e) {
        return fail(e.text);
    } catch (const RecordSetError &e) {
        return fail(e.text);
    }
}
