// Shared pieces of the UI tests: analyses, a table folder, data files, windows and labels.
#pragma once

#include <QColor>
#include <QTemporaryDir>
#include <QWidget>
#include <string>
#include <vector>

#include "core/analysis.h"

namespace sifton {
class frmDIX;
class ScriptedPlatform;
}  // namespace sifton

namespace sifton::test {

// The values as rows of /data/ridge.csv ("Kestrel Ridge,KR-07,Late Cretaceous"), then rejected.
Analysis analysed(const std::vector<double>& values, const std::vector<Extreme>& rejections = {});

// A temporary folder holding the project's grubbs.dat, dixon.dat and gauss-g.dat.
class TableFolder {
  public:
    TableFolder();
    std::string path() const { return m_dir.path().toStdString(); }
    std::string file(const std::string& name) const { return path() + "/" + name; }
    void remove(const std::string& name) const;
    void restore(const std::string& name) const;  // the project's copy again, if it is missing

  private:
    QTemporaryDir m_dir;
};

// The header line, then one line "value,1,grain i" per value.
std::string writeDataFile(const std::string& path, const std::vector<double>& values,
                          const std::string& header = "Kestrel Ridge,KR-07,Late Cretaceous");

// Starts the program in `tables`' folder and opens `values` as `file` there through the start
// window; the results window when it is shown, else nullptr.
frmDIX* startAndOpen(ScriptedPlatform& platform, const TableFolder& tables, const std::string& file,
                     const std::vector<double>& values);
// Clicks the push button `name` of `window`, or else triggers its action `name`.
void trigger(QWidget* window, const char* name);

QWidget* topLevel(const QString& objectName);  // after pending deletions ran; nullptr if none
void destroyAllWindows();

// A label's text, the background it paints (invalid when none) and whether it is shown.
struct LabelView {
    std::string text;
    QColor background;
    bool shown = false;
};
LabelView label(const QWidget* window, const char* name);

}  // namespace sifton::test
