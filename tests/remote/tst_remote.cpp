// The remote call layer over real HTTP against a scripted loopback server.
#include "beklesinu.h"
#include "proxim.h"
#include "loopback.h"
#include "scriptserver.h"
#include "utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

using namespace b2b;
using b2b::test::ScriptAnswer;
using b2b::test::ScriptServer;
using b2b::test::loopbackConnection;
using b2b::test::objectAnswer;

namespace {


struct CountingNotifier : ConnectionNotifier {
    QStringList attempts, finals;
    void attemptFailed(const QString &t) override { attempts << t; }
    void connectionFailed(const QString &m) override { finals << m; }
};

// Echoes the first parameter back as the result (inputs keep their JSON form).
ScriptAnswer echoFirst(const std::string &, const std::string &body) {
    const auto start = body.find('[') + 1;
    const auto end = body.rfind(']');
    std::string first = body.substr(start, end - start);
    // The scripted methods take exactly one input.
    return {200, "{\"result\":[" + first + "]}"};
}

} // namespace

class TstRemote : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { SetBaglantiKurWait([](int) {}); }

    void proxyNeedsOpenConnection() {
        Connection c;
        try {
            TServerMethods1Client p(c);
            QFAIL("a proxy on a closed connection must fail");
        } catch (const RemoteError &e) {
            QCOMPARE(e.text, QStringLiteral("Connection cannot be nil.  Make sure the connection has been opened."));
        }
    }

    void cloneIsClosedWithSameParams() {
        ScriptServer srv(echoFirst);
        auto c = loopbackConnection(srv.port);
        c->Open();
        QVERIFY(c->Connected());
        auto k = c->Clone();
        QVERIFY(!k->Connected());
        QCOMPARE(k->Params, c->Params);
    }

    void scalarsAndTextRoundTrip() {
        // Every call sends its inputs in order; the scripted server answers with what it got.
        ScriptServer srv([](const std::string &m, const std::string &body) -> ScriptAnswer {
            if (m == "KayanYaziGetir") return {200, R"({"result":["<B>ğüşıöçİ ĞÜŞIÖÇ</B> \u00e7"]})"};
            if (m == "CariVadeGunGecmismiBul") return {200, "{\"result\":[\"" + body.substr(16, body.size() - 18) + "\"]}"};
            if (m == "MailGonserCariNormal") return {200, R"({"result":[17]})"};
            if (m == "SiparisKaydet") return {200, R"({"result":[true]})"};
            if (m == "SepetSecimGuncelle") return {200, R"({"result":[]})"};
            if (m == "ResimVer5") return {200, R"({"result":[3,[0,128,255]]})"};
            if (m == "RaporGetir") return {200, R"({"result":[5000000000,[37,80,68,70]]})"};
            return {500, R"({"error":"unexpected"})"};
        });
        auto c = loopbackConnection(srv.port);
        c->Open();
        TServerMethods1Client p(*c);
        QCOMPARE(p.KayanYaziGetir(), QStringLiteral("<B>ğüşıöçİ ĞÜŞIÖÇ</B> ç"));
        QCOMPARE(p.CariVadeGunGecmismiBul(-2147483647 - 1), QStringLiteral("-2147483648"));

        const QStringList args = {"id", "başlık", "firma", "a1", "a2", "ilçe", "şehir", "tel", "fax", "vd", "vn",
                                  "yetkili", "kullanıcı", "şifre", "mail", "kargo", "konu \"tırnak\" \\ \n"};
        QCOMPARE(p.MailGonserCariNormal(args[0], args[1], args[2], args[3], args[4], args[5], args[6], args[7],
                                        args[8], args[9], args[10], args[11], args[12], args[13], args[14], args[15],
                                        args[16]),
                 17);
        auto sent = decodeRequest(srv.lastBody, *findMethod("MailGonserCariNormal"));
        for (int i = 0; i < args.size(); ++i) QCOMPARE(wireText(sent[size_t(i)], "arg"), args[i]);

        TSonucBilgisi login;
        login.SetADI("ŞÜKRÜ");
        login.SetCARINO(77);
        const TSonucBilgisi before = login;
        QVERIFY(p.SiparisKaydet(login, 77, 1, 2, QStringLiteral("not"), 5, 3));
        QCOMPARE(login, before); // the caller's record is never consumed
        sent = decodeRequest(srv.lastBody, *findMethod("SiparisKaydet"));
        QCOMPARE(TSonucBilgisi::unmarshal(*wireObject(sent[0], "BB")), login);
        QCOMPARE(wireInt(sent[6], "_kargoyeni"), 3);

        p.SepetSecimGuncelle(5, 1); // a method without result still makes a call
        QCOMPARE(srv.lastMethod, std::string("SepetSecimGuncelle"));

        qint64 size = 0;
        QCOMPARE(p.ResimVer5(9, size), QByteArray("\x00\x80\xff", 3));
        QCOMPARE(size, qint64(3));

        // Doubles keep every bit both ways; Int64 out-parameters beyond 32 bits arrive whole.
        const double t1 = 45291.123456789012, t2 = -1e-300;
        QCOMPARE(p.RaporGetir(6, 1, 2, 3, QStringLiteral("Ayşe"), t1, t2, size), QByteArray("%PDF"));
        QCOMPARE(size, qint64(5000000000));
        sent = decodeRequest(srv.lastBody, *findMethod("RaporGetir"));
        QCOMPARE(wireDouble(sent[5], "tarih1"), t1);
        QCOMPARE(wireDouble(sent[6], "tarih2"), t2);
        QCOMPARE(wireText(sent[4], "saticiadi"), QStringLiteral("Ayşe"));
    }

    void objectsAndTablesRoundTrip() {
        TSonucBilgisi user;
        user.SetADI("AHMET");
        user.SetSIFRE("123");
        user.SetVarmi(true);
        user.SetVersion(2);
        user.SetMusteriTipi(5);
        TMobilCariBilgisi firm;
        firm.SetCARIADI("Öztürk Oto");
        firm.SetTLBAKIYE(-1234.56);
        firm.SetCARINO(9);
        TSiparisDipAyrinti dip;
        dip.SetSizinMesaj("Acele");
        TTusSonuclari tus;
        tus.SetGoruldu(4);
        TAcilisEkran ad;
        ad.SetResim("FFD8");
        ad.SetArama("#YENİ#");
        TAcilisEkranlariki list;
        list.SetEkranlar({ad});

        TableData t;
        t.addColumn({"STOK_STOKNO", FieldKind::Integer});
        t.addColumn({"ADI", FieldKind::Text});
        t.addColumn({"FIYAT", FieldKind::Float});
        t.addColumn({"TARIH", FieldKind::DateTime});
        t.columns[0].appendInt(1);
        t.columns[1].appendText(QStringLiteral("Şanzıman yağı"));
        t.columns[2].appendReal(1234.5);
        t.columns[3].appendReal(45000.25);
        t.rowCount = 1;
        JsonWriter tw;
        writeTable(tw, t);

        ScriptServer srv([&](const std::string &m, const std::string &) -> ScriptAnswer {
            const auto obj = objectAnswer;
            if (m == "BuyukGetir") return {200, obj(user.marshal())};
            if (m == "MobilCariBilgisiGetir") return {200, obj(firm.marshal())};
            if (m == "SiparisAytintisiDip") return {200, obj(dip.marshal())};
            if (m == "TusSonuclariVer") return {200, obj(tus.marshal())};
            if (m == "AcilisREklamVer") return {200, R"({"result":[null]})"};
            if (m == "AcilisEkranlarVer2") return {200, obj(list.marshal())};
            if (m == "StokAraGetirTelvar") return {200, "{\"result\":[" + tw.out + "]}"};
            if (m == "SepetVer2") return {200, R"({"result":[{"table":[]}]})"};
            return {500, R"({"error":"?"})"};
        });
        auto c = loopbackConnection(srv.port);
        c->Open();
        TServerMethods1Client p(*c);
        QCOMPARE(p.BuyukGetir("X").value(), user);
        QCOMPARE(p.MobilCariBilgisiGetir(1, "X").value(), firm);
        QCOMPARE(p.SiparisAytintisiDip(1, 2).value(), dip);
        QCOMPARE(p.TusSonuclariVer(user).value(), tus);
        QVERIFY(!p.AcilisREklamVer(0).has_value());
        QCOMPARE(p.AcilisEkranlarVer2(), list);

        RecordSet rs;
        rs.Load(p.StokAraGetirTelvar(QStringLiteral("yağ"), user));
        QCOMPARE(rs.FieldByName("ADI").AsString(), QStringLiteral("Şanzıman yağı"));
        QCOMPARE(rs.FieldByName("STOK_STOKNO").AsInteger(), 1);
        QCOMPARE(rs.FieldByName("TARIH").AsDateTime(), QDateTime(QDate(2023, 3, 15), QTime(6, 0)));
        rs.Load(p.SepetVer2(1));
        QVERIFY(rs.Active());
        QVERIFY(!DoluMu(rs));
    }

    void failedCallKeepsRecordSet() {
        ScriptServer srv([](const std::string &, const std::string &) -> ScriptAnswer {
            return {200, R"({"result":[{"table":[["A",6,0,0,0,0,0,0,true,false,0,false,false]],"A":[1,"x"]}]})"};
        });
        RecordSet rs;
        TableData t;
        t.addColumn({"A", FieldKind::Integer});
        t.columns[0].appendInt(5);
        t.rowCount = 1;
        rs.Load(std::move(t));
        auto c = loopbackConnection(srv.port);
        c->Open();
        TServerMethods1Client p(*c);
        try {
            rs.Load(p.CariEkstreVer(1));
            QFAIL("must fail");
        } catch (const RemoteError &e) {
            QVERIFY(e.text.contains("row 2"));
        }
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.FieldByName("A").AsInteger(), 5);
    }

    void serverErrorsBecomeExceptionText() {
        ScriptServer srv([](const std::string &, const std::string &) -> ScriptAnswer {
            return {500, R"({"error":"Stok bulunamadı"})"};
        });
        auto c = loopbackConnection(srv.port);
        c->Open();
        TServerMethods1Client p(*c);
        try {
            p.SepetSayisi(TSonucBilgisi());
            QFAIL("must fail");
        } catch (const RemoteError &e) {
            QCOMPARE(e.text, QStringLiteral("Stok bulunamadı"));
        }
    }

    void baglantiKurRetries() {
        CountingNotifier n;
        SetConnectionNotifier(&n);
        int waits = 0;
        SetBaglantiKurWait([&](int ms) {
            QCOMPARE(ms, 500);
            ++waits;
        });
        auto c = loopbackConnection(test::closedPort());
        QVERIFY(!BaglantiKur(*c, 0));
        QCOMPARE(n.attempts.size(), 11);
        QCOMPARE(waits, 11);
        QVERIFY(n.finals.isEmpty());
        QVERIFY(!n.attempts.first().isEmpty());

        n.attempts.clear();
        QVERIFY(!BaglantiKur(*c, 1));
        QCOMPARE(n.attempts.size(), 11);
        QCOMPARE(n.finals, QStringList{QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!")});
        QVERIFY(!c->Connected());

        // On a worker thread nothing is shown.
        n.attempts.clear();
        n.finals.clear();
        bool result = true;
        QThread *worker = QThread::create([&] { result = BaglantiKur(*loopbackConnection(test::closedPort()), 1); });
        worker->start();
        worker->wait();
        delete worker;
        QVERIFY(!result);
        QVERIFY(n.attempts.isEmpty() && n.finals.isEmpty());

        ScriptServer srv(echoFirst);
        auto ok = loopbackConnection(srv.port);
        QVERIFY(BaglantiKur(*ok, 1));
        QVERIFY(ok->Connected());
        SetConnectionNotifier(nullptr);
        SetBaglantiKurWait([](int) {});
    }

    void folders() {
        QStandardPaths::setTestModeEnabled(true);
        const QString expected =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/telvaryedekparcamerdal";
        QDir(expected).removeRecursively();
        const QString first = VeriKlasoru();
        QCOMPARE(first, expected);
        QVERIFY(QDir(first).exists()); // created on first use
        QCOMPARE(VeriKlasoru(), first);
        QVERIFY(!first.endsWith('/'));
        QVERIFY(!BelgelerKlasoru().endsWith('/'));
        QVERIFY(!YerelVeriKlasoru().endsWith('/'));
        QDir(expected).removeRecursively();
    }

    void awaitRunsContinuationOnUiThread() {
        QObject context;
        QThread *bg = nullptr;
        QThread *cont = nullptr;
        QString error = "unset";
        TAwait([&] { bg = QThread::currentThread(); }).AwaitWithError(&context, [&](const QString &e) {
            cont = QThread::currentThread();
            error = e;
        });
        QTRY_VERIFY(cont != nullptr);
        QVERIFY(bg != QThread::currentThread());
        QCOMPARE(cont, QThread::currentThread());
        QVERIFY(error.isEmpty());

        // An escaping exception reaches the continuation instead of ending the program.
        bool done = false;
        TAwait([] { throw RemoteError(QStringLiteral("koptu")); }).AwaitWithError(&context, [&](const QString &e) {
            error = e;
            done = true;
        });
        QTRY_VERIFY(done);
        QCOMPARE(error, QStringLiteral("koptu"));

        // A continuation whose window is gone is dropped.
        auto *gone = new QObject;
        bool ran = false;
        QAtomicInt started = 0;
        TAwait([&] {
            started = 1;
            QThread::msleep(50);
        }).Await(gone, [&] { ran = true; });
        QTRY_VERIFY(started.loadRelaxed() == 1);
        delete gone;
        QTest::qWait(150);
        QVERIFY(!ran);
    }
};

QTEST_GUILESS_MAIN(TstRemote)
#include "tst_remote.moc"
