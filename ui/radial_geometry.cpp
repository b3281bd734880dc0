#include "ui/radial_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/number_text.h"

namespace sifton {
namespace {

using namespace plot;

constexpr Rgb kCentral{0, 130, 70};
constexpr double kFill = 0.9;          // the farthest point lies at this part of the way to the arc
constexpr double kTick = 6;            // length of a tick mark, pixels
constexpr double kLabelRoom = 52;      // right of the arc: its tick labels
constexpr double kLabelsTop = 36;      // below the title
constexpr double kFlattest = 1 / 3.0;  // the arc's height over its width, at the least
constexpr double kYTitleLeft = 12;     // the y axis's title, read upwards, from here

PlotBox widened(const PlotBox& b, double by) {
    return {b.left - by, b.top - by, b.right + by, b.bottom + by};
}

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

// The scale for one ratio c of pixels per unit of y to pixels per unit of x, drawn first with
// the arc a circle as wide as the room and the farthest point at kFill of its radius, then
// squashed upright (never stretched) until the circle's height fits the room: the arc becomes
// an ellipse, c becomes k, and every line from the origin stays the line of its age. Squashed
// to kFlattest and still too tall, the drawing is made smaller, narrower than the room. It
// fits when the band's corners lie inside the arc; its worth is the area the points' box (x
// from 0, y over the band and every point) takes.
struct Fit {
    bool fits = false;
    double k = 1, perX = 0, arcX = 0, arcY = 0, up = 0, down = 0, area = 0;
};

Fit fitFor(double c, const std::vector<RadialPoint>& points, const PlotBox& box, const Span& span,
           const Room& room) {
    Fit f;
    double farthest = 0;
    for (const RadialPoint& p : points) farthest = std::max(farthest, std::hypot(p.x, c * p.y));
    const double band = 2 * c * kFill / farthest;  // the band's half height over the radius
    f.up = std::max(std::sin(std::atan(c * span.high)), band);
    f.down = std::max(-std::sin(std::atan(c * span.low)), band);
    const double width = room.right - room.left, height = room.bottom - room.top;
    const double squash = std::clamp(height / (width * (f.up + f.down)), kFlattest, 1.0);
    f.arcX = std::min(width, height / (squash * (f.up + f.down)));
    f.arcY = squash * f.arcX;
    f.k = squash * c;
    f.perX = kFill * f.arcX / farthest;
    f.area = (box.right - box.left) * (box.bottom - box.top) * f.k * f.perX * f.perX;
    f.fits = band < 0.95 && std::isfinite(f.area);
    return f;
}

// The largest area over c, from four decades either side of the ratio that makes the points'
// box fill the room up to where the band would reach the arc: the best of steps of a twentieth
// of a decade, then a golden-section search between its neighbours, to a millionth in ln c.
Fit bestFit(const std::vector<RadialPoint>& points, const Span& span, const Room& room) {
    PlotBox box{0, -2, 0, 2};  // x from 0 to the most precise; y from "top" up to "bottom"
    for (const RadialPoint& p : points) {
        box.right = std::max(box.right, p.x);
        box.top = std::min(box.top, p.y), box.bottom = std::max(box.bottom, p.y);
    }
    const double base = std::log((room.bottom - room.top) * box.right /
                                 ((room.right - room.left) * (box.bottom - box.top)));
    const auto at = [&](double lnC) { return fitFor(std::exp(lnC), points, box, span, room); };
    const auto worth = [&](double lnC) {
        const Fit f = at(lnC);
        return f.fits ? f.area : -1.0;
    };
    const double step = std::log(10.0) / 20;
    double best = base - 80 * step;
    for (int i = -79; i <= 80; ++i)
        if (worth(base + i * step) > worth(best)) best = base + i * step;
    const double golden = (std::sqrt(5.0) - 1) / 2;
    double from = best - step, to = best + step;
    double left = to - golden * (to - from), right = from + golden * (to - from);
    double worthLeft = worth(left), worthRight = worth(right);
    while (to - from > 1e-6) {
        if (worthLeft > worthRight) {
            to = right, right = left, worthRight = worthLeft;
            left = to - golden * (to - from), worthLeft = worth(left);
        } else {
            from = left, left = right, worthLeft = worthRight;
            right = from + golden * (to - from), worthRight = worth(right);
        }
    }
    return worth(left) > worth(best) ? at(left) : at(best);
}

class RadialLayout {
  public:
    RadialLayout(const RadialPlotData& data, RadialGeometry& g, const Room& room)
        : m_data(data), m_g(g), m_b(g.plot), m_room(room) {}

