#include "ui/radial_geometry.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace sifton {
namespace {

using namespace plot;

constexpr Rgb kCentral{0, 130, 70};
constexpr double kFill = 0.9;      // the farthest point lies at this part of the arc's radius
constexpr double kTick = 6;        // length of a tick mark, pixels
constexpr double kLabelRoom = 52;  // right of the arc: its tick labels

std::string join(const std::vector<int>& rows) {
    std::string text;
    for (int row : rows) text += (text.empty() ? "#" : ", #") + std::to_string(row);
    return text;
}

// The room the drawing takes within the canvas, apart from the legend and the axes below.
struct Room {
    double left, top, right, bottom;
    double legendLeft;
    double precisionAxis, errorAxis;  // the two axis lines under the drawing
};

Room roomFor(double width, double height) {
    Room r;
    const double legendWidth = std::clamp(width * 0.28, 230.0, 270.0);
    r.legendLeft = width - 12 - legendWidth;
    r.left = 56;
    r.right = std::max(r.left + 80, r.legendLeft - 24 - kLabelRoom);
    r.top = 62;
    r.errorAxis = height - 28;
    r.precisionAxis = r.errorAxis - 34;
    r.bottom = std::max(r.top + 80, r.precisionAxis - 24);
    return r;
}

// The slopes the arc spans, from the youngest age it shows to the oldest.
struct Span {
    double low = 0, high = 0;
};

// The scale for one ratio k of pixels per unit of y to pixels per unit of x: the largest arc
// that fits the room with every point inside it, and the area the points' box (x from 0, y
// over the band and every point) then takes.
struct Fit {
    bool fits = false;
    double k = 1, radius = 0, perX = 0, up = 0, down = 0, area = 0;
};

Fit fitFor(double k, const std::vector<RadialPoint>& points, const PlotBox& box, const Span& span,
           const Room& room) {
    Fit f;
    f.k = k;
    double farthest = 0;
    for (const RadialPoint& p : points) farthest = std::max(farthest, std::hypot(p.x, k * p.y));
    const double band = 2 * k * kFill / farthest;  // the band's half height over the radius
    if (!(band < 0.95)) return f;                  // its corners must lie inside the arc
    f.up = std::max(std::sin(std::atan(k * span.high)), band);
    f.down = std::max(-std::sin(std::atan(k * span.low)), band);
    f.radius = std::min(room.right - room.left, (room.bottom - room.top) / (f.up + f.down));
    f.perX = kFill * f.radius / farthest;
    f.area = (box.right - box.left) * (box.bottom - box.top) * k * f.perX * f.perX;
    f.fits = f.radius > 0 && std::isfinite(f.area);
    return f;
}

// The ratio that gives the points' box the largest area, searched over four decades either
// side of the one that makes the box fill the room.
Fit bestFit(const std::vector<RadialPoint>& points, const Span& span, const Room& room) {
    PlotBox box{0, -2, 0, 2};  // x from 0 to the most precise; y from "top" up to "bottom"
    for (const RadialPoint& p : points) {
        box.right = std::max(box.right, p.x);
        box.top = std::min(box.top, p.y), box.bottom = std::max(box.bottom, p.y);
    }
    const double base =
        (room.bottom - room.top) * box.right / ((room.right - room.left) * (box.bottom - box.top));
    Fit best;
    for (int i = -80; i <= 80; ++i) {
        const Fit f = fitFor(base * std::pow(10.0, i / 20.0), points, box, span, room);
        if (f.fits && (!best.fits || f.area > best.area)) best = f;
    }
    return best;
}

class RadialLayout {
  public:
    RadialLayout(const RadialPlotData& data, RadialGeometry& g, const Room& room)
        : m_data(data), m_g(g), m_b(g.plot), m_room(room) {}

    void draw() {
        ageRange();
        const Fit fit = bestFit(m_data.points, {m_dzLow, m_dzHigh}, m_room);
        RadialScale& s = m_g.scale;
        s.radius = fit.radius;
        s.perX = fit.perX;
        s.perY = fit.k * fit.perX;
        s.originX = m_room.left;
        const double spare = (m_room.bottom - m_room.top) - (fit.up + fit.down) * fit.radius;
        s.originY = m_room.top + fit.up * fit.radius + spare / 2;

        band();
        arc();
        yAxis();
        xAxes();
        marks();
        labels();
    }

