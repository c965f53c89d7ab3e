// Picture control against a local HTTP server: the content-type rule, failures that keep the
// previous picture, one request per address change, and closing while a transfer runs.
#include "asyncresim.h"

#include <httplib.h>

#include <QBuffer>
#include <QNetworkProxy>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

using namespace b2b;

namespace {

QByteArray encoded(QColor color, const char *format, QSize size = QSize(8, 6))
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(color);
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return data;
}

struct Answer {
    int status;
    std::string contentType;
    QByteArray body;
};

class Server {
public:
    Server()
    {
        svr.Get(R"(/r/(.+))", [this](const httplib::Request &req, httplib::Response &res) {
            const std::string key = req.matches[1];
            Answer a;
            {
                std::lock_guard lock(mx);
                ++hits[key];
                a = answers[key];
            }
            res.status = a.status;
            res.set_content(a.body.toStdString(), a.contentType);
        });
        // Answers after a delay, in small pieces; notices when the client goes away.
        svr.Get("/slow", [this](const httplib::Request &, httplib::Response &res) {
            {
                std::lock_guard lock(mx);
                ++hits["slow"];
            }
            const QByteArray png = encoded(Qt::red, "PNG");
            res.set_content_provider(size_t(png.size()), "image/png",
                                     [this, png](size_t offset, size_t, httplib::DataSink &sink) {
                                         std::this_thread::sleep_for(std::chrono::milliseconds(20));
                                         if (stopping || !sink.write(png.constData() + offset, 1)) {
                                             clientGone = true;
                                             return false;
                                         }
                                         return true;
                                     });
        });
        port = svr.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { svr.listen_after_bind(); });
        while (!svr.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~Server()
    {
        stopping = true;
        svr.stop();
        thread.join();
    }
    void set(const std::string &key, Answer a)
    {
        std::lock_guard lock(mx);
        answers[key] = std::move(a);
    }
    int hitsOf(const std::string &key)
    {
        std::lock_guard lock(mx);
        return hits[key];
    }
    QString url(const std::string &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(QString::fromStdString(path));
    }

    std::atomic<bool> clientGone{false};
    std::atomic<bool> stopping{false};

private:
    httplib::Server svr;
    std::thread thread;
    int port = 0;
    std::mutex mx;
    std::map<std::string, Answer> answers;
    std::map<std::string, int> hits;
};

QImage greenStart()
{
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::green);
    return img;
}

bool near(QRgb a, QColor b)
{
    return qAbs(qRed(a) - b.red()) < 24 && qAbs(qGreen(a) - b.green()) < 24 && qAbs(qBlue(a) - b.blue()) < 24;
}

} // namespace

class TestAsyncResim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void contentTypes_data();
    void contentTypes();
    void sameUrlTwiceSendsOneRequest();
    void laterCompletionWins();
    void closingWhileLoading();
    void paintsScaledProportionalCentred();

private:
    std::unique_ptr<Server> server;
};

void TestAsyncResim::initTestCase()
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    server = std::make_unique<Server>();
}

void TestAsyncResim::contentTypes_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("contentType");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QColor>("shown"); // invalid: the previous (green) picture stays
    const QByteArray png = encoded(Qt::red, "PNG");
    const QByteArray jpeg = encoded(Qt::blue, "JPEG");
    const QByteArray bmp = encoded(Qt::yellow, "BMP");
    QTest::newRow("png") << 200 << "image/png" << png << QColor(Qt::red);
    QTest::newRow("png labelled jpeg") << 200 << "image/jpeg" << png << QColor();
    QTest::newRow("jpeg") << 200 << "image/jpeg" << jpeg << QColor(Qt::blue);
    QTest::newRow("JPG in capitals") << 200 << "image/JPG" << jpeg << QColor(Qt::blue);
    QTest::newRow("jpeg with parameter") << 200 << "image/jpeg; q=1" << jpeg << QColor();
    QTest::newRow("bmp") << 200 << "image/bmp" << bmp << QColor(Qt::yellow);
    QTest::newRow("gif is not shown") << 200 << "image/gif" << png << QColor();
    QTest::newRow("html") << 200 << "text/html" << QByteArray("<html></html>") << QColor();
    QTest::newRow("corrupt png") << 200 << "image/png" << png.left(png.size() / 2) << QColor();
    QTest::newRow("empty body") << 200 << "image/png" << QByteArray() << QColor();
    QTest::newRow("not found") << 404 << "text/plain" << QByteArray("yok") << QColor();
}

