// Dozens of clients change baskets at once, each over its own connection: every line added and not
// deleted is there exactly once, every deleted line is gone, and no call fails.
#include "serverfixture.h"

#include <QTest>
#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <thread>

using namespace b2b;
using namespace b2b::test;

class TstServerConcurrency : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void basketsUnderLoad() {
        ServerFixture fx(500);
        const TSonucBilgisi bayi = fx.login("DEMO-BAYI");
        constexpr int kClients = 40, kRounds = 12;
        // Half the clients share one customer's basket; the others have a basket each.
        const auto customerOf = [&](int client) { return client % 2 == 0 ? 7 : 10 + client; };
        std::atomic<int> failures{0};
        std::mutex m;
        QStringList errors;
        std::map<int, std::set<int>> kept; // client -> quantities that must remain

        std::vector<std::thread> threads;
        for (int t = 0; t < kClients; ++t) {
            threads.emplace_back([&, t] {
                try {
                    auto conn = fx.connect();
                    TServerMethods1Client p(*conn);
                    TSonucBilgisi me = bayi;
                    me.SetCARINO(customerOf(t));
                    // The unit price tags the client's lines, the quantity the round.
                    const double tag = 1000 + t;
                    std::set<int> mine;
                    for (int round = 1; round <= kRounds; ++round) {
                        if (p.SepetEkle2(me, me.CARINO(), 1 + (t * 7 + round) % 400, QStringLiteral("X"),
                                         QStringLiteral("Y"), round, 20, tag, 0, me.Sirano(), 0, 0, 0, 0) != 1)
                            throw RemoteError(QStringLiteral("add refused"));
                        const TableData b = p.SepetVer2(me.CARINO());
                        const int price = col(b, "BIRIMFIYAT"), qty = col(b, "MIKTAR"), sirano = col(b, "SIRANO");
                        int found = 0, line = 0;
                        for (int r = 0; r < b.rowCount; ++r) {
                            if (b.value(r, price).toDouble() == tag && b.value(r, qty).toInt() == round) {
                                ++found;
                                line = b.value(r, sirano).toInt();
                            }
                        }
                        if (found != 1) throw RemoteError(QStringLiteral("line seen %1 times").arg(found));
                        // Every third line is deleted again, every other one selected.
                        if (round % 3 == 0) {
                            if (p.SepetSatirSil(me, line, QStringLiteral("test")) != 1)
                                throw RemoteError(QStringLiteral("delete refused"));
                        } else {
                            p.SepetSecimGuncelle(line, round % 2);
                            mine.insert(round);
                        }
                    }
                    std::lock_guard<std::mutex> lk(m);
                    kept[t] = mine;
                } catch (const RemoteError &e) {
                    ++failures;
                    std::lock_guard<std::mutex> lk(m);
                    errors << QStringLiteral("client %1: %2").arg(t).arg(e.text);
                }
            });
        }
        for (std::thread &th : threads) th.join();
        QVERIFY2(failures == 0, qPrintable(errors.join(QLatin1Char('\n'))));

        // Final state, read once by a fresh client.
        auto conn = fx.connect();
        TServerMethods1Client p(*conn);
        std::map<int, std::multiset<int>> seen;
        std::map<int, std::map<int, int>> selection;
        std::set<int> customers;
        for (int t = 0; t < kClients; ++t) customers.insert(customerOf(t));
        int total = 0;
        for (int carino : customers) {
            const TableData b = p.SepetVer2(carino);
            total += b.rowCount;
            for (int r = 0; r < b.rowCount; ++r) {
                const int t = int(b.value(r, col(b, "BIRIMFIYAT")).toDouble()) - 1000;
                QVERIFY(t >= 0 && t < kClients);
                QCOMPARE(customerOf(t), carino);
                const int round = b.value(r, col(b, "MIKTAR")).toInt();
                seen[t].insert(round);
                selection[t][round] = b.value(r, col(b, "SEC")).toInt();
            }
        }
        int expected = 0;
        for (int t = 0; t < kClients; ++t) {
            expected += int(kept[t].size());
            const std::multiset<int> want(kept[t].begin(), kept[t].end());
            QVERIFY2(seen[t] == want, qPrintable(QStringLiteral("client %1: lost or duplicated lines").arg(t)));
            for (int round : kept[t]) QCOMPARE(selection[t][round], round % 2);
        }
        QCOMPARE(total, expected);
    }

    // Several clients send the same basket at the same moment: one order takes every selected line once.
    void simultaneousOrdersOfOneBasket() {
        ServerFixture fx(300);
        TSonucBilgisi me = fx.login("DEMO-BAYI");
        me.SetCARINO(20);
        {
            auto conn = fx.connect();
            TServerMethods1Client p(*conn);
            for (int i = 1; i <= 8; ++i)
                QCOMPARE(p.SepetEkle2(me, 20, i * 11, QString(), QString(), i, 20, 50, 0, me.Sirano(), 0, 0, 0, 0), 1);
            const TableData b = p.SepetVer2(20);
            for (int r = 0; r < b.rowCount; ++r) p.SepetSecimGuncelle(b.value(r, col(b, "SIRANO")).toInt(), 1);
        }
        const int ordersBefore = [&] {
            auto conn = fx.connect();
            return TServerMethods1Client(*conn).OncekiSiparisler(20).rowCount;
        }();
        std::atomic<int> yes{0}, no{0}, failed{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < 12; ++t) {
            threads.emplace_back([&] {
                try {
                    auto conn = fx.connect();
                    TServerMethods1Client p(*conn);
                    (p.SiparisKaydet(me, 20, 1, 1, QStringLiteral("aynı anda"), me.Sirano(), 1) ? yes : no)++;
                } catch (const RemoteError &) {
                    ++failed;
                }
            });
        }
        for (std::thread &th : threads) th.join();
        QCOMPARE(failed.load(), 0);
        QCOMPARE(yes.load(), 1);
        QCOMPARE(no.load(), 11);
        auto conn = fx.connect();
        TServerMethods1Client p(*conn);
        QCOMPARE(p.SepetVer2(20).rowCount, 0);
        const TableData orders = p.OncekiSiparisler(20);
        QCOMPARE(orders.rowCount, ordersBefore + 1);
        const TableData lines = p.SiparisAyrintisi2(20, orders.value(0, col(orders, "IDNO")).toInt());
        QCOMPARE(lines.rowCount, 8);
        int qty = 0;
        for (int r = 0; r < lines.rowCount; ++r) qty += lines.value(r, col(lines, "MIKTAR")).toInt();
        QCOMPARE(qty, 36);
    }
};

QTEST_MAIN(TstServerConcurrency)
#include "tst_server_concurrency.moc"
