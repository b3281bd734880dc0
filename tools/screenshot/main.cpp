// Renders frmStart and, after loading the data file through the start window's open command,
// frmDIX to start.png and results.png. Runs on Qt's offscreen platform unless told otherwise.
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

#include "platform/scripted_platform.h"
#include "ui/frm_dix.h"
#include "ui/frm_start.h"

namespace {

bool save(QWidget* window, const QString& path) {
    window->show();
    QCoreApplication::processEvents();
    if (window->grab().save(path)) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: sifton_screenshot DATA_FILE OUTPUT_DIR [TABLE_FOLDER]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    sifton::ScriptedPlatform platform;
    platform.folder = argc > 3 ? argv[3] : SIFTON_APP_DIR;
    platform.dialogAnswers.push_back(std::string(argv[1]));

    sifton::frmStart* start = sifton::Main(platform);
    if (!save(start, out.filePath(QStringLiteral("start.png")))) return 1;
    start->findChild<QPushButton*>(QStringLiteral("cmdOpen"))->click();
    for (const auto& message : platform.messages)
        std::fprintf(stderr, "%s: %s\n", message.title.c_str(), message.text.c_str());

    QCoreApplication::processEvents();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* results = qobject_cast<sifton::frmDIX*>(window))
            return save(results, out.filePath(QStringLiteral("results.png"))) ? 0 : 1;
    }
    std::fprintf(stderr, "the results window did not open\n");
    return 1;
}
