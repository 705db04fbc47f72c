// A loopback HTTP server for tests that need the exact bytes of each request
// or a reply written byte for byte (any header spelling, redirects, a
// connection closed early, a reply that comes late).
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace roomdesk::testing {

struct RawReply {
    std::string bytes;                   // sent exactly as given; empty sends nothing
    std::chrono::milliseconds delay{0};  // waited before sending
    bool close = true;                   // close the connection after sending
};

// "HTTP/1.1 " and `status`, the header lines (each ending in CR LF), a
// Content-Length line for `body`, the empty line and the body.
std::string HttpReply(std::string_view status, std::string_view headerLines, std::string_view body);

// The header lines of a request's head that start with `name` and a colon, in
// any letter case, without their line ends.
std::vector<std::string> HeaderLines(const std::string& request, std::string_view name);

class RawHttpServer {
public:
    // `responder` makes the reply to each request, given its bytes (head and body).
    using Responder = std::function<RawReply(const std::string& request)>;

    explicit RawHttpServer(Responder responder);
    ~RawHttpServer();
    RawHttpServer(const RawHttpServer&) = delete;
    RawHttpServer& operator=(const RawHttpServer&) = delete;

    int Port() const { return port_; }
    std::string Url(std::string_view pathAndQuery) const;
    std::vector<std::string> Requests() const;  // in arrival order
    int Connections() const;                    // accepted so far

    // The path and query of a request's first line.
    static std::string Target(const std::string& request);
    // The body after the head of a request.
    static std::string Body(const std::string& request);

private:
    void AcceptLoop();
    void Serve(int socket);
    bool WaitUnlessStopping(std::chrono::milliseconds delay);

    Responder responder_;
    int listener_ = -1;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_ = false;
    std::vector<std::string> requests_;
    std::vector<int> sockets_;
    std::vector<std::thread> servers_;
    std::thread acceptor_;
};

}  // namespace roomdesk::testing
