// The "Recursos i Serveis" tab: layout, links to other tabs and the service editor.
#include "TabRecursosServeis.h"

#include "Consultes.h"
#include "Controls.h"
#include "Dades.h"
#include "Globals.h"
#include "Graella.h"
#include "MessageBox.h"
#include "Principal.h"
#include "Traduccio.h"
#include "ValidacioLloc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The control of that name in the same window, when the owner set none.
template <class T>
T* busca(const QWidget* self, const QPointer<T>& explicit_, const char* name)
{
    if (explicit_) return explicit_.data();
    return self->window()->findChild<T*>(QString::fromLatin1(name));
}
} // namespace

TabRecursosServeis::TabRecursosServeis(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabRecursosServeis"));
    auto* h = new QHBoxLayout(this);
    h->addWidget(creaRecursos(), 1);
    h->addWidget(creaServeis(), 1);

    connect(ServeisLlista, &Llista::triat, this, &TabRecursosServeis::seleccionaServei);
    connect(AfegirServei, &QPushButton::clicked, this, &TabRecursosServeis::AfegirServei_Click);
    connect(ModificarServei, &QPushButton::clicked, this, &TabRecursosServeis::ModificarServei_Click);
    connect(EliminarServei, &QPushButton::clicked, this, &TabRecursosServeis::EliminarServei_Click);
    connect(RecursosLlista, &Llista::triat, this, &TabRecursosServeis::seleccionaRecurs);
    connect(ComponentsLlista, &Llista::triat, this, &TabRecursosServeis::seleccionaComponent);
    connect(chkGrupRecurs, &QCheckBox::toggled, this,
            [this] { protegeix(QString(), [this] { chkGrupRecurs_Click(); }); });
    connect(ColorRecurs, &EtiquetaColor::clicat, this, &TabRecursosServeis::ColorRecurs_Click);
    connect(AfegirRecurs, &QPushButton::clicked, this, &TabRecursosServeis::AfegirRecurs_Click);
    connect(ModificarRecurs, &QPushButton::clicked, this, &TabRecursosServeis::ModificarRecurs_Click);
    connect(EliminarRecurs, &QPushButton::clicked, this, &TabRecursosServeis::EliminarRecurs_Click);
    posaColor(ColorFinestraSistema);
    ComponentsLlista->setEnabled(false);
}

QWidget* TabRecursosServeis::creaServeis()
{
    auto* frame = new QGroupBox;
    auto* v = new QVBoxLayout(frame);
    v->addWidget(new QLabel(Tradueix(QStringLiteral("Serveis:"))));
    ServeisLlista = anomena(new Llista, "ServeisLlista");
    v->addWidget(ServeisLlista, 1);
    auto* g = new QGridLayout;
    NomServei = caixa(g, 0, 0, Tradueix(QStringLiteral("Nom:")), "NomServei", 50);
    NomServeiANT = anomena(new QLineEdit(frame), "NomServeiANT");
    NomServeiANT->setVisible(false);
    UnitatServei = caixa(g, 1, 0, Tradueix(QStringLiteral("Unitat:")), "UnitatServei");
    PreuUnServei = caixa(g, 2, 0, Tradueix(QStringLiteral("Preu unitari:")), "PreuUnServei");
    MinutsUnitatServei = caixa(g, 3, 0, Tradueix(QStringLiteral("Equivalència:")), "MinutsUnitatServei");
    MinutsUnitatServei->setToolTip(Tradueix(QStringLiteral("Per calcular la duració de la feina.")));
    g->addWidget(new QLabel(Tradueix(QStringLiteral("minuts"))), 3, 2);
    ComuRecursosServei = anomena(new QCheckBox, "ComuRecursosServei");
    // Kept on one line so that the check of translated texts finds it.
    ComuRecursosServei->setToolTip(Tradueix(QStringLiteral("Marca'l si has informat equivalència i el nombre de recursos assignats no afecta a la duració del servei.")));
    g->addWidget(new QLabel(Tradueix(QStringLiteral("Comú pels recursos S/N:"))), 4, 0);
    g->addWidget(ComuRecursosServei, 4, 1);
    DescripcioServei = caixa(g, 5, 0, Tradueix(QStringLiteral("Descripció:")), "DescripcioServei");
    g->setColumnStretch(1, 1);
    v->addLayout(g);
    const BotonsEditor b = botonsEditor("Servei");
    AfegirServei = b.afegir;
    ModificarServei = b.modificar;
    EliminarServei = b.eliminar;
    v->addLayout(b.fila);
    return frame;
}

