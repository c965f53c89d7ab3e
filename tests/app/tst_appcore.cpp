// Machine identity (with a made-up sysfs tree), the public address probe against a local echo
// service, the endpoint options and the ayar.ini file.

#include "ayarini.h"
#include "endpoints.h"
#include "machineid.h"
#include "scriptserver.h"
#include "utils.h"

#include <httplib.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <functional>
#include <sys/stat.h>
#include <thread>

using namespace b2b;

namespace {

void put(const QString &path, const QByteArray &content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

void mkdir(const QString &path) { QDir().mkpath(path); }

// A block device as sysfs shows it; `physical` gives it a device directory.
void disk(const QString &root, const QString &name, bool physical, const QByteArray &removable = "0\n") {
    mkdir(root + "/block/" + name);
    put(root + "/block/" + name + "/removable", removable);
    if (physical) mkdir(root + "/block/" + name + "/device");
}

void adapter(const QString &root, const QString &name, const QByteArray &mac, int index, bool physical) {
    put(root + "/class/net/" + name + "/address", mac + "\n");
    put(root + "/class/net/" + name + "/ifindex", QByteArray::number(index) + "\n");
    if (physical) mkdir(root + "/class/net/" + name + "/device");
}

QByteArray vpd80(const QByteArray &serial) {
    QByteArray page;
    page.append(char(0)).append(char(0x80)).append(char(0)).append(char(serial.size()));
    return page + serial;
}

// A loopback HTTP server whose answers a test scripts.
class WebServer {
public:
    explicit WebServer(std::function<void(const httplib::Request &, httplib::Response &)> h) {
        server_.Get("/ip", std::move(h));
        port = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ~WebServer() {
        server_.stop();
        thread_.join();
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/ip").arg(port); }
    int port = 0;

private:
    httplib::Server server_;
    std::thread thread_;
};

} // namespace

class TstMachineId : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void identifier_data() {
        QTest::addColumn<std::function<void(const QString &)>>("build");
        QTest::addColumn<QString>("expected");

        QTest::newRow("serial with blanks is one text, upper case") << std::function<void(const QString &)>(
            [](const QString &r) {
                disk(r, "loop0", false);
                disk(r, "sda", true);
                put(r + "/block/sda/device/serial", "  wd-wx 12ab 9c  \n");
                adapter(r, "eth0", "52:54:00:ab:cd:ef", 2, true);
            }) << "WD-WX12AB9C";
        QTest::newRow("virtio serial attribute") << std::function<void(const QString &)>([](const QString &r) {
            disk(r, "vda", true);
            put(r + "/block/vda/serial", "vol-0a1b");
        }) << "VOL-0A1B";
        QTest::newRow("SCSI page 0x80") << std::function<void(const QString &)>([](const QString &r) {
            disk(r, "sda", true);
            put(r + "/block/sda/device/vpd_pg80", vpd80("   S3Z1NB0K 123   "));
        }) << "S3Z1NB0K123";
        QTest::newRow("udev database") << std::function<void(const QString &)>([](const QString &r) {
            disk(r, "sda", true);
            put(r + "/block/sda/dev", "8:0\n");
            put(r + "/udev/b8:0", "S:disk/by-id/x\nE:ID_SERIAL=Maker_Model_ZA1\nE:ID_SERIAL_SHORT=za1 b2\n");
        }) << "ZA1B2";
        QTest::newRow("removable and virtual disks are passed over") << std::function<void(const QString &)>(
            [](const QString &r) {
                disk(r, "dm-0", false);
                disk(r, "sda", true, "1\n");
                put(r + "/block/sda/device/serial", "USBSTICK");
                disk(r, "sdb", true);
                put(r + "/block/sdb/device/serial", "INTERNAL1");
            }) << "INTERNAL1";
        QTest::newRow("no serial: adapter address") << std::function<void(const QString &)>([](const QString &r) {
            disk(r, "sda", true);
            adapter(r, "lo", "00:00:00:00:00:00", 1, false);
            adapter(r, "eth0", "52:54:00:ab:cd:ef", 2, true);
        }) << "52-54-00-AB-CD-EF";
        QTest::newRow("all-zero addresses are skipped") << std::function<void(const QString &)>(
            [](const QString &r) {
                adapter(r, "eth0", "00:00:00:00:00:00", 2, true);
                adapter(r, "eth1", "0a:1b:2c:3d:4e:5f", 3, true);
            }) << "0A-1B-2C-3D-4E-5F";
        QTest::newRow("hardware adapters before virtual ones") << std::function<void(const QString &)>(
            [](const QString &r) {
                adapter(r, "docker0", "02:42:ac:11:00:02", 1, false);
                adapter(r, "wlp3s0", "f0:de:f1:00:11:22", 5, true);
            }) << "F0-DE-F1-00-11-22";
        QTest::newRow("only a virtual adapter") << std::function<void(const QString &)>([](const QString &r) {
            adapter(r, "br0", "02:42:ac:11:00:02", 4, false);
        }) << "02-42-AC-11-00-02";
        QTest::newRow("nothing at all") << std::function<void(const QString &)>([](const QString &r) {
            disk(r, "loop0", false);
            adapter(r, "lo", "00:00:00:00:00:00", 1, false);
            adapter(r, "ib0", "80:00:00:48:fe:80:00:00:00:00:00:00:00:00:00:00:00:00:00:01", 3, true);
        }) << "";
        QTest::newRow("control bytes in a serial are dropped") << std::function<void(const QString &)>(
            [](const QString &r) {
                disk(r, "nvme0n1", true);
                put(r + "/block/nvme0n1/device/serial", QByteArray("AB\x01" "C\x00" "D\n", 7));
            }) << "ABCD";
    }
    void identifier() {
        QFETCH(std::function<void(const QString &)>, build);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        MakineKaynaklari k;
        k.sysfs = dir.path();
        k.udevData = dir.path() + "/udev";
        build(dir.path());
        QCOMPARE(BilgisayarIdAl(k), expected);
        // Computed afresh, the same every time.
        QCOMPARE(BilgisayarIdAl(k), expected);
        QVERIFY(!BilgisayarIdAl(k).contains(u' '));
    }

    void injectedSourcesAreUsedByDefault() {
        QTemporaryDir dir;
        disk(dir.path(), "sda", true);
        put(dir.path() + "/block/sda/device/serial", "INJECTED 1");
        const MakineKaynaklari before = CurrentMakineKaynaklari();
        MakineKaynaklari k;
        k.sysfs = dir.path();
        SetMakineKaynaklari(k);
        QCOMPARE(BilgisayarIdAl(), QStringLiteral("INJECTED1"));
        SetMakineKaynaklari(before);
    }

    void namesAreShortAndAddressIsIpv4() {
        QVERIFY(BilgisayarAdiAl().size() <= 15);
        QVERIFY(!KullaniciAdiAl().isEmpty());
        QVERIFY(KullaniciAdiAl().size() <= 15);
        const QStringList parts = IcIpAl().split(u'.');
        QCOMPARE(parts.size(), 4);
        for (const QString &p : parts) {
            bool ok = false;
            const int v = p.toInt(&ok);
            QVERIFY(ok && v >= 0 && v <= 255);
        }
    }

    void probeAnswerIsTrimmed() {
        WebServer web([](const httplib::Request &, httplib::Response &res) {
            res.set_content(" \t85.105.1.2 \r\n", "text/plain");
        });
        QCOMPARE(DisIpBul(web.url()), QStringLiteral("85.105.1.2"));
    }

    void probeRetriesUntilAnswered() {
        std::atomic<int> calls{0};
        WebServer web([&](const httplib::Request &, httplib::Response &res) {
            if (++calls <= 2) {
                res.status = 503; // an error answer counts as a failed attempt
                return;
            }
            res.set_content("10.0.0.7", "text/plain");
        });
        QList<int> waits;
        SetDisIpBekleme([&](int ms) { waits << ms; });
        QCOMPARE(DisIpBul(web.url()), QStringLiteral("10.0.0.7"));
        SetDisIpBekleme({});
        QCOMPARE(calls.load(), 3);
        QCOMPARE(waits, QList<int>({1000, 1000}));
    }

    void probeOfUnreachableServiceEndsOnlyWhenCancelled() {
        const QString url = QStringLiteral("http://127.0.0.1:%1/ip").arg(test::closedPort());
        std::atomic<bool> iptal{false};
        int waits = 0;
        SetDisIpBekleme([&](int) {
            if (++waits == 5) iptal = true;
        });
        QCOMPARE(DisIpBul(url, &iptal), QString());
        SetDisIpBekleme({});
        QCOMPARE(waits, 5);
    }

    void probeReadTimeout() {
        // A service that accepts the connection but never answers within the read time-out.
        WebServer web([](const httplib::Request &, httplib::Response &res) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
            res.set_content("1.1.1.1", "text/plain");
        });
        QString answer, error;
        QVERIFY(!DisIpDene(web.url(), kDisIpConnectTimeoutMs, 300, &answer, &error));
        QCOMPARE(error, QStringLiteral("Read timed out"));
    }

    void probeRejectsHugeAnswers() {
        WebServer web([](const httplib::Request &, httplib::Response &res) {
            res.set_content(std::string(200000, '1'), "text/plain");
        });
        QString answer, error;
        QVERIFY(!DisIpDene(web.url(), 2000, 2000, &answer, &error));
    }
};

class TstEndpoints : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void options_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("env"); // NAME=value
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("webPort");
        QTest::addColumn<QString>("echo");
        QTest::addColumn<QString>("web");

