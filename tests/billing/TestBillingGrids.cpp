// The billing month written into the two grids: texts, markers, formats and merges.
#include "BillingFixtures.h"
#include "Globals.h"
#include "Graella.h"
#include "RenderFacturacio.h"

#include <QTest>

using namespace Billing;

namespace {

QString fila(const Graella* g, int r)
{
    QStringList cells;
    for (int c = 0; c < g->Cols(); ++c) cells << g->TextMatrix(r, c);
    return cells.join(u'|');
}

QString total(const char* marca, int feina, const char* import)
{
    QStringList c{QString::fromLatin1(marca)};
    for (int i = 1; i <= 7; ++i) c << QStringLiteral("Total feina:");
    return (c << QString::number(feina) << QString::fromUtf8(import)).join(u'|');
}

const ColorsFacturacio kColors{QColor(227, 222, 255), QColor(213, 245, 255)};

} // namespace

class TestBillingGrids : public QObject {
    Q_OBJECT
private slots:
    void init() { TestSupport::resetSeams(); }
    void oneClientsMonth();
    void emptyMonthAndPosition();
};

void TestBillingGrids::oneClientsMonth()
{
    const FacturacioMes m = calculaFacturacio(
        entrada(false, QStringLiteral("Hores")),
        linies("1 Casa 3 Hores 2 10 F; 1 Casa 3 Neteja 1 1234.5 F; 1 Casa 3 Vidres 1.5 2 F; "
               "2 Pis 4 Neteja 2 10 F,Q125.5; 3 Torre 5 Neteja 1 10 R"),
        xecs("301 L1; 201; 202"));
    Graella f, x;
    pintaFacturacio(m, &f, &x, kColors);

    QCOMPARE(f.Rows(), 10);
    QCOMPARE(f.Cols(), 10);
    QCOMPARE(fila(&f, 0), QStringLiteral("CP|Data|Lloc|Recurs|Feta|Data fra.|Servei|Quantitat|Unitat|Import"));
    const QStringList esperades{
        QStringLiteral("1|03/03/2009|Casa|Pere|Si| |Hores|2|h|10,00"),
        QStringLiteral("1|03/03/2009|Casa|Pere|Si| |Neteja|1|h|1.234,50"),
        QStringLiteral("1|03/03/2009|Casa|Pere|Si| |Vidres|1,5|h|3,00"),
        total("Si", 1, "1.247,50"),
        QStringLiteral("2|04/03/2009|Pis|Pere|Si| |Neteja|2|h|"),
        total("Si", 2, "QM125,5"),
        QStringLiteral("SQ|   |Pis|Pis|Pis|Pis|Pis|   |Quota mes|125,50"),
        QStringLiteral("3|05/03/2009|Torre| |No| |Neteja|1|h|"),
        total("No", 3, ""),
    };
    for (int r = 1; r < f.Rows(); ++r) QCOMPARE(fila(&f, r), esperades[r - 1]);
    QCOMPARE(m.totalServeis, Decimal::fromInt(1373));
    QCOMPARE(m.totalFacturar, Decimal::fromInt(1373 - 24));

    // Hidden marker column, bold headings, merge flags.
    QCOMPARE(f.ColWidth(0), 0);
    QCOMPARE(f.ColWidth(2), 167);
    QVERIFY(!f.CellFontBold(0, 0) && f.CellFontBold(0, 1) && f.CellFontBold(0, 9));
    QCOMPARE(f.CellAlignment(0, 7), 7);
    QVERIFY(f.MergeCol(1) && f.MergeCol(5) && !f.MergeCol(6) && !f.MergeRow(0) && f.MergeRow(1) && f.MergeRow(9));
    QCOMPARE(f.FixedRows(), 1);
    // A job's fields read once down its lines; labels once across their rows.
    QCOMPARE(f.MergedRange(2, 1), QRect(1, 1, 1, 3));
    QCOMPARE(f.MergedRange(2, 6), QRect(6, 2, 1, 1));
    QCOMPARE(f.MergedRange(4, 3), QRect(1, 4, 7, 1));
    QCOMPARE(f.MergedRange(7, 4), QRect(2, 7, 5, 1));
    // Line formats: done mark bold only when not done; alignments by column.
    QVERIFY(!f.CellFontBold(1, 4) && f.CellFontBold(8, 4));
    const int alineacio[10] = {9, 3, 3, 3, 3, 3, 4, 7, 4, 7};
    for (int c = 1; c < 10; ++c) QCOMPARE(f.CellAlignment(1, c), alineacio[c]);
    // Colours: a quota job's lines, the totals, the hidden quota share, the quota row.
    QVERIFY(f.CellBackColor(1, 9) != kColors.quota);
    for (int c = 1; c <= 9; ++c) QCOMPARE(f.CellBackColor(5, c), kColors.quota);
    for (int c : {1, 8, 9}) QCOMPARE(f.CellBackColor(4, c), kColors.feina);
    QVERIFY(f.CellFontBold(4, 9) && f.CellAlignment(4, 1) == 7 && f.CellAlignment(4, 8) == 1);
    QVERIFY(!f.CellForeColor(4, 9).isValid());
    QCOMPARE(f.CellBackColor(6, 9), kColors.quota);
    QCOMPARE(f.CellForeColor(6, 9), kColors.quota);
    for (int c : {1, 2, 3, 7, 8, 9}) QCOMPARE(f.CellBackColor(7, c), kColors.quota);
    QVERIFY(f.CellFontBold(7, 2) && f.CellFontBold(7, 8) && f.CellFontBold(7, 9) && !f.CellFontBold(7, 1));
    QVERIFY(f.CellAlignment(7, 2) == 7 && f.CellAlignment(7, 8) == 7 && f.CellAlignment(7, 9) == 7);

    // Cheques: liquidated, matched now, left without a job.
    QCOMPARE(fila(&x, 0), QStringLiteral("CP|Data entr.|Nro. de Xec|Client|Feina|Data liq.|Servei|Quantitat|Unitat|Import"));
    QCOMPARE(fila(&x, 1), QStringLiteral("XC|01/01/2009|301|Anna|1|28/03/2009|Hores|1|Hores|12,00"));
    QCOMPARE(fila(&x, 2), QStringLiteral("XC|02/01/2009|201|Anna|1|   |Hores|1|Hores|12,00"));
    QCOMPARE(fila(&x, 3), QStringLiteral("XC|03/01/2009|202|Anna| |   ||||0,00"));
    QVERIFY(!x.MergeRow(1) && !x.MergeCol(1));
    for (int c = 1; c < 10; ++c) QCOMPARE(x.CellAlignment(1, c), c == 7 || c == 9 ? 7 : 4);

    // The unit of a cheque that pays a job is a word of the user's language.
    TestSupport::ProgramFolder pf;
    pf.openDatabases();
    G.Idioma = QStringLiteral("ES");
    pintaFacturacio(m, &f, &x, kColors);
    QCOMPARE(x.TextMatrix(1, 8), QStringLiteral("Horas"));
}

