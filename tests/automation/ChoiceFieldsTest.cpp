// Check boxes and lists are fields too: a Text Input step on a check box ticks or unticks it
// from the value (Space only when its state differs), on a list it moves to the option whose
// text is the value; both read back. Values a check box cannot take refuse the run before it
// begins, naming the entries.

#include "SimulatedSession.h"
#include "automation/CheckBoxValues.h"
#include "automation/RunnerEngine.h"

#include <algorithm>

using namespace keyferry;
using namespace keyferry::testing;
using namespace keyferry::runner_state;

namespace {

using Field = SimulatedDesktop::Field;

TEST(CheckBoxValues, YesNoTrueFalseOneZeroXOrNothingInAnyCase) {
    for (const char* ticked : {"yes", "YES", "True", "1", "x", "X", " yes "})
        EXPECT_EQ(checkBoxState(ticked), true) << ticked;
    for (const char* unticked : {"no", "No", "FALSE", "0", "", " "})
        EXPECT_EQ(checkBoxState(unticked), false) << unticked;
    for (const char* neither : {"maybe", "2", "ja", "yes!", "on"})
        EXPECT_FALSE(checkBoxState(neither)) << neither;
}

// An empty cell asks a list for "none": its blank option where it has one, else what it shows.
TEST(ListChoice, AnEmptyValueTakesTheBlankOptionElseLeavesTheListAsItIs) {
    const FieldChoices withBlank{{"Dr.", "", "Prof."}, 0};
    const FieldChoices withoutBlank{{"---------", "Austria", "日本"}, 2};
    const FieldChoices noneSelected{{"Austria", "日本"}, std::nullopt};
    struct Case {
        const char* what;
        FieldChoices choices;
        std::string value;
        bool offered;
        std::optional<std::size_t> option;
    };
    const std::vector<Case> cases = {
        {"a value", withoutBlank, "Austria", true, 1},
        {"a value the list lacks", withoutBlank, "Germany", false, std::nullopt},
        {"empty, with a blank option", withBlank, "", true, 1},
        {"empty, without one: as shown", withoutBlank, "", true, 2},
        {"empty, nothing shown: nothing", noneSelected, "", true, std::nullopt},
    };
    for (const Case& c : cases) {
        const ListChoice choice = listChoice(c.choices, c.value);
        EXPECT_EQ(choice.offered, c.offered) << c.what;
        EXPECT_EQ(choice.option, c.option) << c.what;
    }
}

Step input(std::string label, std::string role) {
    Step step = Step::ofType(StepType::textInput);
    step.label = label;
    step.postDelay = 0.1;
    step.field = FieldIdentity{std::move(role), std::move(label), "", {}, ""};
    return step;
}

class ChoiceFieldsTest : public SimulatedSession {
protected:
    ChoiceFieldsTest() {
        Field news = Field::named("Newsletter", ElementRole::checkBox);
        news.acceptsText = false;
        Field country = Field::named("Country", ElementRole::comboBox);
        country.acceptsText = false;
        country.choices = {"Austria", "Germany", "Switzerland"};
        country.text = "Germany"; // the form's default
        form().fields = {Field::named("Name"), news, country};
        // A new form after each submission, back on its default.
        desktop.onKey(target, [this](Key key, Modifiers) {
            if (key == Key::returnKey)
                form().fields[2].text = "Germany";
        });
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 0;
        Step submit = Step::ofType(StepType::returnKey);
        submit.postDelay = 0.2;
        item.steps = {input("Name", "text"), input("Newsletter", "check box"),
                      input("Country", "combo box"), submit};
        runner.rowEnded.connect([this](const RowOutcome& outcome) { outcomes.push_back(outcome); });
    }
    bool run(std::vector<std::vector<std::string>> rows) {
        const bool started = runner.start(item, table(std::move(rows)), 0, std::nullopt);
        clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });
        return started;
    }
    static CSVData table(std::vector<std::vector<std::string>> rows) {
        return CSVData({"Name", "Newsletter", "Country"}, std::move(rows));
    }
    std::size_t pressesOf(Key key) const {
        return std::ranges::count_if(desktop.postedEvents(), [&](const Event& event) {
            return event.kind == Kind::keyDown && event.key == key;
        });
    }

    RunnerEngine runner{desktop, clock};
    Template item;
    std::vector<RowOutcome> outcomes;
};

