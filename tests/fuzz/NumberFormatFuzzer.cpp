#include "csv/NumberFormat.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace keyferry;

// Format codes as workbooks may hold them, applied to numbers of every kind: the first
// eight bytes are the number, the rest the code.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double))
        return 0;
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    const std::string_view code(reinterpret_cast<const char*>(data) + sizeof value,
                                size - sizeof value);
    const NumberFormat format(code);
    for (const double each : {value, 0.0, -1.5, 45474.75, 1e300, -1e-300}) {
        const auto text = format.format(each);
        if (text && text->size() > 100000)
            std::abort(); // a code of this size cannot ask for that much
        if (format.format(each, true).has_value() != text.has_value() && std::isfinite(each))
            std::abort(); // the date system moves dates, it does not make codes unreadable
    }
    return 0;
}
