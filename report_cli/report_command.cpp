#include "report_cli/report_command.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

#include "core/calculation.h"
#include "core/input.h"
#include "core/outlier_tests.h"
#include "core/store.h"
#include "report_cli/report_output.h"
#include "ui/report.h"
#include "ui/results_model.h"

#ifndef SIFTON_VERSION
#define SIFTON_VERSION "unknown"
#endif

namespace sifton::cli {
namespace {

constexpr const char* kName = "sifton-report";

struct UsageError {
    std::string why;
};

struct Options {
    Format format = Format::Tsv;
    bool formatGiven = false;
    std::vector<bool> rejectMax;  // in order: true = the largest value, false = the smallest
    std::optional<bool> longReport;
    std::string plot;
    std::optional<std::string> tables;
    double gesdAlpha = 0.05;
    int gesdK = 0;  // 0: the default for n
    std::vector<std::string> files;
    bool help = false, version = false;
};

std::vector<bool> parseRejections(const std::string& text) {
    std::vector<bool> sequence;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string item = text.substr(start, comma - start);
        if (item != "max" && item != "min")
            throw UsageError{"--reject takes a list such as max,min,max, not \"" + text + "\""};
        sequence.push_back(item == "max");
        if (comma == std::string::npos) return sequence;
        start = comma + 1;
    }
}

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            o.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            continue;
        }
        if (arg == "--version") {
            o.version = true;
            continue;
        }
        // --name value or --name=value.
        std::string value;
        const std::size_t equals = arg.find('=');
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg.resize(equals);
        } else if (arg == "--format" || arg == "--reject" || arg == "--report" || arg == "--plot" ||
                   arg == "--tables" || arg == "--gesd-alpha" || arg == "--gesd-k") {
            if (i + 1 >= args.size()) throw UsageError{arg + " needs a value"};
            value = args[++i];
        }
        if (arg == "--format") {
            if (value == "tsv")
                o.format = Format::Tsv;
            else if (value == "csv")
                o.format = Format::Csv;
            else if (value == "json")
                o.format = Format::Json;
            else
                throw UsageError{"--format is tsv, csv or json, not \"" + value + "\""};
            o.formatGiven = true;
        } else if (arg == "--reject") {
            o.rejectMax = parseRejections(value);
        } else if (arg == "--report") {
            if (value != "short" && value != "long")
                throw UsageError{"--report is short or long, not \"" + value + "\""};
            o.longReport = value == "long";
        } else if (arg == "--plot") {
            std::string ending = value.size() >= 4 ? value.substr(value.size() - 4) : "";
            for (char& ch : ending)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            if (ending != ".png" && ending != ".svg" && ending != ".pdf")
                throw UsageError{
                    "--plot writes PNG, SVG or PDF: give the file name the ending "
                    ".png, .svg or .pdf"};
            o.plot = value;
        } else if (arg == "--tables") {
            o.tables = value;
        } else if (arg == "--gesd-alpha") {
            char* end = nullptr;
            o.gesdAlpha = std::strtod(value.c_str(), &end);
            if (value.empty() || *end != '\0' || !(o.gesdAlpha > 0 && o.gesdAlpha < 0.5))
                throw UsageError{"--gesd-alpha takes a level above 0 and below 0.5, such as 0.05"};
        } else if (arg == "--gesd-k") {
            char* end = nullptr;
            const long k = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || k < 1 || k > 149)
                throw UsageError{"--gesd-k takes a whole number from 1 up"};
            o.gesdK = static_cast<int>(k);
        } else {
            throw UsageError{"unknown option " + arg};
        }
    }
    if (o.help || o.version) return o;
    if (o.files.empty()) throw UsageError{"no data file given"};
    int fromInput = 0;
    for (const std::string& f : o.files) fromInput += f == "-";
    if (fromInput > 1) throw UsageError{"standard input (-) can be read only once"};
    if (o.longReport && o.formatGiven)
        throw UsageError{"--report writes the clipboard report; it takes no --format"};
    if ((o.longReport || !o.plot.empty()) && o.files.size() != 1)
        throw UsageError{std::string(o.longReport ? "--report" : "--plot") +
                         " takes exactly one data file"};
    return o;
}

