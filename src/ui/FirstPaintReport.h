#pragma once

class QWidget;

namespace keyferry {

/// For measuring start-up: once `window` has painted for the first time, prints
/// "first-paint NANOSECONDS" (CLOCK_MONOTONIC) on stderr and ends the application.
void reportFirstPaint(QWidget& window);

} // namespace keyferry
