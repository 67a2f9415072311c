#include "Desktop.h"
#include "automation/AutomationEngine.h"
#include "automation/RunnerEngine.h"
#include "platform/x11/X11Keyboard.h"

#include <sstream>
#include <thread>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

// A text that needs the layout's own keys, Shift, and many characters no key produces.
const std::string mixedText =
    "Hello, World! 0123456789 ~`!@#$%^&*()_+-={}[]|\\:;\"'<>,.?/ "
    "\u00C4\u00D6\u00DC\u00E4\u00F6\u00FC\u00DF \u00E9\u00E8\u00EA\u00E7 \u00A7\u00B0\u00B5 "
    "\u20AC\u00A3\u00A5 \u2013\u2014\u2026 \u00BD\u00BE "
    "\u6771\u4EAC\u90FD \u4E2D\u6587\u8F93\u5165 \uD55C\uAD6D\uC5B4 "
    "\U0001F600\U0001F44D\U0001F3FD\U0001F1E9\U0001F1EA e\u0301 n\u0303 \u00C5ngstr\u00F6m "
    "\u0391\u03B2\u03B3\u03B4 \u0416\u0436\u042F\u044F \u05E9\u05DC\u05D5\u05DD";

// Counts the keyboard changes: bindings delivered together, each one new keymap that every
// client on the desktop reads (Firefox and the window manager spend most of their time on it).
class BindingRounds final : public x11::InputJournal {
public:
    void pressing(KeyCode) override {}
    void released(KeyCode) override {}
    void pressingButton(unsigned int) override {}
    void releasedButton(unsigned int) override {}
    void binding(KeyCode, std::vector<KeySym>, std::vector<KeySym>) override { pending_ = true; }
    void restored(KeyCode) override {}
    bool commit() override {
        rounds += std::exchange(pending_, false) ? 1 : 0;
        return true;
    }
    bool ready() override { return true; }
    const std::string& failure() const override { return none_; }

    int rounds = 0;

private:
    bool pending_ = false;
    std::string none_;
};

} // namespace

TEST_F(DesktopTest, ARowsFieldsBindTheKeyboardOnlyWhenTheSparesRunOut) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    BindingRounds journal;
    std::optional<x11::X11Keyboard> keyboard(std::in_place, display, journal);
    // Six fields of Greek and Cyrillic letters: 48 characters no key of the US layout
    // produces, more than the spare keys hold at once.
    const std::vector<std::string> fields = {"αβγδεζηθ", "абвгдежз", "ικλμνξοπ",
                                             "ийклмноп", "ρστυφχψω", "рстуфхцч"};
    const std::size_t distinct = 48;
    ASSERT_LT(keyboard->capacity(), distinct) << "the test needs the spares to run out";
    const auto waitFor = [](const Expected<x11::X11Keyboard::Duration>& settle) {
        ASSERT_TRUE(settle.hasValue()) << settle.error();
        std::this_thread::sleep_for(*settle);
    };
    const auto rest = [&](std::size_t from) {
        std::string text;
        for (std::size_t f = from; f < fields.size(); ++f)
            text += fields[f];
        return text;
    };
    // As a run types a row: the whole row readied first, each field typed, and while the focus
    // moves to the next field, the rest of the row readied again.
    waitFor(keyboard->prepareText(rest(0)));
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const std::string text = fields[f];
        for (std::size_t at = 0; at < text.size(); at += 2) { // two-byte letters
            const std::string letter = text.substr(at, 2);
            for (int round = 0; !keyboard->isPrepared(letter) && round < 50; ++round)
                waitFor(keyboard->prepareText(text.substr(at) + rest(f + 1)));
            ASSERT_TRUE(keyboard->isPrepared(letter)) << "field " << f << " at " << at;
            ASSERT_TRUE(keyboard->typeCharacter(letter));
        }
        keyboard->sync();
        if (f + 1 < fields.size())
            (void)keyboard->prepareText(rest(f + 1));
        std::this_thread::sleep_for(std::chrono::milliseconds(150)); // the focus moving on
    }
    const int leastRounds =
        static_cast<int>((distinct + keyboard->capacity() - 1) / keyboard->capacity());
    EXPECT_EQ(journal.rounds, leastRounds)
        << "the row needs " << leastRounds << " keyboard changes, not one per field";
    keyboard.reset(); // gives the keycodes back
    XCloseDisplay(display);
}

