// Construction of the main window's tab pages. The billing (tab 2) gets its
// controls here; the other tabs are pages of their own.
#include "frmMain.h"

#include "Graella.h"
#include "RodaRatoli.h"
#include "SeleccionaTot.h"
#include "Versio.h"

#include "frmMainPagines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

template <class W>
W* posa(W* w, const char* name, int x, int y, int width, int height)
{
    if (name) w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(x, y, width, height);
    return w;
}

QLabel* etiqueta(QWidget* parent, const QString& text, const char* name, int x, int y, int width, int height = 20)
{
    return posa(new QLabel(text, parent), name, x, y, width, height);
}

QPushButton* boto(QWidget* parent, const QString& text, const char* name, int x, int y, int width, int height = 28)
{
    return posa(new QPushButton(text, parent), name, x, y, width, height);
}

QLineEdit* caixa(QWidget* parent, const char* name, int x, int y, int width, int height = 22)
{
    return posa(new QLineEdit(parent), name, x, y, width, height);
}

// Gives a grid the one-row-per-wheel-step scrolling while it has the focus;
// without the focus the wheel leaves it where it is.
class FiltreFocusRoda : public QObject {
public:
    using QObject::QObject;
    void vigila(Graella* g)
    {
        g->installEventFilter(this);
        g->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (auto* g = qobject_cast<Graella*>(watched)) {
            if (event->type() == QEvent::FocusIn) Activa_Roda_Ratoli(g);
            else if (event->type() == QEvent::FocusOut) Desactiva_Roda_Ratoli(g);
        } else if (event->type() == QEvent::Wheel) {
            // The hook, while on, takes the wheel before this filter sees it.
            auto* g = qobject_cast<Graella*>(watched->parent());
            return g && g->viewport() == watched && Graella_Roda_Ratoli() != g;
        }
        return false;
    }
};

} // namespace

void frmMain::construeix()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Torvanel"));
    setWindowIcon(QIcon(Versio::logo(QSize(64, 64))));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    // The designed client area is the smallest; a larger window gives the
    // tab frames the extra room.
    central->setMinimumSize(tw(14370), tw(9915) - 24);
    central->resize(central->minimumSize());
    setCentralWidget(central);

    Pestanyes = new QTabBar(central);
    Pestanyes->setObjectName(QStringLiteral("Pestanyes"));
    Pestanyes->setDrawBase(true);
    Pestanyes->setExpanding(false);
    for (const char* caption : {"Agenda", "Facturació", "Clients", "Recursos i Serveis", "Crèdits"})
        Pestanyes->addTab(QString::fromUtf8(caption));
    Pestanyes->setGeometry(tw(240), tw(120), tw(14370) - 2 * tw(240), tw(360));

    Trama.resize(6);
    for (int i = 1; i <= 5; ++i) {
        auto* f = new QFrame(central);
        f->setObjectName(QStringLiteral("Trama%1").arg(i));
        f->setGeometry(tw(360), tw(480), tw(13815), tw(9015));
        Trama[i] = f;
    }
    construeixAgenda(Trama[1]);
    construeixFacturacio(Trama[2]);
    construeixClients(Trama[3]);
    construeixRecursos(Trama[4]);
    construeixCredits(Trama[5]);
    ajustaTrames(central);

    connect(Pestanyes, &QTabBar::currentChanged, this, [this](int i) { Pestanyes_Click(i + 1); });

    // Selecting the whole text on focus, for the boxes that ask for it.
    SeleccionaTot::instal(this, {QStringLiteral("NomClient"), QStringLiteral("NIFClient"),
                                 QStringLiteral("AdrecaClient"), QStringLiteral("PoblacioClient"),
                                 QStringLiteral("CodiPostalClient"), QStringLiteral("TelefonsClient"),
                                 QStringLiteral("CccClient"), QStringLiteral("EmailClient"), QStringLiteral("NomLloc"),
                                 QStringLiteral("AdrecaLloc"), QStringLiteral("PoblacioLloc"),
                                 QStringLiteral("TelefonLloc"), QStringLiteral("MinutsPrevistLloc"),
                                 QStringLiteral("PeriodicitatDiesLloc"), QStringLiteral("QuotaLloc"),
                                 QStringLiteral("QuantitatServeisLloc"), QStringLiteral("PreuServeisLloc"),
                                 QStringLiteral("IdXec"), QStringLiteral("NomServei"), QStringLiteral("UnitatServei"),
                                 QStringLiteral("MinutsUnitatServei"), QStringLiteral("PreuUnServei"),
                                 QStringLiteral("NomRecurs"), QStringLiteral("TotalPagaments")});
}

void frmMain::ajustaTrames(QWidget* central)
{
    // The pages placed by a layout must fit whole: with larger fonts than
    // the design's, the frames (and the window) grow instead of squeezing
    // the controls over each other.
    QSize cal = Trama[1]->size();
    for (int i = 1; i <= 5; ++i)
        if (Trama[i]->layout()) cal = cal.expandedTo(Trama[i]->layout()->minimumSize());
    central->setMinimumSize(central->minimumSize() + (cal - Trama[1]->size()));
    m_margeTrames = central->minimumSize() - cal;
    m_margePestanyes = central->minimumWidth() - Pestanyes->width() - (cal.width() - Trama[1]->width());
    segueixMida(central->minimumSize());
}

