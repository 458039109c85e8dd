// A user's path through the start of the program: the first run on a fresh
// folder (language, splash, settings, example data, restart) and the normal
// run that follows it.
#include "FrameTestHelpers.h"
#include "Globals.h"
#include "Inici.h"
#include "MessageBox.h"
#include "TestSupport.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPointer>
#include <QTabBar>
#include <QTimer>
#include <QTest>

using namespace TestSupport;

namespace {
const QString kIdiomes = QStringLiteral("[Idiomes]\n(CT) Català\n(ES) Español\n(EN) English\n");
}

class TestFrameFirstRun : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void firstRunConfiguresAndRestartsOnceThenRunsNormally_data();
    void firstRunConfiguresAndRestartsOnceThenRunsNormally();
    void firstRunWithoutOkEndsWithoutRestart();
    void interruptedFirstRunRepeatsOnTheNextStart();
    void unsavedFirstRunFlagCarriesOnAsNormalRun();
    void startFailureShowsErrorAndLeavesNothingOpen();

private:
    frmSplash* splash();
    // The splash's timer, fired now instead of three seconds later.
    void temps(frmSplash* s);
    QStringList llancats_;
};

void TestFrameFirstRun::init()
{
    resetSeams();
    llancats_.clear();
    Inici::setLlancador([this](const QString& p, const QStringList&) {
        llancats_ << p;
        return true;
    });
}

void TestFrameFirstRun::cleanup()
{
    Inici::setLlancador(nullptr);
    for (QWidget* w : QApplication::topLevelWidgets()) w->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

frmSplash* TestFrameFirstRun::splash()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<frmSplash*>(w); s && s->isVisible()) return s;
    return nullptr;
}

void TestFrameFirstRun::temps(frmSplash* s)
{
    QVERIFY(s->TimerSplash()->isActive());
    QCOMPARE(s->TimerSplash()->interval(), 3000);
    QVERIFY(s->TimerSplash()->isSingleShot());
    s->TimerSplash_Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestFrameFirstRun::firstRunConfiguresAndRestartsOnceThenRunsNormally_data()
{
    QTest::addColumn<bool>("ambIdiomes");
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QString>("pestanya");
    QTest::newRow("shipped settings file, Spanish chosen") << true << "ES" << "Facturación";
    QTest::newRow("no settings file at all") << false << "CT" << "Facturació";
}

void TestFrameFirstRun::firstRunConfiguresAndRestartsOnceThenRunsNormally()
{
    QFETCH(bool, ambIdiomes);
    QFETCH(QString, idioma);
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    pf.createDatabases();
    if (ambIdiomes) pf.writeIni(kIdiomes);

    FrameTest::Guio guio;
    guio.afegeix([](QDialog& d) {
        auto* c = d.findChild<QComboBox*>(QStringLiteral("ComboSelIdioma"));
        if (c->count() > 1) c->setCurrentIndex(1);
        return FrameTest::clica(d, "OKButton");
    });
    bool formaPrimera = false;
    guio.afegeix([&formaPrimera](QDialog& d) {
        formaPrimera = !d.findChild<QWidget*>(QStringLiteral("CancelButton"))->isEnabled();
        MsgBox::pushAnswer(MsgBox::Yes);
        return FrameTest::clica(d, "OKButton");
    });

    QVERIFY(Inici::Main());
    QCOMPARE(guio.noms(), QStringList({"frmSelIdioma"}));
    QPointer<frmMain> principal = qobject_cast<frmMain*>(G.frmPrincipal);
    QVERIFY(principal && !principal->isVisible());
    frmSplash* s = splash();
    QVERIFY(s);
    temps(s);

    QCOMPARE(guio.noms(), QStringList({"frmSelIdioma", "frmConfiguracio"}));
    QVERIFY(formaPrimera);
    QVERIFY(!principal);  // never shown, unloaded
    QCOMPARE(FrameTest::ini("Parametres", "PrimeraExecucio"), QStringLiteral("0"));
    QCOMPARE(FrameTest::ini("Parametres", "Idioma"), idioma);
    {
        auto db = Db::openExisting(defaultDatabasePath());
        QVERIFY(db->scalar(QStringLiteral("SELECT count(*) FROM Clients")).toInt() > 0);
    }
    QVERIFY(!G.BD);
    QVERIFY(Inici::Form_Terminate());
    QCOMPARE(llancats_.size(), 1);

    // The restarted program: a normal run in the chosen language.
    const QString dir = pf.path();
    resetGlobals();
    G.ProgramDir = dir;
    QVERIFY(Inici::Main());
    QCOMPARE(guio.noms().size(), 2);  // no language choice, no settings
    QVERIFY(!G.PrimeraExecucio);
    QCOMPARE(G.Idioma, idioma);
    principal = qobject_cast<frmMain*>(G.frmPrincipal);
    temps(splash());
    QVERIFY(principal && principal->isVisible());
    QTEST(principal->findChild<QTabBar*>(QStringLiteral("Pestanyes"))->tabText(1), "pestanya");
    principal->close();
    QVERIFY(!Inici::Form_Terminate());
    QCOMPARE(llancats_.size(), 1);
    QVERIFY(seamsClean());
    QCOMPARE(guio.pendents(), 0);
}

void TestFrameFirstRun::firstRunWithoutOkEndsWithoutRestart()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    pf.createDatabases();
    pf.writeIni(kIdiomes);
    FrameTest::Guio guio;
    guio.afegeix([](QDialog& d) { return FrameTest::clica(d, "OKButton"); });
    guio.afegeix([](QDialog& d) {
        d.reject();  // the window closed without its OK
        return d.result();
    });
    QVERIFY(Inici::Main());
    temps(splash());
    QVERIFY(!G.Reiniciar);
    QVERIFY(!Inici::Form_Terminate());
    QVERIFY(llancats_.isEmpty());
    QCOMPARE(FrameTest::ini("Parametres", "PrimeraExecucio"), QStringLiteral("0"));
}

