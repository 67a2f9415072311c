#include "platform/wayland/WaylandDesktop.h"

#include "Desktop.h"
#include "JsonLines.h"
#include "TrustDesktop.h"
#include "WaylandSession.h"
#include "text/UnicodeText.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <tuple>

// Keyferry's view of windows and applications on a headless sway, held against what
// `swaymsg -t get_tree` says; clicks at window-relative positions and a focus taken mid-row,
// judged by what the applications themselves report.

using namespace keyferry;
using namespace keyferry::testing;

namespace {

std::optional<SwayView> focusedView() {
    for (const SwayView& view : swayViews())
        if (view.focused)
            return view;
    return std::nullopt;
}

class WaylandWindows : public ::testing::Test {
protected:
    void SetUp() override {
        auto connected = WaylandDesktop::connect(scheduler);
        ASSERT_TRUE(connected.hasValue()) << connected.error();
        desktop = std::move(*connected);
        ASSERT_TRUE(desktop->windowsProblem().empty()) << desktop->windowsProblem();
    }

    QtScheduler scheduler;
    std::unique_ptr<WaylandDesktop> desktop;
    TemporaryFolder temp;
};

} // namespace

// Two applications side by side, a GTK form and the Qt form: the window list, the running
// applications, the front, the focused window and the window under a point are what sway's
// tree says, and activation moves sway's focus.
TEST_F(WaylandWindows, WindowsApplicationsAndActivationMatchSwaysTree) {
    Process gtk({"env", "GDK_BACKEND=wayland", "/usr/bin/python3", KEYFERRY_GTK_FORM,
                 (temp.path() / "form.jsonl").string()});
    Process qt({"env", "QT_QPA_PLATFORM=wayland", KEYFERRY_QT_FORM, "Name"});
    ASSERT_TRUE(waitForViewOf(gtk.pid()));
    ASSERT_TRUE(waitForViewOf(qt.pid()));
    // Both laid out: each has its half of the output.
    ASSERT_TRUE(spinUntil([] {
        const auto views = swayViews();
        return views.size() == 2 && std::ranges::all_of(views, [](const SwayView& view) {
                   return view.visible && view.width > 0 && view.width < 1000;
               });
    }));

    const std::map<pid_t, std::string> applicationOf = {{gtk.pid(), "gtk_form.py"},
                                                        {qt.pid(), "qt_form"}};
    for (const pid_t front : {gtk.pid(), qt.pid(), gtk.pid()}) {
        SCOPED_TRACE("in front: " + applicationOf.at(front));
        const RunningApplication application{applicationOf.at(front), std::nullopt, front, true};
        ASSERT_TRUE(desktop->activate(application));
        ASSERT_TRUE(waitForFocusOf(front)) << "sway did not move the focus";

        const auto focused = focusedView();
        ASSERT_TRUE(focused);
        EXPECT_EQ(focused->pid, front);

        // Sway lays a window out again once its client has chosen its decorations (seen: the
        // Qt form's view at y 0, then 25): the two views are compared once the layout holds.
        std::set<std::tuple<int, int, int, int, int>> expected, listed;
        std::vector<WindowInfo> windows;
        spinUntil([&] {
            expected.clear();
            listed.clear();
            for (const SwayView& view : swayViews())
                if (view.visible)
                    expected.insert({view.pid, view.x, view.y, view.width, view.height});
            windows = desktop->windowList();
            for (const WindowInfo& window : windows)
                listed.insert({window.ownerProcessID, window.bounds.x, window.bounds.y,
                               window.bounds.width, window.bounds.height});
            return listed == expected;
        });
        EXPECT_EQ(listed, expected);
        ASSERT_FALSE(windows.empty());
        EXPECT_EQ(windows.front().ownerProcessID, front) << "the focused window is in front";

        std::set<std::pair<std::string, int>> applications;
        for (const RunningApplication& running : desktop->runningApplications()) {
            EXPECT_TRUE(running.isRegular);
            applications.insert({running.bundleID.value_or(""), running.processID});
        }
        EXPECT_EQ(applications, (std::set<std::pair<std::string, int>>{{"gtk_form.py", gtk.pid()},
                                                                       {"qt_form", qt.pid()}}));

        const auto frontmost = desktop->frontmostApplication();
        ASSERT_TRUE(frontmost);
        EXPECT_EQ(frontmost->bundleID, applicationOf.at(front));
        EXPECT_EQ(frontmost->processID, front);
        EXPECT_EQ(desktop->focusedWindow(), static_cast<WindowID>(focused->id));

        for (const SwayView& view : swayViews()) {
            const Point centre{view.x + view.width / 2.0, view.y + view.height / 2.0};
            EXPECT_EQ(desktop->windowAt(centre), static_cast<WindowID>(view.id)) << view.appID;
            const auto facts = desktop->windowFacts(static_cast<WindowID>(view.id));
            ASSERT_TRUE(facts);
            EXPECT_EQ(facts->processID, view.pid);
            EXPECT_EQ(facts->bundleID, view.appID);
        }
    }

    EXPECT_FALSE(desktop->activate({"no.such.app", std::nullopt, 0, true}));
}

