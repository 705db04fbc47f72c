// roomdesk: the room owner's desk for a live-streaming site. One window; nothing is read from the
// command line or the environment.
#include <QApplication>

#include "app/desk.h"
#include "web/web_session.h"

int main(int argc, char** argv) {
    roomdesk::InitWeb();
    QApplication app(argc, argv);
    roomdesk::Desk desk(roomdesk::DefaultShellConfig());
    desk.Window().Show();
    app.exec();
    return 0;
}
