// The service editor of the "Recursos i Serveis" tab.
#include "Finestra.h"
#include "Globals.h"
#include "Principal.h"

using namespace TestSupport;

class TestServicesTab : public SeamedTest {
    Q_OBJECT

private:
    static QVariant valor(const QString& sql, const QVariantList& p = {}) { return BD().scalar(sql, p); }

private slots:
    void cleanup()
    {
        Principal() = {};
        SeamedTest::cleanup();
    }

    void addChecksTheBoxes_data()
    {
        QTest::addColumn<QString>("unitat");
        QTest::addColumn<QString>("preu");
        QTest::addColumn<QString>("minuts");
        QTest::addColumn<QString>("missatge");
        QTest::addColumn<int>("minutsGuardats");
        QTest::newRow("no unit") << "" << "10" << "30" << "Cal informar la unitat del servei" << 0;
        QTest::newRow("zero price") << "h" << "0" << "30" << "Cal informar el preu unitari" << 0;
        QTest::newRow("price not numeric") << "h" << "deu" << "30" << "Cal informar el preu unitari" << 0;
        QTest::newRow("minutes not numeric") << "h" << "10" << "mitja" << "La equivalencia en minuts ha de ser numèrica" << 0;
        QTest::newRow("minutes too large") << "h" << "10" << "40000" << "El número és massa gran: 40000" << 0;
        QTest::newRow("empty minutes are 0") << "h" << "10" << "" << "" << 0;
        QTest::newRow("2,5 gives 2") << "h" << "10" << "2,5" << "" << 2;
        QTest::newRow("3,5 gives 4") << "h" << "10" << "3,5" << "" << 4;
        QTest::newRow("negative price") << "h" << "-3,25" << "15" << "" << 15;
        QTest::newRow("price beyond the limit") << "h" << "-10000000" << "15" << "El número és massa gran: -10000000" << 0;
        QTest::newRow("negative minutes") << "h" << "10" << "-5" << "Els minuts per unitat no poden ser negatius" << 0;
    }

    void addChecksTheBoxes()
    {
        QFETCH(QString, unitat);
        QFETCH(QString, preu);
        QFETCH(QString, minuts);
        QFETCH(QString, missatge);
        QFETCH(int, minutsGuardats);
        Finestra f;
        f.omple();
        f.type("NomServei", QStringLiteral("  Vidres d'obra "));
        f.type("UnitatServei", unitat);
        f.type("PreuUnServei", preu);
        f.type("MinutsUnitatServei", minuts);
        f.click("AfegirServei");
        QCOMPARE(missatges().join(u'|'), missatge);
        if (!missatge.isEmpty()) {
            QCOMPARE(f.text("NomServei"), QStringLiteral("Vidres d'obra"));
            QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Serveis")).toInt(), 0);
            return;
        }
        QCOMPARE(valor(QStringLiteral("SELECT serveis_minuts_per_unitat FROM Serveis WHERE serveis_nom = ?"),
                       {QStringLiteral("Vidres d'obra")}).toInt(), minutsGuardats);
        QCOMPARE(f.items("ServeisLlista"), QStringList{QStringLiteral("Vidres d'obra")});
        QCOMPARE(f.items("ServeisCombo"), QStringList{QStringLiteral("Vidres d'obra")});
        QCOMPARE(f.text("NomServei"), QString());
    }

    void existingNameIsRefused()
    {
        Finestra f;
        addService(QStringLiteral("Vidres"), 30);
        f.omple();
        f.recursos->seleccionaServei(0);
        QCOMPARE(f.text("PreuUnServei"), QStringLiteral("10"));
        QCOMPARE(f.text("UnitatServei"), QStringLiteral("h"));
        f.type("NomServei", QStringLiteral("VIDRES"));
        f.click("AfegirServei");
        QCOMPARE(missatges(), QStringList{QStringLiteral("El servei ja existeix")});
    }

    void chequeServiceKeepsItsNameAndStays()
    {
        Finestra f;
        G.ServeiXecs = QStringLiteral("Xecs");
        addService(QStringLiteral("Xecs"), 60);
        f.omple();
        f.recursos->seleccionaServei(0);
        f.type("NomServei", QStringLiteral("Vals"));
        f.click("ModificarServei");
        f.type("NomServei", QStringLiteral("xecs"));
        f.click("EliminarServei");
        QCOMPARE(missatges(), (QStringList{QStringLiteral("No es pot modificar el nom del servei dels xecs"),
                                           QStringLiteral("No es pot eliminar el servei dels xecs")}));
        f.recursos->seleccionaServei(0);
        f.type("PreuUnServei", QStringLiteral("25"));
        f.click("ModificarServei");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT serveis_preu_un FROM Serveis WHERE serveis_nom='Xecs'")).toLongLong(), 250000);
    }

