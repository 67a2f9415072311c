#include <QCoreApplication>

#include "app/ChosenEntries.h"
#include "app/Commands.h"
#include "app/InterruptWatch.h"
#include "app/StoredTemplate.h"
#include "automation/AccessibilityChecker.h"
#include "automation/CheckBoxValues.h"
#include "automation/JournalRecorder.h"
#include "automation/RunnerEngine.h"
#include "automation/StepNeeds.h"
#include "automation/TypableText.h"
#include "csv/CSVImport.h"
#include "platform/DesktopServicesLoader.h"
#include "ui/AppSettings.h"
#include "ui/QtScheduler.h"

#include <map>
#include <memory>
#include <ostream>

namespace keyferry {

int runRunCommand(const RunCommandOptions& options, std::ostream& out, std::ostream& err) {
    const auto stored = findStoredTemplate(options.templateNameOrID, err);
    if (!stored.item)
        return stored.exitCode;
    const auto& item = stored.item;
    auto imported = loadCSV(options.csvFile, *item, options.read);
    if (!imported.csvData) {
        err << imported.validationError.value_or("Import failed") << '\n';
        return 2;
    }
    const CSVData data = std::move(*imported.csvData);
    const std::size_t rows = data.rowCount();

    // The rows to run, 0-based: those chosen by --rows or --retry, else from --from on.
    const bool chooses = options.rows || options.retryJournal;
    std::vector<std::size_t> planned;
    // The 1-based entry, raised to the first one when lower.
    const std::size_t startFrom = options.fromEntry > 1 ? options.fromEntry - 1 : 0;
    const std::size_t end =
        options.limit ? std::min(rows, startFrom + std::min(*options.limit, rows)) : rows;
    if (chooses) {
        const ChosenEntries chosen = chooseEntries(options, *item, rows, out, err);
        if (!chosen.entries)
            return chosen.exitCode;
        for (const std::size_t entry : *chosen.entries)
            planned.push_back(entry - 1);
    } else {
        for (std::size_t row = startFrom; row < end; ++row)
            planned.push_back(row);
    }

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
    // Refused before anything of a run is printed or journalled.
    if (const auto refusal = runRefusal(*item, describeDesktop(**desktop))) {
        err << *refusal << '\n';
        return 1;
    }
    const auto canType = [&](std::string_view character) { return (*desktop)->canType(character); };
    if (const auto refusal = untypableMessage(findUntypable(*item, data, planned, canType))) {
        err << *refusal << '\n';
        return 2; // nothing was attempted: the input holds what this desktop cannot type
    }
    if (const auto problem = checkBoxValueProblem(*item, data, planned)) {
        err << *problem << '\n';
        return 2; // the file does not fit the template
    }
    AccessibilityChecker checker(**desktop, scheduler);
    RunnerEngine runner(**desktop, scheduler, &checker);
    runner.describeDesktopWith([&] { return describeDesktop(**desktop); });
    runner.setPauseOnUserInput(AppSettings::pauseOnUserInput());

    if (chooses) {
        EntryList entries;
        for (const std::size_t row : planned)
            entries.push_back(row + 1);
        out << "Running \"" << item->name << "\" over entries " << formatEntryList(entries)
            << " of " << rows << ". Ctrl+Shift+Esc or Ctrl+C stops.\n"
            << std::flush;
    } else {
        out << "Running \"" << item->name << "\" over entries " << startFrom + 1 << " to " << end
            << " of " << rows << ". Ctrl+Shift+Esc or Ctrl+C stops.\n"
            << std::flush;
    }

    // The journal starts with the rows the runner was given; each row's end is kept here
    // too, for the verdict at the end.
    std::unique_ptr<JournalRecorder> journal;
    runner.runStarted.connect([&](const std::vector<std::size_t>& runRows) {
        if (journal)
            return;
        auto recorder = JournalRecorder::begin(runner, *item, options.csvFile, runRows);
        if (!recorder) {
            err << "No run journal: " << recorder.error() << '\n' << std::flush;
            return;
        }
        journal = std::move(*recorder);
        out << "Journal: " << journal->file().string() << '\n' << std::flush;
    });
    std::map<std::size_t, RowStatus> lastStatus; // by 1-based entry
    runner.rowEnded.connect(
        [&](const RowOutcome& outcome) { lastStatus[outcome.entry] = outcome.status; });

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
    if (chooses)
        runner.startRows(*item, data, planned);
    else
        runner.start(*item, data, startFrom, options.limit);
    QCoreApplication::exec();
    // A stop leaves the task to wind down; let it reach its end state.
    while (runner.isRunning())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    EntryList notLanded;
    EntryList refused;
    std::size_t verified = 0;
    for (const std::size_t row : planned) {
        const auto found = lastStatus.find(row + 1);
        if (found == lastStatus.end() || !landed(found->second))
            notLanded.push_back(row + 1);
        else if (found->second == RowStatus::verified)
            ++verified;
        if (found != lastStatus.end() && found->second == RowStatus::refused)
            refused.push_back(row + 1);
    }
    const std::string verifiedText =
        verified > 0 ? " (" + std::to_string(verified) + " verified)" : "";

    const RunnerState& final = runner.state();
    bool complete = false;
    if (const auto* paused = std::get_if<runner_state::Paused>(&final)) {
        const std::size_t entered =
            chooses ? planned.size() - notLanded.size() : paused->row - startFrom;
        out << "Paused. Entries entered: " << entered << verifiedText << ".";
        if (!chooses)
            out << " Resume from entry " << paused->row + 1 << ".";
        out << '\n';
    } else {
        const auto& finished = std::get<runner_state::Finished>(final);
        out << "Done. Entries entered: " << finished.successful << verifiedText << ".";
        if (!chooses)
            out << " Resume from entry " << finished.resumeFrom + 1 << ".";
        out << '\n';
        complete = (chooses || finished.resumeFrom >= end) && !runner.shouldStop() &&
                   runner.statusMessage() != "Target app not found!";
    }
    if (!refused.empty())
        out << "Entries the application refused: " << formatEntryList(refused) << ".\n";
    if (!notLanded.empty()) {
        out << "Entries that need another try: " << formatEntryList(notLanded) << ".";
        if (journal)
            out << " Retry them with --retry '" << journal->file().string() << "'.";
        out << '\n';
    }
    if (journal && journal->error())
        err << "The run journal is incomplete: " << *journal->error() << '\n';
    return complete && notLanded.empty() ? 0 : 1;
}

} // namespace keyferry
