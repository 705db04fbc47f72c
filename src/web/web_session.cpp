#include "web/web_session.h"

#include <array>
#include <atomic>
#include <mutex>

#include "web/curl_handles.h"

namespace roomdesk {

namespace {

// The share handle and one lock per kind of data it shares. Connections are not
// shared here: libcurl does not support a connection cache shared between
// threads that run transfers at the same time (each thread keeps its own, see
// curl_transfer.cpp).
struct Session {
    ShareHandle share;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> locks;
};

void LockShared(CURL*, curl_lock_data data, curl_lock_access, void* session) {
    static_cast<Session*>(session)->locks[data].lock();
}

void UnlockShared(CURL*, curl_lock_data data, void* session) {
    static_cast<Session*>(session)->locks[data].unlock();
}

ShareHandle MakeShare(Session& session) {
    ShareHandle share(curl_share_init());
    if (!share) return nullptr;
    const bool ok =
        curl_share_setopt(share.get(), CURLSHOPT_LOCKFUNC, LockShared) == CURLSHE_OK &&
        curl_share_setopt(share.get(), CURLSHOPT_UNLOCKFUNC, UnlockShared) == CURLSHE_OK &&
        curl_share_setopt(share.get(), CURLSHOPT_USERDATA, &session) == CURLSHE_OK &&
        curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE) == CURLSHE_OK &&
        curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS) == CURLSHE_OK;
    return ok ? std::move(share) : nullptr;
}

Session& TheSession() {
    // Built once, by whichever thread comes first; never destroyed, so that a
    // worker still running while the process ends never meets a freed store.
    static Session* const session = [] {
        curl_global_init(CURL_GLOBAL_ALL);
        auto* created = new Session;
        created->share = MakeShare(*created);
        return created;
    }();
    return *session;
}

std::mutex settingsLock;
WebSettings settings;
std::atomic<bool> aborted{false};

}  // namespace

void InitWeb() { TheSession(); }

CURLSH* CookieStoreShare() { return TheSession().share.get(); }

WebSettings CurrentWebSettings() {
    std::lock_guard lock(settingsLock);
    return settings;
}

void SetWebSettings(const WebSettings& newSettings) {
    std::lock_guard lock(settingsLock);
    settings = newSettings;
}

void ClearCookieStore() {
    CURLSH* share = CookieStoreShare();
    EasyHandle easy(curl_easy_init());
    if (share == nullptr || !easy) return;
    curl_easy_setopt(easy.get(), CURLOPT_SHARE, share);
    curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, "ALL");
}

void AbortAllTransfers() { aborted = true; }
void AllowTransfers() { aborted = false; }
bool TransfersAborted() { return aborted; }

}  // namespace roomdesk
