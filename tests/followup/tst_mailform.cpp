// Mail window: input checks, the background send against a scripted server, closing rules, comma text.
#include "fakeui.h"
#include "mailform.h"
#include "proxim.h"
#include "loopback.h"
#include "scriptserver.h"
#include "utils.h"
#ifdef B2B_HAVE_MACHINEID
#include "machineid.h"
#endif

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <mutex>

using namespace b2b;
using b2b::test::FakeUi;
using b2b::test::ScriptAnswer;
using b2b::test::ScriptServer;
using b2b::test::loopbackConnection;
using b2b::test::objectAnswer;

namespace {

const QString kGonderildi = QStringLiteral("Mail Gönderildi !");
const QString kHata = QStringLiteral("Mail Göndermede Hata\r\nLütfen Tekrar Deneyin !");


TSonucBilgisi loginRecord() {
    TSonucBilgisi b;
    b.SetBILGISAYARID(QStringLiteral("KAYITTAKI-ID"));
    b.SetADI(QStringLiteral("AHMET"));
    b.SetCARINO(12);
    return b;
}

QString expectedId() {
#ifdef B2B_HAVE_MACHINEID
    return BilgisayarIdAl();
#else
    return loginRecord().BILGISAYARID();
#endif
}

TMobilCariBilgisi firm() {
    TMobilCariBilgisi f;
    f.SetCARIADI(QStringLiteral("Öztürk Oto"));
    f.SetADRES1(QStringLiteral("Sanayi Sitesi 4. Blok"));
    f.SetADRES2(QStringLiteral("No: 12"));
    f.SetILCE(QStringLiteral("Nilüfer"));
    f.SetSEHIR(QStringLiteral("Bursa"));
    f.SetTEL1(QStringLiteral("0224 555 11 22"));
    f.SetFAX1(QStringLiteral("0224 555 11 23"));
    f.SetVERGIDAIRESI(QStringLiteral("Uludağ"));
    f.SetVERGINO(QStringLiteral("1234567890"));
    f.SetYETKILI(QStringLiteral("Ayşe Kaya"));
    f.SetKULLANICIADI(QStringLiteral("AHMET"));
    f.SetSIFRE(QStringLiteral("1234"));
    f.SetMAIL(QStringLiteral("ahmet@ornek.example"));
    f.SetEMAIL(QStringLiteral("not-this@ornek.example"));
    return f;
}


QStringList args(const std::string &body, const char *method) {
    QStringList r;
    for (const WireValue &v : decodeRequest(body, *findMethod(QString::fromLatin1(method))))
        r << (std::holds_alternative<int32_t>(v) ? QString::number(std::get<int32_t>(v)) : wireText(v, "arg"));
    return r;
}

// A scripted server that records the calls and can hold the mail call until released.
struct MailServer {
    std::mutex m;
    std::vector<std::pair<std::string, std::string>> calls;
    std::atomic<bool> hold{false};
    std::atomic<bool> holding{false};
    std::string firmAnswer = objectAnswer(firm().marshal());
    ScriptAnswer mailAnswer{200, R"({"result":[1]})"};
    ScriptServer srv{[this](const std::string &method, const std::string &body) -> ScriptAnswer {
        {
            std::lock_guard<std::mutex> l(m);
            calls.emplace_back(method, body);
        }
        if (method == "MobilCariBilgisiGetir") return {200, firmAnswer};
        if (method == "MailGonserCariNormal") {
            holding = true;
            while (hold) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            holding = false;
            return mailAnswer;
        }
        return {500, R"({"error":"unexpected"})"};
    }};
    ~MailServer() { hold = false; }
    std::vector<std::string> bodiesOf(const std::string &method) {
        std::lock_guard<std::mutex> l(m);
        std::vector<std::string> r;
        for (const auto &c : calls)
            if (c.first == method) r.push_back(c.second);
        return r;
    }
};

} // namespace

