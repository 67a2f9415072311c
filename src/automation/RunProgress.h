#pragma once

#include "automation/Scheduler.h"

#include <cstddef>
#include <optional>

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

} // namespace keyferry
