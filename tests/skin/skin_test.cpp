#include "skin/skin.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <optional>

#include "sample_panel.h"

using roomdesk::skin::ApplySkin;
using roomdesk::skin::kSkinCount;
using roomdesk::skin::SkinStyleSheet;
using namespace roomdesk::skin::testing;

namespace {

// Collects Qt's "Could not parse ... stylesheet" warnings while it lives; every other message
// goes on to the handler that was installed before.
class ParseWarnings {
public:
    ParseWarnings() : previous_(qInstallMessageHandler(&Handle)) { active_ = this; }
    ~ParseWarnings() {
        qInstallMessageHandler(previous_);
        active_ = nullptr;
    }
    const QStringList& caught() const { return caught_; }

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.contains(QLatin1String("Could not parse"))) {
            active_->caught_ << message;
        } else {
            active_->previous_(type, context, message);
        }
    }

    static inline ParseWarnings* active_ = nullptr;
    QtMessageHandler previous_;
    QStringList caught_;
};

// The rules of a style sheet without its comments and with its own image names made alike, so
// that two skins built from the same palette compare equal.
QString Rules(QString sheet) {
    static const QRegularExpression comment(QStringLiteral(R"(/\*.*?\*/)"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression image(QStringLiteral(R"(skin\d\d-)"));
    return sheet.remove(comment).replace(image, QStringLiteral("skin-"));
}

// The files named by url(...) in a style sheet.
QStringList ImageUrls(const QString& sheet) {
    static const QRegularExpression url(QStringLiteral(R"(url\(([^)]*)\))"));
    QStringList urls;
    for (const auto& match : url.globalMatch(sheet)) {
        urls << match.captured(1);
    }
    return urls;
}

int Distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

}  // namespace

class SkinTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SamplePanel> panel_;

    // Renders every part of the panel, the menu and the message box, so that the sheet in force
    // is parsed and applied to each kind of widget.
    QImage RenderAll() {
        RenderMenu();
        RenderMessageBox();
        return RenderPanel(*panel_);
    }

    // The colours at the sample points; nullopt when a point lies outside the panel.
    std::optional<std::vector<QRgb>> Colours() {
        const QImage image = RenderPanel(*panel_);
        std::vector<QRgb> colours;
        for (const SamplePoint& point : SamplePoints(*panel_)) {
            if (!image.rect().contains(point.pos)) {
                return std::nullopt;
            }
            colours.push_back(image.pixel(point.pos));
        }
        return colours;
    }

private slots:
    void initTestCase() {
        panel_ = std::make_unique<SamplePanel>();
        panel_->show();
    }

    void cleanup() { qApp->setStyleSheet(QString()); }

    void skinsAreNumberedOneToFiftyEight() {
        for (int n : {0, -1, kSkinCount + 1, INT_MIN, INT_MAX}) {
            QVERIFY2(SkinStyleSheet(n).isEmpty(), qPrintable(QString::number(n)));
        }
        QStringList seen;
        for (int n = 1; n <= kSkinCount; ++n) {
            const QString sheet = SkinStyleSheet(n);
            QVERIFY2(sheet.contains(QLatin1String("QPushButton")), qPrintable(QString::number(n)));
            for (const auto& url : ImageUrls(sheet)) {
                QVERIFY2(QFile::exists(url),
                         qPrintable(QStringLiteral("skin %1: %2").arg(n).arg(url)));
            }
            const QString rules = Rules(sheet);
            const auto same = seen.indexOf(rules);
            QVERIFY2(
                same < 0,
                qPrintable(
                    QStringLiteral("skins %1 and %2 have the same rules").arg(same + 1).arg(n)));
            seen << rules;
        }
    }

    void brokenSheetIsCaught() {
        ParseWarnings warnings;
        qApp->setStyleSheet(QStringLiteral("QPushButton { color: "));
        RenderAll();
        QVERIFY(!warnings.caught().isEmpty());
    }

    void everySkinParses_data() {
        QTest::addColumn<int>("n");
        for (int n = 1; n <= kSkinCount; ++n) {
            QTest::addRow("skin %d", n) << n;
        }
    }

    void everySkinParses() {
        QFETCH(int, n);
        ParseWarnings warnings;
        ApplySkin(n);
        QCOMPARE(qApp->styleSheet(), SkinStyleSheet(n));
        RenderAll();
        QVERIFY2(warnings.caught().isEmpty(), qPrintable(warnings.caught().join('\n')));
    }

    // Every two skins, and every skin against no skin at all, differ visibly in at least one
    // part of the window.
    void skinsLookDifferent() {
        constexpr int kVisible = 40;  // sum of the red, green and blue differences
        const auto parts = SamplePoints(*panel_);
        std::vector<std::vector<QRgb>> looks;  // index 0: no skin
        for (int n = 0; n <= kSkinCount; ++n) {
            if (n == 0) {
                qApp->setStyleSheet(QString());
            } else {
                ApplySkin(n);
            }
            auto colours = Colours();
            QVERIFY2(colours,
                     qPrintable(QStringLiteral("skin %1: a point is off the panel").arg(n)));
            looks.push_back(*colours);
        }
        for (int a = 0; a <= kSkinCount; ++a) {
            for (int b = a + 1; b <= kSkinCount; ++b) {
                int largest = 0;
                for (size_t p = 0; p < parts.size(); ++p) {
                    largest = std::max(largest, Distance(looks[a][p], looks[b][p]));
                }
                QVERIFY2(largest >= kVisible,
                         qPrintable(QStringLiteral("skins %1 and %2 differ by %3 at most")
                                        .arg(a)
                                        .arg(b)
                                        .arg(largest)));
            }
        }
    }

    void startUpSkinRecoloursButtons() {
        const QPoint inside = panel_->login->mapTo(panel_.get(), QPoint(6, 16));
        ApplySkin(1);
        const QRgb first = RenderPanel(*panel_).pixel(inside);
        ApplySkin(17);
        const QRgb startUp = RenderPanel(*panel_).pixel(inside);
        QVERIFY2(Distance(first, startUp) >= 40,
                 qPrintable(QStringLiteral("%1 against %2").arg(first, 0, 16).arg(startUp, 0, 16)));
    }

    void numberOutsideTheSetKeepsTheSkin_data() {
        QTest::addColumn<int>("n");
        for (int n : {0, -1, kSkinCount + 1, INT_MIN, INT_MAX}) {
            QTest::addRow("%d", n) << n;
        }
    }

    void numberOutsideTheSetKeepsTheSkin() {
        QFETCH(int, n);
        ApplySkin(17);
        const QImage before = RenderAll();

        ParseWarnings warnings;
        ApplySkin(n);
        QCOMPARE(qApp->styleSheet(), SkinStyleSheet(17));
        QCOMPARE(RenderAll(), before);
        QVERIFY(warnings.caught().isEmpty());

        QSignalSpy clicked(panel_->login, &QPushButton::clicked);
        QTest::mouseClick(panel_->login, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        panel_->captcha->clear();
        QTest::keyClicks(panel_->captcha, QStringLiteral("8315"));
        QCOMPARE(panel_->captcha->text(), QStringLiteral("8315"));
    }
};

QTEST_MAIN(SkinTest)
#include "skin_test.moc"
