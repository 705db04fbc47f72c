#include "web/cookie_merge.h"

#include <algorithm>
#include <vector>

namespace roomdesk {

namespace {

constexpr std::string_view kDeletedSuffix = "=deleted";

bool HasNamedItem(const std::vector<Text>& items, const Text& name) {
    return std::any_of(items.begin(), items.end(),
                       [&](const Text& item) { return CookieName(item) == name; });
}

}  // namespace

Text CookieName(std::string_view item) {
    const int equals = FindText(item, "=");
    if (equals == -1) return TrimText(item);
    return TrimText(LeftText(item, equals - 1));
}

Text UniqueJoin(std::string_view text, std::string_view separator) {
    std::vector<Text> seen;
    Text out;
    for (Text& item : SplitText(text, separator)) {
        if (std::find(seen.begin(), seen.end(), item) != seen.end()) continue;
        out += item;
        out += separator;
        seen.push_back(std::move(item));
    }
    return LeftText(out, TextLength(out) - TextLength(separator));
}

Text MergeCookies(Text& sent, Text& received) {
    sent = RemoveSpaces(sent);
    received = RemoveSpaces(received);
    const std::vector<Text> oldItems = SplitText(sent, ";");
    std::vector<Text> items = SplitText(received, ";");
    // An old item appended here takes part in the name test of the old items
    // after it, so of two old items with one name only the first survives.
    for (const Text& old : oldItems) {
        if (!HasNamedItem(items, CookieName(old))) items.push_back(old);
    }
    Text merged;
    for (const Text& item : items) {
        if (item.ends_with(kDeletedSuffix)) continue;
        merged += item;
        merged += "; ";
    }
    sent = UniqueJoin(LeftText(merged, TextLength(merged) - 2), "; ");
    return sent;
}

}  // namespace roomdesk
