// The client billing data: the client's record, the done jobs' lines, the
// quota lines, the totals with cheques and payments, the gaps between jobs.
#include "BillingFixtures.h"
#include "DadesFacturacio.h"
#include "Globals.h"
#include "MessageBox.h"
#include "PdfFixtures.h"

#include <QtTest>
#include <memory>

using namespace PdfFixtures;

namespace {

// The month of Anna from rows written as the billing fixtures write them.
// `valors`: each cheque's value in order, the last one for the rest.
FacturacioMes mes(const QString& files, const QString& xecs = QString(), const QString& serveiXecs = QString(),
                  const QString& valors = QStringLiteral("12"), const QString& pagaments = QStringLiteral("0"))
{
    EntradaFacturacio e = Billing::entrada(false, serveiXecs);
    e.pagament.import = *Decimal::parseFixed(pagaments);
    QVector<FilaXecBD> x = Billing::xecs(xecs);
    const QStringList valor = valors.split(u' ');
    for (qsizetype i = 0; i < x.size(); ++i) x[i].valor = *Decimal::parseFixed(valor[qMin(i, valor.size() - 1)]);
    return calculaFacturacio(e, Billing::linies(files), x);
}

// The top of each word where the document first prints it, in points.
QHash<QString, double> alcades(const QString& pdf)
{
    QHash<QString, double> out;
    for (const PaginaParaules& pagina : paraules(pdf))
        for (const Paraula& p : pagina.paraules)
            if (!out.contains(p.text)) out.insert(p.text, p.caixa.top());
    return out;
}

} // namespace

class TestReportBillingData : public ProvaDocument {
    Q_OBJECT
private slots:
    void init()
    {
        ProvaDocument::init();
        TestSupport::addClient("Anna");
        BD().exec(QStringLiteral("UPDATE Clients SET \"clients_NIF\" = '12345678Z', \"clients_adreça\" = 'C. Major 1', "
                                 "clients_codi_postal = '08001', clients_poblacio = 'Barcelona', "
                                 "clients_telefons = '933 000 000', clients_ccc = '2100-0001' "
                                 "WHERE clients_nom = 'Anna'"));
        for (const char* s : {"Neteja", "Hores", "Vidres"}) TestSupport::addService(QString::fromLatin1(s), 60);
    }

    void document_data();
    void document();
    void postcodeAndTown_data();
    void postcodeAndTown();
    void gapsBetweenJobs();
};

void TestReportBillingData::document_data()
{
    QTest::addColumn<QString>("files");
    QTest::addColumn<QString>("xecs");
    QTest::addColumn<QString>("valors");
    QTest::addColumn<QString>("pagaments");
    QTest::addColumn<QStringList>("hiSon");     // in this order
    QTest::addColumn<QStringList>("noHiSon");
    QTest::newRow("no done job") << "1 Casa 2 Neteja 1 10" << "" << "12" << "0"
                                 << QStringList{"TOTALS: IMPORT FACTURA: 0,00 €"}
                                 << QStringList{"02/03/2009", "Neteja 1", "Pagaments a compte:", "TOTAL A PAGAR:"};
    // Date, site and resource only on a job's first line; totals by service
    // name, a service with nothing left out.
    QTest::newRow("lines of one job")
        << "1 Casa 2 Neteja 2 10.5 F; 1 Casa 2 Vidres 1 5 F" << "" << "12" << "0"
        << QStringList{"02/03/2009 Casa Pere Neteja 2 h 21,00 € Vidres 1 h 5,00 €", "TOTALS: Neteja 2 h 21,00 €",
                       "Vidres 1 h 5,00 €", "IMPORT FACTURA: 26,00 €"}
        << QStringList{"Hores", "Pagaments a compte:"};
    QTest::newRow("jobs not done are left out")
        << "1 Casa 2 Neteja 1 10 F; 2 Casa 3 Vidres 1 10" << "" << "12" << "0"
        << QStringList{"Neteja 1 h 10,00 €", "IMPORT FACTURA: 10,00 €"} << QStringList{"03/03/2009", "Vidres"};
    // The totals' unit stands whole before a bold amount, apart from it.
    QTest::newRow("quota job and its site's quota")
        << "1 Pis 4 Neteja 2 10 F,Q80" << "" << "12" << "0"
        << QStringList{"04/03/2009 Pis Pere Neteja 2 h Pis Quota mes 80,00 €", "TOTALS: Pis 1 Quota mes 80,00 €",
                       "IMPORT FACTURA: 80,00 €"}
        << QStringList{"20,00", "TOTALS: Neteja"};
    // The quota is billed whatever job of the site comes last.
    for (const char* files : {"1 Pis 3 Neteja 1 10 F,Q80; 2 Pis 10 Neteja 1 5 F,I,Q80,S0",
                              "1 Pis 3 Neteja 1 5 F,I,Q80,S0; 2 Pis 10 Neteja 1 10 F,Q80"})
        QTest::newRow(files) << files << "" << "12" << "0"
                             << QStringList{"Pis Quota mes 80,00 €", "TOTALS: Neteja 1 h 5,00 €",
                                            "Pis 1 Quota mes 80,00 €", "IMPORT FACTURA: 85,00 €"}
                             << QStringList{"Neteja 2 h"};
    QTest::newRow("a service no longer known prints but adds nothing")
        << "1 Casa 2 Pintura 1 10 F" << "" << "12" << "0"
        << QStringList{"Pintura 1 h 10,00 €", "TOTALS: IMPORT FACTURA: 0,00 €"} << QStringList{};
    // Two cheques of 12 pay the job; each lowers its line by 5.
    QTest::newRow("cheques lower the invoice")
        << "1 Casa 2 Hores 2 10 F" << "1 L1; 2" << "12" << "0"
        << QStringList{"Hores 2 h 10,00 €", "TOTALS: Hores 2 h 10,00 €", "Hores 2 Xecs -24,00 €",
                       "IMPORT FACTURA: -14,00 €"}
        << QStringList{};
    QTest::newRow("cheques worth nothing make no entry")
        << "1 Casa 2 Hores 2 10 F" << "1 L1; 2" << "0" << "0" << QStringList{"IMPORT FACTURA: 10,00 €"}
        << QStringList{"Xecs"};
    // Printed totals are the sums and differences of the printed figures: a
    // cheque of 12,345 counts as the 12,34 shown (30,01 - 22,34 = 7,67).
    QTest::newRow("cheques of more decimals count to the cent")
        << "1 Casa 2 Hores 2 20.005 F" << "1; 2" << "12.345 10" << "2.5"
        << QStringList{"Hores 2 h 30,01 €", "TOTALS: Hores 2 h 30,01 €", "Hores 2 Xecs -22,34 €",
                       "IMPORT FACTURA: 7,67 €", "Pagaments a compte: 2,50 €", "TOTAL A PAGAR: 5,17 €"}
        << QStringList{};
    QTest::newRow("payments on account")
        << "1 Casa 2 Neteja 2 10 F" << "" << "12" << "5.5"
        << QStringList{"IMPORT FACTURA: 20,00 €", "Pagaments a compte: 5,50 €", "TOTAL A PAGAR: 14,50 €"}
        << QStringList{};
}

