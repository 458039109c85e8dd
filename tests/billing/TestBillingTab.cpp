// The billing tab: month, client and mode, pending box, payments (stored
// on every way out of their box), failures.
#include "Consultes.h"
#include "Database.h"
#include "TabFixture.h"
#include "frmMain.h"

#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

using namespace TestSupport;

namespace {

// The main window shown on the billing tab (nullptr when it never showed).
frmMain* obreFacturacio()
{
    auto* w = new frmMain;
    G.frmPrincipal = w;
    w->Form_Load();
    w->show();
    if (!QTest::qWaitForWindowExposed(w)) {
        w->close();
        return nullptr;
    }
    w->activateWindow();
    w->findChild<QTabBar*>(QStringLiteral("Pestanyes"))->setCurrentIndex(1);
    return w;
}

} // namespace

class TestBillingTab : public SeamedTest {
    Q_OBJECT
private slots:
    void monthValidation_data();
    void monthValidation();
    void recomputesOnlyWhenTheMonthChanges();
    void clientChoiceComputesAndSwitchesMode();
    void refillingTheClientsIsNoChoice();
    void paymentsShowStoreAndDelete();
    void totalsShowEveryDigit();
    void failureLeavesTheGridsAsTheyWere_data();
    void failureLeavesTheGridsAsTheyWere();
    void refusedMonthKeepsTheBillingTab();
    void typedPaymentIsStoredOnTheWayOut_data();
    void typedPaymentIsStoredOnTheWayOut();
};

void TestBillingTab::monthValidation_data()
{
    QTest::addColumn<QString>("tecleig");
    QTest::addColumn<QString>("mostrat");   // "" = refused
    QTest::newRow("blanks trimmed") << "  03/2009 " << "03/2009";
    QTest::newRow("December") << "12/2009" << "12/2009";
    for (const char* dolent : {"3/2009", "13/2009", "00/2009", "03-2009", "03/20x9"}) QTest::newRow(dolent) << dolent << "";
}

void TestBillingTab::monthValidation()
{
    QFETCH(QString, tecleig);
    QFETCH(QString, mostrat);
    PaginaFacturacio p;
    QSignalSpy reten(p.tab, &TabFacturacio::retenPestanya);
    p.tria(0);
    G.FacturacioPendent = true;
    p.c<QLineEdit>("mesFactura")->setText(tecleig);
    p.tab->mesFactura_LostFocus();
    QCoreApplication::processEvents();
    if (mostrat.isEmpty()) {
        QCOMPARE(MsgBox::shown().size(), 1);
        QCOMPARE(MsgBox::shown().last().text, QStringLiteral("Mes erroni (format: 'mm/aaaa')"));
        QVERIFY(MsgBox::shown().last().title.isEmpty());
        QCOMPARE(reten.count(), 1);
        QVERIFY(G.FacturacioPendent);
        QCOMPARE(p.tab->darrerResultat().mes, QStringLiteral("03/2010"));
    } else {
        QVERIFY(MsgBox::shown().isEmpty());
        QCOMPARE(p.text("mesFactura"), mostrat);
        QVERIFY(!G.FacturacioPendent);
        QCOMPARE(p.tab->darrerResultat().mes, mostrat);
        QCOMPARE(reten.count(), 0);
    }
}

