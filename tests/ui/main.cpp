#include <QApplication>

#include <cstdlib>
#include <gtest/gtest.h>

// Widgets on the offscreen platform: no display needed, and time is virtual in the tests.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
