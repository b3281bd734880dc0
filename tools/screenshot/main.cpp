// sifton_screenshot: renders one window of the program to a PNG file, the way the program shows
// it, without a display. The help document's pictures are made with it at build time.
//
//   sifton_screenshot --window NAME --out PNG [--data FILE] [--tables FOLDER] [--scale N]
//
//   start    the start window
//   results  the results window after FILE was opened through the start window's open command
//   plot     the drawing of that results window's data plot (View > Data Plot), without
//            the window's menu bar
//
// FILE is opened as given, so a relative name shows as such in the window. The tables are read
// from FOLDER (default: the build's program folder). --scale renders at N times the pixels of a
// 96 dpi screen and records N x 96 dpi in the file, so a printed picture keeps its size. Any
// message the program shows on the way (a refused file, a missing table) fails the run. A new
// picture is one more entry in kWindows.

#include <QApplication>
#include <QCommandLineParser>
#include <QImage>
#include <QPushButton>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>

#include "tests/support/scripted_platform.h"
#include "ui/desktop.h"
#include "ui/frm_dix.h"
#include "ui/frm_plot.h"
#include "ui/frm_start.h"

namespace {

struct Request {
    QString data;
};

// What a picture needs that it cannot get: the message says what to give or to fix.
struct ShotError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Window {
    const char* name;
    QWidget* (*open)(sifton::ScriptedPlatform& platform, const Request& request);
};

void requireNoMessages(const sifton::ScriptedPlatform& platform) {
    if (platform.messages.empty()) return;
    std::string text;
    for (const auto& message : platform.messages)
        text += message.title + ": " + message.text + "\n";
    throw ShotError("the program showed a message:\n" + text);
}

QWidget* openStart(sifton::ScriptedPlatform& platform, const Request&) {
    return sifton::Main(platform);
}

QWidget* openResults(sifton::ScriptedPlatform& platform, const Request& request) {
    if (request.data.isEmpty()) throw ShotError("--window results needs --data FILE");
    platform.dialogAnswers.push_back(request.data.toStdString());
    sifton::frmStart* start = sifton::Main(platform);
    start->findChild<QPushButton*>(QStringLiteral("cmdOpen"))->click();
    QCoreApplication::processEvents();
    requireNoMessages(platform);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* results = qobject_cast<sifton::frmDIX*>(window)) return results;
    throw ShotError("the results window did not open");
}

QWidget* openPlot(sifton::ScriptedPlatform& platform, const Request& request) {
    if (request.data.isEmpty()) throw ShotError("--window plot needs --data FILE");
    auto* results = static_cast<sifton::frmDIX*>(openResults(platform, request));
    results->showPlot();
    QCoreApplication::processEvents();
    // The drawing alone, without the window's menu bar, at the smallest size the window allows:
    // the plot's text has a fixed pixel size, so the narrower the picture, the larger that text
    // is once the picture is scaled to the width of a printed page.
    QWidget* canvas = results->plotWindow()->findChild<QWidget*>(QStringLiteral("picPlot"));
    if (!canvas) throw ShotError("the data plot has no drawing");
    const QSize size(canvas->minimumWidth(), 540);
    results->plotWindow()->resize(results->plotWindow()->size() - canvas->size() + size);
    QCoreApplication::processEvents();
    return canvas;
}

const Window kWindows[] = {
    {"start", openStart},
    {"results", openResults},
    {"plot", openPlot},
};

QImage render(QWidget* window, int scale) {
    window->show();
    QCoreApplication::processEvents();
    QImage image(window->size() * scale, QImage::Format_ARGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    window->render(&image);
    image.setDevicePixelRatio(1);
    const int dotsPerMetre = static_cast<int>(std::lround(96.0 * scale / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const sifton::DesktopSession session;

    QStringList names;
    for (const Window& window : kWindows) names << QString::fromLatin1(window.name);
    QCommandLineParser parser;
    parser.addOption({"window", "The window to render: " + names.join(", ") + ".", "name"});
    parser.addOption({"out", "The PNG file to write.", "png"});
    parser.addOption({"data", "The data file to open.", "file"});
    parser.addOption({"tables", "The folder of the table files.", "folder", SIFTON_APP_DIR});
    parser.addOption({"scale", "Pixels per pixel of a 96 dpi screen.", "n", "1"});
    parser.process(app);

    const Window* chosen = nullptr;
    for (const Window& window : kWindows)
        if (parser.value("window") == QLatin1String(window.name)) chosen = &window;
    bool scaleRead = false;
    const int scale = parser.value("scale").toInt(&scaleRead);
    if (!chosen || parser.value("out").isEmpty() || !scaleRead || scale < 1 || scale > 8) {
        std::fprintf(stderr,
                     "usage: sifton_screenshot --window %s --out PNG [--data FILE] "
                     "[--tables FOLDER] [--scale 1-8]\n",
                     qPrintable(names.join('|')));
        return 2;
    }

    sifton::ScriptedPlatform platform;
    platform.folder = parser.value("tables").toStdString();
    try {
        QWidget* window = chosen->open(platform, {parser.value("data")});
        requireNoMessages(platform);
        const QString out = parser.value("out");
        if (!render(window, scale).save(out, "PNG"))
            throw ShotError("cannot write " + out.toStdString());
    } catch (const ShotError& error) {
        std::fprintf(stderr, "sifton_screenshot: %s\n", error.what());
        return 1;
    }
    return 0;
}
