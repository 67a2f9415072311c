#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace keyferry {

/// A cell's 0-based place in a sheet.
struct CellPosition {
    std::uint64_t row = 0;
    std::uint64_t column = 0;
};

/// "B7" as a position; nothing for text that is not a reference. A reference without its
/// row ("B") gives row 0.
std::optional<CellPosition> parseCellReference(std::string_view reference);

/// The reference of a position: "B7", "AA10".
std::string cellReference(CellPosition position);

} // namespace keyferry
