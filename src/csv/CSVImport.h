#pragma once

#include "csv/CSVData.h"
#include "csv/CSVError.h"
#include "csv/Separator.h"
#include "csv/Workbook.h"
#include "model/Expected.h"
#include "model/Template.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

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

/// How to read a file: what the user chose, or nothing to let the file tell.
struct TableReadOptions {
    std::optional<Separator> separator; ///< CSV: absent means guessed from the header line
    std::optional<std::string> sheet;   ///< workbooks: absent means the first sheet
};

/// What reading found out besides the table, for the panel and the command line to show.
struct TableReadNotes {
    std::optional<Separator> separator;       ///< CSV: the separator the file was read with
    std::optional<std::string> separatorNote; ///< CSV: why the guess may be wrong
    std::optional<std::string> sheet;         ///< workbooks: the sheet read
    std::vector<std::string> sheetNames;      ///< workbooks: every sheet, in order
    /// Workbooks: cells whose format was not rendered and that give their stored value.
    std::vector<FallbackCell> fallbackCells;
    std::size_t fallbackCellCount = 0; ///< all of them; fallbackCells lists the first ones
};

/// A table and what was found out while reading it.
struct TableRead {
    CSVData table;
    TableReadNotes notes;
};

/// Whether the file's name is that of a workbook: .xlsx, .xlsm or .ods, in any case.
bool isWorkbookName(const std::filesystem::path& file);

/// Reads a file as import does. An .xlsx or .ods workbook (by its name or its first bytes)
/// gives a sheet's cells as shown, the first row the header. Any other file is CSV: a header
/// line, UTF-8 with or without a byte order mark, ";" between fields unless the options or
/// the header line say otherwise. No row survives a failure, however late it comes.
Expected<TableRead, CSVReadFailure> readTableFile(const std::filesystem::path& file,
                                                  const TableReadOptions& options = {});

/// Reads a CSV file with ";" between fields, whatever its header line looks like.
Expected<CSVData, CSVReadFailure> readCSVFile(const std::filesystem::path& file);

/// The outcome of importing one file for one template.
struct CSVImportOutcome {
    std::optional<CSVData> csvData;             ///< only when the file read and fits
    std::optional<std::string> validationError; ///< "Import failed: ...", or the check's message
    /// The reader's full description (reason, help, row index) when it failed.
    std::optional<std::string> failureDetail;
    bool opensPreview = false; ///< true after a successful import only
    /// What the reading found out (separator, its note), also when the check failed.
    TableReadNotes notes;

    /// Applies the outcome the way the panel does: a failure keeps the preview switch.
    void applyTo(CSVImportState& state) &&;
};

/// Imports a file and checks its header against the template.
CSVImportOutcome loadCSV(const std::filesystem::path& file, const Template& against,
                         const TableReadOptions& options = {});

/// Takes rows pasted from a spreadsheet (see parsePastedRows) and checks their header against
/// the template as an import does; a failure says "Paste failed: ...".
CSVImportOutcome loadPastedRows(std::string_view text, const Template& against);

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
