// Holds Keyferry's KWin script and its stop shortcut until it is killed, for the end-to-end
// test of what a killed Keyferry leaves behind on KDE.
//
// Usage: kde_holder FILE   (writes "ready SCRIPT-NAME" to FILE once both are there)

#include <QCoreApplication>

#include "platform/wayland/KGlobalShortcuts.h"
#include "platform/wayland/KWinChannel.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 2)
        return 2;
    using namespace keyferry::wayland;
    auto channel = KWinChannel::open();
    if (!channel) {
        std::fprintf(stderr, "%s\n", channel.error().c_str());
        return 1;
    }
    auto hotkey = KGlobalShortcuts::start("stop-run", {KGlobalShortcuts::stopShortcut},
                                          [](const keyferry::InputEvent&) {});
    if (!hotkey) {
        std::fprintf(stderr, "%s\n", hotkey.error().c_str());
        return 1;
    }
    std::ofstream(argv[1]) << "ready " << (*channel)->scriptName() << "\n";
    return application.exec();
}
