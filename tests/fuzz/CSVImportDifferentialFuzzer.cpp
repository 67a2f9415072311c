#include "csv/ReadOutcome.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace keyferry;

// The fast import parser and the scalar reader must agree on every input: the same
// headers and rows, or the same first error.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto scalar = testing::readForImport(bytes);
    const auto fast = testing::parseForImport(bytes);
    if (scalar.error.has_value() != fast.error.has_value()) {
        std::fprintf(stderr, "one path failed, the other did not\n");
        std::abort();
    }
    if (scalar.error) {
        if (!(*scalar.error == *fast.error)) {
            std::fprintf(stderr, "different errors:\n%s\n%s\n", scalar.error->description().c_str(),
                         fast.error->description().c_str());
            std::abort();
        }
        return 0;
    }
    if (scalar.headers != fast.headers || scalar.rows != fast.rows) {
        std::fprintf(stderr, "different tables\n");
        std::abort();
    }
    return 0;
}
