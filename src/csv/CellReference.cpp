#include "csv/CellReference.h"

#include <algorithm>

namespace keyferry {

std::optional<CellPosition> parseCellReference(std::string_view reference) {
    std::size_t i = 0;
    std::uint64_t column = 0;
    // Seven letters already exceed any sheet; more would overflow nothing but mean nothing.
    while (i < reference.size() && i < 7 && reference[i] >= 'A' && reference[i] <= 'Z')
        column = column * 26 + static_cast<std::uint64_t>(reference[i++] - 'A' + 1);
    if (i == 0)
        return std::nullopt;
    std::uint64_t row = 0;
    const std::size_t digitsStart = i;
    while (i < reference.size() && i - digitsStart < 10 && reference[i] >= '0' &&
           reference[i] <= '9')
        row = row * 10 + static_cast<std::uint64_t>(reference[i++] - '0');
    if (i != reference.size() || (i > digitsStart && row == 0))
        return std::nullopt;
    return CellPosition{row == 0 ? 0 : row - 1, column - 1};
}

std::string cellReference(CellPosition position) {
    std::string letters;
    for (std::uint64_t n = position.column + 1; n > 0; n = (n - 1) / 26)
        letters.push_back(static_cast<char>('A' + (n - 1) % 26));
    std::ranges::reverse(letters);
    return letters + std::to_string(position.row + 1);
}

} // namespace keyferry
