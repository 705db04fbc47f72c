// Gift totals per viewer: the rows of a work list, one per gift (empty label, nickname, amount),
// become one row per nickname carrying the viewer's total.
#pragma once

#include <string_view>
#include <vector>

#include "toolkit/controls.h"

namespace roomdesk {

// Separates the nickname from the amount in a merge entry.
inline constexpr std::string_view kMergeSeparator = "----";

// The rows of each nickname (column 1, compared byte by byte) are merged into the nickname's
// first row, in the order of first appearance:
// - the first row's amount (column 2) becomes NumberToText(ToInteger(amount) + ToInteger(next))
//   for every later row of the nickname whose amount is not empty, one addition at a time; each
//   sum is written as text and read again by the next addition, so a sum outside the 32-bit range
//   is written in full but counts as the nearest 32-bit value in the next one. A first row
//   without any later amount keeps its amount text as it is.
// - a nickname whose first row ends with an empty amount gets no row.
// Each surviving row is rebuilt from the entry nickname + "----" + amount: the nickname is the
// text before the entry's first "----" and the amount the text after its last one, so a nickname
// holding "----" or ending in hyphens is cut there, and an amount loses a leading minus sign. The
// result starts with `mergeSeed` empty rows (none when it is 0 or less); every row has three cells
// and an empty column 0. A cell missing from an input row reads as empty. Linear in the number of
// rows.
std::vector<ListView::Row> TotalGiftsPerViewer(std::vector<ListView::Row> rows, int mergeSeed);

// The same on a work list: its rows are read once and the result written back once.
void TotalGiftsPerViewer(ListView& workList, int mergeSeed);

}  // namespace roomdesk
