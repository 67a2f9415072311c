#pragma once

#include <cstdint>

namespace keyferry {

/// The keys the automation presses and the recorders and the stop shortcut watch.
enum class Key { a, returnKey, tab, backspace, left, right, down, up, escape, space, other };

/// Modifier keys held with a key. Control is the shortcut modifier (select all is Ctrl+A).
enum class Modifier : std::uint8_t { none = 0, control = 1, shift = 2, alt = 4 };

class Modifiers {
public:
    constexpr Modifiers() = default;
    constexpr Modifiers(Modifier modifier) : bits_(static_cast<std::uint8_t>(modifier)) {}
    constexpr bool contains(Modifier modifier) const {
        return (bits_ & static_cast<std::uint8_t>(modifier)) != 0;
    }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr Modifiers operator|(Modifiers other) const { return fromBits(bits_ | other.bits_); }
    friend constexpr bool operator==(Modifiers, Modifiers) = default;
    constexpr std::uint8_t bits() const { return bits_; }

private:
    static constexpr Modifiers fromBits(int bits) {
        Modifiers m;
        m.bits_ = static_cast<std::uint8_t>(bits);
        return m;
    }
    std::uint8_t bits_ = 0;
};

constexpr Modifiers operator|(Modifier a, Modifier b) {
    return Modifiers(a) | Modifiers(b);
}

} // namespace keyferry
