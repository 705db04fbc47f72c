// The click of a control that has no click signal of its own (a picture box, a label, a list, a
// tab control, ...): a press of the left mouse button on it.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace roomdesk {

class LeftPressFilter final : public QObject {
public:
    // Watches `widget` and the parts that take its mouse presses (a list's viewport, an editable
    // combo box's field); `onPress` runs on each left press. The filter belongs to the widget.
    LeftPressFilter(QWidget* widget, std::function<void()> onPress);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onPress_;
};

}  // namespace roomdesk
