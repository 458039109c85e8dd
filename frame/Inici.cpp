#include "Inici.h"

#include "Arrencada.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Traduccio.h"
#include "frmMain.h"
#include "frmSplash.h"

#include "frmSelIdioma.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QProcess>
#include <QTranslator>

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
        const auto apartada = arrencaNucli();
        if (G.PrimeraExecucio) {
            frmSelIdioma::tria();
        }
        // Said in the language just chosen.
        if (apartada) MsgBox::show(apartada->missatge(), MsgBox::OK, Tradueix(QStringLiteral("AVÍS")), MsgBox::Warning);
        QLocale::setDefault(localeDelPrograma(QLocale(), G.Idioma));
        instalaTraduccioQt();
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

QLocale localeDelPrograma(const QLocale& sistema, const QString& idioma)
{
    if (sistema.language() != QLocale::C) return sistema;
    // The week of these locales starts on Monday, as the C locale's does.
    const QString i = idioma.toUpper();
    if (i == QLatin1String("ES")) return QLocale(QLocale::Spanish, QLocale::Spain);
    if (i == QLatin1String("EN")) return QLocale(QLocale::English, QLocale::UnitedKingdom);
    return QLocale(QLocale::Catalan, QLocale::Spain);
}

bool instalaTraduccioQt()
{
    static QPointer<QTranslator> actual;
    if (actual) {
        QCoreApplication::removeTranslator(actual);
        delete actual;
    }
    const QString idioma = G.Idioma.toUpper();
    const QString codi = idioma == QLatin1String("CT") ? QStringLiteral("ca")
                         : idioma == QLatin1String("ES") ? QStringLiteral("es")
                         : idioma == QLatin1String("EN") ? QStringLiteral("en")
                                                         : QString();
    if (codi.isEmpty() || !QCoreApplication::instance()) return false;
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(QStringLiteral("qtbase_") + codi, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    actual = t;
    return true;
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
