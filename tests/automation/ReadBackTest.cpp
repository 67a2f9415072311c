// A run reads every typed field back and says per row what landed: fields that drop,
// truncate or complete what was typed pause the run at their row with both texts, before
// the row is sent; fields that cannot be read are not checked; each attempted row is
// reported once.

#include "SimulatedSession.h"
#include "automation/FieldCheck.h"
#include "automation/RunnerEngine.h"

#include <algorithm>

using namespace keyferry;
using namespace keyferry::testing;
using namespace keyferry::runner_state;

namespace {

using Field = SimulatedDesktop::Field;

Step input(std::string label) {
    Step step = Step::ofType(StepType::textInput);
    step.label = std::move(label);
    step.postDelay = 0.1;
    return step;
}

class ReadBackTest : public SimulatedSession {
protected:
    ReadBackTest() {
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 0;
        Step submit = Step::ofType(StepType::returnKey);
        submit.postDelay = 0.2;
        item.steps = {input("Name"), input("City"), submit};
        runner.rowEnded.connect([this](const RowOutcome& outcome) { outcomes.push_back(outcome); });
        runner.runEnded.connect(
            [this](const RunSummary& summary) { summaries.push_back(summary); });
    }
    static CSVData table(std::vector<std::vector<std::string>> rows) {
        return CSVData({"Name", "City"}, std::move(rows));
    }
    void run(const CSVData& data) {
        runner.start(item, data, 0, std::nullopt);
        runToEnd();
    }
    void runToEnd() {
        clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });
    }
    Field& city() { return form().fields[1]; }
    std::vector<RowStatus> statuses() const {
        std::vector<RowStatus> result;
        for (const RowOutcome& outcome : outcomes)
            result.push_back(outcome.status);
        return result;
    }

    RunnerEngine runner{desktop, clock};
    Template item;
    std::vector<RowOutcome> outcomes;
    std::vector<RunSummary> summaries;
};

const CSVData threeRows =
    CSVData({"Name", "City"}, {{"Anna", "Ulm"}, {"Bernd", "M\u00fcnchen"}, {"Clara", "Berlin"}});

} // namespace

