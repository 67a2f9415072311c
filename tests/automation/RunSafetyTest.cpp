// A run types only into the window it is bound to, stops within one character, and keeps
// its pace, wherever the disturbance falls: each case is replayed with the disturbance at
// every moment an event went out in an undisturbed run, and between them.

#include "SimulatedSession.h"
#include "automation/RunnerEngine.h"

#include <algorithm>
#include <set>

using namespace keyferry;
using namespace keyferry::testing;
using namespace keyferry::runner_state;

namespace {

Step input(std::string label) {
    Step step = Step::ofType(StepType::textInput);
    step.label = std::move(label);
    step.postDelay = 0.1;
    return step;
}

Step ofType(StepType type, double postDelay = 0) {
    Step step = Step::ofType(type);
    step.postDelay = postDelay;
    return step;
}

Ms at(const Event& event) {
    return std::chrono::duration_cast<Ms>(event.time);
}

bool presses(const Event& event) {
    return event.kind == Kind::keyDown || event.kind == Kind::character ||
           event.kind == Kind::mouseDown;
}

/// One desktop, its target form and a runner, fresh for every replay.
struct Scene {
    Scene() {
        keyferry = desktop.addApplication("keyferry", "Keyferry");
        desktop.setOwnApplication(keyferry);
        desktop.addWindow(keyferry, {900, 100, 300, 200});
        other = desktop.addApplication("Victim", "Victim");
        otherWindow = desktop.addWindow(other, {600, 400, 200, 200});
        target = desktop.addApplication("Yad", "Yad");
        targetWindow = desktop.addWindow(target, {100, 100, 400, 300});
        desktop.addForm(target, {SimulatedDesktop::Field::named("Name"),
                                 SimulatedDesktop::Field::named("City")});
        desktop.bringToFront(target);
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 0;
        Step click = ofType(StepType::mouseClick, 0.2);
        click.mousePositionX = 20;
        click.mousePositionY = 20;
        item.steps = {input("Name"), click, ofType(StepType::pause, 0.3), input("City"),
                      ofType(StepType::returnKey, 0.2)};
    }
    void run(std::size_t rows = 2) {
        std::vector<std::vector<std::string>> cells;
        for (std::size_t i = 0; i < rows; ++i)
            cells.push_back({"name" + std::to_string(i), "city" + std::to_string(i)});
        runner.start(item, CSVData({"Name", "City"}, cells), 0, std::nullopt);
        clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });
    }
    /// Every moment an event went out up to the last press, and one in the middle of each
    /// gap (from the first: at 0 the run's own activation would undo a disturbance).
    std::vector<Scheduler::Duration> moments() const {
        std::set<Scheduler::Duration> times;
        Scheduler::Duration previous{0}, lastPress{0};
        for (const Event& event : desktop.postedEvents()) {
            times.insert(event.time);
            times.insert(previous + (event.time - previous) / 2);
            previous = event.time;
            if (presses(event))
                lastPress = event.time;
        }
        std::erase_if(times, [&](auto t) { return t <= Scheduler::Duration{0} || t > lastPress; });
        return {times.begin(), times.end()};
    }
    std::vector<Event> pressesOutside(WindowID allowed) const {
        std::vector<Event> wrong;
        for (const Event& event : desktop.postedEvents())
            if (presses(event) && event.window != allowed)
                wrong.push_back(event);
        return wrong;
    }

    VirtualScheduler clock;
    SimulatedDesktop desktop{clock};
    RunnerEngine runner{desktop, clock};
    Template item;
    int keyferry = 0, other = 0, target = 0;
    WindowID targetWindow = 0, otherWindow = 0;
};

std::string describe(const std::vector<Event>& events) {
    std::string text;
    for (const Event& event : events)
        text += " @" + std::to_string(std::chrono::duration_cast<Ms>(event.time).count()) +
                "ms kind " + std::to_string(static_cast<int>(event.kind)) + " '" + event.text + "'";
    return text;
}

} // namespace

