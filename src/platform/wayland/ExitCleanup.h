#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace keyferry::wayland {

/// A command run once this process has ended in any way, SIGKILL included, unless this object
/// ended first: what Keyferry leaves in the desktop (a script in KWin, a global shortcut) is
/// taken back even when Keyferry cannot do it itself. A small process waits for the end of a
/// pipe only this process holds.
class ExitCleanup {
public:
    /// `command` is run as given (no shell), with the session's environment.
    explicit ExitCleanup(std::vector<std::string> command);
    /// Not needed any more: the command is not run.
    ~ExitCleanup();
    ExitCleanup(const ExitCleanup&) = delete;
    ExitCleanup& operator=(const ExitCleanup&) = delete;

    /// Whether the waiting process runs.
    bool isArmed() const { return watcher_ > 0; }

private:
    pid_t watcher_ = -1;
    int pipe_ = -1;
};

} // namespace keyferry::wayland
