// Sequential GETs to the stand-in site on loopback: requests per second with
// the connection of the thread kept for the next request, and with a new
// connection for every request.
#include <benchmark/benchmark.h>

#include <string>

#include "site/stand_in_site.h"
#include "web/web_request.h"
#include "web/web_session.h"

namespace {

using roomdesk::WebSettings;

void RunGets(benchmark::State& state, bool reuseConnections) {
    roomdesk::site::StandInSite site(roomdesk::site::SiteData::Demo(roomdesk::site::LocalDate()));
    if (site.Start() <= 0) {
        state.SkipWithError("the stand-in site did not start");
        return;
    }
    const auto bodyBytes = static_cast<std::size_t>(state.range(0));
    site.SetPage("/page", std::string(bodyBytes, 'x'));
    const std::string url = site.BaseUrl() + "/page";
    WebSettings settings;
    settings.reuseConnections = reuseConnections;
    roomdesk::SetWebSettings(settings);

    for (auto _ : state) {
        const roomdesk::WebResponse response = roomdesk::WebRequest(url);
        if (response.body.size() != bodyBytes) {
            state.SkipWithError(("request failed: " + response.failure).c_str());
            break;
        }
        benchmark::DoNotOptimize(response.body.data());
    }
    state.SetItemsProcessed(state.iterations());
    roomdesk::SetWebSettings(WebSettings{});
}

void BM_GetKeepingTheConnection(benchmark::State& state) { RunGets(state, true); }
void BM_GetOnANewConnection(benchmark::State& state) { RunGets(state, false); }

BENCHMARK(BM_GetKeepingTheConnection)->Arg(64)->Arg(64 << 10)->UseRealTime();
BENCHMARK(BM_GetOnANewConnection)->Arg(64)->Arg(64 << 10)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
