// Typing into a real terminal on the test desktop: Keyferry's X11 typing against
// `xdotool type` on the same texts, at no delay and at xdotool's default 12 ms. Reports
// milliseconds per character and how many characters arrived wrong or not at all.
//
// Usage: typing_bench TOOL TEXT DELAY_MS   (TOOL: keyferry or xdotool; TEXT: ascii or mixed)
// bench/run_typing_bench.sh runs every case, each on a fresh test desktop, because a peer
// that leaves the keyboard in a bad state must not spoil the next measurement.

#include <QCoreApplication>
#include <QDeadlineTimer>

#include "TypingBenchTexts.h"
#include "automation/AutomationEngine.h"
#include "platform/x11/X11Desktop.h"
#include "text/UnicodeText.h"
#include "text/Utf8.h"
#include "ui/QtScheduler.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace keyferry;
using namespace keyferry::bench;

namespace {

struct Terminal {
    pid_t pid = -1;
    std::filesystem::path file;
    ~Terminal() {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
};

std::unique_ptr<Terminal> openTerminal(X11Desktop& desktop, const std::filesystem::path& file) {
    auto terminal = std::make_unique<Terminal>();
    terminal->file = file;
    terminal->pid = ::fork();
    if (terminal->pid == 0) {
        const std::string script = "stty -icanon -echo; cat > '" + file.string() + "'";
        ::execlp("env", "env", "LANG=C.UTF-8", "LC_ALL=C.UTF-8", "xterm", "-u8", "-e", "sh", "-c",
                 script.c_str(), nullptr);
        ::_exit(127);
    }
    QDeadlineTimer deadline(std::chrono::seconds(10));
    while (!deadline.hasExpired()) {
        const auto front = desktop.frontmostApplication();
        if (front && front->bundleID == "XTerm" && front->processID == terminal->pid)
            break;
        spin(std::chrono::milliseconds(20));
    }
    spin(std::chrono::milliseconds(300)); // the shell sets up the terminal
    return terminal;
}

// Waits until the file stops growing, then returns it without the final line feed.
std::string received(const std::filesystem::path& file, const std::string& wanted) {
    std::string last;
    for (int stable = 0, i = 0; stable < 5 && i < 400; ++i) {
        spin(std::chrono::milliseconds(50));
        const std::string now = readFile(file);
        stable = now == last ? stable + 1 : 0;
        last = now;
        if (now == wanted + "\n")
            break;
    }
    if (!last.empty() && last.back() == '\n')
        last.pop_back();
    return last;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QtScheduler scheduler;
    auto connected = X11Desktop::connect(scheduler);
    if (!connected) {
        std::fprintf(stderr, "%s\n", connected.error().c_str());
        return 1;
    }
    X11Desktop& desktop = **connected;
    AutomationEngine engine(desktop, scheduler);
    const auto folder = std::filesystem::temp_directory_path() / "keyferry-typing-bench";
    std::filesystem::create_directories(folder);

    if (argc < 4) {
        std::fprintf(stderr, "usage: %s keyferry|xdotool ascii|mixed DELAY_MS\n", argv[0]);
        return 2;
    }
    const std::string tool = argv[1];
    const bool ascii = std::string(argv[2]) == "ascii";
    const int delay = std::atoi(argv[3]);
    const std::string text = ascii ? asciiText(2000) : mixedText(500);
    const char* name = ascii ? "2000 ASCII" : "500 mixed";
    // Per user-perceived character, the unit the delay applies to ("👍🏽" is one).
    const std::size_t characters = graphemeClusters(text).size();

    const auto file = folder / (tool + ".txt");
    std::filesystem::remove(file);
    auto terminal = openTerminal(desktop, file);
    // As in a run: every character first checks that the focus is still on the terminal.
    WindowBinding binding(desktop, "XTerm");
    if (!binding.bindToFocus()) {
        std::fprintf(stderr, "the terminal does not have the focus\n");
        return 1;
    }
    engine.bindTo(&binding);
    const auto start = std::chrono::steady_clock::now();
    if (tool == "keyferry") {
        run(engine.typeText(text, delay / 1000.0, {}));
    } else {
        const auto input = folder / "input.txt";
        std::ofstream(input, std::ios::binary) << text;
        const std::string command =
            "xdotool type --delay " + std::to_string(delay) + " --file '" + input.string() + "'";
        [[maybe_unused]] const int status = std::system(command.c_str());
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run(engine.pressKey(Key::returnKey, {}, {}));
    engine.bindTo(nullptr);
    const std::string got = received(file, text);
    std::printf("%-10s %-11s %3d ms %12.3f %16zu\n", tool.c_str(), name, delay,
                1000 * seconds / static_cast<double>(characters), wrongOrDropped(text, got));
    std::filesystem::remove_all(folder);
    return 0;
}
