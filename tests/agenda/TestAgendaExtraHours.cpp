// The extra-hours row of the day view: the proposed hours, which columns
// open the editor by click and by Enter, and how the editor stores or keeps
// the recorded hours.
#include "Consultes.h"
#include "Convert.h"
#include "Graella.h"
#include "HoresExtres.h"
#include "MessageBox.h"
#include "PaginaAgenda.h"

#include <QLineEdit>
#include <QSqlQuery>
#include <QTest>

using namespace TestSupport;
using namespace AgendaTest;

namespace {

const QDate Dimecres(2010, 3, 10);

// Wednesday's day view: unassigned jobs, Anna (jobs 08-10 and 16-18, 1,25
// recorded), Pere (records no time), Sols and four more resources, Zoe last.
// Thursday: Anna 08-16 and, in a second column of hers, 09:00-09:30.
struct DiaHores : Pagina {
    DiaHores()
    {
        G.CalculxHores = false;
        G.HoresDia = Decimal::fromInt(6);
        const QStringList altres{"", "Anna", "Pere", "Sols", "Tomàs", "Vera", "Xavi", "Zoe"};
        for (int i = 0; i < altres.size(); ++i) {
            if (i > 3) addResource(altres[i], 0x10 + i);
            if (i != 1) addJob("Alfa", Dimecres, "10:00", "11:00", altres[i]);
        }
        addJob("Alfa", Dimecres, "08:00", "10:00", "Anna");
        addJob("Alfa", Dimecres, "16:00", "18:00", "Anna");
        addJob("Alfa", Dimecres.addDays(1), "08:00", "16:00", "Anna");
        addJob("Alfa", Dimecres.addDays(1), "09:00", "09:30", "Anna");
        Grava_Hores_Fetes(Decimal::fromRaw(12500), "Anna", Dimecres);
        tab->show();
        tab->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(tab.get()));
    }
    // The day's view; the last column with that header.
    int columna(const QDate& d, const QString& capcalera)
    {
        veu(QStringLiteral("dia"), d);
        tab->Omple_Agenda();
        for (int c = board()->Cols() - 1; c > 0; --c)
            if (board()->TextMatrix(0, c) == capcalera) return c;
        return 0;
    }
    Graella* hores() const { return tab->horesGrid(); }
    QRect cella(int c) const { return hores()->visualRect(hores()->model()->index(0, c)); }
    void clica(int c) const { QTest::mouseClick(hores()->viewport(), Qt::LeftButton, {}, cella(c).center()); }
    // Stored hours, fixed form; "" when there is no row.
    static QString desades(const QString& recurs)
    {
        QSqlQuery q = BD().query(QStringLiteral("SELECT hores_quantitat FROM Hores_Fetes WHERE recursos_nom = ?"),
                                 {recurs});
        return q.next() ? Decimal::fromVariant(q.value(0)).toFixed() : QString();
    }
};

} // namespace

class TestAgendaExtraHours : public SeamedTest {
    Q_OBJECT
private slots:
    void proposal_data();
    void proposal();
    void columnsThatOpenTheEditor_data();
    void columnsThatOpenTheEditor();
    void editorStoresOrKeeps_data();
    void editorStoresOrKeeps();
};

