#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// The end-to-end tests' own view of a KWin session: what scripts of the test's own print into
// KWin's log ($KEYFERRY_KWIN_LOG), never Keyferry's code, so that it can judge Keyferry.

namespace keyferry::testing {

/// A window as KWin lists it to a script.
struct KWinView {
    std::string id; ///< KWin's internal id
    pid_t pid = 0;
    std::string resourceClass;
    std::string caption;
    bool active = false;
    bool minimized = false;
    double x = 0, y = 0, width = 0, height = 0; ///< the frame, in desktop coordinates
    /// The client area inside the frame, without KWin's decoration; the frame where KWin
    /// draws none.
    double clientX = 0, clientY = 0, clientWidth = 0, clientHeight = 0;

    bool decorated() const {
        return clientX != x || clientY != y || clientWidth != width || clientHeight != height;
    }
};

/// `text` as one word of a shell command.
std::string shellWord(const std::string& text);
/// Runs a KWin script whose `report(value)` calls are collected; the values as JSON texts,
/// or nothing when KWin did not run it.
std::optional<std::vector<std::string>> runKWinScript(const std::string& body);
/// Every window KWin manages, in its list's order.
std::vector<KWinView> kwinViews();
/// The window of a process, waited for up to `timeout`.
std::optional<KWinView>
waitForKWinViewOf(pid_t pid, std::chrono::milliseconds timeout = std::chrono::seconds(20));
/// Waits until the window of `pid` is KWin's active one.
bool waitForActiveKWinView(pid_t pid, std::chrono::milliseconds timeout = std::chrono::seconds(10));
/// Makes the window of `pid` the active one, as the user would.
bool activateInKWin(pid_t pid);
/// Whether KWin has a script of that name loaded.
bool kwinScriptLoaded(const std::string& name);

} // namespace keyferry::testing
