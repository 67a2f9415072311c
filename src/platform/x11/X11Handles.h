#pragma once

#include "platform/x11/X11Connection.h"

#include <X11/Xlib.h>
#include <memory>

namespace keyferry::x11 {

struct XFreeDeleter {
    void operator()(void* data) const {
        if (data)
            XFree(data);
    }
};
/// Memory that Xlib handed out and XFree releases (properties, keyboard maps, lists).
template <class T>
using XPtr = std::unique_ptr<T, XFreeDeleter>;

/// Catches X errors (BadAccess of a grab, a window that went away) for the lifetime of the
/// object instead of letting Xlib end the process; ask after an XSync.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    ~ErrorTrap();
    /// The first error code seen since construction (after syncing), 0 when none.
    int sync();

private:
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*);
};

} // namespace keyferry::x11
