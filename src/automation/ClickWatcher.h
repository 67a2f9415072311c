#pragma once

#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"
#include "automation/Task.h"
#include "automation/Waits.h"

#include <functional>
#include <memory>

namespace keyferry {

/// Lets a run wait until the user left-clicks somewhere outside Keyferry's own windows.
class ClickWatcher {
public:
    ClickWatcher(DesktopServices& desktop, Scheduler& scheduler);
    ClickWatcher(const ClickWatcher&) = delete;
    ClickWatcher& operator=(const ClickWatcher&) = delete;
    ~ClickWatcher();

    /// Returns after the next left click outside Keyferry, at once when clicks cannot be
    /// watched, or when stopListening() is followed by a call of onClick.
    Task<void> waitForClick();
    /// Removes the tap; leaves onClick alone.
    void stopListening();
    bool isListening() const { return static_cast<bool>(tap_); }

    /// The pending wait's completion; the runner's stop() calls it once to release a wait.
    std::function<void()> onClick;

private:
    void setUp();
    void handle(const InputEvent& event);

    DesktopServices& desktop_;
    Scheduler& scheduler_;
    OneShot click_;
    std::unique_ptr<InputListener> tap_;
    Scheduler::TimerId setUpTimer_ = 0;
};

} // namespace keyferry
