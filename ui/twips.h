// Window layouts are given in twips (1/1440 inch); these turn them into the pixels of the
// screen a widget is on: px = twips * logical dpi / 1440, so 15 twips are 1 pixel at 96 dpi,
// and keep fixed texts inside their places.
#pragma once

#include <QFontMetrics>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <QtMath>

namespace sifton {

inline int twipsToPixels(int twips, const QWidget* widget) {
    return qRound(twips * widget->logicalDpiX() / 1440.0);
}

// Edges are converted one by one, so neighbouring controls never open a gap or overlap by
// rounding.
inline QRect twipsRect(int left, int top, int width, int height, const QWidget* widget) {
    const int x = twipsToPixels(left, widget), y = twipsToPixels(top, widget);
    return QRect(x, y, twipsToPixels(left + width, widget) - x,
                 twipsToPixels(top + height, widget) - y);
}

inline QSize twipsSize(int width, int height, const QWidget* widget) {
    return QSize(twipsToPixels(width, widget), twipsToPixels(height, widget));
}

// Room a push button's frame takes from its caption, in pixels.
inline constexpr int kButtonPadding = 12;

// The layouts were drawn for a narrow system font; with a wider one a fixed text could spill out
// of its place. Such a text gets a smaller font, never below 6 points.
inline void shrinkFontToFit(QWidget* widget, const QString& text, int availablePixels) {
    QFont font = widget->font();
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(text) > availablePixels)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    widget->setFont(font);
}

}  // namespace sifton
