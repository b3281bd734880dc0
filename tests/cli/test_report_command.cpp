// sifton-report: against the results window, data sets worked by hand, and its own rules.
#include <gtest/gtest.h>

#include <QAction>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "report_cli/report_command.h"
#include "tests/core/test_support.h"
#include "tests/support/scripted_platform.h"
#include "ui/frm_dix.h"

namespace sifton {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;  // keys in the order written
using Args = std::vector<std::string>;
const std::string kData = SIFTON_SOURCE_DIR "/data";
const std::string kExamples = SIFTON_SOURCE_DIR "/examples/";
const std::string kAspen = kExamples + "aspen-tarn-5.csv";         // five values: no IQR, no ESD
const std::string kTarrow = kExamples + "tarrow-fell-counts.csv";  // scatters beyond Poisson
const std::string kMerrin = kExamples + "merrin-scar-counts.csv";  // a grain with Ns = 0
const std::string kTryHelp = "\nTry 'sifton-report --help'.\n";

struct Ran {
    int status;
    std::string out, err;
};

Ran run(const Args& args, const std::string& input = {},
        const std::string& executableFolder = kData, cli::PlotWriter plot = {},
        const std::string& date = "2026-12-05") {
    std::istringstream in(input);
    std::ostringstream out, err;
    cli::Environment env{in, out, err, executableFolder, date, {2001, 1, 1}, false, plot};
    const int status = cli::runReportCommand(args, env);
    return {status, out.str(), err.str()};
}

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The cells of the tsv's line for the first file.
std::vector<std::string> firstFilesCells(const std::string& tsv) {
    std::vector<std::string> cells;
    std::istringstream line(tsv.substr(tsv.find('\n') + 1));
    for (std::string cell; std::getline(line, cell, '\t');) cells.push_back(cell);
    return cells;
}

// From a key of the first file's JSON object to the end of the output, as written.
std::string jsonFrom(const std::string& out, const std::string& key) {
    return out.substr(std::min(out.find("\"" + key + "\":"), out.size()));
}

// What the results window copies after the same load, rejections and copy command.
std::string copiedInWindow(const std::string& path, const std::string& rejections,
                           bool longReport) {
    ScriptedPlatform platform;  // dated 5 Dec. 2026
    platform.folder = kData;
    frmDIX w(platform);
    EXPECT_TRUE(w.loadDataFile(path)) << path;
    std::istringstream items(rejections);
    for (std::string item; std::getline(items, item, ',');)
        item == "max" ? w.cmdRejectMax_Click() : w.cmdRejectMin_Click();
    w.findChild<QAction*>(longReport ? "mnuEditItem_2" : "mnuEditItem_1")->trigger();
    return platform.clipboard;
}

// --report copies what the window copies after the same rejections.
TEST(ReportCommand, AgreesWithTheResultsWindowOnEveryExample) {
    const std::pair<std::string, bool> sequences[] = {
        {"", false}, {"", true}, {"max,min", false}, {"min,max,max,min,max", true}};
    for (const auto& entry : fs::directory_iterator(kExamples)) {
        const std::string path = entry.path().string();
        if (!path.ends_with(".csv")) continue;
        for (const auto& [rejections, longReport] : sequences) {
            SCOPED_TRACE(path + " " + rejections + (longReport ? " long" : " short"));
            Args args = {"--report", longReport ? "long" : "short", path};
            if (!rejections.empty()) args.insert(args.begin(), {"--reject", rejections});
            const Ran copied = run(args);
            EXPECT_EQ(std::pair(copied.status, copied.out),
                      std::pair(cli::kExitComputed, copiedInWindow(path, rejections, longReport)));
        }
    }
}

// 7 8 9 9 9 18: mean 10, SS 80, so s = 4 and Grubbs' T is 3/4 and 2. Dixon's r10 is 1/11 and
// 9/11. Without the 18 the rest has mean 8.4 and SS 3.2, so g = 9.6 / sqrt(3.2 / 4); without the
// 7, mean 10.6 and SS 69.2. Counting from the largest, Q3 lies at 1.75, (18 + 9) / 2, and Q1 at
// 4.5, (9 + 8) / 2, so the fences lie 1.5 and 3 times 5 outside them. Grubbs' p of T = 2 (n = 6)
// is 6 P(t4 > sqrt(96)), and for t4, P(t4 > t) = 1/2 - x/2 (1 + (1 - x^2)/2) with
// x^2 = t^2 / (4 + t^2) = 0.96; of T = 3/4 it is above 1, so the bound 1.
// The header holds quotes, a comma, a backslash and a letter beyond ASCII.
const std::string kByHand = "\"Tarn \"\"A\"\", \\ east\",H-6,Eocène\n7\n8\n9\n9\n9\n18\n";

TEST(ReportCommand, JsonOfADataSetWorkedOutByHand) {
    test::TempDir folder;
    const std::string hand = folder.write("hand.csv", kByHand);
    const Ran o = run({"--format", "json", hand, folder.file("name \xFF.csv")});  // not UTF-8
    // Byte for byte, the refused file's name made UTF-8. The ESD screen: k = (6 - 1) / 2; R1 =
    // 8 / 4 beats lambda1, the two-sided 5 % Grubbs value for n = 6; R2 = 1.4 / sqrt(0.8) does
    // not beat lambda2. The g-test's critical value is gauss-g.dat's for n = 6.
    const std::string name = folder.file("name \uFFFD.csv");
    EXPECT_EQ(std::pair(o.status, o.out),
              std::pair(cli::kExitRefused,
                        "[\n{\"file\":\"" + hand +
                            R"(","locality":"Tarn \"A\", \\ east","code":"H-6","age":"Eocène",)"
                            R"("reading":{"separator":",","decimal_mark":".",)"
                            R"("thousands_separator":null,"value_column":1,"header":true},"n":6,)"
                            R"("n_read":6,"rejected":[],"mean":10,"sd":4,"se":1.632993161855452,)"
                            R"("iqr":{"q1":8.5,"q3":13.5,"lower_inner":1,"upper_inner":21,)"
                            R"("lower_outer":-6.5,"upper_outer":28.5},"min":{"row":1,"value":7,)"
                            R"("grubbs":{"statistic":0.75,"class":"> 10 %","p":1,)"
                            R"("p_is_bound":true},"dixon":{"statistic":0.09090909090909091,)"
                            R"("class":"> 10 %","p":0.7712686090909091,"p_is_bound":false},)"
                            R"("iqr":"within inner fences","gauss":{"statistic":0.865524666301821,)"
                            R"("unbounded":false,"critical":4.3388,"outlier":false,"p":1}},)"
                            R"("max":{"row":6,"value":18,"grubbs":{"statistic":2,"class":"< 1 %",)"
                            R"("p":0.0018245548333900086,"p_is_bound":false},"dixon":{)"
                            R"("statistic":0.8181818181818182,"class":"< 0.5 %",)"
                            R"("p":0.0011181909090909074,"p_is_bound":false},)"
                            R"("iqr":"within inner fences","gauss":{"statistic":10.73312629199899,)"
                            R"("unbounded":false,"critical":4.3388,"outlier":true,)"
                            R"("p":0.0018245548333900086}},"gesd":{"alpha":0.05,"k":2,"steps":[)"
                            R"({"i":1,"row":6,"value":18,"R":2,"lambda":1.8871451177839333},)"
                            R"({"i":2,"row":1,"value":7,"R":1.5652475842498532,)"
                            R"("lambda":1.7150373123433638}],"outliers":1,"rows":[6]},)"
                            R"("error":null},)"
                            "\n{\"file\":\"" +
                            name +
                            R"(","locality":null,"code":null,"age":null,"reading":null,"n":null,)"
                            R"("n_read":null,"rejected":null,"mean":null,"sd":null,"se":null,)"
                            R"("iqr":null,"min":null,"max":null,"gesd":null,"error":"Error )"
                            "occurred while trying to load file: " +
                            name +
                            " , the file does not exist. Check the name and the folder, "
                            "please.\"}\n]\n"));
    const Json flat = Json::parse(o.out).at(0).flatten();
    const double grubbsP = 6 * (0.5 - std::sqrt(0.96) / 2 * (1 + 0.04 / 2));
    const std::tuple<const char*, double, double> near[] = {
        {"/se", 4 / std::sqrt(6.0), 1e-15},
        {"/max/grubbs/p", grubbsP, 1e-12},
        {"/max/gauss/p", grubbsP, 1e-12},  // g rises with T: the same p
        {"/max/dixon/statistic", 9.0 / 11, 1e-15},
        {"/min/dixon/statistic", 1.0 / 11, 1e-15},
        {"/max/dixon/p", 0.003, 0.002},  // within its class, the table's bound 0.001 not reached
        {"/max/gauss/statistic", 9.6 / std::sqrt(0.8), 1e-14},
        {"/min/gauss/statistic", 3.6 / std::sqrt(69.2 / 4), 1e-14},
        {"/gesd/steps/0/lambda", 1.8871, 1e-4},
        {"/gesd/steps/1/lambda", 1.7150, 1e-4},
        {"/gesd/steps/1/R", 1.4 / std::sqrt(0.8), 1e-14}};
    for (const auto& [pointer, value, tolerance] : near)
        EXPECT_NEAR(flat.value(pointer, std::nan("")), value, tolerance) << pointer;
}

