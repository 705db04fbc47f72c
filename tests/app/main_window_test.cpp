// The Qt main window as the form builds it (no controller: the created event has not run), and
// the Window operations over Qt: calls from workers, waits, message boxes, popup menus, combo
// selection and closing while a worker waits for the window.
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "app/qt_window.h"
#include "app/tab_control.h"
#include "skin/skin.h"
#include "text/encoding.h"
#include "toolkit/worker.h"

namespace roomdesk {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

struct Column {
    const char* header;
    int width;
};

// The combo box items: 组合框1 holds 58 skins, the first valued 1, the rest 0.
std::vector<std::pair<QString, int>> ComboItems(const char* box) {
    const std::string name = box;
    if (name == "组合框2") {
        return {{U("1分钟"), 1},   {U("2分钟"), 2},   {U("5分钟"), 5},
                {U("10分钟"), 10}, {U("30分钟"), 30}, {U("60分钟"), 60}};
    }
    if (name == "组合框3") {
        return {{U("当天排名"), 1}, {U("当周排名"), 2}, {U("当月排名"), 3}, {U("季度排名"), 4}};
    }
    std::vector<std::pair<QString, int>> skins;
    for (int i = 1; i <= 58; ++i) skins.emplace_back(U("皮肤") + QString::number(i), i == 1);
    return skins;
}

// A window with one combo box whose items have ASCII letters, and one whose trail byte is an
// ASCII letter in GB18030 (乤 is 0x81 0x61; 丄, 0x81 0x41, differs from it only in that byte).
constexpr ComboItemSpec kLetterItems[] = {{"Alpha", 1}, {"beta", 2}, {"乤", 3}};
constexpr ControlSpec kLetterControls[] = {
    {.name = "组合框",
     .kind = ControlKind::ComboBox,
     .place = {0, 0, 80, 20},
     .items = kLetterItems},
};
constexpr WindowLayout kLetterLayout{
    .caption = "letters", .width = 100, .height = 50, .controls = kLetterControls};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlKindPlaceAndForm_data();
    void controlKindPlaceAndForm();
    void workListsAreInMemory_data();
    void workListsAreInMemory();
    void windowFrame();
    void tabPages();
    void listColumns_data();
    void listColumns();
    void comboItems_data();
    void comboItems();
    void passwordBoxShowsStars();
    void twoLineCheckBox();
    void popupMenuItems_data();
    void popupMenuItems();
    void timers();
    void pictureBox_data();
    void pictureBox();
    void workerCallTakesEffectBeforeReturn_data();
    void workerCallTakesEffectBeforeReturn();
    void waitProcessesEvents_data();
    void waitProcessesEvents();
    void messageBox_data();
    void messageBox();
    void rightClickPopsMenu_data();
    void rightClickPopsMenu();
    void comboSelection_data();
    void comboSelection();
    void selectByTextIgnoresAsciiCaseOnly_data();
    void selectByTextIgnoresAsciiCaseOnly();
    void closeWhileWorkerWaits_data();
    void closeWhileWorkerWaits();
    void closeFromInsideAWorkersMessageBox();

private:
    template <class W = QWidget>
    W* Widget(const char* utf8Name) {
        return window_->Frame().findChild<W*>(U(utf8Name));
    }

    std::unique_ptr<QtWindow> window_;
};

void MainWindowTest::init() {
    window_ = std::make_unique<QtWindow>();
    window_->Show();
}

void MainWindowTest::cleanup() {
    window_->Frame().close();
    window_.reset();
}

// --- The form ----------------------------------------------------------------------------------

