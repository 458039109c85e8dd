// Deleting and finding jobs: a deleted job takes its lines with it and frees
// its cheques, a done job stays, and a lookup always answers the same job.
#include "Feines.h"
#include "JobFixtures.h"

#include "Globals.h"

#include <QtTest>

using namespace TestSupport;
using namespace JobFixtures;

Q_DECLARE_METATYPE(ResultatFeina)

namespace {
const QString Lloc = QStringLiteral("L'Escala d'en Pep");
const QString Anna = QStringLiteral("Anna d'Oc");

Feina novaFeina(const QString& inici)
{
    Feina f;
    f.Lloc = Lloc;
    f.Data = Avui;
    f.HoraInici = inici;
    return f;
}
} // namespace

class TestJobDeleteFind : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolder> pf;

private slots:
    void init()
    {
        pf = obre();
        addResource(Anna, 1);
        addResource(QStringLiteral("Bernat"), 2);
        addResource(QStringLiteral("Carla"), 3);
        addResource(QStringLiteral("Equip"), 4, true);
        addMember(QStringLiteral("Equip"), Anna);
        addMember(QStringLiteral("Equip"), QStringLiteral("Bernat"));
        addService(QStringLiteral("Neteja"), 60);
        addService(QStringLiteral("Vidres"), 30);
        addSite(Lloc, QStringLiteral("Client"), 60, Anna);
        addSiteService(Lloc, QStringLiteral("Neteja"), Decimal::fromInt(1));
        addSiteService(Lloc, QStringLiteral("Vidres"), Decimal::fromInt(2));
    }
    void cleanup() { pf.reset(); }

    void deleteThenInsert()
    {
        Feina f = novaFeina(QStringLiteral("10:00"));
        Grava_Feina(f, false);
        QCOMPARE(f.Missatge, QString());
        const int id = f.Id;
        addXec(id, QDate(2010, 3, 2));
        addXec(id, QDate(2010, 3, 3));

        Feina b;
        b.Id = id;
        Borra_Feina(b);
        QCOMPARE(b.Missatge, QString());
        QCOMPARE(b.Resultat, ResultatFeina::Fet);
        // The record comes back with the deleted job's data.
        QCOMPARE(b.Id, id);
        QCOMPARE(b.Lloc, Lloc);
        QCOMPARE(b.Data, Avui);
        QCOMPARE(b.HoraInici, QStringLiteral("10:00"));
        QCOMPARE(b.HoraFi, QStringLiteral("11:00"));
        QCOMPARE(b.Recurs, Anna);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines")), 0);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines_Detall")), 0);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Xecs WHERE feines_id IS NULL AND xecs_data_liquidat IS NULL")), 2);

        Feina g = novaFeina(QStringLiteral("10:00"));
        Grava_Feina(g, false);
        QCOMPARE(g.Missatge, QString());
        QVERIFY(g.Id > id);
        QCOMPARE(g.Recurs, Anna);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines_Detall WHERE feines_id = ?"), {g.Id}), 2);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines_Detall")), 2);
    }

    void deleteRefusals_data()
    {
        QTest::addColumn<int>("id");   // -1 = the done job
        QTest::addColumn<QString>("missatge");
        QTest::newRow("no id") << 0 << "Feina no especificada";
        QTest::newRow("gone") << 999 << "Feina no trobada";
        QTest::newRow("done") << -1 << "No es pot esborrar una feina feta";
    }

    void deleteRefusals()
    {
        QFETCH(int, id);
        QFETCH(QString, missatge);
        const int feta = addJob(Lloc, Avui, QStringLiteral("10:00"), QStringLiteral("11:00"), Anna, true);
        BD().exec(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom) VALUES (?, 'Neteja')"), {feta});
        addXec(feta, QDate(2010, 3, 2));
        addXec(feta, QDate(2010, 3, 3));
        Feina b;
        b.Id = id < 0 ? feta : id;
        b.Observacions = QStringLiteral("del cridador");
        Borra_Feina(b);
        QCOMPARE(b.Missatge, missatge);
        QCOMPARE(b.Resultat, ResultatFeina::Refusat);
        QCOMPARE(b.Observacions, QStringLiteral("del cridador"));
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines WHERE feines_id = ?"), {feta}), 1);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines_Detall WHERE feines_id = ?"), {feta}), 1);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Xecs WHERE feines_id = ? AND xecs_data_liquidat IS NOT NULL"),
                        {feta}), 2);
    }

    void failedDeleteKeepsTheCheques()
    {
        const int id = addJob(Lloc, Avui, QStringLiteral("10:00"), QStringLiteral("11:00"), Anna);
        addXec(id, QDate(2010, 3, 2));
        BD().exec(QStringLiteral("CREATE TEMP TRIGGER falla BEFORE DELETE ON Feines "
                                 "BEGIN SELECT RAISE(ABORT, 'esborrat injectat'); END"));
        Feina b;
        b.Id = id;
        Borra_Feina(b);
        QCOMPARE(b.Resultat, ResultatFeina::Error);
        QVERIFY2(b.Missatge.startsWith(QStringLiteral("Error en Borra_Feina:")), qPrintable(b.Missatge));
        QCOMPARE(b.Id, id);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Xecs WHERE feines_id = ? AND xecs_data_liquidat IS NOT NULL"),
                        {id}), 1);
    }

    void find_data()
    {
        QTest::addColumn<QString>("hora");
        QTest::addColumn<QString>("recurs");
        QTest::addColumn<QString>("inici");   // start of the job found; "" = none
        // Jobs: 09:00-10:00 unassigned, 10:00-11:00 of Anna, 12:00-13:00 of the team.
        QTest::newRow("at the start") << "09:00" << "" << "09:00";
        QTest::newRow("inside") << "09:30" << "" << "09:00";
        QTest::newRow("at the end") << "10:00" << "" << "";
        QTest::newRow("assigned job, no resource asked") << "10:30" << "" << "";
        QTest::newRow("assigned job, its resource") << "10:30" << "Anna d'Oc" << "10:00";
        QTest::newRow("assigned job, another resource") << "10:30" << "Bernat" << "";
        QTest::newRow("team's job, a member") << "12:30" << "Bernat" << "12:00";
        QTest::newRow("team's job, the team") << "12:30" << "Equip" << "12:00";
        QTest::newRow("team's job, an outsider") << "12:30" << "Carla" << "";
        QTest::newRow("unassigned job, a resource") << "09:30" << "Anna d'Oc" << "";
    }

    void find()
    {
        QFETCH(QString, hora);
        QFETCH(QString, recurs);
        QFETCH(QString, inici);
        addJob(Lloc, Avui, QStringLiteral("09:00"), QStringLiteral("10:00"));
        addJob(Lloc, Avui, QStringLiteral("10:00"), QStringLiteral("11:00"), Anna);
        addJob(Lloc, Avui, QStringLiteral("12:00"), QStringLiteral("13:00"), QStringLiteral("Equip"));
        const Feina f = Busca_Feina(Avui, hora, Lloc, recurs);
        if (inici.isEmpty()) {
            QCOMPARE(f.Missatge, QStringLiteral("Feina no trobada"));
            QCOMPARE(f.Resultat, ResultatFeina::Refusat);
            QCOMPARE(f.Id, 0);
            return;
        }
        QCOMPARE(f.Missatge, QString());
        QCOMPARE(f.HoraInici, inici);
        QCOMPARE(f.Lloc, Lloc);
        QCOMPARE(f.Data, Avui);
    }

    void readById()
    {
        const int id = addJob(Lloc, Avui, QStringLiteral("12:00"), QStringLiteral("13:00"), QStringLiteral("Equip"));
        const Feina f = Llegeix_Feina(id);
        QCOMPARE(f.Resultat, ResultatFeina::Fet);
        QCOMPARE(f.Id, id);
        QCOMPARE(f.Recurs + u' ' + f.HoraFi + u' ' + f.Lloc, QStringLiteral("Equip 13:00 ") + Lloc);
        const Feina cap = Llegeix_Feina(id + 1);
        QCOMPARE(cap.Resultat, ResultatFeina::Refusat);
        QCOMPARE(cap.Missatge, QStringLiteral("Feina no trobada"));
        // A time that cannot be read is a failure, not a refusal.
        QCOMPARE(Busca_Feina(Avui, QStringLiteral("1x:00"), Lloc, QString()).Resultat, ResultatFeina::Error);
    }

    void findIsOrderedByStartThenId()
    {
        // Overlapping unassigned jobs, stored in an order that is not the answer's.
        addJob(Lloc, Avui, QStringLiteral("09:00"), QStringLiteral("11:00"));
        const int primer = addJob(Lloc, Avui, QStringLiteral("08:00"), QStringLiteral("12:00"));
        addJob(Lloc, Avui, QStringLiteral("08:00"), QStringLiteral("12:00"));
        for (int i = 0; i < 3; ++i) {
            const Feina f = Busca_Feina(Avui, QStringLiteral("10:00"), Lloc, QString());
            QCOMPARE(f.Id, primer);
        }
    }
};

QTEST_GUILESS_MAIN(TestJobDeleteFind)
#include "TestJobDeleteFind.moc"
