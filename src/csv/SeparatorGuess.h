#pragma once

#include "csv/Separator.h"

#include <optional>
#include <string>
#include <string_view>

namespace keyferry {

/// The separator a CSV file seems to use, and why the user may want to look.
struct SeparatorGuess {
    Separator separator = Separator::semicolon;
    /// Set when the header line fits more than one separator and ";" was taken:
    /// "Read as semicolon-separated: the header line could be separated by semicolons or
    /// commas".
    std::optional<std::string> note;
};

/// Looks at the header line (and, to settle a tie, the next lines) of a CSV file's bytes.
/// A header line holding ";" between fields is read with ";", as before any guessing, so a
/// ";" file reads exactly as it always did. Otherwise the one of ",", tab and "|" that
/// separates the header line, and splits the lines after it into as many fields, wins.
SeparatorGuess guessSeparator(std::string_view bytes);

} // namespace keyferry