void MainWindowTest::controlKindPlaceAndForm_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("tab");  // empty: the window itself
    QTest::addColumn<int>("page");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("text");
    struct Case {
        const char* name;
        const char* kind;
        const char* tab;
        int page;
        QRect place;
        const char* text;
    };
    const Case cases[] = {
        {"选择夹1", "QTabWidget", "", 0, {0, -2, 552, 416}, ""},
        // 设置
        {"标签1", "QLabel", "选择夹1", 0, {8, 32, 32, 24}, "帐号："},
        {"编辑框1", "QLineEdit", "选择夹1", 0, {40, 32, 88, 24}, ""},
        {"标签2", "QLabel", "选择夹1", 0, {8, 64, 32, 24}, "密码："},
        {"编辑框2", "QLineEdit", "选择夹1", 0, {40, 64, 88, 24}, ""},
        {"图片框1", "QLabel", "选择夹1", 0, {8, 97, 120, 48}, ""},
        {"按钮4", "QPushButton", "选择夹1", 0, {76, 149, 52, 32}, "登录"},
        {"编辑框3", "QLineEdit", "选择夹1", 0, {8, 153, 64, 24}, ""},
        {"组合框2", "QComboBox", "选择夹1", 0, {136, 33, 80, 20}, ""},
        {"组合框3", "QComboBox", "选择夹1", 0, {136, 65, 80, 20}, ""},
        {"选择框1", "QCheckBox", "选择夹1", 0, {136, 100, 72, 15}, "开启定时"},
        {"选择框3", "QCheckBox", "选择夹1", 0, {136, 128, 80, 26}, "显示排行榜\n状态条"},
        {"组合框1", "QComboBox", "选择夹1", 0, {232, 40, 64, 20}, ""},
        {"按钮5", "QPushButton", "选择夹1", 0, {232, 64, 64, 32}, "更换皮肤"},
        // 排行
        {"高级选择夹1", "QTabWidget", "选择夹1", 1, {0, 20, 232, 172}, ""},
        {"状态条1", "QStatusBar", "选择夹1", 1, {0, 170, 224, 20}, ""},
        {"超级列表框2", "QTreeWidget", "高级选择夹1", 0, {0, 0, 600, 150}, ""},
        {"超级列表框4", "QTreeWidget", "高级选择夹1", 1, {0, 0, 600, 150}, ""},
        {"超级列表框6", "QTreeWidget", "高级选择夹1", 2, {0, 0, 600, 150}, ""},
        {"超级列表框8", "QTreeWidget", "高级选择夹1", 3, {0, 0, 600, 150}, ""},
        {"按钮2", "QPushButton", "高级选择夹1", 0, {352, 216, 56, 40}, ""},
        {"按钮6", "QPushButton", "高级选择夹1", 1, {400, 165, 48, 32}, ""},
        {"按钮8", "QPushButton", "高级选择夹1", 2, {376, 165, 56, 56}, ""},
        {"按钮9", "QPushButton", "高级选择夹1", 3, {376, 277, 88, 40}, ""},
        {"按钮1", "QPushButton", "高级选择夹1", 0, {296, 216, 40, 24}, "更新"},
        {"按钮3", "QPushButton", "高级选择夹1", 0, {408, 216, 64, 40}, ""},
        {"按钮7", "QPushButton", "高级选择夹1", 1, {416, 221, 32, 32}, ""},
        // 房管
        {"超级列表框9", "QTreeWidget", "选择夹1", 2, {0, 20, 392, 176}, ""},
        {"状态条2", "QStatusBar", "选择夹1", 2, {0, 170, 224, 20}, ""},
    };
    for (const Case& c : cases) {
        QTest::newRow(c.name) << U(c.name) << c.kind << U(c.tab) << c.page << c.place << U(c.text);
    }
}

// Kind, page, place and size, text, and the form's state: nothing typed, checked or selected,
// every control shown (状态条1 included: the created event hides it).
void MainWindowTest::controlKindPlaceAndForm() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, tab);
    QFETCH(int, page);
    QFETCH(QRect, place);
    QFETCH(QString, text);
    const QList<QWidget*> found = window_->Frame().findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    QWidget* widget = found.front();
    QVERIFY2(widget->inherits(kind.toLatin1()), widget->metaObject()->className());
    if (tab.isEmpty()) {
        QCOMPARE(widget->parentWidget(), &window_->Frame());
    } else {
        auto* tabs = window_->Frame().findChild<TabControl*>(tab);
        QVERIFY(tabs);
        QCOMPARE(widget->parentWidget(), tabs->PageHost(page));
    }
    QCOMPARE(widget->geometry(), place);
    QVERIFY(!widget->isHidden());
    QVERIFY(widget->isEnabled());

    if (auto* label = qobject_cast<QLabel*>(widget)) {
        QCOMPARE(label->text(), text);
        QVERIFY(label->pixmap().isNull());
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QCOMPARE(button->text(), text);
        QVERIFY(!button->isChecked());
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QCOMPARE(edit->text(), text);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(combo->currentText(), QString());
        QCOMPARE(window_->Combo(name.toStdString()).SelectedIndex(), -1);
    } else if (qobject_cast<QStatusBar*>(widget)) {
        QCOMPARE(window_->Status(name.toStdString()).GetText(), Text());
        QVERIFY(window_->Status(name.toStdString()).IsVisible());
    } else if (auto* list = qobject_cast<QTreeWidget*>(widget)) {
        QCOMPARE(list->topLevelItemCount(), 0);
        QCOMPARE(window_->List(name.toStdString()).RowCount(), 0);
        QCOMPARE(window_->List(name.toStdString()).Mode(), ListView::ViewMode::Report);
    }
}

