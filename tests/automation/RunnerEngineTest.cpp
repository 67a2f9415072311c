#include "automation/RunnerEngine.h"

#include "SimulatedSession.h"

#include <algorithm>

using namespace keyferry;
using namespace keyferry::testing;
using namespace keyferry::runner_state;

namespace {

Step input(std::string label, std::optional<std::string> fixed = std::nullopt) {
    Step step = Step::ofType(StepType::textInput);
    step.label = std::move(label);
    step.fixedValue = std::move(fixed);
    step.postDelay = 0.1;
    return step;
}

Step returnStep() {
    Step step = Step::ofType(StepType::returnKey);
    step.postDelay = 0.2;
    return step;
}

CSVData table(std::size_t rows) {
    std::vector<std::vector<std::string>> cells;
    for (std::size_t i = 0; i < rows; ++i)
        cells.push_back({"name" + std::to_string(i + 1), "city" + std::to_string(i + 1)});
    return CSVData({"Name", "City"}, cells);
}

class RunnerEngineTest : public SimulatedSession {
protected:
    RunnerEngineTest() {
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 0;
        item.steps = {input("Name"), input("City"), returnStep()};
        runner.stateChanged.connect([this] { states.push_back({now(), runner.state()}); });
    }
    void runToEnd() {
        clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });
    }
    template <class State>
    bool reached(const State& state) const {
        return std::ranges::any_of(states,
                                   [&](const auto& s) { return s.second == RunnerState(state); });
    }

    AccessibilityChecker checker{desktop, clock};
    RunnerEngine runner{desktop, clock, &checker};
    Template item;
    std::vector<std::pair<Ms, RunnerState>> states;
};

} // namespace

TEST_F(RunnerEngineTest, FillsTheFormOncePerRow) {
    runner.start(item, table(3), 0, std::nullopt);
    runToEnd();
    EXPECT_EQ(form().submissions, (std::vector<std::vector<std::string>>{
                                      {"name1", "city1"}, {"name2", "city2"}, {"name3", "city3"}}));
    EXPECT_EQ(runner.state(), RunnerState(Finished{3, 0, 3}));
    EXPECT_EQ(runner.statusMessage(), "Row 3/3 \u2713");
    EXPECT_FALSE(runner.hotkey().isActive()) << "the stop shortcut is disarmed after a run";
    EXPECT_TRUE(desktop.heldDown().empty());
}

TEST_F(RunnerEngineTest, CountdownTicksOncePerSecond) {
    item.settings.countdownSeconds = 3;
    runner.start(item, table(1), 0, std::nullopt);
    runToEnd();
    ASSERT_GE(states.size(), 4u);
    EXPECT_EQ(states[0], (std::pair<Ms, RunnerState>{Ms(0), Countdown{3}}));
    EXPECT_EQ(states[1], (std::pair<Ms, RunnerState>{Ms(1000), Countdown{2}}));
    EXPECT_EQ(states[2], (std::pair<Ms, RunnerState>{Ms(2000), Countdown{1}}));
    EXPECT_EQ(states[3], (std::pair<Ms, RunnerState>{Ms(3000), Running{0, 0, 1}}));
}

TEST_F(RunnerEngineTest, RowRangeEdges) {
    runner.start(item, table(0), 0, std::nullopt);
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Finished{0, 0, 0}));

    runner.start(item, table(4), 4, std::nullopt);
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Finished{0, 0, 4}));

    runner.start(item, table(4), 9, std::nullopt);
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Finished{0, 0, 9})) << "beyond the end: an empty run";

    runner.start(item, table(10), 4, 1); // a test run of entry 5
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Finished{1, 0, 5}));
    EXPECT_EQ(runner.statusMessage(), "Row 5/5 \u2713");
    EXPECT_EQ(form().submissions, (std::vector<std::vector<std::string>>{{"name5", "city5"}}));
}

