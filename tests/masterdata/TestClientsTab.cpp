// The client editor of the "Clients" tab, driven through its controls.
#include "Finestra.h"
#include "Globals.h"
#include "Principal.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

using namespace TestSupport;

class TestClientsTab : public SeamedTest {
    Q_OBJECT

private:
    static QVariant valor(const QString& sql, const QVariantList& p = {}) { return BD().scalar(sql, p); }

private slots:
    void cleanup()
    {
        Principal() = {};
        SeamedTest::cleanup();
    }

    void fillShowsFirstClientAndLeavesBillingComboUnselected()
    {
        Finestra f;
        addClient(QStringLiteral("Berta"));
        addClient(QStringLiteral("Anna"));
        addSite(QStringLiteral("Casa Anna"), QStringLiteral("Anna"));
        G.FacturacioPendent = false;
        f.omple();
        QCOMPARE(f.items("ClientsLlista"), (QStringList{QStringLiteral("Anna"), QStringLiteral("Berta")}));
        QCOMPARE(f.items("ClientsCombo"), (QStringList{QStringLiteral("Anna"), QStringLiteral("Berta")}));
        QCOMPARE(f.clientsCombo->currentIndex(), -1);
        QCOMPARE(f.text("NomClient"), QStringLiteral("Anna"));
        QCOMPARE(f.text("NomClientANT"), QStringLiteral("Anna"));
        QCOMPARE(f.items("LlocsLlista"), QStringList{QStringLiteral("Casa Anna")});
        QCOMPARE(f.text("NomLloc"), QStringLiteral("Casa Anna"));
        QVERIFY(G.FacturacioPendent);
        // Choosing from code shows the client as a click does.
        f.clients->seleccionaClient(1);
        QCOMPARE(f.text("NomClient"), QStringLiteral("Berta"));
        QVERIFY(f.items("LlocsLlista").isEmpty());
        QVERIFY(f.c<QListWidget>("LlocsLlista")->isEnabled());
        // The board's sites palette shows a site with its client.
        QVERIFY(f.clients->mostraLloc(QStringLiteral("casa anna")));
        QCOMPARE(f.text("NomClient"), QStringLiteral("Anna"));
        QCOMPARE(f.text("NomLloc"), QStringLiteral("Casa Anna"));
    }

    void blankNameDoesNothing_data()
    {
        QTest::addColumn<QString>("boto");
        QTest::newRow("add") << "AfegirClient";
        QTest::newRow("change") << "ModificarClient";
        QTest::newRow("delete") << "EliminarClient";
    }

    void blankNameDoesNothing()
    {
        QFETCH(QString, boto);
        Finestra f;
        addClient(QStringLiteral("Anna"));
        f.omple();
        f.type("NomClient", QStringLiteral("   "));
        f.click(boto.toLatin1().constData());
        QVERIFY(missatges().isEmpty());
        QCOMPARE(f.text("NomClient"), QString());
        QCOMPARE(valor(QStringLiteral("SELECT group_concat(clients_nom) FROM Clients")).toString(), QStringLiteral("Anna"));
    }

