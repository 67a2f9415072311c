#pragma once

#include "automation/DesktopServices.h"
#include "platform/wayland/SwayKeyNames.h"

#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

class QSocketNotifier;

namespace keyferry::wayland {

class SwayIpc;

/// Key combinations as sway bindings made while this object lives: sway keeps the keys from
/// every application and reports the binding on a subscription, which this object hands on
/// as a key press. The bindings are removed at every end: by this object, and by a small
/// watcher process should Keyferry be killed. May be destroyed from within its callback.
class SwayBinding final : public InputListener {
public:
    /// Binds the combinations; nothing when sway refuses one or cannot be reached, or a
    /// combination has no name in sway.
    static std::unique_ptr<SwayBinding> start(const std::string& socketPath,
                                              std::vector<KeyCombination> keys, SwayKeyMatch match,
                                              DesktopServices::Callback callback);
    SwayBinding(const SwayBinding&) = delete;
    SwayBinding& operator=(const SwayBinding&) = delete;
    ~SwayBinding() override;

private:
    struct Bound {
        KeyCombination keys;
        std::string name;
    };
    SwayBinding(std::unique_ptr<SwayIpc> commands, std::unique_ptr<SwayIpc> events,
                std::vector<Bound> bound, SwayKeyMatch match, DesktopServices::Callback callback);
    void readEvents();
    void startWatcher();
    void stopWatcher();
    void unbind(std::size_t count);

    std::unique_ptr<SwayIpc> commands_;
    std::unique_ptr<SwayIpc> events_;
    std::vector<Bound> bound_;
    SwayKeyMatch match_;
    DesktopServices::Callback callback_;
    QSocketNotifier* notifier_ = nullptr; ///< owned; see the destructor
    bool reading_ = false;                ///< inside the notifier's signal
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    pid_t watcher_ = -1;
    int watcherPipe_ = -1; ///< the watcher removes the bindings when this closes
};

} // namespace keyferry::wayland