// A template's clicks are offsets from the target window's top left corner. The window floats
// away from the output's corner, so an offset taken as a desktop position would miss; each
// click must press the button under that offset, after the text typed before it.
TEST_F(WaylandWindows, ClicksAtWindowRelativePositionsPressTheButtonsThere) {
    const auto log = temp.path() / "grid.jsonl";
    Process grid(
        {"env", "GDK_BACKEND=wayland", "/usr/bin/python3", KEYFERRY_CLICK_GRID, log.string()});
    ASSERT_TRUE(waitForRecord(log, "ready"));
    ASSERT_TRUE(swayCommand("[pid=" + std::to_string(grid.pid()) +
                            "] floating enable, resize set 600 400, move position 300 200"));
    // The window's content is what sway calls the window: offsets mean the same to both,
    // once the application has taken the new size.
    std::optional<SwayView> view;
    nlohmann::json layout;
    ASSERT_TRUE(spinUntil(
        [&] {
            view = waitForViewOf(grid.pid());
            if (!view || view->x < 300 || view->y < 200)
                return false;
            const std::size_t asked = recordsOf(log, "layout").size();
            ::kill(grid.pid(), SIGUSR1);
            if (!waitForRecord(log, "layout", asked + 1, std::chrono::seconds(5)))
                return false;
            layout = recordsOf(log, "layout").back();
            return layout["size"][0].get<int>() == view->width &&
                   layout["size"][1].get<int>() == view->height;
        },
        std::chrono::seconds(20)))
        << layout.dump();

    const auto centreOf = [&](const std::string& button) {
        const auto& box = layout["buttons"][button];
        return std::pair{box[0].get<double>() + box[2].get<double>() / 2,
                         box[1].get<double>() + box[3].get<double>() / 2};
    };
    const std::vector<std::pair<std::string, std::string>> clicks = {
        {"r0c2", "first \u00E9"}, {"r2c0", "second \u20AC"}, {"r1c1", "third"}};
    Template item;
    item.name = "Grid";
    item.targetAppBundleID = "click_grid.py";
    item.settings.countdownSeconds = 1;
    item.settings.interCharDelay = 0;
    std::string header, row;
    for (const auto& [button, note] : clicks) {
        const std::string label = "Note " + button;
        item.steps.push_back(makeStep(StepType::textInput, label, 0.1));
        Step click = makeStep(StepType::mouseClick, "", 0.3);
        click.mouseButton = MouseButton::left;
        click.mouseClickType = MouseClickType::single;
        std::tie(click.mousePositionX, click.mousePositionY) = centreOf(button);
        item.steps.push_back(click);
        header += (header.empty() ? "" : ";") + label;
        row += (row.empty() ? "" : ";") + note;
    }
    KeyferryRun run(temp.path(), item, header + "\n" + row + "\n");
    run.start();
    EXPECT_EQ(run.wait(), 0) << run.output();

    const auto pressed = recordsOf(log, "click");
    ASSERT_EQ(pressed.size(), clicks.size()) << readText(log) << run.output();
    for (std::size_t i = 0; i < clicks.size(); ++i) {
        EXPECT_EQ(pressed[i]["button"].get<std::string>(), clicks[i].first);
        EXPECT_EQ(escaped(pressed[i]["note"].get<std::string>()), escaped(clicks[i].second));
    }
}