class TstMailform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetBaglantiKurWait([](int) {}); }

    void memoLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("one line") << QStringLiteral("Merhaba") << QStringList{"Merhaba"};
        QTest::newRow("two lines") << QStringLiteral("a\nb") << QStringList{"a", "b"};
        QTest::newRow("CR LF, break at the end") << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("empty line inside") << QStringLiteral("a\n\nb") << QStringList{"a", "", "b"};
        QTest::newRow("only a break") << QStringLiteral("\n") << QStringList{""};
        QTest::newRow("soft break") << QString::fromUtf16(u"a\u2028b") << QStringList{"a", "b"};
        QTest::newRow("old Mac break") << QStringLiteral("a\rb") << QStringList{"a", "b"};
    }
    void memoLines() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(MemoSatirlari(text), lines);
    }

    void commaText_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("text");
        QTest::newRow("no lines") << QStringList() << QString();
        QTest::newRow("one word") << QStringList{"Merhaba"} << QStringLiteral("Merhaba");
        QTest::newRow("blank, then a word") << QStringList{"ilk satır", "ikinci"} << QStringLiteral("\"ilk satır\",ikinci");
        QTest::newRow("comma") << QStringList{"a,b", "c"} << QStringLiteral("\"a,b\",c");
        QTest::newRow("double quote") << QStringList{"5\"jant"} << QStringLiteral("\"5\"\"jant\"");
        QTest::newRow("quote and blank") << QStringList{"\"acil\" sipariş"} << QStringLiteral("\"\"\"acil\"\" sipariş\"");
        QTest::newRow("tab") << QStringList{"a\tb"} << QStringLiteral("\"a\tb\"");
        QTest::newRow("other control") << QStringList{QString::fromUtf16(u"a\u0001b")} << QString::fromUtf16(u"\"a\u0001b\"");
        QTest::newRow("empty line") << QStringList{"a", "", "b"} << QStringLiteral("a,\"\",b");
        QTest::newRow("Turkish letters, punctuation") << QStringList{"Şanzıman;yağı!", "İ.Ğ"}
                                                      << QStringLiteral("Şanzıman;yağı!,İ.Ğ");
        QTest::newRow("leading blank") << QStringList{" x"} << QStringLiteral("\" x\"");
    }
    void commaText() {
        QFETCH(QStringList, lines);
        QFETCH(QString, text);
        QCOMPARE(CommaText(lines), text);
    }

    void windowTexts() {
        Connection c;
        Tmailform f(nullptr, c, loginRecord());
        QCOMPARE(f.windowTitle(), QStringLiteral("Mail Gönder"));
        QCOMPARE(f.Label1->text(), QStringLiteral("Konu:"));
        QCOMPARE(f.Label2->text(), QStringLiteral("Mail:"));
        QCOMPARE(f.Button2->text(), QStringLiteral("Gönder"));
        QCOMPARE(f.Button1->text(), QStringLiteral("Kapat"));
        QCOMPARE(f.konu->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(f.konu->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        for (const char *n : {"baslik", "konu", "Button1", "Button2"}) QVERIFY2(f.findChild<QWidget *>(n), n);
        QVERIFY(f.con && f.con.get() != &c && !f.con->Connected());
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QCOMPARE(QApplication::focusWidget(), f.baslik);
    }

    void inputChecks_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("no title") << QString() << QStringLiteral("x") << QStringLiteral("Lütfen Başlık Giriniz !");
        QTest::newRow("blank title") << QStringLiteral("   ") << QStringLiteral("x") << QStringLiteral("Lütfen Başlık Giriniz !");
        QTest::newRow("both empty") << QString() << QString() << QStringLiteral("Lütfen Başlık Giriniz !");
        QTest::newRow("no text") << QStringLiteral("t") << QString() << QStringLiteral("Lütfen Konu Giriniz !");
        QTest::newRow("empty lines") << QStringLiteral("t") << QStringLiteral("\n \n\t\n") << QStringLiteral("Lütfen Konu Giriniz !");
    }
    void inputChecks() {
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, message);
        FakeUi ui;
        MailServer s;
        auto c = loopbackConnection(s.srv.port);
        Tmailform f(nullptr, *c, loginRecord());
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.baslik->setText(title);
        f.konu->setPlainText(text);
        QTest::mouseClick(f.Button2, Qt::LeftButton);
        QCOMPARE(ui.shown.size(), 1);
        QCOMPARE(ui.shown.first().text, message);
        QCOMPARE(ui.shown.first().kind, MsgKind::Warning);
        QCOMPARE(ui.shown.first().caption, QStringLiteral("Uyarı"));
        QCOMPARE(ui.shown.first().buttons, QStringList{QStringLiteral("Tamam")});
        QWidget *box = message.contains(QStringLiteral("Başlık")) ? static_cast<QWidget *>(f.baslik) : f.konu;
        QCOMPARE(QApplication::focusWidget(), box);
        if (box == f.konu) QCOMPARE(f.konu->textCursor().selectedText().size(), text.size());
        else QCOMPARE(f.baslik->selectedText(), title);
        QVERIFY(f.Button2->isEnabled());
        QTest::qWait(50);
        QCOMPARE(s.srv.calls.load(), 0);
    }

    // The send runs in the background: the arguments in the server's order, the title as typed,
    // the text as comma text; the window stays with its texts and can send again.
    void sends() {
        FakeUi ui;
        MailServer s;
        auto c = loopbackConnection(s.srv.port);
        Tmailform f(nullptr, *c, loginRecord());
        QSignalSpy done(&f, &Tmailform::gonderimBitti);
        f.baslik->setText(QStringLiteral("  Fren balatası"));
        f.konu->setPlainText(QStringLiteral("ilk satır\nikinci"));
        s.hold = true;
        QTest::mouseClick(f.Button2, Qt::LeftButton);
        QVERIFY(!f.Button2->isEnabled());
        QTRY_VERIFY(s.holding.load());
        // The window answers while the server works.
        f.baslik->setText(QStringLiteral("  Fren balatası!"));
        f.baslik->setText(QStringLiteral("  Fren balatası"));
        s.hold = false;
        QTRY_COMPARE(done.count(), 1);
        QCOMPARE(ui.texts(), QStringList{kGonderildi});
        QCOMPARE(ui.shown.first().kind, MsgKind::Information);
        QCOMPARE(ui.shown.first().caption, QStringLiteral("Bilgi"));
        QVERIFY(f.Button2->isEnabled());
        QCOMPARE(f.baslik->text(), QStringLiteral("  Fren balatası"));
        QCOMPARE(f.konu->toPlainText(), QStringLiteral("ilk satır\nikinci"));

        const auto info = s.bodiesOf("MobilCariBilgisiGetir");
        QCOMPARE(info.size(), size_t(1));
        QCOMPARE(args(info[0], "MobilCariBilgisiGetir"), (QStringList{QStringLiteral("0"), expectedId()}));
        const auto mails = s.bodiesOf("MailGonserCariNormal");
        QCOMPARE(mails.size(), size_t(1));
        const TMobilCariBilgisi m = firm();
        QCOMPARE(args(mails[0], "MailGonserCariNormal"),
                 (QStringList{expectedId(), QStringLiteral("  Fren balatası"), m.CARIADI(), m.ADRES1(), m.ADRES2(),
                              m.ILCE(), m.SEHIR(), m.TEL1(), m.FAX1(), m.VERGIDAIRESI(), m.VERGINO(), m.YETKILI(),
                              m.KULLANICIADI(), m.SIFRE(), m.MAIL(), QString(), QStringLiteral("\"ilk satır\",ikinci")}));
        QVERIFY(!f.con->Connected());

        QTest::mouseClick(f.Button2, Qt::LeftButton);
        QTRY_COMPARE(done.count(), 2);
        QCOMPARE(s.bodiesOf("MailGonserCariNormal").size(), size_t(2));
    }

    void failures_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("no connection") << QStringLiteral("down") << QStringList{kBaglantiKurulamiyor, kHata};
        QTest::newRow("customer details unknown") << QStringLiteral("nofirm") << QStringList{kHata};
        QTest::newRow("customer details malformed") << QStringLiteral("badfirm") << QStringList{kHata};
        QTest::newRow("send refused") << QStringLiteral("refused") << QStringList{kHata};
    }
    void failures() {
        QFETCH(QString, kind);
        QFETCH(QStringList, texts);
        FakeUi ui;
        MailServer s;
        if (kind == QStringLiteral("nofirm")) s.firmAnswer = R"({"result":[null]})";
        if (kind == QStringLiteral("badfirm")) s.firmAnswer = R"({"result":[{"type":"x","fields":{"CARIADI":5}}]})";
        if (kind == QStringLiteral("refused")) s.mailAnswer = {500, R"({"error":"SMTP yok"})"};
        auto c = loopbackConnection(kind == QStringLiteral("down") ? b2b::test::closedPort() : s.srv.port);
        Tmailform f(nullptr, *c, loginRecord());
        QSignalSpy done(&f, &Tmailform::gonderimBitti);
        f.baslik->setText(QStringLiteral("Konu"));
        f.konu->setPlainText(QStringLiteral("Metin"));
        f.Button2Click();
        QTRY_COMPARE(done.count(), 1);
        QCOMPARE(ui.texts(), texts);
        for (const auto &m : ui.shown) QCOMPARE(m.kind, MsgKind::Error);
        QVERIFY(f.Button2->isEnabled());
        QVERIFY(!f.con->Connected());
        if (kind != QStringLiteral("refused")) QVERIFY(s.bodiesOf("MailGonserCariNormal").empty());
    }

    // "Kapat", the close box and Escape do nothing while a send runs; afterwards "Kapat" closes.
    void noClosingWhileSending() {
        FakeUi ui;
        MailServer s;
        auto c = loopbackConnection(s.srv.port);
        Tmailform f(nullptr, *c, loginRecord());
        QSignalSpy done(&f, &Tmailform::gonderimBitti);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.baslik->setText(QStringLiteral("Konu"));
        f.konu->setPlainText(QStringLiteral("Metin"));
        s.hold = true;
        QTest::mouseClick(f.Button2, Qt::LeftButton);
        QTRY_VERIFY(s.holding.load());
        QVERIFY(f.GonderiliyorMu());
        QTest::mouseClick(f.Button1, Qt::LeftButton);
        QVERIFY(f.isVisible());
        QVERIFY(!f.close());
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(f.isVisible());
        s.hold = false;
        QTRY_COMPARE(done.count(), 1);
        QCOMPARE(ui.texts(), QStringList{kGonderildi});
        QTest::mouseClick(f.Button1, Qt::LeftButton);
        QVERIFY(!f.isVisible());
        QCOMPARE(f.result(), int(QDialog::Rejected));
    }

    // The window may go away with its owner during a send: nothing is shown afterwards and nothing breaks.
    void windowGoneDuringSend() {
        FakeUi ui;
        MailServer s;
        auto c = loopbackConnection(s.srv.port);
        auto *owner = new QWidget;
        auto *f = Tmailform::Ac(owner, *c, loginRecord());
        f->baslik->setText(QStringLiteral("Konu"));
        f->konu->setPlainText(QStringLiteral("Metin"));
        s.hold = true;
        f->Button2Click();
        QTRY_VERIFY(s.holding.load());
        delete owner;
        s.hold = false;
        QTRY_COMPARE(s.bodiesOf("MailGonserCariNormal").size(), size_t(1));
        QTest::qWait(100);
        QVERIFY(ui.shown.isEmpty());
    }
};

QTEST_MAIN(TstMailform)
#include "tst_mailform.moc"
