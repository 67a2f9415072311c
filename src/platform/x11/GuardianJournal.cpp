#include "platform/x11/GuardianJournal.h"

#include <X11/Xatom.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <random>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// Set by the build: where it puts keyferry-guardian, where it installs it, and that place
// relative to the installed keyferry.
#ifndef KEYFERRY_GUARDIAN_BUILT
#define KEYFERRY_GUARDIAN_BUILT ""
#endif
#ifndef KEYFERRY_GUARDIAN_INSTALLED
#define KEYFERRY_GUARDIAN_INSTALLED ""
#endif
#ifndef KEYFERRY_GUARDIAN_FROM_BINDIR
#define KEYFERRY_GUARDIAN_FROM_BINDIR ""
#endif

extern char** environ;

namespace keyferry::x11 {

namespace {

constexpr auto readyTimeout = std::chrono::seconds(2);
constexpr auto exitTimeout = std::chrono::seconds(2);
constexpr int guardianChannel = 3;

std::string randomToken() {
    std::random_device device;
    const auto high = static_cast<unsigned long long>(device());
    const auto low = static_cast<unsigned long long>(device());
    char text[40];
    std::snprintf(text, sizeof text, "%d-%llx", static_cast<int>(::getpid()), (high << 32) ^ low);
    return text;
}

} // namespace

GuardianJournal::GuardianJournal(std::string displayName) : displayName_(std::move(displayName)) {
    // Several journals of one process (one per run) must not share a file.
    static std::atomic<unsigned int> serial{0};
    if (auto folder = KeymapJournalFile::folder())
        file_.emplace(std::move(*folder), ++serial);
}

GuardianJournal::GuardianJournal(Display* display) : GuardianJournal(DisplayString(display)) {
    display_ = display;
    token_ = randomToken();
    XSetWindowAttributes attributes{};
    watch_ = XCreateWindow(display, DefaultRootWindow(display), -1, -1, 1, 1, 0, CopyFromParent,
                           InputOnly, CopyFromParent, 0, &attributes);
    const Atom property = XInternAtom(display, guardianWatchProperty, False);
    XChangeProperty(display, watch_, property, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(token_.data()),
                    static_cast<int>(token_.size()));
    // Once the window exists at the server, a guardian that does not find it knows that the
    // connection is closed and nothing of it can arrive any more.
    XSync(display, False);
}

GuardianJournal::~GuardianJournal() {
    if (display_ && watch_ != None) {
        XDestroyWindow(display_, watch_);
        XSync(display_, False); // and everything sent before is carried out
    }
    if (file_)
        file_->update({displayName_, state_.borrowed()});
    if (socket_ < 0)
        return;
    GuardianState::appendEnding(unsent_);
    send(unsent_);
    ::close(socket_);
    socket_ = -1;
    waitForGuardian();
}

void GuardianJournal::pressing(KeyCode keycode) {
    state_.pressing(keycode);
    GuardianState::appendPressing(unsent_, keycode);
}

void GuardianJournal::released(KeyCode keycode) {
    state_.released(keycode);
    GuardianState::appendReleased(unsent_, keycode);
}

void GuardianJournal::pressingButton(unsigned int button) {
    state_.pressingButton(button);
    GuardianState::appendPressingButton(unsent_, button);
}

void GuardianJournal::releasedButton(unsigned int button) {
    state_.releasedButton(button);
    GuardianState::appendReleasedButton(unsent_, button);
}

void GuardianJournal::binding(KeyCode keycode, std::vector<KeySym> original,
                              std::vector<KeySym> bound) {
    BorrowedKeycode borrowed{keycode, std::move(bound), std::move(original)};
    GuardianState::appendBinding(unsent_, borrowed);
    state_.binding(std::move(borrowed));
    bindingsChanged_ = true;
}

void GuardianJournal::restored(KeyCode keycode) {
    state_.restored(keycode);
    GuardianState::appendRestored(unsent_, keycode);
    bindingsChanged_ = true;
    // Restorations come after a text is typed, often with no commit after them for a while.
    if (state_.borrowed().empty() && file_) {
        file_->remove();
        bindingsChanged_ = false;
    }
}

bool GuardianJournal::commit() {
    if (unsent_.empty())
        return true;
    failure_.clear();
    if (bindingsChanged_ && file_)
        file_->update({displayName_, state_.borrowed()}); // the guardian covers if this fails
    bindingsChanged_ = false;
    if (socket_ >= 0 && send(unsent_)) {
        unsent_.clear();
        return true;
    }
    // The first time, or the guardian has gone: a fresh one learns the whole state at once.
    stop();
    if (!start())
        return false;
    unsent_.clear();
    return true;
}

bool GuardianJournal::ready() {
    if (socket_ >= 0) {
        // The guardian writes nothing after "ready": readable means it has gone.
        pollfd channel{socket_, POLLIN, 0};
        if (::poll(&channel, 1, 0) == 0)
            return true;
    }
    failure_.clear();
    stop();
    if (!start())
        return false;
    unsent_.clear(); // start() told the new guardian everything
    return true;
}

std::optional<std::filesystem::path> GuardianJournal::journalFile() const {
    if (!file_)
        return std::nullopt;
    return file_->path();
}

std::optional<std::filesystem::path> GuardianJournal::locateGuardian() {
    const auto usable = [](const std::filesystem::path& path) {
        return !path.empty() && path.is_absolute() && ::access(path.c_str(), X_OK) == 0;
    };
    if (const char* chosen = std::getenv("KEYFERRY_GUARDIAN"); chosen && *chosen) {
        if (usable(chosen))
            return std::filesystem::path(chosen);
        return std::nullopt;
    }
    std::vector<std::filesystem::path> candidates;
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        candidates.push_back(self.parent_path() / "keyferry-guardian");
        if (*KEYFERRY_GUARDIAN_FROM_BINDIR)
            candidates.push_back(
                (self.parent_path() / KEYFERRY_GUARDIAN_FROM_BINDIR).lexically_normal());
    }
    candidates.emplace_back(KEYFERRY_GUARDIAN_BUILT);
    candidates.emplace_back(KEYFERRY_GUARDIAN_INSTALLED);
    for (const auto& candidate : candidates)
        if (usable(candidate))
            return candidate;
    return std::nullopt;
}

