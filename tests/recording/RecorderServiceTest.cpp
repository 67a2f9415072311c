#include "recording/RecorderService.h"

#include "automation/SimulatedSession.h"

using namespace keyferry;
using namespace keyferry::testing;

namespace {

class RecorderTest : public SimulatedSession {
protected:
    RecorderTest() {
        // A form: two buttons, an unlabelled field, a field named only by its description,
        // a combo box with a placeholder, a field whose title is one space. The focus starts
        // on the first button, so a recording starts where it always did.
        SimulatedDesktop::Field start = SimulatedDesktop::Field::named("Start", ElementRole::other);
        start.acceptsText = false;
        SimulatedDesktop::Field button = SimulatedDesktop::Field::named("OK", ElementRole::other);
        button.acceptsText = false;
        SimulatedDesktop::Field unlabelled = SimulatedDesktop::Field::named("");
        SimulatedDesktop::Field described = SimulatedDesktop::Field::named("");
        described.description = "Name";
        SimulatedDesktop::Field combo = SimulatedDesktop::Field::named("", ElementRole::comboBox);
        combo.placeholder = "Choose a city";
        SimulatedDesktop::Field spaced = SimulatedDesktop::Field::named(" ");
        desktop.addForm(target, {start, button, unlabelled, described, combo, spaced});
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
    // The Tab is examined where the focus is 50 ms later: back on the Start button, since
    // Return submitted the form.
    EXPECT_EQ(types(), (Types{StepType::returnKey, StepType::tab}));
    ASSERT_TRUE(recorder.recordedSteps()[1].field);
    EXPECT_EQ(recorder.recordedSteps()[1].field->name, "Start");
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
    recorder.startRecording(); // in the field: it is the first step
    key(Key::tab);
    ASSERT_EQ(recorder.recordedSteps().size(), 2u);
    EXPECT_EQ(recorder.recordedSteps()[1].label, "Alone");
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

// Where the recording starts: the field the user is in, when they are in one of the target.

std::vector<std::string> labelsOf(const std::vector<Step>& steps) {
    std::vector<std::string> list;
    for (const Step& step : steps)
        list.push_back(step.type == StepType::textInput ? step.label : "(Tab)");
    return list;
}

using Labels = std::vector<std::string>;

TEST_F(RecorderTest, TheFieldFocusedAsTheRecordingStartsIsTheFirstStep) {
    form().focused = 3; // the field named by its description
    recorder.startRecording();
    ASSERT_EQ(labelsOf(recorder.recordedSteps()), (Labels{"Name"}));
    const Step& first = recorder.recordedSteps()[0];
    EXPECT_EQ(first.postDelay, 0.3);
    ASSERT_TRUE(first.field) << "checked by a run like any recorded field";
    EXPECT_EQ(first.field->role, "text");
    EXPECT_EQ(recorder.lastDetectedLabel(), "Name");
    EXPECT_EQ(recorder.detectedBundleID(), "Yad");
    key(Key::tab);
    key(Key::tab);
    key(Key::returnKey);
    EXPECT_EQ(labelsOf(recorder.recordedSteps()), (Labels{"Name", "Choose a city", " ", "(Tab)"}));
    EXPECT_EQ(recorder.recordedSteps().back().type, StepType::returnKey);
    EXPECT_EQ(form().submissions.size(), 1u);

    // Every kind of element that takes a value; numbered from 1 when unnamed.
    for (const ElementRole role :
         {ElementRole::textField, ElementRole::textArea, ElementRole::comboBox,
          ElementRole::searchField, ElementRole::checkBox, ElementRole::list}) {
        SCOPED_TRACE(static_cast<int>(role));
        desktop.addForm(target, {SimulatedDesktop::Field::named("", role)});
        recorder.startRecording();
        EXPECT_EQ(labelsOf(recorder.recordedSteps()), (Labels{"Feld_1"}));
    }
}

// Record pressed in Keyferry's window: the field is the one focused in the target once the
// user is there, whether they come by the keyboard or a click (which Keyferry, still in front
// when it is pressed, does not record). Coming and going again adds nothing.
TEST_F(RecorderTest, FromKeyferrysWindowTheFieldIsTheOneFocusedOnceTheTargetIsInFront) {
    form().focused = 2; // the unlabelled field
    desktop.bringToFront(keyferry);
    recorder.startRecording("Yad");
    clock.advance(Ms(2000));
    EXPECT_TRUE(recorder.recordedSteps().empty()) << "still in Keyferry";
    desktop.bringToFront(target);
    clock.advance(StartFieldWatch::poll);
    EXPECT_EQ(labelsOf(recorder.recordedSteps()), (Labels{"Feld_1"}));
    desktop.bringToFront(keyferry);
    clock.advance(Ms(500));
    desktop.bringToFront(target);
    clock.advance(Ms(500));
    EXPECT_EQ(recorder.recordedSteps().size(), 1u) << "the start is found once";
    key(Key::tab);
    EXPECT_EQ(labelsOf(recorder.recordedSteps()), (Labels{"Feld_1", "Name"}));

    desktop.bringToFront(keyferry);
    recorder.startRecording("Yad");
    desktop.userClick(MouseButton::left, {150, 240}); // into the combo box, from Keyferry
    clock.advance(StartFieldWatch::poll);
    EXPECT_EQ(desktop.frontProcessID(), target);
    EXPECT_EQ(labelsOf(recorder.recordedSteps()), (Labels{"Choose a city"}));
}

// On a button, in an application that is not the target, with no element focused, or once
// the user acted before the target came: the steps are the Tabs', as before.
TEST_F(RecorderTest, AStartOutsideAFieldOfTheTargetAddsNoStep) {
    recorder.startRecording(); // on the Start button
    clock.advance(Ms(500));
    key(Key::tab);
    EXPECT_EQ(labelsOf(recorder.recordedSteps()), (Labels{"(Tab)"}));

    const int other = desktop.addApplication("Other", "Other");
    desktop.addWindow(other, {600, 400, 200, 100});
    desktop.addForm(
        other, {SimulatedDesktop::Field::named("Search"), SimulatedDesktop::Field::named("Query")});
    desktop.bringToFront(other);
    form().focused = 2;
    recorder.startRecording("Yad");
    clock.advance(Ms(500));
    EXPECT_TRUE(recorder.recordedSteps().empty()) << "a field of another application";
    desktop.bringToFront(target); // only the target's field counts
    clock.advance(StartFieldWatch::poll);
    EXPECT_EQ(labelsOf(recorder.recordedSteps()), (Labels{"Feld_1"}));

    const int blank = desktop.addApplication("Blank", "Blank"); // a window, no element focused
    desktop.addWindow(blank, {0, 0, 50, 50});
    desktop.bringToFront(blank);
    recorder.startRecording();
    clock.advance(Ms(500));
    EXPECT_TRUE(recorder.recordedSteps().empty());

    // A key in Keyferry's window is not acting in the form; a click on another one is.
    desktop.bringToFront(keyferry);
    recorder.startRecording("Yad");
    key(Key::tab);
    desktop.bringToFront(other);
    desktop.userClick(MouseButton::left, {650, 450});
    desktop.bringToFront(target);
    clock.advance(Ms(500));
    EXPECT_EQ(types(), (Types{StepType::mouseClick}));
}

// Users were told to Shift+Tab out of the first field and Tab back in: after the field the
// recording started in, that records the same steps as a recording started before the field.
TEST_F(RecorderTest, ShiftTabAndTabBackIntoTheStartFieldRecordItOnce) {
    form().focused = 1; // the OK button, before the unlabelled field
    recorder.startRecording();
    key(Key::tab);
    key(Key::tab);
    const std::vector<Step> before = recorder.recordedSteps();
    ASSERT_EQ(labelsOf(before), (Labels{"Feld_1", "Name"}));

    form().focused = 2;
    recorder.startRecording();
    ASSERT_EQ(labelsOf(recorder.recordedSteps()), (Labels{"Feld_1"}));
    key(Key::tab, Modifier::shift);
    EXPECT_TRUE(recorder.recordedSteps().empty()) << "the Tab back records the field";
    key(Key::tab);
    key(Key::tab);
    const auto& again = recorder.recordedSteps();
    ASSERT_EQ(labelsOf(again), labelsOf(before));
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(again[i].type, before[i].type);
        EXPECT_EQ(again[i].field, before[i].field);
        EXPECT_EQ(again[i].postDelay, before[i].postDelay);
    }

    // Once the form was moved through, Shift+Tab takes nothing back.
    key(Key::tab, Modifier::shift);
    EXPECT_EQ(labelsOf(recorder.recordedSteps()), (Labels{"Feld_1", "Name"}));
}

// Alt+Tab goes to another window: no step, and the field found there is the start.
TEST_F(RecorderTest, AltTabIsNoStep) {
    const int terminal = desktop.addApplication("Terminal", "Terminal");
    desktop.addWindow(terminal, {0, 0, 50, 50});
    desktop.bringToFront(terminal); // `keyferry record` typed there
    form().focused = 2;
    recorder.startRecording();
    desktop.userKey(Key::tab, Modifier::alt);
    desktop.bringToFront(target);
    clock.advance(Ms(500));
    EXPECT_EQ(labelsOf(recorder.recordedSteps()), (Labels{"Feld_1"}));
    EXPECT_EQ(recorder.detectedBundleID(), "Yad");
}
