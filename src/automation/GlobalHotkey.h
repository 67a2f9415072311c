#pragma once

#include "automation/DesktopServices.h"

#include <functional>
#include <memory>

namespace keyferry {

/// The emergency stop: Ctrl+Shift+Esc pressed while another application is in front.
class GlobalHotkey {
public:
    explicit GlobalHotkey(DesktopServices& desktop) : desktop_(desktop) {}
    GlobalHotkey(const GlobalHotkey&) = delete;
    GlobalHotkey& operator=(const GlobalHotkey&) = delete;
    ~GlobalHotkey() { stop(); }

    /// Installs the key monitor, replacing an earlier one.
    void start();
    /// Removes the monitor; again does nothing.
    void stop() { monitor_.reset(); }
    bool isActive() const { return static_cast<bool>(monitor_); }

    /// Whether a key press is the stop shortcut: Escape with Ctrl and Shift, whatever else.
    static bool isStopShortcut(const InputEvent& event);

    std::function<void()> onTrigger;

private:
    DesktopServices& desktop_;
    std::unique_ptr<InputListener> monitor_;
};

} // namespace keyferry