  private:
    // Where the line of slope dz from the origin meets the circle of radius r (pixels).
    std::pair<double, double> onCircle(double dz, double r) const {
        const RadialScale& s = m_g.scale;
        const double angle = std::atan2(dz * s.perY, s.perX);
        return {s.originX + r * std::cos(angle), s.originY - r * std::sin(angle)};
    }
    double dzOf(double age) const { return std::log(age) - m_data.reference; }

    // The slopes the arc spans: every point's, the central age's and those of the band's
    // edges at the highest precision, and a little beyond.
    void ageRange() {
        double low = 0, high = 0, xMax = 0;
        for (const RadialPoint& p : m_data.points) {
            low = std::min(low, p.y / p.x), high = std::max(high, p.y / p.x);
            xMax = std::max(xMax, p.x);
        }
        low = std::min(low, -2 / xMax), high = std::max(high, 2 / xMax);
        if (m_data.central) {
            const double dz = dzOf(m_data.central->age);
            low = std::min(low, dz), high = std::max(high, dz);
        }
        const double pad = 0.05 * (high - low);
        m_dzLow = low - pad, m_dzHigh = high + pad;
    }

    void band() {
        const RadialScale& s = m_g.scale;
        const double half = 2 * s.perY;
        const double right = s.originX + std::sqrt(s.radius * s.radius - half * half);
        m_b.rectangle(PlotRole::RadialBand, s.originX, s.originY - half, right, s.originY + half,
                      kBand, std::nullopt);
    }

    void arc() {
        const RadialScale& s = m_g.scale;
        const double from = std::atan2(m_dzLow * s.perY, s.perX);
        const double to = std::atan2(m_dzHigh * s.perY, s.perX);
        const int pieces = std::max(8, static_cast<int>(std::ceil((to - from) / 0.02)));
        double x = 0, y = 0;
        for (int i = 0; i <= pieces; ++i) {
            const double angle = from + (to - from) * i / pieces;
            const double nx = s.originX + s.radius * std::cos(angle);
            const double ny = s.originY - s.radius * std::sin(angle);
            if (i > 0) m_b.line(PlotRole::Arc, x, y, nx, ny, colour::kBlack);
            x = nx, y = ny;
        }
        ticks();
        const auto [zx, zy] = onCircle(0, s.radius);
        m_b.line(PlotRole::ZeroLine, s.originX, s.originY, zx, zy, kInk, 1.0);
        if (m_data.central) {
            const double dz = dzOf(m_data.central->age);
            const auto [cx, cy] = onCircle(dz, s.radius);
            m_b.line(PlotRole::CentralLine, s.originX, s.originY, cx, cy, kCentral, 1.5,
                     LineStyle::Dash, m_data.central->age);
            const auto [ix, iy] = onCircle(dz, s.radius - 9);
            const auto [ox, oy] = onCircle(dz, s.radius + kTick + 2);
            m_b.line(PlotRole::CentralLine, ix, iy, ox, oy, kCentral, 2.5, LineStyle::Solid,
                     m_data.central->age);
        }
    }

    // A tick label's text just outside the arc, along the line of its age.
    PlotText tickLabel(double age) const {
        PlotText t{PlotRole::ArcLabel, 0,           0,     numberText(age),
                   kSoftText,          kTextSize,   false, HAlign::Centre,
                   VAlign::Middle,     std::nullopt};
        const PlotBox box = textBox(t);
        const RadialScale& s = m_g.scale;
        const double angle = std::atan2(dzOf(age) * s.perY, s.perX);
        const double out = s.radius + kTick + 3 +
                           (box.right - box.left) / 2 * std::fabs(std::cos(angle)) +
                           (box.bottom - box.top) / 2 * std::fabs(std::sin(angle));
        t.x = s.originX + out * std::cos(angle);
        t.y = s.originY - out * std::sin(angle);
        return t;
    }

