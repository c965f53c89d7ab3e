// The reference server's HTTP face: malformed and hostile requests, limits, the handshake, GET
// calls for curl, and the web paths (address echo, pictures, access request form, setup file).
#include "database.h"
#include "referenceserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSet>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace b2b::server;

namespace {

const char *const kBase = "/datasnap/rest/TServerMethods1/";

QJsonObject json(const std::string &body) { return QJsonDocument::fromJson(QByteArray::fromStdString(body)).object(); }

std::string loginJson() {
    return R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FSirano":1,"FCARINO":1,"FADI":"BAYI"}})";
}

} // namespace

class TstServerHttp : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<ReferenceServer> srv;

    httplib::Client client() const {
        httplib::Client c("127.0.0.1", srv->port());
        c.set_read_timeout(20, 0);
        return c;
    }

    // Figures that no refused request may change.
    QString fingerprint() {
        Sql q(srv->database(), QStringLiteral("SELECT (SELECT COUNT(*) FROM basket), (SELECT COUNT(*) FROM orders), "
                                              "(SELECT COUNT(*) FROM items), (SELECT COUNT(*) FROM outbox), "
                                              "(SELECT SUM(miktar) FROM order_lines)"));
        q.exec();
        q.next();
        return QStringLiteral("%1/%2/%3/%4/%5").arg(q.toText(0), q.toText(1), q.toText(2), q.toText(3), q.toText(4));
    }

