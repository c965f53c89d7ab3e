// The grid widget driven as a user would: real widgets found by objectName, offscreen.

#include "grid.h"
#include "gridtestdata.h"

#include <QBuffer>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace b2b;
using b2b::test::makeTable;

namespace {

TableData stockRows() {
    return makeTable({{"DURUM", FieldKind::Integer}, {"DEPO2", FieldKind::Integer}, {"OEM1", FieldKind::Text},
                      {"BARKOD", FieldKind::Text}, {"ADI", FieldKind::Text}, {"LISTEFIYAT1", FieldKind::Float},
                      {"KDVDAHIL", FieldKind::Float}, {"STOK_STOKNO", FieldKind::Integer}},
                     {{1, 0, QStringLiteral("O1"), QStringLiteral("B-3"), QStringLiteral("TRIGER SETI"), 10.0, 12.0, 501},
                      {3, 1, QStringLiteral("O2"), QStringLiteral("B-1"), QStringLiteral("AYNA"), 20.0, 24.0, 502},
                      {0, 2, QStringLiteral("O3"), QStringLiteral("B-2"), QStringLiteral("TAMPON"), 30.0, 36.0, 503},
                      {1, 5, QStringLiteral("O4"), QStringLiteral("B-4"), QStringLiteral("TRAFIK SETI"), 40.0, 48.0, 504}});
}

QPoint cellCentre(QTableView *v, int row, int column) { return v->visualRect(v->model()->index(row, column)).center(); }

void showGrid(DataGrid &g, int w = 1300, int h = 500) {
    g.resize(w, h);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
}

template <typename T> T *popupNamed(const char *name) {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            if (auto *t = qobject_cast<T *>(w)) return t;
    return nullptr;
}

} // namespace

class TestGridWidget : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namesCaptionsAndVisibility();
    void chooserOffersShownAndHidden_data();
    void chooserOffersShownAndHidden();
    void fixedColumnStaysPut();
    void chooserButtonAndRoles();
    void headerClickSorts();
    void statementHeaderClickKeepsOrder();
    void currentRecordFollowsFocus();
    void filterButtonListsDescriptions();
    void incrementalSearch();
    void rowHeightAndWidths();
    void customDrawHook();
    void pictureCells();
    void detachDuringLoad();
    void doubleClickReportsRecord();
};

void TestGridWidget::namesCaptionsAndVisibility() {
    RecordSet rs;
    DataGrid g(stokListesiLayout());
    g.setRecordSet(&rs);
    rs.Load(stockRows());
    showGrid(g);
    QCOMPARE(g.objectName(), QStringLiteral("cxGrid1"));
    auto *view = g.findChild<QTableView *>(QStringLiteral("cxGrid1DBTableView1"));
    QVERIFY(view);
    QCOMPARE(view->model()->rowCount(), 4);
    const QAbstractItemModel *m = view->model();
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Merdal"));
    QCOMPARE(m->headerData(g.columnIndex(QStringLiteral("KDV")), Qt::Horizontal).toString(), QStringLiteral("KDV"));
    QVERIFY(!view->isColumnHidden(g.columnIndex(QStringLiteral("ADI"))));
    QVERIFY(view->isColumnHidden(g.columnIndex(QStringLiteral("OEM1"))));        // H
    QVERIFY(view->isColumnHidden(g.columnIndex(QStringLiteral("STOK_STOKNO")))); // N
    QCOMPARE(view->horizontalHeader()->height(), 40);
    QVERIFY(view->verticalHeader()->isVisible()); // row indicator
    QCOMPARE(view->verticalHeader()->width(), 5);
    // a bound field that the data lacks leaves its column empty
    const int model = g.columnIndex(QStringLiteral("MODEL"));
    QCOMPARE(m->index(0, model).data().toString(), QString());
    // status icons: second depot shows nothing for 0
    const int depo2 = g.columnIndex(QStringLiteral("DEPO2"));
    QCOMPARE(m->index(0, depo2).data(GridModel::IconIndexRole).toInt(), -1);
    QCOMPARE(m->index(0, 0).data(GridModel::IconIndexRole).toInt(), 0);
    QCOMPARE(m->index(2, 0).data(GridModel::IconIndexRole).toInt(), 4);
}

