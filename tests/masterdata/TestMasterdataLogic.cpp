// Checks of the site boxes, renames and deletes against referring rows, and
// the colour repair, without any window.
#include "ColorsRecursos.h"
#include "Consultes.h"
#include "Graella.h"
#include "Dades.h"
#include "Globals.h"
#include "TestSupport.h"
#include "ValidacioLloc.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using namespace TestSupport;

class TestMasterdataLogic : public SeamedTest {
    Q_OBJECT

private:
    int count(const QString& sql, const QVariantList& params = {})
    {
        return BD().scalar(sql, params).toInt();
    }

private slots:
    void siteChecksFollowTheAction_data()
    {
        QTest::addColumn<bool>("afegir");
        QTest::addColumn<QString>("minuts");
        QTest::addColumn<QString>("periodicitat");
        QTest::addColumn<QString>("quota");
        QTest::addColumn<bool>("clientXecs");
        QTest::addColumn<QString>("refus");
        QTest::addColumn<QString>("minutsDespres");
        QTest::addColumn<QString>("periodicitatDespres");
        QTest::addColumn<int>("minutsValor");

        QTest::newRow("add empty minutes give one cell") << true << "" << "7" << "" << false << "" << "30" << "7" << 30;
        QTest::newRow("add letters in minutes refused") << true << "abc" << "7" << "" << false
                                                        << "Cal informar els minuts previstos" << "abc" << "7" << 0;
        QTest::newRow("add exponent form is no number") << true << "1e10" << "7" << "" << false
                                                        << "Cal informar els minuts previstos" << "1e10" << "7" << 0;
        QTest::newRow("change letters in minutes refused") << false << "abc" << "7" << "" << false
                                                           << "Cal informar els minuts previstos" << "abc" << "7" << 0;
        QTest::newRow("not a multiple of the cell") << true << "45" << "0" << "" << false
                                                    << "Els minuts previstos han de ser múltiples de 30" << "45" << "0" << 45;
        QTest::newRow("over the day") << false << "1470" << "0" << "" << false << "Excés de minuts previstos" << "1470"
                                      << "0" << 1470;
        QTest::newRow("whole day accepted") << false << "1440" << "0" << "" << false << "" << "1440" << "0" << 1440;
        QTest::newRow("zero minutes") << true << "0" << "0" << "" << false << "Cal informar els minuts previstos" << "0"
                                      << "0" << 0;
        QTest::newRow("too large for the field") << true << "40000" << "0" << "" << false
                                                 << "El número és massa gran: 40000" << "40000" << "0" << 0;
        QTest::newRow("empty period is never planned") << true << "60" << "" << "" << false << "" << "60" << "0" << 60;
        QTest::newRow("letters in period") << true << "60" << "x" << "" << false
                                           << "Cal informar la periodicitat en dies. (0 si no planificable)" << "60" << "x" << 0;
        QTest::newRow("negative period") << false << "60" << "-1" << "" << false
                                         << "Cal informar la periodicitat en dies. (0 si no planificable)" << "60" << "-1" << 60;
        QTest::newRow("half goes to even 2,5") << true << "60" << "2,5" << "" << false << "" << "60" << "2" << 60;
        QTest::newRow("half goes to even 3,5") << true << "60" << "3,5" << "" << false << "" << "60" << "4" << 60;
        QTest::newRow("quota of a cheque client") << true << "60" << "0" << "12,5" << true
                                                  << "El client té xecs. No pot tenir quotes" << "60" << "0" << 60;
        QTest::newRow("zero quota of a cheque client") << true << "60" << "0" << "0" << true << "" << "60" << "0" << 60;
        QTest::newRow("quota not numeric") << true << "60" << "0" << "molt" << false << "La quota ha de ser numèrica"
                                           << "60" << "0" << 60;
        QTest::newRow("negative quota") << false << "60" << "0" << "-5" << false << "La quota no pot ser negativa"
                                        << "60" << "0" << 60;
        QTest::newRow("quota beyond the limit") << true << "60" << "0" << "99999999999" << false
                                                << "El número és massa gran: 99999999999" << "60" << "0" << 60;
        QTest::newRow("quota at the limit") << true << "60" << "0" << "9999999,99" << false << "" << "60" << "0" << 60;
    }

