// The import dialog: asked when a data file or pasted cells can be read more than one way, and
// when a file's header names its second field an uncertainty. One sentence says what is unclear;
// each answer is a choice, with a preview of the rows it gives; OK takes the chosen one, Cancel
// loads nothing. Nothing is saved.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/input.h"
#include "ui/import_preview.h"

class QButtonGroup;
class QLabel;
class QTableWidget;

namespace sifton {

class frmImport : public QDialog {
  public:
    // What the answer at an index gives, for the preview.
    using Preview = std::function<ImportPreview(int option)>;

    frmImport(QWidget* parent, const QString& title, const std::string& sentence,
              const std::vector<std::string>& options, Preview preview);

    // The index of the chosen answer.
    int chosen() const;
    // Show the dialog and wait: the chosen answer, or nothing when the user cancelled.
    static std::optional<ReadingChoice> askAboutFile(QWidget* parent, const std::string& path,
                                                     const ImportQuestion& question);
    static std::optional<ReadingChoice> askAboutPaste(QWidget* parent, const std::string& text,
                                                      const ImportQuestion& question);
    static std::optional<UncertaintyKind> askAboutUncertainty(QWidget* parent, const DataSet& data,
                                                              const UncertaintyQuestion& question);

  private:
    void showPreview(int option);
    static std::optional<ReadingChoice> ask(
        const QString& title, QWidget* parent, const ImportQuestion& question,
        const std::function<ImportPreview(const ReadingChoice&)>& preview);

    Preview m_previewOf;
    QButtonGroup* m_options = nullptr;
    QTableWidget* m_preview = nullptr;
    QLabel* m_note = nullptr;
};

}  // namespace sifton
