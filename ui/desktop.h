// How the program fits the desktop it runs on: the fonts its windows name, the program icon, a
// settings place that is never the user's, centring a window on the screen, the Return key on
// push buttons and the one data file a drag brings. The program's main, the window tests and any
// tool that renders the windows set up a DesktopSession right after the QApplication.
#pragma once

#include <optional>
#include <string>

class QIcon;
class QMimeData;
class QWidget;

namespace sifton {

class DesktopSession {
  public:
    // Needs the QApplication. Maps the font names that the windows use (Arial, Times New Roman)
    // to their metric-compatible free fonts, gives every window the program's icon, and sends
    // whatever Qt itself would save through QSettings (the file dialog saves its state when it
    // closes) nowhere, so the program writes no settings, not even temporary ones.
    DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;
};

// The program's icon (the picture of packaging/sifton.svg), drawn at the usual icon sizes.
QIcon programIcon();

// Centres a top-level window on its screen, frame included, whenever it is shown the first time.
// The frame is known only once the window manager has framed the window, so the window is placed
// by its client area at first and once more when its frame becomes known.
void centreWhenShown(QWidget* window);

// Return and Enter press a push button of the window that has the keyboard focus, as in dialogs.
void pressFocusedButtonsOnReturn(QWidget* window);

// The local file that a drag carries when it carries exactly one; nothing otherwise.
std::optional<std::string> draggedDataFile(const QMimeData* data);

}  // namespace sifton