TEST_F(DesktopTest, TypesEveryCharacterAndRestoresTheKeymap) {
    const auto file = temp.path() / "typed.txt";
    const std::string keymapBefore = shell("xmodmap -pke");
    ASSERT_FALSE(keymapBefore.empty());
    Process terminal({"env", "LANG=C.UTF-8", "LC_ALL=C.UTF-8", "xterm", "-u8", "-e", "sh", "-c",
                      "stty -icanon -echo; cat > '" + file.string() + "'"});
    ASSERT_TRUE(waitForWindowOf(terminal));
    AutomationEngine engine(*desktop, scheduler);
    ASSERT_TRUE(runTask(engine.activateAndWait("XTerm", {})));
    spinUntil([] { return false; }, std::chrono::milliseconds(300)); // let the shell set the tty

    // Twice over: more characters than the spare keys hold, each wanted again later, so
    // keys holding characters for later must give way to the one needed now.
    const std::string text = mixedText + " " + mixedText;
    ASSERT_TRUE(runTask(engine.typeText(text, 0, {})));
    runTask(engine.pressKey(Key::returnKey, {}, {}));
    EXPECT_TRUE(spinUntil([&] { return readText(file) == text + "\n"; }))
        << "typed: " << readText(file) << "\nwanted: " << text;

    spinUntil([] { return false; }, std::chrono::milliseconds(400)); // the restore settles
    EXPECT_EQ(shell("xmodmap -pke"), keymapBefore) << "the user's keymap is back as it was";
}

TEST_F(DesktopTest, KeysBoundForATextThatNeverComesAreGivenBack) {
    const std::string keymapBefore = shell("xmodmap -pke");
    Process terminal({"xterm"});
    ASSERT_TRUE(waitForWindowOf(terminal));
    AutomationEngine engine(*desktop, scheduler);
    ASSERT_TRUE(runTask(engine.activateAndWait("XTerm", {})));

    // A row bound ahead, keys pressed after it, then the run pauses and its text never comes.
    engine.prepareAhead(mixedText);
    runTask(engine.pressKey(Key::tab, {}, {}));
    spinUntil([] { return false; }, std::chrono::milliseconds(500));
    EXPECT_NE(shell("xmodmap -pke"), keymapBefore) << "kept for the text a moment";
    EXPECT_TRUE(
        spinUntil([&] { return shell("xmodmap -pke") == keymapBefore; }, std::chrono::seconds(6)))
        << "the user's keymap is back as it was";
}

TEST_F(DesktopTest, ApplicationsWindowsAndActivation) {
    Process dialog({"yad", "--form", "--field=Name", "--title=Keyferry test"});
    ASSERT_TRUE(waitForWindowOf(dialog));
    Process terminal({"xterm", "-geometry", "60x10+40+50"});
    ASSERT_TRUE(waitForWindowOf(terminal));
    ASSERT_TRUE(waitForFrontOf(terminal)); // a new window takes the focus once it is mapped
    AutomationEngine engine(*desktop, scheduler);

    ASSERT_TRUE(runTask(engine.activateAndWait("Yad", {})));
    EXPECT_TRUE(engine.isAppFrontmost("Yad"));
    EXPECT_FALSE(engine.isAppFrontmost("XTerm"));
    ASSERT_TRUE(runTask(engine.activateAndWait("XTerm", {})));
    EXPECT_TRUE(engine.isAppFrontmost("XTerm"));
    EXPECT_FALSE(runTask(engine.activateAndWait("NoSuchApp", {})));

    const auto apps = AutomationEngine::runningApps(*desktop);
    std::vector<std::string> ids;
    for (const auto& app : apps)
        ids.push_back(app.bundleID);
    EXPECT_NE(std::ranges::find(ids, "Yad"), ids.end());
    EXPECT_NE(std::ranges::find(ids, "XTerm"), ids.end());

    // The client area as the X server reports it for the same window.
    const auto bounds = engine.windowBounds("XTerm");
    ASSERT_TRUE(bounds);
    const std::string id = shell("xdotool search --class XTerm | head -1");
    std::istringstream info(shell("xwininfo -id " + id));
    int x = -1, y = -1, width = -1, height = -1;
    for (std::string line; std::getline(info, line);) {
        std::sscanf(line.c_str(), "  Absolute upper-left X: %d", &x);
        std::sscanf(line.c_str(), "  Absolute upper-left Y: %d", &y);
        std::sscanf(line.c_str(), "  Width: %d", &width);
        std::sscanf(line.c_str(), "  Height: %d", &height);
    }
    EXPECT_EQ(*bounds, (Rect{double(x), double(y), double(width), double(height)}));
}

