// Reference server over loopback:
//  - small-call throughput against the HTTP library's own hello-world server, measured in the same
//    run with the same client (goal: at least 50 % of the hello-world rate);
//  - catalogue search latency over a 200,000-item catalogue, p50/p99 (goal: p99 under 20 ms).
// The 200,000-item database is built once (about a minute) and kept in $B2B_BENCH_DB, default
// /tmp/b2b-bench-200k.sqlite.
#include "admin.h"
#include "connection.h"
#include "database.h"
#include "methods.h"
#include "referenceserver.h"
#include "search.h"
#include "transfer.h"
#include "wire.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <httplib.h>
#include <thread>

using namespace b2b;
using namespace b2b::server;
using Clock = std::chrono::steady_clock;

namespace {

std::unique_ptr<Connection> connectTo(int port) {
    auto c = std::make_unique<Connection>();
    SetDefaultParams(*c);
    c->Params[QStringLiteral("HostName")] = QStringLiteral("127.0.0.1");
    c->Params[QStringLiteral("Port")] = QString::number(port);
    c->Open();
    return c;
}

std::string loginBody() {
    TSonucBilgisi b;
    b.SetSirano(1);
    b.SetCARINO(1);
    b.SetADI(QStringLiteral("BAYI"));
    b.SetMusteriTipi(0); // the dealer's record as BuyukGetir hands it out
    std::vector<WireValue> in;
    in.emplace_back(WireObject{b.marshal(1), false});
    return encodeRequest(in);
}

// The HTTP library's minimal server: same routes and worker count, a constant answer.
struct HelloServer {
    httplib::Server s;
    std::thread t;
    int port = 0;
    explicit HelloServer(int threads) {
        s.new_task_queue = [threads] { return new httplib::ThreadPool(size_t(threads)); };
        s.set_tcp_nodelay(true); // as the reference server
        s.set_keep_alive_max_count(1000);
        s.Post(R"(/datasnap/rest/TServerMethods1/.*)", [](const httplib::Request &, httplib::Response &res) {
            res.set_content("{\"result\":[0]}", "application/json; charset=utf-8");
        });
        s.Get("/datasnap/ping", [](const httplib::Request &, httplib::Response &res) {
            res.set_content("{\"result\":[\"ok\"]}", "application/json; charset=utf-8");
        });
        port = s.bind_to_any_port("127.0.0.1");
        t = std::thread([this] { s.listen_after_bind(); });
    }
    ~HelloServer() {
        while (!s.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        s.stop();
        t.join();
    }
};

// Calls per second of `clients` threads, each on its own kept-alive connection, for `seconds`.
double rate(int port, const char *method, const std::string &body, int clients, double seconds) {
    std::atomic<long> calls{0};
    std::atomic<bool> stop{false};
    std::vector<std::thread> th;
    for (int i = 0; i < clients; ++i) {
        th.emplace_back([&] {
            auto c = connectTo(port);
            long n = 0;
            while (!stop.load(std::memory_order_relaxed)) {
                c->CallMethod(method, body);
                ++n;
            }
            calls += n;
        });
    }
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    stop = true;
    for (auto &t : th) t.join();
    return double(calls) / std::chrono::duration<double>(Clock::now() - start).count();
}

void SmallCallVsHelloWorld(benchmark::State &state, const char *method, std::string body) {
    const int clients = int(state.range(0));
    QTemporaryDir dir;
    ServerOptions o;
    o.dbPath = dir.filePath(QStringLiteral("bench.sqlite"));
    o.port = 0;
    o.webPort = -1;
    o.seedItems = 2000;
    ReferenceServer srv(o);
    srv.start();
    HelloServer hello(o.threads);
    double helloRate = 0, serverRate = 0;
    for (auto _ : state) {
        // Alternate so that both see the same machine load.
        for (int round = 0; round < 2; ++round) {
            helloRate += rate(hello.port, method, body, clients, 1.5);
            serverRate += rate(srv.port(), method, body, clients, 1.5);
        }
    }
    state.counters["hello_calls_per_s"] = helloRate / 2 / double(state.iterations());
    state.counters["server_calls_per_s"] = serverRate / 2 / double(state.iterations());
    state.counters["server_pct_of_hello"] = 100.0 * serverRate / helloRate;
}

void BM_SepetSayisiVsHello(benchmark::State &state) { SmallCallVsHelloWorld(state, "SepetSayisi", loginBody()); }
void BM_KayanYaziGetirVsHello(benchmark::State &state) {
    SmallCallVsHelloWorld(state, "KayanYaziGetir", "{\"_parameters\":[]}");
}
BENCHMARK(BM_SepetSayisiVsHello)->Arg(1)->Arg(4)->Arg(16)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_KayanYaziGetirVsHello)->Arg(1)->Arg(4)->Iterations(1)->Unit(benchmark::kSecond);

// ---------------------------------------------------------------- search latency

QString bigDatabase() {
    static const QString path = [] {
        const QString p = qEnvironmentVariableIsEmpty("B2B_BENCH_DB") ? QStringLiteral("/tmp/b2b-bench-200k.sqlite")
                                                                     : qEnvironmentVariable("B2B_BENCH_DB");
        bool ready = false;
        if (QFile::exists(p)) {
            Database db(p);
            if (db.hasSchema()) {
                Sql q(db, QStringLiteral("SELECT value FROM settings WHERE name = 'items'"));
                ready = q.scalar().toInt() == 200000;
            }
        }
        if (!ready) {
            std::fprintf(stderr, "building the 200,000-item database %s ...\n", qPrintable(p));
            rebuildDatabase(p, 200000, {});
        }
        return p;
    }();
    return path;
}

// What dealers type: exact codes in the way they write them, code prefixes, part names with and
// without Turkish letters, part name with vehicle, a text that matches nothing, the empty text.
std::vector<QString> searchTexts(Database &db) {
    std::vector<QString> t;
    Sql q(db, QStringLiteral("SELECT barkod, oem1, oem2, finishkod, ureticikodu, barkodno FROM items "
                             "WHERE stokno IN (17, 4711, 55555, 123456, 199999, 77777, 150001, 33333)"));
    q.exec();
    while (q.next()) {
        t.push_back(q.toText(0));
        t.push_back(q.toText(1).toLower());
        t.push_back(q.toText(2));
        t.push_back(q.toText(3));
        t.push_back(q.toText(4).left(6));
        t.push_back(q.toText(5));
        t.push_back(q.toText(1).left(3));
    }
    for (const char *s : {"FREN BALATASI", "fren balatası ön", "YAG FILTRESI", "AMORTİSÖR ARKA", "FİLTRE", "BUJI",
                          "TRIGER SETI ARVEN", "DEBRİYAJ SETİ KESTRA PERA", "ROTBASI SOL", "SU POMPASI", "A", "KRT",
                          "KRT-1", "RADYATOR NORVA", "MOTOR", "ARKA SAĞ", "XQZ9", "ZZZZZZZZ", "", "1K", "77."})
        t.push_back(QString::fromUtf8(s));
    return t;
}

struct Percentiles {
    double p50, p90, p99, max;
};
Percentiles percentiles(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const auto at = [&](double f) { return v[std::min(v.size() - 1, size_t(f * double(v.size())))]; };
    return {at(0.5), at(0.9), at(0.99), v.back()};
}

void BM_SearchLatency200k(benchmark::State &state) {
    ServerOptions o;
    o.dbPath = bigDatabase();
    o.port = 0;
    o.webPort = -1;
    ReferenceServer srv(o);
    srv.start();
    const std::vector<QString> texts = searchTexts(srv.database());
    std::vector<std::string> bodies;
    TSonucBilgisi b;
    b.SetSirano(1);
    b.SetCARINO(1);
    for (const QString &t : texts) {
        std::vector<WireValue> in;
        in.emplace_back(t);
        in.emplace_back(WireObject{b.marshal(1), false});
        bodies.push_back(encodeRequest(in));
    }
    auto conn = connectTo(srv.port());
    for (const std::string &body : bodies) conn->CallMethod("StokAraGetirTelvar", body); // warm the cache
    std::vector<double> ms;
    size_t rows = 0;
    for (auto _ : state) {
        for (const std::string &body : bodies) {
            const auto t0 = Clock::now();
            const std::string answer = conn->CallMethod("StokAraGetirTelvar", body);
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            rows += answer.size();
        }
    }
    const Percentiles p = percentiles(ms);
    state.counters["p50_ms"] = p.p50;
    state.counters["p90_ms"] = p.p90;
    state.counters["p99_ms"] = p.p99;
    state.counters["max_ms"] = p.max;
    state.counters["queries"] = double(ms.size());
    state.counters["answer_kb_avg"] = double(rows) / 1024.0 / double(ms.size());
}
BENCHMARK(BM_SearchLatency200k)->Iterations(20)->Unit(benchmark::kMillisecond);

// The same searches inside the server process only: method plus answer encoding, no transport.
void BM_SearchInProcess200k(benchmark::State &state) {
    Database db(bigDatabase());
    ServerContext ctx{db, 2};
    const MethodSpec &m = *findMethod(QStringLiteral("StokAraGetirTelvar"));
    TSonucBilgisi b;
    b.SetSirano(1);
    b.SetCARINO(1);
    const std::vector<QString> texts = searchTexts(db);
    std::vector<double> ms;
    for (auto _ : state) {
        for (const QString &t : texts) {
            std::vector<WireValue> in;
            in.emplace_back(t);
            in.emplace_back(WireObject{b.marshal(1), false});
            const auto t0 = Clock::now();
            const std::string answer = encodeResult(callMethod(ctx, m, in));
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            benchmark::DoNotOptimize(answer.data());
        }
    }
    const Percentiles p = percentiles(ms);
    state.counters["p50_ms"] = p.p50;
    state.counters["p99_ms"] = p.p99;
    state.counters["max_ms"] = p.max;
    if (qEnvironmentVariableIsSet("B2B_BENCH_VERBOSE")) {
        // Mean time per search text, slowest first.
        std::vector<std::pair<double, QString>> per;
        for (size_t i = 0; i < texts.size(); ++i) {
            double sum = 0;
            for (size_t k = i; k < ms.size(); k += texts.size()) sum += ms[k];
            per.emplace_back(sum / double(ms.size() / texts.size()), texts[i]);
        }
        std::sort(per.rbegin(), per.rend());
        for (size_t i = 0; i < std::min<size_t>(12, per.size()); ++i)
            std::fprintf(stderr, "%8.2f ms  '%s'\n", per[i].first, qPrintable(per[i].second));
    }
}
BENCHMARK(BM_SearchInProcess200k)->Iterations(20)->Unit(benchmark::kMillisecond);

// Matching alone (item numbers, no rows): where the search time goes.
void BM_SearchMatchOnly200k(benchmark::State &state) {
    Database db(bigDatabase());
    const std::vector<QString> texts = searchTexts(db);
    std::vector<double> ms;
    std::vector<std::pair<double, QString>> per(texts.size());
    for (auto _ : state) {
        for (size_t i = 0; i < texts.size(); ++i) {
            const auto t0 = Clock::now();
            benchmark::DoNotOptimize(searchCatalogue(db, texts[i]).size());
            ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            per[i].first += ms.back();
            per[i].second = texts[i];
        }
    }
    const Percentiles p = percentiles(ms);
    state.counters["p50_ms"] = p.p50;
    state.counters["p99_ms"] = p.p99;
    if (qEnvironmentVariableIsSet("B2B_BENCH_VERBOSE")) {
        std::sort(per.rbegin(), per.rend());
        for (size_t i = 0; i < std::min<size_t>(8, per.size()); ++i)
            std::fprintf(stderr, "%8.2f ms  '%s'\n", per[i].first / double(state.iterations()), qPrintable(per[i].second));
    }
}
BENCHMARK(BM_SearchMatchOnly200k)->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
