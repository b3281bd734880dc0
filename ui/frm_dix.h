// The results window frmDIX: renders the ResultsModel (labels, covers, highlights) and carries
// the reject buttons and the File, Edit and Help menus. It is the one place where a calculation
// run happens, and it owns the loads that replace the data set.
#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "core/cell.h"
#include "platform/platform.h"
#include "ui/results_model.h"

class QLabel;

namespace sifton {

class frmDIX : public QMainWindow {
    Q_OBJECT

  public:
    explicit frmDIX(Platform& platform);
    ~frmDIX() override;

    const ResultsModel& model() const { return m_model; }

    // The calculation run: Calc_Statistics, the four tests, then Present_Values. A failed table
    // lookup ends it with a warning that names the table and the problem; returns whether the
    // results are now on screen.
    bool calculate();
    void Present_Values();

    // The report of what the window shows, onto the clipboard. A clipboard that cannot be
    // written keeps what it held; nothing is reported.
    void Copy_To();

    // Asks for a data file and loads it in place of the current data set; a cancelled dialog,
    // an unreadable file or fewer than three data lines leave everything as it was. Returns
    // whether the new results are on screen.
    bool openDataFile(const std::string& initialFolder);
    // The open-file dialog of the data-file commands.
    static FileDialogSettings dataFileDialog(const std::string& initialFolder);

    // Replaces the data set by the clipboard's numbers; a refused paste keeps the data set.
    void pasteFromClipboard();

    void cmdRejectMin_Click();
    void cmdRejectMax_Click();
    void mnuFileItem_Click(int index);
    void mnuEditItem_Click(int index);
    void mnuHelpItem_Click(int index);

  private:
    void buildLabels(QWidget* canvas);
    void buildButtons(QWidget* canvas);
    void buildMenus();
    void render();
    void renderLabel(const LabelState& state, QLabel* label);
    void rejectRow(const Cell& position);

    Platform& m_platform;
    ResultsModel m_model;
    std::vector<QLabel*> m_labels;  // one per model label, in the model's order
};

}  // namespace sifton
