// The import dialog: asked when a data file can be read more than one way. One sentence says
// what is unclear; each reading is a choice, with a preview of the rows it gives; OK loads the
// chosen one, Cancel loads nothing. Nothing is saved.
#pragma once

#include <QDialog>
#include <optional>

#include "core/input.h"

class QButtonGroup;
class QLabel;
class QTableWidget;

namespace sifton {

class frmImport : public QDialog {
  public:
    frmImport(QWidget* parent, std::string path, ImportQuestion question);

    // The answers of the chosen reading.
    const ReadingChoice& chosen() const;
    // Shows the dialog and waits: the chosen reading, or nothing when the user cancelled.
    static std::optional<ReadingChoice> ask(QWidget* parent, const std::string& path,
                                            const ImportQuestion& question);

  private:
    void showPreview(int option);

    std::string m_path;
    ImportQuestion m_question;
    QButtonGroup* m_options = nullptr;
    QTableWidget* m_preview = nullptr;
    QLabel* m_note = nullptr;
};

}  // namespace sifton
