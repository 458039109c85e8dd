// "Facturar client": the invoicing marks of the chosen client's month, in one
// unit with its billing data; without a client the button starts the run. A
// disk that fills leaves neither a document nor marks, and no box is shown
// while the marks hold the database.
#include "Consultes.h"
#include "FitxerSencer.h"
#include "LlistaFeines.h"
#include "MarcPagina.h"
#include "PdfFixtures.h"
#include "Registre.h"
#include "SortidaImpressio.h"
#include "TabFixture.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

using namespace TestSupport;

class TestInvoicing : public UnlockedBoxesTest {
    Q_OBJECT

private slots:
    void marks_data();
    void marks();
    void twiceOnOneDay_data();
    void twiceOnOneDay();
    void aMonthInPartsAddsUpToTheWhole_data();
    void aMonthInPartsAddsUpToTheWhole();
    void fullDiskLeavesNeitherDocumentNorMarks_data();
    void fullDiskLeavesNeitherDocumentNorMarks();
};

namespace {

// The stored marks: "job invoice-date quota" for A B C D, then "cheque
// liquidation-date job" for the cheques; jobs and cheques by letter/number.
QString marques(const PaginaFacturacio& p)
{
    const QHash<int, QString> lletra{{p.A, "A"}, {p.B, "B"}, {p.C, "C"}, {p.D, "D"}};
    QStringList out;
    QSqlQuery q = BD().query(QStringLiteral("SELECT feines_id, coalesce(feines_data_factura, '-'), feines_quota "
                                            "FROM Feines"));
    while (q.next())
        out << lletra.value(q.value(0).toInt()) + u' ' + q.value(1).toString() + u' '
                   + Decimal::fromVariant(q.value(2)).toFixed();
    out.sort();
    q = BD().query(QStringLiteral("SELECT xecs_id, coalesce(xecs_data_liquidat, '-'), feines_id FROM Xecs "
                                  "ORDER BY xecs_id"));
    while (q.next())
        out << q.value(0).toString() + u' ' + q.value(1).toString() + u' '
                   + (q.value(2).isNull() ? QStringLiteral("-") : lletra.value(q.value(2).toInt()));
    return out.join(u'|');
}

} // namespace

void TestInvoicing::marks_data()
{
    QTest::addColumn<QString>("cas");
    QTest::addColumn<QString>("missatge");   // "" = marked and printed
    QTest::addColumn<QString>("despres");    // the stored marks afterwards
    QTest::addColumn<QString>("document");   // a text of the printed document
    const QString cap = QStringLiteral("A - 0|B - 0|C - 0|D 2010-03-06 0|1 2010-03-02 A|2 - -");
    QTest::newRow("all clients: the billing run, no mark") << "tots" << "" << cap << "RESUM FACTURACIÓ del mes: MARÇ 2010";
    // C's share is the site's quota to the last decimal; a job billed by its
    // services gets 0; the invoiced D is invoiced again; both cheques pay A.
    QTest::newRow("shares and cheques")
        << "" << "" << "A 2010-03-10 0|B - 0|C 2010-03-10 123456.7891|D 2010-03-10 0|1 2010-03-10 A|2 2010-03-10 A"
        << "IMPORT FACTURA: 123.452,79 €";
    QTest::newRow("no done job: the cheque that pays a job is still liquidated")
        << "undone" << "" << "A - 0|B - 0|C - 0|D 2010-03-06 0|1 2010-03-10 A|2 - -" << "IMPORT FACTURA: -12,00 €";
    QTest::newRow("a job gone: nothing marked") << "job gone" << "ERROR: Feina %D no trobada"
                                                << "A - 0|B - 0|C - 0|1 2010-03-02 A|2 - -" << "";
    QTest::newRow("a cheque gone: nothing marked") << "cheque gone" << "ERROR: Xec 2 no trobat"
                                                   << "A - 0|B - 0|C - 0|D 2010-03-06 0|1 2010-03-02 A" << "";
    // The marks are written and the document's first page drawn when its
    // totals cannot read the services.
    QTest::newRow("the document fails while drawn: nothing marked")
        << "services gone" << "Error:Unable to execute statement: no such table: Serveis" << cap << "";
    // The documents folder is a file: the document cannot start, so nothing is marked.
    QTest::newRow("a documents folder that cannot be written: nothing marked")
        << "unwritable" << "Error:No s'ha pogut començar el document a la carpeta %P: %E" << cap << "";
    // Two jobs whose amounts together pass the range: the month cannot be computed.
    QTest::newRow("amounts past the range: nothing marked")
        << "overflow" << "Error:Desbordament en el càlcul de l'import" << " - 0| - 0|" + cap << "";
}

