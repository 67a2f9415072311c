#pragma once

#include "platform/wayland/XkbLayout.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace keyferry::wayland {

/// Which characters the spare keys of Keyferry's keyboard give: the symbols a text needs and
/// the layout lacks. Bindings stay until their key is needed for another symbol, so that a
/// keymap is uploaded again only when a text needs something new.
class SpareBindings {
public:
    explicit SpareBindings(std::vector<Keycode> spares) : spares_(std::move(spares)) {}

    /// Binds the symbols of `wanted` (in the order a text needs them) that are not bound yet:
    /// first to free spares, then to spares whose symbol is not among the first capacity()
    /// of `wanted`, those typed longest ago first. Returns how many of `wanted`, from its
    /// start, are bound now (at least capacity() when there are that many); the rest must
    /// wait for another round.
    std::size_t bind(const std::vector<Keysym>& wanted);
    /// The key bound to `keysym`, if any.
    std::optional<Keycode> keycodeOf(Keysym keysym) const;
    /// Notes that the key was typed, so that it is the last to be taken over.
    void typed(Keycode keycode);
    const std::map<Keycode, Keysym>& bindings() const { return bound_; }
    /// Whether the bindings changed since the keymap was last made from them.
    bool changed() const { return changed_; }
    void markUploaded() { changed_ = false; }
    /// Forgets every binding (the layout they were made for is gone).
    void clear();
    std::size_t capacity() const { return spares_.size(); }

private:
    std::vector<Keycode> spares_;
    std::map<Keycode, Keysym> bound_;
    std::map<Keycode, std::uint64_t> lastUse_;
    std::uint64_t clock_ = 0;
    bool changed_ = false;
};

} // namespace keyferry::wayland
