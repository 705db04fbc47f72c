// Runs one prepared easy handle to its end on the calling thread.
#pragma once

#include <curl/curl.h>

namespace roomdesk {

// Performs the transfer of `easy` and gives its result. The transfer runs in a
// multi handle that belongs to the calling thread, so connections left open by
// one request of a thread serve its later requests; no connection is ever used
// by two threads. Ends with CURLE_ABORTED_BY_CALLBACK soon after
// AbortAllTransfers().
CURLcode PerformTransfer(CURL* easy);

}  // namespace roomdesk
