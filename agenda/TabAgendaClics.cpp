// The "Agenda" tab: the board's press, click, double click, keys and focus
// loss (the planning run from a month cell, the tooltip of a month cell,
// moving between the views, opening a job, marking it done, deleting it) and
// the two print buttons.
#include "TabAgenda.h"

#include "AccionsFeina.h"
#include "Calvendra.h"
#include "Configuracio.h"
#include "Consultes.h"
#include "Controls.h"
#include "Convert.h"
#include "Feines.h"
#include "Globals.h"
#include "Graella.h"
#include "ImpressioAgenda.h"
#include "LlistaFeines.h"
#include "MarcPagina.h"
#include "MessageBox.h"
#include "Pistrel.h"
#include "Planificacio.h"
#include "Principal.h"
#include "Traduccio.h"

#include <QPushButton>
#include <exception>

namespace {

const QString kError = QStringLiteral("ERROR");

} // namespace

// ---------------------------------------------------------------- cells and jobs

QDate TabAgenda::dataColumna(int col) const
{
    return vistaActual() == VistaAgenda::Setmana ? G.DataIniciSetmana.addDays(col - 1) : G.DataAgenda;
}

bool TabAgenda::variesFeines(int fila, int col) const
{
    const QString text = AgendaGrid->TextMatrix(fila, col);
    return !text.isEmpty() && (text == G.TexteVaris || AgendaGrid->CellBackColor(fila, col) == AgendaGrid->BackColorFixed());
}

bool TabAgenda::unaFeina(int fila, int col) const
{
    return !AgendaGrid->TextMatrix(fila, col).isEmpty() && !variesFeines(fila, col);
}

Feina TabAgenda::feinaDeCella(int fila, int col) const
{
    const QList<qint32> ids = feinesCella(fila, col);
    if (ids.size() == 1) return Llegeix_Feina(ids.first());
    // Jobs of one site and resource sharing the cell: the one covering the row's time,
    // else (they start within the cell or take no time) the first one drawn.
    const Graella* g = AgendaGrid;
    const Feina f = Busca_Feina(dataColumna(col), g->TextMatrix(fila, 0), g->TextMatrix(fila, col),
                                Recurs_Per_Color(Graella::colorValue(g->CellBackColor(fila, col))));
    return f.Resultat == ResultatFeina::Refusat && !ids.isEmpty() ? Llegeix_Feina(ids.first()) : f;
}

void TabAgenda::alliberaGlobusDiferit()
{
    // Also from inside the board's own events, which the tooltip watches.
    if (QObject* globus = Globus.data()) globus->deleteLater();
    Globus = nullptr;
}

// ---------------------------------------------------------------- press, click, double click

void TabAgenda::AgendaGrid_MouseDown(Qt::MouseButton boto, const QPoint& pos)
{
    // A failing step is skipped: a press never reports an error of its own.
    arrossegament_.reset();
    alliberaGlobusDiferit();
    Graella* g = AgendaGrid;
    const QPoint cella = cellaDePosicio(pos, g->ColWidth(0), g->ColWidth(1), g->RowHeight(0), g->RowHeight(1));
    ColRatoli = cella.x();
    FilaRatoli = cella.y();
    Neteja_Feina_Actual();
    if (ColRatoli <= 0 || ColRatoli >= g->Cols() || FilaRatoli < 1 || FilaRatoli >= g->Rows()) return;
    g->setCurrentCellAt(FilaRatoli, ColRatoli);
    const auto vista = vistaActual();
    if (!vista || *vista == VistaAgenda::Mes) return;
    try {
        if (!unaFeina(FilaRatoli, ColRatoli)) return;
        G.FeinaActual = feinaDeCella(FilaRatoli, ColRatoli);
        if (!G.FeinaActual.Missatge.isEmpty()) {
            MsgBox::show(G.FeinaActual.Missatge);
            return;
        }
        if (boto == Qt::LeftButton) preparaArrossegamentFeina(pos);
    } catch (...) {
    }
}

