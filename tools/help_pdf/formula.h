// Typesetting of the formulas of the help document. A formula is written in a small subset of
// TeX, the notation that GitHub shows as well: letters are italic, digits and \text{...}
// upright; ^ and _ make scripts; \frac, \dfrac, \sqrt and \left( ... \right) build fractions,
// roots and delimiters that grow with their contents; a handful of named symbols and function
// names complete it. typesetFormula turns one formula into glyph runs and filled outlines
// around a baseline, measured for the device it will be drawn on; the PDF writer draws that as
// one unbreakable object, so a formula never splits across lines or pages.
#pragma once

#include <QFont>
#include <QPainterPath>
#include <QString>
#include <stdexcept>
#include <vector>

class QPainter;
class QPaintDevice;

namespace helppdf {

// A formula the typesetter cannot read; position is the index in the formula text.
class FormulaError : public std::runtime_error {
  public:
    FormulaError(const QString& what, int position)
        : std::runtime_error(what.toStdString()), m_position(position) {}
    int position() const { return m_position; }

  private:
    int m_position;
};

// Inline: fractions in running text shrink their parts, as TeX's text style does.
// Display: a formula set on its own line, with full-size fractions.
enum class FormulaStyle { Inline, Display };

struct Formula {
    struct Glyphs {
        QPointF origin;  // left end of the glyphs' baseline
        QFont font;
        QString text;
    };
    // Device units; the baseline runs at y = 0 from x = 0 to width, y grows downwards.
    qreal width = 0;
    qreal ascent = 0;
    qreal descent = 0;
    std::vector<Glyphs> glyphs;
    std::vector<QPainterPath> fills;  // fraction bars, radicals, large delimiters

    void paint(QPainter& painter, QPointF baselineStart, const QColor& colour) const;
};

// Throws FormulaError for text outside the subset; `font` gives family and size.
Formula typesetFormula(const QString& tex, const QFont& font, FormulaStyle style,
                       const QPaintDevice& device);

}  // namespace helppdf
