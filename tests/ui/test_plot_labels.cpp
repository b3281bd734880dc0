// The labels of the data plot's strip ("min #3", "max #12", the rows of rejected values) stay
// inside the frame, off the mean and the tests' limits, and off each other, on the example
// files at every stage of rejection and at the smallest and a wide window.
#include <gtest/gtest.h>

#include "core/analysis.h"
#include "core/input.h"
#include "core/tables.h"
#include "ui/plot_geometry.h"
#include "ui/presentation.h"

namespace sifton {
namespace {

bool isLimit(PlotRole role) {
    return role == PlotRole::Mean || role == PlotRole::GrubbsLimit ||
           role == PlotRole::InnerFence || role == PlotRole::OuterFence;
}

// What is wrong with the labels of one plot; empty when nothing is.
std::string faults(const PlotGeometry& g) {
    std::vector<std::pair<std::string, PlotBox>> labels;
    for (const PlotText& t : g.texts)
        if (t.role == PlotRole::ExtremeLabel || t.role == PlotRole::RowLabel)
            labels.emplace_back(t.text, textBox(t));
    double frameLeft = 1e9, frameTop = 1e9;
    for (const PlotLine& l : g.lines)
        if (l.role == PlotRole::Frame)
            frameLeft = std::min(frameLeft, l.x1), frameTop = std::min(frameTop, l.y1);
    std::string found;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const auto& [text, box] = labels[i];
        // Inside the frame, or in the lane of 18 pixels above it.
        if (box.left < frameLeft || box.top < frameTop - 18 ||
            (box.top < frameTop && box.bottom > frameTop))
            found += text + " leaves the frame; ";
        for (const PlotLine& l : g.lines)
            if (isLimit(l.role) && l.x1 > box.left && l.x1 < box.right && l.y1 < box.bottom &&
                l.y2 > box.top)
                found += text + " on a line at " + std::to_string(l.value) + "; ";
        for (std::size_t j = 0; j < i; ++j)
            if (box.overlaps(labels[j].second)) found += text + " on " + labels[j].first + "; ";
    }
    return found;
}

TEST(PlotLabels, StayOffTheLinesAndEachOtherThroughEveryRejection) {
    FolderTables tables(SIFTON_SOURCE_DIR "/data", false);
    int labelled = 0, rejectedShown = 0;
    for (const char* name : {"aspen-tarn-5", "brackwater-fan-64", "esd-example-54",
                             "harrow-creek-outlier-12", "kestrel-ridge-12", "velden-gorge-30"}) {
        Outcome<DataSet> read =
            Read_Data_File(std::string(SIFTON_SOURCE_DIR "/examples/") + name + ".csv");
        ASSERT_TRUE(std::holds_alternative<DataSet>(read)) << name;
        std::optional<Analysis> a =
            Analysis::of(std::make_shared<const DataSet>(std::get<DataSet>(read)), tables);
        // Largest, smallest, largest...: the rejected values gather in their lane with their rows.
        for (int rejected = 0; a && rejected <= 4; ++rejected) {
            const Presentation p = present(&*a, GesdSettings{});
            for (const double width : {double(kPlotWidth), 1400.0}) {
                const PlotGeometry g = layoutPlot(p.plot, width, 620);
                EXPECT_EQ(faults(g), "") << name << ", " << rejected << " rejected, " << width;
                for (const PlotText& t : g.texts) labelled += t.role == PlotRole::RowLabel;
                rejectedShown += rejected;
            }
            a = a->rejecting(rejected % 2 ? Extreme::Smallest : Extreme::Largest, tables);
        }
    }
    EXPECT_EQ(labelled, rejectedShown);          // every rejected value kept its row label
    EXPECT_EQ(rejectedShown, 2 * (3 + 5 * 10));  // five values give two rejections, the rest four
}

// Labels keep off slanted lines too (the radial plot's arc, the central age's line): a segment
// crosses a box when part of it lies inside, not when it only passes near a corner.
TEST(PlotLabels, LineCrossesBox) {
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

}  // namespace
}  // namespace sifton
