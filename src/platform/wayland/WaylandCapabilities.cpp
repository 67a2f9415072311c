#include "platform/wayland/WaylandCapabilities.h"

namespace keyferry::wayland {

namespace {

bool names(const std::string& currentDesktop, const std::string& desktop) {
    // A colon-separated list, e.g. "ubuntu:GNOME".
    std::size_t start = 0;
    while (start <= currentDesktop.size()) {
        const std::size_t end = std::min(currentDesktop.find(':', start), currentDesktop.size());
        if (currentDesktop.compare(start, end - start, desktop) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

const std::string otherSession =
    "log in to an X11 (Xorg) session, or use sway or another wlroots compositor";
const std::string extensionRemedy =
    "turn on Keyferry's GNOME Shell extension (Keyferry's start script installs it): "
    "gnome-extensions enable keyferry@keyferry.org, then log out and in again";
const std::string noExtension = "Keyferry's GNOME Shell extension is not running";

/// Why the compositor's input protocols are missing, in the user's terms.
std::string noVirtualInput(DesktopKind kind, const std::string& problem,
                           const std::string& device = "keyboard") {
    switch (kind) {
    case DesktopKind::gnome:
        return "GNOME on Wayland lets applications type only through the desktop portal, "
               "which does not answer (" +
               problem + ")";
    case DesktopKind::kde:
        return "KDE Plasma on Wayland does not offer its virtual " + device + " to applications";
    default:
        return problem;
    }
}

} // namespace

DesktopKind waylandDesktopKind(const WaylandFacts& facts) {
    if (facts.swayIpc)
        return DesktopKind::sway;
    if (facts.kwinScript)
        return DesktopKind::kde;
    if (facts.wlrootsProtocols)
        return DesktopKind::otherWlroots;
    if (names(facts.currentDesktop, "GNOME"))
        return DesktopKind::gnome;
    if (names(facts.currentDesktop, "KDE"))
        return DesktopKind::kde;
    return DesktopKind::unknown;
}

DesktopDescription describeWayland(const WaylandFacts& facts) {
    const DesktopKind kind = waylandDesktopKind(facts);
    DesktopDescription description{kind, {}};
    const auto yes = [&](Capability capability) {
        description.capabilities.push_back({capability, true, {}, {}, {}});
    };
    const auto no = [&](Capability capability, std::string why, std::string remedy) {
        description.capabilities.push_back(
            {capability, false, std::move(why), std::move(remedy), {}});
    };
    const bool gnome = kind == DesktopKind::gnome;
    const std::string windowsRemedy =
        kind == DesktopKind::sway || kind == DesktopKind::otherWlroots
            ? "start Keyferry from inside the sway session, so that SWAYSOCK is set, or use "
              "sway"
        : gnome ? extensionRemedy
                : otherSession;
    const auto windowsWhy = [&] {
        return gnome && facts.gnomeShellProblem
                   ? noExtension + " (" + *facts.gnomeShellProblem + ")"
                   : facts.windowsProblem.value_or("");
    };

    if (facts.portalInput) {
        yes(Capability::typeLayoutText);
        // KDE asks nothing of an application that is not sandboxed.
        const std::string route = facts.portalRoute.empty()
                                      ? "through the desktop portal"
                                      : "through the desktop portal (" + facts.portalRoute + ")";
        description.capabilities.back().note =
            kind == DesktopKind::kde ? route
            : facts.portalRemembersConsent
                ? route + ": the desktop asks you once, and again only when you withdraw it"
                : route + ": the desktop asks you once each time Keyferry starts";
        if (facts.portalPastes) {
            yes(Capability::typeAnyText);
            description.capabilities.back().note =
                "characters your keyboard layout lacks are pasted through the clipboard, and "
                "what you had there is put back";
        } else {
            no(Capability::typeAnyText,
               "the desktop portal types only the characters of your keyboard layout",
               "keep to your layout's characters or add a layout that has them; a run names the "
               "characters it cannot type before it starts");
        }
    } else {
        const std::string problem = facts.keyboardProblem && facts.portalProblem && gnome
                                        ? *facts.portalProblem
                                        : facts.keyboardProblem.value_or("");
        const std::string remedy =
            gnome ? "install xdg-desktop-portal and xdg-desktop-portal-gnome" : otherSession;
        for (const Capability capability : {Capability::typeLayoutText, Capability::typeAnyText}) {
            if (facts.keyboardProblem)
                no(capability, noVirtualInput(kind, problem), remedy);
            else
                yes(capability); // Keyferry's own keyboard carries a keymap with any character
        }
    }

    if (facts.portalInput && !facts.pointerProblem) {
        yes(Capability::click);
        description.capabilities.back().note =
            "through the desktop portal (" + facts.portalRoute + ")";
    } else if (facts.portalInput)
        no(Capability::click, *facts.pointerProblem,
           "use Tab and arrow keys instead of clicks, or run on an X11 session");
    else if (facts.pointerProblem)
        no(Capability::click, noVirtualInput(kind, *facts.pointerProblem, "pointer"), otherSession);
    else if (facts.windowsProblem || !facts.windowsKnowBounds)
        no(Capability::click, "the size of the desktop is unknown without sway's IPC",
           windowsRemedy);
    else
        yes(Capability::click);

    for (const Capability capability : {Capability::listWindows, Capability::activate}) {
        if (facts.windowsProblem)
            no(capability, windowsWhy(), windowsRemedy);
        else
            yes(capability);
    }
    if (!facts.windowsProblem && !facts.windowsKnowProcesses)
        description.capabilities[static_cast<std::size_t>(Capability::listWindows)].note =
            "without process ids, which this compositor does not tell applications: windows "
            "are told apart by application id only";
    if (facts.windowsProblem)
        no(Capability::windowBounds, windowsWhy(), windowsRemedy);
    else if (!facts.windowsKnowBounds)
        no(Capability::windowBounds, "this compositor tells applications no window positions",
           "use templates without clicks at window positions, or use sway");
    else
        yes(Capability::windowBounds);

    const std::string stopRemedy =
        "stop a run with Ctrl+C in its terminal or the Stop button in Keyferry's window";
    if (facts.swayIpc || facts.gnomeShellExtension)
        yes(Capability::stopHotkey); // a sway binding, or the shell's, made for the run
    else if (facts.globalShortcut)
        yes(Capability::stopHotkey); // a KDE global shortcut made for the run
    else if (gnome)
        no(Capability::stopHotkey, noExtension, extensionRemedy);
    else if (kind == DesktopKind::kde && !facts.globalShortcutProblem.empty())
        no(Capability::stopHotkey, facts.globalShortcutProblem, stopRemedy);
    else
        no(Capability::stopHotkey,
           "no Wayland compositor lets an application see keys meant for others, and only sway's "
           "IPC can make a shortcut for Keyferry",
           stopRemedy);

    no(Capability::recordKeys,
       "no Wayland compositor lets an application watch the keys typed into other applications",
       "record the template on an X11 session, or write its steps in the template editor");
    // The fields come from the focus (AT-SPI), the end from Escape as a sway binding or a KDE
    // global shortcut.
    if (!facts.focusFollowed) {
        no(Capability::recordFields,
           "the recorder follows the focus from field to field through the accessibility bus, "
           "which cannot be reached",
           "turn on assistive technologies in your session, or add the fields as steps in the "
           "template editor");
    } else if (gnome && !facts.gnomeShellExtension) {
        no(Capability::recordFields,
           "a recording ends with Esc, which only Keyferry's GNOME Shell extension can keep "
           "from the applications for Keyferry",
           extensionRemedy);
    } else if (!facts.swayIpc && !facts.gnomeShellExtension && !facts.globalShortcut) {
        no(Capability::recordFields,
           "a recording ends with Esc, which only sway's IPC or KDE's global shortcuts can keep "
           "from the applications for Keyferry",
           "record on sway, started so that SWAYSOCK is set, or add the fields as steps in the "
           "template editor");
    } else {
        yes(Capability::recordFields);
        description.capabilities.back().note =
            "from the fields the focus moves to; Return, arrow keys and clicks are added by hand";
    }
    no(Capability::pauseOnUserInput,
       "Wayland shows Keyferry none of your own key presses and clicks, so a run does not pause "
       "when you type or click (it still pauses when the focus leaves the target window)",
       "keep your hands off the keyboard and mouse during a run, or stop it first");
    no(Capability::watchClicks,
       "no Wayland compositor lets an application see clicks made in other applications",
       "use a Pause step instead of waiting for a click, or run on an X11 session");
    return description;
}

} // namespace keyferry::wayland
