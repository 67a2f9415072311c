#include "automation/JournalRecorder.h"

#include "SimulatedSession.h"
#include "automation/RunnerEngine.h"
#include "support/TemporaryFolder.h"

#include <csignal>
#include <iostream>
#include <sys/resource.h>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

class JournalRecorderTest : public SimulatedSession {
protected:
    JournalRecorderTest() {
        item.name = "People";
        writeText(temp.path() / "people.csv", "Name;City\nAnn;Bonn\nBen;Köln\n");
    }

    std::unique_ptr<JournalRecorder> begin(const std::vector<std::size_t>& rows) {
        auto recorder = JournalRecorder::begin(runner, item, temp.path() / "people.csv", rows,
                                               temp.path() / "runs");
        EXPECT_TRUE(recorder.hasValue()) << recorder.error();
        return recorder ? std::move(*recorder) : nullptr;
    }

    static RowOutcome row(std::size_t entry, RowStatus status) {
        RowOutcome outcome;
        outcome.entry = entry;
        outcome.status = status;
        return outcome;
    }

    TemporaryFolder temp;
    AccessibilityChecker checker{desktop, clock};
    RunnerEngine runner{desktop, clock, &checker};
    Template item;
};

} // namespace

TEST_F(JournalRecorderTest, RecordsOneRunFromHeaderToSummary) {
    // Rows as the runner numbers them (0-based, in its order) become sorted entries.
    auto recorder = begin({6, 2, 7});
    ASSERT_TRUE(recorder);
    EXPECT_EQ(recorder->file().parent_path(), temp.path() / "runs");

    runner.rowEnded.emit(row(3, RowStatus::verified));
    runner.rowEnded.emit(row(7, RowStatus::failed));
    const RunSummary summary{"stopped", "Stopped", {0, 1, 0, 0, 0, 1}};
    runner.runEnded.emit(summary);
    EXPECT_TRUE(recorder->ended());
    // A later run is not this recorder's to write.
    runner.rowEnded.emit(row(8, RowStatus::entered));
    runner.runEnded.emit(RunSummary{"finished", std::nullopt, {}});

    const auto journal = readRunJournal(recorder->file());
    ASSERT_TRUE(journal.hasValue()) << journal.error();
    EXPECT_EQ(journal->header.templateID, item.id.toString());
    EXPECT_EQ(journal->header.templateName, "People");
    EXPECT_EQ(journal->header.csvPath, (temp.path() / "people.csv").string());
    EXPECT_EQ(journal->header.csvSHA256, *sha256OfFile(temp.path() / "people.csv"));
    EXPECT_EQ(journal->header.entries, (EntryList{3, 7, 8}));
    ASSERT_EQ(journal->rows.size(), 2u);
    EXPECT_EQ(journal->rows[0].outcome, row(3, RowStatus::verified));
    EXPECT_EQ(journal->rows[1].outcome, row(7, RowStatus::failed));
    EXPECT_EQ(journal->summary, summary);
    EXPECT_FALSE(recorder->error());
}

TEST_F(JournalRecorderTest, RecordsTheCsvPathAbsoluteAndStopsRecordingWhenGone) {
    std::filesystem::create_directories(temp.path() / "sub");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(temp.path() / "sub");
    auto relative =
        JournalRecorder::begin(runner, item, "../people.csv", {0}, temp.path() / "runs");
    std::filesystem::current_path(cwd);
    ASSERT_TRUE(relative.hasValue()) << relative.error();
    const auto first = (*relative)->file();
    relative = Unexpected{std::string("gone")}; // the recorder is destroyed here

    auto next = begin({1});
    ASSERT_TRUE(next);
    runner.rowEnded.emit(row(2, RowStatus::entered));

    const auto old = readRunJournal(first);
    ASSERT_TRUE(old.hasValue()) << old.error();
    EXPECT_EQ(old->header.csvPath, (temp.path() / "people.csv").string());
    EXPECT_TRUE(old->rows.empty()) << "a destroyed recorder no longer listens";
    const auto current = readRunJournal(next->file());
    ASSERT_TRUE(current.hasValue()) << current.error();
    EXPECT_EQ(current->rows.size(), 1u);
}

