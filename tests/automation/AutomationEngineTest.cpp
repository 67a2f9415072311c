#include "automation/AutomationEngine.h"

#include "SimulatedSession.h"

#include <cmath>
#include <limits>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

class AutomationEngineTest : public SimulatedSession {
protected:
    Posted execute(Step step, std::optional<std::string> value = std::nullopt,
                   std::optional<std::string> targetID = "Yad") {
        Template::Settings settings;
        return finish(engine.executeStep(step, value, settings, targetID, cancellation));
    }
    // "kind@ms" for every posted event, to compare whole sequences at once.
    std::vector<std::string> timeline() const {
        std::vector<std::string> lines;
        for (const Event& e : desktop.postedEvents()) {
            std::string what;
            switch (e.kind) {
            case Kind::keyDown:
                what = "down";
                break;
            case Kind::keyUp:
                what = "up";
                break;
            case Kind::character:
                what = "char " + e.text;
                break;
            case Kind::mouseDown:
                what = "press" + std::to_string(e.clickState);
                break;
            case Kind::mouseUp:
                what = "release" + std::to_string(e.clickState);
                break;
            }
            if (e.kind == Kind::keyDown || e.kind == Kind::keyUp)
                what +=
                    " " + keyName(e.key) + (e.modifiers.contains(Modifier::control) ? "+ctrl" : "");
            lines.push_back(what + " @" + std::to_string(at(e).count()));
        }
        return lines;
    }
    static std::string keyName(Key key) {
        switch (key) {
        case Key::a:
            return "a";
        case Key::tab:
            return "tab";
        case Key::returnKey:
            return "return";
        case Key::backspace:
            return "backspace";
        case Key::down:
            return "downarrow";
        case Key::left:
            return "leftarrow";
        default:
            return "other";
        }
    }

    AutomationEngine engine{desktop, clock};
    Cancellation cancellation;
};

using Lines = std::vector<std::string>;

} // namespace

TEST_F(AutomationEngineTest, TextInputWithEmptyValueClearsAndMovesOn) {
    form().fields[0].text = "old";
    Step step = Step::ofType(StepType::textInput);
    EXPECT_TRUE(execute(step, ""));
    EXPECT_EQ(timeline(), (Lines{"down a+ctrl @0", "up a+ctrl @20", "down backspace @220",
                                 "up backspace @240", "down tab @340", "up tab @360"}));
    EXPECT_EQ(now(), Ms(660)) << "post-delay 0.3 s after the Tab";
    EXPECT_EQ(form().fields[0].text, "");
    EXPECT_EQ(form().focused, 1u);
}

TEST_F(AutomationEngineTest, TextIsTypedByUserPerceivedCharacter) {
    Step step = Step::ofType(StepType::textInput);
    step.postDelay = 0;
    // A thumb with a skin tone and an e with a combining accent are one character each.
    EXPECT_TRUE(execute(step, "J\xC3\xB6\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD"
                              "e\xCC\x81"));
    EXPECT_EQ(timeline(), (Lines{"down a+ctrl @0", "up a+ctrl @20", "down backspace @220",
                                 "up backspace @240", "char J @290", "char \xC3\xB6 @310",
                                 "char \xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD @330",
                                 "char e\xCC\x81 @350", "down tab @420", "up tab @440"}));
    EXPECT_EQ(form().fields[0].text, "J\xC3\xB6\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD"
                                     "e\xCC\x81");
}

TEST_F(AutomationEngineTest, RepeatedKeysWaitOnlyBetweenPresses) {
    Step skip = Step::ofType(StepType::skipTabs);
    skip.repeatCount = 3;
    skip.postDelay = 0.5;
    EXPECT_TRUE(execute(skip));
    EXPECT_EQ(timeline(), (Lines{"down tab @0", "up tab @20", "down tab @520", "up tab @540",
                                 "down tab @1040", "up tab @1060"}));
    EXPECT_EQ(now(), Ms(1060));

    desktop.clearPostedEvents();
    skip.repeatCount = 0;
    EXPECT_TRUE(execute(skip));
    EXPECT_TRUE(desktop.postedEvents().empty());

    Step arrow = Step::ofType(StepType::arrowKey);
    arrow.repeatCount = -4; // acts as zero
    EXPECT_TRUE(execute(arrow));
    EXPECT_TRUE(desktop.postedEvents().empty());
    arrow.repeatCount = 1;
    EXPECT_TRUE(execute(arrow));
    EXPECT_EQ(timeline(), (Lines{"down downarrow @1060", "up downarrow @1080"}))
        << "no direction presses the down arrow";
}

