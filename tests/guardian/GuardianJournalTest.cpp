#include <gtest/gtest.h>
// After GoogleTest, which Xlib's None and Bool macros would break.
#include "platform/x11/GuardianJournal.h"
#include "platform/x11/KeymapJournalFile.h"
#include "support/TemporaryFolder.h"

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using keyferry::testing::readText;
using keyferry::testing::TemporaryFolder;
using keyferry::testing::writeText;
using keyferry::x11::GuardianJournal;
using keyferry::x11::KeymapJournalFile;

namespace {

// Stands in for keyferry-guardian: answers as FAKE_GUARDIAN says, keeps its arguments and
// everything it is sent in files named after its process.
constexpr const char* fakeGuardian = R"(#!/bin/sh
dir=$(dirname "$0")
printf '%s\n' "$@" > "$dir/arguments-$$"
case "$FAKE_GUARDIAN" in
    error) printf 'error cannot open display nowhere:0\n' >&3; exit 1 ;;
    quit) exit 0 ;;
    old) printf 'ready 0\n' >&3; exec cat <&3 >/dev/null ;;
    silent) exec sleep 60 ;;
esac
printf 'ready 1\n' >&3
exec cat <&3 > "$dir/received-$$"
)";

class GuardianJournalTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"KEYFERRY_GUARDIAN", "XDG_RUNTIME_DIR", "FAKE_GUARDIAN"})
            if (const char* value = std::getenv(name))
                saved_.emplace_back(name, value);
        guardian_ = programs_.path() / "guardian";
        writeText(guardian_, fakeGuardian);
        ::chmod(guardian_.c_str(), 0755);
        ::setenv("KEYFERRY_GUARDIAN", guardian_.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
        ::unsetenv("FAKE_GUARDIAN");
    }
    void TearDown() override {
        for (const char* name : {"KEYFERRY_GUARDIAN", "XDG_RUNTIME_DIR", "FAKE_GUARDIAN"})
            ::unsetenv(name);
        for (const auto& [name, value] : saved_)
            ::setenv(name.c_str(), value.c_str(), 1);
    }

    std::string received(pid_t guardian) const {
        return readText(programs_.path() / ("received-" + std::to_string(guardian)));
    }
    std::string arguments(pid_t guardian) const {
        return readText(programs_.path() / ("arguments-" + std::to_string(guardian)));
    }
    std::vector<pid_t> started() const {
        std::vector<pid_t> pids;
        for (const auto& entry : std::filesystem::directory_iterator(programs_.path())) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with("arguments-"))
                pids.push_back(std::stoi(name.substr(10)));
        }
        return pids;
    }
    /// A failed start, from its failure text.
    std::string failureWith(const char* mode) {
        ::setenv("FAKE_GUARDIAN", mode, 1);
        GuardianJournal journal("test:0");
        journal.pressing(50);
        EXPECT_FALSE(journal.commit());
        EXPECT_EQ(journal.guardianProcess(), -1);
        return journal.failure();
    }

    TemporaryFolder programs_, runtime_;
    std::filesystem::path guardian_;
    std::vector<std::pair<std::string, std::string>> saved_;
};

} // namespace

TEST_F(GuardianJournalTest, NothingNotedStartsNothing) {
    GuardianJournal journal("test:0");
    EXPECT_TRUE(journal.commit());
    EXPECT_EQ(journal.guardianProcess(), -1);
    EXPECT_TRUE(started().empty());
}

TEST_F(GuardianJournalTest, GuardianLearnsEveryNoteInOrderAndTheEnd) {
    pid_t guardian = -1;
    {
        GuardianJournal journal("test:0");
        journal.binding(93, {0, 0}, {0x1000439, 0x1000439});
        journal.pressing(50);
        journal.pressing(93);
        ASSERT_TRUE(journal.commit()) << journal.failure();
        guardian = journal.guardianProcess();
        ASSERT_GT(guardian, 0);
        journal.released(93);
        journal.released(50);
        journal.pressingButton(1);
        ASSERT_TRUE(journal.commit());
        EXPECT_EQ(journal.guardianProcess(), guardian);
        EXPECT_TRUE(journal.failure().empty());
        // Noted after the last commit: delivered with the end.
        journal.releasedButton(1);
        journal.restored(93);
        EXPECT_EQ(arguments(guardian),
                  "--display\ntest:0\n--journal\n" + journal.journalFile()->string() + "\n");
    }
    // The destructor waits for the guardian, which has then written all it received.
    EXPECT_EQ(received(guardian), "bind 93 1000439,1000439 0,0\n"
                                  "press 50\n"
                                  "press 93\n"
                                  "release 93\n"
                                  "release 50\n"
                                  "press-button 1\n"
                                  "release-button 1\n"
                                  "restore 93\n"
                                  "end\n");
    EXPECT_EQ(::kill(guardian, 0), -1) << "the guardian was not reaped";
}