    void siteChecksFollowTheAction()
    {
        QFETCH(bool, afegir);
        QFETCH(QString, minuts);
        QFETCH(QString, periodicitat);
        QFETCH(QString, quota);
        QFETCH(bool, clientXecs);
        QFETCH(QString, refus);
        QFETCH(QString, minutsDespres);
        QFETCH(QString, periodicitatDespres);
        QFETCH(int, minutsValor);
        ProgramFolder pf;
        pf.openDatabases();
        TextsLloc t;
        t.nom = QStringLiteral("Can Pep");
        t.minuts = minuts;
        t.periodicitat = periodicitat;
        t.quota = quota;
        t.clientXecs = clientXecs;
        ValorsLloc v;
        const auto r = validaLloc(afegir ? ModeLloc::Afegir : ModeLloc::Modificar, t, v);
        QCOMPARE(r.value_or(QString()), refus);
        QCOMPARE(t.minuts, minutsDespres);
        QCOMPARE(t.periodicitat, periodicitatDespres);
        QCOMPARE(v.minuts, minutsValor);
    }

    void siteOnAMonthlyRuleGetsPeriod99()
    {
        ProgramFolder pf;
        pf.openDatabases();
        TextsLloc t;
        t.nom = QStringLiteral("Lloc");
        t.minuts = QStringLiteral("60");
        t.periodicitat = QStringLiteral("7");
        t.ultimMes = true;
        ValorsLloc v;
        QVERIFY(!validaLloc(ModeLloc::Afegir, t, v));
        QCOMPARE(v.periodicitat, 99);
        QCOMPARE(t.periodicitat, QStringLiteral("99"));
        QCOMPARE(t.quota, QStringLiteral("0"));
    }

    void siteNamedLikeTheVariousTextIsRefused()
    {
        ProgramFolder pf;
        pf.openDatabases();
        TextsLloc t;
        t.nom = G.TexteVaris;
        t.minuts = QStringLiteral("60");
        ValorsLloc v;
        QCOMPARE(validaLloc(ModeLloc::Modificar, t, v).value_or(QString()), QStringLiteral("El nom del lloc no pot ser '...'"));
    }

    // Keys compare without regard to case, so the schema's cascades do not
    // see a change of letter case alone: the writers carry it themselves.
    void renamesReachEveryReferringRow_data()
    {
        QTest::addColumn<bool>("nomesCas");
        QTest::newRow("another name") << false;
        QTest::newRow("letter case only") << true;
    }

