// Grid model at list sizes the stock search can return: 100,000 rows x 40 columns.
// Load into a grid (field resolution, row index, footers), full sorts, a filter, and the data()
// calls of one screen of rows.

#include "griddemodata.h"
#include "gridmodel.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace b2b;

namespace {

constexpr int kRows = 100000;

// The stock list's 34 bound fields plus extra columns up to 40.
const TableData &table() {
    static const TableData t = [] {
        const GridLayout l = stokListesiLayout();
        int bound = 0;
        for (const ColumnSpec &c : l.columns) bound += c.field.isEmpty() ? 0 : 1;
        return makeDemoTable(l, kRows, 7, std::max(0, 40 - bound));
    }();
    return t;
}

GridLayout benchLayout() {
    GridLayout l = stokListesiLayout();
    // footers on several columns, as the order grids have
    for (ColumnSpec &c : l.columns) {
        if (c.field == QLatin1String("KDVDAHIL") || c.field == QLatin1String("NETFIYAT")) c.footer = Summary::Sum;
        if (c.field == QLatin1String("LISTEFIYAT1")) c.footer = Summary::Average;
    }
    return l;
}

void BM_LoadWithFooters(benchmark::State &state) {
    GridModel model(benchLayout());
    RecordSet rs;
    model.setRecordSet(&rs);
    for (auto _ : state) {
        state.PauseTiming();
        TableData copy = table();
        state.ResumeTiming();
        rs.Load(std::move(copy)); // dataReset -> resolve fields, index rows, compute footers
        SayiFormatla(rs);         // display formats change -> one more rebuild, as after every load
        benchmark::DoNotOptimize(model.footerValue(model.layout().indexOf(QStringLiteral("KDVDAHIL"))));
    }
    state.counters["rows"] = model.rowCount();
    state.counters["columns"] = double(rs.FieldCount());
}

void sortBench(benchmark::State &state, const char *field) {
    GridModel model(benchLayout());
    RecordSet rs;
    model.setRecordSet(&rs);
    rs.Load(TableData(table()));
    SayiFormatla(rs);
    const int column = model.layout().indexOf(QString::fromLatin1(field));
    Qt::SortOrder order = Qt::AscendingOrder;
    for (auto _ : state) {
        model.sortBy(column, order); // the whole view re-sorted, footers recomputed once
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        benchmark::DoNotOptimize(model.recordAt(0));
    }
}

void BM_SortNumber(benchmark::State &state) { sortBench(state, "KDVDAHIL"); }
void BM_SortText(benchmark::State &state) { sortBench(state, "ADI"); }

void BM_FilterStatus(benchmark::State &state) {
    GridModel model(benchLayout());
    RecordSet rs;
    model.setRecordSet(&rs);
    rs.Load(TableData(table()));
    SayiFormatla(rs);
    const int durum = model.layout().indexOf(QStringLiteral("DURUM"));
    for (auto _ : state) {
        model.setFilter(durum, {QStringLiteral("Var"), QStringLiteral("Yolda")});
        benchmark::DoNotOptimize(model.rowCount());
        model.clearFilters();
    }
}

void BM_PaintOneScreen(benchmark::State &state) {
    // the data() calls a repaint of 30 rows x 40 columns makes
    GridModel model(benchLayout());
    RecordSet rs;
    model.setRecordSet(&rs);
    rs.Load(TableData(table()));
    SayiFormatla(rs);
    int top = 0;
    for (auto _ : state) {
        for (int r = top; r < top + 30; ++r)
            for (int c = 0; c < model.columnCount(); ++c) {
                const QModelIndex i = model.index(r, c);
                benchmark::DoNotOptimize(model.data(i, Qt::DisplayRole));
                benchmark::DoNotOptimize(model.data(i, Qt::DecorationRole));
                benchmark::DoNotOptimize(model.data(i, Qt::TextAlignmentRole));
            }
        top = (top + 997) % (kRows - 30);
    }
}

} // namespace

BENCHMARK(BM_LoadWithFooters)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SortNumber)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SortText)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FilterStatus)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PaintOneScreen)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) {
    // icon cells hand out pixmaps, which need a GUI application; no window is shown
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
