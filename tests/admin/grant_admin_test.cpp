// Granting the administrator role, against the stand-in site: the token, the form as the site
// received it, the reply rules and the failed exchanges.
#include "admin/grant_admin.h"

#include <gtest/gtest.h>

#include <optional>

#include "admin_test_support.h"
#include "web/web_session.h"

namespace roomdesk::testing {
namespace {

TEST(GrantTokenTest, IsTheValueOfTheLastCookieNamedExactlyCcn) {
    struct Case {
        const char* newCookies;
        const char* token;
    } const cases[] = {
        {"ccn=abc", "abc"},
        {"a_pref=1; ccn=abc; xccn=zzz; last=1", "abc"},
        {"visitor=v; ccn=abc", "abc"},
        {"ccn=old; x=1; ccn=new; y=2", "new"},
        {"xccn=zzz", ""},
        {"ccnx=1; accn=2", ""},
        {"CCN=abc", ""},
        {"ccn", ""},
        {"ccn=", ""},
        {"ccn=a=b", "a=b"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GrantToken(c.newCookies), c.token) << c.newCookies;
    }
}

class GrantAdminTest : public AdminTest {
protected:
    // The week's shown list holds `nickname` in its only row, selected unless `nickname` is
    // absent (then the list is empty).
    void ShowWeek(const std::optional<std::string>& nickname) {
        MemoryListView& shown = window_.List("超级列表框4");
        shown.DeleteAllRows();
        if (!nickname) return;
        shown.SetRows({{Ansi("第一名"), Ansi(*nickname), "300"}});
        shown.Select(0);
    }

    // Chooses the week's grant item and gives the message it showed, if any.
    std::optional<Text> GrantWeek() {
        const std::size_t before = window_.Messages().size();
        EXPECT_TRUE(window_.ChoosePopupItem("超级列表框4", "&赐予房管"));
        const std::vector<Text> messages = window_.Messages();
        EXPECT_LE(messages.size(), before + 1);
        if (messages.size() == before) return std::nullopt;
        return messages.back();
    }