    void renamesReachEveryReferringRow()
    {
        QFETCH(bool, nomesCas);
        auto nou = [&](const QString& ant, const QString& altre) { return nomesCas ? ant.toUpper() : altre; };
        ProgramFolder pf;
        pf.openDatabases();
        addClient(QStringLiteral("L'Avi"), true);
        addService(QStringLiteral("Neteja d'obra"), 30);
        addResource(QStringLiteral("Joan"), 255);
        addResource(QStringLiteral("Equip d'en Joan"), 65280, true, false);
        addMember(QStringLiteral("Equip d'en Joan"), QStringLiteral("Joan"));
        addSite(QStringLiteral("Cal Sastre d'Olot"), QStringLiteral("L'Avi"), 60, QStringLiteral("Joan"));
        addSiteService(QStringLiteral("Cal Sastre d'Olot"), QStringLiteral("Neteja d'obra"), Decimal::fromInt(2));
        const int feina = addJob(QStringLiteral("Cal Sastre d'Olot"), QDate(2010, 3, 1), QStringLiteral("08:00"),
                                 QStringLiteral("09:00"), QStringLiteral("Joan"));
        BD().exec(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom) VALUES (?, ?)"),
                  {feina, QStringLiteral("Neteja d'obra")});
        BD().exec(QStringLiteral("INSERT INTO Xecs (xecs_id, clients_nom) VALUES (7, ?)"), {QStringLiteral("L'Avi")});
        BD().exec(QStringLiteral("INSERT INTO Pagaments (pagaments_mes, clients_nom) VALUES ('03/2010', ?)"),
                  {QStringLiteral("L'Avi")});
        BD().exec(QStringLiteral("INSERT INTO Hores_Fetes (recursos_nom, hores_data) VALUES (?, '2010-03-01')"),
                  {QStringLiteral("Joan")});
        // Counted with the exact spelling, letter case included.
        auto exactes = [&](const char* taula, const char* camp, const QString& nom) {
            return count(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ? COLLATE BINARY")
                             .arg(QLatin1String(taula), QLatin1String(camp)),
                         {nom});
        };

        auto client = Dades::llegeixClient(QStringLiteral("L'Avi"));
        client->nom = nou(client->nom, QStringLiteral("L'Àvia"));
        Dades::modificaClient(QStringLiteral("L'Avi"), *client);
        for (const char* t : {"Clients", "Llocs", "Xecs", "Pagaments"})
            QCOMPARE(exactes(t, "clients_nom", client->nom), 1);

        auto lloc = Dades::llegeixLloc(QStringLiteral("Cal Sastre d'Olot"));
        lloc->nom = nou(lloc->nom, QStringLiteral("Ca l'Olotí"));
        Dades::modificaLloc(QStringLiteral("Cal Sastre d'Olot"), *lloc);
        for (const char* t : {"Llocs", "Llocs_Serveis", "Feines"})
            QCOMPARE(exactes(t, "llocs_nom", lloc->nom), 1);

        auto servei = Dades::llegeixServei(QStringLiteral("Neteja d'obra"));
        servei->nom = nou(servei->nom, QStringLiteral("Neteja final d'obra"));
        Dades::modificaServei(QStringLiteral("Neteja d'obra"), *servei);
        for (const char* t : {"Serveis", "Llocs_Serveis", "Feines_Detall"})
            QCOMPARE(exactes(t, "serveis_nom", servei->nom), 1);

        const QString recurs = nou(QStringLiteral("Joan"), QStringLiteral("Joan d'Arc"));
        Dades::modificaRecurs(QStringLiteral("Joan"), {recurs, false, 255, true}, {});
        for (const char* t : {"Recursos", "Llocs", "Feines", "Hores_Fetes"})
            QCOMPARE(exactes(t, "recursos_nom", recurs), 1);
        QCOMPARE(Dades::membresGrup(QStringLiteral("Equip d'en Joan")), QStringList{recurs});

