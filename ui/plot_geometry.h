// The data plot without Qt: what the plot window draws and where.
//
// PlotData is what the presentation (presentation.h) gives the plot: the values of the data
// set, the mean and spread, the quartiles, the Grubbs limits, and which extremes the tests flag,
// taken from the results the window shows. layoutPlot() places every point, line, band and text of
// the two panels (the values on one value axis, and the normal quantile plot below it on the same
// axis) in a pixel rectangle. paintPlot() (plot_painter.h) draws the result on any QPainter: the
// screen and every export.
#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/results_labels.h"

namespace sifton {

struct PlotValue {
    double value = 0.0;
    int row = 0;  // 1-based row of the data set
    bool rejected = false;
};

// One test as the legend tells it.
struct PlotTest {
    std::string name;      // "Grubbs test"
    bool ran = false;      // its not-run marker is not set
    std::string notRunIf;  // why it did not run, e.g. "n < 6"
};

struct Quartiles {
    double q1 = 0.0, q3 = 0.0;
    double iqr() const { return q3 - q1; }
};

struct PlotData {
    std::string title;              // locality, code and age, then "n = 11 (from 12)"
    std::vector<PlotValue> values;  // every row of the data set, in row order
    double mean = 0.0;
    double sd = 0.0;  // the unrounded spread the Grubbs test divides by
    int posMin = 0, posMax = 0;
    bool minFlagged = false, maxFlagged = false;
    std::vector<std::string> minFlaggedBy, maxFlaggedBy;  // short test names
    std::optional<double> grubbsFactor;                   // C at 5 %, when the Grubbs test ran
    std::optional<Quartiles> quartiles;  // the unrounded quartiles, when the IQR test ran
    std::vector<PlotTest> tests;         // Grubbs, Dixon, IQR, g-test
    std::vector<int> esdRows;            // rows the ESD screen calls outliers
    std::string esdSummary;              // what the screen found; empty without results
    bool esdMasking = false;      // it finds more than Grubbs and g flag: the status line's warning
    bool esdApproximate = false;  // its critical values are approximate (n < 25)
    std::string dataFileName;     // where the values came from

    int underTest() const;
};

// Rounded tick values in steps of 1, 2 or 5 times a power of ten, about 'count' of them
// between low and high (both included when they fall on a step).
struct Ticks {
    double step = 1.0;
    std::vector<double> values;
};
Ticks niceTicks(double low, double high, int count);

// A value range for an axis: the range itself with some room around it, or, for a range
// without spread, a range around its one value; never empty, never infinite.
struct Range {
    double low = 0.0, high = 1.0;
};
Range paddedRange(double low, double high);

// What a primitive stands for; the legend's samples are Legend, not the thing they explain.
enum class PlotRole {
    Frame,
    Grid,
    TickLabel,
    AxisTitle,
    PanelTitle,
    Title,
    Legend,
    Message,
    Value,           // a value under test
    Rejected,        // a rejected value, hollow and grey
    RowLabel,        // "#7" beside a rejected value
    ExtremeMark,     // the ring behind the smallest or the largest value
    EsdMark,         // the ring round a value the ESD screen calls an outlier
    ExtremeLabel,    // "min #3", "max #12"
    BeyondTwoLabel,  // "#7" beside an age of the radial plot whose |y| exceeds 2
    Mean,
    SdBand,  // mean ± 2 SD
    GrubbsLimit,
    IqrBox,  // Q1 to Q3
    InnerFence,
    OuterFence,
    QuantilePoint,
    QuantileLine,
    Axis,         // an axis line of the radial plot and its tick marks
    RadialBand,   // y from -2 to 2
    ZeroLine,     // y = 0, the reference age
    CentralLine,  // the line of the central age, and its mark across the arc
    Arc,          // the scale of ages
    ArcTick,      // a round age's mark on the arc; its value is the age
    ArcLabel,     // the age of a mark on the arc, outside it
};

enum class LineStyle { Solid, Dash, Dot, DashDot };
enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Middle, Bottom };

struct PlotPoint {
    PlotRole role;
    double x, y, radius;  // pixels
    bool filled;
    Rgb colour;
    double value;  // the value it stands for
    int row;       // 0 when it stands for no row
};

struct PlotLine {
    PlotRole role;
    double x1, y1, x2, y2;
    Rgb colour;
    double width;
    LineStyle style;
    double value;  // the value of a vertical line on the value axis
};

struct PlotBand {
    PlotRole role;
    double left, top, right, bottom;
    Rgb fill;
    std::optional<Rgb> outline;
    double low, high;  // the values of its left and right edge
};

struct PlotText {
    PlotRole role;
    double x, y;  // the anchor
    std::string text;
    Rgb colour;
    double size;  // font size in pixels
    bool bold;
    HAlign hAlign;
    VAlign vAlign;
    std::optional<Rgb> background;
    // Turned a quarter left about its anchor, to read upwards beside an upright axis; the
    // alignments are those of the text laid flat, turned with it.
    bool upward = false;
};

