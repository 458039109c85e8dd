// The billing month computed from rows (no widgets), and what it reads of the database.
#include "BillingFixtures.h"
#include "Globals.h"
#include "LecturaFacturacio.h"

#include <QTest>

using namespace Billing;
using namespace TestSupport;

class TestBillingComputation : public SeamedTest {
    Q_OBJECT
private slots:
    void monthKeysAndPeriods_data();
    void monthKeysAndPeriods();
    void linesTotalsAndQuotas_data();
    void linesTotalsAndQuotas();
    void chequeSlotsPerQuantity_data();
    void chequeSlotsPerQuantity();
    void chequeMatching_data();
    void chequeMatching();
    void allClientsListsTheMonthsLiquidatedCheques();
    void readsTheMonthInFewStatements();
};

void TestBillingComputation::monthKeysAndPeriods_data()
{
    QTest::addColumn<QString>("mes");
    QTest::addColumn<QDate>("inici");
    QTest::addColumn<QDate>("fi");
    QTest::newRow("May") << "05/2024" << QDate(2024, 5, 1) << QDate(2024, 6, 1);
    QTest::newRow("December into the next year") << "12/2024" << QDate(2024, 12, 1) << QDate(2025, 1, 1);
    for (const char* dolent : {"3/2009", "13/2009", "00/2009", "03-2009", "03/20x9", "1 /2009", "+1/2009", "03/0000", ""})
        QTest::newRow(dolent) << dolent << QDate() << QDate();
}

void TestBillingComputation::monthKeysAndPeriods()
{
    QFETCH(QString, mes);
    QFETCH(QDate, inici);
    QFETCH(QDate, fi);
    const auto p = periodeDelMes(mes);
    QCOMPARE(bool(p), inici.isValid());
    if (!p) return;
    QCOMPARE(p->inici, inici);
    QCOMPARE(p->fi, fi);
    QCOMPARE(mesDeData(inici.addDays(14)), mes);
}

// Services sum, amounts and quotas of one client's month.
void TestBillingComputation::linesTotalsAndQuotas_data()
{
    QTest::addColumn<QString>("files");
    QTest::addColumn<bool>("pendents");
    QTest::addColumn<QString>("tipus");
    QTest::addColumn<QString>("imports");   // line amounts shown ('-' = none), then '|' and job totals
    QTest::addColumn<QString>("total");

    // 1.5 x 10.01 = 15.015 -> 15.02 and 0.5 x 0.25 = 0.125 -> 0.12: cents halves to even.
    QTest::newRow("three lines then one total")
        << "1 Casa 3 Neteja 2 10 F; 1 Casa 3 Vidres 1.5 10.01 F; 1 Casa 3 Pols 0.5 0.25 F" << false << "LLLT"
        << "20 15.02 0.12|35.14" << "35.14";
    QTest::newRow("job not done adds nothing")
        << "1 Casa 3 Neteja 2 10 -; 2 Casa 4 Neteja 1 10 F" << false << "LTLT" << "- 10|0 10" << "10";
    QTest::newRow("job without lines") << "1 Casa 3 - F" << false << "LT" << "0|0" << "0";
    QTest::newRow("two done jobs of a quota site: one quota row")
        << "1 Casa 3 Neteja 2 10 F,Q80; 2 Casa 10 Neteja 2 10 F,Q80; 3 Pis 11 Neteja 1 10 F" << false << "LTLTQLT"
        << "- - 10|0 0 10" << "90";
    QTest::newRow("quota site with no job done") << "1 Casa 3 Neteja 2 10 Q80; 2 Casa 10 Neteja 2 10 Q80" << false
                                                 << "LTLT" << "- -|0 0" << "0";
    QTest::newRow("invoiced job keeps its stored share")
        << "1 Casa 3 Neteja 2 10 F,I,Q80,S0; 2 Casa 10 Neteja 2 10 F,Q80" << false << "LTLTQ" << "20 -|20 0" << "100";
    QTest::newRow("pending only leaves invoiced jobs out")
        << "1 Casa 3 Neteja 2 10 F,I; 2 Casa 10 Neteja 1 10 F; 2 Casa 10 Vidres 1 5 F" << true << "LLT" << "10 5|15"
        << "15";
    // An earlier invoice of the month billed the site's quota with a quota
    // job: never twice. One that billed its jobs by their lines did not.
    QTest::newRow("pending only: the quota an invoice billed is not billed again")
        << "1 Casa 3 Neteja 2 10 F,I,Q80,S80; 2 Casa 10 Neteja 2 10 F,Q80" << true << "LT" << "-|0" << "0";
    QTest::newRow("pending only: quota billed when no invoice billed it")
        << "1 Casa 3 Neteja 2 10 F,I,Q80,S0; 2 Casa 10 Neteja 2 10 F,Q80" << true << "LTQ" << "-|0" << "80";
    QTest::newRow("a quota of more decimals billed to the cent")
        << "1 Casa 3 Neteja 2 10 F,Q80.125" << false << "LTQ" << "-|0" << "80.12";
    // A site's quota is billed when any of its listed done jobs is a quota
    // job, whatever job comes last, and never by the next site: the quota
    // site whose jobs are not done bills nothing.
    QTest::newRow("quota owed stays with its site")
        << "1 Casa 3 Neteja 2 10 F,I,Q0,S80; 2 Casa 10 Neteja 1 10 F; 3 Pis 11 Neteja 1 10 Q50; 4 Torre 12 Neteja 1 10 F"
        << false << "LTLTQLTLT" << "- 10 - 10|0 10 0 10" << "100";
    QTest::newRow("a quota job, then an invoiced job billed by its lines")
        << "1 Casa 3 Neteja 1 10 F,Q80; 2 Casa 10 Neteja 1 5 F,I,Q80,S0" << false << "LTLTQ" << "- 5|0 5" << "85";
    QTest::newRow("the same two jobs the other way round")
        << "1 Casa 3 Neteja 1 5 F,I,Q80,S0; 2 Casa 10 Neteja 1 10 F,Q80" << false << "LTLTQ" << "5 -|5 0" << "85";
    QTest::newRow("empty month") << "" << false << "" << "|" << "0";
}

