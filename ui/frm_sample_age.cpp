#include "ui/frm_sample_age.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/results_labels.h"

namespace sifton {
namespace {

QTableWidget* readOnlyTable(QWidget* parent, const char* name, int columns) {
    auto* table = new QTableWidget(0, columns, parent);
    table->setObjectName(QString::fromUtf8(name));
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(parent->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

}  // namespace

frmSampleAge::frmSampleAge(QWidget* resultsWindow) : QWidget(resultsWindow, Qt::Tool) {
    setObjectName(QStringLiteral("frmSampleAge"));
    setWindowTitle(QStringLiteral("Sample Age"));
    auto* layout = new QVBoxLayout(this);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblSampleAgeNote"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);
    m_summary = readOnlyTable(this, "tblSampleAgeSummary", 2);
    m_summary->horizontalHeader()->hide();
    m_summary->setShowGrid(false);
    m_summary->setFocusPolicy(Qt::NoFocus);
    m_summary->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_summary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(m_summary);
    m_values = readOnlyTable(this, "tblSampleAgeValues", 0);
    // The numbers close together, rather than the last column across the window.
    m_values->horizontalHeader()->setStretchLastSection(false);
    layout->addWidget(m_values, 1);
    resize(520, 660);
}

void frmSampleAge::showAges(const SampleAgeView& view) {
    m_note->setText(QString::fromStdString(view.note));
    m_note->setVisible(!view.note.empty());
    m_summary->setVisible(!view.lines.empty());
    m_summary->setRowCount(static_cast<int>(view.lines.size()));
    for (int r = 0; r < static_cast<int>(view.lines.size()); ++r) {
        const SampleAgeLine& line = view.lines[static_cast<std::size_t>(r)];
        auto* label = new QTableWidgetItem(QString::fromStdString(line.label));
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        m_summary->setItem(r, 0, label);
        m_summary->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(line.value)));
    }
    QStringList header;
    for (const std::string& column : view.columns) header << QString::fromStdString(column);
    m_values->setColumnCount(header.size());
    m_values->setHorizontalHeaderLabels(header);
    m_values->setRowCount(static_cast<int>(view.rows.size()));
    const QColor flagged(colour::kHighlight.red, colour::kHighlight.green, colour::kHighlight.blue);
    for (int r = 0; r < static_cast<int>(view.rows.size()); ++r) {
        const SampleAgeRow& row = view.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(row.cells.size()); ++c) {
            auto* item = new QTableWidgetItem(
                QString::fromStdString(row.cells[static_cast<std::size_t>(c)]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (row.beyondTwo) item->setBackground(flagged);
            m_values->setItem(r, c, item);
        }
    }
}

}  // namespace sifton
