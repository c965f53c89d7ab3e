// Update download window, access request page and password change request, against loopback servers.
#include "dosyaindir.h"
#include "fakeui.h"
#include "formistekyeni.h"
#include "kullanicikayit.h"
#ifdef B2B_HAVE_MACHINEID
#include "machineid.h"
#endif
#include "proxim.h"
#include "loopback.h"
#include "scriptserver.h"
#include "utils.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

#include <zlib.h>

#include <atomic>
#include <map>
#include <mutex>

using namespace b2b;
using b2b::test::FakeUi;
using b2b::test::ScriptAnswer;
using b2b::test::ScriptServer;
using b2b::test::loopbackConnection;
using b2b::test::objectAnswer;

namespace {

const QString kHataOnEki = QStringLiteral("Hata Oluştu !\r\nHata: ");

// Shows connection failures through the seam, as the program's own notifier does.
struct SeamNotifier : ConnectionNotifier {
    void attemptFailed(const QString &t) override { UiSeam::current().plainMessage(t); }
    void connectionFailed(const QString &m) override { MesajKutusu(m, MsgKind::Error, mbOK, dbOK); }
};

// The web site with the setup program. Routes are added before start(); a route may hold its answer
// back until release() so that a test can look at the window in the middle of a download.
class WebSite {
public:
    httplib::Server srv;
    int port = 0;
    std::atomic<int> hits{0};
    std::atomic<bool> released{false};
    std::mutex m;
    std::map<std::string, std::string> lastHeaders; // of the last request

    void start() {
        srv.set_pre_routing_handler([this](const httplib::Request &req, httplib::Response &) {
            std::lock_guard<std::mutex> l(m);
            lastHeaders.clear();
            for (const auto &h : req.headers) lastHeaders[h.first] = h.second;
            return httplib::Server::HandlerResponse::Unhandled;
        });
        port = srv.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { srv.listen_after_bind(); });
        while (!srv.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ~WebSite() {
        released = true;
        srv.stop();
        if (thread_.joinable()) thread_.join();
    }
    QString url(const char *path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path); }
    std::string header(const std::string &name) {
        std::lock_guard<std::mutex> l(m);
        auto it = lastHeaders.find(name);
        return it == lastHeaders.end() ? std::string("<none>") : it->second;
    }
    // Sends `body` in two halves with a Content-Length (or chunked, without one); the second half
    // waits for release().
    void serveHeld(const std::string &path, std::string body, bool withLength) {
        auto shared = std::make_shared<std::string>(std::move(body));
        srv.Get(path, [this, shared, withLength](const httplib::Request &, httplib::Response &res) {
            ++hits;
            const size_t half = shared->size() / 2;
            auto provide = [this, shared, half, withLength](size_t offset, httplib::DataSink &sink) {
                if (offset < half) return sink.write(shared->data(), half);
                while (!released && srv.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
                sink.write(shared->data() + half, shared->size() - half);
                if (!withLength) sink.done();
                return true;
            };
            if (withLength) {
                res.set_content_provider(shared->size(), "application/octet-stream",
                                         [provide, shared](size_t offset, size_t, httplib::DataSink &sink) {
                                             if (offset >= shared->size()) return true;
                                             return provide(offset, sink);
                                         });
            } else {
                res.set_chunked_content_provider("application/octet-stream", provide);
            }
        });
    }

private:
    std::thread thread_;
};

// A setup script that writes its first argument into `marker`, padded to `size` bytes.
std::string setupScript(const QString &marker, size_t size = 0) {
    std::string s = "#!/bin/sh\nprintf '%s' \"$1\" > '" + marker.toStdString() + "'\nexit 0\n";
    if (s.size() < size) s += "#" + std::string(size - s.size() - 2, 'x') + "\n";
    return s;
}

// windowBits 15 + 16: gzip; 15: zlib; -15: raw deflate.
std::string compress(const std::string &in, int windowBits = 15 + 16) {
    z_stream z{};
    deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, in.size()), '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.data()));
    z.avail_in = uInt(in.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}



// Scripted application server that keeps every call it got.
struct Calls {
    std::mutex m;
    std::vector<std::pair<std::string, std::string>> list;
    std::vector<std::pair<std::string, std::string>> of(const std::string &method) {
        std::lock_guard<std::mutex> l(m);
        std::vector<std::pair<std::string, std::string>> r;
        for (const auto &c : list)
            if (c.first == method) r.push_back(c);
        return r;
    }
};

QStringList textArgs(const std::string &body, const char *method) {
    QStringList r;
    for (const WireValue &v : decodeRequest(body, *findMethod(QString::fromLatin1(method))))
        r << (std::holds_alternative<int32_t>(v) ? QString::number(std::get<int32_t>(v)) : wireText(v, "arg"));
    return r;
}

TSonucBilgisi loginRecord() {
    TSonucBilgisi b;
    b.SetBILGISAYARID(QStringLiteral("KAYITTAKI-ID"));
    b.SetADI(QStringLiteral("AHMET"));
    b.SetCariAdi(QStringLiteral("Öztürk Oto Yedek Parça"));
    b.SetCARINO(12);
    b.SetVarmi(true);
    b.SetVersion(2);
    return b;
}

// The identifier the windows send: computed afresh from the machine, not taken from the login record.
QString expectedId() {
#ifdef B2B_HAVE_MACHINEID
    return BilgisayarIdAl();
#else
    return loginRecord().BILGISAYARID();
#endif
}

TMobilCariBilgisi firm() {
    TMobilCariBilgisi f;
    f.SetCARIADI(QStringLiteral("SUNUCUDAKİ AD"));
    f.SetADRES1(QStringLiteral("Sanayi Sitesi 4. Blok No: 12"));
    f.SetADRES2(QStringLiteral("Kat 2"));
    f.SetILCE(QStringLiteral("Nilüfer"));
    f.SetSEHIR(QStringLiteral("Bursa"));
    f.SetTEL1(QStringLiteral("0224 555 11 22"));
    f.SetFAX1(QStringLiteral("0224 555 11 23"));
    f.SetVERGIDAIRESI(QStringLiteral("Uludağ"));
    f.SetVERGINO(QStringLiteral("1234567890"));
    return f;
}

} // namespace

class TstRequests : public QObject {
    Q_OBJECT

