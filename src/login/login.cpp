#include "login/login.h"

#include "login/random_digits.h"
#include "text/encoding.h"
#include "web/failure_message.h"
#include "web/web_request.h"

namespace roomdesk {

namespace {

constexpr std::string_view kCaptchaPath = "/member/login/captcha?_t=0.";
constexpr std::string_view kLoginPath = "/member/login/ajax";

// The verdict messages, in GB18030.
constexpr std::string_view kLoggedIn = "\xB5\xC7\xC2\xBC\xB3\xC9\xB9\xA6";  // 登录成功
constexpr std::string_view kWrongCaptcha =
    "\xD1\xE9\xD6\xA4\xC2\xEB\xB4\xED\xCE\xF3";  // 验证码错误
constexpr std::string_view kWrongAccount =
    "\xD5\xCA\xBA\xC5\xC3\xDC\xC2\xEB\xB4\xED\xCE\xF3";  // 帐号密码错误

// Every value is sent as the percent-encoded bytes of its UTF-8 form, so that "&", "=", "%"
// and "+" in a password or captcha text reach the site as typed.
Text FormValue(const Text& text) { return UrlEncode(text, false, true); }

Text LoginForm(const Text& nickname, const Text& password, const Text& captcha) {
    return "login_type=nickname&username=" + FormValue(nickname) +
           "&password=" + FormValue(password) + "&captcha_word=" + FormValue(captcha);
}

bool Holds(const Text& reply, std::string_view marker) { return FindText(reply, marker) != -1; }

}  // namespace

void FetchCaptcha(Window& window, std::string_view baseAddress) {
    const Text url = Text(baseAddress) + Text(kCaptchaPath) + RandomDigits(17, 0);
    const WebResponse response = WebRequest(url);
    // An error page is no picture either.
    window.Picture("图片框1").SetPicture(ExchangeFailed(response) ? Bytes() : response.body);
}

void Login(Window& window, std::string_view baseAddress) {
    const Text form = LoginForm(window.Edit("编辑框1").GetText(), window.Edit("编辑框2").GetText(),
                                window.Edit("编辑框3").GetText());
    const WebResponse response = WebRequest(Text(baseAddress) + Text(kLoginPath), kPost, form);
    if (ExchangeFailed(response)) {
        window.ShowMessage(FailureMessage(response));
        return;
    }
    const Text reply = UnescapeReply(BytesToText(response.body));
    if (Holds(reply, ":0")) {
        window.ShowMessage(Text(kLoggedIn));
    } else if (Holds(reply, "-99")) {
        // The new picture comes first, so the owner can type its text as soon as the box closes.
        FetchCaptcha(window, baseAddress);
        window.ShowMessage(Text(kWrongCaptcha));
    } else if (Holds(reply, "-3") || Holds(reply, "-5")) {
        window.ShowMessage(Text(kWrongAccount));
    }
}

}  // namespace roomdesk
