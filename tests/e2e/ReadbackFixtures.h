#pragma once

#include "TrustDesktop.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

// Real applications whose fields the read-back tests fill, each read by the test through
// its own channel (the form's log, Calc's UNO interface), and `keyferry run` with a journal
// folder of its own.

namespace keyferry::testing {

using Row = std::vector<std::string>;

/// The GTK 3 form of tests/e2e/gtk_form.py: entries Name, City and Code (at most
/// `codeMax` characters), a Submit button. Application id "KeyferryGtkForm".
class GtkForm {
public:
    GtkForm(const std::filesystem::path& folder, int codeMax);
    GtkForm(const GtkForm&) = delete;
    GtkForm& operator=(const GtkForm&) = delete;

    /// The window is shown with the focus in Name.
    bool waitUntilReady(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    pid_t process() const { return process_->pid(); }
    /// Centre of an entry in root coordinates, known once ready.
    std::pair<int, int> centreOf(const std::string& label) const;
    /// The rows submitted, in order.
    std::vector<Row> rows() const;
    /// What the entries hold now (Name, City, Code), asked of the running form; nullopt when
    /// it does not answer.
    std::optional<Row> values();

private:
    std::vector<nlohmann::json> records(const std::string& kind) const;

    std::filesystem::path log_;
    std::unique_ptr<Process> process_;
    std::map<std::string, std::pair<int, int>> points_;
};

/// LibreOffice Calc with an empty spreadsheet, started by tests/e2e/calc_sheet.py with a
/// throw-away profile that rewrites nothing typed. Application id "libreoffice-calc".
class CalcSheet {
public:
    explicit CalcSheet(const std::filesystem::path& folder);
    CalcSheet(const CalcSheet&) = delete;
    CalcSheet& operator=(const CalcSheet&) = delete;
    /// Closes Calc without saving.
    ~CalcSheet();

    /// A spreadsheet is open and answers through UNO.
    bool waitUntilReady();
    /// The used area of the active sheet, each cell as Calc shows it; nullopt when Calc
    /// does not answer (the reason in `error`).
    std::optional<std::vector<Row>> cells(std::string* error = nullptr) const;
    std::string log() const;

private:
    std::filesystem::path folder_;
    std::string port_;
    std::unique_ptr<Process> process_;
};

/// One journal of a run: its row lines and its other lines (header, summary) as written.
struct JournalFile {
    std::filesystem::path path;
    std::vector<nlohmann::json> rows; ///< lines with an "entry"
    std::vector<nlohmann::json> other;
    std::size_t badLines = 0;

    /// The last line written for an entry; nullptr when there is none.
    const nlohmann::json* lastFor(std::size_t entry) const;
    /// "entry:status" for every row line, for messages.
    std::string describe() const;
};

JournalFile readJournal(const std::filesystem::path& path);

/// `keyferry run` with its templates in `folder`/data and its journals in `folder`/state,
/// as a user with those XDG folders runs it; everything it prints kept per run.
class JournaledRun {
public:
    JournaledRun(std::filesystem::path folder, const Template& item, const std::string& csv);
    JournaledRun(const JournaledRun&) = delete;
    JournaledRun& operator=(const JournaledRun&) = delete;
    ~JournaledRun();

    /// Starts `keyferry run --template NAME --csv FILE` followed by `extra` arguments.
    void start(const std::vector<std::string>& extra = {});
    /// The exit code; -1 when it had to be killed at the deadline or a signal ended it.
    int wait(std::chrono::milliseconds timeout = std::chrono::seconds(120));
    /// Starts and waits.
    int run(const std::vector<std::string>& extra = {},
            std::chrono::milliseconds timeout = std::chrono::seconds(120));
    std::string output() const;
    /// Waits until the output of the current run contains `text`.
    bool waitForOutput(const std::string& text, std::chrono::milliseconds timeout);
    std::filesystem::path journalFolder() const { return folder_ / "state" / "Keyferry" / "runs"; }
    /// The journals in the folder, sorted by name.
    std::vector<std::filesystem::path> journals() const;
    /// The journal the last run wrote: the one file that was not there before it started.
    std::optional<std::filesystem::path> lastJournal() const;

private:
    std::filesystem::path folder_;
    std::string templateName_;
    std::unique_ptr<Process> process_;
    std::vector<std::filesystem::path> journalsBefore_;
    int runs_ = 0;
    bool ended_ = false;
};

} // namespace keyferry::testing
