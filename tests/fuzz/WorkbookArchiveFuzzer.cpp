#include "csv/Workbook.h"

#include <cstdint>
#include <cstdlib>

using namespace keyferry;

// Whole files as they come: archives cut short, with lying sizes, compound files.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const auto& sheet : {std::optional<std::string>(), std::optional<std::string>("S")}) {
        const auto read = readWorkbook(bytes, sheet);
        if (!read && read.error().empty())
            std::abort();
    }
    return 0;
}
