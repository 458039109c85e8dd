#pragma once
// The program's own picture: the window icon, the splash and the top of every
// printed page draw it from here.
#include <QImage>
#include <QPixmap>
#include <QRectF>
#include <QSize>

class QPainter;

namespace Logo {

// Draws the logo filling the rectangle (in the painter's coordinates).
void paint(QPainter& p, const QRectF& r);
// The logo drawn at the given size on a transparent background.
QPixmap pixmap(const QSize& size);
QImage image(const QSize& size);

} // namespace Logo