TEST(RunSafety, FocusTakenAtAnyMomentGetsNothingAndPausesTheRow) {
    Scene undisturbed;
    undisturbed.run();
    ASSERT_EQ(undisturbed.runner.state(), RunnerState(Finished{2, 0, 2}));
    const auto moments = undisturbed.moments();
    ASSERT_GT(moments.size(), 40u);

    // Another application, a second window of the target opened before the run, and a
    // window of another process of the same application: none may get a key.
    enum class Thief { otherApplication, sameApplication, sameClassOtherProcess };
    for (Thief thief :
         {Thief::otherApplication, Thief::sameApplication, Thief::sameClassOtherProcess}) {
        for (Scheduler::Duration when : moments) {
            Scene scene;
            WindowID stolenBy = scene.otherWindow;
            if (thief == Thief::sameApplication)
                stolenBy = scene.desktop.addWindow(scene.target, {550, 100, 200, 200});
            if (thief == Thief::sameClassOtherProcess) {
                const int twin = scene.desktop.addApplication("Yad", "Yad");
                stolenBy = scene.desktop.addWindow(twin, {550, 100, 200, 200});
            }
            scene.desktop.focusWindow(scene.targetWindow); // the thief waits behind
            scene.clock.runAfter(when, [&] { scene.desktop.focusWindow(stolenBy); });
            scene.run();
            const std::string at = " (focus taken at " +
                                   std::to_string(std::chrono::duration_cast<Ms>(when).count()) +
                                   " ms, thief " + std::to_string(static_cast<int>(thief)) + ")";
            const auto wrong = scene.pressesOutside(scene.targetWindow);
            EXPECT_TRUE(wrong.empty()) << describe(wrong) << at;
            const auto* paused = std::get_if<Paused>(&scene.runner.state());
            ASSERT_TRUE(paused) << scene.runner.statusMessage() << at;
            EXPECT_EQ(scene.runner.statusMessage(), "Target app no longer in foreground") << at;
            const std::size_t submitted = scene.desktop.form(scene.target)->submissions.size();
            EXPECT_EQ(paused->row, submitted) << "paused at the row in progress" << at;
            EXPECT_TRUE(scene.desktop.heldDown().empty()) << at;
        }
    }
}

TEST(RunSafety, ADialogTheTargetOpensBetweenStepsIsFollowedAndLeftAgain) {
    Scene scene;
    // Return opens a confirmation dialog; Return in the dialog closes it again.
    std::optional<WindowID> dialog;
    std::vector<WindowID> confirmedIn;
    scene.desktop.onKey(scene.target, [&](Key key, Modifiers) {
        if (key != Key::returnKey)
            return;
        if (dialog && scene.desktop.focusedWindowID() == dialog) {
            confirmedIn.push_back(*dialog);
            scene.desktop.closeWindow(*std::exchange(dialog, std::nullopt));
        } else {
            dialog =
                scene.desktop.openWindow(scene.target, {150, 150, 200, 100}, scene.targetWindow);
        }
    });
    scene.item.steps = {input("Name"), input("City"), ofType(StepType::returnKey, 0.2),
                        ofType(StepType::returnKey, 0.2)};
    scene.run(3);
    EXPECT_EQ(scene.runner.state(), RunnerState(Finished{3, 0, 3})) << scene.runner.statusMessage();
    EXPECT_EQ(confirmedIn.size(), 3u) << "each row's dialog got its Return";
    EXPECT_TRUE(scene.desktop.heldDown().empty());
}

