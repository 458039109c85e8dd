// The "Clients" tab: the site editor.
#include "TabClients.h"

#include "Controls.h"
#include "Convert.h"
#include "Dades.h"
#include "Durades.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Principal.h"
#include "Traduccio.h"
#include "ValidacioLloc.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
// Index of the entry whose text is `text`, letter case aside (names are keys
// compared without regard to case), -1 when none.
int entrada(const QComboBox* combo, const QString& text)
{
    if (text.isNull()) return -1;
    return combo->findText(text, Qt::MatchFixedString);
}
} // namespace

void TabClients::Omple_Combos_Lloc()
{
    DiesSetmanaCombo->clear();
    DiesSetmanaCombo->addItem(Tradueix(QStringLiteral("diumenges")));
    DiesSetmanaCombo->addItem(Tradueix(QStringLiteral("dilluns")));
    DiesSetmanaCombo->addItem(Tradueix(QStringLiteral("dimarts")));
    DiesSetmanaCombo->addItem(Tradueix(QStringLiteral("dimecres")));
    DiesSetmanaCombo->addItem(Tradueix(QStringLiteral("dijous")));
    DiesSetmanaCombo->addItem(Tradueix(QStringLiteral("divendres")));
    DiesSetmanaCombo->addItem(Tradueix(QStringLiteral("dissabtes")));
    DiesSetmanaCombo->setCurrentIndex(-1);
    HoraLlocCombo->clear();
    const int inici = Conv::minutesOf(G.HoraInici).value_or(0);
    for (int k = 0; k < G.CellesDia; ++k) HoraLlocCombo->addItem(Conv::clockTime(inici + k * G.MinutsCella));
    HoraLlocCombo->setCurrentIndex(-1);
}

void TabClients::bloquejaLlocs(bool bloqueja)
{
    for (QWidget* w : std::initializer_list<QWidget*>{LlocsLlista, AfegirLloc, ModificarLloc, EliminarLloc,
                                                      DiesSetmanaCombo, HoraLlocCombo, RecursosCombo, DissabteLloc,
                                                      DiumengeLloc, PrimerMesLloc, UltimMesLloc})
        w->setEnabled(!bloqueja);
    for (QLineEdit* box : {NomLloc, AdrecaLloc, PoblacioLloc, TelefonLloc, MinutsPrevistLloc, PeriodicitatDiesLloc,
                           QuotaLloc})
        box->setReadOnly(bloqueja);
    ObservacionsLloc->setReadOnly(bloqueja);
}

void TabClients::Omple_Llocs_Client()
{
    LlocsLlista->clear();
    const QStringList noms = Dades::nomsLlocsClient(ClientsLlista->textTriat());
    LlocsLlista->addItems(noms);
    for (QLineEdit* box : {NomLloc, NomLlocANT, AdrecaLloc, PoblacioLloc, TelefonLloc, MinutsPrevistLloc,
                           PeriodicitatDiesLloc, QuotaLloc})
        box->clear();
    DissabteLloc->setChecked(false);
    DiumengeLloc->setChecked(false);
    DiesSetmanaCombo->setCurrentIndex(-1);
    HoraLlocCombo->setCurrentIndex(-1);
    RecursosCombo->setCurrentIndex(-1);
    ObservacionsLloc->clear();
    PrimerMesLloc->setChecked(false);
    UltimMesLloc->setChecked(false);
    bloquejaLlocs(ClientsLlista->index() == -1);
    if (!noms.isEmpty()) seleccionaLloc(0);
}

void TabClients::seleccionaLloc(int index)
{
    LlocsLlista->posaIndex(index);
    protegeix(QString(), [this] { LlocsLlista_Click(); });
}

void TabClients::LlocsLlista_Click()
{
    if (auto l = Dades::llegeixLloc(LlocsLlista->textTriat())) {
        NomLloc->setText(l->nom);
        NomLlocANT->setText(l->nom);
        AdrecaLloc->setText(l->adreca);
        PoblacioLloc->setText(l->poblacio);
        TelefonLloc->setText(l->telefon);
        MinutsPrevistLloc->setText(QString::number(l->minuts));
        PeriodicitatDiesLloc->setText(QString::number(l->periodicitat));
        DissabteLloc->setChecked(l->dissabte);
        DiumengeLloc->setChecked(l->diumenge);
        DiesSetmanaCombo->setCurrentIndex(l->diaSetmana >= 1 && l->diaSetmana <= 7 ? l->diaSetmana - 1 : -1);
        PrimerMesLloc->setChecked(l->primerMes);
        UltimMesLloc->setChecked(l->ultimMes);
        HoraLlocCombo->setCurrentIndex(entrada(HoraLlocCombo, l->hora));
        RecursosCombo->setCurrentIndex(entrada(RecursosCombo, l->recurs));
        QuotaLloc->setText(l->quota.isZero() ? QString() : l->quota.toShortString());
        ObservacionsLloc->setPlainText(l->observacions);
    }
    Omple_Serveis_Lloc();
}

namespace {
QString seleccio(const QComboBox* combo)
{
    return combo->currentIndex() < 0 ? QString() : combo->currentText();
}
} // namespace

