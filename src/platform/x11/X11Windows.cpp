#include "platform/x11/X11Windows.h"

#include "platform/x11/X11Handles.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <algorithm>

namespace keyferry::x11 {

X11Windows::X11Windows(Display* display)
    : display_(display), root_(DefaultRootWindow(display)),
      clientListStacking_(XInternAtom(display, "_NET_CLIENT_LIST_STACKING", False)),
      activeWindowAtom_(XInternAtom(display, "_NET_ACTIVE_WINDOW", False)),
      pidAtom_(XInternAtom(display, "_NET_WM_PID", False)),
      stateAtom_(XInternAtom(display, "_NET_WM_STATE", False)),
      hiddenAtom_(XInternAtom(display, "_NET_WM_STATE_HIDDEN", False)),
      skipTaskbarAtom_(XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False)),
      supportingCheck_(XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False)),
      wmStateAtom_(XInternAtom(display, "WM_STATE", False)) {}

std::vector<unsigned long> X11Windows::cardinals(Window window, Atom property, Atom type) const {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* raw = nullptr;
    ErrorTrap trap(display_); // the window may be gone already
    if (XGetWindowProperty(display_, window, property, 0, 65536, False, type, &actualType, &format,
                           &count, &remaining, &raw) != Success)
        return {};
    XPtr<unsigned char> data(raw);
    if (!data || format != 32 || actualType != type)
        return {};
    const auto* values = reinterpret_cast<const unsigned long*>(data.get());
    return std::vector<unsigned long>(values, values + count);
}

std::vector<Atom> X11Windows::atoms(Window window, Atom property) const {
    const auto values = cardinals(window, property, XA_ATOM);
    return std::vector<Atom>(values.begin(), values.end());
}

std::vector<Window> X11Windows::clientsFrontToBack() const {
    const auto stacking = cardinals(root_, clientListStacking_, XA_WINDOW);
    return std::vector<Window>(stacking.rbegin(), stacking.rend()); // listed bottom to top
}

bool X11Windows::hasWMState(Window window) const {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* raw = nullptr;
    if (XGetWindowProperty(display_, window, wmStateAtom_, 0, 0, False, AnyPropertyType, &type,
                           &format, &count, &remaining, &raw) != Success)
        return false;
    XPtr<unsigned char> data(raw);
    return type != None;
}

std::optional<Window> X11Windows::clientOf(Window window) const {
    ErrorTrap trap(display_); // the window may be gone already
    for (Window current = window;;) {
        if (hasWMState(current))
            return current;
        Window root = None, parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display_, current, &root, &parent, &children, &count))
            return std::nullopt;
        XPtr<Window> owned(children);
        if (parent == None || parent == root)
            return current;
        current = parent;
    }
}

std::optional<Window> X11Windows::clientBelow(Window window, int depth) const {
    if (hasWMState(window))
        return window;
    if (depth == 0)
        return std::nullopt;
    Window root = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count))
        return std::nullopt;
    XPtr<Window> owned(children);
    for (unsigned int i = count; i-- > 0;) // topmost child first
        if (const auto client = clientBelow(children[i], depth - 1))
            return client;
    return std::nullopt;
}

std::optional<Window> X11Windows::windowAt(int x, int y) const {
    ErrorTrap trap(display_);
    int childX = 0, childY = 0;
    Window top = None;
    if (!XTranslateCoordinates(display_, root_, root_, x, y, &childX, &childY, &top) || !top)
        return std::nullopt;
    // The window manager's frame holds the client a few levels down.
    if (const auto client = clientBelow(top, 3))
        return client;
    return top;
}

std::optional<Window> X11Windows::transientFor(Window window) const {
    ErrorTrap trap(display_);
    Window owner = None;
    if (!XGetTransientForHint(display_, window, &owner) || owner == None || owner == root_)
        return std::nullopt;
    return owner;
}

std::optional<Window> X11Windows::activeWindow() const {
    const auto active = cardinals(root_, activeWindowAtom_, XA_WINDOW);
    if (active.empty() || active[0] == None)
        return std::nullopt;
    return static_cast<Window>(active[0]);
}

std::optional<std::string> X11Windows::applicationID(Window window) const {
    ErrorTrap trap(display_);
    XClassHint hint{};
    if (!XGetClassHint(display_, window, &hint))
        return std::nullopt;
    XPtr<char> name(hint.res_name);
    XPtr<char> cls(hint.res_class);
    if (!cls || !*cls.get())
        return std::nullopt;
    return std::string(cls.get());
}

int X11Windows::processID(Window window) const {
    const auto pid = cardinals(window, pidAtom_, XA_CARDINAL);
    return pid.empty() ? 0 : static_cast<int>(pid[0]);
}

bool X11Windows::isOnScreen(Window window) const {
    ErrorTrap trap(display_);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    const auto states = atoms(window, stateAtom_);
    return std::ranges::find(states, hiddenAtom_) == states.end();
}

bool X11Windows::skipsTaskbar(Window window) const {
    const auto states = atoms(window, stateAtom_);
    return std::ranges::find(states, skipTaskbarAtom_) != states.end();
}

std::optional<Rect> X11Windows::clientArea(Window window) const {
    ErrorTrap trap(display_);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, window, &attributes))
        return std::nullopt;
    int x = 0, y = 0;
    Window child = None;
    if (!XTranslateCoordinates(display_, window, root_, 0, 0, &x, &y, &child))
        return std::nullopt;
    return Rect{static_cast<double>(x), static_cast<double>(y),
                static_cast<double>(attributes.width), static_cast<double>(attributes.height)};
}

bool X11Windows::requestActivation(Window window) const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = activeWindowAtom_;
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // from a pager: window managers honour it
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display_, root_, False,
                                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display_);
    return sent != 0;
}

bool X11Windows::hasWindowManager() const {
    return !cardinals(root_, supportingCheck_, XA_WINDOW).empty();
}

} // namespace keyferry::x11
