#include "ui/all_results.h"

#include "core/number_text.h"
#include "core/outlier_tests.h"
#include "core/p_values.h"
#include "ui/gesd_view.h"

namespace sifton {
namespace {

constexpr const char* kSmallest = "smallest";
constexpr const char* kLargest = "largest";
constexpr const char* kBoth = "both ends";
constexpr const char* kOneSided = "one-sided";

std::string number(double x) { return generalNumberText(x); }

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string joined(const std::vector<int>& rows) {
    std::string text;
    for (int row : rows) text += (text.empty() ? "" : " ") + std::to_string(row);
    return text;
}

class Table {
  public:
    explicit Table(std::vector<ResultRow>& rows) : m_rows(rows) {}
    void section(std::string name) { m_section = std::move(name); }
    void add(std::string quantity, std::string of, std::string value, std::string note = {}) {
        m_rows.push_back(
            {m_section, std::move(quantity), std::move(of), std::move(value), std::move(note)});
    }
    // One quantity for each extreme.
    void pair(const std::string& quantity, std::string smallest, std::string largest,
              const std::string& note = {}) {
        add(quantity, kSmallest, std::move(smallest), note);
        add(quantity, kLargest, std::move(largest), note);
    }
    void notRun(const std::string& why) { add("not run", "", "", why); }