TEST(FieldHolds, ComparesComposedTextsWholeOrAtTheEnd) {
    const std::string composedUmlaut = "M\u00fcnchen";
    const std::string decomposedUmlaut = "Mu\u0308nchen";
    struct Case {
        const char* shown;
        std::string typed;
        bool cleared;
        bool holds;
    } cases[] = {
        {"M\u00fcnchen", decomposedUmlaut, true, true}, // the same text however composed
        {"Mu\u0308nchen", composedUmlaut, true, true},
        {"Mnchen", composedUmlaut, true, false},
        {"Herr M\u00fcnchen", composedUmlaut, false, true}, // not cleared: ends with it
        {"Herr M\u00fcnchen", composedUmlaut, true, false},
        {"M\u00fcnchenx", composedUmlaut, false, false},
        {"", "", true, true},
        {"old", "", true, false}, // cleared to nothing means nothing
        // What the accessibility layer adds and nobody typed (Firefox after an emoji).
        {"Emoji \U0001F600\uFEFF Test", "Emoji \U0001F600 Test", true, true},
        {"\uFFFCNote", "Note", true, true},
        {"a\uFEFFb", "a\uFEFFb", true, true}, // typed on purpose: must be there
        {"ab", "a\uFEFFb", true, false},
        {"Emoji \U0001F600\uFEFF Test", "Emoji \U0001F600 Tset", true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fieldHolds(c.shown, c.typed, c.cleared), c.holds)
            << c.shown << " / " << c.typed << " cleared " << c.cleared;
    // Only the end shown: the first keys went nowhere (Firefox's U+FEFF after an emoji is
    // not what tells it).
    EXPECT_TRUE(showsOnlyTheEndOf("nna \U0001F600\uFEFF Lee", "Anna \U0001F600 Lee"));
    EXPECT_TRUE(showsOnlyTheEndOf("nchen", decomposedUmlaut));
    EXPECT_TRUE(showsOnlyTheEndOf("", "Anna"));
    EXPECT_FALSE(showsOnlyTheEndOf("Anna", "Anna"));
    EXPECT_FALSE(showsOnlyTheEndOf("Ana", "Anna"));
    EXPECT_FALSE(showsOnlyTheEndOf("xAnna", "Anna"));
    // A first character typed again that showed late after all.
    EXPECT_TRUE(showsItsStartRepeated("AAnna", "Anna"));
    EXPECT_TRUE(showsItsStartRepeated("\u00DC\u00DC\u00DCnal", "\u00DCnal"));
    EXPECT_TRUE(showsItsStartRepeated("\U0001F600\uFEFF\U0001F600\uFEFF x", "\U0001F600 x"));
    EXPECT_FALSE(showsItsStartRepeated("Anna", "Anna"));
    EXPECT_FALSE(showsItsStartRepeated("BAnna", "Anna"));
    EXPECT_FALSE(showsItsStartRepeated("AxAnna", "Anna"));
    EXPECT_FALSE(showsItsStartRepeated("AAnn", "Anna"));
    FieldCheck check{FieldCheck::Result::mismatch, "City", composedUmlaut, "Mnchen", ""};
    EXPECT_EQ(check.message(), "Field \"City\" shows \"Mnchen\", expected \"M\u00fcnchen\"");
    check.field.clear();
    EXPECT_EQ(check.message(), "The field shows \"Mnchen\", expected \"M\u00fcnchen\"");
}

TEST_F(ReadBackTest, FieldsThatGetItWrongPauseAtTheirRowAndUnreadableOnesAreNotChecked) {
    struct Case {
        const char* name;
        std::function<void(Field&)> fieldIs;
        std::vector<RowStatus> expected;
        const char* message; ///< empty: the run finishes
    } cases[] = {
        {"faithful",
         [](Field&) {},
         {RowStatus::verified, RowStatus::verified, RowStatus::verified},
         ""},
        {"drops a character",
         [](Field& f) { f.refused = "\u00fc"; },
         {RowStatus::verified, RowStatus::mismatch},
         "Field \"City\" shows \"Mnchen\", expected \"M\u00fcnchen\""},
        {"truncates at 5",
         [](Field& f) { f.maxLength = 5; },
         {RowStatus::verified, RowStatus::mismatch},
         "Field \"City\" shows \"M\u00fcnch\", expected \"M\u00fcnchen\""},
        {"autocompletes",
         [](Field& f) { f.completion = "Ulm an der Donau"; },
         {RowStatus::mismatch},
         "Field \"City\" shows \"Ulm an der Donau\", expected \"Ulm\""},
        {"cannot be read",
         [](Field& f) { f.readable = false; },
         {RowStatus::entered, RowStatus::entered, RowStatus::entered},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form() = {};
        form().fields = {Field::named("Name"), Field::named("City")};
        c.fieldIs(city());
        outcomes.clear();
        summaries.clear();
        run(threeRows);
        EXPECT_EQ(statuses(), c.expected) << "exactly the attempted rows";
        ASSERT_EQ(summaries.size(), 1u);
        if (*c.message == '\0') {
            EXPECT_EQ(runner.state(), RunnerState(Finished{3, 0, 3}));
            EXPECT_EQ(summaries[0].ended, "finished");
            // Name always reads back; City only where the field can be read.
            const bool cityRead = c.expected[0] == RowStatus::verified;
            for (const RowOutcome& outcome : outcomes) {
                EXPECT_EQ(outcome.fieldsVerified, cityRead ? 2u : 1u);
                EXPECT_EQ(outcome.fieldsUnread, cityRead ? 0u : 1u);
            }
            continue;
        }
        const std::size_t row = c.expected.size() - 1;
        EXPECT_EQ(runner.state(), RunnerState(Paused{row, 3}));
        EXPECT_EQ(runner.statusMessage(), c.message);
        EXPECT_EQ(form().submissions.size(), row) << "the row with the wrong field is not sent";
        const RowOutcome& last = outcomes.back();
        EXPECT_EQ(last.entry, row + 1);
        EXPECT_EQ(last.field, "City");
        EXPECT_EQ(last.message, c.message);
        EXPECT_EQ(last.expected, threeRows.field(row, 1));
        EXPECT_EQ(last.shown, city().shown());
        EXPECT_EQ(summaries[0].ended, "paused");
        EXPECT_EQ(summaries[0].count(RowStatus::mismatch), 1u);
        EXPECT_EQ(summaries[0].count(RowStatus::verified), row);
        // Read back before Return: nothing but the Tab to the next field after the text.
        const auto& events = desktop.postedEvents();
        const auto lastCharacter = std::find_if(events.rbegin(), events.rend(), [](const Event& e) {
            return e.kind == Kind::character;
        });
        ASSERT_NE(lastCharacter, events.rend());
        EXPECT_TRUE(std::all_of(lastCharacter.base(), events.end(), [](const Event& e) {
            return e.kind != Kind::keyDown || e.key == Key::tab;
        }));
        EXPECT_TRUE(desktop.heldDown().empty());
    }
}

TEST_F(ReadBackTest, ResumeRedoesTheMismatchedRowAndGoesOn) {
    city().maxLength = 5;
    run(threeRows);
    ASSERT_EQ(runner.state(), RunnerState(Paused{1, 3}));
    city().maxLength.reset(); // the user widens the field and goes back to its start
    form().focused = 0;
    desktop.bringToFront(target);
    runner.resume(item, threeRows, 1);
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Finished{2, 0, 3}));
    EXPECT_EQ(statuses(), (std::vector{RowStatus::verified, RowStatus::mismatch,
                                       RowStatus::verified, RowStatus::verified}));
    ASSERT_EQ(form().submissions.size(), 3u);
    EXPECT_EQ(form().submissions[1], (std::vector<std::string>{"Bernd", "M\u00fcnchen"}));
}

