// What the owner is told when an exchange with the site failed.
#pragma once

#include "text/text_ops.h"
#include "web/web_request.h"

namespace roomdesk {

// Whether the exchange failed: no complete HTTP response arrived, or the site answered with an
// error status (400 and above), whose page holds nothing the program can read.
bool ExchangeFailed(const WebResponse& response);

// A short message in the system code page saying why the exchange failed, such as
// "无法连接网站" or "网站返回错误（HTTP 500）"; the empty text when it did not fail.
Text FailureMessage(const WebResponse& response);

}  // namespace roomdesk
