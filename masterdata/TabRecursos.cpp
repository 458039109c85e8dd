// The "Recursos i Serveis" tab: resources, groups and their members, colours.
#include "TabRecursosServeis.h"

#include "ColorsRecursos.h"
#include "Consultes.h"
#include "Controls.h"
#include "Dades.h"
#include "Dialogs.h"
#include "Globals.h"
#include "Graella.h"
#include "MessageBox.h"
#include "Traduccio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {
constexpr int RolMarcat = Qt::UserRole + 1;

// The marker of a member. A marker of blanks could not tell members from
// the rest, so it falls back to the default one.
QString marcaSeleccio()
{
    return G.MarcaSeleccio.trimmed().isEmpty() ? QStringLiteral("-> ") : G.MarcaSeleccio;
}

void posaMarca(QListWidgetItem* item, bool marcat)
{
    const QString marca = marcaSeleccio();
    item->setData(RolMarcat, marcat);
    item->setText((marcat ? marca : QString(marca.size(), QLatin1Char(' '))) + item->data(Qt::UserRole).toString());
}

ColorsTauler colorsTauler(const Graella* agenda)
{
    if (!agenda)
        return {Graella::colorValue(Graella::defaultBackColor()),
                Graella::colorValue(Graella::defaultBackColorFixed())};
    return {Graella::colorValue(agenda->BackColor()), Graella::colorValue(agenda->BackColorFixed())};
}
} // namespace

void TabRecursosServeis::afegeixComponent(const QString& nom, bool marcat)
{
    auto* item = new QListWidgetItem(ComponentsLlista);
    item->setData(Qt::UserRole, nom);
    posaMarca(item, marcat);
}

QStringList TabRecursosServeis::membresMarcats() const
{
    QStringList out;
    for (int i = 0; i < ComponentsLlista->count(); ++i)
        if (ComponentsLlista->item(i)->data(RolMarcat).toBool())
            out << ComponentsLlista->item(i)->data(Qt::UserRole).toString();
    return out;
}

void TabRecursosServeis::posaColor(qint32 color)
{
    colorRecurs_ = color;
    ColorRecurs->setColor(Graella::colorFromValue(color));
}

// ---------------------------------------------------------------- fill and show

void TabRecursosServeis::Omple_Recursos()
{
    ompleRecursos(QString(), QString());
}

// Refills every resource list; the usual-resource combo keeps its selection
// (following a rename from `anticNom` to `nouNom`).
void TabRecursosServeis::ompleRecursos(const QString& anticNom, const QString& nouNom)
{
    Graella* grid = recursosGrid();
    if (grid) {
        grid->Clear();
        grid->setRows(1);
        grid->setCols(1);
        grid->setCurrentCellAt(0, 0);
        grid->setColWidth(0, grid->width());
    }
    QComboBox* combo = recursosComboExtern();
    QString triat = combo && combo->currentIndex() >= 0 ? combo->currentText() : QString();
    if (!anticNom.isEmpty() && triat.compare(anticNom, Qt::CaseInsensitive) == 0) triat = nouNom;
    RecursosLlista->clear();
    ComponentsLlista->clear();
    if (combo) combo->clear();
    const QList<Dades::Recurs> llista = Dades::recursos();
    for (int i = 0; i < llista.size(); ++i) {
        const Dades::Recurs& r = llista[i];
        RecursosLlista->addItem(r.nom);
        if (combo) combo->addItem(r.nom);
        if (!grid) continue;
        if (i > 0) grid->setRows(grid->Rows() + 1);
        grid->setCurrentCellAt(grid->Rows() - 1, 0);
        grid->setText(r.nom);
        grid->setCurrentCellBackColor(Graella::colorFromValue(r.color));
        grid->setCurrentCellFontBold(r.grup);
    }
    if (combo)
        combo->setCurrentIndex(triat.isEmpty() ? -1
                                               : combo->findText(triat, Qt::MatchFixedString));
    NomRecurs->clear();
    NomRecursANT->clear();
    chkGrupRecurs->setChecked(false);
    chkAssignaTemps->setChecked(false);
    posaColor(ColorFinestraSistema);
    ComponentsLlista->clear();
    ComponentsLlista->setEnabled(false);
}

void TabRecursosServeis::seleccionaRecurs(int index)
{
    RecursosLlista->posaIndex(index);
    protegeix(QString(), [this] { RecursosLlista_Click(); });
}

void TabRecursosServeis::mostraRecurs(const QString& recurs)
{
    if (RecursosLlista->count() == 0) return;
    int i = 0;
    while (i < RecursosLlista->count() - 1 && RecursosLlista->item(i)->text() != recurs) ++i;
    seleccionaRecurs(i);
}

void TabRecursosServeis::RecursosLlista_Click()
{
    const auto r = Dades::llegeixRecurs(RecursosLlista->textTriat());
    if (!r) return;
    NomRecurs->setText(r->nom);
    NomRecursANT->setText(r->nom);
    chkGrupRecurs->setChecked(r->grup);
    posaColor(r->color);
    chkAssignaTemps->setChecked(r->assignaTemps);
    ComponentsLlista->clear();
    if (r->grup) {
        const QStringList membres = Dades::membresGrup(r->nom);
        for (const QString& nom : Dades::recursosNoGrup())
            afegeixComponent(nom, membres.contains(nom, Qt::CaseInsensitive));
    }
}

