#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>

#include "automation/Task.h"
#include "platform/x11/X11Desktop.h"
#include "support/Shell.h"
#include "support/TemporaryFolder.h"
#include "ui/QtScheduler.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace keyferry::testing {

/// A program started for a test and ended (by pid) when the test is done with it.
class Process {
public:
    explicit Process(std::vector<std::string> command) {
        pid_ = ::fork();
        if (pid_ == 0) {
            std::vector<char*> argv;
            for (auto& part : command)
                argv.push_back(part.data());
            argv.push_back(nullptr);
            ::execvp(argv[0], argv.data());
            ::_exit(127);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGTERM);
            wait();
        }
    }
    /// Waits for the end and returns the exit code (-1 for a signal); at most `timeout`.
    int wait(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        if (exited_)
            return exitCode_;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        int status = 0;
        while (::waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                break;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            ::usleep(10000);
        }
        exited_ = true;
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return exitCode_;
    }
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    bool exited_ = false;
    int exitCode_ = -1;
};

/// Keeps the Qt event loop turning until `done` holds or the time is up.
template <class Predicate>
bool spinUntil(Predicate done, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    QDeadlineTimer deadline(timeout);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ::usleep(2000);
    }
    return true;
}

/// Lets the desktop and the event loop go on for a while, as a user's pause between keys.
inline void pause(int milliseconds) {
    spinUntil([] { return false; }, std::chrono::milliseconds(milliseconds));
}

template <class T>
T runTask(Task<T> task) {
    task.start();
    EXPECT_TRUE(spinUntil([&] { return task.done(); }, std::chrono::seconds(60)));
    if constexpr (!std::is_void_v<T>)
        return *task.result();
}

/// The X11 services of the test desktop, with helpers to wait for applications.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto connected = X11Desktop::connect(scheduler);
        ASSERT_TRUE(connected.hasValue()) << connected.error();
        desktop = std::move(*connected);
        // Windows of the test before may still be on their way out.
        spinUntil([&] { return desktop->windowList().empty(); }, std::chrono::seconds(5));
    }
    void TearDown() override { desktop.reset(); }

    bool waitForApplication(const std::string& id) {
        return spinUntil([&] {
            for (const auto& app : desktop->runningApplications())
                if (app.bundleID == id)
                    return true;
            return false;
        });
    }
    /// Waits for a window of this very process: a window of an earlier one with the same
    /// application id may still be on its way out.
    bool waitForWindowOf(const Process& process) {
        return spinUntil([&] {
            for (const auto& window : desktop->windowList())
                if (window.ownerProcessID == process.pid())
                    return true;
            return false;
        });
    }
    bool waitForFrontOf(const Process& process) {
        return spinUntil([&] {
            const auto front = desktop->frontmostApplication();
            return front && front->processID == process.pid();
        });
    }
    bool waitForFront(const std::string& id) {
        return spinUntil([&] {
            const auto front = desktop->frontmostApplication();
            return front && front->bundleID == id;
        });
    }

    QtScheduler scheduler;
    std::unique_ptr<X11Desktop> desktop;
    TemporaryFolder temp;
};

} // namespace keyferry::testing
