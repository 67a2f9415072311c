#include "platform/DesktopServicesLoader.h"

#include "platform/PlatformConfig.h"
#include "platform/sim/SimulatedDesktop.h"
#if KEYFERRY_WITH_X11
#include "platform/x11/X11Desktop.h"
#endif
#if KEYFERRY_WITH_WAYLAND
#include "platform/wayland/WaylandDesktop.h"
#endif

#include <cstdlib>
#include <string_view>

namespace keyferry {

namespace {

std::unique_ptr<DesktopServices> simulated(Scheduler& scheduler) {
    auto desktop = std::make_unique<SimulatedDesktop>(scheduler);
    const int own = desktop->addApplication("keyferry", "Keyferry");
    desktop->setOwnApplication(own);
    return desktop;
}

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

template <class Desktop>
Expected<std::unique_ptr<DesktopServices>> connected(Scheduler& scheduler) {
    auto desktop = Desktop::connect(scheduler);
    if (!desktop)
        return Unexpected{desktop.error()};
    return std::unique_ptr<DesktopServices>(std::move(*desktop));
}

} // namespace

std::string_view chosenDesktop() {
    const std::string_view forced = environment("KEYFERRY_DESKTOP");
    if (!forced.empty())
        return forced;
    if (!environment("WAYLAND_DISPLAY").empty() || environment("XDG_SESSION_TYPE") == "wayland")
        return "wayland";
    return "x11";
}

Expected<std::unique_ptr<DesktopServices>> loadDesktopServices(Scheduler& scheduler) {
    const std::string_view choice = chosenDesktop();
    if (choice == "sim")
        return simulated(scheduler);
    if (choice == "wayland") {
#if KEYFERRY_WITH_WAYLAND
        return connected<WaylandDesktop>(scheduler);
#else
        return Unexpected{std::string("This build of Keyferry has no Wayland support.")};
#endif
    }
    if (choice == "x11") {
#if KEYFERRY_WITH_X11
        return connected<X11Desktop>(scheduler);
#else
        return Unexpected{std::string("This build of Keyferry has no X11 support.")};
#endif
    }
    return Unexpected{"KEYFERRY_DESKTOP must be \"x11\", \"wayland\" or \"sim\", not \"" +
                      std::string(choice) + "\"."};
}

DesktopDescription describeDesktop(DesktopServices& desktop) {
#if KEYFERRY_WITH_WAYLAND
    if (auto* wayland = dynamic_cast<WaylandDesktop*>(&desktop))
        return wayland::describeWayland(wayland->facts());
#endif
#if KEYFERRY_WITH_X11
    if (dynamic_cast<X11Desktop*>(&desktop))
        return describeX11(desktop.isTrusted());
#endif
    if (auto* simulated = dynamic_cast<SimulatedDesktop*>(&desktop))
        return describeAllExcept(DesktopKind::simulated, simulated->missingCapabilities());
    return describeUnreachable(DesktopKind::unknown, "this desktop is not one Keyferry knows");
}

} // namespace keyferry