// Byte for byte: the worked data set, one whose rest has no spread (g unbounded, "inf") and a
// missing file whose name holds a tab and a control character; "|" stands for the separator.
TEST(ReportCommand, TsvAndCsvByteForByte) {
    test::TempDir folder;
    const std::string hand = folder.write("hand.csv", kByHand);
    const std::string flat = folder.write("flat.csv", "a,b,c\n5\n5\n5\n5\n9\n");
    const std::string missing = folder.file("tab\there\x01.csv");
    const std::string columns =
        "file|error|locality|code|age|n|n_read|rejected_rows|mean|sd|se|min|min_row|max|max_row|"
        "min_grubbs_t|min_grubbs_class|min_grubbs_p|min_grubbs_p_is_bound|min_dixon_r|"
        "min_dixon_class|min_dixon_p|min_dixon_p_is_bound|min_iqr_verdict|min_g|min_g_critical|"
        "min_g_verdict|min_g_p|max_grubbs_t|max_grubbs_class|max_grubbs_p|max_grubbs_p_is_bound|"
        "max_dixon_r|max_dixon_class|max_dixon_p|max_dixon_p_is_bound|max_iqr_verdict|max_g|"
        "max_g_critical|max_g_verdict|max_g_p|q1|q3|lower_inner_fence|upper_inner_fence|"
        "lower_outer_fence|upper_outer_fence|gesd_outliers|gesd_rows";
    // After the locality. The values as worked out above; the min Dixon p from dixon-p.dat.
    const std::string handCells =
        "H-6|Eocène|6|6||10|4|1.632993161855452|7|1|18|6|0.75|> 10 %|1|true|0.09090909090909091|"
        "> 10 %|0.7712686090909091|false|within inner fences|0.865524666301821|4.3388|OK|1|2|< 1 %|"
        "0.0018245548333900086|false|0.8181818181818182|< 0.5 %|0.0011181909090909074|false|"
        "within inner fences|10.73312629199899|4.3388|outlier|0.0018245548333900086|8.5|13.5|1|21|"
        "-6.5|28.5|1|6";
    // 5 5 5 5 9: mean 5.8, s = sqrt(3.2), g of the 5 (rest 5 5 5 9: mean 6, s 2) 0.5.
    const std::string flatCells =
        "a|b|c|5|5||5.8|1.7888543819998317|0.8|5|1|9|5|0.44721359549995787|> 10 %|1|true|0|> 10 %|"
        "1|false||0.5|5.0767|OK|1|1.788854381999832|< 1 %|0|false|1|< 0.5 %|0.001|true||inf|"
        "5.0767|outlier|0||||||||";
    const std::string why = " , the file does not exist. Check the name and the folder, please.";
    const std::string error = "Error occurred while trying to load file: ";
    const auto with = [](std::string line, char separator) {
        std::replace(line.begin(), line.end(), '|', separator);
        return line;
    };
    const std::string escaped = folder.file("tab\\there\x01.csv");
    const Ran tsv = run({hand, flat, missing}), csv = run({"--format", "csv", hand, flat, missing});
    EXPECT_EQ(
        std::pair(tsv.status, tsv.out),
        std::pair(cli::kExitRefused,
                  with(columns, '\t') + "\n" + hand + "\t\tTarn \"A\", \\\\ east\t" +
                      with(handCells, '\t') + "\n" + flat + "\t\t" + with(flatCells, '\t') + "\n" +
                      escaped + "\t" + error + escaped + why + std::string(47, '\t') + "\n"));
    EXPECT_EQ(csv.out, with(columns, ',') + "\r\n" + hand + ",,\"Tarn \"\"A\"\", \\ east\"," +
                           with(handCells, ',') + "\r\n" + flat + ",," + with(flatCells, ',') +
                           "\r\n" + missing + ",\"" + error + missing + why + "\"" +
                           std::string(47, ',') + "\r\n");
}

