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
