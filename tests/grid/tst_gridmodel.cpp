// The grid model over a record set: model rules (Qt's model tester), sorting, filtering, summaries,
// grouping, reloads and edits.

#include "gridmodel.h"
#include "gridtestdata.h"
#include "numfmt.h"

#include <QAbstractItemModelTester>
#include <QtTest>
#include <cmath>

using namespace b2b;
using b2b::test::makeTable;

namespace {

ColumnSpec column(int pos, const char *field, Summary footer = Summary::None, CellKind kind = CellKind::Text) {
    ColumnSpec c;
    c.position = pos;
    c.field = QString::fromUtf8(field);
    c.footer = footer;
    c.kind = kind;
    if (kind == CellKind::Icon) c.icons = statusIconMap(false);
    return c;
}

GridLayout lineLayout() {
    GridLayout l;
    l.viewName = QStringLiteral("view");
    l.columns = {column(1, "ADI", Summary::Count), column(2, "DURUM", Summary::None, CellKind::Icon),
                 column(3, "MIKTAR", Summary::Sum), column(4, "TUTAR", Summary::Average),
                 column(5, "EKSIK"), column(6, "SATICI")};
    return l;
}

TableData lines() {
    return makeTable({{"ADI", FieldKind::Text}, {"DURUM", FieldKind::Integer}, {"MIKTAR", FieldKind::Integer},
                      {"TUTAR", FieldKind::Float}, {"SATICI", FieldKind::Text}},
                     {
                         {QStringLiteral("Çekiç"), 1, 2, 10.5, QStringLiteral("B")},
                         {QStringLiteral("ayna"), 3, 5, 1234567.891, QStringLiteral("A")},
                         {QStringLiteral("Cıvata"), 1, 1, QVariant(), QStringLiteral("B")},
                         {QStringLiteral("Balata"), 0, 7, 20.0, QStringLiteral("A")},
                         {QStringLiteral("Zincir"), 9, QVariant(), 4.0, QStringLiteral("C")},
                     });
}

QStringList columnTexts(const GridModel &m, int column) {
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r) out << m.index(r, column).data().toString();
    return out;
}

} // namespace

class TestGridModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
    void modelTesterThroughOperations();
    void missingFieldStaysEmpty();
    void secondLoadReplaces();
    void sortNumbersTextsAndNulls();
    void statementRefusesToSort();
    void filterByDescriptionsAndCombined();
    void footersOverFilteredRows();
    void emptyRecordSetFooters();
    void displayFormats();
    void groupsWithFootersAndCollapse();
    void editsAreCoalesced();
    void editsWhileControlsDisabled();
    void detachAndAttach();
};

void TestGridModel::modelTesterThroughOperations() {
    RecordSet rs;
    GridLayout l = lineLayout();
    GridModel m(l);
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
    m.setRecordSet(&rs);
    rs.Load(lines());
    QCOMPARE(m.rowCount(), 5);
    QCOMPARE(m.columnCount(), 6);
    m.sortBy(0, Qt::DescendingOrder);
    m.setFilter(1, {QStringLiteral("Var")});
    QCOMPARE(m.rowCount(), 2);
    m.setGroupColumn(5);
    QVERIFY(m.rowCount() > 2);
    m.collapseAll();
    m.expandAll();
    m.clearFilters();
    m.setGroupColumn(-1);
    rs.EmptyDataSet();
    QCOMPARE(m.rowCount(), 0);
    rs.Load(lines());
    QCOMPARE(m.rowCount(), 5);
}

void TestGridModel::missingFieldStaysEmpty() {
    RecordSet rs;
    GridModel m(lineLayout());
    m.setRecordSet(&rs);
    rs.Load(lines());
    QCOMPARE(m.fieldIndex(4), -1);
    for (int r = 0; r < m.rowCount(); ++r) {
        QCOMPARE(m.index(r, 4).data().toString(), QString());
        QVERIFY(!m.index(r, 4).data(GridModel::ValueRole).isValid());
    }
    QVERIFY(m.distinctKeys(4).isEmpty());
    QVERIFY(!m.canSort(4) || (m.sortBy(4, Qt::AscendingOrder), m.rowCount() == 5));
}

