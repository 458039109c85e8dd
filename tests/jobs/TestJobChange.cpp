// Changing jobs: the done-state rules, undoing the billing of a job set back
// to not done, the overlap rules with the job itself left out, the computed
// end, and a failure half-way.
#include "Feines.h"
#include "JobFixtures.h"

#include "Convert.h"
#include "Globals.h"

#include <QtTest>

using namespace TestSupport;
using namespace JobFixtures;

Q_DECLARE_METATYPE(ResultatFeina)

namespace {
const QString Lloc = QStringLiteral("L'Escala");
const QString Anna = QStringLiteral("Anna");

// The stored job as a window would hold it.
Feina carrega(int id)
{
    QSqlQuery q = BD().query(QStringLiteral(
        "SELECT llocs_nom, feines_data, feines_hora_inici, feines_hora_fi, ifnull(recursos_nom, ''), feines_feta, "
        "feines_observacions FROM Feines WHERE feines_id = ?"), {id});
    Feina f;
    if (!q.next()) return f;
    f.Id = id;
    f.Lloc = q.value(0).toString();
    f.Data = QDate::fromString(q.value(1).toString(), Qt::ISODate);
    f.HoraInici = q.value(2).toString();
    f.HoraFi = q.value(3).toString();
    f.Recurs = q.value(4).toString();
    f.Feta = q.value(5).toInt() != 0;
    f.Observacions = q.value(6).toString();
    return f;
}
} // namespace

class TestJobChange : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolder> pf;

    // A job of Anna at the site 10:00-11:00 on a day, done or not, invoiced
    // and paid with two cheques when done.
    int feinaFacturada(const QDate& dia, bool feta)
    {
        const int id = addJob(Lloc, dia, QStringLiteral("10:00"), QStringLiteral("11:00"), Anna, feta);
        BD().exec(QStringLiteral("UPDATE Feines SET feines_data_factura = '2010-03-01', feines_quota = 50000 "
                                 "WHERE feines_id = ?"), {id});
        addXec(id, QDate(2010, 3, 2));
        addXec(id, QDate(2010, 3, 3));
        return id;
    }