        const int run = int(SecenekSonucu::Calistir), err = int(SecenekSonucu::Hata);
        const IstemciAdresleri d = VarsayilanAdresler();
        QTest::newRow("built-in") << QStringList{"c"} << QStringList{} << run << d.host << 9090 << d.webPort
                                  << d.echoAdresi() << d.webKoku(d.host);
        QTest::newRow("loopback demo") << QStringList{"c", "--host", "127.0.0.1", "--web-port", "8080"}
                                       << QStringList{} << run << "127.0.0.1" << 9090 << 8080
                                       << "http://127.0.0.1:8080/ip"
                                       << "http://127.0.0.1:8080/";
        QTest::newRow("environment") << QStringList{"c"}
                                     << QStringList{"B2B_HOST=srv.lan", "B2B_PORT=9191", "B2B_WEB_PORT=81"} << run
                                     << "srv.lan" << 9191 << 81 << "http://srv.lan:81/ip"
                                     << "http://srv.lan:81/";
        QTest::newRow("option beats environment")
            << QStringList{"c", "--host=opt.example", "--port", "9000"}
            << QStringList{"B2B_HOST=env.example", "B2B_PORT=9191"} << run << "opt.example" << 9000 << 80
            << "http://opt.example/ip"
            << "http://opt.example/";
        QTest::newRow("own echo service")
            << QStringList{"c", "--host", "h", "--echo-url", "https://echo.example/raw"} << QStringList{} << run
            << "h" << 9090 << 80 << "https://echo.example/raw"
            << "http://h/";
        QTest::newRow("IPv6 host") << QStringList{"c", "--host", "::1", "--web-port", "8080"} << QStringList{}
                                   << run << "::1" << 9090 << 8080 << "http://[::1]:8080/ip"
                                   << "http://[::1]:8080/";
        QTest::newRow("port out of range") << QStringList{"c", "--port", "70000"} << QStringList{} << err << ""
                                           << 0 << 0 << ""
                                           << "";
        QTest::newRow("bad environment port") << QStringList{"c"} << QStringList{"B2B_WEB_PORT=eighty"} << err
                                              << "" << 0 << 0 << ""
                                              << "";
        QTest::newRow("missing value") << QStringList{"c", "--host"} << QStringList{} << err << "" << 0 << 0 << ""
                                       << "";
        QTest::newRow("unknown option") << QStringList{"c", "--hots", "x"} << QStringList{} << err << "" << 0 << 0
                                        << ""
                                        << "";
        QTest::newRow("host with a path") << QStringList{"c", "--host", "a/b"} << QStringList{} << err << "" << 0
                                          << 0 << ""
                                          << "";
        QTest::newRow("public IP not IPv4") << QStringList{"c", "--public-ip", "1.2.3"} << QStringList{} << err
                                            << "" << 0 << 0 << ""
                                            << "";
        QTest::newRow("echo not http") << QStringList{"c", "--echo-url", "ftp://x/ip"} << QStringList{} << err
                                       << "" << 0 << 0 << ""
                                       << "";
    }
    void options() {
        QFETCH(QStringList, args);
        QFETCH(QStringList, env);
        QFETCH(int, result);
        QMap<QString, QString> e;
        for (const QString &kv : env) e.insert(kv.section(u'=', 0, 0), kv.section(u'=', 1));
        IstemciAdresleri a = VarsayilanAdresler();
        QString message;
        const SecenekSonucu r = SecenekleriOku(args, e, a, &message);
        QCOMPARE(int(r), result);
        if (r == SecenekSonucu::Hata) {
            QVERIFY(!message.isEmpty());
            QCOMPARE(a.host, VarsayilanAdresler().host); // nothing half-applied
            return;
        }
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(int, webPort);
        QFETCH(QString, echo);
        QFETCH(QString, web);
        QCOMPARE(a.host, host);
        QCOMPARE(a.port, port);
        QCOMPARE(a.webPort, webPort);
        QCOMPARE(a.echoAdresi(), echo);
        QCOMPARE(a.webKoku(a.host), web);
    }

    void machineIdFlag() {
        IstemciAdresleri a = VarsayilanAdresler();
        QCOMPARE(SecenekleriOku({"c", "--machine-id"}, {}, a, nullptr), SecenekSonucu::MakineId);
        QCOMPARE(SecenekleriOku({"c", "--help"}, {}, a, nullptr), SecenekSonucu::Yardim);
    }

    void publicAndLanSettings() {
        IstemciAdresleri a = VarsayilanAdresler();
        a.host = "b2b.example";
        a.lanHost = "10.0.0.5";
        a.publicIp = "198.51.100.7";
        a.webPort = 8080;
        SetAdresler(a);
        KamuAdresleriniKur();
        QCOMPARE(SunucuAdresi(), QStringLiteral("b2b.example"));
        QCOMPARE(ResimAdresi(), QStringLiteral("http://b2b.example:8080/resimgoster.ashx?id="));
        QCOMPARE(WebAdresi(), QStringLiteral("http://b2b.example:8080/"));
        QVERIFY(SunucuylaAyniAgda("198.51.100.7"));
        QVERIFY(!SunucuylaAyniAgda("198.51.100.8"));
        YerelAgAdresleriniKur();
        QCOMPARE(SunucuAdresi(), QStringLiteral("10.0.0.5"));
        QCOMPARE(ResimAdresi(), QStringLiteral("http://10.0.0.5:8080/resimgoster.ashx?id="));
        QCOMPARE(WebAdresi(), QStringLiteral("http://10.0.0.5:8080/"));
        // Without a public address configured, no answer (not even an empty one) means "same LAN".
        a.publicIp.clear();
        SetAdresler(a);
        QVERIFY(!SunucuylaAyniAgda(QString()));
        QVERIFY(!SunucuylaAyniAgda("198.51.100.7"));
        SetAdresler(VarsayilanAdresler());
        ClearEndpointSettings();
    }
};

