#include "recording/RecorderService.h"

#include "automation/SimulatedSession.h"

using namespace keyferry;
using namespace keyferry::testing;

namespace {

class RecorderTest : public SimulatedSession {
protected:
    RecorderTest() {
        // A form: a button, an unlabelled field, a field named only by its description,
        // a combo box with a placeholder, a field whose title is one space.
        SimulatedDesktop::Field button = SimulatedDesktop::Field::named("OK", ElementRole::other);
        button.acceptsText = false;
        SimulatedDesktop::Field unlabelled = SimulatedDesktop::Field::named("");
        SimulatedDesktop::Field described = SimulatedDesktop::Field::named("");
        described.description = "Name";
        SimulatedDesktop::Field combo = SimulatedDesktop::Field::named("", ElementRole::comboBox);
        combo.placeholder = "Choose a city";
        SimulatedDesktop::Field spaced = SimulatedDesktop::Field::named(" ");
        desktop.addForm(target, {SimulatedDesktop::Field::named("Start"), button, unlabelled,
                                 described, combo, spaced});
    }
    void key(Key key, Modifiers modifiers = {}) {
        desktop.userKey(key, modifiers);
        clock.runUntilIdle();
    }
    std::vector<StepType> types() const {
        std::vector<StepType> list;
        for (const Step& step : recorder.recordedSteps())
            list.push_back(step.type);
        return list;
    }

    RecorderService recorder{desktop, clock};
};

using Types = std::vector<StepType>;

} // namespace

TEST_F(RecorderTest, TabsBecomeStepsNamedAfterTheFocusedField) {
    recorder.startRecording();
    EXPECT_EQ(recorder.state(), RecorderState::recording);
    key(Key::tab); // onto the button
    key(Key::tab); // onto the unlabelled field
    EXPECT_EQ(recorder.lastDetectedLabel(), "Feld_2");
    key(Key::returnKey);
    EXPECT_EQ(types(), (Types{StepType::tab, StepType::textInput, StepType::returnKey}));
    const auto& steps = recorder.recordedSteps();
    EXPECT_EQ(steps[0].postDelay, 0);
    EXPECT_EQ(steps[1].label, "Feld_2");
    EXPECT_EQ(steps[1].postDelay, 0.3);
    EXPECT_EQ(steps[2].postDelay, 0.3);
    EXPECT_FALSE(recorder.lastDetectedLabel());
    EXPECT_EQ(recorder.detectedBundleID(), "Yad");
    EXPECT_EQ(form().submissions.size(), 1u) << "every recorded key still reaches the form";

    recorder.startRecording();
    form().focused = 2;
    key(Key::tab);
    key(Key::tab);
    key(Key::tab);
    ASSERT_EQ(recorder.recordedSteps().size(), 3u);
    EXPECT_EQ(recorder.recordedSteps()[0].label, "Name") << "the description when no title";
    EXPECT_EQ(recorder.recordedSteps()[1].label, "Choose a city") << "then the placeholder";
    EXPECT_EQ(recorder.recordedSteps()[1].type, StepType::textInput) << "combo boxes take text";
    EXPECT_EQ(recorder.recordedSteps()[2].label, " ") << "used unchanged";
}

// Return pressed on the button a Tab reached replaces that Tab step: a run presses Return
// where the user did, instead of Tabbing past the button first. Elsewhere it is a step.
TEST_F(RecorderTest, ReturnOnTheElementTheLastTabReachedTakesThatTabsPlace) {
    recorder.startRecording();
    key(Key::tab); // onto the button
    const Uuid id = recorder.recordedSteps()[0].id;
    key(Key::returnKey);
    ASSERT_EQ(types(), (Types{StepType::returnKey}));
    EXPECT_EQ(recorder.recordedSteps()[0].id, id);
    ASSERT_TRUE(recorder.recordedSteps()[0].field);
    EXPECT_EQ(recorder.recordedSteps()[0].field->name, "OK");
    EXPECT_EQ(recorder.recordedSteps()[0].postDelay, 0.3);

    recorder.startRecording();
    form().focused = 0;
    key(Key::tab);      // onto the button
    form().focused = 2; // moved on by a click, not a Tab
    key(Key::returnKey);
    EXPECT_EQ(types(), (Types{StepType::tab, StepType::returnKey}));
}

TEST_F(RecorderTest, TabIsExaminedAfterTheFocusMoved) {
    recorder.startRecording();
    desktop.userKey(Key::tab);
    desktop.userKey(Key::returnKey); // within the 50 ms: its step comes first
    clock.runUntilIdle();
    // The Tab is examined where the focus is 50 ms later: back on the first field, since
    // Return submitted the form.
    EXPECT_EQ(types(), (Types{StepType::returnKey, StepType::textInput}));
    EXPECT_EQ(now(), Ms(50));
}

