#include "ui/desktop.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QUrl>

#include "ui/artwork.h"

namespace sifton {
namespace {

// Centres its window when it is first shown, and once more when the window manager's frame
// becomes known.
class Centring : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && !m_shown) {
            m_shown = true;
            centre(window);
        } else if (m_shown && isFramingEvent(event->type()) &&
                   window->frameGeometry() != window->geometry()) {
            centre(window);
            deleteLater();  // later moves are the user's
        }
        return false;
    }

  private:
    // The frame shows first in one of these, depending on the window manager.
    static bool isFramingEvent(QEvent::Type type) {
        return type == QEvent::Move || type == QEvent::Paint || type == QEvent::WindowActivate;
    }

    static void centre(QWidget* window) {
        const QScreen* screen = window->screen();
        if (screen == nullptr) return;
        const QRect available = screen->availableGeometry();
        QRect outer = window->frameGeometry();
        outer.moveCenter(available.center());
        // A window larger than the screen keeps its title bar on the screen.
        window->move(qMax(outer.left(), available.left()), qMax(outer.top(), available.top()));
    }

    bool m_shown = false;
};

class ReturnPresses : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        auto* button = static_cast<QPushButton*>(watched);
        if (button->isEnabled()) button->click();
        return true;
    }
};

}  // namespace

DesktopSession::DesktopSession() {
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("sifton"));
    // A folder that can never be made (/dev/null is no folder): a write fails silently, and a
    // program that is killed leaves nothing behind either, as a temporary folder would.
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope,
                           QStringLiteral("/dev/null/sifton-settings"));
}

QIcon programIcon() {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintProgramIcon(painter, side);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void centreWhenShown(QWidget* window) { window->installEventFilter(new Centring(window)); }

void pressFocusedButtonsOnReturn(QWidget* window) {
    auto* filter = new ReturnPresses(window);
    for (QPushButton* button : window->findChildren<QPushButton*>())
        button->installEventFilter(filter);
}

std::optional<std::string> draggedDataFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return std::nullopt;
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile()) return std::nullopt;
    return url.toLocalFile().toStdString();
}

}  // namespace sifton