void MainWindowTest::workListsAreInMemory_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"超级列表框1", "超级列表框3", "超级列表框5", "超级列表框7"}) {
        QTest::newRow(name) << U(name);
    }
}

// The work lists are no widgets, yet work as lists of three columns. (The interface does not
// expose headers, so theirs are not checked.)
void MainWindowTest::workListsAreInMemory() {
    QFETCH(QString, name);
    QVERIFY(!Widget(name.toUtf8()));
    ListView& list = window_->List(name.toStdString());
    QCOMPARE(list.ColumnCount(), 3);
    QCOMPARE(list.RowCount(), 0);
    QCOMPARE(list.Mode(), ListView::ViewMode::Report);
    QCOMPARE(list.AppendRows({{"1", "a", "9"}}), 0);
    QCOMPARE(list.Cell(0, 2), Text("9"));
}

void MainWindowTest::windowFrame() {
    QWidget& frame = window_->Frame();
    QVERIFY(frame.isWindow());
    QVERIFY(!frame.windowTitle().isEmpty());
    // The offscreen platform frames a window with a border of its own (2 pixels a side in
    // Qt 6.4): the outer size is fixed, the client area is what the border leaves.
    QCOMPARE(frame.frameGeometry().size(), QSize(227, 215));
    const QSize border = frame.frameGeometry().size() - frame.geometry().size();
    QCOMPARE(frame.size(), QSize(227, 215) - border);
    QCOMPARE(frame.minimumSize(), frame.size());
    QCOMPARE(frame.maximumSize(), frame.size());
    const QRect screen = frame.screen()->availableGeometry();
    QVERIFY(qAbs(frame.frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(frame.frameGeometry().center().y() - screen.center().y()) <= 1);

    const Qt::WindowFlags flags = frame.windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));  // else Qt adds its default buttons
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!frame.findChild<QMenuBar*>());
}

void MainWindowTest::tabPages() {
    struct Case {
        const char* tab;
        QStringList pages;
    };
    const Case cases[] = {
        {"选择夹1", {U("设置"), U("排行"), U("房管")}},
        {"高级选择夹1", {U("当天"), U("本周"), U("本月"), U("季度")}},
    };
    for (const Case& c : cases) {
        auto* tabs = Widget<QTabWidget>(c.tab);
        QVERIFY(tabs);
        QStringList pages;
        for (int i = 0; i < tabs->count(); ++i) pages << tabs->tabText(i);
        QCOMPARE(pages, c.pages);
        QCOMPARE(tabs->currentIndex(), 0);
    }
    // The first page shows; the others' controls do not.
    QVERIFY(Widget("编辑框1")->isVisible());
    QVERIFY(!Widget("状态条1")->isVisible());
    QVERIFY(!Widget("超级列表框9")->isVisible());
}

void MainWindowTest::listColumns_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QList<int>>("widths");
    struct Case {
        const char* name;
        Column columns[3];
    };
    const Case cases[] = {
        {"超级列表框2", {{"日排名", 50}, {"土豪ID", 120}, {"星豆", 50}}},
        {"超级列表框4", {{"周排名", 50}, {"土豪ID", 120}, {"星豆", 50}}},
        {"超级列表框6", {{"月排名", 50}, {"土豪ID", 120}, {"星豆", 50}}},
        {"超级列表框8", {{"季排名", 50}, {"土豪ID", 120}, {"星豆", 50}}},
        {"超级列表框9", {{"ID", 0}, {"名称", 110}, {"任命时间", 110}}},
    };
    for (const Case& c : cases) {
        QStringList headers;
        QList<int> widths;
        for (const Column& column : c.columns) {
            headers << U(column.header);
            widths << column.width;
        }
        QTest::newRow(c.name) << U(c.name) << headers << widths;
    }
}

