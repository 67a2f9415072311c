#include "automation/Scheduler.h"

#include <cmath>
#include <limits>

namespace keyferry {

Scheduler::Duration secondsToDuration(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0)
        return Scheduler::Duration{0};
    const double nanoseconds = seconds * 1e9;
    if (nanoseconds >= static_cast<double>(std::numeric_limits<std::int64_t>::max()))
        return Scheduler::Duration::max();
    return Scheduler::Duration{static_cast<std::int64_t>(nanoseconds)};
}

} // namespace keyferry
