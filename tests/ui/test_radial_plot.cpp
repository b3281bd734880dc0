// The radial plot's geometry against Galbraith's coordinates worked from the ages, its arc, band
// and marks, its labels on the example files, and the plot window's choice of plot.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <cmath>
#include <cstdint>

#include "core/tables.h"
#include "tests/support/scripted_platform.h"
#include "ui/frm_dix.h"
#include "ui/frm_plot.h"
#include "ui/plot_painter.h"
#include "ui/presentation.h"
#include "ui/radial_geometry.h"
#include "window_test_support.h"

namespace sifton {
namespace {

struct Row {
    double value, second;
};

// The rows declared as 'kind', then the largest values rejected.
Analysis declared(const std::vector<Row>& rows, UncertaintyKind kind, int rejectMax = 0) {
    DataSet d;
    d.Locality = "Radial";
    for (const Row& r : rows) d.rows.push_back({r.value, r.second, ""});
    Outcome<DataSet> declaredSet = declaringUncertainty(d, kind);
    EXPECT_TRUE(std::holds_alternative<DataSet>(declaredSet));
    FolderTables tables(SIFTON_SOURCE_DIR "/data", false);
    Analysis a =
        Analysis::of(std::make_shared<const DataSet>(std::get<DataSet>(declaredSet)), tables);
    for (int i = 0; i < rejectMax; ++i) a = *a.rejecting(Extreme::Largest, tables);
    return a;
}

RadialPlotData radialOf(const Analysis& a) {
    return *radialPlotData(a, present(&a, GesdSettings{}).plot);
}

std::string texts(const PlotGeometry& g, PlotRole role) {
    std::string all;
    for (const PlotText& t : g.texts)
        if (t.role == role) all += t.text + "|";
    return all;
}

// 100 ± 10, 120 ± 6, 80 ± 8 under test and 150 ± 30 rejected, as ±1σ and as the same ±2σ %.
// z0 = sum(z/u^2)/sum(1/u^2) of the three under test; x = t/s, y = (ln t - z0) t/s, the
// rejected age about the same z0.
TEST(RadialPlot, PointsLieAtGalbraithsCoordinates) {
    const double z0 = (100 * std::log(100.0) + 400 * std::log(120.0) + 100 * std::log(80.0)) / 600;
    const std::vector<std::tuple<int, double, double, bool>> expected = {
        {1, 10, (std::log(100.0) - z0) * 10, false},
        {2, 20, (std::log(120.0) - z0) * 20, false},
        {3, 10, (std::log(80.0) - z0) * 10, false},
        {4, 5, (std::log(150.0) - z0) * 5, true}};
    const std::pair<UncertaintyKind, std::vector<Row>> cases[] = {
        {UncertaintyKind::OneSigma, {{100, 10}, {120, 6}, {80, 8}, {150, 30}}},
        {UncertaintyKind::TwoSigmaPercent, {{100, 20}, {120, 10}, {80, 20}, {150, 40}}}};
    for (const auto& [kind, rows] : cases) {
        SCOPED_TRACE(static_cast<int>(kind));
        const RadialPlotData data = radialOf(declared(rows, kind, 1));
        EXPECT_NEAR(data.reference, z0, 1e-12);
        for (const double width : {double(kPlotWidth), 700.0, 1400.0}) {
            const RadialGeometry g = layoutRadialPlot(data, width, kPlotHeight);
            const RadialScale& s = g.scale;
            std::vector<std::tuple<int, double, double, bool>> seen;
            for (const PlotPoint& p : g.plot.points)
                if (p.role == PlotRole::Value || p.role == PlotRole::Rejected)
                    seen.emplace_back(p.row, (p.x - s.originX) / s.perX, (s.originY - p.y) / s.perY,
                                      p.role == PlotRole::Rejected);
            std::sort(seen.begin(), seen.end());
            ASSERT_EQ(seen.size(), expected.size());
            for (std::size_t i = 0; i < seen.size(); ++i) {
                EXPECT_EQ(std::get<0>(seen[i]), std::get<0>(expected[i]));
                EXPECT_NEAR(std::get<1>(seen[i]), std::get<1>(expected[i]), 1e-9);
                EXPECT_NEAR(std::get<2>(seen[i]), std::get<2>(expected[i]), 1e-9);
                EXPECT_EQ(std::get<3>(seen[i]), std::get<3>(expected[i]));
            }
            EXPECT_EQ(texts(g.plot, PlotRole::RowLabel), "#4|");
        }
    }
}

// The slope y/x, in the plot's units, of the line from the origin through a pixel: the age
// ln T = z0 + slope that the arc shows there.
double slopeAt(const RadialScale& s, double px, double py) {
    return ((s.originY - py) / s.perY) / ((px - s.originX) / s.perX);
}

// The arc's equation at a pixel: 1 on the arc, below 1 inside it.
double arcEquation(const RadialScale& s, double px, double py) {
    return std::pow((px - s.originX) / s.arcX, 2) + std::pow((py - s.originY) / s.arcY, 2);
}

// 1, 2 or 5 times a power of ten.
bool oneTwoFive(double v) {
    const double m = v / std::pow(10.0, std::floor(std::log10(v) + 1e-9));
    return std::fabs(m - 1) < 1e-9 || std::fabs(m - 2) < 1e-9 || std::fabs(m - 5) < 1e-9;
}

// Each tick of the arc sits on it where the line of its age meets it; the ticks are round ages,
// equal steps of 1, 2 or 5 times a power of ten, and over a wide range also the round values of
// 1, 2 and 5 below the first step; their labels keep apart. The band spans y = ±2 from the
// origin to the arc; the central age's line ends on the arc at its slope.
TEST(RadialPlot, ArcTicksBandAndCentralAge) {
    const std::pair<std::vector<Row>, std::string> cases[] = {
        {{{100, 10}, {120, 6}, {80, 8}, {150, 30}}, ""},
        {{{5, 1}, {12, 2}, {40, 4}, {90, 9}, {300, 20}, {520, 40}}, "young end"},
        {{{44.1, 3}, {44.2, 3}, {44.3, 3}}, "alike"}};
    for (const auto& [rows, name] : cases) {
        SCOPED_TRACE(name);
        const RadialPlotData data = radialOf(declared(rows, UncertaintyKind::OneSigma));
        const RadialGeometry g = layoutRadialPlot(data, kPlotWidth, kPlotHeight);
        const RadialScale& s = g.scale;
        std::vector<double> ticks;
        std::vector<PlotBox> labels;
        double arcLow = 1e9, arcHigh = -1e9;
        for (const PlotLine& l : g.plot.lines) {
            if (l.role == PlotRole::Arc) {
                EXPECT_NEAR(arcEquation(s, l.x1, l.y1), 1, 1e-9);
                EXPECT_NEAR(arcEquation(s, l.x2, l.y2), 1, 1e-9);
                arcLow = std::min(arcLow, slopeAt(s, l.x1, l.y1));
                arcHigh = std::max(arcHigh, slopeAt(s, l.x2, l.y2));
            }
            if (l.role != PlotRole::ArcTick) continue;
            ticks.push_back(l.value);
            EXPECT_NEAR(arcEquation(s, l.x1, l.y1), 1, 1e-9);
            EXPECT_NEAR(slopeAt(s, l.x1, l.y1), std::log(l.value) - data.reference, 1e-9);
            // The mark runs outwards square to the arc: along the gradient of its equation.
            const double gx = (l.x1 - s.originX) / (s.arcX * s.arcX);
            const double gy = (l.y1 - s.originY) / (s.arcY * s.arcY);
            const double mx = l.x2 - l.x1, my = l.y2 - l.y1;
            EXPECT_NEAR((mx * gy - my * gx) / std::hypot(gx, gy), 0, 1e-9);
            EXPECT_GT(mx * gx + my * gy, 0);
            EXPECT_NEAR(std::hypot(mx, my), 6, 1e-9);
        }
        for (const PlotText& t : g.plot.texts)
            if (t.role == PlotRole::ArcLabel) {
                labels.push_back(textBox(t));
                const double angle = std::atan2(s.originY - t.y, t.x - s.originX);
                EXPECT_GT(std::hypot(t.x - s.originX, t.y - s.originY), s.arcDistance(angle) + 6)
                    << t.text;
            }
        ASSERT_GE(ticks.size(), 3u);
        std::sort(ticks.begin(), ticks.end());
        // The last two make the step; below the equal steps only 1, 2 or 5 times a power of ten.
        const double step = ticks.back() - ticks[ticks.size() - 2];
        EXPECT_TRUE(oneTwoFive(step)) << step;
        bool equalSteps = true;
        for (std::size_t i = ticks.size() - 1; i > 0; --i) {
            equalSteps = equalSteps && std::fabs(ticks[i] - ticks[i - 1] - step) < 1e-9 * step;
            EXPECT_TRUE(equalSteps || oneTwoFive(ticks[i - 1])) << ticks[i - 1];
        }
        if (name == "young end") {
            EXPECT_LE(ticks.front(), 10);
        }
        for (double t : ticks) {
            EXPECT_GE(std::log(t) - data.reference, arcLow - 1e-9);
            EXPECT_LE(std::log(t) - data.reference, arcHigh + 1e-9);
        }
        for (const RadialPoint& p : data.points) {
            EXPECT_GE(p.y / p.x, arcLow);
            EXPECT_LE(p.y / p.x, arcHigh);
            EXPECT_LT(arcEquation(s, s.toPixelX(p.x), s.toPixelY(p.y)), 1);
        }
        ASSERT_EQ(labels.size(), ticks.size());
        for (std::size_t i = 0; i < labels.size(); ++i)
            for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(labels[i].overlaps(labels[j]));

        int bands = 0;
        for (const PlotBand& b : g.plot.bands)
            if (b.role == PlotRole::RadialBand) {
                ++bands;
                EXPECT_NEAR(b.left, s.originX, 1e-9);
                EXPECT_NEAR(b.top, s.toPixelY(2), 1e-9);
                EXPECT_NEAR(b.bottom, s.toPixelY(-2), 1e-9);
                EXPECT_NEAR(arcEquation(s, b.right, b.top), 1, 1e-9);
            }
        EXPECT_EQ(bands, 1);
        const CentralAge& central = *data.central;
        int centralLines = 0;
        for (const PlotLine& l : g.plot.lines)
            if (l.role == PlotRole::CentralLine) {
                ++centralLines;
                EXPECT_NEAR(slopeAt(s, l.x2, l.y2), std::log(central.age) - data.reference, 1e-9);
            }
        EXPECT_EQ(centralLines, 2);  // from the origin, and across the arc
        EXPECT_NE(texts(g.plot, PlotRole::Legend).find("central age "), std::string::npos);
    }
}

// The extremes the tests flag have the data plot's ring and highlighted label; the ages beyond
// ±2 are named beside their points and in the legend.
TEST(RadialPlot, MarksFlaggedAgesAndThoseBeyondTwo) {
    // 21..31 and 60, each ± 1 %: the tests flag row 12; the ages far from z0 lie beyond ±2.
    std::vector<Row> rows;
    for (int i = 1; i <= 11; ++i) rows.push_back({20.0 + i, 1});
    rows.push_back({60, 1});
    const RadialPlotData data = radialOf(declared(rows, UncertaintyKind::OneSigmaPercent));
    const PlotGeometry g = layoutRadialPlot(data, kPlotWidth, kPlotHeight).plot;
    std::vector<int> rings;
    for (const PlotPoint& p : g.points)
        if (p.role == PlotRole::ExtremeMark) rings.push_back(p.row);
    EXPECT_EQ(rings, std::vector<int>{12});
    for (const PlotText& t : g.texts)
        if (t.role == PlotRole::ExtremeLabel) {
            EXPECT_EQ(t.background,
                      t.text == "max #12" ? std::optional(colour::kHighlight) : std::nullopt)
                << t.text;
        }
    std::string beyond;
    for (int row : data.beyondTwo)
        if (row != 1 && row != 12) beyond += "#" + std::to_string(row) + "|";
    ASSERT_FALSE(beyond.empty());
    EXPECT_EQ(texts(g, PlotRole::BeyondTwoLabel), beyond);
    EXPECT_NE(texts(g, PlotRole::Legend).find("Beyond ±2|#"), std::string::npos);
}

// Ages not above 0 have no logarithm: a sentence instead of the plot, saying which row.
TEST(RadialPlot, AgesNotAboveZeroGiveASentenceAndNoDrawing) {
    const RadialPlotData data =
        radialOf(declared({{12, 1}, {0, 1}, {14, 1}, {-3, 1}, {15, 1}}, UncertaintyKind::OneSigma));
    const PlotGeometry g = layoutRadialPlot(data, kPlotWidth, kPlotHeight).plot;
    EXPECT_EQ(texts(g, PlotRole::Message),
              "The radial plot cannot be drawn:|row 2 has 0, not above 0, and its scale of ages "
              "is logarithmic.|");
    EXPECT_TRUE(g.points.empty() && g.lines.empty() && g.bands.empty());
}

// On every example with its second field as ±1σ, after up to three rejections, at the smallest
// and a wide window: the row labels and titles stay on the canvas, left of the legend, off each
// other, the tick labels and the lines they must not cross.
TEST(RadialPlot, LabelsStayClearOnTheExamples) {
    FolderTables tables(SIFTON_SOURCE_DIR "/data", false);
    int labelled = 0;
    for (const char* name : {"aspen-tarn-5", "brackwater-fan-64", "harrow-creek-outlier-12",
                             "kestrel-ridge-12", "velden-gorge-30"}) {
        Outcome<DataSet> read =
            Read_Data_File(std::string(SIFTON_SOURCE_DIR "/examples/") + name + ".csv");
        Outcome<DataSet> set =
            declaringUncertainty(std::get<DataSet>(std::move(read)), UncertaintyKind::OneSigma);
        std::optional<Analysis> a =
            Analysis::of(std::make_shared<const DataSet>(std::get<DataSet>(set)), tables);
        for (int rejected = 0; a && rejected <= 3; ++rejected) {
            const RadialPlotData data = radialOf(*a);
            for (const auto& [width, height] :
                 {std::pair{700.0, 440.0}, {900.0, 620.0}, {1400.0, 620.0}}) {
                SCOPED_TRACE(std::string(name) + " " + std::to_string(rejected) + " " +
                             std::to_string(width));
                const PlotGeometry g = layoutRadialPlot(data, width, height).plot;
                double legendLeft = width;
                for (const PlotText& t : g.texts)
                    if (t.role == PlotRole::Legend) legendLeft = std::min(legendLeft, t.x);
                std::vector<PlotBox> placed;
                for (const PlotText& t : g.texts) {
                    if (t.role == PlotRole::Legend || t.role == PlotRole::Title) continue;
                    const PlotBox box = textBox(t);
                    EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= legendLeft - 4 &&
                                box.bottom <= height)
                        << t.text;
                    for (const PlotBox& other : placed) EXPECT_FALSE(box.overlaps(other)) << t.text;
                    placed.push_back(box);
                    if (t.role != PlotRole::RowLabel && t.role != PlotRole::ExtremeLabel &&
                        t.role != PlotRole::BeyondTwoLabel)
                        continue;
                    ++labelled;
                    for (const PlotLine& l : g.lines)
                        if (l.role == PlotRole::Arc || l.role == PlotRole::CentralLine ||
                            l.role == PlotRole::ZeroLine) {
                            EXPECT_FALSE(plot::crosses(l, box)) << t.text;
                        }
                }
            }
            a = a->rejecting(rejected % 2 ? Extreme::Smallest : Extreme::Largest, tables);
        }
    }
    EXPECT_GT(labelled, 0);
}

// 'count' ages about 'centre' with a relative dispersion 'spread' and relative 1-sigma
// uncertainties from 4 % to 60 %: reproducible pseudo-random normal deviates (Box-Muller from
// a linear congruential sequence), so that the imprecise ages near the origin have slopes far
// from 0 and the arc spans a wide range, as real detrital samples do.
std::vector<Row> scattered(int count, double centre, double spread) {
    std::uint32_t state = 20240611;
    const auto uniform = [&] {
        state = state * 1664525u + 1013904223u;
        return (state + 0.5) / 4294967296.0;
    };
    const auto normal = [&] {
        const double radius = std::sqrt(-2 * std::log(uniform()));
        return radius * std::cos(6.283185307179586 * uniform());
    };
    std::vector<Row> rows;
    for (int i = 0; i < count; ++i) {
        const double dispersed = spread * normal();
        const double relative = 0.04 + 0.56 * std::pow(uniform(), 3);
        const double age = centre * std::exp(dispersed + relative * normal());
        rows.push_back({age, relative * age});
    }
    return rows;
}

// What the radial plot looks like on the canvas: the drawing spans the width between the left
// margin and the legend and most of the height between the title and the axes below, however
// wide the range of ages; each x axis has its title under its own right end; the y axis's
// title sits where no tick label, point, ring or other text is; the titles keep a few pixels
// from every other text, the labels of the points off each other, the legend on the canvas.
TEST(RadialPlot, DrawingFillsTheRoomAndTitlesKeepToTheirAxes) {
    const std::pair<std::string, std::vector<Row>> cases[] = {
        {"100 ages, 20 % apart", scattered(100, 170, 0.2)},
        {"300 ages, 50 % apart", scattered(300, 47, 0.5)},
        {"12 alike",
         {{41.2, 3.1},
          {44.8, 3.4},
          {47.5, 3.6},
          {43.1, 3.2},
          {46.9, 3.5},
          {39.8, 3.0},
          {45.3, 3.4},
          {44.0, 3.3},
          {42.6, 3.2},
          {45.9, 3.5},
          {43.7, 3.3},
          {48.4, 3.6}}},
        {"5 ages", {{12.4, 1.2}, {13.1, 1.3}, {11.8, 1.2}, {12.9, 1.3}, {25.0, 2.0}}}};
    for (const auto& [name, rows] : cases) {
        const RadialPlotData data = radialOf(declared(rows, UncertaintyKind::OneSigma));
        for (const auto& [width, height] :
             {std::pair{700.0, 440.0}, {900.0, 620.0}, {1100.0, 620.0}}) {
            SCOPED_TRACE(name + " " + std::to_string(int(width)));
            const RadialGeometry g = layoutRadialPlot(data, width, height);
            const RadialScale& s = g.scale;
            double legendLeft = width, arcRight = 0, arcTop = height, arcBottom = 0;
            for (const PlotText& t : g.plot.texts)
                if (t.role == PlotRole::Legend) legendLeft = std::min(legendLeft, t.x);
            std::vector<PlotLine> xAxes;
            for (const PlotLine& l : g.plot.lines) {
                if (l.role == PlotRole::Arc)
                    for (const auto& [x, y] : {std::pair{l.x1, l.y1}, {l.x2, l.y2}}) {
                        arcRight = std::max(arcRight, x);
                        arcTop = std::min(arcTop, y), arcBottom = std::max(arcBottom, y);
                    }
                if (l.role == PlotRole::Axis && l.y1 == l.y2 && l.x2 - l.x1 > 20)
                    xAxes.push_back(l);
            }
            double titleBottom = 0, axesTop = height;
            for (const PlotText& t : g.plot.texts)
                if (t.role == PlotRole::Title) titleBottom = textBox(t).bottom;
            for (const PlotLine& l : xAxes) axesTop = std::min(axesTop, l.y1);
            EXPECT_GE(arcRight - s.originX, 0.75 * (legendLeft - s.originX));
            EXPECT_GE(arcBottom - arcTop, 0.6 * (axesTop - titleBottom));
            // The points and the band not flattened into a strip to make a wide arc fit.
            double top = s.toPixelY(2), bottom = s.toPixelY(-2);
            for (const PlotPoint& p : g.plot.points)
                if (p.role == PlotRole::Value)
                    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
            EXPECT_GE(bottom - top, 0.4 * (axesTop - titleBottom));

            ASSERT_EQ(xAxes.size(), 2u);
            std::vector<PlotBox> others;  // every text but the titles of the axes
            std::optional<PlotBox> yTitle, ageTitle;
            int xTitles = 0;
            for (const PlotText& t : g.plot.texts) {
                const PlotBox box = textBox(t);
                if (t.role == PlotRole::Legend) {
                    EXPECT_LE(box.bottom, height) << t.text;
                    continue;
                }
                if (t.role != PlotRole::AxisTitle) {
                    for (const PlotBox& other : others) EXPECT_FALSE(box.overlaps(other)) << t.text;
                    others.push_back(box);
                    continue;
                }
                if (t.text == "standardised residual y") yTitle = box;
                if (t.text == "age") ageTitle = box;
                for (const PlotLine& axis : xAxes)
                    if (box.top > axis.y1 && box.top < axis.y1 + 12) {
                        ++xTitles;
                        EXPECT_GE(box.left, axis.x1) << t.text;
                        EXPECT_LE(box.right, axis.x2 + 1e-9) << t.text;
                        EXPECT_GE(box.right, axis.x2 - 1) << t.text;
                    }
            }
            EXPECT_EQ(xTitles, 2);
            ASSERT_TRUE(yTitle && ageTitle);
            // Left of the y axis's tick labels, level with some of the axis from -2 to 2.
            EXPECT_LT(yTitle->right, s.originX - 6 - 14);
            EXPECT_LT(yTitle->top, s.toPixelY(-2));
            EXPECT_GT(yTitle->bottom, s.toPixelY(2));
            for (const PlotPoint& p : g.plot.points) {
                if (p.role == PlotRole::Legend) continue;
                const PlotBox round{p.x - p.radius, p.y - p.radius, p.x + p.radius, p.y + p.radius};
                EXPECT_FALSE(yTitle->overlaps(round)) << p.row;
            }
            for (const PlotBox& title : {*yTitle, *ageTitle}) {
                const PlotBox apart{title.left - 2, title.top - 2, title.right + 2,
                                    title.bottom + 2};
                for (const PlotBox& other : others) EXPECT_FALSE(apart.overlaps(other));
            }
        }
    }
}

// A text turned to read upwards (the y axis's title) is drawn inside the box the layout keeps
// clear for it, which is its flat box turned a quarter left about the anchor: the ink of each
// text, painted alone, lies within its box and a pixel or two round it, and fills a good part
// of it.
TEST(RadialPlot, UpwardTextIsDrawnInItsBox) {
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
        PlotText t{
            PlotRole::AxisTitle, 150, 150, "standardised residual y", {0, 0, 0}, 11, false, h, v,
            std::nullopt};
        t.upward = upward;
        g.texts.push_back(t);
        const PlotBox box = textBox(t);
        QImage image(300, 300, QImage::Format_RGB32);
        QPainter painter(&image);
        paintPlot(painter, g);
        painter.end();
        int inside = 0, outside = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 300; ++x) {
                if (image.pixelColor(x, y).lightness() > 200) continue;
                const bool in = x + 1 >= box.left - 2 && x <= box.right + 2 &&
                                y + 1 >= box.top - 2 && y <= box.bottom + 2;
                (in ? inside : outside) += 1;
            }
        EXPECT_EQ(outside, 0);
        EXPECT_GT(inside, 200);
        // Ink over most of the text's length: from near one end of its box to near the other.
        double from = 1e9, to = -1e9;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 300; ++x)
                if (image.pixelColor(x, y).lightness() <= 200) {
                    const double along = upward ? y : x;
                    from = std::min(from, along), to = std::max(to, along);
                }
        const double length = upward ? box.bottom - box.top : box.right - box.left;
        EXPECT_GT(to - from, 0.7 * length);
    }
}

