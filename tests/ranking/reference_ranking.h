// The gift totals and the list sort written step by step as first designed: every cell read and
// written through the list-view operations, the merge comparing every row with every row below
// it, the sort a selection sort converting its keys at every comparison. Quadratic; kept only as
// the reference that the fast forms are checked and measured against. Neither lets events through
// (there is no event loop here), which changes no cell.
#pragma once

#include <cstdint>
#include <string_view>

#include "toolkit/controls.h"

namespace roomdesk::reference {

void TotalGiftsPerViewer(ListView& workList, int mergeSeed);

Text SortListView(ListView& list, int columnIndex, bool ascending = true,
                  bool caseSensitive = false, int sortType = 10);

// A date-time key as seconds from 1970-01-01 00:00:00, clamped into 100-01-01 00:00:00 ..
// 9999-12-31 00:00:00; a text that is no date-time gives the lower bound. Read with
// std::chrono's calendar, apart from the fast form's own date arithmetic.
std::int64_t DateTimeSeconds(std::string_view key);

}  // namespace roomdesk::reference
