// sifton-report against what it mirrors: the results window driven as a user would (its
// clipboard, label texts and p-value tooltips after the same loads and rejections), the
// calculation functions (JSON numbers read back bit for bit), the data-file reader's refusals,
// and the command line's own rules (formats, quoting, exit statuses).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/calculation.h"
#include "core/input.h"
#include "core/number_text.h"
#include "core/store.h"
#include "platform/scripted_platform.h"
#include "report_cli/report_command.h"
#include "report_cli/report_output.h"
#include "ui/frm_dix.h"

namespace sifton {
namespace {

namespace fs = std::filesystem;
const std::string kData = SIFTON_SOURCE_DIR "/data";

struct Outcome {
    int status;
    std::string out, err;
};

Outcome run(const std::vector<std::string>& args, const std::string& input = {},
            const std::string& executableFolder = kData, cli::PlotWriter plot = {},
            const std::string& date = "2026-12-05") {
    std::istringstream in(input);
    std::ostringstream out, err;
    cli::Environment env{in, out, err, executableFolder, date, {2001, 1, 1}, false, plot};
    const int status = cli::runReportCommand(args, env);
    return {status, out.str(), err.str()};
}

std::vector<std::string> examples() {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(SIFTON_SOURCE_DIR "/examples"))
        if (entry.path().extension() == ".csv") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// The rows of tsv output, each as column name -> cell.
std::vector<std::map<std::string, std::string>> tsvRows(const std::string& tsv) {
    std::vector<std::map<std::string, std::string>> rows;
    std::istringstream lines(tsv);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line + "\t", [] {
        std::string header;
        for (const std::string& name : cli::columnNames()) header += name + "\t";
        return header;
    }());
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        std::istringstream fields(line + "\t");
        for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
        EXPECT_EQ(cells.size(), cli::columnNames().size()) << line;
        auto& row = rows.emplace_back();
        for (std::size_t i = 0; i < cells.size(); ++i) row[cli::columnNames()[i]] = cells[i];
    }
    return rows;
}

std::string joined(const std::vector<bool>& rejectMax) {
    std::string text;
    for (bool max : rejectMax) text += std::string(text.empty() ? "" : ",") + (max ? "max" : "min");
    return text;
}

// The results window after the same load, rejections and copy command.
struct Window {
    std::string clipboard;
    std::map<std::string, std::string> texts, tooltips;
    std::set<int> rejected;
    double n = 0;
};

Window inWindow(const std::string& path, const std::vector<bool>& rejectMax, bool longReport,
                const std::string& tables = kData) {
    ScriptedPlatform platform;  // dated 5 Dec. 2026
    store() = SampleStore{};
    store().TableFolder = tables;
    Window result;
    {
        frmDIX w(platform);
        EXPECT_TRUE(w.loadDataFile(path)) << path;
        for (bool max : rejectMax) max ? w.cmdRejectMax_Click() : w.cmdRejectMin_Click();
        w.mnuEditItem_Click(longReport ? 2 : 1);
        for (const LabelState& l : w.model().labels()) {
            result.texts[l.name] = l.text;
            result.tooltips[l.name] = w.findChild<QLabel*>(l.name.c_str())->toolTip().toStdString();
        }
    }
    result.clipboard = platform.clipboard;
    for (int i = 1; i <= store().RowCount; ++i)
        if (store().Rejected[i].toNumber() == 1) result.rejected.insert(i);
    result.n = store().NData;
    return result;
}

