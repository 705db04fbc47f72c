#pragma once

#include <optional>
#include <string>

// Dates of the gift-income pages: which days a request's period covers.
namespace roomdesk::site {

// An inclusive range of dates, both YYYY-MM-DD (so they compare as texts).
struct DateRange {
    std::string first;
    std::string last;
    bool Holds(const std::string& date) const { return first <= date && date <= last; }
};

// True for a real calendar date written YYYY-MM-DD.
bool IsDate(const std::string& text);

// The days of one selection: seltype 1 the days `time1` to `time2` (`time2` not a date:
// `time1` alone), 2 the Monday-to-Sunday week holding `time1`, 3 its month, 4 its quarter. Gives
// nothing for another seltype or a `time1` that is not a date.
std::optional<DateRange> PeriodDays(int seltype, const std::string& time1,
                                    const std::string& time2);

// The local date and time, "YYYY-MM-DD" and "YYYY-MM-DD HH:MM:SS".
std::string LocalDateText();
std::string LocalDateTimeText();

// `date` moved by `days` (negative: back).
std::string AddDays(const std::string& date, int days);

}  // namespace roomdesk::site
