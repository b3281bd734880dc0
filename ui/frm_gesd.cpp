#include "ui/frm_gesd.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/number_text.h"

namespace sifton {
namespace {

QString number(double value, int decimals) { return QString::number(value, 'f', decimals); }

}  // namespace

frmGesd::frmGesd(QWidget* parent, std::function<void(const GesdSettings&)> changed)
    : QWidget(parent, Qt::Tool), m_changed(std::move(changed)) {
    setObjectName(QStringLiteral("frmGesd"));
    setWindowTitle(QStringLiteral("Several Outliers"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Generalized ESD screen (Rosner 1983): tests for up to k outliers at "
                       "once, at both ends of the data (two-sided). Each step removes the value "
                       "farthest from the mean of the values still in; the outliers are the "
                       "values removed up to the last step whose R exceeds its lambda."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("alpha:"), this));
    m_alpha = new QComboBox(this);
    m_alpha->setObjectName(QStringLiteral("cboGesdAlpha"));
    for (double alpha : kGesdAlphas)
        m_alpha->addItem(QString::fromStdString(alphaText(alpha)), alpha);
    controls->addWidget(m_alpha);
    controls->addWidget(new QLabel(QStringLiteral("largest number of outliers k:"), this));
    m_k = new QSpinBox(this);
    m_k->setObjectName(QStringLiteral("spnGesdK"));
    controls->addWidget(m_k);
    controls->addStretch();
    layout->addLayout(controls);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblGesdSummary"));
    layout->addWidget(m_summary);
    m_table = new QTableWidget(0, 6, this);
    m_table->setObjectName(QStringLiteral("tblGesdSteps"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("i"), QStringLiteral("Row"),
                                        QStringLiteral("Value"), QStringLiteral("R"),
                                        QStringLiteral("lambda"), QStringLiteral("Outlier")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblGesdNote"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);
    resize(640, 420);

    connect(m_alpha, &QComboBox::currentIndexChanged, this, [this] { settingsPicked(); });
    connect(m_k, &QSpinBox::valueChanged, this, [this] { settingsPicked(); });
}

void frmGesd::settingsPicked() {
    if (m_filling || !m_changed) return;
    m_changed(GesdSettings{m_alpha->currentData().toDouble(), m_k->value()});
}

void frmGesd::showResult(const GesdView& view, const GesdSettings& settings) {
    m_filling = true;
    const GesdResult& r = view.result;
    m_alpha->setCurrentIndex(std::max(0, m_alpha->findData(settings.alpha)));
    m_k->setRange(r.ran() ? 1 : 0, r.ran() ? gesdMaxK(view.n) : 0);
    m_k->setValue(r.k);
    m_k->setEnabled(r.ran());
    m_table->setRowCount(static_cast<int>(r.steps.size()));
    for (size_t i = 0; i < r.steps.size(); ++i) {
        const GesdStep& step = r.steps[i];
        const QStringList cells = {QString::number(step.i),
                                   QString::number(view.rows[i]),
                                   QString::fromStdString(generalNumberText(step.value)),
                                   number(step.R, 3),
                                   number(step.lambda, 3),
                                   QString::fromStdString(gesdStepVerdict(r, i))};
        const bool deciding = step.i == r.outliers;
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c < 5) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            QFont font = item->font();
            font.setBold(deciding);
            item->setFont(font);
            m_table->setItem(static_cast<int>(i), c, item);
        }
    }
    const std::string cut = gesdKCutNote(view, settings.k);
    m_summary->setText(!r.ran() ? QStringLiteral("Not run: the screen needs at least 6 values.")
                                : QStringLiteral("n = %1, alpha = %2, k = %3: %4 outlier(s).%5")
                                      .arg(view.n)
                                      .arg(QString::fromStdString(alphaText(r.alpha)))
                                      .arg(r.k)
                                      .arg(r.outliers)
                                      .arg(QString::fromStdString(cut.empty() ? "" : " " + cut)));
    m_note->setText(QString::fromStdString(gesdSmallSampleNote(view)));
    m_filling = false;
}

}  // namespace sifton
