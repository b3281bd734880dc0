// The results window's commands: the menus, the loads that replace the data set, the two
// reject buttons, the undo history of rejections and the declaration of the second field.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <functional>

#include "core/input.h"
#include "ui/frm_all_results.h"
#include "ui/frm_dix.h"
#include "ui/frm_gesd.h"
#include "ui/frm_help.h"
#include "ui/frm_import.h"
#include "ui/frm_plot.h"
#include "ui/frm_sample_age.h"

namespace sifton {
namespace {

// A menu item that runs 'command' on the window: a member function or a function of the window.
template <typename Command>
QAction* addCommand(frmDIX* window, QMenu* menu, const char* name, const char* caption,
                    Command command) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(name));
    QObject::connect(action, &QAction::triggered, window,
                     [window, command] { std::invoke(command, window); });
    return action;
}

// The program's own key first, so the menus show it on every desktop, then the desktop's
// standard keys for the command (Shift+Ins for Paste, Ctrl+Y for Redo on some).
QList<QKeySequence> keysFor(QKeySequence::StandardKey command, const QKeySequence& own) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    keys.removeAll(own);
    keys.prepend(own);
    return keys;
}

}  // namespace

void frmDIX::buildMenus() {
    // The object names are those of the menus' item arrays, each item by its index.
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    // The sister program's own files are never read.
    mnuFileTallyra = file->addAction(QStringLiteral("Open &Tallyra Data File"));
    mnuFileTallyra->setObjectName(QStringLiteral("mnuFileItem_0"));
    mnuFileTallyra->setEnabled(false);
    mnuFileOpen = addCommand(this, file, "mnuFileItem_1", "&Open General Data File",
                             [](frmDIX* w) { w->openDataFile(""); });
    file->addSeparator()->setObjectName(QStringLiteral("mnuFileItem_2"));
    mnuFileExit = addCommand(this, file, "mnuFileItem_3", "E&xit", [](frmDIX*) {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEditPaste = addCommand(this, edit, "mnuEditItem_0", "&Paste Raw Data from Clipboard",
                              [](frmDIX* w) { w->Paste_Clipboard(); });
    // Copy takes what the active window shows: the Several Outliers or the All Results table
    // there, the report here.
    mnuEditCopy = addCommand(this, edit, "mnuEditItem_1", "&Copy to Clipboard", [](frmDIX* w) {
        if (w->m_gesd && w->m_gesd->isActiveWindow())
            w->m_platform.setClipboardText(gesdTableText(w->m_shown.gesd));
        else if (w->m_allResults && w->m_allResults->isActiveWindow())
            w->copyAllResults();
        else if (w->m_sampleAge && w->m_sampleAge->isActiveWindow())
            w->copySampleAge();
        else
            w->copyReport(ReportMode::Short);
    });
    mnuEditCopyAll = addCommand(this, edit, "mnuEditItem_2", "Copy to Clipboard with &All Data",
                                [](frmDIX* w) { w->copyReport(ReportMode::Long); });
    mnuEditUndo = addCommand(this, edit, "mnuEditItem_3", "&Undo Reject", &frmDIX::undoReject);
    mnuEditRedo = addCommand(this, edit, "mnuEditItem_4", "&Redo Reject", &frmDIX::redoReject);
    mnuEditCopyResults =
        addCommand(this, edit, "mnuEditItem_5", "Copy All &Results", &frmDIX::copyAllResults);
    mnuEditCopySampleAge =
        addCommand(this, edit, "mnuEditItem_6", "Copy &Sample Age", &frmDIX::copySampleAge);
    edit->addSeparator()->setObjectName(QStringLiteral("mnuEditItem_7"));
    QMenu* secondField = edit->addMenu(QStringLiteral("Second &Field"));
    secondField->setObjectName(QStringLiteral("mnuSecondField"));
    mnuEditSecondField = secondField->menuAction();
    mnuEditSecondField->setObjectName(QStringLiteral("mnuEditItem_8"));
    auto* kinds = new QActionGroup(secondField);
    constexpr UncertaintyKind kKinds[] = {
        UncertaintyKind::None, UncertaintyKind::OneSigma, UncertaintyKind::TwoSigma,
        UncertaintyKind::OneSigmaPercent, UncertaintyKind::TwoSigmaPercent};
    static_assert(std::size(kKinds) == std::tuple_size_v<decltype(mnuSecondFieldItem)>);
    for (std::size_t i = 0; i < std::size(kKinds); ++i) {
        const UncertaintyKind kind = kKinds[i];
        const std::string caption = kind == UncertaintyKind::None
                                        ? std::string("&Not an Uncertainty")
                                        : std::string(uncertaintyName(kind));
        const std::string name = "mnuSecondFieldItem_" + std::to_string(i);
        QAction* item = addCommand(this, secondField, name.c_str(), caption.c_str(),
                                   [kind](frmDIX* w) { w->declareSecondField(kind); });
        item->setCheckable(true);
        item->setData(static_cast<int>(kind));
        kinds->addAction(item);
        mnuSecondFieldItem[i] = item;
    }

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    mnuViewPlot = addCommand(this, view, "mnuViewItem_0", "&Data Plot", &frmDIX::showPlot);
    mnuViewGesd = addCommand(this, view, "mnuViewItem_1", "&Several Outliers", &frmDIX::showGesd);
    mnuViewAllResults =
        addCommand(this, view, "mnuViewItem_2", "&All Results", &frmDIX::showAllResults);
    mnuViewSampleAge =
        addCommand(this, view, "mnuViewItem_3", "Sample A&ge", &frmDIX::showSampleAge);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpDescription = addCommand(this, help, "mnuHelpItem_0", "&Description",
                                    [](frmDIX* w) { showHelpDescription(w->m_platform); });
    mnuHelpAbout = addCommand(this, help, "mnuHelpItem_1", "&About",
                              [](frmDIX* w) { showHelpAbout(w->m_platform); });
    for (QMenu* menu : {file, edit, view, help})
        menu->menuAction()->setObjectName(menu->objectName());

    using Keys = QKeySequence;
    mnuFileOpen->setShortcuts(keysFor(Keys::Open, Keys(Qt::CTRL | Qt::Key_O)));
    mnuFileExit->setShortcuts(keysFor(Keys::Quit, Keys(Qt::CTRL | Qt::Key_Q)));
    mnuEditPaste->setShortcuts(keysFor(Keys::Paste, Keys(Qt::CTRL | Qt::Key_V)));
    mnuEditCopy->setShortcuts(keysFor(Keys::Copy, Keys(Qt::CTRL | Qt::Key_C)));
    mnuEditCopyAll->setShortcut(Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    mnuEditUndo->setShortcuts(keysFor(Keys::Undo, Keys(Qt::CTRL | Qt::Key_Z)));
    mnuEditRedo->setShortcuts(keysFor(Keys::Redo, Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    mnuViewPlot->setShortcut(Keys(Qt::CTRL | Qt::Key_D));
    mnuHelpDescription->setShortcuts(keysFor(Keys::HelpContents, Keys(Qt::Key_F1)));
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

namespace {

// Reads a file or pasted cells until the reading is certain: each open question is put to the
// user in the import dialog, one at a time. A refusal is shown; Cancel gives nothing.
std::optional<DataSet> readAnswering(
    Platform& platform, const std::function<Outcome<DataSet>(const ReadingChoice&)>& read,
    const std::function<std::optional<ReadingChoice>(const ImportQuestion&)>& ask) {
    ReadingChoice choice;
    for (;;) {
        Outcome<DataSet> got = read(choice);
        if (DataSet* data = std::get_if<DataSet>(&got)) return std::move(*data);
        const Refusal& refused = std::get<Refusal>(got);
        if (!refused.question) {
            if (!refused.message.empty()) platform.showWarning(refused.title, refused.message);
            return std::nullopt;
        }
        const std::optional<ReadingChoice> answer = ask(*refused.question);
        if (!answer) return std::nullopt;
        choice = *answer;
    }
}

// A file whose header names its second field an uncertainty: the import dialog proposes to
// declare it so. False when the user cancelled. A declaration that a row refuses is shown, and
// the data set loads as read.
bool proposeUncertainty(Platform& platform, QWidget* parent, DataSet& data) {
    const std::optional<UncertaintyQuestion> question = uncertaintyQuestion(data);
    if (!question) return true;
    const std::optional<UncertaintyKind> kind =
        frmImport::askAboutUncertainty(parent, data, *question);
    if (!kind) return false;
    Outcome<DataSet> declared = declaringUncertainty(data, *kind);
    if (const Refusal* refused = std::get_if<Refusal>(&declared))
        platform.showWarning(refused->title, refused->message);
    else
        data = std::get<DataSet>(std::move(declared));
    return true;
}

}  // namespace

bool frmDIX::loadDataFile(const std::string& path) {
    QWidget* parent = isVisible() ? this : nullptr;
    std::optional<DataSet> data = readAnswering(
        m_platform, [&](const ReadingChoice& c) { return Read_Data_File(path, c); },
        [&](const ImportQuestion& q) { return frmImport::askAboutFile(parent, path, q); });
    return data && proposeUncertainty(m_platform, parent, *data) && showDataSet(std::move(*data));
}

frmDIX::PasteOutcome frmDIX::Paste_Clipboard() {
    const std::string text = m_platform.clipboardText();
    QWidget* parent = isVisible() ? this : nullptr;
    std::optional<DataSet> data = readAnswering(
        m_platform, [&](const ReadingChoice& c) { return pastedDataSet(text, c); },
        [&](const ImportQuestion& q) { return frmImport::askAboutPaste(parent, text, q); });
    if (!data) return text.empty() ? PasteOutcome::NoText : PasteOutcome::NotTaken;
    return showDataSet(std::move(*data)) ? PasteOutcome::Shown : PasteOutcome::NotTaken;
}

void frmDIX::Reset_Store() {
    m_analysis.reset();
    m_history.clear();
}

void frmDIX::warnTablesFailed(const TableLookupError& e) {
    m_platform.showWarning(kProgramTitle,
                           std::string(e.what()) + " The outlier tests could not be run.");
}

bool frmDIX::showDataSet(DataSet data) {
    try {
        Analysis computed =
            Analysis::of(std::make_shared<const DataSet>(std::move(data)), m_tables);
        Reset_Store();
        m_analysis = std::move(computed);
    } catch (const TableLookupError& e) {
        warnTablesFailed(e);
        return false;
    }
    Present_Values();
    return true;
}

void frmDIX::rejectExtreme(Extreme extreme) {
    if (!m_analysis) return;
    std::optional<Analysis> next;
    try {
        next = m_analysis->rejecting(extreme, m_tables);
    } catch (const TableLookupError& e) {
        warnTablesFailed(e);
        return;
    }
    // Three values are the least any test takes.
    if (!next) return;
    m_history.changed(Rejection{std::move(*m_analysis), CopyMode});
    m_analysis = std::move(*next);
    CopyMode = ReportMode::Long;
    Present_Values();
    Copy_To();
}

void frmDIX::cmdRejectMin_Click() { rejectExtreme(Extreme::Smallest); }

void frmDIX::cmdRejectMax_Click() { rejectExtreme(Extreme::Largest); }

void frmDIX::copyReport(ReportMode mode) {
    // A copy with no results on screen changes nothing.
    if (!m_analysis) return;
    if (CopyMode != ReportMode::Long) CopyMode = mode;
    Copy_To();
}

void frmDIX::restore(Rejection state) {
    m_analysis = std::move(state.analysis);
    CopyMode = state.copyMode;
    Present_Values();
}

// Undo and Redo put back what a rejection changed, report mode included, and nothing else.
void frmDIX::undoReject() {
    if (m_history.canUndo()) restore(m_history.undo(Rejection{*m_analysis, CopyMode}));
}

void frmDIX::redoReject() {
    if (m_history.canRedo()) restore(m_history.redo(Rejection{*m_analysis, CopyMode}));
}

// Opens or raises a window this one owns. A new one takes this window's shortcuts (copy, undo...),
// so they work while it has the focus too, and shows the results at once.
template <typename Window, typename Make>
void frmDIX::showOwned(QPointer<Window>& window, Make make) {
    if (window == nullptr) {
        const QList<QAction*> actions = findChildren<QAction*>();
        window = make();
        for (QAction* action : actions)
            if (!action->shortcuts().isEmpty()) window->addAction(action);
        updateGesd();
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void frmDIX::showGesd() {
    showOwned(m_gesd, [this] {
        return new frmGesd(this, [this](const GesdSettings& settings) {
            m_gesdSettings = settings;
            Present_Values();
        });
    });
}

void frmDIX::updateGesd() {
    m_gesdStatus->setText(QString::fromStdString(m_shown.statusLine));
    // The warning in the colour and with the icon of a warning, where the eye is.
    m_gesdStatus->setStyleSheet(m_shown.gesdMasking ? QStringLiteral("color: #a00000;")
                                                    : QString());
    m_gesdWarningIcon->setVisible(m_shown.gesdMasking);
    if (m_gesd) m_gesd->showResult(m_shown.gesd, m_gesdSettings);
    if (m_plot) m_plot->refresh(m_shown.plot);
    if (m_allResults && m_analysis) m_allResults->showResults(allResults(*m_analysis, m_shown));
    if (m_sampleAge) m_sampleAge->showAges(m_shown.sampleAge);
}

void frmDIX::showAllResults() {
    if (m_analysis) showOwned(m_allResults, [this] { return new frmAllResults(this); });
}

void frmDIX::copyAllResults() {
    if (m_analysis) m_platform.setClipboardText(allResultsText(allResults(*m_analysis, m_shown)));
}

void frmDIX::showSampleAge() {
    if (m_analysis && m_analysis->ages())
        showOwned(m_sampleAge, [this] { return new frmSampleAge(this); });
}

void frmDIX::copySampleAge() {
    if (m_analysis && m_analysis->ages())
        m_platform.setClipboardText(sampleAgeText(m_shown.sampleAge));
}

void frmDIX::declareSecondField(UncertaintyKind kind) {
    if (!m_analysis) return;
    // Every analysis of the history shares the data set, so the rows refuse them all alike; the
    // history is changed only once each has taken the declaration.
    std::optional<Refusal> refused;
    const auto declared = [&](const Analysis& analysis) {
        Outcome<Analysis> outcome = analysis.declaring(kind);
        if (Analysis* taken = std::get_if<Analysis>(&outcome)) return std::move(*taken);
        if (!refused) refused = std::get<Refusal>(std::move(outcome));
        return analysis;
    };
    Analysis now = declared(*m_analysis);
    UndoHistory<Rejection> history = m_history;
    if (!refused) history.forEach([&](Rejection& r) { r.analysis = declared(r.analysis); });
    if (refused) {
        m_platform.showWarning(refused->title, refused->message);
        updateCommands();  // the check mark back on what the data set states
        return;
    }
    m_analysis = std::move(now);
    m_history = std::move(history);
    Present_Values();
}

frmPlot* frmDIX::plotWindow() const { return m_plot; }

void frmDIX::showPlot() {
    showOwned(m_plot, [this] { return new frmPlot(m_platform, this); });
}

}  // namespace sifton
