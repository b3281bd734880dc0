// The sample store: the one program-wide set of variables that holds the data set under test,
// the state of the current load, the folder settings, the parse buffers and every result.
//
// Loaders (input.h) write it, the computing routines (statistics.h, outlier_tests.h) read the
// values from it and write their results back, the results window reads it to show and report.
// Per-row arrays have elements 0..300; rows are numbered from 1 and element 0 is never used.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/cell.h"
#include "core/p_values.h"

namespace sifton {

inline constexpr int kMaxRows = 300;
using RowArray = std::array<Cell, kMaxRows + 1>;

struct SampleStore {
    // Per-row arrays.
    RowArray RawCol1, RawCol2, RawCol3;  // fields of each data line (reader only)
    RowArray Col1;                       // the value under test
    RowArray Col2;                       // second field of a data line, kept with the row
    RowArray Rejected;                   // 1 = rejected by the user, below 1 = under test
    RowArray Used;                       // work marker of the ordering pass
    RowArray Sorted;                     // values under test, descending, 1..NData

    // The current load.
    std::string DataFileName, Locality, LocalityM, StratAge;
    int RowCount = 0;    // rows the last load counted
    double NData = 0.0;  // values under test: RowCount minus the rejected rows
    std::string TableFolder, HelpFolder;
    std::string LineBuffer, TokenBuffer;

    // Descriptive statistics.
    Cell SumX, Mean, SumDev2, SD, SE, SumX2, SDnum;
    Cell MaxValue, PosMax, MinValue, PosMin, PickValue, PickPos;

    // Grubbs test.
    std::array<double, 6> GrubbsCrit{};  // 1..5: critical values at 10, 7.5, 5, 2.5, 1 %
    Cell GruTmax, GruTmin, GrubbsClassMax, GrubbsClassMin;

    // Dixon test.
    std::array<double, 6> DixonCrit{};  // 1..5: critical ratios at 10, 5, 2, 1, 0.5 %
    Cell DixRmax, DixRmin, DixClassMax, DixClassMin;

    // IQR test.
    Cell IQRQ1, IQRQ3, IQRyoung, IQRold;

    // Gauss g-test.
    Cell GaussCrit, SumRest, MeanNoOld, SDNoOld, MeanNoYoung, SDNoYoung, GauOld, GauYoung;

    // One-sided p-values of the smallest (Min) and the largest (Max) value; the g-test's are
    // Grubbs' of the same values. Not shown as labels: tooltips and the command line.
    PValue GrubbsPMin, GrubbsPMax, DixonPMin, DixonPMax, GaussPMin, GaussPMax;
    std::string DixonPMissing;  // why the Dixon p-values are not known; empty when they are

    // Clipboard report: 2 selects the long report and, once set, stays.
    int CopyMode = 0;
};

// The one store of the program.
SampleStore& store();

// Empties the data set and every result, keeps the folders, the file name and header texts,
// CopyMode and the critical-value rows, then tells the results window to blank itself.
void Reset_Store();

// Called at the end of every Reset_Store; the results window registers here to blank its
// labels. An empty function removes the observer.
void setResetObserver(std::function<void()> observer);

}  // namespace sifton
