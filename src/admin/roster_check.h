// The administrator roster: the room's administrator pages read into 超级列表框9.
#pragma once

#include <string_view>

#include "toolkit/window.h"

namespace roomdesk {

// One administrator row of a roster page: group 1 the nickname, group 2 the whole appointment
// date cell (administrators of every year), group 3 the uid of the administrator's removal link.
inline constexpr std::string_view kAdminRowPattern =
    "<td >(.*?)</td>\r\n    <td >(.*?)</td>\r\n     <td><a href=\"/room/my/del_admin/(.*?)\"";

// The body of a roster worker. Writes "正在检查后宫！" to 状态条2, empties 超级列表框9, reads
// the page count ("共 N 页") from roster page 1, then reads pages 1 to N and appends one row per
// administrator: uid, nickname, appointment date. A page's rows are appended together, so the
// list grows page by page. Ends with "后宫检查完毕！".
//
// When an exchange fails (no complete response, or an error status) the check stops there: the
// rows of the pages before stay listed and 状态条2 tells why instead of reporting the end. A page
// that came but holds no pager or no row is no failure: it gives no page or no row.
//
// When the worker is asked to stop (the window closes), the check ends as soon as the request
// under way returns, and writes nothing more.
void CheckRoster(Window& window, std::string_view baseAddress);

}  // namespace roomdesk
