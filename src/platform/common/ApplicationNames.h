#pragma once

#include <string>

namespace keyferry {

/// The name of an application id (an X class or a Wayland app_id) from its installed .desktop
/// entry (StartupWMClass or file name, case ignored), else the id itself.
std::string applicationName(const std::string& applicationID);

} // namespace keyferry