TEST_F(ChoiceFieldsTest, TicksAndChoosesFromTheValuesAndReadsThemBack) {
    ASSERT_TRUE(run({{"Anna", "yes", "Switzerland"},
                     {"Bernd", "no", "Austria"},
                     {"Clara", "X", "Germany"},
                     {"Dora", "", "Germany"}}));
    EXPECT_EQ(form().submissions,
              (std::vector<std::vector<std::string>>{{"Anna", "x", "Switzerland"},
                                                     {"Bernd", "", "Austria"},
                                                     {"Clara", "x", "Germany"},
                                                     {"Dora", "", "Germany"}}));
    ASSERT_EQ(outcomes.size(), 4u);
    for (const RowOutcome& outcome : outcomes) {
        EXPECT_EQ(outcome.status, RowStatus::verified) << outcome.entry;
        EXPECT_EQ(outcome.fieldsVerified, 3u) << "the text, the check box and the list";
    }
    // Each form starts unticked on Germany: Space only for the rows that tick; one Down to
    // Switzerland, one Up to Austria, none to stay on Germany.
    EXPECT_EQ(pressesOf(Key::space), 2u);
    EXPECT_EQ(pressesOf(Key::down), 1u);
    EXPECT_EQ(pressesOf(Key::up), 1u);
}

TEST_F(ChoiceFieldsTest, AnOptionTheListLacksPausesTheRowWithoutAKey) {
    run({{"Anna", "yes", "Germny"}});
    EXPECT_EQ(runner.state(), RunnerState(Paused{0, 1}));
    EXPECT_EQ(runner.statusMessage(), "Field \"Country\" has no option \"Germny\"");
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].status, RowStatus::mismatch);
    EXPECT_EQ(pressesOf(Key::down) + pressesOf(Key::up), 0u);
    EXPECT_EQ(form().fields[2].text, "Germany");
    EXPECT_TRUE(form().submissions.empty());
}

TEST_F(ChoiceFieldsTest, ACheckBoxThatDoesNotTakeTheSpaceIsAMismatch) {
    desktop.afterEachPost = [&] {
        form().fields[1].checked = false; // a check box that ignores the key
    };
    run({{"Anna", "yes", "Germany"}});
    EXPECT_EQ(runner.statusMessage(),
              "Field \"Newsletter\" shows \"not ticked\", expected \"ticked\"");
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].status, RowStatus::mismatch);
    EXPECT_EQ(form().focused, 1u) << "no Tab: the check box stays in view";
}

TEST_F(ChoiceFieldsTest, ACheckBoxThatCannotBeReadIsNeverPressedBlindly) {
    form().fields[1].readable = false;
    run({{"Anna", "yes", "Germany"}});
    EXPECT_EQ(runner.statusMessage(), "Check box \"Newsletter\" cannot be read: Keyferry cannot "
                                      "tell whether to press it");
    EXPECT_EQ(pressesOf(Key::space), 0u);
    EXPECT_EQ(outcomes.at(0).status, RowStatus::mismatch);
}

TEST_F(ChoiceFieldsTest, ValuesACheckBoxCannotTakeRefuseTheRunNamingTheEntries) {
    EXPECT_FALSE(run(
        {{"Anna", "yes", "Germany"}, {"Bernd", "maybe", "Germany"}, {"Clara", "ja", "Germany"}}));
    EXPECT_EQ(runner.statusMessage(),
              "A check box takes yes or no, true or false, 1 or 0, x or nothing; not what is "
              "given for check box \"Newsletter\" in entries 2-3.");
    EXPECT_TRUE(desktop.postedEvents().empty()) << "nothing of the run began";

    item.steps[1].fixedValue = "sure";
    EXPECT_FALSE(run({{"Anna", "Germany"}}));
    EXPECT_NE(runner.statusMessage().find("the fixed value \"sure\" of check box \"Newsletter\""),
              std::string::npos)
        << runner.statusMessage();
}

} // namespace
