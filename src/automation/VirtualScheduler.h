#pragma once

#include "automation/Scheduler.h"

#include <map>
#include <utility>

namespace keyferry {

/// A scheduler on virtual time for tests and simulations: nothing happens until it is run,
/// and then time jumps straight to the next due callback, exact to the nanosecond.
class VirtualScheduler final : public Scheduler {
public:
    Duration now() const override { return now_; }
    TimerId runAfter(Duration delay, std::function<void()> callback) override;
    void cancel(TimerId id) override;

    /// Runs the next due callback, moving time to it; false when none is pending.
    bool runNext();
    /// Runs callbacks until none is pending or `limit` callbacks ran; returns how many ran.
    std::size_t runUntilIdle(std::size_t limit = 10'000'000);
    /// Runs every callback due within `duration` from now, then sets the time to its end.
    void advance(Duration duration);
    /// Runs callbacks until `done` holds (checked before each one) or none is pending.
    template <class Predicate>
    bool runUntil(Predicate done, std::size_t limit = 10'000'000) {
        for (std::size_t i = 0; i < limit; ++i) {
            if (done())
                return true;
            if (!runNext())
                return done();
        }
        return done();
    }
    bool hasPending() const { return !queue_.empty(); }
    /// Time passes while code works, inside a callback: timers due meanwhile run late.
    void spend(Duration duration) { now_ += duration; }

private:
    Duration now_{0};
    TimerId nextId_ = 1;
    std::map<std::pair<Duration, TimerId>, std::function<void()>> queue_;
    std::map<TimerId, Duration> dueTimes_;
};

} // namespace keyferry
