#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace keyferry {

/// All time of the automation goes through this: the desktop app runs it on its event loop,
/// tests on virtual time that jumps from one due callback to the next.
class Scheduler {
public:
    using Duration = std::chrono::nanoseconds;
    using TimerId = std::uint64_t;

    virtual ~Scheduler() = default;

    /// Time since the scheduler began; only differences mean anything.
    virtual Duration now() const = 0;
    /// Calls `callback` on the main thread once `delay` has passed (at the next turn of the
    /// loop for a delay of zero). Callbacks due at the same time run in the order scheduled.
    virtual TimerId runAfter(Duration delay, std::function<void()> callback) = 0;
    /// Drops a callback that has not run yet; unknown or finished ids are ignored.
    virtual void cancel(TimerId id) = 0;
};

/// A wait of `seconds` as whole nanoseconds, truncated; negative or non-finite waits are
/// zero.
Scheduler::Duration secondsToDuration(double seconds);

} // namespace keyferry
