#pragma once

#include "automation/DesktopServices.h"

#include <optional>
#include <string>

namespace keyferry::wayland {

/// The combination as sway's bindsym writes it ("Ctrl+Shift+Escape"); nothing for a key
/// Keyferry has no name for.
std::optional<std::string> swayKeyName(const KeyCombination& keys);
/// What a binding of Keyferry's runs: nothing, but sway's binding event names it, which tells
/// which combination was pressed.
std::string swayBindingMarker(const std::string& name);
/// How sway recognises the keys of a binding: by the key's code in the layout it had when
/// bound (`--to-code`), or by the symbol the key produces when pressed.
enum class SwayKeyMatch { byCode, bySymbol };

/// The sway command that makes the binding and the one that removes it.
std::string swayBindCommand(const std::string& name, SwayKeyMatch match);
std::string swayUnbindCommand(const std::string& name, SwayKeyMatch match);

} // namespace keyferry::wayland
