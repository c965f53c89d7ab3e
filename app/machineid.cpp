#include "machineid.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QThread>

#include <algorithm>
#include <curl/curl.h>
#include <mutex>
#include <netdb.h>
#include <pwd.h>
#include <sys/socket.h>
#include <arpa/inet.h>
#include <unistd.h>
#include <vector>

namespace b2b {

namespace {

QMutex g_lock;
MakineKaynaklari g_kaynaklar;
std::function<void(int)> g_bekle;

// Small sysfs attributes only; a serial is never long.
QByteArray readSmall(const QString &path, qint64 limit = 4096) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.read(limit);
}

// Printable ASCII only: a serial with control bytes in it must not reach the server as such.
QString printable(const QByteArray &raw) {
    QString s;
    for (char ch : raw) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c < 0x7f) s += QLatin1Char(char(c));
    }
    return s;
}

QString cleanSerial(const QByteArray &raw) { return printable(raw).toUpper().trimmed(); }

// SCSI unit serial number page (0x80): 4 header bytes, then the serial.
QString serialFromVpd80(const QByteArray &page) {
    if (page.size() < 4 || static_cast<unsigned char>(page[1]) != 0x80) return {};
    const int len = (static_cast<unsigned char>(page[2]) << 8) | static_cast<unsigned char>(page[3]);
    return cleanSerial(page.mid(4, len));
}

QString serialFromUdev(const QString &udevData, const QString &majMin) {
    if (majMin.isEmpty()) return {};
    const QByteArray db = readSmall(udevData + QStringLiteral("/b") + majMin, 1 << 16);
    QString shortSerial, serial;
    for (const QByteArray &line : db.split('\n')) {
        if (line.startsWith("E:ID_SERIAL_SHORT=")) shortSerial = cleanSerial(line.mid(18));
        else if (line.startsWith("E:ID_SERIAL=")) serial = cleanSerial(line.mid(12));
    }
    return shortSerial.isEmpty() ? serial : shortSerial;
}

bool isPhysicalDisk(const QString &dir) {
    if (!QFileInfo::exists(dir + QStringLiteral("/device"))) return false; // loop, ram, zram, dm, md
    return readSmall(dir + QStringLiteral("/removable")).trimmed() != "1";
}

QString macText(const QByteArray &sysfsAddress) {
    const QList<QByteArray> parts = sysfsAddress.trimmed().split(':');
    if (parts.size() != 6) return {};
    QStringList out;
    for (const QByteArray &p : parts) {
        bool ok = false;
        const uint v = p.toUInt(&ok, 16);
        if (!ok || v > 0xff || p.size() > 2) return {};
        out << QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out.join(u'-');
}

} // namespace

void SetMakineKaynaklari(const MakineKaynaklari &k) {
    QMutexLocker l(&g_lock);
    g_kaynaklar = k;
}

MakineKaynaklari CurrentMakineKaynaklari() {
    QMutexLocker l(&g_lock);
    return g_kaynaklar;
}