void TestBillingGrids::emptyMonthAndPosition()
{
    Graella f, x;
    const EntradaFacturacio e = entrada(false, QStringLiteral("Hores"));
    pintaFacturacio(calculaFacturacio(e, linies("1 Casa 3 Hores 2 10 F; 2 Casa 4 Hores 2 10 F; 3 Casa 5 Neteja 1 1 F"),
                                      {}),
                    &f, &x, kColors);
    QCOMPARE(f.Rows(), 7);
    f.setCurrentCellAt(6, 9);
    PosicioGraella p = posicioDe(&f);
    pintaFacturacio(calculaFacturacio(e, linies("1 Casa 3 Hores 2 10 F"), {}), &f, &x, kColors);
    restauraPosicio(&f, p);
    QCOMPARE(f.Row(), 2);
    QCOMPARE(f.Col(), 9);

    // Nothing at all: the headings and one empty row.
    p = posicioDe(&f);
    pintaFacturacio(calculaFacturacio(e, {}, {}), &f, &x, kColors);
    restauraPosicio(&f, p);
    QCOMPARE(f.Rows(), 2);
    QCOMPARE(x.Rows(), 2);
    QCOMPARE(fila(&f, 1), QStringLiteral("|||||||||"));
    QCOMPARE(fila(&x, 1), QStringLiteral("|||||||||"));
    QCOMPARE(f.Row(), 1);
}

QTEST_MAIN(TestBillingGrids)
#include "TestBillingGrids.moc"
