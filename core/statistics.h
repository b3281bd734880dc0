// Descriptive statistics: the first routine of every calculation run.
//
// Calc_Statistics summarises the values under test (Col1 of every row whose Rejected marker is
// below 1) into SumX, Mean, SumDev2, SD and SE (texts "0.0#"), SumX2, SDnum, the extremes
// MinValue/PosMin and MaxValue/PosMax, and Sorted(1..NData) in descending order. The four tests
// read these results from the store in the same run.
#pragma once

namespace sifton {

void Calc_Statistics();

// True when row i takes part in the statistics and tests.
bool isUnderTest(int row);

}  // namespace sifton
