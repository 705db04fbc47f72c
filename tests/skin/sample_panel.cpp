#include "sample_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QStyle>
#include <QStyleOptionButton>

namespace roomdesk::skin::testing {
namespace {

template <typename W>
W* Place(W* widget, int x, int y, int w, int h) {
    widget->setGeometry(x, y, w, h);
    return widget;
}

QWidget* LoginPage(SamplePanel& panel) {
    auto* page = new QWidget;
    Place(new QLabel(QStringLiteral("帐号："), page), 8, 32, 32, 24);
    panel.account = Place(new QLineEdit(QStringLiteral("主播小王"), page), 40, 32, 88, 24);
    Place(new QLabel(QStringLiteral("密码："), page), 8, 64, 32, 24);
    auto* password = Place(new QLineEdit(QStringLiteral("secret"), page), 40, 64, 88, 24);
    password->setEchoMode(QLineEdit::Password);
    panel.login = Place(new QPushButton(QStringLiteral("登录"), page), 76, 149, 52, 32);
    panel.captcha = Place(new QLineEdit(page), 8, 153, 64, 24);
    panel.interval = Place(new QComboBox(page), 136, 33, 80, 20);
    panel.interval->setEditable(true);
    panel.interval->addItems({QStringLiteral("1分钟"), QStringLiteral("2分钟")});
    auto* period = Place(new QComboBox(page), 136, 65, 80, 20);
    period->setEditable(true);
    period->addItems({QStringLiteral("当天排名"), QStringLiteral("当周排名")});
    panel.timerSwitch = Place(new QCheckBox(QStringLiteral("开启定时"), page), 136, 100, 72, 15);
    panel.timerSwitch->setChecked(true);
    Place(new QCheckBox(QStringLiteral("显示排行榜\n状态条"), page), 136, 128, 80, 26);
    return page;
}

QTreeWidget* RankingList(QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setHeaderLabels(
        {QStringLiteral("周排名"), QStringLiteral("土豪ID"), QStringLiteral("星豆")});
    list->setColumnWidth(0, 50);
    list->setColumnWidth(1, 120);
    const char16_t* rows[][3] = {{u"第一名", u"星光璀璨", u"5200"},
                                 {u"第二名", u"月下独酌", u"1300"},
                                 {u"第三名", u"Tom", u"800"},
                                 {u"第四名", u"小鱼儿", u"400"}};
    for (const auto& row : rows) {
        new QTreeWidgetItem(list, {QString::fromUtf16(row[0]), QString::fromUtf16(row[1]),
                                   QString::fromUtf16(row[2])});
    }
    list->setCurrentItem(list->topLevelItem(1));
    return list;
}

}  // namespace

SamplePanel::SamplePanel() {
    setFixedSize(480, 216);
    pages = Place(new QTabWidget(this), 0, 0, 232, 216);
    pages->addTab(LoginPage(*this), QStringLiteral("设置"));
    pages->addTab(new QWidget, QStringLiteral("排行"));
    pages->addTab(new QWidget, QStringLiteral("房管"));

    periods = Place(new QTabWidget(this), 240, 0, 240, 192);
    for (const auto* name : {u"当天", u"本周", u"本月", u"季度"}) {
        periods->addTab(new QWidget, QString::fromUtf16(name));
    }
    periods->setCurrentIndex(1);
    ranking = Place(RankingList(periods->widget(1)), 0, 0, 232, 150);

    status = Place(new QStatusBar(this), 240, 194, 240, 22);
    status->setSizeGripEnabled(false);
    status->showMessage(QStringLiteral("更新完毕！"));
}

std::vector<SamplePoint> SamplePoints(const SamplePanel& panel) {
    auto at = [&panel](const QWidget* w, QPoint p) { return w->mapTo(&panel, p); };
    const QTabBar* tabs = panel.pages->tabBar();
    const QRect selectedTab = tabs->tabRect(0);
    const QRect otherTab = tabs->tabRect(1);

    QStyleOptionButton box;
    box.initFrom(panel.timerSwitch);
    box.state |= QStyle::State_On;
    const QRect indicator = panel.timerSwitch->style()->subElementRect(QStyle::SE_CheckBoxIndicator,
                                                                       &box, panel.timerSwitch);

    // Column 1 is wide enough that its right end stays clear of the nickname.
    const QWidget* view = panel.ranking->viewport();
    const QWidget* header = panel.ranking->header();
    const int clear = panel.ranking->columnViewportPosition(1) + panel.ranking->columnWidth(1) - 8;
    const int row = panel.ranking->visualItemRect(panel.ranking->topLevelItem(1)).center().y();

    return {
        {"background", at(panel.pages->widget(0), {100, 12})},
        {"button", at(panel.login, {6, panel.login->height() / 2})},
        {"edit box", at(panel.captcha, panel.captcha->rect().center())},
        {"checked box", at(panel.timerSwitch, indicator.center())},
        {"selected tab", at(tabs, {selectedTab.left() + 3, selectedTab.bottom() - 4})},
        {"tab", at(tabs, {otherTab.left() + 3, otherTab.bottom() - 4})},
        {"header", at(header, {clear, header->height() / 2})},
        {"selected row", at(view, {clear, row})},
        {"list", at(view, {view->width() - 6, view->height() - 6})},
        {"status bar", at(panel.status, {panel.status->width() - 10, panel.status->height() / 2})},
    };
}

QImage RenderPanel(SamplePanel& panel) { return panel.grab().toImage(); }

QImage RenderMenu() {
    QMenu menu;
    QAction* update = menu.addAction(QStringLiteral("更新排名"));
    menu.addAction(QStringLiteral("赐予房管"));
    menu.addSeparator();
    menu.addAction(QStringLiteral("检查后宫"))->setEnabled(false);
    menu.setActiveAction(update);
    menu.resize(menu.sizeHint());
    return menu.grab().toImage();
}

QImage RenderMessageBox() {
    QMessageBox box(QMessageBox::Information, QStringLiteral("信息："),
                    QStringLiteral("先选择皮肤"), QMessageBox::Ok);
    box.adjustSize();
    return box.grab().toImage();
}

}  // namespace roomdesk::skin::testing
