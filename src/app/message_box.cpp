#include "app/message_box.h"

#include <QMessageBox>

#include "app/qt_text.h"
#include "toolkit/main_window_layout.h"

namespace roomdesk {

void ShowMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, FromUtf8(kMessageCaption), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace roomdesk