void TestGridWidget::chooserOffersShownAndHidden_data() {
    QTest::addColumn<bool>("basket");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<bool>("visible");
    QTest::newRow("S Barkod") << false << QStringLiteral("BARKOD") << true << true;
    QTest::newRow("S Merdal") << false << QStringLiteral("DURUM") << true << true;
    QTest::newRow("H Oem1") << false << QStringLiteral("OEM1") << true << false;
    QTest::newRow("H KDV") << false << QStringLiteral("KDV") << true << false;
    QTest::newRow("N STOK_STOKNO") << false << QStringLiteral("STOK_STOKNO") << false << false;
    QTest::newRow("N KALAN") << false << QStringLiteral("KALAN") << false << false;
    QTest::newRow("N PKOD") << false << QStringLiteral("PKOD") << false << false;
    QTest::newRow("basket S Seç never offered") << true << QStringLiteral("SEC") << false << true;
    QTest::newRow("basket S Stok Açıklama") << true << QStringLiteral("STOKADI") << true << true;
}

void TestGridWidget::chooserOffersShownAndHidden() {
    QFETCH(bool, basket);
    QFETCH(QString, field);
    DataGrid g(basket ? sepetLayout() : stokListesiLayout());
    const int c = g.columnIndex(field);
    QVERIFY(c >= 0);
    const std::vector<int> chooser = g.chooserColumns();
    QTEST(std::find(chooser.begin(), chooser.end(), c) != chooser.end(), "offered");
    QTEST(g.isColumnVisible(c), "visible");
}

void TestGridWidget::fixedColumnStaysPut() {
    RecordSet rs;
    DataGrid g(stokListesiLayout());
    g.setRecordSet(&rs);
    rs.Load(stockRows());
    g.setColumnAvailable(QStringLiteral("KALAN"), true);
    showGrid(g);
    auto *header = g.findChild<GridView *>()->horizontalHeader();
    const int kalan = g.columnIndex(QStringLiteral("KALAN"));
    const int barkod = g.columnIndex(QStringLiteral("BARKOD"));
    QCOMPARE(header->sectionResizeMode(kalan), QHeaderView::Fixed);
    QCOMPARE(header->sectionResizeMode(barkod), QHeaderView::Interactive);
    const int before = header->visualIndex(kalan);
    header->moveSection(before, 0); // a drag of KALAN is undone
    QCOMPARE(header->visualIndex(kalan), before);
    const int b = header->visualIndex(barkod);
    header->moveSection(b, b + 1); // other columns move
    QCOMPARE(header->visualIndex(barkod), b + 1);
}

void TestGridWidget::chooserButtonAndRoles() {
    RecordSet rs;
    DataGrid g(stokListesiLayout());
    g.setRecordSet(&rs);
    rs.Load(stockRows());
    showGrid(g);
    // a representative: KALAN shown and offered, in one call
    QVERIFY(!g.chooserEntries().contains(QStringLiteral("KALAN")));
    g.setColumnAvailable(QStringLiteral("KALAN"), true);
    QVERIFY(g.isColumnVisible(QStringLiteral("KALAN")));
    QVERIFY(g.chooserEntries().contains(QStringLiteral("KALAN")));
    // MusteriTipi 4: "Kampanyalı" hidden and taken out of the chooser
    g.setColumnAvailable(QStringLiteral("K"), false);
    QVERIFY(!g.isColumnVisible(QStringLiteral("K")));
    QVERIFY(!g.chooserEntries().contains(QStringLiteral("Kampanyalı")));

    auto *button = g.findChild<QToolButton *>(QStringLiteral("columnChooserButton"));
    QVERIFY(button);
    QVERIFY(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = popupNamed<QMenu>("columnChooserMenu")));
    QStringList texts;
    QAction *oem1 = nullptr;
    for (QAction *a : menu->actions()) {
        texts << a->text();
        if (a->text() == QLatin1String("Oem1")) oem1 = a;
    }
    QCOMPARE(texts, g.chooserEntries());
    QVERIFY(!texts.contains(QStringLiteral("STOK_STOKNO")));
    QVERIFY(oem1 && !oem1->isChecked());
    oem1->trigger();
    QVERIFY(g.isColumnVisible(QStringLiteral("OEM1")));
    QVERIFY(!g.view()->isColumnHidden(g.columnIndex(QStringLiteral("OEM1"))));
    // the row count now shows under the Oem1 column
    QCOMPARE(g.footerText(g.columnIndex(QStringLiteral("OEM1"))), QStringLiteral("4"));
    menu->close();
}

