#pragma once

#include <X11/Xlib.h>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace keyferry::x11 {

/// What a start found of keycodes that an earlier Keyferry left bound.
struct LeftoverKeymaps {
    /// Journal files of ended processes that were read and removed.
    std::size_t journals = 0;
    /// Keycodes put back to what they held before.
    std::vector<KeyCode> restored;
    /// Keycodes someone else has changed since: left as they are.
    std::vector<KeyCode> changedSince;

    /// A line for the diagnostics, empty when no keycode was left bound.
    std::string summary() const;
};

/// Puts back the keycodes that Keyferry processes which ended without cleaning up (and whose
/// guardian could not either) left bound on this display, as their journal files in
/// $XDG_RUNTIME_DIR/Keyferry tell, and removes those files. Call it at every start, before
/// typing; `displayName` is DisplayString(display). Files of running processes and of other
/// displays are left alone.
LeftoverKeymaps restoreLeftoverKeymaps(Display* display, std::string_view displayName);
/// The same for the journal files in `folder`.
LeftoverKeymaps restoreLeftoverKeymaps(Display* display, std::string_view displayName,
                                       const std::filesystem::path& folder);

} // namespace keyferry::x11
