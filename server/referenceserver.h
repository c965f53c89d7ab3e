#pragma once
// The reference application server: remote methods over HTTP (the wire contract of
// docs/protocol.md) on one port and the wholesaler's web paths on a second one.
// Embeddable: tests start it in-process on free ports with a temporary database.

#include <QString>
#include <functional>
#include <memory>

namespace b2b::server {

class Database;

struct ServerOptions {
    QString dbPath;                // created with schema and demo data when missing
    QString listen = QStringLiteral("127.0.0.1");
    int port = 9090;               // 0 = any free port
    int webPort = 8080;            // 0 = any free port, -1 = no web server
    int version = 2;               // program version BuyukGetir announces
    int threads = 32;              // workers of the method port (each with its own database connection)
    int webThreads = 4;
    int seedItems = 20000;         // catalogue size of a newly created database
    size_t maxBodyBytes = size_t(4) << 20;
    int readTimeoutSec = 10;       // a request must arrive within this time
    int writeTimeoutSec = 30;
    int keepAliveSec = 2;          // idle keep-alive connections are closed after this time
    bool logRequests = false;
    std::function<void(const QString &)> progress; // optional start-up messages
};

QString defaultDatabasePath();

// Opens the database, creating the schema and the demo data when it has none.
void prepareDatabase(Database &db, int seedItems, const std::function<void(const QString &)> &progress = {});

class ReferenceServer {
public:
    explicit ReferenceServer(ServerOptions options);
    ~ReferenceServer();
    ReferenceServer(const ReferenceServer &) = delete;
    ReferenceServer &operator=(const ReferenceServer &) = delete;

    // Prepares the database and starts listening; throws std::runtime_error when a port is taken.
    void start();
    void stop();
    bool running() const;

    int port() const;
    int webPort() const;
    QString host() const;
    QString baseUrl() const;    // http://host:port
    QString webBaseUrl() const; // http://host:webPort
    Database &database();
    const ServerOptions &options() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

} // namespace b2b::server
