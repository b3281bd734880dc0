#include "window_test_support.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <fstream>
#include <sstream>

#include "core/number_text.h"
#include "core/store.h"

namespace sifton::test {
namespace {

// Stand-ins with critical values in the right order of size; the tests only rely on classes
// that any sound table gives (a gross outlier, a value inside the crowd).
std::string standInTable(const std::string& name) {
    std::ostringstream out;
    if (name == "dixon.dat") {
        out << "n,r 10%,r 5%,r 2%,r 1%,r 0.5%\n";
        for (int n = 3; n <= 25; ++n) out << n << ",500,600,700,800,900\n";
    } else if (name == "grubbs.dat") {
        out << "n,G 10%,G 7.5%,G 5%,G 2.5%,G 1%\n";
        for (int n = 3; n <= 100; ++n) out << n << ",1.1,1.12,1.14,1.145,1.15\n";
    } else {
        out << "n,g 5%\n";
        for (int n = 3; n <= 50; ++n) out << n << ",4\n";
    }
    return out.str();
}

}  // namespace

TableFolder::TableFolder() {
    for (const char* name : {"grubbs.dat", "dixon.dat", "gauss-g.dat"}) {
        const QString source = QStringLiteral(SIFTON_SOURCE_DIR "/data/") + name;
        const QString target = QString::fromStdString(file(name));
        if (!QFile::copy(source, target)) std::ofstream(file(name)) << standInTable(name);
    }
}

void TableFolder::remove(const std::string& tableName) const {
    QFile::remove(QString::fromStdString(file(tableName)));
}

std::string writeDataFile(const std::string& folder, const std::string& name,
                          const std::string& header, const std::vector<double>& values) {
    const std::string path = folder + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out << header << "\r\n";
    for (size_t i = 0; i < values.size(); ++i)
        out << generalNumberText(values[i]) << ",1,grain " << i + 1 << "\r\n";
    return path;
}

std::string clipboardColumn(const std::vector<double>& values) {
    std::string text;
    for (double v : values) text += generalNumberText(v) + "\r\n";
    return text;
}

void freshStore(const std::string& tableFolder) {
    store() = SampleStore{};
    store().TableFolder = tableFolder;
    store().HelpFolder = tableFolder;
}

QWidget* topLevel(const QString& objectName) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName) return w;
    return nullptr;
}

void destroyAllWindows() {
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->parentWidget() == nullptr) windows << w;
    for (const QPointer<QWidget>& w : windows) delete w.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString labelText(const QWidget* window, const char* name) {
    const auto* label = window->findChild<QLabel*>(QString::fromUtf8(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(name);
}

QColor labelBackground(const QWidget* window, const char* name) {
    const auto* label = window->findChild<QLabel*>(QString::fromUtf8(name));
    if (label == nullptr || !label->autoFillBackground()) return {};
    return label->palette().color(QPalette::Window);
}

bool labelShown(const QWidget* window, const char* name) {
    const auto* label = window->findChild<QLabel*>(QString::fromUtf8(name));
    return label != nullptr && label->isVisibleTo(window);
}

}  // namespace sifton::test
