// A run whose steps know their fields: it checks the focused element before a step's first key,
// pauses before typing into the wrong field, and waits for the next field instead of the clock,
// up to a longest wait. All in virtual time on the simulated desktop.

#include "SimulatedSession.h"
#include "automation/FieldMatch.h"
#include "automation/RunnerEngine.h"

#include <algorithm>

using namespace keyferry;
using namespace keyferry::testing;
using namespace keyferry::runner_state;

namespace {

using Field = SimulatedDesktop::Field;
using Result = AutomationEngine::FieldArrival::Result;

FieldIdentity text(std::string name) {
    return {"text", std::move(name), "", {}, ""};
}

TEST(FieldMatch, StrictOnWhatIdentifiesAFieldTolerantOfWhatALoadChanges) {
    const FieldIdentity city{"text", "City", "id_city", {"Delivery"}, "0/4/2"};
    struct Case {
        const char* what;
        FieldIdentity focused;
        bool matches;
    };
    const std::vector<Case> cases = {
        {"the same field", city, true},
        {"moved by a field added before it",
         {"text", "City", "id_city", {"Delivery"}, "0/5/2"},
         true},
        {"another name", {"text", "Street", "id_city", {"Delivery"}, "0/4/2"}, false},
        {"another kind", {"combo box", "City", "id_city", {"Delivery"}, "0/4/2"}, false},
        {"another id", {"text", "City", "id_town", {"Delivery"}, "0/4/2"}, false},
        {"its id not told (yet)", {"text", "City", "", {"Delivery"}, "0/4/2"}, true},
        {"the billing address's City", {"text", "City", "id_city", {"Billing"}, "0/4/2"}, false},
        {"outside any group", {"text", "City", "id_city", {}, "0/4/2"}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isRecordedField(city, c.focused), c.matches) << c.what;

    // Without name and id only the place tells unnamed fields apart.
    const FieldIdentity unnamed{"text", "", "", {}, "0/1"};
    EXPECT_TRUE(isRecordedField(unnamed, {"text", "", "", {}, "0/1"}));
    EXPECT_FALSE(isRecordedField(unnamed, {"text", "", "", {}, "0/2"}));
    // Without a name the id is what identifies: both must have it.
    const FieldIdentity byId{"text", "", "id_zip", {}, "0/3"};
    EXPECT_TRUE(isRecordedField(byId, {"text", "", "id_zip", {}, "0/4"}));
    EXPECT_FALSE(isRecordedField(byId, {"text", "", "", {}, "0/3"}));
    EXPECT_FALSE(isRecordedField(byId, {"text", "", "id_city", {}, "0/3"}));
    // Recorded before the browser told the id: the name still identifies it.
    EXPECT_TRUE(isRecordedField(text("City"), {"text", "City", "id_city", {}, "0/4"}));
}

TEST(FieldMatch, MessagesNameTheFieldsAsTheUserSeesThem) {
    EXPECT_EQ(wrongFieldMessage(text("City"), text("Street")),
              "Expected field \"City\", but the focus is on \"Street\"");
    EXPECT_EQ(wrongFieldMessage(text("City"), std::nullopt),
              "Expected field \"City\", but no field has the focus");
    EXPECT_EQ(
        wrongFieldMessage({"text", "", "id_zip", {}, ""}, FieldIdentity{"other", "", "", {}, "3"}),
        "Expected field \"#id_zip\", but the focus is on an unnamed element");
    EXPECT_EQ(fieldDidNotComeMessage(text("Name"), 10), "Field \"Name\" did not come within 10 s");
    EXPECT_EQ(fieldDidNotComeMessage(text("Name"), 2.5),
              "Field \"Name\" did not come within 2.5 s");
}

// A form of Name, City and a Save button, as recorded; each step knows its field.
class FieldAwareRunTest : public SimulatedSession {
protected:
    FieldAwareRunTest() {
        Field save = Field::named("Save", ElementRole::other);
        save.acceptsText = false;
        form().fields = {Field::named("Name"), Field::named("City"), save};
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 0;
        item.settings.waitForNextField = true;
        item.steps = {input("Name"), input("City"), submit()};
        runner.rowEnded.connect([this](const RowOutcome& outcome) { outcomes.push_back(outcome); });
    }
    static Step input(std::string label) {
        Step step = Step::ofType(StepType::textInput);
        step.label = label;
        step.postDelay = 0.3;
        step.field = text(label);
        return step;
    }
    static Step submit() {
        Step step = Step::ofType(StepType::returnKey);
        step.postDelay = 0.3;
        step.field = FieldIdentity{"other", "Save", "", {}, ""};
        return step;
    }
    /// Runs until the run has ended; the form's own timers may still be pending then.
    void run(std::size_t rows) {
        std::vector<std::vector<std::string>> cells;
        for (std::size_t i = 1; i <= rows; ++i)
            cells.push_back({"name" + std::to_string(i), "city" + std::to_string(i)});
        run(std::move(cells));
    }
    void run(std::vector<std::vector<std::string>> cells) {
        runner.start(item, CSVData({"Name", "City"}, std::move(cells)), 0, std::nullopt);
        clock.runUntil([&] { return clock.now() > 0s && !runner.isRunning(); });
    }
    /// A web application that refuses a form whose field `index` shows `text`, with `error`.
    void refuse(std::size_t index, std::string text, std::string error) {
        form().check = [=](const std::vector<std::string>& values) {
            return values.at(index) == text ? std::vector<std::string>{error}
                                            : std::vector<std::string>{};
        };
    }
    std::size_t charactersTyped() const {
        return std::ranges::count(desktop.postedEvents(), Kind::character, &Event::kind);
    }

    RunnerEngine runner{desktop, clock};
    Template item;
    std::vector<RowOutcome> outcomes;
};

TEST_F(FieldAwareRunTest, AFieldAddedAfterRecordingPausesTheFirstRowBeforeItsValueIsTyped) {
    // The form gained a Region field between Name and City since the recording.
    form().fields.insert(form().fields.begin() + 1, Field::named("Region"));
    run(3);
    EXPECT_EQ(runner.state(), RunnerState(Paused{0, 3}));
    EXPECT_EQ(runner.statusMessage(), "Expected field \"City\", but the focus is on \"Region\"");
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].status, RowStatus::wrongField);
    EXPECT_EQ(outcomes[0].field, "City");
    EXPECT_EQ(form().fields[1].text, "") << "nothing typed into the field that took City's place";
    EXPECT_TRUE(form().submissions.empty()) << "nothing sent with values in wrong columns";
    EXPECT_TRUE(desktop.heldDown().empty());
}

