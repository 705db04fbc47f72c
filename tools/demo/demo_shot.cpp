// roomdesk-demo-shot: shows the main job on a machine without a desktop. It opens the real window
// pointed at a running stand-in site (started with --test), logs in with the demo account, updates
// today's ranking, checks the roster, and saves a screenshot of each of the window's three pages.
//
//   roomdesk-demo-shot SITE_ADDRESS OUTPUT_FOLDER
//
// It prints the path of each screenshot, one a line, and exits 0 when all went as expected.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "app/desk.h"
#include "text/encoding.h"
#include "web/web_request.h"
#include "web/web_session.h"

namespace {

using namespace roomdesk;

// Serves the window's events until `done` holds, at most `seconds`.
bool WaitFor(const std::function<bool()>& done, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

bool Fail(const char* what) {
    std::fprintf(stderr, "roomdesk-demo-shot: %s\n", what);
    return false;
}

bool Run(const Text& site, const std::filesystem::path& output) {
    std::filesystem::create_directories(output);
    const std::filesystem::path settings = output / "demo-settings.ini";
    std::filesystem::remove(settings);
    Desk desk(ShellConfig{settings, site});
    QtWindow& window = desk.Window();
    window.Show();

    // Every message box is read and closed as it opens.
    QStringList messages;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&messages] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages << box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    closer.start(20);
    WaitFor([] { return false; }, 1);

    // The captcha's digits, from the site's test switch, with this process's visitor cookie.
    const WebResponse captcha = WebRequest(site + "/__test/captcha");
    if (!captcha.Answered())
        return Fail("the site does not answer /__test/captcha (run it with --test)");
    window.Edit("编辑框1").SetText("demo");
    window.Edit("编辑框2").SetText("demo123");
    window.Edit("编辑框3").SetText(BytesToText(captcha.body));
    window.Frame().findChild<QPushButton*>(QStringLiteral("按钮4"))->click();
    if (!WaitFor([&] { return !messages.isEmpty(); }, 15))
        return Fail("no verdict after the login");
    if (messages.first() != QString::fromUtf8("登录成功")) return Fail("the login failed");

    // Today's ranking, with its status bar shown, and the roster.
    window.Check("选择框3").SetChecked(true);
    window.Status("状态条1").SetVisible(true);
    window.Frame().findChild<QTabWidget*>(QStringLiteral("选择夹1"))->setCurrentIndex(1);
    for (QAction* action : window.Menu("菜单").actions()) {
        if (action->text() == QString::fromUtf8("更新排名")) action->trigger();
    }
    const Text updated = Utf8ToAnsi("更新完毕！");
    if (!WaitFor([&] { return window.Status("状态条1").GetText() == updated; }, 60)) {
        return Fail("today's ranking did not finish");
    }
    for (QAction* action : window.Menu("cd5").actions()) {
        if (action->text() == QString::fromUtf8("检查后宫")) action->trigger();
    }
    const Text checked = Utf8ToAnsi("后宫检查完毕！");
    if (!WaitFor([&] { return window.Status("状态条2").GetText() == checked; }, 60)) {
        return Fail("the roster check did not finish");
    }

    auto* tabs = window.Frame().findChild<QTabWidget*>(QStringLiteral("选择夹1"));
    const char* const names[] = {"settings", "ranking", "administrators"};
    for (int page = 0; page < 3; ++page) {
        tabs->setCurrentIndex(page);
        WaitFor([] { return false; }, 1);
        const QWidget& frame = window.Frame();
        const QRect area = frame.frameGeometry();
        const QPixmap shot =
            frame.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        const std::filesystem::path file = output / ("window-" + std::string(names[page]) + ".png");
        if (!shot.save(QString::fromStdString(file.string()))) return Fail("a screenshot failed");
        std::printf("%s\n", file.c_str());
    }
    window.Frame().close();
    std::filesystem::remove(settings);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: roomdesk-demo-shot SITE_ADDRESS OUTPUT_FOLDER\n");
        return 2;
    }
    InitWeb();
    QApplication app(argc, argv);
    return Run(argv[1], argv[2]) ? 0 : 1;
}
