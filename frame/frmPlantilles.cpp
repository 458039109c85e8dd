#include "frmPlantilles.h"

#include "MessageBox.h"
#include "Traduccio.h"
#include "Versio.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Name of the user logged on, or "" when the system gives none.
QString usuariActual()
{
    QString nom = qEnvironmentVariable("USER");
    if (nom.isEmpty()) nom = qEnvironmentVariable("LOGNAME");
    return nom;
}

} // namespace

frmLogin::frmLogin(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Inicio de sesión"));
    txtUserName = new QLineEdit(usuariActual(), this);
    txtUserName->setObjectName(QStringLiteral("txtUserName"));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    auto* lblUser = new QLabel(QStringLiteral("Usuari&o:"), this);
    lblUser->setObjectName(QStringLiteral("lblLabels0"));
    lblUser->setBuddy(txtUserName);
    auto* lblPass = new QLabel(QStringLiteral("&Contraseña:"), this);
    lblPass->setObjectName(QStringLiteral("lblLabels1"));
    lblPass->setBuddy(txtPassword);
    auto* cmdOK = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdCancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* g = new QGridLayout(this);
    g->addWidget(lblUser, 0, 0);
    g->addWidget(txtUserName, 0, 1);
    g->addWidget(lblPass, 1, 0);
    g->addWidget(txtPassword, 1, 1);
    auto* b = new QHBoxLayout;
    b->addStretch(1);
    b->addWidget(cmdOK);
    b->addWidget(cmdCancel);
    g->addLayout(b, 2, 0, 1, 2);

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
}

void frmLogin::cmdOK_Click()
{
    if (txtPassword->text().isEmpty()) {
        AccesCorrecte = true;
        hide();
        return;
    }
    MsgBox::show(Tradueix(QStringLiteral("La contrasenya no es vàlida; torna a intentar-ho")), MsgBox::OK,
                 Tradueix(QStringLiteral("INICI DE SESSIO")), MsgBox::NoIcon, this);
    txtPassword->setFocus();
    txtPassword->selectAll();
}

void frmLogin::cmdCancel_Click()
{
    AccesCorrecte = false;
    hide();
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Acerca de Torvanel"));
    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(Versio::logo(QSize(64, 64)));
    lblTitle = new QLabel(QStringLiteral("Torvanel"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont f = lblTitle->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    lblTitle->setFont(f);
    lblVersion = new QLabel(QStringLiteral("Versión %1.%2.%3").arg(Versio::Major).arg(Versio::Minor).arg(Versio::Revision), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* lblDescription = new QLabel(QStringLiteral("Descripción de la aplicación"), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    auto* lblDisclaimer = new QLabel(QStringLiteral("Advertencia: ..."), this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    auto* cmdOK = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdSysInfo = new QPushButton(QStringLiteral("Info. del &sistema..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto linia = [this](int i) {
        auto* l = new QFrame(this);
        l->setObjectName(QStringLiteral("Line1_%1").arg(i));
        l->setFrameShape(QFrame::HLine);
        l->setFrameShadow(QFrame::Sunken);
        return l;
    };
    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon);
    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addWidget(lblDescription);
    top->addLayout(texts, 1);
    v->addLayout(top);
    v->addWidget(linia(0));
    v->addWidget(lblDisclaimer);
    v->addWidget(linia(1));
    auto* b = new QHBoxLayout;
    b->addStretch(1);
    b->addWidget(cmdOK);
    b->addWidget(cmdSysInfo);
    v->addLayout(b);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::cmdSysInfo_Click()
{
    // This platform has no system information tool to start.
    MsgBox::show(Tradueix(QStringLiteral("La informació del sistema no està disponible en aquest moment")), MsgBox::OK,
                 QString(), MsgBox::NoIcon, this);
}
