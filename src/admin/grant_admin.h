// Granting the administrator role to a viewer of a shown ranking: the room page's grant token,
// the grant form and the site's reply.
#pragma once

#include <string_view>

#include "text/text_ops.h"
#include "toolkit/window.h"

namespace roomdesk {

enum class GrantPeriod { kDay, kWeek, kMonth, kQuarter };

// Where a period's grant item lives and which list it picks the viewer from.
struct GrantItem {
    GrantPeriod period;
    std::string_view menu;       // the popup menu of the shown list
    std::string_view item;       // the grant item, '&' included
    std::string_view shownList;  // the ranking the owner sees and selects in
};

inline constexpr GrantItem kGrantItems[] = {
    {GrantPeriod::kDay, "菜单", "赐予房管", "超级列表框2"},
    {GrantPeriod::kWeek, "菜单2", "&赐予房管", "超级列表框4"},
    {GrantPeriod::kMonth, "菜单3", "赐&予房管", "超级列表框6"},
    {GrantPeriod::kQuarter, "菜单4", "赐予&房管", "超级列表框8"},
};

const GrantItem& GrantItemOf(GrantPeriod period);

// The grant token: the value of the last cookie named exactly "ccn" (letter case counts) among
// the name=value pairs of `newCookies`, as the site set it; the empty text when there is none.
Text GrantToken(std::string_view newCookies);

// The message for the site's reply to a grant (the body read as text), or the empty text when
// the reply calls for none. The first rule that holds decides: an empty reply is the site's
// success; then a viewer who already is an administrator, an unknown member, an empty account.
Text GrantReplyMessage(std::string_view reply);

// Asks the site to make the viewer selected in the period's shown list (column 1 of the first
// selected row) an administrator of the room, and tells the owner the outcome in a message box.
// First the room page is fetched for its grant token, then the grant form is posted. When either
// exchange fails, the owner is told why and nothing else happens; the form is not posted after a
// failed fetch. With no row selected the form goes out with an empty nickname, and the site's
// reply says that a viewer must be chosen. Runs on the window's thread and returns when the
// message box is closed.
void GrantAdmin(Window& window, std::string_view baseAddress, GrantPeriod period);

}  // namespace roomdesk
