#include "app/Commands.h"
#include "model/RunJournal.h"
#include "model/Uuid.h"

#include <ostream>

namespace keyferry {

namespace {

bool isOfTemplate(const RunHeader& header, const std::string& nameOrID) {
    const auto id = Uuid::parse(nameOrID);
    if (id && Uuid::parse(header.templateID) == id)
        return true;
    return header.templateName == nameOrID;
}

// "2026-12-07T16:20:00Z": the start to the second, which is what a person compares.
std::string startedToTheSecond(const std::string& started) {
    const auto dot = started.find('.');
    if (dot == std::string::npos || !started.ends_with('Z'))
        return started;
    return started.substr(0, dot) + "Z";
}

// "verified 18, mismatch 1, stopped 1", over the last attempt of each entry.
std::string countsText(const RunJournal& journal) {
    const RunSummary tally = journal.tally();
    std::string text;
    for (const RowStatus status : allRowStatuses) {
        if (tally.count(status) == 0)
            continue;
        if (!text.empty())
            text += ", ";
        text += std::string(rawValue(status)) + " " + std::to_string(tally.count(status));
    }
    return text.empty() ? "no row attempted" : text;
}

} // namespace

int runRunsCommand(const RunsCommandOptions& options, std::ostream& out, std::ostream& err) {
    std::vector<std::string> skipped;
    const auto journals = listRunJournals(runJournalFolder(), &skipped);
    if (!journals) {
        err << journals.error() << '\n';
        return 1;
    }
    for (const std::string& problem : skipped)
        err << "Skipped " << problem << '\n';

    std::size_t listed = 0;
    for (const RunJournal& journal : *journals) {
        const RunHeader& header = journal.header;
        if (options.templateNameOrID && !isOfTemplate(header, *options.templateNameOrID))
            continue;
        ++listed;
        out << startedToTheSecond(header.started) << "  " << header.templateName << "  entries "
            << (header.entries.empty() ? "none" : formatEntryList(header.entries)) << "  "
            << countsText(journal) << (journal.summary ? "" : " (no end recorded)") << "  "
            << journal.file.string() << '\n';
    }
    if (listed == 0) {
        if (options.templateNameOrID)
            out << "No runs of \"" << *options.templateNameOrID << "\" yet.\n";
        else
            out << "No runs yet.\n";
    }
    return 0;
}

} // namespace keyferry
