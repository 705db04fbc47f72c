// Removing an administrator through the roster menu, against the stand-in site.
#include "admin/admin_removal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "admin_test_support.h"

namespace roomdesk::testing {
namespace {

class AdminRemovalTest : public AdminTest {
protected:
    MemoryListView& roster() { return window_.List("超级列表框9"); }
    bool SiteHasAdmin(const std::string& uid) const {
        const auto admins = site_.Data().administrators;
        return std::any_of(admins.begin(), admins.end(),
                           [&](const site::Administrator& a) { return a.uid == uid; });
    }
    // Chooses the removal and gives the one message it showed.
    Text Remove() {
        const std::size_t before = window_.Messages().size();
        EXPECT_TRUE(window_.ChoosePopupItem("超级列表框9", "打入冷宫"));
        const std::vector<Text> messages = window_.Messages();
        EXPECT_EQ(messages.size(), before + 1);
        return messages.size() == before ? Text() : messages.back();
    }
};

TEST_F(AdminRemovalTest, RemovesTheSelectedAdministratorAndLeavesTheListAsItIs) {
    CheckRosterAndWait();
    roster().Select(2);
    const std::vector<ListView::Row> listed = roster().Rows();
    site_.ClearRequests();

    EXPECT_EQ(Remove(), Ansi("打入冷宫成功！请重新检查后宫！"));

    EXPECT_EQ(Targets(), std::vector<std::string>{"/room/my/del_admin?del_uid=20003"});
    EXPECT_FALSE(SiteHasAdmin("20003"));
    EXPECT_EQ(site_.Data().administrators.size(), 44u);
    EXPECT_EQ(roster().Rows(), listed);
}

TEST_F(AdminRemovalTest, TheUidGoesIntoTheQueryEncodedAndReachesTheSiteIntact) {
    const std::string uid = "a b&c=d/é-1.2%+?#";
    site::SiteData data = AdminRoom(0);
    data.administrators.push_back({uid, "odd", "2014-01-01 00:00:00"});
    site_.SetData(data);
    // A roster page that carries the uid in its link as it is.
    site_.SetPage("/room/my/room_admin?page=1",
                  "<table>\r\n  <tr>\r\n    <td >odd</td>\r\n    <td >2014-01-01 00:00:00</td>\r\n"
                  "     <td><a href=\"/room/my/del_admin/" +
                      uid + "\" class=\"del\">x</a></td>\r\n  </tr>\r\n</table>共 1 页");
    CheckRosterAndWait();
    ASSERT_EQ(roster().Cell(0, 0), Ansi(uid));
    roster().Select(0);
    site_.ClearRequests();

    EXPECT_EQ(Remove(), Ansi("打入冷宫成功！请重新检查后宫！"));

    EXPECT_EQ(Targets(), std::vector<std::string>{
                             "/room/my/del_admin?del_uid=a%20b%26c%3Dd%2F%C3%A9-1.2%25%2B%3F%23"});
    EXPECT_FALSE(SiteHasAdmin(uid));
}

TEST_F(AdminRemovalTest, SendsNothingWithoutAChoiceAndReportsSuccessOnlyWhenTheSiteAnswered) {
    struct Case {
        const char* what;
        std::optional<ListView::Row> row;  // the selected roster row; none when absent
        bool reachable;
        std::optional<site::Fault> fault;
        const char* message;
        int requests;
    } const cases[] = {
        {"no row selected", std::nullopt, true, std::nullopt, "请先选择要打入冷宫的房管", 0},
        {"a row without a uid", ListView::Row{"", "odd", "2014-01-01"}, true, std::nullopt,
         "请先选择要打入冷宫的房管", 0},
        {"the site cannot be reached", ListView::Row{"20001", "x", "y"}, false, std::nullopt,
         "无法连接网站", 0},
        {"an error status", ListView::Row{"20001", "x", "y"}, true,
         site::Fault{.pathPrefix = "/room/my/del_admin", .status = 500}, "网站返回错误（HTTP 500）",
         1},
        {"the site refuses: no such administrator", ListView::Row{"99999", "x", "y"}, true,
         std::nullopt, "打入冷宫成功！请重新检查后宫！", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        site_.ClearFaults();
        site_.ClearRequests();
        if (c.fault) site_.AddFault(*c.fault);
        UseBase(c.reachable ? site_.BaseUrl() : site::ClosedSiteAddress());
        roster().SetRows({{"20002", "a", "b"}});
        if (c.row) {
            roster().SetRows({{"20002", "a", "b"}, *c.row});
            roster().Select(1);
        }

        EXPECT_EQ(Remove(), Ansi(c.message));
        EXPECT_EQ(static_cast<int>(site_.Requests().size()), c.requests);
    }
    EXPECT_EQ(site_.Data().administrators.size(), 45u);
}

}  // namespace
}  // namespace roomdesk::testing
