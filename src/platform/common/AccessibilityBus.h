#pragma once

#include <optional>

namespace keyferry {

/// Whether assistive technologies are on (org.a11y.Status IsEnabled on the session bus);
/// nothing when no accessibility bus can be asked.
std::optional<bool> accessibilityEnabled();
/// Turns assistive technologies on, the system-wide switch; false when it cannot be asked.
bool enableAccessibility();

} // namespace keyferry
