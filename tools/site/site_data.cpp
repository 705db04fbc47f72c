#include "site/site_data.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "site/site_calendar.h"

namespace roomdesk::site {

namespace {

using nlohmann::json;

// The demo viewers; the first ones give most often, so the rankings have a clear top.
const char* const kDemoViewers[] = {
    "小明",       "花开富贵", "Alice",        "月光宝盒", "tom",      "A😀",       "大鹏展翅",
    "Tom&Jerry",  "alice",    "A😎",           "一路向北", "Jerry_99", "糖果",     "夜猫子",
    "KevinLee",   "🌟星星🌟",   "老王",         "清风徐来", "bigfish",  "星星点灯", "天涯过客",
    "Lucky7",     "小小鱼",   "<小猫>",       "阿狸",     "孤独的猫", "big fish", "快乐每一天",
    "张三_Zhang", "李四Lee",  "Mr.王",        "雪儿~",    "𠮷野家",   "王小二",   "赵六",
    "钱多多",     "孙悟空",   "周杰伦的粉丝", "吴所谓",   "郑重其事", "冯程程",   "陈小春",
    "卫庄",       "猫🐱",      "nana",         "Zed",      "ALICE",    "xiaohu",
};
constexpr int kViewerCount = static_cast<int>(std::size(kDemoViewers));

struct DemoAdmin {
    int viewer;
    const char* appointed;
};
const DemoAdmin kDemoAdmins[] = {
    {0, "2014-11-02 20:15:07"},  {1, "2014-12-24 23:59:59"},  {2, "2015-01-03 10:00:00"},
    {3, "2015-01-18 21:30:45"},  {4, "2015-02-01 08:05:09"},  {5, "2015-03-08 12:00:00"},
    {6, "2015-05-20 13:14:00"},  {7, "2015-07-07 07:07:07"},  {8, "2015-09-10 18:45:30"},
    {9, "2015-10-01 00:00:01"},  {10, "2015-11-11 11:11:11"}, {11, "2015-12-31 23:00:00"},
    {12, "2016-02-14 14:02:14"}, {13, "2016-06-01 09:30:00"}, {14, "2016-08-08 20:08:08"},
    {15, "2025-01-29 19:00:00"}, {16, "2025-04-04 16:20:00"}, {17, "2025-09-09 09:09:09"},
    {18, "2025-12-12 12:12:12"}, {19, "2026-01-01 00:30:00"}, {20, "2026-03-15 15:15:15"},
    {21, "2026-06-18 21:00:00"}, {22, "2026-09-30 22:22:22"}, {23, "2026-11-11 20:11:11"},
};

constexpr int kTodayGifts = 30;  // two pages of the day
constexpr int kPastDays = 100;   // covers every quarter that holds today

std::string TimeOfDay(unsigned seconds) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02u:%02u:%02u", seconds / 3600 % 24, seconds / 60 % 60,
                  seconds % 60);
    return buffer;
}

int DemoAmount(std::mt19937& random) {
    static const int kOthers[] = {1, 10, 50, 200, 1000};
    if (random() % 10 < 6) return 100;
    return kOthers[random() % std::size(kOthers)];
}

// Viewers early in the list are drawn more often: the smaller of two draws.
int DemoViewer(std::mt19937& random) {
    return static_cast<int>(std::min(random() % kViewerCount, random() % kViewerCount));
}

std::string RequireText(const json& object, const char* key) {
    if (!object.is_object() || !object.contains(key) || !object[key].is_string()) {
        throw std::runtime_error(std::string("missing text \"") + key + "\"");
    }
    return object[key].get<std::string>();
}

bool IsTimeOfDay(const std::string& text) {
    unsigned h = 0, m = 0, s = 0;
    char tail = 0;
    return text.size() == 8 && std::sscanf(text.c_str(), "%2u:%2u:%2u%c", &h, &m, &s, &tail) == 3 &&
           h < 24 && m < 60 && s < 60;
}

