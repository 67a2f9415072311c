#pragma once

#include "platform/wayland/DesktopParts.h"
#include "platform/wayland/WaylandHandles.h"

#include <cstdint>
#include <memory>
#include <vector>

struct wl_array;
struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_foreign_toplevel_handle_v1;

namespace keyferry::wayland {

class WaylandConnection;

/// Windows and applications through the wlroots foreign toplevel protocol, for compositors
/// without sway's IPC: each window's app_id, title, parent and whether it is the active one,
/// and activation. The protocol names no process and no position: processes are 0, bounds are
/// empty and no window is found at a point.
class ForeignToplevelWindows final : public WindowManagement {
public:
    /// Nothing when the compositor does not offer the protocol.
    static std::unique_ptr<ForeignToplevelWindows> create(WaylandConnection& connection);
    ForeignToplevelWindows(const ForeignToplevelWindows&) = delete;
    ForeignToplevelWindows& operator=(const ForeignToplevelWindows&) = delete;
    ~ForeignToplevelWindows() override;

    std::vector<WindowInfo> windowList() override;
    std::vector<RunningApplication> runningApplications() override;
    std::optional<RunningApplication> frontmostApplication() override;
    bool activate(const RunningApplication& application) override;
    std::optional<WindowID> focusedWindow() override;
    std::optional<WindowID> windowAt(Point position) override;
    std::vector<WindowID> topLevelWindows() override;
    std::optional<WindowFacts> windowFacts(WindowID window) override;
    std::optional<Rect> layoutBounds() override { return std::nullopt; }
    bool knowsProcesses() const override { return false; }
    bool knowsBounds() const override { return false; }

private:
    struct Toplevel {
        WindowID id = 0;
        zwlr_foreign_toplevel_handle_v1* handle = nullptr;
        std::string appID, pendingAppID;
        bool activated = false, pendingActivated = false;
        bool minimized = false, pendingMinimized = false;
        zwlr_foreign_toplevel_handle_v1* parent = nullptr;
        std::uint64_t lastActivated = 0; ///< for the front-to-back order
    };

    explicit ForeignToplevelWindows(WaylandConnection& connection);
    static void destroyManager(zwlr_foreign_toplevel_manager_v1* manager);

    /// Handles what the compositor has sent; the windows, front to back.
    const std::vector<std::unique_ptr<Toplevel>>& current();
    Toplevel* find(zwlr_foreign_toplevel_handle_v1* handle);
    const Toplevel* find(WindowID id) const;

    static void onToplevel(void* data, zwlr_foreign_toplevel_manager_v1* manager,
                           zwlr_foreign_toplevel_handle_v1* handle);
    static void onFinished(void* data, zwlr_foreign_toplevel_manager_v1* manager);
    static void onAppID(void* data, zwlr_foreign_toplevel_handle_v1* handle, const char* appID);
    static void onState(void* data, zwlr_foreign_toplevel_handle_v1* handle, wl_array* states);
    static void onDone(void* data, zwlr_foreign_toplevel_handle_v1* handle);
    static void onClosed(void* data, zwlr_foreign_toplevel_handle_v1* handle);
    static void onParent(void* data, zwlr_foreign_toplevel_handle_v1* handle,
                         zwlr_foreign_toplevel_handle_v1* parent);

    WaylandConnection& connection_;
    Handle<zwlr_foreign_toplevel_manager_v1, destroyManager> manager_;
    std::vector<std::unique_ptr<Toplevel>> toplevels_;
    WindowID nextID_ = 1;
    std::uint64_t activations_ = 0;
};

} // namespace keyferry::wayland
