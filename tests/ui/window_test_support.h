// Shared pieces of the window tests: a table folder with the three critical-value tables, data
// files written on the fly, a fresh store per test and access to the windows by name.
#pragma once

#include <QLabel>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <ostream>
#include <string>
#include <vector>

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace sifton::test {

// A temporary folder holding grubbs.dat, dixon.dat and gauss-g.dat, copied from the project's
// data folder (a small stand-in is written for a table that is not there yet).
class TableFolder {
  public:
    TableFolder();
    std::string path() const { return m_dir.path().toStdString(); }
    std::string file(const std::string& name) const { return path() + "/" + name; }
    void remove(const std::string& tableName) const;

  private:
    QTemporaryDir m_dir;
};

// Writes a data file: the header line, then one line "value,1,grain i" per value.
std::string writeDataFile(const std::string& folder, const std::string& name,
                          const std::string& header, const std::vector<double>& values);

// Values joined as a spreadsheet copies one column: each followed by CR LF.
std::string clipboardColumn(const std::vector<double>& values);

// Empties the store as at program start and points it at the table folder.
void freshStore(const std::string& tableFolder);

// The top-level window of that object name, after pending deletions ran; nullptr if none.
QWidget* topLevel(const QString& objectName);

// Closes and destroys every top-level window, so each test starts without windows.
void destroyAllWindows();

QString labelText(const QWidget* window, const char* name);
QColor labelBackground(const QWidget* window, const char* name);
bool labelShown(const QWidget* window, const char* name);

}  // namespace sifton::test
