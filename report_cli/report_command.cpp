#include "report_cli/report_command.h"

#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

#include "core/analysis.h"
#include "core/input.h"
#include "core/sample_ages.h"
#include "report_cli/report_output.h"
#include "ui/gesd_view.h"
#include "ui/presentation.h"
#include "ui/radial_geometry.h"
#include "ui/report.h"

#ifndef SIFTON_VERSION
#define SIFTON_VERSION "unknown"
#endif

namespace sifton::cli {
namespace {

constexpr const char* kName = "sifton-report";

struct UsageError {
    std::string why;
};

constexpr const char* kRadialNeedsUncertainty =
    "--plot-kind radial needs the ages' uncertainties: give --uncertainty";

struct Options {
    Format format = Format::Tsv;
    bool formatGiven = false;
    std::vector<bool> rejectMax;  // in order: true = the largest value, false = the smallest
    std::optional<bool> longReport;
    std::string plot;
    std::optional<std::string> tables;
    double gesdAlpha = 0.05;
    int gesdK = 0;                               // 0: the default for n
    std::optional<UncertaintyKind> uncertainty;  // what every file's second field states
    ReadingChoice reading;                       // the answers to what a file leaves open
    std::vector<std::string> files;
    bool help = false, version = false;
    bool radialPlot = false;  // --plot-kind radial
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

// Arguments are bytes, not necessarily UTF-8 (file and folder names); through Latin-1 every byte
// goes into the parser and comes back unchanged.
QString toParser(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
std::string fromParser(const QString& text) { return text.toLatin1().toStdString(); }

// No short names: the parser would also take --h and -hh for -h, which stays an unknown option;
// -h itself is handed to it as --help.
const QList<QCommandLineOption>& options() {
    static const QList<QCommandLineOption> list = {{"help", {}},
                                                   {"version", {}},
                                                   {"format", {}, "format"},
                                                   {"reject", {}, "sequence"},
                                                   {"report", {}, "mode"},
                                                   {"plot", {}, "file"},
                                                   {"tables", {}, "folder"},
                                                   {"gesd-alpha", {}, "level"},
                                                   {"gesd-k", {}, "count"},
                                                   {"uncertainty", {}, "kind"},
                                                   {"column", {}, "column"},
                                                   {"decimal", {}, "mark"},
                                                   {"header", {}},
                                                   {"no-header", {}},
                                                   {"plot-kind", {}, "kind"}};
    return list;
}

bool takesValue(const QString& name) {
    return std::any_of(options().begin(), options().end(), [&name](const QCommandLineOption& o) {
        return o.names().contains(name) && !o.valueName().isEmpty();
    });
}

void setOption(Options& o, const std::string& name, const std::string& value) {
    if (name == "help") {
        o.help = true;
    } else if (name == "version") {
        o.version = true;
    } else if (name == "format") {
        if (value == "tsv")
            o.format = Format::Tsv;
        else if (value == "csv")
            o.format = Format::Csv;
        else if (value == "json")
            o.format = Format::Json;
        else
            throw UsageError{"--format is tsv, csv or json, not \"" + value + "\""};
        o.formatGiven = true;
    } else if (name == "reject") {
        o.rejectMax = parseRejections(value);
    } else if (name == "report") {
        if (value != "short" && value != "long")
            throw UsageError{"--report is short or long, not \"" + value + "\""};
        o.longReport = value == "long";
    } else if (name == "plot") {
        std::string ending = value.size() >= 4 ? value.substr(value.size() - 4) : "";
        for (char& ch : ending)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (ending != ".png" && ending != ".svg" && ending != ".pdf")
            throw UsageError{
                "--plot writes PNG, SVG or PDF: give the file name the ending .png, .svg or .pdf"};
        o.plot = value;
    } else if (name == "tables") {
        o.tables = value;
    } else if (name == "gesd-alpha") {
        char* end = nullptr;
        o.gesdAlpha = std::strtod(value.c_str(), &end);
        if (value.empty() || *end != '\0' || !(o.gesdAlpha > 0 && o.gesdAlpha < 0.5))
            throw UsageError{"--gesd-alpha takes a level above 0 and below 0.5, such as 0.05"};
    } else if (name == "uncertainty") {
        o.uncertainty = uncertaintyOption(value);
        if (!o.uncertainty)
            throw UsageError{"--uncertainty is 1s, 2s, 1s% or 2s%, not \"" + value + "\""};
    } else if (name == "column") {
        int number = 0;
        const auto [end, error] =
            std::from_chars(value.data(), value.data() + value.size(), number);
        if (value.empty()) throw UsageError{"--column takes a column number from 1, or its name"};
        if (error == std::errc{} && end == value.data() + value.size()) {
            if (number < 1) throw UsageError{"--column takes a column number from 1, or its name"};
            o.reading.column = number;
        } else {
            o.reading.columnName = value;
        }
    } else if (name == "decimal") {
        if (value != "point" && value != "comma")
            throw UsageError{"--decimal is point or comma, not \"" + value + "\""};
        o.reading.decimalMark = value == "point" ? '.' : ',';
    } else if (name == "header" || name == "no-header") {
        o.reading.header = name == "header";
    } else if (name == "plot-kind") {
        if (value != "data" && value != "radial")
            throw UsageError{"--plot-kind is data or radial, not \"" + value + "\""};
        o.radialPlot = value == "radial";
    } else if (name == "gesd-k") {
        char* end = nullptr;
        const long k = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || k < 1 || k > 149)
            throw UsageError{"--gesd-k takes a whole number from 1 up"};
        o.gesdK = static_cast<int>(k);
    }
}

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    QCommandLineParser parser;
    parser.addOptions(options());
    bool optionsEnded = false;
    // Each option goes through the parser on its own (with the argument after it when it takes
    // a value), so that the first wrong argument is the one reported: the parser reads every
    // argument before it reports, and names unknown options without their dashes.
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
            o.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const QString option = arg == "-h" ? QStringLiteral("--help") : toParser(arg);
        bool parsed = parser.parse({kName, option});
        const QStringList found = parser.optionNames();
        const bool missingValue = !parsed && parser.unknownOptionNames().isEmpty() &&
                                  found.size() == 1 && takesValue(found[0]);
        if (missingValue) {
            if (i + 1 == args.size()) throw UsageError{arg + " needs a value"};
            parsed = parser.parse({kName, option, toParser(args[++i])});
        }
        if (!parsed) throw UsageError{"unknown option " + arg.substr(0, arg.find('='))};
        const QString name = parser.optionNames()[0];
        setOption(o, fromParser(name), fromParser(parser.value(name)));
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
    if (o.radialPlot && o.plot.empty()) throw UsageError{"--plot-kind radial needs --plot"};
    // A count file's ages come with their counting errors; standard input is known only once
    // read, and the plot refused then.
    if (o.radialPlot && !o.uncertainty && o.files[0] != "-" && !isCountFile(o.files[0]))
        throw UsageError{kRadialNeedsUncertainty};
    return o;
}

// SIFTON_DATE: exactly YYYY-MM-DD, a day of the calendar.
Date parseDate(const std::string& text) {
    // Unsigned fields, so that from_chars takes no sign.
    const auto field = [&text](std::size_t at, std::size_t count, unsigned& value) {
        const char* first = text.data() + at;
        const auto [end, error] = std::from_chars(first, first + count, value);
        return error == std::errc{} && end == first + count;
    };
    unsigned y = 0, m = 0, d = 0;
    const bool read = text.size() == 10 && text[4] == '-' && text[7] == '-' && field(0, 4, y) &&
                      field(5, 2, m) && field(8, 2, d);
    namespace chrono = std::chrono;
    if (!read ||
        !chrono::year_month_day(chrono::year(static_cast<int>(y)), chrono::month(m), chrono::day(d))
             .ok())
        throw UsageError{"SIFTON_DATE must be a date as YYYY-MM-DD, not \"" + text + "\""};
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
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

// Reads a data file as the window's open command does, with its refusals and messages; the
// options answer what the import dialog would ask.
Outcome<DataSet> load(const std::string& name, std::istream& in, const ReadingChoice& choice) {
    Outcome<DataSet> read = name == "-" ? Read_Data_File(in, name, "standard input", choice)
                                        : Read_Data_File(name, choice);
    if (Refusal* refused = std::get_if<Refusal>(&read); refused && refused->question) {
        const std::string give = " Give " + refused->question->commandLine + ".";
        refused->message += give;
        refused->brief += give;
    }
    return read;
}

std::string tablesFailed(const TableLookupError& e) {
    return std::string(e.what()) + " The outlier tests could not be run.";
}

// One file through the program's pipeline: its second field declared as --uncertainty says (a
// count file keeps its counting errors), then its analysis after the rejections asked for, made
// in turn as the reject buttons make them; or why it has none.
struct Computed {
    std::optional<Rejections> rejections;
    std::string error;
    std::string brief;  // the error in short, for standard error
};

Computed compute(Outcome<DataSet> read, const Options& o, TableSource& tables) {
    if (const DataSet* data = std::get_if<DataSet>(&read); o.uncertainty && data && !data->counts)
        read = declaringUncertainty(std::get<DataSet>(std::move(read)), *o.uncertainty);
    if (const Refusal* refused = std::get_if<Refusal>(&read))
        return {std::nullopt, refused->message, refused->brief};
    std::vector<Extreme> sequence;
    for (const bool largest : o.rejectMax)
        sequence.push_back(largest ? Extreme::Largest : Extreme::Smallest);
    try {
        Analysis analysis = Analysis::of(
            std::make_shared<const DataSet>(std::get<DataSet>(std::move(read))), tables);
        return {rejectInTurn(std::move(analysis), sequence, tables), {}, {}};
    } catch (const TableLookupError& e) {
        return {std::nullopt, tablesFailed(e), tablesFailed(e)};
    }
}

// The file's row or object: the analysis's results and the ESD screen over its values.
FileReport fileReport(const std::string& name, const Computed& c, const GesdSettings& esd) {
    FileReport r;
    r.file = name;
    r.error = c.error;
    if (!c.rejections) return r;
    const Analysis& a = c.rejections->analysis;
    r.locality = a.dataSet().Locality;
    r.code = a.dataSet().LocalityM;
    r.age = a.dataSet().StratAge;
    r.reading = a.dataSet().reading.value_or(FileReading{});
    r.rowsRead = a.RowCount();
    r.rejectedRows = a.rejectedRows();
    r.results = a.results();
    GesdView view = runGesd(a, esd);
    r.gesd = std::move(view.result);
    r.gesdRows = std::move(view.rows);
    r.ages = a.ages();
    if (a.fissionTracks()) {
        r.fissionTracks = a.fissionTracks();
        r.calibration = a.dataSet().counts->calibration();
        r.grainRows = a.rowsUnderTest();
    }
    return r;
}

}  // namespace

std::string helpText() {
    return R"(Usage: sifton-report [OPTION]... FILE...
Runs Sifton's four outlier tests (Grubbs, Dixon, IQR fences, Gauss g-test) on each data file and
writes one row (or one JSON object) per file to standard output. FILE - reads one data file
from standard input. Each file is read as the program's open command reads it and refused with
the same message (on standard error, and in the file's row). A fission-track count file, in
IsoplotR's or RadialPlotter's layout, is known by its first lines: its values are the grain
ages (Ma) that its counts give, with their counting errors as 1-sigma uncertainties.

Options:
  --format tsv|csv|json  output format (default tsv)
  --reject SEQ           reject extremes in turn as the reject buttons do, e.g. max,min,max;
                         each takes the extreme of the values left, never below three values
  --report short|long    for one file: print exactly what the program's "Copy to Clipboard"
                         (short) or "Copy to Clipboard with All Data" (long) puts on the
                         clipboard, CR line ends included; after a rejection short is long too.
                         The date is today's, or SIFTON_DATE=YYYY-MM-DD from the environment
  --plot OUT             for one file: also write the data plot to OUT (.png, .svg or .pdf)
  --plot-kind data|radial
                         the plot --plot writes (default data); radial, the radial plot: of a
                         count file's counts, or of the ages, which needs --uncertainty and
                         every age under test above 0
  --tables DIR           folder of the table files (default: the program's own folder)
  --gesd-alpha A         level of the generalized ESD screen for several outliers (default
                         0.05); the screen is two-sided and runs for 6 values or more
  --gesd-k K             largest number of outliers it looks for (default min(10, (n-1)/2);
                         at most (n-1)/2)
  --uncertainty KIND     each file's second field is its value's uncertainty: 1s or 2s (one or
                         two sigma, in the value's unit), 1s% or 2s% (in per cent of the
                         value); adds the ages' statistics (see below). A file with a row
                         without a positive uncertainty is refused, naming the row. A count
                         file keeps its counting errors: the option does not apply to it
  --column N|NAME        the column of the values, by its number from 1 or its header text
                         (default: the first, unless it is an index of row numbers)
  --decimal point|comma  the decimal mark where a file leaves it open: 41,2 one number or two
                         fields; 1.234 in a semicolon file a decimal point or thousands
  --no-header, --header  whether line 1 is a header where it begins with a number
A file that can be read more than one way is refused (status 1) unless these options answer it;
the message names the option.
  --help                 show this text and exit
  --version              show the version and exit

tsv and csv: a header line, then one line per file with the columns
  file error locality code age n n_read rejected_rows mean sd se min min_row max max_row
then for the smallest value (min_) and then for the largest (max_)
  grubbs_t grubbs_class grubbs_p grubbs_p_is_bound dixon_r dixon_class dixon_p
  dixon_p_is_bound iqr_verdict g g_critical g_verdict g_p
then q1 q3 lower_inner_fence upper_inner_fence lower_outer_fence upper_outer_fence, and last
gesd_outliers gesd_rows: how many outliers the ESD screen finds and their rows. With
--uncertainty these follow:
  uncertainty weighted_mean weighted_mean_se mswd chi2 df chi2_p central_age central_age_se
  dispersion dispersion_se min_y min_y_p max_y max_y_p
(the same numbers as the JSON "ages" below; an empty cell where it has null). When a file of
the run is a count file, the ages' columns are there without --uncertainty too, and these
follow them (empty for a file that is no count file):
  ft_zeta ft_zeta_se ft_rhoD ft_rhoD_se ft_sum_ns ft_sum_ni ft_pooled_age ft_pooled_age_se
  ft_pooled_age_se_total ft_central_age ft_central_age_se ft_central_age_se_total
  ft_dispersion ft_dispersion_se ft_chi2 ft_df ft_chi2_p
(the same numbers as the JSON "fission_tracks" below).
n is the number of values tested, n_read the number of rows read, rejected_rows the rows
rejected, in order and separated by blanks. Numbers have full precision (the shortest text that
reads back as the same number); classes and verdicts are the program's texts. A test that did
not run (outside its range of n) leaves its cells empty, as does a refused file all but file and
error. An unbounded g (the rest of the values without any spread) is inf. tsv writes a tab,
line end or backslash inside a field as \t, \n, \r, \\; csv quotes fields as RFC 4180 says
and ends lines with CR LF.

json: an array with one object per file:
  {"file", "locality", "code", "age",
   "reading": {"separator" (null: one field a line), "decimal_mark",
               "thousands_separator" (null or "."), "value_column", "header"},
   "n", "n_read", "rejected": [rows],
   "mean", "sd", "se",
   "iqr": {"q1", "q3", "lower_inner", "upper_inner", "lower_outer", "upper_outer"} or null,
   "min": {...}, "max": {...},
   "gesd": {"alpha", "k", "steps": [{"i", "row", "value", "R", "lambda"}], "outliers",
            "rows": [rows]} or null (fewer than 6 values),
   "ages": {...} (only with --uncertainty or a count file in the run),
   "fission_tracks": {...} (only with a count file in the run),
   "error": null or the message}
where "min" and "max" each are
  {"row", "value",
   "grubbs": {"statistic", "class", "p", "p_is_bound"} or null,
   "dixon": {"statistic", "class", "p", "p_is_bound"} or null,
   "iqr": the verdict or null,
   "gauss": {"statistic", "unbounded", "critical", "outlier", "p"} or null},
and, with --uncertainty or a count file in the run, "ages" is
  {"uncertainty" (as given: "1s", "2s", "1s%" or "2s%"),
   "weighted_mean": {"value", "se", "mswd", "chi2", "df", "p"},
   "central": {"age", "se", "dispersion", "dispersion_se"} or null,
   "min": {"row", "y", "p"}, "max": {"row", "y", "p"},
   "rows": [{"row", "value", "s", "x", "y"}]},
and, with a count file in the run, "fission_tracks" is (null for any other file)
  {"zeta", "zeta_se" (yr cm^2), "rhoD", "rhoD_se" (tracks per cm^2), "sum_ns", "sum_ni",
   "pooled": {"age", "se", "se_total"},
   "central": {"age", "se", "se_total", "dispersion", "dispersion_se"},
   "chi2", "df", "p",
   "grains": [{"row", "ns", "ni", "age", "se", "se_total", "x", "y"}]}.
An unbounded g has "statistic": null and "unbounded": true. A refused file has null everywhere
but "file" and "error".

The ages' statistics are those of the values tested (rejected rows left out), each with its
1-sigma uncertainty s. Weighted mean with w = 1/s^2, se = 1/sqrt(sum w), chi2 = X^2 =
sum w (t - mean)^2, df = n - 1, mswd = X^2/df, p = P(chi^2_df > X^2). The central age and the
dispersion (relative, sigma; Galbraith and Laslett 1993) need every value above 0, else
"central" is null; "dispersion_se" is null when the values scatter less than their
uncertainties say (dispersion 0). Each row tested has the residual y = (z - z0)/u at the
precision x = 1/u, with z = ln t, u = s/t and z0 the mean of z weighted by 1/u^2 (z = t and
u = s when a value is 0 or below). "min" and "max" give y for the smallest and the largest
value, with p = 1 - (1 - 2 Phi(-|y|))^n, the chance that the largest of n residuals of values
of one population reaches |y|.

The counts' statistics are those of the grains tested (rejected rows left out), ages in Ma and
errors 1 sigma: se from counting alone, se_total with the errors of zeta and rhoD (once). A
grain's age is t = ln(1 + g lambda zeta rhoD Ns/Ni)/lambda, lambda = 1.55125e-10 per year,
g = 0.5, with se = t sqrt(1/Ns + 1/Ni); Ns = 0 gives age 0 with its 1-sigma upper limit as se.
"pooled" is the age of sum Ns/sum Ni; chi2 is X^2 of one common age on df = n - 1 with
p = P(chi^2_df > X^2); "central" is the central age and dispersion of the binomial
random-effects model (Galbraith and Laslett 1993), "dispersion_se" null when the counts scatter
less than Poisson counting explains (dispersion 0, central age = pooled age). x = 1/s and
y = (z - z0)/s place a grain on the radial plot, z = arcsin sqrt((Ns + 3/8)/(Ns + Ni + 3/4)),
s = 1/(2 sqrt(Ns + Ni + 1/2)), z0 that of the central age.

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
    Progress progress(env.err, env.errIsTerminal, o.files.size());
    auto refuse = [&](const std::string& file, const std::string& why) {
        progress.wipe();
        env.err << kName << ": " << file << ": " << why << "\n";
        status = kExitRefused;
    };

    FolderTables tables(folder, false);
    const GesdSettings esd{o.gesdAlpha, o.gesdK};
    // The first file's analysis also gives the clipboard report and the plot, from the
    // presentation the window would show.
    auto present = [&](const Computed& c) {
        const Analysis& a = c.rejections->analysis;
        const Presentation shown = sifton::present(&a, esd);
        if (o.longReport) {
            // After a rejection the report is the long one, as in the window.
            const bool long_ = *o.longReport || c.rejections->made > 0;
            env.out << buildReport(a, shown, long_ ? ReportMode::Long : ReportMode::Short, date);
            env.out.flush();
        } else if (!o.radialPlot) {
            if (const std::string why =
                    env.writePlot(layoutPlot(shown.plot, kPlotWidth, kPlotHeight), o.plot);
                !why.empty())
                refuse(o.plot, why);
        } else if (const std::optional<RadialPlotData> radial = radialPlotData(a, shown.plot);
                   !radial) {
            refuse(o.plot, kRadialNeedsUncertainty);
        } else if (!radialNotDrawn(*radial).empty()) {
            refuse(o.plot, "the radial plot cannot be drawn: " + radialNotDrawn(*radial));
        } else if (const std::string why = env.writePlot(
                       layoutRadialPlot(*radial, kPlotWidth, kPlotHeight).plot, o.plot);
                   !why.empty()) {
            refuse(o.plot, why);
        }
    };

    // Rejections asked for beyond three values are not made; standard error says so.
    auto warnIfCut = [&](const std::string& file, const Computed& c) {
        const std::size_t made = c.rejections ? c.rejections->made : 0;
        if (!c.rejections || made >= o.rejectMax.size()) return;
        progress.wipe();
        env.err << kName << ": " << file << ": " << made << " of " << o.rejectMax.size()
                << " rejections made: three values are the fewest the tests take.\n";
    };

    // The columns are laid out before the first file goes out: those of the counts when a file
    // of the run is a count file, as its first lines tell. Standard input is read now, once.
    std::optional<Outcome<DataSet>> fromInput;
    bool withCounts = false;
    for (const std::string& name : o.files) {
        if (name != "-") {
            withCounts = withCounts || isCountFile(name);
            continue;
        }
        fromInput = load(name, env.in, o.reading);
        const DataSet* data = std::get_if<DataSet>(&*fromInput);
        withCounts = withCounts || (data && data->counts);
    }
    ReportWriter writer(env.out, o.format, o.uncertainty || withCounts, withCounts);
    bool warnedAboutP = false;
    for (std::size_t i = 0; i < o.files.size(); ++i) {
        const std::string& name = o.files[i];
        const Computed computed =
            compute(name == "-" ? std::move(*fromInput) : load(name, env.in, o.reading), o, tables);
        if (i == 0 && (o.longReport || !o.plot.empty())) {
            if (computed.rejections) present(computed);
            if (o.longReport) {
                computed.error.empty() ? warnIfCut(name, computed) : refuse(name, computed.brief);
                return status;
            }
        }
        if (i == 0) writer.begin();
        const FileReport r = fileReport(name, computed, esd);
        r.error.empty() ? warnIfCut(name, computed) : refuse(name, computed.brief);
        if (const std::string cut =
                gesdKCutNote(GesdView{r.gesd, r.gesdRows, r.results.statistics.n}, o.gesdK);
            !cut.empty()) {
            progress.wipe();
            env.err << kName << ": " << name << ": " << cut << "\n";
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
