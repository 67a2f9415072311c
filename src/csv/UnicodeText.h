#pragma once

#include <string_view>

namespace keyferry {

/// Whether two UTF-8 texts are the same Unicode text: canonically equivalent sequences
/// (a precomposed "é" and "e" with a combining accent) count as equal; case matters.
bool canonicallyEquivalent(std::string_view a, std::string_view b);

} // namespace keyferry
