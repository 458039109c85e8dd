// The example data written into a fresh database on the first run.
#include "DadesExemple.h"

#include "Database.h"
#include "Globals.h"
#include "MessageBox.h"
#include "PlanningFixtures.h"
#include "TestSupport.h"

#include <QSqlRecord>
#include <QtTest>

using namespace TestSupport;

namespace {

const QDate Diumenge(2010, 3, 14);

int compta(const QString& sql, const QVariantList& params = {}) { return BD().scalar(sql, params).toInt(); }

QStringList files(const QString& sql, const QVariantList& params = {})
{
    QStringList out;
    QSqlQuery q = BD().query(sql, params);
    while (q.next()) {
        QStringList camps;
        for (int i = 0; i < q.record().count(); ++i) camps << q.value(i).toString();
        out << camps.join(u'|');
    }
    return out;
}

} // namespace

class TestExampleData : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolder> pf;

    void obre(const QString& parametres)
    {
        pf->writeIni(QStringLiteral("[Parametres]\n") + parametres);
        pf->openDatabases();
        G.UltimDiaGen = Diumenge;
    }

private slots:
    void init()
    {
        pf = PlanningFixtures::programaNou();
    }
    void cleanup()
    {
        QString why;
        QVERIFY2(seamsClean(&why), qPrintable(why));
        pf.reset();
    }

    void fillsAFreshDatabase()
    {
        obre(QStringLiteral("MinutsCella=30\nHoraInici=08:00\nHoraFinal=20:00\n"));
        Crea_Dades_Exemple();
        QVERIFY(MsgBox::shown().isEmpty());
        QCOMPARE(G.HoraFinal, QStringLiteral("20:00"));

        QCOMPARE(files(QStringLiteral("SELECT recursos_nom, recursos_grup, recursos_color, recursos_assigna_temps "
                                      "FROM Recursos ORDER BY rowid")),
                 (QStringList{"Bernat|0|16711680|1", "Nuri|0|65535|1", "Nuri i Bernat|1|65280|0"}));
        QCOMPARE(files(QStringLiteral("SELECT recursos_component_nom FROM Recursos_Components ORDER BY rowid")),
                 (QStringList{"Nuri", "Bernat"}));
        QCOMPARE(files(QStringLiteral("SELECT serveis_nom, serveis_descripcio, serveis_unitat, serveis_preu_un, "
                                      "serveis_minuts_per_unitat, serveis_comu_per_recursos FROM Serveis ORDER BY rowid")),
                 (QStringList{"Neteja|Servei de neteja|Hores|62500|60|0",
                              "Desplaçaments|Distancia de desplaçaments|Kms|1900|3|1"}));
        QCOMPARE(files(QStringLiteral("SELECT clients_nom, clients_codi_postal FROM Clients ORDER BY rowid")),
                 (QStringList{"T.A.L.V.E.S.A.|", "Roc Morvell|"}));
        QCOMPARE(files(QStringLiteral("SELECT llocs_nom, clients_nom, llocs_minuts_previst, recursos_nom FROM Llocs "
                                      "ORDER BY rowid")),
                 (QStringList{"TALVESA oficina|T.A.L.V.E.S.A.|120|Nuri i Bernat", "TALVESA escala|T.A.L.V.E.S.A.|30|Nuri",
                              "R.Morvell casa|Roc Morvell|60|Bernat"}));
        QCOMPARE(files(QStringLiteral("SELECT llocs_nom, serveis_nom, llocs_serveis_descripcio, llocs_serveis_quantitat, "
                                      "llocs_serveis_preu_un FROM Llocs_Serveis ORDER BY rowid")),
                 (QStringList{"TALVESA oficina|Neteja|Servei de neteja|30000|62500",
                              "TALVESA oficina|Desplaçaments|Distancia de desplaçaments|99900|1900",
                              "TALVESA escala|Neteja|Servei de neteja|4900|62500",
                              "R.Morvell casa|Neteja|Servei de neteja|9900|62500"}));

        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines")), 12);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines WHERE llocs_nom = 'TALVESA oficina' AND "
                                       "feines_hora_inici = '08:30' AND feines_hora_fi = '10:30' AND "
                                       "recursos_nom = 'Nuri i Bernat' AND feines_data BETWEEN '2010-03-08' AND '2010-03-14'")),
                 7);
        QCOMPARE(files(QStringLiteral("SELECT feines_data, feines_hora_inici, feines_hora_fi, recursos_nom FROM Feines "
                                      "WHERE llocs_nom <> 'TALVESA oficina' ORDER BY feines_id")),
                 (QStringList{"2010-03-14|10:30|11:00|Nuri", "2010-03-12|10:30|11:00|Nuri",
                              "2010-03-11|11:00|12:00|Bernat", "2010-03-10|10:30|11:00|Nuri",
                              "2010-03-08|10:30|11:00|Nuri"}));
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines_Detall")), 7 * 2 + 4 + 1);
    }

    void writesNothingWhenATableHoldsRows()
    {
        obre(QString());
        addClient(QStringLiteral("Ja hi és"));
        Crea_Dades_Exemple();
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Recursos")), 0);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Clients")), 1);
    }

    void refusedJobLeavesTheRestWritten()
    {
        obre(QStringLiteral("MinutsCella=30\nHoraInici=08:00\nHoraFinal=11:30\n"));
        Crea_Dades_Exemple();
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines")), 11);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines WHERE llocs_nom = 'R.Morvell casa'")), 0);
        QVERIFY(MsgBox::shown().isEmpty());
    }

    void namesFollowTheChosenLanguage()
    {
        obre(QStringLiteral("Idioma=EN\n"));
        Crea_Dades_Exemple();
        QCOMPARE(G.Idioma, QStringLiteral("EN"));
        QCOMPARE(files(QStringLiteral("SELECT serveis_nom FROM Serveis ORDER BY rowid")), (QStringList{"Cleaning", "Travel"}));
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Llocs_Serveis WHERE serveis_nom = 'Cleaning'")), 3);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines_Detall WHERE serveis_nom = 'Cleaning'")), 12);
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Feines WHERE llocs_nom = 'TALVESA office' "
                                       "AND recursos_nom = 'Nuri and Bernat'")), 7);
    }

    void failureUndoesEverythingAndShowsTheError()
    {
        obre(QString());
        BD().exec(QStringLiteral("CREATE TRIGGER falla BEFORE INSERT ON Feines_Detall "
                                 "BEGIN SELECT RAISE(ABORT, 'disc ple'); END"));
        Crea_Dades_Exemple();
        for (const char* taula : {"Recursos", "Recursos_Components", "Serveis", "Clients", "Llocs", "Llocs_Serveis", "Feines"})
            QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(taula))), 0);
        QCOMPARE(MsgBox::shown().size(), 1);
        QVERIFY(MsgBox::shown()[0].text.startsWith(QStringLiteral("Error:")));
        QVERIFY(MsgBox::shown()[0].text.contains(QStringLiteral("disc ple")));
        QCOMPARE(MsgBox::shown()[0].title, QStringLiteral("ERROR"));
        QCOMPARE(BD().transactionDepth(), 0);
    }

    void badSettingIsShownAndNothingWritten()
    {
        obre(QStringLiteral("MinutsCella=molts\n"));
        Crea_Dades_Exemple();
        QCOMPARE(compta(QStringLiteral("SELECT count(*) FROM Recursos")), 0);
        QCOMPARE(MsgBox::shown().size(), 1);
        QVERIFY(MsgBox::shown()[0].text.startsWith(QStringLiteral("Error:")));
    }

    void quantitiesRoundOnTheBinaryValue_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<qlonglong>("raw");
        QTest::newRow("30 x 6 / 60 - 0.001") << 30.0 * 6 / 60 - 0.001 << 30000LL;
        QTest::newRow("30 / 3 - 0.005 is below the half") << 30.0 / 3 - 0.005 << 99900LL;
        QTest::newRow("exact half to even, down") << 0.125 << 1200LL;
        QTest::newRow("exact half to even, up") << 0.375 << 3800LL;
        QTest::newRow("negative") << -0.126 << -1300LL;
    }
    void quantitiesRoundOnTheBinaryValue()
    {
        QFETCH(double, valor);
        QFETCH(qlonglong, raw);
        QCOMPARE(quantitatArrodonida(valor), raw);
    }
};

QTEST_GUILESS_MAIN(TestExampleData)
#include "TestExampleData.moc"
