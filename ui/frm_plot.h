// The plot window frmPlot: the data plot (the values under test on one value axis with the
// mean, the spread and each test's limits, and a normal quantile plot below) or, when the data
// set declares uncertainties, the radial plot of the ages (radial_geometry.h), chosen at the top
// of the window. The results window owns it, refreshes it whenever it shows new results and
// closes it when it closes itself. The window draws with paintPlot at its own size; "Save Plot
// As..." writes the same drawing as PNG, SVG or PDF through the platform's save dialog.
#pragma once

#include <QMainWindow>
#include <string>

#include "core/analysis.h"
#include "platform/platform.h"
#include "ui/plot_geometry.h"
#include "ui/radial_geometry.h"

class QComboBox;

namespace sifton {

class frmPlot : public QMainWindow {
    Q_OBJECT

  public:
    // A window of its own, owned by 'resultsWindow': it closes with it (the results window
    // closes every window when it closes) and is destroyed with it.
    frmPlot(Platform& platform, QWidget* resultsWindow);

    // Takes what the results window shows, and draws it anew; the radial plot from the
    // analysis the results window shows.
    void refresh(const PlotData& data);
    // The same with the analysis given: its ages, if it has them, make the radial plot.
    void refresh(const PlotData& data, const Analysis* analysis);

    const PlotData& data() const { return m_data; }
    const std::optional<RadialPlotData>& radialData() const { return m_radial; }
    // The radial plot is shown (chosen, and the ages are known).
    bool showsRadial() const;
    // The plot laid out at the window's present drawing size: what it shows and what it saves.
    PlotGeometry currentGeometry() const;

    // Asks for a file name and saves the plot; the ending (.png, .svg, .pdf) picks the format.
    void savePlotAs();
    // The save dialog: the three formats, PNG first, and a name from the data file's.
    FileDialogSettings saveDialog() const;

  private:
    void buildMenus();
    void showChoice();

    Platform& m_platform;
    PlotData m_data;
    std::optional<RadialPlotData> m_radial;
    QWidget* m_choiceBar = nullptr;
    QComboBox* m_choice = nullptr;  // cboPlotKind: "Data Plot", "Radial Plot"
    QWidget* m_canvas = nullptr;
};

}  // namespace sifton
