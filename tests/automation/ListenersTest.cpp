#include "SimulatedSession.h"
#include "automation/AccessibilityChecker.h"
#include "automation/ClickWatcher.h"
#include "automation/GlobalHotkey.h"

using namespace keyferry;
using namespace keyferry::testing;

TEST_F(SimulatedSession, ClickWatcherWaitsForAClickOutsideKeyferry) {
    ClickWatcher watcher(desktop, clock);
    Task<void> wait = watcher.waitForClick();
    wait.start();
    clock.runUntilIdle();
    EXPECT_TRUE(watcher.isListening());
    desktop.disableTaps(); // the desktop turned the tap off; it turns itself back on
    desktop.userClick(MouseButton::left, {950, 150});                // Keyferry's own window
    desktop.userClick(MouseButton::right, {200, 200});               // not a left click
    desktop.postMouseButton(MouseButton::left, {200, 200}, true, 1); // our own synthetic click
    desktop.postMouseButton(MouseButton::left, {200, 200}, false, 1);
    clock.runUntilIdle();
    EXPECT_FALSE(wait.done());
    desktop.userClick(MouseButton::left, {200, 200});
    clock.runUntilIdle();
    EXPECT_TRUE(wait.done());
    EXPECT_FALSE(watcher.isListening());
    EXPECT_FALSE(watcher.onClick);
}

TEST_F(SimulatedSession, ClickWatcherWithoutPermissionReturnsAtOnce) {
    desktop.setTrusted(false);
    ClickWatcher watcher(desktop, clock);
    Task<void> wait = watcher.waitForClick();
    wait.start();
    clock.runUntilIdle();
    EXPECT_TRUE(wait.done());
    EXPECT_FALSE(watcher.onClick) << "a later stop finds nothing pending";
}

TEST_F(SimulatedSession, StopShortcut) {
    GlobalHotkey hotkey(desktop);
    int triggered = 0;
    hotkey.onTrigger = [&] { ++triggered; };
    hotkey.start();
    hotkey.start();
    EXPECT_EQ(desktop.listenerCount(), 1u) << "starting twice leaves one monitor";
    desktop.userKey(Key::escape, Modifier::control);
    desktop.userKey(Key::escape, Modifier::shift);
    desktop.userKey(Key::tab, Modifier::control | Modifier::shift);
    EXPECT_EQ(triggered, 0);
    desktop.userKey(Key::escape, Modifiers(Modifier::control) | Modifier::shift | Modifier::alt);
    EXPECT_EQ(triggered, 1);
    desktop.bringToFront(keyferry); // inside Keyferry the Stop button serves
    desktop.userKey(Key::escape, Modifier::control | Modifier::shift);
    EXPECT_EQ(triggered, 1);
    hotkey.stop();
    hotkey.stop();
    EXPECT_EQ(desktop.listenerCount(), 0u);
}

TEST_F(SimulatedSession, PermissionMonitorPolls) {
    desktop.setTrusted(false);
    AccessibilityChecker checker(desktop, clock);
    EXPECT_FALSE(checker.isGranted());
    int published = 0;
    checker.isGrantedChanged.connect([&](bool) { ++published; });
    checker.startMonitoring(2);
    checker.startMonitoring(2);
    clock.advance(Ms(500));
    desktop.setTrusted(true);
    clock.advance(Ms(1499));
    EXPECT_FALSE(checker.isGranted());
    clock.advance(Ms(1));
    EXPECT_TRUE(checker.isGranted()) << "within one interval of the grant";
    clock.advance(Ms(4000));
    EXPECT_EQ(published, 2 + 3) << "one timer: two starts, then a tick every 2 s";
}