void TestBillingComputation::linesTotalsAndQuotas()
{
    QFETCH(QString, files);
    QFETCH(bool, pendents);
    QFETCH(QString, tipus);
    QFETCH(QString, imports);
    QFETCH(QString, total);
    EntradaFacturacio e = entrada(pendents);
    e.pagament.import = d("12.5");
    const FacturacioMes m = calculaFacturacio(e, linies(files), {});
    QCOMPARE(Billing::tipus(m), tipus);
    QStringList linia, feina;
    for (const FilaFactura& f : m.files)
        if (f.tipus == TipusFilaFactura::LiniaFeina) linia << (f.ambImport ? f.import.toFixed() : QStringLiteral("-"));
    for (const FeinaMes& j : m.feines) {
        feina << j.total.toFixed();
        // Each job's rows point back at it.
        QCOMPARE(m.files[j.filaTotal - 1].feina, int(&j - m.feines.data()));
        QCOMPARE(m.files[j.primeraFila - 1].tipus, TipusFilaFactura::LiniaFeina);
    }
    QCOMPARE(linia.join(u' ') + u'|' + feina.join(u' '), imports);
    for (const QuotaMes& q : m.quotes) QCOMPARE(m.files[q.fila - 1].tipus, TipusFilaFactura::QuotaLloc);
    QCOMPARE(m.totalServeis.toFixed(), total);
    QCOMPARE(m.totalFacturar, m.totalServeis - d("12.5"));
    QVERIFY(m.xecs.isEmpty() && !m.ambXecs);
}

void TestBillingComputation::chequeSlotsPerQuantity_data()
{
    QTest::addColumn<QString>("quantitat");
    QTest::addColumn<int>("caselles");
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("3") << "3" << 3;
    QTest::newRow("2.5") << "2.5" << 2;
    QTest::newRow("1.6") << "1.6" << 2;
    QTest::newRow("0.6") << "0.6" << 0;
    QTest::newRow("0.5") << "0.5" << 0;
    QTest::newRow("0.05") << "0.05" << 0;
    QTest::newRow("negative") << "-2" << 0;
}

void TestBillingComputation::chequeSlotsPerQuantity()
{
    QFETCH(QString, quantitat);
    QFETCH(int, caselles);
    QCOMPARE(casellesXec(*Decimal::parseFixed(quantitat)), caselles);
}