TEST_F(FieldAwareRunTest, TheFirstStepChecksTheFieldTheUserLeftTheFocusOn) {
    form().focused = 1; // the user left the focus on City
    run(1);
    EXPECT_EQ(runner.statusMessage(), "Expected field \"Name\", but the focus is on \"City\"");
    EXPECT_EQ(charactersTyped(), 0u);
    EXPECT_TRUE(keyDownTimes(Key::a).empty()) << "not even the select-all went out";
}

TEST_F(FieldAwareRunTest, WaitsForASlowFocusInsteadOfTheClockAndGoesOnTheMomentItComes) {
    form().focusLag = 400ms; // the application moves the focus 400 ms after a Tab
    run(1);
    ASSERT_EQ(form().submissions, (std::vector<std::vector<std::string>>{{"name1", "city1", ""}}));
    const auto tabs = keyDownTimes(Key::tab);
    const auto selectAlls = keyDownTimes(Key::a);
    ASSERT_EQ(tabs.size(), 2u);
    ASSERT_EQ(selectAlls.size(), 2u);
    // The focus moves 400 ms after the Tab is pressed; the wait, looking every 10 ms from the
    // release, sees it then.
    EXPECT_EQ(selectAlls[1] - tabs[0], 400ms) << "no post-delay on top of the wait";
    EXPECT_EQ(outcomes.at(0).status, RowStatus::verified);
}

