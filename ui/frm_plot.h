// The data plot window frmPlot: the values under test on one value axis with the mean, the
// spread and each test's limits, and a normal quantile plot below. The results window owns it,
// refreshes it whenever it shows new results and closes it when it closes itself. The window
// draws with paintPlot at its own size; "Save Plot As..." writes the same drawing as PNG, SVG
// or PDF through the platform's save dialog.
#pragma once

#include <QMainWindow>
#include <string>

#include "platform/platform.h"
#include "ui/plot_geometry.h"

namespace sifton {

class frmPlot : public QMainWindow {
    Q_OBJECT

  public:
    // A window of its own, owned by 'resultsWindow': it closes with it (the results window
    // closes every window when it closes) and is destroyed with it.
    frmPlot(Platform& platform, QWidget* resultsWindow);

    // Takes what the results window shows, and draws it anew.
    void refresh(const PlotData& data);

    const PlotData& data() const { return m_data; }
    // The plot laid out at the window's present drawing size: what it shows and what it saves.
    PlotGeometry currentGeometry() const;

    // Asks for a file name and saves the plot; the ending (.png, .svg, .pdf) picks the format.
    void savePlotAs();
    // The save dialog: the three formats, PNG first, and a name from the data file's.
    FileDialogSettings saveDialog() const;

  private:
    void buildMenus();

    Platform& m_platform;
    PlotData m_data;
    QWidget* m_canvas = nullptr;
};

}  // namespace sifton
