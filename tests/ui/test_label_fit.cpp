// Fitting label texts without Qt, on a made-up font of 100 twips per character: growing into
// free room, the shorter exact form, widening the window, eliding texts, covered labels.
#include <gtest/gtest.h>

#include <tuple>

#include "ui/label_fit.h"

namespace sifton {
namespace {

TEST(LabelFit, ExactExponentFormKeepsEveryDigitAndIsShorterOrNothing) {
    const std::string e99 = "1" + std::string(99, '0') + ".00";
    for (auto [text, form] : {std::tuple{"30000000.00", "3E+07"},
                              {"29800000.00", "2.98E+07"},
                              {"-0.0001230000", "-1.23E-04"},
                              {"120.0E+10", "1.2E+12"},
                              {e99.c_str(), "1E+99"},
                              {"29812345.68", ""},
                              {"-0.000123", ""},
                              {"0.00", ""},
                              {"11 (from 12)", ""},
                              {"  OK  ", ""}})
        EXPECT_EQ(exactExponentForm(text).value_or(""), form) << text;
}

LabelState value(const char* name, std::string text, int left, int width, int top = 0) {
    LabelState l;
    std::tie(l.name, l.text, l.left, l.width, l.top, l.height) =
        std::tuple(name, std::move(text), left, width, top, 250);
    return l;
}

// A value at 0 (designed 500 wide) with a neighbour at 1000 on its line, which it may come up
// to 60 twips close, in a client area of 2000; below, a label that shows across both.
FittedLayout fit(const std::string& text, const char* name = "lblMean", bool covered = false) {
    std::vector<LabelState> labels = {value(name, text, 0, 500), value("next", "x", 1000, 500),
                                      value("below", "", 0, 2000, 500),
                                      value("cover", "NOT TESTED", 0, 900)};
    labels[3].kind = LabelKind::Cover;
    labels[3].visible = covered;
    return fitLabels(labels, {}, 2000,
                     [](size_t, const std::string& t) { return static_cast<int>(t.size()) * 100; });
}

std::string shown(const FittedLayout& f) {  // the first label, its neighbour and the client
    const FittedLabel& l = f.labels[0];
    return l.text + "|" + l.toolTip + "|" + std::to_string(l.width) + "|" +
           std::to_string(f.labels[1].left) + "|" + std::to_string(f.labels[2].width) + "|" +
           std::to_string(f.clientWidth);
}

TEST(LabelFit, ATooWideTextGrowsThenTakesTheShorterFormThenWidensTheWindow) {
    EXPECT_EQ(shown(fit("1234")), "1234||500|1000|2000|2000");
    EXPECT_EQ(shown(fit("1234567.8")), "1234567.8||900|1000|2000|2000");
    EXPECT_EQ(shown(fit("30000000.00")), "3E+07|30000000.00|500|1000|2000|2000");
    EXPECT_EQ(shown(fit("29812345.68")), "29812345.68||1100|1160|2160|2160");
    EXPECT_EQ(shown(fit("29812345.68", "lblFileName")),
              "29812345.68|29812345.68|940|1000|2000|2000");
    EXPECT_EQ(fit("29812345.68", "lblFileName").labels[0].elide, Elide::Middle);
    EXPECT_EQ(shown(fit("29812345.68", "lblMean", true)), "29812345.68||500|1000|2000|2000");
}

}  // namespace
}  // namespace sifton
