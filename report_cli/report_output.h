// What sifton-report writes for each data file: one row of tab- or comma-separated values, or one
// JSON object, from the file's outcome. Numbers are written in full precision (the shortest text
// that reads back as the same double), class and verdict texts without their padding blanks, and
// a test that did not run leaves its cells empty (null in JSON). With uncertainties declared
// (--uncertainty, or a count file in the run), the ages' statistics follow the other columns and
// objects; with a count file in the run, the counts' statistics follow those.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/calculation.h"
#include "core/data_set.h"
#include "core/fission_tracks.h"
#include "core/gesd.h"
#include "core/sample_ages.h"

namespace sifton::cli {

// One data file's outcome.
struct FileReport {
    std::string file;   // as given on the command line
    std::string error;  // why it was refused; empty when it was computed
    std::string locality, code, age;
    FileReading reading;  // how the file was read
    int rowsRead = 0;
    std::vector<int> rejectedRows;  // in the order of rejection
    Results results;
    GesdResult gesd;                 // the ESD screen over the values tested; not run below 6
    std::vector<int> gesdRows;       // the row of each step's value
    std::optional<SampleAges> ages;  // when the data set declares uncertainties
    // A count file: its calibration and the statistics of the grains under test, grainRows[i]
    // the row of fissionTracks->grains[i].
    std::optional<FtSummary> fissionTracks;
    CountCalibration calibration;
    std::vector<int> grainRows;
};

enum class Format { Tsv, Csv, Json };

// The column names of the tsv and csv header line, in order; withAges: the ages' columns after
// the others, withCounts: the counts' columns after those.
const std::vector<std::string>& columnNames(bool withAges, bool withCounts = false);

// Writes the header (tsv, csv) or the opening bracket (json), one row or object per file, and
// the closing bracket. Each file goes out as soon as it is written. withAges: every file has the
// ages' columns or "ages" object (empty or null when it was refused or has none); withCounts:
// every file has the counts' columns or "fission_tracks" object (empty or null when it is no
// count file or was refused).
class ReportWriter {
  public:
    ReportWriter(std::ostream& out, Format format, bool withAges, bool withCounts = false)
        : m_out(out), m_format(format), m_withAges(withAges), m_withCounts(withCounts) {}
    void begin();
    void write(const FileReport& report);
    void end();

  private:
    std::ostream& m_out;
    Format m_format;
    bool m_withAges;
    bool m_withCounts;
    bool m_first = true;
    std::string m_buffer;
};

// The shortest text that reads back as the same double ("0.1", "1e+20"); "inf", "-inf", "nan".
std::string shortestNumber(double value);

// A class or verdict text without its padding blanks.
std::string_view unpadded(std::string_view text);

}  // namespace sifton::cli
