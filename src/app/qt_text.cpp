#include "app/qt_text.h"

#include "text/encoding.h"

namespace roomdesk {

QString ToQString(const Text& text) { return FromUtf8(AnsiToUtf8(text)); }

Text ToText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToAnsi(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString FromUtf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace roomdesk
