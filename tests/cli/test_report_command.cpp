// sifton-report against what it mirrors: the results window driven as a user would (its
// clipboard, label texts and p-value tooltips after the same loads and rejections), a data set
// worked out by hand, the published ESD example, the data-file reader's refusals, and the
// command line's own rules (options, formats, quoting, dates, exit statuses).
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "core/input.h"
#include "report_cli/report_command.h"
#include "report_cli/report_output.h"
#include "tests/core/test_support.h"
#include "tests/support/scripted_platform.h"
#include "ui/frm_dix.h"

namespace sifton {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;  // keys in the order written
const std::string kData = SIFTON_SOURCE_DIR "/data";
const std::string kExamples = SIFTON_SOURCE_DIR "/examples/";
const std::string kAspen = kExamples + "aspen-tarn-5.csv";  // five values: no IQR, no ESD

struct Ran {
    int status;
    std::string out, err;
};

Ran run(const std::vector<std::string>& args, const std::string& input = {},
        const std::string& executableFolder = kData, cli::PlotWriter plot = {},
        const std::string& date = "2026-12-05") {
    std::istringstream in(input);
    std::ostringstream out, err;
    cli::Environment env{in, out, err, executableFolder, date, {2001, 1, 1}, false, plot};
    const int status = cli::runReportCommand(args, env);
    return {status, out.str(), err.str()};
}

std::vector<std::string> cellsOf(const std::string& line) {
    std::vector<std::string> cells;
    std::istringstream fields(line + "\t");
    for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
    return cells;
}

// The rows of tsv output after its header line, each as column name -> cell.
std::vector<std::map<std::string, std::string>> tsvRows(const std::string& tsv) {
    const std::vector<std::string>& names = cli::columnNames();
    std::vector<std::map<std::string, std::string>> rows;
    std::istringstream lines(tsv);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(cellsOf(line), names);
    while (std::getline(lines, line)) {
        const std::vector<std::string> cells = cellsOf(line);
        EXPECT_EQ(cells.size(), names.size()) << line;
        auto& row = rows.emplace_back();
        for (std::size_t i = 0; i < cells.size(); ++i) row[names[i]] = cells[i];
    }
    return rows;
}

// The JSON array, each object on a line of its own between the brackets.
Json jsonArray(const std::string& out) {
    EXPECT_EQ(out.substr(0, 2), "[\n");
    EXPECT_EQ(out.substr(out.size() - 3), "\n]\n");
    const Json array = Json::parse(out);
    EXPECT_EQ(static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n')), array.size() + 2);
    return array;
}

std::vector<std::string> examples() {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(kExamples))
        if (entry.path().extension() == ".csv") files.push_back(entry.path().string());
    return files;
}

std::string joined(const std::vector<int>& rows) {
    std::string text;
    for (int row : rows) text += (text.empty() ? "" : " ") + std::to_string(row);
    return text;
}

// The results window after the same load, rejections and copy command.
struct Window {
    std::string clipboard, rejected;
    std::map<std::string, std::string> texts, tooltips;
    int n = 0;
};

Window inWindow(const std::string& path, const std::string& rejections, bool longReport,
                const std::string& tables = kData) {
    ScriptedPlatform platform;  // dated 5 Dec. 2026
    platform.folder = tables;
    Window result;
    frmDIX w(platform);
    EXPECT_TRUE(w.loadDataFile(path)) << path;
    std::istringstream items(rejections);  // as --reject takes them
    for (std::string item; std::getline(items, item, ',');)
        item == "max" ? w.cmdRejectMax_Click() : w.cmdRejectMin_Click();
    w.findChild<QAction*>(longReport ? "mnuEditItem_2" : "mnuEditItem_1")->trigger();
    for (const LabelState& l : labelStates(w.shown())) {
        result.texts[l.name] = l.text;
        if (const auto* label = w.findChild<QLabel*>(l.name.c_str()))
            result.tooltips[l.name] = label->toolTip().toStdString();
    }
    result.clipboard = platform.clipboard;
    result.rejected = joined(w.analysis()->rejectedRows());
    result.n = w.analysis()->NData();
    return result;
}

TEST(ReportCommand, AgreesWithTheResultsWindowOnEveryExample) {
    // Rejections as --reject takes them, and whether the long report is asked for.
    const std::pair<std::string, bool> sequences[] = {
        {"", false}, {"", true}, {"max,min", false}, {"min,max,max,min,max", true}};
    // Table columns and the window's label of the same result; the p columns and their labels.
    const std::pair<const char*, const char*> classes[] = {
        {"min_grubbs_class", "lblGrubbsMin"}, {"max_grubbs_class", "lblGrubbsMax"},
        {"min_dixon_class", "lblDixMin"},     {"max_dixon_class", "lblDixMax"},
        {"min_iqr_verdict", "lblIQRyoung"},   {"max_iqr_verdict", "lblIQRold"},
        {"min_g_verdict", "lblGaY"},          {"max_g_verdict", "lblGaO"}};
    const std::tuple<const char*, const char*, PBound, const char*> pValues[] = {
        {"min_grubbs_p", "min_grubbs_p_is_bound", PBound::AtMost, "lblGruTmin"},
        {"max_grubbs_p", "max_grubbs_p_is_bound", PBound::AtMost, "lblGrubbsMax"},
        {"min_dixon_p", "min_dixon_p_is_bound", PBound::Below, "lblDixRmin"},
        {"max_dixon_p", "max_dixon_p_is_bound", PBound::Below, "lblDixMax"},
        {"min_g_p", "min_grubbs_p_is_bound", PBound::AtMost, "lblGaY"},
        {"max_g_p", "max_grubbs_p_is_bound", PBound::AtMost, "lblGauOld"}};
    for (const std::string& path : examples()) {
        for (const auto& [rejections, longReport] : sequences) {
            SCOPED_TRACE(path + " " + rejections + (longReport ? " long" : " short"));
            const Window window = inWindow(path, rejections, longReport);
            std::vector<std::string> args = {path};
            if (!rejections.empty()) args.insert(args.begin(), {"--reject", rejections});
            std::vector<std::string> report = args;
            report.insert(report.begin(), {"--report", longReport ? "long" : "short"});
            const Ran copied = run(report);
            EXPECT_EQ(std::pair(copied.status, copied.out),
                      std::pair(cli::kExitComputed, window.clipboard));

            const auto rows = tsvRows(run(args).out);
            ASSERT_EQ(rows.size(), 1u);
            const auto& row = rows[0];
            EXPECT_EQ(std::pair(row.at("rejected_rows"), row.at("n")),
                      std::pair(window.rejected, std::to_string(window.n)));
            // g rises with Grubbs' T of the same value: one p-value for both.
            if (!row.at("min_g").empty()) {
                EXPECT_EQ(row.at("min_g_p") + row.at("max_g_p"),
                          row.at("min_grubbs_p") + row.at("max_grubbs_p"));
            }
            for (const auto& [column, label] : classes) {
                if (row.at(column).empty()) continue;
                EXPECT_EQ(row.at(column), cli::unpadded(window.texts.at(label))) << column;
            }
            for (const auto& [column, bound, kind, label] : pValues) {
                if (row.at(column).empty()) continue;
                const PValue p{std::stod(row.at(column)),
                               row.at(bound) == "true" ? kind : PBound::Exact};
                EXPECT_NE(window.tooltips.at(label).find(": " + pValueText(p)), std::string::npos)
                    << column << " " << window.tooltips.at(label);
            }
        }
    }
}

// 7 8 9 9 9 18: mean 10, SS 80, so s = 4 and Grubbs' T is 3/4 and 2. Dixon's r10 is 1/11 and
// 9/11. Without the 18 the rest has mean 8.4 and SS 3.2, so g = 9.6 / sqrt(3.2 / 4); without the
// 7, mean 10.6 and SS 69.2. Counting from the largest, Q3 lies at 1.75, (18 + 9) / 2, and Q1 at
// 4.5, (9 + 8) / 2. Grubbs' p of T = 2 (n = 6) is 6 P(t4 > sqrt(96)), and for t4,
// P(t4 > t) = 1/2 - x/2 (1 + (1 - x^2)/2) with x^2 = t^2 / (4 + t^2) = 0.96.
const std::string kByHand = "Hand,H-6,Holocene\n7\n8\n9\n9\n9\n18\n";

TEST(ReportCommand, JsonOfADataSetWorkedOutByHand) {
    test::TempDir folder;
    const std::string path = folder.write("hand.csv", kByHand);
    const Json j = jsonArray(run({"--format", "json", path}).out).at(0);
    std::vector<std::string> order;
    for (const auto& [key, value] : j.items()) order.push_back(key);
    EXPECT_EQ(order, (std::vector<std::string>{"file", "locality", "code", "age", "reading", "n",
                                               "n_read", "rejected", "mean", "sd", "se", "iqr",
                                               "min", "max", "gesd", "error"}));
    EXPECT_EQ(std::tuple(j["file"], j["locality"], j["code"], j["age"], j["n"], j["n_read"],
                         j["error"], j["rejected"]),
              std::tuple(path, "Hand", "H-6", "Holocene", 6, 6, nullptr, Json::array()));
    EXPECT_EQ(std::pair(j["mean"].get<double>(), j["sd"].get<double>()), std::pair(10.0, 4.0));
    EXPECT_DOUBLE_EQ(j["se"].get<double>(), 4 / std::sqrt(6.0));
    EXPECT_EQ(j["iqr"], Json::parse(R"({"q1": 8.5, "q3": 13.5, "lower_inner": 1, "upper_inner":
        21, "lower_outer": -6.5, "upper_outer": 28.5})"));

    const Json& max = j["max"];
    EXPECT_EQ(std::tuple(max["row"], max["value"], max["grubbs"]["statistic"],
                         max["grubbs"]["class"], max["grubbs"]["p_is_bound"], max["iqr"]),
              std::tuple(6, 18.0, 2.0, "< 1 %", false, "within inner fences"));
    const double grubbsP = 6 * (0.5 - std::sqrt(0.96) / 2 * (1 + 0.04 / 2));
    EXPECT_NEAR(max["grubbs"]["p"].get<double>(), grubbsP, 1e-12);
    EXPECT_DOUBLE_EQ(max["dixon"]["statistic"].get<double>(), 9.0 / 11);
    EXPECT_EQ(std::tuple(max["dixon"]["class"], max["dixon"]["p_is_bound"]),
              std::tuple("< 0.5 %", false));
    EXPECT_GT(max["dixon"]["p"].get<double>(), 0.001);  // the table's bound is not reached
    EXPECT_LT(max["dixon"]["p"].get<double>(), 0.005);  // within its class
    const Json& g = max["gauss"];
    EXPECT_DOUBLE_EQ(g["statistic"].get<double>(), 9.6 / std::sqrt(0.8));
    EXPECT_EQ(std::tuple(g["unbounded"], g["critical"], g["outlier"], g["p"]),
              std::tuple(false, 4.3388, true, max["grubbs"]["p"]));

    const Json& min = j["min"];
    EXPECT_EQ(std::tuple(min["row"], min["value"], min["grubbs"]["statistic"],
                         min["grubbs"]["class"], min["grubbs"]["p"], min["grubbs"]["p_is_bound"]),
              std::tuple(1, 7.0, 0.75, "> 10 %", 1.0, true));  // 6 P(t4 > 0.79) is above 1
    EXPECT_DOUBLE_EQ(min["dixon"]["statistic"].get<double>(), 1.0 / 11);
    EXPECT_DOUBLE_EQ(min["gauss"]["statistic"].get<double>(), 3.6 / std::sqrt(69.2 / 4));
    EXPECT_EQ(min["gauss"]["outlier"], false);

    // The ESD screen: k = (6 - 1) / 2; R1 = 8 / 4 beats lambda1, the two-sided 5 % Grubbs value
    // for n = 6 (the 2.5 % column of grubbs.dat); R2 = 1.4 / sqrt(0.8) does not beat lambda2.
    const Json& esd = j["gesd"];
    EXPECT_EQ(std::tuple(esd["alpha"], esd["k"], esd["outliers"], esd["rows"]),
              std::tuple(0.05, 2, 1, Json::array({6})));
    ASSERT_EQ(esd["steps"].size(), 2u);
    EXPECT_EQ(std::tuple(esd["steps"][0]["i"], esd["steps"][0]["row"], esd["steps"][0]["value"],
                         esd["steps"][0]["R"], esd["steps"][1]["row"]),
              std::tuple(1, 6, 18.0, 2.0, 1));
    EXPECT_NEAR(esd["steps"][0]["lambda"].get<double>(), 1.8871, 1e-4);
    EXPECT_NEAR(esd["steps"][1]["lambda"].get<double>(), 1.7150, 1e-4);
    EXPECT_DOUBLE_EQ(esd["steps"][1]["R"].get<double>(), 1.4 / std::sqrt(0.8));
}

// Every number, class and flag of the JSON object is the one in the tsv column of the same
// meaning, read back bit for bit; a test that did not run is null there and empty here.
TEST(ReportCommand, JsonAndTsvCarryTheSameResults) {
    // "column=pointer", the pointer "/column" when it is left out; for the sides the column
    // takes min or max in front, the pointer /min or /max.
    const std::string same =
        "n n_read mean sd se locality q1=iqr/q1 q3=iqr/q3 lower_inner_fence=iqr/lower_inner "
        "upper_inner_fence=iqr/upper_inner lower_outer_fence=iqr/lower_outer "
        "upper_outer_fence=iqr/upper_outer gesd_outliers=gesd/outliers";
    const std::string sides =
        "_row=row =value _grubbs_t=grubbs/statistic _grubbs_class=grubbs/class _grubbs_p=grubbs/p "
        "_grubbs_p_is_bound=grubbs/p_is_bound _dixon_r=dixon/statistic _dixon_class=dixon/class "
        "_dixon_p=dixon/p _dixon_p_is_bound=dixon/p_is_bound _iqr_verdict=iqr "
        "_g=gauss/statistic _g_critical=gauss/critical _g_p=gauss/p";
    test::TempDir folder;
    std::vector<std::vector<std::string>> runs;
    for (const std::string& file : examples()) runs.push_back({"--reject", "max", file});
    runs.push_back({folder.write("spreadless.csv", "a,b,c\n5\n5\n5\n5\n9\n")});  // g unbounded
    runs.push_back({"--reject", "max", folder.file("spreadless.csv")});  // s = 0: no statistics
    runs.push_back({folder.write("hand.csv", kByHand)});
    for (std::vector<std::string> args : runs) {
        SCOPED_TRACE(testing::PrintToString(args));
        const auto row = tsvRows(run(args).out).at(0);
        args.insert(args.begin(), {"--format", "json"});
        const Json j = jsonArray(run(args).out).at(0);
        for (const std::string side : {"", "min", "max"}) {
            std::istringstream words(side.empty() ? same : sides);
            for (std::string w; words >> w;) {
                const std::size_t eq = w.find('=');
                const std::string& cell = row.at(side + w.substr(0, eq));
                const Json::json_pointer at((side.empty() ? "/" : "/" + side + "/") +
                                            (eq == std::string::npos ? w : w.substr(eq + 1)));
                SCOPED_TRACE(w);
                if (!j.contains(at) || j[at].is_null())  // not run, or an unbounded g: "inf"
                    EXPECT_TRUE(cell.empty() || !std::isfinite(std::stod(cell))) << cell;
                else if (j[at].is_string())
                    EXPECT_EQ(j[at].get<std::string>(), cell);
                else if (j[at].is_boolean())
                    EXPECT_EQ(j[at].get<bool>() ? "true" : "false", cell);
                else
                    EXPECT_EQ(j[at].get<double>(), std::stod(cell));
            }
            if (side.empty()) continue;
            const Json& g = j[side]["gauss"];
            EXPECT_EQ(row.at(side + "_g_verdict"), g.is_null()                ? ""
                                                   : g["outlier"].get<bool>() ? "outlier"
                                                                              : "OK");
            if (!g.is_null() && g["unbounded"].get<bool>()) {
                EXPECT_EQ(row.at(side + "_g"), "inf");
            }
        }
        EXPECT_EQ(joined(j["rejected"].get<std::vector<int>>()), row.at("rejected_rows"));
    }
}

// Quotes, commas and backslashes in JSON, csv and tsv; a file name that is not UTF-8; a refused
// file's object holds its message and nulls.
TEST(ReportCommand, StringsAndRefusedFilesInEachFormat) {
    test::TempDir folder;
    const std::string odd = folder.write(
        "odd.csv", "\"Tarn \"\"A\"\", \\ east\",AT-1,Eocène\n12.4\n13.1\n11.8\n30.5\n");
    const std::string notUtf8 = folder.write("name \xFF.csv", "x,y,z\n1\n2\n3\n");
    const std::string controls = folder.file("tab\there\x01.csv");  // missing
    const Ran o = run({"--format", "json", odd, notUtf8, controls});
    EXPECT_EQ(o.status, cli::kExitRefused);
    const Json array = jsonArray(o.out);
    ASSERT_EQ(array.size(), 3u);
    EXPECT_EQ(array[0]["locality"], "Tarn \"A\", \\ east");
    EXPECT_EQ(array[0]["age"], "Eocène");
    EXPECT_EQ(array[1]["file"], folder.file("name \uFFFD.csv"));
    const Json& refused = array[2];
    EXPECT_EQ(std::tuple(refused["file"], refused["error"], refused.size()),
              std::tuple(controls, dataFileFailureMessage(controls, readDataFile(controls)), 16u));
    for (const auto& [key, value] : refused.items()) {
        if (key != "file" && key != "error") {
            EXPECT_TRUE(value.is_null()) << key;
        }
    }
    const Ran csv = run({"--format=csv", odd});
    EXPECT_NE(csv.out.find("\r\n" + odd + ",,\"Tarn \"\"A\"\", \\ east\",AT-1,Eocène,4,4,"),
              std::string::npos)
        << csv.out;
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 2);
    EXPECT_EQ(tsvRows(run({odd}).out).at(0).at("locality"), "Tarn \"A\", \\\\ east");
}

