// Reading the settings at start-up, the derived values and the start-up failures.
#include "Arrencada.h"
#include "Configuracio.h"
#include "Clock.h"
#include "Globals.h"
#include "MessageBox.h"
#include "TestSupport.h"
#include "Traduccio.h"

#include <QFile>
#include <QtTest>

using namespace TestSupport;

class TestSettings : public SeamedTest {
    Q_OBJECT
private slots:
    void missingFileGivesEveryDefault();
    void valuesConvertInEitherForm_data();
    void valuesConvertInEitherForm();
    void unusableValuesStopStartUp_data();
    void unusableValuesStopStartUp();
    void cellsPerDay_data();
    void cellsPerDay();
    void lastPlannedDayDefaultsToEndOfWeek_data();
    void lastPlannedDayDefaultsToEndOfWeek();
    void firstDayOfWeekFollowsLocale();
    void missingDatabaseIsAStartUpErrorAndCreatesNothing();
    void unreadableSettingsFileIsKeptAsideForACleanStart_data();
    void unreadableSettingsFileIsKeptAsideForACleanStart();
    void startUpOpensBothDatabasesAndTranslates();
    void helpFileChoice();
    void writtenValuesReadBack();
    void clearedCurrentJob();
};

void TestSettings::missingFileGivesEveryDefault()
{
    ProgramFolder pf;
    pf.start();
    QCOMPARE(G.BaseDades, pf.file("TorvanelV01.db"));
    QCOMPARE(G.TexteVaris, QString("..."));
    QCOMPARE(G.ColorFeina, 16768483);
    QCOMPARE(G.ColorQuota, 16764117);
    QCOMPARE(G.ColorDiumenge, 11513775);
    QCOMPARE(G.MarcaSeleccio, QString("-> "));
    QCOMPARE(G.MarcaLlista, QString(" * "));
    QCOMPARE(int(G.PosicioSaltPagina), 14500);
    QCOMPARE(G.TexteNoAsignada, QString("< >"));
    QCOMPARE(int(G.MinutsCella), 30);
    QCOMPARE(G.HoraInici, QString("00:00"));
    QCOMPARE(G.HoraFinal, QString("24:00"));
    QCOMPARE(G.HoresDia, Decimal::fromInt(8));
    QVERIFY(G.CalculxHores && G.DissabtesExtra && G.DiumengesExtra);
    QCOMPARE(G.HoraIniciDinar, QString("13:30"));
    QCOMPARE(G.HoraFinalDinar, QString("15:00"));
    QCOMPARE(G.ServeiXecs, QString());
    QCOMPARE(G.ValorXec, Decimal());
    QCOMPARE(G.CostHoraXec, Decimal());
    QCOMPARE(int(G.MaxXecsMes), 0);
    QVERIFY(G.PermetSolaparLlocs);
    QVERIFY(G.PrimeraExecucio);
    QCOMPARE(G.Idioma, QString("CT"));
    QCOMPARE(int(G.CellesDia), 48);
}

void TestSettings::valuesConvertInEitherForm_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expect");
    QTest::newRow("HoresDia ca comma") << "ca_ES" << "HoresDia=7,50" << "7.5";
    QTest::newRow("HoresDia ca fixed") << "ca_ES" << "HoresDia=7.50" << "7.5";
    QTest::newRow("HoresDia en fixed") << "en_US" << "HoresDia=7.50" << "7.5";
    QTest::newRow("ValorXec en") << "en_US" << "ValorXec=12.25" << "12.25";
    QTest::newRow("fixed three decimals ca") << "ca_ES" << "ValorXec=12.125" << "12.125";
    QTest::newRow("fixed three decimals en") << "en_US" << "ValorXec=12.125" << "12.125";
    QTest::newRow("comma written under ca, read under en") << "en_US" << "HoresDia=7,50" << "7.5";
    QTest::newRow("comma three decimals en") << "en_US" << "ValorXec=1,125" << "1.125";
    QTest::newRow("overlap 0") << "ca_ES" << "PermetSolaparLlocs=0" << "false";
    QTest::newRow("overlap 2") << "ca_ES" << "PermetSolaparLlocs=2" << "true";
    QTest::newRow("empty MinutsCella") << "ca_ES" << "MinutsCella=" << "30";
    QTest::newRow("MinutsCella 15") << "ca_ES" << "MinutsCella=15" << "15";
    QTest::newRow("time without leading zero") << "ca_ES" << "HoraInici=8:00" << "08:00";
}

