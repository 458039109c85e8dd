// Rules of the settings dialog and of the window position, without windows.
#include "Database.h"
#include "Globals.h"
#include "IniFile.h"
#include "Parametres.h"
#include "PosicioFinestra.h"
#include "TestSupport.h"

#include <QTest>

using namespace TestSupport;

class TestFrameRules : public SeamedTest {
    Q_OBJECT
private slots:
    void hourListsFollowTheCellLength_data();
    void hourListsFollowTheCellLength();
    void fieldChecksCorrectOrRefuse_data();
    void fieldChecksCorrectOrRefuse();
    void coherenceCheckNamesFirstJobOffTheGrid();
    void savesEveryKeyOrNone();
    void languageCodeIsSecondAndThirdCharacter();
    void windowPositionComesBackOnScreen_data();
    void windowPositionComesBackOnScreen();
};

void TestFrameRules::hourListsFollowTheCellLength_data()
{
    QTest::addColumn<int>("minuts");
    QTest::addColumn<QString>("horaInici");
    QTest::addColumn<int>("entrades");
    QTest::addColumn<QString>("primerFi");
    QTest::addColumn<QString>("darrerInici");
    QTest::addColumn<QString>("darrerFi");
    QTest::addColumn<QString>("triatInici");
    QTest::addColumn<QString>("triatFi");
    QTest::addColumn<QString>("triatIniciDinar");
    QTest::addColumn<QString>("triatFiDinar");
    QTest::newRow("30 minutes") << 30 << "00:00" << 48 << "00:30" << "23:30" << "24:00" << "00:00" << "24:00" << "13:30" << "15:00";
    QTest::newRow("7 minutes") << 7 << "00:00" << 205 << "00:07" << "23:48" << "23:55" << "00:00" << "23:55" << "13:25" << "14:56";
    QTest::newRow("start off the grid") << 30 << "07:15" << 48 << "00:30" << "23:30" << "24:00" << "07:00" << "24:00" << "13:30" << "15:00";
    QTest::newRow("whole day") << 1440 << "00:00" << 1 << "24:00" << "00:00" << "24:00" << "00:00" << "24:00" << "00:00" << "";
}

void TestFrameRules::hourListsFollowTheCellLength()
{
    QFETCH(int, minuts);
    QFETCH(QString, horaInici);
    QFETCH(int, entrades);
    QFETCH(QString, primerFi);
    QFETCH(QString, darrerInici);
    QFETCH(QString, darrerFi);
    const auto l = Parametres::llistesHores(minuts, horaInici, QStringLiteral("24:00"), QStringLiteral("13:30"),
                                            QStringLiteral("15:00"));
    QCOMPARE(l.inici.size(), entrades);
    QCOMPARE(l.fi.size(), entrades);
    QCOMPARE(l.inici.first(), QStringLiteral("00:00"));
    QCOMPARE(l.fi.first(), primerFi);
    QCOMPARE(l.inici.last(), darrerInici);
    QCOMPARE(l.fi.last(), darrerFi);
    auto triat = [](const QStringList& list, int i) { return i < 0 ? QString() : list.at(i); };
    QTEST(triat(l.inici, l.selInici), "triatInici");
    QTEST(triat(l.fi, l.selFi), "triatFi");
    QTEST(triat(l.inici, l.selIniciDinar), "triatIniciDinar");
    QTEST(triat(l.fi, l.selFiDinar), "triatFiDinar");

    const auto cap = Parametres::llistesHores(1441, horaInici, QStringLiteral("24:00"), QStringLiteral("13:30"),
                                              QStringLiteral("15:00"));
    QVERIFY(cap.inici.isEmpty());
    QVERIFY(cap.fi.isEmpty());
}