// The ESD screen of the published example: three outliers through masking, none when k = 2
// stops short of them; below six values it does not run.
TEST(ReportCommand, EsdScreenInJsonAndTsv) {
    const std::string example = kExamples + "esd-example-54.csv";
    const Json g = jsonArray(run({"--format", "json", example}).out).at(0)["gesd"];
    EXPECT_EQ(std::tuple(g["alpha"], g["k"], g["outliers"], g["steps"].size(), g["rows"]),
              std::tuple(0.05, 10, 3, 10u, Json::array({54, 53, 52})));
    EXPECT_NEAR(g["steps"][2]["lambda"].get<double>(), 3.1439, 1e-4);
    const auto rows = tsvRows(run({"--gesd-k", "2", "--gesd-alpha", "0.01", example, kAspen}).out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(std::tuple(rows[0].at("gesd_outliers"), rows[0].at("gesd_rows"),
                         rows[1].at("gesd_outliers")),
              std::tuple("0", "", ""));
    EXPECT_NE(run({example}).out.find("\t3\t54 53 52\n"), std::string::npos);
    EXPECT_EQ(jsonArray(run({"--format=json", kAspen}).out)[0]["gesd"], nullptr);
}

// Refused files give status 1, the reader's message on standard error after the file name, and
// a row that holds it; the other files are computed all the same. Standard input reads as the
// file does.
TEST(ReportCommand, RefusedFilesAndStandardInput) {
    test::TempDir folder;
    const std::string five = "a,b,c\n10\n12\n11\n30\n12\n";
    const std::string good = folder.write("good.csv", five);
    const std::string two = folder.write("two.csv", "a,b,c\n10\n12\n");
    const std::string text = folder.write("text.csv", "a,b,c\n10\nten\n12\n");
    const std::string none = folder.file("none.csv");
    const Ran o = run({good, two, text, none});
    EXPECT_EQ(o.status, cli::kExitRefused);
    const std::string messages[] = {"What can I test with one or two data?",
                                    dataFileFailureMessage(text, readDataFile(text)),
                                    dataFileFailureMessage(none, readDataFile(none))};
    // Standard error has the reason alone, after the file's name.
    const std::string head = "Error occurred while trying to load file: " + text + " , ";
    EXPECT_EQ(o.err, "sifton-report: " + two + ": " + messages[0] + "\nsifton-report: " + text +
                         ": " + messages[1].substr(head.size()) + "\nsifton-report: " + none +
                         ": no such file\n");
    const auto rows = tsvRows(o.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].at("error") + rows[0].at("n"), "5");
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(rows[i].at("error") + rows[i].at("n"), messages[i - 1]);

    const Ran in = run({"-"}, five);
    auto fromInput = tsvRows(in.out).at(0), fromFile = rows[0];
    fromInput.erase("file"), fromFile.erase("file");
    EXPECT_EQ(std::pair(in.status, fromInput), std::pair(cli::kExitComputed, fromFile));
    EXPECT_EQ(run({"-"}, "a,b,c\n10\n12\n").status, cli::kExitRefused);
    // After -- every argument is a file, - still standard input.
    const Ran dashes = run({"--", "-"}, five);
    EXPECT_EQ(std::pair(dashes.status, dashes.out), std::pair(in.status, in.out));
}