// The published ESD example (NIST/SEMATECH e-Handbook, 1.3.5.17.3; see
// tests/core/test_analysis.cpp) finds three outliers, none when k = 2 stops short of them; below
// six values the screen does not run. A k beyond what the screen takes for n values is cut, with
// a note.
TEST(ReportCommand, EsdScreenAndItsOptions) {
    const std::string example = kExamples + "esd-example-54.csv";
    const Json g = Json::parse(run({"--format=json", example, kAspen}).out);
    const Json few = Json::parse(
        run({"--format=json", "--gesd-k", "2", "--gesd-alpha", "0.01", example}).out)[0]["gesd"];
    EXPECT_EQ(
        std::tuple(g[0]["gesd"]["rows"], g[1]["gesd"], few["alpha"], few["k"], few["outliers"]),
        std::tuple(Json::array({54, 53, 52}), nullptr, 0.01, 2, 0));
    EXPECT_EQ(run({"--gesd-k", "40", example}).err,
              "sifton-report: " + example +
                  ": k = 40 was cut to 26, the most the screen takes for 54 values.\n");
}

// Refused files give status 1 and their reason on standard error, as do rejections that would
// leave fewer than three values; "-" reads as the file does.
TEST(ReportCommand, RefusedFilesAndStandardInput) {
    test::TempDir folder;
    const std::string five = "a,b,c\n10\n12\n11\n30\n12\n";
    const std::string good = folder.write("good.csv", five);
    const std::string two = folder.write("two.csv", "a,b,c\n10\n12\n");
    const Ran o = run({"--reject", "max,max,max", good, two, folder.file("none.csv")});
    EXPECT_EQ(std::tuple(o.status, o.err,
                         o.out.find("\n" + good + "\t\ta\tb\tc\t3\t5\t4 2\t") != std::string::npos),
              std::tuple(cli::kExitRefused,
                         "sifton-report: " + good +
                             ": 2 of 3 rejections made: three values are the fewest the tests "
                             "take.\nsifton-report: " +
                             two + ": What can I test with one or two data?\n" +
                             "sifton-report: " + folder.file("none.csv") + ": no such file\n",
                         true));
    std::string fromFile = run({good}).out;
    fromFile.replace(fromFile.find(good), good.size(), "-");
    for (const Args& args : std::vector<Args>{{"-"}, {"--", "-"}}) {
        const Ran in = run(args, five);
        EXPECT_EQ(std::pair(in.status, in.out), std::pair(cli::kExitComputed, fromFile));
    }
    EXPECT_EQ(run({"-"}, "a,b,c\n10\n12\n").status, cli::kExitRefused);
}

