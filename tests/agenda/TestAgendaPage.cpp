// The agenda tab on screen (offscreen): what a rebuild writes into the board
// and how many statements it runs, a failed rebuild, the calendar's date
// click in each view, and the sites palette with its type-to-find.
#include "MessageBox.h"
#include "PaginaAgenda.h"
#include "Principal.h"
#include "TestSupport.h"

#include <QFontDatabase>
#include <QPushButton>
#include <QTest>

using namespace TestSupport;
using namespace AgendaTest;

class TestAgendaPage : public SeamedTest {
    Q_OBJECT
private slots:
    void rebuildWritesTheLayoutWithFewStatements_data();
    void rebuildWritesTheLayoutWithFewStatements();
    void weekBoardCellsOnScreen();
    void failedRebuildResumesDrawingAndStaysPending();
    void dateClick_data();
    void dateClick();
    void sitesPaletteFillAndTypeToFind_data();
    void sitesPaletteFillAndTypeToFind();
};

void TestAgendaPage::rebuildWritesTheLayoutWithFewStatements_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("statements");
    QTest::addColumn<int>("columns");
    QTest::newRow("month: the jobs") << "mes" << 1 << 8;
    QTest::newRow("week: the jobs with their colours") << "setmana" << 1 << 8;
    QTest::newRow("day: the jobs with their colours, the extra hours") << "dia" << 2 << 8;
}

void TestAgendaPage::rebuildWritesTheLayoutWithFewStatements()
{
    QFETCH(QString, mode);
    QFETCH(int, statements);
    QFETCH(int, columns);
    Pagina p;
    const QDate dia(2010, 3, 10);
    const int alfa = addJob("Alfa", dia, "09:00", "10:00", "Equip");
    const int beta = addJob("Beta", dia, "11:00", "12:00", "Sols");
    for (int i = 0; i < 20; ++i)
        addJob("Gamma", dia.addDays(i % 5 - 2), QStringLiteral("%1:00").arg(12 + i / 5),
               QStringLiteral("%1:30").arg(12 + i / 5), i % 2 ? "Anna" : QString());
    // Stored last, starts first.
    const int aviat = addJob("Beta", dia, "08:00", "08:30");
    BD().exec(QStringLiteral("INSERT INTO Hores_Fetes (recursos_nom, hores_data, hores_quantitat) VALUES ('Anna', ?, 25000)"),
              {dia.toString(Qt::ISODate)});
    p.veu(mode, dia);
    G.AgendaPendent = true;
    p.tab->imprimirFeines()->setEnabled(true);
    QCOMPARE(statementsOf([&] { crida(Principal().Omple_Agenda); }), qint64(statements));
    QVERIFY(!G.AgendaPendent);
    QVERIFY(!p.tab->imprimirFeines()->isEnabled());
    QVERIFY(p.board()->Redraw());
    QVERIFY(MsgBox::shown().isEmpty());
    Graella* g = p.board();
    const DisposicioAgenda& d = p.tab->disposicio();
    QCOMPARE(g->Rows(), d.files);
    QCOMPARE(g->Cols(), d.columnes);
    QVERIFY(d.columnes >= columns);
    QCOMPARE(g->size(), d.midaTauler);
    QCOMPARE(p.tab->AltFila, d.altFila);
    QCOMPARE(p.tab->AmpleColumna, d.ampleColumna);
    QCOMPARE(g->RowHeight(1), d.altFila);
    QCOMPARE(g->ColWidth(1), d.ampleColumna);
    QCOMPARE(p.tab->horesGrid()->isVisibleTo(p.tab.get()), mode == u"dia");
    // Every cell's text and job ids, as the layout has them.
    for (int r = 0; r < d.files; ++r)
        for (int c = 0; c < d.columnes; ++c) {
            QCOMPARE(g->TextMatrix(r, c), d.cella(r, c).text);
            QCOMPARE(p.tab->feinesCella(r, c), d.cella(r, c).feines);
        }
    if (mode == u"mes") {
        // A day's jobs in start order, whatever the order they were stored in.
        QCOMPARE(p.tab->feinesCella(2, 3).mid(0, 3), QList<qint32>({aviat, alfa, beta}));
        QVERIFY(g->TextMatrix(2, 3).startsWith(QStringLiteral("08:00 Beta\r\n09:00 Alfa\r\n11:00 Beta\r\n")));
    } else if (mode == u"setmana") {
        QCOMPARE(p.tab->feinesCella(3, 3), QList<qint32>{alfa});
        QCOMPARE(g->CellBackColor(3, 3), Graella::colorFromValue(0x00FF00));
    } else {
        // The team's job in each member's column; the team without members under its own name.
        Graella* h = p.tab->horesGrid();
        QStringList capcaleres;
        for (int c = 1; c < g->Cols(); ++c) capcaleres << g->TextMatrix(0, c);
        const int anna = capcaleres.indexOf(QStringLiteral("Anna")) + 1;
        const int pere = capcaleres.indexOf(QStringLiteral("Pere")) + 1;
        const int sols = capcaleres.indexOf(QStringLiteral("Sols")) + 1;
        QVERIFY(anna > 0 && pere > 0 && sols > 0);
        QCOMPARE(g->TextMatrix(0, 1), G.TexteNoAsignada);   // unassigned jobs sort first
        QCOMPARE(g->TextMatrix(3, anna), QStringLiteral("Alfa"));
        QCOMPARE(g->TextMatrix(3, pere), QStringLiteral("Alfa"));
        QCOMPARE(p.tab->feinesCella(3, pere), QList<qint32>{alfa});
        QCOMPARE(g->CellBackColor(3, pere), Graella::colorFromValue(Blau));
        QCOMPARE(g->TextMatrix(7, sols), QStringLiteral("Beta"));
        QCOMPARE(h->Cols(), g->Cols());
        QCOMPARE(h->TextMatrix(0, 0), QStringLiteral("Hores extra"));
        QCOMPARE(h->TextMatrix(0, anna), QStringLiteral("2,50"));
        QCOMPARE(h->TextMatrix(0, pere), QString());   // Pere records no time
        QCOMPARE(h->ColWidth(anna), g->ColWidth(anna));
        QCOMPARE(h->width(), g->width());
        QVERIFY(h->y() >= g->geometry().bottom());
    }
}

