// The rules the database itself keeps: keys, numbering, renames, refused deletes, defaults,
// and an earlier version's database brought up to date.
#include "Consultes.h"
#include "Esquema.h"
#include "Globals.h"
#include "LecturaFacturacio.h"
#include "TestSupport.h"

#include <QtTest>

using namespace TestSupport;

class TestSchema : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { pf_.reset(); }
    void keysDifferingOnlyInCaseAreRefused_data();
    void keysDifferingOnlyInCaseAreRefused();
    void jobIdsAreNeverReused();
    void renamesReachEveryReferringRow();
    void deletesOfReferredRowsAreRefused_data();
    void deletesOfReferredRowsAreRefused();
    void jobLinesGoWithTheirJob();
    void teamMembersGoWithTheTeam();
    void defaultsAreValuesReadersAccept();
    void resourceColoursAreUnique();
    void anEarlierVersionIsBroughtUp_data();
    void anEarlierVersionIsBroughtUp();

private:
    std::unique_ptr<ProgramFolder> pf_;
    static bool fails(const QString& sql, const QVariantList& params = {})
    {
        try {
            BD().exec(sql, params);
        } catch (const DbError&) {
            return true;
        }
        return false;
    }
};

void TestSchema::init()
{
    resetSeams();
    pf_ = std::make_unique<ProgramFolder>();
    pf_->openDatabases();
    addClient("Ca l'Anna");
    addService("Neteja", 60);
    addResource("Bernat", 0xFF0000);
    addResource("Nuri", 0x00FFFF);
    addResource("Equip", 0x00FF00, true, false);
    addMember("Equip", "Bernat");
    addSite("Pis d'en Joan", "Ca l'Anna", 60, "Bernat");
    addSiteService("Pis d'en Joan", "Neteja", Decimal::fromInt(1));
}

void TestSchema::keysDifferingOnlyInCaseAreRefused_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("params");
    QTest::newRow("client") << "INSERT INTO Clients (clients_nom) VALUES (?)" << QVariantList{"CA L'ANNA"};
    QTest::newRow("service") << "INSERT INTO Serveis (serveis_nom) VALUES (?)" << QVariantList{"neteja"};
    QTest::newRow("resource") << "INSERT INTO Recursos (recursos_nom, recursos_color) VALUES (?, 5)"
                              << QVariantList{"BERNAT"};
    QTest::newRow("site") << "INSERT INTO Llocs (llocs_nom, clients_nom) VALUES (?, ?)"
                          << QVariantList{"pis d'en joan", "Ca l'Anna"};
    QTest::newRow("site service") << "INSERT INTO Llocs_Serveis (llocs_nom, serveis_nom) VALUES (?, ?)"
                                  << QVariantList{"PIS D'EN JOAN", "NETEJA"};
}

void TestSchema::keysDifferingOnlyInCaseAreRefused()
{
    QFETCH(QString, sql);
    QFETCH(QVariantList, params);
    QVERIFY(fails(sql, params));
}

void TestSchema::jobIdsAreNeverReused()
{
    const int a = addJob("Pis d'en Joan", QDate(2010, 3, 1), "08:00", "09:00");
    const int b = addJob("Pis d'en Joan", QDate(2010, 3, 2), "08:00", "09:00");
    BD().exec("DELETE FROM Feines WHERE feines_id = ?", {b});
    const int c = addJob("Pis d'en Joan", QDate(2010, 3, 3), "08:00", "09:00");
    QVERIFY(c > b);
    BD().exec("DELETE FROM Feines");
    QVERIFY(addJob("Pis d'en Joan", QDate(2010, 3, 4), "08:00", "09:00") > c);
    Q_UNUSED(a);
}

