#include "frmMain.h"

#include "Arrencada.h"
#include "Clock.h"
#include "Configuracio.h"
#include "Convert.h"
#include "EtiquetaEstat.h"
#include "GestioBD.h"
#include "Globals.h"
#include "Graella.h"
#include "MessageBox.h"
#include "Modal.h"
#include "PosicioFinestra.h"
#include "Principal.h"
#include "Traduccio.h"
#include "Versio.h"
#include "frmConfiguracio.h"
#include "frmFeines.h"

#include "frmMainPagines.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QUrl>

namespace {

QSettings userSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Torvanel"), QStringLiteral("Torvanel"));
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    construeix();

    auto* sb = new QStatusBar(this);
    sb->setObjectName(QStringLiteral("sbStatusBar"));
    Panel1 = new EtiquetaEstat(sb);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel2 = new QLabel(sb);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel3 = new QLabel(sb);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    sb->addWidget(Panel1, 1);
    sb->addPermanentWidget(Panel2);
    sb->addPermanentWidget(Panel3);
    setStatusBar(sb);
    m_rellotge = new QTimer(this);
    m_rellotge->setInterval(1000);
    connect(m_rellotge, &QTimer::timeout, this, &frmMain::actualitzaRellotge);

    qApp->installEventFilter(this);
}

frmMain::~frmMain()
{
    if (qApp) qApp->removeEventFilter(this);
    if (G.frmPrincipal == this) {
        G.frmPrincipal = nullptr;
        Principal() = OperacionsPrincipal();
    }
}

QPoint frmMain::posicioDesada()
{
    QSettings s = userSettings();
    s.beginGroup(QStringLiteral("Settings"));
    const int def = tw(1000);
    bool okX = false, okY = false;
    const int x = s.value(QStringLiteral("MainLeft"), QString::number(def)).toString().toInt(&okX);
    const int y = s.value(QStringLiteral("MainTop"), QString::number(def)).toString().toInt(&okY);
    return QPoint(okX ? x : def, okY ? y : def);
}

void frmMain::desaPosicio(const QPoint& p)
{
    QSettings s = userSettings();
    s.beginGroup(QStringLiteral("Settings"));
    s.setValue(QStringLiteral("MainLeft"), QString::number(p.x()));
    s.setValue(QStringLiteral("MainTop"), QString::number(p.y()));
    s.sync();
}

void frmMain::instalOperacions()
{
    auto& op = Principal();
    m_tabAgenda->instalaOperacions();
    m_tabFacturacio->instalOperacions();
    auto* c = m_tabClients;
    c->setClientsCombo(m_tabFacturacio->clientsCombo());
    op.Omple_Clients = [c] { c->Omple_Clients(); };
    op.Omple_Llocs_Client = [c] { c->Omple_Llocs_Client(); };
    op.Omple_Serveis_Lloc = [c] { c->Omple_Serveis_Lloc(); };
    op.Omple_Xecs_Client = [c] { c->Omple_Xecs_Client(); };
    auto* r = m_tabRecursos;
    r->setRecursosGrid(m_tabAgenda->recursosGrid());
    r->setAgendaGrid(m_tabAgenda->agendaGrid());
    r->setServeisCombo(c->serveisCombo());
    r->setRecursosCombo(c->recursosCombo());
    op.Omple_Serveis = [r] { r->Omple_Serveis(); };
    op.Omple_Recursos = [r] { r->Omple_Recursos(); };

    // What the board asks of the shell: the job dialog, the tabs, the
    // master-data lists and the status bar.
    m_tabAgenda->obreFeina = [this] { Obre_Feina(this); };
    m_tabFacturacio->obreFeina = [this] { Obre_Feina(this); };
    op.Mostra_Pestanya = [this](int index) { Pestanyes_Click(index); };
    op.Mostra_Lloc = [c](const QString& lloc) { c->mostraLloc(lloc); };
    op.Mostra_Recurs = [r](const QString& recurs) { r->mostraRecurs(recurs); };
    op.Mostra_Estat = [this](const QString& text) { Panel1->setText(text); };
}

