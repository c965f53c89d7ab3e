// The login window's state machine against a scripted server and a local echo service.

#include "ayarini.h"
#include "busyindicator.h"
#include "endpoints.h"
#include "fakeui.h"
#include "formistekyeni.h"
#include "girisform.h"
#include "machineid.h"
#include "notifier.h"
#include "scriptserver.h"
#include "utils.h"
#include "wire.h"
#include "zircon.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <mutex>

using namespace b2b;
using b2b::test::ScriptAnswer;
using b2b::test::ScriptServer;

namespace {

const QString kMakineId = QStringLiteral("TESTMAKINE1");

// The fake seam, also recording beeps and keeping one ordered list of everything that happened.
class Kayit : public test::FakeUi {
public:
    QStringList olaylar;
    int messageDialog(QWidget *o, const MessageRequest &r) override {
        olaylar << QStringLiteral("message:%1:%2").arg(r.caption, r.text);
        return FakeUi::messageDialog(o, r);
    }
    void warningBox(QWidget *o, const QString &c, const QString &t) override {
        olaylar << QStringLiteral("warning:") + t;
        FakeUi::warningBox(o, c, t);
    }
    void exitProcess(int code) override {
        olaylar << QStringLiteral("exit:%1").arg(code);
        FakeUi::exitProcess(code);
    }
    void beep(MsgKind k) override { olaylar << QStringLiteral("beep:%1").arg(int(k)); }
};

class TestGiris : public Tgirisform {
public:
    explicit TestGiris(Kayit *k) : kayit(k) {}
    Kayit *kayit;
    bool cariIptal = false;
    using Tgirisform::Cikis;

protected:
    void GuncellemeAc() override { kayit->olaylar << QStringLiteral("update:%1").arg(Bilgim->Version()); }
    void IstekFormuAc(const QString &web) override { kayit->olaylar << QStringLiteral("request:") + web; }
    void CariSecimiAc() override {
        kayit->olaylar << QStringLiteral("customer");
        if (cariIptal) Cikis();
    }
};

QByteArray record(const TSonucBilgisi &b) {
    JsonWriter w;
    w.raw("{\"result\":[");
    w.json(b.marshal());
    w.raw("]}");
    return QByteArray::fromStdString(w.out);
}

TSonucBilgisi bayi() {
    TSonucBilgisi b;
    b.SetADI("BAYI");
    b.SetSIFRE("BAYI123");
    b.SetAKTIF(1);
    b.SetVarmi(true);
    b.SetVersion(2);
    b.SetMusteriTipi(0);
    b.SetCARINO(17);
    b.SetCariAdi("Örnek Oto");
    b.SetBILGISAYARID("SERVER-SIDE");
    b.SetBilgiSayarAdi("SERVERPC");
    b.SetDisip("0.0.0.0");
    return b;
}

} // namespace