void TestSchema::renamesReachEveryReferringRow()
{
    const int job = addJob("Pis d'en Joan", QDate(2010, 3, 1), "08:00", "09:00", "Bernat");
    BD().exec("INSERT INTO Feines_Detall (feines_id, serveis_nom) VALUES (?, 'Neteja')", {job});
    BD().exec("INSERT INTO Xecs (xecs_id, clients_nom, feines_id) VALUES (7, ?, ?)", {"Ca l'Anna", job});
    BD().exec("INSERT INTO Pagaments (pagaments_mes, clients_nom, pagaments_import) VALUES ('03/2010', ?, 100)",
              {"Ca l'Anna"});
    BD().exec("INSERT INTO Hores_Fetes (recursos_nom, hores_data, hores_quantitat) VALUES ('Bernat', '2010-03-01', 10000)");

    BD().exec("UPDATE Clients SET clients_nom = ? WHERE clients_nom = ?", {"Cal Pep", "Ca l'Anna"});
    BD().exec("UPDATE Llocs SET llocs_nom = ? WHERE llocs_nom = ?", {"Pis nou", "Pis d'en Joan"});
    BD().exec("UPDATE Recursos SET recursos_nom = ? WHERE recursos_nom = ?", {"Bernat B.", "Bernat"});
    BD().exec("UPDATE Serveis SET serveis_nom = ? WHERE serveis_nom = ?", {"Neteja general", "Neteja"});

    QCOMPARE(BD().scalar("SELECT clients_nom FROM Llocs").toString(), QString("Cal Pep"));
    QCOMPARE(BD().scalar("SELECT clients_nom FROM Xecs").toString(), QString("Cal Pep"));
    QCOMPARE(BD().scalar("SELECT clients_nom FROM Pagaments").toString(), QString("Cal Pep"));
    QCOMPARE(BD().scalar("SELECT llocs_nom FROM Feines").toString(), QString("Pis nou"));
    QCOMPARE(BD().scalar("SELECT llocs_nom FROM Llocs_Serveis").toString(), QString("Pis nou"));
    QCOMPARE(BD().scalar("SELECT recursos_nom FROM Feines").toString(), QString("Bernat B."));
    QCOMPARE(BD().scalar("SELECT recursos_nom FROM Llocs").toString(), QString("Bernat B."));
    QCOMPARE(BD().scalar("SELECT recursos_component_nom FROM Recursos_Components").toString(), QString("Bernat B."));
    QCOMPARE(BD().scalar("SELECT recursos_nom FROM Hores_Fetes").toString(), QString("Bernat B."));
    QCOMPARE(BD().scalar("SELECT serveis_nom FROM Llocs_Serveis").toString(), QString("Neteja general"));
    QCOMPARE(BD().scalar("SELECT serveis_nom FROM Feines_Detall").toString(), QString("Neteja general"));
}

void TestSchema::deletesOfReferredRowsAreRefused_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("client with a site") << "DELETE FROM Clients";
    QTest::newRow("site with services") << "DELETE FROM Llocs";
    QTest::newRow("service on a site") << "DELETE FROM Serveis";
    QTest::newRow("worker on a site") << "DELETE FROM Recursos WHERE recursos_nom = 'Bernat'";
    QTest::newRow("job paid with a cheque") << "DELETE FROM Feines";
}

void TestSchema::deletesOfReferredRowsAreRefused()
{
    QFETCH(QString, sql);
    const int job = addJob("Pis d'en Joan", QDate(2010, 3, 1), "08:00", "09:00");
    BD().exec("INSERT INTO Xecs (xecs_id, clients_nom, feines_id) VALUES (7, ?, ?)", {"Ca l'Anna", job});
    const int before = BD().scalar("SELECT (SELECT count(*) FROM Clients) + (SELECT count(*) FROM Llocs) + "
                                   "(SELECT count(*) FROM Serveis) + (SELECT count(*) FROM Recursos) + "
                                   "(SELECT count(*) FROM Feines)").toInt();
    QVERIFY(fails(sql));
    const int after = BD().scalar("SELECT (SELECT count(*) FROM Clients) + (SELECT count(*) FROM Llocs) + "
                                  "(SELECT count(*) FROM Serveis) + (SELECT count(*) FROM Recursos) + "
                                  "(SELECT count(*) FROM Feines)").toInt();
    QCOMPARE(after, before);
}

void TestSchema::jobLinesGoWithTheirJob()
{
    const int job = addJob("Pis d'en Joan", QDate(2010, 3, 1), "08:00", "09:00");
    BD().exec("INSERT INTO Feines_Detall (feines_id, serveis_nom) VALUES (?, 'Neteja')", {job});
    BD().exec("DELETE FROM Feines WHERE feines_id = ?", {job});
    QCOMPARE(BD().scalar("SELECT count(*) FROM Feines_Detall").toInt(), 0);
}

void TestSchema::teamMembersGoWithTheTeam()
{
    BD().exec("DELETE FROM Recursos WHERE recursos_nom = 'Equip'");
    QCOMPARE(BD().scalar("SELECT count(*) FROM Recursos_Components").toInt(), 0);
    // A worker still in a team cannot go.
    addResource("Equip 2", 0x0000FF, true);
    addMember("Equip 2", "Nuri");
    QVERIFY(fails("DELETE FROM Recursos WHERE recursos_nom = 'Nuri'"));
}