// The first wrong argument is the one reported, with the command line as written.
TEST(ReportCommand, UsageErrors) {
    const std::pair<Args, std::string> cases[] = {
        {{}, "no data file given"},
        {{"--format", "xml", "a.csv"}, "--format is tsv, csv or json, not \"xml\""},
        {{"--frob", "--format", "xml", "a.csv"}, "unknown option --frob"},
        {{"--reject", "up", "--tables"}, "--reject takes a list such as max,min,max, not \"up\""},
        {{"--format", "csv", "a.csv", "--tables"}, "--tables needs a value"},
        {{"--report", "full", "a.csv"}, "--report is short or long, not \"full\""},
        {{"--report", "short", "a.csv", "b.csv"}, "--report takes exactly one data file"},
        {{"--plot", "p.svg", "a.csv", "b.csv"}, "--plot takes exactly one data file"},
        {{"--report", "long", "--format", "tsv", "a.csv"},
         "--report writes the clipboard report; it takes no --format"},
        {{"--plot", "plot.gif", "a.csv"},
         "--plot writes PNG, SVG or PDF: give the file name the ending .png, .svg or .pdf"},
        {{"-", "-"}, "standard input (-) can be read only once"},
        {{"--gesd-alpha", "0.5", "a.csv"},
         "--gesd-alpha takes a level above 0 and below 0.5, such as 0.05"},
        {{"--gesd-k", "3x", "a.csv"}, "--gesd-k takes a whole number from 1 up"},
        {{"--decimal", "dot", "a.csv"}, "--decimal is point or comma, not \"dot\""},
        {{"--column", "0", "a.csv"}, "--column takes a column number from 1, or its name"},
        {{"--uncertainty", "1σ", "a.csv"}, "--uncertainty is 1s, 2s, 1s% or 2s%, not \"1σ\""},
        {{"--plot-kind", "pie", "a.csv"}, "--plot-kind is data or radial, not \"pie\""},
        {{"--plot-kind", "radial", "--uncertainty", "1s", "a.csv"},
         "--plot-kind radial needs --plot"},
        {{"--plot", "r.png", "--plot-kind", "radial", "a.csv"},
         "--plot-kind radial needs the ages' uncertainties: give --uncertainty"}};
    for (const auto& [args, why] : cases) {
        const Ran o = run(args);
        EXPECT_EQ(std::tuple(o.status, o.err, o.out),
                  std::tuple(cli::kExitUsage, "sifton-report: " + why + kTryHelp, ""))
            << testing::PrintToString(args);
    }
    // A build without a plot writer.
    const Ran o = run({"--plot", "p.svg", kAspen});
    EXPECT_EQ(
        std::tuple(o.status, o.err, o.out),
        std::tuple(cli::kExitUsage, "sifton-report: --plot is not available in this build\n", ""));
}

// A value is the next argument, options may follow files, the last counts; help wins over errors.
TEST(ReportCommand, OptionsAsWrittenOnTheCommandLine) {
    EXPECT_EQ(run({"--tables", "--format", kAspen, "--tables=" + kData, "--format", "json",
                   "--format=csv"},
                  {}, "/x")
                  .out,
              run({"--format", "csv", kAspen}).out);
    EXPECT_EQ(run({"--version"}).out, "sifton-report 1.0.0\n");
    const Ran help = run({"a.csv", "--help", "-", "-"});
    EXPECT_EQ(
        std::pair(help.status, help.out.substr(0, 41)),
        std::pair(cli::kExitComputed, std::string("Usage: sifton-report [OPTION]... FILE...\n")));
}

// SIFTON_DATE, read only for --report: exactly YYYY-MM-DD and a day of the calendar.
TEST(ReportCommand, ReportDate) {
    for (auto [date, shown] :
         {std::pair{"2000-02-29", "29 Feb. 00"}, {"1999-02-09", "9 Feb. 99"}}) {
        const Ran o = run({"--report", "short", kAspen}, {}, kData, {}, date);
        EXPECT_EQ(o.out.substr(0, o.out.find('\r')),
                  std::string("Test of outliers by Sifton program\t\t\t\t") + shown);
    }
    for (const char* date :
         {"2026-02-29", "1900-02-29", "2026-04-31", "2026-13-01", "2026-4-1", "2026-12-05x"}) {
        EXPECT_EQ(std::pair(run({"--report", "short", kAspen}, {}, kData, {}, date).err,
                            run({kAspen}, {}, kData, {}, date).status),
                  std::pair("sifton-report: SIFTON_DATE must be a date as YYYY-MM-DD, not \"" +
                                std::string(date) + "\"" + kTryHelp,
                            cli::kExitComputed));
    }
}

