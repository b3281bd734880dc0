// The "Sample Age" window (View > Sample Age): the statistics of the ages under test with their
// uncertainties and every value's residual, as sampleAgeView (sample_age_view.h) gives them. The
// results window owns it and feeds it after every run; its copy command copies this window's
// text here.
#pragma once

#include <QWidget>

#include "ui/sample_age_view.h"

class QLabel;
class QTableWidget;

namespace sifton {

class frmSampleAge : public QWidget {
  public:
    explicit frmSampleAge(QWidget* resultsWindow);

    void showAges(const SampleAgeView& view);

  private:
    QLabel* m_note = nullptr;
    QTableWidget* m_summary = nullptr;
    QTableWidget* m_values = nullptr;
};

}  // namespace sifton
