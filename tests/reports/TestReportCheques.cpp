// The cheques liquidated in a month: which cheques each client's group counts
// and lists, in what order, the title, the totals box and a page break after
// a group line.
#include "Globals.h"
#include "InformeXecs.h"
#include "MessageBox.h"
#include "PdfFixtures.h"

#include <QtTest>

using namespace PdfFixtures;
using namespace TestSupport;

namespace {
void xec(int id, const QString& client, int feina, bool liquidat = true, qint64 valor = 120000)
{
    BD().exec(QStringLiteral("INSERT INTO Xecs (xecs_id, clients_nom, xecs_valor, xecs_data_liquidat, feines_id) "
                             "VALUES (?, ?, ?, ?, ?)"),
              {id, client, valor, liquidat ? QVariant(QStringLiteral("2010-04-01")) : QVariant(), feina});
}
} // namespace

class TestReportCheques : public ProvaDocument {
    Q_OBJECT
private slots:
    void init()
    {
        ProvaDocument::init();
        for (const char* c : {"Bernat", "Anna", "L'Àlex"}) addClient(QString::fromUtf8(c), true);
        for (const char* s : {"Hores", "Hores d'ajuda", "Neteja"}) addService(QString::fromUtf8(s), 60);
        addResource("Pere", 255);
        addSite("Casa", "Anna");
        addSite("Cal Jan", QStringLiteral("L'Àlex"));
        // March 2010: two cheques on a job with a cheque line, one on a job
        // with two such lines, one on a job without; L'Àlex's on an
        // unassigned job on the last day. Around it: other months, a
        // cheque not liquidated, December's last day and January's first.
        const int j1 = addJob("Casa", QDate(2010, 3, 2), "09:00", "11:00", "Pere", true);
        const int j2 = addJob("Casa", QDate(2010, 3, 15), "09:00", "11:30", "Pere", true);
        const int j3 = addJob("Casa", QDate(2010, 3, 20), "09:00", "10:00", "Pere", true);
        const int j4 = addJob("Cal Jan", QDate(2010, 3, 31), "16:00", "17:00", QString(), true);
        const int fora[] = {addJob("Casa", QDate(2010, 4, 1), "09:00", "10:00", "Pere", true),
                            addJob("Casa", QDate(2010, 2, 28), "09:00", "10:00", "Pere", true),
                            addJob("Cal Jan", QDate(2010, 12, 31), "09:00", "10:00", "Pere", true),
                            addJob("Cal Jan", QDate(2011, 1, 1), "09:00", "10:00", "Pere", true)};
        for (int j : {j1, j2, j2, fora[0], fora[1], fora[2], fora[3]})
            addJobLine(j, "Hores", j == j2 ? Decimal::fromRaw(15000) : Decimal::fromInt(2));
        addJobLine(j1, "Neteja");
        addJobLine(j3, "Neteja");
        addJobLine(j4, "Hores d'ajuda");
        using Xec = std::tuple<int, const char*, int>;
        for (auto [id, client, feina] : {Xec{5, "Anna", j1}, Xec{3, "Anna", j1}, Xec{7, "Anna", j2}, Xec{8, "Anna", j3},
                                         Xec{1, "L'Àlex", j4}, Xec{9, "Anna", fora[0]}, Xec{10, "Anna", fora[1]},
                                         Xec{12, "L'Àlex", fora[2]}, Xec{13, "L'Àlex", fora[3]}})
            xec(id, QString::fromUtf8(client), feina);
        xec(11, "Anna", j1, false);
        // June 2010: three cheques of 10,005, kept so by an earlier version.
        const int juny = addJob("Casa", QDate(2010, 6, 1), "09:00", "12:00", "Pere", true);
        addJobLine(juny, "Hores", Decimal::fromInt(3));
        for (int id : {14, 15, 16}) xec(id, "Anna", juny, true, 100050);
    }

