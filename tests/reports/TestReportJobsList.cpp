// The jobs list of a resource over the board's period: which jobs, in what
// order, the title of each view, the job blocks and their page breaks, and
// the board's button.
#include "Globals.h"
#include "Graella.h"
#include "LlistaFeines.h"
#include "MessageBox.h"
#include "PdfFixtures.h"
#include "TestSupport.h"

#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace PdfFixtures;
using namespace TestSupport;

namespace {
const QDate Dc10(2010, 3, 10);   // a Wednesday

void nota(int id, const QString& text)
{
    BD().exec(QStringLiteral("UPDATE Feines SET feines_observacions = ? WHERE feines_id = ?"), {text, id});
}

QStringList resum(const QList<FeinaLlista>& feines)
{
    QStringList out;
    for (const auto& f : feines)
        out << QStringLiteral("%1 %2 %3 %4").arg(f.data.toString(Qt::ISODate), f.horaInici, f.lloc, f.recurs);
    return out;
}
} // namespace

class TestReportJobsList : public ProvaDocument {
    Q_OBJECT
private slots:
    void init()
    {
        ProvaDocument::init();
        addClient("TALVESA");
        addSite("Oficina", "TALVESA");
        addSite("Escala", "TALVESA");
        addResource("Bernat", 255);
        addResource("Nuri", 65280);
        addResource("L'Anna", 16711680);
        addResource("Marta", 65535);
        addResource("Nuri i Bernat", 16776960, true);
        addMember("Nuri i Bernat", "Nuri");
        addMember("Nuri i Bernat", "Bernat");
        addJob("Oficina", QDate(2010, 3, 1), "09:00", "10:00", "Bernat");
        addJob("Escala", QDate(2010, 3, 7), "08:00", "09:00", "Bernat");
        addJob("Oficina", QDate(2010, 3, 8), "12:00", "13:00", "Nuri i Bernat");
        addJob("Escala", Dc10, "16:00", "17:00", "Bernat");
        addJob("Oficina", Dc10, "08:00", "09:00", "Nuri");
        addJob("Escala", Dc10, "10:00", "11:00", "Nuri i Bernat");
        addJob("Oficina", QDate(2010, 3, 14), "09:00", "10:00", "L'Anna");
        addJob("Escala", QDate(2010, 3, 15), "09:00", "10:00", "Bernat");
        addJob("Oficina", QDate(2010, 4, 1), "09:00", "10:00", "Bernat");
        addJob("Escala", QDate(2010, 3, 9), "09:00", "10:00");
        G.PosicioSaltPagina = 14500;
    }