    void draw() {
        ageRange();
        const Fit fit = bestFit(m_data.points, {m_dzLow, m_dzHigh}, m_room);
        RadialScale& s = m_g.scale;
        s.arcX = fit.arcX;
        s.arcY = fit.arcY;
        s.perX = fit.perX;
        s.perY = fit.k * fit.perX;
        s.originX = m_room.left;
        const double spare = (m_room.bottom - m_room.top) - (fit.up + fit.down) * fit.arcY;
        s.originY = m_room.top + fit.up * fit.arcY + spare / 2;

        band();
        arc();
        yAxis();
        xAxes();
        marks();
        labels();
    }

  private:
    double angleOf(double dz) const {
        const RadialScale& s = m_g.scale;
        return std::atan2(dz * s.perY, s.perX);
    }
    // The point on the line at 'angle' from the origin, 'beyond' pixels farther out than the
    // arc.
    std::pair<double, double> onLine(double angle, double beyond) const {
        const RadialScale& s = m_g.scale;
        const double r = s.arcDistance(angle) + beyond;
        return {s.originX + r * std::cos(angle), s.originY - r * std::sin(angle)};
    }
    std::pair<double, double> onArc(double dz, double beyond) const {
        return onLine(angleOf(dz), beyond);
    }
    double dzOf(double age) const { return m_data.transform.zOf(age) - m_data.reference; }
    double ageOfDz(double dz) const { return m_data.transform.ageOf(m_data.reference + dz); }
    bool counts() const { return m_data.transform.kind == RadialTransform::Kind::Counts; }

    // The slopes the arc spans: every point's, the central age's and those of the band's
    // edges at the highest precision, and a little beyond, within the z that have an age.
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
        const RadialTransform& t = m_data.transform;
        m_dzLow = std::max(low - pad, t.lowestZ() - m_data.reference);
        m_dzHigh = std::min(high + pad, t.highestZ() - m_data.reference);
    }

    void band() {
        const RadialScale& s = m_g.scale;
        const double half = 2 * s.perY;
        const double right = s.originX + s.arcX * std::sqrt(1 - (half / s.arcY) * (half / s.arcY));
        m_b.rectangle(PlotRole::RadialBand, s.originX, s.originY - half, right, s.originY + half,
                      kBand, std::nullopt);
    }

    void arc() {
        const RadialScale& s = m_g.scale;
        const double from = angleOf(m_dzLow), to = angleOf(m_dzHigh);
        const int pieces = std::max(8, static_cast<int>(std::ceil((to - from) / 0.02)));
        double x = 0, y = 0;
        for (int i = 0; i <= pieces; ++i) {
            const auto [nx, ny] = onLine(from + (to - from) * i / pieces, 0);
            if (i > 0) m_b.line(PlotRole::Arc, x, y, nx, ny, colour::kBlack);
            x = nx, y = ny;
        }
        ticks();
        const auto [zx, zy] = onArc(0, 0);
        m_b.line(PlotRole::ZeroLine, s.originX, s.originY, zx, zy, kInk, 1.0);
        if (m_data.central) {
            const double dz = dzOf(m_data.central->age);
            // The counts' z0 is the central age's z: its line is the line of y = 0.
            const auto [cx, cy] = onArc(dz, 0);
            if (!counts())
                m_b.line(PlotRole::CentralLine, s.originX, s.originY, cx, cy, kCentral, 1.5,
                         LineStyle::Dash, m_data.central->age);
            const auto [ix, iy] = onArc(dz, -9);
            const auto [ox, oy] = onArc(dz, kTick + 2);
            m_b.line(PlotRole::CentralLine, ix, iy, ox, oy, kCentral, 2.5, LineStyle::Solid,
                     m_data.central->age);
        }
    }

    // The way out of the arc, square to it, where the line of slope dz meets it: a unit step
    // in pixels, across and up.
    std::pair<double, double> outward(double dz) const {
        const RadialScale& s = m_g.scale;
        const auto [x, y] = onArc(dz, 0);
        const double across = (x - s.originX) / (s.arcX * s.arcX);
        const double up = (s.originY - y) / (s.arcY * s.arcY);
        const double length = std::hypot(across, up);
        return {across / length, up / length};
    }

