#include "ui/frm_dix.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>

#include "core/input.h"
#include "core/outlier_tests.h"
#include "core/store.h"
#include "core/tables.h"
#include "ui/report.h"
#include "ui/twips.h"

namespace sifton {
namespace {

QColor toQColor(const Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// The client area: white, with the separator lines drawn beneath the labels.
class ResultsCanvas : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, 1));
        for (const Line& line : ResultsModel::lines())
            painter.drawLine(twipsToPixels(line.x1, this), twipsToPixels(line.y1, this),
                             twipsToPixels(line.x2, this), twipsToPixels(line.y2, this));
    }
};

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

frmDIX::frmDIX(Platform& platform) : m_platform(platform) {
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
    setCentralWidget(canvas);

    buildLabels(canvas);
    buildButtons(canvas);
    buildMenus();
    render();
    setShowsResults(false);
    setFixedSize(canvas->width(), canvas->height() + menuBar()->sizeHint().height());

    setResetObserver([this] {
        m_model.blankAfterReset();
        render();
        setShowsResults(false);
    });
}

frmDIX::~frmDIX() { setResetObserver({}); }

void frmDIX::buildLabels(QWidget* canvas) {
    for (const LabelState& state : m_model.labels()) {
        auto* label = new QLabel(canvas);
        label->setObjectName(QString::fromStdString(state.name));
        label->setTextFormat(Qt::PlainText);
        label->setFont(fontFor(state.kind, font()));
        label->setWordWrap(state.wordWrap);
        label->setAlignment((state.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        if (state.name.rfind("lblRizsa_", 0) == 0)
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

void frmDIX::renderLabel(const LabelState& state, QLabel* label) {
    label->setText(QString::fromStdString(state.text));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toQColor(state.foreground));
    palette.setColor(QPalette::Window, toQColor(state.background));
    label->setPalette(palette);
    label->setAutoFillBackground(state.opaque);
    QRect rect = twipsRect(state.left, state.top, state.width, state.height, this);
    if (state.autoSize) rect.setWidth(label->sizeHint().width());
    label->setGeometry(rect);
    label->setVisible(state.visible);
}

void frmDIX::render() {
    const std::vector<LabelState>& states = m_model.labels();
    for (size_t i = 0; i < states.size(); ++i) renderLabel(states[i], m_labels[i]);
}

void frmDIX::Present_Values() {
    m_model.Present_Values(store());
    render();
    setShowsResults(true);
}

void frmDIX::setShowsResults(bool shows) {
    m_showsResults = shows;
    for (const char* name : {kRejectMinButton.name, kRejectMaxButton.name})
        findChild<QPushButton*>(name)->setEnabled(shows);
    for (const char* name : {"mnuEditItem_1", "mnuEditItem_2"})
        findChild<QAction*>(name)->setEnabled(shows);
}

bool frmDIX::changeAndCalculate(const std::function<void()>& change) {
    // A run that a table file stops part-way has already written the tests before it, and the
    // reset before a load has blanked the window: both go back to what was on screen.
    const SampleStore storeBefore = store();
    const ResultsModel modelBefore = m_model;
    const bool showedResults = m_showsResults;
    try {
        change();
        runCalculation();
    } catch (const TableLookupError& e) {
        store() = storeBefore;
        m_model = modelBefore;
        render();
        setShowsResults(showedResults);
        m_platform.showWarning(kProgramTitle,
                               std::string(e.what()) + " The outlier tests could not be run.");
        return false;
    }
    Present_Values();
    return true;
}

void frmDIX::Copy_To() {
    const std::string report = buildReport(
        store(), [this](const std::string& name) { return m_model.text(name); },
        m_platform.today());
    // A clipboard that cannot be written keeps its earlier content; the program goes on.
    m_platform.setClipboardText(report);
}

}  // namespace sifton