void TestAgendaExtraHours::proposal_data()
{
    QTest::addColumn<QString>("feines");   // occupied spans "hh:mm-hh:mm", blank-separated
    QTest::addColumn<int>("minuts");
    QTest::addColumn<bool>("calculxHores");
    QTest::addColumn<QDate>("dia");
    QTest::addColumn<bool>("festiusExtra");   // DissabtesExtra and DiumengesExtra
    QTest::addColumn<QString>("horesDia");
    QTest::addColumn<QString>("proposta");

    const QString dos = QStringLiteral("08:00-10:00 16:00-18:00");
    const QDate dissabte(2010, 3, 13), diumenge(2010, 3, 14);
    QTest::newRow("gaps outside lunch count: 8,5 - 8") << dos << 30 << false << Dimecres << true << "8" << "0.5";
    QTest::newRow("only occupied cells: 4 - 3") << dos << 30 << true << Dimecres << true << "3" << "1";
    QTest::newRow("only occupied cells, floored at 0") << dos << 30 << true << Dimecres << true << "8" << "0";
    QTest::newRow("Saturday: every hour") << dos << 30 << false << dissabte << true << "8" << "8.5";
    QTest::newRow("Saturday, setting off") << dos << 30 << false << dissabte << false << "8" << "0.5";
    QTest::newRow("Sunday: every hour") << dos << 30 << true << diumenge << true << "8" << "4";
    QTest::newRow("Sunday, setting off") << dos << 30 << true << diumenge << false << "3" << "1";
    QTest::newRow("gap cells beside lunch") << "12:00-13:00 15:30-16:00" << 30 << false << Dimecres << true << "2"
                                            << "0.5";
    QTest::newRow("no gap after the last job") << "08:00-09:00" << 30 << false << Dimecres << true << "0" << "1";
    QTest::newRow("ten-minute cells") << "08:00-09:10" << 10 << true << Dimecres << true << "0" << "1.1667";
    QTest::newRow("no job") << "" << 30 << false << dissabte << true << "0" << "0";
}

void TestAgendaExtraHours::proposal()
{
    QFETCH(QString, feines);
    QFETCH(int, minuts);
    QFETCH(bool, festiusExtra);
    QFETCH(QDate, dia);
    QFETCH(QString, horesDia);
    QFETCH(QString, proposta);
    ParametresHoresExtres p;
    p.minutsCella = minuts;
    QFETCH(bool, calculxHores);
    p.calculxHores = calculxHores;
    p.dissabtesExtra = p.diumengesExtra = festiusExtra;
    p.horesDia = *Decimal::parseFixed(horesDia);
    QList<CellaHores> celles;
    for (int m = 8 * 60; m < 20 * 60; m += minuts) {
        CellaHores c{Conv::hhmm(m), false};
        for (const QString& f : feines.split(u' ', Qt::SkipEmptyParts))
            c.ocupada = c.ocupada || (c.hora >= f.left(5) && c.hora < f.right(5));
        celles.append(c);
    }
    QCOMPARE(Calcula_Hores_Extres(celles, p, dia).toFixed(), proposta);
}

void TestAgendaExtraHours::columnsThatOpenTheEditor_data()
{
    QTest::addColumn<QString>("capcalera");   // the board column's header
    QTest::addColumn<QDate>("dia");
    QTest::addColumn<bool>("clic");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<QString>("proposta");
    const QDate dijous = Dimecres.addDays(1);
    QTest::newRow("records time") << "Anna" << Dimecres << true << true << "2,50";
    QTest::newRow("a resource's second column: the rows of both") << "Anna" << dijous << true << true << "2,00";
    QTest::newRow("records no time: Enter only") << "Pere" << Dimecres << false << true << "0,00";
    QTest::newRow("unassigned jobs") << "< >" << Dimecres << false << false << "";
    QTest::newRow("empty column") << "" << dijous << false << false << "";
    QTest::newRow("label column") << "label" << Dimecres << false << false << "";
}

void TestAgendaExtraHours::columnsThatOpenTheEditor()
{
    QFETCH(QString, capcalera);
    QFETCH(QDate, dia);
    QFETCH(bool, clic);
    QFETCH(bool, enter);
    QFETCH(QString, proposta);
    DiaHores p;
    const int c = p.columna(dia, capcalera);
    QCOMPARE(c == 0, capcalera == u"label");
    QLineEdit* t = p.tab->text1();
    for (bool perClic : {true, false}) {
        p.hores()->setCurrentCellAt(0, c);
        if (perClic) p.clica(c);
        else QTest::keyClick(p.hores(), Qt::Key_Return);
        QCOMPARE(t->isVisible(), perClic ? clic : enter);
        if (!t->isVisible()) continue;
        // The proposal, all selected, over the cell.
        QCOMPARE(t->selectedText(), proposta);
        QVERIFY(t->hasFocus());
        const QPoint origen = p.hores()->viewport()->mapTo(p.tab.get(), p.cella(c).topLeft());
        QCOMPARE(t->geometry(), QRect(origen, p.cella(c).size()));
        QTest::keyClick(t, Qt::Key_Escape);
        QVERIFY(!t->isVisible() && p.hores()->hasFocus());
    }
}

