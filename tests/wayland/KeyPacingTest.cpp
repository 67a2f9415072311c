#include "platform/wayland/KeyPacing.h"

#include <gtest/gtest.h>

using namespace keyferry::wayland;
using namespace std::chrono_literals;

// Bursts of three at no less than 2 ms a character on average, on a clock the test moves.
TEST(KeyPacing, BurstsAreHeldToTheAverageGap) {
    KeyPacing pacing(3, 2ms);
    const KeyPacing::Clock::time_point t0{};
    EXPECT_EQ(pacing.nextBurst(t0), 0ms) << "nothing sent yet";

    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(pacing.mayPost());
        pacing.posted(t0 + 100us * i);
    }
    EXPECT_FALSE(pacing.mayPost());
    // Three characters in 0.2 ms: the next burst waits until 6 ms after the first.
    EXPECT_EQ(pacing.nextBurst(t0 + 1ms), 5ms);
    EXPECT_TRUE(pacing.mayPost());

    // A burst that was slow enough by itself waits for nothing.
    const auto t1 = t0 + 20ms;
    for (int i = 0; i < 3; ++i)
        pacing.posted(t1 + 3ms * i);
    EXPECT_EQ(pacing.nextBurst(t1 + 7ms), 0ms);
    // A burst cut short (a new text) is held to its own length.
    pacing.posted(t1 + 10ms);
    EXPECT_EQ(pacing.nextBurst(t1 + 10ms), 2ms);
}
