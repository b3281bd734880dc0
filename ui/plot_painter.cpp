#include "ui/plot_painter.h"

#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace sifton {
namespace {

QColor toQColor(const Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

Qt::PenStyle penStyle(LineStyle style) {
    switch (style) {
        case LineStyle::Dash:
            return Qt::DashLine;
        case LineStyle::Dot:
            return Qt::DotLine;
        case LineStyle::DashDot:
            return Qt::DashDotLine;
        case LineStyle::Solid:
            break;
    }
    return Qt::SolidLine;
}

QFont plotFont(double size, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, qRound(size)));
    font.setBold(bold);
    return font;
}

void drawText(QPainter& painter, const PlotText& t) {
    if (t.text.empty()) return;
    painter.save();
    painter.setFont(plotFont(t.size, t.bold));
    const QString text = QString::fromStdString(t.text);
    // An upward text is drawn flat about an anchor at the origin, turned a quarter left.
    painter.translate(t.x, t.y);
    if (t.upward) painter.rotate(-90);
    // A box far larger than any text, placed so that its edge or middle is the anchor.
    const double big = 4000;
    const double left = t.hAlign == HAlign::Left ? 0 : t.hAlign == HAlign::Centre ? -big / 2 : -big;
    const double top = t.vAlign == VAlign::Top ? 0 : t.vAlign == VAlign::Middle ? -big / 2 : -big;
    const int flags = (t.hAlign == HAlign::Left     ? Qt::AlignLeft
                       : t.hAlign == HAlign::Centre ? Qt::AlignHCenter
                                                    : Qt::AlignRight) |
                      (t.vAlign == VAlign::Top      ? Qt::AlignTop
                       : t.vAlign == VAlign::Middle ? Qt::AlignVCenter
                                                    : Qt::AlignBottom);
    const QRectF box = painter.boundingRect(QRectF(left, top, big, big), flags, text);
    if (t.background) painter.fillRect(box.adjusted(-3, -1, 3, 1), toQColor(*t.background));
    painter.setPen(toQColor(t.colour));
    painter.drawText(box, flags, text);
    painter.restore();
}

}  // namespace

void paintPlot(QPainter& painter, const PlotGeometry& g) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, g.width, g.height), Qt::white);
    for (const PlotBand& b : g.bands) {
        const QRectF rect = QRectF(QPointF(b.left, b.top), QPointF(b.right, b.bottom)).normalized();
        painter.setPen(b.outline ? QPen(toQColor(*b.outline), 1.0) : QPen(Qt::NoPen));
        painter.setBrush(toQColor(b.fill));
        painter.drawRect(rect);
    }
    painter.setBrush(Qt::NoBrush);
    for (const PlotLine& l : g.lines) {
        QPen pen(toQColor(l.colour), l.width, penStyle(l.style));
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
    }
    for (const PlotPoint& p : g.points) {
        painter.setPen(p.filled ? QPen(Qt::NoPen) : QPen(toQColor(p.colour), 1.5));
        painter.setBrush(p.filled ? QBrush(toQColor(p.colour)) : QBrush(Qt::NoBrush));
        painter.drawEllipse(QPointF(p.x, p.y), p.radius, p.radius);
    }
    painter.setBrush(Qt::NoBrush);
    // Straight after points drawn without a pen, Qt 6.4's raster engine drops the first text
    // drawn with a pen of its own; a plain pen in between keeps the title.
    painter.setPen(Qt::black);
    for (const PlotText& t : g.texts) drawText(painter, t);
    painter.restore();
}

std::optional<PlotFormat> plotFormatFor(const std::string& path) {
    const QString name = QString::fromStdString(path).toLower();
    if (name.endsWith(QStringLiteral(".png"))) return PlotFormat::Png;
    if (name.endsWith(QStringLiteral(".svg"))) return PlotFormat::Svg;
    if (name.endsWith(QStringLiteral(".pdf"))) return PlotFormat::Pdf;
    return std::nullopt;
}

bool writePlot(const PlotGeometry& g, const std::string& path, PlotFormat format) {
    const QString file = QString::fromStdString(path);
    const QSize size(qRound(g.width), qRound(g.height));
    const QString title = QString::fromStdString(g.name);
    QPainter painter;
    switch (format) {
        case PlotFormat::Png: {
            QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(2);
            image.fill(Qt::white);
            if (!painter.begin(&image)) return false;
            paintPlot(painter, g);
            painter.end();
            return image.save(file, "PNG");
        }
        case PlotFormat::Svg: {
            QSvgGenerator svg;
            svg.setFileName(file);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            svg.setResolution(96);
            svg.setTitle(title);
            if (!painter.begin(&svg)) return false;
            paintPlot(painter, g);
            return painter.end();
        }
        case PlotFormat::Pdf: {
            QPdfWriter pdf(file);
            pdf.setResolution(96);
            pdf.setTitle(title);
            pdf.setCreator(QStringLiteral("Sifton"));
            pdf.setPageSize(QPageSize(QSizeF(g.width * 72 / 96, g.height * 72 / 96),
                                      QPageSize::Point, QString(), QPageSize::ExactMatch));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            if (!painter.begin(&pdf)) return false;
            paintPlot(painter, g);
            return painter.end();
        }
    }
    return false;
}

}  // namespace sifton