TEST_F(ReadBackTest, ASlowFieldIsGivenTimeBeforeItCountsAsWrong) {
    // The field shows each character only 120 ms after it arrived.
    desktop.afterEachPost = [&] {
        const Event& event = desktop.postedEvents().back();
        if (event.kind != Kind::character || form().focused != 1)
            return;
        clock.runAfter(0ms, [&, character = event.text] {
            city().text.resize(city().text.size() - character.size());
            clock.runAfter(120ms, [&, character] { city().text += character; });
        });
    };
    run(table({{"Anna", "Ulm"}}));
    EXPECT_EQ(statuses(), std::vector{RowStatus::verified});
}

TEST_F(ReadBackTest, TheRunGoesOnWhileAFieldCatchesUpAndChecksItBeforeSending) {
    // Name shows each character 120 ms after it arrived, as a busy application does.
    std::string nameAtTab, nameAtReturn;
    desktop.afterEachPost = [&] {
        const Event& event = desktop.postedEvents().back();
        // Told of each key before it lands.
        if (event.kind == Kind::keyDown && event.key == Key::tab && form().focused == 0)
            nameAtTab = form().fields[0].text + "|";
        if (event.kind == Kind::keyDown && event.key == Key::returnKey)
            nameAtReturn = form().fields[0].text;
        if (event.kind != Kind::character || form().focused != 0)
            return;
        clock.runAfter(0ms, [&, character = event.text] {
            Field& name = form().fields[0];
            name.text.resize(name.text.size() - character.size());
            clock.runAfter(120ms, [&, character] { form().fields[0].text += character; });
        });
    };
    run(table({{"Anna", "Ulm"}}));
    EXPECT_EQ(statuses(), std::vector{RowStatus::verified});
    EXPECT_NE(nameAtTab, "Anna|") << "the Tab did not wait for the field to show the text";
    EXPECT_EQ(nameAtReturn, "Anna") << "the form is sent only once the field showed it";
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].fieldsVerified, 2u);
}

// At no delay the next text starts before the application has taken in the Tab (seen: a GTK
// form, read back as "Field "Name" shows "…", expected <City's text>"): it waits for the focus
// to leave the field typed before, and for no longer.
TEST_F(ReadBackTest, AtNoDelayATextWaitsUntilTheTabBeforeItHasMovedTheFocus) {
    for (Step& step : item.steps)
        step.postDelay = 0;
    form().focusLag = 30ms;
    run(threeRows);
    EXPECT_EQ(statuses(),
              (std::vector{RowStatus::verified, RowStatus::verified, RowStatus::verified}));
    EXPECT_EQ(form().submissions,
              (std::vector<std::vector<std::string>>{
                  {"Anna", "Ulm"}, {"Bernd", "M\u00fcnchen"}, {"Clara", "Berlin"}}));
    const auto tabs = keyDownTimes(Key::tab);
    const auto selectAlls = keyDownTimes(Key::a);
    ASSERT_GE(tabs.size(), 1u);
    ASSERT_GE(selectAlls.size(), 2u);
    EXPECT_LE(selectAlls[1] - tabs[0], 30ms + AutomationEngine::readBackPoll)
        << "City is cleared as soon as the focus has come";
}

TEST_F(ReadBackTest, AWrongEarlierFieldStopsTheRowBeforeItIsSent) {
    form().fields[0].refused = "n";
    run(threeRows);
    EXPECT_EQ(statuses(), std::vector{RowStatus::mismatch});
    EXPECT_EQ(runner.statusMessage(), "Field \"Name\" shows \"Aa\", expected \"Anna\"");
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].field, "Name");
    EXPECT_EQ(outcomes[0].shown, "Aa");
    EXPECT_TRUE(form().submissions.empty());
    EXPECT_EQ(form().fields[1].text, "Ulm") << "the fields after it were typed, not sent";
    EXPECT_TRUE(desktop.heldDown().empty());
}

TEST_F(ReadBackTest, AFieldGoneBeforeItIsReadLeavesTheRowUnverified) {
    desktop.afterEachPost = [&] {
        const Event& event = desktop.postedEvents().back();
        if (event.kind == Kind::keyDown && event.key == Key::tab && form().focused == 0)
            form().fields[0].readable = false; // a page that replaced its first field
    };
    run(table({{"Anna", "Ulm"}}));
    EXPECT_EQ(statuses(), std::vector{RowStatus::entered});
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].fieldsVerified, 1u);
    EXPECT_EQ(outcomes[0].fieldsUnread, 1u);
}

