// The "Clients" tab: layout and the client editor.
#include "TabClients.h"

#include "Clock.h"
#include "Controls.h"
#include "Convert.h"
#include "Dades.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Principal.h"
#include "Traduccio.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// A box the program fills: it takes no typing nor the focus, and looks it.
QLineEdit* delPrograma(QLineEdit* box)
{
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setStyleSheet(QStringLiteral("background-color: palette(window);"));
    return box;
}
} // namespace

TabClients::TabClients(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabClients"));
    auto* h = new QHBoxLayout(this);
    h->addWidget(creaClients(), 1);
    auto* dreta = new QVBoxLayout;
    dreta->addWidget(creaLlocs(), 3);
    auto* baix = new QHBoxLayout;
    baix->addWidget(creaServeisLloc(), 3);
    baix->addWidget(creaXecs(), 2);
    dreta->addLayout(baix, 2);
    h->addLayout(dreta, 2);

    connect(ClientsLlista, &Llista::triat, this, &TabClients::seleccionaClient);
    connect(AfegirClient, &QPushButton::clicked, this, &TabClients::AfegirClient_Click);
    connect(ModificarClient, &QPushButton::clicked, this, &TabClients::ModificarClient_Click);
    connect(EliminarClient, &QPushButton::clicked, this, &TabClients::EliminarClient_Click);
    connect(LlocsLlista, &Llista::triat, this, &TabClients::seleccionaLloc);
    connect(AfegirLloc, &QPushButton::clicked, this, &TabClients::AfegirLloc_Click);
    connect(ModificarLloc, &QPushButton::clicked, this, &TabClients::ModificarLloc_Click);
    connect(EliminarLloc, &QPushButton::clicked, this, &TabClients::EliminarLloc_Click);
    // The two month rules exclude each other; the rule runs on every change of value.
    connect(PrimerMesLloc, &QCheckBox::toggled, this, [this](bool on) {
        if (on) UltimMesLloc->setChecked(false);
    });
    connect(UltimMesLloc, &QCheckBox::toggled, this, [this](bool on) {
        if (on) PrimerMesLloc->setChecked(false);
    });
    connect(ServeisLlocLlista, &Llista::triat, this, &TabClients::seleccionaServeiLloc);
    connect(ServeisCombo, &QComboBox::activated, this, &TabClients::seleccionaServeiCombo);
    connect(ServeisCombo, &Combo::desplegant, this, &TabClients::ServeisCombo_DropDown);
    connect(AfegirServeiLloc, &QPushButton::clicked, this, &TabClients::AfegirServeiLloc_Click);
    connect(ModificarServeiLloc, &QPushButton::clicked, this, &TabClients::ModificarServeiLloc_Click);
    connect(EliminarServeiLloc, &QPushButton::clicked, this, &TabClients::EliminarServeiLloc_Click);
    connect(XecsLlista, &Llista::triat, this, &TabClients::seleccionaXec);
    connect(AfegirXec, &QPushButton::clicked, this, &TabClients::AfegirXec_Click);
    connect(ModificarXec, &QPushButton::clicked, this, &TabClients::ModificarXec_Click);
    connect(EliminarXec, &QPushButton::clicked, this, &TabClients::EliminarXec_Click);

    Omple_Combos_Lloc();
}

