#pragma once

#include "csv/CSVImport.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

namespace keyferry {

/// `keyferry templates`: one line per stored template, its id, a tab and its name, in store
/// order. Returns the exit code: 0, or 1 when the templates file cannot be read.
int runTemplatesCommand(std::ostream& out, std::ostream& err);

struct CSVCommandOptions {
    std::filesystem::path file;
    std::optional<std::string> templateNameOrID;
    bool includeRows = false; ///< --rows or --values: every row's cells
    TableReadOptions read;
};

/// `keyferry csv FILE [--template NAME_OR_ID] [--rows|--values] [--separator S]`: reads the
/// file exactly as import does and prints one JSON object, with the separator it was read
/// with. Returns 0 when it reads (and fits the template), 1 when it does not, 2 when the
/// template is unknown.
int runCSVCommand(const CSVCommandOptions& options, std::ostream& out, std::ostream& err);

struct RunCommandOptions {
    std::string templateNameOrID;
    std::filesystem::path csvFile;
    TableReadOptions read;
    std::size_t fromEntry = 1;        ///< 1-based, as the runner panel's "From Entry:"
    std::optional<std::size_t> limit; ///< rows to run; 1 is a test run
    std::optional<std::string> rows;  ///< only these entries: "3,7-9"
    /// Only the entries this journal's run did not enter or verify, over the same CSV file.
    std::optional<std::filesystem::path> retryJournal;
};

/// `keyferry run`: runs a stored template over a CSV file on the desktop without a window,
/// writing a run journal. Returns 0 when every row was entered, 1 when the run paused,
/// stopped or failed or a row did not land, 2 when the template is unknown, the CSV does not
/// fit it or the chosen entries are wrong.
int runRunCommand(const RunCommandOptions& options, std::ostream& out, std::ostream& err);

struct RunsCommandOptions {
    std::optional<std::string> templateNameOrID; ///< only the runs of this template
};

/// `keyferry runs [--template NAME_OR_ID]`: one line per run journal, oldest first: when,
/// template, entries, how many rows ended how. Returns 0, or 1 when the journal folder
/// cannot be read.
int runRunsCommand(const RunsCommandOptions& options, std::ostream& out, std::ostream& err);

/// `keyferry desktop`: the desktop Keyferry runs on and, for each thing a run or the recorder
/// needs, yes or no with why and what the user can do. Returns 0, or 1 when no desktop can be
/// reached.
int runDesktopCommand(std::ostream& out, std::ostream& err);

/// `keyferry header --template NAME_OR_ID`: the CSV header the template expects, as CSV
/// Export writes it. Returns 0, 1 when the templates file cannot be read, 2 when there is no
/// such template.
int runHeaderCommand(const std::string& templateNameOrID, std::ostream& out, std::ostream& err);

/// `keyferry record --template NAME_OR_ID`: records from the window that has the focus, as the
/// Record button does, until Escape; then replaces that template's steps, or creates a
/// template of that name, with the application recorded as its target. Returns 0 when saved,
/// 1 when nothing was recorded, the recording was cancelled or could not start or be saved.
int runRecordCommand(const std::string& templateNameOrID, std::ostream& out, std::ostream& err);

/// Starts the desktop application; returns its exit code.
int runDesktopApp(int argc, char** argv);

} // namespace keyferry
