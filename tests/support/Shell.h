#pragma once

#include <array>
#include <cstdio>
#include <string>

namespace keyferry::testing {

/// What a shell command prints on standard output.
inline std::string shell(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return output;
    std::array<char, 4096> buffer{};
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), got);
    ::pclose(pipe);
    return output;
}

} // namespace keyferry::testing
