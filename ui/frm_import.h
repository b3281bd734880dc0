// The import dialog: asked when a data file or pasted cells can be read more than one way. One
// sentence says what is unclear; each reading is a choice, with a preview of the rows it gives;
// OK loads the chosen one, Cancel loads nothing. Nothing is saved.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "core/input.h"
#include "ui/import_preview.h"

class QButtonGroup;
class QLabel;
class QTableWidget;

namespace sifton {

class frmImport : public QDialog {
  public:
    // What a reading gives, for the preview.
    using Preview = std::function<ImportPreview(const ReadingChoice&)>;

    frmImport(QWidget* parent, const QString& title, ImportQuestion question, Preview preview);

    // The answers of the chosen reading.
    const ReadingChoice& chosen() const;
    // Shows the dialog and waits: the chosen reading, or nothing when the user cancelled.
    static std::optional<ReadingChoice> askAboutFile(QWidget* parent, const std::string& path,
                                                     const ImportQuestion& question);
    static std::optional<ReadingChoice> askAboutPaste(QWidget* parent, const std::string& text,
                                                      const ImportQuestion& question);

  private:
    void showPreview(int option);
    static std::optional<ReadingChoice> ask(frmImport& dialog);

    ImportQuestion m_question;
    Preview m_previewOf;
    QButtonGroup* m_options = nullptr;
    QTableWidget* m_preview = nullptr;
    QLabel* m_note = nullptr;
};

}  // namespace sifton
