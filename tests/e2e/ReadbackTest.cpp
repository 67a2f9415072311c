#include "ReadbackFixtures.h"

#include <cstdio>

using namespace keyferry;
using namespace keyferry::testing;

// Knowing what landed: every typed field is read back and compared, a field that shows
// something else pauses the run and is journalled with both texts, a retry types only the
// rows that did not land, a key press or click of the user pauses the run, and a sheet
// filled without clearing its cells first holds every value exactly.

namespace {

std::string describeRows(const std::vector<Row>& rows) {
    std::string text;
    for (const Row& row : rows) {
        text += "\n  ";
        for (const auto& field : row)
            text += "[" + escaped(field) + "]";
    }
    return text.empty() ? " (none)" : text;
}

/// The GTK form filled as a user records it: three fields, then Return on Submit.
Template gtkFormTemplate(double interCharDelay = 0) {
    Template item;
    item.name = "GTK form";
    item.targetAppBundleID = "KeyferryGtkForm";
    item.settings.countdownSeconds = 1;
    item.settings.interCharDelay = interCharDelay;
    item.steps = {
        makeStep(StepType::textInput, "Name", 0.1), makeStep(StepType::textInput, "City", 0.1),
        makeStep(StepType::textInput, "Code", 0.1), makeStep(StepType::returnKey, "", 0.5)};
    return item;
}

std::string status(const JournalFile& journal, std::size_t entry) {
    const auto* row = journal.lastFor(entry);
    return row ? row->value("status", std::string("(no status)")) : "(no line)";
}

std::string field(const nlohmann::json* row, const char* key) {
    return row && row->contains(key) && row->at(key).is_string() ? row->at(key).get<std::string>()
                                                                 : "(missing)";
}

class ReadbackTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.connected());
        ASSERT_TRUE(x.windowManagerResponds()) << "the window manager is still busy";
        x.parkPointer();
    }

    /// The form, shown, with its window managed; nullptr (and a failure) when it does not
    /// come up.
    std::unique_ptr<GtkForm> startForm(const std::string& name, int codeMax) {
        std::filesystem::create_directories(temp.path() / name);
        auto form = std::make_unique<GtkForm>(temp.path() / name, codeMax);
        if (!form->waitUntilReady()) {
            ADD_FAILURE() << "the GTK form did not show";
            return nullptr;
        }
        if (!x.waitForWindowOf(form->process())) {
            ADD_FAILURE() << "no window of the GTK form: " << x.describe();
            return nullptr;
        }
        return form;
    }

    TemporaryFolder temp;
    XSession x;
};

} // namespace

// A Code longer than the field takes: the field shows the first five characters, so the
// run pauses before submitting, naming the field and both texts, and the journal keeps
// them. Once the form takes longer codes, a retry from that journal types that one row
// and nothing else.
TEST_F(ReadbackTest, MismatchPausesTheRunAndRetryTypesOnlyThatRow) {
    const std::vector<Row> rows = {{"J\u00FCrgen Wei\u00DF", "M\u00FCnchen", "12345"},
                                   {"Zo\u00EB No\u00EBl", "K\u00F6ln", "A1"},
                                   {"Ann Lee", "Bonn", "1234567"}};
    auto form = startForm("form-short", 5);
    ASSERT_TRUE(form);
    JournaledRun run(temp.path() / "run", gtkFormTemplate(), csvOf({"Name", "City", "Code"}, rows));

    EXPECT_EQ(run.run(), 1) << run.output();
    EXPECT_NE(run.output().find("Field \"Code\" shows \"12345\", expected \"1234567\""),
              std::string::npos)
        << run.output();
    const std::vector<Row> submitted = form->rows();
    EXPECT_EQ(submitted, std::vector<Row>(rows.begin(), rows.begin() + 2))
        << "submitted:" << describeRows(submitted);

    const auto journalPath = run.lastJournal();
    ASSERT_TRUE(journalPath) << "one new journal in " << run.journalFolder();
    const JournalFile journal = readJournal(*journalPath);
    EXPECT_EQ(journal.badLines, 0u);
    EXPECT_EQ(status(journal, 1), "verified") << journal.describe();
    EXPECT_EQ(status(journal, 2), "verified") << journal.describe();
    const auto* mismatch = journal.lastFor(3);
    EXPECT_EQ(status(journal, 3), "mismatch") << journal.describe();
    EXPECT_EQ(field(mismatch, "field"), "Code");
    EXPECT_EQ(field(mismatch, "expected"), "1234567");
    EXPECT_EQ(field(mismatch, "shown"), "12345");

    // The same CSV file (a retry is bound to it by its hash) into a form that now takes
    // ten characters.
    form.reset();
    auto wider = startForm("form-wide", 10);
    ASSERT_TRUE(wider);
    EXPECT_EQ(run.run({"--retry", journalPath->string()}), 0) << run.output();
    EXPECT_NE(run.output().find("Done. Entries entered: 1 (1 verified)."), std::string::npos)
        << run.output();
    spinUntil([&] { return !wider->rows().empty(); }, std::chrono::seconds(2));
    const std::vector<Row> retried = wider->rows();
    EXPECT_EQ(retried, std::vector<Row>{rows[2]}) << "submitted:" << describeRows(retried);

    const auto retryPath = run.lastJournal();
    ASSERT_TRUE(retryPath) << "one new journal for the retry in " << run.journalFolder();
    const JournalFile retryJournal = readJournal(*retryPath);
    EXPECT_EQ(retryJournal.rows.size(), 1u) << retryJournal.describe();
    EXPECT_EQ(status(retryJournal, 3), "verified") << retryJournal.describe();
}

