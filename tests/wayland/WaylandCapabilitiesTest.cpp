#include "platform/wayland/WaylandCapabilities.h"

#include <gtest/gtest.h>
#include <set>

using namespace keyferry;
using namespace keyferry::wayland;

namespace {

std::set<Capability> missing(const DesktopDescription& description) {
    std::set<Capability> result;
    for (const CapabilityState& state : description.capabilities)
        if (!state.available)
            result.insert(state.capability);
    return result;
}

WaylandFacts sway() {
    WaylandFacts facts;
    facts.windowsKnowBounds = true;
    facts.windowsKnowProcesses = true;
    facts.swayIpc = true;
    facts.wlrootsProtocols = true;
    facts.focusFollowed = true;
    facts.currentDesktop = "sway";
    return facts;
}

// Never offered on Wayland, whatever the compositor.
const std::set<Capability> neverOnWayland = {Capability::recordKeys, Capability::pauseOnUserInput,
                                             Capability::watchClicks};

} // namespace

TEST(WaylandCapabilities, EachCompositorItsDesktopAndWhatIsMissing) {
    WaylandFacts wlroots = sway();
    wlroots.swayIpc = false;
    wlroots.windowsKnowBounds = false;
    wlroots.windowsProblem = "no sway IPC socket (SWAYSOCK is not set)";
    wlroots.currentDesktop = "";
    // Windows through the foreign toplevel protocol: no processes, no positions.
    WaylandFacts toplevels = wlroots;
    toplevels.windowsProblem.reset();
    WaylandFacts gnome;
    gnome.keyboardProblem = "the compositor offers no virtual keyboard";
    gnome.pointerProblem = "the compositor offers no virtual pointer";
    gnome.windowsProblem = "no sway IPC socket (SWAYSOCK is not set)";
    gnome.currentDesktop = "ubuntu:GNOME";
    WaylandFacts kde = gnome;
    kde.currentDesktop = "KDE";
    // KDE with Keyferry's KWin script: windows with processes and bounds, and the stop
    // shortcut as a global shortcut; no virtual input devices.
    WaylandFacts plasma = kde;
    plasma.windowsProblem.reset();
    plasma.windowsKnowBounds = true;
    plasma.windowsKnowProcesses = true;
    plasma.kwinScript = true;
    plasma.globalShortcut = true;
    plasma.focusFollowed = true;
    WaylandFacts plasmaWithoutShortcut = plasma;
    plasmaWithoutShortcut.globalShortcut = false;
    plasmaWithoutShortcut.globalShortcutProblem =
        "Ctrl+Shift+Esc is another global shortcut in this session";
    // The script is what says KDE, whatever the session is called.
    WaylandFacts plasmaUnnamed = plasma;
    plasmaUnnamed.currentDesktop = "";
    const std::set<Capability> plasmaMissing = {
        Capability::typeLayoutText, Capability::typeAnyText,      Capability::click,
        Capability::recordKeys,     Capability::pauseOnUserInput, Capability::watchClicks};
    std::set<Capability> plasmaMissingShortcut = plasmaMissing;
    plasmaMissingShortcut.insert(Capability::stopHotkey);
    plasmaMissingShortcut.insert(Capability::recordFields); // Esc ends a recording
    WaylandFacts unknown = gnome;
    unknown.currentDesktop = "Weston";
    WaylandFacts swayWithoutAccessibility = sway();
    swayWithoutAccessibility.focusFollowed = false;
    std::set<Capability> swayWithoutFields = neverOnWayland;
    swayWithoutFields.insert(Capability::recordFields);

    std::set<Capability> everything(allCapabilities().begin(), allCapabilities().end());
    const struct {
        const char* name;
        WaylandFacts facts;
        DesktopKind kind;
        std::set<Capability> missing;
    } cases[] = {
        {"sway", sway(), DesktopKind::sway, neverOnWayland},
        {"sway without the accessibility bus", swayWithoutAccessibility, DesktopKind::sway,
         swayWithoutFields},
        {"wlroots without sway's IPC",
         wlroots,
         DesktopKind::otherWlroots,
         {Capability::click, Capability::listWindows, Capability::activate,
          Capability::windowBounds, Capability::stopHotkey, Capability::recordKeys,
          Capability::recordFields, Capability::pauseOnUserInput, Capability::watchClicks}},
        {"wlroots with foreign toplevels",
         toplevels,
         DesktopKind::otherWlroots,
         {Capability::click, Capability::windowBounds, Capability::stopHotkey,
          Capability::recordKeys, Capability::recordFields, Capability::pauseOnUserInput,
          Capability::watchClicks}},
        {"GNOME", gnome, DesktopKind::gnome, everything},
        {"KDE", kde, DesktopKind::kde, everything},
        {"KDE with the KWin script", plasma, DesktopKind::kde, plasmaMissing},
        {"KDE without the global shortcut", plasmaWithoutShortcut, DesktopKind::kde,
         plasmaMissingShortcut},
        {"KWin in a session of another name", plasmaUnnamed, DesktopKind::kde, plasmaMissing},
        {"another compositor", unknown, DesktopKind::unknown, everything},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(waylandDesktopKind(c.facts), c.kind);
        const DesktopDescription description = describeWayland(c.facts);
        EXPECT_EQ(description.kind, c.kind);
        ASSERT_EQ(description.capabilities.size(), allCapabilities().size());
        for (std::size_t i = 0; i < allCapabilities().size(); ++i)
            EXPECT_EQ(description.capabilities[i].capability, allCapabilities()[i]);
        EXPECT_EQ(missing(description), c.missing);
        for (const CapabilityState& state : description.capabilities) {
            // Every "no" says why and what to do; every "yes" says nothing more.
            EXPECT_EQ(state.why.empty(), state.available) << capabilityName(state.capability);
            EXPECT_EQ(state.remedy.empty(), state.available) << capabilityName(state.capability);
        }
    }
}

