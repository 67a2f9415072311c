#include "model/RunJournal.h"

#include "support/HangGuard.h"
#include "support/TemporaryFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

using namespace keyferry;
using keyferry::testing::readText;
using keyferry::testing::TemporaryFolder;
using keyferry::testing::writeText;

namespace {

EntryList range(std::size_t first, std::size_t last) {
    EntryList entries;
    for (std::size_t entry = first; entry <= last; ++entry)
        entries.push_back(entry);
    return entries;
}

RunHeader sampleHeader() {
    RunHeader header;
    header.templateID = "0B2D3E4F-1111-4222-8333-444455556666";
    header.templateName = "Addresses \"Nord\"";
    header.csvPath = "/home/ann/people.csv";
    header.csvSHA256 = std::string(64, 'a');
    header.started = "2026-12-07T16:20:00.123Z";
    header.entries = range(1, 5);
    return header;
}

RowOutcome outcome(std::size_t entry, RowStatus status) {
    RowOutcome row;
    row.entry = entry;
    row.status = status;
    return row;
}

unsigned permissions(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// The journal's lines with the given number of whole lines kept and `cut` bytes of the next.
std::string firstLines(const std::string& text, std::size_t lines, std::size_t cut = 0) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < lines; ++i)
        end = text.find('\n', end) + 1;
    return text.substr(0, end + cut);
}

} // namespace

TEST(EntryList, ParsesGoodListsSortedWithoutDuplicates) {
    const struct {
        const char* text;
        EntryList entries;
    } cases[] = {
        {"3", {3}},
        {"3,7-9", {3, 7, 8, 9}},
        {" 3 , 7 - 9 ", {3, 7, 8, 9}},
        {"9,3,3-4", {3, 4, 9}},
        {"1-3,2-5", range(1, 5)},
        {"5-5", {5}},
        {"10-12,1", {1, 10, 11, 12}},
        {"007", {7}},
        {"10000000", {maxEntryNumber}},
    };
    for (const auto& c : cases) {
        const auto parsed = parseEntryList(c.text);
        ASSERT_TRUE(parsed.hasValue()) << c.text << ": " << parsed.error();
        EXPECT_EQ(*parsed, c.entries) << c.text;
    }
}

TEST(EntryList, RefusesBadListsNamingTheBadItem) {
    const struct {
        const char* text;
        const char* message; // a part of the message
    } cases[] = {
        {"", "No entries given"},
        {"  ", "No entries given"},
        {"3,,5", "\"3,,5\" is empty"},
        {"3,", "\"3,\" is empty"},
        {"x", "\"x\" is not an entry number"},
        {"3,seven", "\"seven\" is not an entry number"},
        {"3-", "\"3-\" is not an entry number"},
        {"-3", "\"-3\" is not an entry number"},
        {"1-2-3", "\"1-2-3\" is not an entry number"},
        {"+3", "\"+3\" is not an entry number"},
        {"1.5", "\"1.5\" is not an entry number"},
        {"3;4", "\"3;4\" is not an entry number"},
        {"0", "\"0\": entries are counted from 1"},
        {"4,0-2", "\"0-2\": entries are counted from 1"},
        {"9-7", "\"9-7\" runs backwards"},
        {"10000001", "\"10000001\": entries go up to 10000000"},
        {"1-99999999999999999999999", "\"1-99999999999999999999999\": entries go up to"},
    };
    for (const auto& c : cases) {
        const auto parsed = parseEntryList(c.text);
        ASSERT_FALSE(parsed.hasValue()) << c.text;
        EXPECT_NE(parsed.error().find(c.message), std::string::npos)
            << c.text << " gave: " << parsed.error();
    }
}

TEST(EntryList, FormatsRangesCompactlyAndParsesBack) {
    EntryList twentyAnd25 = range(1, 20);
    twentyAnd25.push_back(25);
    const struct {
        EntryList entries;
        const char* text;
    } cases[] = {
        {{}, ""},
        {{5}, "5"},
        {{1, 2}, "1-2"},
        {twentyAnd25, "1-20,25"},
        {{3, 7, 8, 9}, "3,7-9"},
        {{1, 3, 5, 6, 7, 10}, "1,3,5-7,10"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatEntryList(c.entries), c.text);
        if (!c.entries.empty()) {
            const auto back = parseEntryList(formatEntryList(c.entries));
            ASSERT_TRUE(back.hasValue()) << c.text;
            EXPECT_EQ(*back, c.entries) << c.text;
        }
    }
}

