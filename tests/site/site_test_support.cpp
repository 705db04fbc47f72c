#include "site_test_support.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>

namespace roomdesk::site::testing {

namespace {

std::uint32_t BigEndian(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}

}  // namespace

bool Picture::Dark(int x, int y) const {
    const auto* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    return p[0] <= 120 && p[1] <= 120 && p[2] <= 120;
}

Picture DecodePng(const std::string& png) {
    if (png.compare(0, 8, std::string("\x89PNG\r\n\x1A\n", 8)) != 0) return {};
    Picture picture;
    std::string packed;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = BigEndian(png, at);
        if (at + 12 + length > png.size()) return {};
        const std::string typed = png.substr(at + 4, 4 + length);
        const auto crc = crc32(0L, reinterpret_cast<const Bytef*>(typed.data()),
                               static_cast<uInt>(typed.size()));
        if (crc != BigEndian(png, at + 8 + length)) return {};
        const std::string type = typed.substr(0, 4), data = typed.substr(4);
        if (type == "IHDR") {
            picture.width = static_cast<int>(BigEndian(data, 0));
            picture.height = static_cast<int>(BigEndian(data, 4));
            if (data.substr(8, 5) != std::string("\x08\x02\x00\x00\x00", 5)) return {};
        } else if (type == "IDAT") {
            packed += data;
        } else if (type == "IEND") {
            break;
        }
        at += 12 + length;
    }
    const std::size_t stride = 1 + 3 * static_cast<std::size_t>(picture.width);
    std::string raw(stride * picture.height, '\0');
    uLongf rawSize = raw.size();
    if (uncompress(reinterpret_cast<Bytef*>(raw.data()), &rawSize,
                   reinterpret_cast<const Bytef*>(packed.data()), packed.size()) != Z_OK ||
        rawSize != raw.size()) {
        return {};
    }
    for (int y = 0; y < picture.height; ++y) {
        if (raw[y * stride] != 0) return {};  // only filter type 0 is written
        picture.rgb.insert(picture.rgb.end(), raw.begin() + y * stride + 1,
                           raw.begin() + (y + 1) * stride);
    }
    return picture;
}

Browser::Browser(int port) : client_("127.0.0.1", port) {}

httplib::Headers Browser::CookieHeader() const {
    std::string text;
    for (const auto& [name, value] : cookies_)
        text += (text.empty() ? "" : "; ") + name + "=" + value;
    if (text.empty()) return {};
    return {{"Cookie", text}};
}

void Browser::Keep(const httplib::Result& result) {
    if (!result) return;
    const auto range = result->headers.equal_range("Set-Cookie");
    for (auto it = range.first; it != range.second; ++it) {
        const std::string pair = it->second.substr(0, it->second.find(';'));
        const auto eq = pair.find('=');
        if (eq != std::string::npos) cookies_[pair.substr(0, eq)] = pair.substr(eq + 1);
    }
}

httplib::Result Browser::Get(const std::string& target) {
    auto result = client_.Get(target, CookieHeader());
    Keep(result);
    return result;
}

httplib::Result Browser::Post(const std::string& target, const std::string& form) {
    auto result = client_.Post(target, CookieHeader(), form, "application/x-www-form-urlencoded");
    Keep(result);
    return result;
}

std::string Browser::Cookie(const std::string& name) const {
    const auto found = cookies_.find(name);
    return found == cookies_.end() ? std::string() : found->second;
}

std::string Browser::LogIn(StandInSite& site, const std::string& encodedName,
                           const std::string& encodedPassword) {
    Get("/member/login/captcha?_t=0.12345678901234567");
    const auto reply = Post("/member/login/ajax", "login_type=nickname&username=" + encodedName +
                                                      "&password=" + encodedPassword +
                                                      "&captcha_word=" + site.CaptchaDigits());
    return reply ? reply->body : std::string();
}

std::string EncodeEveryByte(const std::string& text) {
    std::string out;
    for (const unsigned char c : text) {
        char buffer[4];
        std::snprintf(buffer, sizeof buffer, "%%%02X", c);
        out += buffer;
    }
    return out;
}

std::string SendRaw(int port, const std::string& bytes) {
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string reply;
    if (::connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::send(sock, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(bytes.size())) {
        char buffer[4096];
        pollfd descriptor{sock, POLLIN, 0};
        while (::poll(&descriptor, 1, 5000) > 0) {
            const ssize_t n = ::recv(sock, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            reply.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(sock);
    return reply;
}

int CountOf(const std::string& text, const std::string& needle) {
    int count = 0;
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace roomdesk::site::testing
