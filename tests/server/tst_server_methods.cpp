// The reference server through the client's remote layer over loopback: the ordering flow, the
// shapes the calling windows rely on, balances, documents, reports and pictures.
#include "database.h"
#include "numfmt.h"
#include "pricing.h"
#include "recordset.h"
#include "seed.h"
#include "serverfixture.h"

#include <QBuffer>
#include <QDate>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <cmath>

using namespace b2b;
using namespace b2b::test;

namespace {

enum class Need { Int, Num, Text, Any };

bool kindFits(FieldKind k, Need n) {
    switch (n) {
    case Need::Int: return k == FieldKind::Integer || k == FieldKind::LargeInt;
    case Need::Num: return k == FieldKind::Float; // two-decimal display applies to these only
    case Need::Text: return k == FieldKind::Text;
    case Need::Any: return true;
    }
    return false;
}

struct FieldNeed {
    const char *name;
    Need need;
};

// Checks that every field the client reads is there with a kind the client can use.
QString missingFields(const TableData &t, const std::vector<FieldNeed> &needs) {
    QStringList bad;
    for (const FieldNeed &f : needs) {
        const int i = t.indexOf(QString::fromUtf8(f.name));
        if (i < 0) bad << QStringLiteral("%1 missing").arg(QString::fromUtf8(f.name));
        else if (!kindFits(t.columns[size_t(i)].def.kind, f.need))
            bad << QStringLiteral("%1 has kind %2").arg(QLatin1String(f.name), kindName(t.columns[size_t(i)].def.kind));
    }
    t.validate();
    return bad.join(QStringLiteral(", "));
}

#define CHECK_FIELDS(t, ...)                                                                                           \
    do {                                                                                                               \
        const QString m_ = missingFields(t, __VA_ARGS__);                                                              \
        QVERIFY2(m_.isEmpty(), qPrintable(m_));                                                                        \
    } while (0)

const std::vector<FieldNeed> kCatalogueRead = {
    {"STOK_STOKNO", Need::Int}, {"BARKOD", Need::Text},    {"ADI", Need::Text},  {"FINISHKOD", Need::Text},
    {"MARKA", Need::Text},      {"MODEL", Need::Text},     {"K", Need::Int},     {"KDV", Need::Int},
    {"FIYAT", Need::Num},       {"IND1", Need::Num},       {"IND2", Need::Num},  {"IND3", Need::Num},
    {"IND4", Need::Num},        {"INDIRIMYAZI", Need::Text}, {"NETFIYAT", Need::Num}, {"KDVDAHIL", Need::Num},
    {"DURUM", Need::Int},       {"OEM1", Need::Any},       {"OEMNO", Need::Any}, {"URETICIKODU", Need::Any},
    {"KALAN", Need::Any},       {"ALINANSIPARIS", Need::Any}, {"VERILENSIPARIS", Need::Any}};

const std::vector<FieldNeed> kLineRead = {
    {"SIRANO", Need::Int},        {"STOKNO", Need::Int},        {"BARKOD", Need::Text},   {"STOKADI", Need::Text},
    {"FINISHKOD", Need::Text},    {"MARKA", Need::Text},        {"MODEL", Need::Text},    {"MIKTAR", Need::Int},
    {"BIRIMFIYAT", Need::Num},    {"TUTAR", Need::Num},         {"INDIRIMORANI1", Need::Num},
    {"INDIRIMORANI2", Need::Num}, {"INDIRIMORANI3", Need::Num}, {"INDIRIMORANI4", Need::Num},
    {"INDIRIMTUTAR", Need::Num},  {"NETBIRIMFIYAT", Need::Num}, {"KDV", Need::Int},       {"VERGITUTARI", Need::Num},
    {"NETTUTAR", Need::Num},      {"KALAN", Need::Num},         {"DURUM", Need::Int},     {"VERILISTARIHI", Need::Any},
    {"IDNO", Need::Int},          {"STOK_STOKNO", Need::Int},   {"VEREN", Need::Any}};

const std::vector<FieldNeed> kSentLineRead = {{"TESLIM", Need::Any},        {"KARGO", Need::Any},
                                              {"TESLIMEDILEN", Need::Num},  {"STOKHAR_NO", Need::Int},
                                              {"ELDEKI", Need::Any},        {"ACIKLAMA", Need::Text},
                                              {"ALINANSIPARIS", Need::Any}, {"VERILENSIPARIS", Need::Any}};

const std::vector<FieldNeed> kCustomerRead = {
    {"CARINO", Need::Int},    {"CARIKOD", Need::Text}, {"CARIADI", Need::Text},  {"SATICISI", Need::Text},
    {"TLBAKIYE", Need::Num},  {"DURUM", Need::Text},   {"OZELKOD", Need::Text},  {"TEL1", Need::Text},
    {"TEL2", Need::Text},     {"ILCE", Need::Text},    {"IL", Need::Text},       {"GSM", Need::Text},
    {"YETKILI", Need::Text},  {"INDIRIM", Need::Text}, {"VADE", Need::Text},     {"VERGIDAIRESI", Need::Text},
    {"VERGINO", Need::Text},  {"ADRES1", Need::Text},  {"ADRES2", Need::Text},   {"ANAGRUP", Need::Text},
    {"ALTGRUP", Need::Text},  {"FAX1", Need::Text},    {"FAX2", Need::Text},     {"EMAIL", Need::Text},
    {"SEPET", Need::Any},     {"ALINDI", Need::Any},   {"ONAYLANDI", Need::Any}, {"GORULDU", Need::Any},
    {"HAZIRLANDI", Need::Any}, {"PARCALIHAZIRLANDI", Need::Any}, {"KOD1", Need::Any}, {"VADEKONTROLGUN", Need::Any}};

double num(const TableData &t, int row, const char *name) { return t.value(row, col(t, name)).toDouble(); }
int integer(const TableData &t, int row, const char *name) { return t.value(row, col(t, name)).toInt(); }
QString text(const TableData &t, int row, const char *name) { return t.value(row, col(t, name)).toString(); }

int findRow(const TableData &t, const char *name, const QVariant &v) {
    const int c = col(t, name);
    for (int r = 0; r < t.rowCount; ++r)
        if (t.value(r, c) == v) return r;
    return -1;
}

double today() { return server::dayNumber(QDate::currentDate()); }

bool isJpeg(const QByteArray &b) { return b.startsWith("\xFF\xD8") && !QImage::fromData(b, "JPEG").isNull(); }

std::vector<FieldDef> declared(std::initializer_list<std::tuple<const char *, FieldKind, int>> l) {
    std::vector<FieldDef> v;
    for (const auto &[n, k, s] : l) {
        FieldDef d;
        d.name = QString::fromLatin1(n);
        d.kind = k;
        d.size = s;
        v.push_back(d);
    }
    return v;
}

} // namespace

