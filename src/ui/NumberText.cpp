#include "ui/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace keyferry {

std::string formatInteger(std::int64_t value) {
    return std::to_string(value);
}

std::optional<std::int64_t> parseInteger(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    std::string_view digits = text;
    bool negative = false;
    if (digits.front() == '+' || digits.front() == '-') {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::int64_t value = 0;
    const std::string signedDigits = (negative ? "-" : "") + std::string(digits);
    const auto [end, error] =
        std::from_chars(signedDigits.data(), signedDigits.data() + signedDigits.size(), value);
    if (error != std::errc() || end != signedDigits.data() + signedDigits.size())
        return std::nullopt;
    return value;
}

std::string formatDecimal(double value) {
    char buffer[64];
    if (std::isfinite(value) && std::abs(value) < 1000 && std::trunc(value) == value) {
        std::snprintf(buffer, sizeof buffer, "%.1f", value);
    } else {
        const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer - 1, value);
        *end = '\0';
        (void)error;
    }
    std::string text = buffer;
    std::ranges::replace(text, '.', ',');
    return text;
}

std::optional<double> parseDecimal(const std::string& text) {
    std::string normalized = text;
    std::ranges::replace(normalized, ',', '.');
    if (normalized.empty())
        return std::nullopt;
    double value = 0;
    const char* begin = normalized.data();
    if (*begin == '+')
        ++begin;
    const auto [end, error] = std::from_chars(begin, normalized.data() + normalized.size(), value);
    if (error != std::errc() || end != normalized.data() + normalized.size())
        return std::nullopt;
    return value;
}

} // namespace keyferry
