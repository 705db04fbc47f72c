#include "admin/roster_check.h"

#include <optional>
#include <stop_token>
#include <vector>

#include "ranking/profit_page.h"
#include "text/encoding.h"
#include "text/html_text.h"
#include "text/regex_object.h"
#include "web/failure_message.h"
#include "web/web_request.h"

namespace roomdesk {

namespace {

constexpr std::string_view kRosterList = "超级列表框9";
constexpr std::string_view kRosterStatus = "状态条2";
constexpr std::string_view kPagePath = "/room/my/room_admin?page=";
constexpr std::string_view kChecking = "正在检查后宫！";
constexpr std::string_view kChecked = "后宫检查完毕！";

// Page `page` of the roster as text; nothing when the check is to end: the worker was asked to
// stop, or the exchange failed, and then 状态条2 says why.
std::optional<Text> ReadRosterPage(Window& window, const Text& base, int page,
                                   const std::stop_token& stop) {
    const WebResponse response = WebRequest(base + Text(kPagePath) + NumberToText(page));
    if (stop.stop_requested()) return std::nullopt;
    if (ExchangeFailed(response)) {
        window.Status(kRosterStatus).SetText(FailureMessage(response));
        return std::nullopt;
    }
    return Utf8ToAnsi(BytesToText(response.body));
}

// The rows of one page, columns uid, nickname, date.
std::vector<ListView::Row> AdminRows(RegexObject& regex, const Text& page) {
    regex.Create(kAdminRowPattern, page);
    std::vector<ListView::Row> rows;
    rows.reserve(regex.MatchCount());
    for (int match = 1; match <= regex.MatchCount(); ++match) {
        rows.push_back({DecodeHtmlText(regex.SubMatchText(match, 3)),
                        DecodeHtmlText(regex.SubMatchText(match, 1)),
                        DecodeHtmlText(regex.SubMatchText(match, 2))});
    }
    return rows;
}

}  // namespace

void CheckRoster(Window& window, std::string_view baseAddress) {
    const Text base(baseAddress);
    const std::stop_token stop = ThisWorkerStopToken();
    RegexObject regex;
    StatusBar& status = window.Status(kRosterStatus);
    ListView& roster = window.List(kRosterList);
    status.SetText(Utf8ToAnsi(kChecking));
    roster.DeleteAllRows();

    // Page 1 is read once for the count alone and again as the first page of rows.
    const std::optional<Text> first = ReadRosterPage(window, base, 1, stop);
    if (!first) return;
    const int pages = PageCountOf(*first);
    for (int page = 1; page <= pages; ++page) {
        const std::optional<Text> text = ReadRosterPage(window, base, page, stop);
        if (!text) return;
        roster.AppendRows(AdminRows(regex, *text));
    }
    status.SetText(Utf8ToAnsi(kChecked));
}

}  // namespace roomdesk