TEST(WaylandCapabilities, MissingPartsAreNamedForWhatTheyBreak) {
    // A compositor with a keyboard but no pointer: typing works, clicking does not.
    WaylandFacts facts = sway();
    facts.pointerProblem = "the compositor offers no virtual pointer";
    EXPECT_EQ(missing(describeWayland(facts)),
              (std::set<Capability>{Capability::click, Capability::recordKeys,
                                    Capability::pauseOnUserInput, Capability::watchClicks}));
    // Windows without bounds (a protocol that names windows only): no clicks at positions.
    facts = sway();
    facts.windowsKnowBounds = false;
    const auto description = describeWayland(facts);
    EXPECT_EQ(
        missing(description),
        (std::set<Capability>{Capability::click, Capability::windowBounds, Capability::recordKeys,
                              Capability::pauseOnUserInput, Capability::watchClicks}));
    // GNOME's reason is GNOME's, not the protocol's name.
    WaylandFacts gnome;
    gnome.keyboardProblem = "the compositor offers no virtual keyboard";
    gnome.currentDesktop = "GNOME";
    EXPECT_NE(describeWayland(gnome).capabilities[0].why.find("GNOME"), std::string::npos);
}

TEST(WaylandCapabilities, WindowsWithoutProcessesSaySo) {
    WaylandFacts facts = sway();
    EXPECT_EQ(describeWayland(facts).capabilities[3].note, "");
    facts.swayIpc = false;
    facts.windowsKnowProcesses = false;
    facts.windowsKnowBounds = false;
    const auto listed = describeWayland(facts).capabilities[3];
    ASSERT_EQ(listed.capability, Capability::listWindows);
    EXPECT_TRUE(listed.available);
    EXPECT_NE(listed.note.find("without process ids"), std::string::npos);
    EXPECT_NE(formatDescription({DesktopKind::otherWlroots, {listed}})
                  .find("list windows: yes - without"),
              std::string::npos);
}

TEST(DesktopDescription, PrintedOneLinePerCapability) {
    const std::string x11 = formatDescription(describeX11(true));
    EXPECT_EQ(x11, "Desktop: X11\n"
                   "type layout text: yes\n"
                   "type any text: yes\n"
                   "click: yes\n"
                   "list windows: yes\n"
                   "activate: yes\n"
                   "window bounds: yes\n"
                   "stop hotkey: yes\n"
                   "record keys: yes\n"
                   "record fields: yes\n"
                   "pause on user input: yes\n"
                   "see the user's clicks: yes\n");
    const DesktopDescription untrusted = describeX11(false);
    EXPECT_EQ(missing(untrusted).size(), allCapabilities().size());
    const DesktopDescription one{DesktopKind::gnome,
                                 {{Capability::recordKeys, false, "why not", "do this", {}}}};
    EXPECT_EQ(formatDescription(one),
              "Desktop: GNOME\nrecord keys: no - why not. What you can do: do this\n");
}

