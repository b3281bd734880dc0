// The radial plot's geometry against Galbraith's coordinates worked from the ages, its arc, band
// and marks, its labels on the example files, and the plot window's choice of plot.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QPointer>
#include <cmath>

#include "core/tables.h"
#include "tests/support/scripted_platform.h"
#include "ui/frm_dix.h"
#include "ui/frm_plot.h"
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
                EXPECT_NEAR(std::hypot(l.x1 - s.originX, l.y1 - s.originY), s.radius, 1e-9);
                arcLow = std::min(arcLow, slopeAt(s, l.x1, l.y1));
                arcHigh = std::max(arcHigh, slopeAt(s, l.x2, l.y2));
            }
            if (l.role != PlotRole::ArcTick) continue;
            ticks.push_back(l.value);
            EXPECT_NEAR(std::hypot(l.x1 - s.originX, l.y1 - s.originY), s.radius, 1e-9);
            EXPECT_NEAR(slopeAt(s, l.x1, l.y1), std::log(l.value) - data.reference, 1e-9);
            EXPECT_NEAR(slopeAt(s, l.x2, l.y2), std::log(l.value) - data.reference, 1e-9);
        }
        for (const PlotText& t : g.plot.texts)
            if (t.role == PlotRole::ArcLabel) {
                labels.push_back(textBox(t));
                EXPECT_GT(std::hypot(t.x - s.originX, t.y - s.originY), s.radius + 6) << t.text;
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
            EXPECT_LT(std::hypot(p.x * s.perX, p.y * s.perY), s.radius);
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
                EXPECT_NEAR(std::hypot(b.right - s.originX, b.top - s.originY), s.radius, 1e-9);
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
