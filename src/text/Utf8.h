#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace keyferry::utf8 {

/// Decodes one well-formed UTF-8 scalar at `p` (no overlong forms, no surrogates, nothing
/// above U+10FFFF). Returns its length in bytes, or 0 when the bytes at `p` are ill-formed
/// or cut off by `end`.
inline std::size_t decodeOne(const unsigned char* p, const unsigned char* end, char32_t& out) {
    const unsigned char lead = p[0];
    if (lead < 0x80) {
        out = lead;
        return 1;
    }
    const std::size_t available = static_cast<std::size_t>(end - p);
    auto continuation = [](unsigned char b) { return (b & 0xC0) == 0x80; };
    if (lead >= 0xC2 && lead <= 0xDF) {
        if (available < 2 || !continuation(p[1]))
            return 0;
        out = (char32_t(lead & 0x1F) << 6) | (p[1] & 0x3F);
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (available < 3)
            return 0;
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        if (p[1] < low || p[1] > high || !continuation(p[2]))
            return 0;
        out = (char32_t(lead & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (available < 4)
            return 0;
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        if (p[1] < low || p[1] > high || !continuation(p[2]) || !continuation(p[3]))
            return 0;
        out = (char32_t(lead & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) |
              (char32_t(p[2] & 0x3F) << 6) | (p[3] & 0x3F);
        return 4;
    }
    return 0;
}

/// The offset of the first ill-formed sequence in [begin, end), or end - begin when all of
/// it is well-formed. Runs of ASCII are skipped 16 bytes at a time.
std::size_t firstInvalid(const unsigned char* begin, const unsigned char* end);

/// The scalars of `text`; an ill-formed byte stands for nothing and is skipped.
std::vector<char32_t> codePoints(std::string_view text);

} // namespace keyferry::utf8
