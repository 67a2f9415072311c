#pragma once

#include "platform/wayland/DesktopParts.h"
#include "platform/wayland/SwayTree.h"

#include <map>
#include <memory>

namespace keyferry::wayland {

class SwayIpc;

/// Windows and applications through sway's IPC: every window with its app_id (the
/// application id on Wayland), process, bounds and focus; activation by a focus command.
class SwayWindows final : public WindowManagement {
public:
    explicit SwayWindows(std::unique_ptr<SwayIpc> ipc);
    ~SwayWindows() override;

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
    /// Reads the whole tree again; the last one read stays when sway does not answer.
    const SwayTree& refresh();
    std::string cachedName(const std::string& applicationID);

    std::unique_ptr<SwayIpc> ipc_;
    SwayTree tree_;
    std::map<std::string, std::string> names_; ///< .desktop files are read once per id
};

} // namespace keyferry::wayland