// Labels keep off slanted lines too (the arc's pieces, the central age's line): a segment
// crosses a box when part of it lies inside, not when it only passes near a corner.
TEST(RadialPlot, LineCrossesBox) {
    const PlotBox box{10, 10, 30, 20};
    const std::pair<PlotLine, bool> cases[] = {
        {{PlotRole::Arc, 0, 0, 40, 30, {}, 1, LineStyle::Solid, 0}, true},    // through it
        {{PlotRole::Arc, 0, 25, 12, 0, {}, 1, LineStyle::Solid, 0}, false},   // past its corner
        {{PlotRole::Arc, 15, 12, 16, 13, {}, 1, LineStyle::Solid, 0}, true},  // all inside
        {{PlotRole::Arc, 35, 0, 45, 30, {}, 1, LineStyle::Solid, 0}, false},  // beside it
        {{PlotRole::Arc, 40, 30, 20, 15, {}, 1, LineStyle::Solid, 0}, true},  // ends inside
        {{PlotRole::Arc, 20, 0, 20, 9, {}, 1, LineStyle::Solid, 0}, false},   // stops short
        {{PlotRole::Arc, 5, 15, 50, 15, {}, 1, LineStyle::Solid, 0}, true}};  // level across
    for (const auto& [line, crossing] : cases)
        EXPECT_EQ(plot::crosses(line, box), crossing) << line.x1 << "," << line.y1;
}

