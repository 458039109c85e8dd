// The extra hours of a month: the clean-up of hours without a job (which
// survive, and that it is one unit of work), the report by resource with its
// totals, its page breaks, and the billing tab's button.
#include "../billing/TabFixture.h"
#include "Consultes.h"
#include "Convert.h"
#include "InformeHores.h"
#include "PdfFixtures.h"

#include <QtTest>

using namespace PdfFixtures;
using namespace TestSupport;

namespace {
const QDate Marc(2010, 3, 1);

void hores(const QString& recurs, const QDate& dia, const char* quantitat)
{
    Grava_Hores_Fetes(*Decimal::parseFixed(QString::fromLatin1(quantitat)), recurs, dia);
}
bool hiHa(const QString& recurs, const QDate& dia)
{
    return BD().scalar(QStringLiteral("SELECT COUNT(*) FROM Hores_Fetes WHERE recursos_nom = ? AND hores_data = ?"),
                       {recurs, Conv::isoDate(dia)}).toInt() == 1;
}
} // namespace

class TestReportExtraHours : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        resetSeams();
        folder_ = std::make_unique<ProgramFolder>();
        folder_->openDatabases();
        carpeta_ = std::make_unique<CarpetaPdf>();
        addClient(QStringLiteral("Anna"));
        addSite(QStringLiteral("Casa"), QStringLiteral("Anna"));
        addResource(QStringLiteral("Pere"), 255);
        addResource(QStringLiteral("Nuri"), 65280);
        addResource(QStringLiteral("Bernat"), 16711680);
        addResource(QStringLiteral("L'Anna"), 65535);
        addResource(QStringLiteral("Nuri i Bernat"), 16776960, true);
        addMember(QStringLiteral("Nuri i Bernat"), QStringLiteral("Nuri"));
        addMember(QStringLiteral("Nuri i Bernat"), QStringLiteral("Bernat"));
        addJob("Casa", QDate(2010, 3, 1), "09:00", "10:00", "Pere");
        addJob("Casa", QDate(2010, 3, 3), "09:00", "10:00", "Nuri i Bernat");
        addJob("Casa", QDate(2010, 3, 4), "09:00", "10:00");
        addJob("Casa", QDate(2010, 3, 5), "09:00", "10:00", "Nuri");
        addJob("Casa", QDate(2010, 3, 31), "09:00", "10:00", "L'Anna");
        addJob("Casa", QDate(2010, 12, 31), "09:00", "10:00", "Pere");
        addJob("Casa", QDate(2011, 1, 1), "09:00", "10:00", "Pere");
        hores("Pere", QDate(2010, 3, 1), "2.5");
        hores("Pere", QDate(2010, 3, 2), "1");      // no job that day
        hores("Nuri", QDate(2010, 3, 3), "1.25");   // the team's job
        hores("Bernat", QDate(2010, 3, 3), "1.5");
        hores("Pere", QDate(2010, 3, 4), "1");      // only an unassigned job
        hores("Bernat", QDate(2010, 3, 5), "2");    // another worker's job
        hores("l'anna", QDate(2010, 3, 31), "3");   // own job, name in other letters
        hores("Pere", QDate(2010, 2, 28), "1");     // months around it: not touched
        hores("Pere", QDate(2010, 4, 1), "1");
        hores("Pere", QDate(2010, 12, 31), "4");
        hores("Pere", QDate(2011, 1, 1), "5");
    }
    void cleanup()
    {
        QVERIFY(seamsClean());
        carpeta_.reset();
        folder_.reset();
    }

    void cleanupKeepsHoursOfAJobThatDay_data()
    {
        QTest::addColumn<QString>("recurs");
        QTest::addColumn<QDate>("dia");
        QTest::addColumn<bool>("queda");
        QTest::newRow("own job") << "Pere" << QDate(2010, 3, 1) << true;
        QTest::newRow("no job") << "Pere" << QDate(2010, 3, 2) << false;
        QTest::newRow("member of the team's job") << "Bernat" << QDate(2010, 3, 3) << true;
        QTest::newRow("only an unassigned job") << "Pere" << QDate(2010, 3, 4) << false;
        QTest::newRow("another worker's job") << "Bernat" << QDate(2010, 3, 5) << false;
        QTest::newRow("name in other letters") << "L'Anna" << QDate(2010, 3, 31) << true;
        QTest::newRow("month before") << "Pere" << QDate(2010, 2, 28) << true;
        QTest::newRow("month after") << "Pere" << QDate(2010, 4, 1) << true;
    }
    void cleanupKeepsHoursOfAJobThatDay()
    {
        QFETCH(QString, recurs);
        QFETCH(QDate, dia);
        QFETCH(bool, queda);
        QCOMPARE(Borra_hores_extres_erronies(Marc), 3);
        QCOMPARE(hiHa(recurs, dia), queda);
    }

    void cleanupIsOneUnitOfWork()
    {
        // The last orphan cannot go: none goes, and nothing is printed.
        BD().exec(QStringLiteral("CREATE TRIGGER bloqueja BEFORE DELETE ON Hores_Fetes WHEN old.hores_data = '2010-03-05' "
                                 "BEGIN SELECT RAISE(ABORT, 'hores bloquejades'); END"));
        Imprimeix_Hores_Extres(Marc);
        QCOMPARE(MsgBox::shown().size(), 1);
        QVERIFY(MsgBox::shown().first().text.startsWith(QStringLiteral("Error:")));
        QVERIFY(MsgBox::shown().first().text.contains(QStringLiteral("hores bloquejades")));
        QVERIFY(hiHa("Pere", QDate(2010, 3, 2)) && hiHa("Pere", QDate(2010, 3, 4)));
        QVERIFY(carpeta_->fitxers().isEmpty());
    }

    void reportByResource_data()
    {
        QTest::addColumn<QDate>("mes");
        QTest::addColumn<QStringList>("pdf");   // lines of the text in this order
        QTest::newRow("orphans gone, totals per resource and month")
            << Marc
            << QStringList{"Relació de HORES EXTRA del mes: MARÇ 2010",
                           "BERNAT 03/03/2010 dimecres 1,50 hores", "Total 1,50 hores",
                           "L'ANNA 31/03/2010 dimecres 3,00 hores", "Total 3,00 hores",
                           "NURI 03/03/2010 dimecres 1,25 hores", "Total 1,25 hores",
                           "PERE 01/03/2010 dilluns 2,50 hores", "Total 2,50 hores", "TOTAL MES 8,25 hores", "pàg. 1"};
        QTest::newRow("December ends with the year")
            << QDate(2010, 12, 1)
            << QStringList{"Relació de HORES EXTRA del mes: DES. 2010", "PERE 31/12/2010 divendres 4,00 hores",
                           "Total 4,00 hores", "TOTAL MES 4,00 hores"};
        QTest::newRow("no hours: a 0 total and a 0 month")
            << QDate(2010, 5, 1) << QStringList{"MAIG 2010", "Total 0,00 hores", "TOTAL MES 0,00 hores"};
    }
    void reportByResource()
    {
        QFETCH(QDate, mes);
        QFETCH(QStringList, pdf);
        Imprimeix_Hores_Extres(mes);
        QVERIFY(MsgBox::shown().isEmpty());
        QCOMPARE(pagines(carpeta_->unic()), 1);
        QStringList linies;
        for (const QString& l : text(carpeta_->unic()).split(u'\n')) linies << l.simplified();
        QString falta;
        QVERIFY2(enOrdre(linies.join(u'\n'), pdf, &falta), qPrintable(falta + "\n" + linies.join(u'\n')));
        for (const char* orfe : {"02/03/2010", "04/03/2010", "05/03/2010"}) QVERIFY(!linies.join(u' ').contains(orfe));
    }

    void nameRepeatedAfterAPageBreak()
    {
        for (int d = 6; d <= 30; ++d) {
            addJob("Casa", QDate(2010, 3, d), "11:00", "12:00", "Nuri");
            hores("Nuri", QDate(2010, 3, d), "1");
        }
        G.PosicioSaltPagina = 5000;
        Imprimeix_Hores_Extres(Marc);
        const QString pdf = carpeta_->unic();
        const int n = pagines(pdf);
        QVERIFY(n > 2);
        for (int p = 2; p <= n; ++p)
            QVERIFY(enOrdre(text(pdf, p), {"MARÇ 2010", "(Continuació)", QStringLiteral("pàg. %1").arg(p)}));
        QVERIFY2(enOrdre(text(pdf, 2), {"(Continuació)", "NURI", "/03/2010"}), qPrintable(text(pdf, 2)));
        QVERIFY(enOrdre(text(pdf), {"NURI", "30/03/2010", "Total 26,25 hores", "PERE", "TOTAL MES 33,25 hores"}));
    }

    void buttonPrintsTheMonthInTheBox_data()
    {
        QTest::addColumn<QString>("mes");
        QTest::addColumn<QString>("error");   // "" = printed
        QTest::newRow("month of the box") << "03/2010" << "";
        QTest::newRow("wrong month") << "3/2010" << "Error:Mes erroni (format: 'mm/aaaa')";
    }
    void buttonPrintsTheMonthInTheBox()
    {
        QFETCH(QString, mes);
        QFETCH(QString, error);
        folder_.reset();
        PaginaFacturacio pagina;   // Pere's jobs on 2, 4 and 5 March; 3 March only an unassigned one
        hores("Pere", QDate(2010, 3, 2), "1");
        hores("Pere", QDate(2010, 3, 3), "2");
        pagina.c<QLineEdit>("mesFactura")->setText(mes);
        pagina.c<QPushButton>("ImprimirHores")->click();
        if (!error.isEmpty()) {
            QCOMPARE(MsgBox::shown().size(), 1);
            QCOMPARE(MsgBox::shown().first().text, error);
            QVERIFY(carpeta_->fitxers().isEmpty() && hiHa("Pere", QDate(2010, 3, 3)));
            return;
        }
        QVERIFY(MsgBox::shown().isEmpty());
        QVERIFY(!hiHa("Pere", QDate(2010, 3, 3)));
        QVERIFY(enOrdre(text(carpeta_->unic()).simplified(),
                        {"MARÇ 2010", "PERE 02/03/2010 dimarts 1,00 hores", "Total 1,00 hores", "TOTAL MES 1,00 hores"}));
    }

private:
    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<CarpetaPdf> carpeta_;
};

QTEST_MAIN(TestReportExtraHours)
#include "TestReportExtraHours.moc"
