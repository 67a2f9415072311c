#include "platform/wayland/SwayKeyNames.h"

namespace keyferry::wayland {

namespace {

std::optional<std::string> keyName(Key key) {
    switch (key) {
    case Key::a:
        return "a";
    case Key::returnKey:
        return "Return";
    case Key::tab:
        return "Tab";
    case Key::backspace:
        return "BackSpace";
    case Key::left:
        return "Left";
    case Key::right:
        return "Right";
    case Key::down:
        return "Down";
    case Key::up:
        return "Up";
    case Key::escape:
        return "Escape";
    case Key::space:
        return "space";
    case Key::other:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> swayKeyName(const KeyCombination& keys) {
    const auto key = keyName(keys.key);
    if (!key)
        return std::nullopt;
    std::string name;
    if (keys.modifiers.contains(Modifier::control))
        name += "Ctrl+";
    if (keys.modifiers.contains(Modifier::alt))
        name += "Mod1+";
    if (keys.modifiers.contains(Modifier::shift))
        name += "Shift+";
    return name + *key;
}

std::string swayBindingMarker(const std::string& name) {
    return "nop keyferry-key " + name;
}

namespace {

std::string option(SwayKeyMatch match) {
    return match == SwayKeyMatch::byCode ? "--to-code " : "";
}

} // namespace

std::string swayBindCommand(const std::string& name, SwayKeyMatch match) {
    return "bindsym " + option(match) + name + " " + swayBindingMarker(name);
}

std::string swayUnbindCommand(const std::string& name, SwayKeyMatch match) {
    return "unbindsym " + option(match) + name;
}

} // namespace keyferry::wayland
