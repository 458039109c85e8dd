// Acting on the billing grid's jobs and the cheque grid's cheques.
#include "TabFixture.h"

#include <QTest>

using namespace TestSupport;

class TestBillingActions : public SeamedTest {
    Q_OBJECT
private slots:
    void openingTheJobDialog_data();
    void openingTheJobDialog();
    void keysOnJobs_data();
    void keysOnJobs();
    void deletedJobIsNotFound();
    void deletingCheques_data();
    void deletingCheques();
};

void TestBillingActions::openingTheJobDialog_data()
{
    QTest::addColumn<int>("fila");
    QTest::addColumn<bool>("perTecla");
    QTest::addColumn<QString>("missatge");   // what the dialog leaves
    QTest::addColumn<bool>("obert");
    QTest::newRow("header row") << 0 << false << "OK" << false;
    QTest::newRow("job total row") << 2 << false << "OK" << false;
    QTest::newRow("quota row") << 9 << false << "OK" << false;
    QTest::newRow("job line, saved") << 3 << false << "OK" << true;
    QTest::newRow("job line, closed") << 3 << false << "" << true;
    QTest::newRow("Enter on a job line, saved") << 3 << true << "OK" << true;
    QTest::newRow("Enter on a total row") << 4 << true << "OK" << false;
}

void TestBillingActions::openingTheJobDialog()
{
    QFETCH(int, fila);
    QFETCH(bool, perTecla);
    QFETCH(QString, missatge);
    QFETCH(bool, obert);
    PaginaFacturacio p;
    p.tria(0);
    QList<int> oberts;
    p.tab->obreFeina = [&] {
        oberts << G.FeinaActual.Id;
        QCOMPARE(G.FeinaActual.Lloc, QStringLiteral("Casa"));
        QVERIFY(G.FeinaActual.Recurs.isEmpty() && !G.FeinaActual.Feta && !G.FeinaActual.DataFactura.isValid());
        G.FeinaActual.Missatge = missatge;
    };
    p.factura()->setCurrentCellAt(fila, 6);
    G.AgendaPendent = false;
    G.FacturacioPendent = true;
    if (perTecla)
        QTest::keyClick(p.factura(), Qt::Key_Return);
    else
        emit p.factura()->cellDoubleClicked(fila, 6);
    QCOMPARE(oberts, obert ? QList<int>{p.B} : QList<int>{});
    const bool desada = obert && missatge == QLatin1String("OK");
    QCOMPARE(G.AgendaPendent, desada);
    QCOMPARE(G.FacturacioPendent, !desada);
    // A double click keeps the job; a key clears it.
    QCOMPARE(G.FeinaActual.Id, obert && !perTecla ? p.B : 0);
    QCOMPARE(p.factura()->Row(), fila);
}

void TestBillingActions::keysOnJobs_data()
{
    QTest::addColumn<QString>("feina");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("resposta");     // to the question; -1 = none asked
    QTest::addColumn<QString>("missatge"); // "" = done
    QTest::addColumn<QString>("despres");  // the job's stored done mark and invoice date, or "gone"
    QTest::newRow("Space on a done, invoiced job, No: nothing changes")
        << "D" << int(Qt::Key_Space) << int(MsgBox::No) << "" << "1 2010-03-06";
    QTest::newRow("Space on a done, invoiced job, Yes: its invoice undone")
        << "D" << int(Qt::Key_Space) << int(MsgBox::Yes) << "" << "0 -";
    QTest::newRow("Space on a done job no invoice billed: no question") << "A" << int(Qt::Key_Space) << -1 << "" << "0 -";
    QTest::newRow("Space on a job without resource")
        << "B" << int(Qt::Key_Space) << -1 << "Cal assignar recurs si la feina està feta" << "0 -";
    QTest::newRow("Delete on a done job")
        << "D" << int(Qt::Key_Delete) << int(MsgBox::Yes) << "No es pot esborrar una feina feta" << "1 2010-03-06";
    QTest::newRow("Delete answered No") << "B" << int(Qt::Key_Delete) << int(MsgBox::No) << "" << "0 -";
    QTest::newRow("Delete answered Yes") << "B" << int(Qt::Key_Delete) << int(MsgBox::Yes) << "" << "gone";
    QTest::newRow("another key loads and does nothing") << "D" << int(Qt::Key_Right) << -1 << "" << "1 2010-03-06";
}

