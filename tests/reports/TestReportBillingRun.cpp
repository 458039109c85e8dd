// The billing run over all clients: the printed summary, the log, each
// client computed once, the tab given back on every end, long blocks; the
// tab's buttons for the month's cheques and extra hours; and one job's
// amount the same on every screen and paper.
#include "Consultes.h"
#include "Feines.h"
#include "PdfFixtures.h"
#include "Registre.h"
#include "SortidaImpressio.h"
#include "TabFixture.h"
#include "frmFeines.h"
#include "frmMissatges.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTest>
#include <functional>

using namespace TestSupport;
using namespace PdfFixtures;

namespace {

// A client with a site billed by a quota of 50 and one done job there.
void clientAmbQuota(const QString& nom)
{
    addClient(nom);
    addSite("Terrat", nom);
    BD().exec(QStringLiteral("UPDATE Llocs SET llocs_quota = 500000 WHERE llocs_nom = 'Terrat'"));
    addJobLine(addJob("Terrat", QDate(2010, 3, 8), "09:00", "10:00", "Pere", true), "Neteja");
}

Decimal import(const QString& text)
{
    return *Decimal::parse(QString(text).remove(u'.'));
}

// Every row of both grids.
QStringList graelles(const PaginaFacturacio& p)
{
    QStringList files;
    for (const Graella* g : {p.factura(), p.xecs()})
        for (int r = 0; r < g->Rows(); ++r) files << PaginaFacturacio::fila(g, r);
    return files;
}

// Passes the log on to the log window and looks at the tab at every line
// (before the line is passed on).
struct EspiaRegistre : RegistreSink {
    RegistreSink* seguent = Registre_Missatges::sink();
    std::function<void(const QString&)> mira;
    EspiaRegistre() { Registre_Missatges::setSink(this); }
    ~EspiaRegistre() override { Registre_Missatges::setSink(seguent); }
    void comenca(const QString& titol) override
    {
        if (seguent) seguent->comenca(titol);
    }
    void afegeix(const QString& text) override
    {
        mira(text);
        if (seguent) seguent->afegeix(text);
    }
    void acaba() override
    {
        if (seguent) seguent->acaba();
    }
};

} // namespace

class TestReportBillingRun : public SeamedTest {
    Q_OBJECT
private slots:
    void cleanup()
    {
        frmMissatges::descarrega();
        SeamedTest::cleanup();
    }
    void summary_data();
    void summary();
    void eachClientIsComputedOnce();
    void tabRestoredOnEveryEnd_data();
    void tabRestoredOnEveryEnd();
    void longBlockBreaksBeforeTheFoot();
    void monthReportButtons_data();
    void monthReportButtons();
    void oneJobCostsTheSameEverywhere();
};

void TestReportBillingRun::summary_data()
{
    QTest::addColumn<QString>("cas");
    QTest::addColumn<QString>("mes");
    QTest::addColumn<QStringList>("hiSon");   // in this order
    QTest::addColumn<QStringList>("log");     // in this order
    // Anna: her services by name, her site's quota, the two listed cheques;
    // Berta, with nothing, leaves no trace on paper.
    QTest::newRow("the running month ends today")
        << "" << "03/2010"
        << QStringList{"RESUM FACTURACIÓ del mes: MARÇ 2010 ( 01/03/2010 - 10/03/2010 )",
                       "Client Servei/Lloc", "Import ANNA Hores 2 h 10,00 €", "Neteja 1 h 10,00 €",
                       "Pis 1 Quota mes 80,00 €", "Hores 2 Xecs -24,00 €", "Total: 76,00 €", "TOTAL MES: 76,00 €"}
        << QStringList{"Iniciant càlcul periode: 01/03/2010 - 10/03/2010 ...", "Calculant client: Anna",
                       "Calculant client: Berta", "2 clients processats.", "FINALITZACIO CORRECTA!!!"};
    QTest::newRow("a client with only a quota")
        << "quota" << "03/2010"
        << QStringList{"Total: 76,00 €", "CARLA Terrat 1 Quota mes 50,00 €", "Total: 50,00 €",
                       "TOTAL MES: 126,00 €"}
        << QStringList{"Calculant client: Carla", "3 clients processats."};
    QTest::newRow("December, a month gone by")
        << "" << "12/2009" << QStringList{"DES. 2009 ( 01/12/2009 - 31/12/2009 )", "TOTAL MES: 0,00 €"}
        << QStringList{"Iniciant càlcul periode: 01/12/2009 - 31/12/2009 ...", "2 clients processats."};
    QTest::newRow("no clients") << "buit" << "03/2010" << QStringList{"Import TOTAL MES: 0,00 € pàg. 1"}
                                << QStringList{"0 clients processats.", "FINALITZACIO CORRECTA!!!"};
}

