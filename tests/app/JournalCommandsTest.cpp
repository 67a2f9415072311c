#include "model/RunJournal.h"
#include "model/TemplateJson.h"
#include "support/TemporaryFolder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace keyferry;
using keyferry::testing::readText;
using keyferry::testing::TemporaryFolder;
using keyferry::testing::writeText;

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A home for the commands: templates, journals and CSV files in one temporary folder.
class JournalCommands : public ::testing::Test {
protected:
    JournalCommands() {
        people.name = "People";
        for (const char* label : {"Name", "City"}) {
            Step step = Step::ofType(StepType::textInput);
            step.label = label;
            step.postDelay = 0;
            people.steps.push_back(step);
        }
        people.settings.countdownSeconds = 0;
        people.settings.interCharDelay = 0;
        other = people;
        other.id = Uuid::random();
        other.name = "Other";
        std::filesystem::create_directories(temp.path() / "Keyferry");
        writeText(temp.path() / "Keyferry" / "templates.json", *encodeTemplates({people, other}));
        writeText(csv(), "Name;City\nAnn;Bonn\nBen;Köln\nCy;Ulm\n");
    }

    std::filesystem::path csv() const { return temp.path() / "people.csv"; }
    std::filesystem::path runs() const { return temp.path() / "state" / "Keyferry" / "runs"; }

    // Runs the real binary in the temporary folder, without a display; `environment` adds
    // variables (the simulated desktop, say).
    Outcome keyferry(const std::string& arguments, const std::string& environment = "") const {
        const auto errFile = temp.path() / "stderr.txt";
        const std::string command = "cd '" + temp.path().string() + "' && env -u DISPLAY " +
                                    "XDG_DATA_HOME='" + temp.path().string() +
                                    "' XDG_STATE_HOME='" + (temp.path() / "state").string() + "' " +
                                    environment + " '" + KEYFERRY_BINARY + "' " + arguments +
                                    " 2>'" + errFile.string() + "'";
        Outcome outcome;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe)
            return outcome;
        std::array<char, 4096> buffer{};
        while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe))
            outcome.out.append(buffer.data(), got);
        const int status = ::pclose(pipe);
        outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        outcome.err = readText(errFile);
        return outcome;
    }

    // A journal of a run of `item` over entries `entries` in which `rows` ended as given,
    // renamed to `name` so that listings have a known order.
    std::filesystem::path journal(const Template& item, const std::string& started,
                                  const std::string& entries,
                                  const std::vector<std::pair<std::size_t, RowStatus>>& rows,
                                  std::optional<std::string> ended, const std::string& name) {
        RunHeader header;
        header.templateID = item.id.toString();
        header.templateName = item.name;
        header.csvPath = csv().string();
        header.csvSHA256 = *sha256OfFile(csv());
        header.started = started;
        header.entries = *parseEntryList(entries);
        auto writer = JournalWriter::create(runs(), header);
        EXPECT_TRUE(writer.hasValue()) << writer.error();
        RunSummary summary;
        for (const auto& [entry, status] : rows) {
            RowOutcome outcome;
            outcome.entry = entry;
            outcome.status = status;
            EXPECT_FALSE(writer->append(outcome));
            ++summary.counts[static_cast<std::size_t>(status)];
        }
        if (ended) {
            summary.ended = *ended;
            EXPECT_FALSE(writer->finish(summary));
        }
        const auto file = runs() / name;
        std::filesystem::rename(writer->file(), file);
        return file;
    }

    std::size_t journalCount() const {
        std::error_code error;
        std::size_t count = 0;
        for (auto entry = std::filesystem::directory_iterator(runs(), error);
             entry != std::filesystem::directory_iterator{}; ++entry)
            ++count;
        return count;
    }

    TemporaryFolder temp;
    Template people;
    Template other;
};

} // namespace

