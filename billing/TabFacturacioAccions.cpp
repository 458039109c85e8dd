// The "Facturació" tab: acting on the listed jobs (open, done or not done,
// delete) and cheques (delete). Each action loads what it acts on again from
// the database, acts through the job rules and recomputes the month.
#include "TabFacturacio.h"

#include "AccionsFeina.h"
#include "AccionsXec.h"
#include "Controls.h"
#include "Convert.h"
#include "Feines.h"
#include "Globals.h"
#include "Graella.h"
#include "LecturaFacturacio.h"
#include "MessageBox.h"
#include "Principal.h"
#include "Traduccio.h"

bool TabFacturacio::carregaFeinaFila(bool& noTrobada)
{
    noTrobada = false;
    const FilaFactura* fila = m_resultat.filaGraella(FacturaGrid->Row());
    if (!fila || fila->tipus != TipusFilaFactura::LiniaFeina) return false;
    const Feina feina = Llegeix_Feina(m_resultat.feinaDe(*fila).id);
    if (feina.Resultat == ResultatFeina::Error) throw std::runtime_error(feina.Missatge.toStdString());
    if (feina.Resultat != ResultatFeina::Fet) {
        noTrobada = true;
        MsgBox::show(feina.Missatge);
        return false;
    }
    G.FeinaActual = feina;
    return true;
}

void TabFacturacio::obreFeinaActual()
{
    if (obreFeina) obreFeina();
}

void TabFacturacio::FacturaGrid_DblClick()
{
    protegeix(QString(), [this] {
        bool noTrobada = false;
        if (!carregaFeinaFila(noTrobada)) return;
        obreFeinaActual();
        if (G.FeinaActual.Missatge != QLatin1String("OK")) return;
        Calcula_Facturacio_Client();
        if (!G.FeinaActual.Feta) crida(Principal().Omple_Xecs_Client);
        G.AgendaPendent = true;
    });
}

void TabFacturacio::FacturaGrid_KeyDown(int key)
{
    bool carregada = false;
    protegeix(QString(), [&] {
        bool noTrobada = false;
        carregada = carregaFeinaFila(noTrobada);
        if (noTrobada) Neteja_Feina_Actual();
        if (!carregada) return;
        Feina& f = G.FeinaActual;
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            obreFeinaActual();
            if (f.Missatge == QLatin1String("OK")) {
                f.Missatge.clear();
                if (!f.Feta) crida(Principal().Omple_Xecs_Client);
                Calcula_Facturacio_Client();
                G.AgendaPendent = true;
            }
        } else if (key == Qt::Key_Space || key == Qt::Key_Delete) {
            const bool fet = key == Qt::Key_Space
                                 ? Commuta_Feta(f)
                                 : Esborra_Feina_Confirmada(
                                       f, preguntaEsborrar(Tradueix(QStringLiteral("Eliminar feina")), f));
            if (fet) {
                Calcula_Facturacio_Client();
                G.AgendaPendent = true;
            }
        }
    });
    if (carregada) Neteja_Feina_Actual();
}

void TabFacturacio::XecsGrid_KeyDown(int key)
{
    if (key != Qt::Key_Delete || XecsGrid->Row() < 1) return;
    const XecMes* xec = m_resultat.ambXecs ? m_resultat.xecGraella(XecsGrid->Row()) : nullptr;
    if (!xec) return;
    protegeix(QString(), [&] {
        if (!eliminaXecAmbAvis(xec->id, xec->client)) return;
        crida(Principal().Omple_Xecs_Client);
        Calcula_Facturacio_Client();
    });
}
