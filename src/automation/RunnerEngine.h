#pragma once

#include "automation/AccessibilityChecker.h"
#include "automation/AutomationEngine.h"
#include "automation/ClickWatcher.h"
#include "automation/DesktopDescription.h"
#include "automation/GlobalHotkey.h"
#include "automation/RunProgress.h"
#include "automation/RunnerState.h"
#include "automation/SentFormCheck.h"
#include "automation/Task.h"
#include "automation/TypableText.h"
#include "automation/UserInputWatch.h"
#include "automation/Waits.h"
#include "csv/CSVData.h"
#include "model/RunJournal.h"
#include "model/Signal.h"
#include "model/Template.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace keyferry {

/// Replays a template once per row of a table against the target application, and steps
/// through a template with placeholder values in debug mode. Everything runs on the main
/// thread; a run suspends at its waits, so the UI, Pause, Stop and the stop shortcut work
/// while it runs.
class RunnerEngine {
public:
    RunnerEngine(DesktopServices& desktop, Scheduler& scheduler,
                 AccessibilityChecker* accessibilityChecker = nullptr);
    RunnerEngine(const RunnerEngine&) = delete;
    RunnerEngine& operator=(const RunnerEngine&) = delete;
    ~RunnerEngine();

    const RunnerState& state() const { return state_; }
    /// The panel leaves a result view by setting idle.
    void setState(RunnerState state);
    const std::string& statusMessage() const { return statusMessage_; }

    /// How to learn what the desktop offers, asked before each run starts. A template with a
    /// step the desktop cannot run is refused: the run would otherwise stop or wait forever
    /// at that step. Without it, nothing is checked.
    void describeDesktopWith(std::function<DesktopDescription()> describe) {
        describeDesktop_ = std::move(describe);
    }

    /// Runs rows [startFrom, startFrom + rowLimit) (to the end without a limit). Returns at
    /// once; the run begins at the next turn of the loop. Each start returns false, with the
    /// reason as the status message, when the desktop cannot run the template.
    bool start(Template item, CSVData data, std::size_t startFrom,
               std::optional<std::size_t> rowLimit);
    /// Runs exactly these rows (0-based, in this order): the failed rows of an earlier run,
    /// or a list the user gave.
    bool startRows(Template item, CSVData data, std::vector<std::size_t> rows);
    /// Goes on from row `from` with activation and countdown again: to the end of the table,
    /// or, after startRows(), with the rows of that list from `from` on.
    bool resume(Template item, CSVData data, std::size_t from);
    /// Ends a run or debug run: the row in progress is abandoned and not counted.
    void stop();
    /// Asks the run to pause at the next row boundary.
    void requestPause() { shouldPause_ = true; }

    /// Debug run: one pass with placeholder values, each step after Next. Refused like a run
    /// (false, the reason in the status) when a step needs what the desktop lacks: a wait for
    /// a click that cannot be seen would wait until stopped.
    bool startDebug(Template item);
    /// Resumes a debug run waiting for Next; does nothing otherwise.
    void next();
    bool isWaitingForNext() const { return debugContinuation_.isPending(); }

    /// Plausible German sample data for a field label, by keyword.
    static std::string generateDummyValue(const std::string& label);
    /// Shown while the desktop asks the user whether Keyferry may type.
    static inline const std::string askingMessage =
        "Waiting for your permission to type: answer the desktop's question (\u201CAllow remote "
        "interaction\u201D).";
    /// Starts the message when the desktop does not let Keyferry type.
    static inline const std::string noAccessMessage = "Keyferry may not type here: ";

    AutomationEngine& automation() { return automation_; }
    ClickWatcher& clickWatcher() { return clickWatcher_; }
    GlobalHotkey& hotkey() { return hotkey_; }
    bool shouldStop() const { return shouldStop_; }
    bool shouldPause() const { return shouldPause_; }
    bool isRunning() const { return !task_.done(); }

    /// Rows ended so far in the current or last run, and the time they took.
    const RunProgress& progress() const { return progress_; }
    /// Whether a key press or click that is not Keyferry's own pauses a run (app setting).
    void setPauseOnUserInput(bool pause) { pauseOnUserInput_ = pause; }

    Signal<> stateChanged;
    Signal<> statusMessageChanged;
    /// A run (not a debug run) has begun with these rows (0-based), before its countdown.
    Signal<const std::vector<std::size_t>&> runStarted;
    /// Each attempted row as it ends; the journal writes it.
    Signal<const RowOutcome&> rowEnded;
    /// The run has ended: finished, paused or stopped.
    Signal<const RunSummary&> runEnded;

private:
    /// The rows a run enters: a range of the table or a chosen list, in order.
    class RowPlan {
    public:
        static RowPlan range(std::size_t first, std::size_t end);
        static RowPlan list(std::vector<std::size_t> rows);
        std::size_t size() const;
        /// The table row at `index`; past the end, the range's end or, for a list, the
        /// table's row count (nothing left to resume).
        std::size_t rowAt(std::size_t index, std::size_t tableRows) const;
        /// The end row the states carry: the range's end, or one past the list's last row.
        std::size_t total() const;
        std::vector<std::size_t> rows() const;

    private:
        std::size_t first_ = 0, end_ = 0;
        std::optional<std::vector<std::size_t>> list_;
    };

    bool begin(Template item, CSVData data, RowPlan plan);
    /// Sets the reason as the status message when the desktop cannot run the template.
    bool refuses(const Template& item);
    /// Sets the characters as the status message when the desktop cannot type some of what
    /// these rows would type.
    bool refusesText(const Template& item, const CSVData& data,
                     const std::vector<std::size_t>& rows);
    /// The desktop's consent to input, shown as asked for while the user is asked.
    Task<Posted> awaitInputAccess(Cancellation cancellation);
    Task<void> run(Template item, CSVData data, RowPlan plan, Cancellation cancellation);
    Task<void> debugRun(Template item, std::vector<std::string> placeholders,
                        Cancellation cancellation);
    Task<void> countdown(std::int64_t seconds, Cancellation cancellation);
    /// Binds the run to the target's focused window, waiting for the activation as long as
    /// activation may take; without a target, to whatever window has the focus, if any.
    Task<bool> bindToTarget(WindowBinding& binding, const std::optional<std::string>& target,
                            Cancellation cancellation);
    static std::string failureMessage(const Posted& failure, std::size_t row);
    void launch(Task<void> task, Cancellation cancellation);
    void setStatus(std::string message);
    void endRun(RunnerState state);
    bool checkTrust();

    DesktopServices& desktop_;
    Scheduler& scheduler_;
    std::function<DesktopDescription()> describeDesktop_;
    AccessibilityChecker* accessibilityChecker_;
    AutomationEngine automation_;
    SentFormCheck sentForm_;
    ClickWatcher clickWatcher_;
    GlobalHotkey hotkey_;
    UserInputWatch watch_;
    RunnerState state_ = runner_state::Idle{};
    std::string statusMessage_;
    Task<void> task_;
    std::vector<Task<void>> earlierTasks_; ///< replaced runs that had not ended yet
    Cancellation cancellation_;
    Scheduler::TimerId launchTimer_ = 0;
    bool shouldStop_ = false;
    bool shouldPause_ = false;
    bool pauseOnUserInput_ = true;
    RunProgress progress_;
    std::optional<std::vector<std::size_t>> chosenRows_; ///< set by startRows, for resume
    OneShot debugContinuation_;
    std::shared_ptr<RunnerEngine*> self_; ///< lets the hotkey callback outlive-check us
};

} // namespace keyferry
