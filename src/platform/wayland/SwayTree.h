#pragma once

#include "automation/DesktopServices.h"
#include "model/Expected.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry::wayland {

/// A window as sway's tree describes it.
struct SwayWindow {
    WindowID id = 0;   ///< sway's container id
    int processID = 0; ///< 0 when unknown
    std::string appID; ///< the Wayland app_id, or the X class for Xwayland windows
    std::string title;
    Rect bounds; ///< the client's content, in desktop coordinates
    bool visible = false;
    bool floating = false;
    bool focused = false;
};

/// What get_tree reports: every window, front to back (floating ones over tiled ones, each
/// by how recently it had the focus), and the focused one.
struct SwayTree {
    std::vector<SwayWindow> windows;
    std::optional<WindowID> focused;

    const SwayWindow* find(WindowID id) const;
};

/// Reads the JSON reply of get_tree; an error when it is not such a reply.
Expected<SwayTree> parseSwayTree(std::string_view json);
/// The id in the focus field of the first seat of a get_seats reply.
std::optional<WindowID> parseSeatFocus(std::string_view json);
/// The box around the active outputs of a get_outputs reply.
std::optional<Rect> parseOutputsBounds(std::string_view json);
/// Whether every command of a run_command reply succeeded.
bool parseCommandSuccess(std::string_view json);

} // namespace keyferry::wayland