    // A tick's mark, from the arc outwards square to it.
    PlotLine tickMark(double age) const {
        const auto [x, y] = onArc(dzOf(age), 0);
        const auto [across, up] = outward(dzOf(age));
        return {PlotRole::ArcTick, x,  y, x + kTick * across, y - kTick * up, colour::kBlack, 1.0,
                LineStyle::Solid,  age};
    }

    // A tick label's text just beyond the end of its mark.
    PlotText tickLabel(double age) const {
        PlotText t{PlotRole::ArcLabel, 0,           0,     numberText(age),
                   kSoftText,          kTextSize,   false, HAlign::Centre,
                   VAlign::Middle,     std::nullopt};
        const PlotBox box = textBox(t);
        const auto [x, y] = onArc(dzOf(age), 0);
        const auto [across, up] = outward(dzOf(age));
        const double out = kTick + 3 + (box.right - box.left) / 2 * std::fabs(across) +
                           (box.bottom - box.top) / 2 * std::fabs(up);
        t.x = x + out * across;
        t.y = y - out * up;
        return t;
    }

    // Round ages above 0 in steps of 1, 2 or 5 times a power of ten, as many as keep their
    // labels apart; over a wide range the young end also gets the round values of 1, 2 and 5
    // below the first step where they find room.
    void ticks() {
        const double low = ageOfDz(m_dzLow), high = ageOfDz(m_dzHigh);
        const auto apart = [](const std::vector<PlotBox>& boxes, const PlotBox& box) {
            const PlotBox wider{box.left - 3, box.top - 2, box.right + 3, box.bottom + 2};
            return std::none_of(boxes.begin(), boxes.end(),
                                [&](const PlotBox& b) { return b.overlaps(wider); });
        };
        std::vector<double> chosen;
        std::vector<PlotBox> boxes;
        for (int count = 10; count >= 1 && chosen.empty(); --count) {
            std::vector<double> values = niceTicks(low, high, count).values;
            values.erase(
                std::remove_if(values.begin(), values.end(), [](double v) { return !(v > 0); }),
                values.end());
            std::vector<PlotBox> tried;
            bool clear = !values.empty();
            for (double v : values) {
                const PlotBox box = textBox(tickLabel(v));
                clear = clear && apart(tried, box);
                tried.push_back(box);
            }
            if (clear || count == 1) chosen = values, boxes = tried;
        }
        if (!chosen.empty()) {
            const double first = chosen.front();
            // An arc of counts from age 0 has no young end to stop at: two decades below the
            // first step, where the ticks crowd anyway.
            const double youngest = low > 0 ? low : first / 100;
            for (double decade = std::pow(10.0, std::floor(std::log10(first)));
                 decade >= youngest / 10; decade /= 10)
                for (double m : {5.0, 2.0, 1.0}) {
                    const double v = m * decade;
                    if (v >= first || v < youngest) continue;
                    const PlotBox box = textBox(tickLabel(v));
                    if (!apart(boxes, box)) continue;
                    chosen.push_back(v);
                    boxes.push_back(box);
                }
        }
        for (double v : chosen) {
            m_g.plot.lines.push_back(tickMark(v));
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
        // Its title reads upwards left of the tick labels, where no point and no label of a
        // point can be, about y = 0 but never beyond the drawing's top or the axes below.
        PlotText title{PlotRole::AxisTitle, kYTitleLeft, s.originY, "standardised residual y",
                       kSoftText,           kTextSize,   false,     HAlign::Centre,
                       VAlign::Top,         std::nullopt};
        title.upward = true;
        const PlotBox box = textBox(title);
        const double half = (box.bottom - box.top) / 2;
        title.y = std::clamp(title.y, kLabelsTop + half, m_room.precisionAxis - 4 - half);
        m_g.plot.texts.push_back(title);
    }

    // The precision under the drawing, and below it what an analyst reads off it: the relative
    // error σ/t in per cent of an age, the number of tracks Ns + Ni of a grain's counts; both
    // from x = 0 to the arc's right end, each axis's title under its right end, ticks that
    // would run into it left out.
    void xAxes() {
        const RadialScale& s = m_g.scale;
        const double left = s.originX, right = s.originX + s.arcX;
        const double xEnd = s.arcX / s.perX;
        // Ticks at x, each with the value it shows; the second axis's crowd closer towards
        // the origin.
        const auto axis = [&](double y, const std::string& title,
                              const std::vector<std::pair<double, double>>& values, bool second) {
            m_b.line(PlotRole::Axis, left, y, right, y, colour::kBlack);
            const PlotText head{PlotRole::AxisTitle, right,       y + 5, title,
                                kSoftText,           kTextSize,   false, HAlign::Right,
                                VAlign::Top,         std::nullopt};
            std::vector<PlotBox> taken{textBox(head)};
            m_g.plot.texts.push_back(head);
            for (const auto& [x, shown] : values) {
                const double px = s.toPixelX(x);
                const PlotText t{PlotRole::TickLabel, px,          y + 5, numberText(shown),
                                 kSoftText,           kTextSize,   false, HAlign::Centre,
                                 VAlign::Top,         std::nullopt};
                const PlotBox box = textBox(t);
                const PlotBox wider{box.left - 3, box.top, box.right + 3, box.bottom};
                if (std::any_of(taken.begin(), taken.end(),
                                [&](const PlotBox& b) { return b.overlaps(wider); })) {
                    if (second && taken.size() > 1) break;  // all the rest crowd closer still
                    continue;
                }
                taken.push_back(box);
                m_b.line(PlotRole::Axis, px, y, px, y + 4, colour::kBlack, 1.0, LineStyle::Solid,
                         x);
                m_g.plot.texts.push_back(t);
            }
        };
        const int count = std::max(2, static_cast<int>(s.arcX / 70));
        std::vector<std::pair<double, double>> precisions;
        for (double x : niceTicks(0, xEnd, count).values) precisions.emplace_back(x, x);
        axis(m_room.precisionAxis, counts() ? "precision 1/se(z)" : "precision t/σ", precisions,
             false);
        // Round values, from the most precise end towards the origin, where they crowd:
        // percentages at x = 100/%, or numbers of tracks m at x = 2 sqrt(m + 1/2).
        std::vector<std::pair<double, double>> at;
        if (counts()) {
            for (double decade = std::pow(10.0, std::floor(std::log10(xEnd * xEnd / 4)));
                 decade >= 1; decade /= 10)
                for (double m : {5.0, 2.0, 1.0})
                    if (const double x = 2 * std::sqrt(m * decade + 0.5);
                        x <= xEnd && x * s.perX >= 10)
                        at.emplace_back(x, m * decade);
        } else {
            for (double decade = std::pow(10.0, std::floor(std::log10(100 / xEnd)));
                 decade <= 1e6 && at.size() < 40; decade *= 10)
                for (double m : {1.0, 2.0, 5.0})
                    if (const double x = 100 / (m * decade); x <= xEnd && x * s.perX >= 10)
                        at.emplace_back(x, m * decade);
        }
        axis(m_room.errorAxis, counts() ? "tracks Ns + Ni" : "relative error %", at, true);
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
        LabelPlacer placer(m_g.plot,
                           {4, kLabelsTop, m_room.legendLeft - 8, m_room.precisionAxis - 2}, {},
                           [](const PlotLine& l) {
                               return l.role == PlotRole::Arc || l.role == PlotRole::ArcTick ||
                                      l.role == PlotRole::ZeroLine ||
                                      l.role == PlotRole::CentralLine || l.role == PlotRole::Axis;
                           });
        // The texts so far, with a little room round them, so that no label touches them.
        for (const PlotText& t : m_g.plot.texts) placer.reserve(widened(textBox(t), 3));
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
                const PlotText text = extremeLabel(isMin, p.row, flagged);
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
            // A rejected row is always named; an age beyond ±2 only where its label finds room
            // clear of the lines and the other labels: the legend lists them all.
            const auto around = spots(s.toPixelX(p.x), s.toPixelY(p.y), kRadius + 3);
            if (p.rejected)
                placer.place(m_b, text, around);
            else
                placer.placeClear(m_b, text, around);
        }
        // The scale of ages named where it would go on beyond its old end (or else its young
        // end), clear of the end's tick label; else above or below that end.
        std::vector<LabelPlacer::Spot> ends;
        for (const double dz : {m_dzHigh, m_dzLow}) {
            const double away = dz > 0 ? 1 : -1;  // round on past the old end, or the young
            const double end = angleOf(dz);
            for (double d = 14; d <= 60; d += 6) {
                const auto [x, y] = onLine(end + away * d / s.arcDistance(end), 0);
                ends.push_back({x, y, HAlign::Centre, VAlign::Middle});
            }
        }
        for (const double dz : {m_dzHigh, m_dzLow}) {
            const auto [ex, ey] = onArc(dz, kTick + 3);
            const double away = dz > 0 ? -1 : 1;  // up from the old end, down from the young
            for (double d = 4; d <= 64; d += 6)
                for (double dx : {0.0, -16.0, 16.0, -32.0, 32.0})
                    ends.push_back({ex + dx, ey + away * d, HAlign::Centre,
                                    dz > 0 ? VAlign::Bottom : VAlign::Top});
        }
        placer.place(m_b,
                     {PlotRole::AxisTitle, 0, 0, "age", kSoftText, kTextSize, true, HAlign::Left,
                      VAlign::Bottom, std::nullopt},
                     ends);
    }