class TstServerMethods : public QObject {
    Q_OBJECT
    std::unique_ptr<ServerFixture> fx;
    TSonucBilgisi bayi, rep1, rep2, tip3;
    QSet<QString> called;

    // Adds an item found by a search the way the add-to-basket dialog does; answers its item number.
    int addFromSearch(TServerMethods1Client &p, const QString &query, int row, double qty) {
        const TableData s = p.StokAraGetirTelvar(query, bayi);
        called.insert(QStringLiteral("StokAraGetirTelvar"));
        called.insert(QStringLiteral("SepetEkle2"));
        if (s.rowCount <= row) return -1;
        const int stokno = integer(s, row, "STOK_STOKNO");
        const int r = p.SepetEkle2(bayi, bayi.CARINO(), stokno, text(s, row, "BARKOD"), text(s, row, "ADI"), qty,
                                   integer(s, row, "KDV"), num(s, row, "FIYAT"), num(s, row, "IND1"), bayi.Sirano(),
                                   integer(s, row, "K"), num(s, row, "IND2"), num(s, row, "IND3"), num(s, row, "IND4"));
        return r == 1 ? stokno : -1;
    }

private Q_SLOTS:
    void initTestCase() {
        fx = std::make_unique<ServerFixture>(2000);
        bayi = fx->login("DEMO-BAYI");
        rep1 = fx->login("DEMO-TEMSILCI1");
        rep2 = fx->login("DEMO-TEMSILCI2");
        tip3 = fx->login("DEMO-TIP3");
        called.insert(QStringLiteral("BuyukGetir"));
    }

    void loginRecords() {
        QCOMPARE(bayi.ADI(), QStringLiteral("BAYI"));
        QCOMPARE(bayi.SIFRE(), QStringLiteral("BAYI123"));
        QCOMPARE(bayi.MusteriTipi(), 0);
        QCOMPARE(bayi.AKTIF(), 1);
        QCOMPARE(bayi.Version(), 2);
        QVERIFY(bayi.CARINO() > 0);
        QVERIFY(!bayi.CariAdi().isEmpty() && !bayi.carikod().isEmpty());
        QVERIFY(!bayi.SaticiAdi().isEmpty() && !bayi.SaticiTelefon().isEmpty() && !bayi.SaticiMail().isEmpty());
        QCOMPARE(bayi.BILGISAYARID(), QStringLiteral("DEMO-BAYI"));
        QCOMPARE(rep1.MusteriTipi(), 1);
        QCOMPARE(rep2.MusteriTipi(), 2);
        QCOMPARE(tip3.MusteriTipi(), 3);
        QCOMPARE(fx->login("DEMO-TIP4").MusteriTipi(), 4);
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        const auto unknown = p.BuyukGetir(QStringLiteral("NO-SUCH-MACHINE"));
        QVERIFY(unknown.has_value());
        QVERIFY(!unknown->Varmi());
        QCOMPARE(unknown->Version(), 2);
        QVERIFY(unknown->ADI().isEmpty());

        // Another server on the same database announcing version 3.
        server::ServerOptions o = fx->srv->options();
        o.port = 0;
        o.webPort = -1;
        o.version = 3;
        server::ReferenceServer v3(o);
        v3.start();
        Connection c3;
        SetDefaultParams(c3);
        c3.Params[QStringLiteral("HostName")] = QStringLiteral("127.0.0.1");
        c3.Params[QStringLiteral("Port")] = QString::number(v3.port());
        c3.Open();
        TServerMethods1Client p3(c3);
        QCOMPARE(p3.BuyukGetir(QStringLiteral("DEMO-BAYI"))->Version(), 3);
        QCOMPARE(p3.BuyukGetir(QStringLiteral("NO-SUCH-MACHINE"))->Version(), 3);
    }

    void orderFlow() {
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        QCOMPARE(p.SepetHepsiniSil(bayi), 1);
        QCOMPARE(p.SepetVer2(bayi.CARINO()).rowCount, 0);
        const int ordersBefore = p.OncekiSiparisler(bayi.CARINO()).rowCount;
        const auto countsBefore = p.TusSonuclariVer(bayi);
        QVERIFY(countsBefore.has_value());

        const int first = addFromSearch(p, QStringLiteral("FREN BALATASI"), 0, 3);
        const int second = addFromSearch(p, QStringLiteral("YAG FILTRESI"), 1, 5);
        QVERIFY(first > 0 && second > 0);
        TableData basket = p.SepetVer2(bayi.CARINO());
        QCOMPARE(basket.rowCount, 2);
        QCOMPARE(p.SepetSayisi(bayi), 2);
        // New lines start unselected; the selection is stored on the server.
        QCOMPARE(integer(basket, 0, "SEC"), 0);
        const int line = integer(basket, findRow(basket, "STOKNO", first), "SIRANO");
        p.SepetSecimGuncelle(line, 1);
        basket = p.SepetVer2(bayi.CARINO());
        const int r = findRow(basket, "SIRANO", line);
        QCOMPARE(integer(basket, r, "SEC"), 1);
        const double netTutar = num(basket, r, "NETTUTAR"), vergi = num(basket, r, "VERGITUTARI");

        // Delivery, carriage and a firm of that carriage, as the approval window offers them.
        const TableData teslim = p.TeslimVer(), kargo = p.KargoVer();
        QVERIFY(teslim.rowCount >= 2 && kargo.rowCount >= 1);
        const int td = teslim.value(1, 0).toInt(), kt = kargo.value(0, 0).toInt();
        const TableData firms = p.KargolarVer(kt);
        QVERIFY(firms.rowCount >= 1);
        const int kn = integer(firms, 0, "SIRANO");
        called.unite({"TeslimVer", "KargoVer", "KargolarVer", "SepetHepsiniSil", "SepetVer2", "SepetSayisi",
                      "SepetSecimGuncelle", "OncekiSiparisler", "TusSonuclariVer", "SiparisKaydet"});
        QVERIFY(p.SiparisKaydet(bayi, bayi.CARINO(), td, kt, QStringLiteral("Akşam teslim lütfen"), bayi.Sirano(), kn));

        // The unselected line stays; the selected one became an order in state "received".
        basket = p.SepetVer2(bayi.CARINO());
        QCOMPARE(basket.rowCount, 1);
        QCOMPARE(integer(basket, 0, "STOKNO"), second);
        QCOMPARE(p.SepetSayisi(bayi), 1);
        const TableData orders = p.OncekiSiparisler(bayi.CARINO());
        QCOMPARE(orders.rowCount, ordersBefore + 1);
        const int idno = integer(orders, 0, "IDNO"); // newest first
        QCOMPARE(text(orders, 0, "DURUM"), QStringLiteral("Alındı"));
        QCOMPARE(num(orders, 0, "NETTUTAR"), netTutar);
        QCOMPARE(num(orders, 0, "VERGI"), vergi);
        QCOMPARE(num(orders, 0, "TUTAR"), server::round2(netTutar + vergi));
        QCOMPARE(text(orders, 0, "VERENINNOTU"), QStringLiteral("Akşam teslim lütfen"));
        QCOMPARE(text(orders, 0, "KARGOADI"), text(firms, 0, "ADI"));

        const TableData lines = p.SiparisAyrintisi2(bayi.CARINO(), idno);
        QCOMPARE(lines.rowCount, 1);
        QCOMPARE(integer(lines, 0, "STOKNO"), first);
        QCOMPARE(integer(lines, 0, "MIKTAR"), 3);
        QCOMPARE(num(lines, 0, "KALAN"), 3.0);
        QCOMPARE(num(lines, 0, "NETTUTAR"), netTutar);
        CHECK_FIELDS(lines, kLineRead);
        CHECK_FIELDS(lines, kSentLineRead);
        // A line without a note of its own is described by its item (the balance dialog shows it).
        QCOMPARE(text(lines, 0, "ACIKLAMA"), text(lines, 0, "STOKADI"));
        // Another customer's number does not open this order.
        QCOMPARE(p.SiparisAyrintisi2(bayi.CARINO() + 1, idno).rowCount, 0);

        const auto dip = p.SiparisAytintisiDip(0, idno);
        QVERIFY(dip.has_value());
        QCOMPARE(dip->Durumu(), QStringLiteral("Alındı"));
        QCOMPARE(dip->SizinMesaj(), QStringLiteral("Akşam teslim lütfen"));
        QCOMPARE(dip->Kargo(), text(firms, 0, "ADI"));
        QCOMPARE(dip->TeslimCinsi(), teslim.value(1, 1).toString());
        QCOMPARE(dip->KargoCinsi(), kargo.value(0, 1).toString());
        QCOMPARE(dip->Veren(), QStringLiteral("BAYI"));
        called.unite({"SiparisAyrintisi2", "SiparisAytintisiDip"});

        const auto countsAfter = p.TusSonuclariVer(bayi);
        QCOMPARE(countsAfter->Alindi(), countsBefore->Alindi() + 1);
        QCOMPARE(countsAfter->SevkEdildi(), countsBefore->SevkEdildi());

        const TableData balances = p.BakiyelerVer2(bayi.CARINO());
        const int b = findRow(balances, "IDNO", idno);
        QVERIFY(b >= 0);
        QCOMPARE(num(balances, b, "KALAN"), 3.0);
        const TableData all = p.TumSiparislerVer(bayi.CARINO(), first);
        QVERIFY(findRow(all, "IDNO", idno) >= 0);
        for (int i = 0; i < all.rowCount; ++i) QCOMPARE(integer(all, i, "STOKNO"), first);
        called.unite({"BakiyelerVer2", "TumSiparislerVer"});

        // The representative who sees every customer finds it in today's received-orders report.
        const TableData report = p.RaporAlinanSiparisler(rep2, today(), today());
        QVERIFY(findRow(report, "IDNO", double(idno)) >= 0);
        called.insert(QStringLiteral("RaporAlinanSiparisler"));
    }

