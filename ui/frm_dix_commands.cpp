// The results window's commands: the menus, the loads that replace the data set and the two
// reject buttons.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include "core/input.h"
#include "core/statistics.h"
#include "core/store.h"
#include "ui/frm_dix.h"
#include "ui/frm_help.h"

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
        {"File",
         "mnuFile",
         "mnuFileItem",
         {"Open Tallyra Data File", "Open General Data File", "-", "Exit"},
         &frmDIX::mnuFileItem_Click},
        {"Edit",
         "mnuEdit",
         "mnuEditItem",
         {"Paste Raw Data from Clipboard", "Copy to Clipboard", "Copy to Clipboard with All Data"},
         &frmDIX::mnuEditItem_Click},
        {"Help", "mnuHelp", "mnuHelpItem", {"Description", "About"}, &frmDIX::mnuHelpItem_Click},
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
    // Everything is checked before the store is touched, so a refused file leaves the data set,
    // its rejections and the window as they were.
    const DataFile file = readDataFile(*path);
    if (!file.ok()) {
        m_platform.showWarning(kProgramTitle, dataFileFailureMessage(*path, file));
        return false;
    }
    if (file.rows.size() < 3) {
        m_platform.showWarning("", pasteFailureMessage(PasteFailure::OneOrTwo));
        return false;
    }
    return changeAndCalculate([&] {
        Reset_Store();
        storeDataFile(file);
        store().DataFileName = *path;
    });
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
    return shown ? PasteOutcome::Shown : PasteOutcome::NotTaken;
}

void frmDIX::rejectRow(const Cell& position) {
    SampleStore& s = store();
    // Three values are the least any test takes; fewer means no data set is shown. The row
    // must be one that is still under test, or NData would drift from the markers.
    if (!m_showsResults || s.NData <= 3 || !position.isInteger()) return;
    const double row = position.toNumber();
    if (row < 1 || row > s.RowCount || row > kMaxRows || !isUnderTest(static_cast<int>(row)))
        return;
    const bool shown = changeAndCalculate([&] {
        s.Rejected[static_cast<size_t>(row)] = 1;
        s.NData -= 1;
        m_model.showRejectedRow(static_cast<int>(row));
    });
    if (!shown) return;
    s.CopyMode = 2;
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
    // The chosen item becomes the report mode unless the long report was chosen once; a paste
    // that does not take, or a copy with no results on screen, changes nothing.
    SampleStore& s = store();
    if (index == 0) {
        if (pasteFromClipboard() == PasteOutcome::Shown && s.CopyMode != 2) s.CopyMode = 0;
    } else if (m_showsResults) {
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

}  // namespace sifton
