#pragma once

#include "automation/Keys.h"
#include "platform/wayland/XkbLayout.h"

namespace keyferry::wayland {

/// The keysym a key of a step presses; NoSymbol for one Keyferry has no name for.
Keysym keysymFor(Key key);
/// The keysym that types a code point: line ends, tab and backspace are their keys.
Keysym keysymForCodePoint(char32_t codePoint);

} // namespace keyferry::wayland