// The first wrong argument is the one reported, with the command line as written.
TEST(ReportCommand, UsageErrors) {
    const std::string unknownX = "unknown option -x", format = "--format is tsv, csv or json, not ";
    const std::string reject = "--reject takes a list such as max,min,max, not ";
    const std::string alpha = "--gesd-alpha takes a level above 0 and below 0.5, such as 0.05";
    const std::string k = "--gesd-k takes a whole number from 1 up";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "no data file given"},
        {{"--"}, "no data file given"},
        {{"--format", "xml", "a.csv"}, format + "\"xml\""},
        {{"--format="}, format + "\"\""},
        {{"--format", "xml", "--frob", "a.csv"}, format + "\"xml\""},
        {{"--frob", "--format", "xml", "a.csv"}, "unknown option --frob"},
        {{"--frob=3", "a.csv"}, "unknown option --frob"},
        {{"-x"}, unknownX},
        {{"-x=1", "a.csv"}, unknownX},
        {{"-format", "json", "a.csv"}, "unknown option -format"},
        {{"-help"}, "unknown option -help"},
        {{"-hh"}, "unknown option -hh"},
        {{"--h"}, "unknown option --h"},
        {{"-h=1"}, "unknown option -h"},
        {{"--help=1"}, "unknown option --help"},
        {{"--version=2"}, "unknown option --version"},
        {{"--=x", "a.csv"}, "unknown option --"},
        {{"---format", "tsv", "a.csv"}, "unknown option ---format"},
        {{"--help", "--frob"}, "unknown option --frob"},
        {{"--tables"}, "--tables needs a value"},
        {{"a.csv", "--gesd-k"}, "--gesd-k needs a value"},
        {{"--reject", "up", "--tables"}, reject + "\"up\""},
        {{"--reject=max,", "a.csv"}, reject + "\"max,\""},
        {{"--report", "full", "a.csv"}, "--report is short or long, not \"full\""},
        {{"--report", "short", "a.csv", "b.csv"}, "--report takes exactly one data file"},
        {{"--report", "long", "--format", "tsv", "a.csv"},
         "--report writes the clipboard report; it takes no --format"},
        {{"--plot", "p.svg", "a.csv", "b.csv"}, "--plot takes exactly one data file"},
        {{"--plot", "plot.gif", "a.csv"},
         "--plot writes PNG, SVG or PDF: give the file name the ending .png, .svg or .pdf"},
        {{"-", "-"}, "standard input (-) can be read only once"},
        {{"--gesd-alpha", "0.5", "a.csv"}, alpha},
        {{"--gesd-alpha="}, alpha},
        {{"--gesd-k", "0", "a.csv"}, k},
        {{"--gesd-k", "150", "a.csv"}, k},
        {{"--gesd-k", "3x", "a.csv"}, k}};
    for (const auto& [args, why] : cases) {
        const Ran o = run(args);
        EXPECT_EQ(std::tuple(o.status, o.err, o.out),
                  std::tuple(cli::kExitUsage,
                             "sifton-report: " + why + "\nTry 'sifton-report --help'.\n", ""))
            << testing::PrintToString(args);
    }
}