void TestGridWidget::headerClickSorts() {
    RecordSet rs;
    DataGrid g(stokListesiLayout());
    g.setRecordSet(&rs);
    rs.Load(stockRows());
    showGrid(g);
    QHeaderView *h = g.view()->horizontalHeader();
    const int adi = g.columnIndex(QStringLiteral("ADI"));
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(adi) + 8, h->height() / 2));
    QCOMPARE(g.model()->sortColumn(), adi);
    QCOMPARE(g.model()->index(0, adi).data().toString(), QStringLiteral("AYNA"));
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(adi) + 8, h->height() / 2));
    QCOMPARE(g.model()->sortOrder(), Qt::DescendingOrder);
    QCOMPARE(g.model()->index(0, adi).data().toString(), QStringLiteral("TRIGER SETI"));
}

void TestGridWidget::statementHeaderClickKeepsOrder() {
    RecordSet rs;
    DataGrid g(cariEkstreLayout());
    g.setRecordSet(&rs);
    rs.Load(makeTable({{"TURADI", FieldKind::Text}, {"BORC", FieldKind::Float}},
                      {{QStringLiteral("Zeta"), 1.0}, {QStringLiteral("Alfa"), 3.0}, {QStringLiteral("Beta"), 2.0}}));
    showGrid(g);
    QHeaderView *h = g.view()->horizontalHeader();
    for (const char *f : {"TURADI", "BORC"}) {
        const int c = g.columnIndex(QString::fromLatin1(f));
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(c) + 8, h->height() / 2));
        QCOMPARE(g.model()->sortColumn(), -1);
        for (int r = 0; r < 3; ++r) QCOMPARE(g.model()->recordAt(r), r);
    }
}

void TestGridWidget::currentRecordFollowsFocus() {
    RecordSet rs;
    DataGrid g(stokListesiLayout());
    QSignalSpy focused(&g, &DataGrid::focusedRecordChanged);
    g.setRecordSet(&rs);
    rs.Load(stockRows());
    showGrid(g);
    g.sortBy(QStringLiteral("ADI"));
    const int adi = g.columnIndex(QStringLiteral("ADI"));
    // display row 2 is "TRAFIK SETI" = record 3
    QTest::mouseClick(g.view()->viewport(), Qt::LeftButton, {}, cellCentre(g.view(), 2, adi));
    QCOMPARE(g.focusedRecord(), 3);
    QCOMPARE(rs.Row(), 3);
    QCOMPARE(rs.FieldByName(QStringLiteral("STOK_STOKNO")).AsInteger(), 504);
    QVERIFY(!focused.isEmpty());
    QCOMPARE(focused.last().at(0).toInt(), 3);
    // moving the record set moves the focus
    QVERIFY(rs.Locate(QStringLiteral("STOK_STOKNO"), 502));
    QCOMPARE(g.view()->currentIndex().row(), 0); // AYNA sorts first
    QCOMPARE(g.focusedRecord(), 1);
    // a reload keeps the record set's current row focused
    rs.Load(stockRows());
    QCOMPARE(g.focusedRecord(), rs.Row());
}

void TestGridWidget::filterButtonListsDescriptions() {
    RecordSet rs;
    DataGrid g(stokListesiLayout());
    g.setRecordSet(&rs);
    rs.Load(stockRows());
    g.setColumnVisible(QStringLiteral("OEM1"), true);
    showGrid(g);
    GridHeader *h = g.header();
    const QRect fb = h->filterButtonRect(0);
    QVERIFY(!fb.isNull());
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, fb.center());
    QWidget *popup = g.filterPopup();
    QVERIFY(popup);
    QCOMPARE(popup->objectName(), QStringLiteral("filterPopup"));
    auto *list = popup->findChild<QListWidget *>(QStringLiteral("filterList"));
    QVERIFY(list);
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    QCOMPARE(items, (QStringList{QStringLiteral("Var"), QStringLiteral("Yok"), QStringLiteral("Yolda")}));
    list->item(0)->setCheckState(Qt::Checked); // "Var"
    QCOMPARE(g.model()->rowCount(), 2);
    QCOMPARE(g.footerText(g.columnIndex(QStringLiteral("OEM1"))), QStringLiteral("2"));
    list->item(2)->setCheckState(Qt::Checked); // and "Yolda"
    QCOMPARE(g.model()->rowCount(), 3);
    popup->close();
    // filters combine across columns
    g.setFilterValues(QStringLiteral("BARKOD"), {QStringLiteral("B-1"), QStringLiteral("B-4")});
    QCOMPARE(g.model()->rowCount(), 2);
    g.clearFilters();
    QCOMPARE(g.model()->rowCount(), 4);
    QCOMPARE(g.footerText(g.columnIndex(QStringLiteral("OEM1"))), QStringLiteral("4"));
    // the custom-drawn column has no filter button
    QVERIFY(h->filterButtonRect(g.columnIndex(QStringLiteral("FiyatBilgisi"))).isNull());
}

