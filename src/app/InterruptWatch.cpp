#include "app/InterruptWatch.h"

#include <QSocketNotifier>

#include <csignal>
#include <unistd.h>

namespace keyferry {

namespace {

// The signal handler may only write to a pipe; the event loop reads it.
int interruptPipe[2] = {-1, -1};

void onInterrupt(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(interruptPipe[1], &byte, 1);
}

} // namespace

InterruptWatch::InterruptWatch(std::function<void()> onStop) {
    if (::pipe(interruptPipe) != 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(interruptPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [onStop = std::move(onStop)] {
                         char byte;
                         [[maybe_unused]] const auto got = ::read(interruptPipe[0], &byte, 1);
                         onStop();
                     });
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
}

InterruptWatch::~InterruptWatch() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    notifier_.reset();
    ::close(interruptPipe[0]);
    ::close(interruptPipe[1]);
}

} // namespace keyferry
