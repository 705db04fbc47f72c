#include "web/failure_message.h"

#include "text/encoding.h"

namespace roomdesk {

bool ExchangeFailed(const WebResponse& response) {
    return !response.Answered() || *response.httpStatus >= 400;
}

Text FailureMessage(const WebResponse& response) {
    if (!ExchangeFailed(response)) return {};
    const char* utf8 = "网络请求失败";
    switch (response.failureKind) {
        case WebFailure::kNoConnection:
            utf8 = "无法连接网站";
            break;
        case WebFailure::kTimedOut:
            utf8 = "网站响应超时";
            break;
        case WebFailure::kDropped:
            utf8 = "与网站的连接中断";
            break;
        case WebFailure::kTooLarge:
            utf8 = "网站返回的数据过大";
            break;
        case WebFailure::kNone:
            if (!response.httpStatus) break;
            return Utf8ToAnsi("网站返回错误（HTTP " + std::to_string(*response.httpStatus) + "）");
        case WebFailure::kNotSent:
        case WebFailure::kAborted:
        case WebFailure::kOther:
            break;
    }
    return Utf8ToAnsi(utf8);
}

}  // namespace roomdesk
