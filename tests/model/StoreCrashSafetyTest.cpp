#include "model/FileIO.h"
#include "model/FileLock.h"
#include "model/TemplateJson.h"
#include "model/TemplateStore.h"
#include "support/TemporaryFolder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace keyferry;
using keyferry::testing::readText;
using keyferry::testing::TemporaryFolder;
using keyferry::testing::writeText;

namespace {

std::vector<Template> listOf(int count, const std::string& name) {
    std::vector<Template> list(static_cast<std::size_t>(count));
    for (Template& item : list) {
        item.name = name;
        item.steps.assign(20, Step::ofType(StepType::textInput));
    }
    return list;
}

} // namespace

// A process killed in the middle of a save leaves the old list or the new one, never a
// torn or empty file.
TEST(StoreCrashSafety, KilledWhileSavingLeavesOldOrNewList) {
    TemporaryFolder temp;
    const std::vector<Template> oldList = listOf(3, "old");
    const std::vector<Template> newList = listOf(40, "new");
    {
        std::ostringstream diagnostics;
        TemplateStore store(temp.path(), diagnostics);
        store.setTemplates(oldList);
        store.save();
    }

    std::mt19937 random(12345);
    std::uniform_int_distribution<int> killAfterMicroseconds(0, 20000);
    for (int round = 0; round < 60; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::ostringstream diagnostics;
            TemplateStore store(temp.path(), diagnostics);
            for (bool useNew = true;; useNew = !useNew) {
                store.setTemplates(useNew ? newList : oldList);
                store.save();
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(killAfterMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        const auto onDisk = decodeTemplates(readText(temp.path() / "templates.json"));
        ASSERT_TRUE(onDisk.hasValue()) << "round " << round << ": " << onDisk.error();
        EXPECT_TRUE(*onDisk == oldList || *onDisk == newList) << "round " << round;
    }
}

namespace {

std::vector<std::string> temporariesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("templates.json.tmp"))
            names.push_back(entry.path().filename().string());
    return names;
}

} // namespace

// Saves killed midway leave their temporary files; the next start removes exactly those.
TEST(StoreCrashSafety, LeftoversOfKilledSavesAreRemovedAtStart) {
    TemporaryFolder temp;
    const auto file = temp.path() / "templates.json";
    const std::string large(4 << 20, 'x'); // long writes: most kills land inside one
    std::mt19937 random(99);
    std::uniform_int_distribution<int> killAfterMicroseconds(0, 20000);
    for (int round = 0; round < 30; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                (void)writeFileAtomically(file, large);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(killAfterMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
    }
    const auto leftovers = temporariesIn(temp.path());
    ASSERT_FALSE(leftovers.empty()) << "the kills left no temporary file to clean up";
    for (const auto& name : leftovers)
        EXPECT_TRUE(isAtomicWriteTemporary(name, "templates.json")) << name;
    writeText(temp.path() / "templates.json.tmp-kept", "not of the pattern");

    std::ostringstream diagnostics;
    TemplateStore store(temp.path(), diagnostics);
    EXPECT_EQ(temporariesIn(temp.path()), std::vector<std::string>{"templates.json.tmp-kept"});
}

// While another process holds the save lock, a temporary file may be its save under way:
// nothing is removed until a start when nobody holds it.
TEST(StoreCrashSafety, LeftoversStayWhileAnotherProcessHoldsTheSaveLock) {
    TemporaryFolder temp;
    const auto leftover = temp.path() / "templates.json.tmp-a1B2c3";
    writeText(leftover, "half a save");
    int held[2], release[2];
    ASSERT_EQ(::pipe(held), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(held[0]);
        ::close(release[1]);
        const auto lock =
            FileLock::acquire(temp.path() / "templates.json.lock", FileLock::Wait::untilFree);
        const char ready = lock ? 'y' : 'n';
        (void)::write(held[1], &ready, 1);
        char ignored;
        (void)::read(release[0], &ignored, 1); // until the parent closes its end
        ::_exit(0);
    }
    ::close(held[1]);
    ::close(release[0]);
    char ready = 0;
    ASSERT_EQ(::read(held[0], &ready, 1), 1);
    ASSERT_EQ(ready, 'y');
    {
        std::ostringstream diagnostics;
        TemplateStore store(temp.path(), diagnostics);
        EXPECT_TRUE(std::filesystem::exists(leftover)) << "removed under another's lock";
    }
    ::close(release[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(held[0]);

    std::ostringstream diagnostics;
    TemplateStore store(temp.path(), diagnostics);
    EXPECT_FALSE(std::filesystem::exists(leftover)) << "the lock is free again";
}
