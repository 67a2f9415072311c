#pragma once

#include "automation/DesktopServices.h"

#include <optional>
#include <string>
#include <vector>

// The parts a Wayland desktop is built from, each probed at start. Compositors differ in
// what they offer clients, so each part has its own small interface and its own
// implementations (virtual input devices, a compositor's IPC, ...).

namespace keyferry::wayland {

/// Synthesised keys and clicks.
class InputSynthesis {
public:
    using Duration = DesktopServices::Duration;
    virtual ~InputSynthesis() = default;

    virtual Posted postKey(Key key, Modifiers modifiers, bool down) = 0;
    virtual Posted postCharacter(std::string_view character) = 0;
    virtual Expected<Duration> prepareText(std::string_view text) = 0;
    virtual bool isPrepared(std::string_view character) = 0;
    virtual Expected<Duration> prepareKey(Key key, Modifiers modifiers) = 0;
    virtual void endText() = 0;
    /// `layout` is the box of all outputs, for absolute pointer positions.
    virtual Posted postMouseButton(MouseButton button, Point position, bool down,
                                   std::optional<Rect> layout) = 0;
    /// Where this part last put the pointer; nothing when it never moved it.
    virtual std::optional<Point> pointerLocation() = 0;
    /// Releases every key and button this part holds.
    virtual void releaseAll() = 0;
    /// Whether keys can be typed at all; when not, why.
    virtual std::optional<std::string> keyboardUnavailable() const = 0;
    virtual std::optional<std::string> pointerUnavailable() const = 0;
};

/// Windows and applications.
class WindowManagement {
public:
    virtual ~WindowManagement() = default;

    virtual std::vector<WindowInfo> windowList() = 0;
    virtual std::vector<RunningApplication> runningApplications() = 0;
    virtual std::optional<RunningApplication> frontmostApplication() = 0;
    virtual bool activate(const RunningApplication& application) = 0;
    virtual std::optional<WindowID> focusedWindow() = 0;
    virtual std::optional<WindowID> windowAt(Point position) = 0;
    virtual std::vector<WindowID> topLevelWindows() = 0;
    virtual std::optional<WindowFacts> windowFacts(WindowID window) = 0;
    /// The box of all outputs in desktop coordinates; nothing when unknown.
    virtual std::optional<Rect> layoutBounds() = 0;
    /// Whether windows come with their process and bounds.
    virtual bool knowsProcesses() const = 0;
    virtual bool knowsBounds() const = 0;
};

} // namespace keyferry::wayland
