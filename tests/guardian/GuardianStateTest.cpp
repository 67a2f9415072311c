#include <gtest/gtest.h>
// After GoogleTest, which Xlib's None and Bool macros would break.
#include "platform/x11/guardian/GuardianState.h"

using keyferry::x11::BorrowedKeycode;
using keyferry::x11::GuardianState;

namespace {

GuardianState applied(std::initializer_list<std::string_view> lines) {
    GuardianState state;
    for (std::string_view line : lines)
        EXPECT_TRUE(state.apply(line)) << line;
    return state;
}

} // namespace

TEST(GuardianState, KeepsWhatIsStillHeldInPressOrder) {
    // A shifted character interrupted after its key went up, and a click still down.
    const GuardianState state =
        applied({"press 50", "press 93", "press 38", "release 93", "press-button 3",
                 "press-button 1", "release-button 3", "press 50"});
    EXPECT_EQ(state.heldKeys(), (std::vector<KeyCode>{50, 38}));
    EXPECT_EQ(state.heldButtons(), (std::vector<unsigned int>{1}));
    EXPECT_FALSE(state.endedCleanly());

    const GuardianState released = applied({"press 50", "release 50", "release 50"});
    EXPECT_TRUE(released.empty());
}

TEST(GuardianState, RestoringForgetsTheKeycodeAndRebindingKeepsTheFirstOriginal) {
    GuardianState state = applied({"bind 93 1000439,1000439 0,0", "bind 97 10020ac,10020ac 0,0",
                                   "bind 93 1000430,1000430 1000439,1000439"});
    ASSERT_EQ(state.borrowed().size(), 2u);
    // Rebound while still ours: what to put back is what it held before we took it.
    EXPECT_EQ(state.borrowed()[0],
              (BorrowedKeycode{93, {0x1000430, 0x1000430}, {NoSymbol, NoSymbol}}));

    EXPECT_TRUE(state.apply("restore 93"));
    ASSERT_EQ(state.borrowed().size(), 1u);
    EXPECT_EQ(state.borrowed()[0].keycode, 97);
    EXPECT_TRUE(state.apply("restore 97"));
    EXPECT_TRUE(state.empty());
}

TEST(GuardianState, LinesThatAreNoMessagesChangeNothing) {
    GuardianState state = applied({"press 50", "bind 93 1 0"});
    for (const char* line :
         {"", "press", "press ", "press 7", "press 256", "press x", "press 50 51", "Press 50",
          "press-button 0", "press-button 256", "release-button", "bind 93 1", "bind", "restore",
          "jump 5", "end now", " end"})
        EXPECT_FALSE(state.apply(line)) << '"' << line << '"';
    EXPECT_EQ(state.heldKeys(), (std::vector<KeyCode>{50}));
    EXPECT_EQ(state.borrowed().size(), 1u);
    EXPECT_FALSE(state.endedCleanly());
}

// A guardian started late, or again, learns everything from one batch of messages.
TEST(GuardianState, MessagesRebuildTheSameState) {
    GuardianState state = applied({"bind 93 1000439,1000439 0,0", "bind 97 10020ac 0",
                                   "bind 93 1000430,1000430 1000439,1000439", "press 50",
                                   "press 93", "press-button 1", "end"});
    const std::string messages = state.messages();
    GuardianState copy;
    std::size_t start = 0;
    for (std::size_t end; (end = messages.find('\n', start)) != std::string::npos; start = end + 1)
        EXPECT_TRUE(copy.apply(std::string_view(messages).substr(start, end - start)));
    EXPECT_EQ(copy.heldKeys(), state.heldKeys());
    EXPECT_EQ(copy.heldButtons(), state.heldButtons());
    EXPECT_EQ(copy.borrowed(), state.borrowed());
    EXPECT_TRUE(copy.endedCleanly());
}