TEST(RowStatusWords, RoundTripAndRefuseUnknown) {
    for (const RowStatus status : allRowStatuses)
        EXPECT_EQ(rowStatusFrom(rawValue(status)), status) << rawValue(status);
    EXPECT_EQ(rawValue(RowStatus::mismatch), "mismatch");
    EXPECT_FALSE(rowStatusFrom("Verified"));
    EXPECT_FALSE(rowStatusFrom(""));
}

TEST(RunJournalFile, WritesAndReadsBackOwnerOnly) {
    TemporaryFolder temp;
    const auto folder = temp.path() / "state" / "Keyferry" / "runs";
    const RunHeader header = sampleHeader();
    auto writer = JournalWriter::create(folder, header);
    ASSERT_TRUE(writer.hasValue()) << writer.error();

    RowOutcome mismatch = outcome(2, RowStatus::mismatch);
    mismatch.field = "City";
    mismatch.message = "The field shows something else";
    mismatch.expected = "K\u00F6ln";
    mismatch.shown = "Koln";
    RowOutcome failed = outcome(3, RowStatus::failed);
    failed.message = "Target app not found!";
    RowOutcome verified = outcome(1, RowStatus::verified);
    verified.fieldsVerified = 3;
    RowOutcome entered = outcome(4, RowStatus::entered);
    entered.fieldsVerified = 1;
    entered.fieldsUnread = 2; // a password field and a spreadsheet cell, say
    const std::vector<RowOutcome> rows = {verified, mismatch, failed, entered};
    for (const RowOutcome& row : rows)
        EXPECT_FALSE(writer->append(row));
    RunSummary summary;
    summary.ended = "stopped";
    summary.message = "Stopped by the user";
    summary.counts = {1, 1, 1, 0, 0, 1};
    EXPECT_FALSE(writer->finish(summary));

    EXPECT_EQ(permissions(folder), 0700u);
    EXPECT_EQ(permissions(writer->file()), 0600u);
    EXPECT_EQ(writer->file().parent_path(), folder);
    const std::regex name(R"(\d{4}-\d\d-\d\dT\d\d-\d\d-\d\d\.\d{3}Z-[0-9a-f]{8}\.jsonl)");
    EXPECT_TRUE(std::regex_match(writer->file().filename().string(), name))
        << writer->file().filename();

    const auto journal = readRunJournal(writer->file());
    ASSERT_TRUE(journal.hasValue()) << journal.error();
    EXPECT_EQ(journal->file, writer->file());
    EXPECT_EQ(journal->header, header);
    ASSERT_EQ(journal->rows.size(), rows.size());
    const std::regex iso(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z)");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(journal->rows[i].outcome, rows[i]) << i;
        EXPECT_TRUE(std::regex_match(journal->rows[i].time, iso)) << journal->rows[i].time;
    }
    EXPECT_EQ(journal->summary, summary);

    // A second run gets its own file beside the first, and an existing folder that is
    // open to others is narrowed to its owner.
    ASSERT_EQ(::chmod(folder.c_str(), 0755), 0);
    auto second = JournalWriter::create(folder, header);
    ASSERT_TRUE(second.hasValue()) << second.error();
    EXPECT_NE(second->file(), writer->file());
    EXPECT_EQ(permissions(folder), 0700u);
}