void TestBillingTab::recomputesOnlyWhenTheMonthChanges()
{
    PaginaFacturacio p;
    auto* mes = p.c<QLineEdit>("mesFactura");
    QCOMPARE(mes->text(), QStringLiteral("03/2010"));
    G.FacturacioPendent = true;
    p.tab->mesFactura_LostFocus();   // the first time always
    QVERIFY(!G.FacturacioPendent);
    G.FacturacioPendent = true;
    p.tab->mesFactura_LostFocus();
    QVERIFY(G.FacturacioPendent);
    mes->setText(QStringLiteral("02/2010"));
    p.tab->mesFactura_LostFocus();
    QVERIFY(!G.FacturacioPendent);
    // An empty box takes the board's month, on focus and on leaving.
    G.DataAgenda = QDate(2009, 7, 15);
    mes->clear();
    p.tab->mesFactura_GotFocus();
    QCOMPARE(mes->text(), QStringLiteral("07/2009"));
    mes->setText(QStringLiteral("03/2010"));
    p.tab->mesFactura_GotFocus();
    QCOMPARE(mes->text(), QStringLiteral("03/2010"));
    mes->clear();
    p.tab->mesFactura_LostFocus();
    QCOMPARE(mes->text(), QStringLiteral("07/2009"));
    QCOMPARE(p.tab->darrerResultat().inici, QDate(2009, 7, 1));
}

void TestBillingTab::clientChoiceComputesAndSwitchesMode()
{
    PaginaFacturacio p;
    auto visibles = [&p] {
        QStringList out;
        for (const char* n : {"Label58", "Label59", "TotalServeis", "Label54", "Label55", "TotalFacturar", "Label67",
                              "Label68", "TotalPagaments"})
            if (!p.c<QWidget>(n)->isHidden()) out << QString::fromLatin1(n);
        return out.size();
    };
    auto mode = [&p](bool client) {
        QCOMPARE(p.c<QCheckBox>("PdtFacturar")->isEnabled(), client);
        QCOMPARE(p.c<QLineEdit>("TotalPagaments")->isEnabled(), client);
        QCOMPARE(p.c<QPushButton>("ImprimirHores")->isEnabled(), !client);
        QCOMPARE(p.c<QPushButton>("ImprimirXecs")->isEnabled(), !client);
        QCOMPARE(p.c<QLabel>("Label61")->text(),
                 client ? QStringLiteral("Total xecs assignats:") : QStringLiteral("Total xecs liquidats:"));
        QCOMPARE(p.c<QPushButton>("ImprimirFacturacio")->text(),
                 client ? QStringLiteral("Facturar client") : QStringLiteral("Imprimir dades facturació"));
    };
    mode(false);
    QCOMPARE(visibles(), 0);
    // The captions the tab was designed with.
    for (const auto& [nom, text] : std::initializer_list<std::pair<const char*, const char*>>{
             {"Label51", "Mes:"}, {"Label52", "Client:"}, {"Label53", "Pdt. de facturar:"},
             {"Label59", "Total serveis realitzats:"}, {"Label67", "Total pagaments efectuats:"},
             {"Label54", "TOTAL A PAGAR:"}, {"ImprimirXecs", "Imprimir xecs liquidats"},
             {"ImprimirHores", "Imprimir hores extra"}}) {
        const QWidget* w = p.c<QWidget>(nom);
        const auto* l = qobject_cast<const QLabel*>(w);
        QCOMPARE(l ? l->text() : static_cast<const QPushButton*>(w)->text(), QString::fromUtf8(text));
    }
    p.tria(0);
    mode(true);
    QCOMPARE(visibles(), 9);
    const FacturacioMes& m = p.tab->darrerResultat();
    QCOMPARE(m.client, QStringLiteral("Anna"));
    QCOMPARE(m.files.size(), 9);
    // A 20 - 2 cheques x 5, D 10, C's quota 80.
    QCOMPARE(p.text("TotalServeis"), QStringLiteral("100,00"));
    QCOMPARE(p.text("TotalNXecs"), QStringLiteral("2"));
    QCOMPARE(p.text("TotalXecs"), QStringLiteral("24,00"));
    QCOMPARE(p.text("TotalFacturar"), QStringLiteral("76,00"));
    QCOMPARE(PaginaFacturacio::fila(p.factura(), 1), QStringLiteral("%1|02/03/2010|Casa|Pere|Si| |Hores|2|h|10,00").arg(p.A));

    // Pending only: the invoiced job D goes, and with it its total.
    p.c<QCheckBox>("PdtFacturar")->setChecked(true);
    QCOMPARE(m.files.size(), 7);
    QCOMPARE(p.text("TotalServeis"), QStringLiteral("95,00"));
    QCOMPARE(p.text("TotalNXecs"), QStringLiteral("1"));   // the liquidated cheque is left out
    p.c<QCheckBox>("PdtFacturar")->setChecked(false);

    // Delete in the combo: back to all clients.
    QTest::keyClick(p.tab->clientsCombo(), Qt::Key_Delete);
    QCOMPARE(p.tab->clientsCombo()->currentIndex(), -1);
    mode(false);
    QCOMPARE(visibles(), 0);
    QVERIFY(m.totsClients && m.files.isEmpty());
    QCOMPARE(p.factura()->Rows(), 2);
    QVERIFY(p.text("TotalServeis").isEmpty() && p.text("TotalFacturar").isEmpty());
    QCOMPARE(p.text("TotalNXecs"), QStringLiteral("1"));   // the month's liquidated cheques, all clients
    // The pending box does nothing without a client.
    G.FacturacioPendent = true;
    p.c<QCheckBox>("PdtFacturar")->setChecked(true);
    QVERIFY(G.FacturacioPendent);
}

