#pragma once

#include "automation/DesktopDescription.h"
#include "model/Template.h"

#include <optional>
#include <string>
#include <vector>

namespace keyferry {

/// What the desktop must offer for a step to run, in capability order: keys need the
/// keyboard; a fixed text beyond ASCII needs any character typed (the core does not know
/// the user's layout, so ASCII stands for it); a click needs clicks, and window bounds when
/// it is placed in the target's window; a Wait for a click needs the user's clicks seen.
std::vector<Capability> capabilitiesNeeded(const Step& step);

/// The capabilities a step needs that the desktop lacks, as the description states them.
std::vector<const CapabilityState*> missingFor(const Step& step,
                                               const DesktopDescription& description);

/// For the step's warning in the editor: what is missing on this desktop and why, or
/// nothing when the step can run.
std::optional<std::string> stepWarning(const Step& step, const DesktopDescription& description);

/// Why a run of this template must not start on this desktop: the first step that needs
/// something missing, the capability, why and what to do. Nothing when it can run.
std::optional<std::string> runRefusal(const Template& item, const DesktopDescription& description);

} // namespace keyferry