TEST(ReadBackPatience, GrowsWithTheTextUpToALimit) {
    EXPECT_EQ(readBackPatience(""), 300ms);
    EXPECT_EQ(readBackPatience("Ulm"), 315ms);
    EXPECT_EQ(readBackPatience("M\u00fcnchen"), 335ms) << "characters, not bytes";
    EXPECT_EQ(readBackPatience(std::string(153, 'x')), 1065ms);
    EXPECT_EQ(readBackPatience(std::string(5000, 'x')), 3s);
}

TEST_F(ReadBackTest, ALongTextTheFieldShowsLateIsNotAMismatch) {
    // The accessibility view shows the whole 300-character note 1 s after its last character,
    // as Chromium's did at full typing speed; until then it reads empty.
    const std::string note(300, 'n');
    std::string arrived;
    desktop.afterEachPost = [&] {
        const Event& event = desktop.postedEvents().back();
        if (event.kind != Kind::character || form().focused != 1)
            return;
        arrived += event.text;
        city().text.clear();
        if (arrived.size() == note.size())
            clock.runAfter(1s, [&] { city().text = arrived; });
    };
    item.settings.interCharDelay = 0;
    run(table({{"Anna", note}}));
    EXPECT_EQ(statuses(), std::vector{RowStatus::verified});
}

TEST_F(ReadBackTest, WithoutClearingAFieldMustEndWithTheValue) {
    item.settings.clearFieldFirst = false;
    form().fields[0].text = "Frau ";
    run(table({{"Anna", "Ulm"}}));
    EXPECT_EQ(statuses(), std::vector{RowStatus::verified});
    ASSERT_EQ(form().submissions.size(), 1u);
    EXPECT_EQ(form().submissions[0], (std::vector<std::string>{"Frau Anna", "Ulm"}));
    for (const Event& event : desktop.postedEvents())
        EXPECT_FALSE(event.kind == Kind::keyDown &&
                     (event.key == Key::a || event.key == Key::backspace))
            << "a text input without clearing presses neither select-all nor BackSpace";
}

TEST_F(ReadBackTest, SelectAllAndClearStepsStillClearWhenTextInputsDoNot) {
    item.settings.clearFieldFirst = false;
    item.steps.insert(item.steps.begin(), Step::ofType(StepType::selectAllClear));
    form().fields[0].text = "old";
    run(table({{"Anna", "Ulm"}}));
    ASSERT_EQ(form().submissions.size(), 1u);
    EXPECT_EQ(form().submissions[0][0], "Anna");
}

TEST_F(ReadBackTest, SwitchedOffNothingIsReadAndRowsAreEntered) {
    item.settings.verifyTypedText = false;
    city().maxLength = 5;
    run(threeRows);
    EXPECT_EQ(runner.state(), RunnerState(Finished{3, 0, 3}));
    EXPECT_EQ(statuses(),
              (std::vector{RowStatus::entered, RowStatus::entered, RowStatus::entered}));
    EXPECT_EQ(form().submissions[1][1], "M\u00fcnch") << "as the field had it";
}

TEST_F(ReadBackTest, ChosenRowsRunInOrderAndResumeGoesOnWithTheList) {
    const CSVData five = table({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}});
    city().maxLength = 1;
    form().fields[1].refused = "4";
    runner.startRows(item, five, {0, 3, 4});
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Paused{3, 5}));
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(outcomes[1].entry, 4u);
    EXPECT_EQ(outcomes[1].status, RowStatus::mismatch);
    city().refused.clear();
    form().focused = 0;
    desktop.bringToFront(target);
    runner.resume(item, five, 3);
    runToEnd();
    EXPECT_EQ(runner.state(), RunnerState(Finished{2, 0, 5})) << "nothing after the list";
    std::vector<std::string> names;
    for (const auto& submission : form().submissions)
        names.push_back(submission[0]);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "d", "e"}));
}

TEST_F(ReadBackTest, ProgressCountsEndedRowsAndEstimatesTheRest) {
    const CSVData four = table({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
    std::vector<RunProgress> seen;
    runner.rowEnded.connect([&](const RowOutcome&) { seen.push_back(runner.progress()); });
    run(four);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].done, 1u);
    EXPECT_EQ(seen[0].planned, 4u);
    ASSERT_TRUE(seen[0].remaining());
    // Every row takes the same time here: the estimate after one row is three more of it.
    EXPECT_EQ(*seen[0].remaining(), seen[0].elapsed * 3);
    EXPECT_EQ(seen[3].remaining(), Scheduler::Duration{0});
    EXPECT_EQ(RunProgress{}.remaining(), std::nullopt) << "no estimate before a row ended";
}
