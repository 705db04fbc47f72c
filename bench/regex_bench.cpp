// Throughput of RegexObject over a large gift-income page, against std::regex.
//
// The page (about 8 MiB of GB18030) holds rows of several amounts shaped as the
// site sends them, with Chinese, ASCII and emoji nicknames, between other cells
// and page furniture. Every benchmark reports the page's GB18030 bytes per second.
#include <benchmark/benchmark.h>

#include <array>
#include <regex>
#include <string>

#include "ranking/rank_period.h"
#include "text/encoding.h"
#include "text/regex_object.h"

namespace roomdesk {
namespace {

constexpr std::size_t kPageBytes = 8 << 20;
// std::regex is run over the first part of the page only.
constexpr std::size_t kBaselineBytes = 256 << 10;

std::string Row(int i) {
    static const std::array<const char*, 6> kAmounts = {"100", "10", "1000", "100", "50", "520"};
    static const std::array<const char*, 8> kNicks = {
        "小明", "user_%", "月下独酌", "A😀", "Bob 2015", "萌萌哒的小兔子", "🐼熊猫🐼", "x"};
    static const std::array<const char*, 4> kGifts = {"玫瑰", "棒棒糖", "飞机", "flower"};
    std::string nick = kNicks[i % kNicks.size()];
    nick += std::to_string(i % 997);
    return "            <tr class=\"row" + std::to_string(i % 2) +
           "\">\r\n              <td>2015-02-" + std::to_string(10 + i % 18) + " 1" +
           std::to_string(i % 10) + ":3" + std::to_string(i % 7) +
           ":00</td>\r\n              <td><img src=\"/static/gift/" + std::to_string(i % 40) +
           ".png\" /> " + kGifts[i % kGifts.size()] + "</td>\r\n              <td>" +
           std::to_string(1 + i % 9) + "</td>\r\n              <td class=\"org\">" +
           kAmounts[i % kAmounts.size()] + "</td>\r\n                <td>" + nick +
           "</td>\r\n              </tr>\r\n";
}

std::string PageUtf8(std::size_t bytes) {
    std::string page =
        "<!DOCTYPE html>\r\n<html>\r\n<head><meta charset=\"utf-8\" /><title>收益明细</title>\r\n"
        "<script type=\"text/javascript\">var room = {id: 10086, name: \"直播间\"};</script>\r\n"
        "</head>\r\n<body>\r\n<div class=\"nav\"><a href=\"/room/my/\">我的房间</a> | "
        "<a href=\"/room/my/profit\">收益</a> | <a href=\"/room/my/room_admin\">房管</a></div>\r\n"
        "<table class=\"list\">\r\n";
    for (int i = 0; page.size() < bytes; ++i) {
        page += Row(i);
        if (i % 50 == 49) {
            page += "            <tr><td colspan=\"5\" class=\"sum\">小计：<b>" +
                    std::to_string(i * 7) + "</b> 金币</td></tr>\r\n";
        }
    }
    page +=
        "</table>\r\n<div class=\"pager\">共 12 页 <a href=\"?page=2\">下一页</a></div>\r\n"
        "</body>\r\n</html>\r\n";
    return page;
}

const Text& Page() {
    static const Text page = Utf8ToAnsi(PageUtf8(kPageBytes));
    return page;
}

// The first rows of the page, about kBaselineBytes of it, as GB18030 bytes.
const Text& PageStart() {
    static const Text start = [] {
        const Text& page = Page();
        return page.substr(0, page.find("</tr>\r\n", kBaselineBytes) + 7);
    }();
    return start;
}

void SetPageThroughput(benchmark::State& state, std::size_t bytes, int matches) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["matches"] = matches;
}

// Create, MatchCount and the text of every group: what a page read costs.
void BM_RegexObjectWholePage(benchmark::State& state, const Text& page) {
    int matches = 0;
    for (auto _ : state) {
        RegexObject regex;
        regex.Create(kGiftRowPattern, page);
        matches = regex.MatchCount();
        std::size_t total = 0;
        for (int i = 1; i <= matches; ++i) total += regex.SubMatchText(i, 1).size();
        benchmark::DoNotOptimize(total);
    }
    SetPageThroughput(state, page.size(), matches);
}

// Create and MatchCount only: conversion of the subject, compilation, matching.
void BM_RegexObjectCreate(benchmark::State& state, const Text& page) {
    int matches = 0;
    for (auto _ : state) {
        RegexObject regex;
        regex.Create(kGiftRowPattern, page);
        matches = regex.MatchCount();
        benchmark::DoNotOptimize(matches);
    }
    SetPageThroughput(state, page.size(), matches);
}

// The subject's conversion alone; Create minus this is the matching.
void BM_AnsiToUtf16(benchmark::State& state, const Text& page) {
    for (auto _ : state) {
        std::u16string units = AnsiToUtf16(page);
        benchmark::DoNotOptimize(units.data());
    }
    SetPageThroughput(state, page.size(), 0);
}

// std::wregex (ECMAScript, icase) over the same page as UTF-16 code units,
// reading every group, the conversion left out.
void BM_StdRegexBaseline(benchmark::State& state, const Text& page) {
    const std::u16string units = AnsiToUtf16(page);
    const std::wstring subject(units.begin(), units.end());
    const std::string pattern(kGiftRowPattern);
    const std::wregex regex(std::wstring(pattern.begin(), pattern.end()),
                            std::regex::ECMAScript | std::regex::icase);
    int matches = 0;
    for (auto _ : state) {
        matches = 0;
        std::size_t total = 0;
        for (std::wsregex_iterator it(subject.begin(), subject.end(), regex), end; it != end;
             ++it) {
            total += it->str(1).size();
            ++matches;
        }
        benchmark::DoNotOptimize(total);
    }
    SetPageThroughput(state, page.size(), matches);
}

BENCHMARK_CAPTURE(BM_RegexObjectWholePage, page_8MiB, Page())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexObjectCreate, page_8MiB, Page())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AnsiToUtf16, page_8MiB, Page())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegexObjectWholePage, page_256KiB, PageStart())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StdRegexBaseline, page_256KiB, PageStart())->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace roomdesk

BENCHMARK_MAIN();