void frmMain::segueixMida(const QSize& mida)
{
    for (int i = 1; i <= 5; ++i) Trama[i]->resize(mida - m_margeTrames);
    Pestanyes->resize(mida.width() - m_margePestanyes, Pestanyes->height());
}

QWidget* frmMain::construeixFacturacio(QWidget* t)
{
    etiqueta(t, QStringLiteral("Client:"), "LabelClient", 0, 4, 56);
    ClientsCombo = posa(new QComboBox(t), "ClientsCombo", 60, 0, 260, 24);
    etiqueta(t, QStringLiteral("Mes:"), "LabelMes", 340, 4, 40);
    mesFactura = caixa(t, "mesFactura", 380, 1, 80);
    PdtFacturar = posa(new QCheckBox(QStringLiteral("Només pendents de facturar"), t), "PdtFacturar", 480, 2, 260, 22);

    FacturaGrid = posa(new Graella(t), "FacturaGrid", 0, 34, 921, 300);
    etiqueta(t, QStringLiteral("Total serveis realitzats:"), "Label59", 560, 340, 200)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caixa(t, "TotalServeis", 770, 338, 110)->setReadOnly(true);
    etiqueta(t, QStringLiteral("€"), "Label58", 886, 340, 20);

    etiqueta(t, QStringLiteral("Xecs:"), "Label57", 0, 368, 100);
    XecsGrid = posa(new Graella(t), "XecsGrid", 0, 388, 600, 140);
    etiqueta(t, QStringLiteral("Total xecs liquidats:"), "Label61", 610, 390, 150)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caixa(t, "TotalNXecs", 770, 388, 40)->setReadOnly(true);
    caixa(t, "TotalXecs", 815, 388, 65)->setReadOnly(true);
    etiqueta(t, QStringLiteral("€"), "Label60", 886, 390, 20);

    etiqueta(t, QStringLiteral("Pagaments a compte:"), "LabelPagaments", 560, 538, 200)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caixa(t, "TotalPagaments", 770, 536, 110);
    etiqueta(t, QStringLiteral("€"), "LabelEuroPagaments", 886, 538, 20);
    etiqueta(t, QStringLiteral("Total a facturar:"), "LabelFacturar", 560, 568, 200)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caixa(t, "TotalFacturar", 770, 566, 110)->setReadOnly(true);
    etiqueta(t, QStringLiteral("€"), "LabelEuroFacturar", 886, 568, 20);

    boto(t, QStringLiteral("Imprimir Facturació"), "ImprimirFacturacio", 0, 566, 160);
    boto(t, QStringLiteral("Imprimir Xecs"), "ImprimirXecs", 170, 566, 160);
    boto(t, QStringLiteral("Imprimir Hores"), "ImprimirHores", 340, 566, 160);

    auto* roda = new FiltreFocusRoda(this);
    roda->vigila(FacturaGrid);
    roda->vigila(XecsGrid);
    return t;
}

namespace {

// A tab whose content is a widget of its own, filling the tab's frame.
template <class Pagina>
Pagina* pagina(QWidget* trama, const char* name)
{
    auto* v = new QVBoxLayout(trama);
    v->setContentsMargins(0, 0, 0, 0);
    auto* w = new Pagina(trama);
    w->setObjectName(QString::fromLatin1(name));
    v->addWidget(w);
    return w;
}

} // namespace

QWidget* frmMain::construeixAgenda(QWidget* t)
{
    m_tabAgenda = pagina<TabAgenda>(t, "TabAgenda");
    return t;
}

QWidget* frmMain::construeixClients(QWidget* t)
{
    m_tabClients = pagina<TabClients>(t, "TabClients");
    return t;
}

QWidget* frmMain::construeixRecursos(QWidget* t)
{
    m_tabRecursos = pagina<TabRecursosServeis>(t, "TabRecursosServeis");
    return t;
}

QWidget* frmMain::construeixCredits(QWidget* t)
{
    picLogoTL = posa(new QLabel(t), "picLogoTL", 40, 40, 420, 130);
    picLogoTL->setPixmap(Versio::logo(QSize(420, 130)));
    picLogoTL->setCursor(Qt::PointingHandCursor);
    lblProductName = etiqueta(t, QStringLiteral("Nom del Producte"), "lblProductName", 40, 200, 800, 36);
    QFont f = lblProductName->font();
    f.setPointSize(f.pointSize() + 8);
    f.setBold(true);
    lblProductName->setFont(f);
    lblCodVersion = etiqueta(t, QStringLiteral("Codi de Versió:"), "lblCodVersion", 40, 250, 800, 24);
    lblCompanyName = etiqueta(t, QStringLiteral("Personalitzat per:"), "lblCompanyName", 40, 280, 800, 24);
    QLabel* avis = etiqueta(t, QStringLiteral("Per a consultes i suport tècnic, visiteu el web de Torvanel: torvanel.example"),
                            "Label74", 40, 340, 800, 60);
    avis->setWordWrap(true);
    return t;
}
