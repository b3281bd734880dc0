// What the program leaves on the desktop: the file dialog's saved state stays out of the user's
// configuration folder (a temporary one here, see ui_test_main.cpp).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTimer>

#include "platform/qt_platform.h"
#include "ui/frm_dix.h"

namespace sifton {
namespace {

TEST(DesktopSession, TheClosedFileDialogLeavesTheConfigurationFolderEmpty) {
    const QDir config(qEnvironmentVariable("XDG_CONFIG_HOME"));
    ASSERT_TRUE(config.exists());
    QTimer cancel;  // the user cancels the dialog as soon as it shows
    cancel.callOnTimeout([] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    cancel.start(10);
    QtPlatform platform;
    EXPECT_EQ(platform.openFileDialog(frmDIX::dataFileDialog(QDir::tempPath().toStdString())),
              std::nullopt);
    EXPECT_TRUE(config.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        << config.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
               .join(' ')
               .toStdString();
}

}  // namespace
}  // namespace sifton
