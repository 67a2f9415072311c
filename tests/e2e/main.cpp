#include <QApplication>

#include <gtest/gtest.h>

// The X11 services need a Qt event loop for their listeners and D-Bus calls, and the
// recording panel a widget application.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
