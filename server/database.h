#pragma once
// Data-access layer of the reference server. Everything that depends on the database engine lives
// here: connections (one per thread), statement caching, transactions, the schema and the few
// dialect differences. Method code only writes portable SQL with positional '?' parameters.

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace b2b::server {

enum class Dialect { SQLite, PostgreSQL };

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString &msg) : std::runtime_error(msg.toStdString()), text(msg) {}
    QString text;
};

struct ThreadConnection;

class Database {
public:
    // An SQLite file; created (with its folder) when missing.
    explicit Database(QString path);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &path() const { return path_; }
    Dialect dialect() const { return Dialect::SQLite; }

    // This thread's connection, opened on first use.
    ThreadConnection &thread();
    // Called by a worker thread before it ends; closes its connection.
    void releaseThread();

    bool hasSchema();
    void createSchema();
    // Drops every table (used when a database is rebuilt from scratch).
    void dropAll();

    // Upper bound for a prefix range over normalised codes: col >= prefix AND col < upper.
    static QString prefixUpperBound(const QString &prefix);

private:
    friend struct ThreadConnection;
    QString path_;
    QString id_;
    std::mutex mutex_;
    std::vector<ThreadConnection *> open_; // every thread's connection, for clean-up
};

struct ThreadConnection {
    Database *owner = nullptr;
    QString name;
    QSqlDatabase db;
    struct Cached {
        std::unique_ptr<QSqlQuery> q;
        bool busy = false;
    };
    std::unordered_map<QString, Cached> cache; // nodes stay put, so live statements keep their slot
    int txDepth = 0;
    ~ThreadConnection();
};

// One statement with bound positional parameters; prepared statements are cached per connection.
class Sql {
public:
    Sql(Database &db, const QString &text);
    ~Sql();
    Sql(const Sql &) = delete;
    Sql &operator=(const Sql &) = delete;

    Sql &bind(const QVariant &v);
    Sql &bind(const QString &v) { return bind(QVariant(v)); }
    Sql &bind(const char *v) { return bind(QVariant(QString::fromUtf8(v))); }
    Sql &bind(int v) { return bind(QVariant(v)); }
    Sql &bind(qint64 v) { return bind(QVariant(v)); }
    Sql &bind(double v) { return bind(QVariant(v)); }
    Sql &bind(const QByteArray &v) { return bind(QVariant(v)); }
    template <typename... T> Sql &binds(const T &...v) {
        (bind(v), ...);
        return *this;
    }
    Sql &exec();
    bool next();
    QVariant value(int i) const;
    int toInt(int i) const { return value(i).toInt(); }
    qint64 toInt64(int i) const { return value(i).toLongLong(); }
    double toDouble(int i) const { return value(i).toDouble(); }
    QString toText(int i) const { return value(i).toString(); }
    bool isNull(int i) const;
    int rowsAffected() const;
    // Ends reading early (a statement read to its end finishes by itself).
    void finish();
    // Scalar helpers: first column of the first row (default when there is none).
    QVariant scalar(const QVariant &dflt = {});

private:
    QSqlQuery *q_;
    ThreadConnection::Cached *slot_ = nullptr;
    std::unique_ptr<QSqlQuery> own_;
    QString text_;
    int bound_ = 0;
};

// Inserts a row and answers its generated key (portable across the supported engines).
qint64 insertReturningKey(Database &db, const QString &table, const QString &keyColumn,
                          const std::vector<std::pair<QString, QVariant>> &values);

// A write transaction; rolls back unless committed. Nested use joins the outer transaction.
class Transaction {
public:
    explicit Transaction(Database &db);
    ~Transaction();
    void commit();

private:
    ThreadConnection &c_;
    bool outer_ = false;
    bool done_ = false;
};

} // namespace b2b::server
