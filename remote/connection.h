#pragma once
// The client's connection to the application server: a parameter table, open/close, clone, and
// HTTP calls over a kept-alive libcurl handle. Not thread-safe: one connection per thread.

#include "errors.h"

#include <QMap>
#include <QString>
#include <memory>
#include <string>

namespace b2b {

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // "DriverName", "CommunicationProtocol", "Port", "DatasnapContext", "HostName", "Filters", "DSProxyPort".
    QMap<QString, QString> Params;
    int ConnectTimeoutMs = 5000;
    int ReadTimeoutMs = 120000;
    bool LoginPrompt = false;

    // Reaches the server (TCP connect plus a cheap request); throws RemoteError with the transport's text.
    void Open();
    void Close();
    bool Connected() const { return curl_ != nullptr; }
    // A new, closed connection with the same parameters.
    std::unique_ptr<Connection> Clone() const;

    QString BaseUrl() const; // http://host:port/datasnap/
    // POSTs a request body to the named method; answers the body of a 200 answer. Any other status
    // throws RemoteError with the server's {"error"} text when it has one.
    std::string CallMethod(const char *method, const std::string &body);

private:
    std::string perform(const std::string &url, const std::string *postBody, long *status);
    void *curl_ = nullptr;
};

// The parameter values of a fresh connection.
void SetDefaultParams(Connection &c);

} // namespace b2b