void TestSchema::defaultsAreValuesReadersAccept()
{
    const int job = addJob("Pis d'en Joan", QDate(2010, 3, 1), "08:00", "09:00");
    QSqlQuery q = BD().query("SELECT feines_feta, feines_data_factura, feines_quota, feines_observacions FROM Feines "
                             "WHERE feines_id = ?", {job});
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 0);
    QVERIFY(q.value(1).isNull());
    QCOMPARE(q.value(2).toLongLong(), 0LL);
    QVERIFY(!q.value(3).isNull());
    QCOMPARE(q.value(3).toString(), QString(""));

    BD().exec("INSERT INTO Xecs (xecs_id, clients_nom, xecs_valor) VALUES (9, ?, 100000)", {"Ca l'Anna"});
    QSqlQuery x = BD().query("SELECT feines_id, xecs_data_liquidat, xecs_data_entrega FROM Xecs WHERE xecs_id = 9");
    QVERIFY(x.next());
    QVERIFY(x.value(0).isNull());
    QVERIFY(x.value(1).isNull());
    QCOMPARE(x.value(2).toString(), QDate::currentDate().toString(Qt::ISODate));

    QSqlQuery c = BD().query("SELECT clients_NIF, clients_xecs, clients_data_alta FROM Clients");
    QVERIFY(c.next());
    QCOMPARE(c.value(0).toString(), QString(""));
    QCOMPARE(c.value(1).toInt(), 0);
    QVERIFY(QDateTime::fromString(c.value(2).toString(), "yyyy-MM-dd HH:mm:ss").isValid());
    QCOMPARE(BD().scalar("PRAGMA user_version").toInt(), SchemaVersion);
}

void TestSchema::resourceColoursAreUnique()
{
    QVERIFY(fails("INSERT INTO Recursos (recursos_nom, recursos_color) VALUES ('Pere', ?)", {0xFF0000}));
}

// A database of the first version gets the part of each month's payment that
// its invoices took: the whole payment where the client has a job of the month
// with an invoice date (every invoice took it whole then), none elsewhere; the
// payments are kept, and a pending-only invoice takes what is left. A second
// run changes nothing.
void TestSchema::anEarlierVersionIsBroughtUp_data()
{
    QTest::addColumn<QStringList>("feines");      // "site day" or "site day invoice-day"
    QTest::addColumn<QStringList>("facturats");   // taken of 10 (03/2010) and 20 (04/2010), stored
    QTest::addColumn<QStringList>("pendents");    // what a pending-only invoice of each month takes
    QTest::newRow("no invoiced job: the payments kept to take")
        << QStringList{} << QStringList{"0", "0"} << QStringList{"10", "20"};
    // March half-invoiced; in April only another client's job and one of
    // May's first day have an invoice date.
    QTest::newRow("an invoiced month has taken its payment, another keeps it")
        << QStringList{"Pis 2010-03-01", "Pis 2010-03-31 2010-04-02", "Pis 2010-04-01", "Altre 2010-04-15 2010-04-20",
                       "Pis 2010-05-01 2010-05-03"}
        << QStringList{"100000", "0"} << QStringList{"0", "20"};
}

void TestSchema::anEarlierVersionIsBroughtUp()
{
    QFETCH(QStringList, feines);
    QFETCH(QStringList, facturats);
    QFETCH(QStringList, pendents);
    addClient("Cal Pep");
    addSite("Altre", "Cal Pep");
    for (const QString& f : feines) {
        const QStringList c = f.split(u' ');
        const QString lloc = c[0] == u"Pis" ? QStringLiteral("Pis d'en Joan") : c[0];
        const int id = addJob(lloc, QDate::fromString(c[1], Qt::ISODate), "08:00", "09:00", "Bernat", true);
        if (c.size() > 2) BD().exec("UPDATE Feines SET feines_data_factura = ? WHERE feines_id = ?", {c[2], id});
    }
    // The first version's table of payments.
    BD().exec("ALTER TABLE Pagaments DROP COLUMN pagaments_facturat");
    BD().exec("INSERT INTO Pagaments VALUES ('03/2010', 'Ca l''Anna', 100000), ('04/2010', 'Ca l''Anna', 200000)");
    BD().exec("PRAGMA user_version=1");
    const QStringList mesos{"03/2010", "04/2010"};
    for (int vegada = 0; vegada < 2; ++vegada) {
        actualitzaEsquema(BD());
        QCOMPARE(BD().scalar("PRAGMA user_version").toInt(), SchemaVersion);
        QCOMPARE(queryTexts("SELECT pagaments_import || '/' || pagaments_facturat FROM Pagaments "
                            "ORDER BY pagaments_mes"),
                 (QStringList{"100000/" + facturats[0], "200000/" + facturats[1]}));
    }
    for (int i = 0; i < mesos.size(); ++i) {
        EntradaFacturacio e;
        e.totsClients = false;
        e.client = QStringLiteral("Ca l'Anna");
        e.mes = mesos[i];
        e.periode = *periodeDelMes(e.mes);
        e.pendents = true;
        e.pagament = Pagament_Mes(e.mes, e.client);
        QCOMPARE(calculaMes(e).pagaments, *Decimal::parseFixed(pendents[i]));
    }
}

QTEST_GUILESS_MAIN(TestSchema)
#include "TestSchema.moc"
