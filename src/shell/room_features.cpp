#include "shell/room_features.h"

#include <memory>

#include "admin/administrators.h"
#include "ranking/rankings.h"

namespace roomdesk {
namespace {

class RankingsFeature : public Feature {
public:
    RankingsFeature(Window& window, const Text& baseAddress) : rankings_(window, baseAddress) {}
    void InstallHandlers(Window&) override { rankings_.Install(); }
    std::vector<WorkerHandle> Workers() const override { return rankings_.Workers(); }

private:
    Rankings rankings_;
};

class AdministratorsFeature : public Feature {
public:
    AdministratorsFeature(Window& window, const Text& baseAddress)
        : administrators_(window, baseAddress) {}
    void InstallHandlers(Window&) override { administrators_.Install(); }
    std::vector<WorkerHandle> Workers() const override { return {administrators_.RosterWorker()}; }

private:
    Administrators administrators_;
};

}  // namespace

void AddRoomFeatures(MainController& controller, Window& window, const Text& baseAddress) {
    controller.AddFeature(std::make_unique<RankingsFeature>(window, baseAddress));
    controller.AddFeature(std::make_unique<AdministratorsFeature>(window, baseAddress));
}

}  // namespace roomdesk
