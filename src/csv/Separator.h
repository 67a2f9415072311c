#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace keyferry {

/// The byte between the fields of a CSV line.
enum class Separator { semicolon, comma, tab, pipe };

/// The byte itself: ';', ',', '\t' or '|'.
char separatorByte(Separator separator);
/// The name on the command line and in JSON: "semicolon", "comma", "tab" or "pipe".
std::string_view separatorName(Separator separator);
/// The separator of a name separatorName gives; nothing for any other text.
std::optional<Separator> separatorNamed(std::string_view name);
/// What the CSV panel shows: "Separated by commas".
std::string separatorDescription(Separator separator);

} // namespace keyferry