    // Round ages in steps of 1, 2 or 5 times a power of ten, as many as keep their labels
    // apart; over a wide range the young end, crowded by the logarithm, also gets the round
    // values of 1, 2 and 5 below the first step where they find room.
    void ticks() {
        const double low = std::exp(m_data.reference + m_dzLow);
        const double high = std::exp(m_data.reference + m_dzHigh);
        const auto apart = [](const std::vector<PlotBox>& boxes, const PlotBox& box) {
            const PlotBox wider{box.left - 3, box.top - 2, box.right + 3, box.bottom + 2};
            return std::none_of(boxes.begin(), boxes.end(),
                                [&](const PlotBox& b) { return b.overlaps(wider); });
        };
        std::vector<double> chosen;
        std::vector<PlotBox> boxes;
        for (int count = 10; count >= 1 && chosen.empty(); --count) {
            const Ticks t = niceTicks(low, high, count);
            std::vector<PlotBox> tried;
            bool clear = !t.values.empty();
            for (double v : t.values) {
                const PlotBox box = textBox(tickLabel(v));
                clear = clear && v > 0 && apart(tried, box);
                tried.push_back(box);
            }
            if (clear || count == 1) chosen = t.values, boxes = tried;
        }
        chosen.erase(std::remove_if(chosen.begin(), chosen.end(), [](double v) { return v <= 0; }),
                     chosen.end());
        if (!chosen.empty()) {
            const double first = chosen.front();
            for (double decade = std::pow(10.0, std::floor(std::log10(first))); decade >= low / 10;
                 decade /= 10)
                for (double m : {5.0, 2.0, 1.0}) {
                    const double v = m * decade;
                    if (v >= first || v < low) continue;
                    const PlotBox box = textBox(tickLabel(v));
                    if (!apart(boxes, box)) continue;
                    chosen.push_back(v);
                    boxes.push_back(box);
                }
        }
        const RadialScale& s = m_g.scale;
        for (double v : chosen) {
            const auto [x1, y1] = onCircle(dzOf(v), s.radius);
            const auto [x2, y2] = onCircle(dzOf(v), s.radius + kTick);
            m_b.line(PlotRole::ArcTick, x1, y1, x2, y2, colour::kBlack, 1.0, LineStyle::Solid, v);
            const PlotText t = tickLabel(v);
            m_b.text(t.role, t.x, t.y, t.text, t.hAlign, t.vAlign, t.colour);
        }
    }

    void yAxis() {
        const RadialScale& s = m_g.scale;
        m_b.line(PlotRole::Axis, s.originX, s.toPixelY(2), s.originX, s.toPixelY(-2),
                 colour::kBlack);
        for (double y : {-2.0, 0.0, 2.0}) {
            m_b.line(PlotRole::Axis, s.originX - 4, s.toPixelY(y), s.originX, s.toPixelY(y),
                     colour::kBlack, 1.0, LineStyle::Solid, y);
            // A band too narrow for three labels: 0 alone, the legend says what the band is.
            if (y == 0 || 2 * s.perY >= kTextSize * 1.3)
                m_b.text(PlotRole::TickLabel, s.originX - 6, s.toPixelY(y), numberText(y),
                         HAlign::Right, VAlign::Middle, kSoftText);
        }
    }

    // Precision t/σ under the drawing, and below it the relative error σ/t in per cent, both
    // from x = 0 to the arc's right end; each axis's title at its right end, ticks that would
    // run into it left out.
    void xAxes() {
        const RadialScale& s = m_g.scale;
        const double left = s.originX, right = s.originX + s.radius;
        const double xEnd = s.radius / s.perX;
        const auto axis = [&](double y, const std::string& title, const std::vector<double>& values,
                              bool percent) {
            m_b.line(PlotRole::Axis, left, y, right, y, colour::kBlack);
            const PlotText head{PlotRole::AxisTitle,
                                m_room.right + kLabelRoom,
                                y + 5,
                                title,
                                kSoftText,
                                kTextSize,
                                false,
                                HAlign::Right,
                                VAlign::Top,
                                std::nullopt};
            std::vector<PlotBox> taken{textBox(head)};
            m_g.plot.texts.push_back(head);
            for (double x : values) {
                const double px = s.toPixelX(x);
                const PlotText t{
                    PlotRole::TickLabel, px,          y + 5, numberText(percent ? 100 / x : x),
                    kSoftText,           kTextSize,   false, HAlign::Centre,
                    VAlign::Top,         std::nullopt};
                const PlotBox box = textBox(t);
                const PlotBox wider{box.left - 3, box.top, box.right + 3, box.bottom};
                if (std::any_of(taken.begin(), taken.end(),
                                [&](const PlotBox& b) { return b.overlaps(wider); })) {
                    if (percent && taken.size() > 1) break;  // all the rest crowd closer still
                    continue;
                }
                taken.push_back(box);
                m_b.line(PlotRole::Axis, px, y, px, y + 4, colour::kBlack, 1.0, LineStyle::Solid,
                         x);
                m_g.plot.texts.push_back(t);
            }
        };
        const int count = std::max(2, static_cast<int>(s.radius / 70));
        axis(m_room.precisionAxis, "precision t/σ", niceTicks(0, xEnd, count).values, false);
        // Round percentages, from the most precise end towards the origin, where they crowd.
        std::vector<double> at;
        for (double decade = std::pow(10.0, std::floor(std::log10(100 / xEnd)));
             decade <= 1e6 && at.size() < 40; decade *= 10)
            for (double m : {1.0, 2.0, 5.0})
                if (const double x = 100 / (m * decade); x <= xEnd && x * s.perX >= 10)
                    at.push_back(x);
        axis(m_room.errorAxis, "relative error %", at, true);
    }

