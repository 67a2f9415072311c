#pragma once

#include "csv/CSVData.h"
#include "model/Expected.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry {

/// A cell whose number format is not rendered: it gives its stored value instead.
struct FallbackCell {
    std::string sheet;
    std::string cell;       ///< "B7"
    std::string formatCode; ///< the format that was not rendered

    friend bool operator==(const FallbackCell&, const FallbackCell&) = default;
};

/// One sheet of a workbook as the table CSV import gives, and what the user may want to
/// know about it.
struct SheetRead {
    CSVData table;
    std::string sheet;                   ///< the sheet read
    std::vector<std::string> sheetNames; ///< every sheet of the workbook, in order
    /// The cells shown with their stored value, the first `maxListedFallbacks` of them.
    std::vector<FallbackCell> fallbackCells;
    std::size_t fallbackCellCount = 0; ///< all of them
    static constexpr std::size_t maxListedFallbacks = 1000;
};

/// Whether bytes are those of a zip archive or of an OLE compound file, the two containers
/// workbooks come in.
bool looksLikeWorkbook(std::string_view bytes);

/// Reads the sheet named `sheet` (the first one when absent) of an .xlsx or .ods workbook.
/// Fails with a message for the user: a damaged archive, an encrypted or older workbook, a
/// sheet that does not exist (naming those that do), a part too large or not well formed.
Expected<SheetRead, std::string> readWorkbook(std::string_view bytes,
                                              const std::optional<std::string>& sheet);

} // namespace keyferry
