#pragma once
// Client-side helpers for tests that talk to a loopback server.

#include "connection.h"
#include "wire.h"

#include <QJsonObject>
#include <memory>
#include <string>

namespace b2b::test {

// A closed connection to 127.0.0.1:port with a short connect time-out.
inline std::unique_ptr<Connection> loopbackConnection(int port) {
    auto c = std::make_unique<Connection>();
    c->Params[QStringLiteral("HostName")] = QStringLiteral("127.0.0.1");
    c->Params[QStringLiteral("Port")] = QString::number(port);
    c->ConnectTimeoutMs = 2000;
    return c;
}

// The answer body of a method whose result is one marshalled object.
inline std::string objectAnswer(const QJsonObject &o) {
    JsonWriter w;
    w.raw("{\"result\":[");
    w.json(o);
    w.raw("]}");
    return w.out;
}

} // namespace b2b::test