TEST(ReportCommand, OptionsAsWrittenOnTheCommandLine) {
    EXPECT_EQ(run({"--version"}).out, "sifton-report 1.0.0\n");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"-h"}, {"--help"}, {"a.csv", "--help", "-", "-"}, {"--tables", "x", "-h"}})
        EXPECT_EQ(std::pair(run(args).status, run(args).out),
                  std::pair(cli::kExitComputed, cli::helpText()))
            << testing::PrintToString(args);
    // A value is the next argument whatever it looks like; the last of an option counts.
    const std::string expected = run({"--format", "csv", kAspen}).out;
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--format=csv", kAspen},
                                               {kAspen, "--format", "csv"},
                                               {"--format", "json", "--format", "csv", kAspen}})
        EXPECT_EQ(run(args).out, expected) << testing::PrintToString(args);
    EXPECT_EQ(
        run({"--tables", "--format", "--tables=" + kData, "--format", "csv", kAspen}, {}, "/x").out,
        expected);
    const Ran dashes = run({"--", "-h", "--format"});
    EXPECT_EQ(tsvRows(dashes.out).size(), 2u);
    EXPECT_NE(dashes.err.find("sifton-report: -h: "), std::string::npos);
    EXPECT_NE(dashes.err.find("sifton-report: --format: "), std::string::npos);
}