TEST(ReportCommand, AgreesWithTheResultsWindowOnEveryExample) {
    const std::pair<std::vector<bool>, bool> sequences[] = {
        {{}, false}, {{}, true}, {{true, false}, false}, {{false, true, true, false, true}, true}};
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
        for (const auto& [rejectMax, longReport] : sequences) {
            SCOPED_TRACE(path + " " + joined(rejectMax) + (longReport ? " long" : " short"));
            const Window window = inWindow(path, rejectMax, longReport);
            std::vector<std::string> args = {"--report", longReport ? "long" : "short", path};
            std::vector<std::string> table = {path};
            if (!rejectMax.empty()) {
                args.insert(args.begin(), {"--reject", joined(rejectMax)});
                table.insert(table.begin(), {"--reject", joined(rejectMax)});
            }
            const Outcome report = run(args);
            EXPECT_EQ(report.status, cli::kExitComputed);
            EXPECT_EQ(report.out, window.clipboard);

            const auto rows = tsvRows(run(table).out);
            ASSERT_EQ(rows.size(), 1u);
            const auto& row = rows[0];
            std::set<int> rejected;
            std::istringstream rowNumbers(row.at("rejected_rows"));
            for (int r; rowNumbers >> r;) rejected.insert(r);
            EXPECT_EQ(rejected, window.rejected);
            EXPECT_EQ(row.at("n"), generalNumberText(window.n));
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

// A folder of its own, removed with everything in it (names that are not UTF-8 included); data
// files written into it byte for byte.
struct Folder {
    inline static int s_count = 0;
    const std::string path =
        (fs::temp_directory_path() /
         ("sifton-cli-test-" + std::to_string(::getpid()) + "-" + std::to_string(s_count++)))
            .string();
    Folder() { fs::create_directories(path); }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path + "/" + name, std::ios::binary) << bytes;
        return path + "/" + name;
    }
};

const std::string kOddHeader = "\"Tarn \"\"A\"\", \\ east\",AT-1,Eocène\n12.4\n13.1\n11.8\n30.5\n";