void frmMain::Form_Load()
{
    // 1. Position, brought back onto a screen when it was left off all of them.
    QList<QRect> pantalles;
    for (QScreen* s : QGuiApplication::screens()) pantalles << s->availableGeometry();
    move(PosicioFinestra::visible(posicioDesada(), frameGeometry().size().expandedTo(sizeHint()), pantalles));

    Tradueix_Formulari();
    G.ModeAgenda = QStringLiteral("mes");
    m_pestanyaActual = Pestanyes->currentIndex() + 1;
    G.AgendaPendent = false;
    G.FacturacioPendent = false;
    G.Reiniciar = false;
    Panel1->setText(Tradueix(QStringLiteral("Últim dia planificat")) + u' ' + Conv::shortDate(G.UltimDiaGen));
    actualitzaRellotge();
    m_rellotge->start();
    m_tabAgenda->imprimirFeines()->setEnabled(false);
    m_tabAgenda->prenMidaTauler();
    amagaControlsXecs();
    for (int i = 1; i <= 5; ++i) Trama[i]->setVisible(i == m_pestanyaActual);
    creditsDeCarrega();
    calendariDeCarrega();

    const QDate avui = Clock::today();
    G.DataAgenda = avui;
    G.DataIniciSetmana = iniciSetmana(avui, G.PrimerDiaSetmana);
    G.DataIniciMes = iniciMes(avui, G.PrimerDiaSetmana);
    m_tabFacturacio->inicia();

    G.frmPrincipal = this;
    frmMissatges::instalaRegistre();
    instalOperacions();
    m_tabClients->Omple_Combos_Lloc();
    auto& op = Principal();
    crida(op.Omple_Recursos);
    crida(op.Omple_Serveis);
    crida(op.Omple_Graella_Llocs);
    crida(op.Omple_Agenda);
    crida(op.Omple_Clients);
    crida(op.Calcula_Facturacio_Client);
    m_tabRecursos->Repara_Colors_Recursos();
}

void frmMain::Tradueix_Formulari()
{
    // The embedded pages put up their captions and tooltips already
    // translated; translating them again could turn one language's word
    // into another's.
    auto propia = [this](QWidget* w) {
        for (QWidget* pagina : {static_cast<QWidget*>(m_tabAgenda), static_cast<QWidget*>(m_tabFacturacio),
                                static_cast<QWidget*>(m_tabClients),
                                static_cast<QWidget*>(m_tabRecursos)})
            if (pagina && (w == pagina || pagina->isAncestorOf(w))) return false;
        return true;
    };
    for (QLabel* l : findChildren<QLabel*>())
        if (propia(l) && !l->text().isEmpty() && l->pixmap().isNull()) l->setText(Tradueix(l->text()));
    for (QPushButton* b : findChildren<QPushButton*>())
        if (propia(b) && !b->text().isEmpty()) b->setText(Tradueix(b->text()));
    for (int i = 0; i < Pestanyes->count(); ++i) Pestanyes->setTabText(i, Tradueix(Pestanyes->tabText(i)));
    for (const char* name : {"MinutsUnitatServei", "ComuRecursosServei", "chkAssignaTemps"}) {
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name)); w && propia(w) && !w->toolTip().isEmpty())
            w->setToolTip(Tradueix(w->toolTip()));
    }
}

void frmMain::amagaControlsXecs()
{
    if (!G.ServeiXecs.isEmpty()) {
        if (auto* l = findChild<QLabel*>(QStringLiteral("Label77"))) l->setText(G.ServeiXecs);
        return;
    }
    // The billing tab hides its own cheque controls.
    for (const char* name : {"Frame5", "Label62", "Label77", "XecsClient"}) {
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) w->hide();
    }
    // Positions are only ours to change where no layout places the controls.
    auto mou = [this](const char* name, int baixa, int creix) {
        auto* w = findChild<QWidget*>(QString::fromLatin1(name));
        if (!w || !w->parentWidget() || w->parentWidget()->layout()) return;
        w->setGeometry(w->x(), w->y() + baixa, w->width(), w->height() + creix);
    };
    for (const char* name : {"AfegirClient", "ModificarClient", "EliminarClient"}) mou(name, tw(2880), 0);
    for (const char* name : {"ClientsLlista", "ObservacionsClient"}) mou(name, 0, tw(2880));
}

void frmMain::creditsDeCarrega()
{
    lblProductName->setText(Tradueix(QString::fromUtf8(Versio::DescripcioFitxer))
                            + QStringLiteral(" v%1.%2").arg(Versio::Major).arg(Versio::Minor));
    lblCodVersion->setText(lblCodVersion->text() + u' ' + QString::fromUtf8(Versio::Comentaris));
    const QString companyia = QString::fromUtf8(Versio::Companyia);
    lblCompanyName->setText(lblCompanyName->text() + u' '
                            + (companyia.isEmpty() ? Tradueix(QStringLiteral("<no personalitzat>")) : companyia));
    picLogoTL->setToolTip(Tradueix(QStringLiteral("Fés Click per anar a ")) + QString::fromUtf8(Versio::AdrecaWeb));
}

