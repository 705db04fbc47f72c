#include "web/curl_transfer.h"

#include "web/curl_handles.h"
#include "web/web_session.h"

namespace roomdesk {

namespace {

// Longest wait for network activity between two looks at the abort switch.
constexpr int kAbortCheckMs = 100;

CURLM* ThreadMulti() {
    thread_local MultiHandle multi(curl_multi_init());
    return multi.get();
}

// Adds an easy handle to a multi handle for the life of the scope.
class Attached {
public:
    Attached(CURLM* multi, CURL* easy)
        : multi_(multi), easy_(easy), ok_(curl_multi_add_handle(multi, easy) == CURLM_OK) {}
    ~Attached() {
        if (ok_) curl_multi_remove_handle(multi_, easy_);
    }
    Attached(const Attached&) = delete;
    Attached& operator=(const Attached&) = delete;
    bool ok() const { return ok_; }

private:
    CURLM* multi_;
    CURL* easy_;
    bool ok_;
};

}  // namespace

CURLcode PerformTransfer(CURL* easy) {
    CURLM* multi = ThreadMulti();
    if (multi == nullptr) return CURLE_OUT_OF_MEMORY;
    const Attached attached(multi, easy);
    if (!attached.ok()) return CURLE_FAILED_INIT;
    while (true) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) return CURLE_FAILED_INIT;
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
            if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
                return message->data.result;
            }
        }
        if (TransfersAborted()) return CURLE_ABORTED_BY_CALLBACK;
        if (curl_multi_poll(multi, nullptr, 0, kAbortCheckMs, nullptr) != CURLM_OK) {
            return CURLE_FAILED_INIT;
        }
    }
}

}  // namespace roomdesk
