#include "Desktop.h"
#include "Gtk4Form.h"
#include "TrustDesktop.h"
#include "WaylandSession.h"

#include <csignal>
#include <nlohmann/json.hpp>
#include <sstream>

// `keyferry run` on a headless sway, typing into applications native on Wayland. What they
// print must equal the rows byte for byte.

using namespace keyferry;
using namespace keyferry::testing;

namespace {

/// A yad form native on Wayland with one field per label and only an OK button: Tab from the
/// last field lands on it, and Return presses it. It appends what it prints to `out`.
std::vector<std::string> yadForm(const std::vector<std::string>& labels,
                                 const std::filesystem::path& out, int times = 1) {
    std::string fields;
    for (const std::string& label : labels)
        fields += " --field=" + shellQuote(label);
    return {"sh", "-c",
            "for i in $(seq " + std::to_string(times) + "); do GDK_BACKEND=wayland yad --form" +
                fields + " --button=OK:0 >> " + shellQuote(out.string()) + "; done"};
}

Template formTemplate(const std::vector<std::string>& labels) {
    Template form;
    form.name = "Form";
    form.targetAppBundleID = "yad"; // the Wayland app_id
    form.settings.countdownSeconds = 1;
    form.settings.interCharDelay = 0;
    for (const std::string& label : labels)
        form.steps.push_back(makeStep(StepType::textInput, label, 0.1));
    form.steps.push_back(makeStep(StepType::returnKey, "", 1.5));
    return form;
}

std::string printedBy(const std::vector<std::vector<std::string>>& rows) {
    std::string expected;
    for (const auto& row : rows) {
        for (const std::string& value : row)
            expected += value + "|";
        expected += "\n";
    }
    return expected;
}

class WaylandRun : public ::testing::Test {
protected:
    TemporaryFolder temp;
};

} // namespace

// A GTK 4 form: layout and other text in its three fields, each row sent by a click on its
// Submit button at its place in the window; what the form received is byte for byte the rows.
TEST_F(WaylandRun, FillsAGtk4FormAndAClickStepPressesItsSubmitButton) {
    Gtk4Form form(temp.path() / "form.jsonl");
    ASSERT_TRUE(form.ready()) << "the GTK 4 form did not come up";
    const auto submit = form.submitCentre();
    ASSERT_TRUE(submit) << "the form did not say where Submit is";
    const std::vector<std::vector<std::string>> rows = {
        {"Anna-Maria O'Neil", "New York, NY?", "~!@$%^&*()_+"},
        {"J\u00FCrgen Wei\u00DF", "\u6771\u4EAC \U0001F44D\U0001F3FD", "\u20AC 12"},
    };
    KeyferryRun run(temp.path(), Gtk4Form::clickingTemplate(*submit),
                    csvOf({"Name", "City", "Code"}, rows));
    run.start();
    EXPECT_EQ(run.wait(), 0) << run.output();
    form.expectRowsSentByClick(rows, run.output());
}

