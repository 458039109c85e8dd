// The "Facturació" tab: layout, the choice of month and client, payments on
// account and the computation of the shown month.
#include "TabFacturacio.h"

#include "CalculFacturacio.h"
#include "Clock.h"
#include "Consultes.h"
#include "Controls.h"
#include "Globals.h"
#include "Graella.h"
#include "InformeHores.h"
#include "InformeXecs.h"
#include "LecturaFacturacio.h"
#include "MarcPagina.h"
#include "MessageBox.h"
#include "Principal.h"
#include "RenderFacturacio.h"
#include "RodaRatoli.h"
#include "Traduccio.h"
#include "ValidacioLloc.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The page that installed the main window's billing operation.
TabFacturacio* g_instalada = nullptr;

QLabel* etiqueta(const QString& text, const char* name, bool dreta = false)
{
    auto* l = anomena(new QLabel(text), name);
    if (dreta) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLineEdit* total(const char* name, int amplada)
{
    auto* box = anomena(new QLineEdit, name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(amplada);
    box->setFocusPolicy(Qt::ClickFocus);
    return box;
}

QPushButton* boto(const QString& text, const char* name)
{
    return anomena(new QPushButton(text), name);
}

// A focus loss that is the user's leaving the box (not another window or a
// popup taking the focus for a while, nor the window closing).
bool surtDeVeritat(QWidget* box, QEvent* event)
{
    const Qt::FocusReason r = static_cast<QFocusEvent*>(event)->reason();
    return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason && box->window()->isVisible();
}

} // namespace

TabFacturacio::TabFacturacio(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabFacturacio"));
    construeix();
    Prepara_Graelles_Facturacio(FacturaGrid, XecsGrid);
    // The amounts of the last column show whole beside the scroll bar: the
    // site's (the client's) column makes the room.
    FacturaGrid->setFitCol(2);
    XecsGrid->setFitCol(3);

    connect(ClientsCombo, &QComboBox::currentIndexChanged, this, &TabFacturacio::canviClientCombo);
    // Refilling the list moves the selection on its own; only a choice counts.
    QAbstractItemModel* model = ClientsCombo->model();
    for (auto senyal : {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsAboutToBeRemoved})
        connect(model, senyal, this, [this] { m_llistaCanviant = true; });
    for (auto senyal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, senyal, this, [this] { m_llistaCanviant = false; });
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_llistaCanviant = true; });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { m_llistaCanviant = false; });
    connect(PdtFacturar, &QCheckBox::toggled, this, &TabFacturacio::PdtFacturar_Click);
    connect(FacturaGrid, &QTableWidget::cellDoubleClicked, this, &TabFacturacio::FacturaGrid_DblClick);
    connect(ImprimirFacturacio, &QPushButton::clicked, this, &TabFacturacio::ImprimirFacturacio_Click);
    connect(ImprimirXecs, &QPushButton::clicked, this, &TabFacturacio::ImprimirXecs_Click);
    connect(ImprimirHores, &QPushButton::clicked, this, &TabFacturacio::ImprimirHores_Click);
    for (QWidget* w : std::initializer_list<QWidget*>{mesFactura, TotalPagaments, FacturaGrid, XecsGrid})
        w->installEventFilter(this);
    for (Graella* g : {FacturaGrid, XecsGrid}) {
        g->viewport()->installEventFilter(this);
        g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 6);
    }
    aplicaMode();
}

TabFacturacio::~TabFacturacio()
{
    if (g_instalada == this) {
        Principal().Calcula_Facturacio_Client = nullptr;
        g_instalada = nullptr;
    }
    if (Graella_Roda_Ratoli() == FacturaGrid || Graella_Roda_Ratoli() == XecsGrid) Desactiva_Roda_Ratoli();
}

