// Fuzz target for the data-file reader: the input bytes are a data file. A file that loads must
// give a data set the statistics and the four tests compute sound results for (also after the
// largest value is rejected); a file that is refused must leave the data set as it was.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

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

bool validUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        size_t length = b < 0x80                ? 1
                        : b >= 0xC2 && b < 0xE0 ? 2
                        : b >= 0xE0 && b < 0xF0 ? 3
                        : b >= 0xF0 && b < 0xF5 ? 4
                                                : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

size_t codePoints(std::string_view utf8) {
    size_t count = 0;
    for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

bool isNumber(const Cell& cell) { return cell.isText() && Is_Number_Text(cell.toText()); }

bool isOneOf(const Cell& cell, std::initializer_list<const char*> texts) {
    for (const char* text : texts)
        if (cell.toText() == text) return true;
    return false;
}

// One calculation run over the store, then the properties of its results.
void runAndCheck() {
    SampleStore& s = store();
    const int n = static_cast<int>(s.NData);
    try {
        runCalculation();
    } catch (const TableLookupError&) {
        require(false, "a lookup failed although every table has a record for each n");
    }
    const double mean = s.Mean.toNumber(), sdNum = s.SDnum.toNumber();
    require(std::isfinite(mean) && std::isfinite(sdNum) && sdNum >= 0, "mean and SDnum finite");
    require(isNumber(s.SD) && isNumber(s.SE), "SD and SE are numbers");
    for (int k = 2; k <= n; ++k)
        require(s.Sorted[k].toNumber() <= s.Sorted[k - 1].toNumber(), "Sorted descends");
    require(s.Sorted[1].toNumber() == s.MaxValue.toNumber(), "Sorted(1) is the maximum");
    require(s.Sorted[n].toNumber() == s.MinValue.toNumber(), "Sorted(n) is the minimum");
    const int posMax = static_cast<int>(s.PosMax.toNumber());
    const int posMin = static_cast<int>(s.PosMin.toNumber());
    require(posMax >= 1 && posMax <= s.RowCount && isUnderTest(posMax), "PosMax a row under test");
    require(posMin >= 1 && posMin <= s.RowCount && isUnderTest(posMin), "PosMin a row under test");
    require(s.Col1[posMax].toNumber() == s.MaxValue.toNumber(), "PosMax holds the maximum");
    require(s.Col1[posMin].toNumber() == s.MinValue.toNumber(), "PosMin holds the minimum");

    using namespace grubbs_class;
    if (n <= 100) {
        require(isNumber(s.GruTmax) && isNumber(s.GruTmin), "Grubbs statistics are numbers");
        for (const Cell* c : {&s.GrubbsClassMax, &s.GrubbsClassMin})
            require(isOneOf(*c, {kAbove10, k7_5To10, k5To7_5, kAbove5, k2_5To5, k1To2_5, kBelow1,
                                 kBelow2_5}),
                    "Grubbs class");
    }
    if (n <= 25) {
        for (const Cell* r : {&s.DixRmax, &s.DixRmin})
            require(isNumber(*r) && r->toNumber() >= 0 && r->toNumber() <= 1, "Dixon r in 0..1");
    }
    if (n >= 6) {
        require(isNumber(s.IQRQ1) && isNumber(s.IQRQ3), "quartiles are numbers");
        require(s.IQRQ1.toNumber() <= s.IQRQ3.toNumber(), "Q1 <= Q3");
        using namespace iqr_verdict;
        require(isOneOf(s.IQRyoung, {kWithin, kMild, kExtreme}), "IQR verdict");
        require(isOneOf(s.IQRold, {kWithin, kMild, kExtreme}), "IQR verdict");
    }
    if (n <= 50) {
        for (const Cell* g : {&s.GauOld, &s.GauYoung})
            require(g->toText() == kUnboundedStatistic || (isNumber(*g) && g->toNumber() >= 0),
                    "g is a number >= 0 or unbounded");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool tablesWritten = [] {
        fuzz::writeTables(fuzz::scratchFolder());
        return true;
    }();
    (void)tablesWritten;
    const std::string path = fuzz::scratchFolder() / "input.csv";
    fuzz::writeFile(path, std::string(reinterpret_cast<const char*>(data), size));

    DataFile file = readDataFile(path);
    require(file.rows.size() <= static_cast<size_t>(kMaxRows), "at most 300 rows");
    require(validUtf8(file.locality) && validUtf8(file.localityM) && validUtf8(file.stratAge),
            "header fields are UTF-8");
    require(codePoints(file.locality) <= 998 && codePoints(file.localityM) <= 998,
            "header fields cut at 998 characters");
    switch (file.failure) {
        case DataFileFailure::None:
            for (const DataRow& row : file.rows)
                require(isComputableValue(row.value1) && std::isfinite(row.value2),
                        "loaded values are computable");
            break;
        case DataFileFailure::TooManyRows:
            require(file.failedRow == kMaxRows + 1, "stops at the 301st line");
            break;
        case DataFileFailure::NotFiniteValue:
        case DataFileFailure::ValueOutOfRange:
            require(file.failedRow == static_cast<int>(file.rows.size()) + 1, "failed row named");
            break;
        case DataFileFailure::Empty:
            require(size == 0, "only a file of no bytes is empty");
            break;
        default:
            require(false, "a readable file fails only on its contents");
    }

    // The path through the message box: a refused file keeps the earlier data set.
    Reset_Store();
    SampleStore& s = store();
    s.TableFolder = fuzz::scratchFolder().string();
    for (int i = 1; i <= 3; ++i) s.Col1[i] = static_cast<double>(i);
    s.RowCount = 3;
    s.NData = 3;
    const RowArray col1Before = s.Col1, col2Before = s.Col2;
    ScriptedPlatform platform;
    bool loaded = Read_Data_File(path, platform);
    require(loaded == file.ok(), "Read_Data_File agrees with readDataFile");
    require(platform.messages.size() == (loaded ? 0u : 1u), "one message exactly on a refusal");
    if (!loaded) {
        require(platform.messages[0].title == kProgramTitle, "message titled with the program");
        require(s.NData == 3 && s.Col1 == col1Before && s.Col2 == col2Before, "data set kept");
        return 0;
    }
    require(s.NData == static_cast<double>(file.rows.size()), "NData counts the rows");
    const int n = static_cast<int>(file.rows.size());
    if (n < 3) return 0;  // the callers compute nothing on fewer than three values
    runAndCheck();
    if (n > 3) {  // reject the largest value, as the results window does, and compute again
        s.Rejected[static_cast<int>(s.PosMax.toNumber())] = 1;
        s.NData -= 1;
        runAndCheck();
    }
    return 0;
}