void TestInvoicing::marks()
{
    QFETCH(QString, cas);
    QFETCH(QString, missatge);
    QFETCH(QString, despres);
    QFETCH(QString, document);
    PdfFixtures::CarpetaPdf pdf;
    PaginaFacturacio p;
    BD().exec(QStringLiteral("UPDATE Llocs SET llocs_quota = 1234567891 WHERE llocs_nom = 'Pis'"));
    if (cas == QLatin1String("undone"))
        BD().exec(QStringLiteral("UPDATE Feines SET feines_feta = 0"));
    QTemporaryDir carpetaDolenta;
    if (cas == QLatin1String("unwritable")) {
        QFile fitxer(carpetaDolenta.filePath(QStringLiteral("Torvanel")));
        QVERIFY(fitxer.open(QIODevice::WriteOnly));
        SortidaImpressio::setCarpetaProves(fitxer.fileName());
    }
    if (cas == QLatin1String("overflow"))
        PaginaFacturacio::feinesMassaGrans();
    if (cas != QLatin1String("tots")) p.tria(0);
    if (cas == QLatin1String("overflow")) {
        // Choosing the client already told it, and kept the month of all clients.
        QCOMPARE(takeShownTexts(), QStringList{missatge});
        QVERIFY(p.tab->darrerResultat().totsClients);
    }
    if (cas == QLatin1String("job gone")) BD().exec(QStringLiteral("DELETE FROM Feines WHERE feines_id = ?"), {p.D});
    if (cas == QLatin1String("cheque gone")) BD().exec(QStringLiteral("DELETE FROM Xecs WHERE xecs_id = 2"));
    if (cas == QLatin1String("services gone")) BD().exec(QStringLiteral("ALTER TABLE Serveis RENAME TO Serveis_"));
    p.facturar();

    QCOMPARE(marques(p), despres);
    QStringList mostrats;
    for (const auto& s : MsgBox::shown()) mostrats << s.text + u'/' + s.title;
    missatge.replace(QStringLiteral("%D"), QString::number(p.D));
    missatge.replace(QStringLiteral("%P"), QFileInfo(SortidaImpressio::darrerFitxer()).path());
    missatge.replace(QStringLiteral("%E"), QString::fromLocal8Bit(std::strerror(ENOTDIR)));
    QCOMPARE(mostrats, missatge.isEmpty() ? QStringList() : QStringList{missatge + u'/'});
    // The marks and their document stand together, from the month as it was shown.
    QCOMPARE(pdf.tots().size(), missatge.isEmpty() ? 1 : 0);
    // The viewer opens the document written, never one that was not.
    QCOMPARE(SortidaImpressio::mostrats(), missatge.isEmpty() ? QStringList{pdf.unic()} : QStringList());
    QCOMPARE(p.estat, missatge.isEmpty() ? QStringLiteral("Document desat a ") + pdf.unic() : QString());
    if (!missatge.isEmpty()) return;
    const QString t = PdfFixtures::text(pdf.unic());
    QVERIFY2(t.contains(document), qPrintable(t));
    if (cas == QLatin1String("tots")) return;
    QVERIFY(t.contains(QStringLiteral("Dades de facturació del mes: MARÇ 2010")));
    // The views show the marks: A's invoice date on its line.
    QCOMPARE(p.factura()->TextMatrix(1, 5), cas.isEmpty() ? QStringLiteral("10/03/2010") : QStringLiteral(" "));
}

void TestInvoicing::twiceOnOneDay_data()
{
    QTest::addColumn<bool>("pendents");
    QTest::addColumn<QString>("despres");
    QTest::addColumn<QString>("segona");   // the invoice amount printed the second time
    QTest::newRow("everything listed: the same marks again")
        << false << "A 2010-03-10 0|B - 0|C 2010-03-10 80|D 2010-03-10 0|1 2010-03-10 A|2 2010-03-10 A"
        << "IMPORT FACTURA: 76,00 €";
    // Cheque 1 (liquidated) and D (invoiced) are not listed; cheque 2 takes
    // A's first slot. The second time nothing is left to mark.
    QTest::newRow("pending only: nothing left the second time")
        << true << "A 2010-03-10 0|B - 0|C 2010-03-10 80|D 2010-03-06 0|1 2010-03-02 A|2 2010-03-10 A"
        << "IMPORT FACTURA: 0,00 €";
}

