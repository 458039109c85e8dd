// The cheques of the shown client on the "Clients" tab.
#include "Finestra.h"
#include "Globals.h"

using namespace TestSupport;

class TestChequesTab : public SeamedTest {
    Q_OBJECT

private:
    static QVariant valor(const QString& sql, const QVariantList& p = {}) { return BD().scalar(sql, p); }
    static void xec(int id, const QString& client, const QString& liquidat = QString(), const QVariant& feina = QVariant())
    {
        BD().exec(QStringLiteral("INSERT INTO Xecs (xecs_id, clients_nom, xecs_valor, xecs_data_entrega, xecs_data_liquidat, "
                                 "feines_id) VALUES (?, ?, 150000, '2010-01-15', ?, ?)"),
                  {id, client, liquidat.isEmpty() ? QVariant() : QVariant(liquidat), feina});
    }

    // "Anna" pays with cheques (1207 settled, 1208 and 5 unused); "Berta" has cheque 1300.
    static int dades()
    {
        addClient(QStringLiteral("Anna"), true);
        addClient(QStringLiteral("Berta"), true);
        addSite(QStringLiteral("Casa"), QStringLiteral("Anna"));
        const int feina = addJob(QStringLiteral("Casa"), QDate(2010, 2, 28), QStringLiteral("08:00"), QStringLiteral("09:00"));
        xec(1207, QStringLiteral("Anna"), QStringLiteral("2010-02-28"), feina);
        xec(1208, QStringLiteral("Anna"));
        xec(5, QStringLiteral("Anna"));
        xec(1300, QStringLiteral("Berta"));
        return feina;
    }

private slots:
    void listShowsHighestFirstAndEachItemGivesItsOwnCheque()
    {
        Finestra f;
        const int feina = dades();
        f.omple();
        const QString cua(13, QLatin1Char(' '));
        QCOMPARE(f.items("XecsLlista"), (QStringList{QStringLiteral("1208") + cua, QStringLiteral("1207 * 28/02/2010"),
                                                     QStringLiteral("5") + cua}));
        QCOMPARE(f.text("ValorXec"), QStringLiteral("0"));
        const QList<int> ids{1208, 1207, 5};
        for (int i = 0; i < 3; ++i) {
            f.clients->seleccionaXec(i);
            QCOMPARE(f.text("IdXec"), QString::number(ids[i]));
        }
        f.clients->seleccionaXec(1);
        QCOMPARE(f.text("ValorXec"), QStringLiteral("15"));
        QCOMPARE(f.text("DataEntregaXec"), QStringLiteral("15/01/2010"));
        QCOMPARE(f.text("DataLiquidatXec"), QStringLiteral("28/02/2010"));
        QCOMPARE(f.text("IdFeinaXec"), QString::number(feina));
        // The dates and the job are the program's to fill: typing changes nothing.
        for (const char* nom : {"DataEntregaXec", "DataLiquidatXec", "IdFeinaXec"}) {
            auto* box = f.c<QLineEdit>(nom);
            const QString abans = box->text();
            QTest::keyClicks(box, QStringLiteral("01/12/2026"));
            QCOMPARE(box->text(), abans);
            QVERIFY(box->isReadOnly() && box->focusPolicy() == Qt::NoFocus);
        }
    }

    void editorIsLockedForAClientWithoutCheques()
    {
        Finestra f;
        addClient(QStringLiteral("Anna"));
        f.omple();
        QVERIFY(!f.c<QListWidget>("XecsLlista")->isEnabled());
        QVERIFY(!f.c<QPushButton>("AfegirXec")->isEnabled());
        QVERIFY(f.c<QLineEdit>("IdXec")->isReadOnly());
    }

