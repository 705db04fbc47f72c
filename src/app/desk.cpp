#include "app/desk.h"

#include "shell/room_features.h"
#include "skin/skin.h"

namespace roomdesk {

Desk::Desk(const ShellConfig& config)
    : window_(std::make_unique<QtWindow>()),
      controller_(std::make_unique<MainController>(*window_, config, skin::ApplySkin)) {
    AddRoomFeatures(*controller_, *window_, config.baseAddress);
    window_->SetCloseHandler([this] { controller_->OnMainWindowDestroying(); });
    controller_->OnMainWindowCreated();
}

Desk::~Desk() { window_.reset(); }

}  // namespace roomdesk
