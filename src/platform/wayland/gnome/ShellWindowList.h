#pragma once

#include "automation/DesktopServices.h"
#include "model/Expected.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry::wayland {

/// One window as Keyferry's GNOME Shell extension describes it.
struct ShellWindow {
    WindowID id = 0;
    std::string wmClass; ///< the X class, or the Wayland app_id
    int processID = 0;
    std::string title;
    bool focused = false;
    bool minimized = false;
    bool isDialog = false;
    WindowID transientFor = 0; ///< 0 when it belongs to no other window
    Rect frame;
    friend bool operator==(const ShellWindow&, const ShellWindow&) = default;
};

/// The shell's windows, front to back, and the size of the screen.
struct ShellWindowList {
    std::vector<ShellWindow> windows;
    std::optional<Rect> screen;

    const ShellWindow* find(WindowID id) const;
    const ShellWindow* focused() const;
};

/// Reads the extension's answer to Windows(); fails saying what was wrong with it.
Expected<ShellWindowList> parseShellWindows(std::string_view json);

} // namespace keyferry::wayland
