#include "site/site_pages.h"

#include <algorithm>

#include "site/site_codec.h"

namespace roomdesk::site {

namespace {

const char* const kCrLf = "\r\n";

std::string Head(const std::string& title) {
    return std::string("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n") +
           "<title>" + title + "</title>\r\n" +
           "<link rel=\"stylesheet\" href=\"/static/css/room.css\">\r\n</head>\r\n<body>\r\n";
}

std::string Navigation() {
    return "<div class=\"nav\">\r\n"
           "  <a href=\"/room/my/\">我的房间</a>\r\n"
           "  <a href=\"/room/my/profit\">收益明细</a>\r\n"
           "  <a href=\"/room/my/room_admin?page=1\">房管管理</a>\r\n"
           "</div>\r\n";
}

const char* const kTail =
    "<div class=\"footer\">Copyright &copy; 直播站</div>\r\n</body>\r\n</html>\r\n";

const char* GiftName(int amount) {
    switch (amount) {
        case 1:
            return "荧光棒";
        case 10:
            return "鲜花";
        case 50:
            return "掌声";
        case 100:
            return "游艇";
        case 200:
            return "跑车";
        case 1000:
            return "火箭";
        default:
            return "礼物";
    }
}

// "共 N 页" with links to the first, previous, next and last page.
std::string Pager(int page, int pages, const std::string& linkPrefix) {
    std::string html =
        "<div class=\"pager\">\r\n  <span>共 " + std::to_string(pages) + " 页</span>\r\n";
    html += "  <a href=\"" + linkPrefix + "1\">首页</a>\r\n";
    if (page > 1)
        html += "  <a href=\"" + linkPrefix + std::to_string(page - 1) + "\">上一页</a>\r\n";
    html += "  <em>" + std::to_string(page) + "</em>\r\n";
    if (page < pages) {
        html += "  <a href=\"" + linkPrefix + std::to_string(page + 1) + "\">下一页</a>\r\n";
    }
    html += "  <a href=\"" + linkPrefix + std::to_string(pages) + "\">尾页</a>\r\n</div>\r\n";
    return html;
}

template <typename T>
std::pair<std::size_t, std::size_t> PageSlice(const std::vector<T>& all, int page) {
    const std::size_t first =
        std::min(all.size(), static_cast<std::size_t>(page - 1) * kRowsPerPage);
    return {first, std::min(all.size(), first + kRowsPerPage)};
}

}  // namespace

int PageCount(std::size_t rows) {
    return std::max<int>(1, static_cast<int>((rows + kRowsPerPage - 1) / kRowsPerPage));
}

std::string ProfitPage(const std::vector<Gift>& gifts, const ProfitQuery& query) {
    std::string html = Head("收益明细 - 我的房间") + Navigation();
    html += "<form class=\"filter\" method=\"get\" action=\"/room/my/profit\">\r\n";
    html += "  <input type=\"text\" name=\"time1\" value=\"" + EscapeHtml(query.time1) + "\">\r\n";
    html += "  <input type=\"text\" name=\"time2\" value=\"" + EscapeHtml(query.time2) + "\">\r\n";
    html += "  <select name=\"seltype\">\r\n";
    const char* const kKinds[] = {"按日", "按周", "按月", "按季"};
    for (int kind = 1; kind <= 4; ++kind) {
        html += "    <option value=\"" + std::to_string(kind) + "\"" +
                (kind == query.seltype ? " selected" : "") + ">" + kKinds[kind - 1] +
                "</option>\r\n";
    }
    html += "  </select>\r\n  <button type=\"submit\">查询</button>\r\n</form>\r\n";

    html += "<table class=\"list\">\r\n";
    html +=
        "              <tr>\r\n                <th>时间</th>\r\n                <th>礼物</th>\r\n"
        "                <th>金额</th>\r\n                <th>赠送人</th>\r\n"
        "              </tr>\r\n";
    const auto [first, end] = PageSlice(gifts, query.page);
    for (std::size_t i = first; i < end; ++i) {
        const Gift& g = gifts[i];
        html += "              <tr>\r\n";
        html += "                <td>" + g.date + " " + g.time + "</td>" + kCrLf;
        html += std::string("                <td>") + GiftName(g.amount) + "</td>" + kCrLf;
        html += "                <td class=\"org\">" + std::to_string(g.amount) + "</td>" + kCrLf;
        html += "                <td>" + EscapeHtml(g.viewer) + "</td>" + kCrLf;
        html += std::string("              </tr>") + kCrLf;
    }
    if (gifts.empty()) {
        html += "              <tr><td colspan=\"4\">暂无记录</td></tr>\r\n";
    }
    html += "</table>\r\n";
    const std::string linkPrefix = "/room/my/profit?time1=" + EscapeHtml(query.time1) +
                                   "&amp;time2=" + EscapeHtml(query.time2) +
                                   "&amp;seltype=" + std::to_string(query.seltype) + "&amp;page=";
    html += Pager(query.page, PageCount(gifts.size()), linkPrefix);
    return html + kTail;
}

std::string RosterPage(const std::vector<Administrator>& admins, int page) {
    std::string html = Head("房管管理 - 我的房间") + Navigation();
    html +=
        "<table class=\"list admin\">\r\n  <tr>\r\n    <th>昵称</th>\r\n    <th>任命时间</th>\r\n"
        "     <th>操作</th>\r\n  </tr>\r\n";
    const auto [first, end] = PageSlice(admins, page);
    for (std::size_t i = first; i < end; ++i) {
        const Administrator& a = admins[i];
        html += "  <tr>\r\n";
        html += "    <td >" + EscapeHtml(a.nickname) + "</td>" + kCrLf;
        html += "    <td >" + EscapeHtml(a.appointed) + "</td>" + kCrLf;
        html += "     <td><a href=\"/room/my/del_admin/" + EscapeHtml(a.uid) +
                "\" class=\"del\">解除房管</a></td>" + kCrLf;
        html += std::string("  </tr>") + kCrLf;
    }
    html += "</table>\r\n";
    html += Pager(page, PageCount(admins.size()), "/room/my/room_admin?page=");
    return html + kTail;
}

std::string RoomPage(const std::string& owner) {
    return Head("我的房间") + Navigation() + "<div class=\"room\">\r\n  <h2>" + EscapeHtml(owner) +
           " 的房间</h2>\r\n  <p>欢迎回来！</p>\r\n</div>\r\n" + kTail;
}

std::string LoginPage() {
    return Head("登录") +
           "<div class=\"login\">\r\n  <p>请先登录</p>\r\n"
           "  <form method=\"post\" action=\"/member/login/ajax\">\r\n"
           "    <input type=\"hidden\" name=\"login_type\" value=\"nickname\">\r\n"
           "    <input type=\"text\" name=\"username\">\r\n"
           "    <input type=\"password\" name=\"password\">\r\n"
           "    <input type=\"text\" name=\"captcha_word\">\r\n"
           "    <img src=\"/member/login/captcha?_t=0.1\">\r\n"
           "    <button type=\"submit\">登录</button>\r\n  </form>\r\n</div>\r\n" +
           kTail;
}

std::string ErrorPage(int status) {
    return "<!DOCTYPE html>\r\n<html><head><title>" + std::to_string(status) +
           "</title></head><body><h1>" + std::to_string(status) +
           " 服务器错误</h1></body></html>\r\n";
}

}  // namespace roomdesk::site
