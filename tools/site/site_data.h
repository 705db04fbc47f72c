#pragma once

#include <optional>
#include <string>
#include <vector>

namespace roomdesk::site {

// A site account that can log in (the room owner).
struct Account {
    std::string nickname;
    std::string password;
};

// One gift to the room. `time` orders the gifts of one day; the newest is listed first.
struct Gift {
    std::string viewer;
    std::string date;               // YYYY-MM-DD
    std::string time = "00:00:00";  // HH:MM:SS
    int amount = 100;
};

// One administrator of the room.
struct Administrator {
    std::string uid;
    std::string nickname;
    std::string appointed;  // YYYY-MM-DD HH:MM:SS
};

// Everything the stand-in site knows. All texts are UTF-8.
struct SiteData {
    std::vector<Account> accounts;
    std::vector<Gift> gifts;
    std::vector<Administrator> administrators;

    // The demo room: accounts "demo"/"demo123" and "房主"/"p&ss=1%", about fifty viewers
    // (Chinese, ASCII, mixed-case, emoji, one with "&"), gifts spread over the quarter that
    // holds `today` (today included, several pages a week) and administrators of several years.
    static SiteData Demo(const std::string& today);
    // A small room whose ranking is known in advance: the account "demo"/"demo123", viewers
    // "观众1" to "观众12" where viewer n gives 13 - n gifts of 100 on `today`, and one
    // administrator of 2016, "老房管".
    static SiteData TwelveViewers(const std::string& today);

    // Reads the JSON form written by ToJson; on failure gives nothing and says why in `error`.
    static std::optional<SiteData> FromJson(const std::string& text, std::string* error);
    static std::optional<SiteData> FromJsonFile(const std::string& path, std::string* error);
    // {"accounts":[{"nickname","password"}], "gifts":[{"viewer","date","time","amount"}],
    //  "administrators":[{"uid","nickname","appointed"}]}
    std::string ToJson() const;

    // A member is an account or a viewer who ever gave a gift.
    bool IsMember(const std::string& nickname) const;
};

}  // namespace roomdesk::site