void TestBillingTab::refillingTheClientsIsNoChoice()
{
    PaginaFacturacio p;
    G.FacturacioPendent = false;
    p.clients->Omple_Clients();   // no client chosen before or after: nothing recomputed
    QVERIFY(G.FacturacioPendent);
    p.tria(1);
    QCOMPARE(p.tab->darrerResultat().client, QStringLiteral("Berta"));
    // The chosen client is lost by a refill: the tab goes back to all clients.
    p.clients->Omple_Clients();
    QVERIFY(!G.FacturacioPendent);
    QVERIFY(p.tab->darrerResultat().totsClients);
    QVERIFY(!p.c<QCheckBox>("PdtFacturar")->isEnabled());
}

void TestBillingTab::paymentsShowStoreAndDelete()
{
    PaginaFacturacio p;
    auto* pagaments = p.c<QLineEdit>("TotalPagaments");
    const QString mes = QStringLiteral("03/2010");
    p.tria(0);
    QVERIFY(pagaments->text().isEmpty());
    auto escriu = [&](const char* text) {
        pagaments->setText(QString::fromLatin1(text));
        p.tab->TotalPagaments_LostFocus();
    };
    escriu("12,5");
    QCOMPARE(pagaments->text(), QStringLiteral("12,50"));
    QCOMPARE(Pagament_Client_Mes(mes, QStringLiteral("Anna")), Decimal::fromRaw(125000));
    QCOMPARE(p.text("TotalFacturar"), QStringLiteral("63,50"));
    QCOMPARE(p.tab->darrerResultat().pagaments, Decimal::fromRaw(125000));
    p.tria(1);
    QVERIFY(pagaments->text().isEmpty());
    p.tria(0);
    QCOMPARE(pagaments->text(), QStringLiteral("12,50"));
    QCOMPARE(p.text("TotalFacturar"), QStringLiteral("63,50"));
    // No number, or one past the limit of every typed amount: refused saying
    // why; the stored payment stays, shows again and counts.
    const QString gran = QStringLiteral("El número és massa gran: "), noNumeric = QStringLiteral("El pagament ha de ser numèric");
    for (const auto& [dolent, refus] : std::initializer_list<std::pair<const char*, QString>>{
             {"10000000", gran + "10000000"}, {"100000000000000", gran + "100000000000000"},
             {"1000000000000000", gran + "1000000000000000"}, {"dotze", noNumeric}, {"1,2,3", noNumeric},
             {"NaN", noNumeric}}) {
        escriu(dolent);
        QCOMPARE(takeShownTexts(), QStringList{refus});
        QCOMPARE(pagaments->text(), QStringLiteral("12,50"));
        QCOMPARE(p.text("TotalFacturar"), QStringLiteral("63,50"));
        QCOMPARE(Pagament_Client_Mes(mes, QStringLiteral("Anna")), Decimal::fromRaw(125000));
    }
    // A text left in the box is no payment: the month counts the stored one.
    pagaments->setText(QStringLiteral("dotze"));
    QVERIFY(p.tab->Calcula_Facturacio_Client());
    QCOMPARE(p.text("TotalFacturar"), QStringLiteral("63,50"));
    QCOMPARE(pagaments->text(), QStringLiteral("12,50"));
    // 0 and an empty box delete the month's row.
    auto files = [] { return BD().scalar(QStringLiteral("SELECT count(*) FROM Pagaments")).toInt(); };
    for (const char* zero : {"0", ""}) {
        escriu("7");
        QCOMPARE(files(), 1);
        escriu(zero);
        QCOMPARE(files(), 0);
        QVERIFY(pagaments->text().isEmpty());
    }
}