void MainWindowTest::listColumns() {
    QFETCH(QString, name);
    QFETCH(QStringList, headers);
    QFETCH(QList<int>, widths);
    auto* list = Widget<QTreeWidget>(name.toUtf8());
    QVERIFY(list);
    QCOMPARE(list->columnCount(), 3);
    QCOMPARE(window_->List(name.toStdString()).ColumnCount(), 3);
    QVERIFY(!list->rootIsDecorated());
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(list->headerItem()->text(i), headers[i]);
        QCOMPARE(list->columnWidth(i), widths[i]);
        QCOMPARE(list->isColumnHidden(i), widths[i] == 0);
    }
}

void MainWindowTest::comboItems_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"组合框1", "组合框2", "组合框3"}) QTest::newRow(name) << U(name);
}

void MainWindowTest::comboItems() {
    QFETCH(QString, name);
    const auto items = ComboItems(name.toUtf8());
    auto* combo = Widget<QComboBox>(name.toUtf8());
    QVERIFY(combo);
    ComboBox& box = window_->Combo(name.toStdString());
    QCOMPARE(combo->count(), static_cast<int>(items.size()));
    QCOMPARE(box.ItemCount(), combo->count());
    for (int i = 0; i < combo->count(); ++i) {
        const auto& [text, value] = items[static_cast<std::size_t>(i)];
        QCOMPARE(combo->itemText(i), text);
        QCOMPARE(combo->itemData(i).toInt(), value);
        QCOMPARE(box.ItemText(i), Utf8ToAnsi(text.toStdString()));
        QCOMPARE(box.ItemValue(i), value);
    }
    for (int outside : {-1, combo->count(), combo->count() + 5}) {
        QCOMPARE(box.ItemValue(outside), -1);
        QCOMPARE(box.ItemText(outside), Text());
    }
}

void MainWindowTest::passwordBoxShowsStars() {
    auto* edit = Widget<QLineEdit>("编辑框2");
    QVERIFY(edit);
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    QCOMPARE(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit),
             int('*'));
    window_->Edit("编辑框2").SetText(Utf8ToAnsi("密a1"));
    QCOMPARE(edit->displayText(), QString("***"));
    QCOMPARE(window_->Edit("编辑框2").GetText(), Utf8ToAnsi("密a1"));
    // A style sheet applied later (as the skin does) keeps the stars.
    window_->Frame().setStyleSheet("QLineEdit { color: red; }");
    QCOMPARE(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit),
             int('*'));
    // So does the skin, which is the application's style sheet.
    skin::ApplySkin(17);
    QVERIFY(!qApp->styleSheet().isEmpty());
    window_->Edit("编辑框2").SetText("abcd");
    QCOMPARE(edit->displayText(), QString("****"));
    qApp->setStyleSheet(QString());
    QCOMPARE(Widget<QLineEdit>("编辑框1")->echoMode(), QLineEdit::Normal);
}

void MainWindowTest::twoLineCheckBox() {
    auto* check = Widget<QCheckBox>("选择框3");
    QVERIFY(check);
    QCOMPARE(check->text().split('\n'), QStringList({U("显示排行榜"), U("状态条")}));
    QVERIFY(!check->text().contains('\r'));
    // Two lines of text need more height than one.
    auto* oneLine = Widget<QCheckBox>("选择框1");
    QVERIFY(check->sizeHint().height() > oneLine->sizeHint().height());
}

void MainWindowTest::popupMenuItems_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("mnemonics");  // the letter after '&', empty when none
    struct Case {
        const char* menu;
        const char* items[2];
        const char* mnemonics[2];
    };
    const Case cases[] = {
        {"菜单", {"更新排名", "赐予房管"}, {"", ""}},
        {"菜单2", {"&更新排名", "&赐予房管"}, {"更", "赐"}},
        {"菜单3", {"更&新排名", "赐&予房管"}, {"新", "予"}},
        {"菜单4", {"更新&排名", "赐予&房管"}, {"排", "房"}},
        {"cd5", {"检查后宫", "打入冷宫"}, {"", ""}},
    };
    for (const Case& c : cases) {
        QTest::newRow(c.menu) << U(c.menu) << QStringList{U(c.items[0]), U(c.items[1])}
                              << QStringList{U(c.mnemonics[0]), U(c.mnemonics[1])};
    }
}

