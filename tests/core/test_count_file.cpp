// Count files: both layouts recognised and read, other files left to the data-file reader, and
// every malformed count file refused with its line.
#include <gtest/gtest.h>

#include <sstream>

#include "core/count_file.h"
#include "tests/core/test_support.h"

namespace sifton {
namespace {

const std::string kIsoplotR =
    "zeta,err[zeta]\n350,10\nrhoD,err[rhoD]\n1300000,26000\nNs,Ni\n12,40\n25,61\n33,50\n";
const std::string kRadialPlotter = "Merrin,F\n350,10\n1300000,26000\n0,12,Dpar 1.6\n7,25\n";

CountData read(const std::string& text) {
    Outcome<CountData> r = readCountText(text, "counts.csv");
    if (auto* refusal = std::get_if<Refusal>(&r)) ADD_FAILURE() << refusal->message;
    return std::get<CountData>(r);
}

std::vector<std::pair<int, int>> countsOf(const CountData& d) {
    std::vector<std::pair<int, int>> c;
    for (const GrainCount& g : d.grains) c.emplace_back(g.ns, g.ni);
    return c;
}

// The examples' calibration and the ages of their grains are test_count_data_set.cpp's.
TEST(CountFile, ReadsTheExamplesInBothLayouts) {
    for (const auto& [name, layout, grains] :
         {std::tuple("tarrow-fell-counts.csv", CountLayout::IsoplotR, 12u),
          std::tuple("merrin-scar-counts.csv", CountLayout::RadialPlotter, 6u)}) {
        const Outcome<CountData> r = readCountFile(std::string(SIFTON_EXAMPLES_DIR "/") + name);
        ASSERT_TRUE(std::holds_alternative<CountData>(r)) << name;
        const CountData& d = std::get<CountData>(r);
        EXPECT_EQ(std::tuple(d.layout, d.grains.size(), d.grains.back().line),
                  std::tuple(layout, grains, grains + (layout == CountLayout::IsoplotR ? 5 : 3)))
            << name;
    }
    const CountData b =
        std::get<CountData>(readCountFile(SIFTON_EXAMPLES_DIR "/merrin-scar-counts.csv"));
    EXPECT_EQ(countsOf(b), (std::vector<std::pair<int, int>>{
                               {0, 12}, {3, 20}, {7, 25}, {2, 18}, {5, 30}, {1, 9}}));
    EXPECT_EQ(std::tuple(b.sampleName, b.grains[0].note),
              std::tuple("Merrin Scar MS-3", "Dpar 1.6"));
}

TEST(CountFile, ReadsWhatTheLayoutsLeaveOpen) {
    // RadialPlotter: errors optional, the name line may be empty, the flag may be missing.
    const CountData bare = read("\n350\n1300000\n31,41\n19,22\n");
    EXPECT_EQ(std::tuple(bare.sampleName, bare.zetaSe, bare.rhoDSe), std::tuple("", 0.0, 0.0));
    EXPECT_EQ(countsOf(bare), (std::vector<std::pair<int, int>>{{31, 41}, {19, 22}}));
    // IsoplotR's headers in other spellings, lines padded with commas by a spreadsheet, CR LF,
    // a byte-order mark and blank lines at the end.
    std::istringstream padded(
        "\xEF\xBB\xBFZeta,errZeta,,\r\n353.5,10,,\r\nrhoD,errRhoD,,\r\n2340000,10000,,\r\n"
        "Ns,Ni,,\r\n209,286,,\r\n130,243,,\r\n\r\n\r\n");
    const Outcome<CountData> p = readCountFile(padded, "padded.csv");
    ASSERT_TRUE(std::holds_alternative<CountData>(p));
    EXPECT_EQ(std::get<CountData>(p).zeta, 353.5);
    EXPECT_EQ(countsOf(std::get<CountData>(p)),
              (std::vector<std::pair<int, int>>{{209, 286}, {130, 243}}));
    // Semicolons with decimal commas, as a spreadsheet in such a locale saves.
    const CountData semi = read("Sample;F\n353,5;10,5\n1,3E6\n31;41;zoned\n");
    EXPECT_EQ(std::tuple(semi.zeta, semi.zetaSe, semi.rhoD, semi.grains[0].note),
              std::tuple(353.5, 10.5, 1.3e6, "zoned"));
    // 300 grains are as many as a data file's values.
    std::string full = kIsoplotR;
    for (int i = 3; i < 300; ++i) full += "12,40\n";
    EXPECT_EQ(read(full).grains.size(), 300u);
}

TEST(CountFile, RecognisesCountFilesAndNothingElse) {
    const struct {
        const char* name;
        std::string text;
        std::optional<CountLayout> layout;
    } cases[] = {
        {"IsoplotR", kIsoplotR, CountLayout::IsoplotR},
        {"RadialPlotterFlag", kRadialPlotter, CountLayout::RadialPlotter},
        {"RadialPlotterNoFlag", "Merrin\n350,10\n1300000,26000\n0,12\n3,20\n",
         CountLayout::RadialPlotter},
        {"FlaggedButBroken", "Merrin,F\n350,ten\n", CountLayout::RadialPlotter},
        // Whole-number ages in years with their errors: line 3 is no rhoD beside line 2.
        {"AgesInYears", "Site\n15000,300\n14800,250\n15200,310\n14900,280\n", std::nullopt},
        {"FourthLineNotCounts", "Site\n350,10\n1300000,26000\n31.5,41\n", std::nullopt},
        {"SecondFieldNotF", "Site,upper\n350,10\n1300000,26000\n31,41\n", std::nullopt},
        {"ZetaAsLocality", "Zeta Ridge,ZR-1,Miocene\n41.2\n44.8\n47\n43\n50\n", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(countLayoutOf(c.text), c.layout) << c.name;
    EXPECT_TRUE(looksLikeCountFile(kIsoplotR));
}

TEST(CountFileRefusals, NameTheLine) {
    const std::string head = "zeta,err\n350,10\nrhoD,err\n1300000,26000\nNs,Ni\n";
    std::string many = head;
    for (int i = 0; i < 301; ++i) many += "12,40\n";
    const struct {
        const char* name;
        std::string text;
        std::string brief;  // a part of the refusal's reason
    } cases[] = {
        {"DecimalCount", head + "12,40\n12.5,40\n", "line 7 holds \"12.5\" where Ns"},
        {"NegativeCount", head + "12,-4\n", "line 6 holds \"-4\" where Ni"},
        {"HugeCount", head + "1234567890,40\n", "line 6 holds \"1234567890\" as Ns"},
        {"NoInduced", head + "12,40\n9,0\n", "line 7 holds a grain without induced tracks"},
        {"NoTracks", head + "0,0\n", "line 6 holds a grain without any track"},
        {"OneField", head + "12\n", "line 6 holds \"12\" where a grain's Ns and Ni"},
        {"BlankBetween", head + "12,40\n\n9,30\n", "line 7 is empty, but more grains follow"},
        {"ZeroZeta", "zeta,err\n0,10\nrhoD,err\n1300000,26000\nNs,Ni\n1,2\n",
         "line 2 holds \"0\" where zeta"},
        {"ZetaWithoutError", "zeta,err\n350\nrhoD,err\n1300000,26000\nNs,Ni\n1,2\n",
         "line 2 holds zeta without its 1-sigma error"},
        {"NegativeRhoDError", "zeta,err\n350,10\nrhoD,err\n1300000,-5\nNs,Ni\n1,2\n",
         "line 4 holds \"-5\" where the 1-sigma error of rhoD"},
        {"NoGrains", head + "\n\n", "holds no grain line"},
        {"TooMany", many, "it has 301 grain lines from line 6 on"},
        {"RadialPlotterZeta", "Merrin,F\n350,ten\n1300000\n1,2\n",
         "line 2 holds \"ten\" where the 1-sigma error of zeta"},
        {"NotCounts", "Kestrel Ridge\n41.2\n44.8\n", "not a fission-track count file"},
    };
    for (const auto& c : cases) {
        const Outcome<CountData> r = readCountText(c.text, "bad.csv");
        ASSERT_TRUE(std::holds_alternative<Refusal>(r)) << c.name;
        const Refusal& refusal = std::get<Refusal>(r);
        EXPECT_NE(refusal.brief.find(c.brief), std::string::npos)
            << c.name << ": " << refusal.brief;
        EXPECT_EQ(refusal.message.find("bad.csv"), 42u) << c.name;
    }
}

TEST(CountFileRefusals, FilesThatCannotBeRead) {
    const test::TempDir dir;
    const auto brief = [](const Outcome<CountData>& r) {
        return std::holds_alternative<Refusal>(r) ? std::get<Refusal>(r).brief : "read";
    };
    EXPECT_EQ(brief(readCountFile(dir.file("missing.csv"))), "no such file");
    EXPECT_EQ(brief(readCountFile(dir.write("empty.csv", ""))), "the file is empty.");
    EXPECT_NE(brief(readCountFile(dir.write("nul.csv", kIsoplotR + std::string(1, '\0'))))
                  .find("not a text file: line 9"),
              std::string::npos);
    EXPECT_EQ(brief(readCountFile(dir.write("ok.csv", kIsoplotR))), "read");
}

}  // namespace
}  // namespace sifton
