// Lengths of work and the small lookups and writers over the tables.
#include "Consultes.h"
#include "Durades.h"
#include "Globals.h"
#include "TestSupport.h"

#include <QtTest>

using namespace TestSupport;

class TestDurations : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { pf_.reset(); }
    void runningTotalRoundsAfterEveryLine_data();
    void runningTotalRoundsAfterEveryLine();
    void teamDivisionCountsOnlySharingMembers();
    void siteMinutesFromItsServices();
    void jobEndFromItsLines_data();
    void jobEndFromItsLines();
    void overflowIsAnError();
    void resourceAndServiceLookups();
    void paymentsKeepNoZeroRows();
    void extraHoursKeepNoZeroRows();

private:
    std::unique_ptr<ProgramFolder> pf_;
};

void TestDurations::init()
{
    resetSeams();
    pf_ = std::make_unique<ProgramFolder>();
    pf_->openDatabases();
    addClient("Client");
    addResource("Bernat", 0xFF0000, false, true);
    addResource("Nuri", 0x00FFFF, false, true);
    addResource("Aprenent", 0x0000FF, false, false);
    addResource("Equip", 0x00FF00, true, false);
    addMember("Equip", "Bernat");
    addMember("Equip", "Nuri");
    addMember("Equip", "Aprenent");
    addResource("Equip buit", 0x00F0F0, true, false);
    addMember("Equip buit", "Aprenent");
    addService("Neteja", 90);
    addService("Vidres", 90, Decimal::fromInt(12), true);
    addService("Mig minut", 1);
    addSite("Oficina", "Client");
}

void TestDurations::runningTotalRoundsAfterEveryLine_data()
{
    QTest::addColumn<QList<int>>("quantitiesTenths");
    QTest::addColumn<int>("minutesPerUnit");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<int>("expect");
    QTest::newRow("no lines: one cell") << QList<int>{} << 1 << 1 << 30;
    QTest::newRow("60 stays") << QList<int>{600} << 1 << 1 << 60;
    QTest::newRow("61 -> 90") << QList<int>{610} << 1 << 1 << 90;
    QTest::newRow("1 -> 30") << QList<int>{10} << 1 << 1 << 30;
    QTest::newRow("three halves round to 0 each time") << QList<int>{5, 5, 5} << 1 << 1 << 30;
    QTest::newRow("two 2.5 lines: 2 then 4") << QList<int>{25, 25} << 1 << 1 << 30;
    QTest::newRow("90 over two people") << QList<int>{10} << 90 << 2 << 60;
}

void TestDurations::runningTotalRoundsAfterEveryLine()
{
    QFETCH(QList<int>, quantitiesTenths);
    QFETCH(int, minutesPerUnit);
    QFETCH(int, divisor);
    QFETCH(int, expect);
    QList<LiniaTemps> lines;
    for (int q : quantitiesTenths) lines.append({qint64(q) * 1000, minutesPerUnit, false});
    QCOMPARE(sumaMinutsServeis(lines, divisor, 30), expect);
    // Two 2.5-minute lines give exactly 4 before whole cells (4.5 rounds to 4).
    QCOMPARE(sumaMinutsServeis({{25000, 1, false}, {25000, 1, false}}, 1, 1), 4);
}

void TestDurations::teamDivisionCountsOnlySharingMembers()
{
    QCOMPARE(Recursos_Assignen_Temps("Equip"), 2);
    QCOMPARE(Recursos_Assignen_Temps("Bernat"), 1);
    QCOMPARE(Recursos_Assignen_Temps(""), 1);
    QCOMPARE(Recursos_Assignen_Temps("Ningú"), 1);
    QCOMPARE(Recursos_Assignen_Temps("Equip buit"), 1);
}

void TestDurations::siteMinutesFromItsServices()
{
    QCOMPARE(Minuts_Previstos_Lloc("Oficina", 1), 30); // no lines: one cell
    addSiteService("Oficina", "Neteja", Decimal::fromInt(1));
    QCOMPARE(Minuts_Previstos_Lloc("Oficina", 2), 60);  // 90 / 2 = 45 -> 60
    QCOMPARE(Minuts_Previstos_Lloc("Oficina", 1), 90);
    addSiteService("Oficina", "Vidres", Decimal::fromInt(1));
    QCOMPARE(Minuts_Previstos_Lloc("Oficina", 2), 150); // common service counts whole: 45 + 90 = 135 -> 150
}

void TestDurations::jobEndFromItsLines_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("resource");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("end");
    QTest::newRow("team divides") << "08:00" << "Equip" << 90 << "09:00";
    QTest::newRow("worker alone") << "08:00" << "Bernat" << 90 << "09:30";
    QTest::newRow("past midnight cut at end of day") << "23:30" << "Bernat" << 60 << "24:00";
    QTest::newRow("exactly midnight") << "23:00" << "Bernat" << 60 << "24:00";
    QTest::newRow("a full day from 8 is cut, not 08:00") << "08:00" << "Bernat" << 1440 << "24:00";
}

