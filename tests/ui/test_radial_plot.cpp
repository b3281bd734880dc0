// The radial plot's geometry against Galbraith's coordinates worked from the ages and from the
// counts, its arc, band, axes and marks, its layout on the example files, and the plot window's
// choice of plot.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QPointer>
#include <cmath>
#include <cstdint>

#include "core/tables.h"
#include "tests/core/test_support.h"
#include "tests/support/scripted_platform.h"
#include "ui/frm_dix.h"
#include "ui/frm_plot.h"
#include "ui/presentation.h"
#include "ui/radial_geometry.h"
#include "window_test_support.h"

namespace sifton {
namespace {

using Row = std::pair<double, double>;  // a value and its second field

// A data set, its second field declared ±1σ unless it holds counts, then the rejections (as
// many as leave three values).
Analysis analysed(DataSet d, const std::vector<Extreme>& rejections,
                  UncertaintyKind kind = UncertaintyKind::OneSigma) {
    if (!d.counts) d = std::get<DataSet>(declaringUncertainty(d, kind));
    FolderTables tables(SIFTON_SOURCE_DIR "/data", false);
    Analysis a = Analysis::of(std::make_shared<const DataSet>(d), tables);
    for (Extreme e : rejections)
        if (std::optional<Analysis> next = a.rejecting(e, tables)) a = *next;
    return a;
}

Analysis declared(const std::vector<Row>& rows, UncertaintyKind kind, int rejectMax = 0) {
    DataSet d;
    for (const auto& [value, second] : rows) d.rows.push_back({value, second, ""});
    return analysed(d, std::vector<Extreme>(std::size_t(rejectMax), Extreme::Largest), kind);
}

// An example by its name, or a count file by its text, read as the program reads it.
Analysis readFile(const std::string& nameOrText, const std::vector<Extreme>& rejections = {}) {
    const test::TempDir dir;
    const bool text = nameOrText.find('\n') != std::string::npos;
    Outcome<DataSet> read =
        Read_Data_File(text ? dir.write("c.csv", nameOrText)
                            : std::string(SIFTON_SOURCE_DIR "/examples/") + nameOrText + ".csv");
    return analysed(std::get<DataSet>(std::move(read)), rejections);
}

// Two tracks in five grains, three without: so young that the band reaches below z = 0, where
// no age lies (z0 = 0.030 < 2 se = 0.041 of the 601 tracks).
const std::string kYoungCounts =
    "Young,F\n350,10\n1300000,26000\n0,400\n1,600\n0,300\n0,500\n1,450\n";

RadialPlotData radialOf(const Analysis& a) {
    return *radialPlotData(a, present(&a, GesdSettings{}).plot);
}

bool counts(const RadialPlotData& data) {
    return data.transform.kind == RadialTransform::Kind::Counts;
}

std::string texts(const PlotGeometry& g, PlotRole role) {
    std::string all;
    for (const PlotText& t : g.texts)
        if (t.role == role) all += t.text + "|";
    return all;
}

// The z of an age by the formulas: ln t, or the arcsine of the counts' ratio of age t.
double zOfAge(const Analysis& a, double age) {
    return a.dataSet().counts ? arcsineOfAge(age, a.dataSet().counts->calibration())
                              : std::log(age);
}

// Each row drawn at x = 1/se and y = (z - z0)/se: for ages z = ln t, se = s/t and z0 the
// weighted mean of ln t of those under test (100 ± 10, 120 ± 6, 80 ± 8 and, rejected, 150 ± 30,
// as ±1σ and as the same ±2σ %); for counts z = arcsin sqrt((Ns + 3/8)/(Ns + Ni + 3/4)),
// se = 1/(2 sqrt(Ns + Ni + 1/2)) and z0 that of the central age, the rejected grain's too.
TEST(RadialPlot, PointsLieAtGalbraithsCoordinates) {
    using Expected = std::tuple<int, double, double>;  // row, z, se
    const double z0 = (100 * std::log(100.0) + 400 * std::log(120.0) + 100 * std::log(80.0)) / 600;
    std::vector<Expected> ages, grains;
    for (const auto& [row, t, s] : {Expected{1, 100, 10}, {2, 120, 6}, {3, 80, 8}, {4, 150, 30}})
        ages.emplace_back(row, std::log(t), s / t);
    for (const auto& [row, ns, ni] : {Expected{1, 0, 12}, {2, 3, 20}, {3, 7, 25}, {4, 2, 18}})
        grains.emplace_back(row, std::asin(std::sqrt((ns + 0.375) / (ns + ni + 0.75))),
                            1 / (2 * std::sqrt(ns + ni + 0.5)));
    const Analysis merrin = readFile("merrin-scar-counts", {Extreme::Largest});  // row 3
    const std::tuple<Analysis, std::vector<Expected>, double, std::string> cases[] = {
        {declared({{100, 10}, {120, 6}, {80, 8}, {150, 30}}, UncertaintyKind::OneSigma, 1), ages,
         z0, "#4|"},
        {declared({{100, 20}, {120, 10}, {80, 20}, {150, 40}}, UncertaintyKind::TwoSigmaPercent, 1),
         ages, z0, "#4|"},
        {merrin, grains, merrin.fissionTracks()->z0, "#3|"}};
    for (const auto& [analysis, expected, reference, rejected] : cases) {
        const RadialPlotData data = radialOf(analysis);
        for (const double width : {700.0, 1400.0}) {
            SCOPED_TRACE(rejected + std::to_string(int(width)));
            const RadialGeometry g = layoutRadialPlot(data, width, kPlotHeight);
            const RadialScale& s = g.scale;
            std::size_t matched = 0;
            for (const PlotPoint& p : g.plot.points)
                for (const auto& [row, z, se] : expected)
                    if (p.row == row &&
                        (p.role == PlotRole::Value || p.role == PlotRole::Rejected)) {
                        ++matched;
                        EXPECT_EQ(p.role == PlotRole::Rejected,
                                  "#" + std::to_string(row) + "|" == rejected);
                        EXPECT_NEAR((p.x - s.originX) / s.perX, 1 / se, 1e-9) << row;
                        EXPECT_NEAR((s.originY - p.y) / s.perY, (z - reference) / se, 1e-9) << row;
                    }
            EXPECT_EQ(std::pair(matched, texts(g.plot, PlotRole::RowLabel)),
                      std::pair(expected.size(), rejected));
        }
    }
}

// The slope y/x, in the plot's units, of the line from the origin through a pixel: the z - z0
// of the age that the arc shows there.
double slopeAt(const RadialScale& s, double px, double py) {
    return ((s.originY - py) / s.perY) / ((px - s.originX) / s.perX);
}

// The arc's equation at a pixel: 1 on the arc, below 1 inside it.
double arcEquation(const RadialScale& s, double px, double py) {
    return std::pow((px - s.originX) / s.arcX, 2) + std::pow((py - s.originY) / s.arcY, 2);
}

bool oneTwoFive(double v) {
    const double m = v / std::pow(10.0, std::floor(std::log10(v) + 1e-9));
    return std::fabs(m - 1) < 1e-9 || std::fabs(m - 2) < 1e-9 || std::fabs(m - 5) < 1e-9;
}

// Each tick of the arc sits on it where the line of its age meets it, z(t) - z0, its mark and
// label outside it; the ticks are round ages above 0, equal steps of 1, 2 or 5 times a power of
// ten, and over a wide range also the round values of 1, 2 and 5 below the first step; their
// labels keep apart. The arc holds
// every point and stops at z = 0. The band spans y = ±2 from the origin to the arc; the central
// age's line ends on the arc at its slope (for counts y = 0), and the legend names it. The
// second axis shows at x the relative error 100/x %, or the tracks Ns + Ni = x^2/4 - 1/2.
TEST(RadialPlot, ArcTicksBandAxesAndCentralAge) {
    const std::pair<Analysis, std::string> cases[] = {
        {declared({{100, 10}, {120, 6}, {80, 8}, {150, 30}}, UncertaintyKind::OneSigma), ""},
        {declared({{5, 1}, {12, 2}, {40, 4}, {90, 9}, {300, 20}, {520, 40}},
                  UncertaintyKind::OneSigma),
         "young end"},
        {declared({{44.1, 3}, {44.2, 3}, {44.3, 3}}, UncertaintyKind::OneSigma), "alike"},
        {readFile("tarrow-fell-counts"), "tarrow"},
        {readFile("merrin-scar-counts"), "merrin"},
        {readFile(kYoungCounts), "young counts"}};
    for (const auto& [analysis, name] : cases) {
        SCOPED_TRACE(name);
        const RadialPlotData data = radialOf(analysis);
        const RadialGeometry g = layoutRadialPlot(data, kPlotWidth, kPlotHeight);
        const RadialScale& s = g.scale;
        const double central = analysis.fissionTracks() ? analysis.fissionTracks()->central.age.age
                                                        : analysis.ages()->statistics.central->age;
        std::vector<double> ticks;
        double arcLow = 1e9, arcHigh = -1e9, secondAxis = 0;
        int centralLines = 0;  // from the origin and across the arc; for counts across the arc
        for (const PlotLine& l : g.plot.lines) {
            if (l.role == PlotRole::CentralLine) {
                ++centralLines;
                EXPECT_NEAR(slopeAt(s, l.x2, l.y2), zOfAge(analysis, central) - data.reference,
                            1e-9);
            }
            if (l.role == PlotRole::Arc) {
                EXPECT_NEAR(arcEquation(s, l.x1, l.y1), 1, 1e-9);
                EXPECT_NEAR(arcEquation(s, l.x2, l.y2), 1, 1e-9);
                arcLow = std::min(arcLow, slopeAt(s, l.x1, l.y1));
                arcHigh = std::max(arcHigh, slopeAt(s, l.x2, l.y2));
            }
            if (l.role == PlotRole::Axis && l.y1 == l.y2) secondAxis = std::max(secondAxis, l.y1);
            if (l.role != PlotRole::ArcTick) continue;
            ticks.push_back(l.value);
            EXPECT_NEAR(arcEquation(s, l.x1, l.y1), 1, 1e-9);
            EXPECT_NEAR(slopeAt(s, l.x1, l.y1), zOfAge(analysis, l.value) - data.reference, 1e-9);
            EXPECT_GT(arcEquation(s, l.x2, l.y2), 1);  // its mark runs outwards
        }
        std::vector<PlotBox> labels;
        int secondTicks = 0;
        for (const PlotText& t : g.plot.texts) {
            if (t.role == PlotRole::ArcLabel) {
                for (const PlotBox& other : labels) EXPECT_FALSE(textBox(t).overlaps(other));
                labels.push_back(textBox(t));
                EXPECT_GT(arcEquation(s, t.x, t.y), 1) << t.text;  // outside the arc
            }
            if (t.role != PlotRole::TickLabel || t.y != secondAxis + 5) continue;
            ++secondTicks;
            const double x = (t.x - s.originX) / s.perX;
            EXPECT_NEAR(std::stod(t.text), counts(data) ? x * x / 4 - 0.5 : 100 / x, 1e-9);
        }
        EXPECT_GE(secondTicks, 2);
        ASSERT_GE(ticks.size(), 3u);
        ASSERT_EQ(labels.size(), ticks.size());
        std::sort(ticks.begin(), ticks.end());
        EXPECT_GT(ticks.front(), 0);
        // The last two make the step; below the equal steps only 1, 2 or 5 times a power of ten.
        const double step = ticks.back() - ticks[ticks.size() - 2];
        EXPECT_TRUE(oneTwoFive(step)) << step;
        bool equalSteps = true;
        for (std::size_t i = ticks.size() - 1; i > 0; --i) {
            equalSteps = equalSteps && std::fabs(ticks[i] - ticks[i - 1] - step) < 1e-9 * step;
            EXPECT_TRUE(equalSteps || oneTwoFive(ticks[i - 1])) << ticks[i - 1];
        }
        EXPECT_TRUE(name != "young end" || ticks.front() <= 10);
        EXPECT_GE(zOfAge(analysis, ticks.front()) - data.reference, arcLow - 1e-9);
        EXPECT_LE(zOfAge(analysis, ticks.back()) - data.reference, arcHigh + 1e-9);
        EXPECT_TRUE(!counts(data) || arcLow >= -data.reference - 1e-9) << arcLow;
        for (const RadialPoint& p : data.points) {
            EXPECT_GE(p.y / p.x, arcLow);
            EXPECT_LE(p.y / p.x, arcHigh);
            EXPECT_LT(arcEquation(s, s.toPixelX(p.x), s.toPixelY(p.y)), 1);
        }
        int bands = 0;
        for (const PlotBand& b : g.plot.bands)
            if (b.role == PlotRole::RadialBand) {
                ++bands;
                EXPECT_EQ(std::tuple(b.left, b.top, b.bottom),
                          std::tuple(s.originX, s.toPixelY(2), s.toPixelY(-2)));
                EXPECT_NEAR(arcEquation(s, b.right, b.top), 1, 1e-9);
            }
        EXPECT_EQ(bands, 1);
        EXPECT_EQ(centralLines, counts(data) ? 1 : 2);
        const std::string legend = texts(g.plot, PlotRole::Legend);
        const std::string named = counts(data) ? "y = 0: central age " : "central age ";
        ASSERT_NE(legend.find(named), std::string::npos);
        EXPECT_NEAR(std::stod(legend.substr(legend.find(named) + named.size())), central, 0.006);
    }
}

// The extremes the tests flag have the data plot's ring and highlighted label; the rows beyond
// ±2 (for counts by the counts' residuals) are named beside their points and in the legend.
TEST(RadialPlot, MarksFlaggedAgesAndThoseBeyondTwo) {
    // 21..31 and 60, each ± 1 %: the tests flag row 12; the ages far from z0 lie beyond ±2.
    std::vector<Row> rows;
    for (int i = 1; i <= 11; ++i) rows.push_back({20.0 + i, 1});
    rows.push_back({60, 1});
    const std::tuple<Analysis, std::vector<int>, std::string> cases[] = {
        {declared(rows, UncertaintyKind::OneSigmaPercent), {12}, "max #12"},
        {readFile("merrin-scar-counts", {Extreme::Smallest}), {3}, "max #3"},
        {readFile("tarrow-fell-counts"), {}, ""}};
    for (const auto& [analysis, flagged, highlighted] : cases) {
        const RadialPlotData data = radialOf(analysis);
        const PlotGeometry g = layoutRadialPlot(data, kPlotWidth, kPlotHeight).plot;
        std::vector<int> rings;
        for (const PlotPoint& p : g.points)
            if (p.role == PlotRole::ExtremeMark) rings.push_back(p.row);
        EXPECT_EQ(rings, flagged);
        std::string lit;
        for (const PlotText& t : g.texts)
            if (t.role == PlotRole::ExtremeLabel && t.background == colour::kHighlight)
                lit += t.text;
        EXPECT_EQ(lit, highlighted);
        std::vector<int> beyondTwo;
        std::string named;  // the extremes have their own labels
        const std::vector<int> tested = analysis.rowsUnderTest();
        for (std::size_t i = 0; i < tested.size(); ++i) {
            const std::optional<FtSummary>& ft = analysis.fissionTracks();
            if (std::fabs(ft ? ft->grains[i].y : analysis.ages()->statistics.residuals[i].y) <= 2)
                continue;
            beyondTwo.push_back(tested[i]);
            if (tested[i] != data.tests.posMin && tested[i] != data.tests.posMax)
                named += "#" + std::to_string(tested[i]) + "|";
        }
        EXPECT_EQ(std::tuple(data.beyondTwo, texts(g, PlotRole::BeyondTwoLabel),
                             texts(g, PlotRole::Legend).find("Beyond ±2|#") != std::string::npos),
                  std::tuple(beyondTwo, named, !beyondTwo.empty()));
        EXPECT_FALSE(named.empty() && highlighted.empty());  // each case has something to show
    }
}

// Ages not above 0 have no logarithm: a sentence instead of the plot, saying which row (a grain
// without spontaneous tracks, age 0, has a finite arcsine value: the counts' plot is drawn).
TEST(RadialPlot, AgesNotAboveZeroGiveASentenceAndNoDrawing) {
    const RadialPlotData data =
        radialOf(declared({{12, 1}, {0, 1}, {14, 1}, {-3, 1}, {15, 1}}, UncertaintyKind::OneSigma));
    const PlotGeometry g = layoutRadialPlot(data, kPlotWidth, kPlotHeight).plot;
    EXPECT_EQ(texts(g, PlotRole::Message),
              "The radial plot cannot be drawn:|row 2 has 0, not above 0, and its scale of ages "
              "is logarithmic.|");
    EXPECT_TRUE(g.points.empty() && g.lines.empty() && g.bands.empty());
}

// 'count' ages about 'centre' with a relative dispersion 'spread' and relative 1-sigma
// uncertainties from 4 % to 60 %: reproducible normal deviates (Box-Muller from a linear
// congruential sequence), so that the imprecise ages near the origin have slopes far from 0 and
// the arc spans a wide range, as real detrital samples do.
std::vector<Row> scattered(int count, double centre, double spread) {
    std::uint32_t state = 20240611;
    const auto uniform = [&] { return ((state = state * 1664525u + 1013904223u) + 0.5) / 0x1p32; };
    const auto normal = [&] {
        return std::sqrt(-2 * std::log(uniform())) * std::cos(6.283185307179586 * uniform());
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

// On sets of many ages, a few alike, and every example after up to three rejections, small
// windows and wide: the drawing of the sets spans most of the room between the left margin and
// the legend and between the title and the axes, the points not flattened into a strip; every
// text but the legend's stays on the canvas left of the legend and off the others; the points'
// labels cross neither the arc nor the lines of y = 0 and the central age.
TEST(RadialPlot, LayoutOnTheExamplesAndManyAges) {
    std::vector<std::pair<std::string, Analysis>> sets = {
        {"100 ages, 20 % apart", declared(scattered(100, 170, 0.2), UncertaintyKind::OneSigma)},
        {"300 ages, 50 % apart", declared(scattered(300, 47, 0.5), UncertaintyKind::OneSigma)},
        {"12 alike", declared(scattered(12, 44, 0.05), UncertaintyKind::OneSigma)}};
    const std::size_t filling = sets.size();
    for (const char* name : {"aspen-tarn-5", "brackwater-fan-64", "harrow-creek-outlier-12",
                             "velden-gorge-30", "tarrow-fell-counts", "merrin-scar-counts"})
        for (const std::vector<Extreme>& rejected :
             {std::vector<Extreme>{}, {Extreme::Largest, Extreme::Smallest, Extreme::Largest}})
            sets.emplace_back(name + std::to_string(rejected.size()), readFile(name, rejected));
    int labelled = 0;
    for (std::size_t set = 0; set < sets.size(); ++set) {
        const RadialPlotData data = radialOf(sets[set].second);
        for (const auto& [width, height] : {std::pair{700.0, 440.0}, {1100.0, 620.0}}) {
            SCOPED_TRACE(sets[set].first + " " + std::to_string(int(width)));
            const RadialGeometry g = layoutRadialPlot(data, width, height);
            const RadialScale& s = g.scale;
            double legendLeft = width, titleBottom = 0, axesTop = height;
            PlotBox arc{width, height, 0, 0}, points{0, s.toPixelY(2), 0, s.toPixelY(-2)};
            for (const PlotText& t : g.plot.texts) {
                if (t.role == PlotRole::Legend) legendLeft = std::min(legendLeft, t.x);
                if (t.role == PlotRole::Title) titleBottom = textBox(t).bottom;
            }
            std::vector<PlotLine> blocking;
            for (const PlotLine& l : g.plot.lines) {
                if (l.role == PlotRole::Arc)
                    for (const auto& [x, y] : {std::pair{l.x1, l.y1}, {l.x2, l.y2}})
                        arc = {std::min(arc.left, x), std::min(arc.top, y), std::max(arc.right, x),
                               std::max(arc.bottom, y)};
                if (l.role == PlotRole::Axis && l.y1 == l.y2 && l.x2 - l.x1 > 20)
                    axesTop = std::min(axesTop, l.y1);
                if (l.role == PlotRole::Arc || l.role == PlotRole::CentralLine ||
                    l.role == PlotRole::ZeroLine)
                    blocking.push_back(l);
            }
            for (const PlotPoint& p : g.plot.points)
                if (p.role == PlotRole::Value)
                    points.top = std::min(points.top, p.y),
                    points.bottom = std::max(points.bottom, p.y);
            if (set < filling) {
                EXPECT_GE(arc.right - s.originX, 0.75 * (legendLeft - s.originX));
                EXPECT_GE(arc.bottom - arc.top, 0.6 * (axesTop - titleBottom));
                EXPECT_GE(points.bottom - points.top, 0.4 * (axesTop - titleBottom));
            }
            std::vector<PlotBox> others;
            for (const PlotText& t : g.plot.texts) {
                const PlotBox box = textBox(t);
                EXPECT_LE(box.bottom, height) << t.text;
                if (t.role == PlotRole::Legend || t.role == PlotRole::Title) continue;
                EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= legendLeft - 4) << t.text;
                for (const PlotBox& other : others) EXPECT_FALSE(box.overlaps(other)) << t.text;
                others.push_back(box);
                if (t.role != PlotRole::RowLabel && t.role != PlotRole::ExtremeLabel &&
                    t.role != PlotRole::BeyondTwoLabel)
                    continue;
                ++labelled;
                for (const PlotLine& l : blocking) EXPECT_FALSE(plot::crosses(l, box)) << t.text;
            }
        }
    }
    EXPECT_GT(labelled, 0);
}

// The choice of plot shows only with the ages' uncertainties; it switches the drawing, the
// window's title and what Save Plot As writes (an SVG with a circle for each age); a count
// file's analysis gives the radial plot of counts.
TEST(RadialPlotWindow, ChoiceShowsWithUncertaintiesAndSwitchesThePlot) {
    ScriptedPlatform platform;
    test::TableFolder tables;
    frmDIX* w = test::startAndOpen(platform, tables, "d.csv", {41.2, 44.8, 47.5, 43.1, 46.9, 39.8});
    ASSERT_NE(w, nullptr);
    test::trigger(w, "mnuViewItem_0");
    QPointer<frmPlot> plot = w->plotWindow();
    auto* choice = plot->findChild<QComboBox*>("cboPlotKind");
    ASSERT_TRUE(plot && choice);
    EXPECT_FALSE(choice->isVisible());
    const auto shown = [&] {
        return std::tuple(choice->isVisible(), plot->windowTitle().toStdString(),
                          plot->currentGeometry().name);
    };

    const Outcome<Analysis> declaredAnalysis = w->analysis()->declaring(UncertaintyKind::OneSigma);
    plot->refresh(plot->data(), &std::get<Analysis>(declaredAnalysis));
    EXPECT_EQ(shown(), std::tuple(true, "Data Plot", "Sifton data plot"));
    choice->setCurrentIndex(1);
    EXPECT_EQ(shown(), std::tuple(true, "Radial Plot", "Sifton radial plot"));

    const std::string path = tables.file("radial.svg");
    platform.saveAnswers.push_back(path);
    test::trigger(plot, "mnuPlotFileItem_0");
    EXPECT_EQ(platform.saveDialogsShown.at(0).fileName, "d-radial.png");
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    EXPECT_TRUE(svg.contains("Sifton radial plot"));
    int drawn = 0;  // each age's point is a circle where the geometry has it
    for (const PlotPoint& p : plot->currentGeometry().points)
        drawn += p.role == PlotRole::Value &&
                 svg.contains(QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\"")
                                  .arg(p.x)
                                  .arg(p.y)
                                  .arg(p.radius)
                                  .toUtf8());
    EXPECT_EQ(drawn, 6);

    const Analysis counted = readFile("merrin-scar-counts");
    plot->refresh(plot->data(), &counted);
    EXPECT_EQ(shown(), std::tuple(true, "Radial Plot of Counts", "Sifton radial plot of counts"));
    plot->refresh(plot->data(), w->analysis());  // without uncertainties again: the data plot
    EXPECT_EQ(shown(), std::tuple(false, "Data Plot", "Sifton data plot"));
    test::destroyAllWindows();
}

}  // namespace
}  // namespace sifton