SiteData ParseSiteData(const json& root) {
    if (!root.is_object()) throw std::runtime_error("the top level is not an object");
    SiteData data;
    for (const auto& item : root.value("accounts", json::array())) {
        data.accounts.push_back({RequireText(item, "nickname"), RequireText(item, "password")});
    }
    for (const auto& item : root.value("gifts", json::array())) {
        Gift gift{RequireText(item, "viewer"), RequireText(item, "date")};
        if (!IsDate(gift.date)) throw std::runtime_error("gift date \"" + gift.date + "\"");
        if (item.contains("time")) gift.time = RequireText(item, "time");
        if (!IsTimeOfDay(gift.time)) throw std::runtime_error("gift time \"" + gift.time + "\"");
        if (item.contains("amount")) {
            if (!item["amount"].is_number_integer()) throw std::runtime_error("gift amount");
            gift.amount = item["amount"].get<int>();
        }
        data.gifts.push_back(gift);
    }
    for (const auto& item : root.value("administrators", json::array())) {
        data.administrators.push_back({RequireText(item, "uid"), RequireText(item, "nickname"),
                                       RequireText(item, "appointed")});
    }
    return data;
}

}  // namespace

SiteData SiteData::TwelveViewers(const std::string& today) {
    SiteData data;
    data.accounts = {{"demo", "demo123"}};
    for (int viewer = 1; viewer <= 12; ++viewer) {
        for (int gift = 0; gift <= 12 - viewer; ++gift) {
            data.gifts.push_back({"观众" + std::to_string(viewer), today});
        }
    }
    data.administrators = {{"7", "老房管", "2016-05-06 07:08:09"}};
    return data;
}

SiteData SiteData::Demo(const std::string& today) {
    SiteData data;
    data.accounts = {{"demo", "demo123"}, {"房主", "p&ss=1%"}};

    std::mt19937 random(20150130);  // a fixed seed: the same room for the same today
    // Every viewer gives at least once, so every one of them is a member.
    for (int i = 0; i < kViewerCount; ++i) {
        data.gifts.push_back({kDemoViewers[i], AddDays(today, -(i % kPastDays)),
                              TimeOfDay(random() % 86400), DemoAmount(random)});
    }
    for (int i = 0; i < kTodayGifts; ++i) {
        data.gifts.push_back({kDemoViewers[DemoViewer(random)], today, TimeOfDay(random() % 86400),
                              DemoAmount(random)});
    }
    for (int back = 1; back < kPastDays; ++back) {
        const int count = 3 + static_cast<int>(random() % 10);
        for (int i = 0; i < count; ++i) {
            data.gifts.push_back({kDemoViewers[DemoViewer(random)], AddDays(today, -back),
                                  TimeOfDay(random() % 86400), DemoAmount(random)});
        }
    }

    int uid = 10001;
    for (const auto& admin : kDemoAdmins) {
        data.administrators.push_back(
            {std::to_string(uid), kDemoViewers[admin.viewer], admin.appointed});
        uid += 7;
    }
    return data;
}

std::optional<SiteData> SiteData::FromJson(const std::string& text, std::string* error) {
    try {
        return ParseSiteData(json::parse(text));
    } catch (const std::exception& e) {
        if (error) *error = e.what();
        return std::nullopt;
    }
}

std::optional<SiteData> SiteData::FromJsonFile(const std::string& path, std::string* error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        if (error) *error = "cannot open " + path;
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return FromJson(text.str(), error);
}

std::string SiteData::ToJson() const {
    json root{
        {"accounts", json::array()}, {"gifts", json::array()}, {"administrators", json::array()}};
    for (const auto& a : accounts) {
        root["accounts"].push_back({{"nickname", a.nickname}, {"password", a.password}});
    }
    for (const auto& g : gifts) {
        root["gifts"].push_back(
            {{"viewer", g.viewer}, {"date", g.date}, {"time", g.time}, {"amount", g.amount}});
    }
    for (const auto& a : administrators) {
        root["administrators"].push_back(
            {{"uid", a.uid}, {"nickname", a.nickname}, {"appointed", a.appointed}});
    }
    return root.dump(2, ' ', false, json::error_handler_t::replace);
}

bool SiteData::IsMember(const std::string& nickname) const {
    return std::any_of(accounts.begin(), accounts.end(),
                       [&](const Account& a) { return a.nickname == nickname; }) ||
           std::any_of(gifts.begin(), gifts.end(),
                       [&](const Gift& g) { return g.viewer == nickname; });
}

}  // namespace roomdesk::site
