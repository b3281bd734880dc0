#include "ui/frm_plot.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include "core/input.h"
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
    m_canvas = new PlotCanvas(*this, this);
    m_canvas->setObjectName(QStringLiteral("picPlot"));
    m_canvas->setMinimumSize(700, 440);
    setCentralWidget(m_canvas);
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
    m_data = data;
    m_canvas->update();
}

PlotGeometry frmPlot::currentGeometry() const {
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
    if (data.exists()) {
        settings.initialFolder = data.absolutePath().toStdString();
        settings.fileName = (data.completeBaseName() + QStringLiteral("-plot.png")).toStdString();
    } else {
        settings.fileName = "sifton-plot.png";
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
