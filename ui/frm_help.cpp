#include "ui/frm_help.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <cmath>
#include <filesystem>

#include "core/input.h"
#include "ui/desktop.h"

namespace sifton {
namespace {

// The one help window; cleared when the user closes it, so the next use builds a new one even
// before the closed window's deferred deletion has run.
QPointer<frmHelp_1>& currentWindow() {
    static QPointer<frmHelp_1> window;
    return window;
}

constexpr int kPictureSize = 72;
constexpr int kWidth = 620;

// Picture1: a bell curve over a row of values, one of them far out on the right.
QPixmap bellCurvePicture() {
    QPixmap pixmap(kPictureSize, kPictureSize);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.drawLine(4, 58, 68, 58);

    QPainterPath curve;
    const double mid = 30.0, width = 9.0, base = 56.0, height = 40.0;
    for (int x = 4; x <= 60; ++x) {
        const double z = (x - mid) / width;
        const double y = base - height * std::exp(-0.5 * z * z);
        if (x == 4)
            curve.moveTo(x, y);
        else
            curve.lineTo(x, y);
    }
    p.setPen(QPen(QColor(0, 0, 160), 2));
    p.drawPath(curve);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 160));
    for (int x : {16, 22, 26, 29, 31, 34, 38, 44}) p.drawEllipse(QPointF(x, 63), 2.0, 2.0);
    p.setBrush(QColor(220, 0, 0));
    p.drawEllipse(QPointF(64, 63), 3.0, 3.0);
    return pixmap;
}

// Picture2: a box plot with its inner fences and one value beyond the upper fence.
QPixmap boxPlotPicture() {
    QPixmap pixmap(kPictureSize, kPictureSize);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0, 0, 160);
    p.setPen(QPen(ink, 2));
    p.setBrush(QColor(255, 192, 192));
    p.drawRect(QRectF(22, 26, 22, 20));            // Q1 to Q3
    p.drawLine(QPointF(31, 26), QPointF(31, 46));  // median
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(8, 36), QPointF(22, 36));
    p.drawLine(QPointF(44, 36), QPointF(56, 36));
    p.setPen(QPen(QColor(120, 120, 120), 1, Qt::DashLine));
    p.drawLine(QPointF(6, 14), QPointF(6, 58));    // lower inner fence
    p.drawLine(QPointF(58, 14), QPointF(58, 58));  // upper inner fence
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 0, 0));
    p.drawEllipse(QPointF(66, 36), 3.0, 3.0);
    return pixmap;
}

QLabel* makePicture(QWidget* parent, const char* name, const QPixmap& pixmap, int x) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(pixmap);
    label->setFrameShape(QFrame::Box);
    label->setGeometry(x, 12, kPictureSize + 2, kPictureSize + 2);
    return label;
}

}  // namespace

frmHelp_1::frmHelp_1(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), m_platform(platform) {
    setObjectName("frmHelp_1");
    setWindowTitle("About");
    setAttribute(Qt::WA_DeleteOnClose);
    // The help window alone does not keep the program running once the results window is gone.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kWidth, 340);

    makePicture(this, "Picture1", bellCurvePicture(), 12);
    makePicture(this, "Picture2", boxPlotPicture(), kWidth - 12 - kPictureSize - 2);

    auto* program = new QLabel(kHelpProgramLine, this);
    program->setObjectName("lblRizsa_1");
    QFont programFont = program->font();
    programFont.setPointSizeF(programFont.pointSizeF() * 1.3);
    programFont.setBold(true);
    program->setFont(programFont);
    program->setAlignment(Qt::AlignCenter);
    program->setGeometry(100, 18, kWidth - 200, 28);

    auto* credit = new QLabel(kHelpCreditLine, this);
    credit->setObjectName("lblRizsa_0");
    credit->setAlignment(Qt::AlignCenter);
    credit->setGeometry(100, 52, kWidth - 200, 22);

    m_lblNagyRizsa = new QLabel(this);
    m_lblNagyRizsa->setObjectName("lblNagyRizsa");
    m_lblNagyRizsa->setTextFormat(Qt::PlainText);
    m_lblNagyRizsa->setWordWrap(true);
    m_lblNagyRizsa->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblNagyRizsa->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblNagyRizsa->setGeometry(16, 100, kWidth - 32, 184);

    m_cmdOpenAcrobat = new QPushButton("Open description file by Acrobat", this);
    m_cmdOpenAcrobat->setObjectName("cmdOpenAcrobat");
    m_cmdOpenAcrobat->setGeometry(16, 294, 240, 32);
    connect(m_cmdOpenAcrobat, &QPushButton::clicked, this, &frmHelp_1::cmdOpenAcrobat_Click);

    m_cmdDownload = new QPushButton("Download description file fromSifton homepage", this);
    m_cmdDownload->setObjectName("cmdDownload");
    m_cmdDownload->setGeometry(268, 294, kWidth - 268 - 16, 32);
    connect(m_cmdDownload, &QPushButton::clicked, this, &frmHelp_1::cmdDownload_Click);

    pressFocusedButtonsOnReturn(this);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
}

void frmHelp_1::showDescriptionMode() {
    m_cmdOpenAcrobat->setVisible(true);
    m_cmdDownload->setVisible(true);
    setMessage(descriptionText());
}

void frmHelp_1::showAboutMode() {
    m_cmdOpenAcrobat->setVisible(false);
    m_cmdDownload->setVisible(false);
    setMessage(aboutText());
}

void frmHelp_1::setMessage(std::string text) {
    m_message = std::move(text);
    // The composed text keeps its CR line ends; a label breaks lines at LF only.
    m_lblNagyRizsa->setText(QString::fromStdString(m_message).replace(QChar('\r'), QChar('\n')));
}

void frmHelp_1::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted() && currentWindow() == this) currentWindow().clear();
}

// A click that the desktop does not answer says so, with the document's path: a button that
// does nothing visible leaves the user without the help.
void frmHelp_1::cmdOpenAcrobat_Click() {
    const std::string path = helpDocumentPath(m_platform.executableFolder());
    if (!m_platform.openExternal(path))
        m_platform.showWarning(kProgramTitle,
                               helpDocumentFailure(path, std::filesystem::exists(path)));
}

void frmHelp_1::cmdDownload_Click() {
    if (!m_platform.openExternal(kDownloadPageAddress))
        m_platform.showWarning(
            kProgramTitle, downloadPageFailure(helpDocumentPath(m_platform.executableFolder())));
}

namespace {

frmHelp_1* openHelpWindow(Platform& platform) {
    QPointer<frmHelp_1>& window = currentWindow();
    if (!window) window = new frmHelp_1(platform);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace

frmHelp_1* showHelpDescription(Platform& platform) {
    frmHelp_1* window = openHelpWindow(platform);
    window->showDescriptionMode();
    return window;
}

frmHelp_1* showHelpAbout(Platform& platform) {
    frmHelp_1* window = openHelpWindow(platform);
    window->showAboutMode();
    return window;
}

}  // namespace sifton
