#include "automation/RunnerEngine.h"

#include <algorithm>

namespace keyferry {

namespace {

constexpr auto afterClick = std::chrono::milliseconds(500);
constexpr auto countdownTick = std::chrono::seconds(1);

// Steps that send keys or clicks to whatever window is in front.
bool postsInput(StepType type) {
    return type != StepType::wait && type != StepType::pause;
}

} // namespace

RunnerEngine::RunnerEngine(DesktopServices& desktop, Scheduler& scheduler,
                           AccessibilityChecker* accessibilityChecker)
    : desktop_(desktop), scheduler_(scheduler), accessibilityChecker_(accessibilityChecker),
      automation_(desktop, scheduler), clickWatcher_(desktop, scheduler), hotkey_(desktop),
      debugContinuation_(scheduler), self_(std::make_shared<RunnerEngine*>(this)) {
    hotkey_.onTrigger = [this, weak = std::weak_ptr<RunnerEngine*>(self_)] {
        scheduler_.runAfter(Scheduler::Duration{0}, [weak] {
            if (const auto runner = weak.lock())
                (*runner)->stop();
        });
    };
}

RunnerEngine::~RunnerEngine() {
    if (launchTimer_)
        scheduler_.cancel(launchTimer_);
    hotkey_.stop();
    clickWatcher_.stopListening();
    automation_.releaseEverythingPressed();
}

void RunnerEngine::setState(RunnerState state) {
    state_ = std::move(state);
    stateChanged.emit();
}

void RunnerEngine::setStatus(std::string message) {
    statusMessage_ = std::move(message);
    statusMessageChanged.emit();
}

void RunnerEngine::endRun(RunnerState state) {
    automation_.bindTo(nullptr);
    setState(std::move(state));
    hotkey_.stop();
    automation_.releaseEverythingPressed(); // nothing of ours stays pressed after a run
}

bool RunnerEngine::checkTrust() {
    const bool trusted = desktop_.isTrusted();
    if (accessibilityChecker_)
        accessibilityChecker_->setGranted(trusted);
    return trusted;
}

void RunnerEngine::launch(Task<void> task, Cancellation cancellation) {
    std::erase_if(earlierTasks_, [](const Task<void>& t) { return t.done(); });
    if (!task_.done())
        earlierTasks_.push_back(std::move(task_)); // replaced, not cancelled
    task_ = std::move(task);
    cancellation_ = std::move(cancellation);
    if (launchTimer_)
        scheduler_.cancel(launchTimer_);
    launchTimer_ = scheduler_.runAfter(Scheduler::Duration{0}, [this] {
        launchTimer_ = 0;
        task_.start();
    });
}

void RunnerEngine::start(Template item, CSVData data, std::size_t startFrom,
                         std::optional<std::size_t> rowLimit) {
    shouldStop_ = false;
    shouldPause_ = false;
    hotkey_.start();
    Cancellation cancellation;
    launch(run(std::move(item), std::move(data), startFrom, rowLimit, cancellation), cancellation);
}

void RunnerEngine::resume(Template item, CSVData data, std::size_t from) {
    start(std::move(item), std::move(data), from, std::nullopt);
}

void RunnerEngine::stop() {
    shouldStop_ = true;
    debugContinuation_.resume();
    clickWatcher_.stopListening();
    if (auto onClick = std::exchange(clickWatcher_.onClick, nullptr))
        onClick();
    hotkey_.stop();
    cancellation_.cancel();
    if (const auto* running = std::get_if<runner_state::Running>(&state_))
        setState(runner_state::Paused{running->row, running->total});
}

Task<void> RunnerEngine::countdown(std::int64_t seconds, Cancellation cancellation) {
    for (std::int64_t remaining = seconds; remaining >= 1; --remaining) {
        if (shouldStop_)
            break;
        setState(runner_state::Countdown{remaining});
        co_await sleepFor(scheduler_, countdownTick, cancellation);
    }
}

std::string RunnerEngine::failureMessage(const Posted& failure, std::size_t row) {
    const char* device = failure.device() == Posted::Device::mouse ? "mouse" : "keyboard";
    return "Could not send " + std::string(device) + " input at row " + std::to_string(row + 1) +
           ": " + failure.why();
}

Task<bool> RunnerEngine::bindToTarget(WindowBinding& binding,
                                      const std::optional<std::string>& target,
                                      Cancellation cancellation) {
    // The activation was asked for, not awaited: give it the time activation takes.
    for (int poll = 0; !binding.bindToFocus(); ++poll) {
        if (!target)
            co_return true; // nothing focused to bind to: no target, no checks
        if (poll == AutomationEngine::activationPolls || shouldStop_)
            co_return false;
        co_await sleepFor(scheduler_, AutomationEngine::activationPoll, cancellation);
    }
    automation_.bindTo(&binding);
    co_return true;
}

Task<void> RunnerEngine::run(Template item, CSVData data, std::size_t startFrom,
                             std::optional<std::size_t> rowLimit, Cancellation cancellation) {
    const auto& target = item.targetAppBundleID;
    // Windows that exist before the run are never followed to, even the target's own.
    WindowBinding binding(desktop_, target);
    if (target) {
        const auto applications = desktop_.runningApplications();
        const auto found = std::ranges::find(applications, target, &RunningApplication::bundleID);
        if (found == applications.end() || !desktop_.activate(*found)) {
            endRun(runner_state::Finished{0, 0, startFrom});
            setStatus("Target app not found!");
            co_return;
        }
    }
    co_await countdown(item.settings.countdownSeconds, cancellation);

    const std::size_t rows = data.rowCount();
    const std::size_t end = rowLimit ? std::min(rows, startFrom + std::min(*rowLimit, rows)) : rows;
    const auto lostFront = [&](std::size_t row) {
        setStatus("Target app no longer in foreground");
        endRun(runner_state::Paused{row, end});
    };
    const bool bound =
        startFrom < end && !shouldStop_ && co_await bindToTarget(binding, target, cancellation);
    if (startFrom < end && !shouldStop_ && !bound) {
        lostFront(startFrom);
        co_return;
    }
    const auto focusHeld = [&] { return !binding.isBound() || binding.followFocus(); };

    std::size_t successful = 0;
    for (std::size_t row = startFrom; row < end; ++row) {
        if (shouldStop_)
            break;
        if (shouldPause_) {
            endRun(runner_state::Paused{row, end});
            co_return;
        }
        if (!focusHeld()) {
            lostFront(row);
            co_return;
        }
        std::size_t column = 0;
        bool interrupted = false;
        for (std::size_t i = 0; i < item.steps.size(); ++i) {
            const Step& step = item.steps[i];
            if (shouldStop_) {
                interrupted = true;
                break;
            }
            setState(runner_state::Running{row, i, end});
            if (i % 10 == 0 && !checkTrust()) {
                setStatus("Accessibility permission revoked!");
                endRun(runner_state::Paused{row, end});
                co_return;
            }
            if (step.type == StepType::wait) {
                setState(runner_state::WaitingForClick{row, end});
                desktop_.beep();
                co_await clickWatcher_.waitForClick();
                if (shouldStop_) { // released by Stop, not by the user's click
                    interrupted = true;
                    break;
                }
                co_await sleepFor(scheduler_, afterClick, cancellation);
                continue;
            }
            std::optional<std::string> value;
            if (step.type == StepType::textInput) {
                if (step.isFixed())
                    value = step.fixedValue;
                else if (column < data.columnCount())
                    value = std::string(data.field(row, column++));
                else
                    ++column;
            }
            // Between steps the focus may move on to a window the target opened (a dialog
            // to confirm), never to any other.
            if (postsInput(step.type) && !focusHeld()) {
                lostFront(row);
                co_return;
            }
            const Posted executed =
                co_await automation_.executeStep(step, value, item.settings, target, cancellation);
            if (automation_.targetLost()) {
                lostFront(row);
                co_return;
            }
            if (!executed) {
                setStatus(failureMessage(executed, row));
                endRun(runner_state::Paused{row, end});
                co_return;
            }
            if (shouldStop_ && !automation_.stepCompleted()) { // cut short: row not complete
                interrupted = true;
                break;
            }
        }
        if (interrupted)
            break;
        ++successful;
        setStatus("Row " + std::to_string(row + 1) + "/" + std::to_string(end) + " \u2713");
    }
    endRun(runner_state::Finished{successful, 0, startFrom + successful});
}

} // namespace keyferry
