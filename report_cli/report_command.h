// sifton-report: the window's four outlier tests for many data files at once, from the command
// line. Each file is read as the window's open command reads it (same reader, same refusals,
// same messages), the rejections of --reject are made as the reject buttons make them, and the
// results come from the same calculation functions. Output is one tsv or csv row or one JSON
// object per file, or, for one file, the window's clipboard report byte for byte.
//
// The command is a function over its arguments and streams, so tests run it in-process; main.cpp
// connects it to the process (standard streams, environment, executable folder, plot writer).
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/gesd_view.h"

namespace sifton {
struct SampleStore;
class ResultsModel;
}  // namespace sifton

namespace sifton::cli {

inline constexpr int kExitComputed = 0;  // every file was computed
inline constexpr int kExitRefused = 1;   // at least one file was refused (or a plot not written)
inline constexpr int kExitUsage = 2;     // the command line itself is wrong

// Writes the data plot of what the store and the results model hold, with the ESD screen's
// marks, to 'path' (.png, .svg or .pdf); returns an empty text, or why it could not.
using PlotWriter = std::function<std::string(const SampleStore& store, const ResultsModel& model,
                                             const GesdView& esd, const std::string& path)>;

struct Environment {
    std::istream& in;              // the data file named "-"
    std::ostream& out;             // the results
    std::ostream& err;             // refusals, warnings, progress
    std::string executableFolder;  // where the tables lie unless --tables says otherwise
    std::string dateSetting;       // SIFTON_DATE (YYYY-MM-DD) when set: the report's date
    Date today;                    // the system's date otherwise
    bool errIsTerminal = false;    // a progress line on 'err' for long runs
    PlotWriter writePlot;          // empty: --plot is refused
};

// Runs the command; the result is the exit status.
int runReportCommand(const std::vector<std::string>& args, Environment& env);

// What --help prints.
std::string helpText();

}  // namespace sifton::cli
