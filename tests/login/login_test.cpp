// The captcha and the login through the in-memory window, against the stand-in site.
#include "login/login.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "site/stand_in_site.h"
#include "text/encoding.h"
#include "toolkit/memory_window.h"
#include "web/web_request.h"
#include "web/web_session.h"

namespace roomdesk {
namespace {

constexpr std::string_view kCaptchaPrefix = "/member/login/captcha?_t=0.";

bool IsCaptchaRequest(const site::RecordedRequest& request) {
    return request.method == "GET" && request.target.rfind(kCaptchaPrefix, 0) == 0;
}

bool IsLoginRequest(const site::RecordedRequest& request) {
    return request.method == "POST" && request.target == "/member/login/ajax";
}

// What the owner saw when a message box opened.
struct AtMessage {
    Text text;
    int pictures = 0;  // pictures set in 图片框1 so far
    bool lastRequestWasCaptcha = false;
};

class LoginTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearCookieStore();
        ASSERT_GT(site_.Start(), 0);
        base_ = site_.BaseUrl();
    }
    void TearDown() override { ClearCookieStore(); }

    // A fresh window whose messages are recorded with what was on screen at that moment.
    std::unique_ptr<MemoryWindow> NewWindow() {
        auto window = std::make_unique<MemoryWindow>();
        window->SetMessageHook([this, w = window.get()](const Text& text) {
            const auto requests = site_.Requests();
            seen_.push_back({text, w->Picture("图片框1").PictureCount(),
                             !requests.empty() && IsCaptchaRequest(requests.back())});
        });
        return window;
    }

    // Types the three texts (UTF-8) into the boxes.
    static void FillIn(MemoryWindow& window, const std::string& nickname,
                       const std::string& password, const std::string& captcha) {
        window.Edit("编辑框1").SetText(Utf8ToAnsi(nickname));
        window.Edit("编辑框2").SetText(Utf8ToAnsi(password));
        window.Edit("编辑框3").SetText(Utf8ToAnsi(captcha));
    }

    std::optional<site::RecordedRequest> LoginRequest() const {
        for (const auto& request : site_.Requests()) {
            if (IsLoginRequest(request)) return request;
        }
        return std::nullopt;
    }

    site::StandInSite site_{site::SiteData::Demo(site::LocalDate())};
    std::string base_;
    std::vector<AtMessage> seen_;
};

TEST_F(LoginTest, FetchCaptchaShowsTheSitePictureFromANewAddressEachTime) {
    auto window = NewWindow();
    FetchCaptcha(*window, base_);
    FetchCaptcha(*window, base_);

    const auto requests = site_.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const auto& request : requests) {
        ASSERT_TRUE(IsCaptchaRequest(request)) << request.target;
        const std::string digits = request.target.substr(kCaptchaPrefix.size());
        EXPECT_EQ(digits.size(), 17u) << request.target;
        EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos) << request.target;
    }
    EXPECT_NE(requests[0].target, requests[1].target);
    EXPECT_EQ(window->Picture("图片框1").PictureCount(), 2);
    EXPECT_EQ(window->Picture("图片框1").PictureBytes().substr(0, 8), "\x89PNG\r\n\x1A\n");
    EXPECT_TRUE(window->Messages().empty());
}