TEST_F(RunnerEngineTest, ValuesAreTakenByPosition) {
    item.steps = {input("Company", "ACME"), input("Name"), returnStep()};
    runner.start(item, table(1), 0, std::nullopt);
    runToEnd();
    EXPECT_EQ(form().submissions[0], (std::vector<std::string>{"ACME", "name1"}))
        << "a fixed value does not use up a column";

    form().submissions.clear();
    form().fields[0].text = "stale";
    item.steps = {input("A"), input("B"), input("C"), returnStep()};
    form().fields.push_back(SimulatedDesktop::Field::named("Third"));
    form().fields[2].text = "stale too";
    runner.start(item, table(1), 0, std::nullopt);
    runToEnd();
    EXPECT_EQ(form().submissions[0], (std::vector<std::string>{"name1", "city1", ""}))
        << "a missing cell clears the field and moves on";
}

TEST_F(RunnerEngineTest, TemplateWithoutStepsCompletesEveryRow) {
    item.steps.clear();
    runner.start(item, table(2), 0, std::nullopt);
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Finished{2, 0, 2}));
    EXPECT_EQ(runner.statusMessage(), "Row 2/2 \u2713");
    EXPECT_TRUE(desktop.postedEvents().empty());
}

TEST_F(RunnerEngineTest, PauseTakesEffectAtTheNextRow) {
    runner.start(item, table(5), 0, std::nullopt);
    clock.runUntil([&] { return runner.state() == RunnerState(Running{2, 1, 5}); });
    runner.requestPause();
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Paused{3, 5}));
    EXPECT_EQ(form().submissions.size(), 3u) << "the row in progress was completed";
    EXPECT_EQ(runner.statusMessage(), "Row 3/5 \u2713");

    runner.resume(item, table(5), 3);
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Finished{2, 0, 5}));
    EXPECT_EQ(form().submissions.back(), (std::vector<std::string>{"name5", "city5"}));
    EXPECT_EQ(form().submissions.size(), 5u);
}

TEST_F(RunnerEngineTest, StopDuringClickWaitDoesNotCountTheRow) {
    Step wait = Step::ofType(StepType::wait);
    item.steps = {input("Name"), wait, input("City"), returnStep()};
    runner.start(item, table(3), 0, std::nullopt);
    clock.runUntil([&] { return runner.state() == RunnerState(WaitingForClick{0, 3}); });
    clock.runUntil([&] { return runner.clickWatcher().isListening(); });
    desktop.userClick(MouseButton::left, {1000, 150}); // on Keyferry's own window: ignored
    clock.runUntilIdle(100);
    EXPECT_EQ(runner.state(), RunnerState(WaitingForClick{0, 3}));
    desktop.userClick(MouseButton::right, {200, 150}); // a right click: ignored
    clock.runUntilIdle(100);
    EXPECT_EQ(runner.state(), RunnerState(WaitingForClick{0, 3}));
    EXPECT_EQ(desktop.beeps(), 1);

    desktop.userClick(MouseButton::left, {200, 150}); // in the target: the run goes on
    clock.runUntil([&] { return runner.state() == RunnerState(WaitingForClick{1, 3}); });
    EXPECT_EQ(runner.statusMessage(), "Row 1/3 \u2713");

    runner.stop();
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Finished{1, 0, 1}))
        << "the interrupted row is not counted and Resume repeats it";
    EXPECT_EQ(runner.statusMessage(), "Row 1/3 \u2713");
    EXPECT_EQ(form().submissions.size(), 1u);
    EXPECT_FALSE(runner.clickWatcher().onClick);
    EXPECT_TRUE(desktop.heldDown().empty());
}

TEST_F(RunnerEngineTest, StopMidStepFinishesItWithoutPausesAndReleasesKeys) {
    runner.start(item, table(3), 0, std::nullopt);
    clock.runUntil([&] {
        return !desktop.postedEvents().empty() &&
               desktop.postedEvents().back().kind == Kind::keyDown;
    });
    const Ms stoppedAt = now();
    runner.stop();
    EXPECT_EQ(runner.state(), RunnerState(Paused{0, 3})) << "while the task winds down";
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Finished{0, 0, 0}));
    EXPECT_EQ(now(), stoppedAt) << "no wait was kept";
    EXPECT_TRUE(desktop.heldDown().empty());
    EXPECT_TRUE(form().submissions.empty());
}