    void nothingSelectedSendsNothing() {
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        QCOMPARE(p.SepetHepsiniSil(bayi), 1);
        QVERIFY(addFromSearch(p, QStringLiteral("AMORTISOR"), 0, 1) > 0);
        const TableData before = p.SepetVer2(bayi.CARINO());
        const int orders = p.OncekiSiparisler(bayi.CARINO()).rowCount;
        QVERIFY(!p.SiparisKaydet(bayi, bayi.CARINO(), 1, 1, QString(), bayi.Sirano(), 1));
        QCOMPARE(p.OncekiSiparisler(bayi.CARINO()).rowCount, orders);
        const TableData after = p.SepetVer2(bayi.CARINO());
        QCOMPARE(after.rowCount, before.rowCount);
        QCOMPARE(text(after, 0, "SIRANO"), text(before, 0, "SIRANO"));
        // A firm that does not belong to the carriage kind is refused the same way.
        p.SepetSecimGuncelle(integer(after, 0, "SIRANO"), 1);
        QVERIFY(!p.SiparisKaydet(bayi, bayi.CARINO(), 1, 3, QString(), bayi.Sirano(), 1));
        QCOMPARE(p.SepetVer2(bayi.CARINO()).rowCount, 1);
        QCOMPARE(p.OncekiSiparisler(bayi.CARINO()).rowCount, orders);
    }

    void basketLineArithmetic() {
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        p.SepetHepsiniSil(bayi);
        const TableData s = p.StokAraGetirTelvar(QStringLiteral("DEBRIYAJ SETI"), bayi);
        QVERIFY(s.rowCount > 0);
        CHECK_FIELDS(s, kCatalogueRead);
        CHECK_FIELDS(s, {{"DEPO2", Need::Int}, {"RESIM", Need::Int}, {"Y", Need::Int}, {"LISTEFIYAT1", Need::Num},
                         {"KAMPFIYAT", Need::Num}});
        // Prices as the list shows them: the cascade of the four rates, then VAT.
        for (int i = 0; i < s.rowCount; ++i) {
            const server::Rates rates{num(s, i, "IND1"), num(s, i, "IND2"), num(s, i, "IND3"), num(s, i, "IND4")};
            QCOMPARE(num(s, i, "NETFIYAT"), server::netPrice(num(s, i, "FIYAT"), rates));
            QCOMPARE(num(s, i, "KDVDAHIL"), server::withVat(num(s, i, "NETFIYAT"), integer(s, i, "KDV")));
            QCOMPARE(text(s, i, "INDIRIMYAZI"), server::ratesText(rates));
            QCOMPARE(num(s, i, "LISTEFIYAT1"), num(s, i, "FIYAT"));
            QVERIFY(integer(s, i, "K") == 0 ? num(s, i, "KAMPFIYAT") == 0 : num(s, i, "KAMPFIYAT") > 0);
        }
        // The dealer's customer has its own discount; a list without a customer shows none of it.
        const TableData plain = p.StokAraGetirTelvar(QStringLiteral("DEBRIYAJ SETI"), TSonucBilgisi{});
        QCOMPARE(plain.rowCount, s.rowCount);
        QVERIFY(num(s, 0, "IND1") > 0);
        QCOMPARE(num(plain, 0, "IND1"), 0.0);

        QVERIFY(p.SepetEkle2(bayi, bayi.CARINO(), integer(s, 0, "STOK_STOKNO"), text(s, 0, "BARKOD"), text(s, 0, "ADI"), 7,
                             20, 123.45, 10, bayi.Sirano(), 0, 5, 2.5, 0) == 1);
        TableData b = p.SepetVer2(bayi.CARINO());
        QCOMPARE(b.rowCount, 1);
        CHECK_FIELDS(b, kLineRead);
        CHECK_FIELDS(b, {{"SEC", Need::Int}});
        const server::LineAmounts a = server::lineAmounts(7, 123.45, {10, 5, 2.5, 0}, 20);
        QCOMPARE(num(b, 0, "TUTAR"), a.tutar);
        QCOMPARE(num(b, 0, "INDIRIMTUTAR"), a.indirimTutar);
        QCOMPARE(num(b, 0, "NETTUTAR"), a.netTutar);
        QCOMPARE(num(b, 0, "NETBIRIMFIYAT"), a.netBirimFiyat);
        QCOMPARE(num(b, 0, "VERGITUTARI"), a.vergiTutari);
        QCOMPARE(server::round2(num(b, 0, "TUTAR") - num(b, 0, "INDIRIMTUTAR")), num(b, 0, "NETTUTAR"));
        QCOMPARE(text(b, 0, "INDIRIMYAZI"), QStringLiteral("10+5+2,5"));
        QCOMPARE(text(b, 0, "BARKOD"), text(s, 0, "BARKOD"));

        // A change keeps the line and its rates; quantity and price follow.
        const int sirano = integer(b, 0, "SIRANO");
        QCOMPARE(p.SepetGuncelle2(bayi, bayi.CARINO(), 0, QString(), QString(), 2, 20, 100, 10, bayi.Sirano(), sirano, 5,
                                  2.5, 0),
                 1);
        b = p.SepetVer2(bayi.CARINO());
        QCOMPARE(integer(b, 0, "SIRANO"), sirano);
        QCOMPARE(integer(b, 0, "MIKTAR"), 2);
        QCOMPARE(num(b, 0, "BIRIMFIYAT"), 100.0);
        QCOMPARE(num(b, 0, "TUTAR"), 200.0);
        // A line of another customer is neither changed nor deleted.
        TSonucBilgisi other = bayi;
        other.SetCARINO(bayi.CARINO() + 1);
        QCOMPARE(p.SepetGuncelle2(other, other.CARINO(), 0, QString(), QString(), 9, 20, 1, 0, 1, sirano, 0, 0, 0), 0);
        QCOMPARE(p.SepetSatirSil(other, sirano, QStringLiteral("x")), 0);
        QCOMPARE(p.SepetVer2(bayi.CARINO()).rowCount, 1);
        QCOMPARE(p.SepetSatirSil(bayi, sirano, text(b, 0, "BARKOD") + QStringLiteral("-") + text(b, 0, "STOKADI")), 1);
        QCOMPARE(p.SepetVer2(bayi.CARINO()).rowCount, 0);
        called.unite({"SepetGuncelle2", "SepetSatirSil"});
    }