void TestAgendaPage::weekBoardCellsOnScreen()
{
    Pagina p;
    addJob("Alfa", QDate(2010, 3, 8), "09:00", "10:30", "Pere", true);
    const int a = addJob("Beta", QDate(2010, 3, 11), "10:00", "11:00", "Anna");
    const int b = addJob("Gamma", QDate(2010, 3, 11), "10:30", "11:30", "Pere");
    addSite("Ca l'Anna", "Client");
    addJob("Ca l'Anna", QDate(2010, 3, 12), "09:00", "09:30");
    p.veu(QStringLiteral("setmana"), QDate(2010, 3, 10));
    Graella* g = p.board();
    p.tab->Omple_Agenda();
    g->setCurrentCellAt(6, 6);
    p.tab->Omple_Agenda();
    QCOMPARE(QPoint(g->Col(), g->Row()), QPoint(6, 6));   // the current cell is kept
    // A done job of a past day: one merged block, underlined and bold.
    QCOMPARE(g->MergedRange(4, 1), QRect(1, 3, 1, 3));
    QVERIFY(g->CellFontUnderline(4, 1) && g->CellFontBold(4, 1));
    QCOMPARE(g->CellBackColor(4, 1), Graella::colorFromValue(Blau));
    QCOMPARE(Graella::readableOn(g->CellBackColor(4, 1)), QColor(Qt::white));
    // Two different jobs in one cell: the marker on the fixed-cell colour, both ids kept.
    QCOMPARE(g->TextMatrix(6, 4), G.TexteVaris);
    QCOMPARE(g->CellBackColor(6, 4), g->BackColorFixed());
    QCOMPARE(p.tab->feinesCella(6, 4), QList<qint32>({a, b}));
    QCOMPARE(TabAgenda::feinesCella(g, 5, 4), QList<qint32>{a});
    // Headings: lunch labels in the Sunday colour and a fixed font; the others in the fixed-cell colour.
    QCOMPARE(g->CellBackColor(12, 0), Graella::colorFromValue(G.ColorDiumenge));   // 13:30
    QCOMPARE(g->CellBackColor(15, 0), g->BackColorFixed());                         // 15:00
    QCOMPARE(g->CellFontName(3, 0), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    QVERIFY(g->MergeCol(2) && !g->MergeCol(0));
    // Names reach the database as bound values, apostrophes and all.
    QCOMPARE(g->TextMatrix(3, 5), QStringLiteral("Ca l'Anna"));
    QCOMPARE(p.tab->llocsGrid()->toolTip(), QStringLiteral("Fés DblClick o arrossega"));
    QCOMPARE(p.tab->recursosGrid()->toolTip(), QStringLiteral("Fés Click, DblClick o arrossega"));
    QCOMPARE(p.tab->periode(), qMakePair(QDate(2010, 3, 8), QDate(2010, 3, 14)));
}

void TestAgendaPage::failedRebuildResumesDrawingAndStaysPending()
{
    Pagina p;
    p.tab->Omple_Agenda();
    const QString cantonada = p.board()->TextMatrix(0, 0);
    BD().exec(QStringLiteral("DROP TABLE Hores_Fetes"));
    p.veu(QStringLiteral("dia"), QDate(2010, 3, 10));
    G.AgendaPendent = true;
    p.tab->imprimirFeines()->setEnabled(true);
    p.tab->Omple_Agenda();
    QCOMPARE(MsgBox::shown().size(), 1);
    QVERIFY(MsgBox::shown()[0].text.startsWith(QStringLiteral("Error:")));
    QVERIFY(MsgBox::shown()[0].text.contains(QStringLiteral("Hores_Fetes")));
    QVERIFY(MsgBox::shown()[0].title.isEmpty());
    QVERIFY(p.board()->Redraw() && p.board()->updatesEnabled());
    QVERIFY(G.AgendaPendent);
    QVERIFY(p.tab->imprimirFeines()->isEnabled());
    QCOMPARE(p.board()->TextMatrix(0, 0), cantonada);   // the last board stays
}

void TestAgendaPage::dateClick_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QDate>("shown");
    QTest::addColumn<QDate>("clicked");
    QTest::addColumn<bool>("rebuilds");
    QTest::addColumn<QDate>("dataAgenda");
    QTest::addColumn<QDate>("iniciSetmana");
    QTest::addColumn<QDate>("calendari");
    QTest::addColumn<QPoint>("cella");   // month view: the selected cell (x = column)

    const QDate marc(2010, 3, 10);
    QTest::newRow("month, same month") << "mes" << marc << QDate(2010, 3, 17) << false << QDate(2010, 3, 17)
                                       << QDate(2010, 3, 8) << QDate(2010, 3, 17) << QPoint(3, 3);
    QTest::newRow("month, a day of the next month shown in the last row")
        << "mes" << marc << QDate(2010, 4, 2) << true << QDate(2010, 4, 2) << QDate(2010, 3, 29)
        << QDate(2010, 4, 2) << QPoint(5, 1);
    QTest::newRow("month, a year later") << "mes" << marc << QDate(2011, 3, 15) << true << QDate(2011, 3, 15)
                                         << QDate(2011, 3, 14) << QDate(2011, 3, 15) << QPoint(2, 3);
    QTest::newRow("week, a day of the shown week") << "setmana" << marc << QDate(2010, 3, 11) << false
                                                   << QDate(2010, 3, 8) << QDate(2010, 3, 8) << QDate(2010, 3, 8)
                                                   << QPoint();
    QTest::newRow("week, another week") << "setmana" << marc << QDate(2010, 3, 25) << true << QDate(2010, 3, 22)
                                        << QDate(2010, 3, 22) << QDate(2010, 3, 22) << QPoint();
    QTest::newRow("day, the shown day") << "dia" << marc << marc << false << marc << QDate(2010, 3, 8) << marc
                                        << QPoint();
    QTest::newRow("day, another day") << "dia" << marc << QDate(2010, 3, 16) << true << QDate(2010, 3, 16)
                                      << QDate(2010, 3, 15) << QDate(2010, 3, 16) << QPoint();
}

