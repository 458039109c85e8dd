// The "Agenda" tab: the mouse, keys and focus of the board and the palettes
// turned into their handlers, the drags (a site or a resource from its
// palette, a job from the board) with Label1 as their picture, the drop on
// the board, and the palettes' double clicks.
#include "TabAgenda.h"

#include "Consultes.h"
#include "Controls.h"
#include "Dades.h"
#include "Feines.h"
#include "Globals.h"
#include "Graella.h"
#include "MessageBox.h"
#include "Principal.h"
#include "Traduccio.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>

void TabAgenda::instalaClics()
{
    for (QWidget* w : {static_cast<QWidget*>(AgendaGrid), AgendaGrid->viewport(), LlocsGrid->viewport(),
                       RecursosGrid->viewport()})
        w->installEventFilter(this);
    AgendaGrid->setAcceptDrops(true);
    AgendaGrid->viewport()->setAcceptDrops(true);
    connect(ImprimirAgenda, &QPushButton::clicked, this, &TabAgenda::ImprimirAgenda_Click);
    connect(ImprimirFeines, &QPushButton::clicked, this, &TabAgenda::ImprimirFeines_Click);
    // The drag picture: a bar with the dragged name.
    Label1->setFrameShape(QFrame::Box);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setAutoFillBackground(true);
    QPalette p = Label1->palette();
    p.setColor(QPalette::Window, QColor(255, 255, 200));
    p.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(p);
}

std::optional<CarregaArrossegament> TabAgenda::arrossegamentPreparat() const
{
    if (!arrossegament_) return std::nullopt;
    return arrossegament_->carrega;
}

// ---------------------------------------------------------------- events

bool TabAgenda::filtraClics(QObject* watched, QEvent* event)
{
    Graella* g = AgendaGrid;
    if (watched == g) {
        if (event->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(event);
            return !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
                   && AgendaGrid_KeyDown(k->key());
        }
        if (event->type() == QEvent::FocusOut) {
            // A message box or the job dialog over the window leaves the pressed cell as it was.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) AgendaGrid_LostFocus();
        }
        return false;
    }
    if (watched == LlocsGrid->viewport()) return filtraPaleta(LlocsGrid, event);
    if (watched == RecursosGrid->viewport()) return filtraPaleta(RecursosGrid, event);
    if (watched != g->viewport()) return false;

    // The board's own mouse handling is this: the current cell moves only
    // to the body cell pressed.
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* m = static_cast<QMouseEvent*>(event);
        despresDeDoble_ = false;
        AgendaGrid_MouseDown(m->button(), m->position().toPoint());
        return true;
    }
    case QEvent::MouseMove: {
        const auto* m = static_cast<QMouseEvent*>(event);
        if (arrossegament_ && arrossegament_->origen == g && (m->buttons() & Qt::LeftButton)
            && (m->position().toPoint() - arrossegament_->premut).manhattanLength() >= QApplication::startDragDistance())
            iniciaArrossegament();
        return m->buttons() != Qt::NoButton;
    }
    case QEvent::MouseButtonRelease:
        arrossegament_.reset();
        if (!despresDeDoble_) AgendaGrid_Click();
        despresDeDoble_ = false;
        return true;
    case QEvent::MouseButtonDblClick:
        arrossegament_.reset();
        despresDeDoble_ = true;
        AgendaGrid_DblClick();
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* d = static_cast<QDropEvent*>(event);
        if (!CarregaArrossegament::deMimeData(d->mimeData())) return false;
        d->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* d = static_cast<QDropEvent*>(event);
        const auto carrega = CarregaArrossegament::deMimeData(d->mimeData());
        if (!carrega) return false;
        d->acceptProposedAction();
        AgendaGrid_DragDrop(*carrega, d->position().toPoint());
        return true;
    }
    default:
        return false;
    }
}

