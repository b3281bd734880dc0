#include "ui/plot_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <tuple>
#include <utility>

#include "core/normal_quantile.h"
#include "core/number_text.h"

namespace sifton {
namespace {

using namespace plot;

constexpr Rgb kGrubbs{200, 0, 0};
constexpr Rgb kBox{236, 236, 236};
constexpr Rgb kFence{90, 90, 90};

constexpr double kQuantileRadius = 3.5;

std::string join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string joined;
    for (const std::string& part : parts) joined += (joined.empty() ? "" : separator) + part;
    return joined;
}

// Where each kind of thing is drawn; fixed pixel sizes, the panels share the rest.
struct Layout {
    double plotLeft, plotRight, legendLeft;
    double labelsTop;  // a lane above the strip for labels that find no room inside it
    double stripTop, stripBottom, boxTop, boxBottom, pointsTop, pointsBottom;
    double quantileTop, quantileBottom;
};

Layout layoutFor(double width, double height) {
    Layout l;
    const double margin = 12;
    const double legendWidth = std::clamp(width * 0.28, 230.0, 270.0);
    l.legendLeft = width - margin - legendWidth;
    l.plotLeft = 48;
    l.plotRight = std::max(l.plotLeft + 60, l.legendLeft - 24);
    l.labelsTop = 38;
    l.stripTop = 56;
    const double bottomRoom = 40;  // tick labels and the axis title under the lower panel
    const double panels = std::max(260.0, height - l.stripTop - bottomRoom);
    l.stripBottom = l.stripTop + panels * 0.56 - 24;
    l.boxBottom = l.stripBottom - 1;  // on the value axis it belongs to
    l.boxTop = l.boxBottom - 18;
    l.pointsTop = l.stripTop + 26;
    l.pointsBottom = l.boxTop - 10;
    l.quantileTop = l.stripBottom + 26;
    l.quantileBottom = l.stripTop + panels;
    return l;
}

// Levels for points in value order (then row order, so the same data always give the same
// picture): each point takes the lowest level on which it keeps 'apart' pixels from the point
// before it. Returns the level of each of 'points' (indexes into data.values) and their number.
int stack(const PlotData& data, const std::vector<size_t>& points, const ValueAxis& axis,
          double apart, std::vector<int>& level) {
    std::vector<size_t> order = points;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t c) {
        return data.values[a].value < data.values[c].value;
    });
    std::vector<double> lastX;  // rightmost point placed on each level so far
    for (size_t i : order) {
        const double x = axis.toPixel(data.values[i].value);
        size_t L = 0;
        while (L < lastX.size() && x - lastX[L] < apart) ++L;
        if (L == lastX.size()) lastX.push_back(x);
        lastX[L] = x;
        level[i] = static_cast<int>(L);
    }
    return static_cast<int>(lastX.size());
}

// Every value at its place on the axis. Rejected values lie in a lane of their own at the top,
// hollow and grey with their row beside them; values under test below it, stacked alternately
// above and below a middle line where they are closer than a point, so none hides another.
void placeValues(const PlotData& data, const Layout& l, const ValueAxis& axis, Builder& b,
                 std::vector<std::pair<double, double>>& placed) {
    const size_t count = data.values.size();
    std::vector<size_t> rejected, underTest;
    for (size_t i = 0; i < count; ++i)
        (data.values[i].rejected ? rejected : underTest).push_back(i);
    std::vector<int> level(count, 0);
    const double apart = 2 * kRadius + 1;
    const int rejectedLevels = stack(data, rejected, axis, apart + 30, level);  // room for "#300"
    const double rejectedTop = l.stripTop + 8 + kRadius;
    const double pointsTop = std::max(l.pointsTop, rejectedTop + rejectedLevels * apart);

    const int levels = std::max(1, stack(data, underTest, axis, apart, level));
    const int stepsUp = levels / 2;  // levels 1, 3, 5... go up, 2, 4... down
    const double halfRoom = (l.pointsBottom - pointsTop) / 2 - kRadius;
    const double step = std::min(apart, halfRoom / std::max(1, stepsUp));
    const double radius = std::max(1.5, std::min(kRadius, (step - 1) / 2));
    const double middle = (pointsTop + l.pointsBottom) / 2;

    placed.resize(count);
    for (size_t i : rejected)
        placed[i] = {axis.toPixel(data.values[i].value), rejectedTop + level[i] * apart};
    for (size_t i : underTest) {
        const int steps = (level[i] + 1) / 2;
        placed[i] = {axis.toPixel(data.values[i].value),
                     middle + (level[i] % 2 ? -steps : steps) * step};
    }
    // The flagged extremes get a ring of the window's highlight behind them.
    for (size_t i : underTest) {
        const PlotValue& v = data.values[i];
        if ((v.row == data.posMin && data.minFlagged) || (v.row == data.posMax && data.maxFlagged))
            b.point(PlotRole::ExtremeMark, placed[i].first, placed[i].second, radius + 4, true,
                    colour::kHighlight, v.value, v.row);
    }
    // The ESD screen's outliers get a dark ring round them, outside the highlight.
    for (size_t i : underTest) {
        const PlotValue& v = data.values[i];
        if (std::find(data.esdRows.begin(), data.esdRows.end(), v.row) != data.esdRows.end())
            b.point(PlotRole::EsdMark, placed[i].first, placed[i].second, radius + 7, false,
                    kEsdMark, v.value, v.row);
    }
    for (size_t i : rejected) {
        const auto [x, y] = placed[i];
        b.point(PlotRole::Rejected, x, y, kRadius, false, kGrey, data.values[i].value,
                data.values[i].row);
    }
    for (size_t i : underTest)
        b.point(PlotRole::Value, placed[i].first, placed[i].second, radius, true, kInk,
                data.values[i].value, data.values[i].row);
}

