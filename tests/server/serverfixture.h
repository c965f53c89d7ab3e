#pragma once
// A reference server started in-process on free loopback ports with a fresh database.

#include "connection.h"
#include "proxim.h"
#include "referenceserver.h"
#include "transfer.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace b2b::test {

class ServerFixture {
public:
    explicit ServerFixture(int items = 2000, int version = 2) {
        server::ServerOptions o;
        o.dbPath = dir.filePath(QStringLiteral("b2b.sqlite"));
        o.port = 0;
        o.webPort = 0;
        o.version = version;
        o.seedItems = items;
        o.threads = 48;
        srv = std::make_unique<server::ReferenceServer>(o);
        srv->start();
    }

    std::unique_ptr<Connection> connect() const {
        auto c = std::make_unique<Connection>();
        SetDefaultParams(*c);
        c->Params[QStringLiteral("HostName")] = QStringLiteral("127.0.0.1");
        c->Params[QStringLiteral("Port")] = QString::number(srv->port());
        c->ConnectTimeoutMs = 5000;
        c->Open();
        return c;
    }

    // The login record of a demo machine, as the login copies it.
    TSonucBilgisi login(const char *machineId) const {
        auto c = connect();
        TServerMethods1Client p(*c);
        const auto r = p.BuyukGetir(QString::fromLatin1(machineId));
        if (!r || !r->Varmi()) qFatal("demo machine %s is not registered", machineId);
        return *r;
    }

    QTemporaryDir dir;
    std::unique_ptr<server::ReferenceServer> srv;
};

// Index of a named column; fails the test when it is missing.
inline int col(const TableData &t, const char *name) {
    const int i = t.indexOf(QString::fromUtf8(name));
    if (i < 0) qFatal("column %s missing", name);
    return i;
}

} // namespace b2b::test
