// sifton-report: the window's four outlier tests for many data files at once, from the command
// line. Each file goes through the program's own pipeline: read as the window's open command
// reads it (same reader, same refusals, same messages), analysed, the rejections of --reject
// made as the reject buttons make them. Output is one tsv or csv row or one JSON object per file
// from the analysis's results, or, for one file, the window's clipboard report and data plot
// from the same presentation the window shows.
//
// The command is a function over its arguments and streams, so tests run it in-process; main.cpp
// connects it to the process (standard streams, environment, executable folder, plot writer).
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/plot_geometry.h"

namespace sifton::cli {

inline constexpr int kExitComputed = 0;  // every file was computed
inline constexpr int kExitRefused = 1;   // at least one file was refused (or a plot not written)
inline constexpr int kExitUsage = 2;     // the command line itself is wrong

// Writes a plot laid out at kPlotWidth by kPlotHeight (the data plot or the radial plot) to
// 'path' (.png, .svg or .pdf); returns an empty text, or why it could not.
using PlotWriter = std::function<std::string(const PlotGeometry& plot, const std::string& path)>;

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
