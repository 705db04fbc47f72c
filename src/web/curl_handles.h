// Move-only owners of the libcurl handles, so that every handle is released
// exactly once whatever way a function leaves.
#pragma once

#include <curl/curl.h>

#include <memory>

namespace roomdesk {

struct EasyCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct MultiCleanup {
    void operator()(CURLM* handle) const { curl_multi_cleanup(handle); }
};
struct ShareCleanup {
    void operator()(CURLSH* handle) const { curl_share_cleanup(handle); }
};
struct HeaderListFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

using EasyHandle = std::unique_ptr<CURL, EasyCleanup>;
using MultiHandle = std::unique_ptr<CURLM, MultiCleanup>;
using ShareHandle = std::unique_ptr<CURLSH, ShareCleanup>;
using HeaderList = std::unique_ptr<curl_slist, HeaderListFree>;

// Appends a copy of `line` to `list`; false when memory ran out, in which case
// the list stays as it was.
inline bool AppendHeader(HeaderList& list, const char* line) {
    curl_slist* head = curl_slist_append(list.get(), line);
    if (head == nullptr) return false;
    list.release();
    list.reset(head);
    return true;
}

}  // namespace roomdesk