void TestAgendaPage::dateClick()
{
    QFETCH(QString, mode);
    QFETCH(QDate, shown);
    QFETCH(QDate, clicked);
    QFETCH(bool, rebuilds);
    QFETCH(QDate, dataAgenda);
    QFETCH(QDate, iniciSetmana);
    QFETCH(QDate, calendari);
    QFETCH(QPoint, cella);
    Pagina p;
    p.veu(mode, shown);
    p.tab->Omple_Agenda();
    // The calendar shows the clicked day, as a user's pick leaves it.
    p.tab->calendari()->setDateValue(clicked);
    const qint64 n = statementsOf([&] { emit p.tab->calendari()->DateClick(clicked); });
    QCOMPARE(n > 0, rebuilds);
    QCOMPARE(G.DataAgenda, dataAgenda);
    QCOMPARE(G.DataIniciSetmana, iniciSetmana);
    QCOMPARE(G.ModeAgenda, mode);
    QCOMPARE(p.tab->calendari()->dateValue(), calendari);
    if (!cella.isNull()) {
        QCOMPARE(QPoint(p.board()->Col(), p.board()->Row()), cella);
        QCOMPARE(dataCellaMes(cella.y(), cella.x(), G.DataIniciMes), clicked);
        QCOMPARE(p.board()->TextMatrix(0, 0), QString::number(clicked.year()));
    }
    QVERIFY(MsgBox::shown().isEmpty());
}

