#include "text/Utf8.h"

#include <cstring>

namespace keyferry::utf8 {

std::size_t firstInvalid(const unsigned char* begin, const unsigned char* end) {
    constexpr std::uint64_t highBits = 0x8080808080808080ULL;
    const unsigned char* p = begin;
    while (p < end) {
        // Eight bytes at a time while they are ASCII, then straight to the first one that
        // is not: text with accented letters mostly stays on this path.
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            const std::uint64_t nonAscii = word & highBits;
            if (nonAscii == 0) {
                p += 8;
                continue;
            }
            p += __builtin_ctzll(nonAscii) / 8; // little-endian: the lowest byte comes first
        } else if (*p < 0x80) {
            ++p;
            continue;
        }
        char32_t ignored;
        const std::size_t length = decodeOne(p, end, ignored);
        if (length == 0)
            return static_cast<std::size_t>(p - begin);
        p += length;
    }
    return static_cast<std::size_t>(end - begin);
}

std::vector<char32_t> codePoints(std::string_view text) {
    std::vector<char32_t> points;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        char32_t point = 0;
        const std::size_t length = decodeOne(p, end, point);
        if (length == 0) { // not UTF-8: nothing sensible to type for this byte
            ++p;
            continue;
        }
        points.push_back(point);
        p += length;
    }
    return points;
}

} // namespace keyferry::utf8
