// The program's entry: the Qt application, the desktop platform and Main.
#include <QApplication>

#include "platform/qt_platform.h"
#include "ui/frm_start.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    sifton::QtPlatform platform;
    sifton::Main(platform);
    return QApplication::exec();
}
