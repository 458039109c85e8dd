#include "GraellaLinies.h"

#include "RodaRatoli.h"

#include <QMouseEvent>

void GraellaLinies::mousePressEvent(QMouseEvent* e)
{
    Graella::mousePressEvent(e);
    premutAqui_ = e->button() == Qt::LeftButton;
    if (premutAqui_ && premut) premut(int(e->position().y()));
}

void GraellaLinies::mouseReleaseEvent(QMouseEvent* e)
{
    Graella::mouseReleaseEvent(e);
    const bool clic = premutAqui_ && e->button() == Qt::LeftButton && viewport()->rect().contains(e->position().toPoint());
    premutAqui_ = false;
    if (clic && clicat) clicat();
}

void GraellaLinies::focusInEvent(QFocusEvent* e)
{
    Graella::focusInEvent(e);
    Activa_Roda_Ratoli(this);
}

void GraellaLinies::focusOutEvent(QFocusEvent* e)
{
    Graella::focusOutEvent(e);
    Desactiva_Roda_Ratoli(this);
}
