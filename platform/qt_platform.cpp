#include "platform/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>
#include <memory>

namespace sifton {
namespace {

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

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

// A deep copy of whatever the clipboard holds, to put it back after a failed write.
std::unique_ptr<QMimeData> copyOf(const QMimeData* data) {
    auto copy = std::make_unique<QMimeData>();
    if (data == nullptr) return copy;
    for (const QString& format : data->formats()) copy->setData(format, data->data(format));
    return copy;
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
    box.exec();
}

std::optional<std::string> QtPlatform::openFileDialog(const FileDialogSettings& settings) {
    QStringList filters;
    for (const auto& [description, pattern] : settings.filters)
        filters << qtNameFilter(description, pattern);
    QFileDialog dialog(QApplication::activeWindow(), QString(), fromUtf8(settings.initialFolder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (settings.selectedFilter >= 1 && settings.selectedFilter <= filters.size())
        dialog.selectNameFilter(filters.at(settings.selectedFilter - 1));
    if (!settings.fileName.empty()) dialog.selectFile(fromUtf8(settings.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

std::string QtPlatform::clipboardText() {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard).toStdString();
}

bool QtPlatform::setClipboardText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString wanted = fromUtf8(text);
    std::unique_ptr<QMimeData> before = copyOf(clipboard->mimeData(QClipboard::Clipboard));
    clipboard->setText(wanted, QClipboard::Clipboard);
    if (clipboard->text(QClipboard::Clipboard) == wanted) return true;
    // The write did not take: never leave a part of it behind.
    clipboard->setMimeData(before.release(), QClipboard::Clipboard);
    return false;
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
    const QUrl url = text.contains(QStringLiteral("://")) ? QUrl(text) : QUrl::fromLocalFile(text);
    return QDesktopServices::openUrl(url);
}

}  // namespace sifton
