#pragma once

#include "automation/DesktopServices.h"

#include <optional>
#include <set>
#include <string>

namespace keyferry {

/// The one window a run types into. It binds to the target's focused window once the target
/// is in front; within a step nothing may reach any other window, and between steps it follows
/// the focus only to windows the target opened during the run (a dialog transient for one of
/// the run's windows, or a new window of the same process) and back. Every window that existed
/// before the run and was never bound, even one of the same application, is off limits.
class WindowBinding {
public:
    /// Remembers the windows that exist now. Without a target, any focused window may be bound.
    WindowBinding(DesktopServices& desktop, std::optional<std::string> targetBundleID);

    /// Binds to the focused window when it belongs to the target; false otherwise.
    bool bindToFocus();
    bool isBound() const { return bound_.has_value(); }
    std::optional<WindowID> boundWindow() const { return bound_; }
    /// The bound window's process; 0 when unknown.
    int boundProcessID() const { return boundProcessID_; }

    /// Within a step: the next key event reaches the bound window. One desktop query.
    bool holdsFocus();
    /// Within a step: a click at `position` reaches the bound window (or a popup of its own).
    bool holdsPoint(Point position);
    /// Between steps: true when the focus is on the bound window or on one the run may follow
    /// to (which then becomes the bound window); false when it is anywhere else.
    bool followFocus();

private:
    bool mayFollow(WindowID window);

    DesktopServices& desktop_;
    std::optional<std::string> target_;
    std::set<WindowID> existedBefore_;
    std::set<WindowID> runWindows_; ///< bound now or earlier in this run
    std::optional<WindowID> bound_;
    int boundProcessID_ = 0;
};

} // namespace keyferry