void TestInvoicing::twiceOnOneDay()
{
    QFETCH(bool, pendents);
    QFETCH(QString, despres);
    QFETCH(QString, segona);
    PdfFixtures::CarpetaPdf pdf;
    PaginaFacturacio p;
    p.tria(0);
    p.c<QCheckBox>("PdtFacturar")->setChecked(pendents);
    p.facturar();
    QCOMPARE(marques(p), despres);
    p.facturar();
    QCOMPARE(marques(p), despres);
    QVERIFY(MsgBox::shown().isEmpty());
    const QStringList fitxers = pdf.fitxers();
    QCOMPARE(fitxers.size(), 2);
    const QString segon = fitxers.first().contains(QStringLiteral(" (2).pdf")) ? fitxers.first() : fitxers.last();
    const QString t = PdfFixtures::text(segon).simplified();
    QVERIFY2(t.contains(segona), qPrintable(t));
    QCOMPARE(t.contains(QStringLiteral("Pis Quota mes 80,00 €")), !pendents);
}

// The month of Anna with nothing invoiced yet and a second quota job E of
// Pis (09/03). Jobs get done as the month goes on and each time what is
// still to invoice is invoiced: whatever the parts, the invoices ask for what
// the whole month does (A 20 less two cheque savings of 5, D 10, Pis's
// quota 80, less the two cheques of 12 and the payment on account).
void TestInvoicing::aMonthInPartsAddsUpToTheWhole_data()
{
    QTest::addColumn<QString>("parts");       // the jobs done before each invoice, parts split by '|'
    QTest::addColumn<QString>("pagaments");   // the payment stored before each invoice
    QTest::addColumn<QString>("aPagar");      // TOTAL A PAGAR of each invoice
    QTest::addColumn<QString>("mes");         // the whole month's amount to pay afterwards
    QTest::newRow("whole") << "C D A E" << "10" << "66,00" << "66,00";
    QTest::newRow("two parts") << "C D|A E" << "10|10" << "80,00|-14,00" << "66,00";
    QTest::newRow("three parts") << "C|D A|E" << "10|10|10" << "70,00|-4,00|0,00" << "66,00";
    // The payment raised after the first invoice took it: the next invoice takes the difference.
    QTest::newRow("three parts, the payment raised on the way") << "C|D A|E" << "10|10|15" << "70,00|-4,00|-5,00"
                                                                << "61,00";
}

