#include "referenceserver.h"

#include "catalog.h"
#include "database.h"
#include "methods.h"
#include "seed.h"
#include "webpages.h"
#include "wire.h"

#include <QDir>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <httplib.h>
#include <thread>

namespace b2b::server {

QString defaultDatabasePath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dir.isEmpty()) dir = QDir::homePath() + QStringLiteral("/.local/share");
    return dir + QStringLiteral("/b2b-server/b2b.sqlite");
}

void prepareDatabase(Database &db, int seedItems, const std::function<void(const QString &)> &progress) {
    if (db.hasSchema()) return;
    if (progress) progress(QStringLiteral("Creating the database %1").arg(db.path()));
    db.createSchema();
    SeedOptions o;
    o.items = seedItems;
    if (progress) o.progress = [&](const QString &s) { progress(QStringLiteral("  seeding: %1").arg(s)); };
    seedDemoData(db, o);
}

namespace {

// httplib's task queue with threads of our own, so that each worker closes its database
// connection when the pool shuts down.
class WorkerPool : public httplib::TaskQueue {
public:
    WorkerPool(size_t n, Database &db) : db_(db) {
        for (size_t i = 0; i < n; ++i) threads_.emplace_back([this] { run(); });
    }
    ~WorkerPool() override = default;

    void enqueue(std::function<void()> fn) override {
        {
            std::lock_guard<std::mutex> lk(m_);
            jobs_.push_back(std::move(fn));
        }
        cv_.notify_one();
    }

    void shutdown() override {
        {
            std::lock_guard<std::mutex> lk(m_);
            stop_ = true;
        }
        cv_.notify_all();
        for (std::thread &t : threads_) t.join();
    }

private:
    void run() {
        for (;;) {
            std::function<void()> fn;
            {
                std::unique_lock<std::mutex> lk(m_);
                cv_.wait(lk, [&] { return stop_ || !jobs_.empty(); });
                if (stop_ && jobs_.empty()) break;
                fn = std::move(jobs_.front());
                jobs_.pop_front();
            }
            fn();
        }
        db_.releaseThread();
    }

    Database &db_;
    std::vector<std::thread> threads_;
    std::deque<std::function<void()>> jobs_;
    std::mutex m_;
    std::condition_variable cv_;
    bool stop_ = false;
};

const char *const kJson = "application/json; charset=utf-8";

void jsonError(httplib::Response &res, int status, const QString &msg) {
    res.status = status;
    res.set_content(encodeError(msg), kJson);
}

QString decodeSegment(const std::string &s) {
    return QUrl::fromPercentEncoding(QByteArray::fromStdString(s));
}

std::string pathOf(const httplib::Request &req) {
    std::string t = req.target.empty() ? req.path : req.target;
    const size_t q = t.find('?');
    if (q != std::string::npos) t.resize(q);
    return t;
}

} // namespace

struct ReferenceServer::Impl {
    ServerOptions opt;
    std::unique_ptr<Database> db;
    std::unique_ptr<ServerContext> ctx;
    httplib::Server api;
    httplib::Server web;
    std::thread apiThread, webThread;
    int apiPort = 0, webPortNo = -1;
    bool started = false;

