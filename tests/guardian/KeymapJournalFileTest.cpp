#include <gtest/gtest.h>
// After GoogleTest, which Xlib's None and Bool macros would break.
#include "platform/x11/KeymapJournalFile.h"
#include "support/TemporaryFolder.h"

#include <algorithm>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using keyferry::testing::readText;
using keyferry::testing::TemporaryFolder;
using keyferry::testing::writeText;
using keyferry::x11::BorrowedKeycode;
using keyferry::x11::KeymapJournalFile;

namespace {

KeymapJournalFile::Contents twoKeycodes(std::string display = ":1") {
    return {std::move(display),
            {{93, {0x1000439, 0x1000439}, {0, 0, 0, 0, 0, 0, 0}}, {97, {0x10020AC}, {}}}};
}

std::set<std::string> namesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST(KeymapJournalFile, FormatAndParseRoundTrip) {
    const auto contents = twoKeycodes("localhost:10.0");
    const std::string text = KeymapJournalFile::format(contents);
    EXPECT_EQ(text, "Keyferry keymap journal 1\n"
                    "display localhost:10.0\n"
                    "93 1000439,1000439 0,0,0,0,0,0,0\n"
                    "97 10020ac -\n");
    EXPECT_EQ(KeymapJournalFile::parse(text), contents);
}

TEST(KeymapJournalFile, ParseRejectsForeignOrDamagedText) {
    const std::string good = KeymapJournalFile::format(twoKeycodes());
    EXPECT_TRUE(KeymapJournalFile::parse(good));
    for (const std::string& text :
         {std::string(), std::string("Keyferry keymap journal 2\ndisplay :1\n"),
          std::string("Keyferry keymap journal 1\n"),
          std::string("Keyferry keymap journal 1\ndisplay \n"),
          std::string("Keyferry keymap journal 1\n93 1 0\n"), good.substr(0, good.size() - 1),
          good + "garbage\n"})
        EXPECT_FALSE(KeymapJournalFile::parse(text)) << text;
}

TEST(KeymapJournalFile, UpdateReplacesTheFileAndRemovesItWhenNothingIsBound) {
    TemporaryFolder folder;
    KeymapJournalFile file(folder.path(), 7);
    EXPECT_EQ(file.path().filename(), "keymap-" + std::to_string(::getpid()) + "-7.journal");
    EXPECT_EQ(KeymapJournalFile::ownerOf(file.path()), ::getpid());

    ASSERT_TRUE(file.update(twoKeycodes()));
    EXPECT_EQ(KeymapJournalFile::parse(readText(file.path())), twoKeycodes());
    struct stat info {};
    ASSERT_EQ(::stat(file.path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    auto fewer = twoKeycodes();
    fewer.borrowed.pop_back();
    ASSERT_TRUE(file.update(fewer));
    EXPECT_EQ(KeymapJournalFile::parse(readText(file.path())), fewer);
    EXPECT_EQ(namesIn(folder.path()).size(), 1u); // no temporary file left beside it

    ASSERT_TRUE(file.update({":1", {}}));
    EXPECT_TRUE(namesIn(folder.path()).empty());
}

TEST(KeymapJournalFile, DisplayNamesOfOneServerAreTheSame) {
    EXPECT_TRUE(KeymapJournalFile::sameDisplay(":1", ":1.0"));
    EXPECT_TRUE(KeymapJournalFile::sameDisplay("unix:1", ":1"));
    EXPECT_TRUE(KeymapJournalFile::sameDisplay("host:2.1", "host:2"));
    EXPECT_FALSE(KeymapJournalFile::sameDisplay(":1", ":10"));
    EXPECT_FALSE(KeymapJournalFile::sameDisplay("host:1", ":1"));
}

// Only files of ended processes on this display are handed out; what their processes may
// still be writing, and what another display's Keyferry may still need, stay.
TEST(KeymapJournalFile, LeftoversAreFilesOfEndedProcessesOfThisDisplay) {
    TemporaryFolder folder;
    const auto& dir = folder.path();
    writeText(dir / "keymap-100-1.journal", KeymapJournalFile::format(twoKeycodes(":1")));
    writeText(dir / "keymap-200-1.journal", KeymapJournalFile::format(twoKeycodes(":1")));
    writeText(dir / "keymap-300-1.journal", KeymapJournalFile::format(twoKeycodes(":2")));
    writeText(dir / "keymap-400-1.journal", "not a journal");
    writeText(dir / "keymap-500-1.journal.tmp", "half");
    writeText(dir / "keymap-600-1.journal.tmp", "half");
    writeText(dir / "keymap-x-1.journal", "");
    writeText(dir / "notes.txt", "");
    const std::set<pid_t> running = {200, 600};
    std::vector<pid_t> asked;
    const auto isRunning = [&](pid_t pid) {
        asked.push_back(pid);
        return running.contains(pid);
    };

    auto leftovers = KeymapJournalFile::leftovers(dir, ":1.0", isRunning);
    std::ranges::sort(leftovers, {}, &KeymapJournalFile::Leftover::path);
    ASSERT_EQ(leftovers.size(), 2u);
    EXPECT_EQ(leftovers[0].path, dir / "keymap-100-1.journal");
    EXPECT_EQ(leftovers[0].contents, twoKeycodes(":1"));
    EXPECT_EQ(leftovers[1].path, dir / "keymap-400-1.journal");
    EXPECT_FALSE(leftovers[1].contents);

    EXPECT_EQ(namesIn(dir), (std::set<std::string>{"keymap-100-1.journal", "keymap-200-1.journal",
                                                   "keymap-300-1.journal", "keymap-400-1.journal",
                                                   "keymap-600-1.journal.tmp", "keymap-x-1.journal",
                                                   "notes.txt"}));
    std::ranges::sort(asked);
    EXPECT_EQ(asked, (std::vector<pid_t>{100, 200, 300, 400, 500, 600}));
}
