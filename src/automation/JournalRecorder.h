#pragma once

#include "model/Expected.h"
#include "model/RunJournal.h"
#include "model/Template.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace keyferry {

class RunnerEngine;

/// Writes one run's journal from what the runner reports: each row as it ends, then the
/// summary. Made when the run starts (on runStarted, or just before start()); a recorder is
/// for one run and ignores whatever the runner reports after that run's end. It must not
/// outlive the runner.
class JournalRecorder {
public:
    /// Writes the header of a run of `item` over `csvFile` (the absolute path is recorded with
    /// the file's SHA-256; an empty path records neither) for the rows (0-based) the runner
    /// was given, and records from then on. Fails when the header cannot be written.
    static Expected<std::unique_ptr<JournalRecorder>>
    begin(RunnerEngine& runner, const Template& item, const std::filesystem::path& csvFile,
          const std::vector<std::size_t>& rows0based,
          const std::filesystem::path& folder = runJournalFolder());

    JournalRecorder(RunnerEngine& runner, JournalWriter writer);
    JournalRecorder(const JournalRecorder&) = delete;
    JournalRecorder& operator=(const JournalRecorder&) = delete;
    ~JournalRecorder();

    const std::filesystem::path& file() const { return writer_.file(); }
    /// The first write that failed; later rows are still attempted.
    const std::optional<std::string>& error() const { return error_; }
    /// Whether the run's summary has been received.
    bool ended() const { return ended_; }

private:
    void keep(std::optional<std::string> problem);

    RunnerEngine& runner_;
    JournalWriter writer_;
    std::optional<std::string> error_;
    bool ended_ = false;
    std::size_t rowConnection_ = 0;
    std::size_t endConnection_ = 0;
};

} // namespace keyferry
