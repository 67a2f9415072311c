#include "csv/SheetTableBuilder.h"

#include "csv/ImportTableParser.h"

namespace keyferry {

std::optional<std::string> SheetTableBuilder::add(std::uint64_t row, std::uint64_t column,
                                                  std::string_view text) {
    if (text.empty())
        return std::nullopt;
    if (row >= limits_.rows)
        return "The sheet has text beyond row " + std::to_string(limits_.rows) +
               ", more than an import can hold.";
    if (column >= limits_.columns)
        return "The sheet has text beyond column " + std::to_string(limits_.columns) +
               ", more than an import can hold.";
    const std::uint64_t width = std::max(width_, column + 1);
    // Checked before anything is added: the padded table is what would be held.
    if ((row + 1) * width > limits_.cells)
        return "The sheet spans more than " + std::to_string(limits_.cells) +
               " cells (rows times columns), more than an import can hold.";
    const bool sameRow = row + 1 == rowWidths_.size();
    const std::uint64_t filled = sameRow ? rowWidths_.back() : 0;
    if (row + 1 < rowWidths_.size() || (sameRow && column < filled))
        return "The sheet's cells are out of order (row " + std::to_string(row + 1) + ").";
    // The text, and a byte for each field, the empty ones included.
    textBytes_ += text.size() + (column - filled);
    if (textBytes_ + (row + 1) * width > ImportTableParser::maxBytes)
        return "The sheet holds more text than the 4 GiB an import can hold.";

    while (rowWidths_.size() <= row)
        rowWidths_.push_back(0);
    for (std::uint32_t& filled = rowWidths_.back(); filled < column; ++filled)
        cells_.append({});
    cells_.append(text);
    rowWidths_.back() = static_cast<std::uint32_t>(column + 1);
    width_ = width;
    return std::nullopt;
}

CSVData SheetTableBuilder::finish() && {
    if (rowWidths_.empty())
        return {};
    const auto width = static_cast<std::size_t>(width_);
    bool rectangular = true;
    for (const std::uint32_t filled : rowWidths_)
        rectangular = rectangular && filled == width;
    if (rectangular)
        return CSVData::fromPacked(std::move(cells_), width);
    // Rows that end early are filled up; the cells are copied once into a new buffer.
    PackedFields padded;
    std::size_t next = 0;
    for (const std::uint32_t filled : rowWidths_) {
        for (std::size_t column = 0; column < filled; ++column)
            padded.append(cells_[next++]);
        for (std::size_t column = filled; column < width; ++column)
            padded.append({});
    }
    return CSVData::fromPacked(std::move(padded), width);
}

} // namespace keyferry