void frmMain::calendariDeCarrega()
{
    Calvendra* cal = m_tabAgenda->calendari();
    for (int i = 1; i <= 7; ++i) cal->setWeekDayShortName(i, Tradueix(cal->WeekDayShortName(i)));
    for (int i = 1; i <= 12; ++i) cal->setMonthNames(i, Tradueix(cal->MonthNames(i)));
    cal->setDateValue(Clock::today());
}

void frmMain::actualitzaRellotge()
{
    const QDateTime ara = Clock::now();
    Panel2->setText(Conv::shortDate(ara.date()));
    Panel3->setText(ara.time().toString(QStringLiteral("HH:mm")));
}

void frmMain::Pestanyes_Click(int index)
{
    if (index == m_pestanyaActual || index < 1 || index > 5) return;
    // A payment typed on the billing tab is stored as it is left.
    if (m_pestanyaActual == 2) m_tabFacturacio->desaPagamentEscrit();
    Trama[m_pestanyaActual]->hide();
    Trama[index]->show();
    m_pestanyaActual = index;
    if (Pestanyes->currentIndex() != index - 1) {
        const QSignalBlocker block(Pestanyes);
        Pestanyes->setCurrentIndex(index - 1);
    }
    if (m_pestanyaActual == 1 && G.AgendaPendent) Omple_Agenda();
    if (m_pestanyaActual == 2 && G.FacturacioPendent) Calcula_Facturacio_Client();
}

void frmMain::Form_KeyDown(int key)
{
    if (key != Qt::Key_F2) return;
    {
        frmConfiguracio dlg(this);
        Modal::executa(dlg);
    }
    if (G.Reiniciar) {
        close();
        return;
    }
    if (m_pestanyaActual == 1 && G.AgendaPendent) Omple_Agenda();
    if (m_pestanyaActual == 2 && G.FacturacioPendent) Calcula_Facturacio_Client();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2
        && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        auto* w = qobject_cast<QWidget*>(watched);
        // Only the main window's own keys; a dialog above it keeps its F2.
        // A key a control leaves unhandled goes on to its parents: act once.
        const bool propagat = event == m_darrerF2 && m_receptorF2 && w && w->isAncestorOf(m_receptorF2);
        if (w && w->window() == this && !propagat && !QApplication::activeModalWidget()) {
            m_darrerF2 = event;
            m_receptorF2 = w;
            Form_KeyDown(Qt::Key_F2);
            return false;
        }
    }
    if (watched == picLogoTL && event->type() == QEvent::MouseButtonRelease) picLogoTL_Click();
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        segueixMida(static_cast<QResizeEvent*>(event)->size());
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::picLogoTL_Click()
{
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(Versio::AdrecaWeb)));
}

void frmMain::Omple_Agenda()
{
    m_tabAgenda->Omple_Agenda();
}

void frmMain::Omple_Graella_Llocs()
{
    m_tabAgenda->Omple_Graella_Llocs();
}

void frmMain::Calcula_Facturacio_Client()
{
    m_tabFacturacio->Calcula_Facturacio_Client();
}

void frmMain::Form_Unload()
{
    if (m_descarregat) return;
    m_descarregat = true;
    m_rellotge->stop();
    try {
        // A payment typed and not stored yet is stored while the database is
        // open (a refused text is said, and the stored payment stays).
        m_tabFacturacio->desaPagamentEscrit();
        m_tabAgenda->alliberaGlobus();

        frmMissatges::descarrega();
        const auto finestres = QApplication::topLevelWidgets();
        for (auto it = finestres.crbegin(); it != finestres.crend(); ++it) {
            QWidget* w = *it;
            if (w != this && w->isVisible() && !w->isHidden()) w->close();
        }

        if (!isMinimized()) desaPosicio(pos());

        if (!G.PrimeraExecucio)
            Escriu_INI_Avisant(QStringLiteral("Estat"), QStringLiteral("UltimDiaGen"), iniDate(G.UltimDiaGen));

        // After a purge the open database is compacted in place; a failure
        // leaves it as it was.
        if (G.CompactarBD && G.BD) {
            try {
                GestioBD::compacta(*G.BD);
            } catch (const std::exception& e) {
                MsgBox::show(Tradueix(QStringLiteral("No s'ha pogut compactar la base de dades; es conserva tal com era."))
                                 + QStringLiteral("\nError:") + QString::fromUtf8(e.what()),
                             MsgBox::OK, QStringLiteral("ERROR"));
            }
        }
    } catch (const std::exception& e) {
        MsgBox::error(QString::fromUtf8(e.what()));
    }
    tancaBasesDades();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
    emit descarregat();
}