void TestAgendaExtraHours::editorStoresOrKeeps_data()
{
    QTest::addColumn<QString>("recurs");
    QTest::addColumn<QString>("typed");    // "<BS>" empties the box
    QTest::addColumn<int>("key");          // Tab: the focus leaves the box
    QTest::addColumn<QString>("desat");    // stored, fixed form ("" = no row)
    QTest::addColumn<QString>("cella");    // the row's cell afterwards
    QTest::addColumn<QString>("missatge");
    QTest::addColumn<QString>("despres");  // header of the row's current column afterwards

    const QString numeric = QStringLiteral("Les hores extra han de ser numèriques");
    const QString negatiu = QStringLiteral("No es pot introduir un valor negatiu");
    const QString dia = QStringLiteral("El valor no pot ser superior a 24 hores");
    const int enter = Qt::Key_Return, dreta = Qt::Key_Right, tab = Qt::Key_Tab;
    QTest::newRow("Enter: stored to the cent") << "Anna" << "3,456" << enter << "3.46" << "3,46" << "" << "Anna";
    QTest::newRow("keypad Enter, proposal") << "Anna" << "" << int(Qt::Key_Enter) << "2.5" << "2,50" << "" << "Anna";
    QTest::newRow("an empty box clears the hours") << "Anna" << "<BS>" << enter << "" << "0,00" << "" << "Anna";
    QTest::newRow("Escape keeps") << "Anna" << "7" << int(Qt::Key_Escape) << "1.25" << "1,25" << "" << "Anna";
    QTest::newRow("a typo is refused and kept") << "Anna" << "abc" << enter << "1.25" << "1,25" << numeric << "Anna";
    QTest::newRow("below 0 refused") << "Anna" << "-3" << enter << "1.25" << "1,25" << negatiu << "Anna";
    QTest::newRow("more than a day refused") << "Anna" << "25" << enter << "1.25" << "1,25" << dia << "Anna";
    QTest::newRow("a whole day") << "Anna" << "24" << enter << "24" << "24,00" << "" << "Anna";
    QTest::newRow("too large") << "Anna" << "99999999999999999" << enter << "1.25" << "1,25" << dia << "Anna";
    QTest::newRow("a typo refused on leaving") << "Anna" << "1,2x" << tab << "1.25" << "1,25" << numeric << "Anna";
    QTest::newRow("leaving stores") << "Anna" << "12,5" << tab << "12.5" << "12,50" << "" << "Anna";
    QTest::newRow("leaving refuses") << "Anna" << "1.234,5" << tab << "1.25" << "1,25" << dia << "Anna";
    QTest::newRow("right arrow: stored, moves") << "Anna" << "4" << dreta << "4" << "4,00" << "" << "Pere";
    QTest::newRow("left arrow: stored, moves") << "Anna" << "4" << int(Qt::Key_Left) << "4" << "4,00" << "" << "< >";
    QTest::newRow("right arrow, last column: stored, stays") << "Zoe" << "5" << dreta << "5" << "5,00" << "" << "Zoe";
}

void TestAgendaExtraHours::editorStoresOrKeeps()
{
    QFETCH(QString, recurs);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, desat);
    QFETCH(QString, cella);
    QFETCH(QString, missatge);
    QFETCH(QString, despres);
    DiaHores p;
    const int c = p.columna(Dimecres, recurs);
    p.clica(c);
    QLineEdit* t = p.tab->text1();
    QVERIFY(t->isVisible());
    if (typed == u"<BS>") QTest::keyClick(t, Qt::Key_Backspace);
    else QTest::keyClicks(t, typed);
    QTest::keyClick(t, Qt::Key(key));
    QVERIFY(!t->isVisible());
    QCOMPARE(DiaHores::desades(recurs), desat);
    QCOMPARE(p.hores()->TextMatrix(0, c), cella);
    QCOMPARE(MsgBox::shown().size(), missatge.isEmpty() ? 0 : 1);
    if (!missatge.isEmpty()) QCOMPARE(MsgBox::shown()[0].text, missatge);
    QCOMPARE(p.board()->TextMatrix(0, p.hores()->Col()), despres);
}

QTEST_MAIN(TestAgendaExtraHours)
#include "TestAgendaExtraHours.moc"
