#pragma once

#include "automation/DesktopServices.h"

#include <optional>

namespace keyferry::wayland {

/// A key with modifiers as KDE's global shortcut service names it: Qt 5's key code and
/// modifier bits in one int (Ctrl+Shift+Esc is 0x07000000). Nothing for Key::other.
std::optional<int> kdeKeyCode(KeyCombination combination);

} // namespace keyferry::wayland