void TabAgenda::AgendaGrid_Click()
{
    protegeix(kError, [this] {
        const Graella* g = AgendaGrid;
        if (vistaActual() != VistaAgenda::Mes) return;
        if (FilaRatoli <= 0 || ColRatoli <= 0 || ColRatoli >= g->Cols() || FilaRatoli >= g->Rows()) return;
        const QDate d = dataCellaMes(FilaRatoli, ColRatoli, G.DataIniciMes);
        if (G.UltimDiaGen.isValid() && d > G.UltimDiaGen)
            planifica(d);
        else if (!g->TextMatrix(FilaRatoli, ColRatoli).isEmpty())
            mostraGlobus(d);
    });
}

void TabAgenda::planifica(const QDate& fins)
{
    const QDate des = G.UltimDiaGen.addDays(1);
    const QString pregunta = Pregunta(Tradueix(QStringLiteral("Vols generar les feines des del")) + u' '
                                      + Conv::shortDate(des) + Tradueix(QStringLiteral(" fins al")) + u' '
                                      + Conv::shortDate(fins));
    if (MsgBox::show(pregunta, MsgBox::YesNo, Tradueix(QStringLiteral("GENERACIO DE FEINES PLANIFICADES")))
        != MsgBox::Yes)
        return;
    InformePlanificacio informe;
    const QString missatge = Planificar_Feines(des, fins, &informe);
    if (!missatge.isEmpty()) MsgBox::show(missatge);
    Omple_Agenda();
    // A failed run stored nothing: its period stays to be planned.
    if (informe.Resultat != ResultatFeina::Fet) return;
    G.UltimDiaGen = fins;
    if (informe.Planificades > 0) G.FacturacioPendent = true;
    crida(Principal().Mostra_Estat, Tradueix(QStringLiteral("Últim dia planificat")) + u' '
                                        + Conv::shortDate(G.UltimDiaGen));
    Escriu_INI_Avisant(QStringLiteral("Estat"), QStringLiteral("UltimDiaGen"), iniDate(G.UltimDiaGen));
}

void TabAgenda::mostraGlobus(const QDate& d)
{
    alliberaGlobusDiferit();
    auto* globus = new Pistrel(this);
    Globus = globus;
    PistrelProperties p;
    p.Delay = 0;
    p.ColorFondo = 0xFFFF;   // yellow
    p.ColorTexto = 0;        // black
    p.StartDegrade = 0;
    p.EndDegrade = 0;
    p.EstiloFondo = Sólido;
    p.Fuente = QStringLiteral("Arial");
    p.Sombra = true;
    p.Duracion = 1000;
    p.EstiloToolTip = EstiloCuadrado;
    p.TamañoIcono = TamañoIcon_16;
    p.ImagenFondo = QImage();
    globus->EstablecerPropiedades(p);
    // The weekday heading, a blank and the date; the cell's job lines.
    const QString titol = u' ' + AgendaGrid->TextMatrix(0, ColRatoli) + u' ' + Conv::shortDate(d);
    globus->MostrarToolTip(AgendaGrid, titol, AgendaGrid->TextMatrix(FilaRatoli, ColRatoli), 4, 100);
}

void TabAgenda::mostraData(const QDate& d)
{
    G.DataAgenda = d;
    G.DataIniciSetmana = iniciSetmana(d, G.PrimerDiaSetmana);
    G.DataIniciMes = iniciMes(d, G.PrimerDiaSetmana);
}

void TabAgenda::canviaVista(VistaAgenda vista)
{
    G.ModeAgenda = modeDeVista(vista);
    Omple_Agenda();
}

void TabAgenda::tornaAlMes()
{
    mostraData(CalendariML->dateValue());
    canviaVista(VistaAgenda::Mes);
    AgendaGrid->setFocus();
    const QPoint cella = cellaDataMes(G.DataAgenda, G.DataIniciMes);
    if (cella.y() > 0 && cella.y() < AgendaGrid->Rows() && cella.x() > 0 && cella.x() < AgendaGrid->Cols())
        AgendaGrid->setCurrentCellAt(cella.y(), cella.x());
}

void TabAgenda::obreFeinaActual()
{
    if (obreFeina) obreFeina();
    Feina& f = G.FeinaActual;
    if (f.Missatge != QLatin1String("OK")) return;
    f.Missatge.clear();
    if (!f.Feta) crida(Principal().Omple_Xecs_Client);
    Omple_Agenda();
    G.FacturacioPendent = true;
}

