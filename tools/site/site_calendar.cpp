#include "site/site_calendar.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace roomdesk::site {

namespace {

using namespace std::chrono;

std::optional<year_month_day> ParseDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    for (const int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
    }
    const year_month_day date{year{std::stoi(text.substr(0, 4))},
                              month{static_cast<unsigned>(std::stoi(text.substr(5, 2)))},
                              day{static_cast<unsigned>(std::stoi(text.substr(8, 2)))}};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::string FormatDate(const year_month_day& date) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return buffer;
}

std::string FormatLocalNow(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, format, &local);
    return buffer;
}

}  // namespace

bool IsDate(const std::string& text) { return ParseDate(text).has_value(); }

std::optional<DateRange> PeriodDays(int seltype, const std::string& time1,
                                    const std::string& time2) {
    const auto date = ParseDate(time1);
    if (!date) return std::nullopt;
    switch (seltype) {
        case 1:
            return DateRange{time1, IsDate(time2) ? time2 : time1};
        case 2: {
            const sys_days day{*date};
            const auto monday = day - days{weekday{day}.iso_encoding() - 1};
            return DateRange{FormatDate(monday), FormatDate(monday + days{6})};
        }
        case 3:
            return DateRange{FormatDate(date->year() / date->month() / 1),
                             FormatDate(date->year() / date->month() / last)};
        case 4: {
            const unsigned firstMonth = (static_cast<unsigned>(date->month()) - 1) / 3 * 3 + 1;
            return DateRange{FormatDate(date->year() / month{firstMonth} / 1),
                             FormatDate(year_month_day_last{
                                 date->year(), month_day_last{month{firstMonth + 2}}})};
        }
        default:
            return std::nullopt;
    }
}

std::string LocalDateText() { return FormatLocalNow("%Y-%m-%d"); }

std::string LocalDateTimeText() { return FormatLocalNow("%Y-%m-%d %H:%M:%S"); }

std::string AddDays(const std::string& date, int count) {
    const auto parsed = ParseDate(date);
    if (!parsed) return date;
    return FormatDate(year_month_day{sys_days{*parsed} + days{count}});
}

}  // namespace roomdesk::site
