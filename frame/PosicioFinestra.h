#pragma once
// Where to put a window whose stored position may lie off every screen
// (a screen removed, a resolution changed).
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace PosicioFinestra {

// The stored position when enough of the window's top (its title bar) falls
// on one of the screens; otherwise the position moved back onto the nearest
// screen, the window kept whole on it where it fits.
QPoint visible(const QPoint& desada, const QSize& mida, const QList<QRect>& pantalles);

} // namespace PosicioFinestra
