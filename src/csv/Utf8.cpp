#include "csv/Utf8.h"

#include <cstring>

namespace keyferry::utf8 {

std::size_t firstInvalid(const unsigned char* begin, const unsigned char* end) {
    const unsigned char* p = begin;
    while (p < end) {
        // Two 8-byte words at a time: the common case is plain ASCII.
        while (end - p >= 16) {
            std::uint64_t a, b;
            std::memcpy(&a, p, 8);
            std::memcpy(&b, p + 8, 8);
            if (((a | b) & 0x8080808080808080ULL) != 0)
                break;
            p += 16;
        }
        if (p >= end)
            break;
        if (*p < 0x80) {
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

} // namespace keyferry::utf8
