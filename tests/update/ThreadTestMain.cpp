#include <QCoreApplication>

#include <gtest/gtest.h>

// The thread component needs an application object on the main thread: it is the
// user-interface thread that synchronised calls run on.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
