#include "site/stand_in_site.h"

#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <thread>

#include "site/recording_server.h"
#include "site/site_calendar.h"
#include "site/site_pages.h"
#include "site/site_state.h"

namespace roomdesk::site {

namespace {

using nlohmann::json;

constexpr const char* kTestPrefix = "/__test/";
constexpr std::size_t kProviderChunk = 64 * 1024;
constexpr int kHandlerThreads = 16;  // slow replies and idle keep-alive connections each hold one

bool SameLetters(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The header lines of a raw request head, in order, names and values as sent (values trimmed).
std::vector<std::pair<std::string, std::string>> HeaderLines(const std::string& head) {
    std::vector<std::pair<std::string, std::string>> lines;
    std::size_t start = head.find("\r\n");
    while (start != std::string::npos) {
        start += 2;
        const auto end = head.find("\r\n", start);
        if (end == std::string::npos || end == start) break;
        const std::string line = head.substr(start, end - start);
        const auto colon = line.find(':');
        if (colon != std::string::npos) {
            const auto valueStart = line.find_first_not_of(" \t", colon + 1);
            lines.emplace_back(line.substr(0, colon), valueStart == std::string::npos
                                                          ? std::string()
                                                          : line.substr(valueStart));
        }
        start = end;
    }
    return lines;
}

json RequestJson(const RecordedRequest& r) {
    json headers = json::array();
    for (const auto& [name, value] : r.headers) headers.push_back({name, value});
    return {{"method", r.method},
            {"target", r.target},
            {"rawHead", r.rawHead},
            {"headers", headers},
            {"body", r.body}};
}

Fault FaultFromJson(const json& j) {
    Fault f;
    f.pathPrefix = j.value("pathPrefix", "");
    f.delayMs = j.value("delayMs", 0);
    f.dropMidBody = j.value("dropMidBody", false);
    f.status = j.value("status", 0);
    f.truncateBody = j.value("truncateBody", false);
    f.oversizeBytes = j.value("oversizeBytes", std::size_t{0});
    f.times = j.value("times", -1);
    return f;
}

// The bytes of an oversized reply: a comment line repeated.
char FillerByte(std::size_t offset) {
    static const std::string kLine = "<!-- filler filler filler filler filler filler -->\r\n";
    return kLine[offset % kLine.size()];
}

}  // namespace

std::string RecordedRequest::Header(const std::string& name) const {
    for (const auto& [key, value] : headers) {
        if (SameLetters(key, name)) return value;
    }
    return {};
}

std::string LocalDate() { return LocalDateText(); }

struct StandInSite::Impl {
    explicit Impl(SiteData data) : state(std::move(data)) {}

    void Handle(const httplib::Request& req, httplib::Response& res);
    void HandleTestEndpoint(const httplib::Request& req, httplib::Response& res,
                            const NameValues& cookies);
    std::optional<Fault> TakeFault(const std::string& target);
    void Sleep(int ms);

    SiteState state;

    mutable std::mutex mutex;  // guards everything below
    std::vector<RecordedRequest> requests;
    std::vector<Fault> faults;
    bool testEndpoints = false;
    bool stopping = false;
    std::condition_variable stopSignal;
    std::unique_ptr<RecordingServer> server;
    std::thread listener;
    int port = -1;
};

std::optional<Fault> StandInSite::Impl::TakeFault(const std::string& target) {
    std::lock_guard lock(mutex);
    for (auto& fault : faults) {
        if (fault.times == 0 || target.rfind(fault.pathPrefix, 0) != 0) continue;
        if (fault.times > 0) --fault.times;
        return fault;
    }
    return std::nullopt;
}

// Sleeps, but wakes at once when the site stops.
void StandInSite::Impl::Sleep(int ms) {
    std::unique_lock lock(mutex);
    stopSignal.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping; });
}

void StandInSite::Impl::Handle(const httplib::Request& req, httplib::Response& res) {
    RecordedRequest recorded{
        req.method, req.target, RecordingServer::CurrentRawHead(), {}, req.body};
    recorded.headers = HeaderLines(recorded.rawHead);
    NameValues cookies;
    for (const auto& [name, value] : recorded.headers) {
        if (SameLetters(name, "Cookie")) {
            for (auto& pair : ParseCookieHeader(value)) cookies.push_back(std::move(pair));
        }
    }

    if (req.path.rfind(kTestPrefix, 0) == 0) {
        bool enabled;
        {
            std::lock_guard lock(mutex);
            enabled = testEndpoints;
        }
        if (enabled) return HandleTestEndpoint(req, res, cookies);
    }
    {
        std::lock_guard lock(mutex);
        requests.push_back(recorded);
    }

    const auto fault = TakeFault(req.target);
    if (fault && fault->delayMs > 0) Sleep(fault->delayMs);

    Reply reply;
    std::size_t fillerSize = 0;
    if (fault && fault->status > 0) {
        reply.status = fault->status;
        reply.body = ErrorPage(fault->status);
    } else if (fault && fault->oversizeBytes > 0) {
        fillerSize = fault->oversizeBytes;
    } else {
        reply = state.Serve(Incoming{req.target, req.body, cookies});
    }

    res.status = reply.status;
    for (const auto& [name, value] : reply.headers) res.headers.emplace(name, value);

    const bool drop = fault && fault->dropMidBody;
    if (fault && fault->truncateBody && fillerSize == 0) reply.body.resize(reply.body.size() / 2);
    if (!drop && fillerSize == 0) {
        res.set_content(reply.body, reply.contentType.c_str());
        return;
    }
    // Streamed: the filler, or a body that stops halfway and drops the connection.
    const std::size_t size = fillerSize > 0 ? fillerSize : reply.body.size();
    const std::size_t declared = std::max<std::size_t>(size, 1);
    const std::size_t sent = drop ? size / 2 : size;
    auto body = std::make_shared<std::string>(std::move(reply.body));
    res.set_content_provider(
        declared, reply.contentType.c_str(),
        [body, sent, fillerSize](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            if (offset >= sent) return false;  // cut: httplib closes the connection
            const std::size_t n = std::min(kProviderChunk, sent - offset);
            if (fillerSize == 0) return sink.write(body->data() + offset, n);
            std::string chunk(n, '\0');
            for (std::size_t i = 0; i < n; ++i) chunk[i] = FillerByte(offset + i);
            return sink.write(chunk.data(), n);
        });
}

