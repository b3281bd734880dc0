// The results window's commands: the menus, the loads that replace the data set, the two
// reject buttons and the undo history of rejections.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "core/input.h"
#include "core/statistics.h"
#include "core/store.h"
#include "ui/frm_dix.h"
#include "ui/frm_gesd.h"
#include "ui/frm_help.h"
#include "ui/frm_plot.h"

namespace sifton {
namespace {

struct MenuLayout {
    const char* caption;
    const char* name;
    const char* itemArray;
    std::vector<const char*> items;  // "-" is a separator
    void (frmDIX::*command)(int index);
};

}  // namespace

void frmDIX::buildMenus() {
    const std::vector<MenuLayout> menus = {
        {"&File",
         "mnuFile",
         "mnuFileItem",
         {"Open &Tallyra Data File", "&Open General Data File", "-", "E&xit"},
         &frmDIX::mnuFileItem_Click},
        {"&Edit",
         "mnuEdit",
         "mnuEditItem",
         {"&Paste Raw Data from Clipboard", "&Copy to Clipboard",
          "Copy to Clipboard with &All Data", "&Undo Reject", "&Redo Reject"},
         &frmDIX::mnuEditItem_Click},
        {"&View",
         "mnuView",
         "mnuViewItem",
         {"&Data Plot", "&Several Outliers"},
         &frmDIX::mnuViewItem_Click},
        {"&Help", "mnuHelp", "mnuHelpItem", {"&Description", "&About"}, &frmDIX::mnuHelpItem_Click},
    };
    for (const MenuLayout& entry : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(entry.caption));
        menu->setObjectName(QString::fromUtf8(entry.name));
        menu->menuAction()->setObjectName(QString::fromUtf8(entry.name));
        for (size_t i = 0; i < entry.items.size(); ++i) {
            const int index = static_cast<int>(i);
            const QString caption = QString::fromUtf8(entry.items[i]);
            QAction* action =
                caption == QStringLiteral("-") ? menu->addSeparator() : menu->addAction(caption);
            action->setObjectName(QStringLiteral("%1_%2").arg(entry.itemArray).arg(index));
            connect(action, &QAction::triggered, this,
                    [this, command = entry.command, index] { (this->*command)(index); });
        }
    }
    // The sister program's own files are never read.
    findChild<QAction*>(QStringLiteral("mnuFileItem_0"))->setEnabled(false);
    const std::pair<const char*, QKeySequence> shortcuts[] = {
        {"mnuFileItem_1", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuFileItem_3", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"mnuEditItem_0", QKeySequence(Qt::CTRL | Qt::Key_V)},
        {"mnuEditItem_1", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"mnuEditItem_2", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
        {"mnuEditItem_3", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"mnuEditItem_4", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {"mnuViewItem_0", QKeySequence(Qt::CTRL | Qt::Key_D)},
        {"mnuHelpItem_0", QKeySequence(Qt::Key_F1)},
    };
    for (const auto& [name, keys] : shortcuts)
        findChild<QAction*>(QString::fromUtf8(name))->setShortcut(keys);
}

FileDialogSettings frmDIX::dataFileDialog(const std::string& initialFolder) {
    FileDialogSettings settings;
    settings.filters = {{"Text files /COMMA DELIMITED/ (*.csv)", "*.csv"},
                        {"All Files (*.*)", "*.*"}};
    settings.selectedFilter = 1;
    settings.initialFolder = initialFolder;
    return settings;
}

bool frmDIX::openDataFile(const std::string& initialFolder) {
    const std::optional<std::string> path =
        m_platform.openFileDialog(dataFileDialog(initialFolder));
    if (!path || path->empty()) return false;
    return loadDataFile(*path);
}

bool frmDIX::loadDataFile(const std::string& path) {
    // Everything is checked before the store is touched, so a refused file leaves the data set,
    // its rejections and the window as they were.
    const DataFile file = readDataFile(path);
    if (!file.ok()) {
        m_platform.showWarning(kProgramTitle, dataFileFailureMessage(path, file));
        return false;
    }
    if (file.rows.size() < 3) {
        m_platform.showWarning("", pasteFailureMessage(PasteFailure::OneOrTwo));
        return false;
    }
    const bool shown = changeAndCalculate([&] {
        Reset_Store();
        storeDataFile(file);
        store().DataFileName = path;
    });
    if (shown) {
        m_history.clear();
        updateUndoItems();
    }
    return shown;
}

frmDIX::PasteOutcome frmDIX::pasteFromClipboard() {
    const std::string text = m_platform.clipboardText();
    const PastedValues pasted = parseClipboardText(text);
    if (!pasted.ok()) {
        const std::string message = pasteFailureMessage(pasted.failure);
        if (!message.empty()) m_platform.showWarning("", message);
        return text.empty() ? PasteOutcome::NoText : PasteOutcome::NotTaken;
    }
    const bool shown = changeAndCalculate([&] {
        Reset_Store();
        storePastedValues(pasted.values);
        store().LineBuffer = text;
    });
    if (!shown) return PasteOutcome::NotTaken;
    m_history.clear();
    updateUndoItems();
    return PasteOutcome::Shown;
}

void frmDIX::rejectRow(const Cell& position) {
    SampleStore& s = store();
    // Three values are the least any test takes; fewer means no data set is shown. The row
    // must be one that is still under test, or NData would drift from the markers.
    if (!m_showsResults || s.NData <= 3 || !position.isInteger()) return;
    const double row = position.toNumber();
    if (row < 1 || row > s.RowCount || row > kMaxRows || !isUnderTest(static_cast<int>(row)))
        return;
    Snapshot before = snapshot();
    const bool shown = changeAndCalculate([&] {
        s.Rejected[static_cast<size_t>(row)] = 1;
        s.NData -= 1;
        m_model.showRejectedRow(static_cast<int>(row));
        m_rejectedRows.push_back(static_cast<int>(row));
    });
    if (!shown) return;
    s.CopyMode = 2;
    m_history.changed(std::move(before));
    updateUndoItems();
    Copy_To();
}

void frmDIX::cmdRejectMin_Click() { rejectRow(store().PosMin); }

void frmDIX::cmdRejectMax_Click() { rejectRow(store().PosMax); }

void frmDIX::mnuFileItem_Click(int index) {
    if (index == 1) {
        openDataFile("");
    } else if (index == 3) {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    }
}

void frmDIX::mnuEditItem_Click(int index) {
    // Undo and Redo put back what a rejection changed, report mode included, and nothing else.
    if (index == 3 || index == 4) return stepRejections(index == 3);
    // The chosen item becomes the report mode unless the long report was chosen once; a paste
    // that does not take, or a copy with no results on screen, changes nothing.
    SampleStore& s = store();
    if (index == 0) {
        if (pasteFromClipboard() == PasteOutcome::Shown && s.CopyMode != 2) s.CopyMode = 0;
    } else if (index <= 2 && m_showsResults) {
        if (s.CopyMode != 2) s.CopyMode = index;
        Copy_To();
    }
}

void frmDIX::mnuHelpItem_Click(int index) {
    if (index == 0)
        showHelpDescription(m_platform);
    else if (index == 1)
        showHelpAbout(m_platform);
}

void frmDIX::mnuViewItem_Click(int index) {
    if (index == 0) showPlot();
    if (index == 1) showGesd();
}

void frmDIX::showGesd() {
    if (m_gesd == nullptr) {
        m_gesd = new frmGesd(this, [this](const GesdSettings& settings) {
            m_gesdSettings = settings;
            updateGesd();
        });
        for (QAction* action : findChildren<QAction*>())
            if (!action->shortcuts().isEmpty()) m_gesd->addAction(action);
        updateGesd();
    }
    m_gesd->show();
    m_gesd->raise();
    m_gesd->activateWindow();
}

void frmDIX::updateGesd() {
    // Results are on screen exactly when the count label holds a count.
    const bool results = !m_model.text("lblN").empty();
    const GesdView view = runGesd(store(), m_gesdSettings);
    m_gesdStatus->setText(results ? QString::fromStdString(gesdStatusLine(view, m_model))
                                  : QString());
    if (m_gesd) m_gesd->showResult(results ? view : GesdView{}, m_gesdSettings);
    if (m_plot) m_plot->refresh(store(), m_model, results ? &view : nullptr);
}

frmPlot* frmDIX::plotWindow() const { return m_plot; }

void frmDIX::showPlot() {
    if (m_plot == nullptr) {
        // This window's shortcuts (copy, undo...) work while the plot has the focus too.
        const QList<QAction*> actions = findChildren<QAction*>();
        m_plot = new frmPlot(m_platform, this);
        for (QAction* action : actions)
            if (!action->shortcuts().isEmpty()) m_plot->addAction(action);
        updateGesd();  // draws the plot with the ESD screen's marks
    }
    m_plot->show();
    m_plot->raise();
    m_plot->activateWindow();
}

}  // namespace sifton