TEST(ReportCommand, JsonParsesAndReadsBackEveryNumber) {
    Folder folder;
    std::vector<std::string> files = examples();
    files.push_back(folder.write("odd.csv", kOddHeader));
    files.push_back(folder.write("name \xFF.csv", "x,y,z\n1\n2\n3\n"));  // not UTF-8
    files.push_back(folder.path + "/missing.csv");
    const Outcome o = run([&] {
        std::vector<std::string> args = {"--format", "json"};
        args.insert(args.end(), files.begin(), files.end());
        return args;
    }());
    EXPECT_EQ(o.status, cli::kExitRefused);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(o.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonArray array = doc.array();
    ASSERT_EQ(array.size(), static_cast<qsizetype>(files.size()));
    FolderTables tables(kData, false);
    for (std::size_t i = 0; i + 1 < files.size(); ++i) {
        SCOPED_TRACE(files[i]);
        const QJsonObject j = array[static_cast<qsizetype>(i)].toObject();
        const DataFile file = readDataFile(files[i]);
        Sample sample;
        for (const DataRow& row : file.rows) sample.values.push_back(row.value1);
        const Results r = calculate(sample, tables);
        EXPECT_TRUE(j["error"].isNull());
        EXPECT_EQ(j["locality"].toString().toStdString(), file.locality);
        const QJsonObject max = j["max"].toObject(), min = j["min"].toObject();
        EXPECT_EQ(j["mean"].toDouble(), r.statistics.mean);
        EXPECT_EQ(j["sd"].toDouble(), r.statistics.sd);
        EXPECT_EQ(max["value"].toDouble(), r.statistics.maxValue);
        EXPECT_EQ(max["grubbs"]["statistic"].toDouble(), r.grubbs.max.statistic);
        EXPECT_EQ(max["grubbs"]["p"].toDouble(), r.grubbs.max.p.value);
        EXPECT_EQ(min["gauss"]["statistic"].toDouble(), r.gauss.ran ? r.gauss.min.g : 0);
        EXPECT_EQ(min["dixon"]["p"].toDouble(), r.dixon.ran ? r.dixon.min.p.value : 0);
        EXPECT_EQ(j["iqr"]["upper_outer"].toDouble(), r.iqr.ran ? r.iqr.upperOuter : 0);
    }
    EXPECT_EQ(array[static_cast<qsizetype>(files.size() - 2)]["file"].toString().toStdString(),
              folder.path + "/name \uFFFD.csv");
    const QJsonObject refused = array.last().toObject();
    EXPECT_TRUE(refused["n"].isNull() && refused["min"].isNull());
    EXPECT_EQ(refused["error"].toString().toStdString(),
              dataFileFailureMessage(files.back(), readDataFile(files.back())));
}

// The ESD screen of the published example: three outliers through masking, none when k = 2
// stops short of them; below six values it does not run.
TEST(ReportCommand, EsdScreenInJsonAndTsv) {
    const std::string example = SIFTON_SOURCE_DIR "/examples/esd-example-54.csv";
    const Outcome json = run({"--format", "json", example});
    const QJsonObject g = QJsonDocument::fromJson(QByteArray::fromStdString(json.out))
                              .array()[0]
                              .toObject()["gesd"]
                              .toObject();
    EXPECT_EQ(std::tuple(g["alpha"].toDouble(), g["k"].toInt(), g["outliers"].toInt(),
                         g["steps"].toArray().size(), g["rows"].toArray()[2].toInt()),
              std::tuple(0.05, 10, 3, qsizetype{10}, 52));
    EXPECT_NEAR(g["steps"][2]["lambda"].toDouble(), 3.1439, 1e-4);
    const auto rows = tsvRows(run({"--gesd-k", "2", "--gesd-alpha", "0.01", example,
                                   SIFTON_SOURCE_DIR "/examples/aspen-tarn-5.csv"})
                                  .out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(std::tuple(rows[0].at("gesd_outliers"), rows[0].at("gesd_rows"),
                         rows[1].at("gesd_outliers")),
              std::tuple("0", "", ""));
    EXPECT_NE(run({example}).out.find("\t3\t54 53 52\n"), std::string::npos);
}

TEST(ReportCommand, CsvQuotesAndTsvEscapesFields) {
    Folder folder;
    const std::string path = folder.write("odd.csv", kOddHeader);
    const Outcome csv = run({"--format=csv", path});
    EXPECT_NE(csv.out.find("\r\n" + path + ",,\"Tarn \"\"A\"\", \\ east\",AT-1,Eocène,4,4,"),
              std::string::npos)
        << csv.out;
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 2);
    EXPECT_EQ(tsvRows(run({path}).out).at(0).at("locality"), "Tarn \"A\", \\\\ east");
}

// Refused files give status 1, the reader's message on standard error after the file name, and
// a row that holds it; the other files are computed all the same.
TEST(ReportCommand, RefusedFilesAndStandardInput) {
    Folder folder;
    const std::string good = folder.write("good.csv", "a,b,c\n10\n12\n11\n30\n12\n");
    const std::string two = folder.write("two.csv", "a,b,c\n10\n12\n");
    const std::string text = folder.write("text.csv", "a,b,c\n10\nten\n12\n");
    const std::string none = folder.path + "/none.csv";
    const Outcome o = run({good, two, text, none});
    EXPECT_EQ(o.status, cli::kExitRefused);
    const std::string messages[] = {"What can I test with one or two data?",
                                    dataFileFailureMessage(text, readDataFile(text)),
                                    dataFileFailureMessage(none, readDataFile(none))};
    EXPECT_EQ(o.err, "sifton-report: " + two + ": " + messages[0] + "\nsifton-report: " + text +
                         ": " + messages[1] + "\nsifton-report: " + none + ": " + messages[2] +
                         "\n");
    const auto rows = tsvRows(o.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].at("error") + rows[0].at("n"), "5");
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(rows[i].at("error") + rows[i].at("n"), messages[i - 1]);

    // Standard input reads as the file does.
    const Outcome in = run({"-"}, "a,b,c\n10\n12\n11\n30\n12\n");
    auto fromInput = tsvRows(in.out).at(0), fromFile = rows[0];
    fromInput.erase("file"), fromFile.erase("file");
    EXPECT_EQ(std::pair(in.status, fromInput), std::pair(cli::kExitComputed, fromFile));
    EXPECT_EQ(run({"-"}, "a,b,c\n10\n12\n").status, cli::kExitRefused);
}