QWidget* TabRecursosServeis::creaRecursos()
{
    auto* frame = new QGroupBox;
    auto* v = new QVBoxLayout(frame);
    v->addWidget(new QLabel(Tradueix(QStringLiteral("Recursos:"))));
    RecursosLlista = anomena(new Llista, "RecursosLlista");
    v->addWidget(RecursosLlista, 1);
    auto* g = new QGridLayout;
    NomRecurs = caixa(g, 0, 0, Tradueix(QStringLiteral("Nom:")), "NomRecurs", 50);
    NomRecursANT = anomena(new QLineEdit(frame), "NomRecursANT");
    NomRecursANT->setVisible(false);
    chkGrupRecurs = anomena(new QCheckBox, "chkGrupRecurs");
    g->addWidget(new QLabel(Tradueix(QStringLiteral("Grup S/N:"))), 1, 0);
    g->addWidget(chkGrupRecurs, 1, 1);
    ComponentsLlista = anomena(new Llista, "ComponentsLlista");
    // In a fixed-pitch font the names line up after the marker or its blanks.
    ComponentsLlista->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    g->addWidget(new QLabel(Tradueix(QStringLiteral("Components:"))), 2, 0, Qt::AlignTop);
    g->addWidget(ComponentsLlista, 2, 1);
    ColorRecurs = anomena(new EtiquetaColor, "ColorRecurs");
    g->addWidget(new QLabel(Tradueix(QStringLiteral("Color:"))), 3, 0);
    g->addWidget(ColorRecurs, 3, 1);
    chkAssignaTemps = anomena(new QCheckBox, "chkAssignaTemps");
    chkAssignaTemps->setToolTip(Tradueix(QStringLiteral("Marca'l si el temps del recurs consumeix temps de la feina")));
    g->addWidget(new QLabel(Tradueix(QStringLiteral("Assigna temps:"))), 4, 0);
    g->addWidget(chkAssignaTemps, 4, 1);
    g->setColumnStretch(1, 1);
    v->addLayout(g);
    const BotonsEditor b = botonsEditor("Recurs");
    AfegirRecurs = b.afegir;
    ModificarRecurs = b.modificar;
    EliminarRecurs = b.eliminar;
    v->addLayout(b.fila);
    return frame;
}

void TabRecursosServeis::setRecursosGrid(Graella* grid) { RecursosGrid = grid; }
void TabRecursosServeis::setAgendaGrid(Graella* grid) { AgendaGrid = grid; }
void TabRecursosServeis::setServeisCombo(QComboBox* combo) { ServeisCombo = combo; }
void TabRecursosServeis::setRecursosCombo(QComboBox* combo) { RecursosCombo = combo; }

QComboBox* TabRecursosServeis::serveisComboExtern() const { return busca(this, ServeisCombo, "ServeisCombo"); }
QComboBox* TabRecursosServeis::recursosComboExtern() const { return busca(this, RecursosCombo, "RecursosCombo"); }
Graella* TabRecursosServeis::recursosGrid() const { return busca(this, RecursosGrid, "RecursosGrid"); }
Graella* TabRecursosServeis::agendaGrid() const { return busca(this, AgendaGrid, "AgendaGrid"); }

// ---------------------------------------------------------------- services

void TabRecursosServeis::Omple_Serveis()
{
    ServeisLlista->clear();
    QComboBox* combo = serveisComboExtern();
    if (combo) combo->clear();
    for (const QString& nom : Dades::nomsServeis()) {
        ServeisLlista->addItem(nom);
        if (combo) combo->addItem(nom);
    }
    if (combo) combo->setCurrentIndex(-1);
    for (QLineEdit* box : {NomServei, NomServeiANT, UnitatServei, PreuUnServei, MinutsUnitatServei}) box->clear();
    ComuRecursosServei->setChecked(false);
    DescripcioServei->clear();
}

void TabRecursosServeis::seleccionaServei(int index)
{
    ServeisLlista->posaIndex(index);
    protegeix(QString(), [this] { ServeisLlista_Click(); });
}

void TabRecursosServeis::ServeisLlista_Click()
{
    const auto s = Dades::llegeixServei(ServeisLlista->textTriat());
    if (!s) return;
    NomServei->setText(s->nom);
    NomServeiANT->setText(s->nom);
    UnitatServei->setText(s->unitat);
    PreuUnServei->setText(s->preu.toShortString());
    MinutsUnitatServei->setText(QString::number(s->minuts));
    ComuRecursosServei->setChecked(s->comu);
    DescripcioServei->setText(s->descripcio);
}