class TstAyarIni : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString path() const { return dir_.path() + "/ayar.ini"; }

private Q_SLOTS:
    void init() { QFile::remove(path()); }

    void firstStartWithoutFile() {
        const HatirlananGiris g = AyarlariOku(path());
        QVERIFY(!g.dosyaVar);
        QVERIFY(g.hatirla);
        QVERIFY(g.isim.isEmpty() && g.sifre.isEmpty());
    }

    void remembered_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("hatirla");
        QTest::addColumn<QString>("isim");
        QTest::addColumn<QString>("sifre");
        QTest::newRow("remembered") << QByteArray("[kullanici]\nisim=BAYI\nsifre=BAYI123\nhatırla=1\n") << true
                                    << "BAYI"
                                    << "BAYI123";
        QTest::newRow("not remembered: fields stay empty")
            << QByteArray("[kullanici]\nisim=BAYI\nsifre=BAYI123\nhatırla=0\n") << false << ""
            << "";
        QTest::newRow("flag missing: true") << QByteArray("[kullanici]\nisim=A\nsifre=B\n") << true << "A"
                                            << "B";
        QTest::newRow("flag not a number: true") << QByteArray("[kullanici]\nisim=A\nsifre=B\nhatırla=evet\n")
                                                 << true << "A"
                                                 << "B";
        QTest::newRow("any other number: true") << QByteArray("[kullanici]\nisim=A\nsifre=B\nhatırla=2\n") << true
                                                << "A"
                                                << "B";
        QTest::newRow("CRLF, BOM, case of names, blanks")
            << QByteArray("\xEF\xBB\xBF[KULLANICI]\r\n  Isim = AHMET \r\nSIFRE=X1\r\nhatırla=1\r\n") << true
            << "AHMET"
            << "X1";
        QTest::newRow("Windows-1254 file from the old program")
            << QByteArray("[kullanici]\r\nisim=\xDE\x45N\r\nsifre=\xD6Z\r\nhat\xFDrla=0\r\n") << false << ""
            << "";
        QTest::newRow("other sections do not count")
            << QByteArray("[baska]\nisim=X\nhatırla=0\n[kullanici]\nisim=Y\nsifre=Z\n") << true << "Y"
            << "Z";
        QTest::newRow("quoted value keeps its blanks") << QByteArray("[kullanici]\nisim=\" A B \"\nsifre=C\n")
                                                       << true << " A B "
                                                       << "C";
    }
    void remembered() {
        QFETCH(QByteArray, file);
        QFETCH(bool, hatirla);
        QFETCH(QString, isim);
        QFETCH(QString, sifre);
        put(path(), file);
        const HatirlananGiris g = AyarlariOku(path());
        QVERIFY(g.dosyaVar);
        QCOMPARE(g.hatirla, hatirla);
        QCOMPARE(g.isim, isim);
        QCOMPARE(g.sifre, sifre);
    }

    void writtenAsReadableUtf8With0600() {
        QVERIFY(AyarlariYaz(path(), "BAYI", "ŞİFRE1", false));
        QFile f(path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray raw = f.readAll();
        QCOMPARE(raw, QByteArray("[kullanici]\nisim=BAYI\nsifre=\xC5\x9E\xC4\xB0" "FRE1\nhat\xC4\xB1rla=0\n"));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(path()).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0600);
        // Unchecked box: both texts were written, and the next start shows empty fields.
        const HatirlananGiris g = AyarlariOku(path());
        QVERIFY(!g.hatirla);
        QVERIFY(g.isim.isEmpty());
    }

    void rewriteKeepsOtherContentAndTightensMode() {
        put(path(), "; kept\n[baska]\nanahtar=deger\n\n[kullanici]\nisim=ESKI\nek=1\n");
        QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
        QVERIFY(AyarlariYaz(path(), " BOŞLUK ", "S", true));
        IniDosyasi ini;
        QVERIFY(ini.Yukle(path()));
        QCOMPARE(ini.OkuYazi("baska", "anahtar"), QStringLiteral("deger"));
        QCOMPARE(ini.OkuYazi("kullanici", "ek"), QStringLiteral("1"));
        QVERIFY(ini.Metin().startsWith("; kept\n"));
        const HatirlananGiris g = AyarlariOku(path());
        QCOMPARE(g.isim, QStringLiteral(" BOŞLUK ")); // outer blanks survive the round trip
        QCOMPARE(g.sifre, QStringLiteral("S"));
        QCOMPARE(int(QFile::permissions(path()) & (QFileDevice::ReadOther | QFileDevice::ReadGroup)), 0);
    }

    void unwritableFolderIsReported() {
        QString error;
        QVERIFY(!AyarlariYaz(dir_.path() + "/missing/dir/ayar.ini", "A", "B", true, &error));
        QVERIFY(!error.isEmpty());
    }
};

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    int rc = 0;
    {
        TstMachineId t;
        rc |= QTest::qExec(&t, argc, argv);
    }
    {
        TstEndpoints t;
        rc |= QTest::qExec(&t, argc, argv);
    }
    {
        TstAyarIni t;
        rc |= QTest::qExec(&t, argc, argv);
    }
    return rc;
}

#include "tst_appcore.moc"