// The characters of the row's later fields are readied right after a field's Tab, while the
// application moves its focus: a desktop that must rebind keys for them (X11) has done so, and
// its clients have taken the change in, by the time the next field comes.
TEST_F(FieldAwareRunTest, TheNextFieldsCharactersAreReadiedWhileTheFocusMovesThere) {
    form().focusLag = 400ms;
    run(1);
    ASSERT_EQ(form().submissions.size(), 1u);
    const auto tabs = keyDownTimes(Key::tab);
    ASSERT_FALSE(tabs.empty());
    const auto& preparations = desktop.preparations();
    const auto city =
        std::ranges::find(preparations, std::string("city1"), &SimulatedDesktop::Preparation::text);
    ASSERT_NE(city, preparations.end());
    EXPECT_LT(std::chrono::duration_cast<Ms>(city->time) - tabs[0], 100ms)
        << "at the Tab, not once the field has come 400 ms later";
}

TEST_F(FieldAwareRunTest, WithClockWaitsASlowFocusMakesTheRunPauseAtTheWrongField) {
    // A template from before waiting existed: its delay (0.3 s) is shorter than the focus lag.
    item.settings.waitForNextField = false;
    form().focusLag = 400ms;
    run(1);
    EXPECT_EQ(runner.statusMessage(), "Expected field \"City\", but the focus is on \"Name\"");
    EXPECT_EQ(outcomes.at(0).status, RowStatus::wrongField);
    EXPECT_EQ(form().fields[0].text, "name1") << "Name was not typed over";
}

TEST_F(FieldAwareRunTest, AfterSavingTheNextRowWaitsForThePageToLoadAndNoLonger) {
    form().reloadTime = 1200ms; // Return sends the form; the page comes back 1.2 s later
    run(3);
    EXPECT_EQ(form().submissions,
              (std::vector<std::vector<std::string>>{
                  {"name1", "city1", ""}, {"name2", "city2", ""}, {"name3", "city3", ""}}));
    const auto returns = keyDownTimes(Key::returnKey);
    const auto selectAlls = keyDownTimes(Key::a);
    ASSERT_EQ(returns.size(), 3u);
    ASSERT_EQ(selectAlls.size(), 6u);
    EXPECT_EQ(selectAlls[2] - returns[0], 1200ms);
    EXPECT_EQ(selectAlls[4] - returns[1], 1200ms);
    EXPECT_EQ(runner.state(), RunnerState(Finished{3, 0, 3}));
}

// A browser was seen to drop the first keys typed into a page it had just loaded, though its
// first field had the focus. The row's first character goes alone, again while the field stays
// empty, and the rest once it shows; the row is sent only once every field shows its text.
TEST_F(FieldAwareRunTest, FirstKeysLostOnAFreshPageAreTypedAgainBeforeTheRowIsSent) {
    form().reloadTime = 500ms;
    form().charactersLostAfterLoad = 2;
    run(3);
    EXPECT_EQ(form().submissions,
              (std::vector<std::vector<std::string>>{
                  {"name1", "city1", ""}, {"name2", "city2", ""}, {"name3", "city3", ""}}));
    EXPECT_EQ(runner.state(), RunnerState(Finished{3, 0, 3}));
    ASSERT_EQ(outcomes.size(), 3u);
    for (const RowOutcome& outcome : outcomes)
        EXPECT_EQ(outcome.status, RowStatus::verified);
    EXPECT_EQ(charactersTyped(), 30u + 2 * 2) << "\"n\" three times in rows 2 and 3";
    EXPECT_EQ(keyDownTimes(Key::a).size(), 6u) << "no field cleared twice";
}

// More keys lost than the first character's tries: the field shows the end of the text, is
// read back at once, cleared and typed again.
TEST_F(FieldAwareRunTest, MoreFirstKeysLostThanTriesAreClearedAndTypedAgain) {
    form().reloadTime = 500ms;
    form().charactersLostAfterLoad = 5; // "n" three times, then "am"
    run(3);
    EXPECT_EQ(form().submissions,
              (std::vector<std::vector<std::string>>{
                  {"name1", "city1", ""}, {"name2", "city2", ""}, {"name3", "city3", ""}}));
    EXPECT_EQ(runner.state(), RunnerState(Finished{3, 0, 3}));
    EXPECT_EQ(charactersTyped(), 30u + 2 * 7) << "\"nnnname2\", then \"name2\" again";
    EXPECT_EQ(keyDownTimes(Key::a).size(), 8u) << "a second select-all in rows 2 and 3";
}