// The lines a label must not cross: the mean and the tests' limits (the faint grid may pass).
bool isLimit(const PlotLine& line) {
    switch (line.role) {
        case PlotRole::Mean:
        case PlotRole::GrubbsLimit:
        case PlotRole::InnerFence:
        case PlotRole::OuterFence:
            return true;
        default:
            return false;
    }
}

// The spots of a label at a point: beside it on the given side (then beyond each line on that
// side, up to 40 pixels out), beside it on the other side, above and below it, and last in the
// lane above the frame.
std::vector<LabelPlacer::Spot> spotsAround(const PlotGeometry& g, double left, double right,
                                           double top, double x, double y, double gap,
                                           bool leftFirst) {
    using Spot = LabelPlacer::Spot;
    const double side = leftFirst ? -1 : 1;
    const HAlign outward = leftFirst ? HAlign::Right : HAlign::Left;
    const HAlign inward = leftFirst ? HAlign::Left : HAlign::Right;
    std::vector<Spot> spots{{x + side * gap, y, outward, VAlign::Middle}};
    std::vector<double> beyond;
    for (const PlotLine& line : g.lines)
        if (isLimit(line) && side * (line.x1 - x) > 0 && side * (line.x1 - x) < 40)
            beyond.push_back(line.x1 + side * 4);
    std::sort(beyond.begin(), beyond.end(),
              [&](double a, double c) { return side * a < side * c; });
    for (double bx : beyond) spots.push_back({bx, y, outward, VAlign::Middle});
    spots.push_back({x - side * gap, y, inward, VAlign::Middle});
    // Centred between the limits on either side of the point (or the frame), for a narrow room.
    double low = left, high = right;
    for (const PlotLine& line : g.lines)
        if (isLimit(line)) {
            if (line.x1 < x) low = std::max(low, line.x1);
            if (line.x1 > x) high = std::min(high, line.x1);
        }
    const double centred = std::clamp((low + high) / 2 - x, -16.0, 16.0);  // still over the point
    for (double dy : {0.0, 12.0, 24.0})
        for (double dx : {0.0, -4.0, 4.0, -8.0, 8.0, -12.0, 12.0, centred}) {
            spots.push_back({x + dx, y - gap - dy, HAlign::Centre, VAlign::Bottom});
            spots.push_back({x + dx, y + gap + dy, HAlign::Centre, VAlign::Top});
        }
    // Last, in the lane above the frame, straight above the point: no line runs there.
    for (double dx : {0.0, -10.0, 10.0, -20.0, 20.0, -30.0, 30.0})
        spots.push_back({x + dx, top - 1, HAlign::Centre, VAlign::Bottom});
    return spots;
}

