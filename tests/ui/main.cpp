#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

// Widgets on the offscreen platform: no display needed, and time is virtual in the tests.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Runs write journals and settings: never into the user's own folders.
    char folder[] = "/tmp/keyferry-ui-tests-XXXXXX";
    if (!::mkdtemp(folder))
        return 1;
    ::setenv("XDG_STATE_HOME", folder, 1);
    ::setenv("XDG_CONFIG_HOME", folder, 1);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return result;
}
