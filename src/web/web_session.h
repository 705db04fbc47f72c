// What the web requests of the process share: the libcurl set-up, the one
// cookie store, the time-outs and limits, and the switch that ends every
// transfer at once.
#pragma once

#include <curl/curl.h>

#include <chrono>
#include <cstddef>

namespace roomdesk {

struct WebSettings {
    // Time allowed to set up the connection, and for the whole exchange of one
    // request (redirects included). Short, so that a window waiting for an
    // unreachable site comes back within seconds.
    std::chrono::milliseconds connectTimeout{5000};
    std::chrono::milliseconds totalTimeout{20000};
    // A response body over this many bytes is dropped and the request fails.
    std::size_t maxBodyBytes = std::size_t{64} << 20;
    // Keep connections open for later requests of the same thread.
    bool reuseConnections = true;
};

// Sets up libcurl and the cookie store. Runs once; main() calls it before any
// thread is started, and the first request calls it if main() did not.
void InitWeb();

WebSettings CurrentWebSettings();
// Applies to the requests that start afterwards.
void SetWebSettings(const WebSettings& settings);

// Forgets every cookie of the process-wide store.
void ClearCookieStore();

// Ends every running transfer within a fraction of a second and makes every
// later request fail at once, until AllowTransfers(). The window calls it at
// close so that workers waiting for the site end quickly.
void AbortAllTransfers();
void AllowTransfers();
bool TransfersAborted();

// The share handle that holds the process-wide cookie store (and the DNS
// cache); null when it could not be set up. Attach it to an easy handle and
// switch the easy handle's cookie engine on to use the store.
CURLSH* CookieStoreShare();

}  // namespace roomdesk
