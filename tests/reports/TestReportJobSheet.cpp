// The job sheet: its header fields in order, the service lines with their
// amounts, the total box, page breaks and the error path.
#include "FullFeina.h"
#include "Globals.h"
#include "MessageBox.h"
#include "PdfFixtures.h"
#include "TestSupport.h"

#include <QtTest>
#include <memory>

using namespace PdfFixtures;

Q_DECLARE_METATYPE(QList<LiniaFullFeina>)

namespace {
LiniaFullFeina linia(const QString& servei, const QString& quantitat, const QString& preu,
                     const QString& descripcio = QStringLiteral("Neteja general"))
{
    LiniaFullFeina l;
    l.servei = servei;
    l.descripcio = descripcio;
    l.quantitat = *Decimal::parse(quantitat);
    l.unitat = QStringLiteral("h");
    l.preu = *Decimal::parse(preu);
    return l;
}

FullFeina feina()
{
    FullFeina f;
    f.id = QStringLiteral("42");
    f.lloc = QStringLiteral("TALVESA oficina");
    f.data = QStringLiteral("10/03/2010");
    f.horaInici = QStringLiteral("09:00");
    f.horaFi = QStringLiteral("10:30");
    f.recurs = QStringLiteral("Bernat");
    f.observacions = QStringLiteral("Netejar els vidres");
    return f;
}
} // namespace

class TestReportJobSheet : public ProvaDocument {
    Q_OBJECT
private slots:

    void headerFieldsInOrder()
    {
        FullFeina f = feina();
        f.linies = {linia(QStringLiteral("Neteja"), QStringLiteral("2"), QStringLiteral("12,5"))};
        QVERIFY(Imprimeix_Detall_Feina(f).startsWith(QStringLiteral("Document desat a")));
        const QString t = text(carpeta_->unic());
        QCOMPARE(falta(t, {"Detall de la feina nro.: 42", "Lloc:", "TALVESA oficina", "Data:", "10/03/2010",
                           "Hora inici:", "09:00", "Hora final:", "10:30", "Recurs:", "Bernat", "Feta:", "No",
                           "Observacions:", "Netejar els vidres", "Servei", "Quantitat", "Unitat", "Preu", "Import",
                           "Neteja. Neteja general", "2", "h", "12,5", "25,00", "IMPORT FEINA: 25,00 €", "pàg. 1"}),
                 QString());
        QCOMPARE(pagines(carpeta_->unic()), 1);
    }

    void sheet_data()
    {
        QTest::addColumn<bool>("feta");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QList<LiniaFullFeina>>("linies");
        QTest::addColumn<QStringList>("hiSon");
        QTest::addColumn<QStringList>("noHiSon");
        const QString notes100 = QString(80, u'a') + QString(20, u'b');
        const QString desc50 = QString(40, u'd') + QStringLiteral("TALLAT");
        QTest::newRow("done job") << true << "" << QList<LiniaFullFeina>{} << QStringList{"Feta: Si"}
                                  << QStringList{"Feta: No"};
        QTest::newRow("no lines: total 0,00") << false << "" << QList<LiniaFullFeina>{}
                                              << QStringList{"Feta: No", "IMPORT FEINA: 0,00 €"} << QStringList{};
        QTest::newRow("notes cut at 80") << false << notes100 << QList<LiniaFullFeina>{}
                                         << QStringList{QString(80, u'a')} << QStringList{"ab", "bbb"};
        QTest::newRow("notes on one line") << false << "primera\nsegona" << QList<LiniaFullFeina>{}
                                           << QStringList{"primera segona"} << QStringList{};
        QTest::newRow("description cut at 40")
            << false << "" << QList<LiniaFullFeina>{linia("Vidres", "1", "3", desc50)}
            << QStringList{"Vidres. " + QString(40, u'd')} << QStringList{"TALLAT"};
        // 1,5 x 0,35 = 0,525 -> 0,52 (tie to even); 3 x 0,335 = 1,005 -> 1,00; the
        // total is the sum of the printed amounts.
        QTest::newRow("each line brought to cents")
            << false << ""
            << QList<LiniaFullFeina>{linia("Neteja", "1,5", "0,35"), linia("Vidres", "3", "0,335"),
                                     linia("Kms", "1000", "12,34")}
            << QStringList{"0,52", "1,00", "12.340,00", "IMPORT FEINA: 12.341,52 €"} << QStringList{"0,53"};
        LiniaFullFeina tecleja = linia("Neteja", "2,5", "10");
        tecleja.textQuantitat = "2,50";
        tecleja.textPreu = "10,00";
        QTest::newRow("typed texts as shown") << false << "" << QList<LiniaFullFeina>{tecleja}
                                              << QStringList{"2,50 h 10,00 25,00"} << QStringList{};
    }
    void sheet()
    {
        QFETCH(bool, feta);
        QFETCH(QString, notes);
        QFETCH(QList<LiniaFullFeina>, linies);
        QFETCH(QStringList, hiSon);
        QFETCH(QStringList, noHiSon);
        FullFeina f = feina();
        f.feta = feta;
        f.observacions = notes;
        f.linies = linies;
        Imprimeix_Detall_Feina(f);
        QVERIFY(MsgBox::shown().isEmpty());
        const QString t = text(carpeta_->unic()).simplified();
        for (const QString& s : hiSon) QVERIFY2(t.contains(s), qPrintable(s + " | " + t));
        for (const QString& s : noHiSon) QVERIFY2(!t.contains(s), qPrintable(s + " | " + t));
    }