    void jobsOfThePeriod_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("recurs");
        QTest::addColumn<bool>("grup");
        QTest::addColumn<QStringList>("feines");
        QTest::addColumn<QString>("titol");
        // The month comes from the calendar's date (March), not from the day
        // shown (April 1st); the week is 8..14 March; the day is 10 March.
        QTest::newRow("worker's month with the team's jobs")
            << "mes" << "Bernat" << false
            << QStringList{"2010-03-01 09:00 Oficina Bernat", "2010-03-07 08:00 Escala Bernat",
                           "2010-03-08 12:00 Oficina Nuri i Bernat", "2010-03-10 10:00 Escala Nuri i Bernat",
                           "2010-03-10 16:00 Escala Bernat", "2010-03-15 09:00 Escala Bernat"}
            << "Relació de FEINES del mes 2010/03 : BERNAT";
        QTest::newRow("team holds only its own jobs")
            << "mes" << "Nuri i Bernat" << true
            << QStringList{"2010-03-08 12:00 Oficina Nuri i Bernat", "2010-03-10 10:00 Escala Nuri i Bernat"}
            << "Relació de FEINES del mes 2010/03 : NURI I BERNAT";
        QTest::newRow("week both ends included")
            << "setmana" << "bernat" << false
            << QStringList{"2010-03-08 12:00 Oficina Nuri i Bernat", "2010-03-10 10:00 Escala Nuri i Bernat",
                           "2010-03-10 16:00 Escala Bernat"}
            << "Relació de FEINES de la setmana del 08/03/2010 al 14/03/2010 : BERNAT";
        QTest::newRow("day by start time")
            << "dia" << "Nuri" << false
            << QStringList{"2010-03-10 08:00 Oficina Nuri", "2010-03-10 10:00 Escala Nuri i Bernat"}
            << "Relació de FEINES del dia 10/03/2010 : NURI";
        QTest::newRow("apostrophe in the name")
            << "setmana" << "L'Anna" << false << QStringList{"2010-03-14 09:00 Oficina L'Anna"}
            << "Relació de FEINES de la setmana del 08/03/2010 al 14/03/2010 : L'ANNA";
        QTest::newRow("no jobs") << "mes" << "Marta" << false << QStringList{}
                                 << "Relació de FEINES del mes 2010/03 : MARTA";
    }
    void jobsOfThePeriod()
    {
        QFETCH(QString, mode);
        QFETCH(QString, recurs);
        QFETCH(bool, grup);
        QFETCH(QStringList, feines);
        QFETCH(QString, titol);
        const PeriodeAgenda periode{mode, Dc10, QDate(2010, 3, 8), mode == "dia" ? Dc10 : QDate(2010, 4, 1)};
        QCOMPARE(resum(feinesRecurs(periode, recurs, grup)), feines);
        QCOMPARE(titolLlistaFeines(periode, recurs), titol);

        Imprimeix_Feines(recurs, grup, periode);
        QVERIFY(MsgBox::shown().isEmpty());
        const QString pdf = carpeta_->unic();
        QCOMPARE(pagines(pdf), 1);
        const QString t = text(pdf);
        QVERIFY2(enOrdre(t.simplified(), {titol, "Data Hora inici Hora fi Lloc Recursos", "pàg. 1"}), qPrintable(t));
        QCOMPARE(t.count(QStringLiteral("Notes:")), feines.size());
    }

    void blocksShowTheJobAndItsNotes()
    {
        nota(addJob("Oficina", QDate(2010, 3, 11), "07:00", "07:30", "Marta"),
             QStringLiteral("Porta del darrere\nclau a consergeria"));
        QString llarg;
        for (int i = 0; i < 200; ++i) llarg += QStringLiteral("paraula%1 ").arg(i);
        nota(addJob("Escala", QDate(2010, 3, 12), "07:00", "07:30", "Marta"), llarg);
        Imprimeix_Feines(QStringLiteral("Marta"), false, {QStringLiteral("mes"), Dc10, QDate(2010, 3, 8), Dc10});
        const QString t = text(carpeta_->unic());
        QCOMPARE(falta(t, {"11/03/2010", "dijous", "07:00", "07:30", "Oficina", "Marta", "Notes:", "Porta del darrere",
                           "clau a consergeria", "12/03/2010", "divendres", "Notes:", "paraula0 ", "..."}), QString());
        // Long notes stay inside their box.
        QVERIFY(!t.contains(QStringLiteral("paraula199")));
    }

    void blockJustAboveTheBreakPrintsWhole()
    {
        // Blocks are 1200 twips apart from about 2980; with the break at 5580
        // the third block starts just above it (its box reaching past it) and
        // the fourth begins page 2.
        for (int d = 1; d <= 6; ++d) {
            const int id = addJob("Oficina", QDate(2010, 5, d), "09:00", "10:00", "Marta");
            nota(id, QStringLiteral("Nota %1").arg(d));
        }
        G.PosicioSaltPagina = 5580;
        Imprimeix_Feines(QStringLiteral("Marta"), false, {QStringLiteral("mes"), QDate(2010, 5, 3), Dc10, Dc10});
        const QString pdf = carpeta_->unic();
        QCOMPARE(pagines(pdf), 2);
        const QString u = text(pdf, 1), d = text(pdf, 2);
        QVERIFY(enOrdre(u, {"Nota 1", "Nota 2", "Nota 3", "(Continúa...)", "pàg. 1"}));
        QVERIFY(!u.contains(QStringLiteral("Nota 4")));
        QVERIFY(enOrdre(d, {"Relació de FEINES del mes 2010/05 : MARTA", "(Continuació)", "Nota 4", "Nota 5", "Nota 6",
                            "pàg. 2"}));
    }

    void buttonPrintsTheChosenResourceAndDisablesItself_data()
    {
        QTest::addColumn<QString>("recurs");
        QTest::addColumn<bool>("negreta");
        QTest::addColumn<int>("feines");
        QTest::newRow("worker") << "Bernat" << false << 3;
        QTest::newRow("team in bold") << "Nuri i Bernat" << true << 2;
    }
    void buttonPrintsTheChosenResourceAndDisablesItself()
    {
        QFETCH(QString, recurs);
        QFETCH(bool, negreta);
        QFETCH(int, feines);
        G.ModeAgenda = QStringLiteral("setmana");
        G.DataIniciSetmana = QDate(2010, 3, 8);
        G.DataAgenda = Dc10;
        Graella recursos;
        recursos.setRows(2);
        recursos.setCols(1);
        recursos.setTextMatrix(0, 0, QStringLiteral("Marta"));
        recursos.setTextMatrix(1, 0, recurs);
        recursos.setCellFontBold(1, 0, negreta);
        recursos.setCurrentCellAt(1, 0);
        QPushButton ImprimirFeines;
        const QString on = ImprimirFeines_Click(&ImprimirFeines, recursos, Dc10);
        QVERIFY(on.startsWith(QStringLiteral("Document desat a")));
        QVERIFY(!ImprimirFeines.isEnabled());
        const QString t = text(carpeta_->unic());
        QVERIFY(t.contains(QStringLiteral("setmana del 08/03/2010 al 14/03/2010 : ") + recurs.toUpper()));
        QCOMPARE(t.count(QStringLiteral("Notes:")), feines);
    }

    void databaseErrorGoesToTheErrorPath()
    {
        BD().exec(QStringLiteral("DROP TABLE Recursos_Components"));
        Imprimeix_Feines(QStringLiteral("Bernat"), false, {QStringLiteral("mes"), Dc10, Dc10, Dc10});
        QCOMPARE(MsgBox::shown().size(), 1);
        QVERIFY(MsgBox::shown().first().text.startsWith(QStringLiteral("Error:")));
        QVERIFY(carpeta_->fitxers().isEmpty());
    }
};

QTEST_MAIN(TestReportJobsList)
#include "TestReportJobsList.moc"
