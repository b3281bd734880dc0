// Reset_Store: what it empties, what it keeps, and the observer it tells.
#include <algorithm>
#include <tuple>
#include <vector>

#include "test_support.h"

namespace sifton {
namespace {

using ResetStore = test::StoreTest;
using S = SampleStore;

TEST_F(ResetStore, EmptiesDataAndResultsKeepsHeaderAndCopyModeAndTellsTheObserver) {
    // Raw fields first: they are emptied to text, the others to the whole number 0.
    const std::vector<RowArray S::*> rows = {&S::RawCol1, &S::RawCol2,  &S::RawCol3, &S::Col1,
                                             &S::Col2,    &S::Rejected, &S::Used,    &S::Sorted};
    // Every result and work cell of the statistics and the four tests: a left-over one would
    // feed the next run or show in the blanked results window.
    const std::vector<Cell S::*> results = {
        &S::PickPos,   &S::PickValue, &S::MaxValue,       &S::MinValue,
        &S::DixRmax,   &S::DixRmin,   &S::DixClassMax,    &S::DixClassMin,
        &S::GruTmax,   &S::GruTmin,   &S::GrubbsClassMax, &S::GrubbsClassMin,
        &S::SDnum,     &S::SumX,      &S::Mean,           &S::SumX2,
        &S::SD,        &S::SE,        &S::PosMax,         &S::PosMin,
        &S::IQRyoung,  &S::IQRold,    &S::IQRQ1,          &S::IQRQ3,
        &S::GaussCrit, &S::SumRest,   &S::MeanNoYoung,    &S::MeanNoOld,
        &S::SumDev2,   &S::GauOld,    &S::GauYoung,       &S::SDNoYoung,
        &S::SDNoOld};
    S& s = store();
    for (auto row : rows) (s.*row).fill(Cell(1000.0));
    for (auto result : results) s.*result = "old";
    s.LineBuffer = s.TokenBuffer = "old";
    s.DataFileName = "file.csv", s.Locality = "Pécs", s.LocalityM = "M", s.StratAge = "Miocene";
    s.CopyMode = 2, s.RowCount = 12, s.NData = 11;
    int calls = 0, rowCountSeen = -1;
    setResetObserver([&] { ++calls, rowCountSeen = s.RowCount; });

    Reset_Store();
    // The window blanks itself over an already cleared store.
    EXPECT_EQ(std::pair(calls, rowCountSeen), std::pair(1, 0));
    for (size_t k = 0; k < rows.size(); ++k) {
        const RowArray& row = s.*rows[k];
        EXPECT_EQ(row[0], Cell(1000.0)) << k;
        EXPECT_EQ(std::count(row.begin() + 1, row.end(), k < 3 ? Cell("") : Cell(0)), kMaxRows)
            << k;
    }
    for (size_t k = 0; k < results.size(); ++k) EXPECT_EQ(s.*results[k], Cell("")) << k;
    EXPECT_EQ(s.LineBuffer + s.TokenBuffer, "");
    EXPECT_EQ(s.DataFileName + s.Locality + s.LocalityM + s.StratAge, "file.csvPécsMMiocene");
    EXPECT_EQ(std::tuple(s.CopyMode, s.RowCount, s.NData), std::tuple(2, 0, 0.0));
}

}  // namespace
}  // namespace sifton
