// The update download, the request page and the password change request against the reference server.
#include "admin.h"
#include "database.h"
#include "dosyaindir.h"
#include "fakeui.h"
#include "formistekyeni.h"
#include "kullanicikayit.h"
#include "serverfixture.h"
#include "utils.h"
#ifdef B2B_HAVE_MACHINEID
#include "machineid.h"
#endif

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace b2b;
using b2b::test::FakeUi;
using b2b::test::ServerFixture;

namespace {

// The identifier the windows send for this computer.
QString machineId(const TSonucBilgisi &login) {
#ifdef B2B_HAVE_MACHINEID
    Q_UNUSED(login);
    return BilgisayarIdAl();
#else
    return login.BILGISAYARID();
#endif
}

QString readText(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TstRequestsServer : public QObject {
    Q_OBJECT
    QTemporaryDir data_;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(data_.isValid());
        qputenv("XDG_DATA_HOME", data_.path().toLocal8Bit());
        qunsetenv("B2B_UPDATE_URL");
        SetBaglantiKurWait([](int) {});
    }

    // A server expecting version 3: the window fetches the server's setup program from the web
    // address, saves it, runs it with "/silent" and ends the process.
    void updateFromServer() {
        ServerFixture fx(200, 3);
        const TSonucBilgisi b = fx.login("DEMO-BAYI");
        QCOMPARE(b.Version(), 3);
        SetWebAdresi(fx.srv->webBaseUrl() + u'/');
        const QString marker = data_.filePath(QStringLiteral("setup-ran"));
        qputenv("B2B_SETUP_MARKER", marker.toLocal8Bit());
        FakeUi ui;
        std::unique_ptr<Tdosyaindir> d(Tdosyaindir::Yeni(nullptr, b.Version()));
        QCOMPARE(d->Adres(), fx.srv->webBaseUrl() + QStringLiteral("/exe/TelvarSetupMerdal.exe"));
        QVERIFY(d->sLabel1->text().endsWith(QStringLiteral("\r\nVersion: 3-2")));
        d->show();
        QTRY_COMPARE(ui.exits, QList<int>{0});
        QVERIFY(ui.shown.isEmpty());
        QTRY_VERIFY(readText(marker).contains(QStringLiteral("arguments=/silent")));
        QVERIFY(readText(marker).contains(QStringLiteral("version=3")));
        qunsetenv("B2B_SETUP_MARKER");
        ClearEndpointSettings();
    }

    // The page address of an unregistered computer reaches the server's request form.
    void requestPageAddress() {
        ServerFixture fx(200, 2);
        const QString address = Tformistekyeni::IstekAdresi(fx.srv->webBaseUrl() + u'/', QStringLiteral("YENI-PC 01"));
        QNetworkAccessManager nam;
        std::unique_ptr<QNetworkReply> r(nam.get(QNetworkRequest(QUrl(address, QUrl::TolerantMode))));
        QSignalSpy done(r.get(), &QNetworkReply::finished);
        QVERIFY(done.wait(10000));
        QCOMPARE(r->error(), QNetworkReply::NoError);
        QCOMPARE(r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
        QVERIFY(r->readAll().contains("<form"));
    }

    // The request as the server's outbox records it: every text in its column.
    void passwordRequestReachesOutbox() {
        ServerFixture fx(200, 2);
        const TSonucBilgisi dealer = fx.login("DEMO-BAYI");
        const QString id = machineId(dealer);
        if (id != dealer.BILGISAYARID()) server::assignMachine(fx.srv->database(), id, dealer.ADI());
        auto c = fx.connect();
        std::optional<TMobilCariBilgisi> firm;
        {
            TServerMethods1Client p(*c);
            firm = p.MobilCariBilgisiGetir(0, id);
        }
        QVERIFY(firm.has_value());
        QVERIFY(!firm->ADRES1().isEmpty());
        c->Close();

        FakeUi ui;
        std::unique_ptr<Tkullanicikayit> k(Tkullanicikayit::Ac(nullptr, *c, dealer));
        QVERIFY(ui.shown.isEmpty());
        QCOMPARE(k->adres1->text(), firm->ADRES1());
        QCOMPARE(k->sehir->text(), firm->SEHIR());
        QCOMPARE(k->vn->text(), firm->VERGINO());
        k->yetkili->setText(QStringLiteral("Ayşe Kaya"));
        k->sifre->setText(QStringLiteral("Yeni Şifre 1"));
        k->mail->setText(QStringLiteral("ayse@ornek.example"));
        k->kargoambar->setText(QStringLiteral("Aras Kargo"));
        if (k->telefon->text().trimmed().isEmpty()) k->telefon->setText(QStringLiteral("0224 000 00 00"));
        k->Button2Click();
        QCOMPARE(ui.texts(), QStringList{QStringLiteral("İsteğiniz Gönderildi!")});

        server::Sql q(fx.srv->database(),
                      QStringLiteral("SELECT kind, idsi, baslik, firmaadi, adres1, adres2, ilce, sehir, telefon, fax, "
                                     "vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar, konu FROM outbox "
                                     "ORDER BY id DESC"));
        q.exec();
        QVERIFY(q.next());
        QStringList row;
        for (int i = 0; i < 18; ++i) row << q.toText(i);
        q.finish();
        const QStringList expected = {
            QStringLiteral("firm-request"), id, QStringLiteral("Şifre Değiştirme İsteği"), k->firmaadi->text(),
            k->adres1->text(), k->adres2->text(), k->ilce->text(), k->sehir->text(), k->telefon->text(),
            k->fax->text(), k->vd->text(), k->vn->text(), QStringLiteral("Ayşe Kaya"), k->kullaniciadi->text(),
            QStringLiteral("Yeni Şifre 1"), QStringLiteral("ayse@ornek.example"), QStringLiteral("Aras Kargo"),
            QString()};
        QCOMPARE(row, expected);
    }
};

QTEST_MAIN(TstRequestsServer)
#include "tst_requests_server.moc"