void TabAgenda::AgendaGrid_DblClick()
{
    protegeix(kError, [this] {
        const auto vista = vistaActual();
        if (!vista) return;
        const int r = FilaRatoli, c = ColRatoli;
        const Graella* g = AgendaGrid;
        if (r >= g->Rows() || c >= g->Cols()) return;
        switch (*vista) {
        case VistaAgenda::Mes:
            if (r < 1) return;
            // A day opens that day, a week's label that week.
            mostraData(c >= 1 ? dataCellaMes(r, c, G.DataIniciMes) : G.DataIniciMes.addDays((r - 1) * 7));
            CalendariML->setDateValue(G.DataAgenda);
            canviaVista(c >= 1 ? VistaAgenda::Dia : VistaAgenda::Setmana);
            return;
        case VistaAgenda::Setmana:
            if (r == 0 && c == 0) return tornaAlMes();
            if (G.FeinaActual.Id > 0) return obreFeinaActual();
            if (c <= 0) return;
            mostraData(G.DataIniciSetmana.addDays(c - 1));
            CalendariML->setDateValue(G.DataAgenda);
            canviaVista(VistaAgenda::Dia);
            return;
        case VistaAgenda::Dia:
            if (r == 0 && c == 0) return tornaAlMes();
            if (G.FeinaActual.Id > 0) return obreFeinaActual();
            if (r <= 0 || c <= 0) return;
            mostraData(CalendariML->dateValue());
            CalendariML->setDateValue(G.DataIniciSetmana);
            canviaVista(VistaAgenda::Setmana);
            return;
        }
    });
}

void TabAgenda::AgendaGrid_LostFocus()
{
    FilaRatoli = 0;
    ColRatoli = 0;
}

// ---------------------------------------------------------------- keys

bool TabAgenda::AgendaGrid_KeyDown(int key)
{
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!enter && key != Qt::Key_Space && key != Qt::Key_Delete) return false;
    protegeix(kError, [&] {
        const auto vista = vistaActual();
        if (!vista) return;
        Graella* g = AgendaGrid;
        const int r = g->Row(), c = g->Col();
        // Headings are no job's and no day's.
        if (r < 1 || c < 1) return;
        Feina& f = G.FeinaActual;
        if (*vista == VistaAgenda::Mes) {
            if (enter) {
                mostraData(dataCellaMes(r, c, G.DataIniciMes));
                CalendariML->setDateValue(G.DataAgenda);
                canviaVista(VistaAgenda::Dia);
            }
            Neteja_Feina_Actual();
            return;
        }
        if (g->TextMatrix(r, c).isEmpty()) return;
        if (*vista == VistaAgenda::Setmana && variesFeines(r, c)) {
            MsgBox::show(Tradueix(QStringLiteral("Hi ha varies feines en la cel·la")));
            return;
        }
        f = feinaDeCella(r, c);
        if (!f.Missatge.isEmpty()) {
            MsgBox::show(f.Missatge);
            Neteja_Feina_Actual();
            return;
        }
        if (enter) {
            obreFeinaActual();
        } else {
            const bool fet = key == Qt::Key_Space
                                 ? Commuta_Feta(f)
                                 : Esborra_Feina_Confirmada(
                                       f, preguntaEsborrar(Tradueix(QStringLiteral("Eliminar feina")) + u' ' + f.Recurs, f));
            if (fet) {
                Omple_Agenda();
                G.FacturacioPendent = true;
            }
        }
        Neteja_Feina_Actual();
    });
    return true;
}

// ---------------------------------------------------------------- print buttons

void TabAgenda::ImprimirAgenda_Click()
{
    protegeix(QString(), [this] {
        const QString on = ::ImprimirAgenda_Click(AgendaGrid, PeriodeAgenda::actual(CalendariML->dateValue()), this);
        anunciaDesti(on, this);
    });
}

void TabAgenda::ImprimirFeines_Click()
{
    protegeix(QString(), [this] {
        const QString on = ::ImprimirFeines_Click(ImprimirFeines, *RecursosGrid, CalendariML->dateValue(), this);
        anunciaDesti(on, this);
    });
}