// --plot hands the writer the plot after the rejections: the data plot, or with --plot-kind
// radial the radial plot of the ages or of a count file's counts, which needs no --uncertainty.
// What the writer was handed: the file, the plot's name, its points under test and the rows of
// its rejected points. A plot that cannot be written or drawn is refused, the file's row written
// all the same: ages not above 0 have no place on the radial plot's scale of logarithms, and
// standard input (ages here) is known to hold no counts only once read.
TEST(ReportCommand, Plots) {
    test::TempDir folder;
    const std::string harrow = kExamples + "harrow-creek-outlier-12.csv";
    const std::string ridge = kExamples + "kestrel-ridge-12.csv";
    const std::string negative = folder.write("n.csv", "A,B,C\n41,3\n-2,3\n44,3\n45,3\n");
    const std::pair<Args, std::string> cases[] = {
        {{"--reject", "max", "--plot", "ok.svg", harrow}, "ok.svg Sifton data plot 11 #9"},
        {{"--plot", "full.PNG", harrow}, "sifton-report: full.PNG: no room\n"},
        {{"--plot-kind", "radial", "--plot", "r.svg", "--uncertainty", "1s", "--reject", "max",
          ridge},
         "r.svg Sifton radial plot 11 #12"},
        {{"--plot-kind", "radial", "--plot", "r.svg", "--uncertainty", "1s", negative},
         "sifton-report: r.svg: the radial plot cannot be drawn: row 2 has -2, not above 0, and "
         "its scale of ages is logarithmic\n"},
        {{"--plot-kind", "radial", "--plot", "r.svg", kTarrow},
         "r.svg Sifton radial plot of counts 12"},
        {{"--plot-kind", "radial", "--plot", "r.svg", "-"},
         "sifton-report: r.svg: --plot-kind radial needs the ages' uncertainties: give "
         "--uncertainty\n"}};
    for (const auto& [args, outcome] : cases) {
        std::string seen;
        auto writer = [&seen](const PlotGeometry& plot, const std::string& to) {
            int underTest = 0;
            std::string rejected;
            for (const PlotPoint& p : plot.points) {
                underTest += p.role == PlotRole::Value;
                if (p.role == PlotRole::Rejected) rejected += " #" + std::to_string(p.row);
            }
            seen = to + " " + plot.name + " " + std::to_string(underTest) + rejected;
            return std::string(to.starts_with("full") ? "no room" : "");
        };
        const Ran o = run(args, contents(kAspen), kData, writer);
        EXPECT_EQ(std::tuple(o.status, o.err.empty() ? seen : o.err,
                             std::count(o.out.begin(), o.out.end(), '\n')),
                  std::tuple(outcome.ends_with('\n') ? cli::kExitRefused : cli::kExitComputed,
                             outcome, 2))
            << testing::PrintToString(args);
    }
}

// Without dixon-p.dat the Dixon p-values are left empty, with one warning; without the other
// tables the tests do not run. The folder's name, not UTF-8, keeps its bytes.
TEST(ReportCommand, MissingTables) {
    test::TempDir folder;
    const std::string tables = folder.file("f\xE9\xFF");
    fs::create_directory(tables);
    for (const char* name : {"grubbs.dat", "dixon.dat", "gauss-g.dat"})
        fs::copy_file(kData + "/" + name, tables + "/" + name);
    const Ran o = run({"--format", "json", "--tables", tables, kAspen, kAspen});
    EXPECT_EQ(std::pair(o.status, o.err),
              std::pair(cli::kExitComputed, "sifton-report: warning: The table file " + tables +
                                                "/dixon-p.dat is missing or cannot be opened. The "
                                                "Dixon p-values are left empty.\n"));
    const Json max = Json::parse(o.out)[1]["max"];
    EXPECT_EQ(std::tuple(max["dixon"]["class"], max["dixon"]["p"], max["grubbs"]["p"].is_number()),
              std::tuple("1-2 %", nullptr, true));
    const Ran none = run({"--format", "json", kAspen}, {}, folder.file("nowhere"));
    EXPECT_EQ(std::tuple(none.status, none.err.ends_with(" The outlier tests could not be run.\n"),
                         Json::parse(none.out)[0]["n"]),
              std::tuple(cli::kExitRefused, true, nullptr));
}

// --column, --decimal and --no-header answer a file's questions; unanswered, one refuses the file.
TEST(ReportCommand, OptionsAnswerTheFilesQuestionsAndAnUnansweredOneRefusesIt) {
    test::TempDir dir;
    const std::string pandas =
        dir.write("p.csv", ",age,error\n0,41.2,3.1\n1,44.8,3.3\n2,39.1,2.9\n");
    const std::string comma = dir.write("c.csv", "Age\n41,2\n44,8\n47,1\n");
    const std::string bare = dir.write("b.csv", "41.2\n44.8\n39.1\n");
    // Each answer with the mean of the values it reads: 41.2, 44.8, 39.1 (the age column, or the
    // values without a header); 3.1, 3.3, 2.9 (the error column); 41.2, 44.8, 47.1. Unanswered,
    // the message ends with the options that answer.
    const std::tuple<Args, double, std::string> cases[] = {
        {{"--column", "age", pandas}, 41.7, "Give --column N or --column NAME."},
        {{"--column", "3", pandas}, 3.1, "Give --column N or --column NAME."},
        {{"--decimal", "comma", comma},
         44.366666666666667,
         "Give --decimal comma or --decimal point."},
        {{"--no-header", bare}, 41.7, "Give --no-header or --header."}};
    for (auto [args, mean, give] : cases) {
        const Ran r = run({"--format", "json", args.back()});
        EXPECT_EQ(std::pair(r.status, Json::parse(r.out)[0]["reading"]),
                  std::pair(cli::kExitRefused, Json()));
        EXPECT_TRUE(r.err.starts_with("sifton-report: " + args.back() + ": ") &&
                    r.err.ends_with(give + "\n") &&
                    std::count(r.err.begin(), r.err.end(), '\n') == 1)
            << r.err;
        args.insert(args.begin(), "--format=json");
        const Ran answered = run(args);
        ASSERT_EQ(answered.status, cli::kExitComputed) << answered.err;
        EXPECT_NEAR(Json::parse(answered.out)[0]["mean"].get<double>(), mean, 1e-9 * mean)
            << args.back();
    }
}

