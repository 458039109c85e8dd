// The planning run against a database: the jobs it stores, its log, the
// refusals it reports and the failures it undoes.
#include "Planificacio.h"

#include "Convert.h"
#include "Database.h"
#include "Globals.h"
#include "Registre.h"
#include "PlanningFixtures.h"
#include "TestSupport.h"

#include <QtTest>

using namespace TestSupport;

namespace {

const QString Client = QStringLiteral("Client");
const QString Bernat = QStringLiteral("Bernat");

QDate dia(int y, int m, int d) { return QDate(y, m, d); }

// A site of "Client" with its planning fields; an empty time is stored as Null.
void afegeixLloc(const QString& nom, int periode, int diaSetmana = 0, bool primer = false, bool ultim = false,
                 const QString& hora = QString(), const QString& recurs = QString(), int minuts = 60)
{
    addSite(nom, Client, minuts, recurs);
    BD().exec(QStringLiteral("UPDATE Llocs SET llocs_periodicitat_dies = ?, llocs_dia_setmana = ?, "
                             "llocs_primer_dia_mes = ?, llocs_ultim_dia_mes = ?, llocs_hora = ? WHERE llocs_nom = ?"),
              {periode, diaSetmana, primer ? 1 : 0, ultim ? 1 : 0, hora.isEmpty() ? QVariant() : QVariant(hora), nom});
}

int compta(const QString& sql, const QVariantList& params = {}) { return BD().scalar(sql, params).toInt(); }

// Days of a site's jobs, in order.
QList<QDate> diesDe(const QString& lloc)
{
    QList<QDate> out;
    QSqlQuery q = BD().query(QStringLiteral("SELECT feines_data FROM Feines WHERE llocs_nom = ? ORDER BY feines_data"),
                             {lloc});
    while (q.next()) out << QDate::fromString(q.value(0).toString(), Qt::ISODate);
    return out;
}

} // namespace

class TestPlanningRun : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolder> pf;

