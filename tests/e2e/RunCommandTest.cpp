#include "Desktop.h"
#include "model/TemplateJson.h"

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