void TestSettings::valuesConvertInEitherForm()
{
    QFETCH(QString, locale);
    QFETCH(QString, line);
    QFETCH(QString, expect);
    resetSeams(locale);
    ProgramFolder pf;
    pf.writeIni("[Parametres]\n" + line + "\n");
    pf.start();
    const QString key = line.section('=', 0, 0);
    QString got;
    if (key == "HoresDia") got = G.HoresDia.toFixed();
    else if (key == "ValorXec") got = G.ValorXec.toFixed();
    else if (key == "PermetSolaparLlocs") got = G.PermetSolaparLlocs ? "true" : "false";
    else if (key == "MinutsCella") got = QString::number(G.MinutsCella);
    else if (key == "HoraInici") got = G.HoraInici;
    QCOMPARE(got, expect);
}

void TestSettings::unusableValuesStopStartUp_data()
{
    QTest::addColumn<QString>("ini");
    QTest::newRow("letters in a number") << "[Parametres]\nMinutsCella=trenta\n";
    QTest::newRow("Integer above 32767") << "[Parametres]\nPosicioSaltPagina=40000\n";
    QTest::newRow("word for a Boolean") << "[Parametres]\nPermetSolaparLlocs=potser\n";
    QTest::newRow("MinutsCella 0") << "[Parametres]\nMinutsCella=0\n";
    QTest::newRow("MinutsCella negative") << "[Parametres]\nMinutsCella=-30\n";
    QTest::newRow("malformed start") << "[Parametres]\nHoraInici=8h\n";
    QTest::newRow("malformed lunch") << "[Parametres]\nHoraIniciDinar=13:75\n";
    QTest::newRow("end before start") << "[Parametres]\nHoraInici=20:00\nHoraFinal=08:00\n";
    QTest::newRow("day shorter than a cell") << "[Parametres]\nHoraInici=08:00\nHoraFinal=08:20\n";
    QTest::newRow("bad date") << "[Estat]\nUltimDiaGen=ahir\n";
    QTest::newRow("thousands separators in a Single") << "[Parametres]\nValorXec=1.234,50\n";
}

void TestSettings::unusableValuesStopStartUp()
{
    QFETCH(QString, ini);
    ProgramFolder pf;
    pf.writeIni(ini);
    pf.createDatabases();
    bool threw = false;
    try {
        arrencaNucli();
    } catch (const std::exception& e) {
        threw = true;
        // It says where to mend it.
        const QString what = QString::fromUtf8(e.what());
        QVERIFY2(what.endsWith(" (al fitxer de configuració '" + iniPath() + "')"), qPrintable(what));
    }
    QVERIFY(threw);
    QVERIFY(!G.BD); // nothing opened after the failure
}

void TestSettings::cellsPerDay_data()
{
    QTest::addColumn<QString>("inici");
    QTest::addColumn<QString>("fi");
    QTest::addColumn<int>("minuts");
    QTest::addColumn<int>("celles");
    QTest::newRow("whole day") << "00:00" << "24:00" << 30 << 48;
    QTest::newRow("8 to midnight") << "08:00" << "24:00" << 30 << 32;
    QTest::newRow("8 to 20:15 truncates") << "08:00" << "20:15" << 30 << 24;
    QTest::newRow("7-minute cells") << "00:00" << "24:00" << 7 << 205;
}

void TestSettings::cellsPerDay()
{
    QFETCH(QString, inici);
    QFETCH(QString, fi);
    QFETCH(int, minuts);
    QFETCH(int, celles);
    QCOMPARE(int(calculaCellesDia(inici, fi, qint16(minuts))), celles);
    ProgramFolder pf;
    pf.writeIni(QString("[Parametres]\nHoraInici=%1\nHoraFinal=%2\nMinutsCella=%3\n").arg(inici, fi).arg(minuts));
    pf.start();
    QCOMPARE(int(G.CellesDia), celles);
}

