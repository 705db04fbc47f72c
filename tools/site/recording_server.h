#pragma once

#include <httplib.h>

#include <string>

namespace roomdesk::site {

// An httplib server that reads its connections through a stream of its own, so that the head
// of each request (request line and header lines) is kept byte for byte as it arrived: httplib
// itself keeps headers only in a case-folded map. It also drops the request's Accept-Encoding
// before routing, so replies always go out uncompressed, byte for byte as made.
class RecordingServer : public httplib::Server {
public:
    // The head of the request that the calling handler thread is answering.
    static const std::string& CurrentRawHead();

private:
    bool process_and_close_socket(socket_t sock) override;
    bool WaitForRequest(socket_t sock) const;
};

}  // namespace roomdesk::site
