// The extra hours of a month: the clean-up of hours without a job (which
// survive, all or nothing), the report by resource with its totals and its
// page breaks.
#include "Consultes.h"
#include "Globals.h"
#include "InformeHores.h"
#include "MessageBox.h"
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
// The stored rows, "resource day", in order.
QStringList files()
{
    return queryTexts(
        QStringLiteral("SELECT recursos_nom || ' ' || hores_data FROM Hores_Fetes ORDER BY recursos_nom, hores_data"));
}
} // namespace

class TestReportExtraHours : public ProvaDocument {
    Q_OBJECT
private slots:
    void init()
    {
        ProvaDocument::init();
        addClient("Anna");
        addSite("Casa", "Anna");
        int color = 1;
        for (const char* r : {"Pere", "Nuri", "Bernat", "L'Anna"}) addResource(QString::fromLatin1(r), color++);
        addResource("Nuri i Bernat", color, true);
        addMember("Nuri i Bernat", "Nuri");
        addMember("Nuri i Bernat", "Bernat");
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

    void cleanupDeletesTheMonthsOrphansAtOnce()
    {
        // One orphan cannot go: none goes, the error path shows why, nothing is printed.
        BD().exec(QStringLiteral("CREATE TRIGGER bloqueja BEFORE DELETE ON Hores_Fetes WHEN old.hores_data = '2010-03-05' "
                                 "BEGIN SELECT RAISE(ABORT, 'hores bloquejades'); END"));
        Imprimeix_Hores_Extres(Marc);
        QCOMPARE(MsgBox::shown().size(), 1);
        QCOMPARE(MsgBox::shown().first().text.left(6), QStringLiteral("Error:"));
        QVERIFY(MsgBox::shown().first().text.contains(QStringLiteral("hores bloquejades")));
        QVERIFY(carpeta_->fitxers().isEmpty());
        QCOMPARE(files().size(), 11);
        BD().exec(QStringLiteral("DROP TRIGGER bloqueja"));
        // Kept: a worker's own job, its team's job (name in other letters
        // too), the months around. Gone: no job, only an unassigned job,
        // another worker's job.
        QCOMPARE(Borra_hores_extres_erronies(Marc), 3);
        QCOMPARE(files(), QStringList({"Bernat 2010-03-03", "l'anna 2010-03-31", "Nuri 2010-03-03", "Pere 2010-02-28",
                                       "Pere 2010-03-01", "Pere 2010-04-01", "Pere 2010-12-31", "Pere 2011-01-01"}));
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
        QCOMPARE(falta(linies.join(u'\n'), pdf), QString());
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
};

QTEST_MAIN(TestReportExtraHours)
#include "TestReportExtraHours.moc"
