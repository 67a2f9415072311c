// A list the application opens under a field while it is typed (a browser's autofill, a
// datalist) never takes a key meant for the next step: a list that opened is closed with one
// Escape before the Tab and the field read again, and a list or combo box whose options the
// accessibility layer can select is chosen without arrow keys at all.

#include "SimulatedSession.h"
#include "automation/RunnerEngine.h"

#include <algorithm>

using namespace keyferry;
using namespace keyferry::testing;
using namespace keyferry::runner_state;

namespace {

using Field = SimulatedDesktop::Field;
using Rows = std::vector<std::vector<std::string>>;

Step input(std::string label, std::string role) {
    Step step = Step::ofType(StepType::textInput);
    step.label = label;
    step.postDelay = 0.1;
    step.field = FieldIdentity{std::move(role), std::move(label), "", {}, ""};
    return step;
}

class SuggestionPopupsTest : public SimulatedSession {
protected:
    SuggestionPopupsTest() {
        Field city = Field::named("City");
        // What a browser learnt from rows sent before: typing "Hamburg" opens the list.
        city.suggestions = {"Hamburg-Altona", "Hamm"};
        Field country = Field::named("Country", ElementRole::comboBox);
        country.acceptsText = false;
        country.choices = {"---------", "France", "Germany", "Israel"};
        country.text = "---------";
        form().fields = {Field::named("Name"), city, country};
        desktop.onKey(target, [this](Key key, Modifiers) {
            if (key == Key::returnKey)
                form().fields[2].text = "---------";
        });
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 0;
        Step submit = Step::ofType(StepType::returnKey);
        submit.postDelay = 0.2;
        item.steps = {input("Name", "text"), input("City", "text"), input("Country", "combo box"),
                      submit};
        runner.rowEnded.connect([this](const RowOutcome& outcome) { outcomes.push_back(outcome); });
    }
    void run(Rows rows) {
        ASSERT_TRUE(runner.start(item, CSVData({"Name", "City", "Country"}, std::move(rows)), 0,
                                 std::nullopt));
        clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });
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

const Rows rows = {
    {"Anna", "Hamburg", "Israel"}, {"Bernd", "Berlin", "France"}, {"Clara", "Hamburg", "Germany"}};

TEST_F(SuggestionPopupsTest, AListOpenedByTheTextIsClosedBeforeTheArrowsChooseTheNextField) {
    run(rows);
    EXPECT_EQ(form().submissions, rows) << "byte for byte";
    ASSERT_EQ(outcomes.size(), 3u);
    for (const RowOutcome& outcome : outcomes)
        EXPECT_EQ(outcome.status, RowStatus::verified) << outcome.entry;
    // Only where the list opened ("Berlin" suggests nothing): an Escape with nothing open may
    // cancel a dialog.
    EXPECT_EQ(pressesOf(Key::escape), 2u);
    EXPECT_FALSE(form().suggesting);
    EXPECT_GT(pressesOf(Key::down), 0u) << "this list is chosen with the arrow keys";
}

TEST_F(SuggestionPopupsTest, AListThatOpensOnlyAfterTheTabIsClosedBeforeTheFirstArrow) {
    // Opened late, when the focus is already on Country: the check after the text missed it.
    desktop.onKey(target, [this](Key key, Modifiers) {
        if (key == Key::tab && form().focused == 2 && form().fields[1].text == "Hamburg")
            form().suggesting = SimulatedDesktop::Form::SuggestionList{1, std::nullopt};
    });
    run({rows[0]});
    EXPECT_EQ(form().submissions, Rows{rows[0]});
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].status, RowStatus::verified);
}

TEST_F(SuggestionPopupsTest, AListSelectedThroughAccessibilityNeedsNoArrowKey) {
    form().fields[2].selectable = true;
    run(rows);
    EXPECT_EQ(form().submissions, rows) << "byte for byte";
    ASSERT_EQ(outcomes.size(), 3u);
    for (const RowOutcome& outcome : outcomes) {
        EXPECT_EQ(outcome.status, RowStatus::verified) << outcome.entry;
        EXPECT_EQ(outcome.fieldsVerified, 3u);
    }
    EXPECT_EQ(pressesOf(Key::down) + pressesOf(Key::up), 0u);
}

} // namespace