    void addChecksNumberAndValue_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("import");
        QTest::addColumn<QString>("missatge");
        QTest::addColumn<QString>("idDespres");
        QTest::newRow("padded number stored plainly") << "  0012 " << "12,5" << "" << "";
        QTest::newRow("value kept to the cent, halves to even") << "12" << "12,495" << "" << "";
        QTest::newRow("existing number") << "1208" << "1" << "El xec ja existeix" << "1208";
        QTest::newRow("another client's number") << "1300" << "1" << "El xec ja existeix" << "1300";
        QTest::newRow("letters") << "x1" << "1" << "El Id. del xec ha de ser numèric" << "x1";
        QTest::newRow("too large") << "99999999999" << "1" << "El número és massa gran: 99999999999" << "99999999999";
        QTest::newRow("no value") << "13" << "" << "Cal informar el valor del xec" << "13";
        QTest::newRow("value not numeric") << "13" << "deu" << "Cal informar el valor del xec" << "13";
        QTest::newRow("negative number") << "-5" << "1" << "El número del xec no pot ser negatiu" << "-5";
        QTest::newRow("value beyond the limit") << "13" << "99999999999" << "El número és massa gran: 99999999999" << "13";
    }

    void addChecksNumberAndValue()
    {
        QFETCH(QString, id);
        QFETCH(QString, import);
        QFETCH(QString, missatge);
        QFETCH(QString, idDespres);
        Finestra f;
        dades();
        f.omple();
        G.FacturacioPendent = false;
        f.type("IdXec", id);
        f.type("ValorXec", import);
        f.click("AfegirXec");
        QCOMPARE(missatges().join(u'|'), missatge);
        QCOMPARE(f.text("IdXec"), idDespres);
        QCOMPARE(G.FacturacioPendent, missatge.isEmpty());
        if (missatge.isEmpty()) {
            QCOMPARE(valor(QStringLiteral("SELECT clients_nom FROM Xecs WHERE xecs_id = 12")).toString(), QStringLiteral("Anna"));
            QCOMPARE(valor(QStringLiteral("SELECT xecs_valor FROM Xecs WHERE xecs_id = 12")).toLongLong(), 125000);
            QCOMPARE(valor(QStringLiteral("SELECT xecs_data_entrega FROM Xecs WHERE xecs_id = 12")).toString(),
                     QStringLiteral("2010-03-10"));
            QCOMPARE(f.items("XecsLlista").size(), 4);
        }
    }

    void changeAndDeleteReachOnlyTheShownClientsCheques()
    {
        Finestra f;
        dades();
        f.omple();
        f.type("IdXec", QStringLiteral("1300"));
        f.type("ValorXec", QStringLiteral("99"));
        f.click("ModificarXec");
        f.type("IdXec", QStringLiteral("1300"));
        f.click("EliminarXec");
        f.type("IdXec", QStringLiteral("1300 OR 1=1"));
        f.click("EliminarXec");
        QCOMPARE(missatges(), (QStringList{QStringLiteral("El xec no existeix"), QStringLiteral("El xec no existeix"),
                                           QStringLiteral("El Id. del xec ha de ser numèric")}));
        QCOMPARE(valor(QStringLiteral("SELECT xecs_valor FROM Xecs WHERE xecs_id = 1300")).toLongLong(), 150000);
        QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Xecs")).toInt(), 4);

        f.clients->seleccionaXec(0);
        f.type("ValorXec", QStringLiteral("20"));
        f.click("ModificarXec");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT xecs_valor FROM Xecs WHERE xecs_id = 1208")).toLongLong(), 200000);
        QCOMPARE(f.text("IdXec"), QString());
        QCOMPARE(f.c<QListWidget>("XecsLlista")->currentRow(), -1);
    }

    void deletingASettledChequeAsksFirst()
    {
        Finestra f;
        dades();
        f.omple();
        f.clients->seleccionaXec(1);
        MsgBox::pushAnswer(MsgBox::No);
        f.click("EliminarXec");
        QCOMPARE(MsgBox::shown().size(), 1);
        QCOMPARE(MsgBox::shown()[0].text, QStringLiteral("El xec està liquidat. Eliminar igualment?"));
        QCOMPARE(MsgBox::shown()[0].title, QStringLiteral("CONFIRMACIO"));
        MsgBox::clear();
        QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Xecs WHERE xecs_id = 1207")).toInt(), 1);
        MsgBox::pushAnswer(MsgBox::Yes);
        f.click("EliminarXec");
        MsgBox::clear();
        QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Xecs WHERE xecs_id = 1207")).toInt(), 0);
        f.clients->seleccionaXec(0);
        f.click("EliminarXec");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(f.items("XecsLlista").size(), 1);
    }
};

QTEST_MAIN(TestChequesTab)
#include "TestChequesTab.moc"