void TestAgendaPage::sitesPaletteFillAndTypeToFind_data()
{
    QTest::addColumn<QStringList>("llocs");   // as stored
    QTest::addColumn<QStringList>("paleta");  // as listed
    QTest::addColumn<QString>("keys");        // typed one after another
    QTest::addColumn<QList<int>>("rows");     // row selected after each key

    const QStringList abg{"Alfa", "Beta", "Gamma"};
    QTest::newRow("B, Z, A") << QStringList{"Gamma", "Alfa", "Beta"} << abg << "BZA" << QList<int>{1, 2, 0};
    QTest::newRow("small first name takes every letter") << QStringList{"Beta", "alfa", "Gamma"}
                                                         << QStringList{"alfa", "Beta", "Gamma"} << "BGZ"
                                                         << QList<int>{0, 0, 0};
    QTest::newRow("empty table: one empty row") << QStringList{} << QStringList{""} << "A" << QList<int>{0};
}

void TestAgendaPage::sitesPaletteFillAndTypeToFind()
{
    QFETCH(QStringList, llocs);
    QFETCH(QStringList, paleta);
    QFETCH(QString, keys);
    QFETCH(QList<int>, rows);
    Pagina p(llocs);
    Graella* g = p.tab->llocsGrid();
    crida(Principal().Omple_Graella_Llocs);
    QStringList llista;
    for (int r = 0; r < g->Rows(); ++r) llista << g->TextMatrix(r, 0);
    QCOMPARE(llista, paleta);
    QCOMPARE(g->Cols(), 1);
    // One row visible, so that the found site can scroll to the top.
    g->resize(g->width(), g->RowHeight(0) + 2 * g->frameWidth());
    p.tab->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.tab.get()));
    for (int i = 0; i < keys.size(); ++i) {
        QTest::keyClick(g, Qt::Key(keys[i].unicode()));
        QCOMPARE(g->Row(), rows[i]);
        if (g->Rows() > 1) QCOMPARE(g->TopRow(), rows[i]);
    }
    if (g->Rows() == 3) {
        // The arrows are the grid's own: they walk on from the selected row.
        g->setCurrentCellAt(0, 0);
        QTest::keyClick(g, Qt::Key_Down);
        QTest::keyClick(g, Qt::Key_Down);
        QCOMPARE(g->Row(), 2);
    }
}

QTEST_MAIN(TestAgendaPage)
#include "TestAgendaPage.moc"
