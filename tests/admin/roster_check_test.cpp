// Reading the administrator roster from the stand-in site's roster pages.
#include "admin/roster_check.h"

#include <gtest/gtest.h>

#include <optional>

#include "admin_test_support.h"
#include "web/web_session.h"

namespace roomdesk::testing {
namespace {

const std::string kPage = "/room/my/room_admin?page=";

std::vector<std::string> PageTargets(std::initializer_list<int> pages) {
    std::vector<std::string> targets;
    for (int page : pages) targets.push_back(kPage + std::to_string(page));
    return targets;
}

// The roster rows of administrators `first` to `last` of AdminRoom, as the list shows them.
std::vector<ListView::Row> AdminRows(int first, int last) {
    std::vector<ListView::Row> rows;
    for (int i = first; i <= last; ++i) {
        rows.push_back({AdminUid(i), Ansi(AdminNickname(i)), AdminDate(i)});
    }
    return rows;
}

class RosterCheckTest : public AdminTest {
protected:
    void SetUp() override {
        AdminTest::SetUp();
        // What an earlier check left.
        roster().SetRows({{"1", "old", "2015-01-01"}, {"2", "older", "2014-01-01"}});
    }
    MemoryListView& roster() { return window_.List("超级列表框9"); }
    Text status() { return window_.Status("状态条2").GetText(); }
};

TEST_F(RosterCheckTest, ListsTheAdministratorsOfEveryYearWithTheirWholeDate) {
    CheckRosterAndWait();

    EXPECT_EQ(roster().Rows(), AdminRows(1, 45));
    EXPECT_EQ(status(), Ansi("后宫检查完毕！"));
    // Page 1 for the count, then every page.
    EXPECT_EQ(Targets(), PageTargets({1, 1, 2, 3}));
}

TEST_F(RosterCheckTest, ThePageCountComesFromTheFirstReadOfPageOne) {
    struct Case {
        const char* what;
        int administrators;
        std::optional<std::pair<int, std::string>> page;  // a page of its own: number, body
        bool loggedIn = true;
        std::vector<std::string> targets;
        std::size_t rows;
    } const cases[] = {
        {"one page", 5, std::nullopt, true, PageTargets({1, 1}), 5},
        {"no administrator", 0, std::nullopt, true, PageTargets({1, 1}), 0},
        {"a later page with another count", 45, std::pair{2, std::string("<span>共 9 页</span>")},
         true, PageTargets({1, 1, 2, 3}), 25},
        {"a first page without the pager", 45, std::pair{1, std::string("<html></html>")}, true,
         PageTargets({1}), 0},
        {"not logged in: the login page", 45, std::nullopt, false, PageTargets({1}), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        site_.SetData(AdminRoom(c.administrators));
        site_.ClearPages();
        if (c.page) site_.SetPage(kPage + std::to_string(c.page->first), c.page->second);
        if (!c.loggedIn) ClearCookieStore();
        site_.ClearRequests();
        window_.Status("状态条2").SetText("");

        CheckRosterAndWait();

        EXPECT_EQ(Targets(), c.targets);
        EXPECT_EQ(roster().RowCount(), static_cast<int>(c.rows));
        // A page that came stays silent, whatever it holds.
        EXPECT_EQ(status(), Ansi("后宫检查完毕！"));
    }
}

TEST_F(RosterCheckTest, AFailedExchangeEndsTheCheckAndSaysWhy) {
    struct Case {
        const char* what;
        std::optional<site::Fault> fault;  // absent: the site cannot be reached
        const char* status;
        std::vector<std::string> targets;
        int rows;
    } const cases[] = {
        {"the site cannot be reached", std::nullopt, "无法连接网站", {}, 0},
        {"an error status for the count",
         site::Fault{.pathPrefix = kPage + "1", .status = 500, .times = 1},
         "网站返回错误（HTTP 500）", PageTargets({1}), 0},
        {"an error status for page 2", site::Fault{.pathPrefix = kPage + "2", .status = 502},
         "网站返回错误（HTTP 502）", PageTargets({1, 1, 2}), 20},
        {"page 3 cut off", site::Fault{.pathPrefix = kPage + "3", .dropMidBody = true},
         "与网站的连接中断", PageTargets({1, 1, 2, 3}), 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        site_.ClearFaults();
        site_.ClearRequests();
        roster().SetRows({{"1", "old", "2015-01-01"}});
        window_.Status("状态条2").SetText("");
        UseBase(c.fault ? site_.BaseUrl() : site::ClosedSiteAddress());
        if (c.fault) site_.AddFault(*c.fault);

        CheckRosterAndWait();

        EXPECT_EQ(status(), Ansi(c.status));
        EXPECT_EQ(Targets(), c.targets);
        // The pages read before the failure stay listed.
        EXPECT_EQ(roster().Rows(), AdminRows(1, c.rows));
    }
}

}  // namespace
}  // namespace roomdesk::testing
