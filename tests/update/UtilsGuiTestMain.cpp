#include <QGuiApplication>

#include <gtest/gtest.h>

// Waiting, opening URLs and closing the application work on the user-interface
// thread's event loop, so these tests run with a real application object.
int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
