#include "support/Shell.h"

#include <gtest/gtest.h>

// `keyferry desktop` on the X11 test desktop: X11, and everything a run and the recorder
// need is there.
TEST(DesktopCommand, OnX11EveryCapabilityIsThere) {
    const std::string printed = keyferry::testing::shell(std::string("'") + KEYFERRY_BINARY +
                                                         "' desktop; echo \"exit=$?\"");
    EXPECT_EQ(printed, "Desktop: X11\n"
                       "type layout text: yes\n"
                       "type any text: yes\n"
                       "click: yes\n"
                       "list windows: yes\n"
                       "activate: yes\n"
                       "window bounds: yes\n"
                       "stop hotkey: yes\n"
                       "record keys: yes\n"
                       "record fields: yes\n"
                       "pause on user input: yes\n"
                       "see the user's clicks: yes\n"
                       "exit=0\n");
}
