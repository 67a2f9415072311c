#include "model/RunJournal.h"
#include "support/TemporaryFolder.h"

#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace keyferry;
using keyferry::testing::TemporaryFolder;

namespace {

// A child process that appends rows to a journal without end, reporting each row it has
// written through a pipe; killed when it goes out of scope.
class RowWritingChild {
public:
    explicit RowWritingChild(const std::filesystem::path& folder) {
        if (::pipe(pipe_) != 0)
            return;
        pid_ = ::fork();
        if (pid_ != 0) {
            ::close(pipe_[1]);
            return;
        }
        ::close(pipe_[0]);
        RunHeader header;
        header.templateName = "Crash";
        header.started = isoTimeNow();
        for (std::size_t entry = 1; entry <= 100'000; ++entry)
            header.entries.push_back(entry);
        auto writer = JournalWriter::create(folder, header);
        if (!writer)
            ::_exit(3);
        for (std::size_t entry = 1;; ++entry) {
            RowOutcome row;
            row.entry = entry;
            row.status = entry % 3 == 0 ? RowStatus::mismatch : RowStatus::verified;
            row.field = "City";
            row.message = "a message long enough to make a torn write likely";
            row.expected = std::string(200, 'e');
            row.shown = std::string(200, 's');
            if (writer->append(row))
                ::_exit(4);
            const char written = 1;
            if (::write(pipe_[1], &written, 1) != 1)
                ::_exit(5);
        }
    }
    RowWritingChild(const RowWritingChild&) = delete;
    RowWritingChild& operator=(const RowWritingChild&) = delete;
    ~RowWritingChild() {
        kill();
        if (pipe_[0] >= 0)
            ::close(pipe_[0]);
    }

    bool started() const { return pid_ > 0; }
    /// Waits until the child reports `rows` rows written; false when it died first.
    bool waitForRows(std::size_t rows) {
        while (reported_ < rows) {
            char buffer[256];
            const ssize_t got = ::read(pipe_[0], buffer, std::min(sizeof buffer, rows - reported_));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            reported_ += static_cast<std::size_t>(got);
        }
        return true;
    }
    void kill() {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }

private:
    int pipe_[2] = {-1, -1};
    pid_t pid_ = -1;
    std::size_t reported_ = 0;
};

} // namespace

// A run killed at any moment leaves a journal whose every row reported as written reads
// back whole: the rows are on disk line by line, not buffered in the process.
TEST(JournalCrashSafety, KilledWriterLeavesEveryWrittenRow) {
    for (const std::size_t rows : {1u, 2u, 7u, 40u, 150u}) {
        TemporaryFolder temp;
        {
            RowWritingChild child(temp.path());
            ASSERT_TRUE(child.started());
            ASSERT_TRUE(child.waitForRows(rows)) << rows;
            child.kill();
        }
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(temp.path()))
            files.push_back(entry.path());
        ASSERT_EQ(files.size(), 1u) << rows;

        const auto journal = readRunJournal(files.front());
        ASSERT_TRUE(journal.hasValue()) << rows << ": " << journal.error();
        EXPECT_EQ(journal->header.templateName, "Crash");
        EXPECT_FALSE(journal->summary);
        ASSERT_GE(journal->rows.size(), rows);
        std::size_t landedRows = 0;
        for (std::size_t i = 0; i < journal->rows.size(); ++i) {
            const RowOutcome& row = journal->rows[i].outcome;
            EXPECT_EQ(row.entry, i + 1) << rows;
            EXPECT_EQ(row.shown, row.status == RowStatus::mismatch
                                     ? std::optional(std::string(200, 's'))
                                     : std::nullopt);
            landedRows += landed(row.status) ? 1 : 0;
        }
        const EntryList unfinished = journal->unfinishedEntries();
        EXPECT_EQ(unfinished.size(), journal->header.entries.size() - landedRows) << rows;
        EXPECT_TRUE(std::ranges::binary_search(unfinished, journal->rows.size() + 1)) << rows;
    }
}
