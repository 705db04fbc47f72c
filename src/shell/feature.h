// A part of the main window's behaviour that the controller wires in beside the login and the
// skins: the rankings with their timer and finish buttons, the administrators.
#pragma once

#include <vector>

#include "toolkit/window.h"
#include "toolkit/worker.h"

namespace roomdesk {

class Feature {
public:
    virtual ~Feature() = default;

    // Puts the feature's handlers on the window's controls, timers and menus. Runs once, on the
    // window's thread, at the end of the window's created event.
    virtual void InstallHandlers(Window& window) = 0;

    // The worker threads that the feature holds in its slots (empty handles may be among them),
    // so that closing the window can stop them and wait for them.
    virtual std::vector<WorkerHandle> Workers() const { return {}; }
};

}  // namespace roomdesk