TEST_F(DesktopTest, ClickAtAWindowRelativePositionPressesTheButton) {
    // A dialog whose only button fills a known part of it; its exit code shows the press.
    Process dialog({"yad", "--title=Click me", "--text=", "--button=Hit:7",
                    "--geometry=300x200+200+150", "--buttons-layout=spread"});
    ASSERT_TRUE(waitForWindowOf(dialog));
    AutomationEngine engine(*desktop, scheduler);
    ASSERT_TRUE(runTask(engine.activateAndWait("Yad", {})));
    const auto window = engine.windowBounds("Yad");
    ASSERT_TRUE(window);
    Step click = Step::ofType(StepType::mouseClick);
    click.mousePositionX = window->width / 2;
    click.mousePositionY = window->height - 20; // the button row at the bottom
    click.postDelay = 0;
    EXPECT_TRUE(runTask(engine.executeStep(click, std::nullopt, {}, "Yad", {})));
    EXPECT_EQ(dialog.wait(std::chrono::seconds(5)), 7);
}

TEST_F(DesktopTest, RunStopsOnTheHotkeyAndPausesWhenAnotherWindowIsRaised) {
    Template item;
    item.settings.countdownSeconds = 1; // activation is not awaited: the countdown covers it
    Step name = Step::ofType(StepType::textInput);
    name.label = "Name";
    name.postDelay = 0.2;
    Step back = Step::ofType(StepType::tab);
    back.postDelay = 0.2;
    std::vector<std::vector<std::string>> cells;
    for (int i = 0; i < 30; ++i)
        cells.push_back({"row" + std::to_string(i)});
    const CSVData data({"Name"}, cells);

    {
        // The shortcut reaches the target too, so the target here is a terminal running cat.
        Process terminal({"xterm", "-e", "sh", "-c", "cat > /dev/null"});
        ASSERT_TRUE(waitForWindowOf(terminal));
        item.targetAppBundleID = "XTerm";
        item.steps = {name};
        RunnerEngine runner(*desktop, scheduler);
        runner.start(item, data, 0, std::nullopt);
        ASSERT_TRUE(spinUntil([&] { return runner.statusMessage() == "Row 2/30 \u2713"; },
                              std::chrono::seconds(30)));
        shell("xdotool key ctrl+shift+Escape");
        ASSERT_TRUE(spinUntil([&] { return !runner.isRunning(); }));
        const auto* finished = std::get_if<runner_state::Finished>(&runner.state());
        ASSERT_TRUE(finished) << "the stop shortcut ends the run: " << runner.statusMessage();
        EXPECT_LT(finished->successful, 30u);
    }
    {
        const auto victimFile = temp.path() / "victim.txt";
        Process form({"yad", "--form", "--field=Name", "--button=OK:0"});
        ASSERT_TRUE(waitForWindowOf(form));
        Process victim({"xterm", "-class", "Victim", "-e", "sh", "-c",
                        "stty -icanon -echo; cat > '" + victimFile.string() + "'"});
        ASSERT_TRUE(waitForWindowOf(victim));
        ASSERT_TRUE(waitForFrontOf(victim));
        item.targetAppBundleID = "Yad";
        item.steps = {name, back, back}; // Tab, Tab: back into the field, without submitting
        RunnerEngine runner(*desktop, scheduler);
        runner.start(item, data, 0, std::nullopt);
        ASSERT_TRUE(spinUntil([&] { return runner.statusMessage() == "Row 1/30 \u2713"; },
                              std::chrono::seconds(30)));
        shell("xdotool search --class Victim windowactivate --sync");
        ASSERT_TRUE(spinUntil([&] { return !runner.isRunning(); }, std::chrono::seconds(30)));
        EXPECT_TRUE(std::holds_alternative<runner_state::Paused>(runner.state()));
        EXPECT_EQ(runner.statusMessage(), "Target app no longer in foreground");
        spinUntil([] { return false; }, std::chrono::milliseconds(300));
        EXPECT_EQ(readText(victimFile), "") << "nothing was typed into the raised window";
    }
}

TEST_F(DesktopTest, FocusedElementNamesTheLabelledField) {
    Process form({"yad", "--form", "--field=First name", "--field=Email"});
    ASSERT_TRUE(waitForWindowOf(form));
    AutomationEngine engine(*desktop, scheduler);
    ASSERT_TRUE(runTask(engine.activateAndWait("Yad", {})));
    spinUntil([] { return false; }, std::chrono::milliseconds(500));
    runTask(engine.pressKey(Key::tab, {}, {}));
    std::optional<FocusedElement> focused;
    EXPECT_TRUE(spinUntil([&] {
        focused = desktop->focusedElement();
        return focused && focused->title == "Email";
    })) << (focused ? focused->title : std::string("nothing focused"));
    ASSERT_TRUE(focused);
    EXPECT_EQ(focused->role, ElementRole::textField);
    EXPECT_EQ(focused->processID, form.pid());
}
