#include "connection.h"

#include "wire.h"

#include <curl/curl.h>
#include <mutex>
#include <simdjson.h>

namespace b2b {

namespace {

void globalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Sink {
    std::string data;
    bool tooLarge = false;
};

size_t writeBody(char *ptr, size_t size, size_t nmemb, void *user) {
    auto *s = static_cast<Sink *>(user);
    const size_t n = size * nmemb;
    if (s->data.size() + n > kMaxBodyBytes) {
        s->tooLarge = true;
        return 0; // aborts the transfer
    }
    s->data.append(ptr, n);
    return n;
}

QString errorFromBody(const std::string &body) {
    simdjson::dom::parser p;
    simdjson::dom::element doc;
    if (p.parse(body).get(doc)) return {};
    std::string_view msg;
    if (doc["error"].get_string().get(msg)) return {};
    return QString::fromUtf8(msg.data(), qsizetype(msg.size()));
}

} // namespace

void SetDefaultParams(Connection &c) {
    c.Params = {
        {QStringLiteral("DriverName"), QStringLiteral("DataSnap")},
        {QStringLiteral("CommunicationProtocol"), QStringLiteral("tcp/ip")},
        {QStringLiteral("Port"), QStringLiteral("9090")},
        {QStringLiteral("DatasnapContext"), QStringLiteral("datasnap/")},
        {QStringLiteral("HostName"), QString()},
        {QStringLiteral("Filters"), QStringLiteral("{}")},
        {QStringLiteral("DSProxyPort"), QStringLiteral("8090")},
    };
}

Connection::Connection() {
    globalInit();
    SetDefaultParams(*this);
}

Connection::~Connection() { Close(); }

std::unique_ptr<Connection> Connection::Clone() const {
    auto c = std::make_unique<Connection>();
    c->Params = Params;
    c->ConnectTimeoutMs = ConnectTimeoutMs;
    c->ReadTimeoutMs = ReadTimeoutMs;
    c->LoginPrompt = LoginPrompt;
    return c;
}

QString Connection::BaseUrl() const {
    QString host = Params.value(QStringLiteral("HostName")).trimmed();
    if (host.contains(u':') && !host.startsWith(u'[')) host = u'[' + host + u']'; // IPv6 literal
    QString ctx = Params.value(QStringLiteral("DatasnapContext"), QStringLiteral("datasnap/"));
    if (!ctx.endsWith(u'/')) ctx += u'/';
    if (ctx.startsWith(u'/')) ctx.remove(0, 1);
    return QStringLiteral("http://%1:%2/%3").arg(host, Params.value(QStringLiteral("Port"), QStringLiteral("9090")), ctx);
}

std::string Connection::perform(const std::string &url, const std::string *postBody, long *status) {
    CURL *c = static_cast<CURL *>(curl_);
    Sink sink;
    char err[CURL_ERROR_SIZE] = {0};
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, err);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(ConnectTimeoutMs));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, long(ReadTimeoutMs));
    curl_easy_setopt(c, CURLOPT_PROXY, ""); // the server is reached directly
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");
    struct curl_slist *headers = nullptr;
    if (postBody) {
        headers = curl_slist_append(headers, "Content-Type: application/json; charset=utf-8");
        headers = curl_slist_append(headers, "Expect:");
        curl_easy_setopt(c, CURLOPT_POST, 1L);
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, postBody->data());
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(postBody->size()));
    } else {
        curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    }
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
    const CURLcode rc = curl_easy_perform(c);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(headers);
    if (rc != CURLE_OK) {
        if (sink.tooLarge) throw RemoteError(QStringLiteral("The answer is too large"));
        const QString host = Params.value(QStringLiteral("HostName"));
        const QString port = Params.value(QStringLiteral("Port"));
        const QString detail = err[0] ? QString::fromLocal8Bit(err) : QString::fromLatin1(curl_easy_strerror(rc));
        throw RemoteError(QStringLiteral("%1:%2 - %3").arg(host, port, detail));
    }
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, status);
    return std::move(sink.data);
}

void Connection::Open() {
    if (curl_) return;
    if (Params.value(QStringLiteral("HostName")).trimmed().isEmpty())
        throw RemoteError(QStringLiteral("No host name is set for the connection"));
    bool ok = false;
    const int port = Params.value(QStringLiteral("Port")).toInt(&ok);
    if (!ok || port <= 0 || port > 65535)
        throw RemoteError(QStringLiteral("Invalid port: %1").arg(Params.value(QStringLiteral("Port"))));
    curl_ = curl_easy_init();
    if (!curl_) throw RemoteError(QStringLiteral("Cannot create an HTTP session"));
    try {
        long status = 0;
        perform((BaseUrl() + QStringLiteral("ping")).toStdString(), nullptr, &status);
        // Any HTTP answer proves a server is listening; only the transport can fail the open.
    } catch (...) {
        Close();
        throw;
    }
}

void Connection::Close() {
    if (curl_) curl_easy_cleanup(static_cast<CURL *>(curl_));
    curl_ = nullptr;
}

std::string Connection::CallMethod(const char *method, const std::string &body) {
    if (!curl_) throw RemoteError(QStringLiteral("The connection is closed"));
    const std::string url = BaseUrl().toStdString() + "rest/TServerMethods1/%22" + method + "%22/";
    long status = 0;
    std::string answer = perform(url, &body, &status);
    if (status == 200) return answer;
    const QString msg = errorFromBody(answer);
    if (!msg.isEmpty()) throw RemoteError(msg);
    throw RemoteError(QStringLiteral("The server answered HTTP %1 to %2").arg(status).arg(QLatin1String(method)));
}

} // namespace b2b