    bool flaggedExtreme(int row) const {
        const PlotData& t = m_data.tests;
        return (row == t.posMin && t.minFlagged) || (row == t.posMax && t.maxFlagged);
    }

    void marks() {
        const RadialScale& s = m_g.scale;
        const double radius = m_data.points.size() > 100 ? 3.0 : kRadius;
        for (const RadialPoint& p : m_data.points)
            if (!p.rejected && flaggedExtreme(p.row))
                m_b.point(PlotRole::ExtremeMark, s.toPixelX(p.x), s.toPixelY(p.y), radius + 4, true,
                          colour::kHighlight, p.age, p.row);
        const std::vector<int>& esd = m_data.tests.esdRows;
        for (const RadialPoint& p : m_data.points)
            if (!p.rejected && std::find(esd.begin(), esd.end(), p.row) != esd.end())
                m_b.point(PlotRole::EsdMark, s.toPixelX(p.x), s.toPixelY(p.y), radius + 7, false,
                          kEsdMark, p.age, p.row);
        for (const RadialPoint& p : m_data.points)
            if (p.rejected)
                m_b.point(PlotRole::Rejected, s.toPixelX(p.x), s.toPixelY(p.y), kRadius, false,
                          kGrey, p.age, p.row);
        for (const RadialPoint& p : m_data.points)
            if (!p.rejected)
                m_b.point(PlotRole::Value, s.toPixelX(p.x), s.toPixelY(p.y), radius, true, kInk,
                          p.age, p.row);
    }