namespace {

enum class Thief { otherApplication, sameApplication };

/// What one GTK form holds now, as it reports it on SIGUSR1.
nlohmann::json formState(const Process& form, const std::filesystem::path& log) {
    const std::size_t before = recordsOf(log, "state").size();
    ::kill(form.pid(), SIGUSR1);
    if (!waitForRecord(log, "state", before + 1, std::chrono::seconds(5)))
        return {};
    return recordsOf(log, "state").back();
}

} // namespace

class WaylandFocusTheft : public ::testing::TestWithParam<Thief> {};

// Another window takes the focus while a run types a long field: a window of another
// application, or one of the target's own application that was open before the run. The run
// pauses saying why, and nothing reaches the thief: its fields stay empty and its focus stays
// where it was (a Tab would move it). Several tries, each after a different amount of text.
TEST_P(WaylandFocusTheft, NothingIsTypedIntoAWindowThatTookTheFocus) {
    int strays = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        SCOPED_TRACE("attempt " + std::to_string(attempt));
        TemporaryFolder folder;
        // A copy of the form under another name is another application on Wayland: GTK takes
        // its app_id from the program's name.
        const auto thiefLog = folder.path() / "thief.jsonl";
        std::filesystem::path thiefProgram = KEYFERRY_GTK_FORM;
        if (GetParam() == Thief::otherApplication) {
            thiefProgram = folder.path() / "thief_form.py";
            std::filesystem::copy_file(KEYFERRY_GTK_FORM, thiefProgram);
        }
        Process thief({"env", "GDK_BACKEND=wayland", "/usr/bin/python3", thiefProgram.string(),
                       thiefLog.string(), "--code-max", "100"});
        ASSERT_TRUE(waitForRecord(thiefLog, "ready"));

        const auto targetLog = folder.path() / "target.jsonl";
        Process target({"env", "GDK_BACKEND=wayland", "/usr/bin/python3", KEYFERRY_GTK_FORM,
                        targetLog.string(), "--code-max", "100"});
        ASSERT_TRUE(waitForRecord(targetLog, "ready"));
        ASSERT_TRUE(waitForFocusOf(target.pid()));

        Template item;
        item.name = "Long";
        item.targetAppBundleID = "gtk_form.py";
        item.settings.countdownSeconds = 1;
        item.settings.interCharDelay = 0.005;
        item.steps = {makeStep(StepType::textInput, "Name", 0.1),
                      makeStep(StepType::textInput, "City", 0.1)};
        const std::string text = repeatedTo("abc \u00E9\u20AC \u6771 ", 2000);
        KeyferryRun run(folder.path(), item, "Name;City\n" + text + ";" + text + "\n");
        run.start();
        const std::size_t before = 20 + 150 * static_cast<std::size_t>(attempt);
        ASSERT_TRUE(spinUntil(
            [&] {
                const auto state = formState(target, targetLog);
                return state.is_object() && state["values"][0].get<std::string>().size() > before;
            },
            std::chrono::seconds(30)))
            << run.output();
        ASSERT_TRUE(swayCommand("[pid=" + std::to_string(thief.pid()) + "] focus"));

        EXPECT_EQ(run.wait(std::chrono::seconds(20)), 1) << run.output();
        EXPECT_NE(run.output().find("Paused"), std::string::npos) << run.output();
        const auto stolen = formState(thief, thiefLog);
        ASSERT_TRUE(stolen.is_object());
        EXPECT_EQ(stolen["focus"], "Name") << stolen.dump();
        // Sway cannot hold the focus still between the check and the key: should the focus
        // move in that instant, the keys in flight land in the thief, and then the run must
        // have said so, naming it and counting exactly those keys.
        const std::string name = stolen["values"][0];
        const std::string thiefID = thiefProgram.filename().string();
        if (!name.empty()) {
            ++strays;
            const std::size_t keys = graphemeClusters(name).size();
            const std::string told = (keys == 1 ? "the key" : std::to_string(keys) + " keys") +
                                     " may have reached \"" + thiefID + "\"";
            EXPECT_NE(run.output().find(told), std::string::npos) << told << "\n" << run.output();
        }
        EXPECT_EQ(stolen["values"][1], "") << stolen.dump();
        EXPECT_EQ(stolen["values"][2], "") << stolen.dump();
        const auto typed = formState(target, targetLog);
        ASSERT_TRUE(typed.is_object());
        EXPECT_LT(typed["values"][0].get<std::string>().size(), text.size());
        EXPECT_EQ(typed["values"][1], "") << "the run went on to the next field";
    }
    std::cout << "[ measured ] thefts that took keys, each reported: " << strays
              << " of 3 thefts\n";
}