  private:
    std::vector<ResultRow>& m_rows;
    std::string m_section;
};

std::string pNote(const PValue& p, const std::string& missing, const char* extra = "") {
    if (!p.known()) return missing.empty() ? "not known" : "not known: " + missing;
    std::string note = kOneSided;
    if (p.bound == PBound::AtMost) note += "; an upper bound";
    if (p.bound == PBound::Below) note += "; below the table's reach";
    return note + extra;
}

template <typename Result, std::size_t N>
void classed(Table& t, const Result& r, const char* statistic, const char* const (&levels)[N],
             const std::string& pMissing) {
    t.pair(statistic, number(r.min.statistic), number(r.max.statistic));
    for (std::size_t i = 0; i < N; ++i)
        t.add("critical " + std::string(statistic) + " at " + levels[i], kBoth,
              number(r.critical[i + 1]), kOneSided);
    t.pair("class", trimmed(r.min.cls), trimmed(r.max.cls), "the level the statistic reaches");
    t.add("p-value", kSmallest, pValueText(r.min.p), pNote(r.min.p, pMissing));
    t.add("p-value", kLargest, pValueText(r.max.p), pNote(r.max.p, pMissing));
}

// The ages under test with their uncertainties, when the second field is declared one.
void sampleAges(Table& t, const SampleAges& ages) {
    const AgeStatistics& st = ages.statistics;
    const WeightedMean& w = st.weighted;
    t.section("Sample age");
    t.add("second field", "", std::string(uncertaintyName(ages.kind)), "as declared");
    t.add("weighted mean", "", number(w.value), "weights 1/s^2");
    t.add("weighted mean se", "", number(w.se));
    t.add("chi-square", "", number(w.chi2), "X^2 about the weighted mean");
    t.add("degrees of freedom", "", std::to_string(w.df), "n - 1");
    t.add("MSWD", "", number(w.mswd), "X^2 / (n - 1)");
    t.add("P(chi-square)", "", number(w.p), "P(chi-square with n - 1 degrees of freedom > X^2)");
    if (st.central) {
        const CentralAge& c = *st.central;
        t.add("central age", "", number(c.age));
        t.add("central age se", "", number(c.se));
        t.add("dispersion", "", number(c.dispersion),
              "relative; 0: no more scatter than the "
              "uncertainties explain");
        t.add("dispersion se", "", c.dispersionSe ? number(*c.dispersionSe) : "none");
    } else {
        t.add("central age", "", "", "not computed: a value is 0 or less");
    }
    t.pair("row", std::to_string(ages.youngest.row), std::to_string(ages.oldest.row));
    t.pair("y", number(ages.youngest.y), number(ages.oldest.y),
           st.logScale ? "residual of ln t, by its precision" : "residual of t, by its precision");
    t.pair("p", number(ages.youngest.p), number(ages.oldest.p),
           "chance that the largest of n residuals reaches |y|");
    t.add("|y| > 2", "", ages.beyondTwo.empty() ? "none" : joined(ages.beyondTwo), "rows");
}

// A count file's statistics from its counts: ages in Ma, errors 1 sigma.
void fissionTracks(Table& t, const FtSummary& ft, const CountData& data) {
    t.section("Fission-track counts");
    t.add("zeta", "", number(data.zeta), "yr cm^2");
    t.add("zeta se", "", number(data.zetaSe));
    t.add("rhoD", "", number(data.rhoD), "tracks per cm^2");
    t.add("rhoD se", "", number(data.rhoDSe));
    t.add("grains", "", std::to_string(ft.n));
    t.add("sum Ns", "", std::to_string(ft.sumNs));
    t.add("sum Ni", "", std::to_string(ft.sumNi));
    const auto age = [&](const std::string& name, const FtAge& a) {
        t.add(name, "", number(a.age), "Ma");
        t.add(name + " se", "", number(a.se), "Poisson counting only");
        t.add(name + " se total", "", number(a.seTotal), "with the errors of zeta and rhoD");
    };
    age("pooled age", ft.pooled);
    age("central age", ft.central.age);
    t.add("dispersion", "", number(ft.central.dispersion),
          "relative; 0: no more scatter than counting explains");
    t.add("dispersion se", "", ft.central.dispersionSe ? number(*ft.central.dispersionSe) : "none");
    t.add("chi-square", "", number(ft.chi2), "X^2 of the counts");
    t.add("degrees of freedom", "", std::to_string(ft.df), "n - 1");
    t.add("P(chi-square)", "", number(ft.p), "P(chi-square with n - 1 degrees of freedom > X^2)");
}

}  // namespace

AllResults allResults(const Analysis& a, const Presentation& shown) {
    AllResults all;
    Table t(all.rows);
    const DataSet& data = a.dataSet();
    const Results& r = a.results();
    const Statistics& st = r.statistics;

    t.section("Data set");
    t.add("file", "", data.DataFileName);
    t.add("locality", "", data.Locality);
    t.add("code", "", data.LocalityM);
    t.add("age", "", data.StratAge);
    t.add("read with", "", data.reading ? describeReading(*data.reading) : "pasted cells");
    t.add("rows read", "", std::to_string(a.RowCount()));
    t.add("values tested", "", std::to_string(a.NData()));
    t.add("rejected rows", "", a.rejectedRows().empty() ? "none" : joined(a.rejectedRows()),
          "in the order of rejection");

    t.section("Statistics");
    t.add("mean", "", number(st.mean));
    t.add("standard deviation", "", number(st.sd), "divisor n - 1");
    t.add("standard error", "", number(st.se));
    t.pair("row", std::to_string(st.minRow), std::to_string(st.maxRow));
    t.pair("value", number(st.minValue), number(st.maxValue));

    static constexpr const char* kGrubbsLevels[] = {"10 %", "7.5 %", "5 %", "2.5 %", "1 %"};
    static constexpr const char* kDixonLevels[] = {"10 %", "5 %", "2 %", "1 %", "0.5 %"};
    t.section("Grubbs test");
    r.grubbs.ran ? classed(t, r.grubbs, "T", kGrubbsLevels, "")
                 : t.notRun("it takes 3 to 100 values");
    t.section("Dixon test");
    r.dixon.ran ? classed(t, r.dixon, "R", kDixonLevels, r.dixon.pMissing)
                : t.notRun("it takes 3 to 25 values");

    t.section("IQR test");
    if (r.iqr.ran) {
        t.pair("quartile", number(r.iqr.q1), number(r.iqr.q3), "Q1 and Q3");
        t.add("IQR", kBoth, number(r.iqr.q3 - r.iqr.q1));
        t.pair("inner fence", number(r.iqr.lowerInner), number(r.iqr.upperInner), "1.5 IQR out");
        t.pair("outer fence", number(r.iqr.lowerOuter), number(r.iqr.upperOuter), "3 IQR out");
        t.pair("verdict", trimmed(r.iqr.youngVerdict), trimmed(r.iqr.oldVerdict));
    } else {
        t.notRun("it takes 6 values or more");
    }

    t.section("Gauss g-test");
    if (r.gauss.ran) {
        t.pair("g", number(r.gauss.min.g), number(r.gauss.max.g));
        t.add("critical g at 5 %", kBoth, number(r.gauss.critical), kOneSided);
        t.pair("verdict", r.gauss.min.outlier ? "outlier" : "OK",
               r.gauss.max.outlier ? "outlier" : "OK", "g to two decimals against the critical g");
        const char* same = "; that of Grubbs' T of this value";
        t.add("p-value", kSmallest, pValueText(r.gauss.min.p), pNote(r.gauss.min.p, "", same));
        t.add("p-value", kLargest, pValueText(r.gauss.max.p), pNote(r.gauss.max.p, "", same));
    } else {
        t.notRun("it takes 3 to 50 values");
    }

    const GesdResult& esd = shown.gesd.result;
    t.section("ESD screen");
    if (esd.ran()) {
        t.add("alpha", kBoth, number(esd.alpha), "two-sided");
        t.add("k", kBoth, std::to_string(esd.k), "largest number of outliers looked for");
        t.add("outliers", kBoth, std::to_string(esd.outliers),
              shown.gesdMasking ? kMaskingWarning : "");
        for (std::size_t i = 0; i < esd.steps.size(); ++i) {
            const GesdStep& s = esd.steps[i];
            const std::string step = "step " + std::to_string(s.i);
            t.add("row", step, std::to_string(shown.gesd.rows[i]));
            t.add("value", step, number(s.value));
            t.add("R", step, number(s.R));
            t.add("lambda", step, number(s.lambda),
                  shown.gesd.n < kGesdAccurateFrom ? "approximate below 25 values" : "");
            t.add("verdict", step, gesdStepVerdict(esd, i));
        }
    } else {
        t.notRun("it takes 6 values or more");
    }

    if (a.ages()) sampleAges(t, *a.ages());
    if (a.fissionTracks() && data.counts) fissionTracks(t, *a.fissionTracks(), *data.counts);

    // Measured on 2000 simulated normal data sets of 8 to 30 values: 13 % show a Grubbs, Dixon
    // or g flag at 5 % on one side or the other; with the IQR test's mild outliers, 30 %.
    all.note =
        "Four tests at once: each class and verdict is one-sided, for one extreme. Clean normal "
        "data show a Grubbs, Dixon or g flag at 5 % on one side or the other in about one data "
        "set of eight, and an IQR mild outlier in more, so a single flag is weak evidence; "
        "agreement between tests, and the ESD screen, weigh more.";
    return all;
}

std::string allResultsText(const AllResults& results) {
    // A tab or a line end inside a cell (a quoted header field may hold one) would shift the
    // spreadsheet's columns or rows: a blank stands for it.
    const auto cell = [](std::string text) {
        for (char& c : text)
            if (c == '\t' || c == '\n' || c == '\r') c = ' ';
        return text;
    };
    std::string text;
    for (const char* column : kResultColumns)
        text += std::string(text.empty() ? "" : "\t") + column;
    text += '\n';
    for (const ResultRow& row : results.rows)
        text += cell(row.section) + '\t' + cell(row.quantity) + '\t' + cell(row.of) + '\t' +
                cell(row.value) + '\t' + cell(row.note) + '\n';
    return text;
}

}  // namespace sifton