// Reads and checks the boxes; a refusal is shown and gives false. The boxes
// show the normalised texts either way.
static bool llegeixLloc(ModeLloc mode, QLineEdit* nom, QLineEdit* minuts, QLineEdit* periodicitat, QLineEdit* quota,
                        QCheckBox* primer, QCheckBox* ultim, bool clientXecs, ValorsLloc& valors)
{
    TextsLloc t;
    t.nom = nom->text();
    t.minuts = minuts->text();
    t.periodicitat = periodicitat->text();
    t.quota = quota->text();
    t.primerMes = primer->isChecked();
    t.ultimMes = ultim->isChecked();
    t.clientXecs = clientXecs;
    const auto refus = validaLloc(mode, t, valors);
    minuts->setText(t.minuts);
    periodicitat->setText(t.periodicitat);
    quota->setText(t.quota);
    return !refusa(refus.value_or(QString()));
}

Dades::Lloc TabClients::llocDeCaixes(const ValorsLloc& v) const
{
    Dades::Lloc l;
    l.nom = NomLloc->text();
    l.client = clientMostrat();
    l.adreca = AdrecaLloc->text();
    l.poblacio = PoblacioLloc->text();
    l.telefon = TelefonLloc->text();
    l.minuts = v.minuts;
    l.dissabte = DissabteLloc->isChecked();
    l.diumenge = DiumengeLloc->isChecked();
    l.diaSetmana = DiesSetmanaCombo->currentIndex() + 1;
    l.primerMes = PrimerMesLloc->isChecked();
    l.ultimMes = UltimMesLloc->isChecked();
    l.periodicitat = v.periodicitat;
    l.hora = seleccio(HoraLlocCombo);
    l.recurs = seleccio(RecursosCombo);
    l.quota = v.quota;
    l.observacions = ObservacionsLloc->toPlainText();
    return l;
}

void TabClients::AfegirLloc_Click()
{
    protegeix(QStringLiteral("ERROR"), [this] { afegeixLloc(); });
}

void TabClients::afegeixLloc()
{
    NomLloc->setText(NomLloc->text().trimmed());
    if (NomLloc->text().isEmpty() || clientMostrat().isEmpty()) return;
    ValorsLloc v;
    if (!llegeixLloc(ModeLloc::Afegir, NomLloc, MinutsPrevistLloc, PeriodicitatDiesLloc, QuotaLloc, PrimerMesLloc,
                     UltimMesLloc, Dades::clientTeXecs(clientMostrat()), v))
        return;
    if (refusa(Dades::existeix(Dades::Taula::Llocs, NomLloc->text()), Tradueix(QStringLiteral("El lloc ja existeix"))))
        return;
    const Dades::Lloc l = llocDeCaixes(v);
    Dades::afegeixLloc(l);
    Omple_Llocs_Client();
    crida(Principal().Omple_Graella_Llocs);
    Omple_Serveis_Lloc();
}

void TabClients::ModificarLloc_Click()
{
    protegeix(QString(), [this] { modificaLloc(); });
}

void TabClients::modificaLloc()
{
    NomLloc->setText(NomLloc->text().trimmed());
    const QString ant = NomLlocANT->text();
    if (NomLloc->text().isEmpty() || ant.isEmpty()) return;
    ValorsLloc v;
    if (!llegeixLloc(ModeLloc::Modificar, NomLloc, MinutsPrevistLloc, PeriodicitatDiesLloc, QuotaLloc, PrimerMesLloc,
                     UltimMesLloc, Dades::clientTeXecs(clientMostrat()), v))
        return;
    // The length that the site's stored service lines give, offered in place of the typed minutes.
    const int n = minutsDelsServeis(ant, Recursos_Assignen_Temps(seleccio(RecursosCombo)));
    if (n >= 1 && n != v.minuts) {
        const QString pregunta =
            Tradueix(QStringLiteral("Els minuts previstos difereixen de la duració dels serveis (")) +
            QString::number(n) + Tradueix(QStringLiteral(" minuts).")) +
            Tradueix(QStringLiteral(" Actualitzar minuts?"));
        if (MsgBox::show(pregunta, MsgBox::YesNo, Tradueix(QStringLiteral("AVÍS"))) == MsgBox::Yes) {
            v.minuts = n;
            MinutsPrevistLloc->setText(QString::number(n));
        }
    }
    if (refusa(!Dades::existeix(Dades::Taula::Llocs, ant), Tradueix(QStringLiteral("El lloc no existeix")))) return;
    if (refusa(Dades::nomOcupat(Dades::Taula::Llocs, NomLloc->text(), ant),
               Tradueix(QStringLiteral("El lloc ja existeix"))))
        return;
    const Dades::Lloc l = llocDeCaixes(v);
    Dades::modificaLloc(ant, l);
    if (l.nom != ant) {
        Omple_Llocs_Client();
        crida(Principal().Omple_Graella_Llocs);
        G.AgendaPendent = true;
    }
    G.FacturacioPendent = true;
}

void TabClients::EliminarLloc_Click()
{
    protegeix(QString(), [this] { eliminaLloc(); });
}

void TabClients::eliminaLloc()
{
    NomLloc->setText(NomLloc->text().trimmed());
    const QString nom = NomLloc->text();
    if (nom.isEmpty()) return;
    if (refusa(!Dades::existeix(Dades::Taula::Llocs, nom), Tradueix(QStringLiteral("El lloc no existeix")))) return;
    if (refusa(Dades::referencies(Dades::Taula::Llocs, nom))) return;
    Dades::eliminaLloc(nom);
    Omple_Llocs_Client();
    crida(Principal().Omple_Graella_Llocs);
    Omple_Serveis_Lloc();
}
