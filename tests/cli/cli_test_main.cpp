// The command-line tests compare with the real results window, so they run under a
// QApplication; without a display on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