TEST(ReportCommand, UsageErrors) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"--format", "xml", "a.csv"},
                                               {"--reject", "max,up", "a.csv"},
                                               {"--report", "short", "a.csv", "b.csv"},
                                               {"--report", "long", "--format", "tsv", "a.csv"},
                                               {"-", "-"},
                                               {"--tables"},
                                               {"--gesd-alpha", "0.5", "a.csv"},
                                               {"--gesd-k", "0", "a.csv"},
                                               {"--frobnicate", "a.csv"}}) {
        const Outcome o = run(args);
        EXPECT_EQ(o.status, cli::kExitUsage) << testing::PrintToString(args);
        EXPECT_EQ(o.err.rfind("sifton-report: ", 0), 0u) << o.err;
    }
    EXPECT_EQ(run({"--version"}).out, "sifton-report 1.0.0\n");
    const std::string file = SIFTON_SOURCE_DIR "/examples/aspen-tarn-5.csv";
    for (const char* date : {"2026-02-29", "2026-13-01", "2026-4-1", "5 Dec. 26"})
        EXPECT_EQ(run({"--report", "short", file}, {}, kData, {}, date).status, cli::kExitUsage);
    EXPECT_EQ(run({"--report", "short", file}, {}, kData, {}, "2028-02-29").out.substr(34, 14),
              "\t\t\t\t29 Feb. 28");
}

// --plot hands the writer the store and the window's labels after the rejections; the table
// row follows, and a plot that cannot be written is a refusal.
TEST(ReportCommand, PlotGetsTheWindowsStateAfterTheRejections) {
    const std::string path = SIFTON_SOURCE_DIR "/examples/harrow-creek-outlier-12.csv";
    std::string seen;
    auto writer = [&seen](const SampleStore& s, const ResultsModel& model, const GesdView&,
                          const std::string& to) {
        seen = to + " " + generalNumberText(s.NData) + " " + model.text("lblRejecList");
        return std::string(to == "ok.svg" ? "" : "no room");
    };
    const Outcome o = run({"--reject", "max", "--plot", "ok.svg", path}, {}, kData, writer);
    EXPECT_EQ(std::tuple(o.status, seen, tsvRows(o.out).size()),
              std::tuple(cli::kExitComputed, "ok.svg 11 Rejected: #9", 1u));
    EXPECT_EQ(run({"--plot", "full.PNG", path}, {}, kData, writer).err,
              "sifton-report: full.PNG: no room\n");
    EXPECT_EQ(run({"--plot", "plot.gif", path}, {}, kData, writer).status, cli::kExitUsage);
}

// Without dixon-p.dat the tests run and the Dixon p-values are left empty, with one warning on
// the command line and the reason in the window's tooltips.
TEST(ReportCommand, MissingDixonDistributionTable) {
    Folder folder;
    for (const char* name : {"grubbs.dat", "dixon.dat", "gauss-g.dat"})
        fs::copy_file(kData + "/" + name, folder.path + "/" + name);
    const std::string path = SIFTON_SOURCE_DIR "/examples/aspen-tarn-5.csv";
    const Outcome o = run({"--tables", folder.path, path, path});
    EXPECT_EQ(o.status, cli::kExitComputed);
    EXPECT_EQ(o.err, "sifton-report: warning: The table file " + folder.path +
                         "/dixon-p.dat is missing or cannot be opened. The Dixon p-values are "
                         "left empty.\n");
    for (const auto& row : tsvRows(o.out)) {
        EXPECT_EQ(row.at("max_dixon_p") + row.at("max_dixon_p_is_bound"), "");
        EXPECT_EQ(row.at("max_dixon_class"), "1-2 %");
        EXPECT_NE(row.at("max_grubbs_p"), "");
    }
    const Window w = inWindow(path, {}, false, folder.path);
    EXPECT_EQ(w.tooltips.at("lblDixRmax").rfind("No p-value: The table file ", 0), 0u);
    EXPECT_EQ(w.texts.at("lblDixMax"), "  1-2 %  ");
}

}  // namespace
}  // namespace sifton
