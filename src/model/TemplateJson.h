#pragma once

#include "model/Expected.h"
#include "model/Template.h"

#include <string>
#include <string_view>
#include <vector>

namespace keyferry {

/// The templates file: one compact JSON array of templates. Fails for values JSON cannot
/// hold (non-finite numbers, text that is not UTF-8), naming the first such field.
Expected<std::string> encodeTemplates(const std::vector<Template>& templates);

/// Reads the templates file strictly: any missing or mistyped field, unknown word, bad
/// identifier or fractional integer fails the whole document, described by its first
/// problem. Unknown keys are ignored.
Expected<std::vector<Template>> decodeTemplates(std::string_view json);

} // namespace keyferry
