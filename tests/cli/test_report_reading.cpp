// sifton-report's answers to what a file leaves open: --column, --decimal and --no-header read
// the file as the import dialog's choices would; without them an ambiguous file is refused with
// the option to use, and the JSON says how each file was read.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "report_cli/report_command.h"
#include "tests/core/test_support.h"

namespace sifton {
namespace {

struct Ran {
    int status;
    std::string out, err;
};

Ran run(std::vector<std::string> args) {
    std::istringstream in;
    std::ostringstream out, err;
    cli::Environment env{in, out, err, SIFTON_SOURCE_DIR "/data", "", {2001, 1, 1}, false, {}};
    args.insert(args.begin(), {"--format", "json"});
    const int status = cli::runReportCommand(args, env);
    return {status, out.str(), err.str()};
}

TEST(ReportReading, OptionsAnswerTheQuestionsAndTheJsonSaysHowTheFileWasRead) {
    test::TempDir dir;
    const std::string pandas =
        dir.write("p.csv", ",age,error\n0,41.2,3.1\n1,44.8,3.3\n2,39.1,2.9\n");
    const std::string comma = dir.write("c.csv", "Age\n41,2\n44,8\n47,1\n");
    const std::string bare = dir.write("b.csv", "41.2\n44.8\n39.1\n");
    const std::string points = dir.write("t.csv", "S;C\n1.234;1\n987;2\n1.100;3\n");
    const std::tuple<std::vector<std::string>, double, nlohmann::json> cases[] = {
        {{"--column", "age", pandas},
         41.7,
         {{"separator", ","},
          {"decimal_mark", "."},
          {"thousands_separator", nullptr},
          {"value_column", 2},
          {"header", true}}},
        {{"--column", "3", pandas},
         3.1,
         {{"separator", ","},
          {"decimal_mark", "."},
          {"thousands_separator", nullptr},
          {"value_column", 3},
          {"header", true}}},
        {{"--decimal", "comma", comma},
         44.366666666666667,
         {{"separator", nullptr},
          {"decimal_mark", ","},
          {"thousands_separator", nullptr},
          {"value_column", 1},
          {"header", true}}},
        {{"--decimal", "point", comma},
         44.0,
         {{"separator", ","},
          {"decimal_mark", "."},
          {"thousands_separator", nullptr},
          {"value_column", 1},
          {"header", true}}},
        {{"--no-header", bare},
         41.7,
         {{"separator", nullptr},
          {"decimal_mark", "."},
          {"thousands_separator", nullptr},
          {"value_column", 1},
          {"header", false}}},
        {{"--decimal", "comma", points},
         1107,
         {{"separator", ";"},
          {"decimal_mark", ","},
          {"thousands_separator", "."},
          {"value_column", 1},
          {"header", true}}},
    };
    // The means: 41.2, 44.8, 39.1 (the age column, or the values without a header); 3.1, 3.3,
    // 2.9 (the error column); 41.2, 44.8, 47.1 or 41, 44, 47; 1234, 987, 1100.
    for (const auto& [args, mean, reading] : cases) {
        SCOPED_TRACE(args.front() + " " + args[1]);
        const Ran r = run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const nlohmann::json file = nlohmann::json::parse(r.out).at(0);
        EXPECT_NEAR(file.at("mean").get<double>(), mean, 1e-9 * std::abs(mean) + 1e-12);
        EXPECT_EQ(file.at("reading"), reading);
    }
}

TEST(ReportReading, AnUnansweredQuestionRefusesTheFileNamingTheOption) {
    test::TempDir dir;
    const std::tuple<std::string, std::string> cases[] = {
        {",age,error\n0,41.2,3.1\n1,44.8,3.3\n2,39.1,2.9\n", "Give --column N or --column NAME."},
        {"Age\n41,2\n44,8\n47,1\n", "Give --decimal comma or --decimal point."},
        {"41.2\n44.8\n39.1\n", "Give --no-header or --header."},
        {"S;C\n1.234;1\n987;2\n",
         "Give --decimal comma (points between thousands) or --decimal point."},
    };
    for (const auto& [bytes, give] : cases) {
        const std::string path = dir.write("d.csv", bytes);
        const Ran r = run({path});
        EXPECT_EQ(r.status, 1) << bytes;
        EXPECT_TRUE(r.err.starts_with("sifton-report: " + path + ": ")) << r.err;
        EXPECT_NE(r.err.find(give + "\n"), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(nlohmann::json::parse(r.out)[0]["reading"].is_null());
    }
    const Ran missing = run({dir.file("nosuch.csv")});
    EXPECT_EQ(missing.err, "sifton-report: " + dir.file("nosuch.csv") + ": no such file\n");
    for (const std::vector<std::string>& wrong : {std::vector<std::string>{"--decimal", "dot", "x"},
                                                  {"--column", "0", "x"},
                                                  {"--column", "", "x"}}) {
        EXPECT_EQ(run(wrong).status, 2) << wrong[1];
    }
    const Ran noColumn = run({"--column", "ages", dir.write("p.csv", ",age\n0,1\n1,2\n2,3\n")});
    EXPECT_NE(noColumn.err.find("its header names no column \"ages\""), std::string::npos)
        << noColumn.err;
}

}  // namespace
}  // namespace sifton
