#pragma once

#include "automation/DesktopServices.h"

#include <optional>
#include <set>
#include <string>

namespace keyferry {

/// The one window a run types into. It binds to the target's focused window once the target
/// is in front; within a step nothing may reach any other window, and between steps it follows
/// the focus only to windows the target opened during the run (a dialog transient for one of
/// the run's windows, or a new window of the target application: of the same process, or of a
/// new instance, as a form that is started again for each row) and back. Every window that
/// existed before the run and was never bound, even one of the same application, is off
/// limits. A window is known by its id and its process: X hands the id of a closed window to
/// a new client, which is then a new window.
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
    bool mayFollow(WindowID window, const WindowFacts& facts);

    DesktopServices& desktop_;
    std::optional<std::string> target_;
    /// A window id with the process it belonged to then.
    using Identity = std::pair<WindowID, int>;
    std::optional<Identity> identify(WindowID window);

    std::set<Identity> existedBefore_;
    std::set<Identity> runWindows_; ///< bound now or earlier in this run
    std::optional<WindowID> bound_;
    int boundProcessID_ = 0;
};

} // namespace keyferry