// The first run is over only once the example data are stored: a program
// ended while the first settings dialog is open starts as a first run again.
void TestFrameFirstRun::interruptedFirstRunRepeatsOnTheNextStart()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    pf.createDatabases();
    pf.writeIni(kIdiomes);
    const QString copiaBD = pf.file(QStringLiteral("copia.db"));
    QByteArray iniDurant;
    FrameTest::Guio guio;
    auto idioma = [](QDialog& d) { return FrameTest::clica(d, "OKButton"); };
    auto parametres = [](QDialog& d) {
        MsgBox::pushAnswer(MsgBox::Yes);
        return FrameTest::clica(d, "OKButton");
    };
    guio.afegeix(idioma);
    guio.afegeix([&](QDialog& d) {
        // The files as the program would leave them if it ended now.
        iniDurant = FrameTest::contingut(iniPath());
        QFile::copy(defaultDatabasePath(), copiaBD);
        return parametres(d);
    });
    QVERIFY(Inici::Main());
    temps(splash());
    QCOMPARE(FrameTest::ini("Parametres", "PrimeraExecucio"), QStringLiteral("0"));

    // The program is ended there instead, and started again.
    const QString dir = pf.path();
    resetGlobals();
    G.ProgramDir = dir;
    QVERIFY(!iniDurant.isEmpty());
    QVERIFY(QFile::remove(iniPath()) && QFile::remove(defaultDatabasePath()));
    QVERIFY(QFile::copy(copiaBD, defaultDatabasePath()));
    QFile ini(iniPath());
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(iniDurant);
    ini.close();
    QVERIFY(FrameTest::ini("Parametres", "PrimeraExecucio") != QStringLiteral("0"));
    guio.afegeix(idioma);
    guio.afegeix(parametres);
    QVERIFY(Inici::Main());
    QVERIFY(G.PrimeraExecucio);
    temps(splash());
    QCOMPARE(guio.noms(), QStringList({"frmSelIdioma", "frmConfiguracio", "frmSelIdioma", "frmConfiguracio"}));
    QCOMPARE(FrameTest::ini("Parametres", "PrimeraExecucio"), QStringLiteral("0"));
    {
        auto db = Db::openExisting(defaultDatabasePath());
        QVERIFY(db->scalar(QStringLiteral("SELECT count(*) FROM Clients")).toInt() > 0);
    }
    QVERIFY(seamsClean());
    QCOMPARE(guio.pendents(), 0);
}

void TestFrameFirstRun::unsavedFirstRunFlagCarriesOnAsNormalRun()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    pf.createDatabases();
    // A settings "file" that cannot be written.
    QVERIFY(QDir(pf.path()).mkdir(QStringLiteral("Torvanel.ini")));
    FrameTest::Guio guio;
    guio.afegeix([](QDialog& d) { return FrameTest::clica(d, "OKButton"); });
    QVERIFY(Inici::Main());
    QPointer<frmMain> principal = qobject_cast<frmMain*>(G.frmPrincipal);
    temps(splash());
    QCOMPARE(guio.noms(), QStringList({"frmSelIdioma"}));  // no settings dialog
    QCOMPARE(MsgBox::shown().last().title, QStringLiteral("ERROR"));
    QVERIFY(MsgBox::shown().last().text.startsWith(QStringLiteral("Error al gravar .ini")));
    QVERIFY(principal && principal->isVisible());
    QVERIFY(!G.PrimeraExecucio);
    principal->close();
    QVERIFY(llancats_.isEmpty() && !Inici::Form_Terminate());
}

void TestFrameFirstRun::startFailureShowsErrorAndLeavesNothingOpen()
{
    ProgramFolder pf;
    pf.createDatabases();
    pf.writeIni(kIdiomes + QStringLiteral("[General]\nBaseDades=") + pf.file(QStringLiteral("NoHiEs.db")) + u'\n');
    FrameTest::Guio guio;
    QVERIFY(!Inici::Main());
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown().first().title, QStringLiteral("ERROR"));
    QVERIFY(MsgBox::shown().first().text.startsWith(QStringLiteral("Error:")));
    QVERIFY(!G.frmPrincipal && !G.BD && !splash());
    QVERIFY(guio.noms().isEmpty());
}

QTEST_MAIN(TestFrameFirstRun)
#include "TestFrameFirstRun.moc"
