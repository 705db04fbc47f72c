#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "site/stand_in_site.h"
#include "site_test_support.h"

namespace roomdesk::site {
namespace {

using Clock = std::chrono::steady_clock;

class SiteFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        port_ = site_.Start();
        ASSERT_GT(port_, 0);
        site_.SetPage("/page?n=1", page_);
        site_.SetPage("/page?n=2", page_);
    }

    // The reply to a GET on a fresh connection, as raw bytes.
    std::string Raw(const std::string& target) {
        return testing::SendRaw(
            port_, "GET " + target + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    }

    static std::string BodyOf(const std::string& raw) {
        const auto end = raw.find("\r\n\r\n");
        return end == std::string::npos ? std::string() : raw.substr(end + 4);
    }

    StandInSite site_{SiteData{}};
    int port_ = -1;
    const std::string page_ = std::string(1000, 'p');
};

TEST_F(SiteFaultsTest, EachFaultShapesTheReply) {
    struct Case {
        const char* what;
        Fault fault;
        const char* statusLine;
        std::string contentLength;
        std::size_t bodyBytes;  // what arrives before the connection closes
    } const cases[] = {
        {"none", Fault{.pathPrefix = "/other"}, "HTTP/1.1 200", "1000", 1000},
        {"HTTP 500", Fault{.status = 500}, "HTTP/1.1 500", "", 0},
        {"truncated", Fault{.truncateBody = true}, "HTTP/1.1 200", "500", 500},
        {"dropped mid-body", Fault{.dropMidBody = true}, "HTTP/1.1 200", "1000", 500},
        {"oversized", Fault{.oversizeBytes = 3 << 20}, "HTTP/1.1 200", std::to_string(3 << 20),
         3u << 20},
        {"oversized and dropped", Fault{.dropMidBody = true, .oversizeBytes = 1 << 20},
         "HTTP/1.1 200", std::to_string(1 << 20), 1u << 19},
    };
    for (const auto& c : cases) {
        site_.ClearFaults();
        site_.AddFault(c.fault);
        const std::string raw = Raw("/page?n=1");
        EXPECT_EQ(raw.rfind(c.statusLine, 0), 0u) << c.what << ": " << raw.substr(0, 40);
        if (!c.contentLength.empty()) {
            EXPECT_NE(raw.find("\r\nContent-Length: " + c.contentLength + "\r\n"),
                      std::string::npos)
                << c.what;
            EXPECT_EQ(BodyOf(raw).size(), c.bodyBytes) << c.what;
        }
    }
    EXPECT_EQ(site_.Requests().size(), std::size(cases)) << "faulted requests are recorded too";
}

TEST_F(SiteFaultsTest, AnErrorStatusKeepsThePageFromRunning) {
    site_.AddFault(Fault{.status = 500, .times = 1});
    EXPECT_EQ(Raw("/member/login/captcha?_t=0.1").rfind("HTTP/1.1 500", 0), 0u);
    EXPECT_EQ(site_.CaptchaDigits(), "") << "no captcha was drawn";
    EXPECT_EQ(Raw("/member/login/captcha?_t=0.1").rfind("HTTP/1.1 200", 0), 0u);
    EXPECT_EQ(site_.CaptchaDigits().size(), 4u);
}

TEST_F(SiteFaultsTest, PrefixAndTimesChooseTheRequests) {
    site_.AddFault(Fault{.pathPrefix = "/page?n=2", .status = 503, .times = 2});
    site_.AddFault(Fault{.pathPrefix = "/page", .truncateBody = true, .times = 1});
    struct Step {
        const char* target;
        const char* statusLine;
        std::size_t bodyBytes;
    } const steps[] = {
        {"/page?n=2", "HTTP/1.1 503", 0},    {"/page?n=1", "HTTP/1.1 200", 500},
        {"/page?n=2", "HTTP/1.1 503", 0},    {"/page?n=2", "HTTP/1.1 200", 1000},
        {"/page?n=1", "HTTP/1.1 200", 1000},
    };
    for (const auto& step : steps) {
        const std::string raw = Raw(step.target);
        EXPECT_EQ(raw.rfind(step.statusLine, 0), 0u) << step.target;
        if (step.bodyBytes) {
            EXPECT_EQ(BodyOf(raw).size(), step.bodyBytes) << step.target;
        }
    }
}

TEST_F(SiteFaultsTest, DelayHoldsTheReplyButNotTheStop) {
    site_.AddFault(Fault{.delayMs = 300, .times = 1});
    auto start = Clock::now();
    EXPECT_EQ(BodyOf(Raw("/page?n=1")), page_);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(300));

    site_.AddFault(Fault{.delayMs = 20000});
    auto slow = std::async(std::launch::async, [this] { return Raw("/page?n=1"); });
    while (site_.Requests().size() < 2) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    start = Clock::now();
    site_.Stop();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
    slow.get();
}

}  // namespace
}  // namespace roomdesk::site