// A total as long as a figure gets shows every digit in its box.
void TestBillingTab::totalsShowEveryDigit()
{
    PaginaFacturacio p;
    p.tria(0);
    p.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.w.get()));
    for (const char* nom : {"TotalServeis", "TotalFacturar", "TotalXecs", "TotalPagaments"}) {   // as wide as each other
        auto* box = p.c<QLineEdit>(nom);
        box->setText(QStringLiteral("999.999.999.999.999,99"));
        QVERIFY2(QFontMetrics(box->font()).horizontalAdvance(box->text()) <= box->width() - 8, nom);
        box->setText(QStringLiteral("76,00"));   // a short figure: the box's own font again
        QCOMPARE(box->font().pointSizeF(), p.c<QLabel>("Label59")->font().pointSizeF());
    }
}

void TestBillingTab::failureLeavesTheGridsAsTheyWere_data()
{
    QTest::addColumn<QString>("cas");
    QTest::addColumn<QString>("error");
    QTest::newRow("a table gone") << "taula" << "Error:Unable to fetch row: no such table: Xecs";
    // Two jobs whose amounts together pass the range: no wrapped figure is shown.
    QTest::newRow("amounts past the range") << "imports" << "Error:Desbordament en el càlcul de l'import";
}

void TestBillingTab::failureLeavesTheGridsAsTheyWere()
{
    QFETCH(QString, cas);
    QFETCH(QString, error);
    PaginaFacturacio p;
    p.tria(0);
    const QString abans = PaginaFacturacio::fila(p.factura(), 9);
    const int files = p.factura()->Rows();
    if (cas == QLatin1String("taula")) {
        BD().exec(QStringLiteral("DROP TABLE Xecs"));
        p.c<QLineEdit>("mesFactura")->setText(QStringLiteral("02/2010"));
    } else {
        PaginaFacturacio::feinesMassaGrans();
    }
    G.FacturacioPendent = true;
    QVERIFY(!p.tab->Calcula_Facturacio_Client());
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown().last().text, error);
    QVERIFY(MsgBox::shown().last().title.isEmpty());
    QCOMPARE(p.factura()->Rows(), files);
    QCOMPARE(PaginaFacturacio::fila(p.factura(), 9), abans);
    QCOMPARE(p.text("TotalServeis"), QStringLiteral("100,00"));
    QCOMPARE(p.tab->darrerResultat().mes, QStringLiteral("03/2010"));
    QVERIFY(G.FacturacioPendent);
}

// In the main window: a refused month holds the billing tab even when a
// click on another tab took the focus away.
void TestBillingTab::refusedMonthKeepsTheBillingTab()
{
    ProgramFolder pf;
    pf.writeIni(QStringLiteral("[Parametres]\nPrimeraExecucio=0\n"));
    pf.start();
    frmMain* w = obreFacturacio();
    QVERIFY(w);
    QPointer<frmMain> guard(w);
    auto* tabs = w->findChild<QTabBar*>(QStringLiteral("Pestanyes"));
    auto* mes = w->findChild<QLineEdit*>(QStringLiteral("mesFactura"));
    mes->setFocus();
    QTRY_VERIFY(mes->hasFocus());
    mes->setText(QStringLiteral("13/2009"));
    tabs->setCurrentIndex(2);
    QTRY_COMPARE(w->PestanyaActual(), 2);
    QCOMPARE(tabs->currentIndex(), 1);
    QTRY_VERIFY(mes->hasFocus());
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown().last().text, QStringLiteral("Mes erroni (format: 'mm/aaaa')"));
    w->close();
}