void TestReportBillingRun::summary()
{
    QFETCH(QString, cas);
    QFETCH(QString, mes);
    QFETCH(QStringList, hiSon);
    QFETCH(QStringList, log);
    CarpetaPdf carpeta;
    PaginaFacturacio p;
    if (cas == QLatin1String("quota")) {
        clientAmbQuota(QStringLiteral("Carla"));
        p.clients->Omple_Clients();
    }
    if (cas == QLatin1String("buit")) p.tab->clientsCombo()->clear();
    p.c<QLineEdit>("mesFactura")->setText(mes);
    p.facturar();
    QVERIFY(MsgBox::shown().isEmpty());
    const QString t = text(carpeta.unic()).simplified();
    QCOMPARE(falta(t, hiSon), QString());
    QVERIFY(!t.contains(QStringLiteral("BERTA")));
    QCOMPARE(falta(Registre_Missatges::text(), log), QString());
    // The month's total is the sum of the printed client totals.
    Decimal suma;
    static const QRegularExpression total(QStringLiteral("Total: ([-\\d.,]+) €"));
    for (auto it = total.globalMatch(t); it.hasNext();) suma += import(it.next().captured(1));
    static const QRegularExpression totalMes(QStringLiteral("TOTAL MES: ([-\\d.,]+) €"));
    QCOMPARE(import(totalMes.match(t).captured(1)), suma);
}

// Choosing a client computes its month; the run computes nothing more.
void TestReportBillingRun::eachClientIsComputedOnce()
{
    CarpetaPdf carpeta;
    PaginaFacturacio p;
    const auto sentencies = [&] {
        const qint64 abans = BD().statementsRun();
        p.facturar();
        return BD().statementsRun() - abans;
    };
    const qint64 dos = sentencies();
    for (const char* nom : {"Ciri", "Dora", "Eloi"}) addClient(QString::fromLatin1(nom));
    p.clients->Omple_Clients();
    // Per client: its payment, its lines, its cheques, the services.
    QCOMPARE(sentencies() - dos, 3 * 4);
}

void TestReportBillingRun::tabRestoredOnEveryEnd_data()
{
    QTest::addColumn<QString>("cas");
    QTest::addColumn<QString>("error");   // what the "Error:" box tells; "" = none
    QTest::addColumn<int>("documents");
    // A summary cut short by its error is not kept: no file, nothing told of
    // it, nothing shown.
    QTest::newRow("normal end") << "" << "" << 1;
    QTest::newRow("a month that is no month") << "mes" << "Mes erroni (format: 'mm/aaaa')" << 0;
    QTest::newRow("the services cannot be read") << "serveis" << "no such table: Serveis" << 0;
    QTest::newRow("a client's month cannot be computed") << "llocs" << "no such table: Llocs" << 0;
    QTest::newRow("a client's amounts past the range") << "imports" << "Desbordament en el càlcul de l'import" << 0;
    QTest::newRow("the database fails after the first client")
        << "segon" << "database disk image is malformed" << 0;
}