class TstGirisform : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptServer> srv_;
    std::unique_ptr<httplib::Server> web_;
    std::thread webThread_;
    int webPort_ = 0;
    std::mutex m_;
    TSonucBilgisi user_;
    std::string echo_ = "198.51.100.23";
    bool serverFails_ = false;
    QTemporaryDir sys_;
    QStringList fetchedIds_;

    void setUser(const TSonucBilgisi &b) {
        std::lock_guard<std::mutex> l(m_);
        user_ = b;
    }
    int fetches() {
        std::lock_guard<std::mutex> l(m_);
        return int(fetchedIds_.size());
    }
    void setEcho(const std::string &e) {
        std::lock_guard<std::mutex> l(m_);
        echo_ = e;
    }

    struct Oturum {
        std::unique_ptr<Kayit> ui = std::make_unique<Kayit>();
        Connection bag;
        TSonucBilgisi bilgi;
        std::unique_ptr<TestGiris> w;
        QList<std::tuple<Tgirisform::Durum, QString, bool, bool>> gecisler; // state, caption, enabled, busy shown
    };

    std::unique_ptr<Oturum> open(int serverPort) {
        auto l = std::make_unique<Oturum>();
        l->bag.Params[QStringLiteral("Port")] = QString::number(serverPort);
        l->bag.ConnectTimeoutMs = 2000;
        l->w = std::make_unique<TestGiris>(l->ui.get());
        l->w->bagim = &l->bag;
        l->w->Bilgim = &l->bilgi;
        Oturum *raw = l.get();
        connect(l->w.get(), &Tgirisform::durumDegisti, this, [raw](Tgirisform::Durum d) {
            raw->gecisler.append({d, raw->w->Button1->text(), raw->w->Button1->isEnabled(),
                                  raw->w->RxGIFAnimator1->isVisible()});
        });
        l->w->show();
        if (!QTest::qWaitForWindowExposed(l->w.get())) qWarning("login window not exposed");
        return l;
    }

    static void type(Tgirisform *w, const QString &name, const QString &password) {
        w->adi->clear();
        w->sifre->clear();
        QTest::keyClicks(w->adi, name);
        QTest::keyClicks(w->sifre, password);
    }

    // Enter in the password field, then wait until the attempt has ended.
    static void login(Oturum &l) {
        const int before = int(l.gecisler.size());
        QTest::keyClick(l.w->sifre, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(l.gecisler.size() > before + 1 &&
                                     (l.w->durum() == Tgirisform::Durum::Idle ||
                                      l.w->durum() == Tgirisform::Durum::Done),
                                 20000);
    }

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(ZirconUygula(*qApp)); // the look the program runs with
        SetBaglantiKurWait([](int) {});
        SetDisIpBekleme([](int) {});
        QDir().mkpath(sys_.path() + "/block/sda/device");
        QFile f(sys_.path() + "/block/sda/device/serial");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("testmakine1\n");
        f.close();
        MakineKaynaklari k;
        k.sysfs = sys_.path();
        SetMakineKaynaklari(k);

        srv_ = std::make_unique<ScriptServer>([this](const std::string &m, const std::string &body) -> ScriptAnswer {
            std::lock_guard<std::mutex> l(m_);
            if (m != "BuyukGetir") return {500, R"({"error":"unexpected"})"};
            fetchedIds_ << QString::fromStdString(body);
            if (serverFails_) return {500, R"({"error":"Veritabanı hatası"})"};
            return {200, record(user_).toStdString()};
        });
        web_ = std::make_unique<httplib::Server>();
        web_->Get("/ip", [this](const httplib::Request &, httplib::Response &res) {
            std::lock_guard<std::mutex> l(m_);
            res.set_content(echo_, "text/plain");
        });
        webPort_ = web_->bind_to_any_port("127.0.0.1");
        webThread_ = std::thread([this] { web_->listen_after_bind(); });
        while (!web_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }

    void cleanupTestCase() {
        web_->stop();
        webThread_.join();
        SetMakineKaynaklari(MakineKaynaklari());
    }

    void init() {
        QFile::remove(AyarDosyasiYolu());
        setUser(bayi());
        setEcho("198.51.100.23");
        {
            std::lock_guard<std::mutex> l(m_);
            serverFails_ = false;
            fetchedIds_.clear();
        }
        IstemciAdresleri a = VarsayilanAdresler();
        a.host = QStringLiteral("127.0.0.1");
        a.lanHost = QStringLiteral("127.0.0.2");
        a.publicIp = QStringLiteral("203.0.113.99");
        a.webPort = webPort_;
        SetAdresler(a);
    }

    void windowAtStart() {
        auto l = open(srv_->port);
        Tgirisform *w = l->w.get();
        QCOMPARE(w->windowTitle(), QStringLiteral("Giriş"));
        QCOMPARE(w->size(), QSize(368, 550));
        QCOMPARE(w->Button1->text(), QStringLiteral("Giriş"));
        QCOMPARE(w->Button2->text(), QStringLiteral("Vazgeç"));
        QCOMPARE(w->benihatirla->text(), QStringLiteral("Beni hatırla"));
        QVERIFY(w->benihatirla->isChecked()); // no ayar.ini yet
        QVERIFY(w->adi->text().isEmpty() && w->sifre->text().isEmpty());
        QCOMPARE(w->Label1->text(), QStringLiteral(" Kullanıcı Adı:"));
        QCOMPARE(w->Label2->text(), QStringLiteral(" Şifre:"));
        QCOMPARE(w->sifre->echoMode(), QLineEdit::Password);
        QVERIFY(!w->RxGIFAnimator1->isVisible());
        QCOMPARE(w->idsi, kMakineId);
        QCOMPARE(QApplication::focusWidget(), w->adi);
        // Public defaults are set when the window is created.
        QCOMPARE(SunucuAdresi(), QStringLiteral("127.0.0.1"));
        QCOMPARE(WebAdresi(), QStringLiteral("http://127.0.0.1:%1/").arg(webPort_));
        // Tab order: Button1, Button2, benihatirla, adi, sifre.
        QList<QWidget *> chain;
        QWidget *x = w->Button1;
        for (int i = 0; i < 5; ++i, x = x->nextInFocusChain()) {
            while (x->focusPolicy() == Qt::NoFocus) x = x->nextInFocusChain();
            chain << x;
        }
        QCOMPARE(chain, (QList<QWidget *>{w->Button1, w->Button2, w->benihatirla, w->adi, w->sifre}));
        // Letters typed become upper case in both fields.
        QTest::keyClicks(w->adi, "bayi");
        QTest::keyClicks(w->sifre, "abc1");
        QCOMPARE(w->adi->text(), QStringLiteral("BAYI"));
        QCOMPARE(w->sifre->text(), QStringLiteral("ABC1"));
        QCOMPARE(w->sifre->displayText(), QStringLiteral("****"));
    }

    void rememberedCredentials_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::newRow("remembered") << QByteArray("[kullanici]\nisim=BAYI\nsifre=BAYI123\nhatırla=1\n") << true
                                    << "BAYI"
                                    << "BAYI123";
        QTest::newRow("not remembered") << QByteArray("[kullanici]\nisim=BAYI\nsifre=BAYI123\nhatırla=0\n")
                                        << false << ""
                                        << "";
        QTest::newRow("lower case in the file shows upper case")
            << QByteArray("[kullanici]\nisim=bayi\nsifre=bayi123\nhatırla=1\n") << true << "BAYI"
            << "BAYI123";
    }
    void rememberedCredentials() {
        QFETCH(QByteArray, file);
        QFETCH(bool, checked);
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFile f(AyarDosyasiYolu());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
        f.close();
        auto l = open(srv_->port);
        QCOMPARE(l->w->benihatirla->isChecked(), checked);
        QCOMPARE(l->w->adi->text(), name);
        QCOMPARE(l->w->sifre->text(), password);
    }

    void enterWithEmptyFields() {
        auto l = open(srv_->port);
        Tgirisform *w = l->w.get();
        QTest::keyClicks(w->adi, "   ");
        QTest::keyClick(w->adi, Qt::Key_Return);
        QCOMPARE(l->ui->olaylar,
                 QStringList({QStringLiteral("beep:1"), QStringLiteral("warning:Lütfen kullanıcı adını giriniz !")}));
        QCOMPARE(QApplication::focusWidget(), w->adi);
        QCOMPARE(w->adi->selectedText(), w->adi->text());

        w->adi->setText("BAYI");
        QTest::keyClick(w->adi, Qt::Key_Return); // on to the password field
        QCOMPARE(QApplication::focusWidget(), w->sifre);
        QTest::keyClick(w->sifre, Qt::Key_Enter);
        QCOMPARE(l->ui->olaylar.mid(2), QStringList({QStringLiteral("beep:1"),
                                                     QStringLiteral("warning:Lütfen kullanıcı şifresini giriniz !")}));
        QCOMPARE(QApplication::focusWidget(), w->sifre);
        QCOMPARE(w->durum(), Tgirisform::Durum::Idle);
        QCOMPARE(fetches(), 0); // nothing went to the server
        QCOMPARE(l->ui->shown.at(1).caption, QStringLiteral("Uyarı"));
    }

    void successfulDealerLogin() {
        auto l = open(srv_->port);
        l->w->benihatirla->setChecked(false);
        type(l->w.get(), "bayi", "bayi123");
        login(*l);
        QCOMPARE(l->w->durum(), Tgirisform::Durum::Done);
        QCOMPARE(l->w->result(), int(QDialog::Accepted));
        QVERIFY(l->ui->olaylar.isEmpty()); // no message, no customer selection for a dealer
        // States and the button on the way.
        QCOMPARE(l->gecisler.size(), 4);
        QCOMPARE(std::get<0>(l->gecisler[0]), Tgirisform::Durum::Probing);
        QCOMPARE(std::get<1>(l->gecisler[0]), QStringLiteral("Bağlanıyor..."));
        QVERIFY(!std::get<2>(l->gecisler[0]));
        QVERIFY(std::get<3>(l->gecisler[0])); // busy animation shown while probing
        QCOMPARE(std::get<0>(l->gecisler[1]), Tgirisform::Durum::Fetching);
        QCOMPARE(std::get<1>(l->gecisler[1]), QStringLiteral("Giriş!"));
        QVERIFY(!std::get<2>(l->gecisler[1]));
        QVERIFY(!std::get<3>(l->gecisler[1]));
        QCOMPARE(std::get<0>(l->gecisler[2]), Tgirisform::Durum::Checking);
        QCOMPARE(std::get<0>(l->gecisler[3]), Tgirisform::Durum::Done);
        // The record: the server's fields, the computer's own machine fields, the probed address.
        QCOMPARE(l->bilgi.ADI(), QStringLiteral("BAYI"));
        QCOMPARE(l->bilgi.CARINO(), 17);
        QCOMPARE(l->bilgi.CariAdi(), QStringLiteral("Örnek Oto"));
        QCOMPARE(l->bilgi.BILGISAYARID(), kMakineId);
        QCOMPARE(l->bilgi.BilgiSayarAdi(), BilgisayarAdiAl());
        QCOMPARE(l->bilgi.Icip(), IcIpAl());
        QCOMPARE(l->bilgi.Disip(), QStringLiteral("198.51.100.23"));
        QCOMPARE(fetches(), 1);
        QVERIFY(fetchedIds_.value(0).contains(kMakineId));
        QCOMPARE(l->bag.Params.value("HostName"), QStringLiteral("127.0.0.1"));
        // Remembered although the box was unchecked; the next start shows empty fields.
        IniDosyasi ini;
        QVERIFY(ini.Yukle(AyarDosyasiYolu()));
        QCOMPARE(ini.OkuYazi("kullanici", "isim"), QStringLiteral("BAYI"));
        QCOMPARE(ini.OkuYazi("kullanici", "sifre"), QStringLiteral("BAYI123"));
        QCOMPARE(ini.OkuYazi("kullanici", "hatırla"), QStringLiteral("0"));
        auto next = open(srv_->port);
        QVERIFY(next->w->adi->text().isEmpty());
        QVERIFY(!next->w->benihatirla->isChecked());
    }

    void refusedLogins_data() {
        QTest::addColumn<QString>("adi");
        QTest::addColumn<QString>("sifre");
        QTest::addColumn<int>("aktif");
        QTest::addColumn<QString>("serverAdi");
        QTest::newRow("wrong password") << "BAYI" << "YANLIS" << 1 << "BAYI";
        QTest::newRow("wrong user name") << "BAYII" << "BAYI123" << 1 << "BAYI";
        QTest::newRow("inactive account") << "BAYI" << "BAYI123" << 0 << "BAYI";
        QTest::newRow("lower-case record cannot be typed") << "bayi" << "BAYI123" << 1 << "bayi";
        QTest::newRow("trailing blank counts") << "BAYI " << "BAYI123" << 1 << "BAYI";
    }
    void refusedLogins() {
        QFETCH(QString, adi);
        QFETCH(QString, sifre);
        QFETCH(int, aktif);
        QFETCH(QString, serverAdi);
        TSonucBilgisi b = bayi();
        b.SetAKTIF(aktif);
        b.SetADI(serverAdi);
        setUser(b);
        auto l = open(srv_->port);
        type(l->w.get(), adi, sifre);
        login(*l);
        QCOMPARE(l->w->durum(), Tgirisform::Durum::Idle);
        QCOMPARE(l->ui->olaylar, QStringList({QStringLiteral("beep:0"),
                                              QStringLiteral("message:Uyarı:Kullanıcı Adı ve Şifre Hatalı Lütfen "
                                                             "Tekrar Deneyiniz !")}));
        QCOMPARE(l->ui->shown.last().buttons, QStringList{QStringLiteral("Tamam")});
        QCOMPARE(l->ui->shown.last().defaultButton, QStringLiteral("Tamam"));
        QVERIFY(l->w->Button1->isEnabled());
        QCOMPARE(l->w->Button1->text(), QStringLiteral("Giriş!"));
        QCOMPARE(QApplication::focusWidget(), l->w->adi);
        QCOMPARE(l->w->adi->selectedText(), l->w->adi->text());
        // Only a matching name and password are remembered (an inactive account's too).
        QCOMPARE(QFile::exists(AyarDosyasiYolu()), aktif == 0);
        // A second attempt runs again from the start.
        type(l->w.get(), "BAYI", "BAYI123");
        b.SetADI("BAYI");
        b.SetAKTIF(1);
        setUser(b);
        login(*l);
        QCOMPARE(l->w->durum(), Tgirisform::Durum::Done);
    }

    void newerVersionOpensUpdateBeforeNameCheck() {
        TSonucBilgisi b = bayi();
        b.SetVersion(3);
        setUser(b);
        auto l = open(srv_->port);
        type(l->w.get(), "KIMSE", "YOK");
        login(*l);
        QCOMPARE(l->ui->olaylar.value(0), QStringLiteral("update:3"));
        QVERIFY(l->ui->olaylar.value(2).contains("Kullanıcı Adı ve Şifre Hatalı"));
    }

    void unregisteredComputerGetsRequestPageThenExit() {
        TSonucBilgisi b = bayi();
        b.SetVarmi(false);
        setUser(b);
        auto l = open(srv_->port);
        type(l->w.get(), "BAYI", "BAYI123"); // even with the right name and password
        login(*l);
        QCOMPARE(l->ui->olaylar, QStringList({QStringLiteral("request:http://127.0.0.1:%1/").arg(webPort_),
                                              QStringLiteral("exit:0")}));
        QVERIFY(l->w->cikisIstendi());
        QVERIFY(!QFile::exists(AyarDosyasiYolu()));
    }

    void representativeChoosesCustomer_data() {
        QTest::addColumn<int>("tip");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QStringList>("olaylar");
        QTest::addColumn<int>("result");
        QTest::newRow("type 1") << 1 << false << QStringList{"customer"} << int(QDialog::Accepted);
        QTest::newRow("type 2") << 2 << false << QStringList{"customer"} << int(QDialog::Accepted);
        QTest::newRow("type 2 cancels") << 2 << true << QStringList{"customer", "exit:0"} << int(QDialog::Rejected);
        QTest::newRow("type 3 is no representative") << 3 << true << QStringList{} << int(QDialog::Accepted);
        QTest::newRow("type 4 is no representative") << 4 << true << QStringList{} << int(QDialog::Accepted);
    }
    void representativeChoosesCustomer() {
        QFETCH(int, tip);
        QFETCH(bool, cancel);
        QFETCH(QStringList, olaylar);
        QFETCH(int, result);
        TSonucBilgisi b = bayi();
        b.SetMusteriTipi(tip);
        setUser(b);
        auto l = open(srv_->port);
        l->w->cariIptal = cancel;
        type(l->w.get(), "BAYI", "BAYI123");
        login(*l);
        QCOMPARE(l->ui->olaylar, olaylar);
        QCOMPARE(l->w->result(), result);
    }

    void emptyEchoAnswer() {
        setEcho(" \r\n");
        auto l = open(srv_->port);
        type(l->w.get(), "BAYI", "BAYI123");
        login(*l);
        QCOMPARE(l->ui->olaylar, QStringList({QStringLiteral("beep:1"),
                                              QStringLiteral("message:Hata:Bağlantı Kurulamıyor Lütfen Tekrar "
                                                             "Deneyiniz !")}));
        QCOMPARE(fetches(), 0);
        QVERIFY(l->w->Button1->isEnabled());
        QCOMPARE(l->w->durum(), Tgirisform::Durum::Idle);
    }

    void serverDownOrFailing_data() {
        QTest::addColumn<bool>("down");
        QTest::newRow("nothing listens") << true;
        QTest::newRow("BuyukGetir raises") << false;
    }
    void serverDownOrFailing() {
        QFETCH(bool, down);
        {
            std::lock_guard<std::mutex> lk(m_);
            serverFails_ = !down;
        }
        auto l = open(down ? test::closedPort() : srv_->port);
        type(l->w.get(), "BAYI", "BAYI123");
        login(*l);
        QCOMPARE(l->ui->olaylar,
                 QStringList({QStringLiteral("beep:1"), QStringLiteral("message:Hata:Bağlantı Kurulamadı !")}));
        QVERIFY(l->w->Button1->isEnabled());
        QCOMPARE(QApplication::focusWidget(), l->w->adi);
        QCOMPARE(l->bilgi.ADI(), QString()); // nothing copied from a failed fetch
    }

    void sameNetworkAsServerUsesLanAddresses() {
        IstemciAdresleri a = Adresler();
        a.host = QStringLiteral("b2b.invalid"); // the public name does not resolve here
        a.lanHost = QStringLiteral("127.0.0.1");
        a.publicIp = QStringLiteral("198.51.100.23"); // what the echo answers
        a.echoUrl = QStringLiteral("http://127.0.0.1:%1/ip").arg(webPort_);
        SetAdresler(a);
        auto l = open(srv_->port);
        type(l->w.get(), "BAYI", "BAYI123");
        login(*l);
        QCOMPARE(l->w->durum(), Tgirisform::Durum::Done);
        QCOMPARE(SunucuAdresi(), QStringLiteral("127.0.0.1"));
        QCOMPARE(ResimAdresi(), QStringLiteral("http://127.0.0.1:%1/resimgoster.ashx?id=").arg(webPort_));
        QCOMPARE(WebAdresi(), QStringLiteral("http://127.0.0.1:%1/").arg(webPort_));
        QCOMPARE(l->bag.Params.value("HostName"), QStringLiteral("127.0.0.1"));
    }

    void cancelEndsTheProcess() {
        auto l = open(srv_->port);
        QTest::mouseClick(l->w->Button2, Qt::LeftButton);
        QCOMPARE(l->ui->exits, QList<int>{0});
        QVERIFY(l->w->cikisIstendi());
    }

    void noSecondAttemptWhileBusy() {
        auto l = open(srv_->port);
        type(l->w.get(), "BAYI", "BAYI123");
        QTest::keyClick(l->w->sifre, Qt::Key_Return);
        QCOMPARE(l->w->durum(), Tgirisform::Durum::Probing);
        QTest::keyClick(l->w->sifre, Qt::Key_Return); // ignored while the button is disabled
        QTRY_COMPARE_WITH_TIMEOUT(l->w->durum(), Tgirisform::Durum::Done, 20000);
        QCOMPARE(fetches(), 1);
    }

    void notifierShowsOnTheUiThread() {
        // Texts of the remote layer's connection attempts, also when a worker reports them.
        struct Seen : test::FakeUi {
            QList<QThread *> threads;
            void plainMessage(const QString &t) override {
                threads << QThread::currentThread();
                FakeUi::plainMessage(t);
            }
        } ui;
        UiBaglantiBildirici n;
        n.attemptFailed(QStringLiteral("127.0.0.1:9 - Connection refused"));
        std::atomic<bool> done{false};
        std::thread worker([&] {
            n.attemptFailed(QStringLiteral("from a worker"));
            n.connectionFailed(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
            done = true;
        });
        QTRY_VERIFY(done.load());
        worker.join();
        QCOMPARE(ui.texts(), QStringList({QStringLiteral("127.0.0.1:9 - Connection refused"),
                                          QStringLiteral("from a worker"),
                                          QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!")}));
        QCOMPARE(ui.threads, (QList<QThread *>{qApp->thread(), qApp->thread()}));
        QCOMPARE(ui.shown.last().kind, MsgKind::Error);
        QCOMPARE(ui.shown.last().caption, QStringLiteral("Hata"));
    }

    void realRequestPageShowsThisComputersAddress() {
        // The request window itself (not replaced): it shows the address and returns, then the
        // login ends the process.
        TSonucBilgisi b = bayi();
        b.SetVarmi(false);
        setUser(b);
        QList<QUrl> opened;
        SistemTarayicisi old = SetSistemTarayicisi([&](const QUrl &u) {
            opened << u;
            return true;
        });
        Kayit ui;
        Connection bag;
        bag.Params[QStringLiteral("Port")] = QString::number(srv_->port);
        TSonucBilgisi bilgi;
        Tgirisform w;
        w.bagim = &bag;
        w.Bilgim = &bilgi;
        w.show();
        QString shownAddress;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (auto *f = qobject_cast<Tformistekyeni *>(QApplication::activeModalWidget())) {
                shownAddress = f->sitem->LocationURL();
                shownAddress += QStringLiteral("|") + f->windowTitle();
                f->Button1->click();
            }
        });
        poll.start(20);
        w.adi->setText("BAYI");
        w.sifre->setText("BAYI123");
        w.Button1Click();
        QTRY_VERIFY_WITH_TIMEOUT(w.cikisIstendi(), 20000);
        SetSistemTarayicisi(old);
        QCOMPARE(shownAddress,
                 QStringLiteral("http://127.0.0.1:%1/formmailgonder.aspx?carino=0&kullanici= &id=%2|Telvar Otomotiv "
                                "B2B Merdal İstek Formu")
                     .arg(webPort_)
                     .arg(kMakineId));
        QCOMPARE(ui.exits, QList<int>{0});
    }
};

QTEST_MAIN(TstGirisform)
#include "tst_girisform.moc"