    void refusedBasketValues_data() {
        QTest::addColumn<double>("qty");
        QTest::addColumn<double>("price");
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("stokno");
        QTest::newRow("zero quantity") << 0.0 << 10.0 << 0.0 << 1;
        QTest::newRow("fractional quantity") << 1.5 << 10.0 << 0.0 << 1;
        QTest::newRow("negative price") << 1.0 << -1.0 << 0.0 << 1;
        QTest::newRow("rate above 100") << 1.0 << 10.0 << 101.0 << 1;
        QTest::newRow("unknown item") << 1.0 << 10.0 << 0.0 << 999999;
    }
    void refusedBasketValues() {
        QFETCH(double, qty);
        QFETCH(double, price);
        QFETCH(double, rate);
        QFETCH(int, stokno);
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        const int before = p.SepetVer2(bayi.CARINO()).rowCount;
        QVERIFY_THROWS_EXCEPTION(RemoteError, p.SepetEkle2(bayi, bayi.CARINO(), stokno, QStringLiteral("X"), QStringLiteral("Y"),
                                                           qty, 20, price, rate, bayi.Sirano(), 0, 0, 0, 0));
        QCOMPARE(p.SepetVer2(bayi.CARINO()).rowCount, before);
    }

    void declaredReports() {
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        const double from = server::dayNumber(server::demoBaseDate().addDays(-365)), to = today();
        // The reports window declares its fields; the load fails on a missing field or a wrong kind.
        RecordSet siparis;
        siparis.SetDeclaredFields(declared({{"SATICIADI", FieldKind::Text, 50}, {"IDNO", FieldKind::Float, 0},
                                            {"CARINO", FieldKind::Integer, 0}, {"TARIH", FieldKind::Date, 0},
                                            {"KUR", FieldKind::Text, 5}, {"KURTL", FieldKind::Float, 0},
                                            {"VERENIDNO", FieldKind::Integer, 0}, {"KARGO", FieldKind::Text, 50},
                                            {"TESLIM", FieldKind::Text, 50}, {"VEREN", FieldKind::Text, 50},
                                            {"CARIKOD", FieldKind::Text, 25}, {"CARIADI", FieldKind::Text, 100},
                                            {"DURUM", FieldKind::Text, 100}, {"KARGOADI", FieldKind::Text, 50},
                                            {"VERGI", FieldKind::Float, 0}, {"NETTUTAR", FieldKind::Float, 0},
                                            {"TUTAR", FieldKind::Float, 0}}));
        TableData raw = p.RaporAlinanSiparisler(rep2, from, to);
        QVERIFY(raw.rowCount > 50);
        // Exactly the declared fields, with exactly their kinds, in declared order.
        QCOMPARE(int(raw.columns.size()), siparis.DeclaredFields().size());
        for (size_t i = 0; i < raw.columns.size(); ++i) {
            QCOMPARE(raw.columns[i].def.name, siparis.DeclaredFields()[i].name);
            QCOMPARE(int(raw.columns[i].def.kind), int(siparis.DeclaredFields()[i].kind));
            QVERIFY(raw.columns[i].def.size <= siparis.DeclaredFields()[i].size || siparis.DeclaredFields()[i].size == 0);
        }
        siparis.Load(std::move(raw));
        QVERIFY(siparis.RecordCount() > 50);
        // Grouped by representative: the names arrive sorted.
        QString prev;
        for (siparis.First(); !siparis.Eof(); siparis.Next()) {
            const QString s = siparis.FieldByName(QStringLiteral("SATICIADI")).AsString();
            QVERIFY(prev <= s);
            prev = s;
            QCOMPARE(siparis.FieldByName(QStringLiteral("TUTAR")).AsFloat(),
                     server::round2(siparis.FieldByName(QStringLiteral("NETTUTAR")).AsFloat() +
                                    siparis.FieldByName(QStringLiteral("VERGI")).AsFloat()));
        }
        // Scope: the representative of type 1 sees only his own customers.
        const TableData own = p.RaporAlinanSiparisler(rep1, from, to);
        QVERIFY(own.rowCount > 0 && own.rowCount < siparis.RecordCount());
        for (int i = 0; i < own.rowCount; ++i) QCOMPARE(text(own, i, "SATICIADI"), rep1.SaticiAdi());

        RecordSet stok;
        stok.SetDeclaredFields(declared({{"BARKOD", FieldKind::Text, 50}, {"KOD", FieldKind::Text, 50},
                                         {"ADI", FieldKind::Text, 100}, {"DEPARTMAN", FieldKind::Text, 50},
                                         {"MIKTAR", FieldKind::Float, 0}, {"NETTUTAR", FieldKind::Float, 0},
                                         {"TLVERGI", FieldKind::Float, 0}, {"TUTAR", FieldKind::Float, 0}}));
        TableData best = p.RaporEnCokSatilanStoklar(rep2, from, to);
        QCOMPARE(int(best.columns.size()), 8);
        for (size_t i = 0; i < best.columns.size(); ++i) {
            QCOMPARE(best.columns[i].def.name, stok.DeclaredFields()[i].name);
            QCOMPARE(int(best.columns[i].def.kind), int(stok.DeclaredFields()[i].kind));
        }
        stok.Load(std::move(best));
        QVERIFY(stok.RecordCount() > 10);
        double last = 1e300;
        for (stok.First(); !stok.Eof(); stok.Next()) {
            const double m = stok.FieldByName(QStringLiteral("MIKTAR")).AsFloat();
            QVERIFY(m <= last); // best sellers first
            last = m;
        }
        // An empty range still delivers every declared field.
        RecordSet empty;
        empty.SetDeclaredFields(stok.DeclaredFields());
        empty.Load(p.RaporEnCokSatilanStoklar(rep2, from - 3000, from - 2000));
        QCOMPARE(empty.RecordCount(), 0);
        called.unite({"RaporEnCokSatilanStoklar"});
    }

