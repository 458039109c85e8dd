// The billing run over all clients: every client of the combo in turn, its
// month computed by the combo's own choice and printed as a block of the
// "RESUM FACTURACIÓ" summary, with the progress in the log window. The
// grids, hidden meanwhile, are not written with each client's month: they
// show the all-clients month once the run ends. Whatever way the run ends,
// the tab comes back in all-clients mode with its controls shown and the
// normal cursor, and the log window can be closed.
#include "TabFacturacio.h"

#include "CalculFacturacio.h"
#include "Clock.h"
#include "Controls.h"
#include "Convert.h"
#include "Globals.h"
#include "Graella.h"
#include "MarcPagina.h"
#include "MessageBox.h"
#include "Registre.h"
#include "ResumFacturacio.h"
#include "Traduccio.h"

#include <QApplication>
#include <QLineEdit>
#include <stdexcept>

namespace {
const QString NL = QStringLiteral("\n");

std::runtime_error fallada(const QString& descripcio)
{
    return std::runtime_error(descripcio.toStdString());
}
} // namespace

void TabFacturacio::Calcul_Dades_Facturacio()
{
    Registre_Missatges::comenca(Tradueix(QStringLiteral("CALCUL DADES FACTURACIO")));
    // Failures of the combo's handler while the run moves the choice are kept
    // here and reported once, by the run.
    QString errorTab;
    m_errorRetingut = &errorTab;

    bool amagat = false;
    bool restaurat = false;
    const auto amaga = [&] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        amagat = true;
        for (QWidget* w : std::initializer_list<QWidget*>{ClientsCombo, FacturaGrid, XecsGrid}) w->hide();
        m_nomesCalcula = true;
    };
    const auto restaura = [&] {
        if (restaurat) return;
        restaurat = true;
        m_nomesCalcula = false;
        ClientsCombo->setCurrentIndex(-1);   // its handler shows the month of all clients
        ClientsCombo->show();
        FacturaGrid->show();
        XecsGrid->setVisible(!G.ServeiXecs.isEmpty());
        if (amagat) QApplication::restoreOverrideCursor();
    };

    const QString mes = mesFactura->text();
    int nombre = 0;
    bool correcte = false;
    const QString on = imprimeixDocument(
        Tradueix(QStringLiteral("Facturació")) + u' ' + mes,
        [&](Impressora& p) {
            try {
                const auto periode = periodeDelMes(mes);
                if (!periode) throw fallada(Tradueix(QStringLiteral("Mes erroni (format: 'mm/aaaa')")));
                const QDate fi = fiResum(periode->inici, Clock::today());
                Registre_Missatges::afegeix(NL + Tradueix(QStringLiteral("Iniciant càlcul periode: 01/")) + mes
                                            + QStringLiteral(" - ") + Conv::shortDate(fi) + QStringLiteral(" ...")
                                            + NL);
                amaga();
                ResumFacturacio resum(p, mes, periode->inici, fi);
                resum.comenca();
                nombre = ClientsCombo->count();
                for (int i = 0; i < nombre; ++i) {
                    // The choice computes the client's month, as a user's does.
                    ClientsCombo->setCurrentIndex(i);
                    const QString client = ClientsCombo->itemText(i);
                    Registre_Missatges::afegeix(NL + Tradueix(QStringLiteral("Calculant client:")) + u' ' + client);
                    if (!errorTab.isEmpty()) throw fallada(errorTab);
                    if (!m_resultat.calculat || m_resultat.totsClients || m_resultat.client != client
                        || m_resultat.mes != mes) {
                        if (!Calcula_Facturacio_Client()) throw fallada(errorTab.isEmpty() ? QStringLiteral("?") : errorTab);
                    }
                    resum.client(m_resultat);
                }
                resum.totalMes();
                correcte = true;
            } catch (...) {
                // The tab is usable again before the failure is shown.
                restaura();
                throw;
            }
        },
        Impressora::Orientacio::Vertical, this);
    restaura();
    m_errorRetingut = nullptr;
    // A summary that could not be saved whole ends the run as its error did.
    if (on.isEmpty()) correcte = false;
    // A failure of the last recomputation of a run that went well.
    if (correcte && !errorTab.isEmpty()) MsgBox::error(errorTab);

    if (correcte) {
        Registre_Missatges::afegeix(NL + NL + QString::number(nombre)
                                    + Tradueix(QStringLiteral(" clients processats.")) + NL);
        Registre_Missatges::afegeix(NL + NL + Tradueix(QStringLiteral("FINALITZACIO CORRECTA!!!")) + NL);
    }
    Registre_Missatges::acaba();
    anunciaDesti(on, this);
}
