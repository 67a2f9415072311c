#include "platform/wayland/SwayStopHotkey.h"

#include <QSocketNotifier>

#include "platform/wayland/SwayIpc.h"
#include "platform/wayland/SwayTree.h"

#include <csignal>
#include <fcntl.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>
#include <unistd.h>

namespace keyferry::wayland {

namespace {

constexpr const char* combination = "Ctrl+Shift+Escape";
constexpr const char* marker = "nop keyferry-stop";

} // namespace

std::string SwayStopHotkey::bindCommand() {
    return std::string("bindsym --to-code ") + combination + " " + marker;
}

std::string SwayStopHotkey::unbindCommand() {
    return std::string("unbindsym --to-code ") + combination;
}

std::unique_ptr<SwayStopHotkey> SwayStopHotkey::start(const std::string& socketPath,
                                                      DesktopServices::Callback callback) {
    auto commands = SwayIpc::connect(socketPath);
    auto events = SwayIpc::connect(socketPath);
    if (!commands || !events)
        return nullptr;
    const auto subscribed = (*events)->request(SwayIpc::Message::subscribe, R"(["binding"])");
    if (!subscribed || subscribed->find("true") == std::string::npos)
        return nullptr;
    std::unique_ptr<SwayStopHotkey> hotkey(
        new SwayStopHotkey(std::move(*commands), std::move(*events), std::move(callback)));
    // The watcher first: from the moment the binding exists, a killed Keyferry leaves none.
    hotkey->startWatcher();
    const auto bound = hotkey->commands_->request(SwayIpc::Message::runCommand, bindCommand());
    if (!bound || !parseCommandSuccess(*bound))
        return nullptr;
    return hotkey;
}

SwayStopHotkey::SwayStopHotkey(std::unique_ptr<SwayIpc> commands, std::unique_ptr<SwayIpc> events,
                               DesktopServices::Callback callback)
    : commands_(std::move(commands)), events_(std::move(events)), callback_(std::move(callback)) {
    notifier_ = std::make_unique<QSocketNotifier>(events_->fd(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { readEvents(); });
}

SwayStopHotkey::~SwayStopHotkey() {
    notifier_.reset();
    commands_->request(SwayIpc::Message::runCommand, unbindCommand());
    stopWatcher();
}

void SwayStopHotkey::startWatcher() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return;
    // A shell that waits for the end of the pipe, which comes when Keyferry ends in any way
    // (SIGKILL included), then removes the binding. It execs at once: after fork, a process
    // with threads may do little else.
    const std::string script = "cat >/dev/null; exec swaymsg -q -- " + unbindCommand();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(ends[0], STDIN_FILENO);
        ::execlp("sh", "sh", "-c", script.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ends[0]);
    if (child < 0) {
        ::close(ends[1]);
        return;
    }
    watcher_ = child;
    watcherPipe_ = ends[1];
}

void SwayStopHotkey::stopWatcher() {
    // Removed already: the watcher must not remove a binding a later run makes.
    if (watcher_ > 0) {
        ::kill(watcher_, SIGTERM);
        ::waitpid(watcher_, nullptr, 0);
        watcher_ = -1;
    }
    if (watcherPipe_ >= 0) {
        ::close(watcherPipe_);
        watcherPipe_ = -1;
    }
}

void SwayStopHotkey::readEvents() {
    for (;;) {
        auto message = events_->next(std::chrono::milliseconds(0));
        if (!message || !*message)
            return;
        const auto event = nlohmann::json::parse((*message)->payload, nullptr, false);
        if (!event.is_object() || !event.contains("binding") || !event["binding"].is_object())
            continue;
        if (event["binding"].value("command", "") != marker)
            continue;
        InputEvent press;
        press.type = InputEvent::Type::keyDown;
        press.key = Key::escape;
        press.modifiers = Modifier::control | Modifier::shift;
        if (callback_)
            callback_(press);
    }
}

} // namespace keyferry::wayland
