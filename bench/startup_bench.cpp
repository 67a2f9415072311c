// Time from start to the first painted window: Keyferry's main window against a bare Qt
// window, in the same run, alternating, each in a fresh process. Each child reports when it
// first painted (ui/FirstPaintReport); the time counts from just before its fork.
//
// Usage: startup_bench KEYFERRY_BINARY [RUNS]   (on a display: bench/run_startup_bench.sh)

#include <QApplication>
#include <QLabel>

#include "ui/FirstPaintReport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

long long monotonicNanoseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

int bareWindow(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("A bare Qt window"));
    window.resize(900, 600);
    keyferry::reportFirstPaint(window);
    window.show();
    return QApplication::exec();
}

/// Milliseconds from before the fork to the child's first paint; negative when it reported
/// none.
double measure(const std::vector<std::string>& command, const std::filesystem::path& home) {
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const long long started = monotonicNanoseconds();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(fds[1], STDERR_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        // A store of its own, empty, as on a first start.
        ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
        ::setenv("XDG_STATE_HOME", (home / "state").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
        ::setenv("KEYFERRY_REPORT_FIRST_PAINT", "1", 1);
        std::vector<char*> argv;
        for (const std::string& part : command)
            argv.push_back(const_cast<char*>(part.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(got));
    ::close(fds[0]);
    ::waitpid(child, nullptr, 0);
    const auto at = output.find("first-paint ");
    if (at == std::string::npos)
        return -1;
    const long long painted = std::atoll(output.c_str() + at + 12);
    return static_cast<double>(painted - started) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--bare-window")
        return bareWindow(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s KEYFERRY_BINARY [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 10;
    const auto home = std::filesystem::temp_directory_path() /
                      ("keyferry-startup-bench-" + std::to_string(::getpid()));
    std::vector<double> bare, keyferry;
    for (int run = 0; run < runs; ++run) {
        std::filesystem::remove_all(home);
        std::filesystem::create_directories(home);
        bare.push_back(measure({"/proc/self/exe", "--bare-window"}, home));
        keyferry.push_back(measure({argv[1]}, home));
    }
    std::filesystem::remove_all(home);
    if (std::ranges::count(bare, -1.0) || std::ranges::count(keyferry, -1.0)) {
        std::fprintf(stderr, "a window reported no first paint\n");
        return 1;
    }
    std::printf("%-18s %10s %10s %10s\n", "window", "median ms", "min ms", "max ms");
    for (const auto& [name, values] :
         {std::pair{"bare Qt window", bare}, std::pair{"Keyferry", keyferry}})
        std::printf("%-18s %10.1f %10.1f %10.1f\n", name, median(values),
                    *std::ranges::min_element(values), *std::ranges::max_element(values));
    std::printf("Keyferry / bare: %.2f (medians of %d runs each)\n",
                median(keyferry) / median(bare), runs);
    return 0;
}
