#pragma once

#include <functional>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace keyferry::testing {

/// Runs `work` in a forked child that an alarm ends after `seconds`, and returns the text it
/// returned, or nothing when the child did not finish by itself (it blocked, or crashed). A
/// test of something that could block thus fails instead of hanging the whole run.
inline std::optional<std::string> finishesWithin(unsigned seconds,
                                                 const std::function<std::string()>& work) {
    int fds[2];
    if (::pipe(fds) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        ::close(fds[0]);
        ::alarm(seconds);
        const std::string text = work();
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t written = ::write(fds[1], text.data() + done, text.size() - done);
            if (written <= 0)
                ::_exit(2);
            done += static_cast<std::size_t>(written);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) != 0;) {
        if (got > 0)
            text.append(buffer, static_cast<std::size_t>(got));
        else if (errno != EINTR)
            break;
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return text;
}

} // namespace keyferry::testing
