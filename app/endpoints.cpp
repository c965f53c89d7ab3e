#include "endpoints.h"

#include "utils.h"

#include <QMutex>
#include <QProcessEnvironment>
#include <QUrl>

#ifndef B2B_DEFAULT_HOST
#define B2B_DEFAULT_HOST "b2b.telvarotomotiv.com.tr"
#endif
#ifndef B2B_DEFAULT_LAN_HOST
#define B2B_DEFAULT_LAN_HOST "192.168.1.10"
#endif
#ifndef B2B_DEFAULT_PUBLIC_IP
#define B2B_DEFAULT_PUBLIC_IP "203.0.113.10"
#endif
#ifndef B2B_DEFAULT_WEB_PORT
#define B2B_DEFAULT_WEB_PORT 80
#endif

namespace b2b {

namespace {

QMutex g_lock;
IstemciAdresleri g_adresler = VarsayilanAdresler();

QString hostPart(const QString &h) {
    // IPv6 literals need brackets inside a URL.
    if (h.contains(u':') && !h.startsWith(u'[')) return u'[' + h + u']';
    return h;
}

bool readPort(const QString &text, int *out) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < 1 || v > 65535) return false;
    *out = v;
    return true;
}

bool validHost(const QString &h) {
    if (h.trimmed().isEmpty() || h.trimmed() != h) return false;
    for (QChar c : h)
        if (c.isSpace() || c == u'/' || c == u'?' || c == u'#' || c == u'@') return false;
    return true;
}

bool validIpv4(const QString &a) {
    const QStringList parts = a.split(u'.');
    if (parts.size() != 4) return false;
    for (const QString &p : parts) {
        bool ok = false;
        const int v = p.toInt(&ok);
        if (!ok || p.isEmpty() || p.size() > 3 || v < 0 || v > 255) return false;
    }
    return true;
}

bool validEchoUrl(const QString &u) {
    const QUrl url(u, QUrl::StrictMode);
    return url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
           !url.host().isEmpty();
}

struct Option {
    const char *flag;
    const char *env;
};
const Option kOptions[] = {
    {"--host", "B2B_HOST"},           {"--lan-host", "B2B_LAN_HOST"}, {"--public-ip", "B2B_PUBLIC_IP"},
    {"--web-port", "B2B_WEB_PORT"},   {"--echo-url", "B2B_ECHO_URL"}, {"--port", "B2B_PORT"},
};

// Applies one value; `source` names it in the error text.
bool apply(IstemciAdresleri &a, const QString &flag, const QString &value, const QString &source, QString *message) {
    auto fail = [&](const QString &why) {
        if (message) *message = QStringLiteral("%1: %2 (\"%3\")").arg(source, why, value);
        return false;
    };
    if (flag == QLatin1String("--host")) {
        if (!validHost(value)) return fail(QStringLiteral("not a host name or address"));
        a.host = value;
    } else if (flag == QLatin1String("--lan-host")) {
        if (!validHost(value)) return fail(QStringLiteral("not a host name or address"));
        a.lanHost = value;
    } else if (flag == QLatin1String("--public-ip")) {
        // Empty turns the LAN switch off.
        if (!value.isEmpty() && !validIpv4(value)) return fail(QStringLiteral("not an IPv4 address"));
        a.publicIp = value;
    } else if (flag == QLatin1String("--web-port")) {
        if (!readPort(value, &a.webPort)) return fail(QStringLiteral("not a port number (1-65535)"));
    } else if (flag == QLatin1String("--echo-url")) {
        if (!value.isEmpty() && !validEchoUrl(value)) return fail(QStringLiteral("not an http(s) address"));
        a.echoUrl = value;
    } else if (flag == QLatin1String("--port")) {
        if (!readPort(value, &a.port)) return fail(QStringLiteral("not a port number (1-65535)"));
    }
    return true;
}

} // namespace

QString IstemciAdresleri::webKoku(const QString &h) const {
    if (webPort == 80) return QStringLiteral("http://%1/").arg(hostPart(h));
    return QStringLiteral("http://%1:%2/").arg(hostPart(h)).arg(webPort);
}

QString IstemciAdresleri::echoAdresi() const {
    return echoUrl.isEmpty() ? webKoku(host) + QStringLiteral("ip") : echoUrl;
}