// The first file's tsv cells from the given column on, as written.
std::string cellsFrom(const std::string& tsv, std::size_t column) {
    std::size_t at = tsv.find('\n');
    for (std::size_t i = 0; i < column; ++i) at = tsv.find('\t', at + 1);
    return tsv.substr(at + 1);
}

// Values with their 1-sigma uncertainties, more scattered than those say.
const std::string kScattered = "A,B,C\n10,1\n12,1.5\n15,0.75\n11,2.2\n20,1.5\n";

// The "ages" object byte for byte, and the tsv's columns after gesd_rows. Their numbers are the
// formulas of core/age_statistics.h evaluated with mpmath at 40 digits by a short script, apart
// from the program: the chi-square p as the regularized upper incomplete gamma function, the
// dispersion by bisection of sum w^2 (z - mu)^2 = sum w, the extremes' p as
// 1 - erf(|y|/sqrt 2)^n. An empty cell where JSON has null: the dispersion without its standard
// error when the values scatter less than their uncertainties say, no central age for a value
// below 0.
TEST(ReportCommand, AgesInJsonAndTsv) {
    test::TempDir folder;
    const std::string scattered = folder.write("s.csv", kScattered);
    const std::string ages =
        R"("ages":{"uncertainty":"1s","weighted_mean":{"value":13.725225225225225,)"
        R"("se":0.5081134045303689,"mswd":9.280655655655655,"chi2":37.12262262262262,"df":4,)"
        R"("p":1.6995067169609306e-07},"central":{"age":13.476316518007142,)"
        R"("se":1.5695729156002616,"dispersion":0.23497268822868458,)"
        R"("dispersion_se":0.09011505759558831},"min":{"row":1,"y":-3.9054801988908716,)"
        R"("p":0.00047010387009483096},"max":{"row":5,"y":4.034655475611437,)"
        R"("p":0.00027338246267677023},"rows":[{"row":1,"value":10,"s":1,"x":10,)"
        R"("y":-3.9054801988908716},{"row":2,"value":12,"s":1.5,"x":8,"y":-1.6658117047610617},)"
        R"({"row":3,"value":15,"s":0.75,"x":20,"y":0.29834176438154003},{"row":4,"value":11,)"
        R"("s":2.2,"x":5,"y":-1.476189200423812},{"row":5,"value":20,"s":1.5,)"
        R"("x":13.333333333333334,"y":4.034655475611437}]},"error":null})"
        "\n]\n";
    const Ran json = run({"--uncertainty", "1s", "--format", "json", scattered});
    EXPECT_EQ(std::pair(json.status, jsonFrom(json.out, "ages")),
              std::pair(cli::kExitComputed, ages));
    const Ran tsv = run({"--uncertainty", "1s", scattered});
    const std::vector<std::string> cells = firstFilesCells(tsv.out);
    ASSERT_EQ(cells.size(), 49u + 15u);
    EXPECT_EQ(cells[49], "1s");
    std::size_t column = 50;
    for (const double want :
         {13.725225225225225, 0.50811340453036898, 9.2806556556556557, 37.122622622622623, 4.0,
          1.6995067169609300e-7, 13.476316518007134, 1.5695729156002610, 0.23497268822868465,
          0.090115057595588329, -3.9054801988908785, 4.7010387009481735e-4, 4.0346554756114328,
          2.7338246267677485e-4}) {
        EXPECT_NEAR(std::strtod(cells[column].c_str(), nullptr), want, 1e-9 * std::fabs(want))
            << "column " << column;
        ++column;
    }
    // Less scattered than the uncertainties say: dispersion 0 without its standard error. mpmath
    // gives the central age 10.0133186881310 and its se 0.500027244986.
    const std::string under = folder.write("u.csv", "A,B,C\n10,1\n10.1,1\n9.9,1\n10.05,1\n");
    const Json central = Json::parse(run({"--uncertainty", "1s", "--format", "json", under}).out)
                             .at(0)["ages"]["central"];
    EXPECT_EQ(std::pair(central.dump(),
                        cellsFrom(run({"--uncertainty", "1s", under}).out, 56).substr(0, 37)),
              std::pair(std::string(R"({"age":10.013318688130967,"se":0.500027244986,)"
                                    R"("dispersion":0,"dispersion_se":null})"),
                        std::string("10.013318688130967\t0.500027244986\t0\t\t")));
}