void stripLabels(const PlotData& data, const Layout& l,
                 const std::vector<std::pair<double, double>>& placed, PlotGeometry& g,
                 Builder& b) {
    // Inside the strip and its lane of labels, never across the strip's top edge.
    LabelPlacer placer(g, {l.plotLeft, l.labelsTop, l.plotRight, l.stripBottom},
                       {{PlotRole::Frame, l.plotLeft, l.stripTop, l.plotRight, l.stripTop, kFrame,
                         1.0, LineStyle::Solid, 0.0}},
                       isLimit);
    auto gap = [](bool flagged) { return kRadius + (flagged ? 4 : 0) + 5; };  // clear of the ring
    // The extremes first: "min #3" outward to the left, "max #12" to the right.
    for (const bool isMin : {true, false})
        for (size_t i = 0; i < data.values.size(); ++i) {
            const PlotValue& v = data.values[i];
            if (v.rejected || v.row != (isMin ? data.posMin : data.posMax)) continue;
            const bool flagged = isMin ? data.minFlagged : data.maxFlagged;
            const PlotText text = extremeLabel(isMin, v.row, flagged);
            placer.place(b, text,
                         spotsAround(g, l.plotLeft, l.plotRight, l.stripTop, placed[i].first,
                                     placed[i].second, gap(flagged), isMin));
        }
    // Then the rows of the rejected values, grey, to their right where there is room.
    for (size_t i = 0; i < data.values.size(); ++i) {
        const PlotValue& v = data.values[i];
        if (!v.rejected) continue;
        const PlotText text{PlotRole::RowLabel,
                            0,
                            0,
                            "#" + std::to_string(v.row),
                            kGrey,
                            10,
                            false,
                            HAlign::Left,
                            VAlign::Middle,
                            std::nullopt};
        placer.place(b, text,
                     spotsAround(g, l.plotLeft, l.plotRight, l.stripTop, placed[i].first,
                                 placed[i].second, kRadius + 3, false));
    }
}

// Sorted values under test against their normal quantiles at Blom's positions
// (i - 3/8) / (n + 1/4), and the line that normal data with the sample's mean and spread follow.
void quantilePanel(const PlotData& data, const Layout& l, const ValueAxis& axis, Builder& b) {
    std::vector<PlotValue> sorted;
    for (const PlotValue& v : data.values)
        if (!v.rejected) sorted.push_back(v);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const PlotValue& a, const PlotValue& c) { return a.value < c.value; });
    const double n = static_cast<double>(sorted.size());
    std::vector<double> z;
    for (size_t i = 0; i < sorted.size(); ++i)
        z.push_back(normalQuantile((static_cast<double>(i) + 1 - 0.375) / (n + 0.25)));
    const double zMax = z.empty() ? 1.0 : std::max(std::fabs(z.front()), std::fabs(z.back()));
    const Range range = paddedRange(-zMax, zMax);
    const double top = l.quantileTop + 20, bottom = l.quantileBottom;
    auto toY = [&](double value) {
        return bottom - (value - range.low) / (range.high - range.low) * (bottom - top);
    };
    for (double tick : niceTicks(range.low, range.high, 5).values) {
        b.line(PlotRole::Grid, l.plotLeft, toY(tick), l.plotRight, toY(tick), kGrid);
        b.text(PlotRole::TickLabel, l.plotLeft - 5, toY(tick), numberText(tick), HAlign::Right,
               VAlign::Middle, kSoftText);
    }
    if (data.sd > 0) {
        // z = (x - mean) / sd, cut to the panel.
        double x1 = data.mean + range.low * data.sd, x2 = data.mean + range.high * data.sd;
        x1 = std::max(x1, axis.low);
        x2 = std::min(x2, axis.high);
        if (x1 < x2)
            b.line(PlotRole::QuantileLine, axis.toPixel(x1), toY((x1 - data.mean) / data.sd),
                   axis.toPixel(x2), toY((x2 - data.mean) / data.sd), kInk, 1.2, LineStyle::Dash);
    }
    for (size_t i = 0; i < sorted.size(); ++i)
        b.point(PlotRole::QuantilePoint, axis.toPixel(sorted[i].value), toY(z[i]), kQuantileRadius,
                true, kInk, sorted[i].value, sorted[i].row);
}