// A guardian that has gone (killed by someone) is replaced by one that learns all that is
// held and bound at once, not only the notes since the last commit.
TEST_F(GuardianJournalTest, GuardianThatHasGoneIsReplacedWithTheWholeState) {
    GuardianJournal journal("test:0");
    journal.binding(93, {0}, {0x1000439});
    journal.pressing(50);
    ASSERT_TRUE(journal.commit());
    const pid_t first = journal.guardianProcess();
    const std::string firstState = "bind 93 1000439 0\npress 50\n";
    for (int tries = 0; tries < 200 && received(first) != firstState; ++tries)
        ::usleep(10000);
    EXPECT_EQ(received(first), firstState);
    ASSERT_EQ(::kill(first, SIGKILL), 0);
    siginfo_t info{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(first), &info, WEXITED | WNOWAIT), 0);

    journal.pressing(38);
    ASSERT_TRUE(journal.commit()) << journal.failure();
    const pid_t second = journal.guardianProcess();
    EXPECT_NE(second, first);
    journal.released(38);
    journal.released(50);
    journal.restored(93);
    ASSERT_TRUE(journal.commit());
    EXPECT_EQ(started().size(), 2u);
    // Its end is read once the journal has let it go.
    const std::string expected = "bind 93 1000439 0\npress 50\npress 38\n"
                                 "release 38\nrelease 50\nrestore 93\n";
    for (int tries = 0; tries < 200 && received(second) != expected; ++tries)
        ::usleep(10000);
    EXPECT_EQ(received(second), expected);
}

TEST_F(GuardianJournalTest, FailureSaysWhyTheGuardianCouldNotStart) {
    EXPECT_EQ(failureWith("error"),
              "the keyboard guardian could not start (cannot open display nowhere:0)");
    EXPECT_EQ(failureWith("quit"), "the keyboard guardian could not start (it ended before it "
                                   "was ready)");
    EXPECT_EQ(failureWith("old"),
              "the keyboard guardian could not start (it is of another version)");

    ::setenv("KEYFERRY_GUARDIAN", (programs_.path() / "missing").c_str(), 1);
    EXPECT_EQ(failureWith("none"),
              "the keyboard guardian could not start (keyferry-guardian was not found)");
}

TEST_F(GuardianJournalTest, GuardianThatDoesNotAnswerIsEndedAndTheCommitFails) {
    EXPECT_EQ(failureWith("silent"), "the keyboard guardian could not start (it did not answer)");
    const auto pids = started();
    ASSERT_EQ(pids.size(), 1u);
    EXPECT_EQ(::kill(pids[0], 0), -1) << "the silent guardian still runs or was not reaped";
}

TEST_F(GuardianJournalTest, JournalFileListsTheBoundKeycodesWhileAnyIsBound) {
    GuardianJournal journal("test:3");
    const auto file = journal.journalFile();
    ASSERT_TRUE(file);
    EXPECT_EQ(file->parent_path(), runtime_.path() / "Keyferry");
    struct stat folder {};
    ASSERT_EQ(::stat(file->parent_path().c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    EXPECT_EQ(KeymapJournalFile::ownerOf(*file), ::getpid());

    journal.binding(93, {0, 0}, {0x1000439, 0x1000439});
    EXPECT_FALSE(std::filesystem::exists(*file)); // written when the binding is committed
    ASSERT_TRUE(journal.commit());
    EXPECT_EQ(KeymapJournalFile::parse(readText(*file)),
              (KeymapJournalFile::Contents{"test:3", {{93, {0x1000439, 0x1000439}, {0, 0}}}}));

    journal.binding(97, {0}, {0x10020AC});
    journal.restored(93);
    ASSERT_TRUE(journal.commit());
    EXPECT_EQ(KeymapJournalFile::parse(readText(*file)),
              (KeymapJournalFile::Contents{"test:3", {{97, {0x10020AC}, {0}}}}));

    journal.restored(97); // the last one: gone without waiting for a commit
    EXPECT_FALSE(std::filesystem::exists(*file));
}

TEST_F(GuardianJournalTest, WithoutRuntimeDirectoryThereIsNoFileButStillAGuardian) {
    ::unsetenv("XDG_RUNTIME_DIR");
    GuardianJournal journal("test:0");
    EXPECT_FALSE(journal.journalFile());
    journal.binding(93, {0}, {0x1000439});
    ASSERT_TRUE(journal.commit()) << journal.failure();
    EXPECT_EQ(arguments(journal.guardianProcess()), "--display\ntest:0\n");
}

TEST_F(GuardianJournalTest, BuiltGuardianIsFoundWithoutTheOverride) {
    ::unsetenv("KEYFERRY_GUARDIAN");
    const auto found = GuardianJournal::locateGuardian();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->filename(), "keyferry-guardian");
    EXPECT_EQ(::access(found->c_str(), X_OK), 0);
}
