#pragma once

#include "model/Template.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry {

/// An imported table: the header names and the rows, every row as long as the header.
/// Rows are stored compactly (one text buffer and one end offset per field), so a large
/// file costs little more than its own size.
class CSVData {
public:
    CSVData() = default;
    CSVData(std::vector<std::string> headers, const std::vector<std::vector<std::string>>& rows);

    /// The header names, copied out; header() reads one without a copy.
    std::vector<std::string> headers() const;
    /// The name of a column; the index must be in range.
    std::string_view header(std::size_t column) const;
    std::size_t rowCount() const;
    std::size_t columnCount() const { return headerEnds_.size(); }
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

    // Headers are kept like fields: a header line of millions of empty names costs four
    // bytes a name, not a string object each.
    std::string headerText_;
    std::vector<std::uint32_t> headerEnds_;
    std::string text_;                     ///< all fields of all rows, back to back
    std::vector<std::uint32_t> fieldEnds_; ///< end offset in text_ of each field, row by row
};

} // namespace keyferry