void TestAsyncResim::contentTypes()
{
    QFETCH(int, status);
    QFETCH(QString, contentType);
    QFETCH(QByteArray, body);
    QFETCH(QColor, shown);
    const std::string key = QTest::currentDataTag();
    server->set(key, {status, contentType.toStdString(), body});
    TAsyncResim pic;
    pic.setPicture(greenStart());
    QSignalSpy done(&pic, &TAsyncResim::requestFinished);
    pic.setUrl(server->url("/r/" + key));
    QVERIFY(done.wait(10000));
    QCOMPARE(server->hitsOf(key), 1);
    if (shown.isValid()) {
        QCOMPARE(pic.Picture().size(), QSize(8, 6));
        QVERIFY(near(pic.Picture().pixel(4, 3), shown));
    } else {
        QCOMPARE(pic.Picture(), greenStart());
    }
}

void TestAsyncResim::sameUrlTwiceSendsOneRequest()
{
    server->set("twice", {200, "image/png", encoded(Qt::red, "PNG")});
    TAsyncResim pic;
    QSignalSpy done(&pic, &TAsyncResim::requestFinished);
    pic.setUrl(server->url("/r/twice"));
    pic.setUrl(server->url("/r/twice"));
    QVERIFY(done.wait(10000));
    QTest::qWait(100);
    QCOMPARE(done.count(), 1);
    QCOMPARE(server->hitsOf("twice"), 1);
    // An empty address sends nothing; the same address after it is a change again.
    pic.setUrl(QString());
    QCOMPARE(pic.PendingRequests(), 0);
    pic.setUrl(server->url("/r/twice"));
    QVERIFY(done.wait(10000));
    QCOMPARE(server->hitsOf("twice"), 2);
}

void TestAsyncResim::laterCompletionWins()
{
    // The slow answer (red) completes after the quick one (blue) and is the one shown.
    server->set("quick", {200, "image/jpeg", encoded(Qt::blue, "JPEG")});
    TAsyncResim pic;
    QSignalSpy done(&pic, &TAsyncResim::requestFinished);
    pic.setUrl(server->url("/slow"));
    pic.setUrl(server->url("/r/quick"));
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 2, 15000);
    QVERIFY(near(pic.Picture().pixel(4, 3), Qt::red));
}

void TestAsyncResim::closingWhileLoading()
{
    server->clientGone = false;
    const int before = server->hitsOf("slow");
    QWidget dialog;
    QPointer<TAsyncResim> pic = new TAsyncResim(&dialog);
    pic->setUrl(server->url("/slow"));
    QTRY_COMPARE_WITH_TIMEOUT(server->hitsOf("slow"), before + 1, 10000);
    QVERIFY(pic->PendingRequests() == 1);
    delete pic.data(); // the dialog closes and frees its controls
    QVERIFY(pic.isNull());
    // The transfer is dropped: the server sees the client go away; nothing reaches the freed control.
    QTRY_VERIFY_WITH_TIMEOUT(server->clientGone.load(), 10000);
    QTest::qWait(100);
}

void TestAsyncResim::paintsScaledProportionalCentred()
{
    TAsyncResim pic;
    QVERIFY(pic.Stretch() && pic.Proportional() && pic.Center() && pic.Transparent());
    pic.resize(200, 200);
    QImage wide(100, 50, QImage::Format_RGB32);
    wide.fill(Qt::red);
    pic.setPicture(wide);
    pic.setTransparent(false);
    QPalette pal = pic.palette();
    pal.setColor(pic.backgroundRole(), Qt::white);
    pic.setPalette(pal);
    const QImage shot = pic.grab().toImage();
    // Scaled up to 200 x 100 and centred vertically.
    QVERIFY(near(shot.pixel(100, 100), Qt::red));
    QVERIFY(near(shot.pixel(2, 52), Qt::red));
    QVERIFY(near(shot.pixel(197, 147), Qt::red));
    QVERIFY(near(shot.pixel(100, 45), Qt::white));
    QVERIFY(near(shot.pixel(100, 155), Qt::white));
}

QTEST_MAIN(TestAsyncResim)
#include "test_asyncresim.moc"
