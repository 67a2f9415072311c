#include "TrustDesktop.h"

#include <cstdio>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

class QtSelectAllTest : public ::testing::TestWithParam<std::string> {};

} // namespace

// A text input replaces what the field held: its Ctrl+A must reach Qt as Control with the
// letter a even when the layout has no Latin letters, or the old text stays in the field.
// The row's characters are bound before its first field is cleared, and the city has the
// letter a right after another letter the layout lacks: bound ahead, a shares a keycode
// with b on the Shift level, and Control with Shift and a selects nothing.
TEST_P(QtSelectAllTest, TextInputReplacesTheOldValue) {
    const std::string layoutName = GetParam();
    TemporaryFolder temp;
    XSession x;
    ASSERT_TRUE(x.connected());
    ASSERT_TRUE(x.windowManagerResponds()) << "the window manager is still busy";
    const KeyboardLayout layout(layoutName);
    ASSERT_TRUE(layout.active()) << shell("setxkbmap -query");
    const std::string keymapBefore = shell("xmodmap -pke");

    const auto printed = temp.path() / "form.txt";
    Process form({"sh", "-c",
                  "exec " + shellQuote(KEYFERRY_QT_FORM) + " --prefill 'OLD VALUE' Name City >" +
                      shellQuote(printed.string())});
    const auto window = x.waitForWindowOf(form.pid());
    ASSERT_TRUE(window);
    ASSERT_EQ(x.windowClass(*window), "KfQtForm");
    x.parkPointer();

    Template item;
    item.name = "Qt form";
    item.targetAppBundleID = "KfQtForm";
    item.settings.countdownSeconds = 1;
    item.settings.interCharDelay = 0;
    item.steps = {makeStep(StepType::textInput, "Name", 0.1),
                  makeStep(StepType::textInput, "City", 0.1),
                  makeStep(StepType::returnKey, "", 0.3)};
    KeyferryRun run(temp.path() / "run", item, "Name;City\nJ\u00FCrgen Gro\u00DF;Wiesbaden\n");
    run.start();
    const int exitCode = run.wait(std::chrono::seconds(60));
    // Return ends the form; without it (a key lost on the way) it is ended here.
    form.wait(std::chrono::seconds(3));

    const std::string fields = readText(printed);
    std::printf("[ layout %s ] the Qt form printed \"%s\", keyferry exit %d\n", layoutName.c_str(),
                escaped(fields).c_str(), exitCode);
    EXPECT_EQ(fields, "J\u00FCrgen Gro\u00DF|Wiesbaden|\n")
        << "printed: " << escaped(fields) << "\n"
        << run.output();
    EXPECT_EQ(exitCode, 0) << run.output();
    // The shortcut's letter may take a keycode of its own beside the row's: all given back.
    EXPECT_TRUE(keymapBecomes(keymapBefore)) << "the layout's keymap is back as it was";
}

// Russian and Greek have one group of non-Latin letters; US English shows that the form
// and the harness work where the letter a is on a key.
INSTANTIATE_TEST_SUITE_P(Layouts, QtSelectAllTest, ::testing::Values("us", "ru", "gr"),
                         [](const auto& info) { return info.param; });
