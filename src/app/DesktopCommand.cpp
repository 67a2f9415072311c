#include <QCoreApplication>

#include "app/Commands.h"
#include "platform/DesktopServicesLoader.h"
#include "ui/QtScheduler.h"

#include <ostream>

namespace keyferry {

int runDesktopCommand(std::ostream& out, std::ostream& err) {
    int argc = 1;
    char name[] = "keyferry";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    QtScheduler scheduler;
    auto desktop = loadDesktopServices(scheduler);
    if (!desktop) {
        const DesktopKind kind = chosenDesktop() == "x11" ? DesktopKind::x11 : DesktopKind::unknown;
        err << desktop.error() << '\n';
        out << formatDescription(describeUnreachable(kind, "no connection to the desktop"));
        return 1;
    }
    out << formatDescription(describeDesktop(**desktop));
    return 0;
}

} // namespace keyferry
