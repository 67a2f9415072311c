#pragma once

#include "csv/Workbook.h"
#include "csv/ZipArchive.h"

namespace keyferry {

/// Reads a sheet of an .ods workbook (OpenDocument): each cell's shown text, which the file
/// keeps beside the value, with repeated rows and cells expanded only where text follows.
Expected<SheetRead, std::string> readOds(const ZipArchive& archive,
                                         const std::optional<std::string>& sheet);

} // namespace keyferry
