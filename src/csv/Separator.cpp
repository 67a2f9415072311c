#include "csv/Separator.h"

#include <array>

namespace keyferry {

namespace {

struct Known {
    Separator separator;
    char byte;
    std::string_view name;
    std::string_view plural;
};

constexpr std::array<Known, 4> known = {{
    {Separator::semicolon, ';', "semicolon", "semicolons"},
    {Separator::comma, ',', "comma", "commas"},
    {Separator::tab, '\t', "tab", "tabs"},
    {Separator::pipe, '|', "pipe", "pipes (|)"},
}};

const Known& entry(Separator separator) {
    return known[static_cast<std::size_t>(separator)];
}

} // namespace

char separatorByte(Separator separator) {
    return entry(separator).byte;
}

std::string_view separatorName(Separator separator) {
    return entry(separator).name;
}

std::optional<Separator> separatorNamed(std::string_view name) {
    for (const Known& candidate : known)
        if (candidate.name == name)
            return candidate.separator;
    return std::nullopt;
}

std::string separatorDescription(Separator separator) {
    return "Separated by " + std::string(entry(separator).plural);
}

} // namespace keyferry