void TestReportBillingRun::tabRestoredOnEveryEnd()
{
    QFETCH(QString, cas);
    QFETCH(QString, error);
    QFETCH(int, documents);
    CarpetaPdf carpeta;
    PaginaFacturacio p;
    frmMissatges* log = frmMissatges::carrega();
    if (cas == QLatin1String("mes")) p.c<QLineEdit>("mesFactura")->setText(QStringLiteral("13/2010"));
    if (cas == QLatin1String("serveis")) BD().exec(QStringLiteral("ALTER TABLE Serveis RENAME TO Serveis_"));
    if (cas == QLatin1String("llocs")) BD().exec(QStringLiteral("ALTER TABLE Llocs RENAME TO Llocs_"));
    if (cas == QLatin1String("imports"))
        PaginaFacturacio::feinesMassaGrans();
    // The grids are not written with each client's month: they keep the
    // month of all clients through the run and show it again at its end.
    const QStringList totsClients = graelles(p);
    QStringList durant;
    {
        EspiaRegistre espia;
        espia.mira = [&](const QString& linia) {
            if (graelles(p) != totsClients) durant = graelles(p);
            // Anna's block is printed when the second client is logged.
            if (cas == QLatin1String("segon") && linia.contains(QStringLiteral("Berta")))
                throw DbError(QStringLiteral("database disk image is malformed"));
        };
        p.facturar();
    }
    QCOMPARE(durant, QStringList());
    QCOMPARE(graelles(p), totsClients);

    QCOMPARE(MsgBox::shown().size(), error.isEmpty() ? 0 : 1);
    if (!error.isEmpty()) {
        const QString mostrat = MsgBox::shown().first().text;
        QVERIFY2(mostrat.startsWith(QStringLiteral("Error:")) && mostrat.endsWith(error), qPrintable(mostrat));
    }
    QCOMPARE(carpeta.tots().size(), documents);
    QCOMPARE(p.estat, documents ? QStringLiteral("Document desat a ") + carpeta.unic() : QString());
    QCOMPARE(SortidaImpressio::mostrats(), documents ? QStringList{carpeta.unic()} : QStringList());
    QCOMPARE(p.tab->clientsCombo()->currentIndex(), -1);
    for (const char* nom : {"ClientsCombo", "FacturaGrid", "XecsGrid"}) QVERIFY2(p.c<QWidget>(nom)->isVisibleTo(p.w.get()), nom);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(log->findChild<QPushButton*>(QStringLiteral("Tancar"))->isEnabled());
    QCOMPARE(Registre_Missatges::text().contains(QStringLiteral("FINALITZACIO CORRECTA!!!")), error.isEmpty());
    QCOMPARE(p.c<QPushButton>("ImprimirFacturacio")->text(), QStringLiteral("Imprimir dades facturació"));
}

// A block starts on the page when it starts above the break position; a
// block too long for the rest of the page goes on on a new one before its
// lines reach the foot of the page.
void TestReportBillingRun::longBlockBreaksBeforeTheFoot()
{
    CarpetaPdf carpeta;
    PaginaFacturacio p;
    G.PosicioSaltPagina = 3500;
    const int feina = addJob("Altre", QDate(2010, 3, 9), "09:00", "10:00", "Pere", true);
    for (int i = 1; i <= 12; ++i) {
        const QString nom = QStringLiteral("S%1").arg(i, 2, 10, QChar(u'0'));
        addService(nom, 60);
        addJobLine(feina, nom);
    }
    p.facturar();
    const QString pdf = carpeta.unic();
    const int n = pagines(pdf);
    QVERIFY2(n >= 3, qPrintable(QString::number(n)));
    QString totes;
    for (int pag = 1; pag <= n; ++pag) {
        // Nothing below the continuation mark but the page number.
        const QString t = text(pdf, pag).simplified();
        const QString peu = (pag < n ? QStringLiteral("(Continúa...) ") : QString()) + QStringLiteral("pàg. %1").arg(pag);
        QVERIFY2(t.endsWith(peu), qPrintable(t));
        totes += t + u' ';
    }
    QCOMPARE(falta(totes, {"ANNA Hores", "Total: 76,00 €", "BERTA S01 1 h 10,00 €", "(Continuació)",
                           "S12 1 h 10,00 €", "Total: 120,00 €", "TOTAL MES: 196,00 €"}), QString());
    for (int i = 1; i <= 12; ++i) QCOMPARE(totes.count(QStringLiteral("S%1 1 h").arg(i, 2, 10, QChar(u'0'))), 1);
}

void TestReportBillingRun::monthReportButtons_data()
{
    QTest::addColumn<QString>("boto");
    QTest::addColumn<QString>("mes");
    QTest::addColumn<QStringList>("pdf");   // texts in this order; none: the month is refused
    QTest::newRow("cheques: Anna's cheque 1, liquidated with job A")
        << "ImprimirXecs" << "03/2010"
        << QStringList{"MARÇ 2010", "Anna", "1 xecs ( 12,00 € )", "Xec 1: Casa [02/03/2010 09:00] (2 hores) PERE",
                       "Total 1 xecs: 12,00 €"};
    // Of Pere's hours on 2 and 3 March, the second (only an unassigned job) goes first.
    QTest::newRow("extra hours") << "ImprimirHores" << "03/2010"
                                 << QStringList{"MARÇ 2010", "PERE 02/03/2010 dimarts 1,00 hores", "Total 1,00 hores",
                                                "TOTAL MES 1,00 hores"};
    QTest::newRow("a month that is no month") << "ImprimirHores" << "3/2010" << QStringList{};
}

