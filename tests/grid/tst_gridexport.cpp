// Spreadsheet export read back: the workbook is unzipped and its sheet's cells, types and formats checked.

#include "fakeui.h"
#include "grid.h"
#include "gridtestdata.h"
#include "ziparchive.h"

#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace b2b;
using b2b::test::makeTable;

namespace {

struct Cell {
    QString type;   // t attribute: "" number, "s" shared string, "b" boolean, "str"/"inlineStr"
    QString value;  // <v> text, or the shared string
    QString format; // number format code of the cell's style ("" = General)
};

struct Sheet {
    QMap<QString, Cell> cells; // "B3" -> cell
    int rows = 0;
    QString text(const QString &ref) const { return cells.value(ref).value; }
};

Sheet readSheet(const QString &path) {
    Sheet sheet;
    const auto zip = b2b::test::readZip(path);
    QStringList shared;
    {
        QXmlStreamReader x(zip.value(QStringLiteral("xl/sharedStrings.xml")));
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == QLatin1String("t")) shared << x.readElementText();
    }
    QMap<int, QString> numFmts{{0, QString()}, {14, QStringLiteral("m/d/yyyy")}};
    QList<int> xfFmt;
    {
        QXmlStreamReader x(zip.value(QStringLiteral("xl/styles.xml")));
        bool inXfs = false;
        while (!x.atEnd()) {
            const auto t = x.readNext();
            if (t == QXmlStreamReader::StartElement && x.name() == QLatin1String("numFmt"))
                numFmts.insert(x.attributes().value(QLatin1String("numFmtId")).toInt(),
                               x.attributes().value(QLatin1String("formatCode")).toString());
            if (t == QXmlStreamReader::StartElement && x.name() == QLatin1String("cellXfs")) inXfs = true;
            if (t == QXmlStreamReader::EndElement && x.name() == QLatin1String("cellXfs")) inXfs = false;
            if (t == QXmlStreamReader::StartElement && inXfs && x.name() == QLatin1String("xf"))
                xfFmt << x.attributes().value(QLatin1String("numFmtId")).toInt();
        }
    }
    QXmlStreamReader x(zip.value(QStringLiteral("xl/worksheets/sheet1.xml")));
    QString ref;
    Cell cell;
    while (!x.atEnd()) {
        const auto t = x.readNext();
        if (t == QXmlStreamReader::StartElement && x.name() == QLatin1String("row")) ++sheet.rows;
        if (t == QXmlStreamReader::StartElement && x.name() == QLatin1String("c")) {
            ref = x.attributes().value(QLatin1String("r")).toString();
            cell = Cell{x.attributes().value(QLatin1String("t")).toString(), {}, {}};
            const int s = x.attributes().value(QLatin1String("s")).toInt();
            cell.format = numFmts.value(xfFmt.value(s));
        }
        if (t == QXmlStreamReader::StartElement && x.name() == QLatin1String("v")) {
            const QString v = x.readElementText();
            cell.value = cell.type == QLatin1String("s") ? shared.value(v.toInt()) : v;
            sheet.cells.insert(ref, cell);
        }
    }
    return sheet;
}

GridLayout exportLayout() {
    GridLayout l;
    l.viewName = QStringLiteral("exportView");
    auto col = [](int pos, const char *field, const char *caption, Visibility v, Summary s = Summary::None,
                  CellKind k = CellKind::Text) {
        ColumnSpec c;
        c.position = pos;
        c.field = QString::fromUtf8(field);
        c.caption = QString::fromUtf8(caption);
        c.visibility = v;
        c.footer = s;
        c.kind = k;
        if (k == CellKind::Icon) c.icons = statusIconMap(false);
        return c;
    };
    l.columns = {col(1, "SEC", "Seç", Visibility::Shown, Summary::None, CellKind::CheckBox),
                 col(2, "ADI", "Açıklama", Visibility::Shown, Summary::Count),
                 col(3, "GIZLI", "Gizli", Visibility::Hidden),
                 col(4, "TUTAR", "Tutar", Visibility::Shown, Summary::Sum),
                 col(5, "MIKTAR", "", Visibility::Shown),
                 col(6, "TARIH", "Tarih", Visibility::Shown),
                 col(7, "DURUM", "Durum", Visibility::Shown, Summary::None, CellKind::Icon)};
    return l;
}

