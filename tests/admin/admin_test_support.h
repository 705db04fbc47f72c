// What the administrator tests share: a stand-in site with a logged-in owner, an in-memory
// window with the administrator handlers installed, and a few readers of what the site saw.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "admin/administrators.h"
#include "site/stand_in_site.h"
#include "text/text_ops.h"
#include "toolkit/memory_window.h"

namespace roomdesk::testing {

// A text of the system written as UTF-8 in the test source.
Text Ansi(std::string_view utf8);

// The room: the owner "demo"/"demo123"; the viewers of kMembers, each of whom gave a gift, so
// the site knows them; `administrators` administrators "房管01", "房管02", ... with uids 20001,
// 20002, ..., appointed on 03-04 of the years 2014, 2015, 2016, 2025, 2026 in turn. "房管01" has
// given a gift too, so a grant to that name meets an administrator, not an unknown member.
site::SiteData AdminRoom(int administrators);
inline constexpr const char* kMembers[] = {"ab", "小明", "A😀", "Tom&Jerry"};
std::string AdminNickname(int index);  // from 1: "房管01"
std::string AdminUid(int index);       // from 1: "20001"
std::string AdminDate(int index);      // from 1: "2014-03-04 05:06:07", "2015-...", ...

class AdminTest : public ::testing::Test {
protected:
    // Starts the site with AdminRoom(45) (three roster pages), logs in and forgets the requests
    // of the login.
    void SetUp() override;
    void TearDown() override;

    // Uses `base` as the site's address from now on (a fresh Administrators, installed).
    void UseBase(const std::string& base);
    // Logs in as "demo" through the login endpoint; the cookie store keeps the session.
    void LogIn();

    // The targets (path and query) of the requests the site received, in order.
    std::vector<std::string> Targets() const;
    // Chooses the roster check and waits for its worker.
    void CheckRosterAndWait();

    site::StandInSite site_{AdminRoom(45)};
    MemoryWindow window_;
    std::unique_ptr<Administrators> admins_;
};

}  // namespace roomdesk::testing
