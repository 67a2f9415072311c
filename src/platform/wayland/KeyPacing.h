#pragma once

#include <chrono>
#include <cstddef>

namespace keyferry::wayland {

/// Keeps synthesised keys from outrunning the application that receives them. A compositor
/// holds only a few kilobytes of events for each client (some forty characters with their
/// modifiers) and drops the connection of a client that falls further behind: the application
/// dies. Nothing tells Keyferry how far the application has read, so characters go out in
/// short bursts no faster on average than one per `gap`.
class KeyPacing {
public:
    using Clock = std::chrono::steady_clock;
    using Duration = Clock::duration;

    KeyPacing(std::size_t burst, Duration gap) : burst_(burst), gap_(gap) {}

    /// Whether another character may go out in the current burst.
    bool mayPost() const { return sent_ < burst_; }
    /// One character went out at `now`.
    void posted(Clock::time_point now);
    /// Starts the next burst: how long to wait first so that the last one took at least
    /// `gap` per character. Zero when the burst is not full or was slow enough already.
    Duration nextBurst(Clock::time_point now);

private:
    std::size_t burst_;
    Duration gap_;
    std::size_t sent_ = 0;
    Clock::time_point burstStart_{};
};

} // namespace keyferry::wayland