void TabFacturacio::construeix()
{
    Label52 = etiqueta(Tradueix(QStringLiteral("Client:")), "Label52");
    ClientsCombo = anomena(new Combo, "ClientsCombo");
    ClientsCombo->setEsborrableAmbSupr(true);
    ClientsCombo->setMinimumWidth(260);
    Label51 = etiqueta(Tradueix(QStringLiteral("Mes:")), "Label51");
    mesFactura = anomena(new QLineEdit, "mesFactura");
    mesFactura->setFixedWidth(80);
    Label53 = etiqueta(Tradueix(QStringLiteral("Pdt. de facturar:")), "Label53");
    PdtFacturar = anomena(new QCheckBox, "PdtFacturar");
    Label53->setBuddy(PdtFacturar);

    FacturaGrid = anomena(new Graella, "FacturaGrid");
    Label59 = etiqueta(Tradueix(QStringLiteral("Total serveis realitzats:")), "Label59", true);
    TotalServeis = total("TotalServeis", 110);
    Label58 = etiqueta(Tradueix(QStringLiteral("€")), "Label58");

    Label57 = etiqueta(Tradueix(QStringLiteral("Xecs:")), "Label57");
    XecsGrid = anomena(new Graella, "XecsGrid");
    Label61 = etiqueta(Tradueix(QStringLiteral("Total xecs liquidats:")), "Label61", true);
    TotalNXecs = total("TotalNXecs", 40);
    TotalXecs = total("TotalXecs", 110);
    Label60 = etiqueta(Tradueix(QStringLiteral("€")), "Label60");
    Label67 = etiqueta(Tradueix(QStringLiteral("Total pagaments efectuats:")), "Label67", true);
    TotalPagaments = anomena(new QLineEdit, "TotalPagaments");
    TotalPagaments->setAlignment(Qt::AlignRight);
    TotalPagaments->setFixedWidth(110);
    Label68 = etiqueta(Tradueix(QStringLiteral("€")), "Label68");
    Label54 = etiqueta(Tradueix(QStringLiteral("TOTAL A PAGAR:")), "Label54", true);
    QFont negreta = Label54->font();
    negreta.setBold(true);
    Label54->setFont(negreta);
    TotalFacturar = total("TotalFacturar", 110);
    TotalFacturar->setFont(negreta);
    for (QLineEdit* box : {TotalServeis, TotalNXecs, TotalXecs, TotalPagaments, TotalFacturar}) xifraSencera(box);
    Label55 = etiqueta(Tradueix(QStringLiteral("€")), "Label55");

    ImprimirFacturacio = boto(Tradueix(QStringLiteral("Imprimir dades facturació")), "ImprimirFacturacio");
    ImprimirXecs = boto(Tradueix(QStringLiteral("Imprimir xecs liquidats")), "ImprimirXecs");
    ImprimirHores = boto(Tradueix(QStringLiteral("Imprimir hores extra")), "ImprimirHores");

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    auto* dalt = new QHBoxLayout;
    dalt->addWidget(Label52);
    dalt->addWidget(ClientsCombo);
    dalt->addSpacing(16);
    dalt->addWidget(Label51);
    dalt->addWidget(mesFactura);
    dalt->addSpacing(16);
    dalt->addWidget(Label53);
    dalt->addWidget(PdtFacturar);
    dalt->addStretch(1);
    v->addLayout(dalt);
    v->addWidget(FacturaGrid, 3);

    auto* totals = new QGridLayout;
    totals->setColumnStretch(0, 1);
    // A total's row: its label, its box (or two side by side) and its unit.
    auto fila = [](QGridLayout* g, int r, QLabel* l, QWidget* a, QWidget* b, QLabel* euro) {
        g->addWidget(l, r, 1);
        if (b) {
            auto* h = new QHBoxLayout;
            h->setContentsMargins(0, 0, 0, 0);
            h->addWidget(a);
            h->addWidget(b);
            g->addLayout(h, r, 2, Qt::AlignRight);
        } else {
            g->addWidget(a, r, 2, Qt::AlignRight);
        }
        g->addWidget(euro, r, 3);
    };
    fila(totals, 0, Label59, TotalServeis, nullptr, Label58);
    v->addLayout(totals);

    auto* xecs = new QGridLayout;
    m_capsaXecs = xecs;
    xecs->addWidget(Label57, 0, 0);
    xecs->addWidget(XecsGrid, 1, 0, 4, 1);
    xecs->setColumnStretch(0, 1);
    xecs->setRowStretch(4, 1);
    fila(xecs, 1, Label61, TotalNXecs, TotalXecs, Label60);
    fila(xecs, 2, Label67, TotalPagaments, nullptr, Label68);
    fila(xecs, 3, Label54, TotalFacturar, nullptr, Label55);
    v->addLayout(xecs, 2);

    auto* botons = new QHBoxLayout;
    for (QPushButton* b : {ImprimirFacturacio, ImprimirXecs, ImprimirHores}) botons->addWidget(b);
    botons->addStretch(1);
    v->addLayout(botons);
}

