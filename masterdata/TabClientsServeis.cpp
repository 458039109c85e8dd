// The "Clients" tab: the services done at the shown site.
#include "TabClients.h"

#include "Consultes.h"
#include "Controls.h"
#include "Dades.h"
#include "Durades.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Traduccio.h"
#include "ValidacioLloc.h"

#include <QLineEdit>
#include <QPushButton>

void TabClients::bloquejaServeisLloc(bool bloqueja)
{
    for (QWidget* w : std::initializer_list<QWidget*>{ServeisLlocLlista, AfegirServeiLloc, ModificarServeiLloc,
                                                      EliminarServeiLloc, ServeisCombo})
        w->setEnabled(!bloqueja);
    for (QLineEdit* box : {QuantitatServeisLloc, PreuServeisLloc, DescripcioServeiLloc}) box->setReadOnly(bloqueja);
}

void TabClients::Omple_Serveis_Lloc()
{
    ServeisLlocLlista->clear();
    const QStringList serveis = Dades::serveisDelLloc(LlocsLlista->textTriat());
    ServeisLlocLlista->addItems(serveis);
    QuantitatServeisLloc->clear();
    PreuServeisLloc->clear();
    ServeisCombo->setCurrentIndex(-1);
    UnitatServeiLloc->clear();
    DescripcioServeiLloc->clear();
    bloquejaServeisLloc(LlocsLlista->index() == -1);
    if (!serveis.isEmpty()) seleccionaServeiLloc(0);
}

void TabClients::seleccionaServeiLloc(int index)
{
    ServeisLlocLlista->posaIndex(index);
    protegeix(QString(), [this] { ServeisLlocLlista_Click(); });
}

void TabClients::ServeisLlocLlista_Click()
{
    const auto linia = Dades::llegeixLinia(LlocsLlista->textTriat(), ServeisLlocLlista->textTriat());
    if (!linia) return;
    ServeisCombo->setCurrentIndex(-1);
    // Names are keys compared without regard to case.
    const int i = ServeisCombo->findText(linia->servei, Qt::MatchFixedString);
    if (i >= 0) seleccionaServeiCombo(i);
    QuantitatServeisLloc->setText(linia->quantitat.toShortString());
    PreuServeisLloc->setText(linia->preu.toShortString());
    DescripcioServeiLloc->setText(linia->descripcio);
}

void TabClients::seleccionaServeiCombo(int index)
{
    ServeisCombo->setCurrentIndex(index);
    if (index < 0) return;
    protegeix(QString(), [this] { ServeisCombo_Click(); });
}

void TabClients::ServeisCombo_Click()
{
    const QString servei = ServeisCombo->currentText();
    UnitatServeiLloc->setText(Unitat_Servei(servei));
    PreuServeisLloc->setText(Preu_Servei(servei).toShortString());
    DescripcioServeiLloc->setText(Descripcio_Servei(servei, QString()));
}

void TabClients::ServeisCombo_DropDown()
{
    QuantitatServeisLloc->clear();
    UnitatServeiLloc->clear();
    PreuServeisLloc->clear();
    DescripcioServeiLloc->clear();
}

// Checks of quantity and price of the line of `servei` at the shown site; a
// refusal is shown and gives false.
bool TabClients::validaLiniaServei(const QString& servei)
{
    Decimal quantitat, preu;
    const QString tq = QuantitatServeisLloc->text();
    Camps::Lectura lectura = Camps::llegeixDecimal(tq, quantitat);
    if (refusa(Camps::refus(lectura, tq, Tradueix(QStringLiteral("Cal informar la quantitat"))))) return false;
    if (refusa(quantitat <= Decimal(), Tradueix(QStringLiteral("Cal informar una quantitat positiva")))) return false;
    const QString tp = PreuServeisLloc->text();
    lectura = Camps::llegeixDecimal(tp, preu);
    if (refusa(Camps::refus(lectura, tp, Tradueix(QStringLiteral("Cal informar un preu"))))) return false;
    if (refusa(preu.isZero(), Tradueix(QStringLiteral("Cal informar un preu")))) return false;
    if (refusa(Dades::liniaDesborda(LlocsLlista->textTriat(), servei, quantitat),
               missatgeDesbordament(LlocsLlista->textTriat())))
        return false;
    return true;
}

