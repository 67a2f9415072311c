#include "Desktop.h"
#include "automation/AutomationEngine.h"
#include "recording/ClickPositionRecorder.h"
#include "recording/RecorderService.h"
#include "ui/RecordingPanelWidget.h"

using namespace keyferry;
using namespace keyferry::testing;

// Real key presses (sent with XTest by another program, as a user's keyboard would) into
// a GTK form while Keyferry records. The form opens with the focus in First, where the
// recording starts.
TEST_F(DesktopTest, RecordsTabsAndReturnNamedAfterTheFieldLabels) {
    Process form(
        {"yad", "--form", "--field=First", "--field=Name", "--field=City", "--button=OK:0"});
    ASSERT_TRUE(waitForWindowOf(form));
    ASSERT_TRUE(waitForFrontOf(form));
    pause(500);

    RecorderService recorder(*desktop, scheduler);
    recorder.startRecording();
    ASSERT_EQ(recorder.state(), RecorderState::recording);
    for (const char* key : {"Tab", "Tab"}) {
        shell(std::string("xdotool key ") + key);
        pause(300);
    }
    shell("xdotool key Escape");
    EXPECT_TRUE(spinUntil([&] { return recorder.state() == RecorderState::idle; }));
    pause(300);
    EXPECT_EQ(form.wait(std::chrono::milliseconds(300)), -1)
        << "the form is still open: Escape never reached it";

    const auto& steps = recorder.recordedSteps();
    ASSERT_EQ(steps.size(), 3u);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].type, StepType::textInput);
        EXPECT_EQ(steps[i].label, (std::vector<std::string>{"First", "Name", "City"})[i]);
    }
    EXPECT_EQ(recorder.detectedBundleID(), "Yad");

    // Return in a second recording: a Return step, and the form submits as usual. Right after
    // the Escape this desktop names no focused element (seen: the active window without a
    // process for a moment), so whether City, where the focus stayed, is the first step here
    // depends on that.
    recorder.startRecording();
    shell("xdotool key Return");
    EXPECT_TRUE(spinUntil([&] {
        return !recorder.recordedSteps().empty() &&
               recorder.recordedSteps().back().type == StepType::returnKey;
    }));
    std::string recorded;
    for (const Step& step : recorder.recordedSteps())
        recorded += std::string(rawValue(step.type)) + ":" + step.label + " ";
    ASSERT_LE(recorder.recordedSteps().size(), 2u) << recorded;
    EXPECT_EQ(recorder.recordedSteps().back().type, StepType::returnKey) << recorded;
    if (recorder.recordedSteps().size() == 2) {
        EXPECT_EQ(recorder.recordedSteps()[0].label, "City") << recorded;
    }
}

TEST_F(DesktopTest, KeyferrysOwnKeysAreNotRecorded) {
    Process form({"yad", "--form", "--field=Name", "--field=City"});
    ASSERT_TRUE(waitForWindowOf(form));
    ASSERT_TRUE(waitForFrontOf(form));
    pause(300);
    RecorderService recorder(*desktop, scheduler);
    recorder.startRecording();
    AutomationEngine engine(*desktop, scheduler);
    runTask(engine.pressKey(Key::tab, {}, {}));
    runTask(engine.typeText("Köln", 0, {}));
    pause(300);
    ASSERT_EQ(recorder.recordedSteps().size(), 1u) << "the field it started in, nothing more";
    EXPECT_EQ(recorder.recordedSteps()[0].label, "Name");
    shell("xdotool key shift+Tab");
    pause(200);
    EXPECT_TRUE(recorder.recordedSteps().empty())
        << "Shift+Tab goes back before the start: the Tab back in records it";
}

