#pragma once
// Where the client finds its server: compile-time defaults, overridden by environment variables
// and then by command-line options, so one binary runs against the reference server on loopback,
// in a LAN and in the firm's deployment.

#include <QMap>
#include <QString>
#include <QStringList>

namespace b2b {

struct IstemciAdresleri {
    QString host;     // public host of the server (SunucuAdresi), also the web site's host
    QString lanHost;  // the same server seen from its local network
    QString publicIp; // the server's public IPv4; an echo answer equal to it means "same LAN"
    int webPort = 80; // port of the web site (pictures, request page, echo)
    QString echoUrl;  // empty: the public host's web site + "ip"
    int port = 9090;  // the application server's port

    // "http://H/" or "http://H:P/" for the web port.
    QString webKoku(const QString &h) const;
    QString echoAdresi() const;
    // The firm's web site as shown in the menu: host, plus ":port" when not 80.
    QString webSitesiAdi() const;
};

// The built-in values (set at configure time, see docs/client.md).
IstemciAdresleri VarsayilanAdresler();

enum class SecenekSonucu { Calistir, MakineId, Yardim, Hata };

// Reads B2B_HOST, B2B_LAN_HOST, B2B_PUBLIC_IP, B2B_WEB_PORT, B2B_ECHO_URL, B2B_PORT from `env`,
// then the options of `args` (args[0] is the program). On Hata, `message` says what is wrong.
SecenekSonucu SecenekleriOku(const QStringList &args, const QMap<QString, QString> &env, IstemciAdresleri &out,
                             QString *message);
QString SecenekYardimi();
QMap<QString, QString> OrtamDegiskenleri(); // the process environment

// The process-wide choice made at start-up.
IstemciAdresleri Adresler();
void SetAdresler(const IstemciAdresleri &a);

// Endpoint settings (SunucuAdresi, ResimAdresi, WebAdresi) to the public defaults / LAN variants.
void KamuAdresleriniKur();
void YerelAgAdresleriniKur();
// True when the echo answer shows the client behind the server's own public address.
bool SunucuylaAyniAgda(const QString &disIp);

} // namespace b2b
