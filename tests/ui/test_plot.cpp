// The data plot's geometry for small data sets, and one picture drawn from it.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <map>
#include <numeric>

#include "core/number_text.h"
#include "ui/plot_painter.h"
#include "ui/presentation.h"
#include "window_test_support.h"

namespace sifton {
namespace {

std::vector<double> oneTo(int n, std::initializer_list<double> extra = {}) {
    std::vector<double> values(static_cast<size_t>(n));
    std::iota(values.begin(), values.end(), 1.0);
    values.insert(values.end(), extra);
    return values;
}

std::string g4(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", v);
    return text;
}

Presentation presented(const std::vector<double>& values, const std::vector<Extreme>& rejections) {
    const Analysis a = test::analysed(values, rejections);
    return present(&a, GesdSettings{});
}
PlotGeometry run(const std::vector<double>& values, const std::vector<Extreme>& rejections = {}) {
    return layoutPlot(presented(values, rejections).plot, kPlotWidth, kPlotHeight);
}

// The limits as "role value value..." in value order.
std::string limits(const PlotGeometry& g) {
    using R = PlotRole;
    const std::pair<R, const char*> roles[] = {{R::IqrBox, "box"},
                                               {R::InnerFence, "inner"},
                                               {R::OuterFence, "outer"},
                                               {R::GrubbsLimit, "grubbs"},
                                               {R::Rejected, "hollow"}};
    std::map<R, std::vector<double>> at;
    for (const PlotBand& b : g.bands) at[b.role].insert(at[b.role].end(), {b.low, b.high});
    for (const PlotLine& l : g.lines) at[l.role].push_back(l.value);
    for (const PlotPoint& p : g.points)
        if (p.role == R::Rejected && !p.filled) at[p.role].push_back(p.value);
    std::string all;
    for (auto [role, name] : roles) {
        std::vector<double>& values = at[role];
        std::sort(values.begin(), values.end());
        if (values.empty()) continue;
        all += std::string(all.empty() ? "" : "; ") + name;
        for (double v : values) all += " " + g4(v);
    }
    return all;
}

std::string texts(const PlotGeometry& g, PlotRole role, const std::string& containing = "") {
    std::string all;
    for (const PlotText& t : g.texts)
        if (t.role == role && t.text.find(containing) != std::string::npos) all += t.text + "|";
    return all;
}

// The limits are mean ± C·SD with C the 5 % entry of grubbs.dat and the fences worked by hand;
// after them, the legend's notes on the tests that did not run.
TEST(Plot, DrawsEachTestsLimitsAtTheirValuesAndNothingForATestThatDidNotRun) {
    const std::tuple<std::vector<double>, std::vector<Extreme>, std::string> cases[] = {
        // The IQR worked example: quartiles 10 and 14.5; mean 11.625, SD 5.2082, C 2.0317.
        {{10, 12, 2, 14, 9, 20, 15, 11},
         {},
         "box 10 14.5; inner 3.25 21.25; outer -3.5 28; grubbs 1.044 22.21 | "},
        // 1..10 and a rejected 40 (row 11): quartiles 3.5 and 8.5; mean 5.5, SD 3.0277, C 2.1761.
        {oneTo(10, {40}),
         {Extreme::Largest},
         "box 3.5 8.5; inner -4 16; outer -11.5 23.5; grubbs -1.088 12.09; hollow 40 | "},
        // Mean 13.6, SD 1.7536, C 1.6714; too few values for the IQR test.
        {{12.4, 13.1, 12.8, 13.0, 16.7},
         {},
         "grubbs 10.67 16.53 | IQR test: not run (n < 6)|ESD screen: not run (n < 6)|"},
        // 1..60: quartiles 16 and 45.5; mean 30.5, SD 17.464, C 3.0269.
        {oneTo(60),
         {},
         "box 16 45.5; inner -28.25 89.75; outer -72.5 134; grubbs -22.36 83.36 | Dixon test: not "
         "run (n > 25)|g-test: not run (n > 50)|"},
        {std::vector<double>(6, 5.0), {}, "box 5 5; inner 5 5; outer 5 5; grubbs 5 5 | "},
        // Quartiles 10 and 20; mean 15.714, SD 7.8678, C 1.9381.
        {{10, 10, 10, 10.001, 20, 20, 30},
         {},
         "box 10 20; inner -5 35; outer -20 50; grubbs 0.4658 30.96 | "}};
    for (const auto& [values, rejected, expected] : cases) {
        SCOPED_TRACE(expected);
        const PlotGeometry g = run(values, rejected);
        EXPECT_EQ(limits(g) + " | " + texts(g, PlotRole::Legend, "not run"), expected);
        // Every value is a point of its own: none lies within another.
        std::vector<const PlotPoint*> points;
        for (const PlotPoint& p : g.points)
            if (p.role == PlotRole::Value || p.role == PlotRole::Rejected) points.push_back(&p);
        ASSERT_EQ(points.size(), values.size());
        for (size_t i = 0; i < points.size(); ++i) {
            EXPECT_TRUE(std::isfinite(points[i]->x) && std::isfinite(points[i]->y));
            for (size_t j = 0; j < i; ++j)
                EXPECT_GE(std::hypot(points[i]->x - points[j]->x, points[i]->y - points[j]->y),
                          2 * points[i]->radius);
        }
    }
}

// The plot flags, rings and highlights an extreme exactly when an uncovered verdict label does.
TEST(Plot, FlagsAnExtremeExactlyWhenTheWindowHighlightsItOutsideACover) {
    using L = LabelId;
    const std::tuple<const char*, L, L, L> verdicts[] = {
        {"Grubbs", L::lblGRUno, L::lblGrubbsMin, L::lblGrubbsMax},
        {"Dixon", L::lblDIXno, L::lblDixMin, L::lblDixMax},
        {"IQR", L::lblIQRno, L::lblIQRyoung, L::lblIQRold},
        {"g-test", L::lblGAUno, L::lblGaY, L::lblGaO}};
    // The values, the rejections and the legend's lines on the extremes.
    const std::tuple<std::vector<double>, std::vector<Extreme>, std::string> cases[] = {
        {oneTo(11, {40}), {}, "max #12: Grubbs, Dixon, IQR, g-test|"},
        {oneTo(12), {}, "No test flags min #1 or max #12|"},
        // One far out on each side: the smallest masks the largest from Grubbs and g (T 2.33
        // and 2.28 against C 2.285 at n = 12), not from Dixon's range ratios or the fences.
        {{-30, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 40},
         {},
         "min #1: Grubbs, Dixon, IQR, g-test|max #12: Dixon, IQR|"},
        // After a rejection the extremes are other rows; above 100 values only the IQR test runs.
        {oneTo(100, {1000, 2000}), {Extreme::Largest}, "max #101: IQR|"}};
    for (const auto& [values, rejected, flags] : cases) {
        SCOPED_TRACE(flags);
        const Presentation p = presented(values, rejected);
        const PlotGeometry g = layoutPlot(p.plot, kPlotWidth, kPlotHeight);
        EXPECT_EQ(texts(g, PlotRole::Legend, " #"), flags);
        std::vector<std::string> byMin, byMax;  // as the labels show it
        for (const auto& [test, cover, min, max] : verdicts) {
            if (p[cover].visible) continue;
            if (p[min].highlight) byMin.push_back(test);
            if (p[max].highlight) byMax.push_back(test);
        }
        EXPECT_EQ(std::pair(p.plot.minFlaggedBy, p.plot.maxFlaggedBy), std::pair(byMin, byMax));
        int rings = 0;  // the ring behind each flagged extreme, and its label highlighted
        for (const PlotPoint& pt : g.points) rings += pt.role == PlotRole::ExtremeMark;
        EXPECT_EQ(rings, int(!byMin.empty()) + int(!byMax.empty()));
        for (const PlotText& t : g.texts)
            if (t.role == PlotRole::ExtremeLabel) {
                const bool flagged = !(t.text.starts_with("min") ? byMin : byMax).empty();
                EXPECT_EQ(t.background, flagged ? std::optional(colour::kHighlight) : std::nullopt)
                    << t.text;
            }
    }
}

// A range without spread is widened by paddedRange; the plot test's six equal values show it.
TEST(PlotAxis, TicksAreRoundStepsFromTinyToHuge) {
    const std::tuple<double, double, int, std::string> cases[] = {
        {0, 10, 5, "0 2 4 6 8 10 "},
        {-37, -3, 4, "-30 -20 -10 "},
        {0.1, 0.35, 5, "0.1 0.15 0.2 0.25 0.3 0.35 "},
        {1e-100, 5e-100, 4, "1E-100 2E-100 3E-100 4E-100 5E-100 "},
        {-1e100, 1e100, 4, "-1E+100 -5E+99 0 5E+99 1E+100 "},
        {1e9 + 0.1, 1e9 + 0.9, 4, "1000000000.2 1000000000.4 1000000000.6 1000000000.8 "}};
    for (const auto& [low, high, count, expected] : cases) {
        std::string ticks;
        for (double t : niceTicks(low, high, count).values) ticks += generalNumberText(t) + " ";
        EXPECT_EQ(ticks, expected) << low << " " << high;
    }
}

TEST(Plot, DrawingPutsPointsAndLimitsWhereTheGeometrySays) {
    const PlotGeometry g = run(oneTo(10, {40}), {Extreme::Largest});  // row 11
    QImage image(kPlotWidth, kPlotHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    paintPlot(painter, g);
    painter.end();
    auto at = [&](double x, double y) {
        return image.pixelColor(qRound(x - 0.5), qRound(y - 0.5));
    };
    for (const PlotPoint& p : g.points) {
        if (p.role == PlotRole::Value) {
            EXPECT_EQ(at(p.x, p.y), QColor(0, 0, 160)) << p.value;
        }
        if (p.role == PlotRole::Rejected) {  // hollow: a grey ring round an empty middle
            EXPECT_GT(at(p.x, p.y).lightness(), 220);
            EXPECT_LT(at(p.x + p.radius, p.y).lightness(), 200);
        }
    }
    int seen = 0;  // each dashed Grubbs limit shows in a stretch of its column, level with the box
    for (const PlotLine& l : g.lines) {
        bool red = false;
        for (double y = l.y2 - 40; y < l.y2; ++y)
            red |= at(l.x1, y).red() > 150 && at(l.x1, y).green() < 100;
        seen += red && l.role == PlotRole::GrubbsLimit;
    }
    EXPECT_EQ(seen, 2);
    int ink = 0;  // the title, drawn right after the points, shows
    for (int x = 12; x < 300; ++x)
        for (int y = 10; y < 28; ++y) ink += image.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(ink, 100);
}

// A text turned to read upwards (the radial plot's y axis's title) is drawn inside the box the
// layout keeps clear for it, its flat box turned a quarter left about the anchor: the ink of each
// text, painted alone, lies within its box and a pixel or two round it, and runs along most of
// its length.
TEST(Plot, UpwardTextIsDrawnInItsBox) {
    const std::tuple<bool, HAlign, VAlign> cases[] = {{false, HAlign::Left, VAlign::Top},
                                                      {true, HAlign::Centre, VAlign::Top},
                                                      {true, HAlign::Centre, VAlign::Bottom},
                                                      {true, HAlign::Left, VAlign::Middle},
                                                      {true, HAlign::Right, VAlign::Top}};
    for (const auto& [upward, h, v] : cases) {
        SCOPED_TRACE(std::to_string(upward) + " " + std::to_string(int(h)) + " " +
                     std::to_string(int(v)));
        PlotGeometry g;
        g.width = 300, g.height = 300;
        g.texts.push_back({PlotRole::AxisTitle,
                           150,
                           150,
                           "standardised residual y",
                           {0, 0, 0},
                           11,
                           false,
                           h,
                           v,
                           std::nullopt});
        g.texts[0].upward = upward;
        const PlotBox box = textBox(g.texts[0]);
        QImage image(300, 300, QImage::Format_RGB32);
        QPainter painter(&image);
        paintPlot(painter, g);
        painter.end();
        int outside = 0;
        double from = 1e9, to = -1e9;  // the ink's extent along the text
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 300; ++x) {
                if (image.pixelColor(x, y).lightness() > 200) continue;
                outside += x + 1 < box.left - 2 || x > box.right + 2 || y + 1 < box.top - 2 ||
                           y > box.bottom + 2;
                from = std::min(from, double(upward ? y : x)),
                to = std::max(to, double(upward ? y : x));
            }
        EXPECT_EQ(outside, 0);
        EXPECT_GT(to - from, 0.7 * (upward ? box.bottom - box.top : box.right - box.left));
    }
}

}  // namespace
}  // namespace sifton
