#include "ui/frm_import.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/import_preview.h"

namespace sifton {
namespace {

constexpr int kPreviewRows = 6;

}  // namespace

frmImport::frmImport(QWidget* parent, const QString& title, const std::string& sentence,
                     const std::vector<std::string>& options, Preview preview)
    : QDialog(parent), m_previewOf(std::move(preview)) {
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(QString::fromStdString(sentence), this);
    question->setObjectName(QStringLiteral("lblQuestion"));
    question->setWordWrap(true);
    layout->addWidget(question);

    m_options = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(options.size()); ++i) {
        auto* button =
            new QRadioButton(QString::fromStdString(options[static_cast<size_t>(i)]), this);
        button->setObjectName(QStringLiteral("optReading_%1").arg(i));
        m_options->addButton(button, i);
        layout->addWidget(button);
    }
    m_preview = new QTableWidget(0, 3, this);
    m_preview->setObjectName(QStringLiteral("tblPreview"));
    m_preview->setHorizontalHeaderLabels(
        {QStringLiteral("Row"), QStringLiteral("Value"), QStringLiteral("Second field")});
    m_preview->verticalHeader()->hide();
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setFocusPolicy(Qt::NoFocus);
    m_preview->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_preview);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblPreviewNote"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_options, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) showPreview(id);
    });
    if (auto* first = m_options->button(0)) {
        first->setChecked(true);
        first->setFocus();
    }
    resize(520, 380);
}

int frmImport::chosen() const { return std::max(0, m_options->checkedId()); }

void frmImport::showPreview(int option) {
    const ImportPreview p = m_previewOf(option);
    m_preview->setRowCount(static_cast<int>(p.rows.size()));
    for (int r = 0; r < static_cast<int>(p.rows.size()); ++r)
        for (int c = 0; c < 3; ++c) {
            auto* item =
                new QTableWidgetItem(QString::fromStdString(p.rows[static_cast<size_t>(r)][c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_preview->setItem(r, c, item);
        }
    m_note->setText(QString::fromStdString(p.note));
}

std::optional<ReadingChoice> frmImport::ask(
    const QString& title, QWidget* parent, const ImportQuestion& question,
    const std::function<ImportPreview(const ReadingChoice&)>& preview) {
    std::vector<std::string> labels;
    for (const ReadingOption& option : question.options) labels.push_back(option.label);
    // Questions the chosen reading still leaves open take their likelier answer in the preview;
    // the dialog asks them after OK.
    frmImport dialog(parent, title, question.sentence, labels, [&](int option) {
        return preview(question.options[static_cast<size_t>(option)].choice);
    });
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return question.options[static_cast<size_t>(dialog.chosen())].choice;
}

std::optional<ReadingChoice> frmImport::askAboutFile(QWidget* parent, const std::string& path,
                                                     const ImportQuestion& question) {
    return ask(QStringLiteral("Read the data file"), parent, question,
               [&path](const ReadingChoice& choice) {
                   return importPreview(path, readDataFile(path, choice, true), kPreviewRows);
               });
}

std::optional<ReadingChoice> frmImport::askAboutPaste(QWidget* parent, const std::string& text,
                                                      const ImportQuestion& question) {
    return ask(QStringLiteral("Read the pasted cells"), parent, question,
               [&text](const ReadingChoice& choice) {
                   return pastePreview(parseClipboardText(text, choice, true), kPreviewRows);
               });
}

std::optional<UncertaintyKind> frmImport::askAboutUncertainty(QWidget* parent, const DataSet& data,
                                                              const UncertaintyQuestion& question) {
    frmImport dialog(parent, QStringLiteral("Read the data file"), question.sentence,
                     question.labels, [&](int option) {
                         return uncertaintyPreview(
                             data, question.kinds[static_cast<size_t>(option)], kPreviewRows);
                     });
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return question.kinds[static_cast<size_t>(dialog.chosen())];
}

}  // namespace sifton
