#pragma once

#include "model/Template.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace keyferry {

/// A stored template looked up for a command, or why there is none.
struct StoredTemplate {
    std::optional<Template> item;
    int exitCode = 0; ///< 1: the templates file cannot be read; 2: no such template
};

/// The template with that id (in either case) or, failing that, that name. A failure is
/// explained on `err`.
StoredTemplate findStoredTemplate(const std::string& nameOrID, std::ostream& err);

} // namespace keyferry
