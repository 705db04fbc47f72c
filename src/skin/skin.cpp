#include "skin/skin.h"

#include <QApplication>
#include <QFile>

namespace roomdesk::skin {

QString SkinStyleSheet(int n) {
    if (n < 1 || n > kSkinCount) {
        return {};
    }
    QFile file(QStringLiteral(":/skins/skin%1.qss").arg(n, 2, 10, QLatin1Char('0')));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

void ApplySkin(int n) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr) {
        return;
    }
    const QString copy = SkinStyleSheet(n);
    if (copy.isEmpty()) {
        return;
    }
    app->setStyleSheet(copy);
}

}  // namespace roomdesk::skin
