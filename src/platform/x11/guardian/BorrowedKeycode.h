#pragma once

#include <X11/Xlib.h>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry::x11 {

/// A keycode bound to a character the layout lacks, with what it held before. The text form
/// ("93 1000439,1000439 0,0,0,0,0,0,0": keycode, bound keysyms, original keysyms, in hex) is
/// shared by the guardian's messages and the keymap journal file.
struct BorrowedKeycode {
    KeyCode keycode = 0;
    std::vector<KeySym> bound;
    std::vector<KeySym> original;

    void appendText(std::string& out) const;
    std::string text() const;
    static std::optional<BorrowedKeycode> parse(std::string_view text);

    /// Whether two keysym lists give a keycode the same meaning. The server does not keep a
    /// list as it was sent: with XKB, {s, s} reads back as {s, s, s, s}. So both are compared
    /// as the core protocol reads them (one pair stands for both groups, a missing second
    /// level repeats the first or is its upper case).
    static bool sameMapping(std::span<const KeySym> a, std::span<const KeySym> b);

    enum class Restore { restored, changedSince, failed };
    /// Puts the original keysyms back while the keycode still holds the bound ones; someone
    /// else may have changed it since, and then it is theirs. Does not sync.
    Restore restoreIn(Display* display) const;

    bool operator==(const BorrowedKeycode&) const = default;
};

} // namespace keyferry::x11