void TabFacturacio::inicia()
{
    PdtFacturar->setChecked(false);
    mesFactura->setText(mesPerDefecte());
    amagaControlsXecs();
    aplicaMode();
    instalOperacions();
}

void TabFacturacio::instalOperacions()
{
    Principal().Calcula_Facturacio_Client = [this] { Calcula_Facturacio_Client(); };
    g_instalada = this;
}

QComboBox* TabFacturacio::clientsCombo() const
{
    return ClientsCombo;
}

QString TabFacturacio::clientTriat() const
{
    return ClientsCombo->currentIndex() >= 0 ? ClientsCombo->currentText() : QString();
}

void TabFacturacio::amagaControlsXecs()
{
    if (!G.ServeiXecs.isEmpty()) return;
    for (QWidget* w : std::initializer_list<QWidget*>{Label57, XecsGrid, Label61, TotalNXecs, TotalXecs, Label60,
                                                      ImprimirXecs})
        w->hide();
    // The billing grid takes the cheques' room.
    if (auto* v = qobject_cast<QVBoxLayout*>(layout())) v->setStretch(v->indexOf(m_capsaXecs), 0);
}

QString TabFacturacio::mesPerDefecte() const
{
    return mesDeData(G.DataAgenda.isValid() ? G.DataAgenda : Clock::today());
}

void TabFacturacio::aplicaMode()
{
    const bool client = ClientsCombo->currentIndex() >= 0;
    PdtFacturar->setEnabled(client);
    TotalPagaments->setEnabled(client);
    ImprimirHores->setEnabled(!client);
    ImprimirXecs->setEnabled(!client);
    Label61->setText(Tradueix(client ? QStringLiteral("Total xecs assignats:") : QStringLiteral("Total xecs liquidats:")));
    ImprimirFacturacio->setText(Tradueix(client ? QStringLiteral("Facturar client")
                                                : QStringLiteral("Imprimir dades facturació")));
    for (QWidget* w : std::initializer_list<QWidget*>{Label58, Label59, TotalServeis, Label54, Label55, TotalFacturar,
                                                      Label67, Label68, TotalPagaments})
        w->setVisible(client);
}

void TabFacturacio::mostraPagament(const Decimal& import, const QString& client, const QString& mes, bool pendents)
{
    TotalPagaments->setText(import.isZero() ? QString() : import.toGroupedString());
    m_caixaPagament = {client, mes, pendents, TotalPagaments->text()};
}

bool TabFacturacio::Calcula_Facturacio_Client()
{
    m_resultatVell = true;
    try {
        const auto periode = periodeDelMes(mesFactura->text());
        if (!periode) {
            MsgBox::show(Tradueix(QStringLiteral("Mes erroni (format: 'mm/aaaa')")));
            return false;
        }
        EntradaFacturacio e;
        e.client = clientTriat();
        e.totsClients = ClientsCombo->currentIndex() < 0;
        e.mes = mesFactura->text();
        e.periode = *periode;
        e.pendents = PdtFacturar->isChecked();
        // The stored payment, whatever the box holds.
        if (!e.totsClients) e.pagament = Pagament_Mes(e.mes, e.client);
        e.parametres = ParametresFacturacio::delsGlobals();
        mostra(calculaMes(e));
        m_resultatVell = false;
        G.FacturacioPendent = false;
        return true;
    } catch (const std::exception& ex) {
        avisaError(Tradueix(QString::fromUtf8(ex.what())));
    } catch (...) {
        avisaError(QStringLiteral("?"));
    }
    return false;
}

void TabFacturacio::avisaError(const QString& descripcio)
{
    if (!m_errorRetingut) {
        MsgBox::error(descripcio);
    } else if (m_errorRetingut->isEmpty()) {
        *m_errorRetingut = descripcio.isEmpty() ? QStringLiteral("?") : descripcio;
    }
}

