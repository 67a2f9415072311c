#pragma once

#include "automation/Scheduler.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace keyferry {

/// How far a run has come: rows ended of rows planned, and how long the rows so far took,
/// from which the time left is estimated.
struct RunProgress {
    std::size_t done = 0;           ///< rows ended (landed or not)
    std::size_t planned = 0;        ///< rows the run was asked to enter
    Scheduler::Duration elapsed{0}; ///< from the first row's start to the last row's end

    /// The rows left at the average pace so far; nothing before a row has ended.
    std::optional<Scheduler::Duration> remaining() const {
        if (done == 0 || done >= planned)
            return done >= planned && planned > 0 ? std::optional(Scheduler::Duration{0})
                                                  : std::nullopt;
        return elapsed / static_cast<long long>(done) * static_cast<long long>(planned - done);
    }
    friend bool operator==(const RunProgress&, const RunProgress&) = default;
};

/// "about 40 s left", "about 3 min left", "about 2 h 5 min left".
inline std::string describeRemaining(Scheduler::Duration remaining) {
    using namespace std::chrono;
    const auto seconds = duration_cast<std::chrono::seconds>(remaining).count();
    std::string amount;
    if (seconds < 60)
        amount = std::to_string(std::max<long long>(seconds, 1)) + " s";
    else if (seconds < 3600)
        amount = std::to_string((seconds + 30) / 60) + " min";
    else
        amount =
            std::to_string(seconds / 3600) + " h " + std::to_string(seconds % 3600 / 60) + " min";
    return "about " + amount + " left";
}

} // namespace keyferry
