#include "platform/x11/X11Handles.h"

namespace keyferry::x11 {

void DisplayCloser::operator()(_XDisplay* display) const {
    XCloseDisplay(display);
}

namespace {
int firstError = 0;
int recordError(Display*, XErrorEvent* event) {
    if (firstError == 0)
        firstError = event->error_code;
    return 0;
}
} // namespace

ErrorTrap::ErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    firstError = 0;
    previous_ = XSetErrorHandler(recordError);
}

ErrorTrap::~ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
}

int ErrorTrap::sync() {
    XSync(display_, False);
    return firstError;
}

} // namespace keyferry::x11