void TabFacturacio::mostra(FacturacioMes r)
{
    // The billing run keeps each client's month for its summary only.
    if (m_nomesCalcula) {
        m_resultat = std::move(r);
        return;
    }
    const PosicioGraella factura = posicioDe(FacturaGrid);
    const PosicioGraella xecs = posicioDe(XecsGrid);
    pintaFacturacio(r, FacturaGrid, XecsGrid, ColorsFacturacio::delsGlobals());
    restauraPosicio(FacturaGrid, factura);
    if (r.ambXecs) restauraPosicio(XecsGrid, xecs);
    // The payment this month's invoice takes (a payment being typed stays until the box is left).
    if (!(TotalPagaments->hasFocus() && TotalPagaments->isModified())) {
        if (r.totsClients)
            mostraPagament(Decimal(), QString(), r.mes, r.pendents);
        else
            mostraPagament(r.pagaments, r.client, r.mes, r.pendents);
    }
    TotalServeis->setText(r.totsClients ? QString() : r.totalServeis.toGroupedString());
    TotalFacturar->setText(r.totsClients ? QString() : r.totalFacturar.toGroupedString());
    TotalNXecs->setText(r.ambXecs ? QString::number(r.nombreXecs) : QString());
    TotalXecs->setText(r.ambXecs ? r.totalXecs.toGroupedString() : QString());
    m_resultat = std::move(r);
}

// ---------------------------------------------------------------- month

void TabFacturacio::mesFactura_GotFocus()
{
    if (mesFactura->text().isEmpty()) mesFactura->setText(mesPerDefecte());
}

void TabFacturacio::mesFactura_LostFocus()
{
    if (m_validantMes) return;
    m_validantMes = true;
    try {
        if (mesFactura->text().isEmpty()) mesFactura->setText(mesPerDefecte());
        mesFactura->setText(mesFactura->text().trimmed());
        const QString mes = mesFactura->text();
        if (!periodeDelMes(mes)) {
            MsgBox::show(Tradueix(QStringLiteral("Mes erroni (format: 'mm/aaaa')")));
            // Once the change of focus (or of tab) that left the box is over.
            QTimer::singleShot(0, this, [this] {
                emit retenPestanya();
                mesFactura->setFocus(Qt::OtherFocusReason);
            });
        } else {
            if (mes != m_mesAnterior) {
                // A payment typed for the month shown is that month's.
                desaPagamentEscrit();
                Calcula_Facturacio_Client();
            }
            m_mesAnterior = mes;
        }
    } catch (const std::exception& ex) {
        MsgBox::error(QString::fromUtf8(ex.what()));
    }
    m_validantMes = false;
}

// ---------------------------------------------------------------- client

void TabFacturacio::canviClientCombo()
{
    if (m_llistaCanviant) return;
    // A refill that leaves the shown client chosen is no new choice.
    if (clientTriat() == m_clientMostrat && (ClientsCombo->currentIndex() < 0) == m_clientMostrat.isEmpty()) return;
    ClientsCombo_Click();
}

void TabFacturacio::ClientsCombo_Click()
{
    // A payment typed for the client shown is that client's.
    desaPagamentEscrit();
    m_clientMostrat = clientTriat();
    // The computation shows the client's payment with the month.
    Calcula_Facturacio_Client();
    aplicaMode();
}

void TabFacturacio::PdtFacturar_Click()
{
    if (ClientsCombo->currentIndex() < 0) return;
    // What was typed is read as the box showed it: the whole payment, or
    // the part no invoice has taken yet.
    desaPagamentEscrit();
    Calcula_Facturacio_Client();
}

// ---------------------------------------------------------------- payments

void TabFacturacio::TotalPagaments_LostFocus()
{
    desaPagament();
}

bool TabFacturacio::desaPagamentEscrit()
{
    if (TotalPagaments->text() == m_caixaPagament.text) return true;
    return desaPagament();
}

