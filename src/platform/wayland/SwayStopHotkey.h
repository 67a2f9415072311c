#pragma once

#include "automation/DesktopServices.h"

#include <memory>
#include <string>

namespace keyferry::wayland {

/// The stop shortcut Ctrl+Shift+Esc as a sway binding (see SwayBinding), reported as that
/// key press while the returned object lives.
class SwayStopHotkey {
public:
    static constexpr KeyCombination combination{Key::escape, Modifier::control | Modifier::shift};

    /// Binds the shortcut; nothing when sway refuses it or cannot be reached.
    static std::unique_ptr<InputListener> start(const std::string& socketPath,
                                                DesktopServices::Callback callback);
};

} // namespace keyferry::wayland