// The same uncertainties given as 2 sigma or in per cent give the same ages, their kind written
// as given; rejections come first, as they do without --uncertainty.
TEST(ReportCommand, UncertaintyKindsAndRejections) {
    test::TempDir folder;
    const std::string oneSigma = folder.write("1s.csv", kScattered);
    const std::string ages = cellsFrom(run({"--uncertainty=1s", oneSigma}).out, 50);
    const std::pair<std::string, std::string> kinds[] = {
        {"2s", "A,B,C\n10,2\n12,3\n15,1.5\n11,4.4\n20,3\n"},
        {"1s%", "A,B,C\n10,10\n12,12.5\n15,5\n11,20\n20,7.5\n"},
        {"2s%", "A,B,C\n10,20\n12,25\n15,10\n11,40\n20,15\n"}};
    for (const auto& [kind, data] : kinds)
        EXPECT_EQ(cellsFrom(run({"--uncertainty", kind, folder.write("k.csv", data)}).out, 49),
                  kind + "\t" + ages);
    // Rejecting the 20 leaves the ages of the first four rows.
    const std::string four =
        folder.write("4.csv", kScattered.substr(0, kScattered.rfind("20,1.5")));
    const auto json = [](const Args& args) { return Json::parse(run(args).out)[0]["ages"]; };
    const Json rejected =
        json({"--reject", "max", "--uncertainty", "1s", "--format", "json", oneSigma});
    EXPECT_EQ(std::pair(rejected, rejected["rows"].size()),
              std::pair(json({"--uncertainty", "1s", "--format", "json", four}), std::size_t{4}));
}

// A row without a positive uncertainty (0, or a missing field) refuses its file, naming the row;
// the other files are reported. Without --uncertainty the second field is not read.
TEST(ReportCommand, ARowWithoutUncertaintyRefusesItsFile) {
    test::TempDir folder;
    const std::string zero = folder.write("zero.csv", "a,b,c\n10,1\n12,1\n11,1\n13,0\n");
    const std::string missing = folder.write("missing.csv", "a,b,c\n10,1\n12\n11,1\n");
    const std::string good = folder.write("good.csv", kScattered);
    const Ran o = run({"--uncertainty", "2s", "--format", "json", zero, good, missing});
    const Json j = Json::parse(o.out);
    EXPECT_EQ(
        std::tuple(o.status, o.err, j[0].at("ages"), j[1]["ages"]["rows"].size(), j[2].at("ages"),
                   j[0]["error"].get<std::string>().starts_with(
                       "Row 4 has no positive uncertainty: its value 13 has 0 ")),
        std::tuple(cli::kExitRefused,
                   "sifton-report: " + zero + ": row 4 has no positive uncertainty\n" +
                       "sifton-report: " + missing + ": row 2 has no positive uncertainty\n",
                   Json(), 5u, Json(), true));
    const Ran csv = run({"--uncertainty", "1s%", "--format", "csv", zero});
    EXPECT_TRUE(csv.out.ends_with(".\"" + std::string(62, ',') + "\r\n")) << csv.out;
    EXPECT_EQ(run({zero, missing}).status, cli::kExitComputed);
}

