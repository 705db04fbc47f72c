// The room's features of the main window: the rankings (updates, finish buttons, timed refresh)
// and the administrators (grants, roster check, removal).
#pragma once

#include "shell/main_controller.h"
#include "text/text_ops.h"
#include "toolkit/window.h"

namespace roomdesk {

// Adds both to `controller`, their requests going to `baseAddress`.
void AddRoomFeatures(MainController& controller, Window& window, const Text& baseAddress);

}  // namespace roomdesk
