#include "report_cli/report_output.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "core/outlier_tests.h"

namespace sifton::cli {
namespace {

constexpr std::string_view kOutlier = "outlier", kOk = "OK";

// After the other columns when uncertainties are declared: the kind as --uncertainty names it,
// the weighted mean, the central age and dispersion, and the residual of each extreme with its p.
constexpr std::array<std::string_view, 15> kAgeColumns = {
    "uncertainty", "weighted_mean", "weighted_mean_se", "mswd",       "chi2",          "df",
    "chi2_p",      "central_age",   "central_age_se",   "dispersion", "dispersion_se", "min_y",
    "min_y_p",     "max_y",         "max_y_p"};

// After the ages' columns when the run holds a count file: the calibration and the statistics of
// the grains under test, as "fission_tracks" in JSON.
constexpr std::array<std::string_view, 17> kCountColumns = {
    "ft_zeta",        "ft_zeta_se",        "ft_rhoD",
    "ft_rhoD_se",     "ft_sum_ns",         "ft_sum_ni",
    "ft_pooled_age",  "ft_pooled_age_se",  "ft_pooled_age_se_total",
    "ft_central_age", "ft_central_age_se", "ft_central_age_se_total",
    "ft_dispersion",  "ft_dispersion_se",  "ft_chi2",
    "ft_df",          "ft_chi2_p"};

std::string integer(long long value) { return std::to_string(value); }

std::string pCell(const PValue& p) { return p.known() ? shortestNumber(p.value) : ""; }
std::string boundCell(const PValue& p) { return p.known() ? (p.isBound() ? "true" : "false") : ""; }

std::string rejectedText(const std::vector<int>& rows) {
    std::string text;
    for (int row : rows) {
        if (!text.empty()) text += ' ';
        text += integer(row);
    }
    return text;
}

// A number that JSON would write as null (NaN: the MSWD of one value) is an empty cell.
std::string finiteCell(double value) { return std::isfinite(value) ? shortestNumber(value) : ""; }

// The ages' cells, in the order of their columns; empty without the ages.
void appendAgeCells(std::vector<std::string>& c, const std::optional<SampleAges>& ages) {
    if (!ages) {
        c.insert(c.end(), kAgeColumns.size(), "");
        return;
    }
    const WeightedMean& w = ages->statistics.weighted;
    c.insert(c.end(),
             {std::string(uncertaintyOptionName(ages->kind)), finiteCell(w.value), finiteCell(w.se),
              finiteCell(w.mswd), finiteCell(w.chi2), integer(w.df), finiteCell(w.p)});
    if (const std::optional<CentralAge>& central = ages->statistics.central)
        c.insert(c.end(), {finiteCell(central->age), finiteCell(central->se),
                           finiteCell(central->dispersion),
                           central->dispersionSe ? finiteCell(*central->dispersionSe) : ""});
    else
        c.insert(c.end(), 4, "");
    for (const ExtremeResidual& e : {ages->youngest, ages->oldest})
        c.insert(c.end(), {finiteCell(e.y), finiteCell(e.p)});
}

// The counts' cells, in the order of their columns; empty for a file that is no count file.
void appendCountCells(std::vector<std::string>& c, const FileReport& r) {
    if (!r.fissionTracks) {
        c.insert(c.end(), kCountColumns.size(), "");
        return;
    }
    const FtSummary& s = *r.fissionTracks;
    const CountCalibration& k = r.calibration;
    const FtAge& central = s.central.age;
    const std::optional<double>& dispersionSe = s.central.dispersionSe;
    c.insert(c.end(),
             {finiteCell(k.zeta), finiteCell(k.zetaSe), finiteCell(k.rhoD), finiteCell(k.rhoDSe),
              integer(s.sumNs), integer(s.sumNi), finiteCell(s.pooled.age), finiteCell(s.pooled.se),
              finiteCell(s.pooled.seTotal), finiteCell(central.age), finiteCell(central.se),
              finiteCell(central.seTotal), finiteCell(s.central.dispersion),
              dispersionSe ? finiteCell(*dispersionSe) : "", finiteCell(s.chi2), integer(s.df),
              finiteCell(s.p)});
}

// The cells of one file, in the order of columnNames(). A refused file fills the first two.
std::vector<std::string> rowCells(const FileReport& r, bool withAges, bool withCounts) {
    std::vector<std::string> c = {r.file, r.error};
    if (!r.error.empty()) {
        c.resize(columnNames(withAges, withCounts).size());
        return c;
    }
    const Results& res = r.results;
    const Statistics& st = res.statistics;
    c.insert(c.end(), {r.locality, r.code, r.age, integer(st.n), integer(r.rowsRead),
                       rejectedText(r.rejectedRows), shortestNumber(st.mean), shortestNumber(st.sd),
                       shortestNumber(st.se), shortestNumber(st.minValue), integer(st.minRow),
                       shortestNumber(st.maxValue), integer(st.maxRow)});
    for (const bool largest : {false, true}) {
        auto classed = [&c](bool ran, const ClassedStatistic& x) {
            if (!ran) return c.insert(c.end(), 4, ""), void();
            c.insert(c.end(), {shortestNumber(x.statistic), std::string(unpadded(x.cls)),
                               pCell(x.p), boundCell(x.p)});
        };
        classed(res.grubbs.ran, largest ? res.grubbs.max : res.grubbs.min);
        classed(res.dixon.ran, largest ? res.dixon.max : res.dixon.min);
        c.push_back(res.iqr.ran
                        ? std::string(unpadded(largest ? res.iqr.oldVerdict : res.iqr.youngVerdict))
                        : "");
        const GaussExtreme& g = largest ? res.gauss.max : res.gauss.min;
        if (res.gauss.ran)
            c.insert(c.end(), {shortestNumber(g.g), shortestNumber(res.gauss.critical),
                               std::string(g.outlier ? kOutlier : kOk), pCell(g.p)});
        else
            c.insert(c.end(), 4, "");
    }
    const IqrResult& q = res.iqr;
    for (double v : {q.q1, q.q3, q.lowerInner, q.upperInner, q.lowerOuter, q.upperOuter})
        c.push_back(q.ran ? shortestNumber(v) : "");
    std::string rows;
    for (int i = 0; i < r.gesd.outliers; ++i)
        rows += (i > 0 ? " " : "") + std::to_string(r.gesdRows[static_cast<std::size_t>(i)]);
    c.push_back(r.gesd.ran() ? std::to_string(r.gesd.outliers) : "");
    c.push_back(rows);
    if (withAges) appendAgeCells(c, r.ages);
    if (withCounts) appendCountCells(c, r);
    return c;
}

// Tab-separated: a tab, line end or backslash inside a field is written \t, \n, \r, \\.
void appendTsv(std::string& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += '\t';
        for (char ch : cells[i]) {
            switch (ch) {
                case '\t':
                    out += "\\t";
                    break;
                case '\n':
                    out += "\\n";
                    break;
                case '\r':
                    out += "\\r";
                    break;
                case '\\':
                    out += "\\\\";
                    break;
                default:
                    out += ch;
            }
        }
    }
    out += '\n';
}

// RFC 4180: a field holding a comma, a quote or a line end is quoted, its quotes doubled; records
// end with CR LF.
void appendCsv(std::string& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += ',';
        const std::string& f = cells[i];
        if (f.find_first_of(",\"\r\n") == std::string::npos) {
            out += f;
            continue;
        }
        out += '"';
        for (char ch : f) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
        out += '"';
    }
    out += "\r\n";
}