TableData exportRows() {
    return makeTable({{"SEC", FieldKind::Integer}, {"ADI", FieldKind::Text}, {"GIZLI", FieldKind::Text},
                      {"TUTAR", FieldKind::Float}, {"MIKTAR", FieldKind::Integer}, {"TARIH", FieldKind::Date},
                      {"DURUM", FieldKind::Integer}},
                     {{1, QStringLiteral("Şaft"), QStringLiteral("x"), 1234567.891, 3, QDate(2024, 3, 1), 1},
                      {0, QStringLiteral("Balata"), QStringLiteral("y"), 10.0, 1, QVariant(), 3},
                      {0, QStringLiteral("Filtrelenen"), QStringLiteral("z"), 99.0, 9, QDate(2024, 1, 1), 0}});
}

} // namespace

class TestGridExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
    void typedCellsOfVisibleColumns();
    void groupsExpandedInExport();
    void cancelledDialogWritesNothing();
    void failureIsReported();
};

void TestGridExport::typedCellsOfVisibleColumns() {
    QTemporaryDir dir;
    test::FakeUi ui;
    const QString path = dir.filePath(QStringLiteral("sepet.xlsx"));
    ui.saveNames.enqueue(path);
    RecordSet rs;
    DataGrid grid(exportLayout());
    grid.setRecordSet(&rs);
    rs.Load(exportRows());
    SayiFormatla(rs);
    grid.setFilterValues(QStringLiteral("ADI"), {QStringLiteral("Şaft"), QStringLiteral("Balata")});
    grid.sortBy(QStringLiteral("ADI"));
    QVERIFY(grid.exportToExcel());

    QCOMPARE(ui.shown.size(), 1);
    QCOMPARE(ui.shown[0].what, QStringLiteral("save"));
    QCOMPARE(ui.shown[0].text, QStringLiteral("Excel|*.xls*"));
    QCOMPARE(ui.shown[0].buttons, QStringList{QStringLiteral("xlsx")});

    const Sheet s = readSheet(path);
    QCOMPARE(s.rows, 4); // header, two rows passing the filter, footer
    // header: visible columns only, in order; a column without caption shows its field name
    QCOMPARE(s.text(QStringLiteral("A1")), QStringLiteral("Seç"));
    QCOMPARE(s.text(QStringLiteral("B1")), QStringLiteral("Açıklama"));
    QCOMPARE(s.text(QStringLiteral("C1")), QStringLiteral("Tutar"));
    QCOMPARE(s.text(QStringLiteral("D1")), QStringLiteral("MIKTAR"));
    QCOMPARE(s.text(QStringLiteral("F1")), QStringLiteral("Durum"));
    QVERIFY(!s.cells.contains(QStringLiteral("G1")));
    // rows in the view's order (sorted by ADI): Balata, Şaft
    QCOMPARE(s.text(QStringLiteral("B2")), QStringLiteral("Balata"));
    QCOMPARE(s.cells.value(QStringLiteral("B2")).type, QStringLiteral("s"));
    const Cell tutar = s.cells.value(QStringLiteral("C3"));
    QCOMPARE(tutar.type, QString());
    QCOMPARE(tutar.value.toDouble(), 1234567.891);
    QCOMPARE(tutar.format, QStringLiteral("#,###,##0.00"));
    const Cell miktar = s.cells.value(QStringLiteral("D3"));
    QCOMPARE(miktar.type, QString());
    QCOMPARE(miktar.value, QStringLiteral("3"));
    const Cell date = s.cells.value(QStringLiteral("E3"));
    QCOMPARE(date.type, QString());
    QCOMPARE(date.value.toDouble(), 45352.0); // 1 March 2024 as a spreadsheet day number
    QCOMPARE(date.format, QStringLiteral("dd.mm.yyyy"));
    QVERIFY(!s.cells.contains(QStringLiteral("E2"))); // null date: empty cell
    QCOMPARE(s.cells.value(QStringLiteral("A3")).type, QStringLiteral("b"));
    QCOMPARE(s.text(QStringLiteral("A3")), QStringLiteral("1"));
    QCOMPARE(s.text(QStringLiteral("A2")), QStringLiteral("0"));
    QCOMPARE(s.text(QStringLiteral("F3")), QStringLiteral("Var"));
    QCOMPARE(s.text(QStringLiteral("F2")), QStringLiteral("Yolda"));
    // footer over the filtered rows, as numbers
    QCOMPARE(s.text(QStringLiteral("B4")), QStringLiteral("2"));
    QCOMPARE(s.text(QStringLiteral("C4")).toDouble(), 1234577.891);
    QCOMPARE(s.cells.value(QStringLiteral("C4")).format, QStringLiteral("#,###,##0.00"));
}

