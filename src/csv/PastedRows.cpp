#include "csv/PastedRows.h"

#include "csv/ImportTableParser.h"
#include "model/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <sys/random.h>

namespace keyferry {

namespace {

// Spreadsheets on other systems end rows with "\r\n"; a line break inside a cell is "\n"
// everywhere, so dropping the "\r" of every "\r\n" changes no cell.
std::string withLineFeeds(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            lines += text[i];
    return lines;
}

// "pasted-2026-12-08T10-53-03-1a2b3c4d.csv": sorted by time, and two pastes in one second
// still get two files, so no journal's file is ever written over.
std::string newFileName() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H-%M-%S", &utc);
    std::uint32_t random = 0;
    if (::getrandom(&random, sizeof random, 0) != static_cast<ssize_t>(sizeof random))
        random = static_cast<std::uint32_t>(std::clock()) ^ static_cast<std::uint32_t>(now);
    char name[64];
    std::snprintf(name, sizeof name, "pasted-%s-%08x.csv", stamp, random);
    return name;
}

} // namespace

Expected<CSVData, CSVError> parsePastedRows(std::string_view text) {
    return ImportTableParser::parse(withLineFeeds(text), Separator::tab);
}

std::filesystem::path pastedRowsFolder() {
    return stateFolder() / "pasted";
}

Expected<std::filesystem::path, std::string> savePastedRows(const CSVData& table,
                                                            const std::filesystem::path& folder) {
    if (auto problem = ensureOwnerOnlyFolder(folder))
        return Unexpected{std::move(*problem)};
    std::filesystem::path file = folder / newFileName();
    if (auto problem = writeFileAtomically(file, table.exportString(), 0600))
        return Unexpected{std::move(*problem)};
    return file;
}

} // namespace keyferry