TEST(RunJournalFile, LinesHaveTheirOwnKeysAndNoCellValueButAMismatchs) {
    TemporaryFolder temp;
    auto writer = JournalWriter::create(temp.path(), sampleHeader());
    ASSERT_TRUE(writer.hasValue()) << writer.error();
    // Cell values handed in on rows that are not mismatches are left out.
    for (const RowStatus status : allRowStatuses) {
        RowOutcome row = outcome(1, status);
        row.expected = "cell-typed-" + std::string(rawValue(status));
        row.shown = "cell-shown-" + std::string(rawValue(status));
        EXPECT_FALSE(writer->append(row));
    }
    EXPECT_FALSE(writer->finish(RunSummary{"finished", std::nullopt, {}}));

    const std::string text = readText(writer->file());
    EXPECT_NE(text.find("\"expected\":\"cell-typed-mismatch\",\"shown\":\"cell-shown-mismatch\""),
              std::string::npos)
        << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + allRowStatuses.size()) << text;
    for (const char* status :
         {"entered", "verified", "paused", "stopped", "failed", "wrong field"}) {
        EXPECT_EQ(text.find(std::string("cell-typed-") + status), std::string::npos) << text;
        EXPECT_EQ(text.find(std::string("cell-shown-") + status), std::string::npos) << text;
    }
    EXPECT_TRUE(text.starts_with(
        "{\"run\":{\"templateID\":\"0B2D3E4F-1111-4222-8333-444455556666\",\"templateName\":"
        "\"Addresses \\\"Nord\\\"\",\"csvPath\":\"/home/ann/people.csv\",\"csvSHA256\":\"" +
        std::string(64, 'a') +
        "\",\"started\":\"2026-12-07T16:20:00.123Z\",\"entries\":\"1-5\",\"firstEntry\":1,"
        "\"lastEntry\":5}}\n{\"entry\":1,\"status\":\"entered\",\"time\":\""))
        << text;
    EXPECT_NE(text.find("\n{\"summary\":{\"ended\":\"finished\",\"counts\":{\"entered\":0,"
                        "\"verified\":0,\"mismatch\":0,\"paused\":0,\"stopped\":0,\"failed\":0,"
                        "\"wrong field\":0,\"refused\":0},"
                        "\"time\":\""),
              std::string::npos)
        << text;
}

TEST(RunJournalFile, IgnoresACutLastLineAndNamesABadLine) {
    TemporaryFolder temp;
    auto writer = JournalWriter::create(temp.path(), sampleHeader());
    ASSERT_TRUE(writer.hasValue()) << writer.error();
    for (std::size_t entry = 1; entry <= 3; ++entry)
        EXPECT_FALSE(writer->append(outcome(entry, RowStatus::entered)));
    const std::string whole = readText(writer->file()); // header and three rows
    const auto file = temp.path() / "edited.jsonl";

    // A crash cut the fourth line (the third row) at various points, or before its break.
    const std::string thirdRow = whole.substr(firstLines(whole, 3).size());
    for (const std::size_t cut : {std::size_t{1}, thirdRow.size() / 2, thirdRow.size() - 1}) {
        writeText(file, firstLines(whole, 3, cut));
        const auto journal = readRunJournal(file);
        ASSERT_TRUE(journal.hasValue()) << cut << ": " << journal.error();
        EXPECT_EQ(journal->rows.size(), 2u) << cut;
        EXPECT_FALSE(journal->summary);
    }

    const struct {
        std::string text;
        const char* message;
    } bad[] = {
        {firstLines(whole, 2) + "{\"entry\":2,\"sta\n" +
             firstLines(whole, 4).substr(firstLines(whole, 2).size()),
         ":3: "},
        {firstLines(whole, 2) + "{\"entry\":2,\"status\":\"done\",\"time\":\"t\"}\n",
         ":3: \"status\" \"done\" is not a row status"},
        {firstLines(whole, 1) + "{\"entry\":0,\"status\":\"entered\",\"time\":\"t\"}\n",
         ":2: \"entry\" is 0"},
        {firstLines(whole, 1) + "{\"entry\":\"1\",\"status\":\"entered\",\"time\":\"t\"}\n",
         ":2: \"entry\" is not a whole number"},
        {firstLines(whole, 1) + "{\"entry\":1,\"status\":\"entered\"}\n",
         ":2: \"time\" is missing"},
        {firstLines(whole, 1) +
             "{\"entry\":1,\"status\":\"entered\",\"fields\":3,\"time\":\"t\"}\n",
         ":2: \"fields\" is not an object"},
        {firstLines(whole, 1) +
             "{\"entry\":1,\"status\":\"entered\",\"fields\":{\"verified\":-1,\"unread\":0},"
             "\"time\":\"t\"}\n",
         ":2: \"verified\" is not a whole number"},
        {firstLines(whole, 1) + "[1,2]\n", ":2: not a JSON object"},
        {firstLines(whole, 1) + "{\"other\":1}\n", ":2: neither a run header"},
        {firstLines(whole, 1) + firstLines(whole, 1), ":2: a second run header"},
        {firstLines(whole, 4).substr(firstLines(whole, 1).size()), ":1: the journal does not"},
        {"", "no run header"},
        {firstLines(whole, 1) +
             "{\"summary\":{\"ended\":\"finished\",\"counts\":{},\"time\":\"t\"}}\n" +
             firstLines(whole, 2).substr(firstLines(whole, 1).size()),
         ":3: comes after the summary"},
        {"{\"run\":{\"templateID\":\"a\",\"templateName\":\"b\",\"csvPath\":\"c\",\"csvSHA256\":"
         "\"d\",\"started\":\"e\",\"entries\":\"3,x\"}}\n",
         ":1: \"entries\": \"x\" is not an entry number"},
    };
    for (const auto& c : bad) {
        writeText(file, c.text);
        const auto journal = readRunJournal(file);
        ASSERT_FALSE(journal.hasValue()) << c.text;
        EXPECT_NE(journal.error().find(c.message), std::string::npos)
            << c.text << " gave: " << journal.error();
        EXPECT_NE(journal.error().find(file.string()), std::string::npos) << journal.error();
    }
    EXPECT_FALSE(readRunJournal(temp.path() / "missing.jsonl").hasValue());
}