TEST_F(JournalRecorderTest, BeginFailsWithoutTheCsvFileOrAFolder) {
    auto missing = JournalRecorder::begin(runner, item, temp.path() / "missing.csv", {0},
                                          temp.path() / "runs");
    ASSERT_FALSE(missing.hasValue());
    EXPECT_NE(missing.error().find("missing.csv"), std::string::npos) << missing.error();

    writeText(temp.path() / "blocker", "a file where the folder would be");
    auto noFolder = JournalRecorder::begin(runner, item, temp.path() / "people.csv", {0},
                                           temp.path() / "blocker" / "runs");
    ASSERT_FALSE(noFolder.hasValue());
    EXPECT_NE(noFolder.error().find("blocker"), std::string::npos) << noFolder.error();
}

// A write that fails (here: the file may not grow) is kept for the caller to show, and a
// later write that succeeds does not clear it. In a child, since the limit is per process.
TEST_F(JournalRecorderTest, KeepsTheFirstWriteError) {
    auto recorder = begin({0, 1});
    ASSERT_TRUE(recorder);
    const auto failsThenRecovers = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit original = limit;
        limit.rlim_cur = std::filesystem::file_size(recorder->file());
        ::setrlimit(RLIMIT_FSIZE, &limit);
        runner.rowEnded.emit(row(1, RowStatus::entered));
        ::setrlimit(RLIMIT_FSIZE, &original);
        const auto first = recorder->error();
        runner.rowEnded.emit(row(2, RowStatus::entered));
        if (!first || first->find(recorder->file().string()) == std::string::npos) {
            std::cerr << "no error naming the file: " << first.value_or("none");
            std::_Exit(1);
        }
        if (recorder->error() != first) {
            std::cerr << "the first error was replaced";
            std::_Exit(2);
        }
        std::_Exit(0);
    };
    EXPECT_EXIT(failsThenRecovers(), ::testing::ExitedWithCode(0), "");
}

// A whole run on the simulated desktop: what the runner reports lands in the journal.
TEST_F(JournalRecorderTest, JournalsARealRun) {
    item.targetAppBundleID = "Yad";
    item.settings.countdownSeconds = 0;
    for (const char* label : {"Name", "City"}) {
        Step step = Step::ofType(StepType::textInput);
        step.label = label;
        item.steps.push_back(step);
    }
    item.steps.push_back(Step::ofType(StepType::returnKey));
    const CSVData data({"Name", "City"}, {{"Ann", "Bonn"}, {"Ben", "Köln"}, {"Cy", "Ulm"}});

    std::unique_ptr<JournalRecorder> recorder;
    runner.runStarted.connect(
        [&](const std::vector<std::size_t>& rows) { recorder = begin(rows); });
    runner.startRows(item, data, {0, 2});
    clock.runUntil([&] { return !runner.isRunning() && !clock.hasPending(); });
    ASSERT_TRUE(recorder);
    EXPECT_TRUE(recorder->ended());

    const auto journal = readRunJournal(recorder->file());
    ASSERT_TRUE(journal.hasValue()) << journal.error();
    EXPECT_EQ(journal->header.entries, (EntryList{1, 3}));
    ASSERT_EQ(journal->rows.size(), 2u);
    EXPECT_EQ(journal->rows[0].outcome.entry, 1u);
    EXPECT_EQ(journal->rows[1].outcome.entry, 3u);
    EXPECT_TRUE(journal->unfinishedEntries().empty());
    ASSERT_TRUE(journal->summary);
    EXPECT_EQ(journal->summary->ended, "finished");
    const std::string text = readText(recorder->file());
    // Quoted, as a leaked cell would be a JSON string: the random temporary folder in the
    // CSV path may itself hold a cell's letters (it once held "Cy").
    for (const char* cell : {"Ann", "Bonn", "Cy", "Ulm"}) {
        const std::string quoted = std::string("\"") + cell + "\"";
        EXPECT_EQ(text.find(quoted), std::string::npos) << cell << " in " << text;
    }
}