    const RadialPlotData& m_data;
    RadialGeometry& m_g;
    Builder m_b;
    Room m_room;
    double m_dzLow = 0, m_dzHigh = 0;
};

// The legend, down to 'bottom'.
void legend(const RadialPlotData& data, Legend& k, double bottom) {
    double largest = 0;
    for (const RadialPoint& p : data.points)
        if (!p.rejected) largest = std::max(largest, std::fabs(p.age));
    const auto shown = [&](double v) {
        return formatDataNumber(v, Pattern::UpToTwoDecimals, largest);
    };
    const bool counts = data.transform.kind == RadialTransform::Kind::Counts;
    const std::string grain = counts ? "grain" : "age";
    k.heading(counts ? "Radial plot of counts" : "Ages, declared " + data.uncertainty);
    k.point(true, kInk, grain + " under test (" + std::to_string(data.underTest()) + ")");
    if (std::any_of(data.points.begin(), data.points.end(),
                    [](const RadialPoint& p) { return p.rejected; }))
        k.point(false, kGrey, "rejected " + grain + ", with its row");
    const auto dispersion = [&](const CentralAge& c) {
        k.note("dispersion " + formatNumber(100 * c.dispersion, Pattern::UpToTwoDecimals) +
               (c.dispersionSe
                    ? " ± " + formatNumber(100 * *c.dispersionSe, Pattern::UpToTwoDecimals)
                    : std::string()) +
               " %");
    };
    if (counts) {
        const CentralAge& c = *data.central;
        k.line(kInk, 1.0, LineStyle::Solid, "y = 0: central age " + shown(c.age));
        k.note("± " + shown(c.se) + " from counting alone,");
        k.note("± " + shown(data.centralSeTotal) + " with the errors of ζ and ρD");
        dispersion(c);
        k.swatch(kBand, std::nullopt, "y from -2 to 2");
    } else {
        k.line(kInk, 1.0, LineStyle::Solid, "y = 0: " + shown(std::exp(data.reference)));
        k.note("the weighted mean of ln t");
        k.swatch(kBand, std::nullopt, "y from -2 to 2");
        if (data.central) {
            const CentralAge& c = *data.central;
            k.line(kCentral, 1.5, LineStyle::Dash,
                   "central age " + shown(c.age) + " ± " + shown(c.se));
            dispersion(c);
        }
    }
    k.note(counts ? "A grain's line from the origin" : "An age's line from the origin");
    k.note(counts ? "meets the arc at its age." : "meets the arc at its value.");
    k.gap();
    flagsLegend(data.tests, k);
    if (!data.tests.esdRows.empty()) k.point(false, kEsdMark, "outlier by the ESD screen");
    k.gap();
    if (data.beyondTwo.empty()) {
        k.note("No " + grain + " lies beyond ±2.");
    } else {
        k.heading("Beyond ±2");
        // A few rows a line, so that a long list stays in the column, and as many lines as
        // the canvas holds: the last then says how many rows are left out.
        const std::size_t perLine = 6, all = data.beyondTwo.size();
        const double room = (bottom - k.next()) / kLegendLine - (data.notDrawn.empty() ? 0 : 1);
        const std::size_t lines = static_cast<std::size_t>(std::max(2.0, std::floor(room)));
        const std::size_t shown =
            (all + perLine - 1) / perLine <= lines ? all : std::min(all, (lines - 1) * perLine);
        for (std::size_t i = 0; i < shown; i += perLine)
            k.note(join(
                std::vector<int>(data.beyondTwo.begin() + static_cast<std::ptrdiff_t>(i),
                                 data.beyondTwo.begin() +
                                     static_cast<std::ptrdiff_t>(std::min(i + perLine, shown)))));
        if (shown < all) k.note("and " + std::to_string(all - shown) + " more");
    }
    if (!data.notDrawn.empty()) k.note("Not drawn, not above 0: " + join(data.notDrawn));
}

}  // namespace