void TabRecursosServeis::chkGrupRecurs_Click()
{
    if (chkGrupRecurs->isChecked()) {
        ComponentsLlista->setEnabled(true);
        chkAssignaTemps->setEnabled(false);
        chkAssignaTemps->setChecked(false);
        if (ComponentsLlista->count() == 0)
            for (const QString& nom : Dades::recursosNoGrup(NomRecurs->text().trimmed())) afegeixComponent(nom, false);
    } else {
        ComponentsLlista->setEnabled(false);
        chkAssignaTemps->setEnabled(true);
    }
}

void TabRecursosServeis::seleccionaComponent(int index)
{
    ComponentsLlista->posaIndex(index);
    if (QListWidgetItem* item = index >= 0 ? ComponentsLlista->item(index) : nullptr)
        posaMarca(item, !item->data(RolMarcat).toBool());
}

void TabRecursosServeis::ColorRecurs_Click()
{
    protegeix(QString(), [this] {
        if (const auto c = Dialogs::color(this, Graella::colorFromValue(colorRecurs_)))
            posaColor(Graella::colorValue(*c));
    });
}

// ---------------------------------------------------------------- add, change, delete

bool TabRecursosServeis::validaColorIMembres(const QString& excepte)
{
    if (refusa(colorRecurs_ < 0, Tradueix(QStringLiteral("Cal triar un color pel recurs")))) return false;
    if (refusa(Dades::colorOcupat(colorRecurs_, excepte) || esColorTauler(colorRecurs_, colorsTauler(agendaGrid())),
               Tradueix(QStringLiteral("Color ja en ús. Selecciona un altre color"))))
        return false;
    if (refusa(chkGrupRecurs->isChecked() && membresMarcats().isEmpty(),
               Tradueix(QStringLiteral("Falta marcar components del grup"))))
        return false;
    return true;
}

void TabRecursosServeis::AfegirRecurs_Click()
{
    protegeix(QStringLiteral("ERROR"), [this] { afegeixRecurs(); });
}

void TabRecursosServeis::afegeixRecurs()
{
    NomRecurs->setText(NomRecurs->text().trimmed());
    const QString nom = NomRecurs->text();
    if (nom.isEmpty()) return;
    if (refusa(Dades::existeix(Dades::Taula::Recursos, nom), Tradueix(QStringLiteral("El recurs ja existeix")))) return;
    if (!validaColorIMembres(QString())) return;
    Dades::afegeixRecurs({nom, chkGrupRecurs->isChecked(), colorRecurs_, chkAssignaTemps->isChecked()},
                         membresMarcats());
    Omple_Recursos();
}

void TabRecursosServeis::ModificarRecurs_Click()
{
    protegeix(QString(), [this] { modificaRecurs(); });
}

void TabRecursosServeis::modificaRecurs()
{
    NomRecurs->setText(NomRecurs->text().trimmed());
    const QString nom = NomRecurs->text();
    const QString ant = NomRecursANT->text();
    if (nom.isEmpty() || ant.isEmpty()) return;
    if (refusa(!Dades::existeix(Dades::Taula::Recursos, ant), Tradueix(QStringLiteral("El recurs no existeix"))))
        return;
    if (!validaColorIMembres(ant)) return;
    if (refusa(Dades::nomOcupat(Dades::Taula::Recursos, nom, ant), Tradueix(QStringLiteral("El recurs ja existeix"))))
        return;
    QStringList membres = membresMarcats();
    membres.removeIf([&](const QString& m) { return m.compare(ant, Qt::CaseInsensitive) == 0; });
    Dades::modificaRecurs(ant, {nom, chkGrupRecurs->isChecked(), colorRecurs_, chkAssignaTemps->isChecked()}, membres);
    ompleRecursos(ant, nom);
    G.AgendaPendent = true;
    G.FacturacioPendent = true;
}

void TabRecursosServeis::EliminarRecurs_Click()
{
    protegeix(QString(), [this] { eliminaRecurs(); });
}

void TabRecursosServeis::eliminaRecurs()
{
    NomRecurs->setText(NomRecurs->text().trimmed());
    const QString nom = NomRecurs->text();
    if (nom.isEmpty()) return;
    if (refusa(!Dades::existeix(Dades::Taula::Recursos, nom), Tradueix(QStringLiteral("El recurs no existeix"))))
        return;
    if (refusa(Dades::referencies(Dades::Taula::Recursos, nom))) return;
    Dades::eliminaRecurs(nom);
    Omple_Recursos();
}

// ---------------------------------------------------------------- colour repair

void TabRecursosServeis::Repara_Colors_Recursos()
{
    protegeix(QString(), [this] {
        if (Assigna_Colors_Recursos(colorsTauler(agendaGrid())) > 0) {
            Omple_Recursos();
            G.AgendaPendent = true;
        }
    });
}
