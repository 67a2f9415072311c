#pragma once

#include "automation/Geometry.h"
#include "model/Expected.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry::wayland {

/// A window as Keyferry's KWin script describes it.
struct KWinWindow {
    std::string id;            ///< KWin's internal id (a UUID), stable while the window lives
    std::string resourceClass; ///< the Wayland app_id, or the X class for Xwayland windows
    int processID = 0;         ///< 0 when unknown
    std::string caption;
    Rect frame;  ///< with KWin's decoration, in desktop coordinates
    Rect client; ///< the client's content; the frame when KWin does not tell it
    bool active = false;
    bool normal = false; ///< a normal window or a dialog, not a menu, tooltip or panel
    bool minimized = false;
    bool skipTaskbar = false;
    bool popup = false;
    std::optional<std::string> transientFor; ///< the id of the window a dialog belongs to
};

/// One answer of the script: every window front to back, and the box of all outputs.
struct KWinReport {
    std::uint64_t sequence = 0; ///< the request it answers
    std::vector<KWinWindow> windows;
    std::optional<Rect> screen;
    std::optional<bool> activated; ///< for an activation: whether the window was found

    const KWinWindow* find(std::string_view id) const;
    const KWinWindow* active() const;
};

/// Reads the script's JSON report; an error when it is not one.
Expected<KWinReport> parseKWinReport(std::string_view json);

} // namespace keyferry::wayland
