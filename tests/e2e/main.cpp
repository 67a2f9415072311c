#include <QApplication>

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace keyferry::testing {

std::string shell(const std::string& command) {
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

// The X11 services need a Qt event loop for their listeners and D-Bus calls, and the
// recording panel a widget application.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
