#pragma once

#include <string>
#include <vector>

#include "site/site_data.h"

// The HTML pages of the site. Rows of the gift and roster tables are laid out byte for byte as
// the program's row patterns expect; every nickname is HTML-escaped.
namespace roomdesk::site {

inline constexpr int kRowsPerPage = 20;

// The number of pages for `rows` rows: at least 1, so an empty list shows "共 1 页".
int PageCount(std::size_t rows);

// A gift-income page: `gifts` are the period's gifts, newest first; shows page `page`
// (1-based) of them and the pager "共 N 页" after the table. `query` fills the filter form.
struct ProfitQuery {
    std::string time1, time2;
    int seltype = 1;
    int page = 1;
};
std::string ProfitPage(const std::vector<Gift>& gifts, const ProfitQuery& query);

// The administrator roster, page `page` of `admins`, with its pager.
std::string RosterPage(const std::vector<Administrator>& admins, int page);

// The room's own page (what "/room/my/" shows): links only, none of the markers.
std::string RoomPage(const std::string& owner);

// What a member page shows to a visitor who has not logged in.
std::string LoginPage();

// A short error page for a status fault.
std::string ErrorPage(int status);

}  // namespace roomdesk::site