void TestSettings::lastPlannedDayDefaultsToEndOfWeek_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("expect");
    QTest::newRow("Wednesday, Monday-first") << "ca_ES" << QDate(2010, 3, 10) << QDate(2010, 3, 14);
    QTest::newRow("Sunday, Monday-first") << "ca_ES" << QDate(2010, 3, 14) << QDate(2010, 3, 14);
    QTest::newRow("Monday, Monday-first") << "ca_ES" << QDate(2010, 3, 15) << QDate(2010, 3, 21);
    QTest::newRow("Wednesday, Sunday-first") << "en_US" << QDate(2010, 3, 10) << QDate(2010, 3, 13);
    QTest::newRow("Saturday, Sunday-first") << "en_US" << QDate(2010, 3, 13) << QDate(2010, 3, 13);
}

void TestSettings::lastPlannedDayDefaultsToEndOfWeek()
{
    QFETCH(QString, locale);
    QFETCH(QDate, today);
    QFETCH(QDate, expect);
    resetSeams(locale);
    Clock::setToday(today);
    ProgramFolder pf;
    pf.writeIni("[Parametres]\nIdioma=CT\n");
    pf.start();
    QCOMPARE(G.UltimDiaGen, expect);
}

void TestSettings::firstDayOfWeekFollowsLocale()
{
    QLocale::setDefault(QLocale("ca_ES"));
    QCOMPARE(Primer_Dia_Setmana(), 2);
    QLocale::setDefault(QLocale("en_US"));
    QCOMPARE(Primer_Dia_Setmana(), 1);
}

void TestSettings::missingDatabaseIsAStartUpErrorAndCreatesNothing()
{
    ProgramFolder pf;
    pf.createDatabases();
    const QString missing = pf.file("NoHiEs.db");
    pf.writeIni("[General]\nBaseDades=" + missing + "\n");
    QVERIFY_THROWS_EXCEPTION(DbError, arrencaNucli());
    QVERIFY(!QFile::exists(missing));
    QVERIFY(!G.BD);

    // A file that is not a database is refused too, and left as it was.
    QFile junk(pf.file("junk.db"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    pf.writeIni("[General]\nBaseDades=" + pf.file("junk.db") + "\n");
    try {
        arrencaNucli();
        QFAIL("a file that is not a database was opened");
    } catch (const DbError& e) {
        // Named, so the user knows which file to restore.
        QCOMPARE(QString::fromUtf8(e.what()),
                 "No es pot llegir el fitxer de base de dades '" + pf.file("junk.db") + "': file is not a database");
    }
    QCOMPARE(QFileInfo(pf.file("junk.db")).size(), 4096);
}

void TestSettings::unreadableSettingsFileIsKeptAsideForACleanStart_data()
{
    QTest::addColumn<QByteArray>("contingut");
    QTest::addColumn<QString>("apartat");   // where it is kept; empty: it is read as it is
    QTest::addColumn<QString>("motiu");     // why, as the message says
    QByteArray nuls(4000, '\0');
    for (int i = 0; i < nuls.size(); i += 7) nuls[i] = char(i * 31 % 256);
    QTest::newRow("bytes that are no text") << nuls << "Torvanel.ini.bad" << "no és un fitxer de text";
    QTest::newRow("no text, a .bad kept from before") << nuls << "Torvanel.ini.bad2" << "no és un fitxer de text";
    QTest::newRow("empty file") << QByteArray() << "Torvanel.ini.bad" << "està buit";
    QTest::newRow("keys under no section") << QByteArray("; mine\nBaseDades=/dades/meva.db\nIdioma=ES\n")
                                           << "Torvanel.ini.bad" << "no té cap secció";
    QTest::newRow("some unreadable lines")
        << QByteArray("[Parametres]\nMinutsCella=15\n\x01\xff\xfe written over\n=?\n") << "" << "";
    QByteArray utf16("\xff\xfe");
    for (const char c : QByteArray("[Parametres]\r\nMinutsCella=15\r\n")) utf16 += QByteArray(1, c) + '\0';
    QTest::newRow("text saved as UTF-16") << utf16 << "" << "";
}

void TestSettings::unreadableSettingsFileIsKeptAsideForACleanStart()
{
    QFETCH(QByteArray, contingut);
    QFETCH(QString, apartat);
    QFETCH(QString, motiu);
    ProgramFolder pf;
    QFile f(iniPath());
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(contingut) == contingut.size());
    f.close();
    const QByteArray anterior("an earlier one, never overwritten");
    if (apartat.endsWith(u"2")) {
        QFile bad(pf.file("Torvanel.ini.bad"));
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write(anterior) == anterior.size());
    }
    pf.createDatabases();
    const auto apartada = arrencaNucli();
    QVERIFY(G.BD);
    if (apartat.isEmpty()) {
        QVERIFY(!apartada);
        QCOMPARE(int(G.MinutsCella), 15);
        return;
    }
    QVERIFY(apartada);
    QCOMPARE(apartada->apartat, pf.file(apartat));
    QCOMPARE(apartada->missatge(), "El fitxer de configuració '" + iniPath()
                                       + "' no es pot llegir: " + motiu + ".\nEs guarda a part com a '"
                                       + pf.file(apartat) + "' i el programa comença amb una configuració nova.");
    QFile kept(pf.file(apartat));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), contingut);
    if (apartat.endsWith(u"2")) {
        QFile bad(pf.file("Torvanel.ini.bad"));
        QVERIFY(bad.open(QIODevice::ReadOnly));
        QCOMPARE(bad.readAll(), anterior);
    }
    // A clean start: the shipped file, its languages listed, a first run.
    QVERIFY(G.PrimeraExecucio);
    QCOMPARE(Llegeix_Seccio_INI(iniPath(), "Idiomes").count(QChar(0)), 3);
}

