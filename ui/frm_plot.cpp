#include "ui/frm_plot.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>

#include "core/input.h"
#include "ui/frm_dix.h"
#include "ui/plot_painter.h"

namespace sifton {
namespace {

class PlotCanvas : public QWidget {
  public:
    PlotCanvas(const frmPlot& window, QWidget* parent) : QWidget(parent), m_window(window) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintPlot(painter, m_window.currentGeometry());
    }

  private:
    const frmPlot& m_window;
};

}  // namespace

frmPlot::frmPlot(Platform& platform, QWidget* resultsWindow)
    : QMainWindow(resultsWindow, Qt::Window), m_platform(platform) {
    setObjectName(QStringLiteral("frmPlot"));
    setWindowTitle(QStringLiteral("Data Plot"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The results window decides when the program ends; an open plot never keeps it running.
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    // The choice of plot, shown only when the ages' uncertainties are known.
    m_choiceBar = new QWidget(central);
    auto* row = new QHBoxLayout(m_choiceBar);
    row->setContentsMargins(8, 4, 8, 4);
    auto* caption = new QLabel(QStringLiteral("Plot:"), m_choiceBar);
    m_choice = new QComboBox(m_choiceBar);
    m_choice->setObjectName(QStringLiteral("cboPlotKind"));
    m_choice->addItems({QStringLiteral("Data Plot"), QStringLiteral("Radial Plot")});
    caption->setBuddy(m_choice);
    row->addWidget(caption);
    row->addWidget(m_choice);
    row->addStretch();
    m_choiceBar->setVisible(false);
    connect(m_choice, &QComboBox::currentIndexChanged, this, &frmPlot::showChoice);
    m_canvas = new PlotCanvas(*this, central);
    m_canvas->setObjectName(QStringLiteral("picPlot"));
    m_canvas->setMinimumSize(700, 440);
    column->addWidget(m_choiceBar);
    column->addWidget(m_canvas, 1);
    setCentralWidget(central);
    buildMenus();
    resize(kPlotWidth, kPlotHeight + menuBar()->sizeHint().height());
}

void frmPlot::buildMenus() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("File"));
    menu->setObjectName(QStringLiteral("mnuPlotFile"));
    QAction* save = menu->addAction(QStringLiteral("Save Plot As..."));
    save->setObjectName(QStringLiteral("mnuPlotFileItem_0"));
    // Spelled out: the desktop's standard Save As and Close keys are empty on some desktops.
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(save, &QAction::triggered, this, &frmPlot::savePlotAs);
    QAction* close = menu->addAction(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("mnuPlotFileItem_1"));
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    connect(close, &QAction::triggered, this, &QWidget::close);
}

void frmPlot::refresh(const PlotData& data) {
    const auto* results = qobject_cast<const frmDIX*>(parentWidget());
    refresh(data, results != nullptr ? results->analysis() : nullptr);
}

void frmPlot::refresh(const PlotData& data, const Analysis* analysis) {
    m_data = data;
    m_radial = analysis != nullptr ? radialPlotData(*analysis, data) : std::nullopt;
    // Without ages only the data plot; the choice comes back with them.
    m_choiceBar->setVisible(m_radial.has_value());
    showChoice();
}

void frmPlot::showChoice() {
    const bool counts = showsRadial() && m_radial->transform.kind == RadialTransform::Kind::Counts;
    setWindowTitle(counts          ? QStringLiteral("Radial Plot of Counts")
                   : showsRadial() ? QStringLiteral("Radial Plot")
                                   : QStringLiteral("Data Plot"));
    m_canvas->update();
}

bool frmPlot::showsRadial() const { return m_radial && m_choice->currentIndex() == 1; }

PlotGeometry frmPlot::currentGeometry() const {
    if (showsRadial())
        return layoutRadialPlot(*m_radial, m_canvas->width(), m_canvas->height()).plot;
    return layoutPlot(m_data, m_canvas->width(), m_canvas->height());
}

FileDialogSettings frmPlot::saveDialog() const {
    FileDialogSettings settings;
    settings.filters = {{"PNG image (*.png)", "*.png"},
                        {"SVG drawing (*.svg)", "*.svg"},
                        {"PDF document (*.pdf)", "*.pdf"}};
    settings.selectedFilter = 1;
    // Beside the data file, named after it; a pasted data set has no file to go by.
    const QFileInfo data(QString::fromStdString(m_data.dataFileName));
    const QString ending =
        showsRadial() ? QStringLiteral("-radial.png") : QStringLiteral("-plot.png");
    if (data.exists()) {
        settings.initialFolder = data.absolutePath().toStdString();
        settings.fileName = (data.completeBaseName() + ending).toStdString();
    } else {
        settings.fileName = ("sifton" + ending).toStdString();
    }
    return settings;
}

void frmPlot::savePlotAs() {
    const std::optional<std::string> path = m_platform.saveFileDialog(saveDialog());
    if (!path || path->empty()) return;
    const std::optional<PlotFormat> format = plotFormatFor(*path);
    if (!format) {
        m_platform.showWarning(kProgramTitle,
                               "The plot can be saved as PNG, SVG or PDF: give the file name the "
                               "ending .png, .svg or .pdf.");
        return;
    }
    if (!writePlot(currentGeometry(), *path, *format))
        m_platform.showWarning(kProgramTitle, "The plot could not be saved to " + *path + ".");
}

}  // namespace sifton
