#pragma once

#include "automation/DesktopServices.h"

#include <memory>
#include <string>
#include <sys/types.h>

class QSocketNotifier;

namespace keyferry::wayland {

class SwayIpc;

/// The stop shortcut Ctrl+Shift+Esc as a sway binding made while this object lives: sway
/// consumes the keys and reports the binding on a subscription, which this object hands on as
/// a key press. The binding is removed at every end: by this object, and by a small watcher
/// process should Keyferry be killed.
class SwayStopHotkey final : public InputListener {
public:
    /// Binds the shortcut; nothing when sway refuses it or cannot be reached.
    static std::unique_ptr<SwayStopHotkey> start(const std::string& socketPath,
                                                 DesktopServices::Callback callback);
    SwayStopHotkey(const SwayStopHotkey&) = delete;
    SwayStopHotkey& operator=(const SwayStopHotkey&) = delete;
    ~SwayStopHotkey() override;

    /// The sway command that makes the binding and the one that removes it.
    static std::string bindCommand();
    static std::string unbindCommand();

private:
    SwayStopHotkey(std::unique_ptr<SwayIpc> commands, std::unique_ptr<SwayIpc> events,
                   DesktopServices::Callback callback);
    void readEvents();
    void startWatcher();
    void stopWatcher();

    std::unique_ptr<SwayIpc> commands_;
    std::unique_ptr<SwayIpc> events_;
    DesktopServices::Callback callback_;
    std::unique_ptr<QSocketNotifier> notifier_;
    pid_t watcher_ = -1;
    int watcherPipe_ = -1; ///< the watcher removes the binding when this closes
};

} // namespace keyferry::wayland
