// Column tables, the proportional width rule and the icon choice.

#include "gridicons.h"
#include "gridlayout.h"

#include <QSet>
#include <QtTest>

using namespace b2b;

class TestGridLayouts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void positionsAreContiguous();
    void columnFacts_data();
    void columnFacts();
    void fieldBoundTwice();
    void gridOptions();
    void proportionalWidths_data();
    void proportionalWidths();
    void iconChoice_data();
    void iconChoice();
    void iconImages();
};

void TestGridLayouts::positionsAreContiguous() {
    for (const NamedLayout &n : allGridLayouts()) {
        const auto &cols = n.layout.columns;
        QVERIFY2(!cols.empty(), qPrintable(n.key));
        for (size_t i = 0; i < cols.size(); ++i)
            QVERIFY2(cols[i].position == int(i) + 1, qPrintable(QStringLiteral("%1: column %2 has position %3")
                                                                     .arg(n.key).arg(i + 1).arg(cols[i].position)));
        QVERIFY2(!n.layout.viewName.isEmpty(), qPrintable(n.key));
    }
}

static const GridLayout &layoutOf(const QString &key) {
    static const std::vector<NamedLayout> all = allGridLayouts();
    for (const NamedLayout &n : all)
        if (n.key == key) return n.layout;
    qFatal("no layout %s", qPrintable(key));
}