    void call(const httplib::Request &req, httplib::Response &res) {
        // /datasnap/rest/TServerMethods1/<"Method">[/arg/arg...]
        static const std::string prefix = "/datasnap/rest/TServerMethods1/";
        const std::string path = pathOf(req);
        std::vector<std::string> segs;
        size_t pos = prefix.size();
        while (true) {
            const size_t slash = path.find('/', pos);
            segs.push_back(path.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos));
            if (slash == std::string::npos) break;
            pos = slash + 1;
        }
        if (segs.size() > 1 && segs.back().empty()) segs.pop_back(); // trailing slash
        QString name = decodeSegment(segs.front());
        if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
            name = name.mid(1, name.size() - 2);
        const MethodSpec *m = findMethod(name);
        if (!m) return jsonError(res, 400, QStringLiteral("Unknown method: %1").arg(name.left(100)));
        std::vector<WireValue> inputs;
        try {
            if (req.method == "POST") {
                const std::string_view body(req.body);
                if (body.find_first_not_of(" \t\r\n") == std::string_view::npos && m->inputs.empty()) inputs.clear();
                else inputs = decodeRequest(body, *m);
            } else {
                std::vector<QString> args;
                for (size_t i = 1; i < segs.size(); ++i) args.push_back(decodeSegment(segs[i]));
                inputs = decodePathArguments(args, *m);
            }
        } catch (const RemoteError &e) {
            return jsonError(res, 400, e.text);
        }
        try {
            const std::vector<WireValue> out = callMethod(*ctx, *m, inputs);
            res.status = 200;
            res.set_content(encodeResult(out), kJson);
        } catch (const RemoteError &e) {
            jsonError(res, 500, e.text);
        } catch (const DbError &e) {
            jsonError(res, 500, QStringLiteral("Veritabanı hatası: %1").arg(e.text));
        } catch (const std::exception &e) {
            jsonError(res, 500, QString::fromUtf8(e.what()));
        }
    }

    void setUpApi() {
        api.new_task_queue = [this] { return new WorkerPool(size_t(std::max(1, opt.threads)), *db); };
        api.set_payload_max_length(opt.maxBodyBytes);
        api.set_read_timeout(opt.readTimeoutSec, 0);
        api.set_write_timeout(opt.writeTimeoutSec, 0);
        api.set_keep_alive_timeout(opt.keepAliveSec);
        api.set_keep_alive_max_count(1000);
        // Answers go out in more than one write; without this, delayed acknowledgements add ~40 ms.
        api.set_tcp_nodelay(true);
        const auto ok = [](const httplib::Request &, httplib::Response &res) {
            res.set_content("{\"result\":[\"ok\"]}", kJson);
        };
        api.Get("/datasnap/ping", ok);
        api.Get("/datasnap/rest", ok);
        api.Get("/datasnap/rest/", ok);
        const auto handler = [this](const httplib::Request &req, httplib::Response &res) { call(req, res); };
        api.Post(R"(/datasnap/rest/TServerMethods1/.*)", handler);
        api.Get(R"(/datasnap/rest/TServerMethods1/.*)", handler);
        installErrorHandlers(api);
    }

    void installErrorHandlers(httplib::Server &s) {
        s.set_exception_handler([](const httplib::Request &, httplib::Response &res, std::exception_ptr ep) {
            QString msg = QStringLiteral("Internal error");
            try {
                if (ep) std::rethrow_exception(ep);
            } catch (const std::exception &e) {
                msg = QString::fromUtf8(e.what());
            } catch (...) {
            }
            jsonError(res, 500, msg);
        });
        // Failures httplib answers itself (unknown path, oversized body, bad request line) get the JSON error form.
        s.set_error_handler([this](const httplib::Request &req, httplib::Response &res) {
            if (!res.body.empty()) return;
            switch (res.status) {
            case 404: jsonError(res, 404, QStringLiteral("Not found: %1").arg(QString::fromStdString(pathOf(req)).left(200))); break;
            case 413:
                jsonError(res, 400, QStringLiteral("The request body is too large (limit %1 bytes)").arg(qulonglong(opt.maxBodyBytes)));
                break;
            case 405: jsonError(res, 405, QStringLiteral("Method not allowed")); break;
            default: jsonError(res, res.status, QStringLiteral("HTTP error %1").arg(res.status)); break;
            }
        });
        if (opt.logRequests) {
            s.set_logger([](const httplib::Request &req, const httplib::Response &res) {
                std::fprintf(stderr, "%s %s %s -> %d (%zu bytes)\n", req.remote_addr.c_str(), req.method.c_str(),
                             req.target.c_str(), res.status, res.body.size());
            });
        }
    }

    void setUpWeb() {
        web.new_task_queue = [this] { return new WorkerPool(size_t(std::max(1, opt.webThreads)), *db); };
        web.set_payload_max_length(64 * 1024);
        web.set_read_timeout(opt.readTimeoutSec, 0);
        web.set_write_timeout(opt.writeTimeoutSec, 0);
        web.set_keep_alive_timeout(opt.keepAliveSec);
        web.set_tcp_nodelay(true);
        web.Get("/ip", [](const httplib::Request &req, httplib::Response &res) {
            res.set_content(req.remote_addr, "text/plain; charset=utf-8");
        });
        web.Get("/", [this](const httplib::Request &, httplib::Response &res) {
            res.set_content(rootPage(opt.listen, apiPort).toStdString(), "text/html; charset=utf-8");
        });
        web.Get("/resimgoster.ashx", [this](const httplib::Request &req, httplib::Response &res) {
            bool ok = false;
            const int id = QString::fromStdString(req.get_param_value("id")).trimmed().toInt(&ok);
            if (!ok) {
                res.status = 404;
                return;
            }
            try {
                Sql q(*db, QStringLiteral("SELECT p.mime, p.data FROM items i JOIN pictures p ON p.id = i.resim "
                                          "WHERE i.stokno = ?"));
                q.bind(id).exec();
                if (!q.next()) {
                    res.status = 404;
                    return;
                }
                const QByteArray data = q.value(1).toByteArray();
                res.set_content(data.constData(), size_t(data.size()), q.toText(0).toStdString());
            } catch (const std::exception &) {
                res.status = 500;
            }
        });
        const auto form = [this](const httplib::Request &req, httplib::Response &res) {
            res.set_content(requestFormPage(QString::fromStdString(req.get_param_value("carino")),
                                            QString::fromStdString(req.get_param_value("kullanici")),
                                            QString::fromStdString(req.get_param_value("id")), QString())
                                .toStdString(),
                            "text/html; charset=utf-8");
        };
        web.Get("/formmailgonder.aspx", form);
        web.Post("/formmailgonder.aspx", [this](const httplib::Request &req, httplib::Response &res) {
            const QUrlQuery q(QString::fromUtf8(QByteArray::fromStdString(req.body)).replace(QLatin1Char('+'), QLatin1Char(' ')));
            const auto v = [&](const char *k) {
                return q.queryItemValue(QLatin1String(k), QUrl::FullyDecoded).trimmed().left(2000);
            };
            const QString firma = v("firma"), yetkili = v("yetkili"), telefon = v("telefon");
            if (firma.isEmpty() || yetkili.isEmpty() || telefon.isEmpty()) {
                res.set_content(requestFormPage(v("carino"), v("kullanici"), v("id"),
                                                QStringLiteral("Firma adı, yetkili ve telefon boş olamaz."))
                                    .toStdString(),
                                "text/html; charset=utf-8");
                return;
            }
            try {
                Transaction tx(*db);
                insertReturningKey(*db, QStringLiteral("access_requests"), QStringLiteral("id"),
                                   {{QStringLiteral("tarih"), nowDayNumber()},
                                    {QStringLiteral("carino"), v("carino").left(20)},
                                    {QStringLiteral("kullanici"), v("kullanici").left(100)},
                                    {QStringLiteral("machine_id"), v("id").left(120)},
                                    {QStringLiteral("firma"), firma.left(200)},
                                    {QStringLiteral("yetkili"), yetkili.left(100)},
                                    {QStringLiteral("telefon"), telefon.left(60)},
                                    {QStringLiteral("email"), v("email").left(200)},
                                    {QStringLiteral("sehir"), v("sehir").left(100)},
                                    {QStringLiteral("mesaj"), v("mesaj")},
                                    {QStringLiteral("adres"), QString::fromStdString(req.remote_addr)}});
                tx.commit();
            } catch (const std::exception &e) {
                res.status = 500;
                res.set_content(std::string("Kaydedilemedi: ") + e.what(), "text/plain; charset=utf-8");
                return;
            }
            res.set_content(requestThanksPage(firma).toStdString(), "text/html; charset=utf-8");
        });
        web.Get("/exe/TelvarSetupMerdal.exe", [this](const httplib::Request &, httplib::Response &res) {
            const QByteArray s = setupScript(opt.version);
            res.set_header("Content-Disposition", "attachment; filename=\"TelvarSetupMerdal.exe\"");
            res.set_content(s.constData(), size_t(s.size()), "application/octet-stream");
        });
        installErrorHandlers(web);
        // The web paths answer errors as plain pages, not JSON.
        web.set_error_handler([](const httplib::Request &, httplib::Response &res) {
            if (res.body.empty() && res.status != 404) res.set_content("Hata " + std::to_string(res.status), "text/plain");
        });
    }

    static int bindPort(httplib::Server &s, const std::string &host, int port, const char *what) {
        if (port == 0) {
            const int p = s.bind_to_any_port(host);
            if (p <= 0) throw std::runtime_error(std::string("Cannot listen for ") + what + " on " + host);
            return p;
        }
        if (!s.bind_to_port(host, port))
            throw std::runtime_error(std::string("Cannot listen for ") + what + " on " + host + ":" + std::to_string(port) +
                                     " (in use?)");
        return port;
    }
};