    void statementAndDocuments() {
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        const TableData e = p.CariEkstreVer(bayi.CARINO());
        QVERIFY(e.rowCount > 10);
        CHECK_FIELDS(e, {{"TURADI", Need::Text}, {"BORC", Need::Num}, {"ALACAK", Need::Num}, {"BAKIYE", Need::Num},
                         {"D", Need::Text}, {"IDNO", Need::Int}, {"CARINO", Need::Any}, {"TARIH", Need::Any},
                         {"EVRAK", Need::Any}, {"KUR", Need::Any}, {"ACIKLAMA", Need::Any}});
        double prevDay = -1e9, running = 0;
        int invoices = 0, collections = 0, posChecked = 0;
        for (int r = 0; r < e.rowCount; ++r) {
            const double day = e.value(r, col(e, "TARIH")).toDate().toJulianDay();
            QVERIFY(day >= prevDay); // date order, as the running balance needs
            prevDay = day;
            QVERIFY(!e.isNull(r, col(e, "BORC")) && !e.isNull(r, col(e, "ALACAK")));
            running = server::round2(running + num(e, r, "BORC") - num(e, r, "ALACAK"));
            QCOMPARE(num(e, r, "BAKIYE"), running);
            const QString tur = text(e, r, "TURADI");
            const int idno = integer(e, r, "IDNO");
            if (tur.contains(QStringLiteral("Fatura")) && invoices < 3) {
                ++invoices;
                const TableData f = p.FaturaGetir(bayi.CARINO(), idno);
                const TableData alt = p.FaturaAltGetir(idno);
                QVERIFY(f.rowCount > 0);
                QCOMPARE(f.columns.size(), size_t(63));
                CHECK_FIELDS(f, {{"STOKHAR_HAREKETTARIHI", Need::Text}, {"STOKHAR_HAREKETTIPI2", Need::Text},
                                 {"EVRAKNO", Need::Text}, {"STOKHAR_MIKTAR", Need::Num}, {"STOKHAR_VADE", Need::Text},
                                 {"SATICIADI", Need::Text}, {"IDNO", Need::Any}, {"STOKHAR_NETTLTUTAR", Need::Any}});
                QCOMPARE(text(f, 0, "EVRAKNO"), text(e, r, "EVRAK"));
                QCOMPARE(text(f, 0, "STOKHAR_HAREKETTIPI2"), tur);
                QCOMPARE(alt.rowCount, 1);
                CHECK_FIELDS(alt, {{"TOPLAM", Need::Num}, {"TOPLAMINDIRIM", Need::Num}, {"MATRAH", Need::Num},
                                   {"KDVTUTAR", Need::Num}, {"KDVDAHIL", Need::Num}});
                // The invoice's grand total is the statement's amount.
                QCOMPARE(num(alt, 0, "KDVDAHIL"), num(e, r, "BORC") + num(e, r, "ALACAK"));
                QCOMPARE(server::round2(num(alt, 0, "TOPLAM") - num(alt, 0, "TOPLAMINDIRIM")), num(alt, 0, "MATRAH"));
                double lines = 0;
                for (int i = 0; i < f.rowCount; ++i) lines = server::round2(lines + num(f, i, "STOKHAR_NETTLTUTAR"));
                QCOMPARE(lines, num(alt, 0, "MATRAH"));
                // Another customer's number does not open it.
                QCOMPARE(p.FaturaGetir(bayi.CARINO() + 1, idno).rowCount, 0);
            }
            if ((tur == QStringLiteral("Tahsilat") || tur == QStringLiteral("Tediye")) && collections < 6) {
                ++collections;
                const TableData t = p.Tahsilat(idno);
                QVERIFY(t.rowCount > 0);
                CHECK_FIELDS(t, {{"Tarih", Need::Any}, {"Türü", Need::Any}, {"Cins", Need::Any}, {"EvrakNo", Need::Any},
                                 {"Vade", Need::Any}, {"Tutar", Need::Any}, {"Kur", Need::Any}, {"KurTL", Need::Any},
                                 {"Açıklama", Need::Any}, {"Döviz Tutar", Need::Any}, {"Ref", Need::Any},
                                 {"Saat", Need::Any}});
                double sum = 0;
                for (int i = 0; i < t.rowCount; ++i) sum = server::round2(sum + t.value(i, col(t, "Tutar")).toDouble());
                QCOMPARE(sum, num(e, r, "BORC") + num(e, r, "ALACAK"));
                const int pos = p.SanalposSiranoVer(idno);
                if (pos > 0 && posChecked++ == 0) {
                    qint64 size = -1;
                    const QByteArray pdf = p.SAnalPosPdfVer(pos, size);
                    QVERIFY(pdf.startsWith("%PDF"));
                    QCOMPARE(size, qint64(pdf.size()));
                }
            }
        }
        QVERIFY(invoices > 0 && collections > 0);
        called.unite({"CariEkstreVer", "FaturaGetir", "FaturaAltGetir", "Tahsilat", "SanalposSiranoVer"});
        // Virtual POS receipts exist in the demo data; one is fetched even if the dealer has none.
        if (posChecked == 0) {
            qint64 size = -1;
            QVERIFY(p.SAnalPosPdfVer(1, size).startsWith("%PDF"));
        }
        called.insert(QStringLiteral("SAnalPosPdfVer"));
        qint64 size = -1;
        QVERIFY_THROWS_EXCEPTION(RemoteError, p.SAnalPosPdfVer(999999, size));
    }