    void addStoresTheMomentAndRefusesAnExistingName()
    {
        Finestra f;
        addClient(QStringLiteral("Anna"));
        f.omple();
        f.type("NomClient", QStringLiteral("  Zoe "));
        f.type("NIFClient", QStringLiteral("B123"));
        f.c<QCheckBox>("XecsClient")->setChecked(true);
        f.click("AfegirClient");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT clients_data_alta FROM Clients WHERE clients_nom='Zoe'")).toString(),
                 QStringLiteral("2010-03-10 09:00:00"));
        QCOMPARE(valor(QStringLiteral("SELECT clients_xecs FROM Clients WHERE clients_nom='Zoe'")).toInt(), 1);
        QCOMPARE(f.text("NomClient"), QStringLiteral("Anna"));
        f.clients->seleccionaClient(1);
        QCOMPARE(f.text("DataAltaClient"), QStringLiteral("10/03/2010 09:00:00"));
        f.type("NomClient", QStringLiteral("ANNA"));
        f.click("AfegirClient");
        QCOMPARE(missatges(), QStringList{QStringLiteral("El client ja existeix")});
        QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Clients")).toInt(), 2);
    }

    void changeKeepsTheStoredRegistrationDate()
    {
        Finestra f;
        BD().exec(QStringLiteral("INSERT INTO Clients (clients_nom, clients_data_alta) VALUES ('Anna', '1928-05-04 10:11:12')"));
        f.omple();
        QCOMPARE(f.text("DataAltaClient"), QStringLiteral("04/05/1928 10:11:12"));
        f.type("DataAltaClient", QString());
        f.type("NIFClient", QStringLiteral("X1"));
        f.click("ModificarClient");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(valor(QStringLiteral("SELECT clients_data_alta FROM Clients")).toString(), QStringLiteral("1928-05-04 10:11:12"));
        QCOMPARE(valor(QStringLiteral("SELECT \"clients_NIF\" FROM Clients")).toString(), QStringLiteral("X1"));
    }

    void renameReachesSitesChequesAndPayments()
    {
        Finestra f;
        addClient(QStringLiteral("L'Avi"), true);
        addSite(QStringLiteral("Ca l'Avi"), QStringLiteral("L'Avi"));
        BD().exec(QStringLiteral("INSERT INTO Xecs (xecs_id, clients_nom) VALUES (5, ?)"), {QStringLiteral("L'Avi")});
        BD().exec(QStringLiteral("INSERT INTO Pagaments (pagaments_mes, clients_nom, pagaments_import) VALUES ('03/2010', ?, 1)"),
                  {QStringLiteral("L'Avi")});
        f.omple();
        f.type("NomClient", QStringLiteral("L'Àvia"));
        f.click("ModificarClient");
        QVERIFY(missatges().isEmpty());
        QCOMPARE(f.items("ClientsLlista"), QStringList{QStringLiteral("L'Àvia")});
        for (const char* t : {"Clients", "Llocs", "Xecs", "Pagaments"})
            QCOMPARE(valor(QStringLiteral("SELECT clients_nom FROM %1").arg(QLatin1String(t))).toString(), QStringLiteral("L'Àvia"));
        QCOMPARE(f.items("LlocsLlista"), QStringList{QStringLiteral("Ca l'Avi")});
    }

    void renameToANameInUseIsRefused()
    {
        Finestra f;
        addClient(QStringLiteral("Anna"));
        addClient(QStringLiteral("Berta"));
        addSite(QStringLiteral("Casa"), QStringLiteral("Anna"));
        f.omple();
        f.type("NomClient", QStringLiteral("berta"));
        f.click("ModificarClient");
        QCOMPARE(missatges(), QStringList{QStringLiteral("El client ja existeix")});
        QCOMPARE(valor(QStringLiteral("SELECT clients_nom FROM Llocs")).toString(), QStringLiteral("Anna"));
        QCOMPARE(f.text("NomClient"), QStringLiteral("berta"));
    }

    void chequeMarkAndQuotaSitesExclude_data()
    {
        QTest::addColumn<bool>("quota");
        QTest::addColumn<bool>("xecs");
        QTest::addColumn<QString>("missatge");
        QTest::newRow("quota site, ticked") << true << true << "El client té llocs amb quota. No pot tenir xecs";
        QTest::newRow("quota site, unticked") << true << false << "";
        QTest::newRow("no quota, ticked") << false << true << "";
    }

    void chequeMarkAndQuotaSitesExclude()
    {
        QFETCH(bool, quota);
        QFETCH(bool, xecs);
        QFETCH(QString, missatge);
        Finestra f;
        addClient(QStringLiteral("Anna"));
        addSite(QStringLiteral("Casa"), QStringLiteral("Anna"));
        if (quota) BD().exec(QStringLiteral("UPDATE Llocs SET llocs_quota = 500000"));
        f.omple();
        f.c<QCheckBox>("XecsClient")->setChecked(xecs);
        f.click("ModificarClient");
        QCOMPARE(missatges().join(u'|'), missatge);
        QCOMPARE(valor(QStringLiteral("SELECT clients_xecs FROM Clients")).toInt(), missatge.isEmpty() && xecs ? 1 : 0);
    }

    void deleteWithDependantsIsRefused()
    {
        Finestra f;
        addClient(QStringLiteral("Anna"));
        addSite(QStringLiteral("Casa"), QStringLiteral("Anna"));
        f.omple();
        f.click("EliminarClient");
        QCOMPARE(missatges(), QStringList{QStringLiteral("No es pot eliminar el client. Hi fan referència: llocs del client")});
        QCOMPARE(valor(QStringLiteral("SELECT count(*) FROM Clients")).toInt(), 1);
    }

    void deleteRemovesTheNamedClientAndLocksWhenNoneLeft()
    {
        Finestra f;
        int palette = 0;
        Principal().Omple_Graella_Llocs = [&] { ++palette; };
        addClient(QStringLiteral("Anna"));
        addClient(QStringLiteral("Berta"));
        f.omple();
        f.type("NomClient", QStringLiteral("Berta"));
        f.click("EliminarClient");
        QCOMPARE(f.items("ClientsLlista"), QStringList{QStringLiteral("Anna")});
        QCOMPARE(palette, 1);
        f.click("EliminarClient");
        f.type("NomClient", QStringLiteral("Anna"));
        f.click("EliminarClient");
        QCOMPARE(missatges(), QStringList{QStringLiteral("El client no existeix")});
        QVERIFY(f.items("ClientsLlista").isEmpty());
        for (const char* name : {"LlocsLlista", "ServeisLlocLlista", "XecsLlista"})
            QVERIFY2(!f.c<QListWidget>(name)->isEnabled(), name);
        for (const char* name : {"AfegirLloc", "AfegirServeiLloc", "AfegirXec"})
            QVERIFY2(!f.c<QPushButton>(name)->isEnabled(), name);
        QVERIFY(f.c<QLineEdit>("NomLloc")->isReadOnly());
    }

    void unexpectedFailureShowsErrorAndEscapesNothing_data()
    {
        QTest::addColumn<QString>("boto");
        QTest::addColumn<QString>("titol");
        QTest::newRow("add") << "AfegirClient" << "ERROR";
        QTest::newRow("change") << "ModificarClient" << "";
    }

    void unexpectedFailureShowsErrorAndEscapesNothing()
    {
        QFETCH(QString, boto);
        QFETCH(QString, titol);
        Finestra f;
        addClient(QStringLiteral("Anna"));
        BD().exec(QStringLiteral("CREATE TRIGGER ple BEFORE INSERT ON Clients BEGIN SELECT RAISE(ABORT, 'disc ple'); END"));
        BD().exec(QStringLiteral("CREATE TRIGGER ple2 BEFORE UPDATE ON Clients BEGIN SELECT RAISE(ABORT, 'disc ple'); END"));
        f.omple();
        f.type("NomClient", QStringLiteral("Zoe"));
        f.click(boto.toLatin1().constData());
        QCOMPARE(MsgBox::shown().size(), 1);
        QVERIFY2(MsgBox::shown()[0].text.startsWith(QStringLiteral("Error:")), qPrintable(MsgBox::shown()[0].text));
        QVERIFY(MsgBox::shown()[0].text.contains(QStringLiteral("disc ple")));
        QCOMPARE(MsgBox::shown()[0].title, titol);
    }
};

QTEST_MAIN(TestClientsTab)
#include "TestClientsTab.moc"