    // The extremes' labels, then the rows beyond ±2 and the rejected rows, each beside its
    // point where it crosses no line and no other label.
    void labels() {
        const RadialScale& s = m_g.scale;
        LabelPlacer placer(m_g.plot, {4, 36, m_room.legendLeft - 8, m_room.precisionAxis - 2}, {},
                           [](const PlotLine& l) {
                               return l.role == PlotRole::Arc || l.role == PlotRole::ArcTick ||
                                      l.role == PlotRole::ZeroLine ||
                                      l.role == PlotRole::CentralLine || l.role == PlotRole::Axis;
                           });
        for (const PlotText& t : m_g.plot.texts) placer.reserve(textBox(t));
        const auto spots = [](double x, double y, double gap) {
            using Spot = LabelPlacer::Spot;
            std::vector<Spot> all;
            for (double d : {gap, gap + 8, gap + 16}) {
                all.push_back({x + d, y, HAlign::Left, VAlign::Middle});
                all.push_back({x - d, y, HAlign::Right, VAlign::Middle});
                all.push_back({x, y - d, HAlign::Centre, VAlign::Bottom});
                all.push_back({x, y + d, HAlign::Centre, VAlign::Top});
                all.push_back({x + d * 0.7, y - d * 0.7, HAlign::Left, VAlign::Bottom});
                all.push_back({x - d * 0.7, y - d * 0.7, HAlign::Right, VAlign::Bottom});
                all.push_back({x + d * 0.7, y + d * 0.7, HAlign::Left, VAlign::Top});
                all.push_back({x - d * 0.7, y + d * 0.7, HAlign::Right, VAlign::Top});
            }
            return all;
        };
        const PlotData& tests = m_data.tests;
        for (const bool isMin : {true, false})
            for (const RadialPoint& p : m_data.points) {
                if (p.rejected || p.row != (isMin ? tests.posMin : tests.posMax)) continue;
                const bool flagged = isMin ? tests.minFlagged : tests.maxFlagged;
                const PlotText text{PlotRole::ExtremeLabel,
                                    0,
                                    0,
                                    (isMin ? "min #" : "max #") + std::to_string(p.row),
                                    colour::kBlack,
                                    kTextSize,
                                    flagged,
                                    HAlign::Left,
                                    VAlign::Middle,
                                    flagged ? std::optional(colour::kHighlight) : std::nullopt};
                placer.place(
                    m_b, text,
                    spots(s.toPixelX(p.x), s.toPixelY(p.y), kRadius + (flagged ? 4 : 0) + 4));
            }
        for (const RadialPoint& p : m_data.points) {
            const bool beyond = std::find(m_data.beyondTwo.begin(), m_data.beyondTwo.end(),
                                          p.row) != m_data.beyondTwo.end();
            if (p.row == tests.posMin || p.row == tests.posMax || !(beyond || p.rejected)) continue;
            const PlotText text{p.rejected ? PlotRole::RowLabel : PlotRole::BeyondTwoLabel,
                                0,
                                0,
                                "#" + std::to_string(p.row),
                                p.rejected ? kGrey : kInk,
                                p.rejected ? 10.0 : kTextSize,
                                false,
                                HAlign::Left,
                                VAlign::Middle,
                                std::nullopt};
            placer.place(m_b, text, spots(s.toPixelX(p.x), s.toPixelY(p.y), kRadius + 3));
        }
        // The scale of ages named beyond its old end (or else its young end), the y axis
        // above its top.
        std::vector<LabelPlacer::Spot> ends;
        for (const double dz : {m_dzHigh, m_dzLow}) {
            const auto [ex, ey] = onCircle(dz, s.radius + kTick + 3);
            const double away = dz > 0 ? -1 : 1;  // up from the old end, down from the young
            for (double d = 4; d <= 64; d += 6)
                for (double dx : {0.0, 16.0, -16.0, 32.0})
                    ends.push_back({ex + dx, ey + away * d, HAlign::Centre,
                                    dz > 0 ? VAlign::Bottom : VAlign::Top});
        }
        placer.place(m_b,
                     {PlotRole::AxisTitle, 0, 0, "age", kSoftText, kTextSize, true, HAlign::Left,
                      VAlign::Bottom, std::nullopt},
                     ends);
        const double top = s.toPixelY(2) - 8;
        placer.place(m_b,
                     {PlotRole::AxisTitle, 0, 0, "standardised residual y", kSoftText, kTextSize,
                      false, HAlign::Left, VAlign::Bottom, std::nullopt},
                     {{12, top, HAlign::Left, VAlign::Bottom},
                      {12, top - 14, HAlign::Left, VAlign::Bottom},
                      {12, top - 28, HAlign::Left, VAlign::Bottom}});
    }

    const RadialPlotData& m_data;
    RadialGeometry& m_g;
    Builder m_b;
    Room m_room;
    double m_dzLow = 0, m_dzHigh = 0;
};

void legend(const RadialPlotData& data, Legend& k) {
    double largest = 0;
    for (const RadialPoint& p : data.points)
        if (!p.rejected) largest = std::max(largest, std::fabs(p.age));
    const auto shown = [&](double v) {
        return formatDataNumber(v, Pattern::UpToTwoDecimals, largest);
    };
    k.heading("Ages, declared " + data.uncertainty);
    k.point(true, kInk, "age under test (" + std::to_string(data.underTest()) + ")");
    if (std::any_of(data.points.begin(), data.points.end(),
                    [](const RadialPoint& p) { return p.rejected; }))
        k.point(false, kGrey, "rejected age, with its row");
    k.line(kInk, 1.0, LineStyle::Solid, "y = 0: " + shown(std::exp(data.reference)));
    k.note("the weighted mean of ln t");
    k.swatch(kBand, std::nullopt, "y from -2 to 2");
    if (data.central) {
        const CentralAge& c = *data.central;
        k.line(kCentral, 1.5, LineStyle::Dash, "central age " + shown(c.age) + " ± " + shown(c.se));
        k.note("dispersion " + formatNumber(100 * c.dispersion, Pattern::UpToTwoDecimals) +
               (c.dispersionSe
                    ? " ± " + formatNumber(100 * *c.dispersionSe, Pattern::UpToTwoDecimals)
                    : std::string()) +
               " %");
    }
    k.note("An age's line from the origin");
    k.note("meets the arc at its value.");
    k.gap();
    flagsLegend(data.tests, k);
    if (!data.tests.esdRows.empty()) k.point(false, kEsdMark, "outlier by the ESD screen");
    k.gap();
    if (data.beyondTwo.empty()) {
        k.note("No age lies beyond ±2.");
    } else {
        k.heading("Beyond ±2");
        // A few rows a line, so that a long list stays in the column.
        for (std::size_t i = 0; i < data.beyondTwo.size(); i += 6)
            k.note(join(std::vector<int>(
                data.beyondTwo.begin() + static_cast<std::ptrdiff_t>(i),
                data.beyondTwo.begin() +
                    static_cast<std::ptrdiff_t>(std::min(i + 6, data.beyondTwo.size())))));
    }
    if (!data.notDrawn.empty()) k.note("Not drawn, not above 0: " + join(data.notDrawn));
}

}  // namespace

