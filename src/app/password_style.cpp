#include "app/password_style.h"

#include <QLineEdit>
#include <QProxyStyle>

namespace roomdesk {

namespace {

class StarPasswordStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

void MakePasswordBox(QLineEdit* edit) {
    auto* style = new StarPasswordStyle;
    style->setParent(edit);
    edit->setStyle(style);
    edit->setEchoMode(QLineEdit::Password);
}

}  // namespace roomdesk