void TestGridLayouts::columnFacts_data() {
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("visibility");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("footer");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("wrap");    // -1: not checked
    QTest::addColumn<int>("centred"); // horizontally centred; -1: not checked
    const int S = int(Visibility::Shown), H = int(Visibility::Hidden), N = int(Visibility::Never);
    const int none = int(Summary::None), count = int(Summary::Count), sum = int(Summary::Sum), avg = int(Summary::Average);
    const int text = int(CellKind::Text), icon = int(CellKind::Icon), check = int(CellKind::CheckBox);
    auto row = [&](const char *tag, const char *grid, const char *field, int occ, int pos, const char *caption, int vis,
                   int w, int footer, int kind, int wrap = -1, int centred = -1) {
        QTest::newRow(tag) << QString::fromUtf8(grid) << QString::fromUtf8(field) << occ << pos << QString::fromUtf8(caption)
                           << vis << w << footer << kind << wrap << centred;
    };
    row("stok DURUM", "stok", "DURUM", 0, 1, "Merdal", S, 1, none, icon);
    row("stok DEPO2", "stok", "DEPO2", 0, 2, "Ravud", S, 1, none, icon);
    row("stok OEM1 count", "stok", "OEM1", 0, 3, "Oem1", H, 2, count, text);
    row("stok FIYAT", "stok", "FIYAT", 0, 29, "Liste Fiyatı", H, 2, none, text);
    row("stok KAMPFIYAT", "stok", "KAMPFIYAT", 0, 28, "Kampanyalı Fiyat", H, 2, none, text);
    row("stok Fiyat Bilgisi", "stok", "FiyatBilgisi", 0, 35, "Fiyat Bilgisi", S, 2, none, int(CellKind::Custom));
    row("stok STOK_STOKNO", "stok", "STOK_STOKNO", 0, 9, "", N, 1, none, text);
    row("yeniler FIYAT", "yeniler", "FIYAT", 0, 24, "Liste Fiyatı2", H, 2, none, text);
    row("yeniler KAMPFIYAT", "yeniler", "KAMPFIYAT", 0, 27, "Kampanyalı Fiyatı", S, 2, none, text);
    row("yeniler INDIRIMYAZI", "yeniler", "INDIRIMYAZI", 0, 28, "Indirim Oran", S, 2, none, text);
    row("kampanyali FIYAT", "kampanyali", "FIYAT", 0, 26, "Kampanyalı Fiyatı", S, 2, none, text);
    row("kampanyali DURUM", "kampanyali", "DURUM", 0, 33, "Durum", S, 1, none, icon);
    row("sepet SEC", "sepet", "SEC", 0, 1, "Seç", S, 1, none, check);
    row("sepet INDIRIMORANI4", "sepet", "INDIRIMORANI4", 0, 52, "", H, 0, none, text);
    row("sepet NETTUTAR sum", "sepet", "NETTUTAR", 0, 24, "Net Tutar", S, 1, sum, text);
    row("sepet KALAN", "sepet", "KALAN", 0, 51, "Kalan", N, 1, none, text);
    row("bakiye KALAN", "bakiye", "KALAN", 0, 53, "Kalan Bakiye", S, 1, sum, text);
    row("bakiye OEM2", "bakiye", "OEM2", 0, 39, "", H, 1, none, text);
    row("bakiye SIPARISNO", "bakiye", "SIPARISNO", 0, 3, "Sipariş No", N, 0, none, text);
    row("tumsiparisler INDIRIMORANI1", "tumsiparisler", "INDIRIMORANI1", 0, 15, "İn.Oranı%", S, 0, none, text);
    row("siparisraporu TARIH", "siparisraporu", "TARIH", 0, 2, "", S, 0, count, text);
    row("siparisraporu TUTAR", "siparisraporu", "TUTAR", 0, 6, "", S, 0, sum, text);
    row("ekstre BORC", "ekstre", "BORC", 0, 5, "Borç", S, 0, sum, text);
    row("fatura STOKHAR_INDIRIM1", "fatura", "STOKHAR_INDIRIM1", 0, 17, "%İnd1 ", S, 0, none, text);
    row("hareket NETTLTUTAR", "hareket", "NETTLTUTAR", 0, 23, "", S, 0, avg, text);
    row("hareket MIKTAR", "hareket", "MIKTAR", 0, 6, "", S, 0, count, text);
    row("cariler CARIKOD", "cariler", "CARIKOD", 0, 2, "", S, 0, count, text);
    row("tahsilat Döviz Tutar", "tahsilat", "Döviz Tutar", 0, 10, "", N, 0, none, text);
    row("oncekiler ALANNOTU", "oncekiler", "ALANNOTU", 0, 18, "Alanın Notu", S, 0, none, int(CellKind::MultiLine));
    row("duyuru picture", "duyuru", "Resim", 0, 1, "", S, 0, none, int(CellKind::Picture));
    // catalogue text cells wrap, except the one-line price and discount cells; stock list's discount text centred
    row("stok ADI wraps", "stok", "ADI", 0, 7, "Açıklama", S, 3, none, text, 1, 0);
    row("stok LISTEFIYAT1 one line", "stok", "LISTEFIYAT1", 0, 27, "Liste Fiyatı", H, 2, none, text, 0, 0);
    row("stok INDIRIMYAZI centred", "stok", "INDIRIMYAZI", 0, 32, "İndirim Oran", S, 2, none, text, 0, 1);
    row("stok KDVDAHIL wraps", "stok", "KDVDAHIL", 0, 34, "KDV Dahil Fiyat", S, 3, none, text, 1, 0);
    row("kampanyali ESKIFIYAT one line", "kampanyali", "ESKIFIYAT", 0, 25, "Liste Fiyatı", S, 2, none, text, 0, 0);
    row("kampanyali INDIRIMYAZI", "kampanyali", "INDIRIMYAZI", 0, 30, "İndirim Oran", S, 2, none, text, 0, 0);
    row("kampanyali FIYAT wraps", "kampanyali", "FIYAT", 0, 26, "Kampanyalı Fiyatı", S, 2, none, text, 1, 0);
    row("yeniler ADI no wrap", "yeniler", "ADI", 0, 5, "Açıklama", S, 3, none, text, 0, 0);
    row("sepet INDIRIMYAZI centred", "sepet", "INDIRIMYAZI", 0, 16, "İndirim Oran", S, 2, none, text, 0, 1);
    row("stok DEPO2 icon centred", "stok", "DEPO2", 0, 2, "Ravud", S, 1, none, icon, 0, 1);
}

void TestGridLayouts::columnFacts() {
    QFETCH(QString, grid);
    QFETCH(QString, field);
    QFETCH(int, occurrence);
    const GridLayout &l = layoutOf(grid);
    const int i = l.indexOf(field, occurrence);
    QVERIFY(i >= 0);
    const ColumnSpec &c = l.columns[size_t(i)];
    QTEST(c.position, "position");
    QTEST(c.caption, "caption");
    QTEST(int(c.visibility), "visibility");
    QTEST(c.weight, "weight");
    QTEST(int(c.footer), "footer");
    QTEST(int(c.kind), "kind");
    QFETCH(int, wrap);
    if (wrap >= 0) QCOMPARE(int(c.wrap), wrap);
    QFETCH(int, centred);
    if (centred >= 0) QCOMPARE(int(bool(c.align & Qt::AlignHCenter)), centred);
}