QString DiskSeriNoAl(const MakineKaynaklari &k) {
    const QString blockDir = k.sysfs + QStringLiteral("/block");
    QStringList names = QDir(blockDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    names.sort(); // by name: nvme0n1, sda, sdb, vda ...
    for (const QString &name : std::as_const(names)) {
        const QString dir = blockDir + u'/' + name;
        if (!isPhysicalDisk(dir)) continue;
        // The first physical disk decides, as drive 0 does elsewhere; a disk without a serial
        // gives the empty text and the adapter address takes over.
        QString serial = cleanSerial(readSmall(dir + QStringLiteral("/serial")));
        if (serial.isEmpty()) serial = cleanSerial(readSmall(dir + QStringLiteral("/device/serial")));
        if (serial.isEmpty()) serial = serialFromVpd80(readSmall(dir + QStringLiteral("/device/vpd_pg80")));
        if (serial.isEmpty())
            serial = serialFromUdev(k.udevData, QString::fromLatin1(readSmall(dir + QStringLiteral("/dev")).trimmed()));
        return serial;
    }
    return {};
}

QString MacAdresiAl(const MakineKaynaklari &k) {
    const QString netDir = k.sysfs + QStringLiteral("/class/net");
    struct Adapter {
        bool physical;
        int index;
        QString name;
        QString mac;
    };
    std::vector<Adapter> adapters;
    const QStringList names =
        QDir(netDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString &name : names) {
        const QString dir = netDir + u'/' + name;
        if (name == QLatin1String("lo")) continue;
        const QString mac = macText(readSmall(dir + QStringLiteral("/address")));
        if (mac.isEmpty()) continue;
        bool ok = false;
        int index = readSmall(dir + QStringLiteral("/ifindex")).trimmed().toInt(&ok);
        if (!ok) index = 1 << 30;
        adapters.push_back({QFileInfo::exists(dir + QStringLiteral("/device")), index, name, mac});
    }
    std::sort(adapters.begin(), adapters.end(), [](const Adapter &a, const Adapter &b) {
        if (a.physical != b.physical) return a.physical;
        if (a.index != b.index) return a.index < b.index;
        return a.name < b.name;
    });
    for (const Adapter &a : adapters)
        if (a.mac != QLatin1String("00-00-00-00-00-00")) return a.mac;
    return {};
}

QString BilgisayarIdAl(const MakineKaynaklari &k) {
    QString id = DiskSeriNoAl(k).trimmed();
    if (id.isEmpty()) id = MacAdresiAl(k).trimmed();
    id.remove(u' ');
    return id;
}

QString BilgisayarIdAl() { return BilgisayarIdAl(CurrentMakineKaynaklari()); }

QString BilgisayarAdiAl() {
    char buf[256] = {0};
    if (::gethostname(buf, sizeof buf - 1) != 0) return {};
    QString name = QString::fromLocal8Bit(buf);
    const qsizetype dot = name.indexOf(u'.');
    if (dot > 0) name.truncate(dot);
    return name.left(15);
}

QString KullaniciAdiAl() {
    QString name;
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buf(size_t(size > 0 ? size : 16384));
    passwd pw{};
    passwd *res = nullptr;
    if (::getpwuid_r(::geteuid(), &pw, buf.data(), buf.size(), &res) == 0 && res && res->pw_name)
        name = QString::fromLocal8Bit(res->pw_name);
    if (name.isEmpty()) name = qEnvironmentVariable("USER");
    return name.left(15);
}

QString IcIpAl() {
    char host[256] = {0};
    if (::gethostname(host, sizeof host - 1) != 0) return QStringLiteral("127.0.0.1");
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *res = nullptr;
    if (::getaddrinfo(host, nullptr, &hints, &res) != 0 || !res) return QStringLiteral("127.0.0.1");
    char text[INET_ADDRSTRLEN] = {0};
    const auto *sin = reinterpret_cast<const sockaddr_in *>(res->ai_addr);
    const bool ok = ::inet_ntop(AF_INET, &sin->sin_addr, text, sizeof text) != nullptr;
    ::freeaddrinfo(res);
    return ok ? QString::fromLatin1(text) : QStringLiteral("127.0.0.1");
}

namespace {

struct Probe {
    std::string body;
    bool tooLarge = false;
    QElapsedTimer clock;
    qint64 lastActivity = -1; // ms since start when connected or when data last arrived
    curl_off_t lastBytes = 0;
    int readTimeoutMs = 0;
    bool readTimedOut = false;
    CURL *curl = nullptr;
};

size_t probeWrite(char *ptr, size_t size, size_t nmemb, void *user) {
    auto *p = static_cast<Probe *>(user);
    const size_t n = size * nmemb;
    if (p->body.size() + n > 64 * 1024) { // an address is a few bytes; anything big is not an echo
        p->tooLarge = true;
        return 0;
    }
    p->body.append(ptr, n);
    return n;
}

int probeProgress(void *user, curl_off_t, curl_off_t dlnow, curl_off_t, curl_off_t) {
    auto *p = static_cast<Probe *>(user);
    const qint64 now = p->clock.elapsed();
    if (p->lastActivity < 0) {
        curl_off_t connectUs = 0;
        curl_easy_getinfo(p->curl, CURLINFO_CONNECT_TIME_T, &connectUs);
        if (connectUs > 0) p->lastActivity = now;
        return 0;
    }
    if (dlnow != p->lastBytes) {
        p->lastBytes = dlnow;
        p->lastActivity = now;
        return 0;
    }
    if (now - p->lastActivity > p->readTimeoutMs) {
        p->readTimedOut = true;
        return 1;
    }
    return 0;
}

} // namespace

bool DisIpDene(const QString &echoUrl, int connectTimeoutMs, int readTimeoutMs, QString *answer, QString *error) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    CURL *c = curl_easy_init();
    if (!c) {
        if (error) *error = QStringLiteral("Cannot create an HTTP session");
        return false;
    }
    Probe p;
    p.curl = c;
    p.readTimeoutMs = readTimeoutMs;
    p.clock.start();
    char err[CURL_ERROR_SIZE] = {0};
    const QByteArray url = echoUrl.toUtf8();
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, err);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_PROXY, "");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(connectTimeoutMs));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, probeWrite);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &p);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, probeProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &p);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    const CURLcode rc = curl_easy_perform(c);
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(c);
    if (rc != CURLE_OK) {
        if (error) {
            if (p.readTimedOut) *error = QStringLiteral("Read timed out");
            else if (p.tooLarge) *error = QStringLiteral("The answer is too large");
            else *error = err[0] ? QString::fromLocal8Bit(err) : QString::fromLatin1(curl_easy_strerror(rc));
        }
        return false;
    }
    if (status < 200 || status > 299) {
        if (error) *error = QStringLiteral("HTTP %1").arg(status);
        return false;
    }
    if (answer) *answer = QString::fromUtf8(p.body).trimmed();
    return true;
}

void SetDisIpBekleme(std::function<void(int)> wait) {
    QMutexLocker l(&g_lock);
    g_bekle = std::move(wait);
}

QString DisIpBul(const QString &echoUrl, const std::atomic<bool> *iptal) {
    for (;;) {
        if (iptal && iptal->load()) return {};
        QString answer;
        if (DisIpDene(echoUrl, kDisIpConnectTimeoutMs, kDisIpReadTimeoutMs, &answer, nullptr)) return answer;
        std::function<void(int)> wait;
        {
            QMutexLocker l(&g_lock);
            wait = g_bekle;
        }
        if (wait) {
            wait(kDisIpRetryMs);
        } else {
            // Sleep in short slices so a cancelled probe ends quickly.
            for (int slept = 0; slept < kDisIpRetryMs && !(iptal && iptal->load()); slept += 50)
                QThread::msleep(50);
        }
    }
}

} // namespace b2b