    void manyLinesRepeatTheHeader()
    {
        FullFeina f = feina();
        for (int i = 0; i < 120; ++i)
            f.linies << linia(QStringLiteral("S%1").arg(i, 3, 10, QChar(u'0')), QStringLiteral("1"), QStringLiteral("1"));
        Imprimeix_Detall_Feina(f);
        const QString pdf = carpeta_->unic();
        const int n = pagines(pdf);
        QVERIFY2(n >= 3, qPrintable(QString::number(n)));
        QString totes;
        for (int p = 1; p <= n; ++p) {
            const QString t = text(pdf, p);
            QVERIFY(enOrdre(t, {"Detall de la feina nro.: 42", "Lloc:", "TALVESA oficina", "Hora final:", "10:30",
                                "Feta:", "Observacions:", "Servei", "Import", QStringLiteral("pàg. %1").arg(p)}));
            QCOMPARE(t.contains(QStringLiteral("(Continuació)")), p > 1);
            QCOMPARE(t.contains(QStringLiteral("(Continúa...)")), p < n);
            QCOMPARE(t.contains(QStringLiteral("IMPORT FEINA:")), p == n);
            totes += t;
        }
        // Every line once, in order.
        for (int i = 0; i < 120; ++i)
            QCOMPARE(totes.count(QStringLiteral("S%1. ").arg(i, 3, 10, QChar(u'0'))), 1);
        QVERIFY(totes.contains(QStringLiteral("IMPORT FEINA: 120,00 €")));
    }

    // A line whose amount cannot be computed ends the sheet through the error
    // path: no sheet is left, not even the pages drawn before it.
    void badLineLeavesNoSheet_data()
    {
        QTest::addColumn<QString>("quantitat");   // as the grid shows it
        QTest::addColumn<QString>("error");
        QTest::newRow("amount too large") << "900000000000" << "Error:Desbordament en el càlcul de l'import";
        QTest::newRow("quantity no number") << "dues" << "Error:'dues' no és un número";
    }
    void badLineLeavesNoSheet()
    {
        QFETCH(QString, quantitat);
        QFETCH(QString, error);
        FullFeina f = feina();
        LiniaFullFeina dolenta = linia(QStringLiteral("Kms"), QStringLiteral("1"), QStringLiteral("900000000000"));
        dolenta.textQuantitat = quantitat;
        f.linies = {linia(QStringLiteral("Neteja"), QStringLiteral("1"), QStringLiteral("2")), dolenta};
        QCOMPARE(Imprimeix_Detall_Feina(f), QString());
        QCOMPARE(TestSupport::shownTexts(), QStringList{error});
        QCOMPARE(carpeta_->tots(), QStringList());
    }
};

QTEST_MAIN(TestReportJobSheet)
#include "TestReportJobSheet.moc"