// yad's entries, named through their labels, read back what was typed: letters outside
// ASCII, characters typed through borrowed keycodes, emoji with a modifier, combining marks
// (equal once both sides are normalised). Every row is journalled as verified and the last
// line counts them.
TEST_F(ReadbackTest, RowsThatReadBackAreVerifiedAndCounted) {
    const std::vector<Row> rows = {
        {"J\u00FCrgen Wei\u00DF", "K\u00F6ln"},
        {"Zo\u00EB \u20AC \u674E", "\u6771\u4EAC \U0001F44D\U0001F3FD"},
        {"e\u0301 n\u0303 A\u030A", "Stra\u00DFe \u00DCnal"},
    };
    Template item;
    item.name = "yad form";
    item.targetAppBundleID = "Yad";
    item.settings.countdownSeconds = 1;
    item.settings.interCharDelay = 0;
    item.steps = {makeStep(StepType::textInput, "Name", 0.1),
                  makeStep(StepType::textInput, "City", 0.1),
                  makeStep(StepType::returnKey, "", 1.5)};
    JournaledRun run(temp.path() / "run", item, csvOf({"Name", "City"}, rows));

    const auto printed = temp.path() / "dialogs.txt";
    // One dialog per row, with only an OK button: Tab from the last field lands on it.
    Process dialogs({"sh", "-c",
                     "for i in 1 2 3; do yad --form --field=Name --field=City --button=OK:0 >> " +
                         shellQuote(printed.string()) + "; done"});
    ASSERT_TRUE(spinUntil([&] {
        for (const XWindow window : x.clients())
            if (x.windowClass(window) == "Yad")
                return true;
        return false;
    })) << x.describe();

    EXPECT_EQ(run.run(), 0) << run.output();
    EXPECT_NE(run.output().find("Done. Entries entered: 3 (3 verified). Resume from entry 4."),
              std::string::npos)
        << run.output();
    dialogs.wait(std::chrono::seconds(10));
    std::string expected;
    for (const Row& row : rows)
        expected += row[0] + "|" + row[1] + "|\n";
    EXPECT_EQ(escaped(readText(printed)), escaped(expected));

    const auto journalPath = run.lastJournal();
    ASSERT_TRUE(journalPath) << "one new journal in " << run.journalFolder();
    const JournalFile journal = readJournal(*journalPath);
    EXPECT_EQ(journal.badLines, 0u);
    for (std::size_t entry = 1; entry <= rows.size(); ++entry)
        EXPECT_EQ(status(journal, entry), "verified") << "entry " << entry << "\n"
                                                      << journal.describe();
}

enum class UserInput { keyPress, click };

class UserInputTest : public ReadbackTest, public ::testing::WithParamInterface<UserInput> {};

