#pragma once

#include "csv/CSVReader.h"
#include "csv/ImportTableParser.h"

#include <optional>
#include <string>
#include <vector>

namespace keyferry::testing {

using Rows = std::vector<std::vector<std::string>>;

/// Everything a reader gave for one input: headers, rows, and the error that ended it.
struct ReadOutcome {
    std::vector<std::string> headers;
    Rows rows;
    std::optional<CSVError> error;
    bool failedAtConstruction = false;
};

inline ReadOutcome readAll(Expected<std::unique_ptr<CSVReader>, CSVError> made) {
    ReadOutcome outcome;
    if (!made) {
        outcome.error = made.error();
        outcome.failedAtConstruction = true;
        return outcome;
    }
    CSVReader& reader = **made;
    outcome.headers = reader.headers();
    for (;;) {
        auto row = reader.readRow();
        if (!row) {
            outcome.error = row.error();
            return outcome;
        }
        if (!*row)
            return outcome;
        outcome.rows.push_back(std::move(**row));
    }
}

/// The scalar reader with any configuration.
inline ReadOutcome readBytes(const std::string& bytes, CSVReader::Configuration configuration) {
    return readAll(CSVReader::fromBytes(bytes, std::move(configuration)));
}

/// The scalar reader with the import configuration.
inline ReadOutcome readForImport(const std::string& bytes,
                                 Separator separator = Separator::semicolon) {
    return readBytes(bytes, CSVReader::Configuration::forImport(separator));
}

/// The fast import parser; a failure keeps no rows, as import does.
inline ReadOutcome parseForImport(const std::string& bytes,
                                  Separator separator = Separator::semicolon) {
    ReadOutcome outcome;
    auto table = ImportTableParser::parse(bytes, separator);
    if (!table) {
        outcome.error = table.error();
        return outcome;
    }
    outcome.headers = table->headers();
    outcome.rows = table->rows();
    return outcome;
}

} // namespace keyferry::testing
