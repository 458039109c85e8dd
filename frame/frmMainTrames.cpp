// Construction of the main window's tab pages: each tab is a page of its own,
// filling the tab's frame.
#include "frmMain.h"

#include "Graella.h"
#include "SeleccionaTot.h"
#include "Versio.h"

#include "frmMainPagines.h"

#include <QFrame>
#include <QLabel>
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

QWidget* frmMain::construeixFacturacio(QWidget* t)
{
    m_tabFacturacio = pagina<TabFacturacio>(t, "TabFacturacio");
    // A refused billing month keeps its tab shown, whichever tab was clicked.
    connect(m_tabFacturacio, &TabFacturacio::retenPestanya, this, [this] { Pestanyes_Click(2); });
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
