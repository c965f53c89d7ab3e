// The mail window against the reference server: the mail as its outbox records it.
#include "admin.h"
#include "database.h"
#include "fakeui.h"
#include "mailform.h"
#include "serverfixture.h"
#include "utils.h"
#ifdef B2B_HAVE_MACHINEID
#include "machineid.h"
#endif

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

using namespace b2b;
using b2b::test::FakeUi;
using b2b::test::ServerFixture;

class TstMailformServer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetBaglantiKurWait([](int) {}); }

    void mailReachesOutbox() {
        ServerFixture fx(200, 2);
        const TSonucBilgisi dealer = fx.login("DEMO-BAYI");
#ifdef B2B_HAVE_MACHINEID
        const QString id = BilgisayarIdAl();
        if (id != dealer.BILGISAYARID()) server::assignMachine(fx.srv->database(), id, dealer.ADI());
#else
        const QString id = dealer.BILGISAYARID();
#endif
        auto c = fx.connect();
        std::optional<TMobilCariBilgisi> m;
        {
            TServerMethods1Client p(*c);
            m = p.MobilCariBilgisiGetir(0, id);
        }
        QVERIFY(m.has_value());
        QVERIFY(!m->CARIADI().isEmpty());
        c->Close();

        FakeUi ui;
        std::unique_ptr<Tmailform> f(Tmailform::Ac(nullptr, *c, dealer));
        QSignalSpy done(f.get(), &Tmailform::gonderimBitti);
        f->baslik->setText(QStringLiteral("  Fren balatası"));
        f->konu->setPlainText(QStringLiteral("ilk satır\nikinci\n\"acil\""));
        f->Button2Click();
        QTRY_COMPARE(done.count(), 1);
        QCOMPARE(ui.texts(), QStringList{QStringLiteral("Mail Gönderildi !")});

        server::Sql q(fx.srv->database(),
                      QStringLiteral("SELECT kind, idsi, baslik, firmaadi, adres1, adres2, ilce, sehir, telefon, fax, "
                                     "vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar, konu FROM outbox "
                                     "ORDER BY id DESC"));
        q.exec();
        QVERIFY(q.next());
        QStringList row;
        for (int i = 0; i < 18; ++i) row << q.toText(i);
        q.finish();
        const QStringList expected = {QStringLiteral("to-representative"), id, QStringLiteral("  Fren balatası"),
                                      m->CARIADI(), m->ADRES1(), m->ADRES2(), m->ILCE(), m->SEHIR(), m->TEL1(),
                                      m->FAX1(), m->VERGIDAIRESI(), m->VERGINO(), m->YETKILI(), m->KULLANICIADI(),
                                      m->SIFRE(), m->MAIL(), QString(),
                                      QStringLiteral("\"ilk satır\",ikinci,\"\"\"acil\"\"\"")};
        QCOMPARE(row, expected);
    }
};

QTEST_MAIN(TstMailformServer)
#include "tst_mailform_server.moc"
