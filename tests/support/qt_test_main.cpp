// The main of every test executable: a headless QApplication, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/app_setup.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    prepare_application_environment();
    QApplication app(argc, argv);
    install_font_substitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