// The box's text as the payment of the month and client the box shows.
bool TabFacturacio::desaPagament()
{
    const CaixaPagament caixa = m_caixaPagament;
    // Once at a time: a message shown while storing lets other roads out in.
    if (m_desantPagament || caixa.client.isEmpty() || !periodeDelMes(caixa.mes)) return true;
    m_desantPagament = true;
    const auto fi = qScopeGuard([this] { m_desantPagament = false; });
    try {
        const QString text = TotalPagaments->text();
        const PagamentMes desat = Pagament_Mes(caixa.mes, caixa.client);
        // A text that is no number, or a number past the limit of every typed
        // amount, is refused saying why; the stored payment stays and shows again.
        Decimal llegit;
        if (!text.trimmed().isEmpty()) {
            const Camps::Lectura lectura = Camps::llegeixDecimal(text, llegit);
            if (lectura != Camps::Lectura::Ok) {
                MsgBox::show(Camps::refus(lectura, text, Tradueix(QStringLiteral("El pagament ha de ser numèric"))));
                mostraPagament(desat.perFacturar(caixa.pendents), caixa.client, caixa.mes, caixa.pendents);
                return false;
            }
        }
        // Showing only what is still to invoice, the box holds the part of the
        // payment that no invoice has taken yet.
        const Decimal pagament = Grava_Import_Pagament(caixa.mes, caixa.client,
                                                       caixa.pendents ? llegit.roundedCents() + desat.facturat : llegit);
        const Decimal pren = PagamentMes{pagament, desat.facturat}.perFacturar(caixa.pendents);
        mostraPagament(pren, caixa.client, caixa.mes, caixa.pendents);
        if (m_resultat.calculat && !m_resultat.totsClients && m_resultat.client == caixa.client
            && m_resultat.mes == caixa.mes && m_resultat.pendents == caixa.pendents) {
            m_resultat.pagamentMes = pagament;
            m_resultat.pagaments = pren;
            m_resultat.totalFacturar = totalAFacturar(m_resultat, pren);
            TotalFacturar->setText(m_resultat.totalFacturar.toGroupedString());
        }
        return true;
    } catch (const std::exception& ex) {
        MsgBox::error(QString::fromUtf8(ex.what()));
    }
    return false;
}

// ---------------------------------------------------------------- events

bool TabFacturacio::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type t = event->type();
    if (watched == mesFactura) {
        if (t == QEvent::FocusIn) mesFactura_GotFocus();
        if (t == QEvent::FocusOut && surtDeVeritat(mesFactura, event)) mesFactura_LostFocus();
    } else if (watched == TotalPagaments) {
        if (t == QEvent::FocusOut && surtDeVeritat(TotalPagaments, event)) TotalPagaments_LostFocus();
    } else if (auto* g = qobject_cast<Graella*>(watched)) {
        // The wheel scrolls a grid one row per step while it has the focus.
        if (t == QEvent::FocusIn) Activa_Roda_Ratoli(g);
        if (t == QEvent::FocusOut) Desactiva_Roda_Ratoli(g);
        if (t == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (g == FacturaGrid) FacturaGrid_KeyDown(key);
            else XecsGrid_KeyDown(key);
            return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space || key == Qt::Key_Delete;
        }
    } else if (t == QEvent::Wheel) {
        // Without the focus the wheel leaves the grid where it is (the hook,
        // while on, takes the wheel before this filter sees it).
        auto* grid = qobject_cast<Graella*>(watched->parent());
        return grid && grid->viewport() == watched && Graella_Roda_Ratoli() != grid;
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- print buttons

void TabFacturacio::ImprimirFacturacio_Click()
{
    protegeix(QString(), [this] {
        if (ClientsCombo->currentIndex() < 0)
            Calcul_Dades_Facturacio();
        else if (desaPagamentEscrit())   // the invoice takes the payment typed
            Facturar_Client();
    });
}

// The month's reports take the month in the box (invalid when it is no
// month: the document ends through its error path).
QDate TabFacturacio::iniciMesQuadre() const
{
    const auto periode = periodeDelMes(mesFactura->text());
    return periode ? periode->inici : QDate();
}

void TabFacturacio::ImprimirXecs_Click()
{
    protegeix(QString(), [this] { anunciaDesti(Imprimeix_Xecs(iniciMesQuadre(), G.ServeiXecs, this), this); });
}

void TabFacturacio::ImprimirHores_Click()
{
    protegeix(QString(), [this] { anunciaDesti(Imprimeix_Hores_Extres(iniciMesQuadre(), this), this); });
}
