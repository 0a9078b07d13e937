#include <QApplication>

#include <gtest/gtest.h>

// The update dialogs are real widgets: one application object for the whole program.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