void TestGridModel::secondLoadReplaces() {
    RecordSet rs;
    GridModel m(lineLayout());
    m.setRecordSet(&rs);
    rs.Load(lines());
    rs.Load(makeTable({{"ADI", FieldKind::Text}, {"MIKTAR", FieldKind::Integer}}, {{QStringLiteral("Yeni"), 3}}));
    QCOMPARE(m.rowCount(), 1);
    QCOMPARE(m.index(0, 0).data().toString(), QStringLiteral("Yeni"));
    QCOMPARE(m.index(0, 2).data().toString(), QStringLiteral("3"));
    // columns whose field vanished in the new load are empty now
    QCOMPARE(m.index(0, 3).data().toString(), QString());
    QCOMPARE(m.footerText(2), QStringLiteral("3"));
}

void TestGridModel::sortNumbersTextsAndNulls() {
    RecordSet rs;
    GridModel m(lineLayout());
    m.setRecordSet(&rs);
    rs.Load(lines());
    m.sortBy(2, Qt::AscendingOrder); // MIKTAR, null first
    QCOMPARE(columnTexts(m, 0), (QStringList{QStringLiteral("Zincir"), QStringLiteral("Cıvata"), QStringLiteral("Çekiç"),
                                             QStringLiteral("ayna"), QStringLiteral("Balata")}));
    m.sortBy(2, Qt::DescendingOrder);
    QCOMPARE(m.index(0, 0).data().toString(), QStringLiteral("Balata"));
    QCOMPARE(m.index(4, 0).data().toString(), QStringLiteral("Zincir"));
    // texts: case-insensitive, language-aware (C before Ç)
    m.sortBy(0, Qt::AscendingOrder);
    QCOMPARE(columnTexts(m, 0), (QStringList{QStringLiteral("ayna"), QStringLiteral("Balata"), QStringLiteral("Cıvata"),
                                             QStringLiteral("Çekiç"), QStringLiteral("Zincir")}));
    // ties keep the record set's order: DURUM 1 for rows 0 and 2
    m.sortBy(1, Qt::AscendingOrder);
    QCOMPARE(columnTexts(m, 0), (QStringList{QStringLiteral("Balata"), QStringLiteral("Çekiç"), QStringLiteral("Cıvata"),
                                             QStringLiteral("ayna"), QStringLiteral("Zincir")}));
    m.clearSort();
    QCOMPARE(m.recordAt(0), 0);
    QCOMPARE(m.displayRowOf(4), 4);
    // a value without order (NaN) from the wire sorts with the nulls instead of breaking the sort
    rs.Load(makeTable({{"ADI", FieldKind::Text}, {"DURUM", FieldKind::Integer}, {"MIKTAR", FieldKind::Float}},
                      {{QStringLiteral("a"), 1, 3.0}, {QStringLiteral("b"), 1, std::nan("")}, {QStringLiteral("c"), 1, 1.0},
                       {QStringLiteral("d"), 1, QVariant()}, {QStringLiteral("e"), 1, 2.0}}));
    m.sortBy(2, Qt::AscendingOrder);
    QCOMPARE(columnTexts(m, 0), (QStringList{QStringLiteral("b"), QStringLiteral("d"), QStringLiteral("c"),
                                             QStringLiteral("e"), QStringLiteral("a")}));
}

void TestGridModel::statementRefusesToSort() {
    RecordSet rs;
    GridModel m(cariEkstreLayout());
    m.setRecordSet(&rs);
    rs.Load(makeTable({{"TARIH", FieldKind::Date}, {"BORC", FieldKind::Float}, {"ALACAK", FieldKind::Float}},
                      {{QDate(2024, 3, 1), 100.0, 0.0}, {QDate(2024, 1, 1), 0.0, 30.0}, {QDate(2024, 2, 1), 5.0, 0.0}}));
    const int borc = m.layout().indexOf(QStringLiteral("BORC"));
    for (int c = 0; c < m.columnCount(); ++c) QVERIFY(!m.canSort(c));
    m.sortBy(borc, Qt::DescendingOrder);
    QCOMPARE(m.sortColumn(), -1);
    QCOMPARE(m.recordAt(0), 0);
    QCOMPARE(m.recordAt(1), 1);
    QCOMPARE(m.recordAt(2), 2);
}