TEST_F(JournalCommands, RunsListsJournalsOldestFirstAndFiltersByTemplate) {
    const Outcome none = keyferry("runs");
    EXPECT_EQ(none.exitCode, 0) << none.err;
    EXPECT_EQ(none.out, "No runs yet.\n");

    const auto later = journal(people, "2026-12-07T16:20:00.123Z", "1-20",
                               {{1, RowStatus::failed},
                                {1, RowStatus::verified},
                                {2, RowStatus::verified},
                                {3, RowStatus::mismatch},
                                {4, RowStatus::stopped}},
                               "stopped", "2026-12-07T16-20-00.123Z-00000002.jsonl");
    const auto earlier =
        journal(other, "2026-12-06T09:00:00.000Z", "3,7-9", {{3, RowStatus::entered}}, std::nullopt,
                "2026-12-06T09-00-00.000Z-00000001.jsonl");
    const auto empty = journal(people, "2026-12-08T10:00:00.000Z", "5", {}, "stopped",
                               "2026-12-08T10-00-00.000Z-00000003.jsonl");
    writeText(runs() / "2026-12-09T00-00-00.000Z-00000004.jsonl", "{\"run\": tr\n");

    const std::string laterLine = "2026-12-07T16:20:00Z  People  entries 1-20  verified 2, "
                                  "mismatch 1, stopped 1  " +
                                  later.string() + "\n";
    const std::string earlierLine = "2026-12-06T09:00:00Z  Other  entries 3,7-9  entered 1 (no "
                                    "end recorded)  " +
                                    earlier.string() + "\n";
    const std::string emptyLine =
        "2026-12-08T10:00:00Z  People  entries 5  no row attempted  " + empty.string() + "\n";

    const Outcome all = keyferry("runs");
    EXPECT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out, earlierLine + laterLine + emptyLine);
    EXPECT_NE(all.err.find("Skipped " +
                           (runs() / "2026-12-09T00-00-00.000Z-00000004.jsonl").string() + ":1:"),
              std::string::npos)
        << all.err;

    const Outcome byName = keyferry("runs --template People");
    EXPECT_EQ(byName.exitCode, 0) << byName.err;
    EXPECT_EQ(byName.out, laterLine + emptyLine);

    std::string lowerCaseId = other.id.toString();
    std::ranges::transform(lowerCaseId, lowerCaseId.begin(),
                           [](char c) { return static_cast<char>(std::tolower(c)); });
    const Outcome byId = keyferry("runs --template " + lowerCaseId);
    EXPECT_EQ(byId.out, earlierLine);

    const Outcome nobody = keyferry("runs --template Nobody");
    EXPECT_EQ(nobody.exitCode, 0);
    EXPECT_EQ(nobody.out, "No runs of \"Nobody\" yet.\n");
}

TEST_F(JournalCommands, RunsFailsWhenTheFolderCannotBeRead) {
    std::filesystem::create_directories(runs().parent_path());
    writeText(runs(), "a file where the folder belongs");
    const Outcome outcome = keyferry("runs");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("Cannot read " + runs().string()), std::string::npos) << outcome.err;
}