void legend(const PlotData& data, const Layout& l, Legend& k) {
    const auto test = [&](size_t i) -> const PlotTest& { return data.tests.at(i); };
    const auto notRun = [&](size_t i) {
        k.note(test(i).name + ": not run (" + test(i).notRunIf + ")");
    };
    k.heading("Values");
    k.point(true, kInk, "value under test (" + numberText(data.underTest()) + ")");
    if (std::any_of(data.values.begin(), data.values.end(),
                    [](const PlotValue& v) { return v.rejected; }))
        k.point(false, kGrey, "rejected value, with its row");
    k.line(kInk, 1.5, LineStyle::Solid, "mean");
    k.swatch(kBand, std::nullopt, "mean ± 2 SD");
    if (data.grubbsFactor)
        k.line(kGrubbs, 1.5, LineStyle::DashDot,
               "Grubbs 5 %, one-sided: ± " +
                   formatNumber(*data.grubbsFactor, Pattern::UpToThreeDecimals) + " SD");
    else
        notRun(0);
    if (data.quartiles) {
        k.swatch(kBox, kFence, "IQR box: Q1 to Q3");
        k.line(kFence, 1.2, LineStyle::Dash, "inner fences: 1.5 IQR out");
        k.line(kFence, 1.2, LineStyle::Dot, "outer fences: 3 IQR out");
    } else {
        notRun(2);
    }
    for (size_t i : {size_t{1}, size_t{3}})
        if (!test(i).ran) notRun(i);
    k.gap();
    flagsLegend(data, k);
    if (!data.esdSummary.empty()) {
        k.gap();
        k.heading("Several outliers (two-sided)");
        if (!data.esdRows.empty()) k.point(false, kEsdMark, "outlier by the ESD screen");
        k.note(data.esdSummary);
        if (data.esdMasking) {  // the status line's warning, on two lines to fit the column
            k.note("Warning: one outlier may be", colour::kHighlight);
            k.note("masking another", colour::kHighlight);
        }
        if (data.esdApproximate) k.note("Approximate below 25 values");
    }

    k.gap();
    k.moveTo(l.quantileTop);
    k.heading("Normal quantile plot");
    k.point(true, kInk, "sorted value against z");
    if (data.sd > 0) {
        k.line(kInk, 1.2, LineStyle::Dash, "normal, same mean and SD");
        k.note("Normal data lie near the line.");
    }
}

}  // namespace

