#include <QCoreApplication>

#include <gtest/gtest.h>

// Synchronised calls and waits run on the user-interface thread's event loop, so these
// tests run with a real application object.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