// Readying the next row's keys before the form is sent lets an application that may lose the
// first keys typed into the page that follows (Firefox, on X11) lose them: the desktop does so
// for it only when the run reads that page's first field back and can type it again.
TEST_F(FieldAwareRunTest, TheNextRowIsSaidToBeReadBackOnlyWhenItsFirstFieldIsReadBackAtOnce) {
    struct Case {
        const char* what;
        bool readBack;
        bool clearing;
        bool waiting;
        bool firstKeysReadBack;
    };
    const std::vector<Case> cases = {
        {"read back, cleared, waited for", true, true, true, true},
        {"not read back", false, true, true, false},
        {"not cleared: not typed again", true, false, true, false},
        {"clock waits: no page waited for", true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desktop.clearPreparations();
        item.settings.verifyTypedText = c.readBack;
        item.settings.clearFieldFirst = c.clearing;
        item.settings.waitForNextField = c.waiting;
        form().submissions.clear();
        form().focused = 0;
        run(2);
        ASSERT_EQ(form().submissions.size(), 2u) << runner.statusMessage();
        const auto& preparations = desktop.preparations();
        const auto early =
            std::ranges::find(preparations, true, &SimulatedDesktop::Preparation::early);
        ASSERT_NE(early, preparations.end());
        EXPECT_EQ(early->text, "name2city2");
        EXPECT_EQ(early->firstKeysReadBack, c.firstKeysReadBack);
    }
}

// Where the template does not clear its fields, the field may hold text of its own: the first
// character is typed again only while the field shows nothing at all, and a field that shows
// the text's end is not cleared to type again: the row pauses before it is sent.
TEST_F(FieldAwareRunTest, FirstKeysLostWithoutClearingAreTypedAgainOnlyIntoAnEmptyField) {
    item.settings.clearFieldFirst = false;
    form().reloadTime = 500ms;
    form().charactersLostAfterLoad = 2;
    run(3);
    EXPECT_EQ(form().submissions,
              (std::vector<std::vector<std::string>>{
                  {"name1", "city1", ""}, {"name2", "city2", ""}, {"name3", "city3", ""}}));
    EXPECT_EQ(runner.state(), RunnerState(Finished{3, 0, 3}));
}

TEST_F(FieldAwareRunTest, FirstKeysLostBeyondTheTriesWithoutClearingPauseTheRowUnsent) {
    item.settings.clearFieldFirst = false;
    form().reloadTime = 500ms;
    form().charactersLostAfterLoad = 5;
    run(3);
    EXPECT_EQ(form().submissions, (std::vector<std::vector<std::string>>{{"name1", "city1", ""}}));
    EXPECT_EQ(runner.state(), RunnerState(Paused{1, 3}));
    EXPECT_EQ(runner.statusMessage(), "Field \"Name\" shows \"e2\", expected \"name2\"");
    EXPECT_TRUE(desktop.heldDown().empty());
}

// A loaded page focuses its document first and its first field a moment later: that is no
// wrong field. A page that leaves the focus on the document is, once the focus rests there.
TEST_F(FieldAwareRunTest, TheDocumentFocusedBeforeTheFirstFieldIsNoWrongField) {
    form().reloadTime = 500ms;
    form().documentFirst = 200ms;
    run(2);
    EXPECT_EQ(runner.state(), RunnerState(Finished{2, 0, 2})) << runner.statusMessage();
    const auto returns = keyDownTimes(Key::returnKey);
    const auto selectAlls = keyDownTimes(Key::a);
    ASSERT_EQ(returns.size(), 2u);
    ASSERT_EQ(selectAlls.size(), 4u);
    EXPECT_EQ(selectAlls[2] - returns[0], 700ms);
}

TEST_F(FieldAwareRunTest, APageThatLeavesTheFocusOnItsDocumentPausesOnceTheFocusRests) {
    form().reloadTime = 500ms;
    form().documentFirst = 60s; // no field is ever focused
    run(2);
    EXPECT_EQ(runner.statusMessage(),
              "Expected field \"Name\", but the focus is on an unnamed element");
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(outcomes[1].status, RowStatus::wrongField);
    const auto lastReturn = keyDownTimes(Key::returnKey).back();
    EXPECT_EQ(now() - lastReturn, 500ms + AutomationEngine::focusRest)
        << "the load, then the focus resting on the document";
    EXPECT_EQ(charactersTyped(), 10u) << "row 1 only: nothing typed into the document";
}

TEST_F(FieldAwareRunTest, AFieldThatNeverComesPausesAfterTheLongestWait) {
    form().reloadTime = 60s;
    item.settings.longestFieldWait = 10;
    run(2);
    EXPECT_EQ(runner.state(), RunnerState(Paused{1, 2}));
    EXPECT_EQ(runner.statusMessage(), "Field \"Name\" did not come within 10 s");
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(outcomes[1].status, RowStatus::paused);
    EXPECT_EQ(outcomes[1].field, "Name");
    const auto returns = keyDownTimes(Key::returnKey);
    ASSERT_EQ(returns.size(), 1u);
    EXPECT_GE(now() - returns[0], 10s);
    EXPECT_LT(now() - returns[0], 10s + 100ms);
    EXPECT_EQ(charactersTyped(), 10u) << "only row 1's characters";
}

TEST_F(FieldAwareRunTest, StopEndsTheWaitAtOnce) {
    form().reloadTime = 60s;
    runner.start(item, CSVData({"Name", "City"}, {{"a", "b"}, {"c", "d"}}), 0, std::nullopt);
    clock.runUntil([&] { return keyDownTimes(Key::returnKey).size() == 1; });
    clock.advance(2s);
    runner.stop();
    clock.runUntil([&] { return !runner.isRunning(); });
    EXPECT_LT(now(), 3s);
    // Stopped while row 1 was being confirmed: every key of it landed; row 2 was not begun.
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].status, RowStatus::verified);
    EXPECT_EQ(runner.state(), RunnerState(Finished{1, 0, 1})) << "resumed from row 2";
    EXPECT_TRUE(desktop.heldDown().empty());
}

