#include "app/main_frame.h"

#include <QCloseEvent>
#include <QScreen>

namespace roomdesk {

MainFrame::MainFrame(QSize outerSize, const QString& caption, std::function<void()> onClose)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      outerSize_(outerSize),
      onClose_(std::move(onClose)) {
    setWindowTitle(caption);
    setFixedSize(outerSize);
}

void MainFrame::ShowCentred() {
    FitToFrame(true);
    show();
}

void MainFrame::FitToFrame(bool centre) {
    const QSize border = frameGeometry().size() - size();
    if (border != border_) {
        border_ = border;
        setFixedSize(outerSize_ - border);
        centre = true;
    }
    if (centre) Centre();
}

void MainFrame::Centre() {
    const QScreen* shown = screen();
    if (!shown) return;
    const QRect area = shown->availableGeometry();
    // move() places the frame's corner.
    move(area.x() + (area.width() - outerSize_.width()) / 2,
         area.y() + (area.height() - outerSize_.height()) / 2);
}

bool MainFrame::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::Show || event->type() == QEvent::Move) FitToFrame(false);
    return handled;
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (onClose_) onClose_();
    event->accept();
}

}  // namespace roomdesk
