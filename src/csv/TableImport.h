#pragma once

#include "csv/CSVImport.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace keyferry {

/// What the CSV panel holds and shows: where the table came from (a file and how it was read,
/// or rows pasted), the import state and what reading found out. The panel asks it to read
/// again with another separator or sheet; a run asks it for the file its journal names.
class TableImport {
public:
    enum class Source { none, file, workbook, pasted };

    const CSVImportState& state() const { return state_; }
    CSVImportState& state() { return state_; }
    Source source() const { return source_; }
    /// The file last imported or tried, read with options(); empty for pasted rows.
    const std::filesystem::path& file() const { return file_; }
    const TableReadOptions& options() const { return options_; }
    /// What the last read found out; a workbook keeps its sheet names when a sheet fails.
    const TableReadNotes& notes() const { return notes_; }

    /// Imports a file with what the user chose, or with what the file tells.
    void loadFile(const std::filesystem::path& file, const Template& against,
                  const TableReadOptions& options = {});
    /// Reads the same file again with another separator (absent: guessed) or sheet.
    void chooseSeparator(std::optional<Separator> separator, const Template& against);
    void chooseSheet(const std::string& sheet, const Template& against);
    /// Takes rows pasted from a spreadsheet in place of the table.
    void paste(std::string_view text, const Template& against);

    /// The file the table on screen is in: the imported file, or, for pasted rows, a copy
    /// saved under the state folder the first time it is asked for (then the same one).
    /// Empty when there is no table or the copy could not be saved; the message says why.
    std::filesystem::path fileForRun(const std::filesystem::path& pastedFolder);

    /// "Separated by commas" for a CSV file, "Pasted rows, separated by tabs" for rows pasted;
    /// empty for a workbook or nothing read.
    std::string readDescription() const;
    /// "2 cells show their stored value (format not supported): People!B7, People!C3", the
    /// first few cells named; empty when every cell was shown as the workbook shows it.
    std::string fallbackSummary() const;
    /// The first fallback cells, one a line with its format, for a tooltip.
    std::string fallbackDetail() const;

private:
    void apply(CSVImportOutcome outcome, bool keepNotes);

    CSVImportState state_;
    Source source_ = Source::none;
    std::filesystem::path file_;
    TableReadOptions options_;
    TableReadNotes notes_;
    std::filesystem::path savedPaste_;
};

} // namespace keyferry
