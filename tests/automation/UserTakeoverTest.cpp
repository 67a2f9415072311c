// The user's hand on the keyboard or mouse pauses a run before Keyferry's next key event,
// wherever it falls; not during a click wait, where the user is meant to click, nor during
// the countdown; and the stop shortcut still stops.

#include "SimulatedSession.h"
#include "automation/RunnerEngine.h"

#include <set>

using namespace keyferry;
using namespace keyferry::testing;
using namespace keyferry::runner_state;

namespace {

Step ofType(StepType type, double postDelay = 0.1) {
    Step step = Step::ofType(type);
    step.postDelay = postDelay;
    return step;
}

Step input(std::string label) {
    Step step = ofType(StepType::textInput);
    step.label = std::move(label);
    return step;
}

bool presses(const Event& event) {
    return event.kind == Kind::keyDown || event.kind == Kind::character ||
           event.kind == Kind::mouseDown;
}

/// The target's form and a runner, fresh for every replay.
struct Scene : TargetDesktop {
    Scene() {
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 0;
        item.steps = {input("Name"), input("City"), ofType(StepType::returnKey, 0.2)};
        runner.rowEnded.connect([this](const RowOutcome& outcome) { outcomes.push_back(outcome); });
    }
    void run(std::size_t rows = 2) {
        std::vector<std::vector<std::string>> cells;
        for (std::size_t i = 0; i < rows; ++i)
            cells.push_back({"name" + std::to_string(i), "city" + std::to_string(i)});
        runner.start(item, CSVData({"Name", "City"}, cells), 0, std::nullopt);
        finishRun();
    }
    std::vector<Ms> pressTimes() const {
        std::vector<Ms> times;
        for (const Event& event : desktop.postedEvents())
            if (presses(event))
                times.push_back(std::chrono::duration_cast<Ms>(event.time));
        return times;
    }

    void finishRun() {
        clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });
    }

    RunnerEngine runner{desktop, clock};
    Template item;
    std::vector<RowOutcome> outcomes;
};

class UserTakeoverTest : public ::testing::Test, protected Scene {};

} // namespace

TEST(UserTakeover, AKeyOrClickAtAnyMomentPausesBeforeTheNextPress) {
    std::vector<Ms> moments;
    {
        Scene undisturbed;
        undisturbed.run();
        ASSERT_EQ(undisturbed.runner.state(), RunnerState(Finished{2, 0, 2}));
        std::set<Ms> unique;
        Ms previous{0};
        for (Ms t : undisturbed.pressTimes()) {
            unique.insert(previous + (t - previous) / 2); // between two presses
            previous = t;
        }
        moments.assign(unique.begin(), unique.end());
        moments.erase(moments.begin()); // at 0 the run has not begun
        ASSERT_GT(moments.size(), 20u);
    }
    for (bool click : {false, true}) {
        for (Ms when : moments) {
            Scene scene;
            scene.clock.runAfter(when, [&] {
                if (click)
                    scene.desktop.userClick(MouseButton::right, {700, 500});
                else
                    scene.desktop.userKey(Key::other);
            });
            scene.run();
            const std::string trace = " (" + std::string(click ? "click" : "key") + " at " +
                                      std::to_string(when.count()) + " ms)";
            for (Ms t : scene.pressTimes())
                EXPECT_LE(t, when) << "a press after the user's" << trace;
            ASSERT_TRUE(std::holds_alternative<Paused>(scene.runner.state()))
                << scene.runner.statusMessage() << trace;
            EXPECT_EQ(scene.runner.statusMessage(), "Paused: keyboard or mouse used") << trace;
            EXPECT_TRUE(scene.desktop.heldDown().empty()) << trace;
            ASSERT_FALSE(scene.outcomes.empty()) << trace;
            const RowOutcome& last = scene.outcomes.back();
            if (last.status == RowStatus::paused)
                EXPECT_EQ(last.message, "Paused: keyboard or mouse used") << trace;
            else // the row had just ended when the user came in: the next one never began
                EXPECT_TRUE(landed(last.status)) << trace;
        }
    }
}

TEST_F(UserTakeoverTest, AClickDuringAClickWaitIsTheAwaitedClickNotATakeover) {
    item.steps = {input("Name"), ofType(StepType::wait), input("City"),
                  ofType(StepType::returnKey, 0.2)};
    runner.start(item, CSVData({"Name", "City"}, {{"a", "b"}}), 0, std::nullopt);
    clock.runUntil([&] { return std::holds_alternative<WaitingForClick>(runner.state()); });
    clock.runAfter(50ms, [&] {
        desktop.userKey(Key::other); // a key too, while the user works in the target
        desktop.userClick(MouseButton::left, {150, 150});
    });
    clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });
    EXPECT_EQ(runner.state(), RunnerState(Finished{1, 0, 1})) << runner.statusMessage();
}

TEST_F(UserTakeoverTest, InputDuringTheCountdownDoesNotCount) {
    item.settings.countdownSeconds = 2;
    runner.start(item, CSVData({"Name", "City"}, {{"a", "b"}}), 0, std::nullopt);
    clock.runUntil([&] { return std::holds_alternative<Countdown>(runner.state()); });
    desktop.userKey(Key::other);
    desktop.bringToFront(target); // the user switched to the target during the countdown
    clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });
    EXPECT_EQ(runner.state(), RunnerState(Finished{1, 0, 1})) << runner.statusMessage();
}

TEST_F(UserTakeoverTest, TheStopShortcutStillStopsAndSwitchedOffNothingPauses) {
    runner.start(item, CSVData({"Name", "City"}, {{"a", "b"}, {"c", "d"}, {"e", "f"}}), 0,
                 std::nullopt);
    clock.runUntil([&] { return runner.state() == RunnerState(Running{1, 0, 3}); });
    desktop.userKey(Key::escape, Modifiers(Modifier::control) | Modifier::shift);
    clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });
    EXPECT_TRUE(std::holds_alternative<Finished>(runner.state()));
    EXPECT_NE(runner.statusMessage(), "Paused: keyboard or mouse used");
    ASSERT_FALSE(outcomes.empty());
    EXPECT_EQ(outcomes.back().status, RowStatus::stopped);

    Scene off;
    off.runner.setPauseOnUserInput(false);
    off.clock.runAfter(300ms, [&] { off.desktop.userKey(Key::other); });
    off.run();
    EXPECT_EQ(off.runner.state(), RunnerState(Finished{2, 0, 2}));
}