void TestFrameRules::fieldChecksCorrectOrRefuse_data()
{
    QTest::addColumn<QString>("camp");
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("missatge");
    QTest::newRow("cells 15") << "minuts" << "15" << "15" << "";
    QTest::newRow("cells 12,6") << "minuts" << "12,6" << "13" << "";
    QTest::newRow("cells 5") << "minuts" << "5" << "5" << "El valor no pot ser inferior a 10 minuts";
    QTest::newRow("cells text") << "minuts" << "deu" << "deu" << "Cal introduir un valor no inferior a 10 minuts";
    QTest::newRow("cells overflow") << "minuts" << "99999999999" << "99999999999" << "El valor no pot ser superior a 1440 minuts";
    QTest::newRow("cells a whole day") << "minuts" << "1440" << "1440" << "";
    QTest::newRow("cells over a day") << "minuts" << "1441" << "1441" << "El valor no pot ser superior a 1440 minuts";
    QTest::newRow("hours 7,456") << "hores" << "7,456" << "7,46" << "";
    QTest::newRow("hours negative") << "hores" << "-1" << "-1" << "No es pot introduir un valor negatiu";
    QTest::newRow("hours text") << "hores" << "x" << "x" << "Cal introduir un valor no negatiu";
    QTest::newRow("hours a whole day") << "hores" << "24" << "24" << "";
    QTest::newRow("hours over a day") << "hores" << "24,014" << "24,01" << "El valor no pot ser superior a 24 hores";
    QTest::newRow("hours overflow") << "hores" << "99999999999" << "99999999999"
                                    << "El valor no pot ser superior a 24 hores";
    QTest::newRow("hours beyond any number") << "hores" << "99999999999999999999" << "99999999999999999999"
                                             << "El valor no pot ser superior a 24 hores";
    QTest::newRow("hours far below zero") << "hores" << "-99999999999999999999" << "-99999999999999999999"
                                          << "El valor és massa gran";
    QTest::newRow("cheque value too large") << "valor" << "10000000" << "10000000" << "El valor és massa gran";
    QTest::newRow("cheque value at the limit") << "valor" << "9999999,99" << "9999999,99" << "";
    QTest::newRow("saving too large") << "cost" << "-10000000" << "-10000000" << "El valor és massa gran";
    QTest::newRow("cheque value negative") << "valor" << "-2" << "-2" << "Cal introduir un valor no negatiu";
    QTest::newRow("saving 0") << "cost" << "0" << "0" << "";
    QTest::newRow("saving -1,734") << "cost" << "-1,734" << "-1,73" << "";
    QTest::newRow("saving 0,5") << "cost" << "0,5" << "0,5" << "Cal introduir un valor no positiu";
    QTest::newRow("max 4") << "max" << "4" << "4" << "";
    QTest::newRow("max -3") << "max" << "-3" << "-3" << "No es pot introduir un valor negatiu";
    QTest::newRow("max text") << "max" << "molts" << "molts" << "Cal introduir un valor enter no negatiu";
    QTest::newRow("max overflow") << "max" << "40000" << "40000" << "El valor és massa gran";
    QTest::newRow("date") << "data" << "31/12/2009" << "31/12/2009" << "";
    QTest::newRow("bad date") << "data" << "31/02/2009" << "31/02/2009" << "Data incorrecta";
    QTest::newRow("first year") << "data" << "01/01/1900" << "01/01/1900" << "";
    QTest::newRow("last year") << "data" << "31/12/2100" << "31/12/2100" << "";
    QTest::newRow("year 1") << "data" << "01/01/0001" << "01/01/0001" << "Data incorrecta";
    QTest::newRow("after the last year") << "data" << "01/01/2101" << "01/01/2101" << "Data incorrecta";
}

void TestFrameRules::fieldChecksCorrectOrRefuse()
{
    QFETCH(QString, camp);
    QFETCH(QString, entrada);
    Parametres::Comprovacio c;
    if (camp == u"minuts") c = Parametres::minutsCella(entrada);
    else if (camp == u"hores") c = Parametres::horesDia(entrada);
    else if (camp == u"valor") c = Parametres::valorXec(entrada);
    else if (camp == u"cost") c = Parametres::costHoraXec(entrada);
    else if (camp == u"max") c = Parametres::maxXecsMes(entrada);
    else c = Parametres::data(entrada);
    QTEST(c.text, "text");
    QTEST(c.missatge, "missatge");
}

