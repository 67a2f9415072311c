#include "model/TemplateJson.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

// Any bytes either fail with a message or read as templates that write back and read
// again to the same list.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto decoded = keyferry::decodeTemplates(text);
    if (!decoded) {
        if (decoded.error().empty())
            std::abort();
        return 0;
    }
    const auto encoded = keyferry::encodeTemplates(*decoded);
    if (!encoded)
        return 0; // e.g. a huge number that overflowed to infinity while reading
    const auto again = keyferry::decodeTemplates(*encoded);
    if (!again || *again != *decoded)
        std::abort();
    return 0;
}
