// The real window end to end against the stand-in site: log in, update the week from its popup
// menu, see the ten rows, grant the second viewer, check the roster and see that viewer, remove
// it; the window keeps answering while the update runs.
#include <unistd.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "app/desk.h"
#include "ranking/rank_period.h"
#include "site/stand_in_site.h"
#include "text/encoding.h"
#include "web/web_session.h"

namespace roomdesk {

class RoomFlowWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void logInRankGrantCheckAndRemove();

private:
    template <class W>
    W* Widget(const char* utf8Name) {
        W* widget = window_->Frame().findChild<W*>(QString::fromUtf8(utf8Name));
        if (!widget) qFatal("no widget %s", utf8Name);
        return widget;
    }
    // Right-clicks the list and clicks the item of the menu that pops up.
    void ChoosePopupItem(const char* list, const char* menu, const char* item);
    // The text of the next message box, closed with its OK button.
    QString NextMessage();

    std::string today_;
    std::unique_ptr<site::StandInSite> site_;
    std::filesystem::path settings_;
    std::unique_ptr<Desk> desk_;
    QtWindow* window_ = nullptr;
    QStringList messages_;
    QTimer messageCloser_;
};

void RoomFlowWindowTest::init() {
    AllowTransfers();
    ClearCookieStore();
    today_ = TodayLocalDate();
    site_ = std::make_unique<site::StandInSite>(site::SiteData::TwelveViewers(today_));
    site_->SetToday(today_);
    QVERIFY(site_->Start() > 0);
    settings_ = std::filesystem::temp_directory_path() /
                ("roomdesk-window-flow-" + std::to_string(::getpid()) + ".ini");
    desk_ = std::make_unique<Desk>(ShellConfig{settings_, site_->BaseUrl()});
    window_ = &desk_->Window();
    window_->Show();

    // Message boxes are modal: read and close each one as it opens.
    messageCloser_.setInterval(10);
    connect(&messageCloser_, &QTimer::timeout, this, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        QCOMPARE(box->windowTitle(), QString::fromUtf8("信息："));
        messages_ << box->text();
        box->button(QMessageBox::Ok)->click();
    });
    messageCloser_.start();
}

void RoomFlowWindowTest::cleanup() {
    messageCloser_.stop();
    window_->Frame().close();
    desk_.reset();
    site_.reset();
    std::filesystem::remove(settings_);
}

void RoomFlowWindowTest::ChoosePopupItem(const char* list, const char* menu, const char* item) {
    QTreeWidget* view = Widget<QTreeWidget>(list);
    const QPoint at(20, 20);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &event);
    QMenu& popup = window_->Menu(menu);
    QTRY_VERIFY(popup.isVisible());
    QCOMPARE(popup.pos(), view->viewport()->mapToGlobal(at) + QPoint(3, 3));
    QAction* chosen = nullptr;
    for (QAction* action : popup.actions()) {
        if (action->text() == QString::fromUtf8(item)) chosen = action;
    }
    QVERIFY(chosen);
    QTest::mouseClick(&popup, Qt::LeftButton, {}, popup.actionGeometry(chosen).center());
}

QString RoomFlowWindowTest::NextMessage() {
    [&] { QTRY_VERIFY_WITH_TIMEOUT(!messages_.isEmpty(), 20000); }();
    return messages_.isEmpty() ? QString() : messages_.takeFirst();
}

void RoomFlowWindowTest::logInRankGrantCheckAndRemove() {
    QTest::keyClicks(Widget<QLineEdit>("编辑框1"), "demo");
    QTest::keyClicks(Widget<QLineEdit>("编辑框2"), "demo123");
    QTest::keyClicks(Widget<QLineEdit>("编辑框3"), QString::fromStdString(site_->CaptchaDigits()));
    QTest::mouseClick(Widget<QPushButton>("按钮4"), Qt::LeftButton);
    QCOMPARE(NextMessage(), QString::fromUtf8("登录成功"));

    // The update runs on its worker, waiting two seconds in all: the window goes on answering.
    ChoosePopupItem("超级列表框4", "菜单2", "&更新排名");
    QElapsedTimer running;
    running.start();
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] { ++ticks; });
    ticker.start(20);
    const Text done = Utf8ToAnsi("更新完毕！");
    QTRY_VERIFY_WITH_TIMEOUT(window_->Status("状态条1").GetText() == done, 30000);
    ticker.stop();
    QVERIFY2(running.elapsed() >= 1900, "the finishing waits two seconds");
    // A tick every 20 ms; a window blocked by the update would have missed most of them.
    QVERIFY2(ticks >= running.elapsed() / 20 / 2, qPrintable(QString::number(ticks)));

    QTreeWidget* week = Widget<QTreeWidget>("超级列表框4");
    QCOMPARE(week->topLevelItemCount(), 10);
    const char* const labels[] = {"第一名", "第二名", "第三名", "第四名", "第五名",
                                  "第六名", "第七名", "第八名", "第九名", "第十名"};
    for (int row = 0; row < 10; ++row) {
        const QTreeWidgetItem* item = week->topLevelItem(row);
        QCOMPARE(item->text(0), QString::fromUtf8(labels[row]));
        QCOMPARE(item->text(1), QString::fromUtf8("观众") + QString::number(row + 1));
        QCOMPARE(item->text(2), QString::number(100 * (12 - row)));
    }

    week->setCurrentItem(week->topLevelItem(1));
    ChoosePopupItem("超级列表框4", "菜单2", "&赐予房管");
    QCOMPARE(NextMessage(), QString::fromUtf8("谢主隆恩！！！"));

    ChoosePopupItem("超级列表框9", "cd5", "检查后宫");
    const Text checked = Utf8ToAnsi("后宫检查完毕！");
    QTRY_VERIFY_WITH_TIMEOUT(window_->Status("状态条2").GetText() == checked, 20000);
    QTreeWidget* roster = Widget<QTreeWidget>("超级列表框9");
    QCOMPARE(roster->topLevelItemCount(), 2);
    QTreeWidgetItem* granted = nullptr;
    for (int row = 0; row < roster->topLevelItemCount(); ++row) {
        if (roster->topLevelItem(row)->text(1) == QString::fromUtf8("观众2")) {
            granted = roster->topLevelItem(row);
        }
    }
    QVERIFY(granted);
    QVERIFY(granted->text(2).startsWith(QString::fromStdString(today_)));
    const std::string uid = granted->text(0).toStdString();

    roster->setCurrentItem(granted);
    ChoosePopupItem("超级列表框9", "cd5", "打入冷宫");
    QCOMPARE(NextMessage(), QString::fromUtf8("打入冷宫成功！请重新检查后宫！"));
    for (const auto& administrator : site_->Data().administrators) {
        QVERIFY(administrator.uid != uid);
    }
}

}  // namespace roomdesk

QTEST_MAIN(roomdesk::RoomFlowWindowTest)
#include "room_flow_window_test.moc"
