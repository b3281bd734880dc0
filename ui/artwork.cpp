#include "ui/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

namespace sifton {
namespace {

QPixmap canvas(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

const QColor kNavy(20, 40, 110);
const QColor kSky(90, 150, 220);
const QColor kAlert(210, 40, 40);

}  // namespace

QPixmap drawBanner(QSize size) {
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    QLinearGradient gradient(r.topLeft(), r.topRight());
    gradient.setColorAt(0, kNavy);
    gradient.setColorAt(1, kSky);
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawRoundedRect(r, r.height() / 5, r.height() / 5);

    // A faint bell curve behind the name.
    QPainterPath bell;
    for (int x = 0; x <= size.width(); x += 2) {
        const double t = (x - size.width() / 2.0) / (size.width() / 7.0);
        const double y = r.bottom() - 4 - (r.height() - 10) * std::exp(-t * t / 2);
        x == 0 ? bell.moveTo(x, y) : bell.lineTo(x, y);
    }
    p.setPen(QPen(QColor(255, 255, 255, 90), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bell);

    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(qMax(8, size.height() * 3 / 5));
    font.setBold(true);
    font.setLetterSpacing(QFont::PercentageSpacing, 115);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, QStringLiteral("SIFTON"));
    return pixmap;
}

QPixmap drawScatter(QSize size) {
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    // Axis.
    p.setPen(QPen(kNavy, 1.5));
    p.drawLine(QPointF(w * 0.08, h * 0.9), QPointF(w * 0.95, h * 0.9));
    p.drawLine(QPointF(w * 0.08, h * 0.9), QPointF(w * 0.08, h * 0.05));
    // A tight cloud of values and one far above them.
    constexpr std::array<double, 8> kValues = {0.62, 0.58, 0.66, 0.6, 0.64, 0.57, 0.63, 0.61};
    const double radius = qMax(2.0, w * 0.045);
    p.setPen(Qt::NoPen);
    p.setBrush(kSky);
    for (size_t i = 0; i < kValues.size(); ++i)
        p.drawEllipse(QPointF(w * (0.16 + 0.09 * static_cast<double>(i)), h * kValues[i]), radius,
                      radius);
    p.setBrush(kAlert);
    p.drawEllipse(QPointF(w * 0.88, h * 0.15), radius * 1.2, radius * 1.2);
    p.setPen(QPen(kAlert, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(w * 0.88, h * 0.15), radius * 2.4, radius * 2.4);
    return pixmap;
}

QPixmap drawSieve(QSize size) {
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    const QRectF bowl(w * 0.08, h * 0.15, w * 0.84, h * 0.5);
    // The mesh, clipped to the bowl.
    QPainterPath outline;
    outline.addEllipse(bowl);
    p.save();
    p.setClipPath(outline);
    p.fillPath(outline, QColor(230, 238, 250));
    p.setPen(QPen(kSky, 1));
    const double step = qMax(3.0, w / 10);
    for (double x = bowl.left() - bowl.height(); x < bowl.right(); x += step) {
        p.drawLine(QPointF(x, bowl.top()), QPointF(x + bowl.height(), bowl.bottom()));
        p.drawLine(QPointF(x + bowl.height(), bowl.top()), QPointF(x, bowl.bottom()));
    }
    p.restore();
    p.setPen(QPen(kNavy, 2));
    p.drawEllipse(bowl);
    // Grains falling through, and one caught on top.
    p.setPen(Qt::NoPen);
    p.setBrush(kSky);
    for (double x : {0.35, 0.5, 0.65}) p.drawEllipse(QPointF(w * x, h * 0.8), w * 0.035, w * 0.035);
    p.setBrush(kAlert);
    p.drawEllipse(QPointF(w * 0.55, h * 0.3), w * 0.08, w * 0.08);
    return pixmap;
}

void paintProgramIcon(QPainter& p, int side) {
    // The shapes and colours of packaging/sifton.svg, whose drawing is 64 units square.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 64.0, side / 64.0);
    const QColor ink(0x2b, 0x4c, 0x7e), fence(0xd0, 0x30, 0x30);
    p.setPen(QPen(ink, 3));
    p.setBrush(QColor(0xf4, 0xf7, 0xfb));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    p.setPen(QPen(ink, 2));
    p.drawLine(QPointF(10, 46), QPointF(54, 46));
    QPen dashes(fence, 2);
    dashes.setDashPattern({2.0, 1.5});  // 4 and 3 units, in pen widths
    p.setPen(dashes);
    p.drawLine(QPointF(42, 14), QPointF(42, 52));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    for (const QPointF& dot :
         {QPointF(14, 38), QPointF(20, 34), QPointF(24, 38), QPointF(29, 31), QPointF(34, 37)})
        p.drawEllipse(dot, 3.5, 3.5);
    p.setPen(QPen(fence, 2));
    p.setBrush(QColor(0xff, 0xc0, 0xc0));
    p.drawEllipse(QPointF(52, 20), 4.5, 4.5);
    p.restore();
}

}  // namespace sifton
