#include <QCoreApplication>
#include <QSocketNotifier>

#include "app/Commands.h"
#include "app/StoredTemplate.h"
#include "automation/AccessibilityChecker.h"
#include "automation/RunnerEngine.h"
#include "csv/CSVImport.h"
#include "platform/DesktopServicesLoader.h"
#include "ui/QtScheduler.h"

#include <csignal>
#include <ostream>
#include <unistd.h>

namespace keyferry {

namespace {

int interruptPipe[2] = {-1, -1};

void onInterrupt(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(interruptPipe[1], &byte, 1);
}

// Ctrl+C stops the run cleanly (the row in progress is abandoned, keys are released, the
// keymap is restored) instead of killing the process mid-keystroke.
class InterruptWatch {
public:
    explicit InterruptWatch(std::function<void()> onStop) {
        if (::pipe(interruptPipe) != 0)
            return;
        notifier_ = std::make_unique<QSocketNotifier>(interruptPipe[0], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                         [onStop = std::move(onStop)] {
                             char byte;
                             [[maybe_unused]] const auto got = ::read(interruptPipe[0], &byte, 1);
                             onStop();
                         });
        std::signal(SIGINT, onInterrupt);
        std::signal(SIGTERM, onInterrupt);
    }
    ~InterruptWatch() {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        notifier_.reset();
        ::close(interruptPipe[0]);
        ::close(interruptPipe[1]);
    }

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace

int runRunCommand(const RunCommandOptions& options, std::ostream& out, std::ostream& err) {
    const auto stored = findStoredTemplate(options.templateNameOrID, err);
    if (!stored.item)
        return stored.exitCode;
    const auto& item = stored.item;
    auto imported = loadCSV(options.csvFile, *item);
    if (!imported.csvData) {
        err << imported.validationError.value_or("Import failed") << '\n';
        return 2;
    }
    const CSVData data = std::move(*imported.csvData);

    int argc = 1;
    char name[] = "keyferry";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    QtScheduler scheduler;
    auto desktop = loadDesktopServices(scheduler);
    if (!desktop) {
        err << desktop.error() << '\n';
        return 1;
    }
    AccessibilityChecker checker(**desktop, scheduler);
    RunnerEngine runner(**desktop, scheduler, &checker);

    // The 1-based entry, raised to the first one when lower.
    const std::size_t startFrom = options.fromEntry > 1 ? options.fromEntry - 1 : 0;
    const std::size_t rows = data.rowCount();
    const std::size_t end =
        options.limit ? std::min(rows, startFrom + std::min(*options.limit, rows)) : rows;
    out << "Running \"" << item->name << "\" over entries " << startFrom + 1 << " to " << end
        << " of " << rows << ". Ctrl+Shift+Esc or Ctrl+C stops.\n"
        << std::flush;

    std::optional<std::size_t> lastRow;
    runner.stateChanged.connect([&] {
        const RunnerState& state = runner.state();
        if (const auto* countdown = std::get_if<runner_state::Countdown>(&state)) {
            out << "Starting in " << countdown->remaining << "...\n" << std::flush;
        } else if (const auto* running = std::get_if<runner_state::Running>(&state)) {
            if (lastRow != running->row) {
                lastRow = running->row;
                out << "Entry " << running->row + 1 << " of " << running->total << "...\n"
                    << std::flush;
            }
        } else if (const auto* waiting = std::get_if<runner_state::WaitingForClick>(&state)) {
            out << "Entry " << waiting->row + 1 << ": waiting for your click in the target.\n"
                << std::flush;
        } else if (std::holds_alternative<runner_state::Paused>(state) ||
                   std::holds_alternative<runner_state::Finished>(state)) {
            QCoreApplication::exit(0);
        }
    });
    runner.statusMessageChanged.connect([&] {
        out << runner.statusMessage() << '\n' << std::flush;
    });

    InterruptWatch interrupts([&] {
        out << "Stopping...\n" << std::flush;
        runner.stop();
    });
    runner.start(*item, data, startFrom, options.limit);
    QCoreApplication::exec();
    // A stop leaves the task to wind down; let it reach its end state.
    while (runner.isRunning())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    const RunnerState& final = runner.state();
    if (const auto* paused = std::get_if<runner_state::Paused>(&final)) {
        out << "Paused. Entries entered: " << paused->row - startFrom << ". Resume from entry "
            << paused->row + 1 << ".\n";
        return 1;
    }
    const auto& finished = std::get<runner_state::Finished>(final);
    out << "Done. Entries entered: " << finished.successful << ". Resume from entry "
        << finished.resumeFrom + 1 << ".\n";
    const bool complete = finished.resumeFrom >= end && !runner.shouldStop() &&
                          runner.statusMessage() != "Target app not found!";
    return complete ? 0 : 1;
}

} // namespace keyferry
