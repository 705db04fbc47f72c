// The one place where texts cross between the toolkit and Qt. Text is in the system code page
// (GB18030); the layout's names and captions are UTF-8; Qt holds UTF-16.
#pragma once

#include <QString>
#include <string_view>

#include "text/text_ops.h"

namespace roomdesk {

QString ToQString(const Text& text);
// Every QString is Unicode, so the round trip Text -> QString -> Text keeps the bytes of every
// well-formed GB18030 text; bytes that are no GB18030 character come back as U+FFFD's form.
Text ToText(const QString& text);
// A UTF-8 text of the layout (a name, caption, header, item or menu text).
QString FromUtf8(std::string_view utf8);

}  // namespace roomdesk
