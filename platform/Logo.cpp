#include "Logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Logo {

void paint(QPainter& p, const QRectF& area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = area.adjusted(1, 1, -1, -1);
    QLinearGradient grad(r.topLeft(), r.bottomRight());
    grad.setColorAt(0, QColor(0x1f, 0x5f, 0x8b));
    grad.setColorAt(1, QColor(0x2e, 0x8b, 0x57));
    QPainterPath path;
    path.addRoundedRect(r, r.height() / 6, r.height() / 6);
    p.fillPath(path, grad);
    // A calendar sheet with a tick: planned work.
    const qreal s = r.height() * 0.6;
    const QRectF sheet(r.left() + r.height() * 0.2, r.top() + r.height() * 0.2, s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(sheet, s / 10, s / 10);
    p.setBrush(QColor(0xc0, 0x39, 0x2b));
    p.drawRect(QRectF(sheet.left(), sheet.top(), sheet.width(), sheet.height() / 4));
    QPen tick(QColor(0x2e, 0x8b, 0x57), s / 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(tick);
    p.drawPolyline(QPolygonF({QPointF(sheet.left() + s * 0.22, sheet.top() + s * 0.6),
                              QPointF(sheet.left() + s * 0.42, sheet.top() + s * 0.8),
                              QPointF(sheet.left() + s * 0.8, sheet.top() + s * 0.38)}));
    if (r.width() > r.height() * 2) {
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(qMax(1, int(r.height() * 0.42)));
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(sheet.right() + r.height() * 0.2, r.top(), r.width(), r.height()),
                   Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Torvanel"));
    }
    p.restore();
}

QImage image(const QSize& size)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    paint(p, QRectF(0, 0, size.width(), size.height()));
    return img;
}

QPixmap pixmap(const QSize& size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    paint(p, QRectF(0, 0, size.width(), size.height()));
    return pm;
}

} // namespace Logo