// The box a text takes, from a width of about 0.66 of its size per character (0.72 bold), the
// widths of the sans fonts the plot is drawn with; for keeping labels clear of lines and of
// each other. An upward text's box is its flat box turned with it.
struct PlotBox {
    double left, top, right, bottom;
    bool overlaps(const PlotBox& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};
PlotBox textBox(const PlotText& text);

// Values to pixels along the shared horizontal value axis.
struct ValueAxis {
    double low = 0.0, high = 1.0;      // values at the left and right edge
    double left = 0.0, right = 100.0;  // pixels
    double toPixel(double value) const {
        return left + (value - low) / (high - low) * (right - left);
    }
};

// Everything to draw, in drawing order: bands, lines, points, texts.
struct PlotGeometry {
    double width = 0.0, height = 0.0;
    std::string name = "Sifton data plot";  // the title of a saved SVG or PDF
    ValueAxis axis;
    std::vector<PlotBand> bands;
    std::vector<PlotLine> lines;
    std::vector<PlotPoint> points;
    std::vector<PlotText> texts;
};

PlotGeometry layoutPlot(const PlotData& data, double width, double height);

// The plot's drawing size when its window opens; a saved picture has the window's present size.
inline constexpr int kPlotWidth = 900;
inline constexpr int kPlotHeight = 620;

// What the data plot and the radial plot (radial_geometry.h) are both drawn with.
namespace plot {

inline constexpr Rgb kInk{0, 0, 160};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kSoftText{70, 70, 70};
inline constexpr Rgb kGrid{228, 228, 228};
inline constexpr Rgb kFrame{150, 150, 150};
inline constexpr Rgb kBand{222, 230, 246};
inline constexpr Rgb kEsdMark{220, 110, 0};

inline constexpr double kRadius = 4.5;  // a value's point
inline constexpr double kTextSize = 11;
inline constexpr double kTitleSize = 15;
inline constexpr double kLegendLine = 18;

// A number as the plot writes it: 15 significant digits at most, so a tick computed as a
// multiple of its step shows the decimal the step gives (0.3, not 0.30000000000000004).
std::string numberText(double value);

// "min #3" or "max #12" beside an extreme, on the highlight colour when a test flags it; the
// placer gives it its place.
PlotText extremeLabel(bool isMin, int row, bool flagged);

// Appends primitives to a geometry.
class Builder {
  public:
    explicit Builder(PlotGeometry& g) : m_g(g) {}

    void text(PlotRole role, double x, double y, std::string text, HAlign h, VAlign v,
              Rgb colour = colour::kBlack, double size = kTextSize, bool bold = false,
              std::optional<Rgb> background = std::nullopt);
    void line(PlotRole role, double x1, double y1, double x2, double y2, Rgb colour,
              double width = 1.0, LineStyle style = LineStyle::Solid, double value = 0.0);
    // A vertical line at a value of the geometry's value axis, from top to bottom.
    void valueLine(PlotRole role, double value, double top, double bottom, Rgb colour, double width,
                   LineStyle style);
    // A band between two values of the value axis.
    void band(PlotRole role, double low, double high, double top, double bottom, Rgb fill,
              std::optional<Rgb> outline = std::nullopt);
    void rectangle(PlotRole role, double left, double top, double right, double bottom, Rgb fill,
                   std::optional<Rgb> outline);
    void point(PlotRole role, double x, double y, double radius, bool filled, Rgb colour,
               double value = 0.0, int row = 0);
    void frame(double left, double top, double right, double bottom);

  private:
    PlotGeometry& m_g;
};

// The legend column: a sample of each thing drawn and what it means.
class Legend {
  public:
    Legend(Builder& b, double left, double top) : m_b(b), m_left(left), m_y(top) {}

    double next() const { return m_y; }
    void moveTo(double y) { m_y = std::max(m_y, y); }

    void heading(const std::string& text);
    void point(bool filled, Rgb colour, const std::string& text);
    void line(Rgb colour, double width, LineStyle style, const std::string& text);
    void swatch(Rgb fill, std::optional<Rgb> outline, const std::string& text);
    void note(const std::string& text, std::optional<Rgb> background = std::nullopt);
    void gap() { m_y += kLegendLine / 2; }

  private:
    double middle() const { return m_y + kLegendLine / 2; }
    void entry(const std::string& text);

    Builder& m_b;
    double m_left, m_y;
};

// The legend's lines on the extremes the tests flag ("min #3: Grubbs, Dixon"), or that none
// flags them.
void flagsLegend(const PlotData& data, Legend& k);

// Whether a line passes through a box (widened by half a pixel each side).
bool crosses(const PlotLine& line, const PlotBox& box);

// Places labels one at a time, each at the first of its candidate spots that lies inside the
// bounds, crosses no wall and none of the lines 'blocks' picks, no label placed before and no
// point; where every spot crosses something, at the one that crosses least.
class LabelPlacer {
  public:
    struct Spot {
        double x, y;
        HAlign h;
        VAlign v;
    };

    LabelPlacer(const PlotGeometry& g, const PlotBox& bounds, std::vector<PlotLine> walls,
                std::function<bool(const PlotLine&)> blocks);

    void place(Builder& b, PlotText text, const std::vector<Spot>& spots);
    // As place, but only at a spot inside the bounds that crosses no line and no label (it
    // may cover points); false, and nothing placed, where there is none.
    bool placeClear(Builder& b, PlotText text, const std::vector<Spot>& spots);
    // A box no label may take, such as a text placed without the placer.
    void reserve(const PlotBox& box) { m_taken.push_back(box); }

  private:
    double costOf(const PlotBox& box) const;
    // The first of the spots that costs nothing, else the one that costs least, and its cost.
    std::pair<double, PlotText> cheapest(PlotText text, const std::vector<Spot>& spots) const;
    void add(Builder& b, const PlotText& text);

    const PlotGeometry& m_g;
    PlotBox m_bounds;
    std::vector<PlotLine> m_walls;
    std::function<bool(const PlotLine&)> m_blocks;
    std::vector<PlotBox> m_taken;
};

}  // namespace plot

}  // namespace sifton
