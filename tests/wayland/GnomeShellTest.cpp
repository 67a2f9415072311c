#include "platform/wayland/WaylandCapabilities.h"
#include "platform/wayland/gnome/ShellAccelerator.h"
#include "platform/wayland/gnome/ShellWindowList.h"

#include <gtest/gtest.h>

using namespace keyferry;
using namespace keyferry::wayland;

TEST(ShellWindowList, ReadsTheExtensionsWindowsFrontToBack) {
    const auto list = parseShellWindows(R"({"windows":[
        {"id":12,"wmClass":"gtk_form.py","appId":"","pid":401,"title":"Form","focused":true,
         "minimized":false,"type":"normal","transientFor":0,
         "frame":{"x":60,"y":61,"width":420,"height":200}},
        {"id":7,"wmClass":"","pid":0,"title":"","focused":false,"minimized":true,"type":"dialog",
         "transientFor":12,"frame":{"x":0,"y":0,"width":10,"height":5}}],
        "screen":{"width":1280,"height":800}})");
    ASSERT_TRUE(list.hasValue()) << list.error();
    ASSERT_EQ(list->windows.size(), 2u);
    const ShellWindow front{12, "gtk_form.py",         401, "Form", true, false, false,
                            0,  Rect{60, 61, 420, 200}};
    EXPECT_EQ(list->windows[0], front);
    EXPECT_TRUE(list->windows[1].isDialog);
    EXPECT_TRUE(list->windows[1].minimized);
    EXPECT_EQ(list->windows[1].transientFor, 12u);
    EXPECT_EQ(list->focused(), &list->windows[0]);
    EXPECT_EQ(list->find(7), &list->windows[1]);
    EXPECT_EQ(list->find(8), nullptr);
    ASSERT_TRUE(list->screen);
    EXPECT_EQ(list->screen->width, 1280);
}

TEST(ShellWindowList, AnAnswerItCannotReadIsAnErrorNotAnEmptyDesktop) {
    for (const char* answer : {"", "[]", "{\"windows\":3}", "{\"windows\":[{\"pid\":1}]}",
                               "{\"windows\":[{\"id\":1,\"frame\":{\"x\":\"a\"}}]}", "{\"wind"}) {
        SCOPED_TRACE(answer);
        EXPECT_FALSE(parseShellWindows(answer).hasValue());
    }
    const auto none = parseShellWindows("{\"windows\":[]}");
    ASSERT_TRUE(none.hasValue());
    EXPECT_TRUE(none->windows.empty());
    EXPECT_EQ(none->focused(), nullptr);
    EXPECT_FALSE(none->screen);
}

TEST(ShellAccelerator, NamesAsTheShellWritesThem) {
    const Modifiers controlShift = Modifier::control | Modifier::shift;
    EXPECT_EQ(shellAccelerator({Key::escape, controlShift}), "<Control><Shift>Escape");
    EXPECT_EQ(shellAccelerator({Key::escape, {}}), "Escape");
    EXPECT_EQ(shellAccelerator({Key::space, Modifier::alt}), "<Alt>space");
    EXPECT_EQ(shellAccelerator({Key::returnKey, Modifier::control}), "<Control>Return");
    EXPECT_EQ(shellAccelerator({Key::other, {}}), std::nullopt);
}

namespace {

const CapabilityState& state(const DesktopDescription& description, Capability capability) {
    return *findCapability(description, capability);
}

} // namespace

// GNOME: keys through the portal (layout only, no clicks), windows and shortcuts through the
// extension; without the extension, what it gives is missing with how to turn it on; without
// the portal, no keys at all, saying what to install.
TEST(WaylandCapabilities, GnomeThroughThePortalAndTheShellExtension) {
    WaylandFacts gnome;
    gnome.currentDesktop = "GNOME";
    gnome.portalInput = true;
    gnome.pointerProblem = "the desktop portal places clicks only within a screen cast";
    gnome.gnomeShellExtension = true;
    gnome.windowsKnowBounds = gnome.windowsKnowProcesses = gnome.focusFollowed = true;
    const DesktopDescription with = describeWayland(gnome);
    EXPECT_EQ(with.kind, DesktopKind::gnome);
    EXPECT_TRUE(state(with, Capability::typeLayoutText).available);
    EXPECT_FALSE(state(with, Capability::typeAnyText).available);
    EXPECT_FALSE(state(with, Capability::click).available);
    EXPECT_NE(state(with, Capability::click).why.find("screen cast"), std::string::npos);
    for (const Capability capability :
         {Capability::listWindows, Capability::activate, Capability::windowBounds,
          Capability::stopHotkey, Capability::recordFields})
        EXPECT_TRUE(state(with, capability).available) << capabilityName(capability);

    WaylandFacts noExtension = gnome;
    noExtension.gnomeShellExtension = false;
    noExtension.gnomeShellProblem = "it does not answer on the session bus";
    noExtension.windowsProblem = "no sway IPC socket";
    const DesktopDescription without = describeWayland(noExtension);
    for (const Capability capability :
         {Capability::listWindows, Capability::activate, Capability::windowBounds,
          Capability::stopHotkey, Capability::recordFields}) {
        SCOPED_TRACE(capabilityName(capability));
        EXPECT_FALSE(state(without, capability).available);
        EXPECT_NE(state(without, capability)
                      .remedy.find("gnome-extensions enable "
                                   "keyferry@keyferry.org"),
                  std::string::npos);
    }
    EXPECT_NE(state(without, Capability::listWindows).why.find("does not answer"),
              std::string::npos);
    EXPECT_TRUE(state(without, Capability::typeLayoutText).available);

    WaylandFacts noPortal = noExtension;
    noPortal.portalInput = false;
    noPortal.keyboardProblem = "the compositor offers no virtual keyboard to applications";
    noPortal.portalProblem = "no desktop portal offers remote input";
    const DesktopDescription bare = describeWayland(noPortal);
    EXPECT_FALSE(state(bare, Capability::typeLayoutText).available);
    EXPECT_NE(state(bare, Capability::typeLayoutText).why.find("no desktop portal"),
              std::string::npos);
    EXPECT_NE(state(bare, Capability::typeLayoutText).remedy.find("xdg-desktop-portal-gnome"),
              std::string::npos);
}