void StandInSite::Impl::HandleTestEndpoint(const httplib::Request& req, httplib::Response& res,
                                           const NameValues& cookies) {
    const std::string& path = req.path;
    if (path == "/__test/captcha") {
        res.set_content(state.CaptchaOf(cookies), "text/plain; charset=utf-8");
    } else if (path == "/__test/requests") {
        json log = json::array();
        {
            std::lock_guard lock(mutex);
            for (const auto& r : requests) log.push_back(RequestJson(r));
        }
        res.set_content(log.dump(1, ' ', false, json::error_handler_t::replace),
                        "application/json");
    } else if (path == "/__test/requests/clear" && req.method == "POST") {
        std::lock_guard lock(mutex);
        requests.clear();
    } else if (path == "/__test/faults" && req.method == "POST") {
        const json body = json::parse(req.body, nullptr, false);
        if (!body.is_object()) {
            res.status = 400;
            res.set_content("a fault is a JSON object", "text/plain");
            return;
        }
        std::lock_guard lock(mutex);
        faults.push_back(FaultFromJson(body));
    } else if (path == "/__test/faults/clear" && req.method == "POST") {
        std::lock_guard lock(mutex);
        faults.clear();
    } else {
        res.status = 404;
    }
}

StandInSite::StandInSite(SiteData data) : impl_(std::make_unique<Impl>(std::move(data))) {}

StandInSite::~StandInSite() { Stop(); }

int StandInSite::Start(const std::string& host, int port) {
    Stop();
    auto server = std::make_unique<RecordingServer>();
    server->new_task_queue = [] { return new httplib::ThreadPool(kHandlerThreads); };
    server->set_keep_alive_timeout(5);
    Impl* impl = impl_.get();
    const auto handler = [impl](const httplib::Request& req, httplib::Response& res) {
        impl->Handle(req, res);
    };
    server->Get(".*", handler);
    server->Post(".*", handler);
    int bound = -1;
    if (port == 0) {
        bound = server->bind_to_any_port(host);
    } else if (server->bind_to_port(host, port)) {
        bound = port;
    }
    if (bound <= 0) return -1;
    {
        std::lock_guard lock(impl_->mutex);
        impl_->stopping = false;
        impl_->port = bound;
    }
    RecordingServer* raw = server.get();
    impl_->server = std::move(server);
    impl_->listener = std::thread([raw] { raw->listen_after_bind(); });
    // A stop before the loop runs would be lost, so Start returns once it runs.
    while (!raw->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return bound;
}

void StandInSite::Stop() {
    if (!impl_->server) return;
    {
        std::lock_guard lock(impl_->mutex);
        impl_->stopping = true;
    }
    impl_->stopSignal.notify_all();
    impl_->server->stop();
    if (impl_->listener.joinable()) impl_->listener.join();
    impl_->server.reset();
    std::lock_guard lock(impl_->mutex);
    impl_->port = -1;
}

int StandInSite::Port() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->port;
}

std::string StandInSite::BaseUrl() const { return "http://127.0.0.1:" + std::to_string(Port()); }

std::vector<RecordedRequest> StandInSite::Requests() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->requests;
}

void StandInSite::ClearRequests() {
    std::lock_guard lock(impl_->mutex);
    impl_->requests.clear();
}

void StandInSite::AddFault(Fault fault) {
    std::lock_guard lock(impl_->mutex);
    impl_->faults.push_back(std::move(fault));
}

void StandInSite::ClearFaults() {
    std::lock_guard lock(impl_->mutex);
    impl_->faults.clear();
}

void StandInSite::EnableTestEndpoints(bool on) {
    std::lock_guard lock(impl_->mutex);
    impl_->testEndpoints = on;
}

std::string StandInSite::CaptchaDigits() const { return impl_->state.LastCaptcha(); }
void StandInSite::SetToday(std::string yyyyMmDd) { impl_->state.SetToday(std::move(yyyyMmDd)); }
std::string StandInSite::Today() const { return impl_->state.Today(); }
SiteData StandInSite::Data() const { return impl_->state.Data(); }
void StandInSite::SetData(SiteData data) { impl_->state.SetData(std::move(data)); }
void StandInSite::AddGift(Gift gift) { impl_->state.AddGift(std::move(gift)); }
void StandInSite::SetPage(std::string pathAndQuery, std::string body) {
    impl_->state.SetPage(std::move(pathAndQuery), std::move(body));
}
void StandInSite::ClearPages() { impl_->state.ClearPages(); }

std::string ClosedSiteAddress() {
    StandInSite gone{SiteData{}};
    gone.Start();
    const std::string address = gone.BaseUrl();
    gone.Stop();
    return address;
}

}  // namespace roomdesk::site