TEST_F(FieldAwareRunTest, StepsWithoutARecordedFieldKeepTheirDelays) {
    for (Step& step : item.steps)
        step.field.reset();
    run(2);
    EXPECT_EQ(form().submissions.size(), 2u);
    const auto returns = keyDownTimes(Key::returnKey);
    const auto selectAlls = keyDownTimes(Key::a);
    ASSERT_EQ(selectAlls.size(), 4u);
    // Return's press and release (20 ms), then its 0.3 s delay, then the next row.
    EXPECT_EQ(selectAlls[2] - returns[0], 320ms);
}

} // namespace

namespace {

TEST_F(FieldAwareRunTest, TheNextRowWaitsForTheFormOpenedAfterTheLastOneClosed) {
    // As a form started again for each row: Return closes the window, and 0.8 s later a new
    // one of the same application opens; in between no window has the focus.
    desktop.onKey(target, [this](Key key, Modifiers) {
        if (key != Key::returnKey)
            return;
        if (const auto window = desktop.focusedWindowID())
            desktop.closeWindow(*window);
        clock.runAfter(800ms, [this] { desktop.openWindow(target, {100, 100, 400, 300}); });
    });
    run(3);
    EXPECT_EQ(runner.state(), RunnerState(Finished{3, 0, 3})) << runner.statusMessage();
    EXPECT_EQ(form().submissions.size(), 3u);
    const auto returns = keyDownTimes(Key::returnKey);
    const auto selectAlls = keyDownTimes(Key::a);
    ASSERT_EQ(returns.size(), 3u);
    ASSERT_EQ(selectAlls.size(), 6u);
    EXPECT_EQ(selectAlls[2] - returns[0], 800ms) << "as soon as the new form has its field";
}

} // namespace