TEST_F(RunnerEngineTest, StopDuringCountdown) {
    item.settings.countdownSeconds = 5;
    runner.start(item, table(3), 1, std::nullopt);
    clock.advance(Ms(1500));
    runner.stop();
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Finished{0, 0, 1}));
    EXPECT_EQ(now(), Ms(1500));
    EXPECT_TRUE(desktop.postedEvents().empty());
}

TEST_F(RunnerEngineTest, TargetMissingOrRefusingActivation) {
    item.targetAppBundleID = "NotRunning";
    runner.start(item, table(3), 2, std::nullopt);
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Finished{0, 0, 2}));
    EXPECT_EQ(runner.statusMessage(), "Target app not found!");

    item.targetAppBundleID = "Yad";
    desktop.setActivationRefused(target, true);
    runner.start(item, table(3), 0, std::nullopt);
    runToEnd();
    EXPECT_EQ(runner.statusMessage(), "Target app not found!");
    EXPECT_FALSE(runner.hotkey().isActive());
    EXPECT_TRUE(desktop.postedEvents().empty());
}

TEST_F(RunnerEngineTest, NeverTypesIntoAnotherWindow) {
    runner.start(item, table(3), 0, std::nullopt);
    clock.runUntil([&] { return runner.state() == RunnerState(Running{1, 1, 3}); });
    desktop.bringToFront(keyferry); // the user switches windows in the middle of row 2
    const std::size_t postedBefore = desktop.postedEvents().size();
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Paused{1, 3}));
    EXPECT_EQ(runner.statusMessage(), "Target app no longer in foreground");
    // Every key press checks the front first: after the switch only releases go out, even
    // in the middle of the step that was under way.
    for (std::size_t i = postedBefore; i < desktop.postedEvents().size(); ++i) {
        const Event& event = desktop.postedEvents()[i];
        EXPECT_TRUE(event.kind == Kind::keyUp || event.kind == Kind::mouseUp)
            << "event " << i << " pressed or typed into another window";
    }
    EXPECT_TRUE(desktop.heldDown().empty());

    // Between rows the same check applies.
    desktop.bringToFront(target);
    runner.resume(item, table(3), 1);
    clock.runUntil([&] { return runner.statusMessage() == "Row 2/3 \u2713"; });
    desktop.bringToFront(keyferry);
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Paused{2, 3}));
}

TEST_F(RunnerEngineTest, PermissionIsReadEveryTenthStep) {
    item.steps.assign(12, Step::ofType(StepType::tab));
    runner.start(item, table(2), 0, std::nullopt);
    clock.runUntil([&] { return runner.state() == RunnerState(Running{0, 1, 2}); });
    desktop.setTrusted(false);
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Paused{0, 2}));
    EXPECT_EQ(runner.statusMessage(), "Accessibility permission revoked!");
    EXPECT_TRUE(reached(Running{0, 9, 2})) << "steps 1 to 9 ran without a check";
    EXPECT_FALSE(reached(Running{0, 11, 2}));
    EXPECT_FALSE(checker.isGranted());
}

TEST_F(RunnerEngineTest, FailedTypingPausesAtTheRow) {
    runner.start(item, table(3), 0, std::nullopt);
    clock.runUntil([&] { return runner.state() == RunnerState(Running{1, 0, 3}); });
    desktop.setPostingFails(true);
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Paused{1, 3}));
    EXPECT_EQ(runner.statusMessage(),
              "Could not send keyboard input at row 2: the simulated desktop refuses events");
}

TEST_F(RunnerEngineTest, StopShortcutStopsTheRun) {
    runner.setPauseOnUserInput(false); // else the other key pauses the run
    runner.start(item, table(3), 0, std::nullopt);
    clock.runUntil([&] { return runner.state() == RunnerState(Running{1, 0, 3}); });
    desktop.userKey(Key::escape, Modifier::control | Modifier::alt);
    clock.runUntilIdle(5);
    EXPECT_TRUE(runner.isRunning()) << "Ctrl+Alt+Esc is not the shortcut";
    desktop.userKey(Key::escape, Modifiers(Modifier::control) | Modifier::shift | Modifier::alt);
    runToEnd();
    EXPECT_TRUE(std::holds_alternative<Finished>(runner.state()));
    EXPECT_LT(form().submissions.size(), 3u);
}
