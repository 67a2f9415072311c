#include "editing/EditSession.h"

#include <algorithm>
#include <cmath>

namespace keyferry {

EditSession::EditSession(TemplateStore& store, Scheduler& scheduler, RunnerEngine& runner,
                         RecorderService& recorder)
    : store_(store), scheduler_(scheduler), runner_(runner), recorder_(recorder),
      lastRecorderState_(recorder.state()) {
    selectionConnection_ = store_.selectedTemplateIDChanged.connect([this] { selectionChanged(); });
    storeConnection_ = store_.templatesChanged.connect([this] { storeChanged(); });
    fileStatusConnection_ = store_.fileStatusChanged.connect([this] { fileStatusChanged(); });
    recorderConnection_ = recorder_.changed.connect([this] { recorderChanged(); });
    runnerStateConnection_ = runner_.stateChanged.connect([this] { runnerChanged(); });
    runnerStatusConnection_ = runner_.statusMessageChanged.connect([this] { stateChanged.emit(); });
    load();
}

EditSession::~EditSession() {
    commit();
    store_.selectedTemplateIDChanged.disconnect(selectionConnection_);
    store_.templatesChanged.disconnect(storeConnection_);
    store_.fileStatusChanged.disconnect(fileStatusConnection_);
    recorder_.changed.disconnect(recorderConnection_);
    runner_.stateChanged.disconnect(runnerStateConnection_);
    runner_.statusMessageChanged.disconnect(runnerStatusConnection_);
    if (saveTimer_)
        scheduler_.cancel(saveTimer_);
    if (feedbackTimer_)
        scheduler_.cancel(feedbackTimer_);
}

const std::vector<Step>& EditSession::steps() const {
    static const std::vector<Step> none;
    return draft_ ? draft_->steps : none;
}

void EditSession::load() {
    const auto& selected = store_.selectedTemplateID();
    const auto& templates = store_.templates();
    const auto found =
        selected ? std::ranges::find(templates, *selected, &Template::id) : templates.end();
    if (found == templates.end()) {
        draft_.reset();
    } else {
        draft_ = *found;
        // A template just loaded has nothing unsaved, unless saves fail and the file lacks it.
        hasUnsavedChanges_ = store_.lastSaveError() && !store_.isStored(draft_->id);
    }
    debugRefused_ = false;
    draftChanged.emit();
    stateChanged.emit();
}

void EditSession::edit(const std::function<void(Template&)>& change) {
    if (!draft_)
        return;
    const Template before = *draft_;
    change(*draft_);
    if (*draft_ == before)
        return;
    if (draft_->name != before.name) {
        // The sidebar shows the name as it is typed; the file gets it with the next save.
        auto renamed = std::ranges::find(store_.templates(), draft_->id, &Template::id);
        if (renamed != store_.templates().end()) {
            Template stored = *renamed;
            stored.name = draft_->name;
            store_.replaceTemplate(stored);
        }
    }
    debugRefused_ = false; // the refusal was about the template as it was
    draftChanged.emit();
    markUnsaved();
}

bool EditSession::commit() {
    if (!draft_)
        return false;
    if (!store_.replaceTemplate(*draft_))
        return false; // deleted meanwhile: nothing to write back
    // A failed save leaves the draft unsaved; the window says why.
    hasUnsavedChanges_ = !store_.save();
    stateChanged.emit();
    return !hasUnsavedChanges_;
}

void EditSession::save() {
    if (!commit())
        return;
    showSavedFeedback_ = true;
    if (feedbackTimer_)
        scheduler_.cancel(feedbackTimer_);
    feedbackTimer_ = scheduler_.runAfter(savedFeedbackTime, [this] {
        feedbackTimer_ = 0;
        showSavedFeedback_ = false;
        stateChanged.emit();
    });
    stateChanged.emit();
}

void EditSession::markUnsaved() {
    hasUnsavedChanges_ = true;
    showSavedFeedback_ = false;
    if (saveTimer_)
        scheduler_.cancel(saveTimer_);
    saveTimer_ = scheduler_.runAfter(autosaveDelay, [this] {
        saveTimer_ = 0;
        save();
    });
    stateChanged.emit();
}

void EditSession::selectionChanged() {
    commit(); // the previous template keeps its edits, without asking
    load();
}

void EditSession::storeChanged() {
    if (!draft_)
        return;
    // A rename in the sidebar reaches the draft, so the next commit does not undo it.
    const auto stored = std::ranges::find(store_.templates(), draft_->id, &Template::id);
    if (stored != store_.templates().end() && stored->name != draft_->name) {
        draft_->name = stored->name;
        draftChanged.emit();
    }
}

void EditSession::fileStatusChanged() {
    // Any save says whether the file holds the draft: one from the sidebar (a new template
    // is selected before it is saved) as much as one of the draft's own.
    if (draft_) {
        const auto stored = std::ranges::find(store_.templates(), draft_->id, &Template::id);
        const bool inFile =
            stored != store_.templates().end() && *stored == *draft_ && store_.isStored(draft_->id);
        if (inFile)
            hasUnsavedChanges_ = false;
        else if (store_.lastSaveError())
            hasUnsavedChanges_ = true;
    }
    stateChanged.emit();
}

// Steps.

bool EditSession::editStep(std::size_t index, const std::function<void(Step&)>& change) {
    if (!draft_ || index >= draft_->steps.size())
        return false;
    edit([&](Template& item) { change(item.steps[index]); });
    return true;
}

void EditSession::addStep() {
    edit([](Template& item) { item.steps.push_back(Step::ofType(StepType::tab)); });
}

bool EditSession::deleteStep(std::size_t index) {
    if (index >= steps().size())
        return false;
    edit([&](Template& item) {
        item.steps.erase(item.steps.begin() + static_cast<std::ptrdiff_t>(index));
    });
    return true;
}

void EditSession::deleteAllSteps() {
    edit([](Template& item) { item.steps.clear(); });
}

bool EditSession::moveStep(std::size_t from, std::size_t to) {
    const std::size_t count = steps().size();
    if (from >= count || to >= count)
        return false;
    edit([&](Template& item) {
        Step moved = std::move(item.steps[from]);
        item.steps.erase(item.steps.begin() + static_cast<std::ptrdiff_t>(from));
        item.steps.insert(item.steps.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
    });
    return true;
}

bool EditSession::setType(std::size_t index, StepType type) {
    return editStep(index, [&](Step& step) { step.type = type; });
}

bool EditSession::setLabel(std::size_t index, const std::string& label) {
    return editStep(index, [&](Step& step) { step.label = label; });
}

bool EditSession::setPinned(std::size_t index, bool pinned) {
    if (index >= steps().size() || steps()[index].type != StepType::textInput)
        return false;
    return editStep(index, [&](Step& step) {
        if (!pinned)
            step.fixedValue.reset();
        else if (!step.isFixed())
            step.fixedValue = step.label.empty() ? std::string("Fixed Value") : step.label;
    });
}

bool EditSession::setFixedValue(std::size_t index, const std::string& value) {
    if (index >= steps().size() || steps()[index].type != StepType::textInput)
        return false;
    return editStep(index, [&](Step& step) {
        if (value.empty())
            step.fixedValue.reset();
        else
            step.fixedValue = value;
    });
}

bool EditSession::setPostDelay(std::size_t index, double seconds) {
    if (!std::isfinite(seconds) || seconds < 0)
        return false;
    return editStep(index, [&](Step& step) { step.postDelay = seconds; });
}

bool EditSession::setRepeatCount(std::size_t index, std::int64_t count) {
    if (count < 0)
        return false;
    return editStep(index, [&](Step& step) { step.repeatCount = count; });
}

bool EditSession::setArrowDirection(std::size_t index, ArrowDirection direction) {
    return editStep(index, [&](Step& step) { step.arrowDirection = direction; });
}

bool EditSession::setMouseButton(std::size_t index, MouseButton button) {
    return editStep(index, [&](Step& step) { step.mouseButton = button; });
}

bool EditSession::setClickType(std::size_t index, MouseClickType clickType) {
    return editStep(index, [&](Step& step) { step.mouseClickType = clickType; });
}

bool EditSession::setPosition(std::size_t index, std::optional<Point> position) {
    return editStep(index, [&](Step& step) {
        step.mousePositionX = position ? std::optional(position->x) : std::nullopt;
        step.mousePositionY = position ? std::optional(position->y) : std::nullopt;
    });
}

bool EditSession::setField(std::size_t index, std::optional<FieldIdentity> field) {
    return editStep(index, [&](Step& step) { step.field = std::move(field); });
}

std::optional<std::size_t> EditSession::indexOf(const Uuid& id) const {
    const auto& all = steps();
    const auto found = std::ranges::find(all, id, &Step::id);
    if (found == all.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - all.begin());
}

// Recording.

void EditSession::startRecording() {
    // The field the user starts in counts in the template's target only.
    recorder_.startRecording(draft_ ? draft_->targetAppBundleID : std::nullopt);
}

void EditSession::recorderChanged() {
    const RecorderState state = recorder_.state();
    if (state == RecorderState::recording) {
        offersRecording_ = false; // a new recording replaces what the last one offered
    } else if (lastRecorderState_ == RecorderState::recording &&
               !recorder_.recordedSteps().empty()) {
        insertPosition_ = steps().size();
        offersRecording_ = true;
    }
    lastRecorderState_ = state;
    stateChanged.emit();
}

void EditSession::setInsertPosition(std::size_t position) {
    insertPosition_ = std::min(position, steps().size());
    stateChanged.emit();
}

void EditSession::merge(bool replaceAll) {
    const auto& recorded = recorder_.recordedSteps();
    const auto detected = recorder_.detectedBundleID();
    offersRecording_ = false;
    edit([&](Template& item) {
        if (replaceAll) {
            item.steps = recorded;
        } else {
            const auto at = std::min(insertPosition_, item.steps.size());
            item.steps.insert(item.steps.begin() + static_cast<std::ptrdiff_t>(at),
                              recorded.begin(), recorded.end());
        }
        if (detected)
            item.targetAppBundleID = detected;
        // Recorded steps know their fields: a run can wait for them instead of the clock.
        if (std::ranges::any_of(recorded, [](const Step& step) { return step.field.has_value(); }))
            item.settings.waitForNextField = true;
    });
    stateChanged.emit();
}

void EditSession::replaceWithRecording() {
    merge(true);
}

void EditSession::insertRecording() {
    merge(false);
}

void EditSession::discardRecording() {
    offersRecording_ = false;
    stateChanged.emit();
}

// Debug.

void EditSession::runnerChanged() {
    if (debugging_ && std::holds_alternative<runner_state::Idle>(runner_.state()) &&
        !runner_.isRunning())
        debugging_ = false;
    stateChanged.emit();
}

EditSession::DebugPhase EditSession::debugPhase() const {
    if (!debugging_)
        return DebugPhase::none;
    const RunnerState& state = runner_.state();
    if (std::holds_alternative<runner_state::DebugStep>(state))
        return DebugPhase::step;
    if (std::holds_alternative<runner_state::Countdown>(state))
        return DebugPhase::countdown;
    if (std::holds_alternative<runner_state::Finished>(state))
        return DebugPhase::finished;
    return DebugPhase::none;
}

const runner_state::DebugStep* EditSession::debugStep() const {
    return debugging_ ? std::get_if<runner_state::DebugStep>(&runner_.state()) : nullptr;
}

std::optional<std::size_t> EditSession::debugStepIndex() const {
    if (const auto* step = debugStep())
        return step->stepIdx;
    return std::nullopt;
}

std::optional<long long> EditSession::debugCountdown() const {
    if (const auto* countdown =
            debugging_ ? std::get_if<runner_state::Countdown>(&runner_.state()) : nullptr)
        return countdown->remaining;
    return std::nullopt;
}

bool EditSession::canStartDebug() const {
    return !steps().empty() && std::holds_alternative<runner_state::Idle>(runner_.state()) &&
           !runner_.isRunning();
}

bool EditSession::startDebug() {
    if (!canStartDebug())
        return false;
    debugging_ = runner_.startDebug(*draft_);
    debugRefused_ = !debugging_;
    stateChanged.emit(); // no second run before this one has begun
    return debugging_;
}

void EditSession::debugNext() {
    if (debugging_)
        runner_.next();
}

void EditSession::stopDebug() {
    if (debugging_)
        runner_.stop();
}

void EditSession::dismissDebug() {
    if (debugPhase() == DebugPhase::finished)
        runner_.setState(runner_state::Idle{});
}

std::string EditSession::debugMessage() const {
    if (debugRefused_ || debugPhase() != DebugPhase::none)
        return runner_.statusMessage();
    return {};
}

} // namespace keyferry
