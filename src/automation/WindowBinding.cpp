#include "automation/WindowBinding.h"

namespace keyferry {

WindowBinding::WindowBinding(DesktopServices& desktop, std::optional<std::string> targetBundleID)
    : desktop_(desktop), target_(std::move(targetBundleID)) {
    for (WindowID window : desktop_.topLevelWindows())
        existedBefore_.insert(window);
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
    runWindows_.insert(*focus);
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
    if (*focus == *bound_)
        return true;
    if (!runWindows_.contains(*focus) && !mayFollow(*focus))
        return false;
    bound_ = *focus;
    runWindows_.insert(*focus);
    return true;
}

bool WindowBinding::mayFollow(WindowID window) {
    if (existedBefore_.contains(window))
        return false;
    const auto facts = desktop_.windowFacts(window);
    if (!facts || facts->isPopup)
        return false;
    const bool dialogOfRun = facts->transientFor && runWindows_.contains(*facts->transientFor);
    const bool sameProcess = boundProcessID_ != 0 && facts->processID == boundProcessID_;
    return dialogOfRun || sameProcess;
}

} // namespace keyferry
