#include <QCoreApplication>

#include <gtest/gtest.h>

// The helpers turn the Qt event loop while they wait; no window of the test's own.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
