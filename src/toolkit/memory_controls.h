// The in-memory controls other than the list view. Each is guarded by its own mutex; the test
// drivers below each class play the user's part.
#pragma once

#include <functional>
#include <mutex>
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/memory_control_base.h"

namespace roomdesk {

// A control with nothing beyond the common operations: a button, a label, a tab control.
class MemoryControl final : public MemoryControlBase<Control> {};

class MemoryStatusBar final : public MemoryControlBase<StatusBar> {
public:
    void SetText(const Text& text) override;
    Text GetText() const override;

private:
    Text text_;
};

class MemoryEditBox final : public MemoryControlBase<EditBox> {
public:
    explicit MemoryEditBox(Text text = {});
    void SetText(const Text& text) override;
    Text GetText() const override;

private:
    Text text_;
};

struct ComboItem {
    Text text;
    int value = 0;
};

class MemoryComboBox final : public MemoryControlBase<ComboBox> {
public:
    explicit MemoryComboBox(std::vector<ComboItem> items);

    void SetText(const Text& text) override;
    Text GetText() const override;
    bool SelectByText(const Text& prefix) override;
    int SelectedIndex() const override;
    int ItemCount() const override;
    Text ItemText(int index) const override;
    int ItemValue(int index) const override;

    // Test driver: the user types `text` into the field, which then holds it (the same rule as
    // SetText: an item whose text equals it is selected, else none).
    void Type(const Text& text) { SetText(text); }

private:
    const std::vector<ComboItem> items_;
    Text text_;
    int selected_ = -1;
};

class MemoryCheckBox final : public MemoryControlBase<CheckBox> {
public:
    explicit MemoryCheckBox(bool checked = false);
    void SetChecked(bool checked) override;
    bool IsChecked() const override;

private:
    void OnUserClick() override;  // the user's click toggles the box

    bool checked_;
};

class MemoryPictureBox final : public MemoryControlBase<PictureBox> {
public:
    // Keeps the bytes; whether they would decode is not judged here.
    void SetPicture(const Bytes& image) override;

    // Test drivers.
    Bytes PictureBytes() const;
    // How many times a picture has been set.
    int PictureCount() const;

private:
    Bytes image_;
    int count_ = 0;
};

// A timer on a virtual clock that only the test drivers move.
class MemoryTimer final : public Timer {
public:
    explicit MemoryTimer(int period = 0);

    void SetPeriod(int ms) override;
    int Period() const override;
    void SetTickHandler(std::function<void()> handler) override;

    // Test drivers; the tick handler runs on the calling thread, without the timer's lock, and
    // may change the period.
    // Lets `ms` milliseconds pass and gives the number of ticks that fell due.
    int Advance(int ms);
    // Lets time pass up to the next tick: false, and no tick, when the timer is stopped.
    bool Fire();

private:
    mutable std::mutex mutex_;
    int period_;
    int elapsed_ = 0;  // since the last tick or the last SetPeriod
    std::function<void()> tick_;
};

}  // namespace roomdesk
