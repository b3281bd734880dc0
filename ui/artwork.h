// The program's pictures, drawn by the program itself: the start window's banner with the
// program's name, a row of points with one standing apart and a sieve, and the program's icon.
#pragma once

#include <QPixmap>
#include <QSize>

class QPainter;

namespace sifton {

QPixmap drawBanner(QSize size);
QPixmap drawScatter(QSize size);
QPixmap drawSieve(QSize size);

// The icon of packaging/sifton.svg (grain ages as dots, one beyond a fence line) on a square of
// that many pixels from the painter's origin.
void paintProgramIcon(QPainter& painter, int side);

}  // namespace sifton