    void chequesOfTheMonth_data()
    {
        QTest::addColumn<QDate>("mes");
        QTest::addColumn<QString>("servei");
        QTest::addColumn<QStringList>("pdf");   // texts in this order
        QTest::newRow("counted and listed, by client and cheque")
            << QDate(2010, 3, 1) << "Hores"
            << QStringList{"Relació de XECS HORES a liquidar en el mes: MARÇ 2010", "Anna", "4 xecs",
                           "( 48,00 € )", "Xec 3:", "Casa [02/03/2010 09:00] (2 hores)", "PERE", "Xec 5:", "Xec 7:",
                           "(1,5 hores)", "Xec 7:", "L'Àlex", "1 xecs", "( 12,00 € )", "Total 5 xecs:", "60,00 €", "pàg. 1"};
        QTest::newRow("service with an apostrophe")
            << QDate(2010, 3, 1) << "Hores d'ajuda"
            << QStringList{"XECS HORES D'AJUDA a liquidar", "L'Àlex", "Xec 1:", "Cal Jan [31/03/2010 16:00] (1 hores)",
                           "Total 5 xecs:"};
        QTest::newRow("December ends with the year") << QDate(2010, 12, 1) << "Hores"
                                                     << QStringList{"mes: DES. 2010", "Xec 12:", "Total 1 xecs:", "12,00 €"};
        // Each value counts as shown, to the cent, as the invoice counts it.
        QTest::newRow("values of more decimals counted to the cent")
            << QDate(2010, 6, 1) << "Hores"
            << QStringList{"Anna", "3 xecs", "( 30,00 € )", "Xec 14:", "Xec 16:", "Total 3 xecs:", "30,00 €"};
        QTest::newRow("no cheques: header and a 0 box")
            << QDate(2010, 5, 1) << "Hores"
            << QStringList{"Relació de XECS HORES a liquidar en el mes: MAIG 2010", "Total 0 xecs:", "0,00 €"};
    }
    void chequesOfTheMonth()
    {
        QFETCH(QDate, mes);
        QFETCH(QString, servei);
        QFETCH(QStringList, pdf);
        Imprimeix_Xecs(mes, servei);
        QVERIFY(MsgBox::shown().isEmpty());
        const QString t = text(carpeta_->unic());
        QCOMPARE(pagines(carpeta_->unic()), 1);
        QCOMPARE(falta(t, pdf), QString());
        QVERIFY(!t.contains(QStringLiteral("Xec 8:")) && !t.contains(QStringLiteral("Continu")));
    }

    void monthTitleFollowsTheTranslationTable()
    {
        const QDate mes(2010, 3, 1);
        G.Idioma = QStringLiteral("EN");
        QCOMPARE(titolInformeXecs(mes, "Hores"), QStringLiteral("List of VOUCHERS HORES to settle in the month: MAR 2010"));
        // No row for the system's abbreviation: it is printed as it is, in capitals.
        G.Idioma = QStringLiteral("CT");
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        QVERIFY(titolInformeXecs(mes, "Hores").endsWith(QStringLiteral("en el mes: MAR 2010")));
    }

    void pageBreakBetweenAGroupLineAndItsLines()
    {
        // The header ends near 2700: Anna's group line stays on page 1, the
        // test before her first cheque line (300 below) breaks.
        G.PosicioSaltPagina = 2850;
        Imprimeix_Xecs(QDate(2010, 3, 1), "Hores");
        const QString pdf = carpeta_->unic();
        QVERIFY(pagines(pdf) > 2);
        const QString u = text(pdf, 1), d = text(pdf, 2);
        QVERIFY(enOrdre(u, {"MARÇ 2010", "Anna", "4 xecs", "(Continúa...)", "pàg. 1"}));
        QVERIFY(!u.contains(QStringLiteral("Xec ")));
        QVERIFY(enOrdre(d, {"MARÇ 2010", "(Continuació)", "Xec 3:", "pàg. 2"}));
        QVERIFY(!d.contains(QStringLiteral("Anna")));
        QVERIFY(enOrdre(text(pdf), {"Xec 7:", "Xec 7:", "L'Àlex", "Total 5 xecs:"}));
    }
};

QTEST_MAIN(TestReportCheques)
#include "TestReportCheques.moc"
