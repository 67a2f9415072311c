#include "platform/wayland/gnome/ShellAccelerator.h"

namespace keyferry::wayland {

std::optional<std::string> shellAccelerator(const KeyCombination& keys) {
    const char* name = nullptr;
    switch (keys.key) {
    case Key::a:
        name = "a";
        break;
    case Key::returnKey:
        name = "Return";
        break;
    case Key::tab:
        name = "Tab";
        break;
    case Key::backspace:
        name = "BackSpace";
        break;
    case Key::left:
        name = "Left";
        break;
    case Key::right:
        name = "Right";
        break;
    case Key::down:
        name = "Down";
        break;
    case Key::up:
        name = "Up";
        break;
    case Key::escape:
        name = "Escape";
        break;
    case Key::space:
        name = "space";
        break;
    case Key::other:
        return std::nullopt;
    }
    std::string accelerator;
    if (keys.modifiers.contains(Modifier::control))
        accelerator += "<Control>";
    if (keys.modifiers.contains(Modifier::shift))
        accelerator += "<Shift>";
    if (keys.modifiers.contains(Modifier::alt))
        accelerator += "<Alt>";
    return accelerator + name;
}

} // namespace keyferry::wayland
