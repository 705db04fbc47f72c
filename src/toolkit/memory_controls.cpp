#include "toolkit/memory_controls.h"

#include <cstddef>
#include <utility>

namespace roomdesk {

void MemoryStatusBar::SetText(const Text& text) {
    std::lock_guard lock(mutex_);
    text_ = text;
}

Text MemoryStatusBar::GetText() const {
    std::lock_guard lock(mutex_);
    return text_;
}

MemoryEditBox::MemoryEditBox(Text text) : text_(std::move(text)) {}

void MemoryEditBox::SetText(const Text& text) {
    std::lock_guard lock(mutex_);
    text_ = text;
}

Text MemoryEditBox::GetText() const {
    std::lock_guard lock(mutex_);
    return text_;
}

MemoryComboBox::MemoryComboBox(std::vector<ComboItem> items) : items_(std::move(items)) {}

void MemoryComboBox::SetText(const Text& text) {
    std::lock_guard lock(mutex_);
    text_ = text;
    selected_ = -1;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].text == text) {
            selected_ = static_cast<int>(i);
            break;
        }
    }
}

Text MemoryComboBox::GetText() const {
    std::lock_guard lock(mutex_);
    return text_;
}

bool MemoryComboBox::SelectByText(const Text& prefix) {
    // ToUpper walks the texts character by character, so a trail byte that happens to be an
    // ASCII letter is never folded.
    const Text folded = ToUpper(prefix);
    std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (ToUpper(items_[i].text).starts_with(folded)) {
            selected_ = static_cast<int>(i);
            text_ = items_[i].text;
            return true;
        }
    }
    return false;
}

int MemoryComboBox::SelectedIndex() const {
    std::lock_guard lock(mutex_);
    return selected_;
}

int MemoryComboBox::ItemCount() const { return static_cast<int>(items_.size()); }

Text MemoryComboBox::ItemText(int index) const {
    if (index < 0 || index >= ItemCount()) return {};
    return items_[index].text;
}

int MemoryComboBox::ItemValue(int index) const {
    if (index < 0 || index >= ItemCount()) return -1;
    return items_[index].value;
}

MemoryCheckBox::MemoryCheckBox(bool checked) : checked_(checked) {}

void MemoryCheckBox::SetChecked(bool checked) {
    std::lock_guard lock(mutex_);
    checked_ = checked;
}

bool MemoryCheckBox::IsChecked() const {
    std::lock_guard lock(mutex_);
    return checked_;
}

void MemoryCheckBox::OnUserClick() {
    std::lock_guard lock(mutex_);
    checked_ = !checked_;
}

void MemoryPictureBox::SetPicture(const Bytes& image) {
    std::lock_guard lock(mutex_);
    image_ = image;
    ++count_;
}

Bytes MemoryPictureBox::PictureBytes() const {
    std::lock_guard lock(mutex_);
    return image_;
}

int MemoryPictureBox::PictureCount() const {
    std::lock_guard lock(mutex_);
    return count_;
}

MemoryTimer::MemoryTimer(int period) : period_(period > 0 ? period : 0) {}

void MemoryTimer::SetPeriod(int ms) {
    std::lock_guard lock(mutex_);
    period_ = ms > 0 ? ms : 0;
    elapsed_ = 0;
}

int MemoryTimer::Period() const {
    std::lock_guard lock(mutex_);
    return period_;
}

void MemoryTimer::SetTickHandler(std::function<void()> handler) {
    std::lock_guard lock(mutex_);
    tick_ = std::move(handler);
}

int MemoryTimer::Advance(int ms) {
    int ticks = 0;
    while (true) {
        std::function<void()> handler;
        {
            std::lock_guard lock(mutex_);
            if (period_ == 0) return ticks;
            const int untilTick = period_ - elapsed_;
            if (ms < untilTick) {
                elapsed_ += ms > 0 ? ms : 0;
                return ticks;
            }
            ms -= untilTick;
            elapsed_ = 0;
            handler = tick_;
        }
        ++ticks;
        if (handler) handler();
    }
}

bool MemoryTimer::Fire() {
    std::function<void()> handler;
    {
        std::lock_guard lock(mutex_);
        if (period_ == 0) return false;
        elapsed_ = 0;
        handler = tick_;
    }
    if (handler) handler();
    return true;
}

}  // namespace roomdesk