// The user presses a key, or clicks into the field, while a long value is typed slowly: the
// run pauses before its next character. The field holds what was typed until then, and at
// most the user's key after it.
TEST_P(UserInputTest, PausesTheRunBeforeItsNextCharacter) {
    // No "x" in it: the user's key must be told apart from the run's.
    const std::string value = repeatedTo("abcdefghij", 80);
    auto form = startForm("form", 5);
    ASSERT_TRUE(form);
    JournaledRun run(temp.path() / "run", gtkFormTemplate(0.05),
                     csvOf({"Name", "City", "Code"}, {{value, "Bonn", "1"}}));

    run.start();
    std::optional<Row> before;
    ASSERT_TRUE(spinUntil(
        [&] {
            before = form->values();
            return before && (*before)[0].size() >= 5;
        },
        std::chrono::seconds(30)))
        << run.output();
    if (GetParam() == UserInput::keyPress) {
        shell("xdotool key x");
    } else {
        // Into the very field being typed: had the run gone on, its characters would land
        // wherever the click put the cursor.
        const auto [nameX, nameY] = form->centreOf("Name");
        shell("xdotool mousemove " + std::to_string(nameX) + " " + std::to_string(nameY) +
              " click 1");
    }
    EXPECT_EQ(run.wait(std::chrono::seconds(60)), 1) << run.output();
    EXPECT_NE(run.output().find("Paused: keyboard or mouse used"), std::string::npos)
        << run.output();

    settle(std::chrono::milliseconds(300)); // anything still on its way lands
    const auto after = form->values();
    ASSERT_TRUE(after);
    std::string typed = (*after)[0];
    if (GetParam() == UserInput::keyPress && typed.ends_with("x"))
        typed.pop_back();
    EXPECT_TRUE(value.starts_with(typed) && typed.size() < value.size())
        << "Name holds [" << escaped((*after)[0]) << "] (" << (*after)[0].size() << " of "
        << value.size() << " characters), " << (*before)[0].size()
        << " were there before the user's input";
    EXPECT_EQ((*after)[1], "") << "the run went on to City";
    EXPECT_TRUE(form->rows().empty());

    const auto journalPath = run.lastJournal();
    ASSERT_TRUE(journalPath) << "one new journal in " << run.journalFolder();
    const JournalFile journal = readJournal(*journalPath);
    EXPECT_EQ(status(journal, 1), "paused") << journal.describe();
}

INSTANTIATE_TEST_SUITE_P(ByTheUser, UserInputTest,
                         ::testing::Values(UserInput::keyPress, UserInput::click),
                         [](const auto& info) {
                             return info.param == UserInput::keyPress ? "KeyPress" : "Click";
                         });

// Input the run expects: a key pressed during the countdown (the user is still at the form,
// and the run clears the field before typing), and the click a "Wait (Click)" step waits for.
// The run goes on, row after row, and nothing pauses.
TEST_F(ReadbackTest, AKeyDuringTheCountdownAndTheAwaitedClickDoNotPauseTheRun) {
    const std::vector<Row> rows = {{"Ann", "Bonn", "123"}, {"B\u00E9a", "Graz", "456"}};
    auto form = startForm("form", 5);
    ASSERT_TRUE(form);
    Template item = gtkFormTemplate();
    item.settings.countdownSeconds = 3;
    item.steps.insert(item.steps.begin() + 1, makeStep(StepType::wait, "", 0.1));
    JournaledRun run(temp.path() / "run", item, csvOf({"Name", "City", "Code"}, rows));

    const auto [cityX, cityY] = form->centreOf("City");
    run.start();
    ASSERT_TRUE(run.waitForOutput("Starting in 2...", std::chrono::seconds(20))) << run.output();
    shell("xdotool key x");
    for (std::size_t entry = 1; entry <= rows.size(); ++entry) {
        ASSERT_TRUE(run.waitForOutput("Entry " + std::to_string(entry) +
                                          ": waiting for your click in the target.",
                                      std::chrono::seconds(30)))
            << run.output();
        // Into City, where the focus already is after Name's Tab.
        shell("xdotool mousemove " + std::to_string(cityX) + " " + std::to_string(cityY) +
              " click 1");
    }
    EXPECT_EQ(run.wait(std::chrono::seconds(60)), 0) << run.output();
    EXPECT_EQ(run.output().find("Paused"), std::string::npos) << run.output();
    spinUntil([&] { return form->rows().size() >= rows.size(); }, std::chrono::seconds(2));
    EXPECT_EQ(form->rows(), rows) << "submitted:" << describeRows(form->rows());
}

