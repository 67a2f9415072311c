#pragma once

#include "csv/CSVData.h"
#include "model/Expected.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry {

/// How large a sheet may be: the rows and columns of the largest spreadsheet applications,
/// and a bound on the table's cells (rows times columns, empty ones included) that keeps a
/// sheet of a few far-apart cells from growing into billions of empty fields.
struct SheetLimits {
    std::uint64_t rows = 1'048'576;
    std::uint64_t columns = 16'384;
    std::uint64_t cells = 100'000'000;
};

/// Collects a sheet's cells, given row by row and left to right, into the table CSV import
/// gives: the first row is the header, every row as wide as the widest, empty rows and
/// columns at the end dropped. Cells never given are empty.
class SheetTableBuilder {
public:
    explicit SheetTableBuilder(SheetLimits limits = {}) : limits_(limits) {}

    /// Adds the cell at 0-based `row` and `column`, after every cell added before it. An
    /// empty text adds nothing. Fails when the cell is out of order or beyond the limits.
    std::optional<std::string> add(std::uint64_t row, std::uint64_t column, std::string_view text);

    /// The table; the builder is spent.
    CSVData finish() &&;

private:
    SheetLimits limits_;
    PackedFields cells_;                   ///< the rows' cells, each row up to its last text
    std::vector<std::uint32_t> rowWidths_; ///< cells of each row, up to the last one with text
    std::uint64_t width_ = 0;
    std::uint64_t textBytes_ = 0;
};

} // namespace keyferry
