#include "ranking/profit_page.h"

#include "text/encoding.h"
#include "text/html_text.h"
#include "text/regex_object.h"

namespace roomdesk {

Text ConvertProfitBody(BodyConversion conversion, std::string_view body) {
    switch (conversion) {
        case BodyConversion::kUtf8Bytes:
            return Utf8BytesToAnsi(body);
        case BodyConversion::kTextThenUtf8:
            break;
    }
    return Utf8ToAnsi(BytesToText(body));
}

int PageCountOf(std::string_view pageText) {
    return ToInteger(TextBetween(pageText, kPageCountStart, kPageCountEnd));
}

std::vector<ListView::Row> GiftRowsOf(std::string_view pageText) {
    RegexObject regex;
    regex.Create(kGiftRowPattern, pageText);
    const int count = regex.MatchCount();
    std::vector<ListView::Row> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i) {
        rows.push_back({Text(), DecodeHtmlText(regex.SubMatchText(i, 1)), Text(kGiftAmount)});
    }
    return rows;
}

}  // namespace roomdesk
