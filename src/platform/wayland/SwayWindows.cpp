#include "platform/wayland/SwayWindows.h"

#include "platform/common/ApplicationNames.h"
#include "platform/wayland/SwayIpc.h"

#include <algorithm>

namespace keyferry::wayland {

SwayWindows::SwayWindows(std::unique_ptr<SwayIpc> ipc) : ipc_(std::move(ipc)) {
    refresh();
}

SwayWindows::~SwayWindows() = default;

const SwayTree& SwayWindows::refresh() {
    if (auto reply = ipc_->request(SwayIpc::Message::getTree))
        if (auto tree = parseSwayTree(*reply))
            tree_ = std::move(*tree);
    return tree_;
}

std::string SwayWindows::cachedName(const std::string& applicationID) {
    auto name = names_.find(applicationID);
    if (name == names_.end())
        name = names_.emplace(applicationID, applicationName(applicationID)).first;
    return name->second;
}

std::vector<WindowInfo> SwayWindows::windowList() {
    std::vector<WindowInfo> list;
    for (const SwayWindow& window : refresh().windows)
        if (window.visible)
            list.push_back({window.processID, window.bounds});
    return list;
}

std::vector<RunningApplication> SwayWindows::runningApplications() {
    std::vector<RunningApplication> applications;
    for (const SwayWindow& window : refresh().windows) {
        if (window.appID.empty())
            continue;
        if (std::ranges::find(applications, std::optional(window.appID),
                              &RunningApplication::bundleID) != applications.end())
            continue;
        // Every window sway manages can be switched to.
        applications.push_back({window.appID, cachedName(window.appID), window.processID, true});
    }
    return applications;
}

std::optional<RunningApplication> SwayWindows::frontmostApplication() {
    const auto focus = focusedWindow();
    if (!focus)
        return std::nullopt;
    const SwayWindow* window = tree_.find(*focus);
    if (!window)
        return std::nullopt;
    if (window->appID.empty())
        return RunningApplication{std::nullopt, std::nullopt, window->processID, true};
    return RunningApplication{window->appID, cachedName(window->appID), window->processID, true};
}

bool SwayWindows::activate(const RunningApplication& application) {
    if (!application.bundleID)
        return false;
    // The application's window that had the focus last.
    for (const SwayWindow& window : refresh().windows) {
        if (window.appID != *application.bundleID)
            continue;
        const auto reply = ipc_->request(SwayIpc::Message::runCommand,
                                         "[con_id=" + std::to_string(window.id) + "] focus");
        return reply && parseCommandSuccess(*reply);
    }
    return false; // no window to bring forward
}

std::optional<WindowID> SwayWindows::focusedWindow() {
    // Asked before every key event: the seat's focus is a short reply; the whole tree is read
    // only when the focus moved to a window not seen yet.
    const auto reply = ipc_->request(SwayIpc::Message::getSeats);
    if (!reply)
        return std::nullopt;
    const auto focus = parseSeatFocus(*reply);
    if (!focus)
        return std::nullopt;
    if (tree_.find(*focus))
        return focus;
    if (refresh().find(*focus))
        return focus;
    return std::nullopt; // a workspace or an output has the focus, no window
}

std::optional<WindowID> SwayWindows::windowAt(Point position) {
    for (const SwayWindow& window : refresh().windows)
        if (window.visible && window.bounds.contains(position))
            return window.id;
    return std::nullopt;
}

std::vector<WindowID> SwayWindows::topLevelWindows() {
    std::vector<WindowID> windows;
    for (const SwayWindow& window : refresh().windows)
        windows.push_back(window.id);
    return windows;
}

std::optional<WindowFacts> SwayWindows::windowFacts(WindowID id) {
    const SwayWindow* window = refresh().find(id);
    if (!window)
        return std::nullopt;
    WindowFacts facts;
    facts.processID = window->processID;
    if (!window->appID.empty())
        facts.bundleID = window->appID;
    // sway's tree names no parent of a dialog, and popups are no windows of their own.
    return facts;
}

std::optional<Rect> SwayWindows::layoutBounds() {
    const auto reply = ipc_->request(SwayIpc::Message::getOutputs);
    return reply ? parseOutputsBounds(*reply) : std::nullopt;
}

} // namespace keyferry::wayland