// SIFTON_DATE as YYYY-MM-DD.
Date parseDate(const std::string& text) {
    int year = 0, month = 0, day = 0;
    char extra = 0;
    const bool read = text.size() == 10 &&
                      std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &extra) == 3;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    const int days[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (!read || month < 1 || month > 12 || day < 1 || day > days[month - 1])
        throw UsageError{"SIFTON_DATE must be a date as YYYY-MM-DD, not \"" + text + "\""};
    return {year, month, day};
}

// A progress line on a terminal for runs that take more than a second, redrawn five times a
// second at most and wiped before any other message and at the end.
class Progress {
  public:
    Progress(std::ostream& err, bool enabled, std::size_t total)
        : m_err(err), m_enabled(enabled && total > 1), m_total(total) {}
    void update(std::size_t done) {
        if (!m_enabled) return;
        const auto now = std::chrono::steady_clock::now();
        if (now - m_start < std::chrono::seconds(1) || now - m_drawn < kRedraw) return;
        m_drawn = now;
        m_err << "\r" << kName << ": " << done << " of " << m_total << " files" << std::flush;
        m_shown = true;
    }
    void wipe() {
        if (!m_shown) return;
        m_err << "\r\033[K" << std::flush;
        m_shown = false;
    }

  private:
    static constexpr std::chrono::milliseconds kRedraw{200};
    std::ostream& m_err;
    bool m_enabled;
    std::size_t m_total;
    bool m_shown = false;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point m_drawn{};
};

struct Loaded {
    DataFile file;
    std::string error;
};

// Reads a data file as the window's open command does, with its refusals and messages.
Loaded load(const std::string& name, std::istream& in) {
    Loaded l;
    l.file = name == "-" ? readDataFile(in) : readDataFile(name);
    if (!l.file.ok())
        l.error = dataFileFailureMessage(name == "-" ? "standard input" : name, l.file);
    else if (l.file.rows.size() < 3)
        l.error = pasteFailureMessage(PasteFailure::OneOrTwo);
    return l;
}

std::string tablesFailed(const TableLookupError& e) {
    return std::string(e.what()) + " The outlier tests could not be run.";
}

// How many of the rejections asked for were made (the reject buttons make none below three
// values).
struct Rejections {
    std::size_t made = 0;
};

// The file's outcome from the calculation functions, the rejections made in turn as the reject
// buttons make them: each on the extreme the previous run found, never below three values.
FileReport compute(const std::string& name, const DataFile& file, const Options& o,
                   TableSource& tables, Rejections& made) {
    const std::vector<bool>& rejectMax = o.rejectMax;
    FileReport r;
    r.file = name;
    r.locality = file.locality;
    r.code = file.localityM;
    r.age = file.stratAge;
    r.rowsRead = static_cast<int>(file.rows.size());
    Sample sample;
    sample.values.reserve(file.rows.size());
    for (const DataRow& row : file.rows) sample.values.push_back(row.value1);
    sample.rejected.assign(sample.values.size(), 0);
    try {
        r.results = calculate(sample, tables);
        for (const bool largest : rejectMax) {
            const Statistics& st = r.results.statistics;
            if (st.n <= 3) break;
            const int row = largest ? st.maxRow : st.minRow;
            sample.rejected[static_cast<std::size_t>(row - 1)] = 1;
            r.rejectedRows.push_back(row);
            ++made.made;
            r.results = calculate(sample, tables);
        }
    } catch (const TableLookupError& e) {
        r.error = tablesFailed(e);
        return r;
    }
    // The ESD screen over the values still tested, with k at most what n allows.
    std::vector<double> tested;
    std::vector<int> rowOf;
    for (std::size_t i = 0; i < sample.values.size(); ++i)
        if (!sample.rejected[i]) tested.push_back(sample.values[i]), rowOf.push_back(int(i) + 1);
    const int n = static_cast<int>(tested.size());
    r.gesd = gesdScreen(tested, o.gesdAlpha, o.gesdK > 0 ? o.gesdK : gesdDefaultK(n));
    for (const GesdStep& step : r.gesd.steps)
        r.gesdRows.push_back(rowOf[static_cast<std::size_t>(step.index)]);
    return r;
}