TEST_F(LoginTest, FetchCaptchaThatFailsLeavesNoPictureAndSaysNothing) {
    site_.AddFault({.pathPrefix = "/member/login/captcha", .status = 500});
    const struct {
        const char* name;
        std::string base;
    } cases[] = {{"error status", base_}, {"nothing listens", site::ClosedSiteAddress()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = NewWindow();
        window->Picture("图片框1").SetPicture("old picture");
        FetchCaptcha(*window, c.base);
        EXPECT_EQ(window->Picture("图片框1").PictureBytes(), "");
        EXPECT_TRUE(window->Messages().empty());
    }
}

// Every verdict of the site's own login, with the picture the owner had when the message opened.
TEST_F(LoginTest, EachVerdictOfTheSiteShowsItsMessage) {
    struct Case {
        const char* name;
        const char* nickname;
        const char* password;
        bool captchaRight;
        const char* message;
        bool newPicture;  // fetched before the message opened
    };
    const Case cases[] = {
        {"success", "demo", "demo123", true, "登录成功", false},
        // "&", "=" and "%" in the password reach the site as typed.
        {"password with form characters", "房主", "p&ss=1%", true, "登录成功", false},
        {"wrong captcha", "demo", "demo123", false, "验证码错误", true},
        {"wrong password", "demo", "demo12", true, "帐号密码错误", false},
        {"unknown account", "nobody", "demo123", true, "帐号密码错误", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearCookieStore();
        site_.ClearRequests();
        seen_.clear();
        auto window = NewWindow();
        FetchCaptcha(*window, base_);
        std::string captcha = site_.CaptchaDigits();
        ASSERT_EQ(captcha.size(), 4u);
        if (!c.captchaRight) captcha[0] = captcha[0] == '9' ? '0' : captcha[0] + 1;
        FillIn(*window, c.nickname, c.password, captcha);

        window->Button("按钮4").SetClickHandler([&] { Login(*window, base_); });
        ASSERT_TRUE(window->Button("按钮4").Click());

        ASSERT_EQ(seen_.size(), 1u);
        EXPECT_EQ(seen_[0].text, Utf8ToAnsi(c.message));
        EXPECT_EQ(seen_[0].pictures, c.newPicture ? 2 : 1);
        EXPECT_EQ(seen_[0].lastRequestWasCaptcha, c.newPicture);
        const auto requests = site_.Requests();
        ASSERT_EQ(requests.size(), c.newPicture ? 3u : 2u);
        EXPECT_TRUE(IsLoginRequest(requests[1]));
        // The session cookie of a success goes with every later request.
        const WebResponse room = WebRequest(base_ + "/room/my/");
        const bool loggedIn = room.body.find("请先登录") == std::string::npos;
        EXPECT_EQ(loggedIn, std::string(c.message) == "登录成功");
    }
}

TEST_F(LoginTest, FormCarriesEveryValueAsPercentEncodedUtf8) {
    struct Case {
        const char* nickname;
        const char* password;
        const char* captcha;
        const char* body;
    };
    const Case cases[] = {
        {"ab", "", "", "login_type=nickname&username=%61%62&password=&captcha_word="},
        {"房主", "p&ss=1%", "12",
         "login_type=nickname&username=%E6%88%BF%E4%B8%BB&password=%70%26%73%73%3D%31%25"
         "&captcha_word=%31%32"},
        {"", "a+b c", "x",
         "login_type=nickname&username=&password=%61%2B%62%20%63&captcha_word=%78"},
        // A character beyond code page 936 keeps its UTF-8 bytes.
        {"A😀", "", "", "login_type=nickname&username=%41%F0%9F%98%80&password=&captcha_word="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        site_.ClearRequests();
        auto window = NewWindow();
        FillIn(*window, c.nickname, c.password, c.captcha);
        Login(*window, base_);
        const auto request = LoginRequest();
        ASSERT_TRUE(request.has_value());
        EXPECT_EQ(request->body, c.body);
    }
}

// Replies that the site might send: the markers decide in their order, after the reply's
// escapes are decoded, and a reply with none of them shows nothing.
TEST_F(LoginTest, MarkersOfTheReplyDecideInTheirOrder) {
    struct Case {
        const char* reply;
        const char* message;  // nullptr: none
        bool newPicture;
    };
    const Case cases[] = {
        {R"({"code":-3,"msg":"a:0"})", "登录成功", false},   // ":0" before "-3"
        {R"({"code":-99,"msg":"-3"})", "验证码错误", true},  // "-99" before "-3"
        {R"({"code":-3})", "帐号密码错误", false},
        {R"({"code":-5})", "帐号密码错误", false},
        {R"({"code":1,"msg":"\u003a0"})", "登录成功", false},  // the escape gives ":0"
        {R"({"code":1,"msg":"\u767b\u5f55"})", nullptr, false},
        {"<html>busy</html>", nullptr, false},
        {"", nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        site_.SetPage("/member/login/ajax", c.reply);
        seen_.clear();
        auto window = NewWindow();
        Login(*window, base_);
        if (c.message == nullptr) {
            EXPECT_TRUE(seen_.empty());
        } else {
            ASSERT_EQ(seen_.size(), 1u);
            EXPECT_EQ(seen_[0].text, Utf8ToAnsi(c.message));
            EXPECT_EQ(seen_[0].pictures, c.newPicture ? 1 : 0);
        }
        EXPECT_EQ(window->Picture("图片框1").PictureCount(), c.newPicture ? 1 : 0);
    }
}

// When no usable answer came, the owner is told so, instead of nothing happening.
TEST_F(LoginTest, ExchangeThatFailedSaysWhy) {
    struct Case {
        const char* name;
        std::optional<site::Fault> fault;
        bool closedSite;
        const char* message;
    };
    const Case cases[] = {
        {"nothing listens", std::nullopt, true, "无法连接网站"},
        {"error status", site::Fault{.pathPrefix = "/member/login/ajax", .status = 500}, false,
         "网站返回错误（HTTP 500）"},
        {"connection dropped", site::Fault{.pathPrefix = "/member/login/ajax", .dropMidBody = true},
         false, "与网站的连接中断"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        site_.ClearFaults();
        if (c.fault) site_.AddFault(*c.fault);
        seen_.clear();
        auto window = NewWindow();
        FillIn(*window, "demo", "demo123", "1234");
        Login(*window, c.closedSite ? site::ClosedSiteAddress() : base_);
        ASSERT_EQ(seen_.size(), 1u);
        EXPECT_EQ(seen_[0].text, Utf8ToAnsi(c.message));
        EXPECT_EQ(window->Picture("图片框1").PictureCount(), 0);
    }
}

}  // namespace
}  // namespace roomdesk
