#pragma once

#include "csv/ImportTableParser.h"

#include <cstdint>

namespace keyferry {

/// How much a workbook's parts may unpack to. A sheet may be as large as the largest CSV
/// file an import takes, with its markup around it; the parts that only describe the
/// workbook are small in any real one.
namespace workbook_limits {
constexpr std::uint64_t sheetPartBytes = 4 * ImportTableParser::maxBytes;
constexpr std::uint64_t sharedStringsBytes = 512ull * 1024 * 1024;
constexpr std::uint64_t describingPartBytes = 64ull * 1024 * 1024;
/// The most text one cell may hold; spreadsheet applications keep far less.
constexpr std::uint64_t cellTextBytes = 16ull * 1024 * 1024;
} // namespace workbook_limits

} // namespace keyferry