// The file in the sample store, run and shown by the window's own routines exactly as the open
// command, the reject buttons and the copy commands do it; the results model then holds what
// the results window would show. Returns the refusal, or an empty text.
std::string runInStore(const std::string& name, const DataFile& file,
                       const std::vector<bool>& rejectMax, const std::string& tablesFolder,
                       bool longReport, ResultsModel& model) {
    SampleStore& s = store();
    s = SampleStore{};
    s.TableFolder = s.HelpFolder = tablesFolder;
    try {
        Reset_Store();
        storeDataFile(file);
        s.DataFileName = name;
        runCalculation();
        model.Present_Values(s);
        for (const bool largest : rejectMax) {
            const Cell& position = largest ? s.PosMax : s.PosMin;
            if (s.NData <= 3 || !position.isInteger()) break;
            const int row = static_cast<int>(position.toNumber());
            s.Rejected[row] = 1;
            s.NData -= 1;
            model.showRejectedRow(row);
            runCalculation();
            model.Present_Values(s);
            s.CopyMode = 2;
        }
    } catch (const TableLookupError& e) {
        return tablesFailed(e);
    }
    // Edit > Copy to Clipboard (1) or ... with All Data (2); after a rejection it stays 2.
    if (s.CopyMode != 2) s.CopyMode = longReport ? 2 : 1;
    return {};
}

}  // namespace