int RadialPlotData::underTest() const {
    return static_cast<int>(std::count_if(points.begin(), points.end(),
                                          [](const RadialPoint& p) { return !p.rejected; }));
}

double RadialTransform::zOf(double age) const {
    return kind == Kind::Counts ? arcsineOfAge(age, calibration) : std::log(age);
}

double RadialTransform::ageOf(double z) const {
    if (kind == Kind::LogAge) return std::exp(z);
    return z > 0 ? ageOfArcsine(z, calibration) : 0.0;
}

double RadialTransform::lowestZ() const {
    return kind == Kind::Counts ? 0.0 : -std::numeric_limits<double>::infinity();
}

double RadialTransform::highestZ() const {
    // A ratio of a million: older than any age on Earth by far, and still finite.
    return kind == Kind::Counts ? std::asin(std::sqrt(1 - 1e-6))
                                : std::numeric_limits<double>::infinity();
}

namespace {

// The radial plot of counts: every grain's arcsine value about the z0 of the grains under test
// (the rejected ones too), the central age of the binomial model.
RadialPlotData countsPlotData(const Analysis& analysis, const FtSummary& ft, RadialPlotData r) {
    const DataSet& data = analysis.dataSet();
    r.transform.kind = RadialTransform::Kind::Counts;
    r.transform.calibration = data.counts->calibration();
    r.reference = ft.z0;
    CentralAge central;
    central.age = ft.central.age.age;
    central.se = ft.central.age.se;
    central.dispersion = ft.central.dispersion;
    central.dispersionSe = ft.central.dispersionSe;
    r.central = central;
    r.centralSeTotal = ft.central.age.seTotal;
    const std::vector<int> rows = analysis.rowsUnderTest();
    std::size_t next = 0;
    for (int row = 1; row <= data.RowCount(); ++row) {
        RadialPoint p;
        p.row = row;
        const DataRow& d = data.rows[static_cast<std::size_t>(row - 1)];
        p.age = d.value1;
        p.sigma = d.value2;
        if (next < rows.size() && rows[next] == row) {
            const FtGrain& g = ft.grains[next++];
            p.x = g.x;
            p.y = g.y;
            if (std::fabs(p.y) > 2) r.beyondTwo.push_back(row);
        } else {
            const GrainCount& g = data.counts->grains[static_cast<std::size_t>(row - 1)];
            const ArcsineCount a = arcsineOfCounts(g.ns, g.ni);
            p.x = 1 / a.se;
            p.y = (a.z - ft.z0) / a.se;
            p.rejected = true;
        }
        r.points.push_back(p);
    }
    return r;
}

}  // namespace

std::optional<RadialPlotData> radialPlotData(const Analysis& analysis, const PlotData& plot) {
    const std::optional<SampleAges>& ages = analysis.ages();
    if (!ages) return std::nullopt;
    RadialPlotData r;
    r.tests = plot;
    r.uncertainty = uncertaintyName(ages->kind);
    if (analysis.dataSet().counts && analysis.fissionTracks())
        return countsPlotData(analysis, *analysis.fissionTracks(), std::move(r));
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
    if (data.logScale || data.transform.kind == RadialTransform::Kind::Counts) return {};
    return "row " + std::to_string(data.notPositiveRow) + " has " +
           generalNumberText(data.notPositiveValue) +
           ", not above 0, and its scale of ages is logarithmic";
}

RadialGeometry layoutRadialPlot(const RadialPlotData& data, double width, double height) {
    RadialGeometry g;
    g.plot.width = width;
    g.plot.height = height;
    g.plot.name = data.transform.kind == RadialTransform::Kind::Counts
                      ? "Sifton radial plot of counts"
                      : "Sifton radial plot";
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
    legend(data, k, height - 8);
    return g;
}

}  // namespace sifton
