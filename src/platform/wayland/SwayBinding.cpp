#include "platform/wayland/SwayBinding.h"

#include <QSocketNotifier>

#include "platform/wayland/SwayIpc.h"
#include "platform/wayland/SwayKeyNames.h"
#include "platform/wayland/SwayTree.h"

#include <csignal>
#include <fcntl.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>
#include <unistd.h>

namespace keyferry::wayland {

std::unique_ptr<SwayBinding> SwayBinding::start(const std::string& socketPath,
                                                std::vector<KeyCombination> keys,
                                                SwayKeyMatch match,
                                                DesktopServices::Callback callback) {
    std::vector<Bound> bound;
    for (const KeyCombination& combination : keys) {
        auto name = swayKeyName(combination);
        if (!name)
            return nullptr;
        bound.push_back({combination, std::move(*name)});
    }
    auto commands = SwayIpc::connect(socketPath);
    auto events = SwayIpc::connect(socketPath);
    if (!commands || !events)
        return nullptr;
    const auto subscribed = (*events)->request(SwayIpc::Message::subscribe, R"(["binding"])");
    if (!subscribed || subscribed->find("true") == std::string::npos)
        return nullptr;
    std::unique_ptr<SwayBinding> binding(new SwayBinding(
        std::move(*commands), std::move(*events), std::move(bound), match, std::move(callback)));
    // The watcher first: from the moment a binding exists, a killed Keyferry leaves none.
    binding->startWatcher();
    for (std::size_t i = 0; i < binding->bound_.size(); ++i) {
        const auto made = binding->commands_->request(
            SwayIpc::Message::runCommand, swayBindCommand(binding->bound_[i].name, match));
        if (!made || !parseCommandSuccess(*made)) {
            binding->unbind(i); // those made before this one; the rest never existed
            binding->bound_.clear();
            return nullptr;
        }
    }
    return binding;
}

SwayBinding::SwayBinding(std::unique_ptr<SwayIpc> commands, std::unique_ptr<SwayIpc> events,
                         std::vector<Bound> bound, SwayKeyMatch match,
                         DesktopServices::Callback callback)
    : commands_(std::move(commands)), events_(std::move(events)), bound_(std::move(bound)),
      match_(match), callback_(std::move(callback)) {
    notifier_ = new QSocketNotifier(events_->fd(), QSocketNotifier::Read);
    QObject::connect(notifier_, &QSocketNotifier::activated, notifier_, [this] { readEvents(); });
}

SwayBinding::~SwayBinding() {
    *alive_ = false;
    if (reading_) { // ended from within the notifier's signal: Qt deletes it after
        notifier_->setEnabled(false);
        notifier_->disconnect();
        notifier_->deleteLater();
    } else {
        delete notifier_;
    }
    unbind(bound_.size());
    stopWatcher();
}

void SwayBinding::unbind(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        commands_->request(SwayIpc::Message::runCommand, swayUnbindCommand(bound_[i].name, match_));
}

void SwayBinding::startWatcher() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return;
    // A shell that waits for the end of the pipe, which comes when Keyferry ends in any way
    // (SIGKILL included), then removes the bindings. It execs at once: after fork, a process
    // with threads may do little else. Names hold only letters, digits and '+'.
    std::string commands;
    for (const Bound& bound : bound_)
        commands += (commands.empty() ? "" : "; ") + swayUnbindCommand(bound.name, match_);
    const std::string script = "cat >/dev/null; exec swaymsg -q -- '" + commands + "'";
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

void SwayBinding::stopWatcher() {
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

void SwayBinding::readEvents() {
    reading_ = true;
    std::vector<KeyCombination> pressed;
    for (;;) {
        auto message = events_->next(std::chrono::milliseconds(0));
        if (!message || !*message)
            break;
        const auto event = nlohmann::json::parse((*message)->payload, nullptr, false);
        if (!event.is_object() || !event.contains("binding") || !event["binding"].is_object())
            continue;
        const std::string command = event["binding"].value("command", "");
        for (const Bound& bound : bound_)
            if (command == swayBindingMarker(bound.name))
                pressed.push_back(bound.keys);
    }
    // The callback may end this object: nothing of it is touched once it is gone.
    const std::shared_ptr<bool> alive = alive_;
    const DesktopServices::Callback callback = callback_;
    for (const KeyCombination& keys : pressed) {
        if (!*alive || !callback)
            return;
        InputEvent press;
        press.type = InputEvent::Type::keyDown;
        press.key = keys.key;
        press.modifiers = keys.modifiers;
        callback(press);
    }
    if (*alive)
        reading_ = false;
}

} // namespace keyferry::wayland