// Cheque service "Hores", one cheque worth 12 and saving 5, lines of 10 an hour.
void TestBillingComputation::chequeMatching_data()
{
    QTest::addColumn<QString>("files");
    QTest::addColumn<QString>("cheques");
    QTest::addColumn<int>("maxim");
    QTest::addColumn<bool>("pendents");
    QTest::addColumn<QString>("pagats");    // each cheque's job ('-' none) and kind
    QTest::addColumn<QString>("imports");   // line amounts | job totals
    QTest::addColumn<QString>("serveis");
    QTest::addColumn<int>("nombre");

    const QString dues = QStringLiteral("1 Casa 3 Hores 2 10 F; 1 Casa 3 Neteja 1 10 F");
    QTest::newRow("two slots take the two oldest cheques")
        << dues << "201; 202; 203" << 10 << false << "201>1A 202>1A 203>-S" << "10 10|20" << "20" << 2;
    QTest::newRow("below a cheque's value, not done, quota job: no slot")
        << "1 Casa 3 Hores 0.9 10 F; 2 Casa 4 Hores 2 10; 3 Pis 5 Hores 2 10 F,Q30" << "201" << 10 << false
        << "201>-S" << "9 - -|9 0 0" << "39" << 0;
    QTest::newRow("no more than the month's maximum") << dues << "201; 202" << 1 << false << "201>1A 202>-S"
                                                        << "15 10|25" << "25" << 1;
    QTest::newRow("maximum 0: liquidated still counted")
        << dues << "201 L1; 202" << 0 << false << "201>1L 202>-S" << "15 10|25" << "25" << 1;
    QTest::newRow("maximum 5: liquidated ones count first")
        << "1 Casa 3 Hores 6 10 F" << "301 L1; 302 L1; 303 L1; 201; 202; 203" << 5 << false
        << "301>1L 302>1L 303>1L 201>1A 202>1A 203>-S" << "35|35" << "35" << 5;
    QTest::newRow("pending only: liquidated ones skipped")
        << "1 Casa 3 Hores 6 10 F" << "301 L1; 302 L1; 303 L1; 201; 202; 203" << 5 << true
        << "201>1A 202>1A 203>1A" << "45|45" << "45" << 3;
    QTest::newRow("liquidated cheque without a free slot of its job")
        << "1 Casa 3 Neteja 2 10 F" << "301 L1" << 10 << false << "301>1L" << "20|20" << "20" << 1;
    QTest::newRow("slots in line order across jobs")
        << "1 Casa 3 Hores 1 10 F; 2 Casa 4 Hores 1 10 F" << "201; 202" << 10 << false << "201>1A 202>2A"
        << "5 5|5 5" << "10" << 2;
}

void TestBillingComputation::chequeMatching()
{
    QFETCH(QString, files);
    QFETCH(QString, cheques);
    QFETCH(int, maxim);
    QFETCH(bool, pendents);
    QFETCH(QString, pagats);
    QFETCH(QString, imports);
    QFETCH(QString, serveis);
    QFETCH(int, nombre);
    EntradaFacturacio e = entrada(pendents, QStringLiteral("Hores"));
    e.parametres.maxXecsMes = maxim;
    const FacturacioMes m = calculaFacturacio(e, linies(files), xecs(cheques));
    QStringList p;
    for (const XecMes& x : m.xecs) {
        const QChar kind = x.tipus == TipusXecMes::Liquidat ? u'L' : x.tipus == TipusXecMes::Assignat ? u'A' : u'S';
        p << QStringLiteral("%1>%2%3").arg(x.id).arg(x.feina ? QString::number(x.feina) : QStringLiteral("-")).arg(kind);
        QCOMPARE(x.comptat, x.feina != 0);
        QCOMPARE(x.importMostrat(), x.tipus == TipusXecMes::SenseFeina ? Decimal() : x.valor);
        if (x.fila >= 0) QCOMPARE(m.feinaDe(m.files[x.fila]).id, x.feina);
    }
    QCOMPARE(p.join(u' '), pagats);
    QStringList linia, feina;
    for (const FilaFactura& f : m.files)
        if (f.tipus == TipusFilaFactura::LiniaFeina) linia << (f.ambImport ? f.import.toFixed() : QStringLiteral("-"));
    for (const FeinaMes& j : m.feines) feina << j.total.toFixed();
    QCOMPARE(linia.join(u' ') + u'|' + feina.join(u' '), imports);
    QCOMPARE(m.totalServeis.toFixed(), serveis);
    QCOMPARE(m.nombreXecs, nombre);
    QCOMPARE(m.totalXecs, Decimal::fromInt(12 * nombre));
    QCOMPARE(m.totalFacturar, m.totalServeis - m.totalXecs);
    // Without a cheque service nothing of it remains.
    e.parametres.serveiXecs.clear();
    const FacturacioMes sense = calculaFacturacio(e, linies(files), xecs(cheques));
    QVERIFY(!sense.ambXecs && sense.xecs.isEmpty() && sense.nombreXecs == 0 && sense.totalXecs.isZero());
}

void TestBillingComputation::allClientsListsTheMonthsLiquidatedCheques()
{
    EntradaFacturacio e = entrada(false, QStringLiteral("Hores"));
    e.totsClients = true;
    const FacturacioMes m = calculaFacturacio(e, linies("1 Casa 3 Hores 2 10 F"), xecs("301 L1; 302 L7"));
    QVERIFY(m.totsClients && m.client.isEmpty() && m.files.isEmpty());
    QCOMPARE(m.xecs.size(), 2);
    QCOMPARE(m.xecs[1].feina, 7);
    QVERIFY(m.xecs[0].comptat && m.xecs[1].comptat && m.xecs[1].tipus == TipusXecMes::Liquidat);
    QCOMPARE(m.nombreXecs, 2);
    QVERIFY(m.totalServeis.isZero() && m.totalFacturar.isZero());
}

