#include "ui/frm_all_results.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sifton {

frmAllResults::frmAllResults(QWidget* resultsWindow) : QWidget(resultsWindow, Qt::Tool) {
    setObjectName(QStringLiteral("frmAllResults"));
    setWindowTitle(QStringLiteral("All Results"));
    auto* layout = new QVBoxLayout(this);
    m_table = new QTableWidget(0, std::size(kResultColumns), this);
    m_table->setObjectName(QStringLiteral("tblAllResults"));
    QStringList header;
    for (const char* column : kResultColumns) header << QString::fromUtf8(column);
    m_table->setHorizontalHeaderLabels(header);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_table);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblAllResultsNote"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);
    resize(1040, 600);
}

void frmAllResults::showResults(const AllResults& results) {
    m_table->setRowCount(static_cast<int>(results.rows.size()));
    for (int r = 0; r < static_cast<int>(results.rows.size()); ++r) {
        const ResultRow& row = results.rows[static_cast<std::size_t>(r)];
        const std::string* cells[] = {&row.section, &row.quantity, &row.of, &row.value, &row.note};
        for (int c = 0; c < 5; ++c) {
            m_table->setItem(r, c, new QTableWidgetItem(QString::fromStdString(*cells[c])));
        }
    }
    m_note->setText(QString::fromStdString(results.note));
}

}  // namespace sifton
