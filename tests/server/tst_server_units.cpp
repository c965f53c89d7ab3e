// Building blocks of the reference server: normalisation, price arithmetic, the GIF encoder and
// the catalogue search over a seeded database.
#include "database.h"
#include "gifwriter.h"
#include "numfmt.h"
#include "pricing.h"
#include "search.h"
#include "seed.h"
#include "textnorm.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <random>
#include <set>

using namespace b2b;
using namespace b2b::server;

class TstServerUnits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void normaliseCode_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("blanks dashes dots slashes") << "1K0 615-301.aa/b" << "1K0615301AAB";
        QTest::newRow("turkish lower") << QString::fromUtf8("ön sağ şğüöçı") << "ONSAGSGUOCI";
        QTest::newRow("turkish upper") << QString::fromUtf8("İĞÜŞÖÇI") << "IGUSOCI";
        QTest::newRow("dotted i") << "filtre" << "FILTRE";
        QTest::newRow("other accents") << QString::fromUtf8("crème brûlée") << "CREMEBRULEE";
        QTest::newRow("only signs") << " -./ " << "";
    }
    void normaliseCode() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(server::normaliseCode(in), out);
    }

    void normaliseWords() {
        QCOMPARE(server::normaliseWords(QString::fromUtf8("FREN BALATASI ÖN-SAĞ (Arven 1.6) fren/balata")),
                 QStringList({"FREN", "BALATASI", "ON", "SAG", "ARVEN", "16", "BALATA"}));
        QVERIFY(server::normaliseWords(QStringLiteral("  , ; ")).isEmpty());
    }

    // The server rounds as the client does; any difference would show cents apart between the two.
    void round2MatchesClientRounding() {
        const double cases[] = {0.125, 0.255, 1.005, 2.675, -0.125, -1.005, 1234567.891, 0.004999, 0.005, 1e-9,
                                99999999.995, 12.345, 0.1 + 0.2, 1.15 * 3, 17.0 / 3.0, 0};
        for (double v : cases) QCOMPARE(round2(v), IkiHaneYuvarla(v));
        std::mt19937_64 g(7);
        std::uniform_real_distribution<double> d(-100000, 100000);
        for (int i = 0; i < 20000; ++i) {
            const double v = std::round(d(g) * 1000) / 1000; // three decimals: the hard halves
            if (round2(v) != IkiHaneYuvarla(v)) QFAIL(qPrintable(QStringLiteral("differs at %1").arg(v, 0, 'g', 17)));
        }
    }

    void cascadeAndTexts() {
        // Rates 10, 0, 5, 0 on 100: 85.50 net (each rate on what the previous left).
        QCOMPARE(applyCascade(100, {10, 0, 5, 0}), 85.5);
        QCOMPARE(applyCascade(100, {-5, 10, 0, 0}), 90.0); // negative rates are skipped
        QCOMPARE(netPrice(199.99, {12.5, 5, 0, 0}), 166.24);
        QCOMPARE(withVat(166.24, 20), 199.49);
        QCOMPARE(ratesText({10, 0, 2.5, 0}), QStringLiteral("10+2,5"));
        QCOMPARE(ratesText({0, 0, 0, 0}), QStringLiteral("0"));
        QCOMPARE(effectiveRate({10, 5, 0, 0}), 14.5);
        QCOMPARE(money(1234567.891), QStringLiteral("1.234.567,89"));
    }

    void lineAmountsAreConsistent() {
        std::mt19937 g(3);
        for (int i = 0; i < 5000; ++i) {
            const double qty = 1 + g() % 50;
            const double price = (g() % 1000000) / 100.0;
            const Rates r{double(g() % 20), (g() % 3) * 2.5, 0, double(g() % 4)};
            const double vat = (g() % 2) ? 20 : 18;
            const LineAmounts a = lineAmounts(qty, price, r, vat);
            QCOMPARE(round2(a.tutar - a.indirimTutar), a.netTutar);
            QCOMPARE(a.tutar, round2(qty * price));
            QCOMPARE(a.vergiTutari, round2(a.netTutar * vat / 100));
            QVERIFY(a.netTutar <= a.tutar);
        }
    }

    void gifDecodesAsAnimation() {
        std::vector<QImage> frames;
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::white};
        for (const QColor &c : colours) {
            QImage img(123, 45, QImage::Format_RGB32);
            img.fill(c);
            QPainter p(&img);
            p.fillRect(10, 10, 20, 20, Qt::black);
            p.end();
            frames.push_back(img);
        }
        // A noisy frame exercises dictionary resets of the compressor.
        QImage noise(123, 45, QImage::Format_RGB32);
        std::mt19937 g(1);
        for (int y = 0; y < 45; ++y)
            for (int x = 0; x < 123; ++x) noise.setPixel(x, y, qRgb(g() % 256, g() % 256, g() % 256));
        frames.push_back(noise);
        QByteArray gif = encodeAnimatedGif(frames, 25);
        QBuffer buf(&gif);
        buf.open(QIODevice::ReadOnly);
        QImageReader r(&buf, "gif");
        QVERIFY(r.supportsAnimation());
        QCOMPARE(r.imageCount(), 5);
        QCOMPARE(r.loopCount(), -1); // for ever
        for (int i = 0; i < 4; ++i) {
            QImage f = r.read();
            QVERIFY2(!f.isNull(), qPrintable(r.errorString()));
            QCOMPARE(f.size(), QSize(123, 45));
            QCOMPARE(QColor(f.pixel(5, 5)), colours[i]);
            QCOMPARE(QColor(f.pixel(15, 15)), QColor(Qt::black));
        }
        const QImage last = r.read().convertToFormat(QImage::Format_RGB32);
        QVERIFY(!last.isNull());
        // Colours come back within the palette's step.
        int worst = 0;
        for (int y = 0; y < 45; ++y)
            for (int x = 0; x < 123; ++x) {
                const QRgb a = noise.pixel(x, y), b = last.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b))});
            }
        QVERIFY2(worst <= 52, qPrintable(QString::number(worst)));
    }

    void searchOrderAndCap() {
        QTemporaryDir dir;
        Database db(dir.filePath(QStringLiteral("s.sqlite")));
        db.createSchema();
        SeedOptions o;
        o.items = 1500;
        seedDemoData(db, o);

        // Pick a real item and search by its codes written differently.
        Sql q(db, QStringLiteral("SELECT stokno, barkod, oem1, finishkod, adi FROM items WHERE stokno = 777"));
        q.exec();
        QVERIFY(q.next());
        const QString barkod = q.toText(1), oem1 = q.toText(2), finish = q.toText(3), adi = q.toText(4);

        std::vector<int> r = searchCatalogue(db, barkod.toLower().replace(QLatin1Char('-'), QLatin1Char(' ')));
        QVERIFY(!r.empty());
        QCOMPARE(r.front(), 777);
        r = searchCatalogue(db, oem1.left(5) + QStringLiteral(". ") + oem1.mid(5));
        QCOMPARE(r.front(), 777);
        r = searchCatalogue(db, finish);
        QCOMPARE(r.front(), 777);

        // A code prefix lists exact matches first, then items whose code starts with it.
        const QString prefix = server::normaliseCode(barkod).left(4); // e.g. KRT1
        r = searchCatalogue(db, prefix);
        QVERIFY(!r.empty());
        for (int id : r) {
            Sql c(db, QStringLiteral("SELECT COUNT(*) FROM item_codes WHERE stokno = ? AND code >= ? AND code < ?"));
            c.bind(id).bind(prefix).bind(Database::prefixUpperBound(prefix));
            const bool codeMatch = c.scalar(0).toInt() > 0;
            Sql w(db, QStringLiteral("SELECT COUNT(*) FROM item_words WHERE stokno = ? AND word >= ? AND word < ?"));
            w.bind(id).bind(prefix).bind(Database::prefixUpperBound(prefix));
            QVERIFY(codeMatch || w.scalar(0).toInt() > 0);
        }

        // Name words: every word must start a word of the item, in any order, Turkish letters folded.
        const QStringList words = server::normaliseWords(adi);
        QVERIFY(words.size() >= 2);
        const QString query = words.last().toLower() + QLatin1Char(' ') + words.first().left(4).toLower();
        r = searchCatalogue(db, query);
        QVERIFY(std::find(r.begin(), r.end(), 777) != r.end());
        for (int id : r) {
            Sql n(db, QStringLiteral("SELECT adi, digeradi, marka, model, anagrup FROM items WHERE stokno = ?"));
            n.bind(id).exec();
            QVERIFY(n.next());
            const QStringList have = server::normaliseWords(QStringList{n.toText(0), n.toText(1), n.toText(2), n.toText(3), n.toText(4)}.join(QLatin1Char(' ')));
            for (const QString &qw : server::normaliseWords(query))
                QVERIFY2(std::any_of(have.begin(), have.end(), [&](const QString &h) { return h.startsWith(qw); }),
                         qPrintable(QStringLiteral("%1 lacks %2").arg(id).arg(qw)));
        }

        // No duplicates, capped, and the empty text lists the catalogue from its first item.
        r = searchCatalogue(db, QStringLiteral("A"), 50);
        QCOMPARE(int(r.size()), 50);
        QCOMPARE(int(std::set<int>(r.begin(), r.end()).size()), 50);
        r = searchCatalogue(db, QStringLiteral("  "), 20);
        QCOMPARE(int(r.size()), 20);
        QCOMPARE(r.front(), 1);
        QCOMPARE(r.back(), 20);
        QVERIFY(searchCatalogue(db, QStringLiteral("QQQQQQQQ")).empty());
        // Text that looks like SQL is only ever a value.
        QVERIFY(searchCatalogue(db, QStringLiteral("' OR 1=1 --")).size() < 500);
        Sql alive(db, QStringLiteral("SELECT COUNT(*) FROM items"));
        QCOMPARE(alive.scalar(0).toInt(), 1500);
    }

    void seedIsDeterministic() {
        QTemporaryDir dir;
        QByteArray digest[2];
        for (int k = 0; k < 2; ++k) {
            Database db(dir.filePath(QStringLiteral("d%1.sqlite").arg(k)));
            db.createSchema();
            SeedOptions o;
            o.items = 300;
            seedDemoData(db, o);
            QCryptographicHash h(QCryptographicHash::Sha1);
            for (const char *sql : {"SELECT stokno, barkod, adi, fiyat, durum, depo2 FROM items ORDER BY stokno",
                                    "SELECT carino, tarih, turadi, borc, alacak, idno FROM statement ORDER BY id",
                                    "SELECT idno, carino, tarih, durum, veren, aciklama FROM orders ORDER BY idno"}) {
                Sql q(db, QString::fromLatin1(sql));
                q.exec();
                while (q.next())
                    for (int i = 0; i < 6; ++i) h.addData(q.value(i).toString().toUtf8());
            }
            digest[k] = h.result();
        }
        QCOMPARE(digest[0], digest[1]);
    }
};

QTEST_MAIN(TstServerUnits)
#include "tst_server_units.moc"
