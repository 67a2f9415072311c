#include "automation/VirtualScheduler.h"
#include "recording/RecorderService.h"
#include "support/FocusOnlyDesktop.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

// The recorder on a desktop that shows no client the keys of others (as on Wayland): steps
// come from the focus, Escape from a binding the desktop makes.

using namespace keyferry;
using keyferry::testing::FocusOnlyDesktop;

namespace {

FocusedElement field(std::string title, ElementRole role = ElementRole::textField) {
    FocusedElement element;
    element.role = role;
    element.title = std::move(title);
    element.processID = 200;
    return element;
}

std::vector<std::string> labels(const RecorderService& recorder) {
    std::vector<std::string> list;
    for (const Step& step : recorder.recordedSteps())
        list.push_back(step.type == StepType::textInput ? step.label : "(Tab)");
    return list;
}

using Labels = std::vector<std::string>;

class FocusRecording : public ::testing::Test {
protected:
    VirtualScheduler clock;
    FocusOnlyDesktop desktop;
    RecorderService recorder{desktop, clock};
};

} // namespace

TEST_F(FocusRecording, FocusChangesAreStepsUntilEscape) {
    EXPECT_TRUE(recorder.followsFocusOnly());
    recorder.startRecording();
    ASSERT_EQ(recorder.state(), RecorderState::recording);
    EXPECT_EQ(desktop.bound,
              (std::vector<KeyCombination>{{Key::escape, {}}, {Key::space, Modifier::alt}}))
        << "only Escape and Alt+Space are taken from the applications";
    desktop.focus(field("Name"));
    EXPECT_EQ(recorder.lastDetectedLabel(), "Name");
    desktop.focus(field("Submit", ElementRole::other));
    EXPECT_FALSE(recorder.lastDetectedLabel());
    desktop.focus(field(""));
    EXPECT_EQ(labels(recorder), (Labels{"Name", "(Tab)", "Feld_3"}));
    EXPECT_EQ(recorder.detectedBundleID(), "gtk_form.py");

    desktop.press(Key::escape);
    EXPECT_EQ(recorder.state(), RecorderState::idle);
    EXPECT_EQ(desktop.liveHandles, 0) << "the focus watch and the binding end with the recording";
    desktop.focus(field("City"));
    EXPECT_EQ(labels(recorder), (Labels{"Name", "(Tab)", "Feld_3"}));
}

TEST_F(FocusRecording, KeyferrysOwnWindowsAndComingBackRecordNothing) {
    recorder.startRecording();
    desktop.focus(field("Name"));
    desktop.keyferryActive = true;
    desktop.focus(field("Steps"));
    desktop.keyferryActive = false;
    desktop.focus(field("Name")); // back where the user was
    desktop.focus(field("City"));
    EXPECT_EQ(labels(recorder), (Labels{"Name", "City"}));

    // A new recording forgets where the last one was.
    desktop.press(Key::escape);
    recorder.startRecording();
    EXPECT_TRUE(recorder.recordedSteps().empty());
    desktop.focus(field("City"));
    EXPECT_EQ(labels(recorder), (Labels{"City"}));
}

TEST_F(FocusRecording, WithoutTheFocusOrTheBindingNothingIsRecorded) {
    for (const bool followsFocus : {false, true}) {
        SCOPED_TRACE(followsFocus ? "no binding" : "no focus");
        desktop.followsFocus = followsFocus;
        desktop.bindsKeys = !followsFocus;
        recorder.startRecording();
        EXPECT_EQ(recorder.state(), RecorderState::idle);
        EXPECT_EQ(desktop.liveHandles, 0);
    }
}

// Alt+Space changes the last step's type, as on X11; the field focused when the recording
// begins is the first step, and announced again no second one (GNOME announces it when a
// keyboard appears).
TEST_F(FocusRecording, AltSpaceTogglesTheLastStepAndTheStartFieldIsOneStep) {
    desktop.focusedNow = field("Name");
    recorder.startRecording();
    EXPECT_EQ(labels(recorder), (Labels{"Name"}));
    desktop.focus(field("Name"));
    desktop.focus(field("City"));
    EXPECT_EQ(labels(recorder), (Labels{"Name", "City"}));
    const StepType before = recorder.recordedSteps().back().type;
    desktop.press(Key::space, Modifier::alt);
    EXPECT_NE(recorder.recordedSteps().back().type, before);
    desktop.press(Key::space, Modifier::alt);
    EXPECT_EQ(recorder.recordedSteps().back().type, before);
}

// The start focus is a step only on a field of the application in front that is the target,
// with Keyferry not in front; from Keyferry, the field the focus enters is the first step.
TEST_F(FocusRecording, TheStartFocusIsAStepOnlyOnAFieldOfTheTarget) {
    FocusedElement elsewhere = field("Name");
    elsewhere.processID = 300; // still reported from another application
    for (const auto& [focused, keyferry, target] :
         {std::tuple{field("Send", ElementRole::other), false, std::optional<std::string>{}},
          std::tuple{field("Name"), true, std::optional<std::string>{}},
          std::tuple{field("Name"), false, std::optional<std::string>{"other.py"}},
          std::tuple{elsewhere, false, std::optional<std::string>{}}}) {
        SCOPED_TRACE(focused.title + (keyferry ? " in Keyferry" : "") + target.value_or(""));
        desktop.focusedNow = focused;
        desktop.keyferryActive = keyferry;
        recorder.startRecording(target);
        EXPECT_TRUE(recorder.recordedSteps().empty());
        desktop.press(Key::escape);
    }
    desktop.focusedNow = field("Steps");
    desktop.keyferryActive = true;
    recorder.startRecording("gtk_form.py");
    desktop.keyferryActive = false;
    desktop.focus(field("Name"));
    EXPECT_EQ(labels(recorder), (Labels{"Name"}));
}

// Shift+Tab and Tab straight after the start (unseen here: only the focus moving out and
// back is): the element passed on the way is no step.
TEST_F(FocusRecording, LeavingTheStartFieldAndComingBackRecordsItOnce) {
    desktop.focusedNow = field("Name");
    recorder.startRecording();
    desktop.focus(field("Search"));
    EXPECT_EQ(labels(recorder), (Labels{"Name", "Search"}));
    desktop.focus(field("Name"));
    EXPECT_EQ(labels(recorder), (Labels{"Name"}));
    desktop.focus(field("City"));
    desktop.focus(field("Name")); // once past the start, going back is recorded as before
    EXPECT_EQ(labels(recorder), (Labels{"Name", "City", "Name"}));
}
