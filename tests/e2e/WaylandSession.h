#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// The end-to-end tests' own view of a sway session: what `swaymsg` reports, never Keyferry's
// code, so that it can judge Keyferry.

namespace keyferry::testing {

/// A window as `swaymsg -t get_tree` lists it.
struct SwayView {
    long long id = 0;
    pid_t pid = 0;
    std::string appID;
    bool focused = false;
    bool visible = false;
    int x = 0, y = 0, width = 0, height = 0; ///< the content, in desktop coordinates
};

/// Every window of sway's tree, in tree order.
std::vector<SwayView> swayViews();
/// The window of a process, waited for up to `timeout`.
std::optional<SwayView> waitForViewOf(pid_t pid,
                                      std::chrono::milliseconds timeout = std::chrono::seconds(20));
/// Waits until the window of `pid` has the focus.
bool waitForFocusOf(pid_t pid, std::chrono::milliseconds timeout = std::chrono::seconds(10));
/// Runs a sway command (`[con_id=5] focus`); whether sway carried it out.
bool swayCommand(const std::string& command);

} // namespace keyferry::testing