// Objects keep their keys in the order written.
using Json = nlohmann::ordered_json;

// A number as shortestNumber writes it: a whole number without a decimal point (75, not 75.0),
// so that readers see the same numbers, of the same type, as ever; null when it is not finite
// (NaN, an unbounded g).
Json number(double value) {
    if (!std::isfinite(value)) return nullptr;
    const std::string text = shortestNumber(value);
    if (text.find_first_of(".e") == std::string::npos && std::fabs(value) < 9e18)
        return static_cast<std::int64_t>(value);
    return value;
}

Json classed(bool ran, const ClassedStatistic& x) {
    if (!ran) return nullptr;
    return {{"statistic", number(x.statistic)},
            {"class", Json(unpadded(x.cls))},
            {"p", number(x.p.value)},  // NaN when not known
            {"p_is_bound", x.p.known() ? Json(x.p.isBound()) : nullptr}};
}

Json extreme(const Results& res, bool largest) {
    const Statistics& st = res.statistics;
    Json gauss = nullptr;
    if (res.gauss.ran) {
        const GaussExtreme& g = largest ? res.gauss.max : res.gauss.min;
        gauss = {{"statistic", number(g.g)},
                 {"unbounded", std::isinf(g.g)},
                 {"critical", number(res.gauss.critical)},
                 {"outlier", g.outlier},
                 {"p", number(g.p.value)}};
    }
    return {
        {"row", largest ? st.maxRow : st.minRow},
        {"value", number(largest ? st.maxValue : st.minValue)},
        {"grubbs", classed(res.grubbs.ran, largest ? res.grubbs.max : res.grubbs.min)},
        {"dixon", classed(res.dixon.ran, largest ? res.dixon.max : res.dixon.min)},
        {"iqr", res.iqr.ran ? Json(unpadded(largest ? res.iqr.oldVerdict : res.iqr.youngVerdict))
                            : nullptr},
        {"gauss", gauss}};
}

