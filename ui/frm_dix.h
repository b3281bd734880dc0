// The results window frmDIX: renders the ResultsModel (labels, covers, highlights) and carries
// the reject buttons and the File, Edit and Help menus. It is the one place where a calculation
// run happens, and it owns the loads that replace the data set and the history of rejections
// that Undo and Redo step through.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "core/cell.h"
#include "platform/platform.h"
#include "ui/gesd_view.h"
#include "ui/results_model.h"
#include "ui/undo_history.h"

class QLabel;

namespace sifton {

struct FittedLabel;
class FittedLayout;

class frmPlot;
class frmGesd;

class frmDIX : public QMainWindow {
    Q_OBJECT

  public:
    explicit frmDIX(Platform& platform);
    ~frmDIX() override;

    const ResultsModel& model() const { return m_model; }

    // Shows the store's results. Until results are shown, and again after a reset of the store
    // blanked them, the reject buttons and the two copy commands are disabled and do nothing.
    void Present_Values();

    // The report of what the window shows, onto the clipboard. A clipboard that cannot be
    // written keeps what it held; nothing is reported.
    void Copy_To();

    // Loads, pastes and rejections are all or nothing: one that does not end with new results
    // on screen (a cancelled dialog, a refused file or paste, a calculation stopped by a broken
    // table file) leaves the store, the window, the report mode and the clipboard as they were.

    // Asks for a data file and loads it in place of the current data set. Returns whether the
    // new results are on screen.
    bool openDataFile(const std::string& initialFolder);
    // Loads that file as the open command does once its dialog returned it: the same reader, the
    // same refusals. Files given on the command line and dropped on a window come here.
    bool loadDataFile(const std::string& path);
    // The open-file dialog of the data-file commands.
    static FileDialogSettings dataFileDialog(const std::string& initialFolder);

    // Replaces the data set by the clipboard's numbers. The outcome tells a clipboard without
    // text from one whose text was refused or could not be computed.
    enum class PasteOutcome { NoText, NotTaken, Shown };
    PasteOutcome pasteFromClipboard();

    void cmdRejectMin_Click();
    void cmdRejectMax_Click();
    void mnuFileItem_Click(int index);
    void mnuEditItem_Click(int index);
    void mnuHelpItem_Click(int index);
    void mnuViewItem_Click(int index);

    // The data plot window (View > Data Plot, Ctrl+D): opened or raised, and from then on redrawn
    // whenever this window renders; it closes with this window. nullptr while none is open.
    void showPlot();
    frmPlot* plotWindow() const;
    // The "Several Outliers" window (View > Several Outliers) of the generalized ESD screen,
    // whose alpha and k also rule the status line; both follow every run.
    void showGesd();

  protected:
    // Closing the results window closes every other window of the program and ends it.
    void closeEvent(QCloseEvent* event) override;
    // A data file dropped on the window is opened as File > Open General Data File would.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // Everything a rejection changes: the store (markers, NData, results, CopyMode), the labels
    // and the rows rejected so far, in order.
    struct Snapshot {
        SampleStore store;
        ResultsModel model;
        std::vector<int> rejectedRows;
        bool showsResults = false;
    };
    Snapshot snapshot() const;
    void restore(Snapshot state);
    void stepRejections(bool back);
    void updateUndoItems();

    // Applies a change of the data set to the store, then the calculation run (Calc_Statistics,
    // the four tests) and Present_Values. A table lookup that fails puts the store and the
    // window back as they were before the change and warns, naming the table and the problem.
    // Returns whether the new results are on screen.
    bool changeAndCalculate(const std::function<void()>& change);
    void setShowsResults(bool shows);

    void buildLabels(QWidget* canvas);
    void buildButtons(QWidget* canvas);
    void buildMenus();
    void render();
    void renderLabel(const LabelState& state, const FittedLabel& fitted, QLabel* label);
    void applyLayout(const FittedLayout& fit);
    void rejectRow(const Cell& position);

    Platform& m_platform;
    ResultsModel m_model;
    std::vector<QLabel*> m_labels;  // one per model label, in the model's order
    bool m_showsResults = false;
    QPointer<frmPlot> m_plot;
    QPointer<frmGesd> m_gesd;
    QLabel* m_gesdStatus = nullptr;  // the status line under the client area
    GesdSettings m_gesdSettings;     // until the program ends; never saved
    void updateGesd();
    std::vector<int> m_rejectedRows;  // in the order of rejection; lblRejecList's tooltip
    UndoHistory<Snapshot> m_history;
};

}  // namespace sifton
