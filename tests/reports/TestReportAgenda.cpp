// The board's print: the heading of each view and the grid printed as shown.
#include "Globals.h"
#include "Graella.h"
#include "ImpressioAgenda.h"
#include "ImpressorGraella.h"
#include "MessageBox.h"
#include "PdfFixtures.h"
#include "TestSupport.h"

#include <QtTest>
#include <memory>

using namespace PdfFixtures;

namespace {
const QString Dotze(12, u' ');

// A small week board: heading row, hour labels, a job of three cells merged
// into one block, a bold and an underlined job, a coloured cell.
void omple(Graella& g, int files)
{
    g.setRows(files + 1);
    g.setCols(4);
    g.setFixedRows(1);
    g.setFixedCols(1);
    for (int c = 0; c < 4; ++c) g.setColWidth(c, 120);
    g.setTextMatrix(0, 1, QStringLiteral("dl. 08"));
    g.setTextMatrix(0, 2, QStringLiteral("dt. 09"));
    g.setTextMatrix(0, 3, QStringLiteral("dc. 10"));
    for (int r = 1; r <= files; ++r) g.setTextMatrix(r, 0, QStringLiteral("F%1").arg(r, 3, 10, QChar(u'0')));
    g.setMergeCol(1, true);
    for (int r = 2; r <= 4; ++r) {
        g.setTextMatrix(r, 1, QStringLiteral("Oficina Bernat"));
        g.setCellBackColor(r, 1, QColor(0, 0, 160));
    }
    g.setTextMatrix(3, 2, QStringLiteral("Escala Nuri"));
    g.setCellFontBold(3, 2, true);
    g.setTextMatrix(5, 3, QStringLiteral("Feta Nuri"));
    g.setCellFontUnderline(5, 3, true);
}
} // namespace

class TestReportAgenda : public ProvaDocument {
    Q_OBJECT
private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Torvanel")); }

    void headingOfEachView_data()
    {
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QDate>("calendari");
        QTest::addColumn<QString>("titol");
        const QDate dc10(2010, 3, 10), gen(2010, 1, 20);
        QTest::newRow("month") << "CT" << "mes" << dc10 << Dotze + "Agenda MES: MARÇ 2010";
        QTest::newRow("month abbreviation") << "CT" << "mes" << gen << Dotze + "Agenda MES: GEN. 2010";
        QTest::newRow("week") << "CT" << "setmana" << dc10
                              << Dotze + "Agenda SETMANA del 08/03/2010 al 14/03/2010";
        QTest::newRow("day") << "CT" << "dia" << dc10 << Dotze + "Agenda DIA: 10/03/2010";
        QTest::newRow("month in English") << "EN" << "mes" << gen << Dotze + "Schedule MONTH: JAN 2010";
        QTest::newRow("week in Spanish") << "ES" << "setmana" << dc10
                                         << Dotze + "Agenda SEMANA del 08/03/2010 al 14/03/2010";
    }
    void headingOfEachView()
    {
        QFETCH(QString, idioma);
        QFETCH(QString, mode);
        QFETCH(QDate, calendari);
        QFETCH(QString, titol);
        G.Idioma = idioma;
        ImpressorGraella impressor;
        preparaImpressorAgenda(impressor, {mode, calendari, QDate(2010, 3, 8), QDate(2010, 4, 2)});
        QCOMPARE(impressor.Titol(), titol);
        QCOMPARE(impressor.Capcalera(), QString(10, u' ') + "Torvanel");
        QCOMPARE(impressor.Data(), QString(15, u' ') + "10/03/2010");
    }

    void printsTheGridAsShown()
    {
        Graella AgendaGrid;
        omple(AgendaGrid, 6);
        const QString on = ImprimirAgenda_Click(&AgendaGrid, {QStringLiteral("setmana"), QDate(2010, 3, 10),
                                                              QDate(2010, 3, 8), QDate(2010, 3, 10)});
        QVERIFY(MsgBox::shown().isEmpty());
        QVERIFY(on.startsWith(QStringLiteral("Document desat a")));
        const QString pdf = carpeta_->unic();
        QCOMPARE(pagines(pdf), 1);
        const QSizeF mida = midaPagina(pdf);
        QVERIFY2(mida.width() > mida.height(), "landscape");
        const QString t = text(pdf);
        QVERIFY2(enOrdre(t, {"Torvanel", "Agenda SETMANA del 08/03/2010 al 14/03/2010", "10/03/2010", "dl. 08", "dt. 09",
                             "dc. 10", "F001", "Oficina Bernat", "Escala Nuri", "Feta Nuri", "F006"}),
                 qPrintable(t));
        // The three cells of the job are one block: its text once.
        QCOMPARE(t.count(QStringLiteral("Oficina Bernat")), 1);
    }

    void longGridContinuesWithItsHeadingRow()
    {
        Graella AgendaGrid;
        omple(AgendaGrid, 150);
        ImprimirAgenda_Click(&AgendaGrid, {QStringLiteral("mes"), QDate(2010, 3, 10), QDate(2010, 3, 8), QDate(2010, 3, 10)});
        const QString pdf = carpeta_->unic();
        const int n = pagines(pdf);
        QVERIFY2(n >= 2, qPrintable(QString::number(n)));
        QString totes;
        for (int p = 1; p <= n; ++p) {
            const QString t = text(pdf, p);
            QVERIFY(enOrdre(t, {"Agenda MES: MARÇ 2010", "dl. 08", "dc. 10", QStringLiteral("pàg. %1").arg(p)}));
            totes += t;
        }
        for (int r = 1; r <= 150; ++r) QCOMPARE(totes.count(QStringLiteral("F%1").arg(r, 3, 10, QChar(u'0'))), 1);
    }

    void noGridShowsTheError()
    {
        ImprimirAgenda_Click(nullptr, {QStringLiteral("dia"), QDate(2010, 3, 10), QDate(2010, 3, 8), QDate(2010, 3, 10)});
        QCOMPARE(MsgBox::shown().size(), 1);
        QVERIFY(MsgBox::shown().first().text.startsWith(QStringLiteral("Error:")));
        QVERIFY(carpeta_->fitxers().isEmpty());
    }
};

QTEST_MAIN(TestReportAgenda)
#include "TestReportAgenda.moc"