bool TabAgenda::filtraPaleta(Graella* paleta, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* m = static_cast<QMouseEvent*>(event);
        if (m->button() != Qt::LeftButton) return false;
        if (paleta == LlocsGrid)
            LlocsGrid_MouseDown(m->position().toPoint());
        else
            RecursosGrid_MouseDown(m->position().toPoint());
        return false;   // the palette selects the cell and takes the focus itself
    }
    case QEvent::MouseMove: {
        const auto* m = static_cast<QMouseEvent*>(event);
        if (!arrossegament_ || arrossegament_->origen != paleta || !(m->buttons() & Qt::LeftButton)) return false;
        if ((m->position().toPoint() - arrossegament_->premut).manhattanLength() >= QApplication::startDragDistance())
            iniciaArrossegament();
        return true;
    }
    case QEvent::MouseButtonRelease:
        arrossegament_.reset();
        return false;
    case QEvent::MouseButtonDblClick:
        arrossegament_.reset();
        if (paleta == LlocsGrid)
            LlocsGrid_DblClick();
        else
            RecursosGrid_DblClick();
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------- drags

void TabAgenda::preparaArrossegamentFeina(const QPoint& pos)
{
    const Graella* g = AgendaGrid;
    const Feina& f = G.FeinaActual;
    // A block as long as the job (one cell at least), from the pressed row down.
    const auto celles = cellesFeina(f.HoraInici, f.HoraFi, G.MinutsCella);
    const QPoint origen = g->pos() + g->viewport()->pos();
    Label1->setGeometry(origen.x() + g->ColWidth(0) + g->ColWidth(1) * (ColRatoli - 1),
                        origen.y() + g->RowHeight(0) + g->RowHeight(1) * (FilaRatoli - 1), g->ColWidth(1),
                        g->RowHeight(1) * qMax(1, celles.value_or(1)));
    const QString text = g->TextMatrix(FilaRatoli, ColRatoli);
    Label1->setFont(g->font());
    Label1->setText(text);
    arrossegament_ = Arrossegament{AgendaGrid, {QChar(u'F'), text, f.Id}, origen + pos - Label1->pos(), pos};
}

void TabAgenda::premPaleta(Graella* paleta, QChar tipus, const QPoint& pos)
{
    // A failing step is skipped: a press never reports an error of its own.
    arrossegament_.reset();
    // A press on a palette leaves the board, whether or not the window
    // system moves the focus: no board cell stays pressed.
    AgendaGrid_LostFocus();
    try {
        const auto vista = vistaActual();
        const bool arrossega = vista == VistaAgenda::Setmana || vista == VistaAgenda::Dia;
        if (tipus == u'L' && !arrossega) return;
        const int fila = paleta->rowAt(pos.y()), col = paleta->columnAt(pos.x());
        if (fila < 0 || col < 0) return;
        paleta->setCurrentCellAt(fila, col);
        const QString text = paleta->TextMatrix(fila, col);
        if (text.isEmpty()) return;
        if (arrossega) {
            // A bar across the palette, centred on the mouse.
            const QPoint origen = paleta->pos() + paleta->viewport()->pos();
            const int alt = paleta->RowHeight(fila);
            Label1->setGeometry(paleta->x(), origen.y() + pos.y() - alt / 2, paleta->width(), alt);
            Label1->setFont(paleta->font());
            Label1->setText(text);
            arrossegament_ = Arrossegament{paleta, {tipus, text, 0}, origen + pos - Label1->pos(), pos};
        }
        // The jobs list prints for the resource pressed here.
        if (tipus == u'R') ImprimirFeines->setEnabled(true);
    } catch (...) {
    }
}

void TabAgenda::LlocsGrid_MouseDown(const QPoint& pos)
{
    premPaleta(LlocsGrid, QChar(u'L'), pos);
}

void TabAgenda::RecursosGrid_MouseDown(const QPoint& pos)
{
    premPaleta(RecursosGrid, QChar(u'R'), pos);
}

