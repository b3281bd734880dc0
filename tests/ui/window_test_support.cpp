#include "window_test_support.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "core/number_text.h"
#include "core/tables.h"
#include "tests/support/scripted_platform.h"
#include "ui/frm_dix.h"
#include "ui/frm_start.h"

namespace sifton::test {

Analysis analysed(const std::vector<double>& values, const std::vector<Extreme>& rejections) {
    auto data = std::make_shared<DataSet>();
    data->DataFileName = "/data/ridge.csv";
    data->Locality = "Kestrel Ridge", data->LocalityM = "KR-07", data->StratAge = "Late Cretaceous";
    for (double v : values) data->rows.push_back(DataRow{v, 1.0, "grain"});
    FolderTables tables(SIFTON_SOURCE_DIR "/data", false);
    Rejections r = rejectInTurn(Analysis::of(data, tables), rejections, tables);
    EXPECT_EQ(r.made, rejections.size());
    return std::move(r.analysis);
}

TableFolder::TableFolder() {
    for (const char* table : {"grubbs.dat", "dixon.dat", "gauss-g.dat"}) restore(table);
}

void TableFolder::remove(const std::string& name) const {
    QFile::remove(QString::fromStdString(file(name)));
}

void TableFolder::restore(const std::string& name) const {
    QFile::copy(QString::fromStdString(SIFTON_SOURCE_DIR "/data/" + name),
                QString::fromStdString(file(name)));
}

std::string writeDataFile(const std::string& path, const std::vector<double>& values,
                          const std::string& header) {
    std::ofstream out(path, std::ios::binary);
    out << header << "\r\n";
    for (size_t i = 0; i < values.size(); ++i)
        out << generalNumberText(values[i]) << ",1,grain " << i + 1 << "\r\n";
    return path;
}

frmDIX* startAndOpen(ScriptedPlatform& platform, const TableFolder& tables, const std::string& file,
                     const std::vector<double>& values) {
    platform.folder = tables.path();
    QPointer<frmStart> start = Main(platform);
    platform.dialogAnswers.push_back(writeDataFile(tables.file(file), values));
    trigger(start, "cmdOpen");
    auto* w = qobject_cast<frmDIX*>(topLevel("frmDIX"));
    return w && w->isVisible() ? w : nullptr;
}

void trigger(QWidget* window, const char* name) {
    if (auto* b = window->findChild<QPushButton*>(name))
        return QTest::mouseClick(b, Qt::LeftButton);
    window->findChild<QAction*>(name)->trigger();
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

LabelView label(const QWidget* window, const char* name) {
    const auto* l = window->findChild<QLabel*>(name);
    if (l == nullptr) return {std::string("<no label ") + name + ">", {}, false};
    return {l->text().toStdString(),
            l->autoFillBackground() ? l->palette().color(QPalette::Window) : QColor(),
            l->isVisibleTo(window)};
}

}  // namespace sifton::test
