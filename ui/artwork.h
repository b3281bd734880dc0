// The start window's pictures, drawn by the program itself: a banner with the program's name,
// a row of points with one standing apart, and a sieve.
#pragma once

#include <QPixmap>
#include <QSize>

namespace sifton {

QPixmap drawBanner(QSize size);
QPixmap drawScatter(QSize size);
QPixmap drawSieve(QSize size);

}  // namespace sifton