void TabAgenda::iniciaArrossegament()
{
    if (!arrossegament_) return;
    const Arrossegament a = *arrossegament_;
    arrossegament_.reset();
    auto* drag = new QDrag(a.origen);
    drag->setMimeData(a.carrega.mimeData());
    drag->setPixmap(Label1->grab());
    drag->setHotSpot(a.puntCaptura);
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

// ---------------------------------------------------------------- the drop

void TabAgenda::AgendaGrid_DragDrop(const CarregaArrossegament& carrega, const QPoint& pos)
{
    Graella* g = AgendaGrid;
    protegeix(QString(), [&] {
        const QPoint cella = cellaDePosicio(pos, g->ColWidth(0), g->ColWidth(1), g->RowHeight(0), g->RowHeight(1));
        const int fila = cella.y(), col = cella.x();
        if (fila < 1 || fila >= g->Rows() || col < 1 || col >= g->Cols()) return;
        if (fila == FilaRatoli && col == ColRatoli) return;
        const auto vista = vistaActual();
        // Drags belong to the week and day views.
        if (!vista || *vista == VistaAgenda::Mes) return;
        const QChar tipus = carrega.tipus;
        if (tipus == u'F' && fila == g->Row() && col == g->Col()) return;
        const QString text = g->TextMatrix(fila, col);
        if (tipus == u'R' && variesFeines(fila, col)) {
            MsgBox::show(Tradueix(QStringLiteral("Hi ha varies feines en la cel·la")));
            return;
        }
        if (tipus == u'R' && text.isEmpty()) return;

        const QDate diaColumna = dataColumna(col);
        const QString hora = g->TextMatrix(fila, 0);
        const QString capcalera = g->TextMatrix(0, col);
        const bool dia = *vista == VistaAgenda::Dia;
        Feina feina;
        if (tipus == u'L') {
            feina.Lloc = carrega.text;
            feina.Data = diaColumna;
            feina.HoraInici = hora;
            // In the day view the column's resource; otherwise the core takes the site's usual one.
            if (dia && !capcalera.isEmpty() && capcalera != G.TexteNoAsignada) feina.Recurs = capcalera;
            Grava_Feina(feina, false);
        } else if (tipus == u'F') {
            feina = G.FeinaActual.Id == carrega.id && carrega.id > 0 ? G.FeinaActual : Llegeix_Feina(carrega.id);
            if (!feina.Missatge.isEmpty()) {
                MsgBox::show(feina.Missatge);
                return;
            }
            const Trasllat t = traslladaFeina(feina.HoraInici, feina.HoraFi, hora, G.HoraFinal);
            if (!t.acceptat) {
                MsgBox::show(Tradueix(QStringLiteral("L'hora final de la feina supera les")) + u' ' + G.HoraFinal
                             + QStringLiteral("h."));
                g->Refresh();
                return;
            }
            feina.Data = diaColumna;
            feina.HoraInici = hora;
            if (dia && col != g->Col()) {
                // To another resource's column: its end is worked out again for that resource.
                feina.Recurs = capcalera == G.TexteNoAsignada ? QString() : capcalera;
                feina.HoraFi.clear();
            } else {
                feina.HoraFi = t.horaFi;
            }
            Modifica_Feina(feina);
        } else if (tipus == u'R') {
            feina = feinaDeCella(fila, col);
            if (!feina.Missatge.isEmpty()) {
                MsgBox::show(feina.Missatge);
                return;
            }
            feina.HoraFi.clear();
            feina.Recurs = carrega.text;
            Modifica_Feina(feina);
        } else {
            g->Refresh();
            return;
        }
        if (!feina.Missatge.isEmpty()) {
            MsgBox::show(feina.Missatge);
        } else {
            Omple_Agenda();
            G.FacturacioPendent = true;
        }
        g->Refresh();
    });
}

// ---------------------------------------------------------------- palette double clicks

void TabAgenda::LlocsGrid_DblClick()
{
    protegeix(QString(), [this] {
        const QString text = LlocsGrid->Text();
        if (text.isEmpty()) return;
        if (!Dades::llegeixLloc(text)) {
            MsgBox::show(Tradueix(QStringLiteral("Lloc no trobat")));
            return;
        }
        auto& op = Principal();
        crida(op.Mostra_Lloc, text);
        crida(op.Mostra_Pestanya, 3);
    });
}

void TabAgenda::RecursosGrid_DblClick()
{
    protegeix(QString(), [this] {
        const QString text = RecursosGrid->Text();
        if (text.isEmpty()) return;
        auto& op = Principal();
        crida(op.Mostra_Recurs, text);
        crida(op.Mostra_Pestanya, 4);
    });
}
