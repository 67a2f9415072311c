#include "app/ChosenEntries.h"

#include <ostream>

namespace keyferry {

namespace {

// The entries of an earlier run still to do, if it ran this template over this same table.
ChosenEntries unfinishedOf(const std::filesystem::path& journalFile, const Template& item,
                           const std::filesystem::path& csvFile, std::ostream& out,
                           std::ostream& err) {
    const auto journal = readRunJournal(journalFile);
    if (!journal) {
        err << "Cannot read the run journal: " << journal.error() << '\n';
        return {std::nullopt, 2};
    }
    const auto& header = journal->header;
    const auto journalTemplate = Uuid::parse(header.templateID);
    if (!journalTemplate || *journalTemplate != item.id) {
        err << "That run used the template \"" << header.templateName << "\" (" << header.templateID
            << "), not \"" << item.name << "\" (" << item.id.toString() << ").\n";
        return {std::nullopt, 2};
    }
    const auto sha = sha256OfFile(csvFile);
    if (!sha) {
        err << sha.error() << '\n';
        return {std::nullopt, 2};
    }
    // Entries are positions in the table: in a changed file they would name other rows.
    if (*sha != header.csvSHA256) {
        err << "The CSV file differs from the one that run used (" << header.csvPath
            << "): its SHA-256 is " << *sha << ", the run's was "
            << (header.csvSHA256.empty() ? "not recorded" : header.csvSHA256)
            << ". Retry with the same file.\n";
        return {std::nullopt, 2};
    }
    EntryList unfinished = journal->unfinishedEntries();
    if (unfinished.empty()) {
        out << "Nothing to retry: every entry of that run was entered.\n";
        return {std::nullopt, 0};
    }
    return {std::move(unfinished), 0};
}

} // namespace

ChosenEntries chooseEntries(const RunCommandOptions& options, const Template& item,
                            std::size_t rowCount, std::ostream& out, std::ostream& err) {
    ChosenEntries chosen;
    if (options.retryJournal) {
        chosen = unfinishedOf(*options.retryJournal, item, options.csvFile, out, err);
    } else if (options.rows) {
        auto parsed = parseEntryList(*options.rows);
        if (!parsed) {
            err << "--rows: " << parsed.error() << '\n';
            return {std::nullopt, 2};
        }
        chosen.entries = std::move(*parsed);
    }
    if (!chosen.entries)
        return chosen;

    EntryList beyond;
    for (const std::size_t entry : *chosen.entries)
        if (entry > rowCount)
            beyond.push_back(entry);
    if (!beyond.empty()) {
        err << (beyond.size() == 1 ? "Entry " : "Entries ") << formatEntryList(beyond)
            << (beyond.size() == 1 ? " is" : " are") << " beyond the table, which has " << rowCount
            << (rowCount == 1 ? " entry.\n" : " entries.\n");
        return {std::nullopt, 2};
    }
    return chosen;
}

} // namespace keyferry