void TestReportBillingData::document()
{
    QFETCH(QString, files);
    QFETCH(QString, xecs);
    QFETCH(QString, valors);
    QFETCH(QString, pagaments);
    QFETCH(QStringList, hiSon);
    QFETCH(QStringList, noHiSon);
    const FacturacioMes m = mes(files, xecs, xecs.isEmpty() ? QString() : QStringLiteral("Hores"), valors, pagaments);
    QVERIFY(Imprimeix_Dades_Facturacio(m).startsWith(QStringLiteral("Document desat a")));
    QVERIFY(MsgBox::shown().isEmpty());
    const QString pdf = carpeta_->unic();
    QCOMPARE(pagines(pdf), 1);
    const QString t = text(pdf).simplified();
    // The client's record in the header ("CCC:" reads as the clients tab's "ccc:").
    const QStringList capcalera{"Dades de facturació del mes: MARÇ 2009 Client: Anna NIF/CIF: 12345678Z Adreça: "
                                "C. Major 1 08001 - BARCELONA Telèfons: 933 000 000 ccc: 2100-0001 Data Lloc Recurs "
                                "Servei Quantitat Unitat Import"};
    QCOMPARE(falta(t, capcalera + hiSon + QStringList{"pàg. 1"}), QString());
    for (const QString& s : noHiSon) QVERIFY2(!t.contains(s), qPrintable(s + " | " + t));
}

// The line under the address: the postcode and the town joined by " - ",
// what there is of them alone, nothing when neither is there.
void TestReportBillingData::postcodeAndTown_data()
{
    QTest::addColumn<QString>("codiPostal");
    QTest::addColumn<QString>("poblacio");
    QTest::addColumn<QString>("linia");
    QTest::newRow("neither") << "" << "" << "C. Major 1 Telèfons:";
    QTest::newRow("the town alone") << "" << "Barcelona" << "C. Major 1 BARCELONA Telèfons:";
    QTest::newRow("the postcode alone") << "08001" << "" << "C. Major 1 08001 Telèfons:";
}

void TestReportBillingData::postcodeAndTown()
{
    QFETCH(QString, codiPostal);
    QFETCH(QString, poblacio);
    QFETCH(QString, linia);
    BD().exec(QStringLiteral("UPDATE Clients SET clients_codi_postal = ?, clients_poblacio = ? WHERE clients_nom = 'Anna'"),
              {codiPostal, poblacio});
    Imprimeix_Dades_Facturacio(mes(QStringLiteral("1 Casa 2 Neteja 1 10 F")));
    const QString t = text(carpeta_->unic()).simplified();
    QVERIFY2(t.contains(QStringLiteral("Adreça: ") + linia), qPrintable(t));
}

// A new job starts 200 twips (10 points) lower after a line with an amount,
// not after a quota job's line; a quota line 50 twips lower.
void TestReportBillingData::gapsBetweenJobs()
{
    Imprimeix_Dades_Facturacio(mes(QStringLiteral("1 Casa 2 S1 1 10 F; 1 Casa 2 S2 1 10 F; 2 Pis 4 S3 1 10 F,Q80; "
                                                  "3 Pis 5 S4 1 10 F,Q80; 4 Zeta 6 S5 1 10 F")));
    const QHash<QString, double> y = alcades(carpeta_->unic());
    const QList<std::pair<QString, double>> salts{
        {"S2", 10}, {"S3", 20}, {"S4", 10}, {"Quota", 12.5}, {"S5", 20}};
    QString anterior = QStringLiteral("S1");
    for (const auto& [paraula, punts] : salts) {
        QVERIFY2(y.contains(paraula) && y.contains(anterior), qPrintable(paraula));
        QVERIFY2(qAbs(y[paraula] - y[anterior] - punts) < 0.5,
                 qPrintable(QStringLiteral("%1 -> %2: %3").arg(anterior, paraula).arg(y[paraula] - y[anterior])));
        anterior = paraula;
    }
}

QTEST_MAIN(TestReportBillingData)
#include "TestReportBillingData.moc"
