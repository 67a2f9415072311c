#include "csv/TableImport.h"

#include "csv/PastedRows.h"

#include <algorithm>

namespace keyferry {

namespace {

constexpr std::size_t namedFallbacks = 3;
constexpr std::size_t detailedFallbacks = 20;

std::string cellName(const FallbackCell& cell) {
    return cell.sheet + "!" + cell.cell;
}

} // namespace

void TableImport::apply(CSVImportOutcome outcome, bool keepNotes) {
    if (!keepNotes)
        notes_ = std::move(outcome.notes);
    std::move(outcome).applyTo(state_);
    savedPaste_.clear();
}

void TableImport::loadFile(const std::filesystem::path& file, const Template& against,
                           const TableReadOptions& options) {
    const bool sameWorkbook = source_ == Source::workbook && file == file_;
    file_ = file;
    options_ = options;
    CSVImportOutcome outcome = loadCSV(file, against, options);
    const bool read = outcome.notes.separator || outcome.notes.sheet;
    if (outcome.notes.sheet)
        source_ = Source::workbook;
    else if (outcome.notes.separator)
        source_ = Source::file;
    else if (!sameWorkbook) // unread: offered the separators unless its name says workbook
        source_ = isWorkbookName(file) ? Source::workbook : Source::file;
    // A sheet that fails leaves the workbook's other sheets to choose from.
    apply(std::move(outcome), !read && sameWorkbook);
}

void TableImport::chooseSeparator(std::optional<Separator> separator, const Template& against) {
    if (source_ != Source::file)
        return;
    TableReadOptions options = options_;
    options.separator = separator;
    loadFile(file_, against, options);
}

void TableImport::chooseSheet(const std::string& sheet, const Template& against) {
    if (source_ != Source::workbook)
        return;
    TableReadOptions options = options_;
    options.sheet = sheet;
    loadFile(file_, against, options);
}

void TableImport::paste(std::string_view text, const Template& against) {
    source_ = Source::pasted;
    file_.clear();
    options_ = {};
    apply(loadPastedRows(text, against), false);
}

std::filesystem::path TableImport::fileForRun(const std::filesystem::path& pastedFolder) {
    if (!state_.csvData)
        return {};
    if (source_ != Source::pasted)
        return file_;
    if (savedPaste_.empty()) {
        auto saved = savePastedRows(*state_.csvData, pastedFolder);
        if (!saved) {
            state_.validationError = "The pasted rows could not be saved: " + saved.error();
            state_.failureDetail.reset();
            return {};
        }
        savedPaste_ = std::move(*saved);
    }
    return savedPaste_;
}

std::string TableImport::readDescription() const {
    if (source_ == Source::pasted && notes_.separator)
        return "Pasted rows, separated by tabs";
    // A file that did not read was still read with the separator the user chose.
    if (source_ == Source::file && (notes_.separator || options_.separator))
        return separatorDescription(notes_.separator ? *notes_.separator : *options_.separator);
    return {};
}

std::string TableImport::fallbackSummary() const {
    const std::size_t count = notes_.fallbackCellCount;
    if (count == 0)
        return {};
    std::string text = std::to_string(count) +
                       (count == 1 ? " cell shows its" : " cells show their") +
                       " stored value (format not supported): ";
    const std::size_t named = std::min(namedFallbacks, notes_.fallbackCells.size());
    for (std::size_t i = 0; i < named; ++i)
        text += (i ? ", " : "") + cellName(notes_.fallbackCells[i]);
    if (count > named)
        text += " and " + std::to_string(count - named) + " more";
    return text;
}

std::string TableImport::fallbackDetail() const {
    std::string text;
    const std::size_t listed = std::min(detailedFallbacks, notes_.fallbackCells.size());
    for (std::size_t i = 0; i < listed; ++i)
        text += (i ? "\n" : "") + cellName(notes_.fallbackCells[i]) + ": format \"" +
                notes_.fallbackCells[i].formatCode + "\"";
    if (notes_.fallbackCellCount > listed)
        text += "\n... and " + std::to_string(notes_.fallbackCellCount - listed) + " more";
    return text;
}

} // namespace keyferry
