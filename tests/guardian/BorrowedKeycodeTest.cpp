#include <gtest/gtest.h>
// After GoogleTest, which Xlib's None and Bool macros would break.
#include "platform/x11/guardian/BorrowedKeycode.h"

using keyferry::x11::BorrowedKeycode;

namespace {

constexpr KeySym cyrillicShortI = 0x1000439; // a letter: it has an upper case
constexpr KeySym euro = 0x10020AC;           // no case

} // namespace

TEST(BorrowedKeycode, TextRoundTrip) {
    const BorrowedKeycode borrowed{93, {cyrillicShortI, cyrillicShortI}, {0, 0, 0, 0, 0, 0, 0}};
    EXPECT_EQ(borrowed.text(), "93 1000439,1000439 0,0,0,0,0,0,0");
    EXPECT_EQ(BorrowedKeycode::parse(borrowed.text()), borrowed);

    const BorrowedKeycode empty{255, {euro}, {}};
    EXPECT_EQ(empty.text(), "255 10020ac -");
    EXPECT_EQ(BorrowedKeycode::parse(empty.text()), empty);
}

TEST(BorrowedKeycode, ParseRejectsWhatItDoesNotWrite) {
    for (const char* text :
         {"", "93", "93 1", "93 1 1 1", "93 1 1 ", " 93 1 1", "7 1 1", "256 1 1", "x 1 1", "93 g 1",
          "93 1,,2 1", "93 1, 1", "93 ,1 1", "93 20000000 1", "93 -1 1", "93 1 -,0"})
        EXPECT_FALSE(BorrowedKeycode::parse(text)) << '"' << text << '"';
}

TEST(BorrowedKeycode, SameMappingFollowsHowTheServerReadsItBack) {
    using List = std::vector<KeySym>;
    // Bound with both levels set, a server with XKB reports the pair for both groups.
    EXPECT_TRUE(BorrowedKeycode::sameMapping(
        List{cyrillicShortI, cyrillicShortI, 0, 0, 0, 0, 0},
        List{cyrillicShortI, cyrillicShortI, cyrillicShortI, cyrillicShortI, 0, 0, 0}));
    EXPECT_TRUE(BorrowedKeycode::sameMapping(List{}, List{0, 0, 0, 0, 0, 0, 0}));
    // One symbol of no case stands for itself on every level; a letter for both its cases.
    EXPECT_TRUE(BorrowedKeycode::sameMapping(List{euro}, List{euro, euro, euro, euro}));
    EXPECT_TRUE(BorrowedKeycode::sameMapping(List{'a'}, List{'a', 'A', 'a', 'A'}));
    EXPECT_TRUE(BorrowedKeycode::sameMapping(List{'A'}, List{'a', 'A'}));
    // Further levels after an empty second group: that group reads back as the first.
    EXPECT_TRUE(BorrowedKeycode::sameMapping(List{euro, 'x', 0, 0, 'y', 'z'},
                                             List{euro, 'x', euro, 'x', 'y', 'z', 0, 0}));

    EXPECT_FALSE(BorrowedKeycode::sameMapping(List{cyrillicShortI, cyrillicShortI},
                                              List{cyrillicShortI, 0x1000419}));
    EXPECT_FALSE(BorrowedKeycode::sameMapping(List{euro, euro}, List{}));
    EXPECT_FALSE(BorrowedKeycode::sameMapping(List{euro, euro}, List{euro, euro, 'a', 'A'}));
    EXPECT_FALSE(BorrowedKeycode::sameMapping(List{euro, euro, euro, euro},
                                              List{euro, euro, euro, euro, 'x'}));
}