// Three rows into one GTK form that empties itself after each: the run stays bound to one
// window. (A new dialog per row would be a window of another process, which a run does not
// follow.)
TEST_F(WaylandRun, FillsANativeGtkFormWithThreeRowsOfMixedText) {
    const std::vector<std::string> labels = {"Name", "City", "Code"};
    const std::vector<std::vector<std::string>> rows = {
        {"J\u00FCrgen Wei\u00DF", "K\u00F6ln", "\u20AC 12"},
        {"Zo\u00EB \u20AC \u674E", "\u6771\u4EAC \U0001F44D\U0001F3FD", "\u00DF\u00DF"},
        {"Stra\u00DFe", "\u00DCnal", "\u2713"},
    };
    const auto log = temp.path() / "form.jsonl";
    Process form({"env", "GDK_BACKEND=wayland", "/usr/bin/python3", KEYFERRY_GTK_FORM, log.string(),
                  "--code-max", "100"});
    ASSERT_TRUE(spinUntil([&] { return readText(log).find("\"ready\"") != std::string::npos; },
                          std::chrono::seconds(20)))
        << "the form did not come up";

    Template filling = formTemplate(labels);
    filling.targetAppBundleID = "gtk_form.py";
    KeyferryRun run(temp.path(), filling, csvOf(labels, rows));
    run.start();
    EXPECT_EQ(run.wait(), 0) << run.output();
    // Read-back is the accessibility layer's; what counts here is what the form holds.
    EXPECT_NE(run.output().find("Done. Entries entered: 3"), std::string::npos) << run.output();

    std::vector<std::vector<std::string>> typed;
    std::istringstream lines(readText(log));
    for (std::string line; std::getline(lines, line);) {
        const auto record = nlohmann::json::parse(line, nullptr, false);
        if (record.is_object() && record.value("kind", "") == "row")
            typed.push_back(record["values"].get<std::vector<std::string>>());
    }
    ASSERT_EQ(typed.size(), rows.size()) << readText(log);
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t field = 0; field < labels.size(); ++field)
            EXPECT_EQ(escaped(typed[i][field]), escaped(rows[i][field]))
                << "row " << i + 1 << " " << labels[field];
}

namespace {

// Three rows whose fields mix what the US layout has with what it lacks: umlauts, ß, the
// euro sign, CJK, an emoji with a skin tone (two code points, one character), a check mark.
const std::vector<std::string> mixedLabels = {"Name", "City", "Code"};
const std::vector<std::vector<std::string>> mixedRows = {
    {"J\u00FCrgen Wei\u00DF", "K\u00F6ln", "\u20AC 12"},
    {"Zo\u00EB \u20AC \u674E", "\u6771\u4EAC \U0001F44D\U0001F3FD", "\u00DF\u00DF"},
    {"Stra\u00DFe", "\u00DCnal", "\u2713 \uD55C\uAD6D"},
};

} // namespace

// A new yad dialog per row, as a form that is started again for each record: every dialog is
// a new process with the same app_id, which the run follows.
TEST_F(WaylandRun, FillsANewYadDialogPerRowWithThreeRowsOfMixedText) {
    const auto out = temp.path() / "dialogs.txt";
    Process dialogs(yadForm(mixedLabels, out, 3));
    ASSERT_TRUE(spinUntil(
        [] {
            for (const SwayView& view : swayViews())
                if (view.appID == "yad")
                    return true;
            return false;
        },
        std::chrono::seconds(20)))
        << "no yad window";

    KeyferryRun run(temp.path(), formTemplate(mixedLabels), csvOf(mixedLabels, mixedRows));
    run.start();
    EXPECT_EQ(run.wait(), 0) << run.output();
    EXPECT_NE(run.output().find("Done. Entries entered: 3"), std::string::npos) << run.output();
    dialogs.wait();
    EXPECT_EQ(escaped(readText(out)), escaped(printedBy(mixedRows)));
}

// Qt 6 on Wayland (qt6-wayland) turns the keys into text its own way: its line edits must
// hold the same bytes. The form prints its fields on Return, empties them and goes on.
TEST_F(WaylandRun, FillsANativeQtFormWithThreeRowsOfMixedText) {
    const auto out = temp.path() / "qt.txt";
    std::string labels;
    for (const std::string& label : mixedLabels)
        labels += " " + shellQuote(label);
    Process form({"sh", "-c",
                  "QT_QPA_PLATFORM=wayland exec " + shellQuote(KEYFERRY_QT_FORM) + " --keep" +
                      labels + " > " + shellQuote(out.string())});
    const auto view = waitForViewOf(form.pid());
    ASSERT_TRUE(view) << "no Qt window";
    ASSERT_EQ(view->appID, "qt_form");
    ASSERT_TRUE(waitForFocusOf(form.pid()));

    // Tab from the last line edit wraps to the first, where Return prints the row.
    Template filling = formTemplate(mixedLabels);
    filling.targetAppBundleID = "qt_form";
    KeyferryRun run(temp.path(), filling, csvOf(mixedLabels, mixedRows));
    run.start();
    EXPECT_EQ(run.wait(), 0) << run.output();
    EXPECT_NE(run.output().find("Done. Entries entered: 3"), std::string::npos) << run.output();
    spinUntil([&] { return readText(out) == printedBy(mixedRows); }, std::chrono::seconds(5));
    EXPECT_EQ(escaped(readText(out)), escaped(printedBy(mixedRows)));
}

