#include "editing/EditSession.h"

#include "automation/SimulatedSession.h"
#include "support/FolderBlocker.h"
#include "support/TemporaryFolder.h"

#include <cmath>
#include <limits>
#include <sstream>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

Step input(std::string label) {
    Step step = Step::ofType(StepType::textInput);
    step.label = std::move(label);
    return step;
}

std::vector<std::string> labels(const std::vector<Step>& steps) {
    std::vector<std::string> result;
    for (const Step& step : steps)
        result.push_back(step.label);
    return result;
}

class EditSessionTest : public SimulatedSession {
protected:
    EditSessionTest() {
        store.addTemplate();
        session = std::make_unique<EditSession>(store, clock, runner, recorder);
        session->draftChanged.connect([this] { ++draftChanges; });
    }
    ~EditSessionTest() override { session.reset(); }

    void setSteps(std::vector<Step> steps) {
        session->edit([&](Template& item) { item.steps = std::move(steps); });
    }
    const Template& draft() const { return *session->draft(); }
    std::optional<Template> stored() const {
        const auto read = TemplateStore::readFile(temp.path() / "templates.json");
        if (!read || read->empty())
            return std::nullopt;
        return read->front();
    }
    void record(const std::vector<Key>& keys) {
        session->startRecording();
        for (Key key : keys) {
            desktop.userKey(key);
            clock.advance(100ms);
        }
        desktop.userKey(Key::escape);
        clock.advance(100ms);
    }

    TemporaryFolder temp;
    std::ostringstream diagnostics;
    TemplateStore store{temp.path(), diagnostics};
    RunnerEngine runner{desktop, clock};
    RecorderService recorder{desktop, clock};
    std::unique_ptr<EditSession> session;
    int draftChanges = 0;
};

} // namespace

TEST_F(EditSessionTest, EditsAreSavedTwoSecondsAfterTheLastOne) {
    ASSERT_TRUE(session->draft());
    EXPECT_FALSE(session->hasUnsavedChanges());
    session->edit([](Template& item) { item.name = "People"; });
    EXPECT_TRUE(session->hasUnsavedChanges());
    EXPECT_EQ(store.templates().front().name, "People") << "the sidebar shows the name at once";
    EXPECT_EQ(stored()->name, "New Template") << "the file waits";

    clock.advance(1500ms);
    session->addStep(); // restarts the delay
    clock.advance(1999ms);
    EXPECT_TRUE(session->hasUnsavedChanges());
    EXPECT_TRUE(stored()->steps.empty());
    clock.advance(1ms);
    EXPECT_FALSE(session->hasUnsavedChanges());
    EXPECT_EQ(stored()->steps.size(), 1u);
    EXPECT_TRUE(session->showsSavedFeedback());
    clock.advance(std::chrono::duration_cast<Ms>(EditSession::savedFeedbackTime));
    EXPECT_FALSE(session->showsSavedFeedback());

    const int before = draftChanges;
    session->edit([](Template&) {});
    EXPECT_EQ(draftChanges, before) << "a change that changes nothing is no edit";
    EXPECT_FALSE(session->hasUnsavedChanges());
}

TEST_F(EditSessionTest, EndingOrMovingTheSelectionCommitsTheDraft) {
    session->edit([](Template& item) { item.name = "First"; });
    const Uuid first = draft().id;
    store.addTemplate(); // selects the new one
    EXPECT_EQ(stored()->name, "First") << "the previous template keeps its edit";
    EXPECT_NE(draft().id, first);
    session->setLabel(0, "x"); // no steps: refused
    session->addStep();
    session.reset();
    const auto read = TemplateStore::readFile(temp.path() / "templates.json");
    ASSERT_EQ(read->size(), 2u);
    EXPECT_EQ((*read)[1].steps.size(), 1u) << "the session's end loses nothing";
}