void TestGridLayouts::fieldBoundTwice() {
    // IDNO is bound twice, both never offered, in the balances and all-orders grids.
    const struct {
        const char *grid;
        int first, second;
    } cases[] = {{"bakiye", 32, 54}, {"tumsiparisler", 30, 52}};
    for (const auto &cs : cases) {
        const GridLayout &l = layoutOf(QString::fromLatin1(cs.grid));
        const int a = l.indexOf(QStringLiteral("IDNO"), 0), b = l.indexOf(QStringLiteral("IDNO"), 1);
        QVERIFY(a >= 0 && b >= 0);
        QCOMPARE(l.columns[size_t(a)].position, cs.first);
        QCOMPARE(l.columns[size_t(b)].position, cs.second);
        QCOMPARE(l.columns[size_t(a)].visibility, Visibility::Never);
        QCOMPARE(l.columns[size_t(b)].visibility, Visibility::Never);
        QCOMPARE(l.indexOf(QStringLiteral("IDNO"), 2), -1);
    }
    QCOMPARE(layoutOf(QStringLiteral("sepet")).indexOf(QStringLiteral("IDNO"), 1), -1);
}

void TestGridLayouts::gridOptions() {
    QVERIFY(!layoutOf(QStringLiteral("ekstre")).sortable);
    QVERIFY(layoutOf(QStringLiteral("stok")).sortable);
    QCOMPARE(layoutOf(QStringLiteral("sepet")).rowHeight, 60);
    QCOMPARE(layoutOf(QStringLiteral("duyuru")).rowHeight, 405);
    QVERIFY(!layoutOf(QStringLiteral("duyuru")).showHeader);
    QVERIFY(layoutOf(QStringLiteral("tumsiparisler")).fitToWidth);
    const GridLayout &rep = layoutOf(QStringLiteral("siparisraporu"));
    QCOMPARE(rep.groupField, QStringLiteral("SATICIADI"));
    QVERIFY(rep.collapseAfterLoad && rep.groupByBox && rep.rowIndicator && !rep.incrementalSearch);
    // the six grids of the proportional rule, and no other
    QSet<QString> weighted;
    for (const NamedLayout &n : allGridLayouts())
        if (n.layout.usesWeights) weighted.insert(n.key);
    QCOMPARE(weighted, (QSet<QString>{QStringLiteral("stok"), QStringLiteral("yeniler"), QStringLiteral("kampanyali"),
                                      QStringLiteral("sepet"), QStringLiteral("bakiye"), QStringLiteral("ayrinti")}));
    // the basket's check box is left out of type-ahead search
    const GridLayout &sepet = layoutOf(QStringLiteral("sepet"));
    QVERIFY(!sepet.columns[size_t(sepet.indexOf(QStringLiteral("SEC")))].searchable);
    QCOMPARE(sepet.colors.even, QColor(Qt::white));
    QCOMPARE(layoutOf(QStringLiteral("stok")).colors.even, QColor(239, 239, 239));
}

void TestGridLayouts::proportionalWidths_data() {
    QTest::addColumn<std::vector<int>>("weights");
    QTest::addColumn<int>("width");
    QTest::addColumn<std::vector<int>>("expected");
    QTest::newRow("truncated unit") << std::vector<int>{1, 2, 3} << 1000 << std::vector<int>{161, 322, 483};
    QTest::newRow("exact") << std::vector<int>{1, 1} << 230 << std::vector<int>{100, 100};
    QTest::newRow("zero weight keeps width 0") << std::vector<int>{0, 2} << 130 << std::vector<int>{0, 100};
    QTest::newRow("all weights 0: no change") << std::vector<int>{0, 0, 0} << 1000 << std::vector<int>{};
    QTest::newRow("no visible column") << std::vector<int>{} << 1000 << std::vector<int>{};
    QTest::newRow("narrower than 30 + sum: no change") << std::vector<int>{3, 3} << 35 << std::vector<int>{};
    QTest::newRow("negative client width") << std::vector<int>{1} << -10 << std::vector<int>{};
    // the 1152/1153 screen switch belongs to the caller: the rule only sees the client width
    QTest::newRow("client 1152") << std::vector<int>{1, 2, 3} << 1152 << std::vector<int>{187, 374, 561};
    QTest::newRow("client 1153") << std::vector<int>{1, 2, 3} << 1153 << std::vector<int>{187, 374, 561};
}

