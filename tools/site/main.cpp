// roomdesk-site: the stand-in live-streaming site as a program of its own.
//   roomdesk-site [--host HOST] [--port PORT] [--data FILE.json] [--test]
// Prints its base address "http://HOST:PORT" as the first line and serves until SIGINT/SIGTERM.

#include <signal.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "site/stand_in_site.h"

namespace {

int Usage() {
    std::cerr << "usage: roomdesk-site [--host HOST] [--port PORT] [--data FILE.json] [--test]\n"
                 "  --host  address to listen on (default 127.0.0.1)\n"
                 "  --port  port to listen on (default 0: a free one)\n"
                 "  --data  the site's accounts, gifts and administrators as JSON\n"
                 "          (default: the demo room, account demo / demo123)\n"
                 "  --test  serve the control endpoints under /__test/\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string host = "127.0.0.1";
    int port = 0;
    std::string dataFile;
    bool test = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--host" && hasValue) {
            host = argv[++i];
        } else if (arg == "--port" && hasValue) {
            char* end = nullptr;
            const long value = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || value < 0 || value > 65535) return Usage();
            port = static_cast<int>(value);
        } else if (arg == "--data" && hasValue) {
            dataFile = argv[++i];
        } else if (arg == "--test") {
            test = true;
        } else {
            return Usage();
        }
    }

    roomdesk::site::SiteData data;
    if (dataFile.empty()) {
        data = roomdesk::site::SiteData::Demo(roomdesk::site::LocalDate());
    } else {
        std::string error;
        auto loaded = roomdesk::site::SiteData::FromJsonFile(dataFile, &error);
        if (!loaded) {
            std::cerr << "roomdesk-site: " << dataFile << ": " << error << "\n";
            return 1;
        }
        data = std::move(*loaded);
    }

    // Block the stop signals before the server's threads start, so that only sigwait sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    roomdesk::site::StandInSite site(std::move(data));
    site.EnableTestEndpoints(test);
    const int bound = site.Start(host, port);
    if (bound < 0) {
        std::cerr << "roomdesk-site: cannot listen on " << host << ":" << port << "\n";
        return 1;
    }
    std::cout << "http://" << (host.find(':') != std::string::npos ? "[" + host + "]" : host) << ":"
              << bound << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    site.Stop();
    return 0;
}