// Each field needs characters the US layout lacks, different from the field before, more of
// them than there are spare keys altogether, and the last one more than fit at once: the
// keymap of Keyferry's keyboard changes between fields and within one.
TEST_F(WaylandRun, ConsecutiveFieldsWithDifferentMissingCharactersAllLand) {
    const std::vector<std::string> labels = {"Greek", "Japanese", "Mixed", "Emoji", "Cyrillic"};
    const std::vector<std::vector<std::string>> rows = {{
        "\u03A9\u03BC\u03AD\u03B3\u03B1 \u03A8\u03C5\u03C7\u03AE",
        "\u65E5\u672C\u8A9E\u306E\u6587\u5B57\u5217\u3067\u3059",
        "\u00DCn\u00EFc\u00F8d\u00E9 \u2713 \u20AC \u00DF",
        "\U0001F600\U0001F389\U0001F680 \u0141\u00F3d\u017A",
        "\u0430\u0431\u0432\u0433\u0434\u0435\u0451\u0436\u0437\u0438\u0439\u043A\u043B\u043C"
        "\u043D\u043E\u043F\u0440\u0441\u0442\u0443\u0444\u0445\u0446\u0447\u0448\u0449",
    }};
    const auto out = temp.path() / "form.txt";
    Process form(yadForm(labels, out));
    ASSERT_TRUE(waitForViewOf(form.pid()) || !swayViews().empty()) << "no yad window";

    KeyferryRun run(temp.path(), formTemplate(labels), csvOf(labels, rows));
    run.start();
    EXPECT_EQ(run.wait(), 0) << run.output();
    form.wait();
    EXPECT_EQ(escaped(readText(out)), escaped(printedBy(rows)));
}

namespace {

/// A run typing one long text into the GTK form, started and seen typing.
struct LongRun {
    explicit LongRun(const std::filesystem::path& folder)
        : log(folder / "form.jsonl"), form({"env", "GDK_BACKEND=wayland", "/usr/bin/python3",
                                            KEYFERRY_GTK_FORM, log.string(), "--code-max", "100"}) {
        Template item;
        item.name = "Long";
        item.targetAppBundleID = "gtk_form.py";
        item.settings.countdownSeconds = 1;
        item.settings.interCharDelay = 0.01;
        item.steps = {makeStep(StepType::textInput, "Name", 0.1)};
        run = std::make_unique<KeyferryRun>(
            folder, item, "Name\n" + repeatedTo("abc \u00E9\u20AC ", 3000) + "\n");
    }
    /// The form is up and the run has begun typing into it.
    bool startTyping() {
        if (!spinUntil([&] { return readText(log).find("\"ready\"") != std::string::npos; },
                       std::chrono::seconds(20)))
            return false;
        run->start();
        return spinUntil([&] { return fieldText().size() > 20; }, std::chrono::seconds(20));
    }
    /// What the Name entry holds now, as the form reports it on SIGUSR1.
    std::string fieldText() {
        const std::size_t before = readText(log).size();
        ::kill(form.pid(), SIGUSR1);
        std::string value;
        spinUntil(
            [&] {
                const std::string all = readText(log);
                if (all.size() <= before)
                    return false;
                const auto record = nlohmann::json::parse(all.substr(before), nullptr, false);
                if (record.is_object() && record.contains("values"))
                    value = record["values"][0].get<std::string>();
                return true;
            },
            std::chrono::seconds(5));
        return value;
    }

