#include <gtest/gtest.h>

#include <QApplication>

#include "platform/Locale.h"

// Window tests need one application object for the whole program.
int main(int argc, char** argv) {
    tessaro::platform::EnsureUtf8CharacterLocale();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