    void renameReachesLinesOrIsRefusedWhenTheNameIsTaken()
    {
        Finestra f;
        int linies = 0;
        Principal().Omple_Serveis_Lloc = [&] { ++linies; };
        addClient(QStringLiteral("Anna"));
        addService(QStringLiteral("Neteja d'obra"), 30);
        addService(QStringLiteral("Vidres"), 30);
        addSite(QStringLiteral("Casa"), QStringLiteral("Anna"));
        addSiteService(QStringLiteral("Casa"), QStringLiteral("Neteja d'obra"), Decimal::fromInt(1));
        const int feina = addJob(QStringLiteral("Casa"), QDate(2010, 3, 1), QStringLiteral("08:00"), QStringLiteral("09:00"));
        BD().exec(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom) VALUES (?, ?)"),
                  {feina, QStringLiteral("Neteja d'obra")});
        f.omple();
        f.recursos->seleccionaServei(0);
        f.type("NomServei", QStringLiteral("vidres"));
        f.click("ModificarServei");
        QCOMPARE(missatges(), QStringList{QStringLiteral("El servei ja existeix")});
        f.type("NomServei", QStringLiteral("Neteja final d'obra"));
        f.click("ModificarServei");
        QVERIFY(missatges().isEmpty());
        for (const char* t : {"Llocs_Serveis", "Feines_Detall"})
            QCOMPARE(valor(QStringLiteral("SELECT serveis_nom FROM %1").arg(QLatin1String(t))).toString(),
                     QStringLiteral("Neteja final d'obra"));
        QCOMPARE(linies, 1);
        QCOMPARE(f.c<QComboBox>("ServeisCombo")->currentIndex(), -1);

        f.type("NomServei", QStringLiteral("Neteja final d'obra"));
        f.click("EliminarServei");
        QCOMPARE(missatges(), QStringList{QStringLiteral(
                                  "No es pot eliminar el servei. Hi fan referència: serveis dels llocs, línies de feines")});
        f.type("NomServei", QStringLiteral("Vidres"));
        f.click("EliminarServei");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(f.items("ServeisLlista"), QStringList{QStringLiteral("Neteja final d'obra")});
    }

    // Minutes per unit that would make a site's visit, or a job, last longer
    // than a planned length holds are refused before anything is written.
    void minutesPerUnitThatNoVisitCanHoldAreRefused_data()
    {
        QTest::addColumn<int>("alLloc");     // units of the service at the site "Casa"
        QTest::addColumn<int>("aLaFeina");   // units in a job of the site "Pis"
        QTest::addColumn<int>("minuts");
        QTest::addColumn<bool>("feta");      // the job is done
        QTest::addColumn<QString>("lloc");   // "" = accepted
        QTest::newRow("fits every visit and job") << 1000 << 800 << 32 << false << "";
        QTest::newRow("too long for the site's visit") << 1000 << 800 << 33 << false << "Casa";
        QTest::newRow("too long for a job") << 1 << 800 << 41 << false << "Pis";
        // 32,740 minutes end at 32,760 in cells of 30; 32,770 pass the limit.
        QTest::newRow("a job near the limit still fits") << 1 << 3274 << 10 << false << "";
        QTest::newRow("a job just past the limit") << 1 << 3277 << 10 << false << "Pis";
        QTest::newRow("a done job keeps its length") << 1 << 800 << 41 << true << "";
        // Only a change of the minutes can change a length.
        QTest::newRow("minutes unchanged") << 1 << 2000 << 30 << false << "";
    }

    void minutesPerUnitThatNoVisitCanHoldAreRefused()
    {
        QFETCH(int, alLloc);
        QFETCH(int, aLaFeina);
        QFETCH(int, minuts);
        QFETCH(bool, feta);
        QFETCH(QString, lloc);
        Finestra f;
        addClient(QStringLiteral("Anna"));
        addService(QStringLiteral("Neteja"), 30);
        addService(QStringLiteral("Vidres"), 1);
        addSite(QStringLiteral("Casa"), QStringLiteral("Anna"));
        addSite(QStringLiteral("Pis"), QStringLiteral("Anna"));
        addSiteService(QStringLiteral("Casa"), QStringLiteral("Vidres"), Decimal::fromInt(2));
        addSiteService(QStringLiteral("Casa"), QStringLiteral("Neteja"), Decimal::fromInt(alLloc));
        const int feina = addJob(QStringLiteral("Pis"), QDate(2010, 3, 1), QStringLiteral("08:00"), QStringLiteral("09:00"));
        BD().exec(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_quantitat) VALUES (?, ?, ?)"),
                  {feina, QStringLiteral("Neteja"), Decimal::fromInt(aLaFeina).toVariant()});
        BD().exec(QStringLiteral("UPDATE Feines SET feines_feta = ?"), {feta ? 1 : 0});
        f.omple();
        f.recursos->seleccionaServei(0);
        QCOMPARE(f.text("NomServei"), QStringLiteral("Neteja"));
        f.type("MinutsUnitatServei", QString::number(minuts));
        f.click("ModificarServei");
        QCOMPARE(missatges().join(u'|'),
                 lloc.isEmpty() ? QString() : QStringLiteral("La duració dels serveis passaria de 32767 minuts al lloc ") + lloc);
        QCOMPARE(valor(QStringLiteral("SELECT serveis_minuts_per_unitat FROM Serveis WHERE serveis_nom='Neteja'")).toInt(),
                 lloc.isEmpty() ? minuts : 30);
    }

    void changeWithNoServiceShownDoesNothing()
    {
        Finestra f;
        addService(QStringLiteral("Vidres"), 30);
        f.omple();
        f.type("NomServei", QStringLiteral("Altres"));
        f.click("ModificarServei");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT serveis_nom FROM Serveis")).toString(), QStringLiteral("Vidres"));
    }
};

QTEST_MAIN(TestServicesTab)
#include "TestServicesTab.moc"
