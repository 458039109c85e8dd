// The job dialog: the end time from the service lines, and the save.
#include "frmFeines.h"

#include "AccionsFeina.h"
#include "CalculsFeina.h"
#include "Clock.h"
#include "Convert.h"
#include "Dades.h"
#include "DadesFeina.h"
#include "Durades.h"
#include "Feines.h"
#include "Globals.h"
#include "Graella.h"
#include "MessageBox.h"
#include "Traduccio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

enum Columna { ColServei, ColDescripcio, ColQuantitat, ColUnitat, ColPreu };

Decimal numeroCella(const Graella* g, int r, int c)
{
    const auto d = Decimal::parse(g->TextMatrix(r, c));
    if (!d)
        throw Conv::ConversionError(
            Tradueix(QStringLiteral("'%1' no és un número (línia %2)")).arg(g->TextMatrix(r, c)).arg(r + 1).toStdString());
    return *d;
}

} // namespace

// The end follows the lines: their minutes shared among the resource's
// time-taking members, in whole cells, added to the start.
void frmFeines::Calcula_Hora_Fi_Feina()
{
    if (HoraIniciFeina->currentIndex() < 0) return;
    const int membres = Recursos_Assignen_Temps(recursTriat());
    QList<LiniaTemps> linies;
    for (int r = 0; r < DetallFeinaServeis->Rows(); ++r) {
        const auto servei = Dades::llegeixServei(DetallFeinaServeis->TextMatrix(r, ColServei));
        if (!servei) continue;   // a service no longer there adds nothing
        linies.append({numeroCella(DetallFeinaServeis, r, ColQuantitat).raw(), servei->minuts, servei->comu});
    }
    FiFeina fi;
    try {
        fi = Fi_Feina(HoraIniciFeina->currentText(), sumaMinutsServeis(linies, membres, G.MinutsCella), G.HoraFinal);
    } catch (const OverflowError&) {
        fi = {G.HoraFinal, true};   // far more than a day's work
    }
    if (fi.tallada)
        MsgBox::show(Tradueix(QStringLiteral("L'hora final de la feina supera les")) + u' ' + G.HoraFinal
                         + QStringLiteral("h."),
                     MsgBox::OK, Tradueix(QStringLiteral("AVÍS")), MsgBox::NoIcon, this);
    const int i = Primer_Tram_Des_De([this] {
        QStringList finals;
        for (int k = 0; k < HoraFiFeina->count(); ++k) finals << HoraFiFeina->itemText(k);
        return finals;
    }(), fi.hora);
    if (i >= 0) HoraFiFeina->setCurrentIndex(i);
}

void frmFeines::OKButton_Click()
{
    try {
        desa();
    } catch (const std::exception& e) {
        G.FeinaActual.Missatge = QStringLiteral("Error en Modifica Feina / Detall:") + QString::fromUtf8(e.what());
        MsgBox::show(G.FeinaActual.Missatge, MsgBox::OK, QString(), MsgBox::NoIcon, this);
    } catch (...) {
        G.FeinaActual.Missatge = QStringLiteral("Error en Modifica Feina / Detall:?");
        MsgBox::show(G.FeinaActual.Missatge, MsgBox::OK, QString(), MsgBox::NoIcon, this);
    }
}

// Checks the dialog, then writes the job and its lines as one unit of work:
// any refusal or failure leaves the stored job and its lines as they were.
void frmFeines::desa()
{
    auto avisa = [this](const QString& text) { MsgBox::show(text, MsgBox::OK, QString(), MsgBox::NoIcon, this); };
    const std::optional<QDate> diaFeina = Conv::parseTypedDate(DataFeina->text().trimmed());
    if (!diaFeina || !diaFeina->isValid()) {
        avisa(Tradueix(QStringLiteral("Data incorrecta")));
        DataFeina->setText(G.FeinaActual.Data.isValid() ? Conv::shortDate(G.FeinaActual.Data) : QString());
        return;
    }
    const std::optional<int> inici =
        HoraIniciFeina->currentIndex() < 0 ? std::nullopt : Conv::minutesOf(HoraIniciFeina->currentText());
    const std::optional<int> fi =
        HoraFiFeina->currentIndex() < 0 ? std::nullopt : Conv::minutesOf(HoraFiFeina->currentText());
    if (!inici || !fi || *inici >= *fi) return avisa(Tradueix(QStringLiteral("Tram d'hores incorrecte")));
    const bool feta = FetaFeina->isChecked();
    if (feta && RecursFeina->currentIndex() < 0) return avisa(Tradueix(QStringLiteral("Cal assignar recurs si la feina està feta")));
    if (feta && DetallFeinaServeis->Rows() == 0) return avisa(Tradueix(QStringLiteral("Una feina feta ha de tenir serveis")));
    if (feta && *diaFeina > Clock::today()) return avisa(Tradueix(QStringLiteral("Una feina futura no pot estar feta")));
    if (totalLinies_.isZero()
        && MsgBox::show(Tradueix(QStringLiteral("El import de la feina és 0. Modificar igualment?")), MsgBox::YesNo,
                        Tradueix(QStringLiteral("CONFIRMACIO")), MsgBox::Question, this) != MsgBox::Yes)
        return;
    // Unticked on a job an invoice billed: its invoice is undone only on a
    // Yes; a No leaves the dialog open with the user's edits, nothing saved.
    if (!feta && !Confirma_Desfer_Factura(G.FeinaActual.Id, this)) return;

    QList<DadesFeina::Linia> linies;
    for (int r = 0; r < DetallFeinaServeis->Rows(); ++r)
        linies.append({DetallFeinaServeis->TextMatrix(r, ColServei), DetallFeinaServeis->TextMatrix(r, ColDescripcio),
                       numeroCella(DetallFeinaServeis, r, ColQuantitat), DetallFeinaServeis->TextMatrix(r, ColUnitat),
                       numeroCella(DetallFeinaServeis, r, ColPreu)});

    Feina& f = G.FeinaActual;
    f.Missatge.clear();
    f.Data = *diaFeina;
    f.HoraInici = HoraIniciFeina->currentText();
    f.HoraFi = HoraFiFeina->currentText();
    f.Recurs = recursTriat();
    f.Feta = feta;
    const std::optional<QDate> factura =
        feta ? Conv::parseDate(DataFacturaFeina->text().trimmed()) : std::optional<QDate>();
    f.DataFactura = factura && factura->isValid() ? *factura : QDate();
    f.Observacions = ObservacionsFeina->toPlainText();

    Transaction tx(BD());
    Modifica_Feina(f);
    if (!f.Missatge.isEmpty()) {
        // The refused change is rolled back before the user reads why, so
        // the database is not held while the box is open.
        tx.rollback();
        MsgBox::show(f.Missatge, MsgBox::OK, QString(), MsgBox::NoIcon, this);
        return;
    }
    DadesFeina::reescriuLinies(f.Id, linies);
    tx.commit();
    f.Missatge = QStringLiteral("OK");
    accept();
}
