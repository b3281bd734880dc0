// The "Several Outliers" window: one row per step of the generalized ESD screen over the values
// under test, the alpha and k in force (both adjustable here) and the note for small data sets.
// The results window's keys work here; its copy command copies this window's table here.
// The results window owns it, feeds it after every run and keeps the chosen settings.
#pragma once

#include <QWidget>
#include <functional>

#include "ui/gesd_view.h"

class QComboBox;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace sifton {

class frmGesd : public QWidget {
  public:
    // 'changed' is called with the new settings whenever the user picks another alpha or k.
    frmGesd(QWidget* parent, std::function<void(const GesdSettings&)> changed);

    // Shows the screen's result for the current data set with the settings that produced it.
    void showResult(const GesdView& view, const GesdSettings& settings);

  private:
    void settingsPicked();

    std::function<void(const GesdSettings&)> m_changed;
    QComboBox* m_alpha = nullptr;
    QSpinBox* m_k = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_note = nullptr;
    QTableWidget* m_table = nullptr;
    bool m_filling = false;  // no 'changed' while the controls are set from a result
};

}  // namespace sifton
