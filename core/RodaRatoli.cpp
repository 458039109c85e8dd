#include "RodaRatoli.h"

#include "Graella.h"

#include <QPointer>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

// Turns each wheel event of the hooked grid's viewport into one row of
// vertical scrolling, whatever the size of the turn.
class FiltreRoda : public QObject {
public:
    QPointer<Graella> grid;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel || !grid || watched != grid->viewport()) return false;
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const int delta = wheel->angleDelta().y() != 0 ? wheel->angleDelta().y() : wheel->pixelDelta().y();
        if (delta == 0) return true;
        // Turning toward the user (negative) moves one row down.
        const int step = delta < 0 ? 1 : -1;
        QScrollBar* bar = grid->verticalScrollBar();
        if (grid->verticalScrollMode() == QAbstractItemView::ScrollPerItem) {
            bar->setValue(bar->value() + step);
        } else {
            const int top = qMax(0, grid->rowAt(0));
            const int row = qBound(0, top + step, qMax(0, grid->rowCount() - 1));
            bar->setValue(grid->rowViewportPosition(row) - grid->rowViewportPosition(top) + bar->value());
        }
        return true;
    }
};

FiltreRoda& filtre()
{
    static FiltreRoda* f = new FiltreRoda;
    return *f;
}

} // namespace

void Activa_Roda_Ratoli(Graella* grid)
{
    if (!grid) return;
    FiltreRoda& f = filtre();
    if (f.grid == grid) return;
    if (f.grid) f.grid->viewport()->removeEventFilter(&f);
    f.grid = grid;
    grid->viewport()->installEventFilter(&f);
}

void Desactiva_Roda_Ratoli(Graella* grid)
{
    FiltreRoda& f = filtre();
    if (!f.grid || (grid && grid != f.grid)) return;
    f.grid->viewport()->removeEventFilter(&f);
    f.grid = nullptr;
}

Graella* Graella_Roda_Ratoli() { return filtre().grid; }
