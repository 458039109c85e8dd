// A user's path through the start of the program: the first run on a fresh
// folder (language, splash, settings, example data, restart) and the normal
// run that follows it.
#include "ConfiguracioInicial.h"
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
#include <QRandomGenerator>
#include <QTabBar>
#include <QTimer>
#include <QTest>

using namespace TestSupport;

namespace {
const QString kIdiomes = QString::fromUtf8(ConfiguracioInicial);  // the shipped settings file

// 4,000 bytes that are no text, always the same.
QByteArray bytesALAtzar()
{
    QRandomGenerator atzar(28);
    QByteArray b(4000, Qt::Uninitialized);
    for (char& c : b) c = char(atzar.bounded(256));
    return b;
}
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
    void startFailureShowsErrorAndLeavesNothingOpen_data();
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
    QTest::addColumn<QByteArray>("ini");  // empty: no settings file
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QString>("pestanya");
    QTest::addColumn<QString>("avis");    // what the first run says of the settings file
    QTest::newRow("shipped settings file, Spanish chosen") << kIdiomes.toUtf8() << "ES" << "Facturación" << "";
    QTest::newRow("no settings file at all") << QByteArray() << "CT" << "Facturació" << "";
    // Kept aside, the shipped file in its place: its languages, and the message in the one chosen.
    QTest::newRow("settings file of random bytes, Spanish chosen")
        << bytesALAtzar() << "ES" << "Facturación"
        << "El fichero de configuración '%1' no se puede leer: no es un fichero de texto.\n"
           "Se guarda aparte como '%1.bad' y el programa empieza con una configuración nueva.";
}

void TestFrameFirstRun::firstRunConfiguresAndRestartsOnceThenRunsNormally()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, idioma);
    QFETCH(QString, avis);
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    pf.createDatabases();
    if (!ini.isEmpty()) {
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(ini) == ini.size());
    }

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
    if (!avis.isEmpty()) {
        QCOMPARE(shownTexts().first(), avis.arg(iniPath()));   // then the help file's warning
        QCOMPARE(FrameTest::contingut(iniPath() + QStringLiteral(".bad")), ini);
    }
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

void TestFrameFirstRun::startFailureShowsErrorAndLeavesNothingOpen_data()
{
    QTest::addColumn<QString>("fitxer");   // the database at fault, in the program folder
    QTest::addColumn<QByteArray>("bytes"); // what it holds; empty: as it is (not there when the folder lacks it)
    QTest::addColumn<QString>("linia");    // one more line of [Parametres]
    QTest::addColumn<QString>("missatge"); // %1: the file's path; %2: the settings file's
    QTest::newRow("main database missing") << "NoHiEs.db" << QByteArray() << ""
                                           << "Error:No se ha encontrado el fichero de base de datos '%1' "
                                              "(BaseDades en el fichero de configuración '%2')";
    QTest::newRow("main database damaged") << "TorvanelV01.db" << QByteArray("malmesa") << ""
                                           << "Error:No se puede leer el fichero de base de datos '%1': "
                                              "database disk image is malformed";
    QTest::newRow("main database an empty file")
        << "TorvanelV01.db" << QByteArray("buida") << ""
        << "Error:El fichero '%1' no es una base de datos del programa "
           "(BaseDades en el fichero de configuración '%2')";
    QTest::newRow("main database of another program")
        << "Altre.db" << QByteArray("altre programa") << ""
        << "Error:El fichero '%1' no es una base de datos del programa "
           "(BaseDades en el fichero de configuración '%2')";
    QTest::newRow("translation database not a database")
        << "TorvanelTraduccio.db" << QByteArray(4096, 'x') << ""
        << "Error:No es pot llegir el fitxer de base de dades '%1': file is not a database";
    QTest::newRow("setting that cannot be read") << "TorvanelV01.db" << QByteArray() << "MinutsCella=3O"
                                                 << "Error:Valor no válido para MinutsCella: '3O' "
                                                    "(en el fichero de configuración '%2')";
}

// Said in the language of the settings file, Spanish, once the texts are read;
// naming the file at fault, and the settings file where the fault is mended.
// The file at fault is left as it was.
void TestFrameFirstRun::startFailureShowsErrorAndLeavesNothingOpen()
{
    QFETCH(QString, fitxer);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, linia);
    QFETCH(QString, missatge);
    ProgramFolder pf;
    pf.createDatabases();
    const QString cami = pf.file(fitxer);
    if (bytes == "malmesa") {
        // The main database's pages written over past its first one: the
        // engine opens it and finds it damaged at its first look inside.
        QFile f(cami);
        QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(100));
        QVERIFY(f.write(QByteArray(int(f.size()) - 100, '\x5a')) > 0);
    } else if (bytes == "buida") {
        QFile f(cami);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    } else if (bytes == "altre programa") {
        Db::create(cami)->exec(QStringLiteral("CREATE TABLE Notes (text TEXT)"));
    } else if (!bytes.isEmpty()) {
        QFile f(cami);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    const QByteArray abans = FrameTest::contingut(cami);
    pf.writeIni(kIdiomes + QStringLiteral("[Parametres]\nIdioma=ES\n") + linia
                + QStringLiteral("\n[General]\nBaseDades=")
                + pf.file(fitxer == QStringLiteral("TorvanelTraduccio.db") ? QStringLiteral("TorvanelV01.db") : fitxer)
                + u'\n');
    FrameTest::Guio guio;
    QVERIFY(!Inici::Main());
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown().first().title, QStringLiteral("ERROR"));
    missatge.replace(QStringLiteral("%1"), cami).replace(QStringLiteral("%2"), iniPath());
    QCOMPARE(MsgBox::shown().first().text, missatge);
    QVERIFY(!G.frmPrincipal && !G.BD && !splash());
    QVERIFY(guio.noms().isEmpty());
    QCOMPARE(FrameTest::contingut(cami), abans);
}

QTEST_MAIN(TestFrameFirstRun)
#include "TestFrameFirstRun.moc"
