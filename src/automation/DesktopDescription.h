#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry {

/// The desktops Keyferry tells apart; each offers a different set of what a run needs.
enum class DesktopKind { x11, sway, otherWlroots, gnome, kde, simulated, unknown };

/// What a run or the recorder may need from the desktop.
enum class Capability {
    typeLayoutText,   ///< characters of the user's keyboard layout
    typeAnyText,      ///< any character, the layout's or not
    click,            ///< clicks at a position
    listWindows,      ///< windows and running applications
    activate,         ///< bringing the target application to the front
    windowBounds,     ///< where windows are, for clicks relative to one
    stopHotkey,       ///< the stop shortcut while another application has the focus
    recordKeys,       ///< seeing the keys typed into other applications
    recordFields,     ///< recording a template from the fields the user goes through
    pauseOnUserInput, ///< a run pauses when the user types or clicks
    watchClicks,      ///< seeing the user's clicks in other applications (Wait for a click)
};

/// One capability with, when it is missing, why and what the user can do about it.
struct CapabilityState {
    Capability capability = Capability::typeLayoutText;
    bool available = false;
    std::string why;    ///< empty when available
    std::string remedy; ///< empty when available
    std::string note;   ///< what an available capability lacks; often empty
};

struct DesktopDescription {
    DesktopKind kind = DesktopKind::unknown;
    std::vector<CapabilityState> capabilities; ///< one per Capability, in declaration order
};

/// Every capability, in the order they are shown.
const std::vector<Capability>& allCapabilities();
/// "sway", "X11", "GNOME", ...
std::string_view desktopName(DesktopKind kind);
/// "type layout text", "record keys", ...
std::string_view capabilityName(Capability capability);

/// The description as `keyferry desktop` prints it: the desktop, then one line per capability,
/// "NAME: yes" (or "NAME: yes - NOTE") or "NAME: no - WHY. What you can do: REMEDY".
std::string formatDescription(const DesktopDescription& description);

/// The state of one capability in the description; nothing when it is not described.
const CapabilityState* findCapability(const DesktopDescription& description, Capability capability);

/// Capabilities that share why they are missing and what to do, shown as one line.
struct MissingCapabilities {
    std::vector<Capability> capabilities;
    std::string names; ///< "record keys, record fields"
    std::string why;
    std::string remedy;
};

/// What the main window says about a desktop that lacks something.
struct CapabilityNotice {
    DesktopKind kind = DesktopKind::unknown;
    std::string title;                      ///< names the desktop
    std::vector<MissingCapabilities> lines; ///< in capability order, alike ones together
};

/// The notice for a description, or nothing when every capability is there.
std::optional<CapabilityNotice> capabilityNotice(const DesktopDescription& description);

/// "NAMES: WHY. What you can do: REMEDY." for one line of the notice.
std::string formatMissing(const MissingCapabilities& line);

/// An X11 desktop: everything when XTest, XInput2 and assistive technologies are there
/// (`trusted`); nothing that needs them otherwise.
DesktopDescription describeX11(bool trusted);

/// A desktop that offers everything except `missing` (each with why it is missing): the
/// simulated desktop, which tests tell what to lack.
DesktopDescription describeAllExcept(DesktopKind kind,
                                     const std::map<Capability, std::string>& missing);

/// A desktop Keyferry could not reach at all: every capability missing for `why`.
DesktopDescription describeUnreachable(DesktopKind kind, const std::string& why);

} // namespace keyferry
