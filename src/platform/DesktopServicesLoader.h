#pragma once

#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"
#include "model/Expected.h"

#include <memory>
#include <string>

namespace keyferry {

/// Picks the desktop backend: KEYFERRY_DESKTOP=sim or =x11 forces one; otherwise X11 when a
/// display is reachable. Fails with a message for the user when none can be used.
Expected<std::unique_ptr<DesktopServices>> loadDesktopServices(Scheduler& scheduler);

} // namespace keyferry