void TabClients::AfegirServeiLloc_Click()
{
    protegeix(QStringLiteral("ERROR"), [this] { afegeixServeiLloc(); });
}

void TabClients::afegeixServeiLloc()
{
    if (LlocsLlista->index() == -1) return;
    const QString servei = ServeisCombo->currentIndex() < 0 ? QString() : ServeisCombo->currentText();
    if (!servei.isEmpty()) {
        if (!validaLiniaServei(servei)) return;
        const QString lloc = LlocsLlista->textTriat();
        if (Dades::llegeixLinia(lloc, servei)) {
            MsgBox::show(Tradueix(QStringLiteral("El servei ja existeix pel lloc")));
        } else {
            Dades::afegeixLinia({lloc, servei, *Decimal::parse(QuantitatServeisLloc->text()),
                                 *Decimal::parse(PreuServeisLloc->text()), DescripcioServeiLloc->text()});
            Omple_Serveis_Lloc();
        }
    }
    comprovaMinutsServeis(NomLloc->text());
}

void TabClients::ModificarServeiLloc_Click()
{
    protegeix(QString(), [this] { modificaServeiLloc(); });
}

void TabClients::modificaServeiLloc()
{
    if (LlocsLlista->index() == -1) return;
    const QString servei = ServeisCombo->currentIndex() < 0 ? QString() : ServeisCombo->currentText();
    if (!servei.isEmpty()) {
        if (!validaLiniaServei(servei)) return;
        const Dades::LiniaLloc linia{LlocsLlista->textTriat(), servei, *Decimal::parse(QuantitatServeisLloc->text()),
                                     *Decimal::parse(PreuServeisLloc->text()), DescripcioServeiLloc->text()};
        if (!Dades::modificaLinia(linia)) {
            MsgBox::show(Tradueix(QStringLiteral("El servei no existeix pel lloc")));
        } else {
            QuantitatServeisLloc->clear();
            PreuServeisLloc->clear();
            ServeisCombo->setCurrentIndex(-1);
            UnitatServeiLloc->clear();
            DescripcioServeiLloc->clear();
            ServeisLlocLlista->posaIndex(-1);
        }
    }
    comprovaMinutsServeis(NomLlocANT->text());
}

// Offers the length the site's services give when the typed minutes differ;
// a yes saves the whole site as its Change button does.
void TabClients::comprovaMinutsServeis(const QString& lloc)
{
    const int r = Recursos_Assignen_Temps(RecursosCombo->currentIndex() < 0 ? QString() : RecursosCombo->currentText());
    const int n = minutsDelsServeis(lloc, r);
    QString text = MinutsPrevistLloc->text();
    int m = 0;
    const Camps::Lectura lectura = Camps::llegeixEnter16(text, m);
    if (refusa(Camps::refus(lectura, text, Tradueix(QStringLiteral("Cal informar els minuts previstos"))))) return;
    if (n < 1 || m == n) return;
    const QString pregunta = Tradueix(QStringLiteral("Els minuts previstos difereixen de la duració dels serveis ("))
                             + QString::number(n) + Tradueix(QStringLiteral(" minuts)."))
                             + Tradueix(QStringLiteral(" Actualitzar minuts?"));
    if (MsgBox::show(pregunta, MsgBox::YesNo, Tradueix(QStringLiteral("AVÍS"))) != MsgBox::Yes) return;
    MinutsPrevistLloc->setText(QString::number(n));
    ModificarLloc_Click();
}

void TabClients::EliminarServeiLloc_Click()
{
    protegeix(QString(), [this] { eliminaServeiLloc(); });
}

void TabClients::eliminaServeiLloc()
{
    const QString servei = ServeisCombo->currentIndex() < 0 ? QString() : ServeisCombo->currentText();
    if (LlocsLlista->index() == -1 || servei.isEmpty()) return;
    if (refusa(!Dades::eliminaLinia(LlocsLlista->textTriat(), servei),
               Tradueix(QStringLiteral("El servei no existeix pel lloc"))))
        return;
    Omple_Serveis_Lloc();
}