// A desktop still busy before a key (a paste the application has not fetched) is asked again
// after each wait it names, and the key goes once it names none; one that never stops asking
// gets the key after the preparation's patience (5 s), not never.
TEST_F(AutomationEngineTest, AKeyWaitsAsLongAsTheDesktopAsksWithinAPatience) {
    desktop.setKeyWaits({Ms(10), Ms(30), Ms(0), Ms(500)});
    EXPECT_TRUE(execute(Step::ofType(StepType::tab)));
    EXPECT_EQ(timeline(), (Lines{"down tab @40", "up tab @60"}));

    desktop.clearPostedEvents();
    const auto start = now().count();
    desktop.setKeyWaits(std::deque<SimulatedDesktop::Duration>(20, Ms(400)));
    EXPECT_TRUE(execute(Step::ofType(StepType::tab)));
    // Thirteen waits of 400 ms: the first to end past 5 s.
    EXPECT_EQ(timeline(), (Lines{"down tab @" + std::to_string(start + 5200),
                                 "up tab @" + std::to_string(start + 5220)}));
}

TEST_F(AutomationEngineTest, BadDelaysActAsZero) {
    for (double bad : {-1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        const Ms before = now();
        Step pause = Step::ofType(StepType::pause);
        pause.postDelay = bad;
        EXPECT_TRUE(execute(pause));
        Step tab = Step::ofType(StepType::tab);
        tab.postDelay = bad;
        EXPECT_TRUE(execute(tab));
        EXPECT_EQ(now() - before, Ms(20)) << bad;
        EXPECT_TRUE(finish(engine.typeText("ab", bad, cancellation)));
        EXPECT_EQ(now() - before, Ms(20)) << "interCharDelay " << bad;
    }
}

TEST_F(AutomationEngineTest, MouseClicks) {
    Step click = Step::ofType(StepType::mouseClick);
    click.mouseClickType = MouseClickType::double_;
    click.mousePositionX = 40;
    click.mousePositionY = 25;
    click.postDelay = 0;
    EXPECT_TRUE(execute(click));
    EXPECT_EQ(timeline(), (Lines{"press1 @0", "release1 @20", "press2 @70", "release2 @90"}));
    EXPECT_EQ(desktop.postedEvents()[0].position, (Point{140, 125}))
        << "offset from the target window's corner";
    EXPECT_EQ(desktop.postedEvents()[0].button, MouseButton::left);

    desktop.clearPostedEvents();
    EXPECT_TRUE(execute(click, std::nullopt, std::nullopt)) << "no target: skipped";
    EXPECT_TRUE(execute(click, std::nullopt, "NotRunning"));
    EXPECT_TRUE(desktop.postedEvents().empty());

    click.mousePositionY.reset();
    click.mouseButton = MouseButton::right;
    click.mouseClickType.reset();
    desktop.setPointer({7, 9});
    EXPECT_TRUE(execute(click, std::nullopt, std::nullopt));
    ASSERT_EQ(desktop.postedEvents().size(), 2u);
    EXPECT_EQ(desktop.postedEvents()[0].position, (Point{7, 9})) << "one coordinate: the pointer";
    EXPECT_EQ(desktop.postedEvents()[0].button, MouseButton::right);
}

TEST_F(AutomationEngineTest, AKeyThatCannotBeSentFailsTheStepWithTheReason) {
    desktop.setPostingFails(true);
    for (StepType type : {StepType::textInput, StepType::selectAllClear, StepType::tab,
                          StepType::returnKey, StepType::skipTabs, StepType::arrowKey}) {
        Step step = Step::ofType(type);
        step.repeatCount = 2;
        step.postDelay = 1;
        const Ms before = now();
        const Posted outcome = execute(step, "abc");
        ASSERT_FALSE(outcome) << displayName(type) << ": never a silent skip";
        EXPECT_EQ(outcome.why(), "the simulated desktop refuses events");
        EXPECT_EQ(outcome.device(), Posted::Device::keyboard);
        EXPECT_EQ(now(), before) << "ends at the first key: no waits, no post-delay";
    }
    Step click = Step::ofType(StepType::mouseClick);
    const Posted clicked = execute(click);
    ASSERT_FALSE(clicked);
    EXPECT_EQ(clicked.device(), Posted::Device::mouse);
    EXPECT_TRUE(desktop.postedEvents().empty());
}

TEST_F(AutomationEngineTest, AfterCancellationOnlyReleasesGoOut) {
    Step step = Step::ofType(StepType::textInput);
    step.postDelay = 10;
    // Cancelled while Ctrl+A is held, between the keys, and in the middle of the text.
    for (Ms when : {Ms(5), Ms(100), Ms(250)}) {
        desktop.clearPostedEvents();
        form().fields[0].text.clear();
        Cancellation stop;
        const Ms before = now();
        Task<Posted> task = engine.executeStep(step, "xyz", {}, "Yad", stop);
        task.start();
        clock.advance(when);
        const std::size_t sentBefore = desktop.postedEvents().size();
        stop.cancel();
        clock.runUntil([&] { return task.done(); });
        EXPECT_TRUE(*task.result()) << "a stop is not a failure";
        EXPECT_EQ(now() - before, when) << "every remaining wait returned at once";
        for (std::size_t i = sentBefore; i < desktop.postedEvents().size(); ++i)
            EXPECT_EQ(desktop.postedEvents()[i].kind, Kind::keyUp) << "at " << when.count();
        EXPECT_TRUE(desktop.heldDown().empty());
        EXPECT_EQ(form().focused, 0u) << "no Tab after the stop";
    }
}

TEST_F(AutomationEngineTest, Activation) {
    EXPECT_FALSE(finish(engine.activateAndWait("NotRunning", cancellation)));
    EXPECT_EQ(now(), Ms(0));

    desktop.bringToFront(keyferry);
    desktop.setActivationLag(Ms(250));
    EXPECT_TRUE(finish(engine.activateAndWait("Yad", cancellation)));
    EXPECT_EQ(now(), Ms(300)) << "polled every 100 ms";

    desktop.bringToFront(keyferry);
    desktop.setActivationLag(std::chrono::hours(1));
    const Ms before = now();
    EXPECT_FALSE(finish(engine.activateAndWait("Yad", cancellation)));
    EXPECT_EQ(now() - before, Ms(2000));

    desktop.setActivationRefused(target, true);
    EXPECT_FALSE(finish(engine.activateAndWait("Yad", cancellation)));
}

TEST_F(AutomationEngineTest, RunningAppsAndWindows) {
    desktop.addApplication("zeta.app", "Zeta");
    desktop.addApplication("alpha.lower", "alpha");
    desktop.addApplication("alpha.app", "Alpha");
    desktop.addApplication("daemon", "Daemon", false);
    desktop.addApplication("", "");
    const auto apps = AutomationEngine::runningApps(desktop);
    std::vector<std::string> names;
    for (const auto& app : apps)
        names.push_back(app.name);
    EXPECT_EQ(names, (std::vector<std::string>{"", "Alpha", "Keyferry", "Yad", "Zeta", "alpha"}));

    desktop.addWindow(target, {5, 5, 0, 50});    // in front, but no width
    desktop.addWindow(keyferry, {0, 0, 50, 50}); // in front, another application
    EXPECT_EQ(engine.windowBounds("Yad"), (Rect{100, 100, 400, 300}));
    EXPECT_EQ(engine.windowBounds("zeta.app"), std::nullopt);
    EXPECT_TRUE(engine.isAppFrontmost("Yad"));
    EXPECT_FALSE(engine.isAppFrontmost("yad"));
}