Json gesd(const FileReport& r) {
    const GesdResult& g = r.gesd;
    if (!g.ran()) return nullptr;
    Json steps = Json::array();
    for (std::size_t i = 0; i < g.steps.size(); ++i) {
        const GesdStep& s = g.steps[i];
        steps.push_back({{"i", s.i},
                         {"row", r.gesdRows[i]},
                         {"value", number(s.value)},
                         {"R", number(s.R)},
                         {"lambda", number(s.lambda)}});
    }
    const auto outliers = static_cast<std::ptrdiff_t>(g.outliers);
    return {{"alpha", number(g.alpha)},
            {"k", g.k},
            {"steps", steps},
            {"outliers", g.outliers},
            {"rows", std::vector<int>(r.gesdRows.begin(), r.gesdRows.begin() + outliers)}};
}

Json agesObject(const std::optional<SampleAges>& ages) {
    if (!ages) return nullptr;
    const AgeStatistics& st = ages->statistics;
    const WeightedMean& w = st.weighted;
    Json central = nullptr;
    if (st.central)
        central = {{"age", number(st.central->age)},
                   {"se", number(st.central->se)},
                   {"dispersion", number(st.central->dispersion)},
                   {"dispersion_se",
                    st.central->dispersionSe ? number(*st.central->dispersionSe) : Json(nullptr)}};
    const auto extreme = [](const ExtremeResidual& e) {
        return Json{{"row", e.row}, {"y", number(e.y)}, {"p", number(e.p)}};
    };
    Json rows = Json::array();
    for (std::size_t i = 0; i < ages->rows.size(); ++i)
        rows.push_back({{"row", ages->rows[i]},
                        {"value", number(ages->ages[i])},
                        {"s", number(ages->sigmas[i])},
                        {"x", number(st.residuals[i].x)},
                        {"y", number(st.residuals[i].y)}});
    return {{"uncertainty", std::string(uncertaintyOptionName(ages->kind))},
            {"weighted_mean", Json{{"value", number(w.value)},
                                   {"se", number(w.se)},
                                   {"mswd", number(w.mswd)},
                                   {"chi2", number(w.chi2)},
                                   {"df", w.df},
                                   {"p", number(w.p)}}},
            {"central", central},
            {"min", extreme(ages->youngest)},
            {"max", extreme(ages->oldest)},
            {"rows", rows}};
}

// Ages in Ma with their counting (se) and total (se_total) 1-sigma errors.
Json ftAge(const FtAge& a) {
    return {{"age", number(a.age)}, {"se", number(a.se)}, {"se_total", number(a.seTotal)}};
}

Json countsObject(const FileReport& r) {
    if (!r.fissionTracks) return nullptr;
    const FtSummary& s = *r.fissionTracks;
    const CountCalibration& k = r.calibration;
    Json central = ftAge(s.central.age);
    central["dispersion"] = number(s.central.dispersion);
    central["dispersion_se"] =
        s.central.dispersionSe ? number(*s.central.dispersionSe) : Json(nullptr);
    Json grains = Json::array();
    for (std::size_t i = 0; i < s.grains.size(); ++i) {
        const FtGrain& g = s.grains[i];
        grains.push_back({{"row", r.grainRows[i]},
                          {"ns", g.ns},
                          {"ni", g.ni},
                          {"age", number(g.age.age)},
                          {"se", number(g.age.se)},
                          {"se_total", number(g.age.seTotal)},
                          {"x", number(g.x)},
                          {"y", number(g.y)}});
    }
    return {{"zeta", number(k.zeta)},    {"zeta_se", number(k.zetaSe)},
            {"rhoD", number(k.rhoD)},    {"rhoD_se", number(k.rhoDSe)},
            {"sum_ns", s.sumNs},         {"sum_ni", s.sumNi},
            {"pooled", ftAge(s.pooled)}, {"central", central},
            {"chi2", number(s.chi2)},    {"df", s.df},
            {"p", number(s.p)},          {"grains", grains}};
}

