#pragma once

#include <string_view>

namespace keyferry {

/// Whether two UTF-8 texts are the same Unicode text: canonically equivalent sequences
/// (a precomposed "é" and "e" with a combining accent) count as equal; case matters.
bool canonicallyEquivalent(std::string_view a, std::string_view b);

} // namespace keyferry

#include <string>
#include <vector>

namespace keyferry {

/// The user-perceived characters (extended grapheme clusters) of a UTF-8 text, in order:
/// "👍🏽" and "e" with a combining accent are one each.
std::vector<std::string_view> graphemeClusters(std::string_view text);

} // namespace keyferry
