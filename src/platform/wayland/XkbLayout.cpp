#include "platform/wayland/XkbLayout.h"

#include <array>
#include <bit>
#include <cstdlib>
#include <xkbcommon/xkbcommon.h>

namespace keyferry::wayland {

namespace {

constexpr std::string_view ownMark = "keyferry_"; // the format keeps only some characters
constexpr Keycode lowestSpare = 9;                // 8 is no key at all for X clients
constexpr Keycode highestSpare = 255;

struct TextFree {
    void operator()(char* text) const { std::free(text); }
};

std::string keymapText(xkb_keymap* keymap) {
    std::unique_ptr<char, TextFree> text(
        xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1));
    return text ? std::string(text.get()) : std::string();
}

// Where a section of the keymap text ends: its closing line, which the format puts at the
// start of a line on its own.
std::optional<std::size_t> sectionEnd(const std::string& text, std::string_view section) {
    const std::size_t start = text.find("\n" + std::string(section) + " ");
    if (start == std::string::npos)
        return std::nullopt;
    const std::size_t end = text.find("\n};", start + 1);
    if (end == std::string::npos)
        return std::nullopt;
    return end + 1;
}

std::string keysymName(Keysym keysym) {
    std::array<char, 64> name{};
    if (xkb_keysym_get_name(keysym, name.data(), name.size()) <= 0)
        return {};
    return name.data();
}

} // namespace

void XkbLayout::ContextFree::operator()(xkb_context* context) const {
    xkb_context_unref(context);
}

void XkbLayout::KeymapFree::operator()(xkb_keymap* keymap) const {
    xkb_keymap_unref(keymap);
}

XkbLayout::XkbLayout(ContextPtr context, KeymapPtr keymap)
    : context_(std::move(context)), keymap_(std::move(keymap)) {
    readLayout();
}

XkbLayout::XkbLayout(XkbLayout&&) noexcept = default;
XkbLayout& XkbLayout::operator=(XkbLayout&&) noexcept = default;
XkbLayout::~XkbLayout() = default;

XkbLayout::ContextPtr XkbLayout::newContext() {
    return ContextPtr(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
}

Expected<XkbLayout> XkbLayout::fromText(std::string_view text) {
    ContextPtr context = newContext();
    if (!context)
        return Unexpected{std::string("no XKB context")};
    // The parser wants the text to end where the string ends.
    const std::string copy(text.substr(0, text.find('\0')));
    KeymapPtr keymap(xkb_keymap_new_from_string(
        context.get(), copy.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap)
        return Unexpected{std::string("the keymap does not compile")};
    return XkbLayout(std::move(context), std::move(keymap));
}

Expected<XkbLayout> XkbLayout::fromDefaultNames() {
    ContextPtr context = newContext();
    if (!context)
        return Unexpected{std::string("no XKB context")};
    KeymapPtr keymap(
        xkb_keymap_new_from_names(context.get(), nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap)
        return Unexpected{std::string("the default keymap does not compile")};
    return XkbLayout(std::move(context), std::move(keymap));
}

bool XkbLayout::isOwnKeymap(std::string_view text) {
    return text.find("xkb_keycodes \"" + std::string(ownMark)) != std::string_view::npos;
}

void XkbLayout::readLayout() {
    xkb_keymap* keymap = keymap_.get();
    const auto maskOf = [&](const char* name) -> ModifierMask {
        const xkb_mod_index_t index = xkb_keymap_mod_get_index(keymap, name);
        return index == XKB_MOD_INVALID ? 0 : ModifierMask{1} << index;
    };
    shift_ = maskOf(XKB_MOD_NAME_SHIFT);
    control_ = maskOf(XKB_MOD_NAME_CTRL);
    alt_ = maskOf(XKB_MOD_NAME_ALT);
    // Characters are typed with their level's modifiers set as the device's state; those
    // that applications read as shortcuts (Ctrl, Alt, Super) are never used for that.
    const ModifierMask shortcutModifiers = control_ | alt_ | maskOf(XKB_MOD_NAME_LOGO);

    // Keys above 255 exist for Wayland clients only: X clients (Xwayland) could not get them.
    const xkb_keycode_t low = xkb_keymap_min_keycode(keymap);
    const xkb_keycode_t high =
        std::min<xkb_keycode_t>(xkb_keymap_max_keycode(keymap), highestSpare);
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts(keymap);
    placements_.assign(layouts, {});
    std::array<xkb_mod_mask_t, 16> masks{};
    for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
        auto& placements = placements_[layout];
        for (xkb_keycode_t keycode = low; keycode <= high; ++keycode) {
            const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap, keycode, layout);
            for (xkb_level_index_t level = 0; level < levels; ++level) {
                const xkb_keysym_t* symbols = nullptr;
                if (xkb_keymap_key_get_syms_by_level(keymap, keycode, layout, level, &symbols) != 1)
                    continue;
                const std::size_t count = xkb_keymap_key_get_mods_for_level(
                    keymap, keycode, layout, level, masks.data(), masks.size());
                std::optional<ModifierMask> best;
                for (std::size_t i = 0; i < count; ++i)
                    if ((masks[i] & shortcutModifiers) == 0 &&
                        (!best || std::popcount(masks[i]) < std::popcount(*best)))
                        best = masks[i];
                if (!best)
                    continue;
                const auto known = placements.find(symbols[0]);
                if (known == placements.end() ||
                    std::popcount(*best) < std::popcount(known->second.modifiers))
                    placements[symbols[0]] = {keycode, *best};
            }
        }
    }

    spares_.clear();
    for (xkb_keycode_t keycode = std::max<xkb_keycode_t>(low, lowestSpare); keycode <= high;
         ++keycode) {
        bool empty = true;
        const xkb_layout_index_t keyLayouts = xkb_keymap_num_layouts_for_key(keymap, keycode);
        for (xkb_layout_index_t layout = 0; empty && layout < keyLayouts; ++layout) {
            const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap, keycode, layout);
            for (xkb_level_index_t level = 0; empty && level < levels; ++level) {
                const xkb_keysym_t* symbols = nullptr;
                empty =
                    xkb_keymap_key_get_syms_by_level(keymap, keycode, layout, level, &symbols) == 0;
            }
        }
        if (empty)
            spares_.push_back(keycode);
    }
}

