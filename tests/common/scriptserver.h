#pragma once
// A small HTTP server on loopback whose answers a test scripts per method name.

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace b2b::test {

struct ScriptAnswer {
    int status = 200;
    std::string body;
    std::string contentType = "application/json";
};

class ScriptServer {
public:
    using Handler = std::function<ScriptAnswer(const std::string &method, const std::string &body)>;

    explicit ScriptServer(Handler h) : handler_(std::move(h)) {
        server_.Get("/datasnap/ping", [](const httplib::Request &, httplib::Response &res) {
            res.set_content("{\"result\":[\"ok\"]}", "application/json");
        });
        server_.Post(R"(/datasnap/rest/TServerMethods1/(?:%22|")([A-Za-z0-9_]+)(?:%22|")/)",
                     [this](const httplib::Request &req, httplib::Response &res) {
                         ++calls;
                         ScriptAnswer a;
                         {
                             std::lock_guard<std::mutex> l(m_);
                             lastMethod = req.matches[1];
                             lastBody = req.body;
                             a = handler_(lastMethod, req.body);
                         }
                         res.status = a.status;
                         res.set_content(a.body, a.contentType.c_str());
                     });
        port = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ~ScriptServer() {
        server_.stop();
        thread_.join();
    }

    int port = 0;
    std::atomic<int> calls{0};
    std::string lastMethod;
    std::string lastBody;

private:
    Handler handler_;
    httplib::Server server_;
    std::thread thread_;
    std::mutex m_;
};

// A port on loopback that nothing listens on.
inline int closedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr *>(&a), len);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

} // namespace b2b::test
