// Runs the window tests under a QApplication set up as the program's main sets it up; without a
// display they use Qt's offscreen platform, so no window ever appears and no modal dialog can
// wait for a person. The user's configuration folder is a temporary one that the tests watch.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "ui/desktop.h"

int main(int argc, char* argv[]) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    const sifton::DesktopSession session;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