void TestGridWidget::incrementalSearch() {
    RecordSet rs;
    DataGrid g(stokListesiLayout());
    g.setRecordSet(&rs);
    rs.Load(stockRows());
    showGrid(g);
    const int adi = g.columnIndex(QStringLiteral("ADI"));
    g.view()->setFocus();
    g.view()->setCurrentIndex(g.model()->index(0, adi));
    QTest::keyClicks(g.view(), QStringLiteral("TA"));
    QCOMPARE(g.focusedRecord(), 2); // TAMPON
    QCOMPARE(rs.Row(), 2);
    QTest::keyClick(g.view(), Qt::Key_Escape);
    QTest::keyClicks(g.view(), QStringLiteral("TRA"));
    QCOMPARE(g.focusedRecord(), 3); // TRAFIK SETI: "TR" matches TRIGER first, "TRA" moves on
    // the basket's check-box column is left out
    RecordSet basket;
    DataGrid b(sepetLayout());
    b.setRecordSet(&basket);
    basket.Load(makeTable({{"SEC", FieldKind::Integer}, {"STOKADI", FieldKind::Text}},
                          {{0, QStringLiteral("ZAR")}, {1, QStringLiteral("1 NUMARA")}}));
    showGrid(b);
    b.view()->setFocus();
    b.view()->setCurrentIndex(b.model()->index(0, b.columnIndex(QStringLiteral("SEC"))));
    QTest::keyClicks(b.view(), QStringLiteral("1"));
    QCOMPARE(b.focusedRecord(), 0);
    b.view()->setCurrentIndex(b.model()->index(0, b.columnIndex(QStringLiteral("STOKADI"))));
    QTest::keyClicks(b.view(), QStringLiteral("1"));
    QCOMPARE(b.focusedRecord(), 1);
    // the check box shows the flag; the owner toggles it in code
    const QModelIndex sec = b.model()->index(0, b.columnIndex(QStringLiteral("SEC")));
    QCOMPARE(sec.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QTest::mouseClick(b.view()->viewport(), Qt::LeftButton, {}, b.view()->visualRect(sec).center());
    QCOMPARE(basket.Value(0, 0).toInt(), 0);
    basket.MoveTo(0);
    basket.Edit();
    basket.FieldByName(QStringLiteral("SEC")).SetValue(1);
    basket.Post();
    QTRY_COMPARE(b.model()->index(b.model()->displayRowOf(0), 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
}

void TestGridWidget::rowHeightAndWidths() {
    RecordSet rs;
    DataGrid g(stokListesiLayout());
    g.setRecordSet(&rs);
    rs.Load(stockRows());
    showGrid(g);
    QCOMPARE(g.view()->rowHeight(0), 40);
    g.setRowHeight(100);
    QCOMPARE(g.view()->rowHeight(1), 100);
    g.setRowHeight(60);
    QCOMPARE(g.view()->rowHeight(1), 60);
    // proportional widths over the visible columns: weights 1,1,2,3,1,2,2,2,1,1,2,3,2 = 23
    QVERIFY(g.SutunGenislikleri(1183));
    const int unit = (1183 - 30) / 23;
    for (int c : g.visibleColumns()) QCOMPARE(g.view()->columnWidth(c), g.layout().columns[size_t(c)].weight * unit);
    // the basket with only weight-0 columns visible is left alone
    DataGrid b(sepetLayout());
    for (int c = 0; c < int(b.layout().columns.size()); ++c) b.setColumnVisible(c, b.layout().columns[size_t(c)].weight == 0 && b.layout().columns[size_t(c)].visibility != Visibility::Never);
    QVERIFY(!b.visibleColumns().empty());
    std::vector<int> before;
    for (int c : b.visibleColumns()) before.push_back(b.view()->columnWidth(c));
    QVERIFY(!b.SutunGenislikleri(1500));
    std::vector<int> after;
    for (int c : b.visibleColumns()) after.push_back(b.view()->columnWidth(c));
    QCOMPARE(after, before);
    // best fit widens a column to its longest text
    const int adi = g.columnIndex(QStringLiteral("ADI"));
    g.view()->setColumnWidth(adi, 10);
    g.bestFit();
    QVERIFY(g.view()->columnWidth(adi) >= g.view()->fontMetrics().horizontalAdvance(QStringLiteral("TRIGER SETI")));
    // fit-to-width fills the viewport
    g.setFitToWidth(true);
    int total = 0;
    for (int c : g.visibleColumns()) total += g.view()->columnWidth(c);
    QCOMPARE(total, g.view()->viewport()->width() - 18);
}

void TestGridWidget::customDrawHook() {
    RecordSet rs;
    DataGrid g(stokListesiLayout());
    g.setRecordSet(&rs);
    rs.Load(stockRows());
    QList<int> records;
    QList<QColor> backgrounds;
    g.setCustomDraw(QStringLiteral("FiyatBilgisi"), [&](const GridCell &cell) {
        records << cell.record;
        backgrounds << cell.background;
        cell.painter->fillRect(cell.rect, QColor(255, 0, 255));
        return true;
    });
    showGrid(g);
    QVERIFY(g.SutunGenislikleri());
    const QImage img = g.view()->viewport()->grab().toImage();
    QVERIFY(records.contains(0) && records.contains(3));
    QVERIFY(backgrounds.contains(QColor(239, 239, 239))); // even rows
    const int fb = g.columnIndex(QStringLiteral("FiyatBilgisi"));
    const QPoint p = cellCentre(g.view(), 1, fb) * img.devicePixelRatio();
    QCOMPARE(img.pixelColor(p), QColor(255, 0, 255));
}

void TestGridWidget::pictureCells() {
    QImage red(300, 200, QImage::Format_RGB32);
    red.fill(QColor(220, 0, 0));
    QByteArray jpeg;
    QBuffer buf(&jpeg);
    buf.open(QIODevice::WriteOnly);
    QVERIFY(red.save(&buf, "JPEG", 95));
    RecordSet rs;
    DataGrid g(duyuruLayout());
    g.setRecordSet(&rs);
    rs.Load(makeTable({{"Resim", FieldKind::Blob}, {"Baslik", FieldKind::Text}, {"Arama", FieldKind::Text}},
                      {{jpeg, QStringLiteral("Duyuru"), QStringLiteral("#KAMPANYA#")}, {QVariant(), QStringLiteral("Boş"), QString()}}));
    showGrid(g, 700, 900);
    QVERIFY(!g.view()->horizontalHeader()->isVisible());
    QCOMPARE(g.view()->rowHeight(0), 405);
    QCOMPARE(g.view()->columnWidth(0), 605);
    QVERIFY(g.view()->isColumnHidden(1) && g.view()->isColumnHidden(2));
    const QImage shot = g.view()->viewport()->grab().toImage();
    const QColor c = shot.pixelColor(QPoint(302, 202) * shot.devicePixelRatio());
    QVERIFY2(c.red() > 180 && c.green() < 60 && c.blue() < 60, qPrintable(c.name()));
    // the row without a picture stays plain
    const QColor empty = shot.pixelColor(QPoint(302, 405 + 202) * shot.devicePixelRatio());
    QVERIFY2(empty.red() < 200 || empty.green() > 100, qPrintable(empty.name()));
}

void TestGridWidget::detachDuringLoad() {
    RecordSet rs;
    DataGrid g(stokListesiLayout());
    g.setRecordSet(&rs);
    rs.Load(stockRows());
    showGrid(g);
    g.detach();
    g.beginUpdate();
    QVERIFY(g.isUpdating());
    QCOMPARE(g.view()->model()->rowCount(), 0);
    rs.Load(makeTable({{"ADI", FieldKind::Text}}, {{QStringLiteral("YENI")}}));
    QCOMPARE(g.view()->model()->rowCount(), 0);
    g.attach();
    g.endUpdate();
    QVERIFY(!g.isUpdating());
    QCOMPARE(g.view()->model()->rowCount(), 1);
    QCOMPARE(g.model()->index(0, g.columnIndex(QStringLiteral("ADI"))).data().toString(), QStringLiteral("YENI"));
}

void TestGridWidget::doubleClickReportsRecord() {
    RecordSet rs;
    DataGrid g(yenilerLayout());
    g.setRecordSet(&rs);
    rs.Load(stockRows());
    showGrid(g);
    QSignalSpy dbl(&g, &DataGrid::doubleClicked);
    const int adi = g.columnIndex(QStringLiteral("ADI"));
    QTest::mouseDClick(g.view()->viewport(), Qt::LeftButton, {}, cellCentre(g.view(), 2, adi));
    QCOMPARE(dbl.count(), 1);
    QCOMPARE(dbl.first().at(0).toInt(), 2);
    QCOMPARE(rs.Row(), 2);
}

QTEST_MAIN(TestGridWidget)
#include "tst_gridwidget.moc"