QWidget* TabClients::creaClients()
{
    auto* frame = new QGroupBox;
    auto* v = new QVBoxLayout(frame);
    v->addWidget(new QLabel(Tradueix(QStringLiteral("Clients:"))));
    ClientsLlista = anomena(new Llista, "ClientsLlista");
    v->addWidget(ClientsLlista, 1);
    auto* g = new QGridLayout;
    NomClient = caixa(g, 0, 0, Tradueix(QStringLiteral("Nom:")), "NomClient", 50);
    NomClientANT = anomena(new QLineEdit(frame), "NomClientANT");
    NomClientANT->setVisible(false);
    NIFClient = caixa(g, 1, 0, Tradueix(QStringLiteral("NIF/CIF:")), "NIFClient", 10);
    AdrecaClient = caixa(g, 2, 0, Tradueix(QStringLiteral("Adreça:")), "AdrecaClient", 50);
    PoblacioClient = caixa(g, 3, 0, Tradueix(QStringLiteral("Població:")), "PoblacioClient", 50);
    CodiPostalClient = caixa(g, 4, 0, Tradueix(QStringLiteral("Codi Postal:")), "CodiPostalClient", 5);
    TelefonsClient = caixa(g, 5, 0, Tradueix(QStringLiteral("Telèfons:")), "TelefonsClient", 50);
    DataAltaClient = delPrograma(anomena(new QLineEdit, "DataAltaClient"));
    g->addWidget(new QLabel(Tradueix(QStringLiteral("Data d'alta:"))), 6, 0);
    g->addWidget(DataAltaClient, 6, 1);
    EmailClient = caixa(g, 7, 0, Tradueix(QStringLiteral("e-mail:")), "EmailClient", 50);
    CccClient = caixa(g, 8, 0, Tradueix(QStringLiteral("ccc:")), "CccClient", 23);
    XecsClient = anomena(new QCheckBox, "XecsClient");
    auto* etiquetaXecs = anomena(new QLabel(Tradueix(QStringLiteral("Xecs:"))), "Label62");
    auto* serveiXecs = anomena(new QLabel(G.ServeiXecs), "Label77");
    g->addWidget(etiquetaXecs, 9, 0);
    auto* hx = new QHBoxLayout;
    hx->addWidget(XecsClient);
    hx->addWidget(serveiXecs, 1);
    g->addLayout(hx, 9, 1);
    ObservacionsClient = anomena(new QPlainTextEdit, "ObservacionsClient");
    ObservacionsClient->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    g->addWidget(new QLabel(Tradueix(QStringLiteral("Observacions:"))), 10, 0, Qt::AlignTop);
    g->addWidget(ObservacionsClient, 10, 1);
    v->addLayout(g);
    const BotonsEditor b = botonsEditor("Client");
    AfegirClient = b.afegir;
    ModificarClient = b.modificar;
    EliminarClient = b.eliminar;
    v->addLayout(b.fila);
    return frame;
}

