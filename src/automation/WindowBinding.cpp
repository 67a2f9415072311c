#include "automation/WindowBinding.h"

#include <algorithm>

namespace keyferry {

WindowBinding::WindowBinding(DesktopServices& desktop, std::optional<std::string> targetBundleID)
    : desktop_(desktop), target_(std::move(targetBundleID)) {
    for (WindowID window : desktop_.topLevelWindows())
        if (const auto identity = identify(window))
            existedBefore_.insert(*identity);
}

std::optional<WindowBinding::Identity> WindowBinding::identify(WindowID window) {
    const auto facts = desktop_.windowFacts(window);
    if (!facts)
        return std::nullopt;
    return Identity{window, facts->processID};
}

bool WindowBinding::bindToFocus() {
    const auto focus = desktop_.focusedWindow();
    if (!focus)
        return false;
    const auto facts = desktop_.windowFacts(*focus);
    if (!facts || (target_ && facts->bundleID != target_))
        return false;
    bound_ = *focus;
    boundProcessID_ = facts->processID;
    runWindows_.insert({*focus, facts->processID});
    return true;
}

bool WindowBinding::holdsFocus() {
    return bound_ && desktop_.focusedWindow() == bound_;
}

bool WindowBinding::holdsPoint(Point position) {
    if (!bound_)
        return false;
    const auto window = desktop_.windowAt(position);
    if (!window)
        return false;
    if (*window == *bound_)
        return true;
    // A menu or tooltip the bound window's own process put over it.
    const auto facts = desktop_.windowFacts(*window);
    return facts && facts->isPopup && boundProcessID_ != 0 && facts->processID == boundProcessID_;
}

bool WindowBinding::followFocus() {
    if (!bound_)
        return false;
    const auto focus = desktop_.focusedWindow();
    if (!focus)
        return false;
    const auto facts = desktop_.windowFacts(*focus);
    if (!facts)
        return false;
    const Identity identity{*focus, facts->processID};
    if (*focus == *bound_ && facts->processID == boundProcessID_)
        return true;
    if (!runWindows_.contains(identity) && !mayFollow(*focus, *facts))
        return false;
    bound_ = *focus;
    boundProcessID_ = facts->processID;
    runWindows_.insert(identity);
    return true;
}

bool WindowBinding::mayFollow(WindowID window, const WindowFacts& facts) {
    if (existedBefore_.contains({window, facts.processID}) || facts.isPopup)
        return false;
    const bool dialogOfRun =
        facts.transientFor && std::ranges::any_of(runWindows_, [&](const Identity& known) {
            return known.first == *facts.transientFor;
        });
    const bool sameProcess = boundProcessID_ != 0 && facts.processID == boundProcessID_;
    const bool sameApplication = target_ && facts.bundleID == target_;
    return dialogOfRun || sameProcess || sameApplication;
}

} // namespace keyferry
