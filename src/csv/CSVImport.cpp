#include "csv/CSVImport.h"

#include "csv/ImportTableParser.h"
#include "csv/PastedRows.h"
#include "csv/SeparatorGuess.h"
#include "model/FileIO.h"

#include <cctype>

namespace keyferry {

namespace {

Expected<std::string, CSVReadFailure> readBounded(const std::filesystem::path& file) {
    auto bytes = readRegularFile(file, ImportTableParser::maxBytes);
    if (!bytes && bytes.error().kind == ReadFailure::Kind::tooLarge)
        return Unexpected{CSVReadFailure(ImportTableParser::tooLarge())};
    if (!bytes)
        return Unexpected{CSVReadFailure(bytes.error().message)};
    return std::move(*bytes);
}

} // namespace

bool isWorkbookName(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".xlsx" || extension == ".xlsm" || extension == ".ods";
}

Expected<TableRead, CSVReadFailure> readTableFile(const std::filesystem::path& file,
                                                  const TableReadOptions& options) {
    auto bytes = readBounded(file);
    if (!bytes)
        return Unexpected{bytes.error()};
    TableReadNotes notes;
    if (isWorkbookName(file) || looksLikeWorkbook(*bytes)) {
        auto sheet = readWorkbook(*bytes, options.sheet);
        if (!sheet)
            return Unexpected{CSVReadFailure(sheet.error())};
        notes.sheet = std::move(sheet->sheet);
        notes.sheetNames = std::move(sheet->sheetNames);
        notes.fallbackCells = std::move(sheet->fallbackCells);
        notes.fallbackCellCount = sheet->fallbackCellCount;
        return TableRead{std::move(sheet->table), std::move(notes)};
    }
    if (options.separator) {
        notes.separator = options.separator;
    } else {
        SeparatorGuess guess = guessSeparator(*bytes);
        notes.separator = guess.separator;
        notes.separatorNote = std::move(guess.note);
    }
    auto table = ImportTableParser::parse(std::move(*bytes), *notes.separator);
    if (!table)
        return Unexpected{CSVReadFailure(table.error())};
    return TableRead{std::move(*table), std::move(notes)};
}

Expected<CSVData, CSVReadFailure> readCSVFile(const std::filesystem::path& file) {
    auto read = readTableFile(file, {.separator = Separator::semicolon, .sheet = std::nullopt});
    if (!read)
        return Unexpected{read.error()};
    return std::move(read->table);
}

std::string describe(const CSVReadFailure& failure) {
    if (const auto* error = std::get_if<CSVError>(&failure))
        return error->shortDescription();
    return std::get<std::string>(failure);
}

namespace {

// The outcome of a read, checked against the template; `failed` starts the message of a read
// that failed.
CSVImportOutcome checked(Expected<TableRead, CSVReadFailure> read, const Template& against,
                         const std::string& failed) {
    CSVImportOutcome outcome;
    if (!read) {
        outcome.validationError = failed + describe(read.error());
        if (const auto* error = std::get_if<CSVError>(&read.error()))
            outcome.failureDetail = error->description();
        return outcome;
    }
    outcome.notes = std::move(read->notes);
    outcome.validationError = read->table.validate(against);
    if (!outcome.validationError) {
        outcome.csvData = std::move(read->table);
        outcome.opensPreview = true;
    }
    return outcome;
}

} // namespace

CSVImportOutcome loadCSV(const std::filesystem::path& file, const Template& against,
                         const TableReadOptions& options) {
    return checked(readTableFile(file, options), against, "Import failed: ");
}

CSVImportOutcome loadPastedRows(std::string_view text, const Template& against) {
    Expected<TableRead, CSVReadFailure> read = Unexpected{CSVReadFailure(std::string(
        "The clipboard holds no rows. Copy the cells in the spreadsheet, header row included."))};
    if (text.find_first_not_of(" \t\r\n") != std::string_view::npos) {
        auto table = parsePastedRows(text);
        if (table) {
            TableReadNotes notes;
            notes.separator = Separator::tab;
            read = TableRead{std::move(*table), std::move(notes)};
        } else
            read = Unexpected{CSVReadFailure(table.error())};
    }
    return checked(std::move(read), against, "Paste failed: ");
}

void CSVImportOutcome::applyTo(CSVImportState& state) && {
    state.csvData = std::move(csvData);
    state.validationError = std::move(validationError);
    state.failureDetail = std::move(failureDetail);
    if (opensPreview)
        state.showPreview = true;
}

std::string headerLine(const Template& item) {
    std::string line;
    const auto labels = item.textInputLabels();
    for (std::size_t i = 0; i < labels.size(); ++i)
        line += (i ? ";" : "") + labels[i];
    return line;
}

std::optional<std::string> writeHeaderFile(const std::filesystem::path& file,
                                           const Template& item) {
    const CSVData header(item.textInputLabels(), {});
    // An export is meant to be shared, unlike the templates file.
    return writeFileAtomically(file, header.exportString(), 0644);
}

} // namespace keyferry
