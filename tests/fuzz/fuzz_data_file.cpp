// Fuzz target for the data-file reader: the input bytes are a data file. A file that loads is the
// data set the reader read, with statistics and results of the four tests that are finite and
// shown as numbers (also after the largest value is rejected); a refused file says why.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <tuple>
#include <variant>

#include "core/analysis.h"
#include "core/input.h"
#include "core/number_text.h"
#include "core/outlier_tests.h"
#include "tests/fuzz/fuzz_support.h"

using namespace sifton;
using sifton::fuzz::require;

namespace {

bool shown(double v, const std::string& text) { return std::isfinite(v) && Is_Number_Text(text); }
bool isG(double g) {
    return std::isinf(g) ? g > 0 : shown(g, formatNumber(g, Pattern::UpToTwoDecimals));
}

// Every test ran for its range of n and every statistic it shows is a finite number text.
void check(const Analysis& a) {
    const Results& r = a.results();
    const Statistics& st = r.statistics;
    const int n = a.NData();
    const auto three = Pattern::UpToThreeDecimals;
    auto data = [&](double v) { return shown(v, formatDataNumber(v, three, largestSize(st))); };
    auto t = [&](const auto& e) { return shown(e.statistic, formatNumber(e.statistic, three)); };
    require(st.n == n && data(st.mean) && data(st.sd) && data(st.se) && st.sd >= 0,
            "the descriptive statistics are finite");
    require(r.grubbs.ran == (n <= 100) && r.dixon.ran == (n <= 25) && r.iqr.ran == (n >= 6) &&
                r.gauss.ran == (n <= 50),
            "each test runs for its range of n");
    require((!r.grubbs.ran || (t(r.grubbs.max) && t(r.grubbs.min))) &&
                (!r.dixon.ran || (t(r.dixon.max) && t(r.dixon.min))) &&
                (!r.iqr.ran || (data(r.iqr.q1) && data(r.iqr.q3))) &&
                (!r.gauss.ran || (isG(r.gauss.max.g) && isG(r.gauss.min.g))),
            "T, the ratios and the quartiles are finite, g finite or unbounded");
}

FolderTables& tables() {
    static FolderTables folder(fuzz::scratchFolder(), false);
    return folder;
}

}  // namespace

// Tables with a record for every n the tests look up, so a TableLookupError escapes as a finding.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    for (auto [name, last, values] : {std::tuple{"grubbs.dat", 100, ",1.5,1.6,1.7,1.8,1.9\n"},
                                      {"dixon.dat", 25, ",400,500,600,700,800\n"},
                                      {"gauss-g.dat", 50, ",2.5\n"}}) {
        std::string table = "n\n";
        for (int n = 3; n <= last; ++n) table += std::to_string(n) + values;
        fuzz::writeFile(name, table);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto path = fuzz::writeFile("input.csv", {reinterpret_cast<const char*>(data), size});
    const DataFile file = readDataFile(path);
    const int rows = static_cast<int>(file.rows.size());
    require(rows <= kMaxRows && (file.ok() ? rows > 0 : rows == 0),
            "at most 300 rows, none on a refusal and some in a sound file");
    for (const DataRow& row : file.rows)
        require(isComputableValue(row.value1) && std::isfinite(row.value2), "computable values");
    using enum DataFileFailure;
    require(file.failure != CannotOpen && file.failure != NotPlainFile &&
                (file.failure != Empty || size <= 3),
            "a readable plain file fails only on its contents");
    require(!dataFileFailureMessage(path, file).empty(), "every refusal has its message");

    // The data set, or the message box's title and text.
    const Outcome<DataSet> outcome = Read_Data_File(path);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        require(refusal->title == kProgramTitle &&
                    (!file.ok() ? refusal->message == dataFileFailureMessage(path, file)
                                : rows < 3 && refusal->message ==
                                                  pasteFailureMessage(PasteFailure::OneOrTwo)),
                "a refusal is the file's warning, or the question about one or two data");
        return 0;
    }
    const DataSet& d = std::get<DataSet>(outcome);
    auto same = [](const DataRow& x, const DataRow& y) {
        return std::tie(x.value1, x.value2, x.rest) == std::tie(y.value1, y.value2, y.rest);
    };
    require(file.ok() && rows >= 3 && d.DataFileName == path &&
                std::tie(d.Locality, d.LocalityM, d.StratAge) ==
                    std::tie(file.locality, file.localityM, file.stratAge) &&
                std::equal(d.rows.begin(), d.rows.end(), file.rows.begin(), file.rows.end(), same),
            "a loaded file is the data set the reader read, every row as read");

    const auto dataSet = std::make_shared<const DataSet>(d);
    const Analysis a = Analysis::of(dataSet, tables());
    check(a);
    // Reject the largest value, as the results window does, and compute again.
    const std::optional<Analysis> b = a.rejecting(Extreme::Largest, tables());
    require(b.has_value() == (rows > 3), "a rejection down to three values");
    if (!b) return 0;
    const int row = b->rejectedRows().at(0);
    require(row == a.results().statistics.maxRow && b->Rejected(row) && !a.Rejected(row) &&
                dataSet->Col1(row) == a.results().statistics.sorted.front() &&
                b->NData() == rows - 1,
            "the row of the largest value under test is rejected");
    check(*b);
    return 0;
}
