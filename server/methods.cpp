#include "methods.h"

#include "database.h"
#include "media.h"
#include "pricing.h"
#include "search.h"
#include "seed.h"
#include "tablebuilder.h"
#include "textnorm.h"
#include "transfer.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <cmath>
#include <functional>
#include <map>
#include <unordered_map>

namespace b2b::server {

namespace {

using K = FieldKind;

[[noreturn]] void refuse(const QString &msg) { throw RemoteError(msg); }

const char *const kStateNames[] = {"Alındı", "Onaylandı", "Görüldü", "Parçalı Hazırlandı", "Hazırlandı", "Sevk Edildi"};

QString stateName(int st) { return st >= 1 && st <= 6 ? QString::fromUtf8(kStateNames[st - 1]) : QString(); }

QString dateText(double days) {
    const QDateTime dt = daysToDateTime(days);
    return dt.isValid() ? dt.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString timeText(double days) {
    const QDateTime dt = daysToDateTime(days);
    return dt.isValid() ? dt.toString(QStringLiteral("HH:mm")) : QString();
}

double dayStart(double days) { return std::floor(days); }

std::vector<WireValue> one(WireValue v) {
    std::vector<WireValue> r;
    r.push_back(std::move(v));
    return r;
}

std::vector<WireValue> streamAnswer(QByteArray bytes) {
    std::vector<WireValue> r;
    r.emplace_back(int64_t(bytes.size()));
    r.emplace_back(std::move(bytes));
    return r;
}

template <typename T> WireValue objectAnswer(const T &o) { return WireObject{o.marshal(1), false}; }

// Puts the rows of a table into the given order (order[i] = old index of the new row i).
void reorderRows(TableData &t, const std::vector<int> &order) {
    for (Column &c : t.columns) {
        const auto permute = [&](auto &v) {
            std::remove_reference_t<decltype(v)> n;
            n.reserve(v.size());
            for (int i : order) n.push_back(std::move(v[size_t(i)]));
            v = std::move(n);
        };
        permute(c.nulls);
        switch (c.store()) {
        case Column::Store::Int: permute(c.ints); break;
        case Column::Store::Real: permute(c.reals); break;
        case Column::Store::Text: permute(c.texts); break;
        case Column::Store::Blob: permute(c.blobs); break;
        }
    }
}

// ---------------------------------------------------------------- argument access

class Args {
public:
    Args(const MethodSpec &m, std::vector<WireValue> &v) : m_(m), v_(v) {}
    QString text(size_t i) const { return wireText(v_[i], m_.inputs[i].name); }
    int i32(size_t i) const { return wireInt(v_[i], m_.inputs[i].name); }
    double dbl(size_t i) const { return wireDouble(v_[i], m_.inputs[i].name); }
    // A login record; null is refused unless `optional`.
    TSonucBilgisi login(size_t i, bool optional = false, bool *present = nullptr) const {
        const QJsonObject *o = wireObject(v_[i], m_.inputs[i].name);
        if (present) *present = o != nullptr;
        if (!o) {
            if (optional) return TSonucBilgisi{};
            refuse(QStringLiteral("%1: oturum bilgisi (%2) gönderilmedi").arg(QLatin1String(m_.name), QLatin1String(m_.inputs[i].name)));
        }
        return TSonucBilgisi::unmarshal(*o);
    }

private:
    const MethodSpec &m_;
    std::vector<WireValue> &v_;
};

double checkedQuantity(double q) {
    if (!(q >= 1 && q <= 100000) || std::floor(q) != q) refuse(QStringLiteral("Geçersiz miktar: %1 (1 ile 100000 arasında tam sayı olmalı)").arg(q));
    return q;
}

double checkedPrice(double p) {
    if (!(p >= 0 && p <= 1e9)) refuse(QStringLiteral("Geçersiz fiyat: %1").arg(p));
    return p;
}

double checkedRate(double r, const char *what) {
    if (!(r >= 0 && r <= 100)) refuse(QStringLiteral("Geçersiz %1: %2 (0 ile 100 arasında olmalı)").arg(QLatin1String(what)).arg(r));
    return r;
}

// ---------------------------------------------------------------- shared lookups

struct Customer {
    bool found = false;
    int carino = 0;
    QString carikod, cariadi;
    int saticino = 0;
    double isk1 = 0, isk2 = 0;
    int vade = 0;
};

struct User {
    bool found = false;
    int sirano = 0, type = 0, carino = 0, saticino = 0, aktif = 0;
    QString adi, sifre, email;
};

struct Rep {
    QString adi, telefon, email;
};

// Who a login record may see: type 2 every customer, type 1 the representative's own customers,
// everyone else the customer of the user record.
struct Scope {
    int type = 0;
    int saticino = 0;
    int carino = 0;
    bool all() const { return type == 2; }
    bool rep() const { return type == 1 || type == 2; }
};

class Methods {
public:
    explicit Methods(ServerContext &ctx) : ctx_(ctx), db_(ctx.db) {}

    using Handler = std::vector<WireValue> (Methods::*)(const Args &);
    static const std::unordered_map<std::string, Handler> &table();

    // ------------------------------------------------------------ lookups

    Customer customer(int carino) {
        Customer c;
        if (carino <= 0) return c;
        Sql q(db_, QStringLiteral("SELECT carino, carikod, cariadi, saticino, iskonto1, iskonto2, vade FROM customers "
                                  "WHERE carino = ?"));
        q.bind(carino).exec();
        if (q.next()) {
            c.found = true;
            c.carino = q.toInt(0);
            c.carikod = q.toText(1);
            c.cariadi = q.toText(2);
            c.saticino = q.toInt(3);
            c.isk1 = q.toDouble(4);
            c.isk2 = q.toDouble(5);
            c.vade = q.toInt(6);
        }
        return c;
    }

    Customer requireCustomer(int carino) {
        Customer c = customer(carino);
        if (!c.found) refuse(QStringLiteral("Cari bulunamadı: %1").arg(carino));
        return c;
    }

    User user(int sirano) {
        User u;
        Sql q(db_, QStringLiteral("SELECT sirano, adi, sifre, aktif, musteritipi, carino, saticino, email FROM users "
                                  "WHERE sirano = ?"));
        q.bind(sirano).exec();
        if (q.next()) {
            u.found = true;
            u.sirano = q.toInt(0);
            u.adi = q.toText(1);
            u.sifre = q.toText(2);
            u.aktif = q.toInt(3);
            u.type = q.toInt(4);
            u.carino = q.toInt(5);
            u.saticino = q.toInt(6);
            u.email = q.toText(7);
        }
        return u;
    }

    Rep rep(int saticino) {
        Rep r;
        Sql q(db_, QStringLiteral("SELECT adi, telefon, email FROM reps WHERE saticino = ?"));
        q.bind(saticino).exec();
        if (q.next()) {
            r.adi = q.toText(0);
            r.telefon = q.toText(1);
            r.email = q.toText(2);
        }
        return r;
    }

    Scope scope(const TSonucBilgisi &b) {
        const User u = user(b.Sirano());
        if (!u.found) refuse(QStringLiteral("Kullanıcı bulunamadı (Sirano %1)").arg(b.Sirano()));
        Scope s;
        s.type = u.type;
        s.saticino = u.saticino;
        s.carino = u.carino;
        return s;
    }

    // SQL condition restricting customers (alias c) to a scope.
    static QString scopeCondition(const Scope &s, std::vector<QVariant> &binds) {
        if (s.all()) return QStringLiteral("1 = 1");
        if (s.rep()) {
            binds.emplace_back(s.saticino);
            return QStringLiteral("c.saticino = ?");
        }
        binds.emplace_back(s.carino);
        return QStringLiteral("c.carino = ?");
    }

    QString veren(int verenid, const QString &fallback) {
        const User u = user(verenid);
        return u.found ? u.adi : fallback;
    }

    void log(int sirano, int carino, const char *action, const QString &detail) {
        Sql q(db_, QStringLiteral("INSERT INTO activity_log (tarih, sirano, carino, action, detail) VALUES (?, ?, ?, ?, ?)"));
        q.bind(nowDayNumber()).bind(sirano).bind(carino).bind(QString::fromLatin1(action)).bind(detail.left(400)).exec();
    }

    // ------------------------------------------------------------ catalogue lists

    enum class ListKind { Stok, Yeni, Kamp };

    static const QString &itemColumns() {
        static const QString s = QStringLiteral(
            "stokno, barkod, adi, digeradi, oem1, oem2, oem3, oem4, oemno, finishkod, ureticikodu, marka, model, "
            "anagrup, ozelkod, birim, barkodno, dpkod, pkod, durum, depo2, resim, yeni, kampanya, kdv, kalan, "
            "alinansiparis, verilensiparis, fiyat, kampfiyat, eskifiyat, iskonto, kampiskonto, ozelmarka");
        return s;
    }

    static TableBuilder catalogueColumns(ListKind kind) {
        TableBuilder t;
        t.col("STOK_STOKNO", K::Integer).col("BARKOD", K::Text).col("ADI", K::Text).col("DIGERADI", K::Text);
        t.col("OEM1", K::Text).col("OEM2", K::Text).col("OEM3", K::Text).col("OEM4", K::Text).col("OEMNO", K::Text);
        t.col("FINISHKOD", K::Text).col("URETICIKODU", K::Text).col("MARKA", K::Text).col("MODEL", K::Text);
        t.col("ANAGRUP", K::Text).col("OZELKOD", K::Text).col("BIRIM", K::Text).col("BARKOD_BARKODNO", K::Text);
        t.col("DPKOD", K::Text).col("PKOD", K::Text).col("DURUM", K::Integer);
        if (kind == ListKind::Stok) t.col("DEPO2", K::Integer);
        if (kind != ListKind::Yeni) t.col("RESIM", K::Integer).col("Y", K::Integer);
        t.col("K", K::Integer).col("KDV", K::Integer).col("KALAN", K::Float).col("ALINANSIPARIS", K::Float);
        t.col("VERILENSIPARIS", K::Float).col("FIYAT", K::Float);
        if (kind != ListKind::Kamp) t.col("LISTEFIYAT1", K::Float).col("KAMPFIYAT", K::Float);
        else t.col("ESKIFIYAT", K::Float);
        t.col("IND1", K::Float).col("IND2", K::Float).col("IND3", K::Float).col("IND4", K::Float);
        t.col("INDIRIMYAZI", K::Text);
        if (kind != ListKind::Stok) t.col("INDIRIM", K::Float);
        t.col("NETFIYAT", K::Float).col("KDVDAHIL", K::Float);
        return t;
    }

    // One catalogue row from a query over itemColumns(), priced for the customer.
    static void catalogueRow(TableBuilder &t, Sql &q, ListKind kind, const Customer &c) {
        for (int i = 0; i <= 18; ++i) t.v(q.value(i)); // stokno .. pkod
        t.i(q.toInt(19));                               // DURUM
        if (kind == ListKind::Stok) t.i(q.toInt(20));   // DEPO2
        const bool kampanya = q.toInt(23) != 0;
        if (kind != ListKind::Yeni) t.i(q.toInt(21) > 0 ? 1 : 0).i(q.toInt(22) != 0 ? 1 : 0);
        const int kdv = q.toInt(24);
        t.i(kampanya ? 1 : 0).i(kdv).r(q.toDouble(25)).r(q.toDouble(26)).r(q.toDouble(27));
        const double liste = q.toDouble(28), kamp = q.toDouble(29);
        const bool ozel = q.toInt(33) != 0;
        Rates rates;
        double price;
        if (kind == ListKind::Kamp) {
            price = kamp > 0 ? kamp : liste;
            rates = {0, 0, 0, q.toDouble(32)};
            t.r(price).r(liste);
        } else {
            price = liste;
            rates = {c.isk1, ozel ? c.isk2 : 0.0, q.toDouble(31), 0};
            t.r(price).r(liste).r(kampanya ? kamp : 0.0);
        }
        t.r(rates[0]).r(rates[1]).r(rates[2]).r(rates[3]).s(ratesText(rates));
        if (kind != ListKind::Stok) t.r(effectiveRate(rates));
        const double net = netPrice(price, rates);
        t.r(net).r(withVat(net, kdv));
        t.endRow();
    }

    TableData catalogueList(const QString &where, const std::vector<QVariant> &binds, ListKind kind, const Customer &c) {
        TableBuilder t = catalogueColumns(kind);
        Sql q(db_, QStringLiteral("SELECT %1 FROM items WHERE %2 ORDER BY stokno").arg(itemColumns(), where));
        for (const QVariant &b : binds) q.bind(b);
        q.exec();
        while (q.next()) catalogueRow(t, q, kind, c);
        return t.take();
    }

    std::vector<WireValue> StokAraGetirTelvar(const Args &a) {
        const QString kod = a.text(0);
        bool present = false;
        const TSonucBilgisi b = a.login(1, true, &present);
        const Customer c = present ? customer(b.CARINO()) : Customer{};
        const std::vector<int> ids = searchCatalogue(db_, kod);
        std::unordered_map<int, int> rank;
        for (size_t i = 0; i < ids.size(); ++i) rank.emplace(ids[i], int(i));
        // Rows are fetched in chunks and put back into the search's order afterwards.
        TableBuilder t = catalogueColumns(ListKind::Stok);
        std::vector<int> ranks;
        constexpr int kChunk = 100;
        static const QString chunkSql = [] {
            QStringList marks;
            for (int i = 0; i < kChunk; ++i) marks << QStringLiteral("?");
            return QStringLiteral("SELECT %1 FROM items WHERE stokno IN (%2)").arg(itemColumns(), marks.join(QLatin1Char(',')));
        }();
        for (size_t from = 0; from < ids.size(); from += kChunk) {
            Sql q(db_, chunkSql);
            for (int i = 0; i < kChunk; ++i) q.bind(from + size_t(i) < ids.size() ? ids[from + size_t(i)] : -1);
            q.exec();
            while (q.next()) {
                ranks.push_back(rank[q.toInt(0)]);
                catalogueRow(t, q, ListKind::Stok, c);
            }
        }
        TableData out = t.take();
        std::vector<int> order(ranks.size());
        for (size_t i = 0; i < ranks.size(); ++i) order[i] = int(i);
        std::sort(order.begin(), order.end(), [&](int x, int y) { return ranks[size_t(x)] < ranks[size_t(y)]; });
        reorderRows(out, order);
        return one(std::move(out));
    }

    std::vector<WireValue> YenilerVer2(const Args &a) {
        return one(catalogueList(QStringLiteral("yeni = 1"), {}, ListKind::Yeni, customer(a.i32(0))));
    }

    std::vector<WireValue> KampanyaliVer2(const Args &a) {
        // The second argument is the caller's user type; every type gets the same list.
        return one(catalogueList(QStringLiteral("kampanya = 1"), {}, ListKind::Kamp, customer(a.i32(0))));
    }

    // ------------------------------------------------------------ basket and order lines

    struct LineRow {
        int sirano = 0, carino = 0, stokno = 0, idno = 0, verenid = 0, verensirano = 0, teslimid = 0, kargoid = 0;
        int stokharNo = 0, sec = 0, durum = 0;
        QString barkod, stokadi, veren, aciklama, siparisno, kur, teslim, kargo;
        double miktar = 0, fiyat = 0, ilkfiyat = 0, kdv = 0, teslimedilen = 0, kalan = 0, kurtl = 1, tarih = 0;
        Rates rates{};
        QString finishkod, oemno, oem[4], uretici, digeradi, dpkod, marka, model, anagrup, ozelkod, pkod;
        double eldeki = 0, alinan = 0, verilen = 0;
        QString carikod, cariadi;
    };

    static QString itemJoinColumns() {
        return QStringLiteral("i.finishkod, i.oemno, i.oem1, i.oem2, i.oem3, i.oem4, i.ureticikodu, i.digeradi, "
                              "i.dpkod, i.marka, i.model, i.anagrup, i.ozelkod, i.pkod, i.durum, i.kalan, "
                              "i.alinansiparis, i.verilensiparis, c.carikod, c.cariadi");
    }

    static void readItemPart(Sql &q, int at, LineRow &r) {
        r.finishkod = q.toText(at);
        r.oemno = q.toText(at + 1);
        for (int k = 0; k < 4; ++k) r.oem[k] = q.toText(at + 2 + k);
        r.uretici = q.toText(at + 6);
        r.digeradi = q.toText(at + 7);
        r.dpkod = q.toText(at + 8);
        r.marka = q.toText(at + 9);
        r.model = q.toText(at + 10);
        r.anagrup = q.toText(at + 11);
        r.ozelkod = q.toText(at + 12);
        r.pkod = q.toText(at + 13);
        r.durum = q.toInt(at + 14);
        r.eldeki = q.toDouble(at + 15);
        r.alinan = q.toDouble(at + 16);
        r.verilen = q.toDouble(at + 17);
        r.carikod = q.toText(at + 18);
        r.cariadi = q.toText(at + 19);
    }

    std::vector<LineRow> basketLines(int carino) {
        Sql q(db_, QStringLiteral("SELECT b.sirano, b.carino, b.stokno, b.barkod, b.stokadi, b.miktar, b.kdv, b.fiyat, "
                                  "b.ind1, b.ind2, b.ind3, b.ind4, b.verenid, b.veren, b.sec, b.tarih, b.aciklama, %1 "
                                  "FROM basket b LEFT JOIN items i ON i.stokno = b.stokno "
                                  "LEFT JOIN customers c ON c.carino = b.carino WHERE b.carino = ? ORDER BY b.sirano")
                      .arg(itemJoinColumns()));
        q.bind(carino).exec();
        std::vector<LineRow> rows;
        while (q.next()) {
            LineRow r;
            r.sirano = q.toInt(0);
            r.carino = q.toInt(1);
            r.stokno = q.toInt(2);
            r.barkod = q.toText(3);
            r.stokadi = q.toText(4);
            r.miktar = q.toDouble(5);
            r.kdv = q.toDouble(6);
            r.fiyat = r.ilkfiyat = q.toDouble(7);
            r.rates = {q.toDouble(8), q.toDouble(9), q.toDouble(10), q.toDouble(11)};
            r.verenid = q.toInt(12);
            r.veren = q.toText(13);
            r.sec = q.toInt(14);
            r.tarih = q.toDouble(15);
            r.aciklama = q.toText(16);
            r.kur = QStringLiteral("TL");
            readItemPart(q, 17, r);
            r.kalan = r.eldeki; // in the basket KALAN is the remaining stock
            rows.push_back(std::move(r));
        }
        return rows;
    }

    std::vector<LineRow> orderLines(const QString &where, const std::vector<QVariant> &binds, const QString &order) {
        Sql q(db_, QStringLiteral("SELECT l.sirano, o.carino, l.stokno, l.barkod, l.stokadi, l.miktar, l.kdv, "
                                  "l.birimfiyat, l.ind1, l.ind2, l.ind3, l.ind4, l.verenidno, l.veren, o.idno, o.tarih, "
                                  "l.aciklama, o.siparisno, l.ilkfiyat, l.teslimedilen, l.kalan, l.stokhar_no, "
                                  "l.verensirano, d.adi, k.adi, o.teslimid, o.kargoid, o.kur, o.kurtl, %1 "
                                  "FROM order_lines l JOIN orders o ON o.idno = l.idno "
                                  "LEFT JOIN items i ON i.stokno = l.stokno "
                                  "LEFT JOIN customers c ON c.carino = o.carino "
                                  "LEFT JOIN delivery_types d ON d.id = o.teslimid "
                                  "LEFT JOIN cargo_types k ON k.id = o.kargoid WHERE %2 ORDER BY %3")
                      .arg(itemJoinColumns(), where, order));
        for (const QVariant &b : binds) q.bind(b);
        q.exec();
        std::vector<LineRow> rows;
        while (q.next()) {
            LineRow r;
            r.sirano = q.toInt(0);
            r.carino = q.toInt(1);
            r.stokno = q.toInt(2);
            r.barkod = q.toText(3);
            r.stokadi = q.toText(4);
            r.miktar = q.toDouble(5);
            r.kdv = q.toDouble(6);
            r.fiyat = q.toDouble(7);
            r.rates = {q.toDouble(8), q.toDouble(9), q.toDouble(10), q.toDouble(11)};
            r.verenid = q.toInt(12);
            r.veren = q.toText(13);
            r.idno = q.toInt(14);
            r.tarih = q.toDouble(15);
            r.aciklama = q.toText(16);
            r.siparisno = q.toText(17);
            r.ilkfiyat = q.toDouble(18);
            r.teslimedilen = q.toDouble(19);
            r.kalan = q.toDouble(20);
            r.stokharNo = q.toInt(21);
            r.verensirano = q.toInt(22);
            r.teslim = q.toText(23);
            r.kargo = q.toText(24);
            r.teslimid = q.toInt(25);
            r.kargoid = q.toInt(26);
            r.kur = q.toText(27);
            r.kurtl = q.toDouble(28);
            readItemPart(q, 29, r);
            rows.push_back(std::move(r));
        }
        return rows;
    }

    enum class LineKind { Basket, Order, Balance };

    static TableData lineTable(const std::vector<LineRow> &rows, LineKind kind) {
        const bool basket = kind == LineKind::Basket;
        TableBuilder t;
        if (basket) t.col("SEC", K::Integer);
        t.col("VERILISTARIHI", K::DateTime).col("SIRANO", K::Integer).col("SIPARISNO", K::Text);
        t.col("CARINO", K::Integer).col("TARIH", K::Date).col("AKTAR", K::Integer).col("STOKNO", K::Integer);
        t.col("BARKOD", K::Text).col("FINISHKOD", K::Text).col("OEMNO", K::Text).col("STOKADI", K::Text);
        t.col("MIKTAR", K::Integer).col("BIRIMFIYAT", K::Float);
        if (!basket) t.col("ILKFIYAT", K::Float);
        t.col("TUTAR", K::Float).col("INDIRIMYAZI", K::Text);
        t.col("INDIRIMORANI1", K::Float).col("INDIRIMORANI2", K::Float).col("INDIRIMORANI3", K::Float);
        t.col("INDIRIMORANI4", K::Float).col("INDIRIMTUTAR", K::Float).col("NETBIRIMFIYAT", K::Float);
        t.col("KDV", K::Integer).col("VERGITUTARI", K::Float).col("NETTUTAR", K::Float).col("KUR", K::Text);
        t.col("KURTL", K::Float).col("VERENIDNO", K::Integer).col("SAAT", K::Text).col("TESLIMID", K::Integer);
        t.col("KARGOID", K::Integer).col("ACIKLAMA", K::Text).col("IDNO", K::Integer).col("VERENSIRANO", K::Integer);
        t.col("VEREN", K::Text).col("CARIKOD", K::Text).col("CARIADI", K::Text).col("OEM1", K::Text);
        t.col("OEM2", K::Text).col("OEM3", K::Text).col("OEM4", K::Text).col("STOK_STOKNO", K::Integer);
        t.col("URETICIKODU", K::Text).col("DIGERADI", K::Text).col("DPKOD", K::Text).col("MARKA", K::Text);
        t.col("MODEL", K::Text).col("ANAGRUP", K::Text).col("OZELKOD", K::Text).col("PKOD", K::Text);
        t.col("DURUM", K::Integer).col("KALAN", K::Float);
        if (!basket) {
            t.col("TESLIM", K::Text).col("KARGO", K::Text).col("TESLIMEDILEN", K::Float);
            t.col("STOKHAR_NO", K::Integer).col("ELDEKI", K::Float).col("ALINANSIPARIS", K::Float);
            t.col("VERILENSIPARIS", K::Float);
        }
        for (const LineRow &r : rows) {
            // Balances count money on the open quantity; the other lists on the ordered one.
            const double qty = kind == LineKind::Balance ? r.kalan : r.miktar;
            const LineAmounts a = lineAmounts(qty, r.fiyat, r.rates, r.kdv);
            if (basket) t.i(r.sec);
            t.d(r.tarih).i(r.sirano).s(r.siparisno).i(r.carino).d(dayStart(r.tarih)).i(0).i(r.stokno);
            t.s(r.barkod).s(r.finishkod).s(r.oemno).s(r.stokadi).i(int64_t(std::llround(r.miktar))).r(r.fiyat);
            if (!basket) t.r(r.ilkfiyat);
            t.r(a.tutar).s(ratesText(r.rates)).r(r.rates[0]).r(r.rates[1]).r(r.rates[2]).r(r.rates[3]);
            t.r(a.indirimTutar).r(a.netBirimFiyat).i(int64_t(std::llround(r.kdv))).r(a.vergiTutari).r(a.netTutar);
            // A sent line without a note of its own is described by its item: the balance dialog shows
            // ACIKLAMA as the line's description next to its code, brand and model.
            const QString aciklama = !basket && r.aciklama.trimmed().isEmpty() ? r.stokadi : r.aciklama;
            t.s(r.kur).r(r.kurtl).i(r.verenid).s(timeText(r.tarih)).i(r.teslimid).i(r.kargoid).s(aciklama);
            t.i(r.idno).i(r.verensirano).s(r.veren).s(r.carikod).s(r.cariadi);
            t.s(r.oem[0]).s(r.oem[1]).s(r.oem[2]).s(r.oem[3]).i(r.stokno).s(r.uretici).s(r.digeradi).s(r.dpkod);
            t.s(r.marka).s(r.model).s(r.anagrup).s(r.ozelkod).s(r.pkod).i(r.durum);
            t.r(r.kalan);
            if (!basket) {
                t.s(r.teslim).s(r.kargo).r(r.teslimedilen).i(r.stokharNo).r(r.eldeki).r(r.alinan).r(r.verilen);
            }
            t.endRow();
        }
        return t.take();
    }

    std::vector<WireValue> SepetVer2(const Args &a) { return one(lineTable(basketLines(a.i32(0)), LineKind::Basket)); }

    std::vector<WireValue> SepetEkle2(const Args &a) {
        const TSonucBilgisi b = a.login(0);
        const int carino = a.i32(1), stokno = a.i32(2);
        const double miktar = checkedQuantity(a.dbl(5));
        const double kdv = checkedRate(a.dbl(6), "KDV oranı");
        const double fiyat = checkedPrice(a.dbl(7));
        const Rates rates{checkedRate(a.dbl(8), "indirim 1"), checkedRate(a.dbl(11), "indirim 2"),
                          checkedRate(a.dbl(12), "indirim 3"), checkedRate(a.dbl(13), "indirim 4")};
        const int verenid = a.i32(9), k = a.i32(10);
        Transaction tx(db_);
        requireCustomer(carino);
        QString barkod, adi;
        {
            Sql it(db_, QStringLiteral("SELECT barkod, adi FROM items WHERE stokno = ?"));
            it.bind(stokno).exec();
            if (!it.next()) refuse(QStringLiteral("Stok bulunamadı: %1").arg(stokno));
            // The catalogue's own code and name are stored, whatever text the caller shows. A new line
            // starts unselected: only lines the user ticks go into the next order.
            barkod = it.toText(0);
            adi = it.toText(1);
        }
        Sql q(db_, QStringLiteral("INSERT INTO basket (carino, stokno, barkod, stokadi, miktar, kdv, fiyat, ind1, ind2, ind3, "
                                  "ind4, verenid, veren, kampanya, sec, tarih, aciklama) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, '')"));
        q.bind(carino).bind(stokno).bind(barkod).bind(adi).bind(miktar).bind(kdv).bind(fiyat).bind(rates[0])
            .bind(rates[1]).bind(rates[2]).bind(rates[3]).bind(verenid).bind(veren(verenid, b.ADI()))
            .bind(k > 0 ? 1 : 0).bind(nowDayNumber()).exec();
        tx.commit();
        return one(int32_t(1));
    }

    std::vector<WireValue> SepetGuncelle2(const Args &a) {
        const TSonucBilgisi b = a.login(0);
        const int carino = a.i32(1);
        const double miktar = checkedQuantity(a.dbl(5));
        const double kdv = checkedRate(a.dbl(6), "KDV oranı");
        const double fiyat = checkedPrice(a.dbl(7));
        const Rates rates{checkedRate(a.dbl(8), "indirim 1"), checkedRate(a.dbl(11), "indirim 2"),
                          checkedRate(a.dbl(12), "indirim 3"), checkedRate(a.dbl(13), "indirim 4")};
        const int verenid = a.i32(9), sepetSirano = a.i32(10);
        Transaction tx(db_);
        Sql q(db_, QStringLiteral("UPDATE basket SET miktar = ?, kdv = ?, fiyat = ?, ind1 = ?, ind2 = ?, ind3 = ?, ind4 = ?, "
                                  "verenid = ?, veren = ? WHERE sirano = ? AND carino = ?"));
        q.bind(miktar).bind(kdv).bind(fiyat).bind(rates[0]).bind(rates[1]).bind(rates[2]).bind(rates[3]).bind(verenid)
            .bind(veren(verenid, b.ADI())).bind(sepetSirano).bind(carino).exec();
        const int n = q.rowsAffected();
        tx.commit();
        return one(int32_t(n > 0 ? 1 : 0));
    }

    std::vector<WireValue> SepetSatirSil(const Args &a) {
        const TSonucBilgisi b = a.login(0);
        const int satirno = a.i32(1);
        Transaction tx(db_);
        Sql q(db_, QStringLiteral("DELETE FROM basket WHERE sirano = ? AND carino = ?"));
        q.bind(satirno).bind(b.CARINO()).exec();
        const int n = q.rowsAffected();
        if (n > 0) log(b.Sirano(), b.CARINO(), "basket-line-deleted", QStringLiteral("%1 %2").arg(satirno).arg(a.text(2)));
        tx.commit();
        return one(int32_t(n > 0 ? 1 : 0));
    }

    std::vector<WireValue> SepetHepsiniSil(const Args &a) {
        const TSonucBilgisi b = a.login(0);
        Transaction tx(db_);
        Sql q(db_, QStringLiteral("DELETE FROM basket WHERE carino = ?"));
        q.bind(b.CARINO()).exec();
        log(b.Sirano(), b.CARINO(), "basket-emptied", QStringLiteral("%1 lines").arg(q.rowsAffected()));
        tx.commit();
        return one(int32_t(1));
    }

    std::vector<WireValue> SepetSecimGuncelle(const Args &a) {
        const int sirano = a.i32(0), secim = a.i32(1);
        if (secim != 0 && secim != 1) refuse(QStringLiteral("Geçersiz seçim değeri: %1 (0 veya 1 olmalı)").arg(secim));
        Sql q(db_, QStringLiteral("UPDATE basket SET sec = ? WHERE sirano = ?"));
        q.bind(secim).bind(sirano).exec();
        if (q.rowsAffected() == 0) refuse(QStringLiteral("Sepet satırı bulunamadı: %1").arg(sirano));
        return {};
    }

    int basketCount(const TSonucBilgisi &b) {
        // Only a record that claims a representative is looked up (and then trusted only as stored).
        const bool claimsRep = b.MusteriTipi() == 1 || b.MusteriTipi() == 2;
        const User u = claimsRep ? user(b.Sirano()) : User{};
        if (u.found && (u.type == 1 || u.type == 2)) {
            Scope s;
            s.type = u.type;
            s.saticino = u.saticino;
            std::vector<QVariant> binds;
            const QString cond = scopeCondition(s, binds);
            Sql q(db_, QStringLiteral("SELECT COUNT(*) FROM basket b JOIN customers c ON c.carino = b.carino WHERE %1").arg(cond));
            for (const QVariant &v : binds) q.bind(v);
            return q.scalar(0).toInt();
        }
        Sql q(db_, QStringLiteral("SELECT COUNT(*) FROM basket WHERE carino = ?"));
        q.bind(b.CARINO());
        return q.scalar(0).toInt();
    }

    std::vector<WireValue> SepetSayisi(const Args &a) { return one(int32_t(basketCount(a.login(0)))); }

    std::vector<WireValue> CariVadeGunGecmismiBul(const Args &a) {
        const int carino = a.i32(0);
        const Overdue o = overdue(carino, nowDayNumber());
        if (o.amount < 0.005) return one(QString());
        return one(QStringLiteral("Vadesi geçmiş %1 TL bakiyeniz bulunmaktadır (en eski vade %2 gün önce doldu). "
                                  "Lütfen ödemenizi yapınız.")
                       .arg(money(o.amount))
                       .arg(o.oldestDays));
    }

    struct Overdue {
        double balance = 0, amount = 0;
        int oldestDays = 0;
        double bucket[3] = {0, 0, 0}; // overdue 0-30, 31-60, more than 60 days
    };

    // Credits pay the oldest debits first; what stays unpaid past its due date is overdue.
    Overdue overdue(int carino, double asOf) {
        Overdue o;
        Sql q(db_, QStringLiteral("SELECT borc, alacak, tarih, vade FROM statement WHERE carino = ? AND tarih < ? "
                                  "ORDER BY tarih, id"));
        q.bind(carino).bind(asOf).exec();
        struct Debt {
            double amount, due;
        };
        std::vector<Debt> debts;
        double credit = 0;
        while (q.next()) {
            const double borc = q.toDouble(0), alacak = q.toDouble(1);
            const double due = q.isNull(3) ? q.toDouble(2) : q.toDouble(3);
            if (borc > 0) debts.push_back({borc, due});
            credit += alacak;
            o.balance = round2(o.balance + borc - alacak);
        }
        for (Debt &d : debts) {
            const double paid = std::min(d.amount, credit);
            d.amount = round2(d.amount - paid);
            credit -= paid;
            if (d.amount > 0 && d.due < asOf) {
                o.amount = round2(o.amount + d.amount);
                const int days = int(std::floor(asOf - d.due));
                o.oldestDays = std::max(o.oldestDays, days);
                o.bucket[days <= 30 ? 0 : days <= 60 ? 1 : 2] += d.amount;
            }
        }
        return o;
    }

    std::vector<WireValue> SiparisKaydet(const Args &a) {
        const TSonucBilgisi b = a.login(0);
        const int carino = a.i32(1), teslim = a.i32(2), kargo = a.i32(3), verenid = a.i32(5), firma = a.i32(6);
        const QString aciklama = a.text(4);
        Transaction tx(db_);
        requireCustomer(carino);
        const std::vector<LineRow> lines = basketLines(carino);
        std::vector<const LineRow *> chosen;
        for (const LineRow &l : lines)
            if (l.sec == 1) chosen.push_back(&l);
        if (chosen.empty()) return one(false);
        const auto exists = [&](const char *sql, int id) {
            Sql q(db_, QString::fromLatin1(sql));
            q.bind(id);
            return q.scalar(0).toInt() > 0;
        };
        if (!exists("SELECT COUNT(*) FROM delivery_types WHERE id = ?", teslim) ||
            !exists("SELECT COUNT(*) FROM cargo_types WHERE id = ?", kargo)) {
            return one(false);
        }
        {
            Sql f(db_, QStringLiteral("SELECT COUNT(*) FROM shipping_firms WHERE sirano = ? AND kargotipi = ?"));
            f.bind(firma).bind(kargo);
            if (f.scalar(0).toInt() == 0) return one(false);
        }
        const double now = nowDayNumber();
        const QString who = veren(verenid, b.ADI());
        const qint64 idno = insertReturningKey(
            db_, QStringLiteral("orders"), QStringLiteral("idno"),
            {{QStringLiteral("carino"), carino},
             {QStringLiteral("tarih"), now},
             {QStringLiteral("durum"), 1},
             {QStringLiteral("teslimid"), teslim},
             {QStringLiteral("kargoid"), kargo},
             {QStringLiteral("kargofirma"), firma},
             {QStringLiteral("verenidno"), verenid},
             {QStringLiteral("veren"), who},
             {QStringLiteral("aciklama"), aciklama},
             {QStringLiteral("bizimmesaj"), QString()},
             {QStringLiteral("saticinotu"), QString()},
             {QStringLiteral("kur"), QStringLiteral("TL")},
             {QStringLiteral("kurtl"), 1.0}});
        {
            Sql u(db_, QStringLiteral("UPDATE orders SET siparisno = ? WHERE idno = ?"));
            u.bind(QStringLiteral("S-%1").arg(idno, 6, 10, QLatin1Char('0'))).bind(idno).exec();
        }
        Sql next(db_, QStringLiteral("SELECT MAX(stokhar_no) FROM order_lines"));
        int stokhar = next.scalar(500000).toInt();
        Sql ins(db_, QStringLiteral("INSERT INTO order_lines (idno, stokno, barkod, stokadi, miktar, birimfiyat, ilkfiyat, "
                                    "ind1, ind2, ind3, ind4, kdv, teslimedilen, kalan, stokhar_no, verenidno, "
                                    "verensirano, veren, aciklama, tarih) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, ?)"));
        Sql del(db_, QStringLiteral("DELETE FROM basket WHERE sirano = ?"));
        Sql stock(db_, QStringLiteral("UPDATE items SET alinansiparis = alinansiparis + ? WHERE stokno = ?"));
        for (const LineRow *l : chosen) {
            ins.bind(idno).bind(l->stokno).bind(l->barkod).bind(l->stokadi).bind(l->miktar).bind(l->fiyat).bind(l->fiyat)
                .bind(l->rates[0]).bind(l->rates[1]).bind(l->rates[2]).bind(l->rates[3]).bind(l->kdv).bind(l->miktar)
                .bind(++stokhar).bind(l->verenid).bind(l->sirano).bind(l->veren).bind(l->aciklama).bind(now).exec();
            del.bind(l->sirano).exec();
            stock.bind(l->miktar).bind(l->stokno).exec();
        }
        log(b.Sirano(), carino, "order", QStringLiteral("order %1, %2 lines").arg(idno).arg(chosen.size()));
        tx.commit();
        return one(true);
    }

    std::vector<WireValue> SiparisAyrintisi2(const Args &a) {
        const int carino = a.i32(0), idno = a.i32(1);
        std::vector<QVariant> binds{idno};
        QString where = QStringLiteral("l.idno = ?");
        if (carino != 0) {
            where += QStringLiteral(" AND o.carino = ?");
            binds.emplace_back(carino);
        }
        return one(lineTable(orderLines(where, binds, QStringLiteral("l.sirano")), LineKind::Order));
    }

    std::vector<WireValue> BakiyelerVer2(const Args &a) {
        return one(lineTable(orderLines(QStringLiteral("o.carino = ? AND l.kalan > 0"), {a.i32(0)},
                                        QStringLiteral("o.tarih, l.sirano")),
                             LineKind::Balance));
    }

    std::vector<WireValue> TumSiparislerVer(const Args &a) {
        const int carino = a.i32(0), stokno = a.i32(1);
        std::vector<QVariant> binds{carino};
        QString where = QStringLiteral("o.carino = ?");
        if (stokno != 0) {
            where += QStringLiteral(" AND l.stokno = ?");
            binds.emplace_back(stokno);
        }
        return one(lineTable(orderLines(where, binds, QStringLiteral("o.tarih DESC, l.sirano")), LineKind::Order));
    }

    std::vector<WireValue> SiparisAytintisiDip(const Args &a) {
        const int carino = a.i32(0), idno = a.i32(1);
        TSiparisDipAyrinti d;
        Sql q(db_, QStringLiteral("SELECT o.aciklama, o.durum, o.veren, f.adi, o.bizimmesaj, d.adi, k.adi, o.saticinotu, "
                                  "o.carino FROM orders o LEFT JOIN shipping_firms f ON f.sirano = o.kargofirma "
                                  "LEFT JOIN delivery_types d ON d.id = o.teslimid "
                                  "LEFT JOIN cargo_types k ON k.id = o.kargoid WHERE o.idno = ?"));
        q.bind(idno).exec();
        if (q.next() && (carino == 0 || q.toInt(8) == carino)) {
            d.SetSizinMesaj(q.toText(0));
            d.SetDurumu(stateName(q.toInt(1)));
            d.SetVeren(q.toText(2));
            d.SetKargo(q.toText(3));
            d.SetBizimMesaj(q.toText(4));
            d.SetTeslimCinsi(q.toText(5));
            d.SetKargoCinsi(q.toText(6));
            d.SetSaticiNotu(q.toText(7));
        }
        return one(objectAnswer(d));
    }

    // Balance changes. The line is found by its number (sepetsirano) within the caller's customer;
    // a non-zero siparissirano must match the line's movement number.
    struct OpenLine {
        bool found = false;
        int sirano = 0, idno = 0, stokno = 0;
        double miktar = 0, teslimedilen = 0, kalan = 0, fiyat = 0;
    };

    OpenLine openLine(const TSonucBilgisi &b, int sepetsirano, int siparissirano) {
        OpenLine l;
        Sql q(db_, QStringLiteral("SELECT l.sirano, l.idno, l.miktar, l.teslimedilen, l.kalan, l.birimfiyat, l.stokhar_no, "
                                  "l.stokno "
                                  "FROM order_lines l JOIN orders o ON o.idno = l.idno WHERE l.sirano = ? AND o.carino = ?"));
        q.bind(sepetsirano).bind(b.CARINO()).exec();
        if (q.next() && (siparissirano == 0 || q.toInt(6) == siparissirano)) {
            l.found = true;
            l.sirano = q.toInt(0);
            l.idno = q.toInt(1);
            l.miktar = q.toDouble(2);
            l.teslimedilen = q.toDouble(3);
            l.kalan = q.toDouble(4);
            l.fiyat = q.toDouble(5);
            l.stokno = q.toInt(7);
        }
        return l;
    }

    // The item's received-order quantity follows the open balances: an order raises it, closing or
    // changing a balance moves it by the change of the open quantity (never below zero).
    void adjustReceived(int stokno, double delta) {
        Sql q(db_, QStringLiteral("UPDATE items SET alinansiparis = CASE WHEN alinansiparis + ? > 0 "
                                  "THEN alinansiparis + ? ELSE 0 END WHERE stokno = ?"));
        q.bind(delta).bind(delta).bind(stokno).exec();
    }

    std::vector<WireValue> BakiyeDuzenle(const Args &a) {
        const TSonucBilgisi b = a.login(0);
        Transaction tx(db_);
        const OpenLine l = openLine(b, a.i32(2), a.i32(3));
        if (!l.found || l.kalan <= 0) return one(int32_t(0));
        // Closing the balance: nothing more will be delivered, the ordered quantity shrinks to what was.
        Sql q(db_, QStringLiteral("UPDATE order_lines SET kalan = 0, miktar = teslimedilen WHERE sirano = ?"));
        q.bind(l.sirano).exec();
        adjustReceived(l.stokno, -l.kalan);
        log(b.Sirano(), b.CARINO(), "balance-removed",
            QStringLiteral("line %1 %2: quantity %3, balance %4 (seen as %5/%6)")
                .arg(l.sirano).arg(a.text(6)).arg(l.miktar).arg(l.kalan).arg(a.dbl(4)).arg(a.dbl(5)));
        tx.commit();
        return one(int32_t(1));
    }

    std::vector<WireValue> BakiyeDegistir(const Args &a) {
        const TSonucBilgisi b = a.login(0);
        const double bakiye = a.dbl(5);
        if (!(bakiye >= 1 && bakiye <= 100000) || std::floor(bakiye) != bakiye)
            refuse(QStringLiteral("Geçersiz bakiye: %1 (1 ile 100000 arasında tam sayı olmalı)").arg(bakiye));
        Transaction tx(db_);
        const OpenLine l = openLine(b, a.i32(2), a.i32(3));
        if (!l.found) return one(int32_t(0));
        // The new open balance; the ordered quantity follows so that delivered + open = ordered.
        Sql q(db_, QStringLiteral("UPDATE order_lines SET kalan = ?, miktar = teslimedilen + ? WHERE sirano = ?"));
        q.bind(bakiye).bind(bakiye).bind(l.sirano).exec();
        adjustReceived(l.stokno, bakiye - l.kalan);
        log(b.Sirano(), b.CARINO(), "balance-changed",
            QStringLiteral("line %1 %2: balance %3 -> %4").arg(l.sirano).arg(a.text(6)).arg(l.kalan).arg(bakiye));
        tx.commit();
        return one(int32_t(1));
    }

    std::vector<WireValue> BakiyeFiyatDegistir(const Args &a) {
        const TSonucBilgisi b = a.login(0);
        const double fiyat = checkedPrice(a.dbl(7));
        const double ind = checkedRate(a.dbl(8), "indirim oranı");
        Transaction tx(db_);
        const OpenLine l = openLine(b, a.i32(2), a.i32(3));
        if (!l.found) return one(int32_t(0));
        // One discount rate replaces the four, as the price dialog computes the net price from it.
        Sql q(db_, QStringLiteral("UPDATE order_lines SET birimfiyat = ?, ind1 = ?, ind2 = 0, ind3 = 0, ind4 = 0 "
                                  "WHERE sirano = ?"));
        q.bind(fiyat).bind(ind).bind(l.sirano).exec();
        log(b.Sirano(), b.CARINO(), "price-changed",
            QStringLiteral("line %1 %2: price %3 -> %4, discount %5").arg(l.sirano).arg(a.text(6)).arg(l.fiyat).arg(fiyat).arg(ind));
        tx.commit();
        return one(int32_t(1));
    }

    // ------------------------------------------------------------ order headers

    struct Totals {
        double tutar = 0, indirim = 0, net = 0, vergi = 0;
    };

    std::unordered_map<int, Totals> orderTotals(const QString &where, const std::vector<QVariant> &binds) {
        std::unordered_map<int, Totals> m;
        Sql q(db_, QStringLiteral("SELECT l.idno, l.miktar, l.birimfiyat, l.ind1, l.ind2, l.ind3, l.ind4, l.kdv "
                                  "FROM order_lines l JOIN orders o ON o.idno = l.idno "
                                  "JOIN customers c ON c.carino = o.carino WHERE %1").arg(where));
        for (const QVariant &b : binds) q.bind(b);
        q.exec();
        while (q.next()) {
            const LineAmounts a = lineAmounts(q.toDouble(1), q.toDouble(2),
                                              {q.toDouble(3), q.toDouble(4), q.toDouble(5), q.toDouble(6)}, q.toDouble(7));
            Totals &t = m[q.toInt(0)];
            t.tutar = round2(t.tutar + a.tutar);
            t.indirim = round2(t.indirim + a.indirimTutar);
            t.net = round2(t.net + a.netTutar);
            t.vergi = round2(t.vergi + a.vergiTutari);
        }
        return m;
    }

    static QString headerColumns() {
        return QStringLiteral("o.idno, o.carino, o.tarih, o.kur, o.kurtl, o.verenidno, k.adi, d.adi, o.veren, "
                              "c.carikod, c.cariadi, o.durum, f.adi, o.aciklama, o.bizimmesaj, r.adi");
    }
    static QString headerJoins() {
        return QStringLiteral("FROM orders o JOIN customers c ON c.carino = o.carino "
                              "LEFT JOIN cargo_types k ON k.id = o.kargoid LEFT JOIN delivery_types d ON d.id = o.teslimid "
                              "LEFT JOIN shipping_firms f ON f.sirano = o.kargofirma LEFT JOIN reps r ON r.saticino = c.saticino");
    }

    std::vector<WireValue> OncekiSiparisler(const Args &a) {
        const int carino = a.i32(0);
        const auto totals = orderTotals(QStringLiteral("o.carino = ?"), {carino});
        TableBuilder t;
        t.col("IDNO", K::Integer).col("CARINO", K::Integer).col("TARIH", K::DateTime).col("KUR", K::Text, 5);
        t.col("KURTL", K::Float).col("VERENIDNO", K::Integer).col("KARGO", K::Text, 50).col("TESLIM", K::Text, 50);
        t.col("VEREN", K::Text, 50).col("CARIKOD", K::Text, 25).col("CARIADI", K::Text, 100).col("VERGI", K::Float);
        t.col("NETTUTAR", K::Float).col("TUTAR", K::Float).col("DURUM", K::Text, 100).col("KARGOADI", K::Text, 50);
        t.col("VERENINNOTU", K::Text).col("ALANNOTU", K::Text);
        Sql q(db_, QStringLiteral("SELECT %1 %2 WHERE o.carino = ? ORDER BY o.tarih DESC, o.idno DESC").arg(headerColumns(), headerJoins()));
        q.bind(carino).exec();
        while (q.next()) {
            const auto it = totals.find(q.toInt(0));
            const Totals tot = it == totals.end() ? Totals{} : it->second;
            t.i(q.toInt(0)).i(q.toInt(1)).d(q.toDouble(2)).s(q.toText(3)).r(q.toDouble(4)).i(q.toInt(5));
            t.s(q.toText(6)).s(q.toText(7)).s(q.toText(8)).s(q.toText(9)).s(q.toText(10));
            t.r(tot.vergi).r(tot.net).r(round2(tot.net + tot.vergi)).s(stateName(q.toInt(11))).s(q.toText(12));
            t.s(q.toText(13)).s(q.toText(14));
            t.endRow();
        }
        return one(t.take());
    }

    std::vector<WireValue> RaporAlinanSiparisler(const Args &a) {
        const Scope s = scope(a.login(0));
        const double from = dayStart(a.dbl(1)), to = dayStart(a.dbl(2)) + 1;
        std::vector<QVariant> binds;
        const QString where = scopeCondition(s, binds) + QStringLiteral(" AND o.tarih >= ? AND o.tarih < ?");
        binds.emplace_back(from);
        binds.emplace_back(to);
        const auto totals = orderTotals(where, binds);
        // Exactly the declared fields, kinds and text sizes of the report, in declared order.
        TableBuilder t;
        t.col("SATICIADI", K::Text, 50).col("IDNO", K::Float).col("CARINO", K::Integer).col("TARIH", K::Date);
        t.col("KUR", K::Text, 5).col("KURTL", K::Float).col("VERENIDNO", K::Integer).col("KARGO", K::Text, 50);
        t.col("TESLIM", K::Text, 50).col("VEREN", K::Text, 50).col("CARIKOD", K::Text, 25).col("CARIADI", K::Text, 100);
        t.col("DURUM", K::Text, 100).col("KARGOADI", K::Text, 50).col("VERGI", K::Float).col("NETTUTAR", K::Float);
        t.col("TUTAR", K::Float);
        Sql q(db_, QStringLiteral("SELECT %1 %2 WHERE %3 ORDER BY r.adi, o.tarih, o.idno").arg(headerColumns(), headerJoins(), where));
        for (const QVariant &b : binds) q.bind(b);
        q.exec();
        while (q.next()) {
            const auto it = totals.find(q.toInt(0));
            const Totals tot = it == totals.end() ? Totals{} : it->second;
            t.s(q.toText(15)).r(q.toDouble(0)).i(q.toInt(1)).d(dayStart(q.toDouble(2))).s(q.toText(3)).r(q.toDouble(4));
            t.i(q.toInt(5)).s(q.toText(6)).s(q.toText(7)).s(q.toText(8)).s(q.toText(9)).s(q.toText(10));
            t.s(stateName(q.toInt(11))).s(q.toText(12)).r(tot.vergi).r(tot.net).r(round2(tot.net + tot.vergi));
            t.endRow();
        }
        return one(t.take());
    }

    std::vector<WireValue> RaporEnCokSatilanStoklar(const Args &a) {
        const Scope s = scope(a.login(0));
        const double from = dayStart(a.dbl(1)), to = dayStart(a.dbl(2)) + 1;
        std::vector<QVariant> binds;
        const QString where = scopeCondition(s, binds) + QStringLiteral(" AND o.tarih >= ? AND o.tarih < ?");
        binds.emplace_back(from);
        binds.emplace_back(to);
        struct Sold {
            QString barkod, kod, adi, departman;
            double miktar = 0, net = 0, vergi = 0;
        };
        std::map<int, Sold> sold;
        Sql q(db_, QStringLiteral("SELECT l.stokno, l.miktar, l.birimfiyat, l.ind1, l.ind2, l.ind3, l.ind4, l.kdv, "
                                  "i.barkod, i.ureticikodu, i.adi, i.anagrup, l.barkod, l.stokadi "
                                  "FROM order_lines l JOIN orders o ON o.idno = l.idno "
                                  "JOIN customers c ON c.carino = o.carino LEFT JOIN items i ON i.stokno = l.stokno "
                                  "WHERE %1").arg(where));
        for (const QVariant &b : binds) q.bind(b);
        q.exec();
        while (q.next()) {
            const LineAmounts am = lineAmounts(q.toDouble(1), q.toDouble(2),
                                               {q.toDouble(3), q.toDouble(4), q.toDouble(5), q.toDouble(6)}, q.toDouble(7));
            Sold &x = sold[q.toInt(0)];
            if (x.adi.isEmpty()) {
                x.barkod = q.isNull(8) ? q.toText(12) : q.toText(8);
                x.kod = q.toText(9);
                x.adi = q.isNull(10) ? q.toText(13) : q.toText(10);
                x.departman = q.toText(11);
            }
            x.miktar += q.toDouble(1);
            x.net = round2(x.net + am.netTutar);
            x.vergi = round2(x.vergi + am.vergiTutari);
        }
        std::vector<const Sold *> order;
        for (const auto &e : sold) order.push_back(&e.second);
        std::stable_sort(order.begin(), order.end(), [](const Sold *x, const Sold *y) {
            return x->miktar != y->miktar ? x->miktar > y->miktar : x->net > y->net;
        });
        if (order.size() > 1000) order.resize(1000);
        TableBuilder t;
        t.col("BARKOD", K::Text, 50).col("KOD", K::Text, 50).col("ADI", K::Text, 100).col("DEPARTMAN", K::Text, 50);
        t.col("MIKTAR", K::Float).col("NETTUTAR", K::Float).col("TLVERGI", K::Float).col("TUTAR", K::Float);
        for (const Sold *x : order) {
            t.s(x->barkod).s(x->kod).s(x->adi).s(x->departman).r(x->miktar).r(x->net).r(x->vergi).r(round2(x->net + x->vergi));
            t.endRow();
        }
        return one(t.take());
    }

    // ------------------------------------------------------------ customers (representatives)

    struct CustomerFigures {
        double balance = 0;
        int basket = 0;
        int states[7] = {0, 0, 0, 0, 0, 0, 0};
    };

    std::unordered_map<int, CustomerFigures> customerFigures() {
        std::unordered_map<int, CustomerFigures> f;
        {
            Sql q(db_, QStringLiteral("SELECT carino, SUM(borc), SUM(alacak) FROM statement GROUP BY carino"));
            q.exec();
            while (q.next()) f[q.toInt(0)].balance = round2(q.toDouble(1) - q.toDouble(2));
        }
        {
            Sql q(db_, QStringLiteral("SELECT carino, COUNT(*) FROM basket GROUP BY carino"));
            q.exec();
            while (q.next()) f[q.toInt(0)].basket = q.toInt(1);
        }
        {
            Sql q(db_, QStringLiteral("SELECT carino, durum, COUNT(*) FROM orders GROUP BY carino, durum"));
            q.exec();
            while (q.next()) {
                const int st = q.toInt(1);
                if (st >= 1 && st <= 6) f[q.toInt(0)].states[st] = q.toInt(2);
            }
        }
        return f;
    }

    TableData customerTable(const QString &where, const std::vector<QVariant> &binds) {
        const auto figures = customerFigures();
        TableBuilder t;
        for (const char *n : {"CARINO"}) t.col(n, K::Integer);
        for (const char *n : {"CARIKOD", "CARIADI", "SATICISI"}) t.col(n, K::Text);
        t.col("TLBAKIYE", K::Float);
        for (const char *n : {"DURUM", "OZELKOD", "KOD1", "KOD2", "KOD3", "KOD4", "KOD5", "TEL1", "TEL2", "ILCE", "IL", "GSM"})
            t.col(n, K::Text);
        t.col("SEPET", K::Integer);
        for (const char *n : {"YETKILI", "INDIRIM", "VADE"}) t.col(n, K::Text);
        t.col("VADEKONTROLGUN", K::Integer).col("VADEKONTROLAY", K::Integer);
        for (const char *n : {"VERGIDAIRESI", "VERGINO", "ADRES1", "ADRES2", "ANAGRUP", "ALTGRUP", "FAX1", "FAX2", "EMAIL"})
            t.col(n, K::Text);
        for (const char *n : {"ALINDI", "ONAYLANDI", "GORULDU", "HAZIRLANDI", "PARCALIHAZIRLANDI"}) t.col(n, K::Integer);
        Sql q(db_, QStringLiteral("SELECT c.carino, c.carikod, c.cariadi, r.adi, c.ozelkod, c.kod1, c.kod2, c.kod3, c.kod4, "
                                  "c.kod5, c.tel1, c.tel2, c.ilce, c.il, c.gsm, c.yetkili, c.iskonto1, c.iskonto2, c.vade, "
                                  "c.vadekontrolgun, c.vadekontrolay, c.vergidairesi, c.vergino, c.adres1, c.adres2, "
                                  "c.anagrup, c.altgrup, c.fax1, c.fax2, c.email FROM customers c "
                                  "LEFT JOIN reps r ON r.saticino = c.saticino WHERE %1 ORDER BY c.cariadi").arg(where));
        for (const QVariant &b : binds) q.bind(b);
        q.exec();
        while (q.next()) {
            const auto it = figures.find(q.toInt(0));
            const CustomerFigures f = it == figures.end() ? CustomerFigures{} : it->second;
            t.i(q.toInt(0)).s(q.toText(1)).s(q.toText(2)).s(q.toText(3)).r(f.balance);
            t.s(f.balance > 0.004 ? QStringLiteral("B") : f.balance < -0.004 ? QStringLiteral("A") : QString());
            for (int i = 4; i <= 14; ++i) t.s(q.toText(i));
            t.i(f.basket).s(q.toText(15)).s(ratesText({q.toDouble(16), q.toDouble(17), 0, 0})).s(q.toText(18));
            t.i(q.toInt(19)).i(q.toInt(20));
            for (int i = 21; i <= 29; ++i) t.s(q.toText(i));
            t.i(f.states[1]).i(f.states[2]).i(f.states[3]).i(f.states[5]).i(f.states[4]);
            t.endRow();
        }
        return t.take();
    }

    std::vector<WireValue> CariAra(const Args &a) {
        const Scope s = scope(a.login(0));
        std::vector<QVariant> binds;
        QString where = scopeCondition(s, binds);
        const QStringList words = normaliseWords(a.text(1));
        for (const QString &w : words.mid(0, 8)) {
            where += QStringLiteral(" AND c.arama LIKE ?");
            binds.emplace_back(QStringLiteral("%") + w + QStringLiteral("%"));
        }
        return one(customerTable(where, binds));
    }

    std::vector<WireValue> CariSepetVer(const Args &a) {
        const Scope s = scope(a.login(0));
        const int n = a.i32(1);
        if (n < 1 || n > 7) refuse(QStringLiteral("Geçersiz durum numarası: %1 (1 ile 7 arasında olmalı)").arg(n));
        std::vector<QVariant> binds;
        QString where = scopeCondition(s, binds);
        if (n == 1) where += QStringLiteral(" AND c.carino IN (SELECT carino FROM basket)");
        else {
            where += QStringLiteral(" AND c.carino IN (SELECT carino FROM orders WHERE durum = ?)");
            binds.emplace_back(n - 1);
        }
        return one(customerTable(where, binds));
    }

    std::vector<WireValue> TusSonuclariVer(const Args &a) {
        const Scope s = scope(a.login(0));
        std::vector<QVariant> binds;
        const QString cond = scopeCondition(s, binds);
        Sql q(db_, QStringLiteral("SELECT o.durum, COUNT(*) FROM orders o JOIN customers c ON c.carino = o.carino "
                                  "WHERE %1 GROUP BY o.durum").arg(cond));
        for (const QVariant &b : binds) q.bind(b);
        q.exec();
        TTusSonuclari t;
        while (q.next()) {
            const int n = q.toInt(1);
            switch (q.toInt(0)) {
            case 1: t.SetAlindi(n); break;
            case 2: t.SetOnaylandi(n); break;
            case 3: t.SetGoruldu(n); break;
            case 4: t.SetParcaliHazirlandi(n); break;
            case 5: t.SetHazirlandi(n); break;
            case 6: t.SetSevkEdildi(n); break;
            default: break;
            }
        }
        return one(objectAnswer(t));
    }

    // ------------------------------------------------------------ account and documents

    std::vector<WireValue> CariEkstreVer(const Args &a) {
        const int carino = a.i32(0);
        TableBuilder t;
        t.col("CARINO", K::Integer).col("TARIH", K::Date).col("TURADI", K::Text).col("EVRAK", K::Text);
        t.col("BORC", K::Float).col("ALACAK", K::Float).col("KUR", K::Text).col("BAKIYE", K::Float);
        t.col("D", K::Text).col("IDNO", K::Integer).col("ACIKLAMA", K::Text);
        Sql q(db_, QStringLiteral("SELECT carino, tarih, turadi, evrak, borc, alacak, kur, idno, aciklama FROM statement "
                                  "WHERE carino = ? ORDER BY tarih, id"));
        q.bind(carino).exec();
        double running = 0;
        while (q.next()) {
            const double borc = q.toDouble(4), alacak = q.toDouble(5);
            running = round2(running + borc - alacak);
            t.i(q.toInt(0)).d(dayStart(q.toDouble(1))).s(q.toText(2)).s(q.toText(3)).r(borc).r(alacak).s(q.toText(6));
            t.r(running).s(running > 0 ? QStringLiteral("B") : running < 0 ? QStringLiteral("A") : QStringLiteral(" "));
            t.i(q.toInt(7)).s(q.toText(8));
            t.endRow();
        }
        return one(t.take());
    }

    struct InvoiceLine {
        int stokno = 0;
        double miktar = 0, fiyat = 0, kdv = 0;
        Rates rates{};
        QString aciklama;
        LineAmounts amounts;
    };

    std::vector<InvoiceLine> invoiceLines(int idno) {
        std::vector<InvoiceLine> v;
        Sql q(db_, QStringLiteral("SELECT stokno, miktar, birimfiyat, ind1, ind2, ind3, ind4, kdv, aciklama FROM invoice_lines "
                                  "WHERE idno = ? ORDER BY sira"));
        q.bind(idno).exec();
        while (q.next()) {
            InvoiceLine l;
            l.stokno = q.toInt(0);
            l.miktar = q.toDouble(1);
            l.fiyat = q.toDouble(2);
            l.rates = {q.toDouble(3), q.toDouble(4), q.toDouble(5), q.toDouble(6)};
            l.kdv = q.toDouble(7);
            l.aciklama = q.toText(8);
            l.amounts = lineAmounts(l.miktar, l.fiyat, l.rates, l.kdv);
            v.push_back(std::move(l));
        }
        return v;
    }

    std::vector<WireValue> FaturaGetir(const Args &a) {
        const int carino = a.i32(0), idno = a.i32(1);
        TableBuilder t;
        const auto txt = [&](std::initializer_list<const char *> names) {
            for (const char *n : names) t.col(n, K::Text);
        };
        txt({"OEMNO", "STOKADI", "FINISHKOD", "MARKA", "MODEL", "ANAGRUP", "OZELKOD", "BIRIM", "BARKOD",
             "STOKHAR_HAREKETTARIHI", "STOKHAR_HAREKETTIPI2", "EVRAKNO"});
        for (const char *n : {"STOKHAR_MIKTAR", "STOKHAR_TLBIRIMFIYATI", "STOKHAR_TLVERGI", "STOKHAR_TLTUTAR",
                              "STOKHAR_INDIRIM1", "STOKHAR_INDIRIM2", "STOKHAR_INDIRIM3", "STOKHAR_INDIRIM4",
                              "STOKHAR_INDIRIM5", "STOKHAR_INDIRIM6", "STOKHAR_INDIRIM7", "STOKHAR_INDIRIM8",
                              "STOKHAR_DOVIZBIRIMFIYATI", "STOKHAR_DOVIZVERGI", "STOKHAR_DOVIZTUTAR"})
            t.col(n, K::Float);
        t.col("IRSALIYEEVRAKNO", K::Text).col("STOKHAR_IRSTARIHI", K::Date).col("KDV", K::Integer);
        txt({"STOKHAR_PARTI", "STOKHAR_BEDEN", "STOKHAR_RENK", "SATIRACIKLMASI"});
        for (const char *n : {"STOKHAR_TOPLAMINDIRIM", "STOKHAR_MASRAF1", "STOKHAR_MASRAF2", "STOKHAR_TOPLAMMASRAF",
                              "STOKHAR_DOVIZTOPLAMINDIRIM", "STOKHAR_DOVIZTOPLAMMASRAF"})
            t.col(n, K::Float);
        t.col("STOKHAR_SAAT", K::Text);
        for (const char *n : {"STOKHAR_NETTLBIRIMFIYATI", "STOKHAR_NETDOVIZBIRIMFIYATI", "STOKHAR_NETTLTUTAR",
                              "STOKHAR_NETDOVIZTUTAR", "STOKHAR_KURTL"})
            t.col(n, K::Float);
        txt({"STOKHAR_VADE", "SIPARISTIPI", "SIPARISEVRAKNO"});
        t.col("SIPARISTARIHI", K::Date).col("IRSALIYETIPINO", K::Integer).col("IRSALIYETIP2", K::Text);
        t.col("STOKCARIKOD", K::Text).col("SUBE_NO", K::Integer).col("STOKHAR_CARINO", K::Integer);
        txt({"KUR_KURSIMGE", "SATICIADI", "URETICIKODU", "DPKOD", "ENADI", "PKOD", "BELGENO"});
        t.col("IDNO", K::Integer);

        Sql h(db_, QStringLiteral("SELECT v.carino, v.tarih, v.tip, v.evrakno, v.vade, v.saticiadi, v.irsaliyeno, "
                                  "v.siparisno, v.siparistarihi, c.carikod FROM invoices v "
                                  "JOIN customers c ON c.carino = v.carino WHERE v.idno = ?"));
        h.bind(idno).exec();
        if (!h.next() || (carino != 0 && h.toInt(0) != carino)) return one(t.take());
        const int invCari = h.toInt(0);
        const double tarih = h.toDouble(1);
        const QString tip = h.toText(2), evrak = h.toText(3), vade = QString::number(h.toInt(4)), satici = h.toText(5);
        const QString irs = h.toText(6), sip = h.toText(7), carikod = h.toText(9);
        const double sipTarih = h.toDouble(8);
        const bool iade = tip.contains(QStringLiteral("İade"));
        for (const InvoiceLine &l : invoiceLines(idno)) {
            Sql it(db_, QStringLiteral("SELECT oemno, adi, finishkod, marka, model, anagrup, ozelkod, birim, barkod, "
                                       "ureticikodu, dpkod, digeradi, pkod FROM items WHERE stokno = ?"));
            it.bind(l.stokno).exec();
            QString item[13];
            if (it.next())
                for (int i = 0; i < 13; ++i) item[i] = it.toText(i);
            for (int i = 0; i < 9; ++i) t.s(item[i]);
            t.s(dateText(tarih)).s(tip).s(evrak);
            const LineAmounts &am = l.amounts;
            t.r(l.miktar).r(l.fiyat).r(am.vergiTutari).r(am.tutar);
            for (double r : l.rates) t.r(r);
            for (int i = 0; i < 4; ++i) t.r(0);
            t.r(0).r(0).r(0);
            t.s(irs).d(dayStart(tarih)).i(int64_t(std::llround(l.kdv)));
            t.s(QString()).s(QString()).s(QString()).s(l.aciklama);
            t.r(am.indirimTutar).r(0).r(0).r(0).r(0).r(0);
            t.s(timeText(tarih));
            t.r(am.netBirimFiyat).r(0).r(am.netTutar).r(0).r(1);
            t.s(vade).s(iade ? QStringLiteral("İade") : QStringLiteral("Alınan Sipariş")).s(sip);
            t.d(dayStart(sipTarih)).i(iade ? 2 : 1).s(iade ? QStringLiteral("İade İrsaliyesi") : QStringLiteral("Satış İrsaliyesi"));
            t.s(carikod).i(1).i(invCari);
            t.s(QStringLiteral("TL")).s(satici).s(item[9]).s(item[10]).s(item[11]).s(item[12]).s(evrak);
            t.i(idno);
            t.endRow();
        }
        return one(t.take());
    }

    std::vector<WireValue> FaturaAltGetir(const Args &a) {
        const int idno = a.i32(0);
        TableBuilder t;
        for (const char *n : {"TOPLAM", "TOPLAMINDIRIM", "MATRAH", "KDVTUTAR", "KDVDAHIL"}) t.col(n, K::Float);
        Sql h(db_, QStringLiteral("SELECT COUNT(*) FROM invoices WHERE idno = ?"));
        h.bind(idno);
        if (h.scalar(0).toInt() == 0) return one(t.take());
        double toplam = 0, indirim = 0, matrah = 0, kdv = 0;
        for (const InvoiceLine &l : invoiceLines(idno)) {
            toplam = round2(toplam + l.amounts.tutar);
            indirim = round2(indirim + l.amounts.indirimTutar);
            matrah = round2(matrah + l.amounts.netTutar);
            kdv = round2(kdv + l.amounts.vergiTutari);
        }
        t.r(toplam).r(indirim).r(matrah).r(kdv).r(round2(matrah + kdv));
        t.endRow();
        return one(t.take());
    }

    std::vector<WireValue> Tahsilat(const Args &a) {
        const int idno = a.i32(0);
        TableBuilder t;
        t.col(QStringLiteral("Tarih"), K::Date).col(QStringLiteral("Türü"), K::Text).col(QStringLiteral("Cins"), K::Text);
        t.col(QStringLiteral("EvrakNo"), K::Text).col(QStringLiteral("Vade"), K::Date).col(QStringLiteral("Tutar"), K::Float);
        t.col(QStringLiteral("Kur"), K::Text).col(QStringLiteral("KurTL"), K::Float).col(QStringLiteral("Açıklama"), K::Text);
        t.col(QStringLiteral("Döviz Tutar"), K::Float).col(QStringLiteral("Ref"), K::Text).col(QStringLiteral("Saat"), K::Text);
        Sql q(db_, QStringLiteral("SELECT c.tarih, c.tur, i.cins, i.evrakno, i.vade, i.tutar, i.kur, i.kurtl, i.aciklama, "
                                  "c.aciklama, i.doviztutar, i.ref, i.saat FROM collection_items i "
                                  "JOIN collections c ON c.idno = i.idno WHERE i.idno = ? ORDER BY i.id"));
        q.bind(idno).exec();
        while (q.next()) {
            const QString note = q.toText(8).isEmpty() ? q.toText(9) : q.toText(8);
            t.d(dayStart(q.toDouble(0))).s(q.toText(1)).s(q.toText(2)).s(q.toText(3)).d(dayStart(q.toDouble(4)));
            t.r(q.toDouble(5)).s(q.toText(6)).r(q.toDouble(7)).s(note).r(q.toDouble(10)).s(q.toText(11)).s(q.toText(12));
            t.endRow();
        }
        return one(t.take());
    }

    std::vector<WireValue> SanalposSiranoVer(const Args &a) {
        Sql q(db_, QStringLiteral("SELECT sanalpos FROM collections WHERE idno = ?"));
        q.bind(a.i32(0));
        return one(int32_t(q.scalar(0).toInt()));
    }

    std::vector<WireValue> SAnalPosPdfVer(const Args &a) {
        const int sirano = a.i32(0);
        Sql q(db_, QStringLiteral("SELECT p.tarih, p.kart, p.kartsahibi, p.banka, p.taksit, p.tutar, p.onaykodu, p.referans, "
                                  "c.carikod, c.cariadi, t.evrakno FROM virtual_pos p "
                                  "JOIN customers c ON c.carino = p.carino JOIN collections t ON t.idno = p.idno "
                                  "WHERE p.sirano = ?"));
        q.bind(sirano).exec();
        if (!q.next()) refuse(QStringLiteral("Sanal POS kaydı bulunamadı: %1").arg(sirano));
        PdfDocument d;
        d.title = QStringLiteral("Sanal POS Tahsilat Makbuzu");
        d.heading << QStringLiteral("Makbuz No: %1").arg(sirano)
                  << QStringLiteral("Tarih: %1 %2").arg(dateText(q.toDouble(0)), timeText(q.toDouble(0)))
                  << QStringLiteral("Cari: %1 - %2").arg(q.toText(8), q.toText(9))
                  << QStringLiteral("Tahsilat evrak no: %1").arg(q.toText(10));
        d.table.headers << QStringLiteral("Bilgi") << QStringLiteral("Değer");
        d.table.widths = {1, 2};
        d.table.rightAligned = {false, false};
        d.table.rows.push_back({QStringLiteral("Kart"), q.toText(1)});
        d.table.rows.push_back({QStringLiteral("Kart sahibi"), q.toText(2)});
        d.table.rows.push_back({QStringLiteral("Banka"), q.toText(3)});
        d.table.rows.push_back({QStringLiteral("Taksit"), q.toInt(4) <= 1 ? QStringLiteral("Tek çekim") : QString::number(q.toInt(4))});
        d.table.rows.push_back({QStringLiteral("Onay kodu"), q.toText(6)});
        d.table.rows.push_back({QStringLiteral("Referans"), q.toText(7)});
        d.table.totals << QStringLiteral("Tutar") << money(q.toDouble(5)) + QStringLiteral(" TL");
        d.closing << QStringLiteral("Bu belge sanal POS işleminin bilgi amaçlı dökümüdür.");
        return streamAnswer(renderPdf(d));
    }

    std::vector<WireValue> StokHareketVer(const Args &a) {
        const int carino = a.i32(0), stokno = a.i32(1);
        TableBuilder t;
        t.col("BARKOD", K::Text).col("TARIH", K::Date).col("TURU", K::Text).col("EVRAKSERI", K::Text);
        t.col("EVRAKSIRA", K::Integer);
        for (const char *n : {"MIKTAR", "TLBIRIMFIYAT", "TLVERGI", "TLTUTAR", "INDIRIM1", "INDIRIM2", "INDIRIM3", "INDIRIM4",
                              "INDIRIM5", "INDIRIM6", "INDIRIM7", "INDIRIM8", "TOPLAMINDIRIM", "MASRAF1", "MASRAF2",
                              "TOPLAMMASRAF", "NETBIRIMFIYAT", "NETTLTUTAR"})
            t.col(n, K::Float);
        t.col("VADE", K::Integer).col("STOKCARIKOD", K::Text).col("KDVDAHILBIRIMFIYAT", K::Float);
        t.col("KDVDAHILTUTAR", K::Float).col("SATICI", K::Text);
        QString where = QStringLiteral("l.stokno = ?");
        std::vector<QVariant> binds{stokno};
        if (carino != 0) {
            where += QStringLiteral(" AND v.carino = ?");
            binds.emplace_back(carino);
        }
        Sql q(db_, QStringLiteral("SELECT i.barkod, v.tarih, v.tip, v.evrakno, l.miktar, l.birimfiyat, l.ind1, l.ind2, "
                                  "l.ind3, l.ind4, l.kdv, v.vade, c.carikod, v.saticiadi FROM invoice_lines l "
                                  "JOIN invoices v ON v.idno = l.idno JOIN customers c ON c.carino = v.carino "
                                  "LEFT JOIN items i ON i.stokno = l.stokno WHERE %1 ORDER BY v.tarih, l.id").arg(where));
        for (const QVariant &b : binds) q.bind(b);
        q.exec();
        while (q.next()) {
            const QString evrak = q.toText(3);
            const double miktar = q.toDouble(4), fiyat = q.toDouble(5), kdv = q.toDouble(10);
            const Rates rt{q.toDouble(6), q.toDouble(7), q.toDouble(8), q.toDouble(9)};
            const LineAmounts am = lineAmounts(miktar, fiyat, rt, kdv);
            const double kdvli = round2(am.netTutar + am.vergiTutari);
            t.s(q.toText(0)).d(dayStart(q.toDouble(1))).s(q.toText(2)).s(evrak.left(1)).i(evrak.mid(1).toInt());
            t.r(miktar).r(fiyat).r(am.vergiTutari).r(am.tutar);
            for (double r : rt) t.r(r);
            t.r(0).r(0).r(0).r(0).r(am.indirimTutar).r(0).r(0).r(0).r(am.netBirimFiyat).r(am.netTutar);
            t.i(q.toInt(11)).s(q.toText(12)).r(miktar != 0 ? round2(kdvli / miktar) : 0).r(kdvli).s(q.toText(13));
            t.endRow();
        }
        return one(t.take());
    }

    // ------------------------------------------------------------ reports (PDF)

    std::vector<WireValue> RaporGetir(const Args &a) {
        const int raporno = a.i32(0), idno = a.i32(2), carino = a.i32(3);
        const QString satici = a.text(4).trimmed();
        const double t1 = dayStart(a.dbl(5)), t2 = dayStart(a.dbl(6));
        if (t2 < t1) refuse(QStringLiteral("İkinci tarih birinciden önce olamaz"));
        // The report covers one customer, or every customer of the named representative ("." = all)
        // within what the requesting user (idno) may see.
        std::vector<QVariant> binds;
        QString where;
        if (carino > 0) {
            requireCustomer(carino);
            where = QStringLiteral("c.carino = ?");
            binds.emplace_back(carino);
        } else {
            const User u = user(idno);
            if (!u.found) refuse(QStringLiteral("Kullanıcı bulunamadı (Sirano %1)").arg(idno));
            Scope s;
            s.type = u.type;
            s.saticino = u.saticino;
            s.carino = u.carino;
            where = scopeCondition(s, binds);
            if (!satici.isEmpty() && satici != QStringLiteral(".")) {
                // The representative's full name, or the login name a representative sends for himself.
                where += QStringLiteral(" AND (r.adi = ? OR c.saticino IN (SELECT saticino FROM users "
                                        "WHERE adi = ? AND musteritipi IN (1, 2)))");
                binds.emplace_back(satici);
                binds.emplace_back(satici);
            }
        }
        PdfDocument d;
        if (raporno == 6 && carino > 0) d = customerSummary(carino, t1);
        else if (raporno == 6) d = receivablesReport(where, binds, t1, satici);
        else if (raporno == 7) d = salesTable(where, binds, t1, t2, satici);
        else refuse(QStringLiteral("Bilinmeyen rapor numarası: %1").arg(raporno));
        d.closing << QStringLiteral("Düzenleyen kullanıcı no: %1 · Oluşturma: %2")
                         .arg(idno)
                         .arg(QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")));
        return streamAnswer(renderPdf(d));
    }

    PdfDocument customerSummary(int carino, double asOf) {
        const Customer c = requireCustomer(carino);
        const Overdue o = overdue(carino, asOf + 1);
        PdfDocument d;
        d.title = QStringLiteral("Cari Özeti");
        d.heading << QStringLiteral("Cari: %1 - %2").arg(c.carikod, c.cariadi)
                  << QStringLiteral("Temsilci: %1").arg(rep(c.saticino).adi)
                  << QStringLiteral("Tarih: %1 · Vade: %2 gün").arg(dateText(asOf)).arg(c.vade)
                  << QStringLiteral("Bakiye: %1 TL %2 · Vadesi geçen: %3 TL")
                         .arg(money(std::fabs(o.balance)), o.balance >= 0 ? QStringLiteral("(B)") : QStringLiteral("(A)"),
                              money(o.amount));
        d.table.headers << QStringLiteral("Tarih") << QStringLiteral("Tür") << QStringLiteral("Evrak No")
                        << QStringLiteral("Borç") << QStringLiteral("Alacak") << QStringLiteral("Bakiye");
        d.table.widths = {1.2, 1.6, 1.2, 1.2, 1.2, 1.3};
        d.table.rightAligned = {false, false, false, true, true, true};
        Sql q(db_, QStringLiteral("SELECT tarih, turadi, evrak, borc, alacak FROM statement WHERE carino = ? AND tarih < ? "
                                  "ORDER BY tarih, id"));
        q.bind(carino).bind(asOf + 1).exec();
        double running = 0, borc = 0, alacak = 0;
        std::vector<QStringList> rows;
        while (q.next()) {
            running = round2(running + q.toDouble(3) - q.toDouble(4));
            borc = round2(borc + q.toDouble(3));
            alacak = round2(alacak + q.toDouble(4));
            rows.push_back({dateText(q.toDouble(0)), q.toText(1), q.toText(2), money(q.toDouble(3)), money(q.toDouble(4)),
                            money(running)});
        }
        // The last movements are what a summary needs.
        if (rows.size() > 40) rows.erase(rows.begin(), rows.end() - 40);
        d.table.rows = rows;
        d.table.totals << QStringLiteral("Toplam") << QString() << QString() << money(borc) << money(alacak) << money(running);
        Sql open(db_, QStringLiteral("SELECT COUNT(*) FROM orders WHERE carino = ? AND durum < 6"));
        open.bind(carino);
        d.closing << QStringLiteral("Açık sipariş sayısı: %1").arg(open.scalar(0).toInt());
        return d;
    }

    PdfDocument receivablesReport(const QString &where, const std::vector<QVariant> &binds, double asOf, const QString &satici) {
        PdfDocument d;
        d.title = QStringLiteral("Cari Toplu Alacak Vadeleri");
        d.landscape = true;
        d.heading << QStringLiteral("Tarih: %1").arg(dateText(asOf))
                  << QStringLiteral("Temsilci: %1").arg(satici.isEmpty() || satici == QStringLiteral(".") ? QStringLiteral("Tümü") : satici);
        d.table.headers << QStringLiteral("Cari Kod") << QStringLiteral("Cari Adı") << QStringLiteral("Temsilci")
                        << QStringLiteral("Bakiye") << QStringLiteral("Vadesi Geçen") << QStringLiteral("0-30 Gün")
                        << QStringLiteral("31-60 Gün") << QStringLiteral("60+ Gün");
        d.table.widths = {1.1, 3, 1.5, 1.2, 1.2, 1, 1, 1};
        d.table.rightAligned = {false, false, false, true, true, true, true, true};
        Sql q(db_, QStringLiteral("SELECT c.carino, c.carikod, c.cariadi, r.adi FROM customers c "
                                  "LEFT JOIN reps r ON r.saticino = c.saticino WHERE %1 ORDER BY c.cariadi").arg(where));
        for (const QVariant &b : binds) q.bind(b);
        q.exec();
        double tot[5] = {0, 0, 0, 0, 0};
        while (q.next()) {
            const Overdue o = overdue(q.toInt(0), asOf + 1);
            d.table.rows.push_back({q.toText(1), q.toText(2), q.toText(3), money(o.balance), money(o.amount),
                                    money(o.bucket[0]), money(o.bucket[1]), money(o.bucket[2])});
            const double v[5] = {o.balance, o.amount, o.bucket[0], o.bucket[1], o.bucket[2]};
            for (int i = 0; i < 5; ++i) tot[i] = round2(tot[i] + v[i]);
        }
        d.table.totals << QStringLiteral("Toplam") << QString() << QString();
        for (double v : tot) d.table.totals << money(v);
        return d;
    }

    PdfDocument salesTable(const QString &where, const std::vector<QVariant> &binds, double from, double to,
                           const QString &satici) {
        PdfDocument d;
        d.title = QStringLiteral("Cari Alış Satış Tablosu (Satıcılı)");
        d.landscape = true;
        d.heading << QStringLiteral("Tarih aralığı: %1 - %2").arg(dateText(from), dateText(to))
                  << QStringLiteral("Temsilci: %1").arg(satici.isEmpty() || satici == QStringLiteral(".") ? QStringLiteral("Tümü") : satici);
        d.table.headers << QStringLiteral("Cari Kod") << QStringLiteral("Cari Adı") << QStringLiteral("Temsilci")
                        << QStringLiteral("Satış") << QStringLiteral("İade") << QStringLiteral("Net Satış")
                        << QStringLiteral("Tahsilat") << QStringLiteral("Tediye") << QStringLiteral("Fark");
        d.table.widths = {1.1, 3, 1.5, 1.1, 1, 1.1, 1.1, 1, 1.1};
        d.table.rightAligned = {false, false, false, true, true, true, true, true, true};
        Sql q(db_, QStringLiteral("SELECT c.carino, c.carikod, c.cariadi, r.adi, s.turadi, SUM(s.borc), SUM(s.alacak) "
                                  "FROM customers c LEFT JOIN reps r ON r.saticino = c.saticino "
                                  "JOIN statement s ON s.carino = c.carino WHERE %1 AND s.tarih >= ? AND s.tarih < ? "
                                  "GROUP BY c.carino, c.carikod, c.cariadi, r.adi, s.turadi ORDER BY c.cariadi").arg(where));
        for (const QVariant &b : binds) q.bind(b);
        q.bind(from).bind(to + 1).exec();
        struct Row {
            QString kod, adi, rep;
            double satis = 0, iade = 0, tahsilat = 0, tediye = 0;
        };
        std::vector<Row> rows;
        std::map<int, size_t> at;
        while (q.next()) {
            const int carino = q.toInt(0);
            auto it = at.find(carino);
            if (it == at.end()) {
                it = at.emplace(carino, rows.size()).first;
                rows.push_back(Row{q.toText(1), q.toText(2), q.toText(3)});
            }
            Row &r = rows[it->second];
            const QString tur = q.toText(4);
            const double borc = q.toDouble(5), alacak = q.toDouble(6);
            if (tur.contains(QStringLiteral("İade"))) r.iade = round2(r.iade + alacak);
            else if (tur.contains(QStringLiteral("Fatura"))) r.satis = round2(r.satis + borc);
            else if (tur == QStringLiteral("Tahsilat")) r.tahsilat = round2(r.tahsilat + alacak);
            else if (tur == QStringLiteral("Tediye")) r.tediye = round2(r.tediye + borc);
        }
        double tot[6] = {0, 0, 0, 0, 0, 0};
        for (const Row &r : rows) {
            const double net = round2(r.satis - r.iade), fark = round2(net - r.tahsilat + r.tediye);
            d.table.rows.push_back({r.kod, r.adi, r.rep, money(r.satis), money(r.iade), money(net), money(r.tahsilat),
                                    money(r.tediye), money(fark)});
            const double v[6] = {r.satis, r.iade, net, r.tahsilat, r.tediye, fark};
            for (int i = 0; i < 6; ++i) tot[i] = round2(tot[i] + v[i]);
        }
        d.table.totals << QStringLiteral("Toplam") << QString() << QString();
        for (double v : tot) d.table.totals << money(v);
        return d;
    }

    // ------------------------------------------------------------ login, firm details, mail

    std::vector<WireValue> BuyukGetir(const Args &a) {
        const QString id = a.text(0);
        TSonucBilgisi b;
        b.SetBILGISAYARID(id);
        b.SetVersion(ctx_.version);
        b.SetMusteriTipi(0);
        Sql q(db_, QStringLiteral("SELECT m.user_sirano, m.note FROM machines m WHERE m.machine_id = ?"));
        q.bind(id).exec();
        const int sirano = q.next() ? q.toInt(0) : 0;
        const User u = sirano > 0 ? user(sirano) : User{};
        if (!u.found) {
            // Kept so that an operator can bind the computer (b2b-server machines / assign).
            log(0, 0, "unknown-machine", id.left(120));
            return one(objectAnswer(b));
        }
        const Customer c = customer(u.carino);
        const Rep r = rep(c.found ? c.saticino : u.saticino);
        b.SetVarmi(true);
        b.SetSirano(u.sirano);
        b.SetADI(u.adi);
        b.SetSIFRE(u.sifre);
        b.SetAKTIF(u.aktif);
        b.SetKullanicimail(u.email);
        b.SetMusteriTipi(u.type);
        b.SetCARINO(c.found ? c.carino : 0);
        b.Setcarikod(c.carikod);
        b.SetCariAdi(c.cariadi);
        b.SetSaticiNo(c.found ? c.saticino : u.saticino);
        b.SetSaticiAdi(r.adi);
        b.SetSaticiTelefon(r.telefon);
        b.SetSaticiMail(r.email);
        return one(objectAnswer(b));
    }

    std::vector<WireValue> MobilCariBilgisiGetir(const Args &a) {
        const int sirano = a.i32(0);
        const QString id = a.text(1);
        int userNo = sirano;
        if (userNo <= 0) {
            Sql q(db_, QStringLiteral("SELECT user_sirano FROM machines WHERE machine_id = ?"));
            q.bind(id);
            userNo = q.scalar(0).toInt();
        }
        TMobilCariBilgisi m;
        const User u = userNo > 0 ? user(userNo) : User{};
        if (!u.found) return one(objectAnswer(m));
        m.SetBILGISAYARID(id);
        m.SetKULLANICIADI(u.adi);
        m.SetSIFRE(u.sifre);
        m.SetMAIL(u.email);
        Sql q(db_, QStringLiteral("SELECT c.carino, c.carikod, c.cariadi, c.il, c.ilce, c.fax1, c.fax2, c.email, c.vergidairesi, "
                                  "c.vergino, c.yetkili, c.altgrup, c.anagrup, c.tel1, c.tel2, c.gsm, c.adres1, c.adres2, "
                                  "c.ulke, c.ozelkod, r.adi, r.email, r.telefon FROM customers c "
                                  "LEFT JOIN reps r ON r.saticino = c.saticino WHERE c.carino = ?"));
        q.bind(u.carino).exec();
        if (q.next()) {
            m.SetCARINO(q.toInt(0));
            m.SetCARIKOD(q.toText(1));
            m.SetCARIADI(q.toText(2));
            m.SetSEHIR(q.toText(3));
            m.SetILCE(q.toText(4));
            m.SetFAX1(q.toText(5));
            m.SetFAX2(q.toText(6));
            m.SetEMAIL(q.toText(7));
            m.SetVERGIDAIRESI(q.toText(8));
            m.SetVERGINO(q.toText(9));
            m.SetYETKILI(q.toText(10));
            m.SetAltGrup(q.toText(11));
            m.SetAnaGrup(q.toText(12));
            m.SetTEL1(q.toText(13));
            m.SetTEL2(q.toText(14));
            m.SetGSM(q.toText(15));
            m.SetADRES1(q.toText(16));
            m.SetADRES2(q.toText(17));
            m.SetULKE(q.toText(18));
            m.SetOzelKod(q.toText(19));
            m.SetSATICIADI(q.toText(20));
            m.SetSATICIMAIL(q.toText(21));
            m.SetSATICITELEFON(q.toText(22));
            Sql s(db_, QStringLiteral("SELECT SUM(borc), SUM(alacak) FROM statement WHERE carino = ?"));
            s.bind(u.carino).exec();
            if (s.next()) {
                m.SetTLBORC(round2(s.toDouble(0)));
                m.SetTLALACAK(round2(s.toDouble(1)));
                m.SetTLBAKIYE(round2(s.toDouble(0) - s.toDouble(1)));
            }
        }
        return one(objectAnswer(m));
    }

    std::vector<WireValue> mail(const Args &a, const char *kind, bool withBody) {
        std::vector<std::pair<QString, QVariant>> v{{QStringLiteral("tarih"), nowDayNumber()},
                                                     {QStringLiteral("kind"), QString::fromLatin1(kind)}};
        const char *cols[] = {"idsi", "baslik", "firmaadi", "adres1", "adres2", "ilce", "sehir", "telefon", "fax",
                              "vd", "vn", "yetkili", "kullaniciadi", "sifre", "mail", "kargoambar"};
        for (size_t i = 0; i < 16; ++i) v.emplace_back(QString::fromLatin1(cols[i]), a.text(i));
        v.emplace_back(QStringLiteral("konu"), withBody ? a.text(16) : QString());
        Transaction tx(db_);
        insertReturningKey(db_, QStringLiteral("outbox"), QStringLiteral("id"), v);
        tx.commit();
        return one(int32_t(1));
    }

    std::vector<WireValue> MailGonserCari(const Args &a) { return mail(a, "firm-request", false); }
    std::vector<WireValue> MailGonserCariNormal(const Args &a) { return mail(a, "to-representative", true); }

    // ------------------------------------------------------------ start-up, adverts, counts

    std::vector<WireValue> KayanYaziGetir(const Args &) {
        Sql q(db_, QStringLiteral("SELECT value FROM settings WHERE name = 'ticker'"));
        return one(q.scalar(QString()).toString());
    }

    std::vector<WireValue> banner(int no) {
        Sql q(db_, QStringLiteral("SELECT data FROM banners WHERE no = ?"));
        q.bind(no).exec();
        return streamAnswer(q.next() ? q.value(0).toByteArray() : QByteArray());
    }
    std::vector<WireValue> BannerResimVer(const Args &) { return banner(1); }
    std::vector<WireValue> BannerResimVer2(const Args &) { return banner(2); }
    std::vector<WireValue> BannerResimVer3(const Args &) { return banner(3); }

    std::vector<WireValue> AcilisReklamAdet(const Args &) {
        Sql q(db_, QStringLiteral("SELECT COUNT(*) FROM adverts WHERE kind = 1"));
        return one(int32_t(q.scalar(0).toInt()));
    }

    static TAcilisEkran advertFrom(Sql &q) {
        TAcilisEkran e;
        e.SetSiraNo(q.toInt(0));
        e.SetBaslik(q.toText(1));
        e.SetArama(q.toText(2));
        e.SetResim(HexKodla(q.value(3).toByteArray()));
        return e;
    }

    std::vector<WireValue> AcilisREklamVer(const Args &a) {
        const int sira = a.i32(0);
        if (sira < 0) refuse(QStringLiteral("Reklam bulunamadı: %1").arg(sira));
        Sql q(db_, QStringLiteral("SELECT sirano, baslik, arama, picture FROM adverts WHERE kind = 1 ORDER BY sira, sirano "
                                  "LIMIT 1 OFFSET ?"));
        q.bind(sira).exec();
        if (!q.next()) refuse(QStringLiteral("Reklam bulunamadı: %1").arg(sira));
        return one(objectAnswer(advertFrom(q)));
    }

    std::vector<WireValue> AcilisEkranlarVer2(const Args &) {
        Sql q(db_, QStringLiteral("SELECT sirano, baslik, arama, picture FROM adverts WHERE kind = 2 ORDER BY sira, sirano"));
        q.exec();
        TAcilisEkranlariki list;
        while (q.next()) list.FEkranlar.push_back(advertFrom(q));
        return one(WireObject{list.marshal(1), false});
    }

    std::vector<WireValue> BalonGetir(const Args &a) {
        const TSonucBilgisi b = a.login(0);
        const int carino = b.CARINO();
        const auto count = [&](const char *sql, bool withCari) {
            Sql q(db_, QString::fromLatin1(sql));
            if (withCari) q.bind(carino);
            return q.scalar(0).toInt();
        };
        double open = 0;
        for (const LineRow &l : orderLines(QStringLiteral("o.carino = ? AND l.kalan > 0"), {carino}, QStringLiteral("l.sirano")))
            open = round2(open + lineAmounts(l.kalan, l.fiyat, l.rates, l.kdv).netTutar);
        TableBuilder t;
        t.col("SEPET", K::Integer).col("YENI", K::Integer).col("KAMPANYA", K::Integer).col("DUYURU", K::Integer);
        t.col("BAKIYE", K::Float);
        t.i(count("SELECT COUNT(*) FROM basket WHERE carino = ?", true));
        t.i(count("SELECT COUNT(*) FROM items WHERE yeni = 1", false));
        t.i(count("SELECT COUNT(*) FROM items WHERE kampanya = 1", false));
        t.i(count("SELECT COUNT(*) FROM adverts WHERE kind = 2", false));
        t.r(open);
        t.endRow();
        return one(t.take());
    }

    std::vector<WireValue> ResimVer5(const Args &a) {
        Sql q(db_, QStringLiteral("SELECT p.mime, p.data FROM items i JOIN pictures p ON p.id = i.resim WHERE i.stokno = ?"));
        q.bind(a.i32(0)).exec();
        if (!q.next()) return streamAnswer({});
        QByteArray data = q.value(1).toByteArray();
        // This method always delivers JPEG.
        if (q.toText(0) != QStringLiteral("image/jpeg")) data = toJpeg(data);
        return streamAnswer(std::move(data));
    }

    // ------------------------------------------------------------ shipping lists

    static TableData idNameTable(Sql &q) {
        TableBuilder t;
        t.col("ID", K::Integer).col("ADI", K::Text);
        q.exec();
        while (q.next()) {
            t.i(q.toInt(0)).s(q.toText(1));
            t.endRow();
        }
        return t.take();
    }

    std::vector<WireValue> TeslimVer(const Args &) {
        Sql q(db_, QStringLiteral("SELECT id, adi FROM delivery_types ORDER BY id"));
        return one(idNameTable(q));
    }

    std::vector<WireValue> KargoVer(const Args &) {
        Sql q(db_, QStringLiteral("SELECT id, adi FROM cargo_types ORDER BY id"));
        return one(idNameTable(q));
    }

    std::vector<WireValue> KargolarVer(const Args &a) {
        TableBuilder t;
        t.col("SIRANO", K::Integer).col("ADI", K::Text).col("UYARI", K::Text);
        Sql q(db_, QStringLiteral("SELECT sirano, adi, uyari FROM shipping_firms WHERE kargotipi = ? ORDER BY sirano"));
        q.bind(a.i32(0)).exec();
        while (q.next()) {
            t.i(q.toInt(0)).s(q.toText(1)).s(q.toText(2));
            t.endRow();
        }
        return one(t.take());
    }

private:
    ServerContext &ctx_;
    Database &db_;
};

const std::unordered_map<std::string, Methods::Handler> &Methods::table() {
#define B2B_M(name) {#name, &Methods::name}
    static const std::unordered_map<std::string, Handler> t = {
        B2B_M(AcilisEkranlarVer2),  B2B_M(AcilisReklamAdet),       B2B_M(AcilisREklamVer),
        B2B_M(BakiyeDegistir),      B2B_M(BakiyeDuzenle),          B2B_M(BakiyeFiyatDegistir),
        B2B_M(BakiyelerVer2),       B2B_M(BalonGetir),             B2B_M(BannerResimVer),
        B2B_M(BannerResimVer2),     B2B_M(BannerResimVer3),        B2B_M(BuyukGetir),
        B2B_M(CariAra),             B2B_M(CariEkstreVer),          B2B_M(CariSepetVer),
        B2B_M(CariVadeGunGecmismiBul), B2B_M(FaturaAltGetir),      B2B_M(FaturaGetir),
        B2B_M(KampanyaliVer2),      B2B_M(KargolarVer),            B2B_M(KargoVer),
        B2B_M(KayanYaziGetir),      B2B_M(MailGonserCari),         B2B_M(MailGonserCariNormal),
        B2B_M(MobilCariBilgisiGetir), B2B_M(OncekiSiparisler),     B2B_M(RaporAlinanSiparisler),
        B2B_M(RaporEnCokSatilanStoklar), B2B_M(RaporGetir),        B2B_M(ResimVer5),
        B2B_M(SAnalPosPdfVer),      B2B_M(SanalposSiranoVer),      B2B_M(SepetEkle2),
        B2B_M(SepetGuncelle2),      B2B_M(SepetHepsiniSil),        B2B_M(SepetSatirSil),
        B2B_M(SepetSayisi),         B2B_M(SepetSecimGuncelle),     B2B_M(SepetVer2),
        B2B_M(SiparisAyrintisi2),   B2B_M(SiparisAytintisiDip),    B2B_M(SiparisKaydet),
        B2B_M(StokAraGetirTelvar),  B2B_M(StokHareketVer),         B2B_M(Tahsilat),
        B2B_M(TeslimVer),           B2B_M(TumSiparislerVer),       B2B_M(TusSonuclariVer),
        B2B_M(YenilerVer2),
    };
#undef B2B_M
    return t;
}

} // namespace

std::vector<WireValue> callMethod(ServerContext &ctx, const MethodSpec &m, std::vector<WireValue> &inputs) {
    const auto &t = Methods::table();
    const auto it = t.find(m.name);
    if (it == t.end()) throw RemoteError(QStringLiteral("Method %1 is not implemented").arg(QLatin1String(m.name)));
    for (size_t i = 0; i < inputs.size() && i < m.inputs.size(); ++i) {
        if (const QString *s = std::get_if<QString>(&inputs[i]); s && s->size() > kMaxTextParameter)
            throw RemoteError(QStringLiteral("Parameter %1 (%2) is longer than %3 characters")
                                  .arg(i)
                                  .arg(QLatin1String(m.inputs[i].name))
                                  .arg(kMaxTextParameter));
    }
    Methods impl(ctx);
    Args args(m, inputs);
    std::vector<WireValue> out = (impl.*(it->second))(args);
    if (int(out.size()) != m.answerLength())
        throw RemoteError(QStringLiteral("Internal error: %1 produced %2 values").arg(QLatin1String(m.name)).arg(out.size()));
    return out;
}

} // namespace b2b::server
