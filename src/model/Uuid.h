#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace keyferry {

/// A 128-bit identifier in the canonical 8-4-4-4-12 text form.
class Uuid {
public:
    /// The nil identifier (all zero); new records use random().
    Uuid() = default;

    /// A fresh random version-4 identifier from the kernel's random source.
    static Uuid random();

    /// Parses the canonical 36-character form, hex digits in either case; nothing else.
    static std::optional<Uuid> parse(std::string_view text);

    /// The canonical form in upper case.
    std::string toString() const;

    const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }

    friend bool operator==(const Uuid&, const Uuid&) = default;
    friend auto operator<=>(const Uuid&, const Uuid&) = default;

private:
    std::array<std::uint8_t, 16> bytes_{};
};

} // namespace keyferry

template <>
struct std::hash<keyferry::Uuid> {
    std::size_t operator()(const keyferry::Uuid& uuid) const noexcept;
};
