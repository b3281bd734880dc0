// Fuzz target for the data-file reader: the input bytes are a data file. A file that loads must
// give a data set the statistics and the four tests compute finite results for (also after the
// largest value is rejected); a file that is refused must leave the data set as it was.
#include <cmath>
#include <cstdint>
#include <tuple>
#include <utility>

#include "core/input.h"
#include "core/number_text.h"
#include "core/outlier_tests.h"
#include "core/statistics.h"
#include "core/store.h"
#include "core/tables.h"
#include "platform/scripted_platform.h"
#include "tests/fuzz/fuzz_support.h"

using namespace sifton;
using sifton::fuzz::require;

namespace {

// A shown statistic is a number text, which also makes it finite; g may also be unbounded.
bool isNumber(const Cell& cell) { return cell.isText() && Is_Number_Text(cell.toText()); }
bool isG(const Cell& g) { return g.toText() == kUnboundedStatistic || isNumber(g); }

// Every table has a record for each n, so a TableLookupError escapes as a finding.
void runAndCheck() {
    SampleStore& s = store();
    const int n = static_cast<int>(s.NData);
    runCalculation();
    require(isNumber(s.SD) && isNumber(s.SE) &&
                (n > 100 || (isNumber(s.GruTmax) && isNumber(s.GruTmin))) &&
                (n > 25 || (isNumber(s.DixRmax) && isNumber(s.DixRmin))) &&
                (n < 6 || (isNumber(s.IQRQ1) && isNumber(s.IQRQ3))) &&
                (n > 50 || (isG(s.GauOld) && isG(s.GauYoung))),
            "every statistic a test shows for its range of n is finite");
}

}  // namespace

// Tables with a record for every n the tests look up.
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

    // A refused file returns no row; a sound one only computable values.
    const DataFile file = readDataFile(path);
    const int rows = static_cast<int>(file.rows.size());
    require(rows <= kMaxRows && (file.ok() || rows == 0), "at most 300 rows, none on a refusal");
    require(!file.ok() || rows > 0, "a sound file has data");
    for (const DataRow& row : file.rows)
        require(isComputableValue(row.value1) && std::isfinite(row.value2), "computable values");
    using enum DataFileFailure;
    require(file.failure != CannotOpen && file.failure != NotPlainFile &&
                (file.failure != Empty || size <= 3),
            "a readable plain file fails only on its contents");
    require(!dataFileFailureMessage(path, file).empty(), "every refusal has its message");

    // The path through the message box: a refused file keeps the earlier data set.
    Reset_Store();
    SampleStore& s = store();
    s.TableFolder = fuzz::scratchFolder();
    for (int i = 1; i <= 3; ++i) s.Col1[i] = static_cast<double>(i);
    s.NData = s.RowCount = 3;
    const RowArray col1 = s.Col1;
    ScriptedPlatform platform;
    const bool loaded = Read_Data_File(path, platform);
    require(loaded == file.ok() && platform.messages.size() == (loaded ? 0u : 1u),
            "Read_Data_File agrees with readDataFile, one message on a refusal");
    require(
        loaded || (platform.messages[0].title == kProgramTitle && s.NData == 3 && s.Col1 == col1),
        "a titled message, the data set kept");
    if (!loaded) return 0;
    require(s.NData == rows, "NData counts the rows");
    if (rows < 3) return 0;  // the callers compute nothing on fewer than three values
    runAndCheck();
    if (rows > 3) {  // reject the largest value, as the results window does, and compute again
        const int posMax = static_cast<int>(s.PosMax.toNumber());
        require(posMax >= 1 && posMax <= rows && isUnderTest(posMax) &&
                    s.Col1[posMax].toNumber() == s.Sorted[1].toNumber(),
                "PosMax is the row of the largest value under test");
        s.Rejected[posMax] = 1;
        s.NData -= 1;
        runAndCheck();
    }
    return 0;
}