    void overdueWarning() {
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        const QString w = p.CariVadeGunGecmismiBul(bayi.CARINO());
        QVERIFY2(w.contains(QStringLiteral("Vadesi geçmiş")), qPrintable(w));
        // Customers whose accounts are settled (every fourth in the demo data) get no warning.
        QCOMPARE(p.CariVadeGunGecmismiBul(4), QString());
        QCOMPARE(p.CariVadeGunGecmismiBul(987654), QString());
        called.insert(QStringLiteral("CariVadeGunGecmismiBul"));
    }

    void balanceChanges() {
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        TableData b = p.BakiyelerVer2(bayi.CARINO());
        QVERIFY(b.rowCount >= 3);
        CHECK_FIELDS(b, kLineRead);
        CHECK_FIELDS(b, kSentLineRead);
        for (int i = 0; i < b.rowCount; ++i) {
            QVERIFY(num(b, i, "KALAN") > 0);
            QVERIFY(!text(b, i, "ACIKLAMA").trimmed().isEmpty());
        }
        const auto line = [&](int r) {
            return std::tuple{integer(b, r, "STOK_STOKNO"), integer(b, r, "SIRANO"), integer(b, r, "STOKHAR_NO"),
                              num(b, r, "MIKTAR"), num(b, r, "KALAN"), text(b, r, "BARKOD")};
        };
        // Bakiye Değiştir: the new balance is sent twice; delivered + open = ordered afterwards, and the
        // item's received-order quantity moves with the open quantity (never below zero).
        auto [stok0, sira0, har0, miktar0, kalan0, barkod0] = line(0);
        double received = num(b, 0, "ALINANSIPARIS");
        int r = -1;
        for (const double bakiye : {50.0, 2.0}) {
            const double open = r < 0 ? kalan0 : num(b, r, "KALAN");
            QCOMPARE(p.BakiyeDegistir(bayi, stok0, sira0, har0, bakiye, bakiye, barkod0), 1);
            b = p.BakiyelerVer2(bayi.CARINO());
            r = findRow(b, "SIRANO", sira0);
            QCOMPARE(num(b, r, "KALAN"), bakiye);
            QCOMPARE(num(b, r, "MIKTAR"), num(b, r, "TESLIMEDILEN") + bakiye);
            received = std::max(0.0, received + bakiye - open);
            QCOMPARE(num(b, r, "ALINANSIPARIS"), received);
        }
        // A wrong movement number or another customer's line changes nothing.
        QCOMPARE(p.BakiyeDegistir(bayi, stok0, sira0, har0 + 1, 5, 5, barkod0), 0);
        QVERIFY_THROWS_EXCEPTION(RemoteError, p.BakiyeDegistir(bayi, stok0, sira0, har0, 0, 0, barkod0));

        // Fiyat Değiştir: price and one discount rate replace the line's; stokno 0 and the quantity twice.
        QCOMPARE(p.BakiyeFiyatDegistir(bayi, 0, sira0, har0, num(b, r, "MIKTAR"), num(b, r, "MIKTAR"), barkod0, 250, 10), 1);
        b = p.BakiyelerVer2(bayi.CARINO());
        r = findRow(b, "SIRANO", sira0);
        QCOMPARE(num(b, r, "BIRIMFIYAT"), 250.0);
        QCOMPARE(num(b, r, "INDIRIMORANI1"), 10.0);
        QCOMPARE(num(b, r, "INDIRIMORANI2"), 0.0);
        QCOMPARE(num(b, r, "NETBIRIMFIYAT"), 225.0);
        QVERIFY(num(b, r, "ILKFIYAT") != 0);

        // Bakiyeyi Sil: the line leaves the balances; the order keeps it with nothing open.
        const int idno = integer(b, r, "IDNO");
        const int before = b.rowCount;
        QCOMPARE(p.BakiyeDuzenle(bayi, stok0, sira0, har0, num(b, r, "MIKTAR"), num(b, r, "KALAN"), barkod0), 1);
        b = p.BakiyelerVer2(bayi.CARINO());
        QCOMPARE(b.rowCount, before - 1);
        QCOMPARE(findRow(b, "SIRANO", sira0), -1);
        const TableData lines = p.SiparisAyrintisi2(bayi.CARINO(), idno);
        QCOMPARE(num(lines, findRow(lines, "SIRANO", sira0), "KALAN"), 0.0);
        QCOMPARE(num(lines, findRow(lines, "SIRANO", sira0), "ALINANSIPARIS"), std::max(0.0, received - 2));
        QCOMPARE(p.BakiyeDuzenle(bayi, stok0, sira0, har0, 1, 1, barkod0), 0); // nothing open any more
        called.unite({"BakiyeDegistir", "BakiyeFiyatDegistir", "BakiyeDuzenle"});
    }

    void representativesAndCounts() {
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        const TableData all = p.CariAra(rep2, QString());
        QCOMPARE(all.rowCount, 50);
        CHECK_FIELDS(all, kCustomerRead);
        const TableData own = p.CariAra(rep1, QString());
        QVERIFY(own.rowCount > 0 && own.rowCount < 50);
        for (int i = 0; i < own.rowCount; ++i) QCOMPARE(text(own, i, "SATICISI"), text(own, 0, "SATICISI"));
        // Search text with and without Turkish letters, any case, several words.
        const QString name = text(all, 0, "CARIADI");
        const QString word = name.section(QLatin1Char(' '), 0, 0);
        const TableData found = p.CariAra(rep2, word.toUpper());
        QVERIFY(findRow(found, "CARIADI", name) >= 0);
        QVERIFY(found.rowCount < 50);
        QVERIFY(p.CariAra(rep2, QStringLiteral("DEMIRBAS")).rowCount >= 1);
        QCOMPARE(p.CariAra(rep2, QStringLiteral("ZZZZ YYYY")).rowCount, 0);
        // A dealer sees only his own customer.
        const TableData mine = p.CariAra(bayi, QString());
        QCOMPARE(mine.rowCount, 1);
        QCOMPARE(integer(mine, 0, "CARINO"), bayi.CARINO());

        // State lists agree with the counts of the board.
        const auto counts = p.TusSonuclariVer(rep2);
        const int perState[] = {0, counts->Alindi(), counts->Onaylandi(), counts->Goruldu(), counts->ParcaliHazirlandi(),
                                counts->Hazirlandi(), counts->SevkEdildi()};
        const char *fields[] = {"SEPET", "ALINDI", "ONAYLANDI", "GORULDU", "PARCALIHAZIRLANDI", "HAZIRLANDI", nullptr};
        for (int n = 2; n <= 6; ++n) {
            const TableData t = p.CariSepetVer(rep2, n);
            int sum = 0;
            for (int i = 0; i < t.rowCount; ++i) {
                const int v = integer(t, i, fields[n - 1]);
                QVERIFY(v > 0);
                sum += v;
            }
            QCOMPARE(sum, perState[n - 1]);
        }
        QVERIFY(p.CariSepetVer(rep2, 7).rowCount > 0);
        const TableData inBasket = p.CariSepetVer(rep2, 1);
        for (int i = 0; i < inBasket.rowCount; ++i) QVERIFY(integer(inBasket, i, "SEPET") > 0);
        QVERIFY_THROWS_EXCEPTION(RemoteError, p.CariSepetVer(rep2, 8));
        QVERIFY_THROWS_EXCEPTION(RemoteError, p.CariSepetVer(rep2, 0));
        // The representatives' basket count covers their customers.
        int baskets = 0;
        for (int i = 0; i < all.rowCount; ++i) baskets += integer(all, i, "SEPET");
        QCOMPARE(p.SepetSayisi(rep2), baskets);
        called.unite({"CariAra", "CariSepetVer"});
    }