// SIFTON_DATE, read only for --report: exactly YYYY-MM-DD, a day of the calendar.
TEST(ReportCommand, ReportDate) {
    const std::pair<const char*, const char*> accepted[] = {{"2028-02-29", "29 Feb. 28"},
                                                            {"2000-02-29", "29 Feb. 00"},
                                                            {"2026-12-31", "31 Dec. 26"},
                                                            {"0000-02-29", "29 Feb. 00"}};
    for (const auto& [date, shown] : accepted) {
        const Ran o = run({"--report", "short", kAspen}, {}, kData, {}, date);
        EXPECT_EQ(o.out.substr(0, o.out.find('\r')),
                  std::string("Test of outliers by Sifton program\t\t\t\t") + shown);
    }
    for (const char* date : {"2026-02-29", "1900-02-29", "2026-04-31", "2026-13-01", "2026-00-10",
                             "2026-12-00", "2026-4-1", "2026-12-5", " 2026-1-01", "+202-01-01",
                             "-001-01-01", "2026-+1-01", "2026-01- 1", "2026/12/05", "20261205",
                             "2026-12-05x", "2026-1x-05", "202x-12-05", "5 Dec. 26"}) {
        EXPECT_EQ(std::pair(run({"--report", "short", kAspen}, {}, kData, {}, date).err,
                            run({kAspen}, {}, kData, {}, date).status),
                  std::pair("sifton-report: SIFTON_DATE must be a date as YYYY-MM-DD, not \"" +
                                std::string(date) + "\"\nTry 'sifton-report --help'.\n",
                            cli::kExitComputed));
    }
}

