// roomdesk: the room owner's desk for a live-streaming site. One window; nothing is read from the
// command line or the environment.
#include <QApplication>
#include <memory>

#include "app/qt_window.h"
#include "shell/main_controller.h"
#include "shell/room_features.h"
#include "skin/skin.h"
#include "web/web_session.h"

int main(int argc, char** argv) {
    roomdesk::InitWeb();
    QApplication app(argc, argv);
    // The controller outlives the window, whose destruction joins the features' workers.
    std::unique_ptr<roomdesk::MainController> controller;
    roomdesk::QtWindow window;
    const roomdesk::ShellConfig config = roomdesk::DefaultShellConfig();
    controller =
        std::make_unique<roomdesk::MainController>(window, config, roomdesk::skin::ApplySkin);
    roomdesk::AddRoomFeatures(*controller, window, config.baseAddress);
    window.SetCloseHandler([&controller] { controller->OnMainWindowDestroying(); });
    controller->OnMainWindowCreated();
    window.Show();
    app.exec();
    return 0;
}
