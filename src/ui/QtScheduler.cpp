#include "ui/QtScheduler.h"

#include <QTimer>

#include <algorithm>
#include <chrono>
#include <limits>

namespace keyferry {

QtScheduler::QtScheduler() {
    clock_.start();
}

QtScheduler::~QtScheduler() {
    for (auto& [id, timer] : timers_)
        delete timer;
}

Scheduler::Duration QtScheduler::now() const {
    return Duration{clock_.nsecsElapsed()};
}

Scheduler::TimerId QtScheduler::runAfter(Duration delay, std::function<void()> callback) {
    const TimerId id = nextId_++;
    auto* timer = new QTimer(&context_);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    timers_.emplace(id, timer);
    QObject::connect(timer, &QTimer::timeout, &context_,
                     [this, id, callback = std::move(callback)] {
                         const auto found = timers_.find(id);
                         if (found == timers_.end())
                             return;
                         found->second->deleteLater();
                         timers_.erase(found);
                         callback();
                     });
    // Qt timers count whole milliseconds; the remainder is below what a desktop can show.
    const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(delay).count();
    constexpr std::int64_t longest = std::numeric_limits<int>::max();
    timer->start(static_cast<int>(std::clamp<std::int64_t>(milliseconds, 0, longest)));
    return id;
}

void QtScheduler::cancel(TimerId id) {
    const auto found = timers_.find(id);
    if (found == timers_.end())
        return;
    found->second->stop();
    found->second->deleteLater();
    timers_.erase(found);
}

} // namespace keyferry
