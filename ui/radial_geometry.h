// The radial plot without Qt (Galbraith, Technometrics 30 (1988) 271-281; Nuclear Tracks and
// Radiation Measurements 17 (1990) 207-214): each grain at x = 1/se (its precision) and
// y = (z - z0)/se about a centre z0. For ages with uncertainties z = ln t and se = s/t; for
// fission-track counts (fission_tracks.h) z = arcsin sqrt((Ns + 3/8)/(Ns + Ni + 3/4)) and
// se = 1/(2 sqrt(Ns + Ni + 1/2)). A grain lies on the line from the origin of slope z - z0, so
// the scale of ages is an arc round the origin where the line of each age ends; the band of y
// from -2 to 2 holds the grains that agree with z0 within their precision.
//
// radialPlotData() takes an analysis's ages, or its counts' statistics for a count file (and
// its rejected rows, placed about the same z0), with the data plot's data for the title and the
// flags; layoutRadialPlot() places every point, line and text in a pixel rectangle as a
// PlotGeometry (plot_geometry.h), which paintPlot and writePlot (plot_painter.h) draw as they
// draw the data plot.
#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis.h"
#include "core/fission_tracks.h"
#include "ui/plot_geometry.h"

namespace sifton {

// The z of an age and the age of a z: ln t for ages, the arcsine of the ratio of an age
// (arcsineOfAge) for counts.
struct RadialTransform {
    enum class Kind { LogAge, Counts };
    Kind kind = Kind::LogAge;
    CountCalibration calibration;  // of the counts

    double zOf(double age) const;
    // For counts 0 at z <= 0, where no ratio lies.
    double ageOf(double z) const;
    // The z the arc can span: every z for ln t; for counts from 0 (age 0) to just below pi/2,
    // the z of an infinite ratio.
    double lowestZ() const;
    double highestZ() const;
};

struct RadialPoint {
    int row = 0;                    // 1-based row of the data set
    double age = 0.0, sigma = 0.0;  // the value and its 1-sigma uncertainty
    double x = 0.0, y = 0.0;
    bool rejected = false;
};

struct RadialPlotData {
    PlotData tests;           // the data plot's: title, flagged extremes, ESD rows, file name
    std::string uncertainty;  // what the second field was declared: "±1σ"...
    RadialTransform transform;
    bool logScale = false;   // every age under test is above 0: the plot of ages can be drawn
    int notPositiveRow = 0;  // otherwise the first row under test that is not above 0
    double notPositiveValue = 0.0;
    double reference = 0.0;  // z0: of the ages' statistics, or of the central age of counts
    std::optional<CentralAge> central;
    double centralSeTotal = 0.0;      // for counts: the central age's se with zeta and rhoD
    std::vector<RadialPoint> points;  // the rows drawn, under test and rejected, in row order
    std::vector<int> notDrawn;        // rejected rows whose value is not above 0
    std::vector<int> beyondTwo;       // rows under test whose |y| exceeds 2

    int underTest() const;
};

// The radial plot's data of an analysis: of its counts when it has the counts' statistics, else
// of its ages; nothing when its data set declares no uncertainty.
std::optional<RadialPlotData> radialPlotData(const Analysis& analysis, const PlotData& plot);

// Why the radial plot cannot be drawn ("row 4 has -1.2, not above 0, and ..."); empty when it
// can, as a plot of counts always can.
std::string radialNotDrawn(const RadialPlotData& data);

// Pixels of the plot's coordinates: x to the right of the origin, y up from it. The arc is the
// ellipse about the origin of half-axes arcX across and arcY up (a circle where the room allows
// one): the line from the origin of slope z(t) - z0 in the plot's units meets it at the age t.
struct RadialScale {
    double originX = 0.0, originY = 0.0;
    double perX = 1.0, perY = 1.0;  // pixels per unit of x and of y
    double arcX = 0.0, arcY = 0.0;  // pixels
    double toPixelX(double x) const { return originX + x * perX; }
    double toPixelY(double y) const { return originY - y * perY; }
    // How far from the origin, in pixels, the line at 'angle' (radians up from the x axis)
    // meets the arc.
    double arcDistance(double angle) const {
        return 1 / std::hypot(std::cos(angle) / arcX, std::sin(angle) / arcY);
    }
};

struct RadialGeometry {
    PlotGeometry plot;
    RadialScale scale;
};

RadialGeometry layoutRadialPlot(const RadialPlotData& data, double width, double height);

}  // namespace sifton
