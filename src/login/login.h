// The login to the site: the captcha picture in 图片框1 and the login form of 编辑框1 (nickname),
// 编辑框2 (password) and 编辑框3 (captcha text). Neither keeps state: the cookies that the site
// sets in its login reply stay in the process-wide cookie store, and that is all a login leaves.
// Both run on the window's thread and wait for the site.
#pragma once

#include <string_view>

#include "toolkit/window.h"

namespace roomdesk {

// Loads a new captcha picture from the site at `baseAddress` into 图片框1. A failed request
// leaves the box without a picture and reports nothing.
void FetchCaptcha(Window& window, std::string_view baseAddress);

// Posts the login form and tells the site's verdict in a message box, the first that the
// unescaped reply holds: ":0" "登录成功"; "-99" a new captcha picture, then "验证码错误"; "-3" or
// "-5" "帐号密码错误". A reply with none of them shows nothing. When no usable HTTP response came
// (no connection, a time-out, an error status) the message says why instead.
void Login(Window& window, std::string_view baseAddress);

}  // namespace roomdesk