void TestGridExport::groupsExpandedInExport() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rapor.xlsx"));
    RecordSet rs;
    DataGrid grid(siparisRaporuLayout());
    grid.setRecordSet(&rs);
    rs.Load(makeTable({{"SATICIADI", FieldKind::Text}, {"TARIH", FieldKind::Date}, {"TUTAR", FieldKind::Float}},
                      {{QStringLiteral("Zeki"), QDate(2024, 1, 1), 10.0},
                       {QStringLiteral("Ali"), QDate(2024, 1, 2), 5.0},
                       {QStringLiteral("Zeki"), QDate(2024, 1, 3), 2.5}}));
    QCOMPARE(grid.model()->rowCount(), 4); // closed groups on screen
    QString error;
    QVERIFY2(grid.exportToFile(path, &error), qPrintable(error));
    const Sheet s = readSheet(path);
    // header, then per group: group row, its rows, group footer; then the footer
    QCOMPARE(s.rows, 1 + (1 + 1 + 1) + (1 + 2 + 1) + 1);
    QCOMPARE(s.text(QStringLiteral("A2")), QStringLiteral("SATICIADI : Ali"));
    QCOMPARE(s.text(QStringLiteral("A5")), QStringLiteral("SATICIADI : Zeki"));
    // TARIH is the first visible column, TUTAR the fourth (TARIH, VERGI, NETTUTAR, TUTAR)
    QCOMPARE(s.text(QStringLiteral("A1")), QStringLiteral("TARIH"));
    QCOMPARE(s.text(QStringLiteral("D1")), QStringLiteral("TUTAR"));
    QCOMPARE(s.text(QStringLiteral("D3")).toDouble(), 5.0);
    QCOMPARE(s.text(QStringLiteral("D4")).toDouble(), 5.0);  // group footer sum
    QCOMPARE(s.text(QStringLiteral("A4")).toDouble(), 1.0);  // group footer count
    QCOMPARE(s.text(QStringLiteral("D8")).toDouble(), 12.5); // Zeki's sum
    QCOMPARE(s.text(QStringLiteral("D9")).toDouble(), 17.5); // grid footer
    QCOMPARE(s.text(QStringLiteral("A9")).toDouble(), 3.0);
}

void TestGridExport::cancelledDialogWritesNothing() {
    QTemporaryDir dir;
    test::FakeUi ui; // no answer queued: the dialog is cancelled
    RecordSet rs;
    DataGrid grid(exportLayout());
    grid.setRecordSet(&rs);
    rs.Load(exportRows());
    QVERIFY(!grid.exportToExcel());
    QCOMPARE(ui.shown.size(), 1);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);
}

void TestGridExport::failureIsReported() {
    QTemporaryDir dir;
    test::FakeUi ui;
    const QString path = dir.filePath(QStringLiteral("yok/klasor/sepet.xlsx"));
    ui.saveNames.enqueue(path);
    RecordSet rs;
    DataGrid grid(exportLayout());
    grid.setRecordSet(&rs);
    rs.Load(exportRows());
    QVERIFY(!grid.exportToExcel());
    QCOMPARE(ui.shown.size(), 2);
    QCOMPARE(ui.shown[1].what, QStringLiteral("message"));
    QCOMPARE(ui.shown[1].kind, MsgKind::Error);
    QVERIFY(ui.shown[1].text.contains(path));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(rs.RecordCount(), 3); // nothing else changed
}

QTEST_MAIN(TestGridExport)
#include "tst_gridexport.moc"
