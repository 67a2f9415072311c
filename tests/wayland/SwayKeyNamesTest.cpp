#include "platform/wayland/SwayKeyNames.h"

#include <gtest/gtest.h>

using namespace keyferry;
using namespace keyferry::wayland;

TEST(SwayKeyNames, CombinationsAsBindsymWritesThem) {
    const struct {
        KeyCombination keys;
        std::optional<std::string> name;
    } cases[] = {
        {{Key::escape, {}}, "Escape"},
        {{Key::escape, Modifier::control | Modifier::shift}, "Ctrl+Shift+Escape"},
        {{Key::space, Modifier::alt}, "Mod1+space"},
        {{Key::tab, Modifier::shift}, "Shift+Tab"},
        {{Key::returnKey, Modifier::control | Modifier::alt}, "Ctrl+Mod1+Return"},
        {{Key::backspace, {}}, "BackSpace"},
        {{Key::a, Modifier::control}, "Ctrl+a"},
        {{Key::other, Modifier::control}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(swayKeyName(c.keys), c.name) << c.name.value_or("(none)");
}

TEST(SwayKeyNames, BindingAndRemovalMatchTheKeysAlike) {
    EXPECT_EQ(swayBindCommand("Ctrl+Shift+Escape", SwayKeyMatch::byCode),
              "bindsym --to-code Ctrl+Shift+Escape nop keyferry-key Ctrl+Shift+Escape");
    EXPECT_EQ(swayUnbindCommand("Ctrl+Shift+Escape", SwayKeyMatch::byCode),
              "unbindsym --to-code Ctrl+Shift+Escape");
    EXPECT_EQ(swayBindCommand("Escape", SwayKeyMatch::bySymbol),
              "bindsym Escape nop keyferry-key Escape");
    EXPECT_EQ(swayUnbindCommand("Escape", SwayKeyMatch::bySymbol), "unbindsym Escape");
    // Each combination has its own marker, so a press of one is never taken for another.
    EXPECT_NE(swayBindingMarker("Escape"), swayBindingMarker("Ctrl+Shift+Escape"));
}