// The instant no client can close on sway, made to last: the focus is checked, then another
// window takes it and sway has handled that, then the key goes out. It lands in the thief;
// the desktop must say so, naming it, and a key sent after a fresh check is not reported.
TEST_F(WaylandWindows, AKeySentAfterTheFocusMovedUnseenIsReportedNamingTheWindow) {
    const auto thiefProgram = temp.path() / "thief_form.py";
    std::filesystem::copy_file(KEYFERRY_GTK_FORM, thiefProgram);
    const auto thiefLog = temp.path() / "thief.jsonl";
    Process thief({"env", "GDK_BACKEND=wayland", "/usr/bin/python3", thiefProgram.string(),
                   thiefLog.string()});
    ASSERT_TRUE(waitForRecord(thiefLog, "ready"));
    const auto targetLog = temp.path() / "target.jsonl";
    Process target(
        {"env", "GDK_BACKEND=wayland", "/usr/bin/python3", KEYFERRY_GTK_FORM, targetLog.string()});
    ASSERT_TRUE(waitForRecord(targetLog, "ready"));
    ASSERT_TRUE(waitForFocusOf(target.pid()));

    const auto checkFocus = [&] {
        EXPECT_TRUE(desktop->holdInputRouting());
        const auto focus = desktop->focusedWindow();
        EXPECT_TRUE(focus.has_value());
        return focus;
    };
    const auto send = [&](std::string_view character) {
        ASSERT_TRUE(desktop->prepareText(character));
        ASSERT_TRUE(desktop->postCharacter(character));
        desktop->releaseInputRouting();
    };

    // Undisturbed: checked, sent, delivered where checked.
    const auto targetWindow = checkFocus();
    send("a");
    EXPECT_TRUE(desktop->confirmDelivery());

    checkFocus();
    ASSERT_TRUE(swayCommand("[pid=" + std::to_string(thief.pid()) + "] focus"));
    ASSERT_TRUE(waitForFocusOf(thief.pid()));
    send("b"); // as if checked a moment before the focus moved
    const Posted delivered = desktop->confirmDelivery();
    ASSERT_FALSE(delivered);
    EXPECT_EQ(delivered.why(), "the focus moved to \"thief_form.py\" just as a key was sent to "
                               "the target window; the key may have reached \"thief_form.py\"");
    EXPECT_TRUE(desktop->confirmDelivery()) << "reported once";

    // The next check sees the thief in front: a run would stop there and send nothing.
    const auto now = checkFocus();
    desktop->releaseInputRouting();
    EXPECT_NE(now, targetWindow);

    // The key did land there: what is reported is true.
    nlohmann::json stolen;
    EXPECT_TRUE(spinUntil(
        [&] {
            stolen = formState(thief, thiefLog);
            return stolen.is_object() && stolen["values"][0] == "b";
        },
        std::chrono::seconds(5)))
        << stolen.dump();
    const auto typed = formState(target, targetLog);
    ASSERT_TRUE(typed.is_object());
    EXPECT_EQ(typed["values"][0], "a");
}

