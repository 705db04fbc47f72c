// The part that every in-memory control shares: visibility, enabled state, the click handler and
// the one mutex that guards the whole control.
#pragma once

#include <functional>
#include <mutex>

namespace roomdesk {

// Implements the Control operations of `Interface` (a class derived from Control). The derived
// control guards its own data with mutex_ and never calls out while holding it, so no two locks
// are ever held at once.
template <class Interface>
class MemoryControlBase : public Interface {
public:
    void SetVisible(bool visible) override {
        std::lock_guard lock(mutex_);
        visible_ = visible;
    }
    bool IsVisible() const override {
        std::lock_guard lock(mutex_);
        return visible_;
    }
    void SetEnabled(bool enabled) override {
        std::lock_guard lock(mutex_);
        enabled_ = enabled;
    }
    bool IsEnabled() const override {
        std::lock_guard lock(mutex_);
        return enabled_;
    }
    void SetClickHandler(std::function<void()> handler) override {
        std::lock_guard lock(mutex_);
        click_ = std::move(handler);
    }

    // Test driver: the user clicks the control. A hidden or disabled control cannot be clicked:
    // nothing happens and the result is false. Otherwise the control reacts (a check box
    // toggles), the click handler runs on the calling thread, and the result is true.
    bool Click() {
        std::function<void()> handler;
        {
            std::lock_guard lock(mutex_);
            if (!visible_ || !enabled_) return false;
            handler = click_;
        }
        OnUserClick();
        if (handler) handler();
        return true;
    }

protected:
    // What a click does to the control itself before the handler runs; called without the lock.
    virtual void OnUserClick() {}

    mutable std::mutex mutex_;

private:
    bool visible_ = true;
    bool enabled_ = true;
    std::function<void()> click_;
};

}  // namespace roomdesk
