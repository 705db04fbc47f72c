// The main window's top-level widget: a fixed outer size, frame included, centred on the screen;
// a caption bar with the close box only; no resizing.
#pragma once

#include <QWidget>
#include <functional>

namespace roomdesk {

class MainFrame final : public QWidget {
public:
    // `onClose` runs on each close event, before the frame accepts it.
    MainFrame(QSize outerSize, const QString& caption, std::function<void()> onClose);

    // Shows the frame centred on its screen.
    void ShowCentred();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The client area is the outer size less the window manager's frame. The frame is known only
    // once the window manager has framed the window (without one it stays empty), which comes
    // after the window is shown; so this runs whenever the window is shown or moved, and when the
    // frame has changed it fits the client area and centres the window again. Otherwise the
    // window stays where the user put it.
    void FitToFrame(bool centre);
    void Centre();

    const QSize outerSize_;
    QSize border_;  // the frame's width and height, as last fitted
    std::function<void()> onClose_;
};

}  // namespace roomdesk
