// Inserting jobs: overlap boundaries at a site and for a resource, teams,
// the end of the working day, the service lines and a failure half-way.
#include "Feines.h"
#include "JobFixtures.h"

#include "Convert.h"
#include "Globals.h"

#include <QtTest>

using namespace TestSupport;
using namespace JobFixtures;

namespace {
const QString Lloc = QStringLiteral("L'Escala d'en Pep");
const QString Altre = QStringLiteral("Cal Joan");
const QString Treballador = QStringLiteral("Joan d'Oc");

Feina novaFeina(const QString& lloc, const QString& inici, const QString& recurs = QString())
{
    Feina f;
    f.Lloc = lloc;
    f.Data = Avui;
    f.HoraInici = inici;
    f.Recurs = recurs;
    return f;
}
} // namespace

Q_DECLARE_METATYPE(ResultatFeina)

class TestJobInsert : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolder> pf;

private slots:
    void init() { pf = obre(); }
    void cleanup() { pf.reset(); }

    void overlapBoundaries_data()
    {
        QTest::addColumn<QString>("inici");     // existing job
        QTest::addColumn<QString>("fi");
        QTest::addColumn<int>("dies");          // existing job's day after the new one's
        QTest::addColumn<QString>("nouInici");  // the new job lasts the site's minutes
        QTest::addColumn<int>("minuts");
        QTest::addColumn<bool>("solapa");
        QTest::newRow("touching, before") << "09:00" << "10:00" << 0 << "10:00" << 60 << false;
        QTest::newRow("touching, after") << "11:00" << "12:00" << 0 << "10:00" << 60 << false;
        QTest::newRow("new inside existing") << "09:00" << "11:00" << 0 << "10:00" << 30 << true;
        QTest::newRow("existing inside new") << "10:15" << "10:45" << 0 << "10:00" << 60 << true;
        QTest::newRow("identical") << "10:00" << "11:00" << 0 << "10:00" << 60 << true;
        QTest::newRow("crossing the start") << "09:30" << "10:30" << 0 << "10:00" << 60 << true;
        QTest::newRow("crossing the end") << "10:30" << "11:30" << 0 << "10:00" << 60 << true;
        QTest::newRow("zero-length at the start") << "10:00" << "10:00" << 0 << "10:00" << 60 << true;
        QTest::newRow("zero-length at the end") << "10:00" << "10:00" << 0 << "09:00" << 60 << true;
        QTest::newRow("zero-length outside") << "11:30" << "11:30" << 0 << "10:00" << 60 << false;
        QTest::newRow("last hour of the day") << "23:30" << "24:00" << 0 << "23:00" << 60 << true;
        QTest::newRow("another day") << "10:00" << "11:00" << 1 << "10:00" << 60 << false;
    }

    void overlapBoundaries()
    {
        QFETCH(QString, inici);
        QFETCH(QString, fi);
        QFETCH(int, dies);
        QFETCH(QString, nouInici);
        QFETCH(int, minuts);
        QFETCH(bool, solapa);
        G.PermetSolaparLlocs = false;
        addResource(Treballador, 1);
        addSite(Lloc, QStringLiteral("Client"), minuts);
        addSite(Altre, QStringLiteral("Client"), minuts);

        // Site path: an unassigned job of the same site.
        addJob(Lloc, Avui.addDays(dies), inici, fi);
        Feina f = novaFeina(Lloc, nouInici);
        Grava_Feina(f, true);
        if (solapa) {
            QCOMPARE(f.Resultat, ResultatFeina::Refusat);
            QCOMPARE(f.Missatge, QStringLiteral("Solapament de llocs a L'ESCALA D'EN PEP"));
            QCOMPARE(f.Id, 0);
        } else {
            QCOMPARE(f.Missatge, QString());
            QVERIFY(f.Id > 0);
        }

        // Resource path: the resource's job at another site, a week later.
        const QDate setmana = Avui.addDays(7);
        addJob(Altre, setmana.addDays(dies), inici, fi, Treballador);
        Feina s = novaFeina(Lloc, nouInici, Treballador);
        s.Data = setmana;
        Grava_Feina(s, true);
        QCOMPARE(s.Resultat, solapa ? ResultatFeina::Refusat : ResultatFeina::Fet);
        QCOMPARE(s.Missatge, solapa ? QStringLiteral("Solapament de recursos: Joan d'Oc") : QString());
        if (!solapa) {
            QCOMPARE(s.Recurs, Treballador);
            return;
        }
        Feina n = novaFeina(Lloc, nouInici, Treballador);
        n.Data = setmana;
        Grava_Feina(n, false);
        QCOMPARE(n.Resultat, ResultatFeina::Fet);
        QCOMPARE(n.Missatge, QString());
        QCOMPARE(n.Recurs, QString());
        QVERIFY(valor(QStringLiteral("SELECT recursos_nom FROM Feines WHERE feines_id = ?"), {n.Id}).isNull());
    }

    void teams_data()
    {
        QTest::addColumn<QString>("existent");   // resource of the existing job, 10:00-11:00
        QTest::addColumn<QString>("nou");        // resource of the new job, 10:30-11:30
        QTest::addColumn<QString>("nom");        // name in the refusal; "" = no overlap
        QTest::newRow("team over a member's job") << "Bernat" << "Equip" << "Bernat";
        QTest::newRow("team over its first member's job") << "Anna" << "Equip" << "Anna";
        QTest::newRow("member over the team's job") << "Equip" << "Anna" << "Anna";
        QTest::newRow("team over its own job") << "Equip" << "Equip" << "Equip";
        QTest::newRow("team over a team sharing a member") << "Equip2" << "Equip" << "Bernat";
        QTest::newRow("member over another team of his") << "Equip2" << "Bernat" << "Bernat";
        QTest::newRow("not a member of that team") << "Equip2" << "Anna" << "";
        QTest::newRow("team over an outsider") << "Carla" << "Equip" << "";
        QTest::newRow("outsider over the team") << "Equip" << "Carla" << "";
    }

    void teams()
    {
        QFETCH(QString, existent);
        QFETCH(QString, nou);
        QFETCH(QString, nom);
        addResource(QStringLiteral("Anna"), 1);
        addResource(QStringLiteral("Bernat"), 2);
        addResource(QStringLiteral("Carla"), 3);
        addResource(QStringLiteral("Equip"), 4, true);
        addResource(QStringLiteral("Equip2"), 5, true);
        addMember(QStringLiteral("Equip"), QStringLiteral("Anna"));
        addMember(QStringLiteral("Equip"), QStringLiteral("Bernat"));
        // Names are keys without regard to case: a member row may spell them otherwise.
        addMember(QStringLiteral("Equip2"), QStringLiteral("bernat"));
        addMember(QStringLiteral("Equip2"), QStringLiteral("Carla"));
        addSite(Lloc, QStringLiteral("Client"), 60);
        addSite(Altre, QStringLiteral("Client"), 60);
        addJob(Altre, Avui, QStringLiteral("10:00"), QStringLiteral("11:00"), existent);

        Feina s = novaFeina(Lloc, QStringLiteral("10:30"), nou);
        Grava_Feina(s, true);
        QCOMPARE(s.HoraFi, QStringLiteral("11:30"));
        if (nom.isEmpty()) {
            QCOMPARE(s.Resultat, ResultatFeina::Fet);
            QCOMPARE(valor(QStringLiteral("SELECT recursos_nom FROM Feines WHERE feines_id = ?"), {s.Id}).toString(), nou);
            return;
        }
        QCOMPARE(s.Resultat, ResultatFeina::Refusat);
        QCOMPARE(s.Missatge, QStringLiteral("Solapament de recursos: ") + nom);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines")), 1);

        Feina n = novaFeina(Lloc, QStringLiteral("10:30"), nou);
        Grava_Feina(n, false);
        QCOMPARE(n.Resultat, ResultatFeina::Fet);
        QCOMPARE(n.Missatge, QString());
        QCOMPARE(n.Recurs, QString());
        QVERIFY(valor(QStringLiteral("SELECT recursos_nom FROM Feines WHERE feines_id = ?"), {n.Id}).isNull());
    }

    void endOfDay_data()
    {
        QTest::addColumn<QString>("horaFinal");
        QTest::addColumn<QString>("inici");
        QTest::addColumn<int>("minuts");
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QString>("horaFi");    // returned also when refused
        QTest::addColumn<QString>("missatge");  // "" = stored
        QTest::newRow("past midnight ends at 24:00") << "24:00" << "23:00" << 120 << "CT" << "24:00" << "";
        QTest::newRow("ends at midnight") << "24:00" << "23:00" << 60 << "CT" << "24:00" << "";
        QTest::newRow("ends at the end of day") << "20:00" << "19:00" << 60 << "CT" << "20:00" << "";
        QTest::newRow("ends after the end of day")
            << "20:00" << "19:30" << 60 << "CT" << "20:30" << "L'hora final de la feina supera les 20:00h.";
        QTest::newRow("refusal in English")
            << "20:00" << "19:30" << 60 << "EN" << "20:30" << "The job's end time is later than 20:00h.";
        QTest::newRow("starts after the end of day, passes midnight")
            << "20:00" << "23:50" << 20 << "CT" << "20:00" << "L'hora final de la feina supera les 20:00h.";
        QTest::newRow("starts after the end of day")
            << "20:00" << "21:00" << 30 << "CT" << "21:30" << "L'hora final de la feina supera les 20:00h.";
    }

    void endOfDay()
    {
        QFETCH(QString, horaFinal);
        QFETCH(QString, inici);
        QFETCH(int, minuts);
        QFETCH(QString, idioma);
        QFETCH(QString, horaFi);
        QFETCH(QString, missatge);
        G.HoraFinal = horaFinal;
        G.Idioma = idioma;
        addSite(Lloc, QStringLiteral("Client"), minuts);
        Feina f = novaFeina(Lloc, inici);
        Grava_Feina(f, false);
        QCOMPARE(f.HoraFi, horaFi);
        QCOMPARE(f.Missatge, missatge);
        QCOMPARE(f.Resultat, missatge.isEmpty() ? ResultatFeina::Fet : ResultatFeina::Refusat);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines")), missatge.isEmpty() ? 1 : 0);
        if (missatge.isEmpty()) {
            QCOMPARE(valor(QStringLiteral("SELECT feines_hora_fi FROM Feines WHERE feines_id = ?"), {f.Id}).toString(),
                     horaFi);
            QVERIFY(horaFi > inici);
        }
    }

    void refusalCarriesEndAndSiteResource()
    {
        G.PermetSolaparLlocs = false;
        addResource(Treballador, 1);
        addSite(Lloc, QStringLiteral("Client"), 90, Treballador);
        addJob(Lloc, Avui, QStringLiteral("10:00"), QStringLiteral("11:00"));
        Feina f = novaFeina(Lloc, QStringLiteral("09:00"));
        f.Id = 77;
        Grava_Feina(f, false);
        QCOMPARE(f.Resultat, ResultatFeina::Refusat);
        QCOMPARE(f.HoraFi, QStringLiteral("10:30"));
        QCOMPARE(f.Recurs, Treballador);
        QCOMPARE(f.Id, 77);
    }

    void refusesUnknownSiteAndResource()
    {
        Feina f = novaFeina(QStringLiteral("Enlloc"), QStringLiteral("10:00"));
        Grava_Feina(f, false);
        QCOMPARE(f.Missatge, QStringLiteral("Lloc 'Enlloc' inexistent"));
        QCOMPARE(f.Resultat, ResultatFeina::Refusat);

        addSite(Lloc, QStringLiteral("Client"), 60);
        Feina r = novaFeina(Lloc, QStringLiteral("10:00"), QStringLiteral("Ningú"));
        Grava_Feina(r, false);
        QCOMPARE(r.Missatge, QStringLiteral("Recurs no trobat:Ningú"));
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines")), 0);
    }

    void copiesTheSiteServices()
    {
        addService(QStringLiteral("Neteja"), 60, Decimal::fromInt(12), false, QStringLiteral("h"));
        addService(QStringLiteral("Vidres"), 30, Decimal::fromInt(20), false, QStringLiteral("m2"));
        addSite(Lloc, QStringLiteral("Client"), 90);
        addSite(Altre, QStringLiteral("Client"), 30);
        addSiteService(Lloc, QStringLiteral("Vidres"), Decimal::fromInt(2), Decimal::fromInt(25));
        addSiteService(Lloc, QStringLiteral("Neteja"), Decimal::fromRaw(15000), Decimal::fromInt(11));
        Feina f = novaFeina(Lloc, QStringLiteral("08:00"));
        Grava_Feina(f, false);
        QCOMPARE(f.Missatge, QString());
        QSqlQuery q = BD().query(QStringLiteral(
            "SELECT serveis_nom, feines_detall_quantitat, feines_detall_preu_un, feines_detall_unitat, "
            "feines_detall_descripcio FROM Feines_Detall WHERE feines_id = ? ORDER BY rowid"), {f.Id});
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Vidres"));
        QCOMPARE(q.value(2).toLongLong(), Decimal::fromInt(25).raw());
        QCOMPARE(q.value(3).toString(), QStringLiteral("m2"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Neteja"));
        QCOMPARE(q.value(1).toLongLong(), Decimal::fromRaw(15000).raw());
        QVERIFY(!q.next());

        Feina g = novaFeina(Altre, QStringLiteral("08:00"));
        Grava_Feina(g, false);
        QCOMPARE(g.Missatge, QString());
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines_Detall WHERE feines_id = ?"), {g.Id}), 0);
    }

    void failureHalfWayLeavesNoJob()
    {
        addService(QStringLiteral("Neteja"), 60);
        addSite(Lloc, QStringLiteral("Client"), 60);
        addSiteService(Lloc, QStringLiteral("Neteja"), Decimal::fromInt(1));
        // A job the caller stored before, inside the caller's own transaction.
        BD().begin();
        Feina abans = novaFeina(Lloc, QStringLiteral("08:00"));
        Grava_Feina(abans, false);
        QCOMPARE(abans.Resultat, ResultatFeina::Fet);

        BD().exec(QStringLiteral("CREATE TEMP TRIGGER falla BEFORE INSERT ON Feines_Detall "
                                 "BEGIN SELECT RAISE(ABORT, 'linia injectada'); END"));
        Feina f = novaFeina(Lloc, QStringLiteral("12:00"));
        f.Id = abans.Id + 1;   // whatever the caller left there
        Grava_Feina(f, false);
        QCOMPARE(f.Resultat, ResultatFeina::Error);
        QVERIFY2(f.Missatge.startsWith(QStringLiteral("Error en Grava_Feina:")), qPrintable(f.Missatge));
        QVERIFY2(f.Missatge.contains(QStringLiteral("linia injectada")), qPrintable(f.Missatge));
        QCOMPARE(f.Id, 0);
        BD().commit();

        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines")), 1);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines WHERE feines_id = ?"), {abans.Id}), 1);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines_Detall")), 1);
        QCOMPARE(BD().transactionDepth(), 0);
    }
};

QTEST_GUILESS_MAIN(TestJobInsert)
#include "TestJobInsert.moc"
