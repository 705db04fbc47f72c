#include "admin/grant_admin.h"

#include "text/encoding.h"
#include "web/failure_message.h"
#include "web/web_request.h"

namespace roomdesk {

namespace {

constexpr std::string_view kRoomPath = "/room/my/";
constexpr std::string_view kGrantPath = "/room/my/add_admin";
constexpr std::string_view kTokenCookie = "ccn";

// The reply rules in the order they are tried; texts in UTF-8.
struct ReplyRule {
    std::string_view marker;
    std::string_view message;
};
constexpr ReplyRule kReplyRules[] = {
    {"已经是您房间", "尼妹！我已经是房管好不咯"},
    {"没有找到该会员", "赐予失败！此人名字可能有特殊符号！"},
    {"账号不能为空", "你要赐予谁房管？选一个撒！"},
};
constexpr std::string_view kGranted = "谢主隆恩！！！";

}  // namespace

const GrantItem& GrantItemOf(GrantPeriod period) {
    for (const GrantItem& item : kGrantItems) {
        if (item.period == period) return item;
    }
    return kGrantItems[0];
}

Text GrantToken(std::string_view newCookies) {
    Text token;
    for (const Text& pair : SplitText(newCookies, ";")) {
        const Text trimmed = TrimText(pair);
        const int equals = FindText(trimmed, "=");
        if (equals == -1 || LeftText(trimmed, equals - 1) != kTokenCookie) continue;
        token = RightText(trimmed, TextLength(trimmed) - equals);
    }
    return token;
}

Text GrantReplyMessage(std::string_view reply) {
    if (reply.empty()) return Utf8ToAnsi(kGranted);
    for (const ReplyRule& rule : kReplyRules) {
        if (FindText(reply, Utf8ToAnsi(rule.marker)) != -1) return Utf8ToAnsi(rule.message);
    }
    return {};
}

void GrantAdmin(Window& window, std::string_view baseAddress, GrantPeriod period) {
    const Text base(baseAddress);
    const WebResponse room = WebRequest(base + Text(kRoomPath));
    if (ExchangeFailed(room)) {
        window.ShowMessage(FailureMessage(room));
        return;
    }
    const Text token = GrantToken(room.newCookies);

    // The shown list, for every period: it is what the owner selected in, and it is rebuilt only
    // at the very end of an update, where a work list is emptied and refilled while it runs.
    ListView& shown = window.List(GrantItemOf(period).shownList);
    const Text nickname = shown.Cell(shown.SelectedRow(), 1);

    const Text form = "ctn=" + token + "&nickname=" + UrlEncode(nickname, false, true);
    const WebResponse reply = WebRequest(base + Text(kGrantPath), kPost, form);
    if (ExchangeFailed(reply)) {
        window.ShowMessage(FailureMessage(reply));
        return;
    }
    const Text message = GrantReplyMessage(Utf8ToAnsi(BytesToText(reply.body)));
    if (!message.empty()) window.ShowMessage(message);
}

}  // namespace roomdesk