INSTANTIATE_TEST_SUITE_P(Thieves, WaylandFocusTheft,
                         ::testing::Values(Thief::otherApplication, Thief::sameApplication),
                         [](const auto& info) {
                             return std::string(info.param == Thief::otherApplication
                                                    ? "OtherApplication"
                                                    : "SameApplication");
                         });

// `keyferry desktop` inside the sway session: sway, and every capability there except what
// no Wayland compositor offers an application (other applications' keys and clicks, and so
// recording keys and pausing on the user's own input), each of those with why and what to
// do. Fields are recorded from the focus, which the accessibility bus reports.
TEST(WaylandDesktopCommand, OnSwayEverythingButWatchingOtherApplicationsKeys) {
    const std::string printed = shell(shellQuote(KEYFERRY_BINARY) + " desktop; echo \"exit=$?\"");
    std::istringstream lines(printed);
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "Desktop: sway");
    std::map<std::string, std::string> answers;
    while (std::getline(lines, line) && line.rfind("exit=", 0) != 0) {
        const auto colon = line.find(": ");
        ASSERT_NE(colon, std::string::npos) << line;
        answers[line.substr(0, colon)] = line.substr(colon + 2);
    }
    EXPECT_EQ(line, "exit=0") << printed;
    const std::set<std::string> missingOnWayland = {"record keys", "pause on user input",
                                                    "see the user's clicks"};
    const std::map<std::string, std::string> withNote = {
        {"record fields", "yes - from the fields the focus moves to; Return, arrow keys and "
                          "clicks are added by hand"}};
    for (const std::string name :
         {"type layout text", "type any text", "click", "list windows", "activate", "window bounds",
          "stop hotkey", "record keys", "record fields", "pause on user input",
          "see the user's clicks"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(answers.contains(name)) << printed;
        if (withNote.contains(name)) {
            EXPECT_EQ(answers[name], withNote.at(name));
            continue;
        }
        if (!missingOnWayland.contains(name)) {
            EXPECT_EQ(answers[name], "yes");
            continue;
        }
        EXPECT_EQ(answers[name].rfind("no - ", 0), 0u) << answers[name];
        EXPECT_NE(answers[name].find(". What you can do: "), std::string::npos) << answers[name];
    }
    EXPECT_EQ(answers.size(), 11u) << printed;
    EXPECT_NE(answers["record keys"].find("no Wayland compositor"), std::string::npos);
}

namespace {

/// SWAYSOCK unset while it lives, as for a wlroots compositor without sway's IPC: Keyferry
/// then reaches windows through the foreign toplevel protocol. The test's own swaymsg calls
/// find the socket again afterwards.
class WithoutSwaySocket {
public:
    WithoutSwaySocket() : saved_(std::getenv("SWAYSOCK") ? std::getenv("SWAYSOCK") : "") {
        ::unsetenv("SWAYSOCK");
    }
    WithoutSwaySocket(const WithoutSwaySocket&) = delete;
    WithoutSwaySocket& operator=(const WithoutSwaySocket&) = delete;
    ~WithoutSwaySocket() {
        if (!saved_.empty())
            ::setenv("SWAYSOCK", saved_.c_str(), 1);
    }

private:
    std::string saved_;
};

} // namespace