void MainWindowTest::popupMenuItems() {
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    QFETCH(QStringList, mnemonics);
    QMenu& popup = window_->Menu(menu.toStdString());
    QVERIFY(!popup.isVisible());
    QStringList texts;
    for (QAction* action : popup.actions()) texts << action->text();
    QCOMPARE(texts, items);
    for (int i = 0; i < items.size(); ++i) {
        const QKeySequence expected =
            mnemonics[i].isEmpty()
                ? QKeySequence()
                : QKeySequence(QKeyCombination(Qt::ALT, Qt::Key(mnemonics[i].at(0).unicode())));
        QCOMPARE(QKeySequence::mnemonic(items[i]), expected);
    }
}

void MainWindowTest::timers() {
    QCOMPARE(window_->Clock("时钟1").Period(), 0);
    QCOMPARE(window_->Clock("时钟2").Period(), 1000);
    // A period restarts the timer on the window's thread; 0 stops it.
    int ticks = 0;
    window_->Clock("时钟1").SetTickHandler([&] { ++ticks; });
    window_->Clock("时钟1").SetPeriod(20);
    QCOMPARE(window_->Clock("时钟1").Period(), 20);
    QTRY_VERIFY(ticks >= 2);
    window_->Clock("时钟1").SetPeriod(0);
    QCOMPARE(window_->Clock("时钟1").Period(), 0);
    const int stoppedAt = ticks;
    QTest::qWait(60);
    QCOMPARE(ticks, stoppedAt);
}

void MainWindowTest::pictureBox_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("shown");  // empty: no picture
    QImage image(30, 12, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "PNG"));
    QTest::newRow("png") << png << QSize(30, 12);
    QTest::newRow("empty") << QByteArray() << QSize();
    QTest::newRow("undecodable") << QByteArray("GIF89a not really") << QSize();
    QTest::newRow("cut short") << png.left(png.size() / 2) << QSize();
}

// A picture replaces the one before; bytes that hold none leave the box empty. A left press is
// the click; another button is not.
void MainWindowTest::pictureBox() {
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, shown);
    auto* label = Widget<QLabel>("图片框1");
    QVERIFY(label);
    PictureBox& picture = window_->Picture("图片框1");
    QImage before(5, 5, QImage::Format_RGB32);
    before.fill(Qt::blue);
    label->setPixmap(QPixmap::fromImage(before));
    std::thread worker([&] { picture.SetPicture(Bytes(bytes.constData(), bytes.size())); });
    QTRY_VERIFY(label->pixmap().size() != QSize(5, 5));
    worker.join();
    QCOMPARE(label->pixmap().isNull(), shown.isEmpty());
    if (!shown.isEmpty()) QCOMPARE(label->pixmap().size(), shown);

    int clicks = 0;
    picture.SetClickHandler([&] { ++clicks; });
    QTest::mousePress(label, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseRelease(label, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(clicks, 0);
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicks, 1);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(5, 5));
}

// --- Calls from workers ------------------------------------------------------------------------

namespace {

struct WorkerCase {
    const char* name;
    void (*prepare)(Window&);             // on the window's thread
    void (*write)(Window&);               // on the worker: the one call under test
    bool (*landed)(QtWindow&, QWidget*);  // on the window's thread, right after the call
    const char* widget;
};

QLabel* StatusPart(QWidget* bar) { return bar->findChild<QLabel*>(); }

const WorkerCase kWorkerCases[] = {
    {"SetCell on a shown list", [](Window& w) { w.List("超级列表框2").AppendRow(); },
     [](Window& w) { w.List("超级列表框2").SetCell(0, 1, Utf8ToAnsi("观众")); },
     [](QtWindow&, QWidget* widget) {
         auto* list = static_cast<QTreeWidget*>(widget);
         return list->topLevelItem(0)->text(1) == U("观众");
     },
     "超级列表框2"},
    {"AppendRows on the roster", [](Window&) {},
     [](Window& w) {
         w.List("超级列表框9").AppendRows({{"7", "a", "b"}, {"8", "c", "d"}});
     },
     [](QtWindow&, QWidget* widget) {
         auto* list = static_cast<QTreeWidget*>(widget);
         return list->topLevelItemCount() == 2 && list->topLevelItem(1)->text(2) == "d";
     },
     "超级列表框9"},
    {"SetText on a status bar", [](Window&) {},
     [](Window& w) { w.Status("状态条1").SetText(Utf8ToAnsi("更新中")); },
     [](QtWindow&, QWidget* widget) { return StatusPart(widget)->text() == U("更新中"); },
     "状态条1"},
    {"SetText on an edit box", [](Window&) {}, [](Window& w) { w.Edit("编辑框1").SetText("demo"); },
     [](QtWindow&, QWidget* widget) { return static_cast<QLineEdit*>(widget)->text() == "demo"; },
     "编辑框1"},
    {"SetText on a combo box", [](Window&) {},
     [](Window& w) { w.Combo("组合框2").SetText(Utf8ToAnsi("5分钟")); },
     [](QtWindow&, QWidget* widget) {
         return static_cast<QComboBox*>(widget)->currentIndex() == 2;
     },
     "组合框2"},
    {"SetVisible on a status bar", [](Window&) {},
     [](Window& w) { w.Status("状态条2").SetVisible(false); },
     [](QtWindow&, QWidget* widget) { return widget->isHidden(); }, "状态条2"},
};

}  // namespace