    void picturesAndBanners() {
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        qint64 size = -1;
        const QByteArray header = p.BannerResimVer(size);
        QCOMPARE(size, qint64(header.size()));
        const QByteArray top = p.BannerResimVer2(size);
        QCOMPARE(size, qint64(top.size()));
        const QByteArray bottom = p.BannerResimVer3(size);
        QCOMPARE(size, qint64(bottom.size()));
        for (QByteArray gif : {header, top}) {
            QBuffer buf(&gif);
            buf.open(QIODevice::ReadOnly);
            QImageReader r(&buf, "gif");
            QVERIFY(r.imageCount() > 1);
            QVERIFY(!r.read().isNull());
        }
        QVERIFY(bottom.startsWith("BM"));
        QVERIFY(!QImage::fromData(bottom, "BMP").isNull());
        QCOMPARE(QImage::fromData(header).width(), 409);

        // Items with and without a picture; the method always answers JPEG.
        const TableData s = p.StokAraGetirTelvar(QString(), bayi);
        int with = -1, without = -1;
        for (int i = 0; i < s.rowCount && (with < 0 || without < 0); ++i)
            (integer(s, i, "RESIM") ? with : without) = integer(s, i, "STOK_STOKNO");
        QVERIFY(with > 0 && without > 0);
        QByteArray pic = p.ResimVer5(with, size);
        QCOMPARE(size, qint64(pic.size()));
        QVERIFY(isJpeg(pic));
        pic = p.ResimVer5(without, size);
        QCOMPARE(size, qint64(0));
        QVERIFY(pic.isEmpty());
        // Pictures stored as PNG are converted for this method.
        bool sawPng = false;
        for (int i = 0; i < s.rowCount && !sawPng; ++i) {
            if (!integer(s, i, "RESIM")) continue;
            server::Sql q(fx->srv->database(), QStringLiteral("SELECT p.mime FROM items i JOIN pictures p ON p.id = i.resim "
                                                              "WHERE i.stokno = ?"));
            q.bind(integer(s, i, "STOK_STOKNO"));
            if (q.scalar().toString() == QStringLiteral("image/png")) {
                sawPng = true;
                QVERIFY(isJpeg(p.ResimVer5(integer(s, i, "STOK_STOKNO"), size)));
            }
        }
        QVERIFY(sawPng);
        called.unite({"BannerResimVer", "BannerResimVer2", "BannerResimVer3", "ResimVer5"});
    }