// The choice of plot shows only with the ages' uncertainties; it switches the drawing, the
// window's title and what Save Plot As writes (an SVG with a circle for each age).
TEST(RadialPlotWindow, ChoiceShowsWithUncertaintiesAndSwitchesThePlot) {
    ScriptedPlatform platform;
    test::TableFolder tables;
    frmDIX* w = test::startAndOpen(platform, tables, "d.csv", {41.2, 44.8, 47.5, 43.1, 46.9, 39.8});
    ASSERT_NE(w, nullptr);
    test::trigger(w, "mnuViewItem_0");
    QPointer<frmPlot> plot = w->plotWindow();
    ASSERT_TRUE(plot);
    auto* choice = plot->findChild<QComboBox*>("cboPlotKind");
    ASSERT_NE(choice, nullptr);
    EXPECT_FALSE(choice->isVisible());

    const Outcome<Analysis> declaredAnalysis = w->analysis()->declaring(UncertaintyKind::OneSigma);
    ASSERT_TRUE(std::holds_alternative<Analysis>(declaredAnalysis));
    const Analysis& ages = std::get<Analysis>(declaredAnalysis);
    plot->refresh(plot->data(), &ages);
    EXPECT_TRUE(choice->isVisible());
    EXPECT_EQ(plot->currentGeometry().name, "Sifton data plot");
    choice->setCurrentIndex(1);
    EXPECT_EQ(std::pair(plot->windowTitle(), plot->currentGeometry().name),
              std::pair(QString("Radial Plot"), std::string("Sifton radial plot")));

    const std::string path = tables.file("radial.svg");
    platform.saveAnswers.push_back(path);
    test::trigger(plot, "mnuPlotFileItem_0");
    EXPECT_EQ(platform.saveDialogsShown.at(0).fileName, "d-radial.png");
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    EXPECT_TRUE(svg.contains("Sifton radial plot"));
    int drawn = 0;  // each age's point is a circle where the geometry has it
    for (const PlotPoint& p : plot->currentGeometry().points) {
        if (p.role != PlotRole::Value) continue;
        ++drawn;
        EXPECT_TRUE(svg.contains(QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\"")
                                     .arg(p.x)
                                     .arg(p.y)
                                     .arg(p.radius)
                                     .toUtf8()))
            << p.row;
    }
    EXPECT_EQ(drawn, 6);

    // A data set without uncertainties again: the data plot, and no choice.
    plot->refresh(plot->data(), w->analysis());
    EXPECT_EQ(std::tuple(choice->isVisible(), plot->showsRadial(), plot->windowTitle()),
              std::tuple(false, false, QString("Data Plot")));
    test::destroyAllWindows();
}

}  // namespace
}  // namespace sifton
