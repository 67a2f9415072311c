// Typing into a native GTK entry on a headless sway: Keyferry's Wayland typing against
// `wtype` on the same texts, no delay for either; on a headless GNOME Shell, Keyferry through
// the desktop portal alone (wtype cannot type there). Reports milliseconds per character (the
// time to send the text) and how many characters arrived wrong or not at all.
//
// Usage: wayland_typing_bench GTK_FORM TOOL TEXT   (TOOL: keyferry or wtype; TEXT: ascii or
// mixed). bench/run_wayland_typing_bench.sh runs every case, each on a fresh sway, because a
// peer that leaves the keyboard in a bad state must not spoil the next measurement.

#include <QCoreApplication>
#include <QDeadlineTimer>

#include "TypingBenchTexts.h"
#include "automation/AutomationEngine.h"
#include "automation/WindowBinding.h"
#include "platform/wayland/WaylandDesktop.h"
#include "text/UnicodeText.h"
#include "text/Utf8.h"
#include "ui/QtScheduler.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace keyferry;
using namespace keyferry::bench;

namespace {

/// The GTK form, native on Wayland; its Name entry has the focus once it is ready.
struct Form {
    pid_t pid = -1;
    std::filesystem::path log;
    ~Form() {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
    bool ready() const { return readFile(log).find("\"ready\"") != std::string::npos; }
    /// What the Name entry holds, as the form reports it on SIGUSR1.
    std::optional<std::string> name() const {
        const std::size_t before = readFile(log).size();
        ::kill(pid, SIGUSR1);
        QDeadlineTimer deadline(std::chrono::seconds(5));
        while (!deadline.hasExpired()) {
            const std::string all = readFile(log);
            if (all.size() > before && all.back() == '\n') {
                const auto record = nlohmann::json::parse(all.substr(before), nullptr, false);
                if (record.is_object() && record.contains("values"))
                    return record["values"][0].get<std::string>();
            }
            spin(std::chrono::milliseconds(10));
        }
        return std::nullopt;
    }
};

// Waits until the entry stops changing (or holds the text), then returns it.
std::string received(const Form& form, const std::string& wanted) {
    std::string last;
    for (int stable = 0, i = 0; stable < 5 && i < 400; ++i) {
        spin(std::chrono::milliseconds(50));
        const std::string now = form.name().value_or("");
        stable = now == last ? stable + 1 : 0;
        last = now;
        if (now == wanted)
            break;
    }
    return last;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s GTK_FORM keyferry|wtype ascii|mixed\n", argv[0]);
        return 2;
    }
    QtScheduler scheduler;
    auto connected = WaylandDesktop::connect(scheduler);
    if (!connected) {
        std::fprintf(stderr, "%s\n", connected.error().c_str());
        return 1;
    }
    WaylandDesktop& desktop = **connected;
    AutomationEngine engine(desktop, scheduler);
    const std::string tool = argv[2];
    const bool ascii = std::string(argv[3]) == "ascii";
    const std::string text = ascii ? asciiText(2000) : mixedText(500);
    const char* name = ascii ? "2000 ASCII" : "500 mixed";
    const std::size_t characters = graphemeClusters(text).size();

    const auto folder = std::filesystem::temp_directory_path() /
                        ("keyferry-wayland-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    Form form;
    form.log = folder / "form.jsonl";
    form.pid = ::fork();
    if (form.pid == 0) {
        ::execlp("env", "env", "GDK_BACKEND=wayland", "python3", argv[1], form.log.c_str(),
                 "--code-max", "10", nullptr);
        ::_exit(127);
    }
    QDeadlineTimer deadline(std::chrono::seconds(20));
    while (!form.ready() && !deadline.hasExpired())
        spin(std::chrono::milliseconds(20));
    // As in a run: every character first checks that the focus is still on the form.
    WindowBinding binding(desktop, "gtk_form.py");
    while (!binding.bindToFocus() && !deadline.hasExpired())
        spin(std::chrono::milliseconds(20));
    if (!binding.isBound()) {
        std::fprintf(stderr, "the form does not have the focus\n");
        return 1;
    }
    // Where keys go through the desktop portal, the user's consent first (answered by the
    // script that started this one), outside the measured time.
    if (const Posted access = run(engine.awaitInputAccess({})); !access) {
        std::fprintf(stderr, "no permission to type: %s\n", access.why().c_str());
        return 1;
    }
    engine.bindTo(&binding);
    const auto start = std::chrono::steady_clock::now();
    if (tool == "keyferry") {
        if (const Posted typed = run(engine.typeText(text, 0, {})); !typed)
            std::fprintf(stderr, "keyferry: %s\n", typed.why().c_str());
    } else {
        const auto input = folder / "input.txt";
        std::ofstream(input, std::ios::binary) << text;
        const std::string command = "wtype - < '" + input.string() + "'";
        [[maybe_unused]] const int status = std::system(command.c_str());
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    engine.bindTo(nullptr);
    const std::string got = received(form, text);
    // Through the portal, the route the keys took (libei or keysyms) goes with the figure.
    const auto facts = desktop.facts();
    const std::string label =
        tool == "keyferry" && facts.portalInput ? "keyferry (" + facts.portalRoute + ")" : tool;
    std::printf("%-10s %-11s %12.3f %16zu\n", label.c_str(), name,
                1000 * seconds / static_cast<double>(characters), wrongOrDropped(text, got));
    std::filesystem::remove_all(folder);
    return 0;
}
