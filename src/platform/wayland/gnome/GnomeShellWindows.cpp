#include "platform/wayland/gnome/GnomeShellWindows.h"

#include "platform/common/ApplicationNames.h"

#include <algorithm>

namespace keyferry::wayland {

const ShellWindowList& GnomeShellWindows::refresh() {
    // The shell not answering for a moment leaves the last list: better than none.
    if (auto list = shell_.windows())
        list_ = std::move(*list);
    return list_;
}

RunningApplication GnomeShellWindows::applicationOf(const ShellWindow& window) {
    if (window.wmClass.empty())
        return {std::nullopt, std::nullopt, window.processID, true};
    auto name = names_.find(window.wmClass);
    if (name == names_.end())
        name = names_.emplace(window.wmClass, applicationName(window.wmClass)).first;
    return {window.wmClass, name->second, window.processID, true};
}

std::vector<WindowInfo> GnomeShellWindows::windowList() {
    std::vector<WindowInfo> list;
    for (const ShellWindow& window : refresh().windows)
        if (!window.minimized)
            list.push_back({window.processID, window.frame});
    return list;
}

std::vector<RunningApplication> GnomeShellWindows::runningApplications() {
    std::vector<RunningApplication> applications;
    for (const ShellWindow& window : refresh().windows) {
        if (window.wmClass.empty() ||
            std::ranges::find(applications, std::optional(window.wmClass),
                              &RunningApplication::bundleID) != applications.end())
            continue;
        applications.push_back(applicationOf(window));
    }
    return applications;
}

std::optional<RunningApplication> GnomeShellWindows::frontmostApplication() {
    const ShellWindow* focused = refresh().focused();
    if (!focused)
        return std::nullopt;
    return applicationOf(*focused);
}

bool GnomeShellWindows::activate(const RunningApplication& application) {
    if (!application.bundleID)
        return false;
    // The application's front window: the list runs front to back.
    for (const ShellWindow& window : refresh().windows)
        if (window.wmClass == *application.bundleID)
            return shell_.activate(window.id);
    return false;
}

std::optional<WindowID> GnomeShellWindows::focusedWindow() {
    const ShellWindow* focused = refresh().focused();
    return focused ? std::optional(focused->id) : std::nullopt;
}

std::optional<WindowID> GnomeShellWindows::windowAt(Point position) {
    for (const ShellWindow& window : refresh().windows)
        if (!window.minimized && window.frame.contains(position))
            return window.id;
    return std::nullopt;
}

std::vector<WindowID> GnomeShellWindows::topLevelWindows() {
    std::vector<WindowID> windows;
    for (const ShellWindow& window : refresh().windows)
        windows.push_back(window.id);
    return windows;
}

std::optional<WindowFacts> GnomeShellWindows::windowFacts(WindowID id) {
    const ShellWindow* window = refresh().find(id);
    if (!window)
        return std::nullopt;
    WindowFacts facts;
    facts.processID = window->processID;
    if (!window->wmClass.empty())
        facts.bundleID = window->wmClass;
    if (window->transientFor != 0)
        facts.transientFor = window->transientFor;
    return facts;
}

std::optional<Rect> GnomeShellWindows::layoutBounds() {
    return refresh().screen;
}

} // namespace keyferry::wayland
