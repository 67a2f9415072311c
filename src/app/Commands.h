#pragma once

#include <iosfwd>

namespace keyferry {

/// `keyferry templates`: one line per stored template, its id, a tab and its name, in store
/// order. Returns the exit code: 0, or 1 when the templates file cannot be read.
int runTemplatesCommand(std::ostream& out, std::ostream& err);

/// Starts the desktop application; returns its exit code.
int runDesktopApp(int argc, char** argv);

} // namespace keyferry
