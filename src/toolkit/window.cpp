#include "toolkit/window.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace roomdesk {

void AbortOnControlLookup(std::string_view name, std::string_view wanted, std::string_view found) {
    const std::string quoted = "\"" + std::string(name) + "\"";
    const std::string message =
        found.empty() ? "roomdesk: the window has no " + std::string(wanted) + " named " + quoted
                      : "roomdesk: wrong kind of control " + quoted + ": asked for " +
                            std::string(wanted) + ", found " + std::string(found);
    std::fputs((message + "\n").c_str(), stderr);
    std::abort();
}

}  // namespace roomdesk