void MainWindowTest::workerCallTakesEffectBeforeReturn_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(std::size(kWorkerCases)); ++i) {
        QTest::newRow(kWorkerCases[i].name) << i;
    }
}

// The window's thread stops taking events for a while as the worker calls: a call that returned
// meanwhile would not have waited for its effect. Right after the call, the worker checks the
// widget on the window's thread.
void MainWindowTest::workerCallTakesEffectBeforeReturn() {
    QFETCH(int, index);
    const WorkerCase& c = kWorkerCases[index];
    QWidget* widget = Widget(c.widget);
    QVERIFY(widget);
    c.prepare(*window_);
    std::atomic<bool> go{false}, parked{false}, done{false};
    bool returnedWhileParked = true;
    bool landed = false;
    std::thread worker([&] {
        while (!go) std::this_thread::yield();
        c.write(*window_);
        returnedWhileParked = parked;
        QMetaObject::invokeMethod(
            &window_->Frame(), [&] { landed = c.landed(*window_, widget); },
            Qt::BlockingQueuedConnection);
        done = true;
    });
    parked = true;
    go = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    parked = false;
    QTRY_VERIFY_WITH_TIMEOUT(done, 5000);
    worker.join();
    QVERIFY(!returnedWhileParked);
    QVERIFY(landed);
}

void MainWindowTest::waitProcessesEvents_data() {
    QTest::addColumn<int>("ms");
    QTest::newRow("200 ms") << 200;
    QTest::newRow("0 returns at once") << 0;
    QTest::newRow("negative returns at once") << -5;
}

void MainWindowTest::waitProcessesEvents() {
    QFETCH(int, ms);
    bool fired = false;
    QTimer::singleShot(20, this, [&] { fired = true; });
    QElapsedTimer clock;
    clock.start();
    window_->Wait(ms);
    const qint64 elapsed = clock.elapsed();
    if (ms > 0) {
        QVERIFY2(elapsed >= ms, qPrintable(QString::number(elapsed)));
        QVERIFY(fired);
    } else {
        QVERIFY2(elapsed < 100, qPrintable(QString::number(elapsed)));
    }
    QTRY_VERIFY(fired);
}

void MainWindowTest::messageBox_data() {
    QTest::addColumn<bool>("fromWorker");
    QTest::newRow("window's thread") << false;
    QTest::newRow("worker") << true;
}

void MainWindowTest::messageBox() {
    QFETCH(bool, fromWorker);
    struct Seen {
        QString caption, text;
        int buttons = 0;
        bool ok = false, plain = false, modal = false;
    };
    QList<Seen> seen;
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen.push_back({box->windowTitle(), box->text(), static_cast<int>(box->buttons().size()),
                        box->button(QMessageBox::Ok) != nullptr, box->textFormat() == Qt::PlainText,
                        box->windowModality() == Qt::ApplicationModal});
        box->button(QMessageBox::Ok)->click();
    });
    closer.start();
    const Text message = Utf8ToAnsi("登录成功 <b>1</b>");
    if (fromWorker) {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            window_->ShowMessage(message);
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done, 5000);
        worker.join();
    } else {
        window_->ShowMessage(message);
    }
    closer.stop();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].caption, U("信息："));
    QCOMPARE(seen[0].text, U("登录成功 <b>1</b>"));
    QCOMPARE(seen[0].buttons, 1);
    QVERIFY(seen[0].ok);
    QVERIFY(seen[0].plain);
    QVERIFY(seen[0].modal);
}

