#include "EtiquetaEstat.h"

#include <QPainter>

QSize EtiquetaEstat::sizeHint() const
{
    return minimumSizeHint();
}

QSize EtiquetaEstat::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

QString EtiquetaEstat::textMostrat() const
{
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

void EtiquetaEstat::paintEvent(QPaintEvent*)
{
    const QString mostrat = textMostrat();
    const QString ajuda = mostrat == text() ? QString() : text();
    if (toolTip() != ajuda) setToolTip(ajuda);
    QPainter p(this);
    p.setPen(palette().color(foregroundRole()));
    p.drawText(contentsRect(), int(alignment()), mostrat);
}
