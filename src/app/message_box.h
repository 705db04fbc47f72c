#pragma once

#include <QString>

class QWidget;

namespace roomdesk {

// The window's message box: the text as plain text, the caption "信息：", an OK button only,
// modal for the whole application; returns when the user has closed it.
void ShowMessageBox(QWidget* parent, const QString& text);

}  // namespace roomdesk