TEST(RunSafety, ANewWindowOfTheTargetIsFollowedButOnlyBetweenSteps) {
    {
        Scene scene; // Return opens the next record in a new window of the same process
        scene.desktop.onKey(scene.target, [&](Key key, Modifiers) {
            if (key == Key::returnKey)
                scene.desktop.openWindow(scene.target, {120, 120, 400, 300});
        });
        scene.item.steps = {input("Name"), input("City"), ofType(StepType::returnKey, 0.2)};
        scene.run(3);
        EXPECT_EQ(scene.runner.state(), RunnerState(Finished{3, 0, 3}))
            << scene.runner.statusMessage();
    }
    {
        // Measured in a spreadsheet: Ctrl+A then BackSpace opens a "Delete Contents" dialog
        // of the same application in the middle of the step. It must get no keystroke.
        Scene scene;
        std::optional<WindowID> dialog;
        scene.desktop.onKey(scene.target, [&](Key key, Modifiers) {
            if (key == Key::backspace && !dialog)
                dialog = scene.desktop.openWindow(scene.target, {150, 150, 200, 100},
                                                  scene.targetWindow);
        });
        scene.run(3);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(scene.runner.state(), RunnerState(Paused{0, 3}));
        EXPECT_EQ(scene.runner.statusMessage(), "Target app no longer in foreground");
        for (const Event& event : scene.desktop.postedEvents()) {
            EXPECT_FALSE(presses(event) && event.window == *dialog)
                << "kind " << static_cast<int>(event.kind) << " '" << event.text << "'";
        }
        EXPECT_TRUE(scene.desktop.heldDown().empty());
    }
}

TEST(RunSafety, NoPressAfterAStopWhereverItFalls) {
    Scene undisturbed;
    undisturbed.run();
    for (Scheduler::Duration when : undisturbed.moments()) {
        Scene scene;
        scene.clock.runAfter(when, [&] { scene.runner.stop(); });
        scene.run();
        for (const Event& event : scene.desktop.postedEvents())
            EXPECT_TRUE(!presses(event) || event.time < when)
                << "pressed at " << at(event).count() << " ms after the stop at "
                << std::chrono::duration_cast<Ms>(when).count();
        EXPECT_TRUE(std::holds_alternative<Finished>(scene.runner.state()));
        EXPECT_TRUE(scene.desktop.heldDown().empty());
        const auto& finished = std::get<Finished>(scene.runner.state());
        EXPECT_EQ(finished.successful, scene.desktop.form(scene.target)->submissions.size())
            << "a row cut short by the stop is not counted";
    }
}

TEST(RunSafety, BindingWaitsForTheActivationItAskedFor) {
    {
        Scene scene;
        scene.desktop.bringToFront(scene.keyferry);
        scene.desktop.setActivationLag(Ms(250));
        scene.run(1);
        EXPECT_EQ(scene.runner.state(), RunnerState(Finished{1, 0, 1}));
        ASSERT_FALSE(scene.desktop.postedEvents().empty());
        EXPECT_EQ(at(scene.desktop.postedEvents().front()), Ms(300)) << "polled every 100 ms";
        EXPECT_TRUE(scene.pressesOutside(scene.targetWindow).empty());
    }
    {
        Scene scene;
        scene.desktop.bringToFront(scene.keyferry);
        scene.desktop.setActivationLag(std::chrono::hours(1));
        scene.run(1);
        EXPECT_EQ(scene.runner.state(), RunnerState(Paused{0, 1}));
        EXPECT_EQ(scene.runner.statusMessage(), "Target app no longer in foreground");
        EXPECT_TRUE(scene.desktop.postedEvents().empty());
    }
}

TEST(RunSafety, CharactersKeepToAbsoluteDeadlines) {
    Scene scene;
    AutomationEngine engine(scene.desktop, scene.clock);
    // Posting takes a millisecond: with waits measured from the end of each post, 2,000
    // characters at 12 ms would take 26 s.
    scene.desktop.afterEachPost = [&] { scene.clock.spend(Ms(1)); };
    Task<Posted> typing = engine.typeText(std::string(2000, 'x'), 0.012, {});
    typing.start();
    scene.clock.runUntil([&] { return typing.done(); });
    ASSERT_TRUE(typing.done());
    EXPECT_TRUE(*typing.result());
    EXPECT_EQ(std::chrono::duration_cast<Ms>(scene.clock.now()), Ms(24000));
    const auto& events = scene.desktop.postedEvents();
    ASSERT_EQ(events.size(), 2000u);
    EXPECT_EQ(at(events[1000]), Ms(12000)) << "the 1,001st character is due at 12 s";
}

