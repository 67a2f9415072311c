#pragma once

#include "platform/wayland/DesktopParts.h"
#include "platform/wayland/gnome/GnomeShell.h"

#include <map>
#include <string>

namespace keyferry::wayland {

/// Windows and applications on GNOME, through Keyferry's shell extension: class, pid,
/// frame and focus of every window, activation of one. Applications are told apart by their
/// window class (the app_id of a Wayland client).
class GnomeShellWindows final : public WindowManagement {
public:
    explicit GnomeShellWindows(GnomeShell shell) : shell_(std::move(shell)) {}

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

    const GnomeShell& shell() const { return shell_; }

private:
    const ShellWindowList& refresh();
    RunningApplication applicationOf(const ShellWindow& window);

    GnomeShell shell_;
    ShellWindowList list_;
    std::map<std::string, std::string> names_;
};

} // namespace keyferry::wayland