void TestGridModel::filterByDescriptionsAndCombined() {
    RecordSet rs;
    GridModel m(lineLayout());
    m.setRecordSet(&rs);
    rs.Load(lines());
    // the status column lists descriptions; the unknown code 9 lists as its number
    QCOMPARE(m.distinctKeys(1), (QStringList{QStringLiteral("9"), QStringLiteral("Var"), QStringLiteral("Yok"), QStringLiteral("Yolda")}));
    m.setFilter(1, {QStringLiteral("Var"), QStringLiteral("Yolda")});
    QCOMPARE(m.rowCount(), 3);
    m.setFilter(5, {QStringLiteral("B")});
    QCOMPARE(columnTexts(m, 0), (QStringList{QStringLiteral("Çekiç"), QStringLiteral("Cıvata")}));
    // the value list of a filtered column considers the other columns' filters only
    QCOMPARE(m.distinctKeys(1), (QStringList{QStringLiteral("Var"), QStringLiteral("Yolda")}));
    QCOMPARE(m.distinctKeys(5), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    m.clearFilter(5);
    QCOMPARE(m.rowCount(), 3);
    // nulls filter under the empty key
    m.clearFilters();
    m.setFilter(3, {QString()});
    QCOMPARE(columnTexts(m, 0), QStringList{QStringLiteral("Cıvata")});
    m.clearFilters();
    QCOMPARE(m.rowCount(), 5);
    QVERIFY(!m.hasAnyFilter());
}

void TestGridModel::footersOverFilteredRows() {
    RecordSet rs;
    GridModel m(lineLayout());
    QSignalSpy summaries(&m, &GridModel::summariesChanged);
    m.setRecordSet(&rs);
    rs.Load(lines());
    QCOMPARE(m.footerText(0), QStringLiteral("5"));
    QCOMPARE(m.footerValue(2).toDouble(), 15.0); // null MIKTAR skipped
    QCOMPARE(m.footerText(2), QStringLiteral("15"));
    // average over non-null values: (10.5 + 1234567.891 + 20 + 4) / 4
    QCOMPARE(m.footerValue(3).toDouble(), (10.5 + 1234567.891 + 20.0 + 4.0) / 4);
    m.setFilter(1, {QStringLiteral("Var")});
    QCOMPARE(m.footerText(0), QStringLiteral("2"));
    QCOMPARE(m.footerText(2), QStringLiteral("3"));
    QCOMPARE(m.footerValue(3).toDouble(), 10.5); // the other row's TUTAR is null
    m.setFilter(1, {QStringLiteral("Yok")});
    QCOMPARE(m.footerText(3), QStringLiteral("20"));
    QVERIFY(summaries.count() >= 3);
    // no summary on a column without one
    QCOMPARE(m.footerText(1), QString());
}

void TestGridModel::emptyRecordSetFooters() {
    RecordSet rs;
    GridModel m(lineLayout());
    m.setRecordSet(&rs);
    rs.Load(lines());
    SayiFormatla(rs);
    rs.EmptyDataSet();
    QCOMPARE(m.rowCount(), 0);
    QCOMPARE(m.footerText(0), QStringLiteral("0"));
    QCOMPARE(m.footerText(2), QStringLiteral("0"));
    QCOMPARE(m.footerText(3), QString()); // no mean of nothing
}

void TestGridModel::displayFormats() {
    RecordSet two, plain;
    GridModel a(lineLayout()), b(lineLayout());
    a.setRecordSet(&two);
    b.setRecordSet(&plain);
    two.Load(lines());
    plain.Load(lines());
    SayiFormatla(two);
    const int ayna = a.displayRowOf(1);
    QCOMPARE(a.index(ayna, 3).data().toString(), QStringLiteral("1.234.567,89"));
    QCOMPARE(b.index(b.displayRowOf(1), 3).data().toString(), QStringLiteral("1234567,891"));
    a.setFilter(0, {QStringLiteral("ayna"), QStringLiteral("Balata")});
    QCOMPARE(a.footerText(3), QStringLiteral("617.293,95")); // (1234567.891 + 20) / 2 in the field's format
    // integer fields keep their plain display
    QCOMPARE(a.index(a.displayRowOf(1), 2).data().toString(), QStringLiteral("5"));
}

void TestGridModel::groupsWithFootersAndCollapse() {
    RecordSet rs;
    GridModel m(siparisRaporuLayout());
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
    m.setRecordSet(&rs);
    rs.Load(makeTable({{"SATICIADI", FieldKind::Text}, {"TARIH", FieldKind::Date}, {"TUTAR", FieldKind::Float}},
                      {{QStringLiteral("Zeki"), QDate(2024, 1, 1), 10.0},
                       {QStringLiteral("Ali"), QDate(2024, 1, 2), 5.25},
                       {QStringLiteral("Zeki"), QDate(2024, 1, 3), 2.5},
                       {QStringLiteral("Ali"), QVariant(), 1.0},
                       {QStringLiteral("Ali"), QDate(2024, 1, 5), 3.0}}));
    SayiFormatla(rs);
    // after a load every group is closed: header and footer rows only
    QCOMPARE(m.groupCount(), 2);
    QCOMPARE(m.rowCount(), 4);
    QCOMPARE(m.rowKind(0), GridModel::RowKind::GroupHeader);
    QCOMPARE(m.rowKind(1), GridModel::RowKind::GroupFooter);
    QCOMPARE(m.groupText(0), QStringLiteral("SATICIADI : Ali"));
    QCOMPARE(m.groupText(1), QStringLiteral("SATICIADI : Zeki"));
    const int tarih = m.layout().indexOf(QStringLiteral("TARIH"));
    const int tutar = m.layout().indexOf(QStringLiteral("TUTAR"));
    QCOMPARE(m.groupFooterText(0, tutar), QStringLiteral("9,25"));
    QCOMPARE(m.groupFooterText(0, tarih), QStringLiteral("3"));
    QCOMPARE(m.groupFooterText(1, tutar), QStringLiteral("12,50"));
    QCOMPARE(m.index(1, tutar).data().toString(), QStringLiteral("9,25"));
    QCOMPARE(m.footerText(tutar), QStringLiteral("21,75"));
    QCOMPARE(m.footerText(tarih), QStringLiteral("5"));
    m.setGroupExpanded(1, true);
    QCOMPARE(m.rowCount(), 6);
    QCOMPARE(m.recordAt(3), 0); // Zeki's first row, record order kept inside the group
    QCOMPARE(m.recordAt(4), 2);
    m.expandAll();
    QCOMPARE(m.rowCount(), 9);
    // a reload closes the groups again
    rs.Load(makeTable({{"SATICIADI", FieldKind::Text}, {"TUTAR", FieldKind::Float}}, {{QStringLiteral("Veli"), 1.0}}));
    QCOMPARE(m.rowCount(), 2);
    QVERIFY(!m.isGroupExpanded(0));
}

void TestGridModel::editsAreCoalesced() {
    RecordSet rs;
    GridLayout l = lineLayout();
    GridModel m(l);
    m.setRecordSet(&rs);
    rs.Load(lines());
    m.sortBy(2, Qt::AscendingOrder);
    QSignalSpy rebuilt(&m, &GridModel::rebuilt);
    for (int r = 0; r < 5; ++r) {
        rs.MoveTo(r);
        rs.Edit();
        rs.FieldByName(QStringLiteral("MIKTAR")).SetValue(10 - r);
        rs.Post();
    }
    QCOMPARE(rebuilt.count(), 0);
    QTRY_COMPARE(rebuilt.count(), 1);
    QCOMPARE(m.footerText(2), QStringLiteral("40"));
    QCOMPARE(m.recordAt(0), 4); // re-sorted on the new values
}

void TestGridModel::editsWhileControlsDisabled() {
    RecordSet rs;
    GridModel m(lineLayout());
    m.setRecordSet(&rs);
    rs.Load(lines());
    rs.DisableControls();
    rs.MoveTo(0);
    rs.Edit();
    rs.FieldByName(QStringLiteral("MIKTAR")).SetValue(100);
    rs.Post();
    rs.EnableControls();
    QTRY_COMPARE(m.footerText(2), QStringLiteral("113"));
}

void TestGridModel::detachAndAttach() {
    RecordSet rs;
    GridModel m(lineLayout());
    m.setRecordSet(&rs);
    rs.Load(lines());
    m.detach();
    QCOMPARE(m.rowCount(), 0);
    QCOMPARE(m.footerText(0), QString());
    rs.Load(makeTable({{"ADI", FieldKind::Text}}, {{QStringLiteral("x")}, {QStringLiteral("y")}}));
    QCOMPARE(m.rowCount(), 0);
    m.attach();
    QCOMPARE(m.rowCount(), 2);
    QCOMPARE(m.footerText(0), QStringLiteral("2"));
}

QTEST_MAIN(TestGridModel)
#include "tst_gridmodel.moc"