void TestSettings::startUpOpensBothDatabasesAndTranslates()
{
    ProgramFolder pf;
    pf.writeIni("[Parametres]\nIdioma=EN\n");
    pf.start();
    QVERIFY(G.BD && G.BDTraduccio);
    QCOMPARE(BD().scalar("PRAGMA foreign_keys").toInt(), 1);
    QCOMPARE(Tradueix("AVÍS"), QString("WARNING"));
}

void TestSettings::helpFileChoice()
{
    ProgramFolder pf;
    pf.start();
    triaFitxerAjuda();
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown()[0].text, "Fitxer d'ajuda '" + pf.file("Torvanel.html") + "' no trobat");
    QCOMPARE(MsgBox::shown()[0].title, QString("AVÍS"));

    MsgBox::clear();
    QFile(pf.file("TorvanelV01CT.html")).open(QIODevice::WriteOnly);
    triaFitxerAjuda();
    QVERIFY(MsgBox::shown().isEmpty());
    QCOMPARE(G.HelpFile, pf.file("TorvanelV01CT.html"));

    G.Idioma = "ES"; // another language: the Catalan file is not the first choice any more
    triaFitxerAjuda();
    QCOMPARE(MsgBox::shown().size(), 1);
    QFile(pf.file("Torvanel.html")).open(QIODevice::WriteOnly);
    triaFitxerAjuda();
    QCOMPARE(G.HelpFile, pf.file("Torvanel.html"));
}

void TestSettings::writtenValuesReadBack()
{
    ProgramFolder pf;
    pf.writeIni("[Idiomes]\n(CT)=Català\n");
    QVERIFY(Escriu_INI(iniPath(), "Parametres", "HoresDia", iniDecimal(*Decimal::parseFixed("7.25"))));
    QVERIFY(Escriu_INI(iniPath(), "Estat", "UltimDiaGen", iniDate(QDate(2010, 1, 31))));
    QVERIFY(Escriu_INI(iniPath(), "Parametres", "PrimeraExecucio", iniBool(false)));
    // Read back under another locale: the fixed form does not depend on it.
    resetSeams("en_US");
    pf.start();
    QCOMPARE(G.HoresDia.toFixed(), QString("7.25"));
    QCOMPARE(G.UltimDiaGen, QDate(2010, 1, 31));
    QVERIFY(!G.PrimeraExecucio);
    QCOMPARE(Llegeix_Seccio_INI(iniPath(), "Idiomes"), QString("(CT)=Català") + QChar(0));
}

void TestSettings::clearedCurrentJob()
{
    G.FeinaActual.Id = 12;
    G.FeinaActual.DataFactura = QDate(2010, 1, 1);
    G.FeinaActual.Missatge = "x";
    Neteja_Feina_Actual();
    QCOMPARE(G.FeinaActual.Id, 0);
    QVERIFY(G.FeinaActual.DataFactura.isNull());
    QCOMPARE(G.FeinaActual.Data, QDate(1900, 1, 6));
    QVERIFY(G.FeinaActual.Missatge.isEmpty());
}

QTEST_GUILESS_MAIN(TestSettings)
#include "TestSettings.moc"
