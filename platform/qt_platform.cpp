#include "platform/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QMimeDatabase>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace sifton {
namespace {

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

// Whether the desktop names a program for a MIME type. Where the freedesktop tools are not there
// (another platform, or a desktop without them), Qt's own opening decides.
bool hasDefaultProgram(const QString& mimeType) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb") &&
        QGuiApplication::platformName() != QStringLiteral("wayland"))
        return true;
    if (mimeType.startsWith(QStringLiteral("x-scheme-handler/")) &&
        qEnvironmentVariableIsSet("BROWSER"))
        return true;
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit) return true;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

QStringList expandedPatterns(const std::string& pattern) {
    QStringList result;
    const QStringList parts =
        fromUtf8(pattern).split(QRegularExpression(QStringLiteral("[ ;]+")), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QStringLiteral("*.*")) {
            result << QStringLiteral("*");
            continue;
        }
        for (const QString& variant : {part, part.toLower(), part.toUpper()})
            if (!result.contains(variant)) result << variant;
    }
    return result;
}

}  // namespace

QString qtNameFilter(const std::string& description, const std::string& pattern) {
    QString text = fromUtf8(description).trimmed();
    const QString written = QStringLiteral("(") + fromUtf8(pattern) + QStringLiteral(")");
    if (text.endsWith(written)) text = text.left(text.size() - written.size()).trimmed();
    return text + QStringLiteral(" (") + expandedPatterns(pattern).join(QLatin1Char(' ')) +
           QStringLiteral(")");
}

void QtPlatform::showWarning(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Warning, fromUtf8(title), fromUtf8(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);  // paths and lines can be copied
    box.exec();
}

namespace {

// Runs a file dialog set up as the settings say, after 'configure' has had its say; the chosen
// file, or nothing when the user cancelled.
template <typename Configure>
std::optional<std::string> runFileDialog(const FileDialogSettings& settings,
                                         QFileDialog::AcceptMode mode, Configure configure) {
    QStringList filters;
    for (const auto& [description, pattern] : settings.filters)
        filters << qtNameFilter(description, pattern);
    QFileDialog dialog(QApplication::activeWindow(), QString(), fromUtf8(settings.initialFolder));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    configure(dialog, filters);
    if (settings.selectedFilter >= 1 && settings.selectedFilter <= filters.size())
        dialog.selectNameFilter(filters.at(settings.selectedFilter - 1));
    if (!settings.fileName.empty()) dialog.selectFile(fromUtf8(settings.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

}  // namespace

std::optional<std::string> QtPlatform::openFileDialog(const FileDialogSettings& settings) {
    return runFileDialog(settings, QFileDialog::AcceptOpen,
                         [](QFileDialog&, const QStringList&) {});
}

std::optional<std::string> QtPlatform::saveFileDialog(const FileDialogSettings& settings) {
    // A name typed without an ending gets the one of the filter chosen at that moment.
    auto endingOf = [&settings](int index) {
        if (index < 0 || index >= static_cast<int>(settings.filters.size())) return QString();
        const QString pattern = fromUtf8(settings.filters[static_cast<size_t>(index)].second);
        static const QRegularExpression single(QStringLiteral("^\\*\\.(\\w+)$"));
        return single.match(pattern).captured(1);
    };
    return runFileDialog(
        settings, QFileDialog::AcceptSave, [&](QFileDialog& dialog, const QStringList& filters) {
            QObject::connect(
                &dialog, &QFileDialog::filterSelected, &dialog,
                [&dialog, &filters, endingOf](const QString& f) {
                    dialog.setDefaultSuffix(endingOf(static_cast<int>(filters.indexOf(f))));
                });
            dialog.setDefaultSuffix(endingOf(settings.selectedFilter - 1));
        });
}

std::string QtPlatform::clipboardText() {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard).toStdString();
}

bool QtPlatform::setClipboardText(const std::string& text) {
    // What the clipboard held is never read: its owner may be another program that does not
    // answer, and every read would wait for it. Whether the write took shows in whose data the
    // clipboard now hands out, which asks nothing of that program.
    QClipboard* clipboard = QGuiApplication::clipboard();
    auto* data = new QMimeData;
    data->setText(fromUtf8(text));
    const QPointer<QMimeData> written = data;
    clipboard->setMimeData(data, QClipboard::Clipboard);  // the clipboard owns it from here on
    return written != nullptr && clipboard->mimeData(QClipboard::Clipboard) == written;
}

std::string QtPlatform::executableFolder() {
    return QCoreApplication::applicationDirPath().toStdString();
}

Date QtPlatform::today() {
    const QDate date = QDate::currentDate();
    return Date{date.year(), date.month(), date.day()};
}

bool QtPlatform::openExternal(const std::string& target) {
    const QString text = fromUtf8(target);
    const bool web = text.contains(QStringLiteral("://"));
    const QUrl url = web ? QUrl(text) : QUrl::fromLocalFile(text);
    if (!web && !QFileInfo(text).isFile()) return false;
    // On X11 desktops Qt hands the target to xdg-open and counts its start as success, even when
    // no program is set up for the type; ask the desktop's own table first.
    if (!hasDefaultProgram(web ? QStringLiteral("x-scheme-handler/") + url.scheme()
                               : QMimeDatabase().mimeTypeForFile(text).name()))
        return false;
    return QDesktopServices::openUrl(url);
}

}  // namespace sifton
