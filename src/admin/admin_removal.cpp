#include "admin/admin_removal.h"

#include "text/encoding.h"
#include "web/failure_message.h"
#include "web/web_request.h"

namespace roomdesk {

namespace {

constexpr std::string_view kRosterList = "超级列表框9";
constexpr std::string_view kRemovePath = "/room/my/del_admin?del_uid=";
constexpr std::string_view kRemoved = "打入冷宫成功！请重新检查后宫！";
constexpr std::string_view kChooseFirst = "请先选择要打入冷宫的房管";

}  // namespace

void RemoveAdmin(Window& window, std::string_view baseAddress) {
    const ListView& roster = window.List(kRosterList);
    const Text uid = roster.Cell(roster.SelectedRow(), 0);
    if (uid.empty()) {
        window.ShowMessage(Utf8ToAnsi(kChooseFirst));
        return;
    }
    const WebResponse response =
        WebRequest(Text(baseAddress) + Text(kRemovePath) + UrlEncode(uid, true, true));
    window.ShowMessage(ExchangeFailed(response) ? FailureMessage(response) : Utf8ToAnsi(kRemoved));
}

}  // namespace roomdesk
