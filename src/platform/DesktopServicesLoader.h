#pragma once

#include "automation/DesktopDescription.h"
#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"
#include "model/Expected.h"

#include <memory>
#include <string>
#include <string_view>

namespace keyferry {

/// Which backend loadDesktopServices picks: KEYFERRY_DESKTOP when set ("x11", "wayland",
/// "sim"); else "wayland" in a Wayland session (WAYLAND_DISPLAY set or XDG_SESSION_TYPE
/// wayland); else "x11".
std::string_view chosenDesktop();

/// The desktop backend chosenDesktop() names. Fails with a message for the user when it
/// cannot be used.
Expected<std::unique_ptr<DesktopServices>> loadDesktopServices(Scheduler& scheduler);

/// What the desktop loadDesktopServices() returned can do, and why not where it cannot.
DesktopDescription describeDesktop(DesktopServices& desktop);

} // namespace keyferry
