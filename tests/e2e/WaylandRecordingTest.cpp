#include "Desktop.h"
#include "TrustDesktop.h"
#include "WaylandSession.h"
#include "platform/wayland/WaylandDesktop.h"
#include "recording/RecorderService.h"
#include "support/Shell.h"
#include "ui/QtScheduler.h"

#include <string>
#include <vector>

// Recording on a headless sway, where Keyferry sees no key of another application: the steps
// come from the focus moving through a native GTK form, pressed by another virtual keyboard
// (the user's hand), and Escape ends the recording through a sway binding.

using namespace keyferry;
using namespace keyferry::testing;

namespace {

/// "Text Input: LABEL" or the step type's number, for an exact comparison with readable
/// failures.
std::vector<std::string> shown(const std::vector<Step>& steps) {
    std::vector<std::string> list;
    for (const Step& step : steps)
        list.push_back(step.type == StepType::textInput
                           ? "Text Input: " + escaped(step.label)
                           : "type " + std::to_string(static_cast<int>(step.type)));
    return list;
}

std::string tabStep() {
    return "type " + std::to_string(static_cast<int>(StepType::tab));
}

/// Whether sway still has a binding of plain Escape: removing it succeeds only then.
bool escapeBindingLeft() {
    return swayCommand("unbindsym Escape");
}

class WaylandRecording : public ::testing::Test {
protected:
    void SetUp() override {
        auto connected = WaylandDesktop::connect(scheduler);
        ASSERT_TRUE(connected.hasValue()) << connected.error();
        desktop = std::move(*connected);
    }

    /// Tabs with another virtual keyboard, one at a time, each once the step before it came.
    void pressTabs(RecorderService& recorder, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t before = recorder.recordedSteps().size();
            // The last key of a wtype process did not reach GTK here (seen: a lone Tab never
            // moved the focus, one followed by any other key did): a Shift tap comes after.
            shell("wtype -k Tab -k Shift_L");
            EXPECT_TRUE(spinUntil([&] { return recorder.recordedSteps().size() > before; }))
                << "no step for Tab " << i + 1;
        }
    }

    QtScheduler scheduler;
    std::unique_ptr<WaylandDesktop> desktop;
    TemporaryFolder temp;
};

} // namespace

// Tab from Name through City and Code onto Submit: the two fields by their labels, then a
// Tab step for the button; Escape ends it and leaves no binding.
TEST_F(WaylandRecording, TabsThroughANativeGtkFormBecomeStepsNamedAfterTheLabels) {
    const auto log = temp.path() / "form.jsonl";
    Process form(
        {"env", "GDK_BACKEND=wayland", "/usr/bin/python3", KEYFERRY_GTK_FORM, log.string()});
    ASSERT_TRUE(spinUntil([&] { return readText(log).find("\"ready\"") != std::string::npos; },
                          std::chrono::seconds(20)))
        << "the form did not come up";
    ASSERT_TRUE(waitForFocusOf(form.pid()));

    RecorderService recorder(*desktop, scheduler);
    EXPECT_TRUE(recorder.followsFocusOnly());
    recorder.startRecording();
    ASSERT_EQ(recorder.state(), RecorderState::recording);
    pressTabs(recorder, 3);
    shell("wtype -k Escape");
    EXPECT_TRUE(spinUntil([&] { return recorder.state() == RecorderState::idle; }))
        << "Escape did not end the recording";

    EXPECT_EQ(shown(recorder.recordedSteps()),
              (std::vector<std::string>{"Text Input: City", "Text Input: Code", tabStep()}));
    EXPECT_EQ(recorder.detectedBundleID(), "gtk_form.py");
    EXPECT_FALSE(escapeBindingLeft()) << "the Escape binding outlived the recording";
}

// Labels beyond ASCII, in a yad form: the names are the labels byte for byte. Escape, which
// closes a yad dialog, is kept from it while recording.
TEST_F(WaylandRecording, LabelsBeyondAsciiAreKeptByteForByteAndEscapeIsKeptFromTheForm) {
    const std::vector<std::string> labels = {"Stra\u00DFe", "\u0413\u043E\u0440\u043E\u0434",
                                             "\u65E5\u672C \u2713", "Zo\u00EB"};
    std::vector<std::string> command = {"env", "GDK_BACKEND=wayland", "yad", "--form"};
    for (const std::string& label : labels)
        command.push_back("--field=" + label);
    command.push_back("--button=OK:0");
    Process form(command);
    ASSERT_TRUE(waitForViewOf(form.pid()));
    ASSERT_TRUE(waitForFocusOf(form.pid()));
    settle(std::chrono::milliseconds(500)); // the first field takes the focus once shown

    RecorderService recorder(*desktop, scheduler);
    recorder.startRecording();
    ASSERT_EQ(recorder.state(), RecorderState::recording);
    pressTabs(recorder, 3);
    shell("wtype -k Escape");
    EXPECT_TRUE(spinUntil([&] { return recorder.state() == RecorderState::idle; }));
    EXPECT_EQ(shown(recorder.recordedSteps()),
              (std::vector<std::string>{"Text Input: " + escaped(labels[1]),
                                        "Text Input: " + escaped(labels[2]),
                                        "Text Input: " + escaped(labels[3])}));
    EXPECT_EQ(form.wait(std::chrono::milliseconds(500)), -1)
        << "the form closed: Escape reached it";
    EXPECT_FALSE(escapeBindingLeft());
}
