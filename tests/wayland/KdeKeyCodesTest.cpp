#include "platform/wayland/KdeKeyCodes.h"

#include <gtest/gtest.h>

using namespace keyferry;
using namespace keyferry::wayland;

// Qt 5's codes, as kglobalaccel stores them (Qt::Key_* and Qt::*Modifier).
TEST(KdeKeyCodes, EachKeyAndModifierAsQtNamesIt) {
    const struct {
        KeyCombination key;
        std::optional<int> code;
    } cases[] = {
        {{Key::escape, Modifier::control | Modifier::shift}, 0x07000000},
        {{Key::escape, {}}, 0x01000000},
        {{Key::tab, {}}, 0x01000001},
        {{Key::backspace, {}}, 0x01000003},
        {{Key::returnKey, Modifier::alt}, 0x09000004},
        {{Key::left, {}}, 0x01000012},
        {{Key::up, {}}, 0x01000013},
        {{Key::right, {}}, 0x01000014},
        {{Key::down, Modifier::shift}, 0x03000015},
        {{Key::a, Modifier::control}, 0x04000041},
        {{Key::space, Modifier::alt}, 0x08000020},
        {{Key::other, Modifier::control}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kdeKeyCode(c.key), c.code) << static_cast<int>(c.key.key);
}
