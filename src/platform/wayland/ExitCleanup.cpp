#include "platform/wayland/ExitCleanup.h"

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace keyferry::wayland {

ExitCleanup::ExitCleanup(std::vector<std::string> command) {
    int ends[2];
    if (command.empty() || ::pipe2(ends, O_CLOEXEC) != 0)
        return;
    // Everything the child needs is made before fork: a process with threads may do little
    // more than exec after it. The shell waits for the pipe's end, then becomes the command.
    std::vector<std::string> words = {"sh", "-c", "cat >/dev/null; exec \"$@\"", "sh"};
    words.insert(words.end(), command.begin(), command.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(ends[0], STDIN_FILENO);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(ends[0]);
    if (child < 0) {
        ::close(ends[1]);
        return;
    }
    watcher_ = child;
    pipe_ = ends[1];
}

ExitCleanup::~ExitCleanup() {
    if (watcher_ > 0) {
        ::kill(watcher_, SIGTERM);
        ::waitpid(watcher_, nullptr, 0);
    }
    if (pipe_ >= 0)
        ::close(pipe_);
}

} // namespace keyferry::wayland
