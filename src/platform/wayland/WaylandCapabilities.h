#pragma once

#include "automation/DesktopDescription.h"

#include <optional>
#include <string>

namespace keyferry::wayland {

/// What a Wayland compositor turned out to offer when Keyferry connected.
struct WaylandFacts {
    std::optional<std::string> keyboardProblem; ///< why no virtual keyboard; nothing when there
    std::optional<std::string> pointerProblem;  ///< why no virtual pointer; nothing when there
    std::optional<std::string> windowsProblem;  ///< why no windows; nothing when there
    bool windowsKnowBounds = false;
    bool windowsKnowProcesses = false;
    bool swayIpc = false;              ///< sway's IPC answers: windows, the stop binding
    bool kwinScript = false;           ///< Keyferry's script runs inside KWin: windows
    bool globalShortcut = false;       ///< KDE's global shortcut service takes Keyferry's shortcuts
    std::string globalShortcutProblem; ///< on KDE, why it does not; empty when unknown
    bool portalInput = false;          ///< keys go through the desktop portal (layout only)
    std::string portalRoute;           ///< how they travel there: "libei" or "keysyms"
    bool portalRemembersConsent = false; ///< the portal's restore token spares the next question
    bool portalPastes = false; ///< characters the layout lacks are pasted (the portal's clipboard)
    std::optional<std::string> portalProblem;     ///< why the portal offers no keys, when asked
    bool gnomeShellExtension = false;             ///< Keyferry's GNOME Shell extension answers
    std::optional<std::string> gnomeShellProblem; ///< why it does not, when asked
    bool wlrootsProtocols = false;                ///< the compositor offers wlroots' own protocols
    bool focusFollowed = false;                   ///< AT-SPI reports where the keyboard focus goes
    std::string currentDesktop;                   ///< $XDG_CURRENT_DESKTOP
};

/// Which desktop the facts point to: sway by its IPC, KDE by Keyferry's KWin script, another
/// wlroots compositor by its protocols, GNOME and KDE by the session's name.
DesktopKind waylandDesktopKind(const WaylandFacts& facts);

/// Each capability on that compositor, with why and what to do where it is missing.
DesktopDescription describeWayland(const WaylandFacts& facts);

} // namespace keyferry::wayland
