#pragma once

#include "automation/Geometry.h"

#include <X11/Xlib.h>
#include <optional>
#include <string>
#include <vector>

namespace keyferry::x11 {

/// EWMH and ICCCM queries on top-level client windows.
class X11Windows {
public:
    explicit X11Windows(Display* display);

    /// Managed client windows, front to back.
    std::vector<Window> clientsFrontToBack() const;
    /// The client window (the one with WM_STATE) that `window` is part of; for a window of
    /// no client (a popup, the window manager's own), its top-level window. Nothing when
    /// the window is gone.
    std::optional<Window> clientOf(Window window) const;
    /// The client window or popup at a root position, topmost first.
    std::optional<Window> windowAt(int x, int y) const;
    std::optional<Window> transientFor(Window window) const;

    std::optional<Window> activeWindow() const;
    /// The class part of WM_CLASS: the application id.
    std::optional<std::string> applicationID(Window window) const;
    int processID(Window window) const;
    /// Viewable and not minimised.
    bool isOnScreen(Window window) const;
    bool skipsTaskbar(Window window) const;
    /// The client area in root coordinates.
    std::optional<Rect> clientArea(Window window) const;
    /// Asks the window manager to activate the window (as a pager would).
    bool requestActivation(Window window) const;
    bool hasWindowManager() const;

private:
    std::vector<unsigned long> cardinals(Window window, Atom property, Atom type) const;
    std::vector<Atom> atoms(Window window, Atom property) const;
    bool hasWMState(Window window) const;
    std::optional<Window> clientBelow(Window window, int depth) const;

    Display* display_;
    Window root_;
    Atom clientListStacking_, activeWindowAtom_, pidAtom_, stateAtom_, hiddenAtom_,
        skipTaskbarAtom_, supportingCheck_, wmStateAtom_;
};

} // namespace keyferry::x11
