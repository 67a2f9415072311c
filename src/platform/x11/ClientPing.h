#pragma once

#include <X11/Xlib.h>
#include <chrono>
#include <optional>

namespace keyferry::x11 {

/// Proof that a client has read the key events sent to it: the window manager's ping
/// (_NET_WM_PING), which a client answers only once it has read everything before it. A
/// client turns a keycode into a symbol when it reads the key event, so a spare keycode may
/// be bound to another symbol only then; a client under load (a browser with its
/// accessibility tree on) reads hundreds of milliseconds late.
class ClientPing {
public:
    using Clock = std::chrono::steady_clock;

    /// `sending` sends the pings; the answers come to the root window, which the caller's
    /// event connection watches (SubstructureNotify) and hands over to `answered`.
    explicit ClientPing(Display* sending);

    /// Whether the client of `window` answers pings; if not, only time tells.
    bool takesPings(Window window);
    /// Pings the client of `window` unless a ping is still out; false when it could not.
    bool send(Window window);
    /// Takes an answer; true when it is the one to the ping out.
    bool answered(const XClientMessageEvent& message);
    /// When the last answered ping was sent: everything sent to that client before was read.
    std::optional<Clock::time_point> caughtUpTo() const { return caughtUpTo_; }
    bool waiting() const { return out_.has_value(); }
    /// Forgets a ping that was not answered in time (a client that hangs, or went away).
    void giveUpOlderThan(Clock::duration patience);

private:
    struct Out {
        unsigned long stamp;
        Window window;
        Clock::time_point sentAt;
    };
    Display* display_;
    Atom protocols_;
    Atom ping_;
    unsigned long nextStamp_;
    std::optional<Out> out_;
    std::optional<Clock::time_point> caughtUpTo_;
    Window pingable_ = None; ///< the last window found to take pings
};

} // namespace keyferry::x11
