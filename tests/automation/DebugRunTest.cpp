#include "SimulatedSession.h"
#include "automation/RunnerEngine.h"

using namespace keyferry;
using namespace keyferry::testing;
using namespace keyferry::runner_state;

TEST(DebugRun, PlaceholderValuesByKeyword) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Rechnungsdatum", "15.01.2025"},
        {"Gesamtbetrag", "1.250,00"},
        {"Vorname", "Mustermann GmbH"},
        {"Stra\xC3\x9F"
         "e Nr",
         "12345"},
        {"Telefonnummer", "12345"},
        {"Titel", "0641 12345"},
        {"Kommentar", "Testdaten"},
        {"BESCHREIBUNG", "Testreparatur"},
        {"PLZ", "35510"},
        {"Wohnort", "Musterstadt"}};
    for (const auto& [label, value] : cases)
        EXPECT_EQ(RunnerEngine::generateDummyValue(label), value) << label;
    const std::string mail = RunnerEngine::generateDummyValue("E-Mail");
    EXPECT_NE(mail.find('@'), std::string::npos);
    EXPECT_EQ(RunnerEngine::generateDummyValue("EMAIL"), mail) << "one fixed address";
    EXPECT_EQ(RunnerEngine::generateDummyValue("Mailadresse"), "Musterstr. 1")
        << "adresse is tested before mail";
}

namespace {

class DebugRunTest : public SimulatedSession {
protected:
    DebugRunTest() {
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 1;
        Step name = Step::ofType(StepType::textInput);
        name.label = "Name";
        Step city = Step::ofType(StepType::textInput);
        city.label = "Stadt";
        Step company = Step::ofType(StepType::textInput);
        company.fixedValue = "ACME";
        item.steps = {name, city, company, Step::ofType(StepType::returnKey)};
        form().fields.push_back(SimulatedDesktop::Field::named("Company"));
    }
    void waitForNext() {
        clock.runUntil([&] { return runner.isWaitingForNext() || !runner.isRunning(); });
    }

    RunnerEngine runner{desktop, clock};
    Template item;
};

} // namespace

TEST_F(DebugRunTest, StepsThroughWithNext) {
    runner.startDebug(item);
    waitForNext();
    EXPECT_EQ(now(), Ms(1100)) << "after the first activation poll and the countdown";
    EXPECT_EQ(runner.state(),
              RunnerState(DebugStep{0, 0, "Name", "Text Input", "Mustermann GmbH"}));
    EXPECT_EQ(runner.statusMessage(), "Step 1/4: Text Input \u2192 \"Mustermann GmbH\"");
    EXPECT_TRUE(desktop.postedEvents().empty()) << "nothing happens before Next";

    runner.next();
    runner.next(); // a second Next before the run moved on finds nothing pending
    waitForNext();
    EXPECT_EQ(runner.state(), RunnerState(DebugStep{0, 1, "Stadt", "Text Input", "Musterstadt"}));
    EXPECT_EQ(form().fields[0].text, "Mustermann GmbH");

    runner.next();
    waitForNext();
    EXPECT_EQ(runner.state(), RunnerState(DebugStep{0, 2, "Text Input", "Text Input", "ACME"}));
    runner.next();
    waitForNext();
    EXPECT_EQ(runner.state(), RunnerState(DebugStep{0, 3, "Return", "Return", ""}));
    EXPECT_EQ(runner.statusMessage(), "Step 4/4: Return");
    runner.next();
    clock.runUntil([&] { return !runner.isRunning(); });
    EXPECT_EQ(runner.state(), RunnerState(Finished{1, 0, 0}));
    EXPECT_EQ(runner.statusMessage(), "Debug complete");
    EXPECT_EQ(form().submissions,
              (std::vector<std::vector<std::string>>{{"Mustermann GmbH", "Musterstadt", "ACME"}}));
}

TEST_F(DebugRunTest, StopWhileWaitingForNext) {
    runner.startDebug(item);
    waitForNext();
    runner.stop();
    clock.runUntil([&] { return !runner.isRunning(); });
    EXPECT_EQ(runner.state(), RunnerState(Finished{0, 0, 0}));
    EXPECT_EQ(runner.statusMessage(), "Debug cancelled");
    EXPECT_FALSE(runner.isWaitingForNext());
    EXPECT_TRUE(desktop.postedEvents().empty());
}

TEST_F(DebugRunTest, EmptyTemplateAndActivationFailures) {
    item.steps.clear();
    runner.startDebug(item);
    clock.runUntil([&] { return !runner.isRunning(); });
    EXPECT_EQ(runner.state(), RunnerState(Finished{1, 0, 0}));
    EXPECT_EQ(runner.statusMessage(), "Debug complete");

    item.steps = {Step::ofType(StepType::tab)};
    runner.startDebug(item);
    waitForNext();
    desktop.setActivationRefused(target, true);
    desktop.bringToFront(keyferry);
    runner.next();
    clock.runUntil([&] { return !runner.isRunning(); });
    EXPECT_EQ(runner.statusMessage(), "Could not activate target app!");
    EXPECT_EQ(runner.state(), RunnerState(Finished{1, 0, 0}));

    runner.startDebug(item);
    clock.runUntil([&] { return !runner.isRunning(); });
    EXPECT_EQ(runner.statusMessage(), "Target app not found!");
    EXPECT_TRUE(desktop.postedEvents().empty());
}

TEST_F(DebugRunTest, StepsWithARecordedFieldShowItAndStopAtTheWrongOne) {
    item.settings.waitForNextField = false;
    item.steps[0].field = FieldIdentity{"text", "Name", "", {}, ""};
    item.steps[1].field = FieldIdentity{"text", "Stadt", "", {}, ""}; // the form says City
    runner.startDebug(item);
    waitForNext();
    EXPECT_EQ(runner.statusMessage(),
              "Step 1/4: Text Input \u2192 \"Mustermann GmbH\" in field \"Name\"");
    runner.next();
    waitForNext();
    EXPECT_EQ(form().fields[0].text, "Mustermann GmbH") << "the expected field had the focus";
    runner.next();
    clock.runUntil([&] { return !runner.isRunning(); });
    EXPECT_EQ(runner.statusMessage(),
              "Error at step 2! Expected field \"Stadt\", but the focus is on \"City\"");
    EXPECT_EQ(form().fields[1].text, "") << "nothing typed into the other field";
}
