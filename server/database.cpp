#include "database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <QThread>
#include <unordered_map>

namespace b2b::server {

namespace {

std::atomic<quint64> g_nextId{1};

// One map per thread: database id -> that thread's connection to it.
thread_local std::unordered_map<QString, std::unique_ptr<ThreadConnection>> t_connections;

// Portable schema. %PK% is an integer key the engine generates when none is given; %BLOB% a byte column.
const char *const kSchema[] = {
    "CREATE TABLE settings (name VARCHAR(40) PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE reps (saticino INTEGER PRIMARY KEY, adi VARCHAR(50) NOT NULL, telefon VARCHAR(30), "
    "email VARCHAR(80))",
    "CREATE TABLE customers (carino INTEGER PRIMARY KEY, carikod VARCHAR(25) NOT NULL, cariadi VARCHAR(100) NOT NULL, "
    "saticino INTEGER, yetkili VARCHAR(60), ozelkod VARCHAR(20), kod1 VARCHAR(20), kod2 VARCHAR(20), kod3 VARCHAR(20), "
    "kod4 VARCHAR(20), kod5 VARCHAR(20), tel1 VARCHAR(30), tel2 VARCHAR(30), fax1 VARCHAR(30), fax2 VARCHAR(30), "
    "gsm VARCHAR(30), email VARCHAR(80), adres1 VARCHAR(100), adres2 VARCHAR(100), ilce VARCHAR(40), il VARCHAR(40), "
    "ulke VARCHAR(40), vergidairesi VARCHAR(50), vergino VARCHAR(20), anagrup VARCHAR(40), altgrup VARCHAR(40), "
    "iskonto1 DOUBLE PRECISION NOT NULL, iskonto2 DOUBLE PRECISION NOT NULL, vade INTEGER NOT NULL, "
    "vadekontrolgun INTEGER, vadekontrolay INTEGER, arama TEXT)",
    "CREATE INDEX customers_rep ON customers (saticino)",
    "CREATE TABLE users (sirano INTEGER PRIMARY KEY, adi VARCHAR(30) NOT NULL UNIQUE, sifre VARCHAR(30) NOT NULL, "
    "aktif INTEGER NOT NULL, musteritipi INTEGER NOT NULL, carino INTEGER NOT NULL, saticino INTEGER NOT NULL, "
    "email VARCHAR(80))",
    "CREATE TABLE machines (machine_id VARCHAR(120) PRIMARY KEY, user_sirano INTEGER NOT NULL, "
    "kayit DOUBLE PRECISION, note VARCHAR(100))",
    "CREATE TABLE pictures (id INTEGER PRIMARY KEY, mime VARCHAR(20) NOT NULL, data %BLOB% NOT NULL)",
    "CREATE TABLE items (stokno INTEGER PRIMARY KEY, barkod VARCHAR(40) NOT NULL, adi VARCHAR(100) NOT NULL, "
    "digeradi VARCHAR(100), oem1 VARCHAR(40), oem2 VARCHAR(40), oem3 VARCHAR(40), oem4 VARCHAR(40), "
    "oemno VARCHAR(40), finishkod VARCHAR(20), ureticikodu VARCHAR(40), marka VARCHAR(40), model VARCHAR(60), "
    "anagrup VARCHAR(40), ozelkod VARCHAR(20), birim VARCHAR(10), dpkod VARCHAR(20), pkod VARCHAR(20), "
    "barkodno VARCHAR(20), kdv INTEGER NOT NULL, fiyat DOUBLE PRECISION NOT NULL, eskifiyat DOUBLE PRECISION NOT NULL, "
    "kampfiyat DOUBLE PRECISION NOT NULL, iskonto DOUBLE PRECISION NOT NULL, kampiskonto DOUBLE PRECISION NOT NULL, "
    "yeni INTEGER NOT NULL, kampanya INTEGER NOT NULL, durum INTEGER NOT NULL, depo2 INTEGER NOT NULL, "
    "kalan DOUBLE PRECISION NOT NULL, alinansiparis DOUBLE PRECISION NOT NULL, "
    "verilensiparis DOUBLE PRECISION NOT NULL, resim INTEGER NOT NULL, ozelmarka INTEGER NOT NULL)",
    "CREATE INDEX items_new ON items (yeni)",
    "CREATE INDEX items_campaign ON items (kampanya)",
    "CREATE TABLE item_codes (code VARCHAR(60) NOT NULL, stokno INTEGER NOT NULL, PRIMARY KEY (code, stokno))",
    "CREATE TABLE item_words (word VARCHAR(60) NOT NULL, stokno INTEGER NOT NULL, PRIMARY KEY (word, stokno))",
    "CREATE TABLE item_search (stokno INTEGER PRIMARY KEY, words TEXT NOT NULL)",
    "CREATE TABLE basket (sirano %PK%, carino INTEGER NOT NULL, stokno INTEGER NOT NULL, barkod VARCHAR(40), "
    "stokadi VARCHAR(100), miktar DOUBLE PRECISION NOT NULL, kdv DOUBLE PRECISION NOT NULL, "
    "fiyat DOUBLE PRECISION NOT NULL, ind1 DOUBLE PRECISION NOT NULL, ind2 DOUBLE PRECISION NOT NULL, "
    "ind3 DOUBLE PRECISION NOT NULL, ind4 DOUBLE PRECISION NOT NULL, verenid INTEGER NOT NULL, veren VARCHAR(50), "
    "kampanya INTEGER NOT NULL, sec INTEGER NOT NULL, tarih DOUBLE PRECISION NOT NULL, aciklama VARCHAR(200))",
    "CREATE INDEX basket_customer ON basket (carino)",
    "CREATE TABLE delivery_types (id INTEGER PRIMARY KEY, adi VARCHAR(50) NOT NULL)",
    "CREATE TABLE cargo_types (id INTEGER PRIMARY KEY, adi VARCHAR(50) NOT NULL)",
    "CREATE TABLE shipping_firms (sirano INTEGER PRIMARY KEY, kargotipi INTEGER NOT NULL, adi VARCHAR(50) NOT NULL, "
    "uyari VARCHAR(200))",
    "CREATE INDEX shipping_firms_type ON shipping_firms (kargotipi)",
    "CREATE TABLE orders (idno %PK%, siparisno VARCHAR(20), carino INTEGER NOT NULL, tarih DOUBLE PRECISION NOT NULL, "
    "durum INTEGER NOT NULL, teslimid INTEGER, kargoid INTEGER, kargofirma INTEGER, verenidno INTEGER, "
    "veren VARCHAR(50), aciklama TEXT, bizimmesaj TEXT, saticinotu TEXT, kur VARCHAR(5), kurtl DOUBLE PRECISION)",
    "CREATE INDEX orders_customer ON orders (carino, durum)",
    "CREATE INDEX orders_date ON orders (tarih)",
    "CREATE TABLE order_lines (sirano %PK%, idno INTEGER NOT NULL, stokno INTEGER NOT NULL, barkod VARCHAR(40), "
    "stokadi VARCHAR(100), miktar DOUBLE PRECISION NOT NULL, birimfiyat DOUBLE PRECISION NOT NULL, "
    "ilkfiyat DOUBLE PRECISION NOT NULL, ind1 DOUBLE PRECISION NOT NULL, ind2 DOUBLE PRECISION NOT NULL, "
    "ind3 DOUBLE PRECISION NOT NULL, ind4 DOUBLE PRECISION NOT NULL, kdv DOUBLE PRECISION NOT NULL, "
    "teslimedilen DOUBLE PRECISION NOT NULL, kalan DOUBLE PRECISION NOT NULL, stokhar_no INTEGER NOT NULL, "
    "verenidno INTEGER, verensirano INTEGER, veren VARCHAR(50), aciklama VARCHAR(200), tarih DOUBLE PRECISION)",
    "CREATE INDEX order_lines_order ON order_lines (idno)",
    "CREATE INDEX order_lines_item ON order_lines (stokno)",
    "CREATE TABLE invoices (idno INTEGER PRIMARY KEY, carino INTEGER NOT NULL, tarih DOUBLE PRECISION NOT NULL, "
    "tip VARCHAR(40) NOT NULL, evrakno VARCHAR(20) NOT NULL, vade INTEGER NOT NULL, saticiadi VARCHAR(50), "
    "irsaliyeno VARCHAR(20), siparisno VARCHAR(20), siparistarihi DOUBLE PRECISION, aciklama VARCHAR(200))",
    "CREATE INDEX invoices_customer ON invoices (carino, tarih)",
    "CREATE TABLE invoice_lines (id INTEGER PRIMARY KEY, idno INTEGER NOT NULL, sira INTEGER NOT NULL, "
    "stokno INTEGER NOT NULL, miktar DOUBLE PRECISION NOT NULL, birimfiyat DOUBLE PRECISION NOT NULL, "
    "ind1 DOUBLE PRECISION NOT NULL, ind2 DOUBLE PRECISION NOT NULL, ind3 DOUBLE PRECISION NOT NULL, "
    "ind4 DOUBLE PRECISION NOT NULL, kdv DOUBLE PRECISION NOT NULL, aciklama VARCHAR(100))",
    "CREATE INDEX invoice_lines_invoice ON invoice_lines (idno)",
    "CREATE INDEX invoice_lines_item ON invoice_lines (stokno)",
    "CREATE TABLE collections (idno INTEGER PRIMARY KEY, carino INTEGER NOT NULL, tarih DOUBLE PRECISION NOT NULL, "
    "tur VARCHAR(20) NOT NULL, evrakno VARCHAR(20) NOT NULL, aciklama VARCHAR(200), sanalpos INTEGER NOT NULL)",
    "CREATE TABLE collection_items (id INTEGER PRIMARY KEY, idno INTEGER NOT NULL, cins VARCHAR(30) NOT NULL, "
    "evrakno VARCHAR(20), vade DOUBLE PRECISION, tutar DOUBLE PRECISION NOT NULL, kur VARCHAR(5), "
    "kurtl DOUBLE PRECISION, doviztutar DOUBLE PRECISION, ref VARCHAR(40), saat VARCHAR(8), aciklama VARCHAR(200))",
    "CREATE INDEX collection_items_collection ON collection_items (idno)",
    "CREATE TABLE virtual_pos (sirano INTEGER PRIMARY KEY, idno INTEGER NOT NULL, carino INTEGER NOT NULL, "
    "tarih DOUBLE PRECISION NOT NULL, kart VARCHAR(25), kartsahibi VARCHAR(60), banka VARCHAR(40), "
    "taksit INTEGER, tutar DOUBLE PRECISION NOT NULL, onaykodu VARCHAR(12), referans VARCHAR(20))",
    "CREATE INDEX virtual_pos_collection ON virtual_pos (idno)",
    "CREATE TABLE statement (id INTEGER PRIMARY KEY, carino INTEGER NOT NULL, tarih DOUBLE PRECISION NOT NULL, "
    "turadi VARCHAR(40) NOT NULL, evrak VARCHAR(20), borc DOUBLE PRECISION NOT NULL, "
    "alacak DOUBLE PRECISION NOT NULL, kur VARCHAR(5), idno INTEGER NOT NULL, vade DOUBLE PRECISION, "
    "aciklama VARCHAR(200))",
    "CREATE INDEX statement_customer ON statement (carino, tarih)",
    "CREATE TABLE adverts (sirano INTEGER PRIMARY KEY, kind INTEGER NOT NULL, sira INTEGER NOT NULL, "
    "baslik VARCHAR(100), arama VARCHAR(100), picture %BLOB%)",
    "CREATE TABLE banners (no INTEGER PRIMARY KEY, mime VARCHAR(20) NOT NULL, data %BLOB% NOT NULL)",
    "CREATE TABLE outbox (id %PK%, tarih DOUBLE PRECISION NOT NULL, kind VARCHAR(20) NOT NULL, idsi VARCHAR(120), "
    "baslik VARCHAR(200), firmaadi VARCHAR(200), adres1 VARCHAR(200), adres2 VARCHAR(200), ilce VARCHAR(100), "
    "sehir VARCHAR(100), telefon VARCHAR(60), fax VARCHAR(60), vd VARCHAR(100), vn VARCHAR(40), "
    "yetkili VARCHAR(100), kullaniciadi VARCHAR(100), sifre VARCHAR(100), mail VARCHAR(200), "
    "kargoambar VARCHAR(200), konu TEXT)",
    "CREATE TABLE access_requests (id %PK%, tarih DOUBLE PRECISION NOT NULL, carino VARCHAR(20), "
    "kullanici VARCHAR(100), machine_id VARCHAR(120), firma VARCHAR(200), yetkili VARCHAR(100), "
    "telefon VARCHAR(60), email VARCHAR(200), sehir VARCHAR(100), mesaj TEXT, adres VARCHAR(60))",
    "CREATE TABLE activity_log (id %PK%, tarih DOUBLE PRECISION NOT NULL, sirano INTEGER, carino INTEGER, "
    "action VARCHAR(40) NOT NULL, detail VARCHAR(400))",
};

const char *const kTables[] = {"settings",    "reps",          "customers",      "users",           "machines",
                               "pictures",    "items",         "item_codes",     "item_words",      "item_search", "basket",
                               "delivery_types", "cargo_types", "shipping_firms", "orders",         "order_lines",
                               "invoices",    "invoice_lines", "collections",    "collection_items", "virtual_pos",
                               "statement",   "adverts",       "banners",        "outbox",          "access_requests",
                               "activity_log"};

QString errorText(const QSqlError &e) {
    QString t = e.databaseText();
    if (t.isEmpty()) t = e.text();
    return t;
}

void execRaw(QSqlDatabase &db, const QString &sql) {
    QSqlQuery q(db);
    if (!q.exec(sql)) throw DbError(QStringLiteral("%1: %2").arg(sql.left(60), errorText(q.lastError())));
}

} // namespace

Database::Database(QString path) : path_(std::move(path)) {
    id_ = QStringLiteral("b2bdb-%1").arg(g_nextId.fetch_add(1));
    const QFileInfo fi(path_);
    if (!fi.absoluteDir().exists()) QDir().mkpath(fi.absolutePath());
}

Database::~Database() {
    t_connections.erase(id_);
    std::lock_guard<std::mutex> lk(mutex_);
    // Connections of threads still alive are closed here; their thread-local entries then do nothing.
    for (ThreadConnection *c : open_) {
        c->cache.clear();
        c->db.close();
        c->db = QSqlDatabase();
        QSqlDatabase::removeDatabase(c->name);
        c->owner = nullptr;
    }
    open_.clear();
}

ThreadConnection::~ThreadConnection() {
    if (!owner) return;
    {
        std::lock_guard<std::mutex> lk(owner->mutex_);
        std::erase(owner->open_, this);
    }
    cache.clear();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

ThreadConnection &Database::thread() {
    auto it = t_connections.find(id_);
    if (it != t_connections.end()) return *it->second;
    auto c = std::make_unique<ThreadConnection>();
    c->owner = this;
    c->name = QStringLiteral("%1-%2").arg(id_).arg(quintptr(QThread::currentThreadId()));
    c->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), c->name);
    c->db.setDatabaseName(path_);
    c->db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!c->db.open()) {
        const QString msg = QStringLiteral("Cannot open the database %1: %2").arg(path_, errorText(c->db.lastError()));
        c->db = QSqlDatabase();
        QSqlDatabase::removeDatabase(c->name);
        throw DbError(msg);
    }
    // Readers never wait for the writer in WAL mode; writers queue on the busy time-out.
    execRaw(c->db, QStringLiteral("PRAGMA journal_mode=WAL"));
    execRaw(c->db, QStringLiteral("PRAGMA synchronous=NORMAL"));
    execRaw(c->db, QStringLiteral("PRAGMA cache_size=-32000"));
    execRaw(c->db, QStringLiteral("PRAGMA mmap_size=268435456"));
    execRaw(c->db, QStringLiteral("PRAGMA temp_store=MEMORY"));
    {
        std::lock_guard<std::mutex> lk(mutex_);
        open_.push_back(c.get());
    }
    ThreadConnection &ref = *c;
    t_connections.emplace(id_, std::move(c));
    return ref;
}

