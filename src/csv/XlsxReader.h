#pragma once

#include "csv/Workbook.h"
#include "csv/ZipArchive.h"

namespace keyferry {

/// Reads a sheet of an .xlsx workbook (Office Open XML): cells as the number formats in its
/// styles show them, shared and inline strings, formula results.
Expected<SheetRead, std::string> readXlsx(const ZipArchive& archive,
                                          const std::optional<std::string>& sheet);

} // namespace keyferry