// Checks of the boxes shared by adding and changing; a refusal is shown and gives false.
bool TabRecursosServeis::validaServei(int& minuts)
{
    if (refusa(UnitatServei->text().isEmpty(), Tradueix(QStringLiteral("Cal informar la unitat del servei"))))
        return false;
    Decimal preu;
    const QString tp = PreuUnServei->text();
    const QString falta = Tradueix(QStringLiteral("Cal informar el preu unitari"));
    if (refusa(Camps::refus(Camps::llegeixDecimal(tp, preu), tp, falta)) || refusa(preu.isZero(), falta)) return false;
    if (MinutsUnitatServei->text().isEmpty()) MinutsUnitatServei->setText(QStringLiteral("0"));
    QString text = MinutsUnitatServei->text();
    const Camps::Lectura lectura = Camps::llegeixEnter16(text, minuts);
    if (refusa(Camps::refus(lectura, text, Tradueix(QStringLiteral("La equivalencia en minuts ha de ser numèrica")))))
        return false;
    MinutsUnitatServei->setText(text);
    if (refusa(minuts < 0, Tradueix(QStringLiteral("Els minuts per unitat no poden ser negatius")))) return false;
    return true;
}

namespace {
// The cheque service: kept under its name and never deleted.
bool esServeiXecs(const QString& nom)
{
    return !G.ServeiXecs.isEmpty() && nom.compare(G.ServeiXecs, Qt::CaseInsensitive) == 0;
}
} // namespace

void TabRecursosServeis::AfegirServei_Click()
{
    protegeix(QStringLiteral("ERROR"), [this] { afegeixServei(); });
}

void TabRecursosServeis::afegeixServei()
{
    NomServei->setText(NomServei->text().trimmed());
    if (NomServei->text().isEmpty()) return;
    int minuts = 0;
    if (!validaServei(minuts)) return;
    if (refusa(Dades::existeix(Dades::Taula::Serveis, NomServei->text()),
               Tradueix(QStringLiteral("El servei ja existeix"))))
        return;
    Dades::afegeixServei({NomServei->text(), UnitatServei->text(), *Decimal::parse(PreuUnServei->text()), minuts,
                          ComuRecursosServei->isChecked(), DescripcioServei->text()});
    Omple_Serveis();
}

void TabRecursosServeis::ModificarServei_Click()
{
    protegeix(QString(), [this] { modificaServei(); });
}

void TabRecursosServeis::modificaServei()
{
    NomServei->setText(NomServei->text().trimmed());
    const QString ant = NomServeiANT->text();
    const QString nom = NomServei->text();
    if (nom.isEmpty() || ant.isEmpty()) return;
    if (refusa(esServeiXecs(ant) && nom != ant,
               Tradueix(QStringLiteral("No es pot modificar el nom del servei dels xecs"))))
        return;
    int minuts = 0;
    if (!validaServei(minuts)) return;
    if (refusa(!Dades::existeix(Dades::Taula::Serveis, ant), Tradueix(QStringLiteral("El servei no existeix")))) return;
    if (refusa(Dades::nomOcupat(Dades::Taula::Serveis, nom, ant), Tradueix(QStringLiteral("El servei ja existeix"))))
        return;
    if (const QString lloc = Dades::llocDesbordatPerServei(ant, minuts); refusa(!lloc.isEmpty(), missatgeDesbordament(lloc)))
        return;
    Dades::modificaServei(ant, {nom, UnitatServei->text(), *Decimal::parse(PreuUnServei->text()), minuts,
                                ComuRecursosServei->isChecked(), DescripcioServei->text()});
    Omple_Serveis();
    if (nom != ant) {
        // The site lines and the job lines now carry the new name.
        crida(Principal().Omple_Serveis_Lloc);
        G.FacturacioPendent = true;
    }
}

void TabRecursosServeis::EliminarServei_Click()
{
    protegeix(QString(), [this] { eliminaServei(); });
}

void TabRecursosServeis::eliminaServei()
{
    NomServei->setText(NomServei->text().trimmed());
    const QString nom = NomServei->text();
    if (nom.isEmpty()) return;
    if (refusa(esServeiXecs(nom), Tradueix(QStringLiteral("No es pot eliminar el servei dels xecs")))) return;
    if (refusa(!Dades::existeix(Dades::Taula::Serveis, nom), Tradueix(QStringLiteral("El servei no existeix")))) return;
    if (refusa(Dades::referencies(Dades::Taula::Serveis, nom))) return;
    Dades::eliminaServei(nom);
    Omple_Serveis();
}