TEST_F(EditSessionTest, AFailedSaveKeepsTheDraftUnsaved) {
    session->edit([](Template& item) { item.name = "Kept"; });
    {
        FolderBlocker blocker(temp.path(), FolderBlocker::strongestWay(temp.path()));
        ASSERT_TRUE(blocker.blocks());
        clock.advance(2s);
        EXPECT_TRUE(store.lastSaveError());
        EXPECT_TRUE(session->hasUnsavedChanges());
        EXPECT_FALSE(session->showsSavedFeedback());
        EXPECT_FALSE(session->commit());
        EXPECT_EQ(draft().name, "Kept") << "the draft is never dropped";
        session->addStep();
        clock.advance(2s);
        EXPECT_EQ(draft().steps.size(), 1u);
    }
    session->save();
    EXPECT_FALSE(session->hasUnsavedChanges());
    EXPECT_EQ(stored()->name, "Kept");
    EXPECT_EQ(stored()->steps.size(), 1u);
}

TEST_F(EditSessionTest, StepOperations) {
    setSteps({input("a"), input("b"), input("c")});
    ASSERT_TRUE(session->moveStep(0, 2));
    EXPECT_EQ(labels(draft().steps), (std::vector<std::string>{"b", "c", "a"}));
    ASSERT_TRUE(session->moveStep(2, 0));
    EXPECT_EQ(labels(draft().steps), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(session->moveStep(0, 3));
    EXPECT_FALSE(session->moveStep(3, 0));

    EXPECT_TRUE(session->deleteStep(1));
    EXPECT_EQ(labels(draft().steps), (std::vector<std::string>{"a", "c"}));
    EXPECT_FALSE(session->deleteStep(2));
    session->addStep();
    EXPECT_EQ(draft().steps.back().type, StepType::tab);
    EXPECT_TRUE(session->setType(2, StepType::arrowKey));
    EXPECT_TRUE(session->setArrowDirection(2, ArrowDirection::left));
    EXPECT_EQ(draft().steps[2].arrowDirection, ArrowDirection::left);
    EXPECT_TRUE(session->setLabel(1, "City"));
    EXPECT_EQ(draft().steps[1].label, "City");
    EXPECT_EQ(session->indexOf(draft().steps[1].id), 1u);
    EXPECT_EQ(session->indexOf(Uuid::random()), std::nullopt);

    struct Case {
        double delay;
        bool accepted;
    };
    for (const auto& [delay, accepted] :
         std::vector<Case>{{0.5, true},
                           {0, true},
                           {-1, false},
                           {std::nan(""), false},
                           {std::numeric_limits<double>::infinity(), false}})
        EXPECT_EQ(session->setPostDelay(0, delay), accepted) << delay;
    EXPECT_EQ(draft().steps[0].postDelay, 0);
    EXPECT_TRUE(session->setRepeatCount(0, 7));
    EXPECT_FALSE(session->setRepeatCount(0, -2));
    EXPECT_EQ(draft().steps[0].repeatCount, 7);

    session->deleteAllSteps();
    EXPECT_TRUE(draft().steps.empty());
    EXPECT_TRUE(session->hasUnsavedChanges());
}

TEST_F(EditSessionTest, PinningAndFixedValues) {
    setSteps({input(""), input("City"), Step::ofType(StepType::tab)});
    EXPECT_TRUE(session->setPinned(0, true));
    EXPECT_EQ(draft().steps[0].fixedValue, "Fixed Value");
    EXPECT_TRUE(session->setPinned(1, true));
    EXPECT_EQ(draft().steps[1].fixedValue, "City") << "a labelled step starts with its label";
    EXPECT_TRUE(session->setFixedValue(1, "Bonn"));
    EXPECT_TRUE(session->setPinned(1, true));
    EXPECT_EQ(draft().steps[1].fixedValue, "Bonn") << "pinning again keeps the value";
    EXPECT_TRUE(session->setFixedValue(1, ""));
    EXPECT_FALSE(draft().steps[1].fixedValue) << "an empty value unpins";
    EXPECT_TRUE(session->setPinned(0, false));
    EXPECT_FALSE(draft().steps[0].fixedValue);
    EXPECT_FALSE(session->setPinned(2, true)) << "only text inputs are pinned";
    EXPECT_FALSE(session->setFixedValue(2, "x"));
    EXPECT_FALSE(draft().steps[2].fixedValue);
}

TEST_F(EditSessionTest, MouseStepsKeepOrForgetTheirPosition) {
    setSteps({Step::ofType(StepType::mouseClick)});
    EXPECT_TRUE(session->setMouseButton(0, MouseButton::right));
    EXPECT_TRUE(session->setClickType(0, MouseClickType::double_));
    EXPECT_TRUE(session->setPosition(0, Point{12.5, 40}));
    EXPECT_EQ(draft().steps[0].mousePositionX, 12.5);
    EXPECT_EQ(draft().steps[0].mousePositionY, 40);
    EXPECT_TRUE(session->setPosition(0, std::nullopt));
    EXPECT_FALSE(draft().steps[0].mousePositionX || draft().steps[0].mousePositionY);
    EXPECT_EQ(draft().steps[0].mouseButton, MouseButton::right);
    EXPECT_EQ(draft().steps[0].mouseClickType, MouseClickType::double_);
    EXPECT_FALSE(session->setPosition(1, Point{1, 1}));
}

TEST_F(EditSessionTest, ARecordingIsAppliedReplacedInsertedOrDiscarded) {
    record({Key::tab, Key::returnKey}); // into an empty template, started in Name
    ASSERT_TRUE(session->offersRecording());
    session->replaceWithRecording();
    EXPECT_FALSE(session->offersRecording());
    ASSERT_EQ(draft().steps.size(), 3u);
    EXPECT_EQ(draft().steps[0].label, "Name") << "the field the recording started in";
    EXPECT_EQ(draft().steps[1].label, "City") << "named after the field the Tab landed on";
    EXPECT_EQ(draft().targetAppBundleID, "Yad");

    setSteps({input("a"), input("b"), input("c")});
    record({Key::down, Key::tab, Key::returnKey});
    EXPECT_EQ(session->insertPosition(), 3u) << "after the last step at first";
    session->discardRecording();
    EXPECT_FALSE(session->offersRecording());
    EXPECT_EQ(labels(draft().steps), (std::vector<std::string>{"a", "b", "c"}));

    struct Case {
        std::size_t position;
        std::size_t firstRecorded;
    };
    for (const auto& [position, firstRecorded] : std::vector<Case>{{0, 0}, {2, 2}, {3, 3}}) {
        setSteps({input("a"), input("b"), input("c")});
        record({Key::down, Key::up, Key::returnKey});
        session->setInsertPosition(position);
        session->insertRecording();
        ASSERT_EQ(draft().steps.size(), 7u) << position;
        EXPECT_EQ(draft().steps[firstRecorded].label, "Name") << position;
        EXPECT_EQ(draft().steps[firstRecorded + 1].type, StepType::arrowKey) << position;
        EXPECT_EQ(draft().steps[firstRecorded + 3].type, StepType::returnKey) << position;
    }
    session->setInsertPosition(99);
    EXPECT_EQ(session->insertPosition(), 7u) << "never past the last step";

    setSteps({input("a")});
    session->edit([](Template& item) { item.settings.waitForNextField = false; });
    record({Key::tab});
    session->replaceWithRecording();
    ASSERT_EQ(draft().steps.size(), 2u);
    EXPECT_EQ(draft().steps, recorder.recordedSteps()) << "Replace All drops the old steps";
    ASSERT_TRUE(draft().steps[1].field) << "the step knows the field the Tab landed on";
    EXPECT_EQ(draft().steps[1].field->name, "City");
    EXPECT_TRUE(draft().settings.waitForNextField) << "a new recording waits for its fields";
}

TEST_F(EditSessionTest, ARecordingStartsInAFieldOfTheTemplatesTargetOnly) {
    session->edit([](Template& item) { item.targetAppBundleID = "Other"; });
    record({Key::tab}); // started in Yad's Name field
    EXPECT_EQ(labels(recorder.recordedSteps()), (std::vector<std::string>{"City"}));
}

TEST_F(EditSessionTest, DebugRunOfTheDraft) {
    EXPECT_FALSE(session->canStartDebug()) << "no steps";
    EXPECT_FALSE(session->startDebug());
    session->edit([](Template& item) {
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 1;
        item.steps = {input("Name"), Step::ofType(StepType::tab)};
    });
    ASSERT_TRUE(session->startDebug());
    EXPECT_TRUE(session->isDebugging()) << "the runner is the debug run's from the start";
    EXPECT_FALSE(session->canStartDebug()) << "one run at a time";
    clock.runUntil([&] { return session->debugPhase() == EditSession::DebugPhase::countdown; });
    EXPECT_EQ(session->debugPhase(), EditSession::DebugPhase::countdown);
    clock.runUntil([&] { return runner.isWaitingForNext(); });
    EXPECT_EQ(session->debugPhase(), EditSession::DebugPhase::step);
    EXPECT_EQ(session->debugStepIndex(), 0u);
    session->debugNext();
    clock.runUntil([&] { return runner.isWaitingForNext() && session->debugStepIndex() == 1u; });
    EXPECT_EQ(form().fields[0].text, "Mustermann GmbH");
    session->debugNext();
    clock.runUntil([&] { return !runner.isRunning(); });
    EXPECT_EQ(session->debugPhase(), EditSession::DebugPhase::finished);
    EXPECT_EQ(session->debugMessage(), "Debug complete");
    EXPECT_FALSE(session->canStartDebug()) << "until its result is dismissed";
    session->dismissDebug();
    EXPECT_FALSE(session->isDebugging());
    EXPECT_EQ(session->debugPhase(), EditSession::DebugPhase::none);
    EXPECT_EQ(session->debugMessage(), "");
    EXPECT_TRUE(session->canStartDebug());

    // Stopped while waiting: the result shows, with nothing typed after the stop.
    ASSERT_TRUE(session->startDebug());
    clock.runUntil([&] { return runner.isWaitingForNext(); });
    const std::size_t posted = desktop.postedEvents().size();
    session->stopDebug();
    clock.runUntil([&] { return !runner.isRunning(); });
    EXPECT_EQ(session->debugPhase(), EditSession::DebugPhase::finished);
    EXPECT_EQ(desktop.postedEvents().size(), posted);
}

TEST_F(EditSessionTest, ARefusedDebugSaysWhyUntilTheDraftChanges) {
    desktop.setMissing(Capability::watchClicks, "clicks in other applications cannot be seen");
    runner.describeDesktopWith(
        [&] { return describeAllExcept(DesktopKind::simulated, desktop.missingCapabilities()); });
    setSteps({Step::ofType(StepType::tab), Step::ofType(StepType::wait)});
    EXPECT_FALSE(session->startDebug());
    EXPECT_EQ(session->debugPhase(), EditSession::DebugPhase::none);
    EXPECT_TRUE(session->debugMessage().starts_with("Not started:")) << session->debugMessage();
    EXPECT_TRUE(session->canStartDebug()) << "nothing is running";
    session->setLabel(0, "changed");
    EXPECT_EQ(session->debugMessage(), "");
}

TEST_F(EditSessionTest, ATableRunIsNoDebugRun) {
    session->edit([](Template& item) {
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 0;
        item.steps = {input("Name")};
    });
    ASSERT_TRUE(runner.start(draft(), CSVData({"Name"}, {{"x"}, {"y"}}), 0, std::nullopt));
    EXPECT_FALSE(session->canStartDebug()) << "the window's one runner is busy";
    clock.runUntil([&] { return !runner.isRunning(); });
    EXPECT_EQ(session->debugPhase(), EditSession::DebugPhase::none) << "its result is the panel's";
    EXPECT_FALSE(session->isDebugging());
    session->stopDebug();
    session->dismissDebug();
    EXPECT_TRUE(std::holds_alternative<runner_state::Finished>(runner.state()));
}
