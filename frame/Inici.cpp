#include "Inici.h"

#include "Arrencada.h"
#include "Globals.h"
#include "MessageBox.h"
#include "frmMain.h"
#include "frmSplash.h"

#if __has_include("frmSelIdioma.h")
#include "frmSelIdioma.h"
#define TORVANEL_TE_SEL_IDIOMA 1
#endif

#include <QCoreApplication>
#include <QProcess>

namespace {

Inici::Llancador& llancador()
{
    static Inici::Llancador l = [](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args);
    };
    return l;
}

} // namespace

namespace Inici {

bool Main()
{
    frmMain* principal = nullptr;
    try {
        arrencaNucli();
        if (G.PrimeraExecucio) {
#ifdef TORVANEL_TE_SEL_IDIOMA
            frmSelIdioma::tria();
#endif
        }
        triaFitxerAjuda();
        principal = new frmMain;
        G.frmPrincipal = principal;
        principal->Form_Load();
        auto* splash = new frmSplash;
        splash->show();
        splash->repaint();
        return true;
    } catch (const std::exception& e) {
        MsgBox::show(QStringLiteral("Error:") + QString::fromUtf8(e.what()), MsgBox::OK, QStringLiteral("ERROR"));
    }
    delete principal;
    G.frmPrincipal = nullptr;
    tancaBasesDades();
    return false;
}

bool Form_Terminate()
{
    if (!G.Reiniciar) return false;
    return llancador()(QCoreApplication::applicationFilePath(), QStringList());
}

void setLlancador(Llancador l)
{
    if (l) llancador() = std::move(l);
    else llancador() = [](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args);
    };
}

} // namespace Inici
