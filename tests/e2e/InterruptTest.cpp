#include "TrustDesktop.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>

using namespace keyferry;
using namespace keyferry::testing;

namespace {

constexpr int tries = 3;

class InterruptTest : public ::testing::TestWithParam<int> {};

} // namespace

// Ctrl+C (SIGINT) or SIGTERM while a field is being typed: the run stops there. At most the
// character already on its way arrives after the signal, and neither the Tab that ends the
// field nor the row's Return is pressed. The signal comes right after the target has
// received a character, at a random point of the field, a few times.
TEST_P(InterruptTest, SignalStopsTypingWithinOneCharacter) {
    const int signalNumber = GetParam();
    TemporaryFolder temp;
    XSession x;
    ASSERT_TRUE(x.connected());
    ASSERT_TRUE(x.windowManagerResponds()) << "the window manager is still busy";
    const auto targetFile = temp.path() / "target.txt";
    Process target(catTerminal(targetFile, {"-title", "Target", "-geometry", "80x20+20+80"}));
    const auto targetWindow = x.waitForWindowOf(target.pid());
    ASSERT_TRUE(targetWindow);
    ASSERT_TRUE(spinUntil([&] { return std::filesystem::exists(targetFile); }));
    x.parkPointer();

    const std::string text = repeatedTo("abcdefghijklmnopqrstuvwxyz0123456789", 300);
    Template item;
    item.name = "Slow field";
    item.targetAppBundleID = "XTerm";
    item.settings.countdownSeconds = 0; // the target is activated here before each run
    item.settings.interCharDelay = 0.05;
    item.steps = {makeStep(StepType::textInput, "Text", 0.1),
                  makeStep(StepType::returnKey, "", 0.1)};
    KeyferryRun run(temp.path() / "run", item, "Text\n" + text + "\n");

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<std::size_t> signalAfter(5, 40);
    for (int attempt = 1; attempt <= tries; ++attempt) {
        SCOPED_TRACE("try " + std::to_string(attempt));
        ASSERT_TRUE(x.activate(*targetWindow));
        const std::size_t base = fileSize(targetFile);
        // Ctrl+A and BackSpace come first, one byte each in the raw terminal.
        const std::size_t wanted = 2 + signalAfter(random);
        run.start();
        std::size_t seen = 0;
        // Polled often: the signal goes out right after a character has arrived.
        ASSERT_TRUE(spinUntil([&] {
            seen = fileSize(targetFile) - base;
            return seen >= wanted || !run.running();
        }));
        ASSERT_TRUE(run.running()) << run.output();
        run.signal(signalNumber);
        const bool ended = spinUntil([&] { return !run.running(); }, std::chrono::seconds(10));
        const int exitCode = run.wait(std::chrono::seconds(1));
        settle(std::chrono::milliseconds(500)); // what was sent has reached the file
        const std::string received = readText(targetFile).substr(base);
        const std::size_t after = received.size();
        const bool tabOrReturn = received.find_first_of("\t\r\n") != std::string::npos;
        const auto keysDown = x.keysDown();
        std::printf("[ %s try %d ] %zu bytes at the signal, %zu after the end (+%zu), %s, exit "
                    "%d, %s, %zu keys left down\n",
                    sigabbrev_np(signalNumber), attempt, seen, after, after - seen,
                    tabOrReturn ? "Tab or Return pressed" : "no Tab or Return", exitCode,
                    ended ? "ended" : "DID NOT END", keysDown.size());

        EXPECT_TRUE(ended) << "Keyferry still ran 10 s after the signal";
        EXPECT_LE(after, seen + 1) << "received: " << escaped(received);
        EXPECT_FALSE(tabOrReturn) << "received: " << escaped(received);
        EXPECT_TRUE(keysDown.empty()) << "the keyboard is given back";
        EXPECT_EQ(exitCode, 1) << run.output();
        if (!ended) // the next try needs a quiet keyboard
            run.wait(std::chrono::milliseconds(100));
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptTest, ::testing::Values(SIGINT, SIGTERM),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });
