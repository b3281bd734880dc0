#include "ui/frm_dix.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <cmath>

#include "ui/desktop.h"
#include "ui/frm_gesd.h"
#include "ui/frm_plot.h"
#include "ui/label_fit.h"
#include "ui/twips.h"

namespace sifton {
namespace {

QColor toQColor(const Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// The client area: white, with the separator lines drawn beneath the labels.
class ResultsCanvas : public QWidget {
  public:
    using QWidget::QWidget;
    std::vector<Line> lines{kResultLines.begin(), kResultLines.end()};  // as the layout fits them

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, 1));
        for (const Line& line : lines)
            painter.drawLine(twipsToPixels(line.x1, this), twipsToPixels(line.y1, this),
                             twipsToPixels(line.x2, this), twipsToPixels(line.y2, this));
    }
};

// Twips that a label needs for a text in its font, with a pixel to spare for the rounding of
// its edges to pixels.
int textTwips(const QLabel* label, const std::string& text) {
    const int pixels =
        QFontMetrics(label->font()).horizontalAdvance(QString::fromStdString(text)) + 2;
    return static_cast<int>(std::ceil(pixels * 1440.0 / label->logicalDpiX()));
}

QFont fontFor(LabelKind kind, QFont base) {
    if (kind == LabelKind::Title) {
        base.setPointSize(14);
        base.setBold(true);
    } else if (kind == LabelKind::BlockTitle) {
        base.setBold(true);
    }
    return base;
}

}  // namespace

frmDIX::frmDIX(Platform& platform)
    : m_platform(platform), m_tables(platform.executableFolder(), true) {
    setObjectName(QStringLiteral("frmDIX"));
    setWindowTitle(QStringLiteral("Outlier Test"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont base(QStringLiteral("Arial"));
    base.setStyleHint(QFont::SansSerif);
    base.setPointSize(8);
    setFont(base);

    auto* canvas = new ResultsCanvas(this);
    canvas->setObjectName(QStringLiteral("frmDIXClient"));
    QPalette white = canvas->palette();
    white.setColor(QPalette::Window, Qt::white);
    canvas->setPalette(white);
    canvas->setAutoFillBackground(true);
    canvas->setFixedSize(twipsSize(kResultsClientWidth, kResultsClientHeight, this));
    // The client area holds the focus first, so a Return pressed right after the window opened
    // rejects nothing; Tab moves it to the buttons.
    canvas->setFocusPolicy(Qt::StrongFocus);
    setCentralWidget(canvas);

    buildLabels(canvas);
    buildButtons(canvas);
    buildMenus();
    // The status line lies below the client area, so no label of it moves.
    m_gesdWarningIcon = new QLabel(this);
    m_gesdWarningIcon->setObjectName(QStringLiteral("imgGesdWarning"));
    m_gesdWarningIcon->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
    m_gesdWarningIcon->hide();
    statusBar()->addWidget(m_gesdWarningIcon);
    m_gesdStatus = new QLabel(this);
    m_gesdStatus->setObjectName(QStringLiteral("lblGesdStatus"));
    // Room for two lines: a warning and the note for small data sets do not fit on one.
    m_gesdStatus->setWordWrap(true);
    m_gesdStatus->setMinimumHeight(2 * m_gesdStatus->fontMetrics().lineSpacing() + 2);
    statusBar()->addWidget(m_gesdStatus, 1);
    statusBar()->setSizeGripEnabled(false);
    Present_Values();
    pressFocusedButtonsOnReturn(this);
    centreWhenShown(this);
    setAcceptDrops(true);
}

void frmDIX::buildLabels(QWidget* canvas) {
    const std::vector<LabelState> states = labelStates(present(nullptr, m_gesdSettings));
    for (size_t i = 0; i < states.size(); ++i) {
        const LabelState& state = states[i];
        auto* label = new QLabel(canvas);
        label->setObjectName(QString::fromStdString(state.name));
        label->setTextFormat(Qt::PlainText);
        label->setFont(fontFor(state.kind, font()));
        label->setWordWrap(state.wordWrap);
        label->setAlignment((state.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        if (i < kCaptions.size())  // the static captions, which never change
            shrinkFontToFit(label, QString::fromStdString(state.text),
                            twipsToPixels(state.width, this));
        m_labels.push_back(label);
    }
}

void frmDIX::buildButtons(QWidget* canvas) {
    for (const ButtonLayout& entry : {kRejectMinButton, kRejectMaxButton}) {
        auto* button = new QPushButton(QString::fromUtf8(entry.text), canvas);
        button->setObjectName(QString::fromUtf8(entry.name));
        button->setGeometry(twipsRect(entry.left, entry.top, entry.width, entry.height, this));
        shrinkFontToFit(button, button->text(), button->width() - kButtonPadding);
    }
    connect(findChild<QPushButton*>(kRejectMinButton.name), &QPushButton::clicked, this,
            &frmDIX::cmdRejectMin_Click);
    connect(findChild<QPushButton*>(kRejectMaxButton.name), &QPushButton::clicked, this,
            &frmDIX::cmdRejectMax_Click);
}

void frmDIX::renderLabel(const LabelState& state, const FittedLabel& fitted, QLabel* label) {
    QRect rect = twipsRect(fitted.left, state.top, fitted.width, state.height, this);
    QString text = QString::fromStdString(fitted.text);
    if (fitted.elide != Elide::None)
        text =
            QFontMetrics(label->font())
                .elidedText(text, fitted.elide == Elide::Middle ? Qt::ElideMiddle : Qt::ElideRight,
                            rect.width());
    label->setText(text);
    // The full text where the shown one is shorter, then the model's own (a p-value).
    std::string toolTip = fitted.toolTip;
    if (!state.tooltip.empty()) toolTip += (toolTip.empty() ? "" : "\n") + state.tooltip;
    label->setToolTip(QString::fromStdString(toolTip));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toQColor(state.foreground));
    palette.setColor(QPalette::Window, toQColor(state.background));
    label->setPalette(palette);
    label->setAutoFillBackground(state.opaque);
    if (state.autoSize) rect.setWidth(label->sizeHint().width());
    label->setGeometry(rect);
    label->setVisible(state.visible);
}

void frmDIX::render() {
    const std::vector<LabelState> states = labelStates(m_shown);
    const std::vector<Line> lines(kResultLines.begin(), kResultLines.end());
    const FittedLayout fit = fitLabels(
        states, lines, kResultsClientWidth,
        [this](size_t i, const std::string& text) { return textTwips(m_labels[i], text); });
    for (size_t i = 0; i < states.size(); ++i) renderLabel(states[i], fit.labels[i], m_labels[i]);
    applyLayout(fit);
    // Whatever changes what this window shows changes the plot and the ESD screen with it.
    updateGesd();
}

void frmDIX::applyLayout(const FittedLayout& fit) {
    auto* canvas = static_cast<ResultsCanvas*>(centralWidget());
    canvas->lines.assign(kResultLines.begin(), kResultLines.end());
    for (Line& line : canvas->lines) line.x1 = fit.x(line.x1), line.x2 = fit.x(line.x2);
    canvas->setFixedSize(twipsSize(fit.clientWidth, kResultsClientHeight, this));
    canvas->update();
    for (const ButtonLayout& entry : {kRejectMinButton, kRejectMaxButton}) {
        const int left = fit.x(entry.left);
        findChild<QPushButton*>(entry.name)
            ->setGeometry(twipsRect(left, entry.top, fit.x(entry.left + entry.width) - left,
                                    entry.height, this));
    }
    const int oldWidth = width();
    setFixedSize(canvas->width(), canvas->height() + menuBar()->sizeHint().height() +
                                      statusBar()->sizeHint().height());
    // A window that widened keeps its right edge on the screen.
    const QScreen* screen = this->screen();
    if (!isVisible() || width() <= oldWidth || screen == nullptr) return;
    const QRect available = screen->availableGeometry(), outer = frameGeometry();
    if (outer.right() > available.right())
        move(qMax(available.left(), outer.left() - (outer.right() - available.right())),
             outer.top());
}

void frmDIX::Present_Values() {
    m_shown = present(analysis(), m_gesdSettings);
    render();
    updateCommands();
}

void frmDIX::updateCommands() {
    const bool shows = m_shown.showsResults;
    for (const char* name : {kRejectMinButton.name, kRejectMaxButton.name})
        findChild<QPushButton*>(name)->setEnabled(shows);
    mnuEditCopy->setEnabled(shows);
    mnuEditCopyAll->setEnabled(shows);
    mnuEditCopyResults->setEnabled(shows);
    mnuViewAllResults->setEnabled(shows);
    const bool ages = m_analysis && m_analysis->ages();
    mnuViewSampleAge->setEnabled(ages);
    mnuEditCopySampleAge->setEnabled(ages);
    // The check mark follows the data set on screen, after a refused choice too.
    mnuEditSecondField->setEnabled(shows);
    const UncertaintyKind declared =
        m_analysis ? m_analysis->dataSet().uncertainty : UncertaintyKind::None;
    for (QAction* item : mnuSecondFieldItem)
        item->setChecked(item->data().toInt() == static_cast<int>(declared));
    mnuEditUndo->setEnabled(m_history.canUndo());
    mnuEditRedo->setEnabled(m_history.canRedo());
}

void frmDIX::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (!event->isAccepted()) return;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible()) window->close();
    // With every window closed, Qt ends the program.
}

void frmDIX::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedDataFile(event->mimeData())) event->acceptProposedAction();
}

void frmDIX::dropEvent(QDropEvent* event) {
    const std::optional<std::string> path = draggedDataFile(event->mimeData());
    if (!path) return;
    event->acceptProposedAction();
    // After the drop has ended: a refusal's message box must not hold up the program the file
    // was dragged from.
    QMetaObject::invokeMethod(
        this, [this, file = *path] { loadDataFile(file); }, Qt::QueuedConnection);
}

void frmDIX::Copy_To() {
    if (!m_analysis) return;
    // A clipboard that cannot be written keeps its earlier content; the program goes on.
    m_platform.setClipboardText(buildReport(*m_analysis, m_shown, CopyMode, m_platform.today()));
}

}  // namespace sifton
