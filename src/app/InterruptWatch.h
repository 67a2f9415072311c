#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace keyferry {

/// While it lives, Ctrl+C and SIGTERM call `onStop` on the event loop instead of killing the
/// process: a command ends cleanly (keys released, the keymap restored, the file written)
/// rather than mid-keystroke. One at a time per process.
class InterruptWatch {
public:
    explicit InterruptWatch(std::function<void()> onStop);
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;
    ~InterruptWatch();

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace keyferry
