#include "automation/VirtualScheduler.h"

#include <algorithm>

namespace keyferry {

Scheduler::TimerId VirtualScheduler::runAfter(Duration delay, std::function<void()> callback) {
    const TimerId id = nextId_++;
    const Duration due = delay <= Duration{0}             ? now_
                         : delay > Duration::max() - now_ ? Duration::max()
                                                          : now_ + delay;
    queue_.emplace(std::pair{due, id}, std::move(callback));
    dueTimes_.emplace(id, due);
    return id;
}

void VirtualScheduler::cancel(TimerId id) {
    const auto found = dueTimes_.find(id);
    if (found == dueTimes_.end())
        return;
    queue_.erase({found->second, id});
    dueTimes_.erase(found);
}

bool VirtualScheduler::runNext() {
    if (queue_.empty())
        return false;
    auto next = queue_.begin();
    now_ = std::max(now_, next->first.first); // after spend(), a timer may run late

    dueTimes_.erase(next->first.second);
    auto callback = std::move(next->second);
    queue_.erase(next);
    callback();
    return true;
}

std::size_t VirtualScheduler::runUntilIdle(std::size_t limit) {
    std::size_t ran = 0;
    while (ran < limit && runNext())
        ++ran;
    return ran;
}

void VirtualScheduler::advance(Duration duration) {
    const Duration end = now_ + duration;
    while (!queue_.empty() && queue_.begin()->first.first <= end)
        runNext();
    now_ = end;
}

} // namespace keyferry