// A server that refuses a row sends the form back with its values and its errors: every key
// landed, every field read back, and still nothing was saved. The row is refused in the
// application's own words, and the run pauses on it before a key of the next row goes out, so
// that resuming types it again.
TEST_F(FieldAwareRunTest, ARowTheApplicationSendsBackIsRefusedAndNothingOfTheNextRowIsTyped) {
    struct Case {
        const char* what;
        std::vector<std::vector<std::string>> cells;
        std::size_t refusedRow;
    };
    const std::vector<Case> cases = {
        {"its first value shown again",
         {{"name1", "city1"}, {"bad", "city2"}, {"name3", "city3"}},
         1},
        {"its first value empty: the page's error tells",
         {{"name1", "city1"}, {"name2", "bad"}, {"name3", "city3"}},
         1},
        {"the last row", {{"name1", "city1"}, {"name2", "city2"}, {"bad", "city3"}}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        outcomes.clear();
        form().submissions.clear();
        form().announced.clear();
        for (Field& field : form().fields)
            field.text.clear();
        form().focused = 0;
        form().reloadTime = 800ms;
        auto cells = c.cells;
        const bool firstTells = cells[c.refusedRow][0] == "bad";
        refuse(firstTells ? 0 : 1, "bad", "Enter a valid value.");
        if (!firstTells)
            cells[c.refusedRow][0].clear(); // nothing in the first field to tell by
        const std::size_t typedBefore = charactersTyped();
        run(cells);

        ASSERT_EQ(outcomes.size(), c.refusedRow + 1) << runner.statusMessage();
        for (std::size_t i = 0; i < c.refusedRow; ++i)
            EXPECT_EQ(outcomes[i].status, RowStatus::verified);
        const RowOutcome& refused = outcomes.back();
        EXPECT_EQ(refused.status, RowStatus::refused);
        const std::string said =
            "Entry " + std::to_string(c.refusedRow + 1) + " refused: \"Enter a valid value.\"";
        EXPECT_EQ(refused.message, said);
        EXPECT_EQ(runner.statusMessage(), said);
        EXPECT_EQ(runner.state(), RunnerState(Paused{c.refusedRow, 3})) << "resumed, it goes again";
        EXPECT_EQ(form().submissions.size(), c.refusedRow + 1) << "nothing sent after it";
        std::size_t rowsCharacters = 0;
        for (std::size_t i = 0; i <= c.refusedRow; ++i)
            rowsCharacters += cells[i][0].size() + cells[i][1].size();
        EXPECT_EQ(charactersTyped() - typedBefore, rowsCharacters)
            << "not a key of the row after it";
        EXPECT_TRUE(desktop.heldDown().empty());
    }
}

// The form that follows shows none of the row's values: the row was taken, and the next one
// starts as soon as its first field has come, without a second wait.
TEST_F(FieldAwareRunTest, AFreshFormConfirmsTheRowAtOnce) {
    form().reloadTime = 800ms;
    refuse(0, "never sent", "Enter a valid value.");
    run(3);
    EXPECT_EQ(runner.state(), RunnerState(Finished{3, 0, 3})) << runner.statusMessage();
    ASSERT_EQ(outcomes.size(), 3u);
    for (const RowOutcome& outcome : outcomes)
        EXPECT_EQ(outcome.status, RowStatus::verified);
    const auto returns = keyDownTimes(Key::returnKey);
    const auto selectAlls = keyDownTimes(Key::a);
    ASSERT_EQ(returns.size(), 3u);
    ASSERT_EQ(selectAlls.size(), 6u);
    EXPECT_EQ(selectAlls[2] - returns[0], 800ms);
    EXPECT_EQ(now() - returns[2], 800ms) << "the last row is confirmed by the form after it too";
}

// Where no form follows the last row (the application shows another page), nothing says the
// row was refused: it keeps its status, after the longest wait.
TEST_F(FieldAwareRunTest, TheLastRowWithoutAFormAfterItKeepsItsStatus) {
    form().reloadTime = 60s;
    item.settings.longestFieldWait = 5;
    run(1);
    EXPECT_EQ(runner.state(), RunnerState(Finished{1, 0, 1})) << runner.statusMessage();
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].status, RowStatus::verified);
}
