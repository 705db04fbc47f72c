// Removing the administrator selected in the roster 超级列表框9.
#pragma once

#include <string_view>

#include "toolkit/window.h"

namespace roomdesk {

// Asks the site to remove the administrator of the first selected roster row (its uid, column
// 0) and tells the owner in a message box: "打入冷宫成功！请重新检查后宫！" once the site has
// answered, whatever its reply says, or why the exchange failed. The uid goes into the query
// percent-encoded from its UTF-8 form; letters, digits, '-' and '.' stay as they are, which
// changes nothing for the site since a URL never needs them escaped. With no row selected, or a
// row without a uid, nothing is sent and the owner is asked to choose an administrator. The
// roster is left as it is: the removed administrator stays listed until the next check. Runs on
// the window's thread and returns when the message box is closed.
void RemoveAdmin(Window& window, std::string_view baseAddress);

}  // namespace roomdesk
