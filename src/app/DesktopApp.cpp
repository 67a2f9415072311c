#include <QApplication>
#include <QMessageBox>

#include "app/Commands.h"
#include "automation/AccessibilityChecker.h"
#include "automation/RunnerEngine.h"
#include "model/TemplateStore.h"
#include "platform/DesktopServicesLoader.h"
#include "recording/RecorderService.h"
#include "ui/FirstPaintReport.h"
#include "ui/Icons.h"
#include "ui/MainWindow.h"
#include "ui/QtScheduler.h"
#include "ui/Translations.h"

#include <cstdlib>
#include <iostream>

namespace keyferry {

int runDesktopApp(int argc, char** argv) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!platform || !*platform) && (!display || !*display) && (!wayland || !*wayland)) {
        std::cerr << "Keyferry needs an X11 or Wayland session, and neither DISPLAY nor "
                     "WAYLAND_DISPLAY is set.\n";
        return 1;
    }
    // Only the program name goes to Qt: every other argument was checked as ours.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    (void)argc;
    QApplication::setApplicationName(QStringLiteral("Keyferry"));
    QApplication::setDesktopFileName(QStringLiteral("keyferry"));
    QApplication::setWindowIcon(applicationIcon());
    // The window speaks the user's language; the command line stays English for scripts.
    installTranslations(application);

    QtScheduler scheduler;
    auto desktop = loadDesktopServices(scheduler);
    if (!desktop) {
        std::cerr << desktop.error() << '\n';
        QMessageBox::critical(nullptr, QStringLiteral("Keyferry"),
                              QString::fromStdString(desktop.error()));
        return 1;
    }
    TemplateStore store(std::cerr);
    AccessibilityChecker checker(**desktop, scheduler);
    // One runner and one recorder per window: the runner panel and the editor's debug run
    // share the runner, so one window has one run state.
    RunnerEngine runner(**desktop, scheduler, &checker);
    RecorderService recorder(**desktop, scheduler);
    MainWindow window(store, checker, **desktop, scheduler, runner, recorder);
    // bench/run_startup_bench.sh measures the time to the first painted window.
    if (std::getenv("KEYFERRY_REPORT_FIRST_PAINT"))
        reportFirstPaint(window);
    window.show();
    return QApplication::exec();
}

} // namespace keyferry
