#pragma once

#include <httplib.h>

#include <map>
#include <string>
#include <vector>

#include "site/stand_in_site.h"

namespace roomdesk::site::testing {

// An RGB picture read back from a PNG.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // width * height * 3
    bool Dark(int x, int y) const;   // every channel at most 120: ink, not background or noise
};

// Reads an 8-bit RGB, filter-0 PNG as the captcha writes it, checking signature and CRCs;
// gives an empty picture when anything does not fit.
Picture DecodePng(const std::string& png);

// An HTTP client that keeps the cookies the site sets, as a browser does.
class Browser {
public:
    explicit Browser(int port);
    httplib::Result Get(const std::string& target);
    httplib::Result Post(const std::string& target, const std::string& form);
    std::string Cookie(const std::string& name) const;

    // Fetches a captcha and logs in with its digits; gives the reply body.
    std::string LogIn(StandInSite& site, const std::string& encodedName,
                      const std::string& encodedPassword);

private:
    httplib::Headers CookieHeader() const;
    void Keep(const httplib::Result& result);

    httplib::Client client_;
    std::map<std::string, std::string> cookies_;
};

// "%XX" for every byte, letters and digits included, as the program encodes form values.
std::string EncodeEveryByte(const std::string& text);

// Sends `bytes` on a fresh connection to the site and gives everything it sends back until it
// closes the connection (or a few seconds pass).
std::string SendRaw(int port, const std::string& bytes);

// How many times `needle` occurs in `text`.
int CountOf(const std::string& text, const std::string& needle);

}  // namespace roomdesk::site::testing
