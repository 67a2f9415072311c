#include <QApplication>

#include "app/Commands.h"
#include "ui/MainWindow.h"

#include <cstdlib>
#include <iostream>

namespace keyferry {

int runDesktopApp(int argc, char** argv) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* display = std::getenv("DISPLAY");
    if ((!platform || !*platform) && (!display || !*display)) {
        std::cerr << "keyferry needs an X11 session, and DISPLAY is not set. "
                     "(Wayland-only sessions are not supported yet.)\n";
        return 1;
    }
    // Only the program name goes to Qt: every other argument was checked as ours.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    (void)argc;
    QApplication::setApplicationName(QStringLiteral("Keyferry"));
    QApplication::setDesktopFileName(QStringLiteral("keyferry"));

    MainWindow window;
    window.show();
    return QApplication::exec();
}

} // namespace keyferry
