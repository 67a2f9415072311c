#pragma once

#include "model/Expected.h"
#include "platform/wayland/DesktopParts.h"
#include "platform/wayland/KWinReport.h"

#include <map>
#include <memory>
#include <string>

namespace keyferry::wayland {

class KWinRequests;

/// Windows and applications on KDE Plasma through a script of Keyferry's inside KWin
/// (KWinChannel): every window with its resource class (the application id), process,
/// bounds and whether it is active; activation by making a window the active one. Each
/// question is asked of KWin when it is asked of this object, nothing is remembered.
class KWinWindows final : public WindowManagement {
public:
    /// Fails with why when KWin's scripting is not on the session bus.
    static Expected<std::unique_ptr<KWinWindows>> create();
    /// Whether KWin is on the session bus.
    static bool kwinIsThere();
    /// Asks `kwin` each question.
    explicit KWinWindows(std::unique_ptr<KWinRequests> kwin);
    ~KWinWindows() override;

    std::vector<WindowInfo> windowList() override;
    std::vector<RunningApplication> runningApplications() override;
    std::optional<RunningApplication> frontmostApplication() override;
    bool activate(const RunningApplication& application) override;
    std::optional<WindowID> focusedWindow() override;
    std::optional<WindowID> windowAt(Point position) override;
    std::vector<WindowID> topLevelWindows() override;
    std::optional<WindowFacts> windowFacts(WindowID window) override;
    std::optional<Rect> layoutBounds() override;
    bool knowsProcesses() const override { return true; }
    bool knowsBounds() const override { return true; }

private:
    /// What KWin reports now; nothing when it does not answer.
    std::optional<KWinReport> refresh();
    /// KWin names windows by UUID; Keyferry by number, the same one while a window lives.
    WindowID idOf(const std::string& kwinID);
    std::optional<std::string> kwinIDOf(WindowID id) const;
    std::string cachedName(const std::string& applicationID);
    RunningApplication applicationOf(const KWinWindow& window);

    std::unique_ptr<KWinRequests> kwin_;
    std::map<std::string, WindowID> ids_;
    WindowID nextID_ = 1;
    std::map<std::string, std::string> names_; ///< .desktop files are read once per id
};

} // namespace keyferry::wayland