// --plot hands the writer the presentation's plot after the rejections; the table row follows,
// and a plot that cannot be written is a refusal.
TEST(ReportCommand, PlotGetsTheWindowsStateAfterTheRejections) {
    const std::string path = kExamples + "harrow-creek-outlier-12.csv";
    std::string seen;
    auto writer = [&seen](const PlotData& plot, const std::string& to) {
        std::string rejected;
        for (const PlotValue& v : plot.values)
            if (v.rejected) rejected += " #" + std::to_string(v.row);
        seen = to + " " + std::to_string(plot.underTest()) + rejected + " " + plot.dataFileName;
        return std::string(to == "ok.svg" ? "" : "no room");
    };
    const Ran o = run({"--reject", "max", "--plot", "ok.svg", path}, {}, kData, writer);
    EXPECT_EQ(std::tuple(o.status, seen, tsvRows(o.out).size()),
              std::tuple(cli::kExitComputed, "ok.svg 11 #9 " + path, 1u));
    EXPECT_EQ(run({"--plot", "full.PNG", path}, {}, kData, writer).err,
              "sifton-report: full.PNG: no room\n");
    EXPECT_EQ(run({"--plot", "plot.svg", path}).err,
              "sifton-report: --plot is not available in this build\n");
}

// Without dixon-p.dat the tests run and the Dixon p-values are left empty, with one warning on
// the command line and the reason in the window's tooltips; without the other tables the tests
// do not run. The folder's name is not UTF-8, and the option's value keeps its bytes.
TEST(ReportCommand, MissingTables) {
    test::TempDir folder;
    const std::string tables = folder.file("f\xE9\xFF");
    fs::create_directory(tables);
    for (const char* name : {"grubbs.dat", "dixon.dat", "gauss-g.dat"})
        fs::copy_file(kData + "/" + name, tables + "/" + name);
    const Ran o = run({"--tables", tables, kAspen, kAspen});
    EXPECT_EQ(o.status, cli::kExitComputed);
    EXPECT_EQ(o.err, "sifton-report: warning: The table file " + tables +
                         "/dixon-p.dat is missing or cannot be opened. The Dixon p-values are "
                         "left empty.\n");
    for (const auto& row : tsvRows(o.out)) {
        EXPECT_EQ(row.at("max_dixon_p") + row.at("max_dixon_p_is_bound"), "");
        EXPECT_EQ(row.at("max_dixon_class"), "1-2 %");
        EXPECT_NE(row.at("max_grubbs_p"), "");
    }
    const Json dixon =
        jsonArray(run({"--format=json", "--tables", tables, kAspen}).out)[0]["max"]["dixon"];
    EXPECT_EQ(std::tuple(dixon["class"], dixon["p"], dixon["p_is_bound"]),
              std::tuple("1-2 %", nullptr, nullptr));
    const Window w = inWindow(kAspen, "", false, tables);
    EXPECT_EQ(w.tooltips.at("lblDixRmax").rfind("No p-value: The table file ", 0), 0u);
    EXPECT_EQ(w.tooltips.at("lblDixMax"), w.tooltips.at("lblDixRmax"));
    EXPECT_EQ(w.tooltips.at("lblGruTmax").rfind("One-sided p-value of T: ", 0), 0u);
    EXPECT_EQ(w.texts.at("lblDixMax"), "  1-2 %  ");

    const Ran none = run({kAspen}, {}, folder.file("nowhere"));
    EXPECT_EQ(none.status, cli::kExitRefused);
    EXPECT_NE(none.err.find(" The outlier tests could not be run.\n"), std::string::npos);
    EXPECT_EQ(tsvRows(none.out).at(0).at("n"), "");
}

}  // namespace
}  // namespace sifton