void TestFrameRules::coherenceCheckNamesFirstJobOffTheGrid()
{
    ProgramFolder pf;
    pf.openDatabases();
    addClient(QStringLiteral("Client"));
    addSite(QStringLiteral("Lloc"), QStringLiteral("Client"));
    addJob(QStringLiteral("Lloc"), QDate(2010, 3, 1), QStringLiteral("09:00"), QStringLiteral("10:00"));
    // Written without its leading zero, a start still fits.
    addJob(QStringLiteral("Lloc"), QDate(2010, 3, 1), QStringLiteral("7:30"), QStringLiteral("10:00"));
    const int quart = addJob(QStringLiteral("Lloc"), QDate(2010, 3, 2), QStringLiteral("08:15"), QStringLiteral("09:00"));
    addJob(QStringLiteral("Lloc"), QDate(2010, 3, 3), QStringLiteral("08:45"), QStringLiteral("09:00"));
    // A later job whose start comes earlier in the day is not the first one.
    addJob(QStringLiteral("Lloc"), QDate(2010, 3, 4), QStringLiteral("07:45"), QStringLiteral("09:00"));
    QCOMPARE(Parametres::feinaIncoherent(BD(), 8 * 60, 30), std::optional<qint32>(quart));
    QCOMPARE(Parametres::feinaIncoherent(BD(), 8 * 60, 15), std::nullopt);
    // A start later than the job counts backwards the same way.
    QCOMPARE(Parametres::feinaIncoherent(BD(), 9 * 60 + 15, 15), std::nullopt);
    // A start that cannot be read fits no grid.
    const int illegible = addJob(QStringLiteral("Lloc"), QDate(2010, 3, 5), QStringLiteral("8h"), QStringLiteral("09:00"));
    QCOMPARE(Parametres::feinaIncoherent(BD(), 8 * 60, 15), std::optional<qint32>(illegible));
    QCOMPARE(Parametres::feinaIncoherent(BD(), 8 * 60, 30), std::optional<qint32>(quart));
}

void TestFrameRules::savesEveryKeyOrNone()
{
    ProgramFolder pf;
    pf.writeIni(QStringLiteral("[Idiomes]\n(CT)=Català\n[Parametres]\nMinutsCella=30\n"));
    const QList<Parametres::Clau> claus = {{QStringLiteral("Parametres"), QStringLiteral("MinutsCella"), QStringLiteral("15")},
                                           {QStringLiteral("Estat"), QStringLiteral("UltimDiaGen"), QStringLiteral("2010-03-14")}};
    QVERIFY(Parametres::desaTot(iniPath(), claus));
    QCOMPARE(IniFile::read(iniPath(), "Parametres", "MinutsCella", ""), QStringLiteral("15"));
    QCOMPARE(IniFile::read(iniPath(), "Estat", "UltimDiaGen", ""), QStringLiteral("2010-03-14"));
    QCOMPARE(IniFile::read(iniPath(), "Idiomes", "(CT)", ""), QStringLiteral("Català"));
    // A file that cannot be written stays as it was and reports the failure.
    QVERIFY(!Parametres::desaTot(pf.path() + QStringLiteral("/no/such/folder/Torvanel.ini"), claus));
}

void TestFrameRules::languageCodeIsSecondAndThirdCharacter()
{
    QCOMPARE(Parametres::codiIdioma(QStringLiteral("  (ES)=Español ")), QStringLiteral("ES"));
    ProgramFolder pf;
    pf.writeIni(QStringLiteral("[Idiomes]\n (CT)=Català\n(EN)=English\n"));
    QCOMPARE(Parametres::entradesIdiomes(iniPath()), QStringList({"(CT)=Català", "(EN)=English"}));
    pf.writeIni(QStringLiteral("[Parametres]\nIdioma=CT\n"));
    QVERIFY(Parametres::entradesIdiomes(iniPath()).isEmpty());
}

void TestFrameRules::windowPositionComesBackOnScreen_data()
{
    QTest::addColumn<QPoint>("desada");
    QTest::addColumn<QPoint>("esperada");
    QTest::newRow("on screen") << QPoint(67, 67) << QPoint(67, 67);
    QTest::newRow("on the second screen") << QPoint(2000, 100) << QPoint(2000, 100);
    QTest::newRow("far right") << QPoint(9000, 100) << QPoint(3200 - 960, 100);
    QTest::newRow("above the top") << QPoint(100, -200) << QPoint(100, 0);
    QTest::newRow("far left and below") << QPoint(-3000, 5000) << QPoint(0, 1050 - 700);
}

void TestFrameRules::windowPositionComesBackOnScreen()
{
    QFETCH(QPoint, desada);
    const QList<QRect> pantalles = {QRect(0, 0, 1920, 1050), QRect(1920, 0, 1280, 1024)};
    QTEST(PosicioFinestra::visible(desada, QSize(960, 700), pantalles), "esperada");
}

QTEST_GUILESS_MAIN(TestFrameRules)
#include "TestFrameRules.moc"
