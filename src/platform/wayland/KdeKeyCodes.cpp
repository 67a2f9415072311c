#include "platform/wayland/KdeKeyCodes.h"

namespace keyferry::wayland {

std::optional<int> kdeKeyCode(KeyCombination combination) {
    int code = 0;
    switch (combination.key) {
    case Key::a:
        code = 0x41;
        break;
    case Key::space:
        code = 0x20;
        break;
    case Key::escape:
        code = 0x01000000;
        break;
    case Key::tab:
        code = 0x01000001;
        break;
    case Key::backspace:
        code = 0x01000003;
        break;
    case Key::returnKey:
        code = 0x01000004;
        break;
    case Key::left:
        code = 0x01000012;
        break;
    case Key::up:
        code = 0x01000013;
        break;
    case Key::right:
        code = 0x01000014;
        break;
    case Key::down:
        code = 0x01000015;
        break;
    case Key::other:
        return std::nullopt;
    }
    if (combination.modifiers.contains(Modifier::shift))
        code |= 0x02000000;
    if (combination.modifiers.contains(Modifier::control))
        code |= 0x04000000;
    if (combination.modifiers.contains(Modifier::alt))
        code |= 0x08000000;
    return code;
}

} // namespace keyferry::wayland
