// The results window frmDIX: owns the analysis on screen (the data set, the rejections made,
// the results), renders its presentation (labels, covers, highlights, status line, plot, Several
// Outliers, All Results and Sample Age windows), and carries the reject buttons and the File,
// Edit, View and Help menus. Loads replace the analysis; rejections make a new one from it; Undo
// and Redo step through the analyses that rejections replaced; declaring what the second field
// states re-derives the analysis on screen and every one in the history.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <optional>
#include <string>

#include "core/analysis.h"
#include "core/tables.h"
#include "platform/platform.h"
#include "ui/presentation.h"
#include "ui/report.h"
#include "ui/undo_history.h"

class QAction;
class QLabel;

namespace sifton {

struct FittedLabel;
class FittedLayout;

class frmPlot;
class frmGesd;
class frmAllResults;
class frmSampleAge;

class frmDIX : public QMainWindow {
    Q_OBJECT

  public:
    explicit frmDIX(Platform& platform);

    // The analysis on screen; nullptr until a load took, and after a load then a refusal from
    // the start window's paste.
    const Analysis* analysis() const { return m_analysis ? &*m_analysis : nullptr; }
    const Presentation& shown() const { return m_shown; }
    ReportMode copyMode() const { return CopyMode; }

    // Shows the analysis on screen. Without one, the reject buttons and the two copy commands
    // are disabled and do nothing.
    void Present_Values();

    // The report of what the window shows, onto the clipboard. A clipboard that cannot be
    // written keeps what it held; nothing is reported.
    void Copy_To();

    // Loads, pastes and rejections are all or nothing: one that does not end with new results
    // on screen (a cancelled dialog, a refused file or paste, a calculation stopped by a broken
    // table file) leaves the analysis, the window, the report mode and the clipboard as they
    // were.

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
    PasteOutcome Paste_Clipboard();

    void cmdRejectMin_Click();
    void cmdRejectMax_Click();
    // Edit > Copy to Clipboard (Short) and ... with All Data (Long): the chosen report becomes
    // the report mode unless the long one was chosen once.
    void copyReport(ReportMode mode);
    // Edit > Copy All Results: the All Results table as tab-separated text.
    void copyAllResults();
    // Edit > Undo Reject and Redo Reject: back to the analysis and report mode a rejection
    // replaced, and forward again.
    void undoReject();
    void redoReject();

    // The data plot window (View > Data Plot, Ctrl+D): opened or raised, and from then on redrawn
    // whenever this window renders; it closes with this window. nullptr while none is open.
    void showPlot();
    frmPlot* plotWindow() const;
    // The "Several Outliers" window (View > Several Outliers) of the generalized ESD screen,
    // whose alpha and k also rule the status line; both follow every run.
    void showGesd();
    // The "All Results" window (View > All Results): every number of the run, live.
    void showAllResults();
    // The "Sample Age" window (View > Sample Age), live while it is open; only for an analysis
    // with ages.
    void showSampleAge();
    // Edit > Copy Sample Age: that window's text, tab-separated.
    void copySampleAge();

    // Edit > Second Field: what the second field of the data set on screen states, for the
    // analysis on screen and every one that Undo and Redo reach; never saved. A row without a
    // positive uncertainty refuses it with a warning that names the row, and nothing changes.
    void declareSecondField(UncertaintyKind kind);

  protected:
    // Closing the results window closes every other window of the program and ends it.
    void closeEvent(QCloseEvent* event) override;
    // A data file dropped on the window is opened as File > Open General Data File would.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // What a rejection replaces and Undo puts back.
    struct Rejection {
        Analysis analysis;
        ReportMode copyMode;
    };

    // Empties the window's data set and results before a load puts its own in place.
    void Reset_Store();
    // Computes a new data set and shows it; a table file that fails leaves everything as it was
    // and warns, naming the table and the problem.
    bool showDataSet(DataSet data);
    void rejectExtreme(Extreme extreme);
    void restore(Rejection state);
    void warnTablesFailed(const TableLookupError& e);
    void updateCommands();
    void updateGesd();
    template <typename Window, typename Make>
    void showOwned(QPointer<Window>& window, Make make);

    void buildLabels(QWidget* canvas);
    void buildButtons(QWidget* canvas);
    void buildMenus();
    void render();
    void renderLabel(const LabelState& state, const FittedLabel& fitted, QLabel* label);
    void applyLayout(const FittedLayout& fit);

    Platform& m_platform;
    FolderTables m_tables;  // the program's folder; a table edited there counts at the next run
    std::optional<Analysis> m_analysis;
    ReportMode CopyMode = ReportMode::Short;
    GesdSettings m_gesdSettings;  // until the program ends; never saved
    Presentation m_shown;
    UndoHistory<Rejection> m_history;

    std::vector<QLabel*> m_labels;        // one per label state, in labelStates' order
    QLabel* m_gesdStatus = nullptr;       // the status line under the client area
    QLabel* m_gesdWarningIcon = nullptr;  // before it when one outlier may mask another
    QPointer<frmPlot> m_plot;
    QPointer<frmGesd> m_gesd;
    QPointer<frmAllResults> m_allResults;
    QPointer<frmSampleAge> m_sampleAge;

    QAction* mnuFileTallyra = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileExit = nullptr;
    QAction* mnuEditPaste = nullptr;
    QAction* mnuEditCopy = nullptr;
    QAction* mnuEditCopyAll = nullptr;
    QAction* mnuEditUndo = nullptr;
    QAction* mnuEditRedo = nullptr;
    QAction* mnuEditCopyResults = nullptr;
    QAction* mnuEditCopySampleAge = nullptr;
    QAction* mnuEditSecondField = nullptr;         // the submenu
    std::array<QAction*, 5> mnuSecondFieldItem{};  // each holds its UncertaintyKind
    QAction* mnuViewPlot = nullptr;
    QAction* mnuViewGesd = nullptr;
    QAction* mnuViewAllResults = nullptr;
    QAction* mnuViewSampleAge = nullptr;
    QAction* mnuHelpDescription = nullptr;
    QAction* mnuHelpAbout = nullptr;
};

}  // namespace sifton
