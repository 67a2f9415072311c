#pragma once

#include "csv/CSVData.h"
#include "csv/CSVError.h"
#include "model/Expected.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace keyferry {

/// Rows copied from a spreadsheet as the clipboard holds them: tab between the cells, a line
/// per row ("\n" or "\r\n"), cells holding a tab, a line break or '"' quoted with '"' doubled;
/// the first row is the header. Read as a tab-separated file is, so the same rows give the
/// same table. Fails on text that is not such a table.
Expected<CSVData, CSVError> parsePastedRows(std::string_view text);

/// Where pasted rows are saved for the runs over them: `stateFolder()/pasted`.
std::filesystem::path pastedRowsFolder();

/// Saves pasted rows as a ";" CSV file under a new name in `folder`, both owner-only (the rows
/// may be personal data), so that a run's journal has a file to point at. Returns the file,
/// or the system's description of the failure.
Expected<std::filesystem::path, std::string>
savePastedRows(const CSVData& table, const std::filesystem::path& folder = pastedRowsFolder());

} // namespace keyferry
