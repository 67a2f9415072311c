#pragma once

#include "csv/PackedFields.h"
#include "model/Template.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry {

/// An imported table: the header names and the rows, every row as long as the header.
/// The header names and the fields are stored compactly, one after the other in one buffer
/// with a byte between them (PackedFields), so a large file costs little more than its own
/// size, however many fields it has.
class CSVData {
public:
    CSVData() = default;
    CSVData(std::vector<std::string> headers, const std::vector<std::vector<std::string>>& rows);

    /// The header names, copied out; header() reads one without a copy.
    std::vector<std::string> headers() const;
    /// The name of a column; the index must be in range.
    std::string_view header(std::size_t column) const;
    std::size_t rowCount() const;
    std::size_t columnCount() const { return columns_; }
    /// The field of a row by position; both indexes must be in range.
    std::string_view field(std::size_t row, std::size_t column) const;
    std::vector<std::string> row(std::size_t index) const;
    std::vector<std::vector<std::string>> rows() const;

    /// Nothing when the header equals the template's textInputLabels (names compared as
    /// canonically equivalent Unicode, case-sensitive, untrimmed); else the message to show.
    std::optional<std::string> validate(const Template& against) const;

    /// The table as CSV text: ";" between fields, "\n" after each line, fields holding ";",
    /// '"' or a line feed quoted with '"' doubled.
    std::string exportString() const;

    friend bool operator==(const CSVData& a, const CSVData& b);

private:
    friend class ImportTableParser;
    friend class SheetTableBuilder;
    static CSVData fromPacked(PackedFields fields, std::size_t columns) {
        CSVData table;
        table.fields_ = std::move(fields);
        table.columns_ = columns;
        return table;
    }

    PackedFields fields_; ///< the header names, then the rows' fields, row by row
    std::size_t columns_ = 0;
};

} // namespace keyferry
