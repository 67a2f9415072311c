#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace keyferry {

/// Numbers in the editor's text fields. Integers in decimal; decimals with a decimal comma
/// ("0,3", whole numbers below 1000 with one decimal: "2,0"), either separator accepted.

std::string formatInteger(std::int64_t value);
/// A decimal integer with an optional sign and ASCII digits only, without overflow.
/// Nothing for empty or other text (the field then keeps its value).
std::optional<std::int64_t> parseInteger(const std::string& text);

std::string formatDecimal(double value);
/// The text with "," read as "."; nothing when it is not a number.
std::optional<double> parseDecimal(const std::string& text);

} // namespace keyferry