QWidget* TabClients::creaLlocs()
{
    auto* frame = new QGroupBox;
    auto* h = new QHBoxLayout(frame);
    auto* v = new QVBoxLayout;
    v->addWidget(new QLabel(Tradueix(QStringLiteral("Llocs del Client:"))));
    LlocsLlista = anomena(new Llista, "LlocsLlista");
    v->addWidget(LlocsLlista, 1);
    h->addLayout(v, 1);
    // Two label-and-box pairs a row where the boxes are short, so the whole
    // editor fits the height the tab leaves it.
    auto* g = new QGridLayout;
    NomLloc = caixa(g, 0, 0, Tradueix(QStringLiteral("Nom:")), "NomLloc", 50, 3);
    NomLlocANT = anomena(new QLineEdit(frame), "NomLlocANT");
    NomLlocANT->setVisible(false);
    AdrecaLloc = caixa(g, 1, 0, Tradueix(QStringLiteral("Adreça:")), "AdrecaLloc", 50, 3);
    PoblacioLloc = caixa(g, 2, 0, Tradueix(QStringLiteral("Població:")), "PoblacioLloc", 50);
    TelefonLloc = caixa(g, 2, 2, Tradueix(QStringLiteral("Telèfons:")), "TelefonLloc", 15);
    MinutsPrevistLloc = caixa(g, 3, 0, Tradueix(QStringLiteral("Minuts previst:")), "MinutsPrevistLloc");
    MinutsPrevistLloc->setAlignment(Qt::AlignRight);
    QuotaLloc = caixa(g, 3, 2, Tradueix(QStringLiteral("Quota mensual:")), "QuotaLloc");
    QuotaLloc->setAlignment(Qt::AlignRight);
    PeriodicitatDiesLloc = anomena(new QLineEdit, "PeriodicitatDiesLloc");
    PeriodicitatDiesLloc->setAlignment(Qt::AlignRight);
    seleccionaTotEnEntrar(PeriodicitatDiesLloc);
    auto* periode = new QHBoxLayout;
    periode->addWidget(PeriodicitatDiesLloc, 1);
    periode->addWidget(new QLabel(Tradueix(QStringLiteral("dies"))));
    g->addWidget(new QLabel(Tradueix(QStringLiteral("Planificar cada:"))), 4, 0);
    g->addLayout(periode, 4, 1);
    DiesSetmanaCombo = anomena(new Combo, "DiesSetmanaCombo");
    HoraLlocCombo = anomena(new Combo, "HoraLlocCombo");
    RecursosCombo = anomena(new Combo, "RecursosCombo");
    for (Combo* c : {DiesSetmanaCombo, HoraLlocCombo, RecursosCombo}) c->setEsborrableAmbSupr(true);
    g->addWidget(new QLabel(Tradueix(QStringLiteral("Recurs assignat:"))), 4, 2);
    g->addWidget(RecursosCombo, 4, 3);
    g->addWidget(new QLabel(Tradueix(QStringLiteral("Planificar els:"))), 5, 0);
    g->addWidget(DiesSetmanaCombo, 5, 1);
    g->addWidget(new QLabel(Tradueix(QStringLiteral("a les:"))), 5, 2);
    g->addWidget(HoraLlocCombo, 5, 3);
    DissabteLloc = anomena(new QCheckBox(Tradueix(QStringLiteral("Inc. Dissabtes"))), "DissabteLloc");
    DiumengeLloc = anomena(new QCheckBox(Tradueix(QStringLiteral("Inc. Diumenges"))), "DiumengeLloc");
    PrimerMesLloc = anomena(new QCheckBox(Tradueix(QStringLiteral("Primer de mes"))), "PrimerMesLloc");
    UltimMesLloc = anomena(new QCheckBox(Tradueix(QStringLiteral("Final de mes"))), "UltimMesLloc");
    g->addWidget(DissabteLloc, 6, 0);
    g->addWidget(DiumengeLloc, 6, 1);
    g->addWidget(PrimerMesLloc, 6, 2);
    g->addWidget(UltimMesLloc, 6, 3);
    ObservacionsLloc = anomena(new QPlainTextEdit, "ObservacionsLloc");
    ObservacionsLloc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ObservacionsLloc->setMinimumHeight(2 * ObservacionsLloc->fontMetrics().lineSpacing() + 12);
    g->addWidget(new QLabel(Tradueix(QStringLiteral("Observacions:"))), 7, 0, Qt::AlignTop);
    g->addWidget(ObservacionsLloc, 7, 1, 1, 3);
    g->setRowStretch(7, 1);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    const BotonsEditor b = botonsEditor("Lloc");
    AfegirLloc = b.afegir;
    ModificarLloc = b.modificar;
    EliminarLloc = b.eliminar;
    g->addLayout(b.fila, 8, 0, 1, 4);
    h->addLayout(g, 2);
    return frame;
}

QWidget* TabClients::creaServeisLloc()
{
    auto* frame = new QGroupBox;
    auto* v = new QVBoxLayout(frame);
    v->addWidget(new QLabel(Tradueix(QStringLiteral("Serveis del Lloc:"))));
    ServeisLlocLlista = anomena(new Llista, "ServeisLlocLlista");
    ServeisLlocLlista->setMinimumHeight(3 * ServeisLlocLlista->fontMetrics().lineSpacing() + 8);
    v->addWidget(ServeisLlocLlista, 1);
    auto* g = new QGridLayout;
    ServeisCombo = anomena(new Combo, "ServeisCombo");
    g->addWidget(new QLabel(Tradueix(QStringLiteral("Servei:"))), 0, 0);
    g->addWidget(ServeisCombo, 0, 1);
    UnitatServeiLloc = caixa(g, 1, 0, Tradueix(QStringLiteral("Unitat:")), "UnitatServeiLloc");
    UnitatServeiLloc->setReadOnly(true);
    QuantitatServeisLloc = caixa(g, 2, 0, Tradueix(QStringLiteral("Quantitat:")), "QuantitatServeisLloc");
    PreuServeisLloc = caixa(g, 3, 0, Tradueix(QStringLiteral("Preu unitari:")), "PreuServeisLloc");
    DescripcioServeiLloc = caixa(g, 4, 0, Tradueix(QStringLiteral("Descripció:")), "DescripcioServeiLloc");
    v->addLayout(g);
    const BotonsEditor b = botonsEditor("ServeiLloc");
    AfegirServeiLloc = b.afegir;
    ModificarServeiLloc = b.modificar;
    EliminarServeiLloc = b.eliminar;
    v->addLayout(b.fila);
    return frame;
}