private slots:
    void init()
    {
        pf = PlanningFixtures::programaNou();
        pf->openDatabases();
        G.HoraInici = QStringLiteral("08:00");
        G.PrimerDiaSetmana = 2;
        addClient(Client);
        addResource(Bernat, 255);
        addService(QStringLiteral("Neteja"), 60);
    }
    void cleanup()
    {
        QString why;
        QVERIFY2(seamsClean(&why), qPrintable(why));
        pf.reset();
    }

    void storesEachJobWithItsLinesAndLogsIt()
    {
        const QString nom = QStringLiteral("Ca l'Anna");
        afegeixLloc(nom, 7, 0, false, false, QStringLiteral("09:30"), Bernat, 60);
        addSiteService(nom, QStringLiteral("Neteja"), Decimal::fromInt(1));
        InformePlanificacio informe;
        QCOMPARE(Planificar_Feines(dia(2010, 1, 4), dia(2010, 1, 25), &informe), QString());
        QCOMPARE(informe.Resultat, ResultatFeina::Fet);
        QCOMPARE(informe.Planificades, 4);
        QCOMPARE(diesDe(nom), (QList<QDate>{dia(2010, 1, 4), dia(2010, 1, 11), dia(2010, 1, 18), dia(2010, 1, 25)}));
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines WHERE feines_hora_inici = '09:30' "
                                       "AND feines_hora_fi = '10:30' AND recursos_nom = ?"), {Bernat}), 4);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines_Detall")), 4);

        const int id = compta(QStringLiteral("SELECT min(feines_id) FROM Feines"));
        const QString log = Registre_Missatges::text();
        QVERIFY(log.startsWith(QStringLiteral("\nIniciant planificació periode: 04/01/2010 - 25/01/2010 ...\n")));
        QVERIFY2(log.contains(QStringLiteral("\nFeina %1: BERNAT  -  'Ca l'Anna' planificada el dilluns 04/01/2010 "
                                             "a les 09:30. ").arg(id)),
                 qPrintable(log));
        QVERIFY(log.endsWith(QStringLiteral("\n\n4 feines planificades.\n\n\nFINALITZACIO CORRECTA!!!\n")));
    }

    void startsAtTheDayStartWhenTheSiteHasNoTime()
    {
        afegeixLloc(QStringLiteral("Sense hora"), 7);
        QCOMPARE(Planificar_Feines(dia(2010, 1, 4), dia(2010, 1, 4)), QString());
        QCOMPARE(BD().scalar(QStringLiteral("SELECT feines_hora_inici FROM Feines")).toString(), QStringLiteral("08:00"));
    }

    void firstDayAfterLastPlansNothing()
    {
        afegeixLloc(QStringLiteral("Lloc"), 7);
        QCOMPARE(Planificar_Feines(dia(2010, 2, 1), dia(2010, 1, 1)), QString());
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines")), 0);
        QVERIFY(Registre_Missatges::text().contains(QStringLiteral("\n\n0 feines planificades.\n")));
    }

    void periodicSeriesGoesOnAcrossRuns()
    {
        // Weekly on Monday from Wednesday 6 January 2010, period of two weeks.
        afegeixLloc(QStringLiteral("Quinzenal"), 14, 2);
        QCOMPARE(Planificar_Feines(dia(2010, 1, 6), dia(2010, 1, 24)), QString());
        QCOMPARE(Planificar_Feines(dia(2010, 1, 25), dia(2010, 2, 7)), QString());
        QCOMPARE(diesDe(QStringLiteral("Quinzenal")), (QList<QDate>{dia(2010, 1, 18), dia(2010, 2, 1)}));
        // A Saturday moved to Monday counts the next visit from that Monday.
        afegeixLloc(QStringLiteral("Deu dies"), 10);
        QCOMPARE(Planificar_Feines(dia(2010, 1, 9), dia(2010, 1, 17)), QString());
        QCOMPARE(Planificar_Feines(dia(2010, 1, 18), dia(2010, 2, 1)), QString());
        QCOMPARE(diesDe(QStringLiteral("Deu dies")), (QList<QDate>{dia(2010, 1, 11), dia(2010, 1, 21), dia(2010, 2, 1)}));
    }

    // Consecutive runs split where a weekend moves a monthly visit: each
    // visit is stored once, by the run whose period holds the moved day.
    void monthlyVisitsAcrossRuns_data()
    {
        QTest::addColumn<bool>("primer");
        QTest::addColumn<QDate>("tall");
        QTest::addColumn<QList<QDate>>("esperat");
        // Sunday 31 January moves back to Friday 29, before the cut.
        QTest::newRow("last of month moved back") << false << dia(2010, 1, 30)
                                                  << QList<QDate>{dia(2009, 12, 31), dia(2010, 1, 29), dia(2010, 2, 26)};
        // Saturday 1 May moves forward to Monday 3, after the cut.
        QTest::newRow("first of month moved forward") << true << dia(2010, 5, 1)
                                                      << QList<QDate>{dia(2010, 4, 1), dia(2010, 5, 3), dia(2010, 6, 1)};
    }
    void monthlyVisitsAcrossRuns()
    {
        QFETCH(bool, primer);
        QFETCH(QDate, tall);
        QFETCH(QList<QDate>, esperat);
        afegeixLloc(QStringLiteral("Mensual"), 30, 0, primer, !primer);
        QCOMPARE(Planificar_Feines(tall.addDays(-40), tall), QString());
        QCOMPARE(Planificar_Feines(tall.addDays(1), tall.addDays(40)), QString());
        QCOMPARE(diesDe(QStringLiteral("Mensual")), esperat);
    }

    // The run stores its jobs, and the last planned day follows: a run
    // repeated from the old day plans no visit of a site a second time.
    void repeatedRunPlansNothingTwice()
    {
        afegeixLloc(QStringLiteral("Mensual"), 30, 0, false, true);
        afegeixLloc(QStringLiteral("Setmanal"), 7);
        afegeixLloc(QStringLiteral("Dilluns"), 3, 2);   // every three days, kept on Mondays
        const QStringList llocs{"Mensual", "Setmanal", "Dilluns"};
        InformePlanificacio informe;
        QCOMPARE(Planificar_Feines(dia(2010, 1, 4), dia(2010, 3, 31), &informe), QString());
        QList<QList<QDate>> abans;
        for (const QString& l : llocs) abans << diesDe(l);
        QCOMPARE(abans[0], (QList<QDate>{dia(2010, 1, 29), dia(2010, 2, 26), dia(2010, 3, 31)}));
        QCOMPARE(informe.Planificades, compta(QStringLiteral("SELECT count(*) FROM Feines")));

        QCOMPARE(Planificar_Feines(dia(2010, 1, 4), dia(2010, 3, 31), &informe), QString());
        QCOMPARE(informe.Planificades, 0);
        for (int i = 0; i < llocs.size(); ++i) QCOMPARE(diesDe(llocs[i]), abans[i]);
        // A run reaching further plans only the days not planned yet, though
        // the Monday alignment of "Dilluns" goes back to the last planned Monday.
        QCOMPARE(Planificar_Feines(dia(2010, 1, 4), dia(2010, 4, 30), &informe), QString());
        QCOMPARE(diesDe(QStringLiteral("Mensual")), abans[0] + QList<QDate>{dia(2010, 4, 30)});
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM Feines GROUP BY llocs_nom, feines_data "
                                       "HAVING count(*) > 1)")), 0);
    }

    void secondSiteOnABusyResourceIsStoredUnassigned()
    {
        afegeixLloc(QStringLiteral("Primer"), 7, 0, false, false, QStringLiteral("09:00"), Bernat);
        afegeixLloc(QStringLiteral("Segon"), 7, 0, false, false, QStringLiteral("09:30"), Bernat);
        QCOMPARE(Planificar_Feines(dia(2010, 1, 4), dia(2010, 1, 4)), QString());
        QCOMPARE(BD().scalar(QStringLiteral("SELECT recursos_nom FROM Feines WHERE llocs_nom = 'Primer'")).toString(), Bernat);
        QVERIFY(BD().scalar(QStringLiteral("SELECT recursos_nom FROM Feines WHERE llocs_nom = 'Segon'")).isNull());
        QVERIFY(Registre_Missatges::text().contains(QStringLiteral(": <no assignada>  -  'Segon' planificada el")));
    }

    void refusedJobIsLoggedAndTheRunGoesOn()
    {
        G.HoraFinal = QStringLiteral("10:00");
        afegeixLloc(QStringLiteral("Tard"), 7, 0, false, false, QStringLiteral("09:30"), QString(), 60);
        afegeixLloc(QStringLiteral("Aviat"), 7, 0, false, false, QStringLiteral("08:00"), QString(), 60);
        InformePlanificacio informe;
        QCOMPARE(Planificar_Feines(dia(2010, 1, 4), dia(2010, 1, 4), &informe), QString());
        QCOMPARE(informe.Planificades, 1);
        QCOMPARE(informe.Refusades, 1);
        QCOMPARE(diesDe(QStringLiteral("Aviat")).size(), 1);
        const QString log = Registre_Missatges::text();
        QVERIFY2(log.contains(QStringLiteral("\nERROR en planificació de feina: 'Tard' el dilluns 04/01/2010 a les 09:30."
                                             "\nL'hora final de la feina supera les 10:00h.")),
                 qPrintable(log));
        QVERIFY(log.contains(QStringLiteral("FINALITZACIO CORRECTA!!!")));
    }

    void databaseFailureUndoesTheWholeRun()
    {
        afegeixLloc(QStringLiteral("A"), 7);
        afegeixLloc(QStringLiteral("B"), 7);
        const int anterior = addJob(QStringLiteral("A"), dia(2009, 12, 28), QStringLiteral("08:00"), QStringLiteral("09:00"));
        // The disk "fails" on the second site's second job.
        BD().exec(QStringLiteral("CREATE TRIGGER falla BEFORE INSERT ON Feines WHEN NEW.llocs_nom = 'B' "
                                 "AND NEW.feines_data = '2010-01-11' BEGIN SELECT RAISE(ABORT, 'disc ple'); END"));
        InformePlanificacio informe;
        const QString r = Planificar_Feines(dia(2010, 1, 4), dia(2010, 1, 31), &informe);
        QVERIFY2(r.startsWith(QStringLiteral("Error en Planificar_Feines:")) && r.contains(QStringLiteral("disc ple")),
                 qPrintable(r));
        QCOMPARE(informe.Resultat, ResultatFeina::Error);
        QCOMPARE(informe.Planificades, 0);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines")), 1);
        QCOMPARE(compta(QStringLiteral("SELECT feines_id FROM Feines")), anterior);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines_Detall")), 0);
        QCOMPARE(BD().transactionDepth(), 0);
        QVERIFY(Registre_Missatges::text().endsWith(QStringLiteral("\n\nFINALITZACIO AMB ERRORS!!!")));
        QVERIFY(!Registre_Missatges::text().contains(QStringLiteral("disc ple")));

        // The database is usable again: the same period plans once the fault is gone.
        BD().exec(QStringLiteral("DROP TRIGGER falla"));
        QCOMPARE(Planificar_Feines(dia(2010, 1, 4), dia(2010, 1, 31), &informe), QString());
        QCOMPARE(informe.Planificades, 8);
    }

    void countsBeyondSixteenBits()
    {
        // 100 daily sites over 328 days: 32,800 jobs.
        {
            Transaction t(BD());
            for (int i = 0; i < 100; ++i)
                afegeixLloc(QStringLiteral("Diari %1").arg(i), 1, 0, false, false, QStringLiteral("08:00"));
            BD().exec(QStringLiteral("UPDATE Llocs SET llocs_dissabte = 1, llocs_diumenge = 1"));
            t.commit();
        }
        InformePlanificacio informe;
        QCOMPARE(Planificar_Feines(dia(2010, 1, 1), dia(2010, 11, 24), &informe), QString());
        QCOMPARE(informe.Planificades, 32800);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines")), 32800);
        QVERIFY(Registre_Missatges::text().contains(QStringLiteral("\n\n32800 feines planificades.\n")));
    }
};

QTEST_GUILESS_MAIN(TestPlanningRun)
#include "TestPlanningRun.moc"
