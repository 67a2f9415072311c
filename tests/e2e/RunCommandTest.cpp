#include "Desktop.h"
#include "model/TemplateJson.h"

#include <array>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

Step step(StepType type, std::string label, double delay) {
    Step s = Step::ofType(type);
    s.label = std::move(label);
    s.postDelay = delay;
    return s;
}

} // namespace

// `keyferry run` types three rows into three GTK form dialogs opened one after the other;
// what the dialogs print must equal the rows byte for byte.
TEST_F(DesktopTest, RunCommandFillsRealFormDialogs) {
    Template people;
    people.name = "People";
    people.targetAppBundleID = "Yad";
    people.settings.countdownSeconds = 1;
    people.settings.interCharDelay = 0;
    people.settings.verifyTypedText = false; // switched off, the output is as it always was
    people.steps = {step(StepType::textInput, "Name", 0.1), step(StepType::textInput, "City", 0.1),
                    step(StepType::returnKey, "", 1.5)};
    std::filesystem::create_directories(temp.path() / "Keyferry");
    writeText(temp.path() / "Keyferry" / "templates.json", *encodeTemplates({people}));
    const std::string rows[] = {"J\u00FCrgen Wei\u00DF;K\u00F6ln",
                                "Zo\u00EB \u20AC \u674E;\u6771\u4EAC \U0001F44D\U0001F3FD",
                                "Stra\u00DFe;\u00DCnal"};
    writeText(temp.path() / "people.csv",
              "Name;City\n" + rows[0] + "\n" + rows[1] + "\n" + rows[2] + "\n");

    const auto out = temp.path() / "dialogs.txt";
    // Only an OK button: Tab from the last field lands on it, and Return presses it.
    Process dialogs({"sh", "-c",
                     "for i in 1 2 3; do yad --form --field=Name --field=City --button=OK:0 >> '" +
                         out.string() + "'; done"});
    ASSERT_TRUE(waitForApplication("Yad"));

    const std::string run = "XDG_DATA_HOME='" + temp.path().string() + "' XDG_STATE_HOME='" +
                            temp.path().string() + "' XDG_CONFIG_HOME='" + temp.path().string() +
                            "' '" + KEYFERRY_BINARY + "' run --template People --csv '" +
                            (temp.path() / "people.csv").string() + "'; echo \"exit=$?\"";
    const std::string printed = shell(run);
    EXPECT_NE(printed.find("exit=0"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Row 3/3 \u2713"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Done. Entries entered: 3. Resume from entry 4."), std::string::npos)
        << printed;
    dialogs.wait();

    std::string expected;
    for (const std::string& row : rows)
        expected += row.substr(0, row.find(';')) + "|" + row.substr(row.find(';') + 1) + "|\n";
    EXPECT_EQ(readText(out), expected);
}

TEST(RunCommand, RefusesACsvThatDoesNotFit) {
    TemporaryFolder temp;
    Template people;
    people.name = "People";
    Step name = Step::ofType(StepType::textInput);
    name.label = "Name";
    people.steps = {name};
    std::filesystem::create_directories(temp.path() / "Keyferry");
    writeText(temp.path() / "Keyferry" / "templates.json", *encodeTemplates({people}));
    writeText(temp.path() / "wrong.csv", "Nom\nx\n");
    const std::string printed =
        shell("XDG_DATA_HOME='" + temp.path().string() + "' XDG_STATE_HOME='" +
              temp.path().string() + "' XDG_CONFIG_HOME='" + temp.path().string() + "' '" +
              KEYFERRY_BINARY + "' run --template People --csv '" +
              (temp.path() / "wrong.csv").string() + "' 2>&1; echo \"exit=$?\"");
    EXPECT_NE(printed.find("Column names don't match: 'Nom' \u2192 'Name'"), std::string::npos)
        << printed;
    EXPECT_NE(printed.find("exit=2"), std::string::npos) << printed;
}

namespace {

// `keyferry record` and `keyferry run` as the user starts them, with the test's data folders.
std::string keyferryCommand(const std::filesystem::path& home, const std::string& arguments) {
    return "XDG_DATA_HOME='" + home.string() + "' XDG_STATE_HOME='" + home.string() +
           "' XDG_CONFIG_HOME='" + home.string() + "' '" + KEYFERRY_BINARY + "' " + arguments;
}

// `keyferry record` over a real form, the test pressing the keys as the user.
class RecordCommandTest : public DesktopTest {
protected:
    /// Opens the form, records it as `name` while pressing `keys`, and returns what
    /// `keyferry record` printed; the form is closed afterwards.
    std::string record(const std::vector<std::string>& form, const std::string& name,
                       const std::vector<const char*>& keys) {
        Process window(form);
        EXPECT_TRUE(waitForWindowOf(window));
        EXPECT_TRUE(waitForFrontOf(window));
        pause(500);
        const auto printed = temp.path() / "record.txt";
        Process recording({"sh", "-c",
                           keyferryCommand(temp.path(), "record --template " + name) + " > '" +
                               printed.string() + "' 2>&1"});
        pause(1500);
        for (const char* key : keys) {
            shell(std::string("xdotool key ") + key);
            pause(400);
        }
        EXPECT_EQ(recording.wait(), 0) << readText(printed);
        return readText(printed);
    }
    /// The only template stored.
    Template stored() {
        const auto read = decodeTemplates(readText(temp.path() / "Keyferry" / "templates.json"));
        EXPECT_TRUE(read.hasValue() && read->size() == 1) << (read ? "" : read.error());
        return read.hasValue() && !read->empty() ? read->front() : Template{};
    }
};

} // namespace