// A spreadsheet: text inputs that do not clear the cell first (select-all would take the
// whole sheet), Tab to the next column, Return to the first column of the next row. Twenty
// rows of letters with diacritics, other scripts and symbols fill twenty rows of the sheet,
// each cell exactly as typed.
TEST_F(ReadbackTest, CalcCellsHoldEveryValueTypedWithoutClearingFirst) {
    const std::vector<Row> rows = {
        {"J\u00FCrgen Wei\u00DF", "M\u00FCnchen", "Stra\u00DFe"},
        {"Zo\u00EB No\u00EBl", "Cr\u00E8me br\u00FBl\u00E9e", "na\u00EFve caf\u00E9"},
        {"\u00C6r\u00F8", "\u00C5lesund", "Sm\u00F8rrebr\u00F8d"},
        {"plain ascii", "hello world", "lower case start"},
        {"S\u00E3o Paulo", "Ni\u00F1o", "A\u00E7a\u00ED"},
        {"\u00DCnal \u00C7elik", "\u0130stanbul", "\u0141\u00F3d\u017A"},
        {"a{b}c", "x|y|z", "~tilde~"},
        {"user@example.com", "Tom & Jerry", "#hash"},
        {"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC", "\u041F\u0440\u0438\u0432\u0435\u0442",
         "Dvo\u0159\u00E1k"},
        {"Key ferry", "it's fine", "\"double\""},
        {"\u00C4\u00D6\u00DC \u00E4\u00F6\u00FC \u00DF", "\u00C9\u00C8\u00CA \u00E9\u00E8\u00EA",
         "\u00C7\u00D1 \u00E7\u00F1"},
        {"\u00D8rsted", "\u0160ibenik", "\u011E \u011F \u015E \u015F"},
        {"semi;colon", "under_score", "slash/back\\"},
        {"Mixed Case TEXT", "TWo CApitals", "iPhone"},
        {"1st place", "(c) sign", "a -- b"},
        {"\u20AC sign", "\u00A3 pound", "\u00A5 yen"},
        {"<angle>", "[square]", "(round)"},
        {"\u00C7a va", "O\u00F9 est", "L\u00E0-bas"},
        {"\u00DCn\u00EFc\u00F6d\u00E9", "\u00F1 \u00E3 \u00F5", "\u00F8 \u00E5 \u00E6"},
        {"Last row", "Ende", "Fin"},
    };
    CalcSheet calc(temp.path() / "calc");
    ASSERT_TRUE(calc.waitUntilReady()) << calc.log();
    ASSERT_TRUE(spinUntil(
        [&] {
            for (const XWindow window : x.clients())
                if (x.windowClass(window) == "libreoffice-calc")
                    return true;
            return false;
        },
        std::chrono::seconds(30)))
        << x.describe();

    Template item;
    item.name = "Sheet";
    item.targetAppBundleID = "libreoffice-calc";
    item.settings.countdownSeconds = 1;
    item.settings.interCharDelay = 0;
    item.settings.clearFieldFirst = false;
    item.steps = {makeStep(StepType::textInput, "A", 0.1), makeStep(StepType::textInput, "B", 0.1),
                  makeStep(StepType::textInput, "C", 0.1), makeStep(StepType::returnKey, "", 0.3)};
    JournaledRun run(temp.path() / "run", item, csvOf({"A", "B", "C"}, rows));

    const int exitCode = run.run({}, std::chrono::seconds(240));
    std::string error;
    const auto cells = calc.cells(&error);
    ASSERT_TRUE(cells) << error;
    std::size_t exact = 0;
    std::string wrong;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row shown = i < cells->size() ? (*cells)[i] : Row{};
        if (shown == rows[i])
            ++exact;
        else
            wrong += "\n  row " + std::to_string(i + 1) + " wanted" + describeRows({rows[i]}) +
                     "\n         shows " + describeRows({shown});
    }
    std::printf("[ calc ] %zu of %zu rows exact, %zu rows used, exit %d\n", exact, rows.size(),
                cells->size(), exitCode);
    EXPECT_EQ(exact, rows.size()) << wrong;
    EXPECT_EQ(cells->size(), rows.size()) << "rows used in the sheet:" << describeRows(*cells);
    EXPECT_EQ(exitCode, 0) << run.output();
    EXPECT_NE(run.output().find("Done. Entries entered: 20"), std::string::npos) << run.output();
    const auto journalPath = run.lastJournal();
    ASSERT_TRUE(journalPath) << "one new journal in " << run.journalFolder();
    const JournalFile journal = readJournal(*journalPath);
    // Whether a cell being edited can be read back depends on what Calc shows assistive
    // technologies; either way every row must have landed.
    std::size_t verified = 0;
    for (std::size_t entry = 1; entry <= rows.size(); ++entry) {
        const std::string got = status(journal, entry);
        verified += got == "verified";
        EXPECT_TRUE(got == "entered" || got == "verified")
            << "entry " << entry << ": " << journal.describe();
    }
    std::printf("[ calc ] %zu of %zu rows verified by reading them back\n", verified, rows.size());
}