void MainWindowTest::rightClickPopsMenu_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("page");      // of 选择夹1
    QTest::addColumn<int>("rankPage");  // of 高级选择夹1, -1 for none
    struct Case {
        const char* list;
        const char* menu;
        int page, rankPage;
    };
    const Case cases[] = {
        {"超级列表框2", "菜单", 1, 0},  {"超级列表框4", "菜单2", 1, 1},
        {"超级列表框6", "菜单3", 1, 2}, {"超级列表框8", "菜单4", 1, 3},
        {"超级列表框9", "cd5", 2, -1},
    };
    for (const Case& c : cases) {
        QTest::newRow(c.list) << U(c.list) << U(c.menu) << c.page << c.rankPage;
    }
}

void MainWindowTest::rightClickPopsMenu() {
    QFETCH(QString, list);
    QFETCH(QString, menu);
    QFETCH(int, page);
    QFETCH(int, rankPage);
    Widget<QTabWidget>("选择夹1")->setCurrentIndex(page);
    if (rankPage >= 0) Widget<QTabWidget>("高级选择夹1")->setCurrentIndex(rankPage);
    auto* view = Widget<QTreeWidget>(list.toUtf8());
    QVERIFY(view);
    QVERIFY(view->isVisible());
    const QPoint at(15, 12);
    const QPoint global = view->viewport()->mapToGlobal(at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, global);
    QApplication::sendEvent(view->viewport(), &event);
    QMenu& popup = window_->Menu(menu.toStdString());
    QTRY_VERIFY(popup.isVisible());
    QCOMPARE(popup.pos(), global + QPoint(3, 3));
    popup.hide();
}

void MainWindowTest::comboSelection_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("selectFirst");  // selected by text first, when not empty
    QTest::addColumn<char>("op");              // 's' select by text, 't' typed, 'x' SetText
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");  // what SelectByText gives
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("field");
    struct Case {
        const char* name;
        const char* box;
        const char* selectFirst;
        char op;
        const char* text;
        bool found;
        int index;
        const char* field;
    };
    const Case cases[] = {
        {"prefix picks the first match", "组合框2", "", 's', "1", true, 0, "1分钟"},
        {"longer prefix", "组合框2", "", 's', "10", true, 3, "10分钟"},
        {"whole text", "组合框2", "", 's', "60分钟", true, 5, "60分钟"},
        {"Chinese prefix", "组合框3", "", 's', "季", true, 3, "季度排名"},
        {"skin 5 before skin 50", "组合框1", "", 's', "皮肤5", true, 4, "皮肤5"},
        {"no match keeps nothing", "组合框2", "", 's', "9", false, -1, ""},
        {"no match keeps the selection", "组合框3", "当月", 's', "x", false, 2, "当月排名"},
        {"typed text of no item", "组合框2", "", 't', "1", true, -1, "1"},
        {"typing past an item", "组合框2", "30", 't', "x", true, -1, "30分钟x"},
        {"set text of an item", "组合框2", "", 'x', "30分钟", true, 4, "30分钟"},
        {"set text of no item", "组合框2", "5", 'x', "30分", true, -1, "30分"},
    };
    for (const Case& c : cases) {
        QTest::newRow(c.name) << U(c.box) << U(c.selectFirst) << c.op << U(c.text) << c.found
                              << c.index << U(c.field);
    }
}

void MainWindowTest::comboSelection() {
    QFETCH(QString, box);
    QFETCH(QString, selectFirst);
    QFETCH(char, op);
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(int, index);
    QFETCH(QString, field);
    ComboBox& combo = window_->Combo(box.toStdString());
    auto* widget = Widget<QComboBox>(box.toUtf8());
    if (!selectFirst.isEmpty()) QVERIFY(combo.SelectByText(Utf8ToAnsi(selectFirst.toStdString())));
    const Text ansi = Utf8ToAnsi(text.toStdString());
    switch (op) {
        case 's':
            QCOMPARE(combo.SelectByText(ansi), found);
            break;
        case 't':
            QTest::keyClicks(widget->lineEdit(), text);
            break;
        default:
            combo.SetText(ansi);
    }
    QCOMPARE(combo.SelectedIndex(), index);
    QCOMPARE(widget->currentIndex(), index);
    QCOMPARE(combo.GetText(), Utf8ToAnsi(field.toStdString()));
    QCOMPARE(widget->count(), static_cast<int>(ComboItems(box.toUtf8()).size()));  // none added
}

