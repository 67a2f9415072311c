#pragma once

#include <cstddef>
#include <string>
#include <variant>

namespace keyferry {

/// The runner's observable phase. Rows and steps are 0-based; `total` is the end row of the
/// run (exclusive), not the table's row count.
namespace runner_state {

struct Countdown {
    long long remaining = 0;
    friend bool operator==(const Countdown&, const Countdown&) = default;
};
struct Running {
    std::size_t row = 0, step = 0, total = 0;
    friend bool operator==(const Running&, const Running&) = default;
};
struct DebugStep {
    std::size_t row = 0, stepIdx = 0;
    std::string stepLabel, stepType, value;
    friend bool operator==(const DebugStep&, const DebugStep&) = default;
};
struct WaitingForClick {
    std::size_t row = 0, total = 0;
    friend bool operator==(const WaitingForClick&, const WaitingForClick&) = default;
};
struct Paused {
    std::size_t row = 0, total = 0; ///< row: where Resume starts
    friend bool operator==(const Paused&, const Paused&) = default;
};
struct Finished {
    std::size_t successful = 0, errors = 0, resumeFrom = 0;
    friend bool operator==(const Finished&, const Finished&) = default;
};
struct Idle {
    friend bool operator==(const Idle&, const Idle&) = default;
};

} // namespace runner_state

using RunnerState = std::variant<runner_state::Countdown, runner_state::Running,
                                 runner_state::DebugStep, runner_state::WaitingForClick,
                                 runner_state::Paused, runner_state::Finished, runner_state::Idle>;

} // namespace keyferry
