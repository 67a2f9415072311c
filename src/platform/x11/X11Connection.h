#pragma once

#include <memory>

// Xlib's Display, declared without Xlib's macros so that Qt headers can be used beside it.
struct _XDisplay;

namespace keyferry::x11 {

struct DisplayCloser {
    void operator()(_XDisplay* display) const;
};
/// One connection to the X server, closed when it goes away.
using DisplayPtr = std::unique_ptr<_XDisplay, DisplayCloser>;

} // namespace keyferry::x11
