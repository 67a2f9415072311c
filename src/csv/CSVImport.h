#pragma once

#include "csv/CSVData.h"
#include "csv/CSVError.h"
#include "model/Expected.h"
#include "model/Template.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace keyferry {

/// What the CSV panel shows: the table that passed the check, the last message, and
/// whether the preview is open.
struct CSVImportState {
    std::optional<CSVData> csvData;
    std::optional<std::string> validationError;
    std::optional<std::string> failureDetail;
    bool showPreview = false;
};

/// Why a file could not be read into a table: the system's description of a file that
/// cannot be read, or the reader's error.
using CSVReadFailure = std::variant<std::string, CSVError>;

/// Reads a file exactly as import does (";" fields, a header line, UTF-8 with or without a
/// byte order mark). No row survives a failure, however late it comes.
Expected<CSVData, CSVReadFailure> readCSVFile(const std::filesystem::path& file);

/// The outcome of importing one file for one template.
struct CSVImportOutcome {
    std::optional<CSVData> csvData;             ///< only when the file read and fits
    std::optional<std::string> validationError; ///< "Import failed: ...", or the check's message
    /// The reader's full description (reason, help, row index) when it failed.
    std::optional<std::string> failureDetail;
    bool opensPreview = false; ///< true after a successful import only

    /// Applies the outcome the way the panel does: a failure keeps the preview switch.
    void applyTo(CSVImportState& state) &&;
};

/// Imports a file and checks its header against the template.
CSVImportOutcome loadCSV(const std::filesystem::path& file, const Template& against);

/// The text after "Import failed: " for a read failure.
std::string describe(const CSVReadFailure& failure);

/// The expected header line for the clipboard: the template's labels joined with ";",
/// unquoted, without a line break.
std::string headerLine(const Template& item);

/// Writes a CSV file holding only the template's header line, atomically. Returns the
/// system's description of a failure, or nothing.
[[nodiscard]] std::optional<std::string> writeHeaderFile(const std::filesystem::path& file,
                                                         const Template& item);

} // namespace keyferry
