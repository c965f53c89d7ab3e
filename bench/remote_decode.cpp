// Decoding a large table answer into a record set, against simdjson's raw parse of the same bytes.
#include "recordset.h"
#include "wire.h"

#include <benchmark/benchmark.h>
#include <simdjson.h>

using namespace b2b;

namespace {

const std::string &answer() {
    static const std::string body = [] {
        const int rows = 50000;
        TableData t;
        const FieldKind kinds[] = {FieldKind::Integer, FieldKind::Text, FieldKind::Float,   FieldKind::Text,
                                   FieldKind::Float,   FieldKind::Text, FieldKind::Integer, FieldKind::DateTime};
        for (int c = 0; c < 40; ++c) t.addColumn({QStringLiteral("ALAN%1").arg(c), kinds[c % 8]});
        const QString words[] = {QStringLiteral("Fren balatası ön"), QStringLiteral("Yağ filtresi"),
                                 QStringLiteral("Şanzıman contası"), QStringLiteral("Debriyaj seti Ğ"),
                                 QStringLiteral("Amortisör ÖZEL"), QStringLiteral("Çamurluk iç kaplama")};
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < 40; ++c) {
                Column &col = t.columns[size_t(c)];
                switch (col.def.kind) {
                case FieldKind::Integer: col.appendInt(r * 7 + c); break;
                case FieldKind::Float: col.appendReal(r * 1.25 + c / 3.0); break;
                case FieldKind::DateTime: col.appendReal(45000 + r % 365 + 0.5); break;
                default: col.appendText(words[(r + c) % 6] + QString::number(r)); break;
                }
            }
            ++t.rowCount;
        }
        std::vector<WireValue> res;
        res.emplace_back(std::move(t));
        return encodeResult(res);
    }();
    return body;
}

void BM_SimdjsonRawParse(benchmark::State &state) {
    const std::string &body = answer();
    simdjson::dom::parser parser;
    for (auto _ : state) {
        simdjson::dom::element doc;
        if (parser.parse(body).get(doc)) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(doc);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(body.size()));
}

void BM_DecodeIntoRecordSet(benchmark::State &state) {
    const std::string &body = answer();
    const MethodSpec &m = *findMethod(QStringLiteral("CariEkstreVer"));
    for (auto _ : state) {
        auto r = decodeResult(body, m);
        RecordSet rs;
        rs.Load(wireTable(r.back(), "table"));
        SayiFormatla(rs);
        benchmark::DoNotOptimize(rs.RecordCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(body.size()));
    state.counters["MB"] = double(body.size()) / 1e6;
}

BENCHMARK(BM_SimdjsonRawParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeIntoRecordSet)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