// The queries' rows: order, period bounds (December), the client's cheques
// of the month or of no job, and the statements a month takes.
void TestBillingComputation::readsTheMonthInFewStatements()
{
    ProgramFolder pf;
    pf.openDatabases();
    addClient("L'Anna");
    addClient("Berta");
    addService("Neteja", 60);
    addService("Vidres", 60);
    addSite("Zeta", "L'Anna");
    addSite("Alfa", "L'Anna");
    addSite("Altre", "Berta");
    BD().exec(QStringLiteral("UPDATE Llocs SET llocs_quota = ? WHERE llocs_nom = 'Alfa'"), {d("125.5").toVariant()});
    const int fora = addJob("Alfa", QDate(2024, 11, 30), "09:00", "10:00");
    const int z = addJob("Zeta", QDate(2024, 12, 1), "09:00", "10:00");
    const int a2 = addJob("Alfa", QDate(2024, 12, 31), "09:00", "10:00");
    const int a1 = addJob("Alfa", QDate(2024, 12, 2), "09:00", "10:00");
    addJob("Alfa", QDate(2025, 1, 1), "09:00", "10:00");
    addJob("Altre", QDate(2024, 12, 3), "09:00", "10:00");
    for (const char* s : {"Vidres", "Neteja"})
        BD().exec(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_quantitat, "
                                 "feines_detall_preu_un, feines_detall_unitat) VALUES (?, ?, ?, ?, 'h')"),
                  {a1, QString::fromLatin1(s), d("2.5").toVariant(), d("10").toVariant()});
    auto xec = [](int id, const char* client, const QVariant& feina, const QVariant& liquidat) {
        BD().exec(QStringLiteral("INSERT INTO Xecs (xecs_id, clients_nom, xecs_valor, xecs_data_entrega, "
                                 "xecs_data_liquidat, feines_id) VALUES (?, ?, 120000, ?, ?, ?)"),
                  {id, QString::fromLatin1(client), QStringLiteral("2024-0%1-01").arg(10 - id % 10), liquidat, feina});
    };
    xec(1, "L'Anna", QVariant(), QVariant());            // no job: listed
    xec(2, "L'Anna", a2, QStringLiteral("2024-12-20"));   // liquidated this month
    xec(3, "L'Anna", fora, QStringLiteral("2024-11-30")); // another month's job
    xec(4, "Berta", QVariant(), QVariant());              // another client
    xec(5, "L'Anna", QVariant(), QVariant());

    EntradaFacturacio e = Billing::entrada(false, QStringLiteral("Neteja"));
    e.client = QStringLiteral("L'Anna");
    e.mes = QStringLiteral("12/2024");
    e.periode = *periodeDelMes(e.mes);
    const qint64 abans = BD().statementsRun();
    const DadesMes dades = llegeixDadesMes(e);
    QCOMPARE(BD().statementsRun() - abans, 2);
    QStringList files;
    for (const FilaLiniaBD& f : dades.linies)
        files << QStringLiteral("%1 %2 %3").arg(f.lloc).arg(f.feina).arg(f.ambLinia ? f.servei : QStringLiteral("-"));
    QCOMPARE(files, (QStringList{QStringLiteral("Alfa %1 Neteja").arg(a1), QStringLiteral("Alfa %1 Vidres").arg(a1),
                                 QStringLiteral("Alfa %1 -").arg(a2), QStringLiteral("Zeta %1 -").arg(z)}));
    QCOMPARE(dades.linies[0].quotaLloc, d("125.5"));
    QCOMPARE(dades.linies[0].quantitat, d("2.5"));
    QStringList cheques;
    for (const FilaXecBD& x : dades.xecs) cheques << QString::number(x.id);
    // Liquidated first, then by delivery (cheque 5 was delivered before cheque 1).
    QCOMPARE(cheques.join(u' '), QStringLiteral("2 5 1"));
    QCOMPARE(dades.xecs[0].feina, a2);

    e.totsClients = true;
    const qint64 tots = BD().statementsRun();
    const DadesMes liquidats = llegeixDadesMes(e);
    QCOMPARE(BD().statementsRun() - tots, 1);
    QCOMPARE(liquidats.xecs.size(), 1);
    QVERIFY(liquidats.linies.isEmpty());
}

QTEST_GUILESS_MAIN(TestBillingComputation)
#include "TestBillingComputation.moc"
