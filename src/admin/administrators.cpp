#include "admin/administrators.h"

#include <utility>

#include "admin/admin_removal.h"
#include "admin/roster_check.h"

namespace roomdesk {

namespace {

constexpr std::string_view kRosterMenu = "cd5";
constexpr std::string_view kCheckItem = "检查后宫";
constexpr std::string_view kRemoveItem = "打入冷宫";

}  // namespace

Administrators::Administrators(Window& window, Text baseAddress)
    : window_(window), baseAddress_(std::move(baseAddress)) {}

void Administrators::Install() {
    for (const GrantItem& item : kGrantItems) {
        window_.SetMenuHandler(item.menu, item.item, [this, period = item.period] {
            GrantAdmin(window_, baseAddress_, period);
        });
    }
    window_.SetMenuHandler(kRosterMenu, kCheckItem, [this] { StartRosterCheck(); });
    window_.SetMenuHandler(kRosterMenu, kRemoveItem,
                           [this] { RemoveAdmin(window_, baseAddress_); });
}

void Administrators::StartRosterCheck() {
    if (rosterWorkerSlot_.Running()) return;
    // The worker holds the window, which joins its workers before it goes, and its own copy of
    // the address, so it never outlives what it uses.
    rosterWorkerSlot_ = window_.StartThread(
        [&window = window_, base = baseAddress_] { CheckRoster(window, base); });
}

}  // namespace roomdesk
