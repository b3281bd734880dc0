// The program's entry: the Qt application, the desktop platform and Main. `sifton FILE` opens
// that data file at start.
#include <QApplication>

#include "platform/qt_platform.h"
#include "ui/desktop.h"
#include "ui/frm_start.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const sifton::DesktopSession session;
    sifton::QtPlatform platform;
    sifton::Main(platform, QCoreApplication::arguments());
    return QApplication::exec();
}
