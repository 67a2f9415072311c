#include "automation/AutomationEngine.h"

#include "csv/UnicodeText.h"

#include <algorithm>

namespace keyferry {

AutomationEngine::AutomationEngine(DesktopServices& desktop, Scheduler& scheduler)
    : desktop_(desktop), scheduler_(scheduler) {}

AutomationEngine::~AutomationEngine() {
    releaseEverythingPressed();
}

bool AutomationEngine::mayPress() {
    if (!guardedTarget_)
        return true;
    if (!targetLost_ && !isAppFrontmost(*guardedTarget_))
        targetLost_ = true;
    return !targetLost_;
}

bool AutomationEngine::post(Key key, Modifiers modifiers, bool down) {
    if (down && !mayPress())
        return false;
    const bool posted = desktop_.postKey(key, modifiers, down);
    if (down && posted)
        keysDown_.insert({key, modifiers.bits()});
    if (!down)
        keysDown_.erase({key, modifiers.bits()});
    return posted;
}

bool AutomationEngine::postButton(MouseButton button, Point position, bool down, int clickState) {
    if (down && !mayPress())
        return false;
    const bool posted = desktop_.postMouseButton(button, position, down, clickState);
    if (down && posted)
        buttonsDown_.push_back({button, position});
    if (!down)
        std::erase_if(buttonsDown_, [&](const ButtonDown& b) { return b.button == button; });
    return posted;
}

void AutomationEngine::releaseEverythingPressed() {
    const auto keys = keysDown_;
    for (const auto& [key, bits] : keys) {
        Modifiers modifiers;
        for (Modifier m : {Modifier::control, Modifier::shift, Modifier::alt})
            if (bits & static_cast<std::uint8_t>(m))
                modifiers = modifiers | m;
        post(key, modifiers, false);
    }
    const auto buttons = buttonsDown_;
    for (const ButtonDown& down : buttons)
        postButton(down.button, down.position, false, 1);
}

Task<void> AutomationEngine::pressKey(Key key, Modifiers modifiers, Cancellation cancellation) {
    // A key whose down event cannot be posted is skipped, and so is its release.
    if (!post(key, modifiers, true))
        co_return;
    co_await sleepFor(scheduler_, keyHold, cancellation);
    post(key, modifiers, false);
    if (!modifiers.empty())
        co_await sleepFor(scheduler_, shortPause, cancellation);
}

Task<bool> AutomationEngine::typeText(std::string text, double interCharDelay,
                                      Cancellation cancellation) {
    if (text.empty())
        co_return true;
    const auto delay = secondsToDuration(interCharDelay);
    desktop_.beginText(text);
    bool typed = true;
    for (std::string_view character : graphemeClusters(text)) {
        if (!mayPress())
            break; // not a failure to type: the run sees targetLost() and pauses
        if (!desktop_.postCharacter(character)) {
            typed = false;
            break;
        }
        co_await sleepFor(scheduler_, delay, cancellation);
    }
    desktop_.endText();
    co_return typed;
}

Task<void> AutomationEngine::performMouseClick(MouseButton button, MouseClickType clickType,
                                               Point position, Cancellation cancellation) {
    if (!postButton(button, position, true, 1))
        co_return;
    co_await sleepFor(scheduler_, keyHold, cancellation);
    postButton(button, position, false, 1);
    if (clickType != MouseClickType::double_)
        co_return;
    co_await sleepFor(scheduler_, shortPause, cancellation);
    if (!postButton(button, position, true, 2))
        co_return;
    co_await sleepFor(scheduler_, keyHold, cancellation);
    postButton(button, position, false, 2);
}

Task<void> AutomationEngine::postDelay(double seconds, Cancellation cancellation) {
    if (seconds > 0)
        co_await sleepFor(scheduler_, secondsToDuration(seconds), cancellation);
}

Task<void> AutomationEngine::repeatKey(Key key, std::int64_t count, double gap,
                                       Cancellation cancellation) {
    for (std::int64_t i = 0; i < count; ++i) {
        if (i > 0)
            co_await postDelay(gap, cancellation);
        co_await pressKey(key, {}, cancellation);
    }
}

Task<bool> AutomationEngine::executeStep(Step step, std::optional<std::string> value,
                                         Template::Settings settings,
                                         std::optional<std::string> targetBundleID,
                                         Cancellation cancellation) {
    targetLost_ = false;
    switch (step.type) {
    case StepType::textInput:
        co_await pressKey(Key::a, Modifier::control, cancellation);
        co_await sleepFor(scheduler_, afterSelectAll, cancellation);
        co_await pressKey(Key::backspace, {}, cancellation);
        co_await sleepFor(scheduler_, shortPause, cancellation);
        if (value && !value->empty()) {
            if (!co_await typeText(*value, settings.interCharDelay, cancellation))
                co_return false;
        }
        co_await sleepFor(scheduler_, shortPause, cancellation);
        co_await pressKey(Key::tab, {}, cancellation);
        co_await postDelay(step.postDelay, cancellation);
        co_return true;
    case StepType::tab:
        co_await pressKey(Key::tab, {}, cancellation);
        co_await postDelay(step.postDelay, cancellation);
        co_return true;
    case StepType::returnKey:
        co_await pressKey(Key::returnKey, {}, cancellation);
        co_await postDelay(step.postDelay, cancellation);
        co_return true;
    case StepType::wait:
        co_return true;
    case StepType::pause:
        co_await postDelay(step.postDelay, cancellation);
        co_return true;
    case StepType::skipTabs:
        co_await repeatKey(Key::tab, step.repeatCount, step.postDelay, cancellation);
        co_return true;
    case StepType::selectAllClear:
        co_await pressKey(Key::a, Modifier::control, cancellation);
        co_await sleepFor(scheduler_, afterSelectAll, cancellation);
        co_await pressKey(Key::backspace, {}, cancellation);
        co_await sleepFor(scheduler_, shortPause, cancellation);
        co_await postDelay(step.postDelay, cancellation);
        co_return true;
    case StepType::arrowKey: {
        Key arrow = Key::down;
        switch (step.arrowDirection.value_or(ArrowDirection::down)) {
        case ArrowDirection::up:
            arrow = Key::up;
            break;
        case ArrowDirection::down:
            arrow = Key::down;
            break;
        case ArrowDirection::left:
            arrow = Key::left;
            break;
        case ArrowDirection::right:
            arrow = Key::right;
            break;
        }
        co_await repeatKey(arrow, step.repeatCount, step.postDelay, cancellation);
        co_return true;
    }
    case StepType::mouseClick: {
        Point position;
        if (step.mousePositionX && step.mousePositionY) {
            const auto window = targetBundleID ? windowBounds(*targetBundleID) : std::nullopt;
            if (!window)
                co_return true; // the recorded spot cannot be placed: skipped
            position = {window->x + *step.mousePositionX, window->y + *step.mousePositionY};
        } else {
            position = desktop_.pointerLocation().value_or(Point{});
        }
        co_await performMouseClick(step.mouseButton.value_or(MouseButton::left),
                                   step.mouseClickType.value_or(MouseClickType::single), position,
                                   cancellation);
        co_await postDelay(step.postDelay, cancellation);
        co_return true;
    }
    }
    co_return true;
}

std::optional<RunningApplication> AutomationEngine::firstRunning(const std::string& bundleID) {
    for (auto& application : desktop_.runningApplications())
        if (application.bundleID == bundleID)
            return application;
    return std::nullopt;
}

std::optional<Rect> AutomationEngine::windowBounds(const std::string& bundleID) {
    const auto application = firstRunning(bundleID);
    if (!application)
        return std::nullopt;
    for (const WindowInfo& window : desktop_.windowList())
        if (window.ownerProcessID == application->processID && window.bounds.width > 0 &&
            window.bounds.height > 0)
            return window.bounds;
    return std::nullopt;
}

bool AutomationEngine::isAppFrontmost(const std::string& bundleID) {
    const auto front = desktop_.frontmostApplication();
    return front && front->bundleID == bundleID;
}

Task<bool> AutomationEngine::activateAndWait(std::string bundleID, Cancellation cancellation) {
    const auto application = firstRunning(bundleID);
    if (!application || !desktop_.activate(*application))
        co_return false;
    for (int poll = 0; poll < activationPolls; ++poll) {
        co_await sleepFor(scheduler_, activationPoll, cancellation);
        if (isAppFrontmost(bundleID))
            co_return true;
    }
    co_return isAppFrontmost(bundleID);
}

std::vector<AutomationEngine::AppEntry> AutomationEngine::runningApps(DesktopServices& desktop) {
    std::vector<AppEntry> entries;
    for (const auto& application : desktop.runningApplications())
        if (application.isRegular && application.name && application.bundleID)
            entries.push_back({*application.name, *application.bundleID});
    std::ranges::stable_sort(entries, std::less<>{}, &AppEntry::name);
    return entries;
}

} // namespace keyferry