    void reportsAsPdf() {
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        const double d = server::dayNumber(server::demoBaseDate());
        qint64 size = -1;
        // Customer summary, bulk receivables (customer 0, all or one representative), sales table.
        const QByteArray a = p.RaporGetir(6, 6, rep2.Sirano(), bayi.CARINO(), bayi.SaticiAdi(), d, d, size);
        QVERIFY(a.startsWith("%PDF"));
        QCOMPARE(size, qint64(a.size()));
        const QByteArray b = p.RaporGetir(6, 6, rep2.Sirano(), 0, QStringLiteral("."), d, d, size);
        QVERIFY(b.startsWith("%PDF") && b.size() > 2000);
        // The representative's own login name (what type 1 sends) selects his customers like his full name.
        const QByteArray byLogin = p.RaporGetir(6, 6, rep2.Sirano(), 0, rep1.ADI(), d, d, size);
        const QByteArray byName = p.RaporGetir(6, 6, rep2.Sirano(), 0, rep1.SaticiAdi(), d, d, size);
        const QByteArray nobody = p.RaporGetir(6, 6, rep2.Sirano(), 0, QStringLiteral("NOBODY"), d, d, size);
        QVERIFY(byLogin.startsWith("%PDF") && nobody.startsWith("%PDF"));
        QVERIFY2(b.size() > byLogin.size() && byLogin.size() > nobody.size() + 1000,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(b.size()).arg(byLogin.size()).arg(nobody.size())));
        QVERIFY(std::abs(byLogin.size() - byName.size()) < 200);
        const QByteArray s = p.RaporGetir(7, 7, rep2.Sirano(), 0, bayi.SaticiAdi(), d - 365, d, size);
        QVERIFY(s.startsWith("%PDF"));
        QCOMPARE(size, qint64(s.size()));
        QVERIFY(p.RaporGetir(7, 7, rep2.Sirano(), bayi.CARINO(), QString(), d - 30, d, size).startsWith("%PDF"));
        QVERIFY_THROWS_EXCEPTION(RemoteError, p.RaporGetir(5, 5, rep2.Sirano(), 0, QString(), d, d, size));
        QVERIFY_THROWS_EXCEPTION(RemoteError, p.RaporGetir(6, 6, rep2.Sirano(), 424242, QString(), d, d, size));
        called.insert(QStringLiteral("RaporGetir"));
    }

    void advertsAndCounts() {
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        const int n = p.AcilisReklamAdet();
        QCOMPARE(n, 3);
        QStringList searches;
        for (int i = 0; i < n; ++i) {
            const auto ad = p.AcilisREklamVer(i);
            QVERIFY(ad.has_value());
            QVERIFY(!ad->Baslik().isEmpty());
            QVERIFY(isJpeg(HexCoz(ad->Resim())));
            searches << ad->Arama();
        }
        QVERIFY(searches.contains(QStringLiteral("#KAMPANYA#")));
        QVERIFY(searches.contains(QStringLiteral("#YENİ#")));
        QVERIFY_THROWS_EXCEPTION(RemoteError, p.AcilisREklamVer(n));
        QVERIFY_THROWS_EXCEPTION(RemoteError, p.AcilisREklamVer(-1));
        const TAcilisEkranlariki list = p.AcilisEkranlarVer2();
        QVERIFY(list.Ekranlar().size() >= 3);
        for (const TAcilisEkran &e : list.Ekranlar()) QVERIFY(isJpeg(HexCoz(e.Resim())));

        const TableData yeni = p.YenilerVer2(bayi.CARINO());
        const TableData kamp = p.KampanyaliVer2(bayi.CARINO(), bayi.MusteriTipi());
        QVERIFY(yeni.rowCount > 0 && kamp.rowCount > 0);
        CHECK_FIELDS(yeni, kCatalogueRead);
        CHECK_FIELDS(yeni, {{"LISTEFIYAT1", Need::Num}, {"KAMPFIYAT", Need::Num}});
        CHECK_FIELDS(kamp, kCatalogueRead);
        CHECK_FIELDS(kamp, {{"ESKIFIYAT", Need::Num}, {"RESIM", Need::Int}, {"Y", Need::Int}});
        for (int i = 0; i < kamp.rowCount; ++i) {
            QCOMPARE(integer(kamp, i, "K"), 1);
            QVERIFY(num(kamp, i, "FIYAT") < num(kamp, i, "ESKIFIYAT")); // the campaign price is the cheaper one
        }
        // The notification row: one row, positions 0-3 integers, 4 a double.
        const TableData balon = p.BalonGetir(bayi);
        QCOMPARE(balon.rowCount, 1);
        QCOMPARE(balon.columns.size(), size_t(5));
        for (int i = 0; i < 4; ++i) QCOMPARE(int(balon.columns[size_t(i)].def.kind), int(FieldKind::Integer));
        QCOMPARE(int(balon.columns[4].def.kind), int(FieldKind::Float));
        QCOMPARE(balon.value(0, 0).toInt(), p.SepetVer2(bayi.CARINO()).rowCount);
        QCOMPARE(balon.value(0, 1).toInt(), yeni.rowCount);
        QCOMPARE(balon.value(0, 2).toInt(), kamp.rowCount);
        QCOMPARE(balon.value(0, 3).toInt(), int(list.Ekranlar().size()));
        double open = 0;
        const TableData bal = p.BakiyelerVer2(bayi.CARINO());
        for (int i = 0; i < bal.rowCount; ++i) open = server::round2(open + num(bal, i, "NETTUTAR"));
        QCOMPARE(balon.value(0, 4).toDouble(), open);

        QVERIFY(p.KayanYaziGetir().contains(QStringLiteral("<B>")));
        called.unite({"AcilisReklamAdet", "AcilisREklamVer", "AcilisEkranlarVer2", "YenilerVer2", "KampanyaliVer2",
                      "BalonGetir", "KayanYaziGetir"});
    }

    void stockMovements() {
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        // The most popular items carry invoice movements.
        server::Sql q(fx->srv->database(), QStringLiteral("SELECT l.stokno, COUNT(*) FROM invoice_lines l JOIN invoices v "
                                                          "ON v.idno = l.idno WHERE v.carino = ? GROUP BY l.stokno "
                                                          "ORDER BY COUNT(*) DESC, l.stokno"));
        q.bind(bayi.CARINO()).exec();
        QVERIFY(q.next());
        const int stokno = q.toInt(0), n = q.toInt(1);
        const TableData h = p.StokHareketVer(bayi.CARINO(), stokno);
        QCOMPARE(h.rowCount, n);
        CHECK_FIELDS(h, {{"NETBIRIMFIYAT", Need::Num}, {"NETTLTUTAR", Need::Num}, {"KDVDAHILBIRIMFIYAT", Need::Num},
                         {"KDVDAHILTUTAR", Need::Num}, {"MIKTAR", Need::Any}, {"TARIH", Need::Any}, {"TURU", Need::Any},
                         {"EVRAKSERI", Need::Any}, {"EVRAKSIRA", Need::Any}, {"SATICI", Need::Any},
                         {"STOKCARIKOD", Need::Any}, {"INDIRIM8", Need::Any}, {"TOPLAMMASRAF", Need::Any}});
        QCOMPARE(h.columns.size(), size_t(28));
        QCOMPARE(p.StokHareketVer(bayi.CARINO(), 987654).rowCount, 0);
        called.insert(QStringLiteral("StokHareketVer"));
    }

    void firmDetailsAndMail() {
        auto c = fx->connect();
        TServerMethods1Client p(*c);
        const auto m = p.MobilCariBilgisiGetir(0, QStringLiteral("DEMO-BAYI"));
        QVERIFY(m.has_value());
        QCOMPARE(m->CARIADI(), bayi.CariAdi());
        QCOMPARE(m->CARINO(), bayi.CARINO());
        QCOMPARE(m->KULLANICIADI(), QStringLiteral("BAYI"));
        QVERIFY(!m->ADRES1().isEmpty() && !m->SEHIR().isEmpty() && !m->VERGINO().isEmpty() && !m->TEL1().isEmpty());
        QCOMPARE(m->TLBAKIYE(), server::round2(m->TLBORC() - m->TLALACAK()));
        const auto none = p.MobilCariBilgisiGetir(0, QStringLiteral("UNKNOWN"));
        QVERIFY(none.has_value());
        QVERIFY(none->CARIADI().isEmpty() && none->ADRES1().isEmpty());

        const QString quoteful = QStringLiteral("O'Brien \"Oto\"; DROP TABLE outbox; --");
        QCOMPARE(p.MailGonserCari(QStringLiteral("DEMO-BAYI"), QStringLiteral("Şifre Değiştirme İsteği"), quoteful,
                                  m->ADRES1(), QString(), m->ILCE(), m->SEHIR(), m->TEL1(), QString(), QString(),
                                  QString(), QStringLiteral("Yetkili"), QStringLiteral("BAYI"), QStringLiteral("YENI1"),
                                  QStringLiteral("a@b.example"), QString()),
                 1);
        QCOMPARE(p.MailGonserCariNormal(QStringLiteral("DEMO-BAYI"), QStringLiteral("  Başlık"), m->CARIADI(), m->ADRES1(),
                                        m->ADRES2(), m->ILCE(), m->SEHIR(), m->TEL1(), m->FAX1(), m->VERGIDAIRESI(),
                                        m->VERGINO(), m->YETKILI(), m->KULLANICIADI(), m->SIFRE(), m->MAIL(), QString(),
                                        QStringLiteral("\"satır bir\",iki")),
                 1);
        server::Sql q(fx->srv->database(), QStringLiteral("SELECT kind, firmaadi, baslik, konu FROM outbox ORDER BY id"));
        q.exec();
        QVERIFY(q.next());
        QCOMPARE(q.toText(0), QStringLiteral("firm-request"));
        QCOMPARE(q.toText(1), quoteful);
        QVERIFY(q.next());
        QCOMPARE(q.toText(0), QStringLiteral("to-representative"));
        QCOMPARE(q.toText(2), QStringLiteral("  Başlık"));
        QCOMPARE(q.toText(3), QStringLiteral("\"satır bir\",iki"));
        called.unite({"MobilCariBilgisiGetir", "MailGonserCari", "MailGonserCariNormal"});
    }

    void everyMethodWasExercised() {
        QStringList missing;
        for (const MethodSpec &m : methodCatalog())
            if (!called.contains(QLatin1String(m.name))) missing << QLatin1String(m.name);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
        QCOMPARE(int(methodCatalog().size()), 49);
    }
};

QTEST_MAIN(TstServerMethods)
#include "tst_server_methods.moc"
