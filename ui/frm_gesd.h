// The "Several Outliers" window: one row per step of the generalized ESD screen over the values
// under test, the alpha and k in force (both adjustable here) and the note for small data sets.
// Ctrl+C copies the table.
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
    // 'changed' is called with the new settings whenever the user picks another alpha or k;
    // 'copy' with the table as text when the user copies it (Ctrl+C).
    frmGesd(QWidget* parent, std::function<void(const GesdSettings&)> changed,
            std::function<void(const std::string&)> copy);

    // Shows the screen's result for the current data set with the settings that produced it.
    void showResult(const GesdView& view, const GesdSettings& settings);

  private:
    void settingsPicked();

    std::function<void(const GesdSettings&)> m_changed;
    std::function<void(const std::string&)> m_copy;
    std::string m_tableText;  // what Ctrl+C copies
    QComboBox* m_alpha = nullptr;
    QSpinBox* m_k = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_note = nullptr;
    QTableWidget* m_table = nullptr;
    bool m_filling = false;  // no 'changed' while the controls are set from a result
};

}  // namespace sifton
