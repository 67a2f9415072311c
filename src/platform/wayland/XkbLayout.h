#pragma once

#include "model/Expected.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct xkb_context;
struct xkb_keymap;

namespace keyferry::wayland {

using Keycode = std::uint32_t; ///< an XKB keycode: the evdev code plus 8
using Keysym = std::uint32_t;
using ModifierMask = std::uint32_t;

/// Where a symbol is on a keymap: the key and the modifiers that pick its level.
struct KeyPlacement {
    Keycode keycode = 0;
    ModifierMask modifiers = 0;
    friend bool operator==(const KeyPlacement&, const KeyPlacement&) = default;
};

/// A compiled XKB keymap: which key and modifiers give a symbol, which keys give none (the
/// spares a text's missing characters can be bound to), and the same keymap with some spares
/// bound, as text to upload to a keyboard device. Keymaps made here carry a mark in their
/// keycodes section, so that a keymap the compositor hands back can be told from the user's.
class XkbLayout {
public:
    /// Compiles a keymap in the XKB text format.
    static Expected<XkbLayout> fromText(std::string_view text);
    /// The keymap of the default rules, model, layout, variant and options (the XKB_DEFAULT_*
    /// environment variables, else the US layout): for a seat that has no keyboard to ask.
    static Expected<XkbLayout> fromDefaultNames();
    /// Whether `text` is a keymap made by withBindings.
    static bool isOwnKeymap(std::string_view text);

    XkbLayout(XkbLayout&&) noexcept;
    XkbLayout& operator=(XkbLayout&&) noexcept;
    ~XkbLayout();

    /// The key and level producing `keysym` in `layout` with the fewest modifiers among Shift
    /// and the third level (AltGr); nothing when the layout lacks it.
    std::optional<KeyPlacement> find(Keysym keysym, std::uint32_t layout = 0) const;
    /// Keys from 9 to 255 that give no symbol in any layout.
    const std::vector<Keycode>& spareKeycodes() const { return spares_; }
    ModifierMask shiftMask() const { return shift_; }
    ModifierMask controlMask() const { return control_; }
    ModifierMask altMask() const { return alt_; }
    ModifierMask levelThreeMask() const { return levelThree_; }
    /// This keymap as text with each key of `bindings` giving its symbol on every level; the
    /// text a compositor hands back for it passes isOwnKeymap.
    Expected<std::string> withBindings(const std::map<Keycode, Keysym>& bindings) const;
    /// This keymap as text.
    std::string text() const;

private:
    struct ContextFree {
        void operator()(xkb_context* context) const;
    };
    struct KeymapFree {
        void operator()(xkb_keymap* keymap) const;
    };
    using ContextPtr = std::unique_ptr<xkb_context, ContextFree>;
    using KeymapPtr = std::unique_ptr<xkb_keymap, KeymapFree>;

    XkbLayout(ContextPtr context, KeymapPtr keymap);
    static ContextPtr newContext();
    void readLayout();

    ContextPtr context_;
    KeymapPtr keymap_;
    /// Per layout: each symbol and where it is.
    std::vector<std::map<Keysym, KeyPlacement>> placements_;
    std::vector<Keycode> spares_;
    ModifierMask shift_ = 0, control_ = 0, alt_ = 0, levelThree_ = 0;
};

} // namespace keyferry::wayland