// A busy application moves the focus later than the settle time: each Tab is examined
// once the focus has left the field the Tab before it reached, not where it still was.
TEST_F(RecorderTest, ATabInABusyApplicationWaitsForTheFocusToLeaveTheFieldBefore) {
    form().focusLag = Ms(200);
    recorder.startRecording();
    for (int tab = 0; tab < 3; ++tab) {
        desktop.userKey(Key::tab);
        clock.advance(Ms(150));
        EXPECT_EQ(recorder.recordedSteps().size(), static_cast<std::size_t>(tab))
            << "nothing recorded while the focus is still on the field left";
        clock.advance(Ms(100));
        ASSERT_EQ(recorder.recordedSteps().size(), static_cast<std::size_t>(tab + 1))
            << "recorded soon after the focus moved";
        clock.advance(Ms(100));
    }
    EXPECT_EQ(types(), (Types{StepType::tab, StepType::textInput, StepType::textInput}));
    EXPECT_EQ(recorder.recordedSteps()[1].label, "Feld_2");
    EXPECT_EQ(recorder.recordedSteps()[2].label, "Name");
}

// A Tab the application keeps (a lone field; a text area that takes the Tab) records the
// field it stayed in after the longest wait; a Tab before it went its way is not held up.
TEST_F(RecorderTest, ATabThatDoesNotMoveTheFocusIsRecordedAfterTheLongestWait) {
    desktop.addForm(target, {SimulatedDesktop::Field::named("Alone")});
    recorder.startRecording();
    key(Key::tab);
    ASSERT_EQ(recorder.recordedSteps().size(), 1u);
    EXPECT_EQ(recorder.recordedSteps()[0].label, "Alone");
    EXPECT_EQ(now(), RecorderService::longestTabWait);

    // Where the focus came from is not known after a click: the settle time only.
    recorder.startRecording();
    desktop.userClick(MouseButton::left, Point{5, 5});
    clock.runUntilIdle();
    const Ms clicked = now();
    key(Key::tab);
    EXPECT_EQ(recorder.recordedSteps().back().label, "Alone");
    EXPECT_EQ(now() - clicked, RecorderService::tabSettle);
}

TEST_F(RecorderTest, ShiftTabAndOtherKeysRecordNothing) {
    recorder.startRecording();
    form().focused = 3;
    key(Key::tab, Modifier::shift);
    key(Key::a);
    key(Key::space);
    EXPECT_TRUE(recorder.recordedSteps().empty());
    EXPECT_EQ(form().focused, 2u) << "Shift+Tab still moves the focus";
    EXPECT_EQ(form().fields[2].text, "a ") << "other keys reach the form unchanged";
}

TEST_F(RecorderTest, ArrowsMergeByDirection) {
    recorder.startRecording();
    key(Key::down);
    key(Key::down);
    key(Key::down);
    key(Key::up);
    key(Key::down);
    ASSERT_EQ(recorder.recordedSteps().size(), 3u);
    EXPECT_EQ(recorder.recordedSteps()[0].repeatCount, 3);
    EXPECT_EQ(recorder.recordedSteps()[0].arrowDirection, ArrowDirection::down);
    EXPECT_EQ(recorder.recordedSteps()[0].postDelay, 0.1);
    EXPECT_EQ(recorder.recordedSteps()[1].arrowDirection, ArrowDirection::up);
    EXPECT_EQ(recorder.recordedSteps()[2].repeatCount, 1);
}

TEST_F(RecorderTest, ClicksMergeIntoDoubleClicksRelativeToTheTargetWindow) {
    recorder.startRecording();
    desktop.userClick(MouseButton::left, {140, 125}, 1);
    desktop.userClick(MouseButton::left, {140, 125}, 2);
    desktop.userClick(MouseButton::left, {140, 125}, 3); // a third press: a new double click
    desktop.userClick(MouseButton::right, {150, 130}, 1);
    desktop.userClick(MouseButton::left, {160, 140}, 2); // another button: not merged
    const auto& steps = recorder.recordedSteps();
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[0].mouseClickType, MouseClickType::double_);
    EXPECT_EQ(steps[0].mousePositionX, 40);
    EXPECT_EQ(steps[0].mousePositionY, 25);
    EXPECT_EQ(steps[1].mouseClickType, MouseClickType::double_);
    EXPECT_EQ(steps[2].mouseButton, MouseButton::right);
    EXPECT_EQ(steps[2].mouseClickType, MouseClickType::single);
    EXPECT_EQ(steps[3].mouseButton, MouseButton::left);
    EXPECT_EQ(recorder.detectedBundleID(), "Yad") << "the first press fixes the application";

    desktop.bringToFront(keyferry);
    desktop.userClick(MouseButton::left, {950, 150}, 1); // in Keyferry's own window
    EXPECT_EQ(recorder.recordedSteps().size(), 4u);
}