std::string helpText() {
    return R"(Usage: sifton-report [OPTION]... FILE...
Runs Sifton's four outlier tests (Grubbs, Dixon, IQR fences, Gauss g-test) on each data file and
writes one row (or one JSON object) per file to standard output. FILE - reads one data file
from standard input. Each file is read as the program's open command reads it and refused with
the same message (on standard error, and in the file's row).

Options:
  --format tsv|csv|json  output format (default tsv)
  --reject SEQ           reject extremes in turn as the reject buttons do, e.g. max,min,max;
                         each takes the extreme of the values left, never below three values
  --report short|long    for one file: print exactly what the program's "Copy to Clipboard"
                         (short) or "Copy to Clipboard with All Data" (long) puts on the
                         clipboard, CR line ends included; after a rejection short is long too.
                         The date is today's, or SIFTON_DATE=YYYY-MM-DD from the environment
  --plot OUT             for one file: also write the data plot to OUT (.png, .svg or .pdf)
  --tables DIR           folder of the table files (default: the program's own folder)
  --gesd-alpha A         level of the generalized ESD screen for several outliers (default
                         0.05); the screen is two-sided and runs for 6 values or more
  --gesd-k K             largest number of outliers it looks for (default min(10, (n-1)/2);
                         at most (n-1)/2)
  --help                 show this text and exit
  --version              show the version and exit

tsv and csv: a header line, then one line per file with the columns
  file error locality code age n n_read rejected_rows mean sd se min min_row max max_row
then for the smallest value (min_) and then for the largest (max_)
  grubbs_t grubbs_class grubbs_p grubbs_p_is_bound dixon_r dixon_class dixon_p
  dixon_p_is_bound iqr_verdict g g_critical g_verdict g_p
then q1 q3 lower_inner_fence upper_inner_fence lower_outer_fence upper_outer_fence, and last
gesd_outliers gesd_rows: how many outliers the ESD screen finds and their rows.
n is the number of values tested, n_read the number of rows read, rejected_rows the rows
rejected, in order and separated by blanks. Numbers have full precision (the shortest text that
reads back as the same number); classes and verdicts are the program's texts. A test that did
not run (outside its range of n) leaves its cells empty, as does a refused file all but file and
error. An unbounded g (the rest of the values without any spread) is inf. tsv writes a tab,
line end or backslash inside a field as \t, \n, \r, \\; csv quotes fields as RFC 4180 says
and ends lines with CR LF.

json: an array with one object per file:
  {"file", "locality", "code", "age", "n", "n_read", "rejected": [rows],
   "mean", "sd", "se",
   "iqr": {"q1", "q3", "lower_inner", "upper_inner", "lower_outer", "upper_outer"} or null,
   "min": {...}, "max": {...},
   "gesd": {"alpha", "k", "steps": [{"i", "row", "value", "R", "lambda"}], "outliers",
            "rows": [rows]} or null (fewer than 6 values),
   "error": null or the message}
where "min" and "max" each are
  {"row", "value",
   "grubbs": {"statistic", "class", "p", "p_is_bound"} or null,
   "dixon": {"statistic", "class", "p", "p_is_bound"} or null,
   "iqr": the verdict or null,
   "gauss": {"statistic", "unbounded", "critical", "outlier", "p"} or null}.
An unbounded g has "statistic": null and "unbounded": true. A refused file has null everywhere
but "file" and "error".

p-values are one-sided for the tested extreme of n values from one normal population, as the
tables' levels are. Grubbs' p comes from Student's t; below T^2 = (n-1)(n-2)/(2n) it is an
upper bound (p_is_bound true). The g-test's p is that of Grubbs' T of the same value. Dixon's p
comes from the simulated distribution in dixon-p.dat; below 0.001 it is the bound 0.001
(p_is_bound true). Without dixon-p.dat the Dixon p-values are left empty, with a warning.

Exit status: 0 when every file was computed, 1 when a file was refused (or the plot could not
be written), 2 for a wrong command line.
)";
}

int runReportCommand(const std::vector<std::string>& args, Environment& env) {
    Options o;
    Date date = env.today;
    try {
        o = parseOptions(args);
        if (!env.dateSetting.empty() && o.longReport) date = parseDate(env.dateSetting);
    } catch (const UsageError& e) {
        env.err << kName << ": " << e.why << "\nTry '" << kName << " --help'.\n";
        return kExitUsage;
    }
    if (o.help) {
        env.out << helpText();
        return kExitComputed;
    }
    if (o.version) {
        env.out << kName << " " << SIFTON_VERSION << "\n";
        return kExitComputed;
    }
    if (!o.plot.empty() && !env.writePlot) {
        env.err << kName << ": --plot is not available in this build\n";
        return kExitUsage;
    }
    const std::string folder = o.tables.value_or(env.executableFolder);
    int status = kExitComputed;
    auto refuse = [&](const std::string& file, const std::string& why) {
        env.err << kName << ": " << file << ": " << why << "\n";
        status = kExitRefused;
    };

    // One file through the window's own routines: the clipboard report and the plot. The file
    // is read once; a refusal is told with the file's row below.
    std::optional<Loaded> first;
    if (o.longReport || !o.plot.empty()) {
        const std::string& name = o.files.front();
        first = load(name, env.in);
        ResultsModel model;
        const std::string error = first->error.empty()
                                      ? runInStore(name, first->file, o.rejectMax, folder,
                                                   o.longReport.value_or(false), model)
                                      : first->error;
        if (o.longReport) {
            if (!error.empty()) {
                refuse(name, error);
                return status;
            }
            env.out << buildReport(
                store(), [&model](const std::string& label) { return model.text(label); }, date);
            env.out.flush();
            return status;
        }
        if (error.empty())
            if (const std::string why = env.writePlot(
                    store(), model, runGesd(store(), GesdSettings{o.gesdAlpha, o.gesdK}), o.plot);
                !why.empty())
                refuse(o.plot, why);
    }

    FolderTables tables(folder, false);
    ReportWriter writer(env.out, o.format);
    Progress progress(env.err, env.errIsTerminal, o.files.size());
    bool warnedAboutP = false;
    writer.begin();
    for (std::size_t i = 0; i < o.files.size(); ++i) {
        const std::string& name = o.files[i];
        const Loaded l = i == 0 && first ? std::move(*first) : load(name, env.in);
        FileReport r;
        Rejections made;
        if (l.error.empty()) {
            r = compute(name, l.file, o, tables, made);
        } else {
            r.file = name;
            r.error = l.error;
        }
        if (!r.error.empty()) {
            progress.wipe();
            refuse(name, r.error);
        } else if (made.made < o.rejectMax.size()) {
            progress.wipe();
            env.err << kName << ": " << name << ": " << made.made << " of " << o.rejectMax.size()
                    << " rejections made: three values are the fewest the tests take.\n";
        }
        if (r.error.empty() && r.results.dixon.ran && !r.results.dixon.pMissing.empty() &&
            !warnedAboutP) {
            progress.wipe();
            env.err << kName << ": warning: " << r.results.dixon.pMissing
                    << " The Dixon p-values are left empty.\n";
            warnedAboutP = true;
        }
        writer.write(r);
        progress.update(i + 1);
    }
    writer.end();
    progress.wipe();
    return status;
}

}  // namespace sifton::cli