        // A team's own name reaches its member rows.
        const QString equip = nou(QStringLiteral("Equip d'en Joan"), QStringLiteral("Equip"));
        Dades::modificaRecurs(QStringLiteral("Equip d'en Joan"), {equip, true, 65280, false}, {recurs});
        QCOMPARE(exactes("Recursos_Components", "recursos_nom", equip), 1);
    }

    void nameInUseIsAnotherRowButNotACaseChange()
    {
        ProgramFolder pf;
        pf.openDatabases();
        addClient(QStringLiteral("Anna"));
        addClient(QStringLiteral("Berta"));
        QVERIFY(Dades::nomOcupat(Dades::Taula::Clients, QStringLiteral("BERTA"), QStringLiteral("Anna")));
        QVERIFY(!Dades::nomOcupat(Dades::Taula::Clients, QStringLiteral("ANNA"), QStringLiteral("Anna")));
        QVERIFY(!Dades::nomOcupat(Dades::Taula::Clients, QStringLiteral("Carla"), QStringLiteral("Anna")));
    }

    void deletesNameWhatRefers()
    {
        ProgramFolder pf;
        pf.openDatabases();
        addClient(QStringLiteral("Anna"));
        addResource(QStringLiteral("Pere"), 10);
        addService(QStringLiteral("Vidres"), 30);
        QCOMPARE(Dades::referencies(Dades::Taula::Clients, QStringLiteral("Anna")), QString());
        addSite(QStringLiteral("Casa"), QStringLiteral("Anna"), 60, QStringLiteral("Pere"));
        BD().exec(QStringLiteral("INSERT INTO Xecs (xecs_id, clients_nom) VALUES (1, 'Anna')"));
        QCOMPARE(Dades::referencies(Dades::Taula::Clients, QStringLiteral("Anna")),
                 QStringLiteral("No es pot eliminar el client. Hi fan referència: llocs del client, xecs del client"));
        QCOMPARE(Dades::referencies(Dades::Taula::Recursos, QStringLiteral("Pere")),
                 QStringLiteral("No es pot eliminar el recurs. Hi fan referència: llocs amb aquest recurs"));
        addSiteService(QStringLiteral("Casa"), QStringLiteral("Vidres"), Decimal::fromInt(1));
        QCOMPARE(Dades::referencies(Dades::Taula::Serveis, QStringLiteral("Vidres")),
                 QStringLiteral("No es pot eliminar el servei. Hi fan referència: serveis dels llocs"));
        addJob(QStringLiteral("Casa"), QDate(2010, 3, 2), QStringLiteral("08:00"), QStringLiteral("09:00"));
        QCOMPARE(Dades::referencies(Dades::Taula::Llocs, QStringLiteral("Casa")),
                 QStringLiteral("No es pot eliminar el lloc. Hi fan referència: feines del lloc, serveis del lloc"));
    }

    void gridColoursAreStoredAsRedGreenBlue()
    {
        QCOMPARE(Graella::colorValue(QColor(1, 2, 3)), 1 + 2 * 256 + 3 * 65536);
        QCOMPARE(Graella::colorFromValue(1 + 2 * 256 + 3 * 65536), QColor(1, 2, 3));
        // The system colour reference of a resource that does not exist shows as the grid's back colour.
        QCOMPARE(Graella::colorFromValue(ColorFinestraSistema), Graella::defaultBackColor());
    }

    void repairGivesDistinctFreeColours()
    {
        ProgramFolder pf;
        pf.openDatabases();
        const ColorsTauler tauler{0xFFFFFF, 0xF0F0F0};
        addResource(QStringLiteral("A"), 0xFFFFFF);
        addResource(QStringLiteral("B"), 0x123456, false, false);
        addResource(QStringLiteral("C"), 0xF0F0F0);
        addResource(QStringLiteral("D"), ColorFinestraSistema);  // never chosen: no colour of its own
        QRandomGenerator rng(42);
        QCOMPARE(Assigna_Colors_Recursos(tauler, &rng), 3);
        const QList<Dades::Recurs> r = Dades::recursos();
        QCOMPARE(r[1].color, 0x123456);
        QVERIFY(!r[1].assignaTemps);
        QSet<qint32> distints;
        for (const Dades::Recurs& x : r) distints.insert(x.color);
        QCOMPARE(distints.size(), r.size());
        for (const Dades::Recurs& x : r) {
            QVERIFY(x.color >= 0);
            QVERIFY(!esColorTauler(x.color, tauler));
            QVERIFY((x.color & 0xFF) != 0xFF && ((x.color >> 8) & 0xFF) != 0xFF && ((x.color >> 16) & 0xFF) != 0xFF);
        }
        QCOMPARE(Assigna_Colors_Recursos(tauler, &rng), 0);
    }
};

QTEST_GUILESS_MAIN(TestMasterdataLogic)
#include "TestMasterdataLogic.moc"