TEST_F(RecorderTest, ClickWithoutTargetWindowHasNoPosition) {
    const int other = desktop.addApplication("Other", "Other"); // no window at all
    desktop.bringToFront(other);
    recorder.startRecording();
    desktop.userClick(MouseButton::left, {10, 10}, 1);
    ASSERT_EQ(recorder.recordedSteps().size(), 1u);
    EXPECT_FALSE(recorder.recordedSteps()[0].mousePositionX);
    EXPECT_FALSE(recorder.recordedSteps()[0].mousePositionY);
    EXPECT_EQ(recorder.detectedBundleID(), "Other");
}

TEST_F(RecorderTest, OptionSpaceTogglesTheLastStepBothWays) {
    recorder.startRecording();
    key(Key::space, Modifier::alt); // nothing recorded yet: nothing happens
    EXPECT_TRUE(recorder.recordedSteps().empty());
    form().focused = 0;
    key(Key::tab); // onto the button: a Tab step
    const Uuid id = recorder.recordedSteps()[0].id;
    form().focused = 3; // the user moves on to the described field
    key(Key::space, Modifier::alt);
    ASSERT_EQ(recorder.recordedSteps().size(), 1u);
    EXPECT_EQ(recorder.recordedSteps()[0].type, StepType::textInput);
    EXPECT_EQ(recorder.recordedSteps()[0].label, "Name");
    EXPECT_EQ(recorder.recordedSteps()[0].id, id);
    EXPECT_EQ(recorder.recordedSteps()[0].postDelay, 0) << "keeps the Tab's delay";
    EXPECT_EQ(form().fields[3].text, "") << "the Space is not typed into the form";
    key(Key::space, Modifier::alt);
    EXPECT_EQ(recorder.recordedSteps()[0].type, StepType::tab);
    EXPECT_EQ(recorder.recordedSteps()[0].label, "");
    EXPECT_EQ(recorder.recordedSteps()[0].id, id);

    key(Key::returnKey);
    key(Key::space, Modifier::alt);
    EXPECT_EQ(types(), (Types{StepType::tab, StepType::returnKey})) << "after Return: no change";
}

TEST_F(RecorderTest, OptionSpaceOwnedByAnotherProgramIsReported) {
    desktop.reserveCombination({Key::space, Modifier::alt});
    recorder.startRecording();
    EXPECT_TRUE(recorder.optionSpaceAlsoReachesOthers());
    key(Key::tab);
    key(Key::space, Modifier::alt);
    EXPECT_EQ(types(), (Types{StepType::textInput})) << "the recorder still toggles";
}

TEST_F(RecorderTest, EscapeEndsTheRecordingOnlyOutsideKeyferry) {
    bool escapeReachedForm = false;
    form().fields[0].text = "kept";
    recorder.startRecording();
    key(Key::tab);
    desktop.bringToFront(keyferry);
    key(Key::escape);
    key(Key::tab);
    EXPECT_EQ(recorder.state(), RecorderState::recording) << "Escape in Keyferry is ignored";
    EXPECT_EQ(recorder.recordedSteps().size(), 1u) << "keys in Keyferry are not recorded";

    desktop.bringToFront(target);
    const std::size_t listeners = desktop.listenerCount();
    key(Key::escape);
    EXPECT_EQ(recorder.state(), RecorderState::idle);
    EXPECT_EQ(desktop.listenerCount(), listeners - 1) << "the tap is gone";
    EXPECT_EQ(recorder.recordedSteps().size(), 1u) << "kept for the editor";
    EXPECT_EQ(recorder.detectedBundleID(), "Yad");
    EXPECT_FALSE(escapeReachedForm);

    key(Key::tab);
    EXPECT_EQ(recorder.recordedSteps().size(), 1u) << "nothing is recorded after the end";
}

TEST_F(RecorderTest, FirstTabFixesTheApplicationAndOwnEventsAreIgnored) {
    const int other = desktop.addApplication("Other", "Other");
    desktop.addWindow(other, {600, 400, 200, 100});
    recorder.startRecording();
    key(Key::tab);
    desktop.bringToFront(other);
    key(Key::tab);
    EXPECT_EQ(recorder.detectedBundleID(), "Yad");

    desktop.postKey(Key::returnKey, {}, true); // Keyferry's own synthesised key
    desktop.postKey(Key::returnKey, {}, false);
    clock.runUntilIdle();
    EXPECT_EQ(recorder.recordedSteps().size(), 2u);
}

TEST_F(RecorderTest, WithoutPermissionRecordingFallsBackToIdle) {
    desktop.setTrusted(false);
    recorder.startRecording();
    EXPECT_EQ(recorder.state(), RecorderState::idle);
    EXPECT_TRUE(recorder.recordedSteps().empty());
}

TEST_F(RecorderTest, TabJustBeforeEscapeIsKept) {
    recorder.startRecording();
    desktop.userKey(Key::tab);
    desktop.userKey(Key::escape);
    clock.runUntilIdle();
    EXPECT_EQ(recorder.state(), RecorderState::idle);
    EXPECT_EQ(types(), (Types{StepType::tab}));
}
