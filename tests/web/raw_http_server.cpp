#include "raw_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace roomdesk::testing {

namespace {

constexpr std::string_view kHeadEnd = "\r\n\r\n";

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::size_t ContentLength(std::string_view head) {
    const std::string lower = Lower(head);
    const std::size_t at = lower.find("\r\ncontent-length:");
    if (at == std::string::npos) return 0;
    return std::strtoul(lower.c_str() + at + 17, nullptr, 10);
}

// Reads one request from `socket` into `request`; false when the peer closed
// or broke the connection first.
bool ReadRequest(int socket, std::string& buffer, std::string& request) {
    char chunk[4096];
    while (true) {
        const std::size_t headEnd = buffer.find(kHeadEnd);
        if (headEnd != std::string::npos) {
            const std::size_t total =
                headEnd + kHeadEnd.size() + ContentLength(buffer.substr(0, headEnd));
            if (buffer.size() >= total) {
                request = buffer.substr(0, total);
                buffer.erase(0, total);
                return true;
            }
        }
        const ssize_t got = recv(socket, chunk, sizeof chunk, 0);
        if (got <= 0) return false;
        buffer.append(chunk, static_cast<std::size_t>(got));
    }
}

}  // namespace

std::string HttpReply(std::string_view status, std::string_view headerLines,
                      std::string_view body) {
    return "HTTP/1.1 " + std::string(status) + "\r\n" + std::string(headerLines) +
           "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

std::vector<std::string> HeaderLines(const std::string& request, std::string_view name) {
    const std::string head = request.substr(0, request.find(kHeadEnd));
    const std::string prefix = Lower(name) + ":";
    std::vector<std::string> lines;
    for (std::size_t start = head.find("\r\n"); start != std::string::npos;) {
        start += 2;
        const std::size_t end = head.find("\r\n", start);
        const std::string line = head.substr(start, end - start);
        if (Lower(line).starts_with(prefix)) lines.push_back(line);
        start = end;
    }
    return lines;
}

RawHttpServer::RawHttpServer(Responder responder) : responder_(std::move(responder)) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 16) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        std::abort();
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

RawHttpServer::~RawHttpServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        for (int socket : sockets_) shutdown(socket, SHUT_RDWR);
    }
    stopped_.notify_all();
    acceptor_.join();
    for (std::thread& server : servers_) server.join();
    for (int socket : sockets_) close(socket);
    close(listener_);
}

std::string RawHttpServer::Url(std::string_view pathAndQuery) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(pathAndQuery);
}

std::vector<std::string> RawHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

int RawHttpServer::Connections() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(sockets_.size());
}

std::string RawHttpServer::Target(const std::string& request) {
    const std::size_t start = request.find(' ') + 1;
    return request.substr(start, request.find(' ', start) - start);
}

std::string RawHttpServer::Body(const std::string& request) {
    return request.substr(request.find(kHeadEnd) + kHeadEnd.size());
}

void RawHttpServer::AcceptLoop() {
    while (true) {
        pollfd waiting{listener_, POLLIN, 0};
        poll(&waiting, 1, 20);
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        if ((waiting.revents & POLLIN) == 0) continue;
        const int socket = accept(listener_, nullptr, nullptr);
        if (socket < 0) continue;
        sockets_.push_back(socket);
        servers_.emplace_back([this, socket] { Serve(socket); });
    }
}

bool RawHttpServer::WaitUnlessStopping(std::chrono::milliseconds delay) {
    std::unique_lock lock(mutex_);
    return !stopped_.wait_for(lock, delay, [this] { return stopping_; });
}

void RawHttpServer::Serve(int socket) {
    std::string buffer;
    std::string request;
    while (ReadRequest(socket, buffer, request)) {
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        const RawReply reply = responder_(request);
        if (!WaitUnlessStopping(reply.delay)) break;
        send(socket, reply.bytes.data(), reply.bytes.size(), MSG_NOSIGNAL);
        if (reply.close) break;
    }
    shutdown(socket, SHUT_RDWR);
    // The descriptor is closed by the destructor, after every thread has ended,
    // so that a number in sockets_ is never reused while it is listed.
}

}  // namespace roomdesk::testing
