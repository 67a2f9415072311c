#include "platform/wayland/SwayStopHotkey.h"

#include "platform/wayland/SwayBinding.h"

namespace keyferry::wayland {

std::unique_ptr<InputListener> SwayStopHotkey::start(const std::string& socketPath,
                                                     DesktopServices::Callback callback) {
    // By code, as the shortcut has always been bound: the key in Escape's place.
    return SwayBinding::start(socketPath, {combination}, SwayKeyMatch::byCode, std::move(callback));
}

} // namespace keyferry::wayland