void TestDurations::jobEndFromItsLines()
{
    QFETCH(QString, start);
    QFETCH(QString, resource);
    QFETCH(int, minutes);
    QFETCH(QString, end);
    const int job = addJob("Oficina", QDate(2010, 3, 1), start, start, resource);
    BD().exec("INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_quantitat) VALUES (?, 'Mig minut', ?)",
              {job, qlonglong(minutes) * Decimal::Scale});
    Feina f;
    f.Id = job;
    f.HoraInici = start;
    f.Recurs = resource;
    QCOMPARE(Hora_Fi_Feina(f), end);
}

void TestDurations::overflowIsAnError()
{
    QVERIFY_THROWS_EXCEPTION(OverflowError, sumaMinutsServeis({{qint64(40000) * Decimal::Scale, 1, false}}, 1, 30));
    // A cell of no minutes is an error, never a division by zero.
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, sumaMinutsServeis({}, 1, 0));
}

void TestDurations::resourceAndServiceLookups()
{
    QCOMPARE(Color_Recurs("Bernat"), 0xFF0000);
    QCOMPARE(Color_Recurs("Ningú"), qint32(0x80000005u));
    QCOMPARE(Recurs_Per_Color(0x00FFFF), QString("Nuri"));
    QCOMPARE(Recurs_Per_Color(0x123456), QString());
    QVERIFY(Recurs_Assigna_Temps("Nuri"));
    QVERIFY(!Recurs_Assigna_Temps("Aprenent"));
    QVERIFY(!Recurs_Assigna_Temps("Ningú"));
    QCOMPARE(Preu_Servei("Vidres"), Decimal::fromInt(12));
    QCOMPARE(Preu_Servei("Ningú"), Decimal());
    QCOMPARE(Unitat_Servei("Vidres"), QString("h"));
    QCOMPARE(Descripcio_Servei("Vidres", ""), QString("Vidres"));
    QCOMPARE(Descripcio_Servei("Ningú", "Oficina"), QString());
    addSiteService("Oficina", "Vidres", Decimal::fromInt(1));
    BD().exec("UPDATE Llocs_Serveis SET llocs_serveis_descripcio = ''");
    QCOMPARE(Descripcio_Servei("Vidres", "Oficina"), QString()); // the site's empty text wins
    addResource("L'Anna", 0x010101);
    QCOMPARE(Color_Recurs("L'Anna"), 0x010101);
}

void TestDurations::paymentsKeepNoZeroRows()
{
    addClient("Cal d'Amat");
    QString amount;
    QCOMPARE(Grava_Pagament("03/2010", "Cal d'Amat", amount), Decimal());
    QCOMPARE(amount, QString("0"));
    QCOMPARE(BD().scalar("SELECT count(*) FROM Pagaments").toInt(), 0);

    amount = "12,341";
    QCOMPARE(Grava_Pagament("03/2010", "Cal d'Amat", amount).toFixed(), QString("12.34"));
    QCOMPARE(Pagament_Client_Mes("03/2010", "Cal d'Amat").toFixed(), QString("12.34"));
    amount = "12,345"; // half to even
    QCOMPARE(Grava_Pagament("03/2010", "Cal d'Amat", amount).toFixed(), QString("12.34"));
    amount = "trenta";
    QCOMPARE(Grava_Pagament("03/2010", "Cal d'Amat", amount), Decimal());
    QCOMPARE(Pagament_Client_Mes("03/2010", "Cal d'Amat").toFixed(), QString("12.34")); // untouched
    amount = "0";
    QCOMPARE(Grava_Pagament("03/2010", "Cal d'Amat", amount), Decimal());
    QCOMPARE(BD().scalar("SELECT count(*) FROM Pagaments").toInt(), 0);
    QCOMPARE(Pagament_Client_Mes("03/2010", "Cal d'Amat"), Decimal());
}

void TestDurations::extraHoursKeepNoZeroRows()
{
    const QDate d(2010, 3, 1);
    Grava_Hores_Fetes(Decimal(), "Bernat", d);
    QCOMPARE(BD().scalar("SELECT count(*) FROM Hores_Fetes").toInt(), 0);
    Grava_Hores_Fetes(*Decimal::parseFixed("1.5"), "Bernat", d);
    Grava_Hores_Fetes(*Decimal::parseFixed("2.25"), "Bernat", d);
    QCOMPARE(BD().scalar("SELECT count(*) FROM Hores_Fetes").toInt(), 1);
    QCOMPARE(BD().scalar("SELECT hores_quantitat FROM Hores_Fetes").toLongLong(), 22500LL);
    Grava_Hores_Fetes(Decimal(), "Bernat", d);
    QCOMPARE(BD().scalar("SELECT count(*) FROM Hores_Fetes").toInt(), 0);
}

QTEST_GUILESS_MAIN(TestDurations)
#include "TestDurations.moc"
