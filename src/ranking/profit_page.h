// Reading one gift-income page: its body as Text, the page count of its pager and its gift rows.
#pragma once

#include <string_view>
#include <vector>

#include "ranking/rank_period.h"
#include "toolkit/controls.h"

namespace roomdesk {

// The pager's markers, "共 " and " 页", in the system code page.
inline constexpr std::string_view kPageCountStart = "\xB9\xB2 ";
inline constexpr std::string_view kPageCountEnd = " \xD2\xB3";

// The body of a response as the period's Text.
Text ConvertProfitBody(BodyConversion conversion, std::string_view body);

// The number between the pager's markers; 0 when either is missing or no number stands there.
int PageCountOf(std::string_view pageText);

// One work-list row (empty label, nickname, kGiftAmount) per match of kGiftRowPattern in the
// page, in page order. The pattern is applied without regard to case, multi-line and global.
std::vector<ListView::Row> GiftRowsOf(std::string_view pageText);

}  // namespace roomdesk
