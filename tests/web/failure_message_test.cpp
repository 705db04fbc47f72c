#include "web/failure_message.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace roomdesk {
namespace {

WebResponse Response(std::optional<int> status, WebFailure kind) {
    WebResponse response;
    response.httpStatus = status;
    response.failureKind = kind;
    return response;
}

TEST(FailureMessage, TellsWhyAnExchangeFailed) {
    struct Case {
        std::optional<int> status;
        WebFailure kind;
        const char* utf8Message;  // empty: not a failure
    };
    const Case cases[] = {
        {200, WebFailure::kNone, ""},
        {302, WebFailure::kNone, ""},
        {404, WebFailure::kNone, "网站返回错误（HTTP 404）"},
        {500, WebFailure::kNone, "网站返回错误（HTTP 500）"},
        {std::nullopt, WebFailure::kNoConnection, "无法连接网站"},
        {std::nullopt, WebFailure::kTimedOut, "网站响应超时"},
        {200, WebFailure::kDropped, "与网站的连接中断"},
        {200, WebFailure::kTooLarge, "网站返回的数据过大"},
        {std::nullopt, WebFailure::kNotSent, "网络请求失败"},
        {std::nullopt, WebFailure::kAborted, "网络请求失败"},
        {std::nullopt, WebFailure::kNone, "网络请求失败"},
    };
    for (const Case& c : cases) {
        const WebResponse response = Response(c.status, c.kind);
        const Text expected = Utf8ToAnsi(c.utf8Message);
        EXPECT_EQ(ExchangeFailed(response), !expected.empty()) << c.utf8Message;
        EXPECT_EQ(FailureMessage(response), expected) << c.utf8Message;
    }
}

}  // namespace
}  // namespace roomdesk
