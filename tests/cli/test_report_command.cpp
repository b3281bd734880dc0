// sifton-report: against the results window, a data set worked by hand, and its own rules.
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
const std::string kAspen = kExamples + "aspen-tarn-5.csv";  // five values: no IQR, no ESD
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

// The published ESD example (NIST/SEMATECH e-Handbook, 1.3.5.17.3; see test_gesd.cpp) finds three
// outliers, none when k = 2 stops short of them; below six values the screen does not run.
TEST(ReportCommand, EsdScreenAndItsOptions) {
    const std::string example = kExamples + "esd-example-54.csv";
    const Json g = Json::parse(run({"--format=json", example, kAspen}).out);
    const Json few = Json::parse(
        run({"--format=json", "--gesd-k", "2", "--gesd-alpha", "0.01", example}).out)[0]["gesd"];
    EXPECT_EQ(
        std::tuple(g[0]["gesd"]["rows"], g[1]["gesd"], few["alpha"], few["k"], few["outliers"]),
        std::tuple(Json::array({54, 53, 52}), nullptr, 0.01, 2, 0));
}

// Refused files give status 1 and their reason on standard error; "-" reads as the file does.
TEST(ReportCommand, RefusedFilesAndStandardInput) {
    test::TempDir folder;
    const std::string five = "a,b,c\n10\n12\n11\n30\n12\n";
    const std::string good = folder.write("good.csv", five);
    const std::string two = folder.write("two.csv", "a,b,c\n10\n12\n");
    const Ran o = run({good, two, folder.file("none.csv")});
    EXPECT_EQ(std::tuple(o.status, o.err,
                         o.out.find("\n" + good + "\t\ta\tb\tc\t5\t5\t") != std::string::npos),
              std::tuple(cli::kExitRefused,
                         "sifton-report: " + two + ": What can I test with one or two data?\n" +
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
        {{"--report", "full", "a.csv"}, "--report is short or long, not \"full\""},
        {{"--report", "short", "a.csv", "b.csv"}, "--report takes exactly one data file"},
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

// What a plot writer was handed: the file, the plot's name, its points under test and the
// rows of its rejected points.
std::string plotSeen(const PlotGeometry& plot, const std::string& to) {
    int underTest = 0;
    std::string rejected;
    for (const PlotPoint& p : plot.points) {
        underTest += p.role == PlotRole::Value;
        if (p.role == PlotRole::Rejected) rejected += " #" + std::to_string(p.row);
    }
    return to + " " + plot.name + " " + std::to_string(underTest) + rejected;
}

// --plot hands the writer the plot after the rejections; one it cannot write is a refusal.
TEST(ReportCommand, PlotGetsTheWindowsStateAfterTheRejections) {
    const std::string path = kExamples + "harrow-creek-outlier-12.csv";
    std::string seen;
    auto writer = [&seen](const PlotGeometry& plot, const std::string& to) {
        seen = plotSeen(plot, to);
        return std::string(to == "ok.svg" ? "" : "no room");
    };
    const Ran o = run({"--reject", "max", "--plot", "ok.svg", path}, {}, kData, writer);
    EXPECT_EQ(std::tuple(o.status, seen, std::count(o.out.begin(), o.out.end(), '\n')),
              std::tuple(cli::kExitComputed, "ok.svg Sifton data plot 11 #9", 2));
    const Ran refused = run({"--plot", "full.PNG", path}, {}, kData, writer);
    EXPECT_EQ(std::pair(refused.status, refused.err),
              std::pair(cli::kExitRefused, std::string("sifton-report: full.PNG: no room\n")));
}

// --plot-kind radial hands the writer the radial plot of the ages after the rejections; ages
// not above 0 cannot be drawn on its scale of logarithms, a refusal of the plot alone.
TEST(ReportCommand, RadialPlot) {
    test::TempDir folder;
    const std::string ridge = kExamples + "kestrel-ridge-12.csv";
    const std::string negative = folder.write("n.csv", "A,B,C\n41,3\n-2,3\n44,3\n45,3\n");
    std::string seen;
    auto writer = [&seen](const PlotGeometry& plot, const std::string& to) {
        seen = plotSeen(plot, to);
        return std::string();
    };
    const Args radial = {"--uncertainty", "1s", "--plot-kind", "radial", "--plot", "r.svg"};
    auto with = [&](Args args, const std::vector<std::string>& more) {
        args.insert(args.end(), more.begin(), more.end());
        return run(args, {}, kData, writer);
    };
    const Ran o = with(radial, {"--reject", "max", ridge});
    EXPECT_EQ(std::tuple(o.status, seen, o.err),
              std::tuple(cli::kExitComputed, "r.svg Sifton radial plot 11 #12", ""));
    seen.clear();
    const Ran refused = with(radial, {negative});
    EXPECT_EQ(std::tuple(refused.status, seen, refused.err,
                         std::count(refused.out.begin(), refused.out.end(), '\n')),
              std::tuple(cli::kExitRefused, "",
                         "sifton-report: r.svg: the radial plot cannot be drawn: row 2 has -2, not "
                         "above 0, and its scale of ages is logarithmic\n",
                         2));
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
    // The means of 41.2, 44.8, 39.1 (the age column, or the values without a header); 3.1, 3.3,
    // 2.9 (the error column); 41.2, 44.8, 47.1.
    const std::pair<Args, double> answered[] = {{{"--column", "age", pandas}, 41.7},
                                                {{"--column", "3", pandas}, 3.1},
                                                {{"--decimal", "comma", comma}, 44.366666666666667},

                                                {{"--no-header", bare}, 41.7}};
    for (auto [args, mean] : answered) {
        args.insert(args.begin(), "--format=json");
        const Ran r = run(args);
        ASSERT_EQ(r.status, cli::kExitComputed) << r.err;
        EXPECT_NEAR(Json::parse(r.out)[0]["mean"].get<double>(), mean, 1e-9 * mean) << args.back();
    }
    const std::pair<std::string, std::string> unanswered[] = {
        {pandas, "Give --column N or --column NAME."},
        {comma, "Give --decimal comma or --decimal point."},
        {bare, "Give --no-header or --header."}};
    for (const auto& [path, give] : unanswered) {
        const Ran r = run({"--format", "json", path});
        EXPECT_EQ(std::pair(r.status, Json::parse(r.out)[0]["reading"]),
                  std::pair(cli::kExitRefused, Json()));
        EXPECT_TRUE(r.err.starts_with("sifton-report: " + path + ": ") &&
                    r.err.ends_with(give + "\n") &&
                    std::count(r.err.begin(), r.err.end(), '\n') == 1)
            << r.err;
    }
}

// Values with their 1-sigma uncertainties, more scattered than those say; in the same order as
// the last fourteen columns of the tsv. The expected values are the formulas of
// core/age_statistics.h evaluated with mpmath at 40 digits by a short script, apart from the
// program: the chi-square p as the regularized upper incomplete gamma function, the dispersion
// by bisection of sum w^2 (z - mu)^2 = sum w, the extremes' p as 1 - erf(|y|/sqrt 2)^n.
const std::string kScattered = "A,B,C\n10,1\n12,1.5\n15,0.75\n11,2.2\n20,1.5\n";
const char* const kAgePointers[] = {"/ages/weighted_mean/value",
                                    "/ages/weighted_mean/se",
                                    "/ages/weighted_mean/mswd",
                                    "/ages/weighted_mean/chi2",
                                    "/ages/weighted_mean/df",
                                    "/ages/weighted_mean/p",
                                    "/ages/central/age",
                                    "/ages/central/se",
                                    "/ages/central/dispersion",
                                    "/ages/central/dispersion_se",
                                    "/ages/min/y",
                                    "/ages/min/p",
                                    "/ages/max/y",
                                    "/ages/max/p"};

// The cells of the tsv's line for the first file.
std::vector<std::string> firstFilesCells(const std::string& tsv) {
    std::vector<std::string> cells;
    std::istringstream line(tsv.substr(tsv.find('\n') + 1));
    for (std::string cell; std::getline(line, cell, '\t');) cells.push_back(cell);
    return cells;
}

struct AgesCase {
    const char* name;
    std::string data;
    std::vector<double> columns;  // NaN: null in JSON, an empty cell in the tsv
    std::vector<std::pair<std::string, double>> more;
};

TEST(ReportCommand, AgesInJsonAndTsvAgreeWithTheFormulas) {
    const double none = std::nan("");
    const AgesCase cases[] = {
        {"scattered",
         kScattered,
         {13.725225225225225, 0.50811340453036898, 9.2806556556556557, 37.122622622622623, 4,
          1.6995067169609300e-7, 13.476316518007134, 1.5695729156002610, 0.23497268822868465,
          0.090115057595588329, -3.9054801988908785, 4.7010387009481735e-4, 4.0346554756114328,
          2.7338246267677485e-4},
         {{"/ages/rows/1/s", 1.5},
          {"/ages/rows/1/x", 8},
          {"/ages/rows/1/y", -1.6658117047610658},
          {"/ages/rows/4/x", 13.333333333333333},
          {"/ages/rows/4/row", 5},
          {"/ages/min/row", 1},
          {"/ages/max/row", 5}}},
        // Less scattered than the uncertainties say: dispersion 0 and no standard error of it,
        // the central age the weighted mean of the log ages.
        {"underdispersed",
         "A,B,C\n10,1\n10.1,1\n9.9,1\n10.05,1\n",
         {10.0125, 0.5, 0.0072916666666666667, 0.021875, 3, 0.99914514467043502, 10.013318688130964,
          0.50002724498599981, 0, none, -0.11267505330906397, 0.99993522630494112,
          0.087055416725084810, 0.99997683937329690},
         {{"/ages/rows/0/y", -0.013309826625656264}}},
        // A value below 0: no central age; residuals of t with s about the weighted mean.
        {"a value below 0",
         "A,B,C\n-1,1\n2,1\n3,1\n2.5,1\n",
         {1.625, 0.5, 3.2291666666666667, 9.6875, 3, 0.021418103283465957, none, none, none, none,
          -2.625, 0.034211700912263755, 1.375, 0.52342715512428176},
         {{"/ages/rows/0/x", 1}, {"/ages/rows/3/y", 0.875}}}};
    const auto close = [](double got, double want) {
        return std::fabs(got - want) <= 1e-9 * std::fabs(want);
    };
    for (const AgesCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir folder;
        const std::string path = folder.write("ages.csv", c.data);
        const Ran json = run({"--uncertainty", "1s", "--format", "json", path});
        const Json object = Json::parse(json.out).at(0), flat = object.flatten();
        EXPECT_EQ(std::pair(json.status, flat.value("/ages/uncertainty", "")),
                  std::pair(cli::kExitComputed, std::string("1s")));
        const Ran tsv = run({"--uncertainty", "1s", path});
        const std::vector<std::string> cells = firstFilesCells(tsv.out);
        EXPECT_TRUE(tsv.out.substr(0, tsv.out.find('\n'))
                        .ends_with("\tgesd_rows\tuncertainty\tweighted_mean\tweighted_mean_se\tmswd"
                                   "\tchi2\tdf\tchi2_p\tcentral_age\tcentral_age_se\tdispersion"
                                   "\tdispersion_se\tmin_y\tmin_y_p\tmax_y\tmax_y_p"));
        ASSERT_EQ(cells.size(), 49u + 15u);
        EXPECT_EQ(cells[49], "1s");
        for (std::size_t i = 0; i < std::size(kAgePointers); ++i) {
            const std::string pointer = kAgePointers[i], cell = cells[50 + i];
            const double want = c.columns[i];
            if (std::isnan(want)) {
                // Null where it stands, or its object null: "central" with a value <= 0.
                Json::json_pointer at(pointer);
                while (!object.contains(at)) at = at.parent_pointer();
                EXPECT_EQ(std::pair(object.at(at), cell), std::pair(Json(), std::string()))
                    << pointer;
                continue;
            }
            EXPECT_TRUE(close(flat.value(pointer, none), want)) << pointer << " " << flat;
            EXPECT_TRUE(close(std::strtod(cell.c_str(), nullptr), want)) << pointer << " " << cell;
        }
        for (const auto& [pointer, want] : c.more)
            EXPECT_TRUE(close(flat.value(pointer, none), want)) << pointer;
    }
}

// The same uncertainties given as 2 sigma or in per cent give the same ages; rejections come
// first, as they do without --uncertainty.
TEST(ReportCommand, UncertaintyKindsAndRejections) {
    test::TempDir folder;
    const std::string oneSigma = folder.write("1s.csv", kScattered);
    const Json one = Json::parse(run({"--uncertainty=1s", "--format=json", oneSigma}).out)[0];
    const std::pair<const char*, std::string> kinds[] = {
        {"2s", "A,B,C\n10,2\n12,3\n15,1.5\n11,4.4\n20,3\n"},
        {"1s%", "A,B,C\n10,10\n12,12.5\n15,5\n11,20\n20,7.5\n"},
        {"2s%", "A,B,C\n10,20\n12,25\n15,10\n11,40\n20,15\n"}};
    for (const auto& [kind, data] : kinds) {
        const std::string path = folder.write("k.csv", data);
        const Json ages =
            Json::parse(run({"--uncertainty", kind, "--format", "json", path}).out)[0]["ages"];
        EXPECT_EQ(std::pair(ages["uncertainty"],
                            firstFilesCells(run({"--uncertainty", kind, path}).out).at(49)),
                  std::pair(Json(kind), std::string(kind)));
        for (std::size_t i = 0; i < 5; ++i)
            EXPECT_NEAR(ages["rows"][i]["s"].get<double>(),
                        one["ages"]["rows"][i]["s"].get<double>(), 1e-14)
                << kind << " row " << i + 1;
        EXPECT_NEAR(ages["central"]["age"].get<double>(),
                    one["ages"]["central"]["age"].get<double>(), 1e-12)
            << kind;
    }
    // Rejecting the 20 leaves the ages of the first four rows.
    const std::string four =
        folder.write("4.csv", kScattered.substr(0, kScattered.rfind("20,1.5")));
    const Json rejected =
        Json::parse(run({"--reject", "max", "--uncertainty", "1s", "--format", "json", oneSigma})
                        .out)[0]["ages"];
    EXPECT_EQ(rejected,
              Json::parse(run({"--uncertainty", "1s", "--format", "json", four}).out)[0]["ages"]);
    EXPECT_EQ(rejected["rows"].size(), 4u);
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

// Count files: their "fission_tracks" object and ft_ columns. The expected values are the
// 40-digit mpmath values of the same grains in tests/core/test_fission_tracks.cpp and, for the
// eleven grains left after --reject max, tests/core/test_count_data_set.cpp.
const std::string kTarrow = kExamples + "tarrow-fell-counts.csv";  // scatters beyond Poisson
const std::string kMerrin = kExamples + "merrin-scar-counts.csv";  // a grain with Ns = 0
// Six grains of nearly one ratio, in RadialPlotter's layout without its flag.
const std::string kUnderdispersed =
    "U-1\n350,10\n1300000,26000\n50,100\n26,50\n49,101\n75,150\n24,49\n100,199\n";

// The ft_ columns in order, with where JSON has the same number under "fission_tracks".
const std::pair<const char*, const char*> kCountColumns[] = {
    {"ft_zeta", "/zeta"},
    {"ft_zeta_se", "/zeta_se"},
    {"ft_rhoD", "/rhoD"},
    {"ft_rhoD_se", "/rhoD_se"},
    {"ft_sum_ns", "/sum_ns"},
    {"ft_sum_ni", "/sum_ni"},
    {"ft_pooled_age", "/pooled/age"},
    {"ft_pooled_age_se", "/pooled/se"},
    {"ft_pooled_age_se_total", "/pooled/se_total"},
    {"ft_central_age", "/central/age"},
    {"ft_central_age_se", "/central/se"},
    {"ft_central_age_se_total", "/central/se_total"},
    {"ft_dispersion", "/central/dispersion"},
    {"ft_dispersion_se", "/central/dispersion_se"},
    {"ft_chi2", "/chi2"},
    {"ft_df", "/df"},
    {"ft_chi2_p", "/p"}};

struct CountsCase {
    const char* name;
    Args args;         // before the file
    std::string file;  // a path, or the text of a file to write
    std::size_t grains;
    std::vector<std::pair<std::string, double>> values;  // under "fission_tracks"; NaN: null
};

TEST(ReportCommand, CountFilesInJsonAndTsvAgreeWithIndependentValues) {
    const double null = std::nan("");
    const std::vector<std::pair<std::string, double>> tarrow = {
        {"/zeta", 350},
        {"/zeta_se", 10},
        {"/rhoD", 1.3e6},
        {"/rhoD_se", 2.6e4},
        {"/sum_ns", 367},
        {"/sum_ni", 741},
        {"/df", 11},
        {"/pooled/age", 111.702050198},
        {"/pooled/se", 7.12998946875},
        {"/pooled/se_total", 8.12485564494},
        {"/central/age", 107.222024632},
        {"/central/se", 11.8161259818},
        {"/central/se_total", 12.3937245119},
        {"/central/dispersion", 0.29470211279},
        {"/central/dispersion_se", 0.0998799343301},
        {"/chi2", 30.0878676419},
        {"/p", 0.00153501920781},
        {"/grains/0/age", 67.8912390081},
        {"/grains/0/se", 22.3457423877},
        {"/grains/0/se_total", 22.4708370969},
        {"/grains/7/row", 8},
        {"/grains/7/ns", 5},
        {"/grains/7/ni", 30},
        {"/grains/7/x", 11.9163752878},
        {"/grains/7/y", -2.44732710546}};
    const CountsCase cases[] = {
        {"overdispersed", {}, kTarrow, 12, tarrow},
        // --uncertainty does not apply to a count file: the same numbers.
        {"--uncertainty 2s", {"--uncertainty", "2s"}, kTarrow, 12, tarrow},
        {"without the oldest grain",
         {"--reject", "max"},
         kTarrow,
         11,
         {{"/sum_ns", 348},
          {"/sum_ni", 719},
          {"/df", 10},
          {"/pooled/age", 109.181433209687},
          {"/central/age", 103.031924089218},
          {"/central/se_total", 12.0255734565235},
          {"/central/dispersion_se", 0.101480070486255},
          {"/chi2", 26.9411210268375},
          {"/p", 0.00266077983185909},
          {"/grains/5/row", 7},
          {"/grains/5/y", -0.434166551166964},
          {"/grains/10/row", 12}}},
        {"a grain with Ns = 0",
         {},
         kMerrin,
         6,
         {{"/sum_ns", 18},
          {"/sum_ni", 114},
          {"/pooled/age", 35.8213422659},
          {"/central/age", 35.8213422659},
          {"/central/dispersion", 0},
          {"/central/dispersion_se", null},
          {"/chi2", 4.09527350986},
          {"/grains/0/age", 0},
          {"/grains/0/se", 37.6124560748},
          {"/grains/0/se_total", 37.6353236374},
          {"/grains/0/y", -1.45577448776}}},
        // Less scattered than Poisson counting explains: sigma exactly 0, central = pooled.
        {"underdispersed",
         {},
         kUnderdispersed,
         6,
         {{"/pooled/age", 112.585832872},
          {"/central/age", 112.585832872},
          {"/central/se", 7.65852812454679},
          {"/central/se_total", 8.60643275861},
          {"/central/dispersion", 0},
          {"/central/dispersion_se", null},
          {"/chi2", 0.0643565759298},
          {"/p", 0.999945379043}}},
    };
    test::TempDir folder;
    for (const CountsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path =
            c.file.starts_with("/") ? c.file : folder.write("counts.csv", c.file);
        Args args = c.args;
        args.insert(args.end(), {"--format", "json", path});
        const Ran json = run(args);
        ASSERT_EQ(json.status, cli::kExitComputed) << json.err;
        const Json object = Json::parse(json.out).at(0);
        const Json& ft = object.at("fission_tracks");
        EXPECT_EQ(
            std::tuple(ft.at("grains").size(), object.at("ages").at("uncertainty"), object.at("n")),
            std::tuple(c.grains, Json("1s"), Json(c.grains)));
        for (const auto& [pointer, want] : c.values) {
            const Json& got = ft.at(Json::json_pointer(pointer));
            if (std::isnan(want))
                EXPECT_TRUE(got.is_null()) << pointer << " " << got;
            else
                EXPECT_NEAR(got.get<double>(), want, 1e-9 * std::fabs(want)) << pointer;
        }
        // The tsv's ft_ columns, last on the line, hold the same numbers.
        args.erase(args.end() - 3, args.end() - 1);
        const Ran tsv = run(args);
        const std::vector<std::string> cells = firstFilesCells(tsv.out);
        ASSERT_EQ(cells.size(), 49u + 15u + std::size(kCountColumns));
        std::string header;
        for (const auto& [column, pointer] : kCountColumns) header += std::string("\t") + column;
        EXPECT_TRUE(tsv.out.substr(0, tsv.out.find('\n')).ends_with("\tmax_y_p" + header));
        for (std::size_t i = 0; i < std::size(kCountColumns); ++i) {
            const auto& [column, pointer] = kCountColumns[i];
            const std::string& cell = cells[49 + 15 + i];
            const Json& value = ft.at(Json::json_pointer(pointer));
            if (value.is_null())
                EXPECT_EQ(cell, "") << column;
            else
                EXPECT_EQ(std::strtod(cell.c_str(), nullptr), value.get<double>()) << column;
        }
    }
}

// The ages' and the counts' columns and objects come with a count file in the run, for every
// file; a run without one is as before (see the byte-for-byte tests).
TEST(ReportCommand, CountColumnsInARunThatHoldsACountFile) {
    test::TempDir folder;
    const std::string refused = folder.write("no-ni.csv", "S,F\n350,10\n1300000\n3,4\n3,0\n5,6\n");
    const Json mixed = Json::parse(run({"--format", "json", kAspen, kTarrow, refused}).out);
    std::vector<std::string> keys;
    for (const auto& item : mixed[1].items()) keys.push_back(item.key());
    EXPECT_EQ(std::vector<std::string>(keys.end() - 4, keys.end()),
              (std::vector<std::string>{"gesd", "ages", "fission_tracks", "error"}));
    EXPECT_EQ(std::tuple(mixed[0].at("ages"), mixed[0].at("fission_tracks"),
                         mixed[2].at("fission_tracks"),
                         mixed[2]["error"].get<std::string>().find(
                             ", line 5 holds a grain without induced tracks") != std::string::npos),
              std::tuple(Json(), Json(), Json(), true));
    const Ran tsv = run({kAspen, refused, kMerrin});
    const std::size_t columns = 49 + 15 + std::size(kCountColumns);
    std::istringstream lines(tsv.out);
    std::vector<std::size_t> widths;
    std::string aspen;
    for (std::string line; std::getline(lines, line);) {
        widths.push_back(static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')) + 1);
        if (line.starts_with(kAspen)) aspen = line;
    }
    EXPECT_EQ(widths, std::vector<std::size_t>(4, columns));
    EXPECT_TRUE(aspen.ends_with("\t" + std::string(15 + std::size(kCountColumns) - 1, '\t')));
    // The columns are laid out before anything is read from standard input, which holds the
    // count file here.
    std::ifstream merrin(kMerrin, std::ios::binary);
    const std::string counts(std::istreambuf_iterator<char>(merrin), {});
    const Json in = Json::parse(run({"--format", "json", kAspen, "-"}, counts).out);
    EXPECT_EQ(std::tuple(in[0].at("fission_tracks"), in[1]["file"], in[1]["locality"],
                         in[1]["fission_tracks"]["sum_ni"]),
              std::tuple(Json(), Json("-"), Json("Merrin Scar MS-3"), Json(114)));
    const Json plain = Json::parse(run({"--format", "json", kAspen}).out)[0];
    EXPECT_EQ(std::pair(plain.contains("ages"), plain.contains("fission_tracks")),
              std::pair(false, false));
}

}  // namespace
}  // namespace sifton

#include "ui/plot_painter.h"

namespace sifton {
namespace {

// A count file's radial plot needs no --uncertainty: its ages come with their counting errors.
// Standard input is known to hold no counts only once read: its radial plot is refused then.
TEST(ReportCommand, RadialPlotOfCountsWithoutUncertainty) {
    test::TempDir folder;
    auto writer = [](const PlotGeometry& plot, const std::string& to) {
        return std::string(writePlot(plot, to, *plotFormatFor(to)) ? "" : "not written");
    };
    const std::string svg = folder.file("counts.svg");
    const Ran o = run({"--plot", svg, "--plot-kind", "radial", kTarrow}, {}, kData, writer);
    std::ifstream written(svg);
    const std::string text(std::istreambuf_iterator<char>(written), {});
    EXPECT_EQ(std::tuple(o.status, o.err, text.find("Sifton radial plot of counts") != text.npos,
                         text.find("Radial plot of counts") != text.npos),
              std::tuple(cli::kExitComputed, "", true, true));
    std::ifstream aspen(kAspen, std::ios::binary);
    const std::string ages(std::istreambuf_iterator<char>(aspen), {});
    const Ran refused = run({"--plot", "r.svg", "--plot-kind", "radial", "-"}, ages, kData, writer);
    EXPECT_EQ(std::pair(refused.status, refused.err),
              std::pair(cli::kExitRefused,
                        std::string("sifton-report: r.svg: --plot-kind radial needs the ages' "
                                    "uncertainties: give --uncertainty\n")));
}

}  // namespace
}  // namespace sifton