namespace plot {
namespace {

// What a label's spot costs: outside the bounds or across a wall; for each line it crosses and
// each label it overlaps; and 1 for each point it covers.
constexpr double kOutside = 1e6, kCrossing = 1000;

}  // namespace

std::string numberText(double value) { return generalNumberText(value == 0 ? 0.0 : value); }

PlotText extremeLabel(bool isMin, int row, bool flagged) {
    return PlotText{PlotRole::ExtremeLabel,
                    0,
                    0,
                    (isMin ? "min #" : "max #") + std::to_string(row),
                    colour::kBlack,
                    kTextSize,
                    flagged,
                    HAlign::Left,
                    VAlign::Middle,
                    flagged ? std::optional(colour::kHighlight) : std::nullopt};
}

void Builder::text(PlotRole role, double x, double y, std::string text, HAlign h, VAlign v,
                   Rgb colour, double size, bool bold, std::optional<Rgb> background) {
    m_g.texts.push_back({role, x, y, std::move(text), colour, size, bold, h, v, background});
}
void Builder::line(PlotRole role, double x1, double y1, double x2, double y2, Rgb colour,
                   double width, LineStyle style, double value) {
    m_g.lines.push_back({role, x1, y1, x2, y2, colour, width, style, value});
}
void Builder::valueLine(PlotRole role, double value, double top, double bottom, Rgb colour,
                        double width, LineStyle style) {
    const double x = m_g.axis.toPixel(value);
    line(role, x, top, x, bottom, colour, width, style, value);
}
void Builder::band(PlotRole role, double low, double high, double top, double bottom, Rgb fill,
                   std::optional<Rgb> outline) {
    m_g.bands.push_back({role, m_g.axis.toPixel(low), top, m_g.axis.toPixel(high), bottom, fill,
                         outline, low, high});
}
void Builder::rectangle(PlotRole role, double left, double top, double right, double bottom,
                        Rgb fill, std::optional<Rgb> outline) {
    m_g.bands.push_back({role, left, top, right, bottom, fill, outline, 0.0, 0.0});
}
void Builder::point(PlotRole role, double x, double y, double radius, bool filled, Rgb colour,
                    double value, int row) {
    m_g.points.push_back({role, x, y, radius, filled, colour, value, row});
}
void Builder::frame(double left, double top, double right, double bottom) {
    line(PlotRole::Frame, left, top, right, top, kFrame);
    line(PlotRole::Frame, left, bottom, right, bottom, kFrame);
    line(PlotRole::Frame, left, top, left, bottom, kFrame);
    line(PlotRole::Frame, right, top, right, bottom, kFrame);
}

void Legend::heading(const std::string& text) {
    m_b.text(PlotRole::Legend, m_left, m_y + kLegendLine / 2, text, HAlign::Left, VAlign::Middle,
             colour::kBlack, kTextSize, true);
    m_y += kLegendLine;
}
void Legend::point(bool filled, Rgb colour, const std::string& text) {
    m_b.point(PlotRole::Legend, m_left + 12, middle(), kRadius, filled, colour);
    entry(text);
}
void Legend::line(Rgb colour, double width, LineStyle style, const std::string& text) {
    m_b.line(PlotRole::Legend, m_left, middle(), m_left + 24, middle(), colour, width, style);
    entry(text);
}
void Legend::swatch(Rgb fill, std::optional<Rgb> outline, const std::string& text) {
    m_b.rectangle(PlotRole::Legend, m_left, m_y + 4, m_left + 24, m_y + kLegendLine - 4, fill,
                  outline);
    entry(text);
}
void Legend::note(const std::string& text, std::optional<Rgb> background) {
    m_b.text(PlotRole::Legend, m_left, middle(), text, HAlign::Left, VAlign::Middle,
             background ? colour::kBlack : kSoftText, kTextSize, false, background);
    m_y += kLegendLine;
}
void Legend::entry(const std::string& text) {
    m_b.text(PlotRole::Legend, m_left + 32, middle(), text, HAlign::Left, VAlign::Middle);
    m_y += kLegendLine;
}

void flagsLegend(const PlotData& data, Legend& k) {
    const std::string minRow = "min #" + std::to_string(data.posMin);
    const std::string maxRow = "max #" + std::to_string(data.posMax);
    if (data.minFlagged || data.maxFlagged) k.heading("Flagged by");
    if (data.minFlagged) k.note(minRow + ": " + join(data.minFlaggedBy, ", "), colour::kHighlight);
    if (data.maxFlagged) k.note(maxRow + ": " + join(data.maxFlaggedBy, ", "), colour::kHighlight);
    // Beside outliers of the ESD screen, "no test" would contradict the count below.
    if (!data.minFlagged && !data.maxFlagged)
        k.note((data.esdRows.empty() ? "No test flags " : "No one-outlier test flags ") + minRow +
               " or " + maxRow);
}

bool crosses(const PlotLine& l, const PlotBox& box) {
    const double left = box.left - 0.5, right = box.right + 0.5;
    if (l.x1 == l.x2)
        return l.x1 > left && l.x1 < right && std::min(l.y1, l.y2) < box.bottom &&
               std::max(l.y1, l.y2) > box.top;
    if (l.y1 == l.y2)
        return l.y1 > box.top && l.y1 < box.bottom && std::min(l.x1, l.x2) < right &&
               std::max(l.x1, l.x2) > left;
    // Liang and Barsky: the part of the segment x1 + t dx, y1 + t dy (t from 0 to 1) in the box.
    const double dx = l.x2 - l.x1, dy = l.y2 - l.y1;
    double t0 = 0, t1 = 1;
    for (const auto& [p, q] : {std::pair{-dx, l.x1 - left},
                               {dx, right - l.x1},
                               {-dy, l.y1 - box.top},
                               {dy, box.bottom - l.y1}}) {
        const double r = q / p;
        if (p < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
    }
    return t0 < t1;
}

LabelPlacer::LabelPlacer(const PlotGeometry& g, const PlotBox& bounds, std::vector<PlotLine> walls,
                         std::function<bool(const PlotLine&)> blocks)
    : m_g(g), m_bounds(bounds), m_walls(std::move(walls)), m_blocks(std::move(blocks)) {}

std::pair<double, PlotText> LabelPlacer::cheapest(PlotText text,
                                                  const std::vector<Spot>& spots) const {
    double best = std::numeric_limits<double>::infinity();
    PlotText chosen = text;
    for (const Spot& s : spots) {
        text.x = s.x, text.y = s.y, text.hAlign = s.h, text.vAlign = s.v;
        const double cost = costOf(textBox(text));
        if (cost < best) best = cost, chosen = text;
        if (cost == 0) break;
    }
    return {best, chosen};
}

void LabelPlacer::add(Builder& b, const PlotText& t) {
    m_taken.push_back(textBox(t));
    b.text(t.role, t.x, t.y, t.text, t.hAlign, t.vAlign, t.colour, t.size, t.bold, t.background);
}

void LabelPlacer::place(Builder& b, PlotText text, const std::vector<Spot>& spots) {
    add(b, cheapest(std::move(text), spots).second);
}

bool LabelPlacer::placeClear(Builder& b, PlotText text, const std::vector<Spot>& spots) {
    const auto [cost, chosen] = cheapest(std::move(text), spots);
    if (!(cost < kCrossing)) return false;
    add(b, chosen);
    return true;
}

double LabelPlacer::costOf(const PlotBox& box) const {
    if (box.left < m_bounds.left || box.right > m_bounds.right || box.top < m_bounds.top ||
        box.bottom > m_bounds.bottom)
        return kOutside;
    for (const PlotLine& wall : m_walls)
        if (crosses(wall, box)) return kOutside;
    double cost = 0;
    for (const PlotLine& line : m_g.lines)
        if (m_blocks(line) && crosses(line, box)) cost += kCrossing;
    for (const PlotBox& taken : m_taken)
        if (taken.overlaps(box)) cost += kCrossing;
    for (const PlotPoint& p : m_g.points)
        if (box.overlaps({p.x - p.radius, p.y - p.radius, p.x + p.radius, p.y + p.radius}))
            cost += 1;
    return cost;
}

}  // namespace plot

int PlotData::underTest() const {
    return static_cast<int>(std::count_if(values.begin(), values.end(),
                                          [](const PlotValue& v) { return !v.rejected; }));
}

Ticks niceTicks(double low, double high, int count) {
    Ticks t;
    if (!(high > low) || count < 1) return t;
    const double raw = (high - low) / count;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / magnitude;
    t.step = (f < 1.5 ? 1 : f < 3 ? 2 : f < 7 ? 5 : 10) * magnitude;
    // A limit a rounding error off a step still gets its tick.
    const double first = std::ceil(low / t.step - 1e-9), last = std::floor(high / t.step + 1e-9);
    for (double k = first; k <= last && t.values.size() < 100; ++k)
        t.values.push_back(k == 0 ? 0.0 : k * t.step);
    return t;
}

Range paddedRange(double low, double high) {
    const double size = std::max(std::fabs(low), std::fabs(high));
    // Less spread than the 15 digits of a number can tell counts as none: a range around the
    // one value, a tenth of its size to each side (or 1 around 0).
    if (!(high - low > 1e-12 * size)) {
        const double middle = low / 2 + high / 2;
        const double half = middle != 0 ? std::fabs(middle) / 10 : 1.0;
        return {middle - half, middle + half};
    }
    const double pad = (high - low) * 0.06;
    return {low - pad, high + pad};
}

PlotGeometry layoutPlot(const PlotData& data, double width, double height) {
    PlotGeometry g;
    g.width = width;
    g.height = height;
    Builder b(g);
    const Layout l = layoutFor(width, height);
    b.text(PlotRole::Title, 12, 10, data.title, HAlign::Left, VAlign::Top, colour::kBlack,
           kTitleSize, true);
    if (data.underTest() == 0) {
        b.text(PlotRole::Message, width / 2, height / 2, "No data set is loaded.", HAlign::Centre,
               VAlign::Middle, kSoftText, kTitleSize);
        return g;
    }

    // Everything drawn on the value axis lies inside it.
    double low = data.values.front().value, high = low;
    auto include = [&](double v) { low = std::min(low, v), high = std::max(high, v); };
    for (const PlotValue& v : data.values) include(v.value);
    include(data.mean - 2 * data.sd);
    include(data.mean + 2 * data.sd);
    if (data.grubbsFactor) {
        include(data.mean - *data.grubbsFactor * data.sd);
        include(data.mean + *data.grubbsFactor * data.sd);
    }
    if (data.quartiles) {
        include(data.quartiles->q1 - 3 * data.quartiles->iqr());
        include(data.quartiles->q3 + 3 * data.quartiles->iqr());
    }
    const Range range = paddedRange(low, high);
    g.axis = {range.low, range.high, l.plotLeft, l.plotRight};

    // Grid and tick labels under both panels.
    const int tickCount = std::max(2, static_cast<int>((l.plotRight - l.plotLeft) / 80));
    for (double tick : niceTicks(range.low, range.high, tickCount).values) {
        const double x = g.axis.toPixel(tick);
        for (auto [top, bottom] :
             {std::pair{l.stripTop, l.stripBottom}, std::pair{l.quantileTop, l.quantileBottom}}) {
            b.line(PlotRole::Grid, x, top, x, bottom, kGrid, 1.0, LineStyle::Solid, tick);
            b.text(PlotRole::TickLabel, x, bottom + 4, numberText(tick), HAlign::Centre,
                   VAlign::Top, kSoftText);
        }
    }
    b.text(PlotRole::AxisTitle, (l.plotLeft + l.plotRight) / 2, l.quantileBottom + 20, "value",
           HAlign::Centre, VAlign::Top, kSoftText);
    b.text(PlotRole::PanelTitle, l.plotLeft + 6, l.quantileTop + 4, "Normal quantile z",
           HAlign::Left, VAlign::Top, kSoftText);

    // The strip of values: the spread, the tests' limits, then the values on top.
    const double inside = l.stripTop + 1, insideBottom = l.stripBottom - 1;
    b.band(PlotRole::SdBand, data.mean - 2 * data.sd, data.mean + 2 * data.sd, inside, insideBottom,
           kBand);
    if (data.quartiles) {
        const Quartiles& q = *data.quartiles;
        b.band(PlotRole::IqrBox, q.q1, q.q3, l.boxTop, l.boxBottom, kBox, kFence);
        for (auto [value, role, style] :
             {std::tuple{q.q1 - 1.5 * q.iqr(), PlotRole::InnerFence, LineStyle::Dash},
              {q.q3 + 1.5 * q.iqr(), PlotRole::InnerFence, LineStyle::Dash},
              {q.q1 - 3 * q.iqr(), PlotRole::OuterFence, LineStyle::Dot},
              {q.q3 + 3 * q.iqr(), PlotRole::OuterFence, LineStyle::Dot}})
            b.valueLine(role, value, inside, insideBottom, kFence, 1.2, style);
    }
    b.valueLine(PlotRole::Mean, data.mean, inside, insideBottom, kInk, 1.5, LineStyle::Solid);
    if (data.grubbsFactor)
        for (double sign : {-1.0, 1.0})
            b.valueLine(PlotRole::GrubbsLimit, data.mean + sign * *data.grubbsFactor * data.sd,
                        inside, insideBottom, kGrubbs, 1.5, LineStyle::DashDot);
    std::vector<std::pair<double, double>> placed;
    placeValues(data, l, g.axis, b, placed);
    stripLabels(data, l, placed, g, b);
    b.frame(l.plotLeft, l.stripTop, l.plotRight, l.stripBottom);

    quantilePanel(data, l, g.axis, b);
    b.frame(l.plotLeft, l.quantileTop, l.plotRight, l.quantileBottom);

    Legend k(b, l.legendLeft, l.stripTop);
    legend(data, l, k);
    return g;
}

PlotBox textBox(const PlotText& t) {
    // Characters, not bytes: "±" and "α" take one place each.
    double characters = 0;
    for (const char c : t.text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    const double width = characters * t.size * (t.bold ? 0.72 : 0.66) + (t.background ? 4 : 0);
    const double height = t.size * 1.3;
    const double left = t.hAlign == HAlign::Left    ? t.x
                        : t.hAlign == HAlign::Right ? t.x - width
                                                    : t.x - width / 2;
    const double top = t.vAlign == VAlign::Top      ? t.y
                       : t.vAlign == VAlign::Bottom ? t.y - height
                                                    : t.y - height / 2;
    if (!t.upward) return {left, top, left + width, top + height};
    // A quarter turn left about the anchor takes the flat offset (dx, dy) to (dy, -dx).
    return {t.x + (top - t.y), t.y - (left + width - t.x), t.x + (top + height - t.y),
            t.y - (left - t.x)};
}

}  // namespace sifton
