#pragma once

#include "automation/DesktopServices.h"
#include "automation/Scheduler.h"
#include "automation/Task.h"
#include "automation/Waits.h"
#include "model/Template.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace keyferry {

/// Turns one step into synthesised keyboard and mouse input for the target application,
/// and answers questions about applications and windows.
class AutomationEngine {
public:
    /// One entry of the target application picker.
    struct AppEntry {
        std::string name;
        std::string bundleID;
        friend bool operator==(const AppEntry&, const AppEntry&) = default;
    };

    static constexpr Scheduler::Duration keyHold = std::chrono::milliseconds(20);
    static constexpr Scheduler::Duration shortPause = std::chrono::milliseconds(50);
    static constexpr Scheduler::Duration activationPoll = std::chrono::milliseconds(100);
    static constexpr Scheduler::Duration afterSelectAll = std::chrono::milliseconds(150);
    static constexpr int activationPolls = 20;

    AutomationEngine(DesktopServices& desktop, Scheduler& scheduler);
    AutomationEngine(const AutomationEngine&) = delete;
    AutomationEngine& operator=(const AutomationEngine&) = delete;
    ~AutomationEngine();

    /// Performs one step. `value` is the text of a textInput step. False only when typing
    /// failed; a step that could not act (an unplaceable click) counts as done. Waits end
    /// at once when `cancellation` fires, and the sequence carries on without them.
    Task<bool> executeStep(Step step, std::optional<std::string> value, Template::Settings settings,
                           std::optional<std::string> targetBundleID, Cancellation cancellation);
    /// Types each user-perceived character, waiting interCharDelay after each one. False as
    /// soon as a character cannot be posted.
    Task<bool> typeText(std::string text, double interCharDelay, Cancellation cancellation);
    /// One key press: down, 20 ms, up; 50 ms more when modifiers were held.
    Task<void> pressKey(Key key, Modifiers modifiers, Cancellation cancellation);
    /// A single or double click at `position`.
    Task<void> performMouseClick(MouseButton button, MouseClickType clickType, Point position,
                                 Cancellation cancellation);
    /// Brings the application to the front and waits up to about 2 s until it is there.
    Task<bool> activateAndWait(std::string bundleID, Cancellation cancellation);

    /// The first on-screen window of positive size of the application, front to back.
    std::optional<Rect> windowBounds(const std::string& bundleID);
    bool isAppFrontmost(const std::string& bundleID);
    /// Regular applications with a name and an id, sorted by name (plain, case-sensitive,
    /// stable).
    static std::vector<AppEntry> runningApps(DesktopServices& desktop);

    /// Releases every key and button this engine pressed and has not released yet.
    void releaseEverythingPressed();

    /// While set, every key press, character and click first checks that this application
    /// is in front; once it is not, nothing more is pressed (releases still are) until the
    /// next step, and targetLost() says so. Keeps a run from typing into another window.
    void guardTarget(std::optional<std::string> bundleID) { guardedTarget_ = std::move(bundleID); }
    bool targetLost() const { return targetLost_; }

private:
    bool mayPress();
    bool post(Key key, Modifiers modifiers, bool down);
    bool postButton(MouseButton button, Point position, bool down, int clickState);
    Task<void> repeatKey(Key key, std::int64_t count, double gap, Cancellation cancellation);
    Task<void> postDelay(double seconds, Cancellation cancellation);
    std::optional<RunningApplication> firstRunning(const std::string& bundleID);

    DesktopServices& desktop_;
    Scheduler& scheduler_;
    std::set<std::pair<Key, std::uint8_t>> keysDown_;
    struct ButtonDown {
        MouseButton button;
        Point position;
    };
    std::vector<ButtonDown> buttonsDown_;
    std::optional<std::string> guardedTarget_;
    bool targetLost_ = false;
};

} // namespace keyferry