// "ages" and "fission_tracks" come after the other objects, "error" last as ever.
Json fileObject(const FileReport& r, bool withAges, bool withCounts) {
    if (!r.error.empty()) {
        Json j = {{"file", r.file}};
        for (const char* key : {"locality", "code", "age", "reading", "n", "n_read", "rejected",
                                "mean", "sd", "se", "iqr", "min", "max", "gesd"})
            j[key] = nullptr;
        if (withAges) j["ages"] = nullptr;
        if (withCounts) j["fission_tracks"] = nullptr;
        j["error"] = r.error;
        return j;
    }
    const Statistics& st = r.results.statistics;
    const IqrResult& q = r.results.iqr;
    Json iqr = nullptr;
    if (q.ran)
        iqr = {{"q1", number(q.q1)},
               {"q3", number(q.q3)},
               {"lower_inner", number(q.lowerInner)},
               {"upper_inner", number(q.upperInner)},
               {"lower_outer", number(q.lowerOuter)},
               {"upper_outer", number(q.upperOuter)}};
    const FileReading& how = r.reading;
    const Json reading = {
        {"separator", how.separator ? Json(std::string(1, how.separator)) : Json(nullptr)},
        {"decimal_mark", std::string(1, how.decimalMark)},
        {"thousands_separator", how.thousandsPoint ? Json(".") : Json(nullptr)},
        {"value_column", how.valueColumn},
        {"header", how.header}};
    Json j = {{"file", r.file},
              {"locality", r.locality},
              {"code", r.code},
              {"age", r.age},
              {"reading", reading},
              {"n", st.n},
              {"n_read", r.rowsRead},
              {"rejected", r.rejectedRows},
              {"mean", number(st.mean)},
              {"sd", number(st.sd)},
              {"se", number(st.se)},
              {"iqr", iqr},
              {"min", extreme(r.results, false)},
              {"max", extreme(r.results, true)},
              {"gesd", gesd(r)}};
    if (withAges) j["ages"] = agesObject(r.ages);
    if (withCounts) j["fission_tracks"] = countsObject(r);
    j["error"] = nullptr;
    return j;
}

// One line; bytes that are not UTF-8 (a file name can hold any) become U+FFFD, so the output
// always parses.
std::string jsonLine(const FileReport& r, bool withAges, bool withCounts) {
    return fileObject(r, withAges, withCounts).dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

const std::vector<std::string>& columnNames(bool withAges, bool withCounts) {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n = {"file", "error",  "locality",      "code", "age",
                                      "n",    "n_read", "rejected_rows", "mean", "sd",
                                      "se",   "min",    "min_row",       "max",  "max_row"};
        for (const char* side : {"min_", "max_"})
            for (const char* column : {"grubbs_t", "grubbs_class", "grubbs_p", "grubbs_p_is_bound",
                                       "dixon_r", "dixon_class", "dixon_p", "dixon_p_is_bound",
                                       "iqr_verdict", "g", "g_critical", "g_verdict", "g_p"})
                n.push_back(side + std::string(column));
        for (const char* column :
             {"q1", "q3", "lower_inner_fence", "upper_inner_fence", "lower_outer_fence",
              "upper_outer_fence", "gesd_outliers", "gesd_rows"})
            n.push_back(column);
        return n;
    }();
    // [withAges][withCounts]
    static const std::array<std::array<std::vector<std::string>, 2>, 2> extended = [] {
        std::array<std::array<std::vector<std::string>, 2>, 2> e;
        for (const bool ages : {false, true})
            for (const bool counts : {false, true}) {
                std::vector<std::string>& n = e[ages][counts] = names;
                if (ages) n.insert(n.end(), kAgeColumns.begin(), kAgeColumns.end());
                if (counts) n.insert(n.end(), kCountColumns.begin(), kCountColumns.end());
            }
        return e;
    }();
    return extended[withAges][withCounts];
}

void ReportWriter::begin() {
    m_buffer.clear();
    if (m_format == Format::Json)
        m_buffer += '[';
    else if (m_format == Format::Tsv)
        appendTsv(m_buffer, columnNames(m_withAges, m_withCounts));
    else
        appendCsv(m_buffer, columnNames(m_withAges, m_withCounts));
    m_out << m_buffer;
}

void ReportWriter::write(const FileReport& report) {
    m_buffer.clear();
    if (m_format == Format::Json)
        m_buffer.append(m_first ? "\n" : ",\n").append(jsonLine(report, m_withAges, m_withCounts));
    else if (m_format == Format::Tsv)
        appendTsv(m_buffer, rowCells(report, m_withAges, m_withCounts));
    else
        appendCsv(m_buffer, rowCells(report, m_withAges, m_withCounts));
    m_first = false;
    m_out << m_buffer;
}

void ReportWriter::end() {
    if (m_format == Format::Json) m_out << "\n]\n";
    m_out.flush();
}

std::string shortestNumber(double value) {
    char buf[64];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string_view unpadded(std::string_view text) {
    const std::size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

}  // namespace sifton::cli
