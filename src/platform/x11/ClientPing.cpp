#include "platform/x11/ClientPing.h"

#include "platform/x11/X11Handles.h"

#include <X11/Xutil.h>

namespace keyferry::x11 {

ClientPing::ClientPing(Display* sending)
    : display_(sending), protocols_(XInternAtom(sending, "WM_PROTOCOLS", False)),
      ping_(XInternAtom(sending, "_NET_WM_PING", False)),
      // Stamps far from the server times a window manager pings with, so answers to its own
      // pings are never taken for ours.
      nextStamp_(0x7F000000UL) {}

bool ClientPing::takesPings(Window window) {
    if (window == pingable_)
        return true;
    Atom* protocols = nullptr;
    int count = 0;
    const ErrorTrap trap(display_);
    if (!XGetWMProtocols(display_, window, &protocols, &count))
        return false;
    const XPtr<Atom> owned(protocols);
    for (int i = 0; i < count; ++i)
        if (protocols[i] == ping_) {
            pingable_ = window;
            return true;
        }
    return false;
}

bool ClientPing::send(Window window) {
    if (out_)
        return true;
    if (window == None || !takesPings(window))
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols_;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(ping_);
    event.xclient.data.l[1] = static_cast<long>(nextStamp_);
    event.xclient.data.l[2] = static_cast<long>(window);
    // On the connection the keys went out on, after them: the client reads it after them.
    ErrorTrap trap(display_);
    XSendEvent(display_, window, False, NoEventMask, &event);
    if (trap.sync() != 0)
        return false;
    out_ = Out{nextStamp_++, window, Clock::now()};
    return true;
}

bool ClientPing::answered(const XClientMessageEvent& message) {
    if (!out_ || message.message_type != protocols_ || message.format != 32 ||
        static_cast<Atom>(message.data.l[0]) != ping_ ||
        static_cast<unsigned long>(message.data.l[1]) != out_->stamp)
        return false;
    caughtUpTo_ = out_->sentAt;
    out_.reset();
    return true;
}

void ClientPing::giveUpOlderThan(Clock::duration patience) {
    if (out_ && Clock::now() - out_->sentAt > patience)
        out_.reset();
}

} // namespace keyferry::x11