bool GuardianJournal::start() {
    const auto program = locateGuardian();
    if (!program)
        return startFailed("keyferry-guardian was not found");
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return startFailed(std::strerror(errno));
    socket_ = ends[0];
    // The guardian's end becomes its descriptor 3. Moved above 3 first: a dup2 onto itself
    // would keep close-on-exec.
    const int theirs = ::fcntl(ends[1], F_DUPFD_CLOEXEC, 10);
    const int duplicateError = errno;
    ::close(ends[1]);
    if (theirs < 0) {
        stop();
        return startFailed(std::strerror(duplicateError));
    }

    std::vector<std::string> arguments = {program->string(), "--display", displayName_};
    if (watch_ != None)
        arguments.insert(arguments.end(), {"--watch", std::to_string(watch_) + ":" + token_});
    if (file_)
        arguments.insert(arguments.end(), {"--journal", file_->path().string()});
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    // Nothing of ours but the channel: no terminal (a pipe someone reads to its end would
    // wait for the guardian too), none of our descriptors.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, theirs, guardianChannel);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDWR, 0);
    posix_spawn_file_actions_adddup2(&actions, 0, 1);
    posix_spawn_file_actions_adddup2(&actions, 0, 2);
    posix_spawn_file_actions_addclosefrom_np(&actions, guardianChannel + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t noSignals;
    sigemptyset(&noSignals);
    posix_spawnattr_setsigmask(&attributes, &noSignals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSID);
    pid_t pid = -1;
    const int spawned =
        ::posix_spawn(&pid, program->c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(theirs);
    if (spawned != 0) {
        stop();
        return startFailed(std::string("it cannot be run: ") + std::strerror(spawned));
    }
    guardian_ = pid;

    // "ready N" once it has its own connection to the display, or "error WHY".
    std::string answer;
    const auto deadline = std::chrono::steady_clock::now() + readyTimeout;
    while (answer.find('\n') == std::string::npos && answer.size() < 512) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        pollfd source{socket_, POLLIN, 0};
        const int readable = left > 0 ? ::poll(&source, 1, static_cast<int>(left)) : 0;
        if (readable < 0 && errno == EINTR)
            continue;
        if (readable <= 0) {
            stop();
            return startFailed("it did not answer");
        }
        char chunk[256];
        const ssize_t got = ::read(socket_, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            stop();
            return startFailed("it ended before it was ready");
        }
        answer.append(chunk, static_cast<std::size_t>(got));
    }
    answer.resize(std::min(answer.find('\n'), answer.size()));
    if (answer.starts_with("error ")) {
        stop();
        return startFailed(answer.substr(6));
    }
    if (answer != "ready " + std::to_string(guardianProtocolVersion)) {
        stop();
        return startFailed("it is of another version");
    }
    if (!send(state_.messages())) {
        stop();
        return startFailed("it ended before it was ready");
    }
    return true;
}

bool GuardianJournal::startFailed(std::string why) {
    failure_ = "the keyboard guardian could not start (" + std::move(why) + ")";
    return false;
}

void GuardianJournal::stop() {
    // Only a guardian that failed or has gone is stopped. Ended before its channel closes,
    // or it would take the closing for our end and undo what we still hold.
    if (guardian_ > 0) {
        ::kill(guardian_, SIGKILL);
        ::waitpid(guardian_, nullptr, 0);
        guardian_ = -1;
    }
    if (socket_ >= 0) {
        ::close(socket_);
        socket_ = -1;
    }
}

bool GuardianJournal::send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void GuardianJournal::waitForGuardian() {
    const auto deadline = std::chrono::steady_clock::now() + exitTimeout;
    while (guardian_ > 0) {
        const pid_t ended = ::waitpid(guardian_, nullptr, WNOHANG);
        if (ended == guardian_ || (ended < 0 && errno != EINTR)) {
            guardian_ = -1;
            return;
        }
        if (std::chrono::steady_clock::now() > deadline)
            return; // it goes on without us and is reaped by whoever inherits it
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace keyferry::x11