void TestInvoicing::aMonthInPartsAddsUpToTheWhole()
{
    QFETCH(QString, parts);
    QFETCH(QString, pagaments);
    QFETCH(QString, aPagar);
    QFETCH(QString, mes);
    PdfFixtures::CarpetaPdf pdf;
    PaginaFacturacio p;
    const int E = addJob("Pis", QDate(2010, 3, 9), "09:00", "10:00", "Pere", false);
    addJobLine(E, "Neteja");
    BD().exec(QStringLiteral("UPDATE Feines SET feines_feta = 0, feines_data_factura = NULL, feines_quota = 0"));
    BD().exec(QStringLiteral("UPDATE Xecs SET xecs_data_liquidat = NULL, feines_id = NULL"));
    const QHash<QString, int> feina{{"A", p.A}, {"C", p.C}, {"D", p.D}, {"E", E}};
    p.tria(0);
    p.c<QCheckBox>("PdtFacturar")->setChecked(true);

    const QStringList pagament = pagaments.split(u'|');
    QStringList impresos;
    for (qsizetype i = 0; i < pagament.size(); ++i) {
        for (const QString& lletra : parts.split(u'|')[i].split(u' '))
            BD().exec(QStringLiteral("UPDATE Feines SET feines_feta = 1 WHERE feines_id = ?"), {feina[lletra]});
        // The box shows what no invoice has taken yet (nothing, after an
        // invoice), and what is typed there is that part of the payment.
        auto* box = p.c<QLineEdit>("TotalPagaments");
        QCOMPARE(box->text(), QString());
        const Decimal pres = i == 0 ? Decimal() : *Decimal::parse(pagament[i - 1]);
        box->setText((*Decimal::parse(pagament[i]) - pres).toGroupedString());
        p.tab->TotalPagaments_LostFocus();
        QCOMPARE(Pagament_Client_Mes(QStringLiteral("03/2010"), QStringLiteral("Anna")), *Decimal::parse(pagament[i]));
        QVERIFY(p.tab->Calcula_Facturacio_Client());
        const QString pantalla = p.text("TotalFacturar");
        const QStringList abans = pdf.fitxers();
        p.facturar();
        QVERIFY(MsgBox::shown().isEmpty());
        QStringList nous = pdf.fitxers();
        for (const QString& f : abans) nous.removeAll(f);
        QCOMPARE(nous.size(), 1);
        const QString t = PdfFixtures::text(nous.first()).simplified();
        // What this invoice asks for: after the payment it takes, if any.
        static const QRegularExpression total(QStringLiteral("(?:TOTAL A PAGAR|IMPORT FACTURA): ([-\\d.,]+) €"));
        QString ultim;
        for (auto it = total.globalMatch(t); it.hasNext();) ultim = it.next().captured(1);
        impresos << ultim;
        QCOMPARE(ultim, pantalla);   // the tab showed what the invoice takes
        if (i == 0) continue;
        // The quota and the payment an earlier invoice took are not billed again.
        QVERIFY2(!t.contains(QStringLiteral("Quota mes")), qPrintable(t));
        QCOMPARE(t.contains(QStringLiteral("Pagaments a compte")), pagament[i] != pagament[i - 1]);
    }
    QCOMPARE(impresos.join(u'|'), aPagar);
    // The whole month, all its jobs listed, asks for what the invoices did together.
    p.c<QCheckBox>("PdtFacturar")->setChecked(false);
    QCOMPARE(p.text("TotalFacturar"), mes);
}

void TestInvoicing::fullDiskLeavesNeitherDocumentNorMarks_data()
{
    QTest::addColumn<QString>("document");   // "Facturar client", the billing run, or a worker's jobs list
    QTest::addColumn<QString>("punt");       // the byte at which the disk is full
    for (const char* document : {"invoicing", "billing run", "jobs list"})
        for (const char* punt : {"first", "middle", "last"})
            QTest::addRow("%s: full at the %s byte", document, punt) << document << punt;
}

void TestInvoicing::fullDiskLeavesNeitherDocumentNorMarks()
{
    QFETCH(QString, document);
    QFETCH(QString, punt);
    const auto imprimeix = [&](PaginaFacturacio& p) {
        if (document == QLatin1String("jobs list")) {
            const QDate dia = Clock::today();
            anunciaDesti(Imprimeix_Feines(QStringLiteral("Pere"), false, {QStringLiteral("mes"), dia, dia, dia}));
            return;
        }
        if (document == QLatin1String("invoicing")) p.tria(0);
        p.facturar();
    };
    // The document's size on a disk with room.
    qint64 mida = 0;
    {
        PdfFixtures::CarpetaPdf pdf;
        PaginaFacturacio p;
        imprimeix(p);
        mida = QFileInfo(pdf.unic()).size();
    }
    QVERIFY(mida > 0);
    PdfFixtures::CarpetaPdf pdf;
    PaginaFacturacio p;
    const QString abans = marques(p);
    const qint64 plena = punt == QLatin1String("first") ? 0 : punt == QLatin1String("middle") ? mida / 2 : mida - 1;
    FitxerSencer::setFallaDespresDe(plena);
    imprimeix(p);
    // Nothing marked, no file (not even a temporary one), its error and no word of a saved document.
    QCOMPARE(marques(p), abans);
    QCOMPARE(BD().transactionDepth(), 0);
    QCOMPARE(pdf.tots(), QStringList());
    QCOMPARE(p.estat, QString());
    QCOMPARE(SortidaImpressio::mostrats(), QStringList());
    const QString carpeta = QFileInfo(SortidaImpressio::darrerFitxer()).path();
    QCOMPARE(shownTexts(), QStringList{QStringLiteral("Error:No s'ha pogut desar el document a la carpeta ") + carpeta
                                       + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(ENOSPC))});
    if (document == QLatin1String("billing run"))
        QVERIFY(!Registre_Missatges::text().contains(QStringLiteral("FINALITZACIO CORRECTA")));
}

QTEST_MAIN(TestInvoicing)
#include "TestInvoicing.moc"
