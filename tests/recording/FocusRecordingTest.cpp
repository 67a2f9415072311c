#include "automation/VirtualScheduler.h"
#include "recording/RecorderService.h"
#include "support/FocusOnlyDesktop.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
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
// begins, announced again, is no step (GNOME announces it when a keyboard appears).
TEST_F(FocusRecording, AltSpaceTogglesTheLastStepAndTheStartFocusIsNoStep) {
    desktop.focusedNow = field("Name");
    recorder.startRecording();
    desktop.focus(field("Name"));
    desktop.focus(field("City"));
    EXPECT_EQ(labels(recorder), (Labels{"City"}));
    const StepType before = recorder.recordedSteps().back().type;
    desktop.press(Key::space, Modifier::alt);
    EXPECT_NE(recorder.recordedSteps().back().type, before);
    desktop.press(Key::space, Modifier::alt);
    EXPECT_EQ(recorder.recordedSteps().back().type, before);
}