std::optional<KeyPlacement> XkbLayout::find(Keysym keysym, std::uint32_t layout) const {
    if (placements_.empty())
        return std::nullopt;
    const auto& placements = placements_[layout < placements_.size() ? layout : 0];
    const auto found = placements.find(keysym);
    if (found == placements.end())
        return std::nullopt;
    return found->second;
}

std::string XkbLayout::text() const {
    return keymapText(keymap_.get());
}

Expected<std::string> XkbLayout::withBindings(const std::map<Keycode, Keysym>& bindings) const {
    std::string text = keymapText(keymap_.get());
    const auto keycodesEnd = sectionEnd(text, "xkb_keycodes");
    const auto symbolsEnd = sectionEnd(text, "xkb_symbols");
    if (text.empty() || !keycodesEnd || !symbolsEnd || *symbolsEnd < *keycodesEnd)
        return Unexpected{std::string("the keymap text has no keycodes or symbols section")};

    std::string names, symbols;
    for (const auto& [keycode, keysym] : bindings) {
        const std::string symbol = keysymName(keysym);
        if (symbol.empty())
            return Unexpected{std::string("a symbol has no name")};
        const char* known = xkb_keymap_key_get_name(keymap_.get(), keycode);
        const std::string name = known ? known : "K" + std::to_string(keycode);
        if (!known)
            names += "\t<" + name + "> = " + std::to_string(keycode) + ";\n";
        // One level: Shift or Caps Lock held by anyone cannot change what the key gives.
        symbols +=
            "\tkey <" + name + "> { type= \"ONE_LEVEL\", symbols[Group1]= [ " + symbol + " ] };\n";
    }
    text.insert(*symbolsEnd, symbols);
    text.insert(*keycodesEnd, names);
    if (!isOwnKeymap(text)) {
        const std::string header = "xkb_keycodes \"";
        const std::size_t at = text.find(header);
        if (at != std::string::npos)
            text.insert(at + header.size(), ownMark);
    }
    auto compiled = fromText(text);
    if (!compiled)
        return Unexpected{"the keymap with bound keys " + compiled.error()};
    return compiled->text();
}

} // namespace keyferry::wayland
