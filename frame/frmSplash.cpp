#include "frmSplash.h"

#include "Configuracio.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Modal.h"
#include "Traduccio.h"
#include "Versio.h"
#include "frmConfiguracio.h"

#include "DadesExemple.h"

#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {
int g_interval = 3000;
}

void frmSplash::setInterval(int ms) { g_interval = ms; }
int frmSplash::interval() { return g_interval; }

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(592, 311);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    auto* v = new QVBoxLayout(frame);
    picLogo = new QLabel(frame);
    picLogo->setObjectName(QStringLiteral("picLogo"));
    picLogo->setPixmap(Versio::logo(QSize(360, 110)));
    picLogo->setAlignment(Qt::AlignCenter);
    lblProductName = new QLabel(Tradueix(QString::fromUtf8(Versio::DescripcioFitxer)), frame);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    QFont f = lblProductName->font();
    f.setPointSize(f.pointSize() + 8);
    f.setBold(true);
    lblProductName->setFont(f);
    lblVersion = new QLabel(QStringLiteral("v%1.%2").arg(Versio::Major).arg(Versio::Minor), frame);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblCompanyProduct = new QLabel(QString::fromUtf8(Versio::Companyia), frame);
    lblCompanyProduct->setObjectName(QStringLiteral("lblCompanyProduct"));
    for (QLabel* l : {lblProductName, lblVersion, lblCompanyProduct}) l->setAlignment(Qt::AlignCenter);
    v->addWidget(picLogo, 1);
    v->addWidget(lblProductName);
    v->addWidget(lblVersion);
    v->addWidget(lblCompanyProduct);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("TimerSplash"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(g_interval);
    connect(m_timer, &QTimer::timeout, this, &frmSplash::TimerSplash_Timer);
    m_timer->start();
}

void frmSplash::TimerSplash_Timer()
{
    if (m_fet) return;
    m_fet = true;
    m_timer->stop();
    close();

    QWidget* principal = G.frmPrincipal;
    if (!principal) return;
    if (!G.PrimeraExecucio) {
        principal->show();
        return;
    }

    // The first run is over only once the example data are stored: until
    // then an interrupted first run (the program ended while the settings
    // dialog is open) repeats on the next start. Writing the flag as it is
    // first tells whether it can be saved at all.
    const QString seccio = QStringLiteral("Parametres"), clau = QStringLiteral("PrimeraExecucio");
    if (Escriu_INI(iniPath(), seccio, clau, QStringLiteral("1")) == 0) {
        // Without the flag saved every start would be a first run again:
        // carry on as a normal run and leave the first configuration for later.
        MsgBox::show(Tradueix(QStringLiteral("Error al gravar .ini")) + QStringLiteral("\n")
                         + Tradueix(QStringLiteral("La configuració inicial es farà en el proper inici.")),
                     MsgBox::OK, QStringLiteral("ERROR"));
        G.PrimeraExecucio = false;
        principal->show();
        return;
    }

    {
        frmConfiguracio dlg;
        Modal::executa(dlg);
    }
    if (Crea_Dades_Exemple() && Escriu_INI(iniPath(), seccio, clau, QStringLiteral("0")) == 0)
        MsgBox::show(Tradueix(QStringLiteral("Error al gravar .ini")), MsgBox::OK, QStringLiteral("ERROR"));
    principal->close();
}
