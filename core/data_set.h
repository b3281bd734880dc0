// A data set as it was read: every row with all its fields, the header's three texts and where
// the rows came from. It is a value: a load makes a new one, nothing changes it afterwards, and
// the analyses of its rows (analysis.h) share it. A data set read from a fission-track count
// file (count_file.h) also holds the counts: its rows are the single-grain ages that the counts
// give, with their counting errors as the declared 1-sigma uncertainties.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/age_statistics.h"
#include "core/fission_tracks.h"

namespace sifton {

inline constexpr int kMaxRows = 300;

// One data line: the value under test, the second field as a number (0 when it is none; it
// takes part in no calculation unless it is declared an uncertainty) and the note: the fields
// after the second.
struct DataRow {
    double value1 = 0.0;
    double value2 = 0.0;
    std::string rest;
};

enum class CountLayout { IsoplotR, RadialPlotter };

// A count file as read: the calibration, with 0 for an error the file does not give, and the
// grains in the order of the file.
struct CountData {
    std::string sampleName;  // RadialPlotter's first line; empty for IsoplotR's layout
    double zeta = 0.0, zetaSe = 0.0;
    double rhoD = 0.0, rhoDSe = 0.0;
    std::vector<GrainCount> grains;  // each with the line of the file it stands on
    CountLayout layout = CountLayout::IsoplotR;
    char separator = ',';  // between the fields: ',', ';' or '\t'

    CountCalibration calibration() const;
};

// How a file's text became rows: what separates the fields, the decimal mark, whether a point
// groups thousands, which column holds the values (from 1) and whether line 1 is a header.
// 'separator' is 0 when every line holds one field.
struct FileReading {
    char separator = ',';
    char decimalMark = '.';
    bool thousandsPoint = false;
    int valueColumn = 1;
    bool header = true;
    std::optional<CountLayout> countLayout;  // a count file: its layout
    bool operator==(const FileReading&) const = default;
};

// In words, for the window: "commas between fields, decimal point, values in column 1, line 1
// the header", or for a count file "fission-track counts in IsoplotR's layout, commas between
// fields".
std::string describeReading(const FileReading& reading);

struct DataSet {
    // The path as the dialog or the command line gave it, or "From Clipboard" after a paste.
    std::string DataFileName;
    std::string Locality, LocalityM, StratAge;  // the header's three fields; empty after a paste
    std::vector<DataRow> rows;                  // row i is rows[i - 1]
    std::optional<FileReading> reading;         // for a file: how it was read
    // What the second field states, as the user declared it (declaringUncertainty checks it).
    UncertaintyKind uncertainty = UncertaintyKind::None;
    // For a count file: its calibration and grains, grains[i] the counts of row i + 1.
    std::optional<CountData> counts;

    int RowCount() const { return static_cast<int>(rows.size()); }
    // The value under test of row i (1-based).
    double Col1(int row) const { return rows[static_cast<std::size_t>(row - 1)].value1; }
};

}  // namespace sifton