// Without sway's IPC: the applications and the active window as sway's tree names them,
// activation moves sway's focus, and processes and positions are unknown, not made up.
TEST(WaylandToplevels, ApplicationsFocusAndActivationWithoutSwaysIpc) {
    TemporaryFolder temp;
    QtScheduler scheduler;
    std::unique_ptr<WaylandDesktop> desktop;
    {
        WithoutSwaySocket noIpc;
        auto connected = WaylandDesktop::connect(scheduler);
        ASSERT_TRUE(connected.hasValue()) << connected.error();
        desktop = std::move(*connected);
    }
    ASSERT_TRUE(desktop->windowsProblem().empty()) << desktop->windowsProblem();
    EXPECT_EQ(desktop->facts().swayIpc, false);

    Process gtk({"env", "GDK_BACKEND=wayland", "/usr/bin/python3", KEYFERRY_GTK_FORM,
                 (temp.path() / "form.jsonl").string()});
    Process qt({"env", "QT_QPA_PLATFORM=wayland", KEYFERRY_QT_FORM, "Name"});
    ASSERT_TRUE(waitForViewOf(gtk.pid()));
    ASSERT_TRUE(waitForViewOf(qt.pid()));
    ASSERT_TRUE(spinUntil([&] { return desktop->topLevelWindows().size() == 2; }));

    std::set<std::pair<std::string, int>> applications;
    for (const RunningApplication& running : desktop->runningApplications())
        applications.insert({running.bundleID.value_or(""), running.processID});
    EXPECT_EQ(applications,
              (std::set<std::pair<std::string, int>>{{"gtk_form.py", 0}, {"qt_form", 0}}));
    const auto windows = desktop->windowList();
    EXPECT_EQ(windows.size(), 2u);
    for (const WindowInfo& window : windows) {
        EXPECT_EQ(window.ownerProcessID, 0);
        EXPECT_EQ(window.bounds.width, 0);
    }

    for (const pid_t front : {gtk.pid(), qt.pid(), gtk.pid()}) {
        const std::string id = front == gtk.pid() ? "gtk_form.py" : "qt_form";
        SCOPED_TRACE("in front: " + id);
        ASSERT_TRUE(desktop->activate({id, std::nullopt, 0, true}));
        ASSERT_TRUE(waitForFocusOf(front)) << "sway did not move the focus";
        // The protocol's state event may come a moment after sway's tree changed.
        ASSERT_TRUE(spinUntil([&] {
            const auto frontmost = desktop->frontmostApplication();
            return frontmost && frontmost->bundleID == id;
        }));
        const auto focus = desktop->focusedWindow();
        ASSERT_TRUE(focus);
        const auto facts = desktop->windowFacts(*focus);
        ASSERT_TRUE(facts);
        EXPECT_EQ(facts->bundleID, id);
        EXPECT_EQ(facts->processID, 0);
        EXPECT_EQ(desktop->windowList().size(), 2u);
    }
    EXPECT_FALSE(desktop->activate({"no.such.app", std::nullopt, 0, true}));
}

// `keyferry run` without sway's IPC binds to the target by its application id and types a
// row of mixed text exactly.
TEST(WaylandToplevels, RunFillsAFormWithoutSwaysIpc) {
    TemporaryFolder temp;
    const auto log = temp.path() / "form.jsonl";
    Process form({"env", "GDK_BACKEND=wayland", "/usr/bin/python3", KEYFERRY_GTK_FORM, log.string(),
                  "--code-max", "100"});
    ASSERT_TRUE(waitForRecord(log, "ready"));
    Template item;
    item.name = "Form";
    item.targetAppBundleID = "gtk_form.py";
    item.settings.countdownSeconds = 1;
    item.settings.interCharDelay = 0;
    item.steps = {
        makeStep(StepType::textInput, "Name", 0.1), makeStep(StepType::textInput, "City", 0.1),
        makeStep(StepType::textInput, "Code", 0.1), makeStep(StepType::returnKey, "", 0.5)};
    const std::vector<std::string> row = {"Zo\u00EB \u20AC \u674E",
                                          "K\u00F6ln \U0001F44D\U0001F3FD", "\u00DF \u2713"};
    KeyferryRun run(temp.path(), item,
                    "Name;City;Code\n" + row[0] + ";" + row[1] + ";" + row[2] + "\n");
    {
        WithoutSwaySocket noIpc;
        run.start();
    }
    EXPECT_EQ(run.wait(), 0) << run.output();
    const auto rows = recordsOf(log, "row");
    ASSERT_EQ(rows.size(), 1u) << readText(log) << run.output();
    EXPECT_EQ(escaped(rows[0]["values"].dump()), escaped(nlohmann::json(row).dump()));
}
