// The "All Results" window (View > All Results): every number the last run produced, one row
// each, with the note on reading four tests at once. The results window owns it and refreshes it
// after every run; its copy command copies this table here, as "Copy All Results" does anywhere.
#pragma once

#include <QWidget>

#include "ui/all_results.h"

class QLabel;
class QTableWidget;

namespace sifton {

class frmAllResults : public QWidget {
  public:
    explicit frmAllResults(QWidget* resultsWindow);

    void showResults(const AllResults& results);

  private:
    QTableWidget* m_table = nullptr;
    QLabel* m_note = nullptr;
};

}  // namespace sifton