// `keyferry record` records the field the focus is in as it starts (yad's first) and the fields
// Tab reaches, each with its identity; the recorded template fills the same form, and pauses
// before typing into a field that was added after the recording, nothing submitted.
TEST_F(RecordCommandTest, RecordedFieldsAreCheckedWhenTheFormChanges) {
    const std::string recording =
        record({"yad", "--form", "--field=First", "--field=Name", "--field=City", "--button=OK:0"},
               "People", {"Tab", "Tab", "Escape"});
    EXPECT_NE(recording.find("Created \"People\": 3 steps, target Yad."), std::string::npos)
        << recording;
    Template people = stored();
    ASSERT_EQ(people.steps.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string label = std::array{"First", "Name", "City"}[i];
        EXPECT_EQ(people.steps[i].type, StepType::textInput);
        EXPECT_EQ(people.steps[i].label, label);
        ASSERT_TRUE(people.steps[i].field) << label;
        EXPECT_EQ(people.steps[i].field->name, label);
        EXPECT_EQ(people.steps[i].field->role, "text");
    }
    EXPECT_TRUE(people.settings.waitForNextField);
    EXPECT_EQ(shell(keyferryCommand(temp.path(), "header --template People")), "First;Name;City\n");

    // The recorded fields, then OK.
    people.settings.countdownSeconds = 1;
    people.steps.push_back(step(StepType::returnKey, "", 0.5));
    writeText(temp.path() / "Keyferry" / "templates.json", *encodeTemplates({people}));
    writeText(temp.path() / "people.csv", "First;Name;City\nA;J\u00FCrgen;K\u00F6ln\n");
    const std::string run = keyferryCommand(temp.path(), "run --template People --csv '" +
                                                             (temp.path() / "people.csv").string() +
                                                             "'; echo \"exit=$?\"");

    const auto same = temp.path() / "same.txt";
    {
        Process form({"sh", "-c",
                      "yad --form --field=First --field=Name --field=City --button=OK:0 > '" +
                          same.string() + "'"});
        ASSERT_TRUE(waitForApplication("Yad"));
        const std::string printed = shell(run);
        EXPECT_NE(printed.find("exit=0"), std::string::npos) << printed;
        form.wait();
    }
    EXPECT_EQ(readText(same), "A|J\u00FCrgen|K\u00F6ln|\n");

    const auto changed = temp.path() / "changed.txt";
    Process form({"sh", "-c",
                  "yad --form --field=First --field=Name --field=Region --field=City "
                  "--button=OK:0 > '" +
                      changed.string() + "'"});
    ASSERT_TRUE(waitForApplication("Yad"));
    const std::string printed = shell(run);
    EXPECT_NE(printed.find("Expected field \"City\", but the focus is on \"Region\""),
              std::string::npos)
        << printed;
    EXPECT_NE(printed.find("exit=1"), std::string::npos) << printed;
    pause(500);
    EXPECT_EQ(form.wait(std::chrono::milliseconds(200)), -1) << "the form was not submitted";
    EXPECT_EQ(readText(changed), "");
}

// A yad form with a check box and a combo box: recorded with `keyferry record`, both become
// fields a run sets from the CSV values and reads back, every row verified.
TEST_F(RecordCommandTest, RecordedCheckBoxAndComboBoxAreSetFromTheValues) {
    const std::vector<std::string> yad = {"yad",
                                          "--form",
                                          "--field=First",
                                          "--field=Name",
                                          "--field=Newsletter:CHK",
                                          "--field=Country:CB",
                                          "--button=OK:0",
                                          "",
                                          "",
                                          "FALSE",
                                          "Austria!Germany!Switzerland"};
    record(yad, "Prefs", {"Tab", "Tab", "Tab", "Escape"});
    Template prefs = stored();
    std::string recorded;
    for (const Step& step : prefs.steps)
        recorded += std::string(rawValue(step.type)) + ":" + step.label + ":" +
                    (step.field ? step.field->role : "-") + " ";
    ASSERT_EQ(prefs.steps.size(), 4u) << recorded;
    EXPECT_EQ(recorded, "textInput:First:text textInput:Name:text "
                        "textInput:Newsletter:check box textInput:Country:combo box ");
    EXPECT_EQ(shell(keyferryCommand(temp.path(), "header --template Prefs")),
              "First;Name;Newsletter;Country\n");

    prefs.settings.countdownSeconds = 1;
    prefs.steps.push_back(step(StepType::returnKey, "", 0.5));
    writeText(temp.path() / "Keyferry" / "templates.json", *encodeTemplates({prefs}));
    const struct {
        const char* row;
        const char* printed;
    } rows[] = {{"1;Anna;yes;Switzerland", "1|Anna|TRUE|Switzerland|\n"},
                {"2;Bernd;no;Austria", "2|Bernd|FALSE|Austria|\n"}};
    for (const auto& [row, expected] : rows) {
        writeText(temp.path() / "prefs.csv",
                  std::string("First;Name;Newsletter;Country\n") + row + "\n");
        const auto out = temp.path() / "out.txt";
        std::string command;
        for (const std::string& part : yad)
            command += "'" + part + "' ";
        Process form({"sh", "-c", command + "> '" + out.string() + "'"});
        ASSERT_TRUE(waitForApplication("Yad"));
        const std::string printed = shell(keyferryCommand(
            temp.path(), "run --template Prefs --csv '" + (temp.path() / "prefs.csv").string() +
                             "'; echo \"exit=$?\""));
        EXPECT_NE(printed.find("exit=0"), std::string::npos) << printed;
        EXPECT_NE(printed.find("(1 verified)"), std::string::npos) << printed;
        form.wait();
        EXPECT_EQ(readText(out), expected) << row;
    }
}