QString IstemciAdresleri::webSitesiAdi() const {
    if (webPort == 80) return host;
    return QStringLiteral("%1:%2").arg(hostPart(host)).arg(webPort);
}

IstemciAdresleri VarsayilanAdresler() {
    IstemciAdresleri a;
    a.host = QStringLiteral(B2B_DEFAULT_HOST);
    a.lanHost = QStringLiteral(B2B_DEFAULT_LAN_HOST);
    a.publicIp = QStringLiteral(B2B_DEFAULT_PUBLIC_IP);
    a.webPort = B2B_DEFAULT_WEB_PORT;
    a.port = 9090;
    return a;
}

SecenekSonucu SecenekleriOku(const QStringList &args, const QMap<QString, QString> &env, IstemciAdresleri &out,
                             QString *message) {
    IstemciAdresleri a = out;
    for (const Option &o : kOptions) {
        const QString name = QString::fromLatin1(o.env);
        if (!env.contains(name)) continue;
        if (!apply(a, QString::fromLatin1(o.flag), env.value(name), name, message)) return SecenekSonucu::Hata;
    }
    bool machineId = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString arg = args[i];
        if (arg == QLatin1String("--machine-id")) {
            machineId = true;
            continue;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) return SecenekSonucu::Yardim;
        QString flag = arg, value;
        bool haveValue = false;
        const qsizetype eq = arg.indexOf(u'=');
        if (arg.startsWith(QLatin1String("--")) && eq > 2) {
            flag = arg.left(eq);
            value = arg.mid(eq + 1);
            haveValue = true;
        }
        bool known = false;
        for (const Option &o : kOptions) known = known || flag == QLatin1String(o.flag);
        if (!known) {
            // Qt's own options (-platform, -style ...) were taken out by QApplication already.
            if (message) *message = QStringLiteral("unknown option \"%1\"").arg(arg);
            return SecenekSonucu::Hata;
        }
        if (!haveValue) {
            if (i + 1 >= args.size()) {
                if (message) *message = QStringLiteral("%1 needs a value").arg(flag);
                return SecenekSonucu::Hata;
            }
            value = args[++i];
        }
        if (!apply(a, flag, value, flag, message)) return SecenekSonucu::Hata;
    }
    out = a;
    return machineId ? SecenekSonucu::MakineId : SecenekSonucu::Calistir;
}

QString SecenekYardimi() {
    return QStringLiteral(
        "Usage: b2b-client [options]\n"
        "  --host H        public host of the application server (B2B_HOST)\n"
        "  --lan-host H    the server's address inside its local network (B2B_LAN_HOST)\n"
        "  --public-ip A   the server's public IPv4; an echo answer equal to it selects --lan-host "
        "(B2B_PUBLIC_IP; empty: never)\n"
        "  --web-port P    port of the web site (pictures, request page, echo), default 80 (B2B_WEB_PORT)\n"
        "  --echo-url U    public address echo service, default http://HOST[:WEB-PORT]/ip (B2B_ECHO_URL)\n"
        "  --port P        application server port, default 9090 (B2B_PORT)\n"
        "  --machine-id    print this computer's machine identifier and exit\n"
        "Options win over environment variables, which win over the built-in values.\n");
}

QMap<QString, QString> OrtamDegiskenleri() {
    QMap<QString, QString> m;
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &k : env.keys()) m.insert(k, env.value(k));
    return m;
}

IstemciAdresleri Adresler() {
    QMutexLocker l(&g_lock);
    return g_adresler;
}

void SetAdresler(const IstemciAdresleri &a) {
    QMutexLocker l(&g_lock);
    g_adresler = a;
}

void KamuAdresleriniKur() {
    const IstemciAdresleri a = Adresler();
    SetSunucuAdresi(a.host);
    SetResimAdresi(a.webKoku(a.host) + QStringLiteral("resimgoster.ashx?id="));
    SetWebAdresi(a.webKoku(a.host));
}

void YerelAgAdresleriniKur() {
    const IstemciAdresleri a = Adresler();
    SetSunucuAdresi(a.lanHost);
    SetResimAdresi(a.webKoku(a.lanHost) + QStringLiteral("resimgoster.ashx?id="));
    SetWebAdresi(a.webKoku(a.lanHost));
}

bool SunucuylaAyniAgda(const QString &disIp) {
    const QString own = Adresler().publicIp.trimmed();
    return !own.isEmpty() && disIp == own;
}

} // namespace b2b