TEST_F(DesktopTest, RecordedClickPositionReplaysOntoTheSameSpot) {
    const std::vector<std::string> dialog = {"yad",
                                             "--title=Click me",
                                             "--text=",
                                             "--button=Hit:7",
                                             "--geometry=300x200+200+150",
                                             "--buttons-layout=spread"};
    std::optional<Point> recorded;
    {
        Process first(dialog);
        ASSERT_TRUE(waitForWindowOf(first));
        ASSERT_TRUE(waitForFrontOf(first));
        const auto window = AutomationEngine(*desktop, scheduler).windowBounds("Yad");
        ASSERT_TRUE(window);
        ClickPositionRecorder recorder(*desktop, RecordingPanelWidget::factory());
        bool done = false;
        recorder.record("Yad", [&](std::optional<Point> point) {
            recorded = point;
            done = true;
        });
        pause(300);
        const int x = static_cast<int>(window->x + window->width / 2);
        const int y = static_cast<int>(window->y + window->height - 20);
        shell("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
        ASSERT_TRUE(spinUntil([&] { return done; }));
        ASSERT_TRUE(recorded);
        EXPECT_EQ(first.wait(std::chrono::seconds(5)), 7) << "the click also reached the dialog";
    }
    Process second(dialog);
    ASSERT_TRUE(waitForWindowOf(second));
    ASSERT_TRUE(waitForFrontOf(second));
    shell("xdotool mousemove 5 5");
    AutomationEngine engine(*desktop, scheduler);
    Step click = Step::ofType(StepType::mouseClick);
    click.mousePositionX = recorded->x;
    click.mousePositionY = recorded->y;
    click.postDelay = 0;
    EXPECT_TRUE(runTask(engine.executeStep(click, std::nullopt, {}, "Yad", {})));
    EXPECT_EQ(second.wait(std::chrono::seconds(5)), 7);
}

TEST_F(DesktopTest, EscapeInKeyferryCancelsTheClickPositionRecording) {
    Process dialog({"yad", "--form", "--field=Name"});
    ASSERT_TRUE(waitForWindowOf(dialog));
    std::optional<std::optional<Point>> result;
    ClickPositionRecorder recorder(*desktop, RecordingPanelWidget::factory());
    recorder.record("Yad", [&](std::optional<Point> point) { result = point; });
    pause(300);
    const std::string panel = shell("xdotool search --name 'Record Click Position' | head -1");
    ASSERT_FALSE(panel.empty()) << "the instruction panel is on screen";
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(qApp, &escape);
    ASSERT_TRUE(spinUntil([&] { return result.has_value(); }));
    EXPECT_FALSE(*result);
    pause(200);
    EXPECT_EQ(shell("xdotool search --name 'Record Click Position'"), "") << "the panel is gone";
}

TEST_F(DesktopTest, AltSpaceTogglesEvenWhenTheWindowManagerOwnsIt) {
    Process form({"yad", "--form", "--field=First", "--field=Name"});
    ASSERT_TRUE(waitForWindowOf(form));
    ASSERT_TRUE(waitForFrontOf(form));
    pause(500);
    RecorderService recorder(*desktop, scheduler);
    recorder.startRecording();
    EXPECT_TRUE(recorder.optionSpaceAlsoReachesOthers()) << "openbox binds Alt+Space itself";
    shell("xdotool key Tab");
    ASSERT_TRUE(spinUntil([&] { return recorder.recordedSteps().size() == 2; }));
    EXPECT_EQ(recorder.recordedSteps()[1].type, StepType::textInput);
    shell("xdotool key alt+space");
    EXPECT_TRUE(spinUntil([&] { return recorder.recordedSteps()[1].type == StepType::tab; }));
    shell("xdotool key Escape"); // closes the window menu and ends the recording
    EXPECT_TRUE(spinUntil([&] { return recorder.state() == RecorderState::idle; }));
}

// `keyferry record` with the focus already in the form's first field: that field is the first
// step, and the recorded template, run, fills every field of the form byte for byte.
TEST_F(DesktopTest, ARecordingStartedInTheFirstFieldFillsItWhenRun) {
    const std::string folders = "XDG_DATA_HOME='" + temp.path().string() + "' XDG_STATE_HOME='" +
                                temp.path().string() + "' XDG_CONFIG_HOME='" +
                                temp.path().string() + "' ";
    const auto recorded = temp.path() / "record.txt";
    {
        Process form(
            {"yad", "--form", "--field=First", "--field=Name", "--field=City", "--button=OK:0"});
        ASSERT_TRUE(waitForWindowOf(form));
        ASSERT_TRUE(waitForFrontOf(form));
        pause(500); // yad puts the focus in First once shown
        Process record({"sh", "-c",
                        folders + "'" + KEYFERRY_BINARY + "' record --template People > '" +
                            recorded.string() + "' 2>&1"});
        ASSERT_TRUE(spinUntil([&] {
            return readText(recorded).find("Step 1") != std::string::npos;
        })) << readText(recorded);
        for (const char* key : {"Tab", "Tab", "Tab", "Return"}) { // Return on OK
            shell(std::string("xdotool key ") + key);
            pause(300);
        }
        EXPECT_EQ(form.wait(), 0);
        shell("xdotool key Escape");
        EXPECT_EQ(record.wait(std::chrono::seconds(10)), 0) << readText(recorded);
    }
    const std::string printed = readText(recorded);
    EXPECT_NE(printed.find("Step 1: Text Input \"First\"\nStep 2: Text Input \"Name\"\n"
                           "Step 3: Text Input \"City\"\n"),
              std::string::npos)
        << printed;
    EXPECT_NE(printed.find("\"People\": 4 steps, target Yad."), std::string::npos) << printed;

    const std::string rows[] = {"J\u00FCrgen;Wei\u00DF;K\u00F6ln",
                                "Zo\u00EB \u20AC;\u674E;\u6771\u4EAC \U0001F44D\U0001F3FD"};
    writeText(temp.path() / "people.csv", "First;Name;City\n" + rows[0] + "\n" + rows[1] + "\n");
    const auto out = temp.path() / "forms.txt";
    Process forms({"sh", "-c",
                   "for i in 1 2; do yad --form --field=First --field=Name --field=City "
                   "--button=OK:0 >> '" +
                       out.string() + "'; done"});
    ASSERT_TRUE(waitForApplication("Yad"));
    const std::string run =
        shell(folders + "'" + KEYFERRY_BINARY + "' run --template People --csv '" +
              (temp.path() / "people.csv").string() + "'; echo \"exit=$?\"");
    EXPECT_NE(run.find("exit=0"), std::string::npos) << run;
    forms.wait();
    std::string expected;
    for (std::string row : rows) {
        for (char& c : row)
            if (c == ';')
                c = '|';
        expected += row + "|\n";
    }
    EXPECT_EQ(readText(out), expected) << run;
}