// Fields are recorded from the focus (the accessibility bus) and end on Esc (a sway binding or
// a KDE global shortcut):
// without either, no, and the why names the one missing.
TEST(WaylandCapabilities, RecordingFieldsNeedsTheFocusAndSwaysBinding) {
    const auto recordFields = [](const WaylandFacts& facts) {
        return describeWayland(facts)
            .capabilities[static_cast<std::size_t>(Capability::recordFields)];
    };
    const struct {
        const char* name;
        bool focusFollowed;
        bool swayIpc;
        bool globalShortcut;
        bool available;
        const char* inWhy;
    } cases[] = {
        {"both", true, true, false, true, ""},
        {"no accessibility bus", false, true, false, false, "accessibility bus"},
        {"no sway IPC", true, false, false, false, "sway's IPC"},
        {"KDE's global shortcuts instead", true, false, true, true, ""},
        {"KDE without the accessibility bus", false, false, true, false, "accessibility bus"},
        {"neither", false, false, false, false, "accessibility bus"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WaylandFacts facts = sway();
        facts.focusFollowed = c.focusFollowed;
        facts.swayIpc = c.swayIpc;
        facts.globalShortcut = c.globalShortcut;
        const CapabilityState state = recordFields(facts);
        ASSERT_EQ(state.capability, Capability::recordFields);
        EXPECT_EQ(state.available, c.available);
        EXPECT_NE(state.why.find(c.inWhy), std::string::npos) << state.why;
    }
    // What a recording there leaves out is said with the yes.
    EXPECT_EQ(formatDescription({DesktopKind::sway, {recordFields(sway())}}),
              "Desktop: sway\n"
              "record fields: yes - from the fields the focus moves to; Return, arrow keys and "
              "clicks are added by hand\n");
}

// On KDE each missing part is named for what it is, and the stop shortcut's why is KDE's own.
TEST(WaylandCapabilities, KdeSaysWhichPartIsMissing) {
    WaylandFacts facts;
    facts.keyboardProblem = "the compositor offers no virtual keyboard";
    facts.pointerProblem = "the compositor offers no virtual pointer";
    facts.windowsKnowBounds = true;
    facts.windowsKnowProcesses = true;
    facts.kwinScript = true;
    facts.globalShortcutProblem =
        "KDE's global shortcut service (kglobalaccel) is not on the session bus";
    const DesktopDescription description = describeWayland(facts);
    const auto state = [&](Capability capability) {
        return description.capabilities[static_cast<std::size_t>(capability)];
    };
    EXPECT_NE(state(Capability::typeAnyText).why.find("virtual keyboard"), std::string::npos);
    EXPECT_NE(state(Capability::click).why.find("virtual pointer"), std::string::npos);
    EXPECT_EQ(state(Capability::stopHotkey).why, facts.globalShortcutProblem);
    EXPECT_NE(state(Capability::stopHotkey).remedy.find("Stop button"), std::string::npos);
    EXPECT_TRUE(state(Capability::listWindows).available);
    EXPECT_EQ(state(Capability::listWindows).note, "");
}

// Through the portal GNOME asks the user each time Keyferry starts; KDE asks nothing of an
// application that is not sandboxed, and the note does not say it will.
TEST(WaylandCapabilities, ThePortalNoteSaysWhetherTheDesktopAsks) {
    for (const auto& [desktop, asks] : {std::pair{"GNOME", true}, std::pair{"KDE", false}}) {
        SCOPED_TRACE(desktop);
        WaylandFacts facts;
        facts.keyboardProblem = "the compositor offers no virtual keyboard";
        facts.portalInput = true;
        facts.currentDesktop = desktop;
        const CapabilityState typing = describeWayland(facts).capabilities[0];
        ASSERT_EQ(typing.capability, Capability::typeLayoutText);
        EXPECT_TRUE(typing.available);
        EXPECT_EQ(typing.note.find("asks you") != std::string::npos, asks) << typing.note;
    }
}

// The route the portal's keys take is named; on the libei route clicks work and, with a portal
// that remembers the answer, the user is asked once, not at every start.
TEST(WaylandCapabilities, ThePortalsRouteDecidesClicksAndHowOftenTheDesktopAsks) {
    const auto capability = [](const WaylandFacts& facts, Capability wanted) {
        for (const CapabilityState& state : describeWayland(facts).capabilities)
            if (state.capability == wanted)
                return state;
        ADD_FAILURE() << "no such capability";
        return CapabilityState{};
    };
    WaylandFacts facts;
    facts.keyboardProblem = "the compositor offers no virtual keyboard";
    facts.portalInput = true;
    facts.currentDesktop = "GNOME";

    facts.portalRoute = "libei";
    facts.portalRemembersConsent = true;
    const CapabilityState typing = capability(facts, Capability::typeLayoutText);
    EXPECT_NE(typing.note.find("(libei)"), std::string::npos) << typing.note;
    EXPECT_NE(typing.note.find("asks you once, and again only when you withdraw"),
              std::string::npos)
        << typing.note;
    const CapabilityState click = capability(facts, Capability::click);
    EXPECT_TRUE(click.available);
    EXPECT_NE(click.note.find("(libei)"), std::string::npos) << click.note;

    facts.portalRoute = "keysyms";
    facts.portalRemembersConsent = false;
    facts.pointerProblem = "the desktop portal places clicks only within a screen cast";
    EXPECT_NE(capability(facts, Capability::typeLayoutText)
                  .note.find("(keysyms): the desktop asks you once each time Keyferry starts"),
              std::string::npos);
    const CapabilityState noClick = capability(facts, Capability::click);
    EXPECT_FALSE(noClick.available);
    EXPECT_EQ(noClick.why, *facts.pointerProblem);

    // Characters outside the layout: pasted where the portal has a clipboard, else refused.
    EXPECT_FALSE(capability(facts, Capability::typeAnyText).available);
    facts.portalPastes = true;
    const CapabilityState anyText = capability(facts, Capability::typeAnyText);
    EXPECT_TRUE(anyText.available);
    EXPECT_NE(anyText.note.find("pasted through the clipboard"), std::string::npos) << anyText.note;
}
