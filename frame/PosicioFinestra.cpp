#include "PosicioFinestra.h"

#include <limits>

namespace PosicioFinestra {

QPoint visible(const QPoint& desada, const QSize& mida, const QList<QRect>& pantalles)
{
    if (pantalles.isEmpty()) return desada;
    // The strip a user grabs to move the window must be reachable.
    const QRect barra(desada, QSize(mida.width(), 30));
    for (const QRect& p : pantalles) {
        const QRect comu = p.intersected(barra);
        if (comu.width() >= qMin(100, mida.width()) && comu.height() >= qMin(20, barra.height())
            && p.contains(QPoint(comu.left(), desada.y())))
            return desada;
    }
    // The screen nearest to the stored point.
    const QRect* millor = &pantalles.first();
    qint64 distMillor = std::numeric_limits<qint64>::max();
    for (const QRect& p : pantalles) {
        const qint64 dx = desada.x() < p.left() ? p.left() - desada.x() : (desada.x() > p.right() ? desada.x() - p.right() : 0);
        const qint64 dy = desada.y() < p.top() ? p.top() - desada.y() : (desada.y() > p.bottom() ? desada.y() - p.bottom() : 0);
        const qint64 d = dx * dx + dy * dy;
        if (d < distMillor) {
            distMillor = d;
            millor = &p;
        }
    }
    const QRect& p = *millor;
    const int x = qMax(p.left(), qMin(desada.x(), p.right() + 1 - mida.width()));
    const int y = qMax(p.top(), qMin(desada.y(), p.bottom() + 1 - mida.height()));
    return QPoint(x, y);
}

} // namespace PosicioFinestra
