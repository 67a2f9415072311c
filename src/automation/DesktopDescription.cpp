#include "automation/DesktopDescription.h"

#include <algorithm>
#include <cctype>

namespace keyferry {

const std::vector<Capability>& allCapabilities() {
    static const std::vector<Capability> all = {
        Capability::typeLayoutText,   Capability::typeAnyText, Capability::click,
        Capability::listWindows,      Capability::activate,    Capability::windowBounds,
        Capability::stopHotkey,       Capability::recordKeys,  Capability::recordFields,
        Capability::pauseOnUserInput, Capability::watchClicks};
    return all;
}

std::string_view desktopName(DesktopKind kind) {
    switch (kind) {
    case DesktopKind::x11:
        return "X11";
    case DesktopKind::sway:
        return "sway";
    case DesktopKind::otherWlroots:
        return "other wlroots compositor";
    case DesktopKind::gnome:
        return "GNOME";
    case DesktopKind::kde:
        return "KDE";
    case DesktopKind::simulated:
        return "simulated";
    case DesktopKind::unknown:
        break;
    }
    return "unknown";
}

std::string_view capabilityName(Capability capability) {
    switch (capability) {
    case Capability::typeLayoutText:
        return "type layout text";
    case Capability::typeAnyText:
        return "type any text";
    case Capability::click:
        return "click";
    case Capability::listWindows:
        return "list windows";
    case Capability::activate:
        return "activate";
    case Capability::windowBounds:
        return "window bounds";
    case Capability::stopHotkey:
        return "stop hotkey";
    case Capability::recordKeys:
        return "record keys";
    case Capability::recordFields:
        return "record fields";
    case Capability::pauseOnUserInput:
        return "pause on user input";
    case Capability::watchClicks:
        break;
    }
    return "see the user's clicks";
}

std::string formatDescription(const DesktopDescription& description) {
    std::string text = "Desktop: " + std::string(desktopName(description.kind)) + "\n";
    for (const CapabilityState& state : description.capabilities) {
        text += std::string(capabilityName(state.capability)) + ": ";
        if (state.available)
            text += state.note.empty() ? "yes\n" : "yes - " + state.note + "\n";
        else
            text += "no - " + state.why + ". What you can do: " + state.remedy + "\n";
    }
    return text;
}

const CapabilityState* findCapability(const DesktopDescription& description,
                                      Capability capability) {
    for (const CapabilityState& state : description.capabilities)
        if (state.capability == capability)
            return &state;
    return nullptr;
}

std::optional<CapabilityNotice> capabilityNotice(const DesktopDescription& description) {
    CapabilityNotice notice;
    for (const CapabilityState& state : description.capabilities) {
        if (state.available)
            continue;
        // An untrusted X11 desktop lacks everything for one reason: one line, not eleven.
        const auto same = std::ranges::find_if(notice.lines, [&](const MissingCapabilities& line) {
            return line.why == state.why && line.remedy == state.remedy;
        });
        if (same == notice.lines.end()) {
            notice.lines.push_back({{state.capability},
                                    std::string(capabilityName(state.capability)),
                                    state.why,
                                    state.remedy});
        } else {
            same->capabilities.push_back(state.capability);
            same->names += ", " + std::string(capabilityName(state.capability));
        }
    }
    if (notice.lines.empty())
        return std::nullopt;
    notice.kind = description.kind;
    notice.title =
        "Not available on this desktop (" + std::string(desktopName(description.kind)) + ")";
    return notice;
}

std::string formatMissing(const MissingCapabilities& line) {
    std::string names = line.names;
    if (!names.empty())
        names[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(names[0])));
    return names + ": " + line.why + ". What you can do: " + line.remedy + ".";
}

DesktopDescription describeAllExcept(DesktopKind kind,
                                     const std::map<Capability, std::string>& missing) {
    DesktopDescription description{kind, {}};
    for (Capability capability : allCapabilities()) {
        const auto found = missing.find(capability);
        if (found == missing.end())
            description.capabilities.push_back({capability, true, {}, {}, {}});
        else
            description.capabilities.push_back(
                {capability, false, found->second, "use a desktop that offers it", {}});
    }
    return description;
}

DesktopDescription describeX11(bool trusted) {
    DesktopDescription description{DesktopKind::x11, {}};
    for (Capability capability : allCapabilities()) {
        if (trusted)
            description.capabilities.push_back({capability, true, {}, {}, {}});
        else
            description.capabilities.push_back(
                {capability,
                 false,
                 "the X server lacks XTest or XInput2, or assistive technologies are off",
                 "turn on assistive technologies (accessibility) in the desktop's settings and "
                 "log in again",
                 {}});
    }
    return description;
}

DesktopDescription describeUnreachable(DesktopKind kind, const std::string& why) {
    DesktopDescription description{kind, {}};
    for (Capability capability : allCapabilities())
        description.capabilities.push_back(
            {capability,
             false,
             why,
             "start Keyferry inside a graphical session (DISPLAY or WAYLAND_DISPLAY set)",
             {}});
    return description;
}

} // namespace keyferry