void TestReportBillingRun::monthReportButtons()
{
    QFETCH(QString, boto);
    QFETCH(QString, mes);
    QFETCH(QStringList, pdf);
    CarpetaPdf carpeta;
    PaginaFacturacio p;
    Grava_Hores_Fetes(Decimal::fromInt(1), QStringLiteral("Pere"), QDate(2010, 3, 2));
    Grava_Hores_Fetes(Decimal::fromInt(2), QStringLiteral("Pere"), QDate(2010, 3, 3));
    p.c<QLineEdit>("mesFactura")->setText(mes);
    p.c<QPushButton>(qPrintable(boto))->click();
    QCOMPARE(shownTexts(), pdf.isEmpty() ? QStringList{"Error:Mes erroni (format: 'mm/aaaa')"} : QStringList());
    QCOMPARE(carpeta.fitxers().size(), pdf.isEmpty() ? 0 : 1);
    if (pdf.isEmpty()) return;
    // The status bar says where the document went.
    QCOMPARE(p.estat, QStringLiteral("Document desat a ") + carpeta.unic());
    QCOMPARE(falta(text(carpeta.unic()).simplified(), pdf), QString());
}

// Lines of 1,0101 x 0,50 (0,50505: 0,51) and 0,005 x 1 (a half: 0,00): the
// same amounts and total in the job dialog and its job sheet, the billing
// grid and its totals, the client's billing data and the billing run.
void TestReportBillingRun::oneJobCostsTheSameEverywhere()
{
    CarpetaPdf carpeta;
    PaginaFacturacio p;
    const int feina = addJob("Altre", QDate(2010, 3, 9), "09:00", "10:00", "Pere", true);
    addJobLine(feina, "Hores", *Decimal::parse("0,005"), Decimal::fromInt(1));
    addJobLine(feina, "Neteja", *Decimal::parse("1,0101"), *Decimal::parse("0,5"));
    const auto document = [] { return text(SortidaImpressio::darrerFitxer()).simplified(); };

    G.FeinaActual = Llegeix_Feina(feina);
    frmFeines dialeg;
    QVERIFY(dialeg.Form_Load());
    QCOMPARE(dialeg.findChild<QLineEdit*>(QStringLiteral("TotalFeina"))->text(), QStringLiteral("0,51"));
    dialeg.findChild<QPushButton*>(QStringLiteral("ImprimirButton"))->click();
    QCOMPARE(falta(document(), {"Hores.", "0,005 h 1 0,00", "Neteja.", "1,0101 h 0,5 0,51", "IMPORT FEINA: 0,51 €"}),
             QString());

    p.tria(1);   // Berta: her one job
    QCOMPARE(PaginaFacturacio::fila(p.factura(), 1).section(u'|', 6), QStringLiteral("Hores|0,005|h|0,00"));
    QCOMPARE(PaginaFacturacio::fila(p.factura(), 2).section(u'|', 6), QStringLiteral("Neteja|1,0101|h|0,51"));
    QCOMPARE(p.factura()->TextMatrix(3, 9), QStringLiteral("0,51"));
    QCOMPARE(p.text("TotalServeis"), QStringLiteral("0,51"));
    QCOMPARE(p.text("TotalFacturar"), QStringLiteral("0,51"));

    p.facturar();
    QCOMPARE(falta(document(), {"Hores 0,005 h 0,00 €", "Neteja 1,0101 h 0,51 €", "TOTALS:", "Hores 0,005 h",
                                "Neteja 1,0101 h 0,51 €", "IMPORT FACTURA: 0,51 €"}),
             QString());

    p.tria(-1);
    p.facturar();
    QCOMPARE(falta(document(), {"BERTA", "Hores 0,005 h Neteja 1,0101 h 0,51 € Total: 0,51 €"}), QString());
    QVERIFY(MsgBox::shown().isEmpty());
}

QTEST_MAIN(TestReportBillingRun)
#include "TestReportBillingRun.moc"
