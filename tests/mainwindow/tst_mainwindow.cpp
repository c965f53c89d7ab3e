// The main window shell: layout and names, role layouts, the closing question, count captions,
// the customer switch, list loading, the width rule, and the start-up through the real login.

#include "busyindicator.h"
#include "endpoints.h"
#include "fakeui.h"
#include "girisform.h"
#include "grid.h"
#include "machineid.h"
#include "mainwindow.h"
#include "notifier.h"
#include "proxim.h"
#include "scriptserver.h"
#include "utils.h"
#include "wire.h"
#include "zircon.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <atomic>
#include <mutex>

using namespace b2b;
using b2b::test::ScriptAnswer;
using b2b::test::ScriptServer;

namespace {

std::string answerOf(const QJsonObject &o) {
    JsonWriter w;
    w.raw("{\"result\":[");
    w.json(o);
    w.raw("]}");
    return w.out;
}

std::string tableAnswer(int rows) {
    TableData t;
    t.addColumn({QStringLiteral("SIRANO"), FieldKind::Integer});
    t.addColumn({QStringLiteral("STOKADI"), FieldKind::Text});
    t.addColumn({QStringLiteral("TUTAR"), FieldKind::Float});
    for (int i = 0; i < rows; ++i) {
        t.columns[0].appendInt(i + 1);
        t.columns[1].appendText(QStringLiteral("Fren balatası %1").arg(i + 1));
        t.columns[2].appendReal(1234.5 * (i + 1));
    }
    t.rowCount = rows;
    JsonWriter w;
    w.raw("{\"result\":[");
    writeTable(w, t);
    w.raw("]}");
    return w.out;
}

TSonucBilgisi kayit(int tip) {
    TSonucBilgisi b;
    b.SetADI("BAYI");
    b.SetSIFRE("BAYI123");
    b.SetAKTIF(1);
    b.SetVarmi(true);
    b.SetVersion(2);
    b.SetMusteriTipi(tip);
    b.SetCARINO(5);
    b.SetCariAdi("Demirbaş Otomotiv");
    b.SetSaticiAdi("Kemal Aksoy");
    b.SetSaticiTelefon("0532 555 11 01");
    b.SetSaticiMail("kemal@telvar.example");
    return b;
}

// The window without its start-up login: the login answer is given by the test.
class OturumsuzForm : public TForm1 {
public:
    int girisSonucu = QDialog::Accepted;
    QString disip = QStringLiteral("198.51.100.23");
    int tip = 0;

protected:
    int GirisPenceresiCalistir() override {
        *sbilgi = kayit(tip);
        sbilgi->SetDisip(disip);
        return girisSonucu;
    }
};

} // namespace

// Stands in for the system's browser.
class UrlKaydedici : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &u) { urls << u; }
};

class TstMainWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<ScriptServer> srv_;
    std::unique_ptr<httplib::Server> web_;
    std::thread webThread_;
    int webPort_ = 0;
    std::mutex m_;
    TSonucBilgisi user_ = kayit(0);
    int basketRows_ = 3;
    QStringList bodies_;

    void useServer(TForm1 &f, int port) {
        f.bagc->Params[QStringLiteral("HostName")] = QStringLiteral("127.0.0.1");
        f.bagc->Params[QStringLiteral("Port")] = QString::number(port);
    }

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(ZirconUygula(*qApp));
        BaglantiBildiricisiKur();
        SetBaglantiKurWait([](int) {});
        SetDisIpBekleme([](int) {});
        srv_ = std::make_unique<ScriptServer>([this](const std::string &m, const std::string &body) -> ScriptAnswer {
            std::lock_guard<std::mutex> l(m_);
            bodies_ << QString::fromStdString(m + " " + body);
            if (m == "BuyukGetir") return {200, answerOf(user_.marshal())};
            if (m == "SepetVer2" || m == "YenilerVer2") return {200, tableAnswer(basketRows_)};
            return {500, R"({"error":"unexpected"})"};
        });
        web_ = std::make_unique<httplib::Server>();
        web_->Get("/ip", [](const httplib::Request &, httplib::Response &res) {
            res.set_content("198.51.100.23", "text/plain");
        });
        webPort_ = web_->bind_to_any_port("127.0.0.1");
        webThread_ = std::thread([this] { web_->listen_after_bind(); });
        while (!web_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }

    void cleanupTestCase() {
        web_->stop();
        webThread_.join();
    }

    void init() {
        std::lock_guard<std::mutex> l(m_);
        bodies_.clear();
        basketRows_ = 3;
        user_ = kayit(0);
    }

    void shell() {
        TForm1 f;
        QCOMPARE(f.windowTitle(), QStringLiteral("Telvar Otomotiv Merdal B2B Programı"));
        QVERIFY(f.font().bold());
        QCOMPARE(f.font().pixelSize(), 13);
        QVERIFY(f.kullanicilbl->font().bold()); // the window's font reaches its controls
        QCOMPARE(f.Panel1->height(), 100);
        QCOMPARE(f.RxGIFAnimator1->size(), QSize(409, 100));
        QCOMPARE(f.RxGIFAnimator2->maximumHeight(), 0);
        QCOMPARE(f.Panel2->maximumHeight(), 35);
        QCOMPARE(f.Panel3->maximumHeight(), 27);
        QCOMPARE(f.Panel5->maximumHeight(), 40);
        QCOMPARE(f.araedit->maximumWidth(), 340);
        QCOMPARE(f.SpeedButton2->toolTip(), QStringLiteral("Ara"));
        QCOMPARE(f.SpeedButton1->toolTip(), QStringLiteral("Temizle"));
        QCOMPARE(f.musteritus->text(), QStringLiteral("Başka Cari Seç"));
        QVERIFY(f.musteritus->isHidden());
        for (const char *name : {"gifstokara", "gifyeniler", "gifkampanyali", "gifduyuru", "gifoncekiler", "gifsepet",
                                 "gifekstre"}) {
            auto *b = f.findChild<BusyIndicator *>(QLatin1String(name));
            QVERIFY2(b && b->isHidden(), name);
        }
        QStringList tabs, names;
        for (int i = 0; i < f.sPageControl1->count(); ++i) {
            tabs << f.sPageControl1->tabText(i);
            names << f.sPageControl1->widget(i)->objectName();
            QVERIFY(!f.sPageControl1->tabIcon(i).isNull());
        }
        QCOMPARE(tabs, QStringList({"Stok Listesi", "Sepet", "Önceki Siparişler", "Cari Ekstre", "Yeni Stoklar",
                                    "Kampanyalı Stoklar", "Duyurular", "Bakiyeler"}));
        QCOMPARE(names, QStringList({"sstoklistesi", "ssepet", "sonceki", "sccariekstre", "syeniler", "skampanyali",
                                     "sTabSheetduyuru", "sTabbakiyeler"}));
        QCOMPARE(f.sPageControl1->currentWidget(), f.sstoklistesi);
        QCOMPARE(f.sPageControl1->iconSize(), QSize(32, 32));
        // Tabs are 120 x 45 px; only a caption too long for that widens its tab.
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(f.sPageControl1->tabBar()->tabRect(1).size(), QSize(120, 45)); // "Sepet"
        for (int i = 0; i < f.sPageControl1->count(); ++i) {
            QCOMPARE(f.sPageControl1->tabBar()->tabRect(i).height(), 45);
            QVERIFY(f.sPageControl1->tabBar()->tabRect(i).width() >= 120);
        }
        QStringList menu;
        for (QAction *a : f.Genelmenu->actions()) menu << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(menu, QStringList({"M1", "-", "N4", "-", "websitesi1", "-", "G1", "-", "R1"}));
        QCOMPARE(f.M1->text(), QStringLiteral("Mail Gönder"));
        QCOMPARE(f.N4->text(), QStringLiteral("Şifre Değiştirme İsteği"));
        QCOMPARE(f.G1->text(), QStringLiteral("Çıkış"));
        QCOMPARE(f.R1->text(), QStringLiteral("Raporlar"));
        QVERIFY(!f.R1->isVisible());
        QCOMPARE(f.Button3->menu(), f.Genelmenu);
        QTest::keyClicks(f.araedit, "fren i");
        QCOMPARE(f.araedit->text(), QStringLiteral("FREN I"));
    }

    void roleLayouts_data() {
        QTest::addColumn<int>("tip");
        QTest::addColumn<bool>("rep");
        QTest::addColumn<bool>("campaignTab");
        QTest::addColumn<QStringList>("shown");  // grid:field now shown and offered
        QTest::addColumn<QStringList>("hidden"); // grid:field hidden and not offered
        const QStringList repColumns = {"stok:KALAN",          "yeni:KALAN",         "kamp:KALAN",          "sepet:KALAN",
                                        "stok:ALINANSIPARIS",  "yeni:ALINANSIPARIS", "kamp:ALINANSIPARIS",
                                        "stok:VERILENSIPARIS", "yeni:VERILENSIPARIS", "kamp:VERILENSIPARIS"};
        const QStringList type4 = {"stok:KAMPFIYAT", "stok:K", "yeni:K", "yeni:KAMPFIYAT"};
        QTest::newRow("dealer (0)") << 0 << false << true << QStringList{"sepet:DURUM", "stok:K", "yeni:K"}
                                    << repColumns;
        QTest::newRow("representative 1") << 1 << true << true << repColumns << QStringList{};
        QTest::newRow("representative 2") << 2 << true << true << repColumns << QStringList{};
        QTest::newRow("type 3") << 3 << false << true << QStringList{"stok:K"}
                                << (QStringList{"sepet:DURUM"} + repColumns);
        QTest::newRow("type 4") << 4 << false << false << QStringList{"sepet:DURUM"} << (type4 + repColumns);
        QTest::newRow("other (7)") << 7 << false << true << QStringList{"sepet:DURUM", "yeni:KAMPFIYAT"}
                                   << repColumns;
    }
    void roleLayouts() {
        QFETCH(int, tip);
        QFETCH(bool, rep);
        QFETCH(bool, campaignTab);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);
        TForm1 f;
        f.RolDuzeniUygula(tip);
        const QMap<QString, DataGrid *> grids = {
            {"stok", f.cxGrid1}, {"yeni", f.cxGrid6}, {"kamp", f.cxkampanyali}, {"sepet", f.cxGrid2}};
        QCOMPARE(!f.musteritus->isHidden(), rep);
        QCOMPARE(f.R1->isVisible(), rep);
        QCOMPARE(f.sPageControl1->isTabVisible(f.sPageControl1->indexOf(f.skampanyali)), campaignTab);
        for (const QString &c : shown) {
            DataGrid *g = grids.value(c.section(u':', 0, 0));
            const QString key = c.section(u':', 1);
            QVERIFY2(g->columnIndex(key) >= 0, qPrintable(c));
            QVERIFY2(g->isColumnVisible(key), qPrintable(c));
            QVERIFY2(g->isColumnInChooser(key), qPrintable(c));
        }
        for (const QString &c : hidden) {
            DataGrid *g = grids.value(c.section(u':', 0, 0));
            const QString key = c.section(u':', 1);
            QVERIFY2(g->columnIndex(key) >= 0, qPrintable(c));
            QVERIFY2(!g->isColumnVisible(key), qPrintable(c));
            QVERIFY2(!g->isColumnInChooser(key), qPrintable(c));
        }
    }

    void closingQuestion_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("viaMenu");
        QTest::addColumn<bool>("ends");
        QTest::newRow("title bar, Evet") << int(mrYes) << false << true;
        QTest::newRow("title bar, Hayır") << int(mrNo) << false << false;
        QTest::newRow("menu Çıkış, Evet") << int(mrYes) << true << true;
        QTest::newRow("menu Çıkış, Hayır") << int(mrNo) << true << false;
    }
    void closingQuestion() {
        QFETCH(int, answer);
        QFETCH(bool, viaMenu);
        QFETCH(bool, ends);
        test::FakeUi ui;
        ui.answers << answer;
        TForm1 f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        if (viaMenu) f.G1->trigger();
        else f.close();
        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(ui.shown[0].text, QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"));
        QCOMPARE(ui.shown[0].caption, QStringLiteral("Soru"));
        QCOMPARE(ui.shown[0].buttons, QStringList({"Evet", "Hayır"}));
        QCOMPARE(ui.shown[0].defaultButton, QStringLiteral("Evet"));
        QCOMPARE(ui.exits, ends ? QList<int>{0} : QList<int>{});
        QCOMPARE(f.isVisible(), !ends);
        if (!ends) {
            // Still working: the search box takes input.
            QTest::keyClicks(f.araedit, "abc");
            QCOMPARE(f.araedit->text(), QStringLiteral("ABC"));
        }
    }

    void countCaptions() {
        QCOMPARE(TForm1::SayiBasligi(12, QStringLiteral("Stok Listesi")), QStringLiteral("12=Stok Listesi"));
        QCOMPARE(TForm1::SayiBasligi(0, QStringLiteral("Sepet")), QStringLiteral("0=Sepet"));
        QCOMPARE(TForm1::SayiBasligi(-3, QStringLiteral("Duyurular")), QStringLiteral("-3=Duyurular"));
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        QCOMPARE(TForm1::TutarBasligi(1234567.5), QStringLiteral("1234567,5=Bakiyeler"));
        QCOMPARE(TForm1::TutarBasligi(-0.25), QStringLiteral("-0,25=Bakiyeler"));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(TForm1::TutarBasligi(1234567.5), QStringLiteral("1234567.5=Bakiyeler"));
        QLocale::setDefault(before);
        TForm1 f;
        f.SekmeBasligiYaz(f.syeniler, TForm1::SayiBasligi(7, QStringLiteral("Yeni Stoklar")));
        QCOMPARE(f.sPageControl1->tabText(4), QStringLiteral("7=Yeni Stoklar"));
        QCOMPARE(f.SekmeBasligi(f.syeniler), QStringLiteral("7=Yeni Stoklar"));
        QCOMPARE(TForm1::IkiHaneYuvarla(0.125), 0.13);
        QCOMPARE(TForm1::IkiHaneYuvarla(-2.675000001), -2.68);
    }

    void customerSwitch() {
        test::FakeUi ui;
        TForm1 f;
        useServer(f, srv_->port);
        *f.sbilgi = kayit(1);
        f.sbilgi->SetCariAdi(QStringLiteral("Yeni Cari A.Ş."));
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        TableData stock;
        stock.addColumn({QStringLiteral("ADI"), FieldKind::Text});
        stock.columns[0].appendText(QStringLiteral("X"));
        stock.rowCount = 1;
        f.stok->Load(stock);
        f.SekmeBasligiYaz(f.sstoklistesi, QStringLiteral("1=Stok Listesi"));
        f.sPageControl1->setCurrentWidget(f.ssepet);
        f.araedit->setText(QStringLiteral("FREN"));
        f.CariDegistir();
        QCOMPARE(f.stok->RecordCount(), 0);
        QVERIFY(f.stok->Active());
        QCOMPARE(f.SekmeBasligi(f.sstoklistesi), QStringLiteral("0=Stok Listesi"));
        QCOMPARE(f.sPageControl1->currentWidget(), f.sstoklistesi);
        QCOMPARE(f.araedit->selectedText(), QStringLiteral("FREN"));
        QTRY_COMPARE(QApplication::focusWidget(), f.araedit);
        QCOMPARE(f.cariadilbl->text(), QStringLiteral("Yeni Cari A.Ş."));
        QCOMPARE(f.sepet->RecordCount(), 3);
        QCOMPARE(f.SekmeBasligi(f.ssepet), QStringLiteral("3=Sepet"));
        {
            std::lock_guard<std::mutex> l(m_);
            QCOMPARE(bodies_, QStringList{QStringLiteral("SepetVer2 {\"_parameters\":[5]}")});
        }
        QVERIFY(ui.shown.isEmpty());
    }

    void customerSwitchWithServerDown() {
        test::FakeUi ui;
        TForm1 f;
        useServer(f, test::closedPort());
        *f.sbilgi = kayit(1);
        f.CariDegistir();
        // The basket stays as it was; the stock list is still emptied.
        QCOMPARE(f.SekmeBasligi(f.ssepet), QStringLiteral("Sepet"));
        QCOMPARE(f.SekmeBasligi(f.sstoklistesi), QStringLiteral("0=Stok Listesi"));
        QStringList texts = ui.texts();
        QCOMPARE(texts.size(), 12); // eleven attempts and the final message
        QCOMPARE(texts.last(), QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
    }

    void listLoad_data() {
        QTest::addColumn<bool>("down");
        QTest::newRow("loaded") << false;
        QTest::newRow("server down") << true;
    }
    void listLoad() {
        QFETCH(bool, down);
        test::FakeUi ui;
        TForm1 f;
        useServer(f, down ? test::closedPort() : srv_->port);
        f.show();
        bool done = false, failed = false;
        f.ListeYukle(
            f.cxGrid6, f.gifyeniler, f.YENILER,
            [](TServerMethods1Client &p, const TSonucBilgisi &b) { return p.YenilerVer2(b.CARINO()); },
            [&](bool basarisiz) {
                done = true;
                failed = basarisiz;
            });
        QVERIFY(!f.cxGrid6->isEnabled());
        QVERIFY(!f.gifyeniler->isHidden());
        QVERIFY(!f.cxGrid6->isAttached());
        QTRY_VERIFY_WITH_TIMEOUT(done, 20000);
        QCOMPARE(failed, down);
        QVERIFY(f.cxGrid6->isEnabled());
        QVERIFY(f.gifyeniler->isHidden());
        QVERIFY(f.cxGrid6->isAttached());
        QVERIFY(!f.cxGrid6->isUpdating());
        if (down) {
            QCOMPARE(ui.texts(), QStringList{QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!")});
            QCOMPARE(f.YENILER->RecordCount(), 0);
        } else {
            QVERIFY(ui.shown.isEmpty());
            QCOMPARE(f.YENILER->RecordCount(), 3);
            QCOMPARE(f.YENILER->FieldByName("TUTAR").DisplayFormat(), QStringLiteral("#,###,##0.00"));
        }
    }

    void widthRule_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<bool>("weights");
        QTest::newRow("1152 px: fitted to content") << 1152 << false;
        QTest::newRow("1153 px: weights") << 1153 << true;
    }
    void widthRule() {
        QFETCH(int, screen);
        QFETCH(bool, weights);
        TForm1 f;
        f.setEkranGenisligi(screen);
        f.resize(1100, 700);
        f.sPageControl1->setCurrentWidget(f.syeniler);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.GenislikKurali(f.cxGrid6);
        // "Açıklama" weighs 3 and "Barkod" 2 in the new-items grid.
        const int adi = f.cxGrid6->columnWidth(QStringLiteral("ADI"));
        const int barkod = f.cxGrid6->columnWidth(QStringLiteral("BARKOD"));
        QCOMPARE(adi * 2 == barkod * 3, weights);
    }

    void stockGridWidthsWaitForSearch_data() {
        QTest::addColumn<bool>("searching");
        QTest::newRow("search box enabled: weights follow the width") << false;
        QTest::newRow("search running: widths stay") << true;
    }
    void stockGridWidthsWaitForSearch() {
        QFETCH(bool, searching);
        TForm1 f;
        f.resize(1000, 700);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTRY_VERIFY(f.cxGrid1->columnWidth(QStringLiteral("ADI")) > 0);
        const int gridBefore = f.cxGrid1->width();
        const int before = f.cxGrid1->columnWidth(QStringLiteral("ADI"));
        f.araedit->setEnabled(!searching);
        f.resize(1500, 700);
        QTRY_VERIFY(f.cxGrid1->width() > gridBefore + 400);
        QCOMPARE(f.cxGrid1->columnWidth(QStringLiteral("ADI")) != before, !searching);
    }

    void webSiteMenu() {
        IstemciAdresleri a = VarsayilanAdresler();
        a.host = QStringLiteral("127.0.0.1");
        a.webPort = 8080;
        SetAdresler(a);
        UrlKaydedici opener;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &opener, "open");
        OturumsuzForm f;
        test::FakeUi ui;
        f.FormCreate();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(f.websitesi1->text(), QStringLiteral("127.0.0.1:8080"));
        f.araedit->setText(QStringLiteral("ABC"));
        f.sPageControl1->setFocus();
        f.websitesi1->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(opener.urls, QList<QUrl>{QUrl(QStringLiteral("http://127.0.0.1:8080/"))});
        QCOMPARE(f.araedit->selectedText(), QStringLiteral("ABC"));
        QTRY_COMPARE(QApplication::focusWidget(), f.araedit);
        QTRY_VERIFY(f.baslangicBittiMi());
        SetAdresler(VarsayilanAdresler());
    }

    void loginNotCompleted_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("disip");
        QTest::newRow("closed without OK") << int(QDialog::Rejected) << "198.51.100.23";
        QTest::newRow("no public address") << int(QDialog::Accepted) << "";
        QTest::newRow("blank public address") << int(QDialog::Accepted) << "   ";
    }
    void loginNotCompleted() {
        QFETCH(int, result);
        QFETCH(QString, disip);
        test::FakeUi ui;
        OturumsuzForm f;
        f.girisSonucu = result;
        f.disip = disip;
        bool started = false;
        f.yukleyiciler.push_back([&](BaslangicIsi &) { started = true; });
        f.FormCreate();
        QCOMPARE(ui.exits, QList<int>{0});
        QVERIFY(ui.shown.isEmpty()); // ends without a message of its own
        QTest::qWait(50);
        QVERIFY(!started);
        QVERIFY(!f.baslangicBittiMi());
    }

    // The whole start: the real login window driven like a user, then the role layout and the
    // background sequence, during which the window already works.
    void startUpThroughLogin() {
        IstemciAdresleri a = VarsayilanAdresler();
        a.host = QStringLiteral("127.0.0.1");
        a.port = srv_->port;
        a.webPort = webPort_;
        a.publicIp.clear();
        SetAdresler(a);
        {
            std::lock_guard<std::mutex> l(m_);
            user_ = kayit(3);
        }
        test::FakeUi ui;
        TForm1 f;
        std::atomic<bool> release{false};
        QStringList order;
        f.yukleyiciler.push_back([&](BaslangicIsi &is) {
            is.Senkron([&](TForm1 &w) { order << QStringLiteral("first:") + w.kullanicilbl->text(); });
            while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            is.Senkron([&](TForm1 &w) {
                order << QStringLiteral("second:") + is.Bilgi().ADI();
                w.SekmeBasligiYaz(w.sTabSheetduyuru, TForm1::SayiBasligi(2, QStringLiteral("Duyurular")));
            });
            // A step that fails does not stop the sequence.
            throw std::runtime_error("loader failed");
        });
        f.yukleyiciler.push_back([&](BaslangicIsi &is) {
            auto c = is.YeniBaglanti();
            is.Senkron([&](TForm1 &) { order << QStringLiteral("third:") + c->Params.value("Port"); });
        });
        bool driven = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto *g = qobject_cast<Tgirisform *>(QApplication::activeModalWidget());
            if (!g || driven) return;
            driven = true;
            QTest::keyClicks(g->adi, "bayi");
            QTest::keyClick(g->adi, Qt::Key_Return);
            QTest::keyClicks(g->sifre, "bayi123");
            QTest::keyClick(g->sifre, Qt::Key_Return);
        });
        poll.start(20);
        f.FormCreate();
        poll.stop();
        QVERIFY(driven);
        QVERIFY(ui.exits.isEmpty());
        QCOMPARE(f.sbilgi->MusteriTipi(), 3);
        QVERIFY(!f.cxGrid2->isColumnVisible(QStringLiteral("DURUM"))); // type 3 layout
        QCOMPARE(f.bagc->Params.value("HostName"), QStringLiteral("127.0.0.1"));
        QCOMPARE(f.bagc->Params.value("Port"), QString::number(srv_->port));
        // FormCreate has returned while the sequence still runs; the window works meanwhile.
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTRY_COMPARE(order, QStringList{QStringLiteral("first:BAYI")}); // AnaBilgiAl ran before the loaders
        QCOMPARE(f.cariadilbl->text(), QStringLiteral("Demirbaş Otomotiv"));
        QCOMPARE(f.saticilbl->text(),
                 QStringLiteral("Kemal Aksoy Telefonu: 0532 555 11 01 email: kemal@telvar.example"));
        QVERIFY(!f.baslangicBittiMi());
        QTest::keyClicks(f.araedit, "disk");
        QCOMPARE(f.araedit->text(), QStringLiteral("DISK"));
        release = true;
        QTRY_VERIFY_WITH_TIMEOUT(f.baslangicBittiMi(), 10000);
        QCOMPARE(order, QStringList({QStringLiteral("first:BAYI"), QStringLiteral("second:BAYI"),
                                     QStringLiteral("third:") + QString::number(srv_->port)}));
        QCOMPARE(f.SekmeBasligi(f.sTabSheetduyuru), QStringLiteral("2=Duyurular"));
        QCOMPARE(f._acilisadet, 0);
        SetAdresler(VarsayilanAdresler());
    }
};

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
