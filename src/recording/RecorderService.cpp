#include "recording/RecorderService.h"

#include "automation/FieldMatch.h"

#include <algorithm>

namespace keyferry {

namespace {

Step newStep(StepType type, double postDelay, std::string label = {}) {
    Step step = Step::ofType(type);
    step.postDelay = postDelay;
    step.label = std::move(label);
    return step;
}

const KeyCombination escape{Key::escape, {}};
const KeyCombination optionSpace{Key::space, Modifier::alt};

} // namespace

RecorderService::RecorderService(DesktopServices& desktop, Scheduler& scheduler)
    : desktop_(desktop), scheduler_(scheduler), followsFocusOnly_(!desktop.canWatchKeys()),
      startField_(desktop, scheduler) {}

RecorderService::~RecorderService() {
    removeEventTap();
    cancelPendingTabs();
    startField_.stop();
}

void RecorderService::cancelPendingTabs() {
    if (tabTimer_)
        scheduler_.cancel(tabTimer_);
    tabTimer_ = 0;
    pendingTabs_.clear();
}

void RecorderService::startRecording(std::optional<std::string> target) {
    cancelPendingTabs();
    startField_.stop();
    recordedSteps_.clear();
    onlyStartField_ = false;
    startFieldRecorded_ = false;
    lastDetectedLabel_.reset();
    detectedBundleID_.reset();
    fieldLeft_ = followsFocusOnly_ ? std::nullopt : queryFocusedElement().field;
    const auto focusedAtStart =
        followsFocusOnly_ ? desktop_.focusedElement() : std::optional<FocusedElement>{};
    focusSteps_ = FocusStepBuilder{focusedAtStart};
    state_ = RecorderState::recording;
    changed.emit();
    if (followsFocusOnly_)
        installFocusWatch();
    else
        installEventTap();
    if (state_ != RecorderState::recording)
        return;
    const auto found = [this](const FocusedElement& field, const RunningApplication& in) {
        recordStartField(field, in);
    };
    if (!followsFocusOnly_) {
        startField_.start(std::move(target), found);
        return;
    }
    // The focus entering the application later is reported as any move is; only the field
    // focused now would go unrecorded (its announcement again is no move).
    const auto front =
        desktop_.isOwnApplicationActive() ? std::nullopt : desktop_.frontmostApplication();
    if (focusedAtStart && front && (!target || front->bundleID == target) &&
        isStartField(*focusedAtStart, *front))
        found(*focusedAtStart, *front);
}

void RecorderService::recordStartField(const FocusedElement& field, const RunningApplication& in) {
    if (!recordedSteps_.empty())
        return;
    detectedBundleID_ = in.bundleID;
    Step step =
        newStep(StepType::textInput, 0.3,
                FocusStepBuilder::fieldLabel(field).value_or(FocusStepBuilder::numberedLabel(1)));
    step.field = fieldIdentity(field);
    fieldLeft_ = step.field;
    lastDetectedLabel_ = step.label;
    append(std::move(step));
    onlyStartField_ = true;
    startFieldRecorded_ = true;
    changed.emit();
}

void RecorderService::userActed() {
    startField_.stop();
}

void RecorderService::installFocusWatch() {
    removeEventTap();
    focusWatch_ =
        desktop_.watchFocus([this](const FocusedElement& element) { handleFocus(element); });
    // Escape ends the recording, Alt+Space changes the last step's type, as on X11.
    escapeBinding_ = desktop_.bindKeys({escape, optionSpace},
                                       [this](const InputEvent& event) { handle(event); });
    if (!focusWatch_ || !escapeBinding_) {
        removeEventTap();
        state_ = RecorderState::idle;
        changed.emit();
    }
}

void RecorderService::handleFocus(const FocusedElement& element) {
    const bool inKeyferry = desktop_.isOwnApplicationActive();
    auto step = focusSteps_.focusEntered(element, inKeyferry, recordedSteps_.size() + 1);
    if (!step)
        return;
    // Back in the start field after one element (Shift+Tab, then Tab: how recording had to
    // begin before): that element was passed on the way, and the start field is a step already.
    if (startFieldRecorded_ && recordedSteps_.size() == 2 &&
        step->field == recordedSteps_.front().field) {
        recordedSteps_.pop_back();
        lastDetectedLabel_ = recordedSteps_.front().label;
        startFieldRecorded_ = false; // once: further on, going back is a move of its own
        changed.emit();
        return;
    }
    detectApplication();
    if (step->type == StepType::textInput)
        lastDetectedLabel_ = step->label;
    else
        lastDetectedLabel_.reset();
    append(std::move(*step));
    changed.emit();
}

void RecorderService::installEventTap() {
    removeEventTap();
    eventTap_ = desktop_.listenAndConsume(
        {InputEvent::Type::keyDown, InputEvent::Type::leftMouseDown,
         InputEvent::Type::rightMouseDown},
        {escape, optionSpace}, [this](const InputEvent& event) { handle(event); });
    if (!eventTap_) {
        state_ = RecorderState::idle;
        changed.emit();
        return;
    }
    const auto refused = eventTap_->unconsumable();
    optionSpaceAlsoReachesOthers_ = std::ranges::find(refused, optionSpace) != refused.end();
    if (optionSpaceAlsoReachesOthers_)
        changed.emit();
}

void RecorderService::removeEventTap() {
    eventTap_.reset();
    focusWatch_.reset();
    escapeBinding_.reset();
}

void RecorderService::handle(const InputEvent& event) {
    if (event.type == InputEvent::Type::tapDisabled) {
        if (eventTap_)
            eventTap_->reenable();
        return;
    }
    // Keyferry's own input (a run, a debug step) and work in Keyferry's windows are not
    // part of the recording.
    if (event.synthetic || event.ownApplicationActive)
        return;
    // Alt+Tab switches windows: no move through the form.
    if (event.type == InputEvent::Type::keyDown && event.key == Key::tab &&
        event.modifiers.contains(Modifier::alt))
        return;
    userActed();
    if (event.type != InputEvent::Type::keyDown) {
        const MouseButton button =
            event.type == InputEvent::Type::rightMouseDown ? MouseButton::right : MouseButton::left;
        const MouseClickType clickType =
            event.clickState > 1 ? MouseClickType::double_ : MouseClickType::single;
        handleMouseClickEvent(button, clickType, event.position);
        return;
    }
    switch (event.key) {
    case Key::tab:
        if (event.modifiers.contains(Modifier::shift)) {
            // Back before the field the recording started in, as users were told to begin:
            // the Tab that follows records that field again, so it is not a step twice.
            if (onlyStartField_ && pendingTabs_.empty()) {
                recordedSteps_.clear();
                onlyStartField_ = false;
                lastDetectedLabel_.reset();
                changed.emit();
            }
        } else {
            // The application moves the focus first; the element examined is the new one.
            pendingTabs_.push_back(scheduler_.now());
            if (!tabTimer_)
                tabTimer_ = scheduler_.runAfter(tabSettle, [this] { examineFirstTab(); });
        }
        break;
    case Key::returnKey:
        handleReturnEvent();
        break;
    case Key::space:
        if (event.modifiers.contains(Modifier::alt))
            toggleLastStepType();
        break;
    case Key::escape: {
        removeEventTap();
        // A Tab pressed just before Escape still counts: examine its focus now.
        const std::size_t pending = pendingTabs_.size();
        cancelPendingTabs();
        for (std::size_t i = 0; i < pending; ++i)
            recordTab(queryFocusedElement());
        state_ = RecorderState::idle;
        changed.emit();
        break;
    }
    case Key::left:
        handleArrowEvent(ArrowDirection::left);
        break;
    case Key::right:
        handleArrowEvent(ArrowDirection::right);
        break;
    case Key::down:
        handleArrowEvent(ArrowDirection::down);
        break;
    case Key::up:
        handleArrowEvent(ArrowDirection::up);
        break;
    default:
        break;
    }
}

void RecorderService::detectApplication() {
    if (detectedBundleID_)
        return;
    if (const auto front = desktop_.frontmostApplication())
        detectedBundleID_ = front->bundleID;
}

namespace {

RecorderService::FocusQuery focusQueryOf(const std::optional<FocusedElement>& element) {
    if (!element)
        return {};
    RecorderService::FocusQuery query;
    query.role = element->role;
    query.label = FocusStepBuilder::fieldLabel(*element);
    query.field = fieldIdentity(*element);
    return query;
}

} // namespace

RecorderService::FocusQuery RecorderService::queryFocusedElement() {
    return focusQueryOf(desktop_.focusedElement());
}

RecorderService::FocusQuery RecorderService::queryFocusedElementOnceAnnounced() {
    return focusQueryOf(desktop_.focusedElementOnceAnnounced());
}

void RecorderService::append(Step step) {
    onlyStartField_ = false;
    recordedSteps_.push_back(std::move(step));
}

void RecorderService::examineFirstTab() {
    tabTimer_ = 0;
    if (pendingTabs_.empty())
        return;
    const auto waited = scheduler_.now() - pendingTabs_.front();
    const bool patient = fieldLeft_ && waited < longestTabWait;
    const FocusQuery focus = patient ? queryFocusedElementOnceAnnounced() : queryFocusedElement();
    if (patient && (!focus.field || focus.field == fieldLeft_)) { // not moved on yet
        tabTimer_ = scheduler_.runAfter(tabFocusPoll, [this] { examineFirstTab(); });
        return;
    }
    pendingTabs_.pop_front();
    recordTab(focus);
    if (!pendingTabs_.empty()) {
        const auto settled = pendingTabs_.front() + tabSettle - scheduler_.now();
        tabTimer_ = scheduler_.runAfter(std::max(settled, Scheduler::Duration{0}),
                                        [this] { examineFirstTab(); });
    }
}

void RecorderService::recordTab(const FocusQuery& focus) {
    detectApplication();
    // The step acts on the element the Tab reached: that is the field it records.
    Step step;
    if (focus.role && FocusStepBuilder::takesText(*focus.role)) {
        const std::string label =
            focus.label.value_or(FocusStepBuilder::numberedLabel(recordedSteps_.size() + 1));
        step = newStep(StepType::textInput, 0.3, label);
        lastDetectedLabel_ = label;
    } else {
        step = newStep(StepType::tab, 0);
        lastDetectedLabel_.reset();
    }
    step.field = focus.field;
    fieldLeft_ = focus.field;
    append(std::move(step));
    changed.emit();
}

void RecorderService::handleReturnEvent() {
    fieldLeft_.reset(); // Return may send the form: where the focus goes is not known
    Step step = newStep(StepType::returnKey, 0.3);
    step.field = queryFocusedElement().field; // the element Return was pressed on
    // Return on the element the last Tab reached is what the user did there, in place of a
    // Tab: replaying both would move on and press Return on the element after it.
    if (!recordedSteps_.empty() && recordedSteps_.back().type == StepType::tab && step.field &&
        recordedSteps_.back().field == step.field) {
        step.id = recordedSteps_.back().id;
        recordedSteps_.back() = std::move(step);
    } else {
        append(std::move(step));
    }
    lastDetectedLabel_.reset();
    changed.emit();
}

void RecorderService::handleArrowEvent(ArrowDirection direction) {
    fieldLeft_.reset(); // arrows may move the focus within a group
    if (!recordedSteps_.empty() && recordedSteps_.back().type == StepType::arrowKey &&
        recordedSteps_.back().arrowDirection == direction) {
        ++recordedSteps_.back().repeatCount;
    } else {
        Step step = newStep(StepType::arrowKey, 0.1);
        step.arrowDirection = direction;
        step.field = queryFocusedElement().field;
        append(std::move(step));
    }
    lastDetectedLabel_.reset();
    changed.emit();
}

void RecorderService::handleMouseClickEvent(MouseButton button, MouseClickType clickType,
                                            Point position) {
    fieldLeft_.reset(); // a click may put the focus anywhere
    detectApplication();
    std::optional<Point> relative;
    if (detectedBundleID_) {
        // The window rule of replay, so a recorded position lands on the same spot.
        std::optional<int> processID;
        for (const auto& application : desktop_.runningApplications())
            if (application.bundleID == detectedBundleID_) {
                processID = application.processID;
                break;
            }
        if (processID)
            for (const WindowInfo& window : desktop_.windowList())
                if (window.ownerProcessID == *processID && window.bounds.width > 0 &&
                    window.bounds.height > 0) {
                    relative = Point{position.x - window.bounds.x, position.y - window.bounds.y};
                    break;
                }
    }
    if (clickType == MouseClickType::double_ && !recordedSteps_.empty()) {
        Step& last = recordedSteps_.back();
        if (last.type == StepType::mouseClick && last.mouseClickType == MouseClickType::single &&
            last.mouseButton == button) {
            last.mouseClickType = MouseClickType::double_;
            changed.emit();
            return;
        }
    }
    Step step = newStep(StepType::mouseClick, 0.3);
    step.mouseButton = button;
    step.mouseClickType = clickType;
    if (relative) {
        step.mousePositionX = relative->x;
        step.mousePositionY = relative->y;
    }
    append(std::move(step));
    lastDetectedLabel_.reset();
    changed.emit();
}

void RecorderService::toggleLastStepType() {
    if (recordedSteps_.empty())
        return;
    Step& last = recordedSteps_.back();
    if (last.type != StepType::tab && last.type != StepType::textInput)
        return;
    Step replacement;
    replacement.id = last.id;
    replacement.postDelay = last.postDelay;
    replacement.repeatCount = last.repeatCount;
    replacement.field = last.field;
    if (last.type == StepType::tab) {
        replacement.type = StepType::textInput;
        replacement.label = queryFocusedElement().label.value_or(
            FocusStepBuilder::numberedLabel(recordedSteps_.size()));
    } else {
        replacement.type = StepType::tab;
    }
    last = std::move(replacement);
    changed.emit();
}

} // namespace keyferry
