// Renders the sample widget group under chosen skins to PNG files, for looking at the skins:
//   skin_contact_sheet [output directory] [skin number...]
// writes skinNN.png (panel, popup menu and message box) for each number given (by default 1, 17,
// 30, 42 and 57) and all.png with the panels of all 58 skins at half size. The output directory
// defaults to /tmp/skins.
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <cstdio>

#include "sample_panel.h"
#include "skin/skin.h"

using namespace roomdesk::skin;
using namespace roomdesk::skin::testing;

namespace {

constexpr int kCaption = 20;
constexpr int kGap = 8;

void Caption(QPainter& painter, int x, int y, int width, const QString& text) {
    painter.setPen(Qt::black);
    painter.drawText(QRect(x, y, width, kCaption), Qt::AlignLeft | Qt::AlignVCenter, text);
}

QImage SkinSheet(SamplePanel& panel, int n) {
    const QImage body = RenderPanel(panel);
    const QImage menu = RenderMenu();
    const QImage box = RenderMessageBox();
    QImage sheet(body.width() + menu.width() + box.width() + 4 * kGap,
                 kCaption + std::max({body.height(), menu.height(), box.height()}) + kGap,
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    Caption(painter, kGap, 0, sheet.width(), QStringLiteral("皮肤%1").arg(n));
    int x = kGap;
    for (const QImage* part : {&body, &menu, &box}) {
        painter.drawImage(x, kCaption, *part);
        x += part->width() + kGap;
    }
    return sheet;
}

QImage AllSkins(SamplePanel& panel) {
    constexpr int kColumns = 6;
    const QSize cell = panel.size() / 2;
    const int rows = (kSkinCount + kColumns - 1) / kColumns;
    QImage sheet(kColumns * (cell.width() + kGap) + kGap, rows * (cell.height() + kCaption + kGap),
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int n = 1; n <= kSkinCount; ++n) {
        ApplySkin(n);
        const int x = kGap + (n - 1) % kColumns * (cell.width() + kGap);
        const int y = (n - 1) / kColumns * (cell.height() + kCaption + kGap);
        Caption(painter, x, y, cell.width(), QString::number(n));
        painter.drawImage(QRect(QPoint(x, y + kCaption), cell), RenderPanel(panel));
    }
    return sheet;
}

bool Save(const QImage& image, const QString& path) {
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString dir = args.isEmpty() ? QStringLiteral("/tmp/skins") : args.first();
    QList<int> numbers;
    for (const QString& arg : args.mid(1)) {
        numbers << arg.toInt();
    }
    if (numbers.isEmpty()) {
        numbers = {1, 17, 30, 42, 57};
    }
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(dir));
        return 1;
    }

    SamplePanel panel;
    panel.show();
    bool ok = true;
    for (int n : numbers) {
        if (SkinStyleSheet(n).isEmpty()) {
            std::fprintf(stderr, "there is no skin %d\n", n);
            ok = false;
            continue;
        }
        ApplySkin(n);
        ok &= Save(SkinSheet(panel, n),
                   QStringLiteral("%1/skin%2.png").arg(dir).arg(n, 2, 10, QChar('0')));
    }
    ok &= Save(AllSkins(panel), dir + QStringLiteral("/all.png"));
    return ok ? 0 : 1;
}
