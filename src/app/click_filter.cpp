#include "app/click_filter.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

namespace roomdesk {

LeftPressFilter::LeftPressFilter(QWidget* widget, std::function<void()> onPress)
    : QObject(widget), onPress_(std::move(onPress)) {
    widget->installEventFilter(this);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) {
        area->viewport()->installEventFilter(this);
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit()) {
        combo->lineEdit()->installEventFilter(this);
    }
}

bool LeftPressFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        onPress_();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace roomdesk
