#include "site/recording_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

namespace roomdesk::site {

namespace {

thread_local std::string currentRawHead;

constexpr int kPollSliceMs = 50;  // how often an idle connection looks whether the server stops

bool WaitFor(socket_t sock, short events, time_t sec, time_t usec) {
    pollfd descriptor{sock, events, 0};
    const int timeoutMs = static_cast<int>(sec * 1000 + usec / 1000);
    return ::poll(&descriptor, 1, timeoutMs) > 0;
}

void AddressOf(const sockaddr_storage& address, std::string& ip, int& port) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        port = ntohs(v4.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
        port = ntohs(v6.sin6_port);
    }
    ip = text;
}

// A socket stream that buffers its reads and keeps every byte it hands to httplib since the
// last StartCapture.
class CapturingStream : public httplib::Stream {
public:
    CapturingStream(socket_t sock, time_t readSec, time_t readUsec, time_t writeSec,
                    time_t writeUsec)
        : sock_(sock),
          readSec_(readSec),
          readUsec_(readUsec),
          writeSec_(writeSec),
          writeUsec_(writeUsec) {}

    void StartCapture() { captured_.clear(); }
    bool HasBuffered() const { return position_ < buffer_.size(); }

    // The captured bytes up to and including the first empty line.
    std::string Head() const {
        const auto end = captured_.find("\r\n\r\n");
        return end == std::string::npos ? captured_ : captured_.substr(0, end + 4);
    }

    bool is_readable() const override {
        return HasBuffered() || WaitFor(sock_, POLLIN, readSec_, readUsec_);
    }
    bool is_writable() const override { return WaitFor(sock_, POLLOUT, writeSec_, writeUsec_); }

    ssize_t read(char* ptr, size_t size) override {
        if (!HasBuffered()) {
            if (!WaitFor(sock_, POLLIN, readSec_, readUsec_)) return -1;
            buffer_.resize(kBufferSize);
            const ssize_t n = ::recv(sock_, buffer_.data(), buffer_.size(), 0);
            if (n <= 0) {
                buffer_.clear();
                position_ = 0;
                return n;
            }
            buffer_.resize(static_cast<std::size_t>(n));
            position_ = 0;
        }
        const std::size_t n = std::min(size, buffer_.size() - position_);
        std::memcpy(ptr, buffer_.data() + position_, n);
        captured_.append(ptr, n);
        position_ += n;
        return static_cast<ssize_t>(n);
    }

    ssize_t write(const char* ptr, size_t size) override {
        if (!is_writable()) return -1;
        return ::send(sock_, ptr, size, MSG_NOSIGNAL);
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override {
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        if (::getpeername(sock_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            AddressOf(address, ip, port);
        }
    }

    void get_local_ip_and_port(std::string& ip, int& port) const override {
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        if (::getsockname(sock_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            AddressOf(address, ip, port);
        }
    }

    socket_t socket() const override { return sock_; }

private:
    static constexpr std::size_t kBufferSize = 4096;
    socket_t sock_;
    time_t readSec_, readUsec_, writeSec_, writeUsec_;
    std::string buffer_;
    std::size_t position_ = 0;
    std::string captured_;
};

}  // namespace

const std::string& RecordingServer::CurrentRawHead() { return currentRawHead; }

// Waits until the connection has a request to read, it idled past the keep-alive time, or the
// server stops.
bool RecordingServer::WaitForRequest(socket_t sock) const {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(keep_alive_timeout_sec_);
    while (svr_sock_ != INVALID_SOCKET) {
        if (WaitFor(sock, POLLIN, 0, kPollSliceMs * 1000)) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
    }
    return false;
}

bool RecordingServer::process_and_close_socket(socket_t sock) {
    // A reply goes out in several writes (head, then body); without TCP_NODELAY the second
    // write of a kept-alive connection waits for the client's delayed acknowledgement.
    const int noDelay = 1;
    setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    CapturingStream stream(sock, read_timeout_sec_, read_timeout_usec_, write_timeout_sec_,
                           write_timeout_usec_);
    bool ok = false;
    for (auto remaining = keep_alive_max_count_; remaining > 0; --remaining) {
        if (svr_sock_ == INVALID_SOCKET) break;
        if (!stream.HasBuffered() && !WaitForRequest(sock)) break;
        stream.StartCapture();
        bool closed = false;
        ok = process_request(stream, remaining == 1, closed, [&stream](httplib::Request& req) {
            currentRawHead = stream.Head();
            req.headers.erase("Accept-Encoding");
        });
        if (!ok || closed) break;
    }
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    return ok;
}

}  // namespace roomdesk::site
