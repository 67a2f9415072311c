#pragma once

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
    bool includeRows = false;
};

/// `keyferry csv FILE [--template NAME_OR_ID] [--rows]`: reads the file exactly as import
/// does and prints one JSON object. Returns 0 when it reads (and fits the template), 1 when
/// it does not, 2 when the template is unknown.
int runCSVCommand(const CSVCommandOptions& options, std::ostream& out, std::ostream& err);

struct RunCommandOptions {
    std::string templateNameOrID;
    std::filesystem::path csvFile;
    std::size_t fromEntry = 1;        ///< 1-based, as the runner panel's "From Entry:"
    std::optional<std::size_t> limit; ///< rows to run; 1 is a test run
};

/// `keyferry run`: runs a stored template over a CSV file on the desktop without a window.
/// Returns 0 when every row was entered, 1 when the run paused, stopped or failed, 2 when
/// the template is unknown or the CSV does not fit it.
int runRunCommand(const RunCommandOptions& options, std::ostream& out, std::ostream& err);

/// Starts the desktop application; returns its exit code.
int runDesktopApp(int argc, char** argv);

} // namespace keyferry
