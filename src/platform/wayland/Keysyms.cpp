#include "platform/wayland/Keysyms.h"

#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

namespace keyferry::wayland {

Keysym keysymFor(Key key) {
    switch (key) {
    case Key::a:
        return XKB_KEY_a;
    case Key::returnKey:
        return XKB_KEY_Return;
    case Key::tab:
        return XKB_KEY_Tab;
    case Key::backspace:
        return XKB_KEY_BackSpace;
    case Key::left:
        return XKB_KEY_Left;
    case Key::right:
        return XKB_KEY_Right;
    case Key::down:
        return XKB_KEY_Down;
    case Key::up:
        return XKB_KEY_Up;
    case Key::escape:
        return XKB_KEY_Escape;
    case Key::space:
        return XKB_KEY_space;
    case Key::other:
        return XKB_KEY_NoSymbol;
    }
    return XKB_KEY_NoSymbol;
}

Keysym keysymForCodePoint(char32_t codePoint) {
    switch (codePoint) {
    case U'\n':
    case U'\r':
        return XKB_KEY_Return;
    case U'\t':
        return XKB_KEY_Tab;
    case U'\b':
        return XKB_KEY_BackSpace;
    default:
        return xkb_utf32_to_keysym(codePoint);
    }
}

} // namespace keyferry::wayland