void TestBillingActions::keysOnJobs()
{
    QFETCH(QString, feina);
    QFETCH(int, tecla);
    QFETCH(int, resposta);
    QFETCH(QString, missatge);
    QFETCH(QString, despres);
    PaginaFacturacio p;
    p.tria(0);
    const int id = feina == u'D' ? p.D : feina == u'A' ? p.A : p.B;
    const int fila = feina == u'D' ? 5 : feina == u'A' ? 1 : 3;
    const QString abans = PaginaFacturacio::fila(p.factura(), fila);
    auto estat = [&] {
        QSqlQuery q = BD().query(QStringLiteral("SELECT feines_feta, coalesce(feines_data_factura, '-') FROM Feines "
                                                "WHERE feines_id = ?"), {id});
        return q.next() ? q.value(0).toString() + u' ' + q.value(1).toString() : QStringLiteral("gone");
    };
    const QString estatAbans = estat();
    if (resposta >= 0) MsgBox::pushAnswer(MsgBox::Answer(resposta));
    p.factura()->setCurrentCellAt(fila, 6);
    G.AgendaPendent = false;
    QTest::keyClick(p.factura(), Qt::Key(tecla));

    QStringList mostrats = shownTexts();
    if (resposta >= 0) {
        const QString dia = feina == u'D' ? QStringLiteral("05/03/2010") : QStringLiteral("03/03/2010");
        const QString pregunta = tecla == Qt::Key_Space
            ? QStringLiteral("La feina 'Casa' del %1 es va facturar el 06/03/2010 i se'n desfarà la factura. "
                             "Marcar-la com a no feta igualment?").arg(dia)
            : QStringLiteral("Eliminar feina 'Casa' del %1 ?").arg(dia);
        QCOMPARE(mostrats.value(0), pregunta);
        QCOMPARE(MsgBox::shown().first().title, QStringLiteral("CONFIRMACIO"));
        QCOMPARE(MsgBox::shown().first().buttons, MsgBox::YesNo);
        mostrats.removeFirst();
    }
    QCOMPARE(mostrats, missatge.isEmpty() ? QStringList() : QStringList{missatge});
    QCOMPARE(estat(), despres);
    const bool canvi = despres != estatAbans;
    QCOMPARE(G.AgendaPendent, canvi);
    QCOMPARE(G.FeinaActual.Id, 0);
    if (!canvi) QCOMPARE(PaginaFacturacio::fila(p.factura(), fila), abans);
    if (feina == u'D' && canvi)   // shown again as not done and not invoiced
        QCOMPARE(PaginaFacturacio::fila(p.factura(), fila),
                 QStringLiteral("%1|05/03/2010|Casa|Pere|No| |Neteja|1|h|").arg(p.D));
    if (despres == QLatin1String("gone")) QCOMPARE(p.tab->darrerResultat().feines.size(), 3);
}

void TestBillingActions::deletedJobIsNotFound()
{
    PaginaFacturacio p;
    p.tria(0);
    BD().exec(QStringLiteral("DELETE FROM Feines WHERE feines_id = ?"), {p.B});
    G.FeinaActual.Id = 77;
    p.factura()->setCurrentCellAt(3, 6);
    QTest::keyClick(p.factura(), Qt::Key_Down);
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown().last().text, QStringLiteral("Feina no trobada"));
    QCOMPARE(G.FeinaActual.Id, 0);
    QCOMPARE(p.factura()->Row(), 4);   // the key still moves the cursor
}

void TestBillingActions::deletingCheques_data()
{
    QTest::addColumn<int>("client");      // combo index; -1 = all clients
    QTest::addColumn<int>("fila");
    QTest::addColumn<int>("resposta");    // -1 = nothing asked
    QTest::addColumn<QString>("queden");  // cheques left
    QTest::newRow("matched only: no question") << 0 << 2 << -1 << "1";
    QTest::newRow("liquidated, kept") << 0 << 1 << int(MsgBox::No) << "1 2";
    QTest::newRow("liquidated, deleted") << 0 << 1 << int(MsgBox::Yes) << "2";
    QTest::newRow("all clients' list") << -1 << 1 << int(MsgBox::Yes) << "2";
    QTest::newRow("header row") << 0 << 0 << -1 << "1 2";
    QTest::newRow("the empty grid") << 1 << 1 << -1 << "1 2";
}

void TestBillingActions::deletingCheques()
{
    QFETCH(int, client);
    QFETCH(int, fila);
    QFETCH(int, resposta);
    QFETCH(QString, queden);
    PaginaFacturacio p;
    p.tria(client);
    if (resposta >= 0) MsgBox::pushAnswer(MsgBox::Answer(resposta));
    p.xecs()->setCurrentCellAt(fila, 2);
    QTest::keyClick(p.xecs(), Qt::Key_Delete);
    QCOMPARE(BD().scalar(QStringLiteral("SELECT group_concat(xecs_id, ' ') FROM (SELECT xecs_id FROM Xecs ORDER BY 1)"))
                 .toString(),
             queden);
    if (resposta >= 0) {
        QCOMPARE(MsgBox::shown().first().text, QStringLiteral("El xec està liquidat. Eliminar igualment?"));
        QCOMPARE(MsgBox::shown().first().title, QStringLiteral("CONFIRMACIO"));
    } else {
        QVERIFY(MsgBox::shown().isEmpty());
    }
    // The grid follows what is stored.
    QStringList llistats;
    for (const XecMes& x : p.tab->darrerResultat().xecs) llistats << QString::number(x.id);
    if (client == 0) QCOMPARE(llistats.join(u' '), queden);
}

QTEST_MAIN(TestBillingActions)
#include "TestBillingActions.moc"