QWidget* TabClients::creaXecs()
{
    auto* frame = anomena(new QGroupBox, "Frame5");
    auto* v = new QVBoxLayout(frame);
    v->addWidget(new QLabel(Tradueix(QStringLiteral("Xecs * Data Liquidat:"))));
    XecsLlista = anomena(new Llista, "XecsLlista");
    XecsLlista->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    XecsLlista->setMinimumHeight(3 * XecsLlista->fontMetrics().lineSpacing() + 8);
    v->addWidget(XecsLlista, 1);
    auto* g = new QGridLayout;
    IdXec = caixa(g, 0, 0, Tradueix(QStringLiteral("Nro. de Xec:")), "IdXec");
    ValorXec = caixa(g, 1, 0, Tradueix(QStringLiteral("Valor:")), "ValorXec");
    DataEntregaXec = caixa(g, 2, 0, Tradueix(QStringLiteral("Data d'entrega:")), "DataEntregaXec");
    DataLiquidatXec = caixa(g, 3, 0, Tradueix(QStringLiteral("Data liquidat:")), "DataLiquidatXec");
    IdFeinaXec = caixa(g, 4, 0, Tradueix(QStringLiteral("Feina assignada:")), "IdFeinaXec");
    for (QLineEdit* shown : {DataEntregaXec, DataLiquidatXec, IdFeinaXec}) delPrograma(shown);
    v->addLayout(g);
    const BotonsEditor b = botonsEditor("Xec");
    AfegirXec = b.afegir;
    ModificarXec = b.modificar;
    EliminarXec = b.eliminar;
    v->addLayout(b.fila);
    return frame;
}

void TabClients::setClientsCombo(QComboBox* combo)
{
    ClientsCombo = combo;
}

QComboBox* TabClients::serveisCombo() const
{
    return ServeisCombo;
}

QComboBox* TabClients::recursosCombo() const
{
    return RecursosCombo;
}

QString TabClients::clientMostrat() const
{
    return NomClientANT->text();
}

// ---------------------------------------------------------------- clients

void TabClients::Omple_Clients()
{
    ClientsLlista->clear();
    if (ClientsCombo) ClientsCombo->clear();
    const QStringList noms = Dades::nomsClients();
    for (const QString& nom : noms) {
        ClientsLlista->addItem(nom);
        if (ClientsCombo) ClientsCombo->addItem(nom);
    }
    for (QLineEdit* box : {NomClient, NomClientANT, NIFClient, AdrecaClient, PoblacioClient, CodiPostalClient,
                           TelefonsClient, EmailClient, CccClient, DataAltaClient})
        box->clear();
    XecsClient->setChecked(false);
    ObservacionsClient->clear();
    bloquejaXecs(true);
    bloquejaLlocs(true);
    bloquejaServeisLloc(true);
    if (!noms.isEmpty()) seleccionaClient(0);
    G.FacturacioPendent = true;
    if (ClientsCombo) ClientsCombo->setCurrentIndex(-1);
}

void TabClients::seleccionaClient(int index)
{
    ClientsLlista->posaIndex(index);
    protegeix(QString(), [this] { ClientsLlista_Click(); });
}

void TabClients::ClientsLlista_Click()
{
    if (auto c = Dades::llegeixClient(ClientsLlista->textTriat())) {
        NomClient->setText(c->nom);
        NomClientANT->setText(c->nom);
        NIFClient->setText(c->nif);
        AdrecaClient->setText(c->adreca);
        PoblacioClient->setText(c->poblacio);
        CodiPostalClient->setText(c->codiPostal);
        TelefonsClient->setText(c->telefons);
        CccClient->setText(c->ccc);
        EmailClient->setText(c->email);
        QString alta = Conv::shortDate(c->dataAlta.date());
        if (c->dataAlta.time() != QTime(0, 0))
            alta += QStringLiteral(" ") + c->dataAlta.time().toString(QStringLiteral("HH:mm:ss"));
        DataAltaClient->setText(alta);
        XecsClient->setChecked(c->xecs);
        ObservacionsClient->setPlainText(c->observacions);
    }
    Omple_Llocs_Client();
    Omple_Serveis_Lloc();
    Omple_Xecs_Client();
}