TEST(RunJournalFile, UnfinishedEntriesAndTallyTakeEachEntrysLastAttempt) {
    RunJournal journal;
    journal.header = sampleHeader(); // entries 1 to 5
    const std::pair<std::size_t, RowStatus> attempts[] = {
        {1, RowStatus::failed},  {1, RowStatus::verified}, {2, RowStatus::mismatch},
        {3, RowStatus::entered}, {4, RowStatus::entered},  {4, RowStatus::stopped},
        {9, RowStatus::paused}, // not one of the run's entries: counted, never retried
    };
    for (const auto& [entry, status] : attempts)
        journal.rows.push_back({outcome(entry, status), "2026-12-07T16:20:01.000Z"});

    EXPECT_EQ(journal.unfinishedEntries(), (EntryList{2, 4, 5}));
    RunSummary tally = journal.tally();
    EXPECT_EQ(tally.count(RowStatus::verified), 1u);
    EXPECT_EQ(tally.count(RowStatus::entered), 1u);
    EXPECT_EQ(tally.count(RowStatus::mismatch), 1u);
    EXPECT_EQ(tally.count(RowStatus::stopped), 1u);
    EXPECT_EQ(tally.count(RowStatus::paused), 1u);
    EXPECT_EQ(tally.count(RowStatus::failed), 0u);
    EXPECT_EQ(tally.ended, "");

    journal.summary = RunSummary{"stopped", "Stopped", {9, 9, 9, 9, 9, 9}};
    tally = journal.tally();
    EXPECT_EQ(tally.ended, "stopped");
    EXPECT_EQ(tally.message, "Stopped");
    EXPECT_EQ(tally.count(RowStatus::verified), 1u) << "the rows count, not the summary";

    journal.rows.clear();
    EXPECT_EQ(journal.unfinishedEntries(), range(1, 5));
}

