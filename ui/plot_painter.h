// Draws a plot's geometry (the data plot's, plot_geometry.h, or the radial plot's,
// radial_geometry.h) on any QPainter: the plot window, a QImage, an SVG or a PDF file all come
// from paintPlot, so the screen and every saved file show the same picture. writePlot saves the
// plot in one of the three formats.
#pragma once

#include <optional>
#include <string>

#include "ui/plot_geometry.h"

class QPainter;

namespace sifton {

void paintPlot(QPainter& painter, const PlotGeometry& geometry);

enum class PlotFormat { Png, Svg, Pdf };

// The format a file name asks for by its ending: .png, .svg or .pdf in any case; nothing for
// any other name.
std::optional<PlotFormat> plotFormatFor(const std::string& path);

// Writes the plot at its geometry's size: a PNG of twice as many pixels each way (sharp on
// paper and on dense screens), an SVG or a one-page PDF as vector drawings of that size at 96
// dots per inch. False when the file cannot be written.
bool writePlot(const PlotGeometry& geometry, const std::string& path, PlotFormat format);

}  // namespace sifton
