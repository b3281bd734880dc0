#include "ui/frm_start.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include "ui/artwork.h"
#include "ui/desktop.h"
#include "ui/frm_dix.h"
#include "ui/frm_help.h"
#include "ui/twips.h"

namespace sifton {
namespace {

constexpr int kClientWidth = 8604;   // twips
constexpr int kClientHeight = 4008;  // twips

enum class Face { Default, Arial, Times };

struct TextLayout {
    const char* name;
    const char* text;
    Face face;
    int pointSize;
    int left, top, width, height;
};

QFont faceFont(Face face, int pointSize, QFont base) {
    if (face == Face::Arial) {
        base.setFamily(QStringLiteral("Arial"));
        base.setStyleHint(QFont::SansSerif);
    } else if (face == Face::Times) {
        base.setFamily(QStringLiteral("Times New Roman"));
        base.setStyleHint(QFont::Serif);
    }
    base.setPointSize(pointSize);
    return base;
}

}  // namespace

frmStart::frmStart(Platform& platform) : m_platform(platform) {
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(QString());
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsSize(kClientWidth, kClientHeight, this));

    const std::vector<TextLayout> texts = {
        {"lblRizsa_4",
         "Four outlier tests for data sets having normal or \"close-to-normal\" distribution and "
         "low number of observations",
         Face::Default, 10, 1800, 1200, 5052, 972},
        {"Label9", "version 1.a (test)        28 Aug 2004", Face::Arial, 8, 1680, 2160, 5292, 252},
        {"Label6", "Sifton contributors", Face::Times, 12, 1680, 2640, 5292, 372},
        {"Label5", "Free software", Face::Times, 10, 240, 3000, 1332, 852},
        {"Label4", "Open source", Face::Times, 10, 7080, 3000, 1452, 612},
        {"lblRizsa_5", kDownloadPageAddress, Face::Arial, 8, 1680, 3720, 5292, 252},
    };
    for (const TextLayout& entry : texts) {
        auto* label = new QLabel(QString::fromUtf8(entry.text), this);
        label->setObjectName(QString::fromUtf8(entry.name));
        label->setTextFormat(Qt::PlainText);
        label->setFont(faceFont(entry.face, entry.pointSize, font()));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setGeometry(twipsRect(entry.left, entry.top, entry.width, entry.height, this));
    }

    struct Picture {
        const char* name;
        QPixmap (*draw)(QSize);
        int left, top, width, height;
    };
    for (const Picture& picture : {Picture{"Picture1", drawBanner, 2280, 120, 3972, 852},
                                   Picture{"Image2", drawScatter, 240, 1080, 1380, 1620},
                                   Picture{"Image3", drawSieve, 7320, 1560, 936, 876}}) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromUtf8(picture.name));
        const QRect rect =
            twipsRect(picture.left, picture.top, picture.width, picture.height, this);
        label->setGeometry(rect);
        label->setPixmap(picture.draw(rect.size()));
    }

    auto* open = new QPushButton(QStringLiteral("Open  Data File"), this);
    open->setObjectName(QStringLiteral("cmdOpen"));
    open->setGeometry(twipsRect(1800, 3120, 2052, 372, this));
    connect(open, &QPushButton::clicked, this, &frmStart::cmdOpen_Click);
    auto* paste = new QPushButton(QStringLiteral("Paste Data from Clipboard"), this);
    paste->setObjectName(QStringLiteral("cmdPaste"));
    paste->setGeometry(twipsRect(3960, 3120, 2892, 372, this));
    connect(paste, &QPushButton::clicked, this, &frmStart::cmdPaste_Click);
    for (QPushButton* button : {open, paste})
        shrinkFontToFit(button, button->text(), button->width() - kButtonPadding);
    // The keys of the results window's open and paste commands work here too.
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this, open, &QPushButton::click);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_V), this, paste, &QPushButton::click);
    pressFocusedButtonsOnReturn(this);
    centreWhenShown(this);
    setAcceptDrops(true);
}

frmStart::~frmStart() {
    // A results window that never took over dies with the start window.
    if (!m_handedOver) delete m_results;
}

frmDIX& frmStart::resultsWindow() {
    if (m_results == nullptr) m_results = new frmDIX(m_platform);
    return *m_results;
}

void frmStart::handOver() {
    m_handedOver = true;
    // Gone before the results window shows.
    close();
    m_results->show();
}

void frmStart::cmdOpen_Click() {
    if (resultsWindow().openDataFile(m_platform.executableFolder())) handOver();
}

bool frmStart::openFile(const std::string& path) {
    if (!resultsWindow().loadDataFile(path)) return false;
    handOver();
    return true;
}

void frmStart::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedDataFile(event->mimeData())) event->acceptProposedAction();
}

void frmStart::dropEvent(QDropEvent* event) {
    const std::optional<std::string> path = draggedDataFile(event->mimeData());
    if (!path) return;
    event->acceptProposedAction();
    // After the drop has ended, so that a refusal's message box does not hold up the program
    // the file came from.
    QMetaObject::invokeMethod(
        this, [this, file = *path] { openFile(file); }, Qt::QueuedConnection);
}

void frmStart::cmdPaste_Click() {
    // The results window takes over whenever the clipboard held text, even when its values were
    // refused or could not be computed; it then shows no results.
    if (resultsWindow().Paste_Clipboard() != frmDIX::PasteOutcome::NoText) handOver();
}

frmStart* Main(Platform& platform, const QStringList& arguments) {
    auto* start = new frmStart(platform);
    // A relative path names a file in the folder the program was started from; the window shows
    // it in full, as the dialog would give it.
    const QString file = arguments.value(1);
    if (!file.isEmpty() && start->openFile(QFileInfo(file).absoluteFilePath().toStdString()))
        return start;
    start->show();
    return start;
}

}  // namespace sifton
