#pragma once

#include "model/EntryList.h"
#include "model/Expected.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry {

/// How one attempted row ended.
/// wrongField: the focus was on another element than the step's recorded field, so nothing
/// of the row was typed from that step on.
/// refused: every key landed, but the application sent the form back (it still held the row's
/// values afterwards, or the page announced an error): the row was not saved.
enum class RowStatus { entered, verified, mismatch, paused, stopped, failed, wrongField, refused };

inline constexpr std::array allRowStatuses = {
    RowStatus::entered, RowStatus::verified, RowStatus::mismatch,   RowStatus::paused,
    RowStatus::stopped, RowStatus::failed,   RowStatus::wrongField, RowStatus::refused};

std::string_view rawValue(RowStatus status);
std::optional<RowStatus> rowStatusFrom(std::string_view raw);
/// Entered or verified: nothing for the user to check.
inline bool landed(RowStatus status) {
    return status == RowStatus::entered || status == RowStatus::verified;
}

/// One attempted row. Cell values are never kept, except the two texts of a mismatch,
/// which the user needs to mend the field.
struct RowOutcome {
    std::size_t entry = 0; ///< 1-based row of the table
    RowStatus status = RowStatus::entered;
    std::optional<std::string> field;    ///< the field a mismatch, failure or wrong field concerns
    std::optional<std::string> message;  ///< what the run said about the row
    std::optional<std::string> expected; ///< mismatch only: what was typed
    std::optional<std::string> shown;    ///< mismatch only: what the field showed
    /// Of the fields the row typed into: how many were read back and showed what was typed,
    /// and how many could not be read. Tells "every field checked" from "nothing checked".
    std::size_t fieldsVerified = 0;
    std::size_t fieldsUnread = 0;
    friend bool operator==(const RowOutcome&, const RowOutcome&) = default;
};

/// The first line of a journal: what the run was asked to do.
struct RunHeader {
    std::string templateID;
    std::string templateName;
    std::string csvPath;
    std::string csvSHA256; ///< lower-case hex
    std::string started;   ///< ISO-8601, UTC
    EntryList entries;     ///< the rows the run was to enter, 1-based
    friend bool operator==(const RunHeader&, const RunHeader&) = default;
};

/// The last line of a journal.
struct RunSummary {
    std::string ended; ///< "finished", "paused" or "stopped"
    std::optional<std::string> message;
    std::array<std::size_t, allRowStatuses.size()> counts{}; ///< indexed by RowStatus
    std::size_t count(RowStatus status) const { return counts[static_cast<std::size_t>(status)]; }
    friend bool operator==(const RunSummary&, const RunSummary&) = default;
};

struct JournalRow {
    RowOutcome outcome;
    std::string time; ///< ISO-8601, UTC
    friend bool operator==(const JournalRow&, const JournalRow&) = default;
};

/// A journal as read back; a run that crashed has no summary.
struct RunJournal {
    std::filesystem::path file;
    RunHeader header;
    std::vector<JournalRow> rows;
    std::optional<RunSummary> summary;

    /// Entries of the run whose last attempt did not land, or that were never attempted.
    EntryList unfinishedEntries() const;
    /// Counts per status over the last attempt of each entry; `ended` and `message` come
    /// from the summary, empty when the run has none.
    RunSummary tally() const;
};

/// `$XDG_STATE_HOME/Keyferry/runs`, by default `~/.local/state/Keyferry/runs`.
std::filesystem::path runJournalFolder();

/// SHA-256 of a file's bytes, lower-case hex.
Expected<std::string> sha256OfFile(const std::filesystem::path& path);

/// Writes one run's journal as JSON Lines: the header at once, each row as it ends (one
/// write per line, so a crash loses no row that was written and leaves no half line but the
/// last), the summary at the end. Owner-only file in an owner-only folder.
class JournalWriter {
public:
    /// Creates a new file in `folder` (made if missing) and writes the header.
    static Expected<JournalWriter> create(const std::filesystem::path& folder,
                                          const RunHeader& header);
    JournalWriter(JournalWriter&& other) noexcept;
    JournalWriter& operator=(JournalWriter&& other) noexcept;
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;
    ~JournalWriter();

    const std::filesystem::path& file() const { return file_; }
    /// Appends one row with the current time; the error when it could not be written.
    std::optional<std::string> append(const RowOutcome& outcome);
    std::optional<std::string> finish(const RunSummary& summary);

private:
    JournalWriter(std::filesystem::path file, int fd) : file_(std::move(file)), fd_(fd) {}
    std::optional<std::string> writeLine(const std::string& line);

    std::filesystem::path file_;
    int fd_ = -1;
};

/// Reads a journal; a last line cut short by a crash is ignored, any other bad line fails
/// naming its line number.
Expected<RunJournal> readRunJournal(const std::filesystem::path& file);

/// Every journal in `folder`, oldest first (none when the folder does not exist); files that
/// cannot be read are skipped and named with the reason in `skipped` when given. Fails when
/// the folder itself cannot be read.
Expected<std::vector<RunJournal>> listRunJournals(const std::filesystem::path& folder,
                                                  std::vector<std::string>* skipped = nullptr);

/// The current time as ISO-8601 UTC with milliseconds ("2026-12-07T16:20:00.123Z").
std::string isoTimeNow();

} // namespace keyferry
