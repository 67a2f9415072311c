#include "Desktop.h"
#include "TrustDesktop.h"
#include "WaylandSession.h"
#include "platform/wayland/WaylandDesktop.h"
#include "recording/RecorderService.h"
#include "support/Shell.h"
#include "ui/QtScheduler.h"

#include <csignal>
#include <nlohmann/json.hpp>
#include <sstream>
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

// Started in Name, Tab through City and Code onto Submit: the fields by their labels, then a
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
              (std::vector<std::string>{"Text Input: Name", "Text Input: City", "Text Input: Code",
                                        tabStep()}));
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
              (std::vector<std::string>{
                  "Text Input: " + escaped(labels[0]), "Text Input: " + escaped(labels[1]),
                  "Text Input: " + escaped(labels[2]), "Text Input: " + escaped(labels[3])}));
    EXPECT_EQ(form.wait(std::chrono::milliseconds(500)), -1)
        << "the form closed: Escape reached it";
    EXPECT_FALSE(escapeBindingLeft());
}

namespace {

std::vector<std::vector<std::string>> rowsLogged(const std::string& log) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        const auto record = nlohmann::json::parse(line, nullptr, false);
        if (record.is_object() && record.value("kind", "") == "row")
            rows.push_back(record["values"].get<std::vector<std::string>>());
    }
    return rows;
}

} // namespace

// The whole field-aware cycle on sway: the form's fields recorded from the focus, a run that
// waits for and checks each of them, then the same template against the form with a field
// added since: the run stops before typing into it and nothing is sent.
TEST_F(WaylandRecording, ARecordedFormIsFilledFieldByFieldAndAChangedOneStopsTheRun) {
    const auto log = temp.path() / "form.jsonl";
    const auto startForm = [&](std::vector<std::string> options) {
        std::vector<std::string> command = {"env",
                                            "GDK_BACKEND=wayland",
                                            "/usr/bin/python3",
                                            KEYFERRY_GTK_FORM,
                                            log.string(),
                                            "--code-max",
                                            "100"};
        command.insert(command.end(), options.begin(), options.end());
        auto form = std::make_unique<Process>(command);
        EXPECT_TRUE(spinUntil([&] { return readText(log).find("\"ready\"") != std::string::npos; },
                              std::chrono::seconds(20)))
            << "the form did not come up";
        EXPECT_TRUE(waitForFocusOf(form->pid()));
        return form;
    };
    auto form = startForm({});
    for (int i = 0; i < 3; ++i) { // onto Submit, so that Name is recorded too
        shell("wtype -k Tab -k Shift_L");
        settle(std::chrono::milliseconds(200));
    }

    RecorderService recorder(*desktop, scheduler);
    recorder.startRecording();
    ASSERT_EQ(recorder.state(), RecorderState::recording);
    pressTabs(recorder, 4); // Name, City, Code, Submit
    shell("wtype -k Escape");
    ASSERT_TRUE(spinUntil([&] { return recorder.state() == RecorderState::idle; }));
    Template filling;
    filling.name = "Recorded";
    filling.targetAppBundleID = recorder.detectedBundleID();
    filling.steps = recorder.recordedSteps();
    ASSERT_EQ(shown(filling.steps),
              (std::vector<std::string>{"Text Input: Name", "Text Input: City", "Text Input: Code",
                                        tabStep()}));
    for (const Step& step : filling.steps)
        ASSERT_TRUE(step.field) << "every step knows its field";
    // Return is a key Keyferry cannot see on Wayland: the user turns the Tab recorded on
    // Submit into Return in the editor, its field kept.
    filling.steps.back().type = StepType::returnKey;
    filling.settings.countdownSeconds = 1;
    filling.settings.interCharDelay = 0;
    ASSERT_TRUE(filling.settings.waitForNextField);
    shell("wtype -k Tab -k Shift_L"); // from Submit back onto Name
    settle(std::chrono::milliseconds(300));

    const std::vector<std::string> labels = {"Name", "City", "Code"};
    const std::vector<std::vector<std::string>> rows = {
        {"J\u00FCrgen Wei\u00DF", "K\u00F6ln", "\u20AC 12"},
        {"Zo\u00EB \u674E", "\u6771\u4EAC \U0001F44D\U0001F3FD", "\u2713"},
    };
    std::string output;
    {
        KeyferryRun run(temp.path(), filling, csvOf(labels, rows));
        run.start();
        EXPECT_EQ(run.wait(), 0) << run.output();
        output = run.output();
    }
    EXPECT_NE(output.find("Entries entered: 2 (2 verified)"), std::string::npos) << output;
    // The last Return was sent as the run ended; the form prints its row once it has taken it.
    spinUntil([&] { return rowsLogged(readText(log)).size() >= rows.size(); },
              std::chrono::seconds(5));
    const auto typed = rowsLogged(readText(log));
    ASSERT_EQ(typed.size(), rows.size()) << readText(log) << output;
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(escaped(typed[i][0] + "|" + typed[i][1] + "|" + typed[i][2]),
                  escaped(rows[i][0] + "|" + rows[i][1] + "|" + rows[i][2]));

    form.reset();
    std::filesystem::remove(log);
    form = startForm({"--extra-field", "Middle name"});
    KeyferryRun changed(temp.path(), filling, csvOf(labels, rows));
    changed.start();
    EXPECT_EQ(changed.wait(), 1) << changed.output();
    EXPECT_NE(changed.output().find("Expected field \"City\", but the focus is on \"Middle name\""),
              std::string::npos)
        << changed.output();
    ::kill(form->pid(), SIGUSR1);
    ASSERT_TRUE(spinUntil([&] { return readText(log).find("\"state\"") != std::string::npos; }));
    EXPECT_TRUE(rowsLogged(readText(log)).empty()) << "nothing sent";
    std::istringstream lines(readText(log));
    nlohmann::json state;
    for (std::string line; std::getline(lines, line);)
        if (auto record = nlohmann::json::parse(line, nullptr, false);
            record.is_object() && record.value("kind", "") == "state")
            state = record;
    EXPECT_EQ(state.value("focus", ""), "Middle name") << state.dump();
    EXPECT_EQ(state.value("extra", "?"), "") << "nothing typed into the added field";
    EXPECT_EQ(state["values"][0], rows[0][0]) << "Name was typed before the wrong field";
}