private slots:
    void init()
    {
        pf = obre();
        addResource(Anna, 1);
        addSite(Lloc, QStringLiteral("Client"), 60, Anna);
    }
    void cleanup() { pf.reset(); }

    void doneState_data()
    {
        QTest::addColumn<bool>("desadaFeta");
        QTest::addColumn<bool>("feta");
        QTest::addColumn<QString>("recurs");
        QTest::addColumn<int>("dies");        // the job's day after today
        QTest::addColumn<QString>("missatge"); // "" = saved
        QTest::newRow("done to done") << true << true << "Anna" << 0 << "No es pot modificar una feina feta";
        QTest::newRow("done to not done") << true << false << "Anna" << 0 << "";
        QTest::newRow("not done to done") << false << true << "Anna" << 0 << "";
        QTest::newRow("not done to not done") << false << false << "Anna" << 0 << "";
        QTest::newRow("done without resource")
            << false << true << "" << 0 << "Cal assignar recurs si la feina està feta";
        QTest::newRow("no resource comes before the future date")
            << false << true << "" << 1 << "Cal assignar recurs si la feina està feta";
        QTest::newRow("done tomorrow") << false << true << "Anna" << 1 << "Una feina futura no pot estar feta";
        QTest::newRow("done yesterday") << false << true << "Anna" << -1 << "";
        QTest::newRow("not done tomorrow") << false << false << "Anna" << 1 << "";
    }

    void doneState()
    {
        QFETCH(bool, desadaFeta);
        QFETCH(bool, feta);
        QFETCH(QString, recurs);
        QFETCH(int, dies);
        QFETCH(QString, missatge);
        const int id = feinaFacturada(Avui.addDays(dies), desadaFeta);
        Feina f = carrega(id);
        f.Feta = feta;
        f.Recurs = recurs;
        f.DataFactura = QDate(2010, 3, 5);
        Modifica_Feina(f);
        QCOMPARE(f.Missatge, missatge);
        QCOMPARE(f.Resultat, missatge.isEmpty() ? ResultatFeina::Fet : ResultatFeina::Refusat);

        const QVariant factura = valor(QStringLiteral("SELECT feines_data_factura FROM Feines WHERE feines_id = ?"), {id});
        const int xecs = compta(QStringLiteral("SELECT count(*) FROM Xecs WHERE feines_id = ?"), {id});
        if (!missatge.isEmpty()) {
            // Refused: nothing written.
            QCOMPARE(compta(QStringLiteral("SELECT feines_feta FROM Feines WHERE feines_id = ?"), {id}), desadaFeta ? 1 : 0);
            QCOMPARE(factura.toString(), QStringLiteral("2010-03-01"));
            QCOMPARE(xecs, 2);
            return;
        }
        QCOMPARE(compta(QStringLiteral("SELECT feines_feta FROM Feines WHERE feines_id = ?"), {id}), feta ? 1 : 0);
        if (feta) {
            QCOMPARE(factura.toString(), QStringLiteral("2010-03-05"));
            QCOMPARE(compta(QStringLiteral("SELECT feines_quota FROM Feines WHERE feines_id = ?"), {id}), 50000);
            QCOMPARE(xecs, 2);
        } else {
            QVERIFY(factura.isNull());
            QCOMPARE(compta(QStringLiteral("SELECT feines_quota FROM Feines WHERE feines_id = ?"), {id}), 0);
            QCOMPARE(xecs, 0);
            QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Xecs WHERE xecs_data_liquidat IS NOT NULL")), 0);
            QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Xecs")), 2);
        }
    }

    void refusesMissingJob_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("missatge");
        QTest::newRow("no id") << 0 << "Feina no especificada";
        QTest::newRow("gone") << 999 << "Feina no trobada";
    }

    void refusesMissingJob()
    {
        QFETCH(int, id);
        QFETCH(QString, missatge);
        Feina f;
        f.Id = id;
        f.Lloc = Lloc;
        f.Data = Avui;
        f.HoraInici = QStringLiteral("10:00");
        f.HoraFi = QStringLiteral("11:00");
        Modifica_Feina(f);
        QCOMPARE(f.Missatge, missatge);
        QCOMPARE(f.Resultat, ResultatFeina::Refusat);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines")), 0);
    }

    void overlapsLeaveTheJobItselfOut_data()
    {
        QTest::addColumn<bool>("permetSolapar");
        QTest::addColumn<QString>("inici");   // the job's new times; the other job is 12:00-13:00
        QTest::addColumn<QString>("fi");
        QTest::addColumn<QString>("missatge");
        QTest::newRow("same times again, site") << false << "10:00" << "11:00" << "";
        QTest::newRow("same times again, resource") << true << "10:00" << "11:00" << "";
        QTest::newRow("moved to touch the other job") << false << "11:00" << "12:00" << "";
        QTest::newRow("moved over the other job, site") << false << "11:30" << "12:30" << "Solapament de llocs a L'ESCALA";
        QTest::newRow("moved over the other job, resource")
            << true << "11:30" << "12:30" << "Solapament de recursos: Anna";
    }

    void overlapsLeaveTheJobItselfOut()
    {
        QFETCH(bool, permetSolapar);
        QFETCH(QString, inici);
        QFETCH(QString, fi);
        QFETCH(QString, missatge);
        G.PermetSolaparLlocs = permetSolapar;
        const int id = addJob(Lloc, Avui, QStringLiteral("10:00"), QStringLiteral("11:00"), Anna);
        addJob(Lloc, Avui, QStringLiteral("12:00"), QStringLiteral("13:00"), Anna);
        Feina f = carrega(id);
        f.HoraInici = inici;
        f.HoraFi = fi;
        Modifica_Feina(f);
        QCOMPARE(f.Missatge, missatge);
        QCOMPARE(valor(QStringLiteral("SELECT feines_hora_inici FROM Feines WHERE feines_id = ?"), {id}).toString(),
                 missatge.isEmpty() ? inici : QStringLiteral("10:00"));
    }

    void teamJobRefusedNamingTheMember()
    {
        addResource(QStringLiteral("Bernat"), 2);
        addResource(QStringLiteral("Equip"), 3, true);
        addMember(QStringLiteral("Equip"), Anna);
        addMember(QStringLiteral("Equip"), QStringLiteral("Bernat"));
        const int id = addJob(Lloc, Avui, QStringLiteral("10:00"), QStringLiteral("11:00"));
        addJob(Lloc, Avui, QStringLiteral("10:30"), QStringLiteral("11:30"), QStringLiteral("Bernat"));
        Feina f = carrega(id);
        f.Recurs = QStringLiteral("Equip");
        Modifica_Feina(f);
        QCOMPARE(f.Missatge, QStringLiteral("Solapament de recursos: Bernat"));
        QVERIFY(valor(QStringLiteral("SELECT recursos_nom FROM Feines WHERE feines_id = ?"), {id}).isNull());
    }

    // Records built in code leave their notes unset; the column holds "" then.
    void recordWithoutNotesIsSavedWithEmptyNotes_data()
    {
        QTest::addColumn<bool>("deLaInsercio");
        QTest::newRow("the record an insertion answered") << true;
        QTest::newRow("a record built in code") << false;
    }

    void recordWithoutNotesIsSavedWithEmptyNotes()
    {
        QFETCH(bool, deLaInsercio);
        Feina f;
        f.Lloc = Lloc;
        f.Data = Avui;
        f.HoraInici = QStringLiteral("09:00");
        Grava_Feina(f, false);
        QCOMPARE(f.Missatge, QString());
        if (!deLaInsercio) {
            const qint32 id = f.Id;
            f = Feina();
            f.Id = id;
            f.Lloc = Lloc;
            f.Data = Avui;
            f.HoraInici = QStringLiteral("09:00");
        }
        f.HoraFi = QStringLiteral("11:00");
        Modifica_Feina(f);
        QCOMPARE(f.Missatge, QString());
        QCOMPARE(valor(QStringLiteral("SELECT feines_hora_fi || '|' || feines_observacions || '|' FROM Feines")).toString(),
                 QStringLiteral("11:00||"));
    }

    void emptyEndIsComputedAndKeptWhenRefused()
    {
        addService(QStringLiteral("Neteja"), 90);
        const int id = addJob(Lloc, Avui.addDays(1), QStringLiteral("10:00"), QStringLiteral("10:30"), Anna);
        BD().exec(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_quantitat) "
                                 "VALUES (?, 'Neteja', 10000)"), {id});
        Feina f = carrega(id);
        f.HoraFi.clear();
        f.Feta = true;
        Modifica_Feina(f);
        QCOMPARE(f.Missatge, QStringLiteral("Una feina futura no pot estar feta"));
        QCOMPARE(f.HoraFi, QStringLiteral("11:30"));
        QCOMPARE(valor(QStringLiteral("SELECT feines_hora_fi FROM Feines WHERE feines_id = ?"), {id}).toString(),
                 QStringLiteral("10:30"));
    }

    void endBeforeStartIsRefused_data()
    {
        QTest::addColumn<QString>("horaFinal");
        QTest::addColumn<QString>("inici");
        QTest::addColumn<QString>("fi");      // "" = computed from the lines (90 minutes)
        QTest::addColumn<bool>("desada");
        QTest::newRow("computed end cut at the end of the day") << "20:00" << "23:00" << "" << false;
        QTest::newRow("given end before the start") << "20:00" << "10:00" << "09:00" << false;
        QTest::newRow("zero length") << "20:00" << "10:00" << "10:00" << true;
        QTest::newRow("computed end at midnight") << "24:00" << "22:30" << "" << true;
    }

    void endBeforeStartIsRefused()
    {
        QFETCH(QString, horaFinal);
        QFETCH(QString, inici);
        QFETCH(QString, fi);
        QFETCH(bool, desada);
        G.HoraFinal = horaFinal;
        addService(QStringLiteral("Neteja"), 90);
        const int id = addJob(Lloc, Avui, QStringLiteral("10:00"), QStringLiteral("10:30"), Anna);
        BD().exec(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_quantitat) "
                                 "VALUES (?, 'Neteja', 10000)"), {id});
        Feina f = carrega(id);
        f.HoraInici = inici;
        f.HoraFi = fi;
        Modifica_Feina(f);
        QCOMPARE(f.Missatge, desada ? QString()
                                    : QStringLiteral("L'hora final de la feina supera les %1h.").arg(horaFinal));
        QCOMPARE(valor(QStringLiteral("SELECT feines_hora_inici FROM Feines WHERE feines_id = ?"), {id}).toString(),
                 desada ? inici : QStringLiteral("10:00"));
    }

    void failureReleasingChequesChangesNothing()
    {
        const int id = feinaFacturada(Avui, true);
        BD().exec(QStringLiteral("CREATE TEMP TRIGGER falla BEFORE UPDATE ON Xecs "
                                 "WHEN old.xecs_id = (SELECT max(xecs_id) FROM Xecs) "
                                 "BEGIN SELECT RAISE(ABORT, 'xec injectat'); END"));
        Feina f = carrega(id);
        f.Feta = false;
        Modifica_Feina(f);
        QCOMPARE(f.Resultat, ResultatFeina::Error);
        QVERIFY2(f.Missatge.startsWith(QStringLiteral("Error en Modifica_Feina:")), qPrintable(f.Missatge));
        QCOMPARE(compta(QStringLiteral("SELECT feines_feta FROM Feines WHERE feines_id = ?"), {id}), 1);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Xecs WHERE feines_id = ? AND xecs_data_liquidat IS NOT NULL"),
                        {id}), 2);
        QCOMPARE(BD().transactionDepth(), 0);
    }
};

QTEST_GUILESS_MAIN(TestJobChange)
#include "TestJobChange.moc"