void MainWindowTest::selectByTextIgnoresAsciiCaseOnly_data() {
    QTest::addColumn<QByteArray>("prefix");  // GB18030
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("index");
    QTest::newRow("upper case prefix") << QByteArray("AL") << true << 0;
    QTest::newRow("lower case prefix") << QByteArray("alpha") << true << 0;
    QTest::newRow("upper case of a lower case item") << QByteArray("BE") << true << 1;
    QTest::newRow("same character") << QByteArray("\x81\x61") << true << 2;
    QTest::newRow("trail byte is no letter") << QByteArray("\x81\x41") << false << -1;
}

void MainWindowTest::selectByTextIgnoresAsciiCaseOnly() {
    QFETCH(QByteArray, prefix);
    QFETCH(bool, found);
    QFETCH(int, index);
    QtWindow letters(kLetterLayout);
    ComboBox& combo = letters.Combo("组合框");
    QCOMPARE(combo.SelectByText(prefix.toStdString()), found);
    QCOMPARE(combo.SelectedIndex(), index);
}

// --- Closing -----------------------------------------------------------------------------------

void MainWindowTest::closeWhileWorkerWaits_data() {
    QTest::addColumn<bool>("honoursStop");
    QTest::newRow("worker stops when asked") << true;
    QTest::newRow("worker goes on for a while") << false;
}

// A worker calls the window without pause, so it waits for the window's thread when the user
// closes the window; the close must not wait for it for ever.
void MainWindowTest::closeWhileWorkerWaits() {
    QFETCH(bool, honoursStop);
    std::atomic<int> calls{0};
    std::atomic<bool> refusedAfterClose{false};
    bool handlerRan = false;
    window_->SetCloseHandler([&] { handlerRan = true; });
    QtWindow* window = window_.get();
    const WorkerHandle worker = window_->StartThread([&, window] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
        while (honoursStop ? !ThisWorkerStopToken().stop_requested()
                           : std::chrono::steady_clock::now() < until) {
            window->Status("状态条2").SetText(NumberToText(calls));
            ++calls;
        }
        // Refused calls touch nothing and give the neutral value.
        refusedAfterClose = window->Status("状态条2").GetText().empty();
    });
    QTRY_VERIFY(calls > 20);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(window_->Frame().close());
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(window_->Closed());
    QVERIFY(handlerRan);
    QVERIFY(!worker.Running());
    QVERIFY(refusedAfterClose);
}

// The worker's message box runs an event loop on the window's thread, and the window is closed
// from inside it (the user cannot: the box is modal, but a handler can). The worker cannot end
// before the box does, so closing must not wait for it; it ends once the box is answered, and
// its calls after that are refused.
void MainWindowTest::closeFromInsideAWorkersMessageBox() {
    bool handlerRan = false;
    window_->SetCloseHandler([&] { handlerRan = true; });
    window_->Edit("编辑框1").SetText("demo");
    QtWindow* window = window_.get();
    std::atomic<bool> boxReturned{false}, refusedAfter{false};
    const WorkerHandle worker = window_->StartThread([&, window] {
        window->ShowMessage("x");
        boxReturned = true;
        refusedAfter = window->Edit("编辑框1").GetText().empty();
    });
    qint64 closeTook = -1;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll.stop();
        QElapsedTimer clock;
        clock.start();
        window->Frame().close();
        closeTook = clock.elapsed();
        box->button(QMessageBox::Ok)->click();
    });
    poll.start();
    QTRY_VERIFY_WITH_TIMEOUT(!worker.Running(), 5000);
    QVERIFY2(closeTook >= 0 && closeTook < 1000, qPrintable(QString::number(closeTook)));
    QVERIFY(handlerRan);
    QVERIFY(window_->Closed());
    QVERIFY(boxReturned);
    QVERIFY(refusedAfter);
}

}  // namespace roomdesk

QTEST_MAIN(roomdesk::MainWindowTest)
#include "main_window_test.moc"