    // The body of the one grant form the site received.
    std::string GrantForm() const {
        std::string form;
        int posts = 0;
        for (const site::RecordedRequest& request : site_.Requests()) {
            if (request.method != "POST") continue;
            EXPECT_EQ(request.target, "/room/my/add_admin");
            form = request.body;
            ++posts;
        }
        EXPECT_EQ(posts, 1);
        return form;
    }
};

TEST_F(GrantAdminTest, EachPeriodPostsTheTokenAndTheSelectedViewerEveryByteEncoded) {
    struct Case {
        const char* shownList;
        const char* item;
        const char* nickname;
        const char* encoded;
    } const cases[] = {
        {"超级列表框2", "赐予房管", "ab", "%61%62"},
        {"超级列表框4", "&赐予房管", "小明", "%E5%B0%8F%E6%98%8E"},
        {"超级列表框6", "赐&予房管", "A😀", "%41%F0%9F%98%80"},
        {"超级列表框8", "赐予&房管", "Tom&Jerry", "%54%6F%6D%26%4A%65%72%72%79"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shownList);
        site_.ClearRequests();
        MemoryListView& shown = window_.List(c.shownList);
        shown.SetRows({{Ansi("第一名"), "zz", "300"},
                       {Ansi("第二名"), Ansi(c.nickname), "200"},
                       {Ansi("第三名"), "yy", "100"}});
        shown.Select(1);

        ASSERT_TRUE(window_.ChoosePopupItem(c.shownList, c.item));

        ASSERT_EQ(Targets(), (std::vector<std::string>{"/room/my/", "/room/my/add_admin"}));
        EXPECT_EQ(site_.Requests().front().method, "GET");
        // The room page sets "a_pref", "ccn", "xccn" and "last": the token is ccn's value
        // alone, and the site accepts it.
        const std::string form = GrantForm();
        const std::string prefix = "ctn=", middle = "&nickname=";
        ASSERT_EQ(form.rfind(prefix, 0), 0u) << form;
        const std::size_t nicknameAt = form.find(middle);
        ASSERT_NE(nicknameAt, std::string::npos) << form;
        const std::string token = form.substr(prefix.size(), nicknameAt - prefix.size());
        EXPECT_EQ(token.size(), 32u) << token;
        EXPECT_EQ(token.find_first_not_of("0123456789abcdef"), std::string::npos) << token;
        EXPECT_EQ(form.substr(nicknameAt + middle.size()), c.encoded);
        const std::vector<Text> messages = window_.Messages();
        ASSERT_EQ(messages.size(), static_cast<std::size_t>(&c - cases + 1));
        EXPECT_EQ(messages.back(), Ansi("谢主隆恩！！！"));
        EXPECT_EQ(site_.Data().administrators.back().nickname, c.nickname);
    }
}

TEST_F(GrantAdminTest, TheDayReadsTheViewerFromItsShownListNotFromItsWorkList) {
    // The day's work list is being rebuilt by an update: its rows are no longer those shown.
    window_.List("超级列表框1").SetRows({{"", "ghost", "100"}, {"", "ab", "100"}});
    MemoryListView& shown = window_.List("超级列表框2");
    shown.SetRows({{Ansi("第一名"), "ab", "300"}, {Ansi("第二名"), Ansi("小明"), "200"}});
    shown.Select(1);

    ASSERT_TRUE(window_.ChoosePopupItem("超级列表框2", "赐予房管"));

    const std::string form = GrantForm();
    EXPECT_EQ(form.substr(form.find("&nickname=")), "&nickname=%E5%B0%8F%E6%98%8E");
    EXPECT_EQ(window_.Messages(), std::vector<Text>{Ansi("谢主隆恩！！！")});
    EXPECT_EQ(site_.Data().administrators.back().nickname, "小明");
}

TEST_F(GrantAdminTest, TheSiteReplyChoosesTheMessage) {
    struct Case {
        const char* what;
        std::optional<std::string> nickname;  // absent: no row selected
        const char* reply;                    // the site's own reply when null
        const char* message;                  // no message when null
    } const cases[] = {
        {"a member", "ab", nullptr, "谢主隆恩！！！"},
        {"an administrator already", AdminNickname(1), nullptr, "尼妹！我已经是房管好不咯"},
        {"an unknown name", "ghost", nullptr, "赐予失败！此人名字可能有特殊符号！"},
        {"no row selected", std::nullopt, nullptr, "你要赐予谁房管？选一个撒！"},
        {"both the first markers", "ab", "没有找到该会员；已经是您房间的房管",
         "尼妹！我已经是房管好不咯"},
        {"an empty account among other text", "ab", "错误：账号不能为空！",
         "你要赐予谁房管？选一个撒！"},
        {"a single blank", "ab", " ", nullptr},
        {"a refused token", "ab", "非法请求", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        site_.ClearPages();
        if (c.reply) site_.SetPage("/room/my/add_admin", c.reply);
        ShowWeek(c.nickname);

        const std::optional<Text> message = GrantWeek();

        if (c.message) {
            EXPECT_EQ(message, Ansi(c.message));
        } else {
            EXPECT_EQ(message, std::nullopt);
        }
    }
}

TEST_F(GrantAdminTest, NoRowSelectedStillPostsTheFormWithAnEmptyNickname) {
    ShowWeek(std::nullopt);
    GrantWeek();
    const std::string form = GrantForm();
    EXPECT_EQ(form.substr(form.find('&')), "&nickname=");
}

TEST_F(GrantAdminTest, AFailedExchangeTellsWhyAndNeverReportsSuccess) {
    struct Case {
        const char* what;
        std::optional<site::Fault> fault;  // absent: the site cannot be reached
        const char* message;
        std::vector<std::string> targets;
        int timeoutMs = 0;  // the total time allowed for a request, when not 0
    };
    const std::vector<std::string> getOnly = {"/room/my/"};
    const std::vector<std::string> both = {"/room/my/", "/room/my/add_admin"};
    const Case cases[] = {
        {"the site cannot be reached", std::nullopt, "无法连接网站", {}},
        {"an error status for the room page",
         site::Fault{.pathPrefix = "/room/my/", .status = 500, .times = 1},
         "网站返回错误（HTTP 500）", getOnly},
        {"the room page cut off",
         site::Fault{.pathPrefix = "/room/my/", .dropMidBody = true, .times = 1},
         "与网站的连接中断", getOnly},
        {"an error status for the grant",
         site::Fault{.pathPrefix = "/room/my/add_admin", .status = 500}, "网站返回错误（HTTP 500）",
         both},
        {"no reply to the grant in time",
         site::Fault{.pathPrefix = "/room/my/add_admin", .delayMs = 3000}, "网站响应超时", both,
         500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        site_.ClearFaults();
        site_.ClearRequests();
        UseBase(c.fault ? site_.BaseUrl() : site::ClosedSiteAddress());
        if (c.fault) site_.AddFault(*c.fault);
        WebSettings settings;
        if (c.timeoutMs > 0) settings.totalTimeout = std::chrono::milliseconds(c.timeoutMs);
        SetWebSettings(settings);
        ShowWeek("ab");

        EXPECT_EQ(GrantWeek(), Ansi(c.message));

        EXPECT_EQ(Targets(), c.targets);
        SetWebSettings(WebSettings{});
    }
    for (const Text& message : window_.Messages()) EXPECT_NE(message, Ansi("谢主隆恩！！！"));
    EXPECT_EQ(site_.Data().administrators.size(), 45u);
}

}  // namespace
}  // namespace roomdesk::testing
