#include "csv/CSVImport.h"

#include "csv/ImportTableParser.h"
#include "model/FileIO.h"

namespace keyferry {

Expected<CSVData, CSVReadFailure> readCSVFile(const std::filesystem::path& file) {
    auto bytes = readRegularFile(file, ImportTableParser::maxBytes);
    if (!bytes && bytes.error().kind == ReadFailure::Kind::tooLarge)
        return Unexpected{CSVReadFailure(ImportTableParser::tooLarge())};
    if (!bytes)
        return Unexpected{CSVReadFailure(bytes.error().message)};
    auto table = ImportTableParser::parse(std::move(*bytes));
    if (!table)
        return Unexpected{CSVReadFailure(table.error())};
    return std::move(*table);
}

std::string describe(const CSVReadFailure& failure) {
    if (const auto* error = std::get_if<CSVError>(&failure))
        return error->shortDescription();
    return std::get<std::string>(failure);
}

CSVImportOutcome loadCSV(const std::filesystem::path& file, const Template& against) {
    CSVImportOutcome outcome;
    auto table = readCSVFile(file);
    if (!table) {
        outcome.validationError = "Import failed: " + describe(table.error());
        if (const auto* error = std::get_if<CSVError>(&table.error()))
            outcome.failureDetail = error->description();
        return outcome;
    }
    outcome.validationError = table->validate(against);
    if (!outcome.validationError) {
        outcome.csvData = std::move(*table);
        outcome.opensPreview = true;
    }
    return outcome;
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