// Wrong choices of entries end before any desktop is needed, and write no journal.
TEST_F(JournalCommands, RowsAndRetryRefuseWrongChoices) {
    const auto unfinished = journal(people, "2026-12-07T16:20:00.000Z", "1-3",
                                    {{1, RowStatus::entered}}, "stopped", "unfinished.jsonl");
    const auto done = journal(people, "2026-12-07T16:21:00.000Z", "1-3",
                              {{1, RowStatus::entered},
                               {2, RowStatus::verified},
                               {3, RowStatus::failed},
                               {3, RowStatus::entered}},
                              "finished", "done.jsonl");
    const auto ofOther =
        journal(other, "2026-12-07T16:22:00.000Z", "1", {}, "stopped", "other.jsonl");
    writeText(temp.path() / "changed.csv", "Name;City\nAnn;Bonn\nBen;Koeln\nCy;Ulm\n");
    const std::size_t journals = journalCount();

    const std::string base = "run --template People --csv people.csv ";
    const struct {
        std::string arguments;
        int exitCode;
        std::string message; // a part of stderr, or of stdout for exit 0
    } cases[] = {
        {base + "--rows x", 2, "--rows: \"x\" is not an entry number"},
        {base + "--rows '2,,3'", 2, "--rows: An item of \"2,,3\" is empty."},
        {base + "--rows 0", 2, "--rows: \"0\": entries are counted from 1."},
        {base + "--rows 3-2", 2, "--rows: \"3-2\" runs backwards."},
        {base + "--rows 2,4-5", 2, "Entries 4-5 are beyond the table, which has 3 entries."},
        {base + "--rows 4", 2, "Entry 4 is beyond the table, which has 3 entries."},
        {base + "--rows 2 --from 2", 2, "excludes"},
        {base + "--rows 2 --limit 1", 2, "excludes"},
        {base + "--rows 2 --retry '" + unfinished.string() + "'", 2, "excludes"},
        {base + "--retry '" + unfinished.string() + "' --from 2", 2, "excludes"},
        {base + "--retry missing.jsonl", 2, "Cannot read the run journal: Cannot open"},
        {"run --template People --csv changed.csv --retry '" + unfinished.string() + "'", 2,
         "The CSV file differs from the one that run used (" + csv().string() + ")"},
        {base + "--retry '" + ofOther.string() + "'", 2,
         "That run used the template \"Other\" (" + other.id.toString() + "), not \"People\""},
        {base + "--retry '" + done.string() + "'", 0,
         "Nothing to retry: every entry of that run was entered.\n"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = keyferry(c.arguments);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.arguments << "\n" << outcome.err;
        const std::string& printed = c.exitCode == 0 ? outcome.out : outcome.err;
        EXPECT_NE(printed.find(c.message), std::string::npos)
            << c.arguments << " printed: " << printed;
    }
    EXPECT_EQ(journalCount(), journals) << "a refused run writes no journal";
}

// On the simulated desktop a retry runs exactly the entries that did not land, and journals
// them with the CSV file's absolute path.
TEST_F(JournalCommands, RetryRunsTheUnfinishedEntriesAndJournalsThem) {
    const auto earlier = journal(people, "2026-12-07T16:20:00.000Z", "1-3",
                                 {{1, RowStatus::verified}, {2, RowStatus::mismatch}}, "stopped",
                                 "2000-01-01T00-00-00.000Z-00000000.jsonl");
    const Outcome outcome =
        keyferry("run --template People --csv people.csv --retry '" + earlier.string() + "'",
                 "KEYFERRY_DESKTOP=sim");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.out << outcome.err;
    EXPECT_NE(outcome.out.find("Running \"People\" over entries 2-3 of 3."), std::string::npos)
        << outcome.out;
    EXPECT_NE(outcome.out.find("Done. Entries entered: 2."), std::string::npos) << outcome.out;

    const auto listed = listRunJournals(runs());
    ASSERT_TRUE(listed.hasValue()) << listed.error();
    ASSERT_EQ(listed->size(), 2u);
    const RunJournal& retry = listed->back();
    EXPECT_NE(outcome.out.find("Journal: " + retry.file.string() + "\n"), std::string::npos)
        << outcome.out;
    EXPECT_EQ(retry.header.entries, (EntryList{2, 3}));
    EXPECT_EQ(retry.header.csvPath, csv().string());
    EXPECT_EQ(retry.header.templateID, people.id.toString());
    ASSERT_EQ(retry.rows.size(), 2u);
    EXPECT_EQ(retry.rows[0].outcome.entry, 2u);
    EXPECT_EQ(retry.rows[1].outcome.entry, 3u);
    EXPECT_TRUE(retry.unfinishedEntries().empty());
    ASSERT_TRUE(retry.summary);
    EXPECT_EQ(retry.summary->ended, "finished");
    const std::string text = readText(retry.file);
    // Quoted: the random temporary folder in the CSV path may hold a cell's letters.
    for (const char* cell : {"Ben", "Köln", "Cy", "Ulm"}) {
        const std::string quoted = std::string("\"") + cell + "\"";
        EXPECT_EQ(text.find(quoted), std::string::npos) << cell << " in " << text;
    }
}