bool TabClients::mostraLloc(const QString& lloc)
{
    const auto l = Dades::llegeixLloc(lloc);
    if (!l) return false;
    const auto clients = ClientsLlista->findItems(l->client, Qt::MatchFixedString);
    if (clients.isEmpty()) return false;
    seleccionaClient(ClientsLlista->row(clients.first()));
    const auto llocs = LlocsLlista->findItems(l->nom, Qt::MatchFixedString);
    if (llocs.isEmpty()) return false;
    seleccionaLloc(LlocsLlista->row(llocs.first()));
    return true;
}

namespace {
Dades::Client clientDe(const QLineEdit* nom, const QLineEdit* nif, const QLineEdit* adreca, const QLineEdit* poblacio,
                       const QLineEdit* cp, const QLineEdit* tel, const QLineEdit* ccc, const QLineEdit* email,
                       const QCheckBox* xecs, const QPlainTextEdit* obs)
{
    Dades::Client c;
    c.nom = nom->text();
    c.nif = nif->text();
    c.adreca = adreca->text();
    c.poblacio = poblacio->text();
    c.codiPostal = cp->text();
    c.telefons = tel->text();
    c.ccc = ccc->text();
    c.email = email->text();
    c.xecs = xecs->isChecked();
    c.observacions = obs->toPlainText();
    return c;
}
} // namespace

void TabClients::AfegirClient_Click()
{
    protegeix(QStringLiteral("ERROR"), [this] {
        NomClient->setText(NomClient->text().trimmed());
        if (NomClient->text().isEmpty()) return;
        if (refusa(Dades::existeix(Dades::Taula::Clients, NomClient->text()),
                   Tradueix(QStringLiteral("El client ja existeix"))))
            return;
        Dades::Client c = clientDe(NomClient, NIFClient, AdrecaClient, PoblacioClient, CodiPostalClient,
                                   TelefonsClient, CccClient, EmailClient, XecsClient, ObservacionsClient);
        const QDateTime ara = Clock::now();
        c.dataAlta = QDateTime(ara.date(), QTime(ara.time().hour(), ara.time().minute(), ara.time().second()));
        Dades::afegeixClient(c);
        Omple_Clients();
        Omple_Llocs_Client();
        Omple_Serveis_Lloc();
        Omple_Xecs_Client();
    });
}

void TabClients::ModificarClient_Click()
{
    protegeix(QString(), [this] {
        NomClient->setText(NomClient->text().trimmed());
        const QString ant = NomClientANT->text();
        if (NomClient->text().isEmpty() || ant.isEmpty()) return;
        if (refusa(!Dades::existeix(Dades::Taula::Clients, ant), Tradueix(QStringLiteral("El client no existeix"))))
            return;
        if (refusa(XecsClient->isChecked() && Dades::clientTeLlocsAmbQuota(ant),
                   Tradueix(QStringLiteral("El client té llocs amb quota. No pot tenir xecs"))))
            return;
        if (refusa(Dades::nomOcupat(Dades::Taula::Clients, NomClient->text(), ant),
                   Tradueix(QStringLiteral("El client ja existeix"))))
            return;
        Dades::modificaClient(ant, clientDe(NomClient, NIFClient, AdrecaClient, PoblacioClient, CodiPostalClient,
                                            TelefonsClient, CccClient, EmailClient, XecsClient, ObservacionsClient));
        Omple_Clients();
    });
}

void TabClients::EliminarClient_Click()
{
    protegeix(QString(), [this] {
        NomClient->setText(NomClient->text().trimmed());
        const QString nom = NomClient->text();
        if (nom.isEmpty()) return;
        if (refusa(!Dades::existeix(Dades::Taula::Clients, nom), Tradueix(QStringLiteral("El client no existeix"))))
            return;
        if (refusa(Dades::referencies(Dades::Taula::Clients, nom))) return;
        Dades::eliminaClient(nom);
        Omple_Clients();
        Omple_Llocs_Client();
        Omple_Serveis_Lloc();
        Omple_Xecs_Client();
        crida(Principal().Omple_Graella_Llocs);
    });
}
