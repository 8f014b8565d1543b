// The main of every test executable: a headless QApplication, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "platform/app_setup.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The user's settings (recent files, the file dialog's) and state (recovery files) go to a
    // folder of the run's own, never to the home folder of whoever runs the tests.
    QTemporaryDir user;
    setenv("XDG_CONFIG_HOME", user.filePath(QStringLiteral("config")).toUtf8().constData(), 1);
    setenv("XDG_STATE_HOME", user.filePath(QStringLiteral("state")).toUtf8().constData(), 1);
    prepare_application_environment();
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("kinvora"));
    QCoreApplication::setApplicationName(QStringLiteral("Kinvora"));
    install_font_substitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