// A count file: its ages (the grains', with their counting errors, whatever --uncertainty says)
// and its "fission_tracks" object byte for byte, and in the tsv the ages' and the counts' columns
// last on the line. The numbers are the 40-digit mpmath values of the same grains in
// tests/core/test_fission_tracks.cpp; after --reject max the grains keep their rows.
TEST(ReportCommand, CountFiles) {
    const std::string counts =
        R"("fission_tracks":{"zeta":350,"zeta_se":10,"rhoD":1300000,"rhoD_se":26000,"sum_ns":18,)"
        R"("sum_ni":114,"pooled":{"age":35.821342265852955,"se":9.085318205475467,)"
        R"("se_total":9.17081015285021},"central":{"age":35.821342265852955,)"
        R"("se":9.085318205475469,"se_total":9.170810152850212,"dispersion":0,)"
        R"("dispersion_se":null},"chi2":4.09527350986161,"df":5,"p":0.5357821227479863,)"
        R"("grains":[{"row":1,"ns":0,"ni":12,"age":0,"se":37.612456074826895,)"
        R"("se_total":37.63532363743695,"x":7.0710678118654755,"y":-1.4557744877611944},{"row":2,)"
        R"("ns":3,"ni":20,"age":34.034994754059774,"se":21.072398994064944,)"
        R"("se_total":21.105804148320445,"x":9.695359714832659,"y":0.08040337855772478},{"row":3,)"
        R"("ns":7,"ni":25,"age":63.38733346723641,"se":27.105563942352937,)"
        R"("se_total":27.195564725439823,"x":11.40175425099138,"y":1.3250699574716343},{"row":4,)"
        R"("ns":2,"ni":18,"age":25.228347150190785,"se":18.804099729263232,)"
        R"("se_total":18.82467320743626,"x":9.055385138137417,"y":-0.2997442419001821},{"row":5,)"
        R"("ns":5,"ni":30,"age":37.80559244034157,"se":18.26183610552937,)"
        R"("se_total":18.309372141941793,"x":11.916375287812984,"y":0.2378579590191118},{"row":6,)"
        R"("ns":1,"ni":9,"age":25.228347150190785,"se":26.593012865340306,)"
        R"("se_total":26.607564488221126,"x":6.48074069840786,"y":-0.08092995656265939}]},)"
        R"("error":null})"
        "\n]\n";
    const Ran json = run({"--format", "json", kMerrin});
    EXPECT_EQ(std::pair(json.status, jsonFrom(json.out, "fission_tracks")),
              std::pair(cli::kExitComputed, counts));
    const Json object = Json::parse(json.out).at(0), &ft = object.at("fission_tracks");
    // After "gesd": "ages", without a central age for the grain of age 0, then the counts.
    std::vector<std::string> keys;
    for (const auto& item : object.items()) keys.push_back(item.key());
    EXPECT_EQ(std::pair(std::vector(keys.end() - 4, keys.end()), object["ages"]["central"]),
              std::pair(Args{"gesd", "ages", "fission_tracks", "error"}, Json()));
    const std::pair<const char*, double> mpmath[] = {{"/pooled/age", 35.8213422659},
                                                     {"/chi2", 4.09527350986},
                                                     {"/grains/0/se", 37.6124560748},
                                                     {"/grains/0/se_total", 37.6353236374},
                                                     {"/grains/0/y", -1.45577448776}};
    for (const auto& [pointer, want] : mpmath)
        EXPECT_NEAR(ft.at(Json::json_pointer(pointer)).get<double>(), want, 1e-9 * std::fabs(want))
            << pointer;
    // The ages' and the counts' columns, and the ages' and the counts' cells of the same numbers.
    const std::string header =
        "\tgesd_rows\tuncertainty\tweighted_mean\tweighted_mean_se\tmswd\tchi2\tdf\tchi2_p"
        "\tcentral_age\tcentral_age_se\tdispersion\tdispersion_se\tmin_y\tmin_y_p\tmax_y"
        "\tmax_y_p\tft_zeta\tft_zeta_se\tft_rhoD\tft_rhoD_se\tft_sum_ns\tft_sum_ni"
        "\tft_pooled_age\tft_pooled_age_se\tft_pooled_age_se_total\tft_central_age"
        "\tft_central_age_se\tft_central_age_se_total\tft_dispersion\tft_dispersion_se"
        "\tft_chi2\tft_df\tft_chi2_p\n";
    const std::string cells =
        "1s\t33.15614073650128\t9.30055008352169\t0.4708360988277421\t2.3541804941387103\t5\t"
        "0.7982774217534592\t\t\t\t\t-0.8815202248568894\t0.9421117821360516\t1.115313180534803\t"
        "0.8419735271932426\t350\t10\t1300000\t26000\t18\t114\t35.821342265852955\t"
        "9.085318205475467\t9.17081015285021\t35.821342265852955\t9.085318205475469\t"
        "9.170810152850212\t0\t\t4.09527350986161\t5\t0.5357821227479863\n";
    const std::string tsv = run({kMerrin}).out;
    EXPECT_EQ(std::pair(tsv.substr(tsv.find("\tgesd_rows"), header.size()), cellsFrom(tsv, 49)),
              std::pair(header, cells));
    EXPECT_EQ(run({"--uncertainty", "2s%", "--format", "json", kTarrow}).out,
              run({"--format", "json", kTarrow}).out);
    const Json rejected =
        Json::parse(run({"--reject", "max", "--format", "json", kTarrow}).out)[0]["fission_tracks"];
    EXPECT_EQ(std::tuple(rejected["grains"].size(), rejected["grains"][5]["row"],
                         rejected["grains"][10]["row"], rejected["sum_ns"]),
              std::tuple(11u, Json(7), Json(12), Json(348)));
}

// The ages' and the counts' columns and objects come with a count file in the run, for every
// file; a run without one is as before (see the byte-for-byte tests).
TEST(ReportCommand, CountColumnsInARunThatHoldsACountFile) {
    test::TempDir folder;
    const std::string refused = folder.write("no-ni.csv", "S,F\n350,10\n1300000\n3,4\n3,0\n5,6\n");
    const Json mixed = Json::parse(run({"--format", "json", kAspen, kTarrow, refused}).out);
    EXPECT_EQ(std::tuple(mixed[0].at("ages"), mixed[0].at("fission_tracks"),
                         mixed[2].at("fission_tracks"),
                         mixed[2]["error"].get<std::string>().find(
                             ", line 5 holds a grain without induced tracks") != std::string::npos),
              std::tuple(Json(), Json(), Json(), true));
    // 49 columns, the ages' 15 and the counts' 17 on every line; empty for the ages file.
    const Ran tsv = run({kAspen, refused, kMerrin});
    std::istringstream lines(tsv.out);
    std::vector<std::size_t> widths;
    for (std::string line; std::getline(lines, line);)
        widths.push_back(static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')) + 1);
    EXPECT_EQ(widths, std::vector<std::size_t>(4, 49 + 15 + 17));
    EXPECT_EQ(cellsFrom(tsv.out, 49).substr(0, 32), std::string(31, '\t') + "\n");
    // The columns are laid out before anything is read from standard input, which holds the
    // count file here.
    const Json in = Json::parse(run({"--format", "json", kAspen, "-"}, contents(kMerrin)).out);
    EXPECT_EQ(std::tuple(in[0].at("fission_tracks"), in[1]["file"], in[1]["locality"],
                         in[1]["fission_tracks"]["sum_ni"]),
              std::tuple(Json(), Json("-"), Json("Merrin Scar MS-3"), Json(114)));
}

}  // namespace
}  // namespace sifton
