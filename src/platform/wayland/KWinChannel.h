#pragma once

#include "model/Expected.h"
#include "platform/wayland/KWinReport.h"

#include <memory>
#include <string>

namespace keyferry::wayland {

/// What Keyferry asks of KWin: every window now, or one made active.
class KWinRequests {
public:
    virtual ~KWinRequests() = default;
    /// Every window as KWin sees it now.
    virtual Expected<KWinReport> report() = 0;
    /// Makes the window with that id the active one, then reports.
    virtual Expected<KWinReport> activate(const std::string& windowID) = 0;
};

/// Keyferry's script inside KWin, and the D-Bus object it talks to. KWin scripts can call
/// D-Bus methods but offer none, so the script asks Keyferry for its next request and sends
/// the answer back. The object lives on a connection of its own, served on a thread of its
/// own, so a request made on the main thread is answered while the main thread waits.
/// The script is unloaded when this object ends.
class KWinChannel final : public KWinRequests {
public:
    /// Loads and starts the script; fails with why when KWin's scripting cannot be reached or
    /// the script does not start.
    static Expected<std::unique_ptr<KWinChannel>> open();
    ~KWinChannel() override;
    KWinChannel(const KWinChannel&) = delete;
    KWinChannel& operator=(const KWinChannel&) = delete;

    Expected<KWinReport> report() override;
    Expected<KWinReport> activate(const std::string& windowID) override;
    /// The name KWin knows the script by while it is loaded.
    std::string scriptName() const;

private:
    struct State;
    class Service;
    explicit KWinChannel(std::unique_ptr<State> state);
    Expected<KWinReport> request(const std::string& verb, const std::string& argument);

    std::unique_ptr<State> state_;
};

} // namespace keyferry::wayland