TEST(RunJournalFolder, ListsJournalsOldestFirstAndNamesUnreadableOnes) {
    TemporaryFolder temp;
    const auto folder = temp.path() / "runs";
    auto none = listRunJournals(folder);
    ASSERT_TRUE(none.hasValue()) << none.error();
    EXPECT_TRUE(none->empty());

    RunHeader first = sampleHeader();
    first.templateName = "First";
    RunHeader second = sampleHeader();
    second.templateName = "Second";
    auto firstWriter = JournalWriter::create(folder, first);
    ASSERT_TRUE(firstWriter.hasValue()) << firstWriter.error();
    auto secondWriter = JournalWriter::create(folder, second);
    ASSERT_TRUE(secondWriter.hasValue()) << secondWriter.error();
    // Names decide the order, not the order of creation within a millisecond.
    const auto older = folder / "2000-01-01T00-00-00.000Z-00000000.jsonl";
    std::filesystem::rename(secondWriter->file(), older);
    writeText(folder / "2001-01-01T00-00-00.000Z-00000000.jsonl", "not json\n");
    writeText(folder / "notes.txt", "not a journal");

    std::vector<std::string> skipped;
    const auto listed = listRunJournals(folder, &skipped);
    ASSERT_TRUE(listed.hasValue()) << listed.error();
    ASSERT_EQ(listed->size(), 2u);
    EXPECT_EQ((*listed)[0].header.templateName, "Second");
    EXPECT_EQ((*listed)[0].file, older);
    EXPECT_EQ((*listed)[1].header.templateName, "First");
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_NE(skipped[0].find("2001-01-01T00-00-00.000Z-00000000.jsonl:1:"), std::string::npos)
        << skipped[0];

    const auto notAFolder = temp.path() / "file";
    writeText(notAFolder, "x");
    EXPECT_FALSE(listRunJournals(notAFolder).hasValue());
    EXPECT_FALSE(JournalWriter::create(notAFolder / "runs", first).hasValue());
    if (::geteuid() != 0) { // root reads any folder
        ASSERT_EQ(::chmod(folder.c_str(), 0), 0);
        const auto locked = listRunJournals(folder);
        ASSERT_FALSE(locked.hasValue());
        EXPECT_NE(locked.error().find(folder.string()), std::string::npos) << locked.error();
    }
}

TEST(RunJournalFolder, FollowsAnAbsoluteStateHome) {
    const char* saved = std::getenv("XDG_STATE_HOME");
    const std::optional<std::string> previous = saved ? std::optional(saved) : std::nullopt;
    ::setenv("XDG_STATE_HOME", "/var/tmp/state", 1);
    EXPECT_EQ(runJournalFolder(), std::filesystem::path("/var/tmp/state/Keyferry/runs"));
    // A relative value is invalid for an XDG variable: the default applies.
    ::setenv("XDG_STATE_HOME", "relative/state", 1);
    if (const char* home = std::getenv("HOME"); home && *home) {
        EXPECT_EQ(runJournalFolder(), std::filesystem::path(home) / ".local/state/Keyferry/runs");
    }
    if (previous)
        ::setenv("XDG_STATE_HOME", previous->c_str(), 1);
    else
        ::unsetenv("XDG_STATE_HOME");
}

TEST(Sha256, KnownVectors) {
    TemporaryFolder temp;
    const struct {
        std::string bytes;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // Larger than one read, so the digest spans several updates.
        {std::string(1'000'000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) {
        const auto file = temp.path() / "bytes";
        writeText(file, c.bytes);
        const auto digest = sha256OfFile(file);
        ASSERT_TRUE(digest.hasValue()) << digest.error();
        EXPECT_EQ(*digest, c.digest) << c.bytes.size() << " bytes";
    }
    const auto missing = sha256OfFile(temp.path() / "missing.csv");
    ASSERT_FALSE(missing.hasValue());
    EXPECT_NE(missing.error().find("missing.csv"), std::string::npos) << missing.error();

    // A named pipe without a writer, or a folder, in the CSV's place: a clear error at once.
    const auto fifo = temp.path() / "rows.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& path : {fifo, temp.path()}) {
        const auto answer = keyferry::testing::finishesWithin(5, [&] {
            const auto digest = sha256OfFile(path);
            return digest.hasValue() ? std::string("a digest") : digest.error();
        });
        ASSERT_TRUE(answer) << path << " held the check up";
        EXPECT_NE(answer->find("not a regular file"), std::string::npos) << *answer;
    }
}
