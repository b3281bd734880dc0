// Descriptive statistics: the first routine of every calculation run.
//
// Calc_Statistics summarises the values under test (Col1 of every row whose Rejected marker is
// below 1) through describe() (calculation.h) into SumX, Mean, SumDev2, SD and SE (texts "0.0#",
// see formatDataNumber), SumX2, SDnum, the extremes MinValue/PosMin and MaxValue/PosMax, and
// Sorted(1..NData) in descending order. The four tests read these results from the store in the
// same run. No spread is taken from SumX and SumX2: far from zero their difference cancels.
#pragma once

#include <span>

#include "core/calculation.h"

namespace sifton {

struct SampleStore;

void Calc_Statistics();

// True when row i takes part in the statistics and tests.
bool isUnderTest(int row);

// The mean of some values and the sum of their squared deviations from it, both accurate however
// far the values lie from zero (1E+09 plus a spread of 1) and however they cancel: the mean from
// a compensated sum, the deviations in a second pass. Equal values give exactly their value and 0.
struct Moments {
    double mean = 0.0;
    double sumDev2 = 0.0;
};
Moments moments(std::span<const double> values);

// The largest size among the values under test, from MinValue and MaxValue: what a data-scaled
// result is compared with before it is shown (formatDataNumber).
double largestSize(const SampleStore& s);

// The store's data set as a sample: Col1 of rows 1..RowCount, a row rejected when its Rejected
// marker is 1 or more.
Sample sampleInStore(const SampleStore& s);

// What Calc_Statistics left in the store, as the tests read it: n = NData, the spread SDnum, the
// extremes and their rows, Sorted(1..NData), and the compensated mean of the values under test.
Statistics statisticsInStore(const SampleStore& s);

}  // namespace sifton