int RadialPlotData::underTest() const {
    return static_cast<int>(std::count_if(points.begin(), points.end(),
                                          [](const RadialPoint& p) { return !p.rejected; }));
}

std::optional<RadialPlotData> radialPlotData(const Analysis& analysis, const PlotData& plot) {
    const std::optional<SampleAges>& ages = analysis.ages();
    if (!ages) return std::nullopt;
    RadialPlotData r;
    r.tests = plot;
    r.uncertainty = uncertaintyName(ages->kind);
    const AgeStatistics& s = ages->statistics;
    r.logScale = s.logScale;
    r.reference = s.reference;
    r.central = s.central;
    r.beyondTwo = ages->beyondTwo;
    if (!s.logScale) {
        const auto at =
            std::find_if(ages->ages.begin(), ages->ages.end(), [](double t) { return !(t > 0); });
        if (at != ages->ages.end()) {
            r.notPositiveRow = ages->rows[static_cast<std::size_t>(at - ages->ages.begin())];
            r.notPositiveValue = *at;
        }
        return r;
    }
    const DataSet& data = analysis.dataSet();
    std::size_t next = 0;  // the next of the ages under test, in row order
    for (int row = 1; row <= data.RowCount(); ++row) {
        RadialPoint p;
        p.row = row;
        if (next < ages->rows.size() && ages->rows[next] == row) {
            p.age = ages->ages[next];
            p.sigma = ages->sigmas[next];
            p.x = s.residuals[next].x;
            p.y = s.residuals[next].y;
            ++next;
        } else {
            // A rejected age, about the z0 of the ages under test.
            const DataRow& d = data.rows[static_cast<std::size_t>(row - 1)];
            p.age = d.value1;
            p.sigma = oneSigma(d.value1, d.value2, ages->kind);
            p.rejected = true;
            if (!(p.age > 0)) {
                r.notDrawn.push_back(row);
                continue;
            }
            const double u = p.sigma / p.age;
            p.x = 1 / u;
            p.y = (std::log(p.age) - s.reference) / u;
        }
        r.points.push_back(p);
    }
    return r;
}

std::string radialNotDrawn(const RadialPlotData& data) {
    if (data.logScale) return {};
    return "row " + std::to_string(data.notPositiveRow) + " has " +
           generalNumberText(data.notPositiveValue) +
           ", not above 0, and its scale of ages is logarithmic";
}

RadialGeometry layoutRadialPlot(const RadialPlotData& data, double width, double height) {
    RadialGeometry g;
    g.plot.width = width;
    g.plot.height = height;
    g.plot.name = "Sifton radial plot";
    Builder b(g.plot);
    b.text(PlotRole::Title, 12, 10, data.tests.title, HAlign::Left, VAlign::Top, colour::kBlack,
           kTitleSize, true);
    if (const std::string why = radialNotDrawn(data); !why.empty()) {
        b.text(PlotRole::Message, width / 2, height / 2 - 4,
               "The radial plot cannot be drawn:", HAlign::Centre, VAlign::Bottom, kSoftText,
               kTitleSize);
        b.text(PlotRole::Message, width / 2, height / 2 + 4, why + ".", HAlign::Centre, VAlign::Top,
               kSoftText, 13);
        return g;
    }
    const Room room = roomFor(width, height);
    RadialLayout(data, g, room).draw();
    Legend k(b, room.legendLeft, 56);
    legend(data, k);
    return g;
}

}  // namespace sifton
