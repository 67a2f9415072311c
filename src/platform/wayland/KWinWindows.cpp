#include "platform/wayland/KWinWindows.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "platform/common/ApplicationNames.h"
#include "platform/wayland/KWinChannel.h"

#include <algorithm>

namespace keyferry::wayland {

Expected<std::unique_ptr<KWinWindows>> KWinWindows::create() {
    auto channel = KWinChannel::open();
    if (!channel)
        return Unexpected{channel.error()};
    return std::make_unique<KWinWindows>(std::move(*channel));
}

bool KWinWindows::kwinIsThere() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.kde.KWin"));
}

KWinWindows::KWinWindows(std::unique_ptr<KWinRequests> kwin) : kwin_(std::move(kwin)) {}

KWinWindows::~KWinWindows() = default;

std::optional<KWinReport> KWinWindows::refresh() {
    auto report = kwin_->report();
    if (!report)
        return std::nullopt;
    return std::move(*report);
}

WindowID KWinWindows::idOf(const std::string& kwinID) {
    const auto [entry, added] = ids_.try_emplace(kwinID, nextID_);
    if (added)
        ++nextID_;
    return entry->second;
}

std::optional<std::string> KWinWindows::kwinIDOf(WindowID id) const {
    const auto found = std::ranges::find(ids_, id, [](const auto& entry) { return entry.second; });
    if (found == ids_.end())
        return std::nullopt;
    return found->first;
}

std::string KWinWindows::cachedName(const std::string& applicationID) {
    auto name = names_.find(applicationID);
    if (name == names_.end())
        name = names_.emplace(applicationID, applicationName(applicationID)).first;
    return name->second;
}

RunningApplication KWinWindows::applicationOf(const KWinWindow& window) {
    if (window.resourceClass.empty())
        return {std::nullopt, std::nullopt, window.processID, window.normal};
    return {window.resourceClass, cachedName(window.resourceClass), window.processID,
            window.normal && !window.skipTaskbar};
}

std::vector<WindowInfo> KWinWindows::windowList() {
    std::vector<WindowInfo> list;
    if (const auto report = refresh())
        for (const KWinWindow& window : report->windows)
            if (!window.minimized)
                list.push_back({window.processID, window.client});
    return list;
}

std::vector<RunningApplication> KWinWindows::runningApplications() {
    std::vector<RunningApplication> applications;
    const auto report = refresh();
    if (!report)
        return applications;
    for (const KWinWindow& window : report->windows) {
        if (window.resourceClass.empty())
            continue;
        const RunningApplication application = applicationOf(window);
        const auto known =
            std::ranges::find(applications, application.bundleID, &RunningApplication::bundleID);
        if (known == applications.end())
            applications.push_back(application);
        else
            known->isRegular = known->isRegular || application.isRegular;
    }
    return applications;
}

std::optional<RunningApplication> KWinWindows::frontmostApplication() {
    const auto report = refresh();
    const KWinWindow* active = report ? report->active() : nullptr;
    if (!active)
        return std::nullopt;
    return applicationOf(*active);
}

bool KWinWindows::activate(const RunningApplication& application) {
    if (!application.bundleID)
        return false;
    const auto report = refresh();
    if (!report)
        return false;
    // The application's front-most window that is not minimised, else its front-most one.
    const KWinWindow* chosen = nullptr;
    for (const KWinWindow& window : report->windows) {
        if (window.resourceClass != *application.bundleID || !window.normal)
            continue;
        if (!chosen || (chosen->minimized && !window.minimized))
            chosen = &window;
    }
    if (!chosen)
        return false; // no window to bring forward
    const auto answer = kwin_->activate(chosen->id);
    return answer && answer->activated.value_or(false);
}

std::optional<WindowID> KWinWindows::focusedWindow() {
    const auto report = refresh();
    const KWinWindow* active = report ? report->active() : nullptr;
    if (!active)
        return std::nullopt;
    return idOf(active->id);
}

std::optional<WindowID> KWinWindows::windowAt(Point position) {
    if (const auto report = refresh())
        for (const KWinWindow& window : report->windows)
            if (!window.minimized && window.frame.contains(position))
                return idOf(window.id);
    return std::nullopt;
}

std::vector<WindowID> KWinWindows::topLevelWindows() {
    std::vector<WindowID> windows;
    if (const auto report = refresh())
        for (const KWinWindow& window : report->windows)
            windows.push_back(idOf(window.id));
    return windows;
}

std::optional<WindowFacts> KWinWindows::windowFacts(WindowID id) {
    const auto kwinID = kwinIDOf(id);
    if (!kwinID)
        return std::nullopt;
    const auto report = refresh();
    const KWinWindow* window = report ? report->find(*kwinID) : nullptr;
    if (!window)
        return std::nullopt;
    WindowFacts facts;
    facts.processID = window->processID;
    if (!window->resourceClass.empty())
        facts.bundleID = window->resourceClass;
    if (window->transientFor)
        facts.transientFor = idOf(*window->transientFor);
    facts.isPopup = window->popup;
    return facts;
}

std::optional<Rect> KWinWindows::layoutBounds() {
    const auto report = refresh();
    return report ? report->screen : std::nullopt;
}

} // namespace keyferry::wayland
