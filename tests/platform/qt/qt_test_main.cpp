// Runs the Qt layer's tests inside one QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/qt_environment.h"

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    platform::qt::keep_settings_off_disk();
    const auto translator = platform::qt::install_japanese_translations();
    return RUN_ALL_TESTS();
}