ReferenceServer::ReferenceServer(ServerOptions options) : d_(std::make_unique<Impl>()) { d_->opt = std::move(options); }

ReferenceServer::~ReferenceServer() { stop(); }

void ReferenceServer::start() {
    if (d_->started) return;
    if (d_->opt.dbPath.isEmpty()) d_->opt.dbPath = defaultDatabasePath();
    d_->db = std::make_unique<Database>(d_->opt.dbPath);
    prepareDatabase(*d_->db, d_->opt.seedItems, d_->opt.progress);
    d_->db->releaseThread(); // the starting thread serves no requests
    d_->ctx = std::make_unique<ServerContext>(ServerContext{*d_->db, d_->opt.version});
    d_->setUpApi();
    const std::string host = d_->opt.listen.toStdString();
    d_->apiPort = Impl::bindPort(d_->api, host, d_->opt.port, "the remote methods");
    if (d_->opt.webPort >= 0) {
        d_->setUpWeb();
        try {
            d_->webPortNo = Impl::bindPort(d_->web, host, d_->opt.webPort, "the web paths");
        } catch (...) {
            d_->api.stop();
            throw;
        }
    }
    // The sockets already listen; connections made before the loops start wait in the backlog.
    d_->apiThread = std::thread([this] { d_->api.listen_after_bind(); });
    if (d_->webPortNo >= 0) d_->webThread = std::thread([this] { d_->web.listen_after_bind(); });
    d_->started = true;
}

void ReferenceServer::stop() {
    if (!d_ || !d_->started) return;
    // stop() only reaches a loop that runs; a loop that is just starting is waited for first.
    const auto stopRunning = [](httplib::Server &s) {
        for (int i = 0; i < 500 && !s.is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        s.stop();
    };
    stopRunning(d_->api);
    if (d_->webPortNo >= 0) stopRunning(d_->web);
    if (d_->apiThread.joinable()) d_->apiThread.join();
    if (d_->webThread.joinable()) d_->webThread.join();
    d_->started = false;
}

bool ReferenceServer::running() const { return d_->started; }
int ReferenceServer::port() const { return d_->apiPort; }
int ReferenceServer::webPort() const { return d_->webPortNo; }
QString ReferenceServer::host() const { return d_->opt.listen; }
QString ReferenceServer::baseUrl() const { return QStringLiteral("http://%1:%2").arg(d_->opt.listen).arg(d_->apiPort); }
QString ReferenceServer::webBaseUrl() const {
    return QStringLiteral("http://%1:%2").arg(d_->opt.listen).arg(d_->webPortNo);
}
Database &ReferenceServer::database() { return *d_->db; }
const ServerOptions &ReferenceServer::options() const { return d_->opt; }

} // namespace b2b::server