TEST(RunSafety, AWindowIsKnownByItsIdAndItsProcess) {
    // X hands the id of a closed window to the next client that asks: when the target's
    // window closes and another program's window takes its id and the focus, that is not the
    // target.
    {
        Scene scene;
        scene.desktop.onKey(scene.target, [&](Key key, Modifiers) {
            if (key != Key::returnKey)
                return;
            scene.desktop.closeWindow(scene.targetWindow);
            scene.desktop.openWindowReusing(scene.targetWindow, scene.other, {100, 100, 400, 300});
        });
        scene.item.steps = {input("Name"), input("City"), ofType(StepType::returnKey, 0.2)};
        scene.run(3);
        EXPECT_EQ(scene.runner.state(), RunnerState(Paused{1, 3}));
        EXPECT_EQ(scene.runner.statusMessage(), "Target app no longer in foreground");
        const auto& events = scene.desktop.postedEvents();
        const auto returnDown = std::ranges::find_if(events, [](const Event& e) {
            return e.kind == Kind::keyDown && e.key == Key::returnKey;
        });
        ASSERT_NE(returnDown, events.end());
        EXPECT_TRUE(std::none_of(returnDown + 1, events.end(), presses))
            << "nothing pressed into the other program's window";
    }
    {
        // A form started again for each row, by a new process of the same application, is
        // the target; its window may even get the old id.
        Scene scene;
        scene.desktop.onKey(scene.target, [&](Key key, Modifiers) {
            if (key != Key::returnKey)
                return;
            const int again = scene.desktop.addApplication("Yad", "Yad");
            scene.desktop.addForm(again, {SimulatedDesktop::Field::named("Name"),
                                          SimulatedDesktop::Field::named("City")});
            scene.desktop.closeWindow(scene.targetWindow);
            scene.desktop.openWindowReusing(scene.targetWindow, again, {100, 100, 400, 300});
            scene.target = again;
        });
        scene.item.steps = {input("Name"), input("City"), ofType(StepType::returnKey, 0.2)};
        scene.run(3);
        EXPECT_EQ(scene.runner.state(), RunnerState(Finished{3, 0, 3}))
            << scene.runner.statusMessage();
    }
}

TEST(RunSafety, WhereRoutingCannotBeHeldAKeyThatMayHaveGoneAstrayFailsItsRow) {
    Scene undisturbed;
    undisturbed.run();
    std::vector<std::size_t> pressIndices;
    for (std::size_t i = 0; i < undisturbed.desktop.postedEvents().size(); ++i)
        if (presses(undisturbed.desktop.postedEvents()[i]) &&
            undisturbed.desktop.postedEvents()[i].kind != Kind::mouseDown)
            pressIndices.push_back(i);
    ASSERT_GT(pressIndices.size(), 20u);

    // The focus moves after the check and before the key lands, at every key of the run.
    for (std::size_t index : pressIndices) {
        Scene scene;
        std::vector<RowOutcome> outcomes;
        scene.runner.rowEnded.connect(
            [&](const RowOutcome& outcome) { outcomes.push_back(outcome); });
        std::size_t posted = 0;
        scene.desktop.afterEachPost = [&] {
            if (++posted == index)
                scene.desktop.beforeNextEventLands = [&] {
                    scene.desktop.focusWindow(scene.otherWindow);
                };
        };
        if (index == 0)
            scene.desktop.beforeNextEventLands = [&] {
                scene.desktop.focusWindow(scene.otherWindow);
            };
        scene.run();
        const std::string at = " (focus moved under key event " + std::to_string(index) + ")";

        // The one key in flight may have landed; nothing after it does.
        EXPECT_LE(scene.pressesOutside(scene.targetWindow).size(), 1u) << at;
        const auto* paused = std::get_if<Paused>(&scene.runner.state());
        ASSERT_TRUE(paused) << scene.runner.statusMessage() << at;
        EXPECT_NE(scene.runner.statusMessage().find("a key may have reached Victim"),
                  std::string::npos)
            << scene.runner.statusMessage() << at;
        ASSERT_FALSE(outcomes.empty()) << at;
        EXPECT_EQ(outcomes.back().status, RowStatus::failed) << at;
        EXPECT_EQ(outcomes.back().entry, paused->row + 1) << at;
        EXPECT_TRUE(scene.desktop.heldDown().empty()) << at;
    }
}
