#include "Desktop.h"
#include "automation/AutomationEngine.h"
#include "recording/ClickPositionRecorder.h"
#include "recording/RecorderService.h"
#include "ui/RecordingPanelWidget.h"

using namespace keyferry;
using namespace keyferry::testing;

// Real key presses (sent with XTest by another program, as a user's keyboard would) into
// a GTK form while Keyferry records.
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
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].type, StepType::textInput);
    EXPECT_EQ(steps[0].label, "Name");
    EXPECT_EQ(steps[1].type, StepType::textInput);
    EXPECT_EQ(steps[1].label, "City");
    EXPECT_EQ(recorder.detectedBundleID(), "Yad");

    // Return in a second recording: a Return step, and the form submits as usual.
    recorder.startRecording();
    shell("xdotool key Return");
    EXPECT_TRUE(spinUntil([&] { return !recorder.recordedSteps().empty(); }));
    ASSERT_EQ(recorder.recordedSteps().size(), 1u);
    EXPECT_EQ(recorder.recordedSteps()[0].type, StepType::returnKey);
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
    EXPECT_TRUE(recorder.recordedSteps().empty());
    shell("xdotool key shift+Tab");
    pause(200);
    EXPECT_TRUE(recorder.recordedSteps().empty()) << "Shift+Tab records nothing";
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
    ASSERT_TRUE(spinUntil([&] { return recorder.recordedSteps().size() == 1; }));
    EXPECT_EQ(recorder.recordedSteps()[0].type, StepType::textInput);
    shell("xdotool key alt+space");
    EXPECT_TRUE(spinUntil([&] { return recorder.recordedSteps()[0].type == StepType::tab; }));
    shell("xdotool key Escape"); // closes the window menu and ends the recording
    EXPECT_TRUE(spinUntil([&] { return recorder.state() == RecorderState::idle; }));
}
