#include "platform/wayland/XkbLayout.h"

#include "platform/wayland/SpareBindings.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

using namespace keyferry;
using namespace keyferry::wayland;

namespace {

// A keymap compiled from rules names, as a compositor would hand it out.
XkbLayout layoutOf(const char* layout) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names names{"evdev", "pc105", layout, "", ""};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    auto compiled = XkbLayout::fromText(text);
    std::free(text);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    EXPECT_TRUE(compiled.hasValue());
    return std::move(*compiled);
}

} // namespace

TEST(XkbLayout, FindsEachSymbolWithTheFewestModifiers) {
    const XkbLayout us = layoutOf("us");
    const XkbLayout de = layoutOf("de");
    struct Case {
        const XkbLayout& layout;
        const char* name;
        Keysym keysym;
        Keycode keycode;
        bool shift;
        bool levelThree;
    };
    // XKB keycodes: evdev + 8 (KEY_A 30 -> 38, KEY_Y 21 -> 29, KEY_E 18 -> 26, KEY_Q 16 -> 24).
    const Case cases[] = {
        {us, "us a", XKB_KEY_a, 38, false, false},
        {us, "us A", XKB_KEY_A, 38, true, false},
        {us, "us Tab", XKB_KEY_Tab, 23, false, false},
        {us, "us Return", XKB_KEY_Return, 36, false, false},
        {de, "de z on the Y key", XKB_KEY_z, 29, false, false},
        {de, "de euro with AltGr", XKB_KEY_EuroSign, 26, false, true},
        {de, "de at sign with AltGr", XKB_KEY_at, 24, false, true},
        {de, "de sharp s plain", XKB_KEY_ssharp, 20, false, false},
    };
    for (const Case& c : cases) {
        const auto placed = c.layout.find(c.keysym);
        ASSERT_TRUE(placed) << c.name;
        EXPECT_EQ(placed->keycode, c.keycode) << c.name;
        EXPECT_EQ((placed->modifiers & c.layout.shiftMask()) != 0, c.shift) << c.name;
        // The third level is neither Shift nor a shortcut modifier.
        const ModifierMask other =
            placed->modifiers & ~(c.layout.shiftMask() | c.layout.controlMask());
        EXPECT_EQ(other != 0, c.levelThree) << c.name;
        EXPECT_EQ(placed->modifiers & (c.layout.controlMask() | c.layout.altMask()), 0u) << c.name;
    }
    for (Keysym missing : {Keysym(XKB_KEY_EuroSign), Keysym(XKB_KEY_ssharp),
                           xkb_utf32_to_keysym(U'\u65E5'), xkb_utf32_to_keysym(U'\U0001F600')})
        EXPECT_FALSE(us.find(missing)) << std::hex << missing;
}

TEST(XkbLayout, BindsSparesWithoutTouchingTheLayout) {
    const XkbLayout us = layoutOf("us");
    ASSERT_GE(us.spareKeycodes().size(), 8u);
    for (Keycode spare : us.spareKeycodes()) {
        EXPECT_GE(spare, 9u);
        EXPECT_LE(spare, 255u);
    }
    const Keycode first = us.spareKeycodes()[0], second = us.spareKeycodes()[1];
    const Keysym emoji = xkb_utf32_to_keysym(U'\U0001F44D');
    auto text = us.withBindings({{first, XKB_KEY_EuroSign}, {second, emoji}});
    ASSERT_TRUE(text.hasValue()) << text.error();
    EXPECT_TRUE(XkbLayout::isOwnKeymap(*text));
    EXPECT_FALSE(XkbLayout::isOwnKeymap(us.text()));

    auto bound = XkbLayout::fromText(*text);
    ASSERT_TRUE(bound.hasValue()) << bound.error();
    struct Expect {
        Keysym keysym;
        Keycode keycode;
    };
    for (const Expect& e : {Expect{XKB_KEY_EuroSign, first}, Expect{emoji, second},
                            Expect{XKB_KEY_a, 38}, Expect{XKB_KEY_A, 38}}) {
        const auto placed = bound->find(e.keysym);
        ASSERT_TRUE(placed) << std::hex << e.keysym;
        EXPECT_EQ(placed->keycode, e.keycode) << std::hex << e.keysym;
    }
    // A spare gives its symbol whatever modifiers are on: Shift cannot change it.
    const auto euro = bound->find(XKB_KEY_EuroSign);
    EXPECT_EQ(euro->modifiers, 0u);
    EXPECT_EQ(bound->spareKeycodes().size(), us.spareKeycodes().size() - 2);
    // Bound again from the bound keymap: still one mark, still compiles.
    auto again = bound->withBindings({{us.spareKeycodes()[2], XKB_KEY_ssharp}});
    ASSERT_TRUE(again.hasValue()) << again.error();
    EXPECT_TRUE(XkbLayout::isOwnKeymap(*again));
    EXPECT_EQ(again->find("keyferry_"), again->rfind("keyferry_"));
}

TEST(SpareBindings, UploadsOnlyWhatIsNewAndTakesOverTheLeastRecentlyTyped) {
    SpareBindings spares({100, 101, 102});
    EXPECT_EQ(spares.bind({1, 2}), 2u);
    EXPECT_TRUE(spares.changed());
    spares.markUploaded();
    const auto one = spares.keycodeOf(1), two = spares.keycodeOf(2);
    ASSERT_TRUE(one && two);
    EXPECT_NE(*one, *two);

    // Already bound: nothing to upload.
    EXPECT_EQ(spares.bind({2, 1}), 2u);
    EXPECT_FALSE(spares.changed());

    // One free spare left, then the one typed longest ago is taken over, never one the
    // text needs.
    spares.typed(*one);
    spares.typed(*two);
    spares.typed(*one);
    EXPECT_EQ(spares.bind({3}), 1u);
    EXPECT_TRUE(spares.changed());
    spares.markUploaded();
    spares.typed(*spares.keycodeOf(3));
    EXPECT_EQ(spares.bind({4, 1}), 2u);
    EXPECT_FALSE(spares.keycodeOf(2)) << "2 was typed longest ago of those not needed";
    EXPECT_EQ(spares.keycodeOf(1), one);
    EXPECT_TRUE(spares.keycodeOf(3) && spares.keycodeOf(4));

    // More than fit: the start of the text is bound, the rest waits.
    SpareBindings two_spares({7, 8});
    EXPECT_EQ(two_spares.bind({10, 11, 12, 13}), 2u);
    EXPECT_TRUE(two_spares.keycodeOf(10) && two_spares.keycodeOf(11));
    EXPECT_EQ(two_spares.bind({12, 13}), 2u);
    EXPECT_TRUE(two_spares.keycodeOf(12) && two_spares.keycodeOf(13));

    // Every spare holds a symbol the text needs again later, and the next one is not bound:
    // the ones needed last give way.
    EXPECT_EQ(two_spares.bind({14, 12, 13}), 2u);
    EXPECT_TRUE(two_spares.keycodeOf(14) && two_spares.keycodeOf(12));
    EXPECT_FALSE(two_spares.keycodeOf(13));

    SpareBindings none({});
    EXPECT_EQ(none.bind({1}), 0u);
    EXPECT_EQ(none.bind({}), 0u);
}
