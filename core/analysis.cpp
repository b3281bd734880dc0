#include "core/analysis.h"

#include <utility>

namespace sifton {
namespace {

std::optional<FtSummary> countsUnderTest(const DataSet& data, const Sample& sample) {
    if (!data.counts) return std::nullopt;
    std::vector<GrainCount> grains;
    const std::vector<GrainCount>& all = data.counts->grains;
    for (int row = 1; row <= static_cast<int>(all.size()); ++row)
        if (sample.underTest(row)) grains.push_back(all[static_cast<std::size_t>(row - 1)]);
    auto computed = fissionTrackStatistics(data.counts->calibration(), grains);
    if (FtSummary* summary = std::get_if<FtSummary>(&computed)) return std::move(*summary);
    return std::nullopt;
}

}  // namespace

Analysis Analysis::of(std::shared_ptr<const DataSet> data, TableSource& tables) {
    Analysis a;
    a.m_sample.values.reserve(data->rows.size());
    for (const DataRow& row : data->rows) a.m_sample.values.push_back(row.value1);
    a.m_sample.rejected.assign(a.m_sample.values.size(), 0);
    a.m_data = std::move(data);
    a.m_results = calculate(a.m_sample, tables);
    a.deriveAges();
    return a;
}

std::optional<Analysis> Analysis::rejecting(Extreme extreme, TableSource& tables) const {
    const Statistics& st = m_results.statistics;
    if (st.n <= 3) return std::nullopt;
    const int row = extreme == Extreme::Largest ? st.maxRow : st.minRow;
    Analysis a;
    a.m_data = m_data;
    a.m_sample = m_sample;
    a.m_sample.rejected[static_cast<std::size_t>(row - 1)] = 1;
    a.m_rejectedRows = m_rejectedRows;
    a.m_rejectedRows.push_back(row);
    a.m_results = calculate(a.m_sample, tables);
    a.deriveAges();
    a.m_before = std::make_shared<const Analysis>(*this);
    return a;
}

Outcome<Analysis> Analysis::declaring(UncertaintyKind kind) const {
    Outcome<DataSet> data = declaringUncertainty(*m_data, kind);
    if (auto* refused = std::get_if<Refusal>(&data)) return std::move(*refused);
    return withData(std::make_shared<const DataSet>(std::move(std::get<DataSet>(data))));
}

Analysis Analysis::withData(std::shared_ptr<const DataSet> data) const {
    Analysis a = *this;
    a.m_data = data;
    a.deriveAges();
    if (m_before) a.m_before = std::make_shared<const Analysis>(m_before->withData(data));
    return a;
}

void Analysis::deriveAges() {
    m_ages = sampleAges(*m_data, m_sample, m_results.statistics);
    m_fissionTracks = countsUnderTest(*m_data, m_sample);
}

std::vector<int> Analysis::rowsUnderTest() const {
    std::vector<int> rows;
    for (int row = 1; row <= RowCount(); ++row)
        if (m_sample.underTest(row)) rows.push_back(row);
    return rows;
}

Rejections rejectInTurn(Analysis analysis, const std::vector<Extreme>& sequence,
                        TableSource& tables) {
    Rejections r{std::move(analysis)};
    for (const Extreme extreme : sequence) {
        std::optional<Analysis> next = r.analysis.rejecting(extreme, tables);
        if (!next) break;
        r.analysis = std::move(*next);
        ++r.made;
    }
    return r;
}

GesdView runGesd(const Analysis& analysis, const GesdSettings& settings) {
    GesdView view;
    std::vector<double> values;
    std::vector<int> rowOf;
    const Sample& sample = analysis.sample();
    for (int i = 1; i <= static_cast<int>(sample.values.size()); ++i)
        if (sample.underTest(i)) values.push_back(sample.values[i - 1]), rowOf.push_back(i);
    view.n = static_cast<int>(values.size());
    const int k = settings.k > 0 ? settings.k : gesdDefaultK(view.n);
    view.result = gesdScreen(values, settings.alpha, k);
    for (const GesdStep& step : view.result.steps)
        view.rows.push_back(rowOf[static_cast<std::size_t>(step.index)]);
    return view;
}

}  // namespace sifton
