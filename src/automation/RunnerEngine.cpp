#include "automation/RunnerEngine.h"

#include "automation/CheckBoxValues.h"
#include "automation/StepNeeds.h"

#include <algorithm>
#include <numeric>

namespace keyferry {

namespace {

constexpr auto afterClick = std::chrono::milliseconds(500);
constexpr auto countdownTick = std::chrono::seconds(1);
const std::string lostFrontMessage = "Target app no longer in foreground";
const std::string userInputMessage = "Paused: keyboard or mouse used";

// Steps after which what was typed may be gone to the application for good: Return, a
// click (on a button that sends the form).
bool maySend(StepType type) {
    return type == StepType::returnKey || type == StepType::mouseClick;
}

// Steps that send keys or clicks to whatever window is in front.
bool postsInput(StepType type) {
    return type != StepType::wait && type != StepType::pause;
}

} // namespace

RunnerEngine::RowPlan RunnerEngine::RowPlan::range(std::size_t first, std::size_t end) {
    RowPlan plan;
    plan.first_ = first;
    plan.end_ = std::max(first, end);
    return plan;
}

RunnerEngine::RowPlan RunnerEngine::RowPlan::list(std::vector<std::size_t> rows) {
    RowPlan plan;
    plan.list_ = std::move(rows);
    return plan;
}

std::size_t RunnerEngine::RowPlan::size() const {
    return list_ ? list_->size() : end_ - first_;
}

std::size_t RunnerEngine::RowPlan::rowAt(std::size_t index, std::size_t tableRows) const {
    if (!list_)
        return first_ + index;
    return index < list_->size() ? (*list_)[index] : tableRows;
}

std::size_t RunnerEngine::RowPlan::total() const {
    if (!list_)
        return end_;
    return list_->empty() ? 0 : *std::ranges::max_element(*list_) + 1;
}

std::vector<std::size_t> RunnerEngine::RowPlan::rows() const {
    if (list_)
        return *list_;
    std::vector<std::size_t> rows(size());
    std::iota(rows.begin(), rows.end(), first_);
    return rows;
}

RunnerEngine::RunnerEngine(DesktopServices& desktop, Scheduler& scheduler,
                           AccessibilityChecker* accessibilityChecker)
    : desktop_(desktop), scheduler_(scheduler), accessibilityChecker_(accessibilityChecker),
      automation_(desktop, scheduler), sentForm_(desktop, automation_, scheduler),
      clickWatcher_(desktop, scheduler), hotkey_(desktop), watch_(desktop),
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

bool RunnerEngine::start(Template item, CSVData data, std::size_t startFrom,
                         std::optional<std::size_t> rowLimit) {
    const std::size_t rows = data.rowCount();
    const std::size_t end = rowLimit ? std::min(rows, startFrom + std::min(*rowLimit, rows)) : rows;
    chosenRows_.reset();
    return begin(std::move(item), std::move(data), RowPlan::range(startFrom, end));
}

bool RunnerEngine::startRows(Template item, CSVData data, std::vector<std::size_t> rows) {
    chosenRows_ = rows;
    return begin(std::move(item), std::move(data), RowPlan::list(std::move(rows)));
}

bool RunnerEngine::resume(Template item, CSVData data, std::size_t from) {
    if (!chosenRows_) {
        const std::size_t rows = data.rowCount();
        return begin(std::move(item), std::move(data), RowPlan::range(from, rows));
    }
    // Chosen rows go on with the rest of the same list.
    const auto at = std::ranges::find(*chosenRows_, from);
    return begin(std::move(item), std::move(data),
                 RowPlan::list(std::vector<std::size_t>(at, chosenRows_->end())));
}

bool RunnerEngine::refuses(const Template& item) {
    if (!describeDesktop_)
        return false;
    std::optional<std::string> refusal = runRefusal(item, describeDesktop_());
    if (!refusal)
        return false;
    setStatus(std::move(*refusal));
    return true;
}

bool RunnerEngine::refusesText(const Template& item, const CSVData& data,
                               const std::vector<std::size_t>& rows) {
    const auto canType = [this](std::string_view character) { return desktop_.canType(character); };
    std::optional<std::string> refusal = untypableMessage(findUntypable(item, data, rows, canType));
    if (!refusal)
        return false;
    setStatus(std::move(*refusal));
    return true;
}

bool RunnerEngine::begin(Template item, CSVData data, RowPlan plan) {
    // Before the journal and the stop shortcut: nothing of a run begins.
    if (refuses(item) || refusesText(item, data, plan.rows()))
        return false;
    if (auto problem = checkBoxValueProblem(item, data, plan.rows())) {
        setStatus(std::move(*problem));
        return false;
    }
    shouldStop_ = false;
    shouldPause_ = false;
    hotkey_.start();
    runStarted.emit(plan.rows());
    Cancellation cancellation;
    launch(run(std::move(item), std::move(data), std::move(plan), cancellation), cancellation);
    return true;
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

Task<Posted> RunnerEngine::awaitInputAccess(Cancellation cancellation) {
    if (desktop_.requestInput().state == InputAccess::State::asking)
        setStatus(askingMessage);
    co_return co_await automation_.awaitInputAccess(cancellation);
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

Task<void> RunnerEngine::run(Template item, CSVData data, RowPlan plan, Cancellation cancellation) {
    const auto& target = item.targetAppBundleID;
    progress_ = RunProgress{0, plan.size(), {}};
    automation_.readBackLater(true); // checked before the form is sent
    RunSummary summary;
    // Every way out of a run ends here: the state, the message shown, the journal's last
    // line. A pause asked for and a stop keep the last row's message on screen.
    const auto conclude = [&](RunnerState state, std::optional<std::string> message) {
        watch_.disarm();
        automation_.watchUser(nullptr);
        const bool paused = std::holds_alternative<runner_state::Paused>(state);
        automation_.forgetTypedFields();
        endRun(std::move(state));
        if (message)
            setStatus(*message);
        summary.ended = paused ? "paused" : shouldStop_ ? "stopped" : "finished";
        summary.message = std::move(message);
        runEnded.emit(summary);
    };
    // Asked first: the desktop's dialog would take the focus from the target.
    if (const Posted access = co_await awaitInputAccess(cancellation); !access) {
        conclude(runner_state::Finished{0, 0, plan.rowAt(0, data.rowCount())},
                 noAccessMessage + access.why());
        co_return;
    }
    // Windows that exist before the run are never followed to, even the target's own.
    WindowBinding binding(desktop_, target);
    if (target) {
        const auto applications = desktop_.runningApplications();
        const auto found = std::ranges::find(applications, target, &RunningApplication::bundleID);
        if (found == applications.end() || !desktop_.activate(*found)) {
            conclude(runner_state::Finished{0, 0, plan.rowAt(0, data.rowCount())},
                     "Target app not found!");
            co_return;
        }
    }
    co_await countdown(item.settings.countdownSeconds, cancellation);

    const std::size_t end = plan.total();
    const auto pauseAt = [&](std::size_t index, std::optional<std::string> message) {
        conclude(runner_state::Paused{plan.rowAt(index, data.rowCount()), end}, std::move(message));
    };
    const bool bound =
        plan.size() > 0 && !shouldStop_ && co_await bindToTarget(binding, target, cancellation);
    if (plan.size() > 0 && !shouldStop_ && !bound) {
        pauseAt(0, lostFrontMessage);
        co_return;
    }
    const auto focusHeld = [&] { return !binding.isBound() || binding.followFocus(); };
    if (pauseOnUserInput_) {
        watch_.arm(); // from here on, the user's hand on the keyboard or mouse pauses the run
        automation_.watchUser(&watch_);
    }
    const auto userTookOver = [&] { return watch_.isArmed() && watch_.tripped(); };
    const auto runStart = scheduler_.now();

    // With waiting for fields, the delay after a step gives way to waiting for the next step's
    // recorded field; the focus before the step tells a focus not yet moved from a wrong one.
    const bool waitForFields = item.settings.waitForNextField;
    const auto longestFieldWait = secondsToDuration(item.settings.longestFieldWait);
    // A row whose form is sent is confirmed once the form the next row starts in has come: its
    // first field, waited for like the next row's.
    const Step* firstStep = item.steps.empty() ? nullptr : &item.steps.front();
    const bool confirmsSent = waitForFields && firstStep && firstStep->field &&
                              postsInput(firstStep->type) &&
                              std::ranges::any_of(item.steps, maySend, &Step::type);
    const auto nextStep = [&](std::size_t index, std::size_t i) -> const Step* {
        if (i + 1 < item.steps.size())
            return &item.steps[i + 1];
        return index + 1 < plan.size() || confirmsSent ? firstStep : nullptr;
    };
    std::optional<FieldIdentity> focusBeforeStep;
    // How the check of the row sent before found the first field: the row's own wait for it.
    std::optional<AutomationEngine::FieldArrival> firstFieldFound;
    std::size_t firstTextStep = item.steps.size(), lastTextStep = 0;
    for (std::size_t i = 0; i < item.steps.size(); ++i)
        if (item.steps[i].type == StepType::textInput) {
            firstTextStep = std::min(firstTextStep, i);
            lastTextStep = i;
        }
    // Then a row's first field is waited for, and read back at once when its page was.
    const bool firstKeysReadBack =
        waitForFields && item.settings.verifyTypedText && item.settings.clearFieldFirst &&
        firstTextStep < item.steps.size() && item.steps[firstTextStep].field.has_value();

    std::size_t successful = 0;
    std::size_t index = 0;
    for (; index < plan.size(); ++index) {
        const std::size_t row = plan.rowAt(index, data.rowCount());
        if (shouldStop_)
            break;
        if (shouldPause_) {
            pauseAt(index, std::nullopt);
            co_return;
        }
        // A first step that waits for its field checks the focus once the field has come:
        // between two rows the form may be closing and the next one opening.
        const bool firstWaits = waitForFields && !item.steps.empty() && item.steps.front().field &&
                                postsInput(item.steps.front().type);
        if ((!firstWaits && !focusHeld()) || userTookOver()) {
            pauseAt(index, userTookOver() ? userInputMessage : lostFrontMessage);
            co_return;
        }
        RowOutcome outcome{row + 1, RowStatus::entered, {}, {}, {}, {}, 0, 0};
        const auto rowEnds = [&](RowStatus status, std::optional<std::string> message = {}) {
            outcome.status = status;
            outcome.message = std::move(message);
            if (landed(status))
                ++successful;
            ++summary.counts[static_cast<std::size_t>(status)];
            progress_.done = index + 1;
            progress_.elapsed = scheduler_.now() - runStart;
            rowEnded.emit(outcome);
        };
        // A row's characters are made typable at once: one keymap change for the row instead
        // of one per field. Once its first field has come; where the desktop can, already
        // before the row before it is sent, so the change is taken in while the form loads.
        const auto rowText = [&](std::size_t rowIndex, std::size_t fromStep = 0) {
            std::string text;
            std::size_t valueColumn = 0;
            for (std::size_t s = 0; s < item.steps.size(); ++s) {
                const Step& step = item.steps[s];
                if (step.type != StepType::textInput)
                    continue;
                std::string_view value;
                if (step.isFixed())
                    value = *step.fixedValue;
                else if (valueColumn < data.columnCount())
                    value = data.field(rowIndex, valueColumn++);
                if (s >= fromStep)
                    text += value;
            }
            return text;
        };
        std::size_t column = 0;
        bool interrupted = false;
        bool waitedForPage = false;      // for a field up to the row's first text
        automation_.forgetTypedFields(); // of a row given up before
        // Fields typed are read back before anything that may send the form, and at the row's
        // end: false when one does not show what was typed, the row then paused.
        const auto typedFieldsHold = [&]() -> Task<bool> {
            const auto typed = co_await automation_.checkTypedFields(cancellation);
            outcome.fieldsVerified += typed.verified;
            outcome.fieldsUnread += typed.unread;
            if (!typed.mismatch)
                co_return true;
            outcome.field = typed.mismatch->field;
            outcome.expected = typed.mismatch->expected;
            outcome.shown = typed.mismatch->shown;
            rowEnds(RowStatus::mismatch, typed.mismatch->message());
            pauseAt(index, typed.mismatch->message());
            co_return false;
        };
        for (std::size_t i = 0; i < item.steps.size(); ++i) {
            const Step& step = item.steps[i];
            if (shouldStop_) {
                interrupted = true;
                break;
            }
            setState(runner_state::Running{row, i, end});
            if (i % 10 == 0 && !checkTrust()) {
                rowEnds(RowStatus::paused, "Accessibility permission revoked!");
                pauseAt(index, "Accessibility permission revoked!");
                co_return;
            }
            if (step.type == StepType::wait) {
                if (!co_await typedFieldsHold()) // the user's click may send the form
                    co_return;
                setState(runner_state::WaitingForClick{row, end});
                watch_.disarm(); // here the user is meant to click
                desktop_.beep();
                co_await clickWatcher_.waitForClick();
                if (shouldStop_) { // released by Stop, not by the user's click
                    interrupted = true;
                    break;
                }
                co_await sleepFor(scheduler_, afterClick, cancellation);
                if (pauseOnUserInput_)
                    watch_.arm();
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
            // Where the step has a recorded field: waited for first when the template waits
            // for fields (the wait follows the focus into a window the target opens), else
            // checked once the window is known to be the target's.
            const bool checksField = step.field && postsInput(step.type);
            const auto arrive = [&](Scheduler::Duration longest) {
                return automation_.awaitField(*step.field, focusBeforeStep, longest, cancellation);
            };
            std::optional<AutomationEngine::FieldArrival> arrival;
            const auto found = i == 0 ? std::exchange(firstFieldFound, std::nullopt) : std::nullopt;
            // (Not one conditional expression: g++ 12 destroys a temporary of one holding a
            // co_await twice.)
            if (checksField && waitForFields && found &&
                found->result != AutomationEngine::FieldArrival::Result::arrived)
                arrival = *found;
            else if (checksField && waitForFields)
                arrival = co_await arrive(longestFieldWait);
            if (arrival && found)
                arrival->waited = arrival->waited || found->waited;
            if (shouldStop_) {
                interrupted = true;
                break;
            }
            // Between steps the focus may move on to a window the target opened (a dialog
            // to confirm), never to any other.
            if (postsInput(step.type) && (!focusHeld() || userTookOver())) {
                const std::string why = userTookOver() ? userInputMessage : lostFrontMessage;
                rowEnds(RowStatus::paused, why);
                pauseAt(index, why);
                co_return;
            }
            if (checksField && !waitForFields)
                arrival = co_await arrive(Scheduler::Duration{0});
            if (arrival && arrival->result != AutomationEngine::FieldArrival::Result::arrived) {
                const bool wrong =
                    arrival->result == AutomationEngine::FieldArrival::Result::wrongField;
                const std::string why =
                    wrong ? wrongFieldMessage(*step.field, arrival->focused)
                          : fieldDidNotComeMessage(*step.field, item.settings.longestFieldWait);
                outcome.field = step.field->name.empty() ? step.label : step.field->name;
                rowEnds(wrong ? RowStatus::wrongField : RowStatus::paused, why);
                pauseAt(index, why);
                co_return;
            }
            if (maySend(step.type) && !co_await typedFieldsHold())
                co_return;
            if (i == 0) {
                automation_.prepareAhead(rowText(row));
                if (confirmsSent)
                    sentForm_.holdFirstField(step.type == StepType::textInput && !step.isFixed()
                                                 ? value.value_or("")
                                                 : "");
            }
            // A page the run waited for may still drop the first keys typed into it.
            waitedForPage = waitedForPage || (arrival && arrival->waited);
            if (i == firstTextStep && waitedForPage)
                automation_.checkNextTextAtOnce();
            const std::optional<FieldIdentity> focusNow = arrival ? arrival->focused : std::nullopt;
            const Step* next = nextStep(index, i);
            const bool waitsForNext = waitForFields && postsInput(step.type) && next &&
                                      next->field && postsInput(next->type);
            focusBeforeStep.reset();
            if (waitsForNext)
                focusBeforeStep = focusNow ? focusNow : automation_.focusedField();
            const Posted executed = co_await automation_.executeStep(
                step, value, item.settings, target, cancellation, !waitsForNext);
            if (automation_.targetLost() || automation_.userTookOver()) {
                const std::string why =
                    automation_.targetLost() ? lostFrontMessage : userInputMessage;
                rowEnds(RowStatus::paused, why);
                pauseAt(index, why);
                co_return;
            }
            if (!executed) {
                outcome.field = step.label.empty() ? std::nullopt : std::optional(step.label);
                rowEnds(RowStatus::failed, failureMessage(executed, row));
                pauseAt(index, failureMessage(executed, row));
                co_return;
            }
            if (shouldStop_ && !automation_.stepCompleted()) { // cut short: row not complete
                interrupted = true;
                break;
            }
            if (step.type != StepType::textInput)
                continue;
            const FieldCheck& check = automation_.fieldCheck();
            if (check.result == FieldCheck::Result::mismatch) {
                outcome.field = check.field;
                outcome.expected = check.expected;
                outcome.shown = check.shown;
                rowEnds(RowStatus::mismatch, check.message());
                pauseAt(index, check.message());
                co_return;
            }
            if (i == lastTextStep && index + 1 < plan.size())
                automation_.prepareEarly(rowText(plan.rowAt(index + 1, data.rowCount())),
                                         firstKeysReadBack);
            else if (i < lastTextStep) // what the row's later fields need, while the focus moves
                automation_.prepareAhead(rowText(row, i + 1));
            if (check.result == FieldCheck::Result::held)
                continue;
            ++(check.result == FieldCheck::Result::verified ? outcome.fieldsVerified
                                                            : outcome.fieldsUnread);
        }
        if (interrupted) {
            rowEnds(RowStatus::stopped, "Stopped");
            break;
        }
        if (!co_await typedFieldsHold())
            co_return;
        if (confirmsSent) {
            const auto verdict = co_await sentForm_.confirm(
                row + 1, *firstStep->field, focusBeforeStep, longestFieldWait, cancellation);
            if (verdict.refusal) {
                rowEnds(RowStatus::refused, *verdict.refusal);
                pauseAt(index, *verdict.refusal);
                co_return;
            }
            firstFieldFound = verdict.arrival;
        }
        rowEnds(outcome.fieldsVerified > 0 && outcome.fieldsUnread == 0 ? RowStatus::verified
                                                                        : RowStatus::entered);
        setStatus("Row " + std::to_string(row + 1) + "/" + std::to_string(end) + " \u2713");
    }
    conclude(runner_state::Finished{successful, 0, plan.rowAt(index, data.rowCount())},
             std::nullopt);
}

} // namespace keyferry