void TestBillingTab::typedPaymentIsStoredOnTheWayOut_data()
{
    QTest::addColumn<QString>("cami");      // how the payment box is left
    QTest::addColumn<QString>("tecleig");
    QTest::addColumn<QString>("desat");     // Anna's March payment stored afterwards, and the part invoiced
    QTest::newRow("the window closes") << "tanca" << "40" << "400000 0";
    QTest::newRow("another tab") << "pestanya" << "40" << "400000 0";
    QTest::newRow("another client") << "client" << "40" << "400000 0";
    QTest::newRow("another month") << "mes" << "40" << "400000 0";
    QTest::newRow("Facturar client: the invoice takes it") << "factura" << "40" << "400000 400000";
    QTest::newRow("no number, the window closes: said once, the stored one stays") << "tanca" << "quaranta"
                                                                                    << "250000 0";
}

// In the main window: a payment typed over a stored one is stored whichever
// way the box is left, with no focus change first.
void TestBillingTab::typedPaymentIsStoredOnTheWayOut()
{
    QFETCH(QString, cami);
    QFETCH(QString, tecleig);
    QFETCH(QString, desat);
    ProgramFolder pf;
    pf.writeIni(QStringLiteral("[Parametres]\nPrimeraExecucio=0\n"));
    pf.start();
    addClient("Anna");
    addClient("Berta");
    Grava_Import_Pagament(QStringLiteral("03/2010"), QStringLiteral("Anna"), Decimal::fromInt(25));
    frmMain* w = obreFacturacio();
    QVERIFY(w);
    QPointer<frmMain> guard(w);
    auto* tabs = w->findChild<QTabBar*>(QStringLiteral("Pestanyes"));
    auto* clients = w->findChild<QComboBox*>(QStringLiteral("ClientsCombo"));
    clients->setCurrentIndex(0);
    auto* pagaments = w->findChild<QLineEdit*>(QStringLiteral("TotalPagaments"));
    QCOMPARE(pagaments->text(), QStringLiteral("25,00"));
    pagaments->setFocus();
    QTRY_VERIFY(pagaments->hasFocus());
    pagaments->selectAll();
    QTest::keyClicks(pagaments, tecleig);
    if (cami == QLatin1String("pestanya")) {
        tabs->setCurrentIndex(2);
    } else if (cami == QLatin1String("client")) {
        clients->setCurrentIndex(1);
        QVERIFY(pagaments->text().isEmpty());   // Berta's
    } else if (cami == QLatin1String("mes")) {
        w->findChild<QLineEdit*>(QStringLiteral("mesFactura"))->setText(QStringLiteral("04/2010"));
        w->tabFacturacio()->mesFactura_LostFocus();
    } else if (cami == QLatin1String("factura")) {
        w->findChild<QPushButton*>(QStringLiteral("ImprimirFacturacio"))->click();
    }
    w->close();   // stores nothing a second time
    QVERIFY(!G.BD);
    QCOMPARE(shownTexts(), desat.startsWith(u'4') ? QStringList() : QStringList{"El pagament ha de ser numèric"});
    const auto db = Db::openExisting(defaultDatabasePath());
    QCOMPARE(db->scalar(QStringLiteral("SELECT group_concat(pagaments_import || ' ' || pagaments_facturat) FROM Pagaments "
                                       "WHERE pagaments_mes = '03/2010' AND clients_nom = 'Anna'")).toString(),
             desat);
}

QTEST_MAIN(TestBillingTab)
#include "TestBillingTab.moc"
