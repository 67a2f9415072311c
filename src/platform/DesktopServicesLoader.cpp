#include "platform/DesktopServicesLoader.h"

#include "platform/PlatformConfig.h"
#include "platform/sim/SimulatedDesktop.h"
#if KEYFERRY_WITH_X11
#include "platform/x11/X11Desktop.h"
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

} // namespace

Expected<std::unique_ptr<DesktopServices>> loadDesktopServices(Scheduler& scheduler) {
    const char* forced = std::getenv("KEYFERRY_DESKTOP");
    const std::string_view choice = forced ? forced : "";
    if (choice == "sim")
        return simulated(scheduler);
    if (!choice.empty() && choice != "x11")
        return Unexpected{"KEYFERRY_DESKTOP must be \"x11\" or \"sim\", not \"" +
                          std::string(choice) + "\"."};
#if KEYFERRY_WITH_X11
    auto x11 = X11Desktop::connect(scheduler);
    if (!x11)
        return Unexpected{x11.error()};
    return std::unique_ptr<DesktopServices>(std::move(*x11));
#else
    return Unexpected{std::string("This build of Keyferry has no X11 support.")};
#endif
}

} // namespace keyferry