void Database::releaseThread() { t_connections.erase(id_); }

bool Database::hasSchema() {
    Sql q(*this, QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = 'settings'"));
    return q.scalar(0).toInt() > 0;
}

void Database::createSchema() {
    ThreadConnection &c = thread();
    Transaction tx(*this);
    for (const char *stmt : kSchema) {
        QString s = QString::fromLatin1(stmt);
        s.replace(QLatin1String("%PK%"), QLatin1String("INTEGER PRIMARY KEY"));
        s.replace(QLatin1String("%BLOB%"), QLatin1String("BLOB"));
        execRaw(c.db, s);
    }
    tx.commit();
}

void Database::dropAll() {
    ThreadConnection &c = thread();
    c.cache.clear();
    Transaction tx(*this);
    for (const char *t : kTables) execRaw(c.db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(QLatin1String(t)));
    tx.commit();
}

QString Database::prefixUpperBound(const QString &prefix) {
    QString up = prefix;
    while (!up.isEmpty()) {
        const QChar last = up.back();
        if (last.unicode() < 0xFFFF) {
            up.back() = QChar(last.unicode() + 1);
            return up;
        }
        up.chop(1);
    }
    return QString(QChar(0xFFFF));
}

// ---------------------------------------------------------------- Sql

Sql::Sql(Database &db, const QString &text) : text_(text) {
    ThreadConnection &c = db.thread();
    const auto it = c.cache.find(text);
    if (it != c.cache.end() && !it->second.busy) {
        slot_ = &it->second;
        slot_->busy = true;
        q_ = slot_->q.get();
        return;
    }
    auto q = std::make_unique<QSqlQuery>(c.db);
    q->setForwardOnly(true);
    if (!q->prepare(text)) throw DbError(QStringLiteral("%1: %2").arg(text.left(80), errorText(q->lastError())));
    if (it == c.cache.end() && c.cache.size() < 256) {
        slot_ = &c.cache.emplace(text, ThreadConnection::Cached{std::move(q), true}).first->second;
        q_ = slot_->q.get();
    } else {
        // The same statement is already running further up (nested use), or the cache is full.
        own_ = std::move(q);
        q_ = own_.get();
    }
}

Sql::~Sql() {
    q_->finish();
    if (slot_) slot_->busy = false;
}

Sql &Sql::bind(const QVariant &v) {
    q_->bindValue(bound_++, v);
    return *this;
}

Sql &Sql::exec() {
    if (!q_->exec()) throw DbError(QStringLiteral("%1: %2").arg(text_.left(80), errorText(q_->lastError())));
    bound_ = 0;
    return *this;
}

bool Sql::next() { return q_->next(); }
QVariant Sql::value(int i) const { return q_->value(i); }
bool Sql::isNull(int i) const { return q_->isNull(i); }
int Sql::rowsAffected() const { return q_->numRowsAffected(); }

QVariant Sql::scalar(const QVariant &dflt) {
    exec();
    QVariant v = dflt;
    if (next() && !isNull(0)) v = value(0);
    // Done with it: an unfinished statement would keep its read snapshot open.
    q_->finish();
    return v;
}

void Sql::finish() { q_->finish(); }

qint64 insertReturningKey(Database &db, const QString &table, const QString &keyColumn,
                          const std::vector<std::pair<QString, QVariant>> &values) {
    QStringList cols, marks;
    for (const auto &v : values) {
        cols << v.first;
        marks << QStringLiteral("?");
    }
    const QString text =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    Sql q(db, text);
    for (const auto &v : values) q.bind(v.second);
    q.exec();
    // SQLite hands the key out per connection; a PostgreSQL backend would use RETURNING here.
    Q_UNUSED(keyColumn);
    Sql k(db, QStringLiteral("SELECT last_insert_rowid()"));
    return k.scalar(0).toLongLong();
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Database &db) : c_(db.thread()) {
    if (c_.txDepth++ > 0) return;
    outer_ = true;
    // A statement still reading would pin an old snapshot, and a writer on an old snapshot fails at
    // once instead of waiting its turn; callers read inside the transaction instead.
    for (auto &e : c_.cache)
        if (e.second.busy && e.second.q->isActive())
            qWarning("b2b-server: write transaction started while a statement is open: %s", qPrintable(e.first.left(80)));
    QSqlQuery q(c_.db);
    // IMMEDIATE takes the write lock up front, so two writers queue instead of failing on upgrade.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        --c_.txDepth;
        throw DbError(QStringLiteral("Cannot start a transaction: %1").arg(errorText(q.lastError())));
    }
}

Transaction::~Transaction() {
    if (done_) return;
    --c_.txDepth;
    if (!outer_) return;
    QSqlQuery q(c_.db);
    q.exec(QStringLiteral("ROLLBACK"));
}

void Transaction::commit() {
    if (done_) return;
    done_ = true;
    --c_.txDepth;
    if (!outer_) return;
    QSqlQuery q(c_.db);
    if (!q.exec(QStringLiteral("COMMIT"))) {
        QSqlQuery r(c_.db);
        r.exec(QStringLiteral("ROLLBACK"));
        throw DbError(QStringLiteral("Cannot commit: %1").arg(errorText(q.lastError())));
    }
}

} // namespace b2b::server
