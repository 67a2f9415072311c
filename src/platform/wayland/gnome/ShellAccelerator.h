#pragma once

#include "automation/DesktopServices.h"

#include <optional>
#include <string>

namespace keyferry::wayland {

/// The combination as GNOME Shell writes an accelerator ("<Control><Shift>Escape"); nothing
/// for a key Keyferry has no name for.
std::optional<std::string> shellAccelerator(const KeyCombination& keys);

} // namespace keyferry::wayland
