#include "csv/ReadOutcome.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace keyferry;

namespace {

// The fast import parser and the scalar reader must agree on every input: the same
// headers and rows, or the same first error.
void compare(const std::string& bytes, Separator separator) {
    const auto scalar = testing::readForImport(bytes, separator);
    const auto fast = testing::parseForImport(bytes, separator);
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
        return;
    }
    if (scalar.headers != fast.headers || scalar.rows != fast.rows) {
        std::fprintf(stderr, "different tables\n");
        std::abort();
    }
}

} // namespace

// Every input is read with each separator, so the seeds of one serve all.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const Separator separator :
         {Separator::semicolon, Separator::comma, Separator::tab, Separator::pipe})
        compare(bytes, separator);
    return 0;
}
