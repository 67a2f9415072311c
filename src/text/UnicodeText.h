#pragma once

#include <string>
#include <string_view>

namespace keyferry {

/// Whether two UTF-8 texts are the same Unicode text: canonically equivalent sequences
/// (a precomposed "é" and "e" with a combining accent) count as equal; case matters.
bool canonicallyEquivalent(std::string_view a, std::string_view b);

/// The text in Unicode Normalization Form C (composed); the text itself when it is not
/// valid UTF-8.
std::string composed(std::string_view text);

} // namespace keyferry

#include <string>
#include <vector>

namespace keyferry {

/// The user-perceived characters (extended grapheme clusters) of a UTF-8 text, in order:
/// "👍🏽" and "e" with a combining accent are one each.
std::vector<std::string_view> graphemeClusters(std::string_view text);

} // namespace keyferry
