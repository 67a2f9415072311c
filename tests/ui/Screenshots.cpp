// Opens Keyferry's main window in the states worth seeing and saves a picture of each:
// empty, the permission prompt, a template with a CSV preview, every runner state and the
// help window. The desktop is simulated and time virtual, so every state is reached exactly.
//
// Usage: ui_screenshots OUTPUT_FOLDER   (scripts/screenshots.sh runs it on the test desktop;
// the window speaks the language of LANGUAGE/LANG like the program)

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolButton>

#include "automation/AccessibilityChecker.h"
#include "automation/VirtualScheduler.h"
#include "csv/WorkbookBuilders.h"
#include "platform/sim/SimulatedDesktop.h"
#include "support/FolderBlocker.h"
#include "ui/CSVPanel.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/RunnerPanel.h"
#include "ui/StoreStatusView.h"
#include "ui/TemplateDetailView.h"
#include "ui/TemplateEditor.h"
#include "ui/TemplateSidebar.h"
#include "ui/Translations.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace keyferry;

namespace {

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void save(QWidget* widget, const QString& folder, const char* name) {
    settle();
    const QString path =
        folder + QStringLiteral("/") + QString::fromLatin1(name) + QStringLiteral(".png");
    if (!widget->grab().save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // As the program does: LANGUAGE=de or LANG=ru_RU.UTF-8 draws the window in that language.
    installTranslations(application);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    const auto data = std::filesystem::temp_directory_path() / "keyferry-screenshots";
    std::filesystem::remove_all(data);
    std::filesystem::create_directories(data);
    ::setenv("XDG_STATE_HOME", data.c_str(), 1); // the runs' journals
    ::setenv("XDG_CONFIG_HOME", data.c_str(), 1);

    VirtualScheduler clock;
    SimulatedDesktop desktop(clock);
    desktop.setOwnApplication(desktop.addApplication("keyferry", "Keyferry"));
    const int target = desktop.addApplication("Yad", "Yad");
    desktop.addWindow(target, {100, 100, 400, 300});
    desktop.addForm(
        target, {SimulatedDesktop::Field::named("Name"), SimulatedDesktop::Field::named("City")});
    desktop.bringToFront(target);
    desktop.setTrusted(false);

    std::ostringstream diagnostics;
    TemplateStore store(data, diagnostics);
    AccessibilityChecker checker(desktop, clock);
    RunnerEngine windowRunner(desktop, clock, &checker);
    RecorderService recorder(desktop, clock);
    MainWindow window(store, checker, desktop, clock, windowRunner, recorder);
    window.resize(1000, 680);
    window.show();
    save(&window, folder, "1-permission-prompt");

    desktop.setTrusted(true);
    clock.advance(std::chrono::seconds(2));
    save(&window, folder, "2-empty");

    // As the user makes them: named in the window's language.
    window.sidebar()->addButton()->click();
    window.sidebar()->addButton()->click();
    settle();
    TemplateDetailView& detail = *window.detail();
    detail.editDraft([](Template& item) {
        item.name = "Customer orders";
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 3;
        for (const char* label : {"Name", "City"}) {
            Step step = Step::ofType(StepType::textInput);
            step.label = label;
            step.field = FieldIdentity{"text", label, "", {}, ""}; // as recorded
            item.steps.push_back(step);
        }
        item.steps.push_back(Step::ofType(StepType::returnKey));
    });
    std::ofstream(data / "people.csv") << "Name;City\n"
                                       << "J\xC3\xBCrgen Wei\xC3\x9F;K\xC3\xB6ln\n"
                                       << "Zo\xC3\xAB Dvo\xC5\x99\xC3\xA1k;M\xC3\xBCnchen\n"
                                       << "\xC3\x9Cnal \xC3\x96zt\xC3\xBCrk;D\xC3\xBCsseldorf\n"
                                       << "Anna Schmidt;Hamburg\n";
    detail.csvPanel()->loadFile(QString::fromStdString((data / "people.csv").string()));
    save(&window, folder, "3-template-with-csv-preview");

    // A file a spreadsheet saved with commas, then a workbook with a sheet to pick and a cell
    // whose format is shown as stored.
    std::ofstream(data / "people-comma.csv") << "Name,City\n"
                                             << "\"Wei\xC3\x9F, J\xC3\xBCrgen\",K\xC3\xB6ln\n"
                                             << "Anna Schmidt,Hamburg\n";
    detail.csvPanel()->loadFile(QString::fromStdString((data / "people-comma.csv").string()));
    save(&window, folder, "3b-csv-comma-separated");
    const auto cell = [](const std::string& text) {
        return "<table:table-cell office:value-type=\"string\"><text:p>" + text +
               "</text:p></table:table-cell>";
    };
    const auto row = [](const std::string& cells) {
        return "<table:table-row>" + cells + "</table:table-row>";
    };
    std::ofstream(data / "orders.ods", std::ios::binary) << testing::odsOf(
        {{"People", row(cell("Name") + cell("City")) +
                        row(cell("Zo\xC3\xAB Dvo\xC5\x99\xC3\xA1k") + cell("M\xC3\xBCnchen")) +
                        row(cell("Anna Schmidt") + "<table:table-cell office:value-type=\"float\" "
                                                   "office:value=\"20457\"/>")},
         {"Orders", ""},
         {"Archive 2025", ""}});
    detail.csvPanel()->loadFile(QString::fromStdString((data / "orders.ods").string()));
    save(&window, folder, "3c-csv-workbook-sheet-picker");
    detail.csvPanel()->loadFile(QString::fromStdString((data / "people.csv").string()));

    detail.toggleRunner();
    RunnerPanel& runner = *detail.runnerPanel();
    save(&window, folder, "4-runner-idle");
    runner.engine().setState(runner_state::Countdown{3});
    save(&window, folder, "5-runner-countdown");
    runner.engine().setState(runner_state::Running{1, 2, 4});
    save(&window, folder, "6-runner-running");
    runner.engine().setState(runner_state::WaitingForClick{1, 4});
    save(&window, folder, "7-runner-waiting-for-click");
    runner.engine().setState(runner_state::Paused{2, 4});
    save(&window, folder, "8-runner-paused");
    runner.engine().setState(runner_state::Finished{2, 0, 2});
    save(&window, folder, "9-runner-finished");

    // A real run on the simulated form whose City field drops the "ü".
    runner.engine().setState(runner_state::Idle{});
    desktop.form(target)->fields[1].refused = "\xC3\xBC";
    // The panel names its buttons by their shown, translated text.
    QPushButton* start = runner.button(RunnerPanel::tr("Start"));
    if (!start) {
        std::fprintf(stderr, "the runner shows no Start button\n");
        return 1;
    }
    start->click();
    clock.runUntil([&] {
        return std::holds_alternative<runner_state::Paused>(runner.engine().state()) &&
               !runner.engine().isRunning();
    });
    settle();
    save(&window, folder, "9b-runner-mismatch-results");
    desktop.form(target)->fields[1].refused.clear();

    runner.engine().setState(runner_state::Idle{});
    detail.toggleRunner();

    TemplateEditor& editor = *detail.editor();
    editor.button(TemplateEditor::Button::record)->click();
    for (Key key : {Key::tab, Key::returnKey, Key::down, Key::down}) {
        desktop.userKey(key);
        clock.advance(std::chrono::milliseconds(100));
    }
    desktop.form(target)->focused = 0;
    desktop.userKey(Key::tab);
    clock.advance(std::chrono::milliseconds(100));
    save(&window, folder, "11-recording");
    desktop.userKey(Key::escape);
    clock.advance(std::chrono::milliseconds(100));
    save(&window, folder, "12-recorded");
    editor.button(TemplateEditor::Button::discard)->click();

    editor.button(TemplateEditor::Button::debug)->click();
    clock.runUntil([&] { return windowRunner.isWaitingForNext(); });
    save(&window, folder, "13-debug-step");
    detail.session().stopDebug();
    clock.advance(std::chrono::milliseconds(100));
    detail.session().dismissDebug();
    clock.advance(std::chrono::milliseconds(100));

    detail.csvPanel()->togglePreview(); // room for the steps
    detail.editDraft([](Template& item) {
        const auto add = [&](StepType type, std::string label = {}) {
            Step step = Step::ofType(type);
            step.label = std::move(label);
            item.steps.push_back(step);
            return &item.steps.back();
        };
        add(StepType::wait);
        add(StepType::textInput, "Street");
        add(StepType::textInput, "Customer no.")->fixedValue = "ACME-001";
        add(StepType::skipTabs)->repeatCount = 3;
        auto* arrow = add(StepType::arrowKey);
        arrow->arrowDirection = ArrowDirection::left;
        arrow->repeatCount = 2;
        add(StepType::selectAllClear);
        auto* click = add(StepType::mouseClick);
        click->mouseClickType = MouseClickType::double_;
        click->mousePositionX = 40.6;
        click->mousePositionY = 25.2;
        add(StepType::mouseClick)->mouseButton = MouseButton::right;
        add(StepType::pause)->postDelay = 1.5;
        add(StepType::tab);
    });
    save(&window, folder, "14-long-step-list");

    // What a desktop without a view of other applications' input (Wayland) looks like: the
    // notice above the panes, a flagged Wait (Click) step, the pause option greyed out.
    desktop.setMissing(Capability::recordKeys, "no Wayland compositor lets an application watch "
                                               "the keys typed into other applications");
    desktop.setMissing(Capability::pauseOnUserInput,
                       "Wayland shows Keyferry none of your own key presses and clicks, so a run "
                       "does not pause when you type or click (it still pauses when the focus "
                       "leaves the target window)");
    desktop.setMissing(Capability::watchClicks, "no Wayland compositor lets an application see "
                                                "clicks made in other applications");
    window.hide();
    window.show();
    detail.editDraft([](Template& item) {
        item.steps.insert(item.steps.begin(), Step::ofType(StepType::wait));
    });
    settle();
    save(&window, folder, "16-missing-on-this-desktop");

    // A folder that refuses the save: the status area, the first-time dialog, the list's mark.
    {
        testing::FolderBlocker blocker(data, testing::FolderBlocker::Way::replacedByFile);
        detail.editDraft([](Template& item) { item.name = "Customer orders (edited)"; });
        detail.saveDraft();
        settle();
        save(&window, folder, "17-save-failed");
        if (QMessageBox* box = window.storeStatus()->saveDialog()) {
            save(box, folder, "17b-save-failed-dialog");
            box->close();
        }
    }
    detail.saveDraft();

    // A templates file that could not be read at start, before and after the first save.
    {
        const auto brokenFolder = data / "broken";
        std::filesystem::create_directories(brokenFolder);
        std::ofstream(brokenFolder / "templates.json") << "[{\"name\":";
        TemplateStore brokenStore(brokenFolder, diagnostics);
        MainWindow second(brokenStore, checker, desktop, clock, windowRunner, recorder);
        second.resize(1000, 680);
        second.show();
        save(&second, folder, "18-unreadable-file");
        brokenStore.addTemplate();
        save(&second, folder, "18b-unreadable-file-kept-aside");
        second.close();
    }

    HelpWindowController::shared().show();
    save(HelpWindowController::shared().window(), folder, "10-help");
    if (auto* page = HelpWindowController::shared().window()->findChild<QTextBrowser*>()) {
        page->verticalScrollBar()->setValue(page->verticalScrollBar()->maximum() / 3);
        save(HelpWindowController::shared().window(), folder, "15-help-step-types");
    }
    HelpWindowController::shared().window()->close();
    std::filesystem::remove_all(data);
    return 0;
}
