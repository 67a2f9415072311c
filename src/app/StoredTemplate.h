#pragma once

#include "model/Template.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace keyferry {

/// A stored template looked up for a command, or why there is none.
struct StoredTemplate {
    std::optional<Template> item;
    int exitCode = 0; ///< 1: the templates file cannot be read; 2: no such template
};

/// Where in the list the template with that id (in either case) stands or, failing that, the
/// one with that name; nothing when there is none.
std::optional<std::size_t> findTemplate(const std::vector<Template>& templates,
                                        const std::string& nameOrID);

/// The stored template findTemplate() picks. A failure is explained on `err`.
StoredTemplate findStoredTemplate(const std::string& nameOrID, std::ostream& err);

} // namespace keyferry