    QTemporaryDir data_;
    SeamNotifier notifier_;

    QString setupFile() const { return data_.path() + QStringLiteral("/TelvarSetupMerdal.exe"); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(data_.isValid());
        // The local data folder of this test run.
        qputenv("XDG_DATA_HOME", data_.path().toLocal8Bit());
        QCOMPARE(Tdosyaindir::YerelDosya(), setupFile());
        SetBaglantiKurWait([](int) {});
        SetConnectionNotifier(&notifier_);
    }
    void cleanupTestCase() { SetConnectionNotifier(nullptr); }
    void init() { QFile::remove(setupFile()); }

    // ---- update download ----

    void updateWindowTexts() {
        Tdosyaindir d(nullptr, 3, QStringLiteral("http://127.0.0.1:1/x"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Dosya İndir"));
        QCOMPARE(d.sLabel1->text(), QStringLiteral("Telvar Otomotiv B2B Merdal Programının\r\nYeni versiyonu "
                                                   "indirilecektir\r\nLütfen Bekleyiniz...!\r\nVersion: 3-2"));
        QCOMPARE(d.size(), QSize(543, 309));
        QCOMPARE(d.Panel1->height(), 58);
        for (const char *n : {"sLabel1", "Panel1", "ProgressBar1", "bilgi", "NetHTTPClient1"})
            QVERIFY2(d.findChild<QObject *>(QString::fromLatin1(n)), n);
        QVERIFY(!d.basladi);
        QVERIFY(d.bilgi->text().isEmpty());
    }

    void downloadAddressIsConfigurable() {
        SetWebAdresi(QStringLiteral("http://site.example:8080/"));
        qunsetenv("B2B_UPDATE_URL");
        QCOMPARE(Tdosyaindir::IndirmeAdresi(), QStringLiteral("http://site.example:8080/exe/TelvarSetupMerdal.exe"));
        QCOMPARE(Tdosyaindir(nullptr, 3).Adres(), QStringLiteral("http://site.example:8080/exe/TelvarSetupMerdal.exe"));
        qputenv("B2B_UPDATE_URL", "http://other.example/setup.sh");
        QCOMPARE(Tdosyaindir(nullptr, 3).Adres(), QStringLiteral("http://other.example/setup.sh"));
        QCOMPARE(Tdosyaindir(nullptr, 3, QStringLiteral("http://given/x")).Adres(), QStringLiteral("http://given/x"));
        qunsetenv("B2B_UPDATE_URL");
        ClearEndpointSettings();
    }

    void progressText_data() {
        QTest::addColumn<qint64>("read");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<QString>("text");
        const qint64 mb = 1024 * 1024;
        QTest::newRow("start") << qint64(0) << 2 * mb << QStringLiteral("Bilgi: %0.00  İndirilen: 0.00/2.00 Mb");
        QTest::newRow("half") << 3 * mb / 2 << 3 * mb << QStringLiteral("Bilgi: %50.00  İndirilen: 1.50/3.00 Mb");
        QTest::newRow("third of small") << qint64(1) << qint64(3) << QStringLiteral("Bilgi: %33.33  İndirilen: 0.00/0.00 Mb");
        QTest::newRow("done, large") << 1500 * mb << 1500 * mb
                                     << QStringLiteral("Bilgi: %100.00  İndirilen: 1500.00/1500.00 Mb");
        QTest::newRow("no length") << qint64(500) << qint64(-1) << QString();
        QTest::newRow("zero length") << qint64(0) << qint64(0) << QString();
    }
    void progressText() {
        QFETCH(qint64, read);
        QFETCH(qint64, length);
        QFETCH(QString, text);
        QCOMPARE(Tdosyaindir::IlerlemeMetni(read, length), text);
        Tdosyaindir d(nullptr, 3, QStringLiteral("http://127.0.0.1:1/x"));
        bool abort = false;
        d.NetHTTPClient1ReceiveData(d.NetHTTPClient1, length, read, abort);
        QCOMPARE(d.bilgi->text(), text);
        QVERIFY(!abort);
        if (length <= 0) QCOMPARE(d.ProgressBar1->value(), 0);
        else QCOMPARE(double(d.ProgressBar1->value()) / d.ProgressBar1->maximum(), double(read) / double(length));
    }

    // Known length: progress in the middle, a second activation and closing are both ignored, then
    // the file is saved, started with "/silent" and the process ends.
    void downloadWithLength() {
        FakeUi ui;
        const QString marker = data_.path() + QStringLiteral("/marker-length");
        const std::string script = setupScript(marker, 3 * 1024 * 1024);
        WebSite web;
        web.serveHeld("/exe/TelvarSetupMerdal.exe", script, true);
        web.start();
        writeFile(setupFile(), "leftover from an earlier run");

        auto *d = new Tdosyaindir(nullptr, 3, web.url("/exe/TelvarSetupMerdal.exe"));
        QSignalSpy saved(d, &Tdosyaindir::kaydedildi);
        int activations = 0;
        struct Counter : QObject {
            int *n;
            explicit Counter(int *c) : n(c) {}
            bool eventFilter(QObject *, QEvent *e) override {
                if (e->type() == QEvent::WindowActivate) ++*n;
                return false;
            }
        } counter(&activations);
        d->installEventFilter(&counter);
        d->show();
        QVERIFY(QTest::qWaitForWindowActive(d));
        QVERIFY(d->basladi);
        QTRY_COMPARE(d->bilgi->text(), QStringLiteral("Bilgi: %50.00  İndirilen: 1.50/3.00 Mb"));
        QCOMPARE(d->ProgressBar1->value() * 2, d->ProgressBar1->maximum());
        QVERIFY(!QFile::exists(setupFile())); // the leftover went before the download

        // Another window in front, then this one again.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d));
        QCOMPARE(activations, 2);
        d->FormActivate();
        QVERIFY(!d->close());
        d->reject();
        QVERIFY(d->isVisible());

        web.released = true;
        QTRY_COMPARE(ui.exits, QList<int>{0});
        QCOMPARE(saved.count(), 1);
        QCOMPARE(web.hits.load(), 1);
        QCOMPARE(d->bilgi->text(), QStringLiteral("Bilgi: %100.00  İndirilen: 3.00/3.00 Mb"));
        QCOMPARE(readAll(setupFile()), QByteArray::fromStdString(script));
        QTRY_COMPARE(readAll(marker), QByteArray("/silent"));
        QVERIFY(ui.shown.isEmpty());
        delete d;
    }

    void downloadWithoutLength() {
        FakeUi ui;
        const QString marker = data_.path() + QStringLiteral("/marker-chunked");
        const std::string script = setupScript(marker, 200000);
        WebSite web;
        web.serveHeld("/exe/TelvarSetupMerdal.exe", script, false);
        web.start();
        Tdosyaindir d(nullptr, 3, web.url("/exe/TelvarSetupMerdal.exe"));
        QSignalSpy saved(&d, &Tdosyaindir::kaydedildi);
        d.show();
        QTRY_COMPARE(web.hits.load(), 1);
        QTest::qWait(200); // let the first half arrive
        QVERIFY(d.bilgi->text().isEmpty());
        QCOMPARE(d.ProgressBar1->value(), 0);
        web.released = true;
        QTRY_COMPARE(saved.count(), 1);
        QVERIFY(d.bilgi->text().isEmpty());
        QCOMPARE(d.ProgressBar1->value(), 0);
        QCOMPARE(ui.exits, QList<int>{0});
        QCOMPARE(readAll(setupFile()), QByteArray::fromStdString(script));
        QTRY_COMPARE(readAll(marker), QByteArray("/silent"));
    }

    // The request headers, a redirect whose cookie is not kept, and a compressed answer that is
    // saved inflated.
    void requestSettingsAndCompressedAnswer() {
        FakeUi ui;
        const QString marker = data_.path() + QStringLiteral("/marker-gzip");
        const std::string script = setupScript(marker, 50000);
        WebSite web;
        web.srv.Get("/eski", [](const httplib::Request &, httplib::Response &res) {
            res.set_header("Set-Cookie", "oturum=1; Path=/");
            res.set_redirect("/exe/TelvarSetupMerdal.exe");
        });
        web.srv.Get("/exe/TelvarSetupMerdal.exe", [&](const httplib::Request &, httplib::Response &res) {
            ++web.hits;
            res.set_header("Content-Encoding", "gzip");
            res.set_content(compress(script), "application/octet-stream");
        });
        web.start();
        Tdosyaindir d(nullptr, 3, web.url("/eski"));
        d.FormActivate();
        QTRY_COMPARE(ui.exits, QList<int>{0});
        QCOMPARE(web.hits.load(), 1);
        QCOMPARE(web.header("Accept"),
                 std::string("text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8"));
        QCOMPARE(QString::fromStdString(web.header("Accept-Encoding")), QStringLiteral("gzip, deflate"));
        QCOMPARE(web.header("Accept-Language"), std::string("en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4"));
        QCOMPARE(web.header("User-Agent"), std::string("Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 "
                                                       "(KHTML, like Gecko) Chrome/60.0.3112.32 Safari/537.36"));
        QCOMPARE(web.header("Cookie"), std::string("<none>"));
        QCOMPARE(readAll(setupFile()), QByteArray::fromStdString(script));
        QTRY_COMPARE(readAll(marker), QByteArray("/silent"));
    }

    // A compressed answer is saved inflated; one that cannot be inflated is a download error.
    void compressedAnswer_data() {
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<int>("windowBits");
        QTest::addColumn<bool>("damaged");
        QTest::newRow("gzip") << QByteArray("gzip") << 15 + 16 << false;
        QTest::newRow("deflate, zlib stream") << QByteArray("deflate") << 15 << false;
        QTest::newRow("deflate, raw stream") << QByteArray("Deflate") << -15 << false;
        QTest::newRow("damaged gzip") << QByteArray("gzip") << 15 + 16 << true;
        QTest::newRow("not asked for") << QByteArray("br") << 15 << false;
    }
    void compressedAnswer() {
        QFETCH(QByteArray, encoding);
        QFETCH(int, windowBits);
        QFETCH(bool, damaged);
        FakeUi ui;
        const QString marker = data_.path() + QStringLiteral("/marker-") + QString::number(windowBits);
        QFile::remove(marker);
        const std::string script = setupScript(marker, 300000);
        std::string body = compress(script, windowBits);
        if (damaged) body[body.size() / 2] ^= 0x5a;
        WebSite web;
        web.srv.Get("/exe/TelvarSetupMerdal.exe", [&](const httplib::Request &, httplib::Response &res) {
            res.set_header("Content-Encoding", encoding.toStdString());
            res.set_content(body, "application/octet-stream");
        });
        web.start();
        Tdosyaindir d(nullptr, 3, web.url("/exe/TelvarSetupMerdal.exe"));
        d.FormActivate();
        QTRY_COMPARE(ui.exits, QList<int>{0});
        const bool ok = encoding != "br" && !damaged;
        if (ok) {
            QVERIFY(ui.shown.isEmpty());
            QCOMPARE(readAll(setupFile()), QByteArray::fromStdString(script));
            QTRY_COMPARE(readAll(marker), QByteArray("/silent"));
        } else {
            QCOMPARE(ui.shown.size(), 1);
            QVERIFY2(ui.shown.first().text.startsWith(kHataOnEki), qPrintable(ui.shown.first().text));
            QVERIFY(!QFile::exists(setupFile()));
        }
    }

    void downloadError_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("not found") << QStringLiteral("/yok");
        QTest::newRow("server error") << QStringLiteral("/bozuk");
        QTest::newRow("nobody listening") << QString();
    }
    void downloadError() {
        QFETCH(QString, path);
        FakeUi ui;
        WebSite web;
        web.srv.Get("/bozuk", [](const httplib::Request &, httplib::Response &res) {
            res.status = 500;
            res.set_content("<html>hata</html>", "text/html");
        });
        web.start();
        const QString url = path.isEmpty() ? QStringLiteral("http://127.0.0.1:%1/x").arg(b2b::test::closedPort())
                                           : web.url(path.toLatin1().constData());
        writeFile(setupFile(), "leftover");
        Tdosyaindir d(nullptr, 3, url);
        d.FormActivate();
        QTRY_COMPARE(ui.exits, QList<int>{0});
        QCOMPARE(ui.shown.size(), 1);
        const auto &m = ui.shown.first();
        QCOMPARE(m.kind, MsgKind::Error);
        QCOMPARE(m.caption, QStringLiteral("Hata"));
        QCOMPARE(m.buttons, QStringList{QStringLiteral("Tamam")});
        QVERIFY2(m.text.startsWith(kHataOnEki) && m.text.size() > kHataOnEki.size(), qPrintable(m.text));
        QVERIFY(!QFile::exists(setupFile())); // neither the leftover nor an error page stays
    }

    // A local file error leaves the window open and does not end the process.
    void leftoverCannotBeDeleted() {
        FakeUi ui;
        WebSite web;
        web.srv.Get("/exe/TelvarSetupMerdal.exe", [&](const httplib::Request &, httplib::Response &res) {
            ++web.hits;
            res.set_content("x", "application/octet-stream");
        });
        web.start();
        // A non-empty folder under the file's name cannot be removed as a file.
        writeFile(setupFile() + QStringLiteral("/inside"), "x");
        Tdosyaindir d(nullptr, 3, web.url("/exe/TelvarSetupMerdal.exe"));
        d.show();
        d.FormActivate();
        QTest::qWait(100);
        QCOMPARE(ui.texts().size(), 1);
        QVERIFY2(ui.texts().first().startsWith(QStringLiteral("Dosya silinemiyor: ") +
                                               QDir::toNativeSeparators(setupFile())),
                 qPrintable(ui.texts().first()));
        QVERIFY(ui.exits.isEmpty());
        QCOMPARE(web.hits.load(), 0);
        QVERIFY(d.isVisible());
        QVERIFY(d.close()); // and the user can close it
        QDir(setupFile()).removeRecursively();
    }

    void fileCannotBeWritten() {
        FakeUi ui;
        WebSite web;
        web.srv.Get("/exe/TelvarSetupMerdal.exe", [](const httplib::Request &, httplib::Response &res) {
            res.set_content("#!/bin/sh\n", "application/octet-stream");
        });
        web.start();
        // The data folder lies under a regular file.
        writeFile(data_.path() + QStringLiteral("/duz"), "x");
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", (data_.path() + QStringLiteral("/duz/alt")).toLocal8Bit());
        Tdosyaindir d(nullptr, 3, web.url("/exe/TelvarSetupMerdal.exe"));
        QSignalSpy saves(&d, &Tdosyaindir::kaydedildi);
        d.show();
        d.FormActivate();
        QTRY_COMPARE(ui.shown.size(), 1);
        qputenv("XDG_DATA_HOME", saved);
        QVERIFY2(ui.texts().first().startsWith(QStringLiteral("Dosya oluşturulamıyor: ")), qPrintable(ui.texts().first()));
        QCOMPARE(ui.shown.first().kind, MsgKind::Error);
        QVERIFY(ui.exits.isEmpty());
        QCOMPARE(saves.count(), 0);
        QVERIFY(!d.IndiriliyorMu());
        QVERIFY(d.close());
    }

    // A file that cannot be run is reported and the program goes on instead of ending without update.
    void setupThatCannotStart() {
        FakeUi ui;
        WebSite web;
        web.srv.Get("/exe/TelvarSetupMerdal.exe", [](const httplib::Request &, httplib::Response &res) {
            res.set_content(std::string("MZ\x90\0\3\0\0\0", 8), "application/octet-stream");
        });
        web.start();
        Tdosyaindir d(nullptr, 3, web.url("/exe/TelvarSetupMerdal.exe"));
        d.FormActivate();
        QTRY_COMPARE(ui.shown.size(), 1);
        QVERIFY2(ui.texts().first().startsWith(QStringLiteral("Kurulum programı başlatılamıyor: ")),
                 qPrintable(ui.texts().first()));
        QVERIFY(ui.exits.isEmpty());
    }

    // ---- access request page ----

    void requestAddress_data() {
        QTest::addColumn<QString>("web");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("address");
        QTest::newRow("plain") << QStringLiteral("http://192.0.2.10/") << QStringLiteral("S3R1AL")
                               << QStringLiteral("http://192.0.2.10/formmailgonder.aspx?carino=0&kullanici= &id=S3R1AL");
        QTest::newRow("not encoded") << QStringLiteral("http://h:8080/") << QStringLiteral("A&B=Ç")
                                     << QStringLiteral("http://h:8080/formmailgonder.aspx?carino=0&kullanici= &id=A&B=Ç");
        QTest::newRow("empty id") << QStringLiteral("http://h/") << QString()
                                  << QStringLiteral("http://h/formmailgonder.aspx?carino=0&kullanici= &id=");
    }
    void requestAddress() {
        QFETCH(QString, web);
        QFETCH(QString, id);
        QFETCH(QString, address);
        QCOMPARE(Tformistekyeni::IstekAdresi(web, id), address);
    }

    void requestPage_data() {
        QTest::addColumn<bool>("browserOpens");
        QTest::newRow("browser opens") << true;
        QTest::newRow("no browser") << false;
    }
    void requestPage() {
        QFETCH(bool, browserOpens);
        QList<QUrl> opened;
        SistemTarayicisi old = SetSistemTarayicisi([&](const QUrl &u) {
            opened << u;
            return browserOpens;
        });
        QString caption, location, note;
        int panel = 0, buttonWidth = 0;
        QString buttonText;
        QTimer::singleShot(0, [&] {
            auto *f = qobject_cast<Tformistekyeni *>(QApplication::activeModalWidget());
            if (!f) return;
            caption = f->windowTitle();
            location = f->sitem->LocationURL();
            panel = f->Panel1->height();
            buttonWidth = f->Button1->width();
            buttonText = f->Button1->text();
            if (auto *l = f->findChild<QLabel *>(QStringLiteral("sitemadres"))) note = l->text();
            QTest::mouseClick(f->Button1, Qt::LeftButton);
        });
        IstekFormuGoster(nullptr, QStringLiteral("http://127.0.0.1:8080/"), QStringLiteral("WD-1 2"));
        SetSistemTarayicisi(old);

        QCOMPARE(caption, QStringLiteral("Telvar Otomotiv B2B Merdal İstek Formu"));
        QCOMPARE(location, QStringLiteral("http://127.0.0.1:8080/formmailgonder.aspx?carino=0&kullanici= &id=WD-1 2"));
        QCOMPARE(panel, 41);
        QCOMPARE(buttonWidth, 131);
        QCOMPARE(buttonText, QStringLiteral("Kapat"));
        if (TWebTarayici::GomuluMu()) {
            QVERIFY(opened.isEmpty());
        } else {
            QCOMPARE(opened.size(), 1);
            const QUrlQuery q(opened.first());
            QCOMPARE(opened.first().path(), QStringLiteral("/formmailgonder.aspx"));
            QCOMPARE(q.queryItemValue(QStringLiteral("carino")), QStringLiteral("0"));
            QCOMPARE(q.queryItemValue(QStringLiteral("kullanici")), QStringLiteral(" "));
            QCOMPARE(q.queryItemValue(QStringLiteral("id")), QStringLiteral("WD-1 2"));
            QVERIFY2(note.contains(QStringLiteral("formmailgonder.aspx?carino=0&amp;kullanici= &amp;id=WD-1 2")),
                     qPrintable(note));
            QCOMPARE(note.startsWith(QStringLiteral("Tarayıcı açılamadı.")), !browserOpens);
        }
    }

    // ---- password change request ----

    void passwordRequestOpens() {
        FakeUi ui;
        Calls calls;
        ScriptServer srv([&](const std::string &m, const std::string &body) -> ScriptAnswer {
            calls.list.emplace_back(m, body);
            if (m == "MobilCariBilgisiGetir") return {200, objectAnswer(firm().marshal())};
            return {500, R"({"error":"?"})"};
        });
        auto c = loopbackConnection(srv.port);
        std::unique_ptr<Tkullanicikayit> k(Tkullanicikayit::Ac(nullptr, *c, loginRecord()));
        QCOMPARE(k->windowTitle(), QStringLiteral("Şifre Değiştirme İsteği"));
        QCOMPARE(k->lblid->text(), QStringLiteral("Bilgisayar ID: ") + expectedId());
        QVERIFY(k->durum == TIstek::teski);
        // Firm name and user name from the login record, the address from the server.
        const QStringList got = {k->firmaadi->text(), k->kullaniciadi->text(), k->adres1->text(), k->adres2->text(),
                                 k->ilce->text(),     k->sehir->text(),        k->telefon->text(), k->fax->text(),
                                 k->vd->text(),       k->vn->text()};
        const TMobilCariBilgisi f = firm();
        QCOMPARE(got, (QStringList{QStringLiteral("Öztürk Oto Yedek Parça"), QStringLiteral("AHMET"), f.ADRES1(),
                                   f.ADRES2(), f.ILCE(), f.SEHIR(), f.TEL1(), f.FAX1(), f.VERGIDAIRESI(),
                                   f.VERGINO()}));
        QVERIFY(k->yetkili->text().isEmpty() && k->sifre->text().isEmpty() && k->mail->text().isEmpty());
        const auto mc = calls.of("MobilCariBilgisiGetir");
        QCOMPARE(mc.size(), size_t(1));
        QCOMPARE(textArgs(mc[0].second, "MobilCariBilgisiGetir"), (QStringList{QStringLiteral("0"), expectedId()}));
        QVERIFY(ui.shown.isEmpty());
        QVERIFY(!k->con->Connected());
        QVERIFY(k->con.get() != c.get());

        // The labels of the form.
        const std::pair<const char *, const char *> labels[] = {
            {"Label1", "Firma Bilgileri"}, {"Label2", "Firma Adı:"},       {"Label3", "Adres:"},
            {"Label4", "Adres2:"},         {"Label5", "İlçe/Şehir:"},      {"Label6", "Telefon/Fax:"},
            {"Label7", "Vergi Dairesi / No:"}, {"Label8", "Kullanıcı Bilgileri"}, {"Label9", "Kullanıcı Adı:"},
            {"Label10", "Şifre:"},         {"Label11", "Mail:"},           {"Label12", "Kargo Ambar:"},
            {"Label13", "Yetkili:"},
        };
        for (const auto &[name, text] : labels) {
            auto *l = k->findChild<QLabel *>(QString::fromLatin1(name));
            QVERIFY2(l, name);
            QCOMPARE(l->text(), QString::fromUtf8(text));
        }
        QCOMPARE(k->Button1->text(), QStringLiteral("Kapat"));
        QCOMPARE(k->Button2->text(), QStringLiteral("Gönder"));
        QCOMPARE(k->sifre->echoMode(), QLineEdit::Normal);
    }

    void passwordRequestUnknownFirmOrNoServer_data() {
        QTest::addColumn<bool>("serverUp");
        QTest::newRow("firm unknown to the server") << true;
        QTest::newRow("server unreachable") << false;
    }
    void passwordRequestUnknownFirmOrNoServer() {
        QFETCH(bool, serverUp);
        FakeUi ui;
        ScriptServer srv([](const std::string &, const std::string &) -> ScriptAnswer {
            return {200, R"({"result":[null]})"};
        });
        auto c = loopbackConnection(serverUp ? srv.port : b2b::test::closedPort());
        std::unique_ptr<Tkullanicikayit> k(Tkullanicikayit::Ac(nullptr, *c, loginRecord()));
        for (QLineEdit *e : {k->adres1, k->adres2, k->ilce, k->sehir, k->telefon, k->fax, k->vd, k->vn})
            QVERIFY(e->text().isEmpty());
        QCOMPARE(k->firmaadi->text(), QStringLiteral("Öztürk Oto Yedek Parça"));
        QCOMPARE(k->kullaniciadi->text(), QStringLiteral("AHMET"));
        if (serverUp) {
            QVERIFY(ui.shown.isEmpty());
        } else {
            QCOMPARE(ui.shown.size(), kBaglantiKurAttempts + 1);
            QCOMPARE(ui.shown.last().text, kBaglantiKurulamiyor);
            QCOMPARE(ui.shown.last().kind, MsgKind::Error);
        }
    }

    void passwordRequestChecks_data() {
        QTest::addColumn<QString>("empty");
        QTest::addColumn<QString>("message");
        const std::pair<const char *, const char *> rows[] = {
            {"firmaadi", "Firma Adı boş olamaz !"}, {"adres1", "Adres boş olamaz !"},
            {"ilce", "İlçe Adı boş olamaz !"},      {"sehir", "Şehir Adı boş olamaz !"},
            {"telefon", "Telefon  boş olamaz !"},   {"yetkili", "Yetkili  boş olamaz !"},
            {"kullaniciadi", "Kullanıcı  boş olamaz !"}, {"sifre", "Şifre  boş olamaz !"},
            {"mail", "Mail  boş olamaz !"},
        };
        for (const auto &[field, msg] : rows) QTest::newRow(field) << QString::fromLatin1(field) << QString::fromUtf8(msg);
        // The optional ones may all stay empty.
        QTest::newRow("optional fields empty") << QStringLiteral("adres2,fax,vd,vn,kargoambar") << QString();
        // The first empty field in the order wins.
        QTest::newRow("several empty") << QStringLiteral("mail,sehir,yetkili") << QStringLiteral("Şehir Adı boş olamaz !");
    }
    void passwordRequestChecks() {
        QFETCH(QString, empty);
        QFETCH(QString, message);
        FakeUi ui;
        Calls calls;
        ScriptServer srv([&](const std::string &m, const std::string &body) -> ScriptAnswer {
            calls.list.emplace_back(m, body);
            if (m == "MobilCariBilgisiGetir") return {200, objectAnswer(firm().marshal())};
            return {200, R"({"result":[1]})"};
        });
        auto c = loopbackConnection(srv.port);
        std::unique_ptr<Tkullanicikayit> k(Tkullanicikayit::Ac(nullptr, *c, loginRecord()));
        k->show();
        QVERIFY(QTest::qWaitForWindowActive(k.get()));
        const QList<QLineEdit *> all = k->findChildren<QLineEdit *>();
        QCOMPARE(all.size(), 14);
        for (QLineEdit *e : all) e->setText(QStringLiteral("x"));
        QLineEdit *first = nullptr;
        for (const QString &name : empty.split(u',')) {
            auto *e = k->findChild<QLineEdit *>(name);
            QVERIFY(e);
            e->setText(QStringLiteral("  \t "));
            if (!first) first = e;
        }
        QTest::mouseClick(k->Button2, Qt::LeftButton);
        if (message.isEmpty()) {
            QCOMPARE(ui.texts(), QStringList{QStringLiteral("İsteğiniz Gönderildi!")});
            QCOMPARE(calls.of("MailGonserCari").size(), size_t(1));
            return;
        }
        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(ui.shown.first().text, message);
        QCOMPARE(ui.shown.first().kind, MsgKind::Warning);
        QCOMPARE(ui.shown.first().caption, QStringLiteral("Uyarı"));
        QCOMPARE(ui.shown.first().buttons, QStringList{QStringLiteral("Tamam")});
        QVERIFY(calls.of("MailGonserCari").empty());
        QLineEdit *focused = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(focused);
        QCOMPARE(focused->selectedText(), QStringLiteral("  \t "));
        if (empty.contains(u',')) QCOMPARE(focused->objectName(), QStringLiteral("sehir"));
        else QCOMPARE(focused, first);
    }

    // The request goes out with the untrimmed texts in the server's order; the confirmation does not
    // depend on the number the server answers; each press sends one mail.
    void passwordRequestSends() {
        FakeUi ui;
        Calls calls;
        ScriptServer srv([&](const std::string &m, const std::string &body) -> ScriptAnswer {
            calls.list.emplace_back(m, body);
            if (m == "MobilCariBilgisiGetir") return {200, objectAnswer(firm().marshal())};
            return {200, R"({"result":[-7]})"};
        });
        auto c = loopbackConnection(srv.port);
        std::unique_ptr<Tkullanicikayit> k(Tkullanicikayit::Ac(nullptr, *c, loginRecord()));
        const std::pair<QLineEdit *, QString> values[] = {
            {k->firmaadi, " Öztürk Oto "}, {k->adres1, "Adres 1"},  {k->adres2, ""},         {k->ilce, "Nilüfer"},
            {k->sehir, "Bursa"},           {k->telefon, "0224"},    {k->fax, "0225"},        {k->vd, "Uludağ"},
            {k->vn, "123"},                {k->yetkili, "Ayşe Kaya"}, {k->kullaniciadi, "AHMET "},
            {k->sifre, "Yeni Şifre"},      {k->mail, "a@b.example"}, {k->kargoambar, "Aras"},
        };
        QStringList expected = {expectedId(), QStringLiteral("Şifre Değiştirme İsteği")};
        for (const auto &[e, v] : values) {
            e->setText(v);
            expected << v;
        }
        k->Button2Click();
        k->Button2Click();
        QCOMPARE(ui.texts(), (QStringList{QStringLiteral("İsteğiniz Gönderildi!"), QStringLiteral("İsteğiniz Gönderildi!")}));
        QCOMPARE(ui.shown.first().kind, MsgKind::Information);
        QCOMPARE(ui.shown.first().caption, QStringLiteral("Bilgi"));
        const auto sent = calls.of("MailGonserCari");
        QCOMPARE(sent.size(), size_t(2));
        QCOMPARE(textArgs(sent[0].second, "MailGonserCari"), expected);
        QVERIFY(!k->con->Connected());
    }

    void passwordRequestFailures() {
        FakeUi ui;
        ScriptServer srv([&](const std::string &m, const std::string &) -> ScriptAnswer {
            if (m == "MobilCariBilgisiGetir") return {200, objectAnswer(firm().marshal())};
            return {500, R"({"error":"Mail sunucusu yanıt vermiyor"})"};
        });
        auto c = loopbackConnection(srv.port);
        std::unique_ptr<Tkullanicikayit> k(Tkullanicikayit::Ac(nullptr, *c, loginRecord()));
        for (QLineEdit *e : k->findChildren<QLineEdit *>()) e->setText(QStringLiteral("x"));
        k->Button2Click();
        QCOMPARE(ui.texts(), QStringList{QStringLiteral("Mail sunucusu yanıt vermiyor")});
        QCOMPARE(ui.shown.first().kind, MsgKind::Error);

        // The server goes away: the connection messages and no confirmation.
        ui.shown.clear();
        k->con->Params[QStringLiteral("Port")] = QString::number(b2b::test::closedPort());
        k->Button2Click();
        QCOMPARE(ui.shown.size(), kBaglantiKurAttempts + 1);
        QCOMPARE(ui.shown.last().text, kBaglantiKurulamiyor);
        QVERIFY(!ui.texts().contains(QStringLiteral("İsteğiniz Gönderildi!")));
    }

    void passwordRequestCloses() {
        FakeUi ui;
        ScriptServer srv([](const std::string &, const std::string &) -> ScriptAnswer {
            return {200, R"({"result":[null]})"};
        });
        auto c = loopbackConnection(srv.port);
        std::unique_ptr<Tkullanicikayit> k(Tkullanicikayit::Ac(nullptr, *c, loginRecord()));
        QTimer::singleShot(0, k.get(), [&] { QTest::mouseClick(k->Button1, Qt::LeftButton); });
        QCOMPARE(k->exec(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TstRequests)
#include "tst_requests.moc"