void TestGridLayouts::proportionalWidths() {
    QFETCH(std::vector<int>, weights);
    QFETCH(int, width);
    QFETCH(std::vector<int>, expected);
    QCOMPARE(b2b::proportionalWidths(weights, width), expected);
}

void TestGridLayouts::iconChoice_data() {
    QTest::addColumn<QString>("map");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("description");
    auto row = [](const char *map, QVariant v, int icon, const char *desc) {
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(map), v.isNull() ? QStringLiteral("null") : v.toString())))
            << QString::fromLatin1(map) << v << icon << QString::fromUtf8(desc);
    };
    row("DURUM", 0, 4, "Yok");
    row("DURUM", 1, 0, "Var");
    row("DURUM", 2, 8, "Telefon Açınız");
    row("DURUM", 3, 2, "Yolda");
    row("DURUM", 4, 1, "Özel Sipariş");
    row("DURUM", 5, 5, "Tedarik Sürecinde");
    row("DURUM", 6, -1, "6");
    row("DURUM", -1, -1, "-1");
    row("DURUM", QVariant(), -1, "");
    row("DURUM", QStringLiteral("x"), -1, "x");
    row("DURUM", 3.0, 2, "Yolda");
    row("DEPO2", 0, -1, "0");
    row("DEPO2", 1, 0, "Var");
    row("DEPO2", 5, 5, "Tedarik Sürecinde");
    row("RESIM", 1, 0, "Var");
    row("RESIM", 0, -1, "Yok");
    row("Y", 0, 0, "Hayır");
    row("Y", 1, 1, "Evet");
    row("Y", 7, 0, "7");
    row("Y", QVariant(), 0, "");
    row("K", 0, 0, "0");
    row("K", 1, 1, "Evet");
    row("K", 2, -1, "2");
    row("K new items", 0, -1, "Hayır");
}

void TestGridLayouts::iconChoice() {
    QFETCH(QString, map);
    QFETCH(QVariant, value);
    IconMap m;
    if (map == QLatin1String("DURUM")) m = statusIconMap(false);
    else if (map == QLatin1String("DEPO2")) m = statusIconMap(true);
    else if (map == QLatin1String("RESIM")) m = pictureFlagIconMap();
    else if (map == QLatin1String("Y")) m = newFlagIconMap();
    else if (map == QLatin1String("K")) m = campaignFlagIconMap(false);
    else m = campaignFlagIconMap(true);
    QTEST(iconIndexFor(m, value), "icon");
    QTEST(iconDescriptionFor(m, value), "description");
}

void TestGridLayouts::iconImages() {
    const struct {
        IconList list;
        int count;
    } lists[] = {{IconList::Status, 10}, {IconList::Picture, 2}, {IconList::Flag, 3}};
    for (const auto &l : lists) {
        QCOMPARE(gridIconCount(l.list), l.count);
        for (int i = 0; i < l.count; ++i) QCOMPARE(gridIcon(l.list, i).size(), QSize(24, 24));
        QVERIFY(gridIcon(l.list, l.count).isNull());
        QVERIFY(gridIcon(l.list, -1).isNull());
    }
    // drawn images: the status balls differ from each other; "empty" flag image is fully transparent
    QVERIFY(gridIcon(IconList::Status, 0).toImage() != gridIcon(IconList::Status, 4).toImage());
    const QImage empty = gridIcon(IconList::Flag, 0).toImage();
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) QCOMPARE(qAlpha(empty.pixel(x, y)), 0);
    const QImage green = gridIcon(IconList::Status, 0).toImage();
    const QColor centre = green.pixelColor(12, 14);
    QVERIFY2(centre.green() > centre.red() && centre.green() > centre.blue(), "status 0 is a green ball");
    const QImage red = gridIcon(IconList::Status, 4).toImage();
    QVERIFY(red.pixelColor(12, 14).red() > red.pixelColor(12, 14).green());
    QCOMPARE(stockStatusIcon(3).toImage(), gridIcon(IconList::Status, 2).toImage());
}

QTEST_MAIN(TestGridLayouts)
#include "tst_gridlayouts.moc"