    std::filesystem::path log;
    Process form;
    std::unique_ptr<KeyferryRun> run;
};

/// Whether sway still has the stop binding: removing it succeeds only then (and removes it).
bool stopBindingLeft() {
    return swayCommand("unbindsym --to-code Ctrl+Shift+Escape");
}

} // namespace

// The stop shortcut, pressed on another virtual keyboard (the user's hand), stops the run;
// nothing is typed after it, and the binding is gone afterwards.
TEST_F(WaylandRun, StopShortcutStopsTheRunAndTheBindingGoes) {
    LongRun typing(temp.path());
    ASSERT_TRUE(typing.startTyping()) << typing.run->output();
    // A keyboard new to the seat may lose its first key: the modifiers go first, twice.
    shell("wtype -M ctrl -m ctrl; wtype -M ctrl -M shift -k Escape -m shift -m ctrl");
    EXPECT_EQ(typing.run->wait(std::chrono::seconds(10)), 1) << typing.run->output();
    // Stopped by the shortcut, not paused by something else.
    EXPECT_NE(typing.run->output().find("Done. Entries entered: 0."), std::string::npos)
        << typing.run->output();
    EXPECT_EQ(typing.run->output().find("Paused"), std::string::npos) << typing.run->output();
    // The run has ended, its keyboard gone with it; a character it sent just before the stop
    // may still be on its way to the entry. Whatever shows after that came from elsewhere.
    settle(std::chrono::milliseconds(300));
    const std::string atEnd = typing.fieldText();
    settle(std::chrono::milliseconds(500));
    EXPECT_EQ(typing.fieldText(), atEnd) << "typing went on after the stop";
    EXPECT_LT(atEnd.size(), repeatedTo("abc \u00E9\u20AC ", 3000).size());
    EXPECT_FALSE(stopBindingLeft());
}

// A run killed mid-text leaves no key pressed (the entry's text would grow by key repeat)
// and, once its watcher has seen it die, no binding.
TEST_F(WaylandRun, KilledRunLeavesNoKeyHeldAndNoBinding) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        TemporaryFolder folder;
        LongRun typing(folder.path());
        ASSERT_TRUE(typing.startTyping()) << typing.run->output();
        if (attempt == 0) { // the check below can fail: while the run lives, its binding exists
            EXPECT_TRUE(stopBindingLeft()) << typing.run->output();
        }
        settle(std::chrono::milliseconds(37 * attempt));
        typing.run->signal(SIGKILL);
        typing.run->wait(std::chrono::seconds(5));
        settle(std::chrono::milliseconds(300));
        const std::string atEnd = typing.fieldText();
        settle(std::chrono::milliseconds(1500)); // longer than the repeat delay
        EXPECT_EQ(escaped(typing.fieldText()), escaped(atEnd)) << "attempt " << attempt;
        EXPECT_FALSE(stopBindingLeft()) << "attempt " << attempt;
    }
}

// A template that waits for the user's click, which sway does not show to Keyferry: the run
// would wait forever, so `keyferry run` refuses it at once, naming the step and the reason,
// and journals nothing.
TEST_F(WaylandRun, RunWaitingForAClickIsRefusedOnSway) {
    Template waiting = formTemplate({"Name"});
    waiting.steps.insert(waiting.steps.begin() + 1, makeStep(StepType::wait, "", 0.1));
    KeyferryRun run(temp.path(), waiting, "Name\nAda\n");
    run.start();
    EXPECT_EQ(run.wait(), 1) << run.output();
    EXPECT_NE(run.output().find("Not started: step 2 (Wait (Click)) cannot run on this desktop "
                                "(sway). \u201Csee the user's clicks\u201D is missing: "),
              std::string::npos)
        << run.output();
    EXPECT_EQ(run.output().find("Running"), std::string::npos) << "nothing of a run began";
}