private Q_SLOTS:
    void initTestCase() {
        ServerOptions o;
        o.dbPath = dir.filePath(QStringLiteral("h.sqlite"));
        o.port = 0;
        o.webPort = 0;
        o.seedItems = 1000;
        o.maxBodyBytes = 1 << 20;
        o.readTimeoutSec = 2;
        srv = std::make_unique<ReferenceServer>(o);
        srv->start();
    }

    void handshake() {
        auto c = client();
        for (const char *path : {"/datasnap/ping", "/datasnap/rest/", "/datasnap/rest"}) {
            const auto r = c.Get(path);
            QVERIFY(r);
            QCOMPARE(r->status, 200);
            QCOMPARE(json(r->body).value(QStringLiteral("result")).toArray().at(0).toString(), QStringLiteral("ok"));
        }
    }

    void refusedRequests_data() {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("errorPart");
        const QByteArray login = QByteArray::fromStdString(loginJson());
        QTest::newRow("not json") << "%22SepetVer2%22" << QByteArray("{_parameters:[1]") << 400 << "not valid JSON";
        QTest::newRow("not an object") << "%22SepetVer2%22" << QByteArray("[1]") << 400 << "not a JSON object";
        QTest::newRow("no parameters") << "%22SepetVer2%22" << QByteArray("{}") << 400 << "_parameters";
        QTest::newRow("empty body") << "%22SepetVer2%22" << QByteArray() << 400 << "JSON";
        QTest::newRow("parameters not an array") << "%22SepetVer2%22" << QByteArray("{\"_parameters\":5}") << 400 << "not an array";
        QTest::newRow("too few") << "%22FaturaGetir%22" << QByteArray("{\"_parameters\":[1]}") << 400 << "takes 2 parameters, 1 given";
        QTest::newRow("too many") << "%22SepetVer2%22" << QByteArray("{\"_parameters\":[1,2]}") << 400 << "takes 1 parameters";
        QTest::newRow("text for integer") << "%22SepetVer2%22" << QByteArray("{\"_parameters\":[\"1\"]}") << 400 << "not an integer";
        QTest::newRow("integer out of range") << "%22SepetVer2%22" << QByteArray("{\"_parameters\":[2147483648]}") << 400 << "32-bit";
        QTest::newRow("negative out of range") << "%22SepetVer2%22" << QByteArray("{\"_parameters\":[-2147483649]}") << 400 << "32-bit";
        QTest::newRow("fraction for integer") << "%22SepetVer2%22" << QByteArray("{\"_parameters\":[1.5]}") << 400 << "integer";
        QTest::newRow("boolean for integer") << "%22KargolarVer%22" << QByteArray("{\"_parameters\":[true]}") << 400 << "integer";
        QTest::newRow("array for object") << "%22SepetSayisi%22" << QByteArray("{\"_parameters\":[[1]]}") << 400 << "not an object";
        QTest::newRow("object of another class")
            << "%22SepetSayisi%22" << QByteArray(R"({"_parameters":[{"type":"baglantiu.TTusSonuclari","fields":{}}]})") << 400
            << "expected baglantiu.TSonucBilgisi";
        QTest::newRow("field of wrong type")
            << "%22SepetSayisi%22"
            << QByteArray(R"({"_parameters":[{"type":"baglantiu.TSonucBilgisi","fields":{"FCARINO":"bir"}}]})") << 500
            << "FCARINO";
        QTest::newRow("null login record") << "%22SepetSayisi%22" << QByteArray("{\"_parameters\":[null]}") << 500 << "oturum";
        QTest::newRow("unknown method") << "%22DropEverything%22" << QByteArray("{\"_parameters\":[]}") << 400 << "Unknown method";
        QTest::newRow("wrong case") << "%22sepetver2%22" << QByteArray("{\"_parameters\":[1]}") << 400 << "Unknown method";
        QTest::newRow("deep nesting") << "%22SepetVer2%22" << (QByteArray("{\"_parameters\":[") + QByteArray(5000, '[') + QByteArray(5000, ']') + "]}")
                                      << 400 << "JSON";
        QTest::newRow("bad selection value") << "%22SepetSecimGuncelle%22" << QByteArray("{\"_parameters\":[1,7]}") << 500 << "0 veya 1";
        QTest::newRow("unknown basket line") << "%22SepetSecimGuncelle%22" << QByteArray("{\"_parameters\":[99999999,1]}") << 500 << "bulunamad";
        QTest::newRow("quantity NaN-like huge")
            << "%22SepetEkle2%22"
            << (QByteArray("{\"_parameters\":[") + login + ",1,1,\"X\",\"Y\",1e308,20,10,0,1,0,0,0,0]}") << 500 << "miktar";
        QTest::newRow("advert out of range") << "%22AcilisREklamVer%22" << QByteArray("{\"_parameters\":[99]}") << 500 << "Reklam";
    }

    void refusedRequests() {
        QFETCH(QString, method);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QString, errorPart);
        const QString before = fingerprint();
        auto c = client();
        const auto r = c.Post((kBase + method.toStdString() + "/").c_str(), body.toStdString(), "application/json");
        QVERIFY(r);
        QCOMPARE(r->status, status);
        const QJsonObject o = json(r->body);
        if (status != 200) {
            QVERIFY2(o.value(QStringLiteral("error")).toString().contains(errorPart, Qt::CaseInsensitive),
                     qPrintable(QString::fromStdString(r->body)));
            QVERIFY(!o.contains(QStringLiteral("result")));
        }
        QCOMPARE(r->get_header_value("Content-Type").rfind("application/json", 0), size_t(0));
        QCOMPARE(fingerprint(), before);
    }

    void tooLongTextAndHugeBody() {
        const QString before = fingerprint();
        auto c = client();
        // A text parameter beyond the limit is refused before the method runs.
        const std::string longText(30000, 'A');
        auto r = c.Post((std::string(kBase) + "%22StokAraGetirTelvar%22/").c_str(),
                        "{\"_parameters\":[\"" + longText + "\",null]}", "application/json");
        QVERIFY(r);
        QCOMPARE(r->status, 500);
        QVERIFY(json(r->body).value(QStringLiteral("error")).toString().contains(QStringLiteral("longer than")));
        // A body over the size limit never reaches the decoder.
        const std::string huge = "{\"_parameters\":[\"" + std::string(3 << 20, 'x') + "\"]}";
        r = c.Post((std::string(kBase) + "%22KayanYaziGetir%22/").c_str(), huge, "application/json");
        QVERIFY(r);
        QCOMPARE(r->status, 400);
        QVERIFY(json(r->body).value(QStringLiteral("error")).toString().contains(QStringLiteral("too large")));
        QCOMPARE(fingerprint(), before);
        // The server goes on answering.
        auto again = client();
        r = again.Get("/datasnap/ping");
        QVERIFY(r && r->status == 200);
    }

    void hostileTextIsOnlyData() {
        const QString before = fingerprint();
        auto c = client();
        for (const char *t : {"'; DROP TABLE items; --", "\" OR \"1\"=\"1", "%_%", "\\\\x00", "ÇĞİÖŞÜ çğıöşü"}) {
            QJsonArray params{QString::fromUtf8(t), QJsonDocument::fromJson(QByteArray::fromStdString(loginJson())).object()};
            const QByteArray body = QJsonDocument(QJsonObject{{QStringLiteral("_parameters"), params}}).toJson(QJsonDocument::Compact);
            auto r = c.Post((std::string(kBase) + "%22StokAraGetirTelvar%22/").c_str(), body.toStdString(), "application/json");
            QVERIFY(r);
            QCOMPARE(r->status, 200);
            r = c.Post((std::string(kBase) + "%22CariAra%22/").c_str(),
                       QJsonDocument(QJsonObject{{QStringLiteral("_parameters"),
                                                  QJsonArray{params[1], QString::fromUtf8(t)}}})
                           .toJson(QJsonDocument::Compact)
                           .toStdString(),
                       "application/json");
            QVERIFY(r);
            QCOMPARE(r->status, 200);
        }
        QCOMPARE(fingerprint(), before);
    }

    void getCallsForCurl() {
        auto c = client();
        // Arguments as path segments; quotes encoded or not; trailing slash optional.
        auto r = c.Get((std::string(kBase) + "%22CariEkstreVer%22/1").c_str());
        QVERIFY(r);
        QCOMPARE(r->status, 200);
        QVERIFY(json(r->body).value(QStringLiteral("result")).toArray().at(0).toObject().contains(QStringLiteral("TURADI")));
        r = c.Get((std::string(kBase) + "\"KayanYaziGetir\"/").c_str());
        QVERIFY(r);
        QCOMPARE(r->status, 200);
        r = c.Get((std::string(kBase) + "KayanYaziGetir").c_str());
        QVERIFY(r && r->status == 200);
        // A text with a slash travels encoded and stays one argument.
        r = c.Get((std::string(kBase) + "%22BuyukGetir%22/A%2FB").c_str());
        QVERIFY(r && r->status == 200);
        QCOMPARE(json(r->body)[QStringLiteral("result")][0][QStringLiteral("fields")][QStringLiteral("FBILGISAYARID")].toString(),
                 QStringLiteral("A/B"));
        r = c.Get((std::string(kBase) + "%22FaturaGetir%22/1").c_str());
        QVERIFY(r && r->status == 400);
        r = c.Get((std::string(kBase) + "%22SepetVer2%22/abc").c_str());
        QVERIFY(r && r->status == 400);
        r = c.Get("/nothing/here");
        QVERIFY(r && r->status == 404);
        QVERIFY(json(r->body).contains(QStringLiteral("error")));
        // A stream by GET: size, then the bytes.
        r = c.Get((std::string(kBase) + "%22BannerResimVer3%22/").c_str());
        QVERIFY(r && r->status == 200);
        const QJsonArray res = json(r->body).value(QStringLiteral("result")).toArray();
        QCOMPARE(res.size(), 2);
        QCOMPARE(res.at(1).toArray().size(), res.at(0).toInt());
    }

    void stalledRequestIsDropped() {
        // A client that sends half a request and stops is cut off by the read time-out.
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(uint16_t(srv->port()));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        QCOMPARE(::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a), 0);
        const char part[] = "POST /datasnap/rest/TServerMethods1/%22SepetVer2%22/ HTTP/1.1\r\nContent-Length: 100\r\n\r\n{\"_par";
        QVERIFY(::write(fd, part, sizeof part - 1) > 0);
        // Others are served meanwhile.
        auto c = client();
        auto r = c.Get("/datasnap/ping");
        QVERIFY(r && r->status == 200);
        timeval tv{6, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        char buf[512];
        QElapsedTimer t;
        t.start();
        ssize_t n;
        while ((n = ::read(fd, buf, sizeof buf)) > 0) {
        }
        QVERIFY2(t.elapsed() < 5500, "the stalled connection was not closed");
        ::close(fd);
    }

    void webAddressEcho() {
        httplib::Client c("127.0.0.1", srv->webPort());
        const auto r = c.Get("/ip");
        QVERIFY(r);
        QCOMPARE(r->status, 200);
        QCOMPARE(QString::fromStdString(r->body).trimmed(), QStringLiteral("127.0.0.1"));
        QCOMPARE(r->get_header_value("Content-Type").rfind("text/plain", 0), size_t(0));
        const auto root = c.Get("/");
        QVERIFY(root && root->status == 200);
        QVERIFY(root->body.find("Telvar") != std::string::npos);
    }

    void webPictures() {
        httplib::Client c("127.0.0.1", srv->webPort());
        Sql q(srv->database(), QStringLiteral("SELECT i.stokno, p.mime FROM items i JOIN pictures p ON p.id = i.resim "
                                              "ORDER BY i.stokno"));
        q.exec();
        QSet<QString> seen;
        while (q.next() && seen.size() < 2) {
            const QString mime = q.toText(1);
            if (seen.contains(mime)) continue;
            seen.insert(mime);
            const auto r = c.Get(("/resimgoster.ashx?id=" + std::to_string(q.toInt(0))).c_str());
            QVERIFY(r);
            QCOMPARE(r->status, 200);
            QCOMPARE(QString::fromStdString(r->get_header_value("Content-Type")), mime);
            const QByteArray fmt = mime == QStringLiteral("image/png") ? "PNG" : "JPEG";
            QVERIFY(!QImage::fromData(QByteArray::fromStdString(r->body), fmt.constData()).isNull());
        }
        QCOMPARE(seen.size(), 2); // both JPEG and PNG pictures are served
        Sql none(srv->database(), QStringLiteral("SELECT MIN(stokno) FROM items WHERE resim = 0"));
        const int without = none.scalar().toInt();
        for (const std::string &id : {std::to_string(without), std::string("abc"), std::string("99999999"), std::string()}) {
            const auto r = c.Get(("/resimgoster.ashx?id=" + id).c_str());
            QVERIFY(r);
            QCOMPARE(r->status, 404);
            QVERIFY(r->body.empty()); // an empty body leaves the client's picture unchanged
        }
    }

    void accessRequestForm() {
        httplib::Client c("127.0.0.1", srv->webPort());
        // The login sends carino 0, a blank user and the machine id, unencoded.
        auto r = c.Get("/formmailgonder.aspx?carino=0&kullanici=%20&id=ABC-123<b>");
        QVERIFY(r);
        QCOMPARE(r->status, 200);
        QVERIFY(r->body.find("ABC-123&lt;b&gt;") != std::string::npos);
        QVERIFY(r->body.find("ABC-123<b>") == std::string::npos);
        QVERIFY(r->body.find("<form") != std::string::npos);

        Sql count(srv->database(), QStringLiteral("SELECT COUNT(*) FROM access_requests"));
        const int before = count.scalar().toInt();
        // Required fields missing: the form again, nothing stored.
        r = c.Post("/formmailgonder.aspx", "carino=0&kullanici=+&id=M1&firma=&yetkili=X&telefon=1",
                   "application/x-www-form-urlencoded");
        QVERIFY(r && r->status == 200);
        QVERIFY(r->body.find("<form") != std::string::npos);
        Sql again(srv->database(), QStringLiteral("SELECT COUNT(*) FROM access_requests"));
        QCOMPARE(again.scalar().toInt(), before);
        r = c.Post("/formmailgonder.aspx",
                   "carino=0&kullanici=+&id=MACHINE-9&firma=Yeni+Oto+%C5%9Eirketi&yetkili=Ay%C5%9Fe+Kaya&telefon=0212+555+00+11"
                   "&email=a%40b.example&sehir=Bursa&mesaj=L%C3%BCtfen+kaydedin",
                   "application/x-www-form-urlencoded");
        QVERIFY(r && r->status == 200);
        QVERIFY(r->body.find("Yeni Oto Şirketi") != std::string::npos);
        Sql q(srv->database(), QStringLiteral("SELECT machine_id, firma, yetkili, telefon, mesaj, adres FROM access_requests "
                                              "ORDER BY id DESC"));
        q.exec();
        QVERIFY(q.next());
        QCOMPARE(q.toText(0), QStringLiteral("MACHINE-9"));
        QCOMPARE(q.toText(1), QStringLiteral("Yeni Oto Şirketi"));
        QCOMPARE(q.toText(2), QStringLiteral("Ayşe Kaya"));
        QCOMPARE(q.toText(3), QStringLiteral("0212 555 00 11"));
        QCOMPARE(q.toText(4), QStringLiteral("Lütfen kaydedin"));
        QCOMPARE(q.toText(5), QStringLiteral("127.0.0.1"));
    }

    void setupFileRuns() {
        httplib::Client c("127.0.0.1", srv->webPort());
        const auto r = c.Get("/exe/TelvarSetupMerdal.exe");
        QVERIFY(r);
        QCOMPARE(r->status, 200);
        QTemporaryDir run;
        const QString exe = run.filePath(QStringLiteral("TelvarSetupMerdal.exe"));
        QFile f(exe);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(r->body));
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        // Run from its folder: the marker lands there.
        QProcess p;
        p.setWorkingDirectory(run.path());
        p.start(exe, {QStringLiteral("/silent")});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 0);
        QFile marker(run.filePath(QStringLiteral("telvar-setup-ran")));
        QVERIFY(marker.open(QIODevice::ReadOnly));
        const QByteArray m = marker.readAll();
        QVERIFY(m.contains("arguments=/silent"));
        QVERIFY(m.contains("version=2"));
        // Or where B2B_SETUP_MARKER says.
        QProcess p2;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("B2B_SETUP_MARKER"), run.filePath(QStringLiteral("elsewhere.txt")));
        p2.setProcessEnvironment(env);
        p2.setWorkingDirectory(QDir::tempPath());
        p2.start(exe, {QStringLiteral("/silent")});
        QVERIFY(p2.waitForFinished(10000));
        QVERIFY(QFile::exists(run.filePath(QStringLiteral("elsewhere.txt"))));
    }
};

QTEST_MAIN(TstServerHttp)
#include "tst_server_http.moc"
