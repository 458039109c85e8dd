// The board's clicks and keys: the planning run from a month cell (and no
// click taken while it goes on), the tooltip of a planned month cell, double clicks between the views, opening
// a job, Enter, Space and Delete, the print buttons, and the same handlers
// reached through real mouse and key events.
#include "Feines.h"
#include "IniFile.h"
#include "MessageBox.h"
#include "PaginaAgenda.h"
#include "PdfFixtures.h"
#include "Pistrel.h"
#include "Registre.h"
#include "frmMissatges.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

using namespace TestSupport;
using namespace AgendaTest;

namespace {

const QDate Dimecres(2010, 3, 10);   // today
const QPoint ObreFeina(-1, -1);      // a double click's outcome: the job opened in the dialog


// A press and its click on a board cell; the tooltip it leaves, if any.
Pistrel* clica(Pagina& p, int fila, int col)
{
    p.tab->AgendaGrid_MouseDown(Qt::LeftButton, p.centre(fila, col));
    p.tab->AgendaGrid_Click();
    return qobject_cast<Pistrel*>(p.tab->Globus.data());
}

} // namespace

class TestAgendaActions : public SeamedTest {
    Q_OBJECT
private slots:
    void planningRunFromAMonthCell_data()
    {
        QTest::addColumn<int>("resposta");
        QTest::addColumn<bool>("falla");        // the database refuses the run's jobs
        QTest::addColumn<bool>("clicDurant");   // the board is clicked while the run goes on
        QTest::newRow("No changes nothing") << int(MsgBox::No) << false << false;
        QTest::newRow("Yes plans up to the cell") << int(MsgBox::Yes) << false << false;
        QTest::newRow("a failed run keeps the last planned day") << int(MsgBox::Yes) << true << false;
        QTest::newRow("a click during the run is not taken") << int(MsgBox::Yes) << false << true;
    }
    void planningRunFromAMonthCell()
    {
        QFETCH(int, resposta);
        QFETCH(bool, falla);
        QFETCH(bool, clicDurant);
        Pagina p;
        G.UltimDiaGen = QDate(2010, 3, 14);
        BD().exec(QStringLiteral("UPDATE Llocs SET llocs_periodicitat_dies = 7 WHERE llocs_nom = 'Alfa'"));
        if (falla) BD().exec(QStringLiteral("CREATE TRIGGER f BEFORE INSERT ON Feines BEGIN SELECT RAISE(ABORT, 'ple'); END"));
        QString estat = QStringLiteral("-");
        Principal().Mostra_Estat = [&](const QString& t) { estat = t; };
        p.tab->Omple_Agenda();
        G.AgendaPendent = true;
        MsgBox::pushAnswer(MsgBox::Answer(resposta));
        // With the log window, the run lets the window system in; a click on
        // 25 March taken then would start a second run inside the first.
        const auto treuFinestra = qScopeGuard([] {
            frmMissatges::descarrega();
            Registre_Missatges::setSink(nullptr);
        });
        bool clicat = false;
        if (clicDurant) {
            frmMissatges::instalaRegistre();
            p.tab->show();
            QTimer::singleShot(0, p.board(), [&] {
                clicat = frmMissatges::instancia() && frmMissatges::instancia()->enCurs();
                QTest::mouseClick(p.board()->viewport(), Qt::LeftButton, {}, p.centre(4, 4));
            });
        }
        clica(p, 4, 3);   // 24 March: an empty cell after the last planned day
        QCOMPARE(clicat, clicDurant);

        const auto& shown = MsgBox::shown();
        QCOMPARE(shown.size(), falla ? 2 : 1);
        QCOMPARE(shown[0].text, QStringLiteral("Vols generar les feines des del 15/03/2010 fins al 24/03/2010 ?"));
        QCOMPARE(shown[0].title, QStringLiteral("GENERACIO DE FEINES PLANIFICADES"));
        if (falla) QVERIFY(shown[1].text.startsWith(QStringLiteral("Error en Planificar_Feines:")));
        const bool desat = resposta == MsgBox::Yes && !falla;
        QCOMPARE(G.UltimDiaGen, desat ? QDate(2010, 3, 24) : QDate(2010, 3, 14));
        QCOMPARE(G.AgendaPendent, resposta == MsgBox::No);   // every run rebuilds the board
        QCOMPARE(BD().scalar(QStringLiteral("SELECT count(*) FROM Feines")).toInt() > 0, desat);
        QCOMPARE(G.FacturacioPendent, desat);
        QCOMPARE(estat, desat ? QStringLiteral("Últim dia planificat 24/03/2010") : QStringLiteral("-"));
        QCOMPARE(IniFile::read(iniPath(), QStringLiteral("Estat"), QStringLiteral("UltimDiaGen"), QStringLiteral("cap")),
                 desat ? QStringLiteral("2010-03-24") : QStringLiteral("cap"));
        if (!clicDurant) return;
        // Once the run ended the board takes the same click again.
        MsgBox::pushAnswer(MsgBox::No);
        QTest::mouseClick(p.board()->viewport(), Qt::LeftButton, {}, p.centre(4, 4));
        QCOMPARE(MsgBox::shown().size(), 2);
        QCOMPARE(MsgBox::shown()[1].text, QStringLiteral("Vols generar les feines des del 25/03/2010 fins al 25/03/2010 ?"));
    }

    void monthCellTooltip()
    {
        Pagina p;
        G.UltimDiaGen = QDate(2010, 3, 14);
        addJob("Alfa", Dimecres, "09:00", "10:00", "Anna");
        addJob("Beta", Dimecres, "11:00", "12:00");
        p.tab->Omple_Agenda();
        Pistrel* globus = clica(p, 2, 3);
        QVERIFY(globus && globus->isArmed());
        const PistrelProperties& pr = globus->properties();
        QCOMPARE(std::tuple(pr.Delay, pr.ColorFondo, pr.ColorTexto, pr.EstiloFondo, pr.Sombra, pr.Duracion),
                 std::tuple(0, 0xFFFFu, 0u, 1, true, 1000));
        QCOMPARE(std::tuple(pr.EstiloToolTip, pr.TamañoIcono, pr.Fuente), std::tuple(0, 16, QStringLiteral("Arial")));
        QCOMPARE(globus->title(), QStringLiteral(" dimecres 10/03/2010"));
        QCOMPARE(globus->text(), QStringLiteral("09:00 Alfa\r\n11:00 Beta"));
        QCOMPARE(globus->owner(), p.board());
        // The next press releases it, an empty planned day shows none, a rebuild releases it.
        QPointer<QObject> anterior = globus;
        QVERIFY(!clica(p, 2, 4));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!anterior);
        anterior = clica(p, 2, 3);
        p.veu(QStringLiteral("setmana"), Dimecres);
        p.tab->Omple_Agenda();
        QVERIFY(!anterior);
        QVERIFY(!clica(p, 3, 3));   // no tooltip in the week view
        QVERIFY(MsgBox::shown().isEmpty());
    }

    void doubleClickNavigation_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QPoint>("cella");   // x = column
        QTest::addColumn<QDate>("calendari");
        QTest::addColumn<QString>("nouMode");
        QTest::addColumn<QDate>("dataAgenda");
        QTest::addColumn<QDate>("nouCalendari");
        QTest::addColumn<QPoint>("actual");  // month view: the current cell on DataAgenda
        const QDate dl(2010, 3, 8), dc = Dimecres;
        auto fila = [](const char* nom, const char* mode, QPoint cella, QDate cal, const char* nou, QDate data,
                       QDate nouCal, QPoint actual = {}) {
            QTest::newRow(nom) << mode << cella << cal << nou << data << nouCal << actual;
        };
        fila("month: a day opens that day", "mes", {3, 3}, dc, "dia", QDate(2010, 3, 17), QDate(2010, 3, 17));
        fila("month: a week's label opens that week", "mes", {0, 3}, dc, "setmana", QDate(2010, 3, 15), QDate(2010, 3, 15));
        fila("month: a heading does nothing", "mes", {3, 0}, dc, "mes", dc, dc);
        fila("week: a day's heading opens that day", "setmana", {4, 0}, dl, "dia", QDate(2010, 3, 11), QDate(2010, 3, 11));
        fila("week: the corner, the month on the calendar's date", "setmana", {0, 0}, dl, "mes", dl, dl, {1, 2});
        fila("day: the corner, the month", "dia", {0, 0}, dc, "mes", dc, dc, {3, 2});
        fila("day: an empty cell opens the calendar date's week", "dia", {2, 5}, dc, "setmana", dc, dl);
        fila("day: a time label does nothing", "dia", {0, 5}, dc, "dia", dc, dc);
        fila("week: a job opens in the dialog", "setmana", {3, 3}, dl, "setmana", dc, dl, ObreFeina);
        fila("day: a job opens in the dialog", "dia", {1, 3}, dc, "dia", dc, dc, ObreFeina);
    }
    void doubleClickNavigation()
    {
        QFETCH(QString, mode);
        QFETCH(QPoint, cella);
        QFETCH(QDate, calendari);
        QFETCH(QString, nouMode);
        QFETCH(QDate, dataAgenda);
        QFETCH(QDate, nouCalendari);
        QFETCH(QPoint, actual);
        Pagina p;
        G.UltimDiaGen = QDate(2010, 12, 31);   // month clicks plan nothing
        // It starts inside its first cell: the row's time finds no job, the cell's id does.
        const int id = addJob("Alfa", Dimecres, "09:15", "10:00", "Anna");
        p.veu(mode, Dimecres);
        p.tab->calendari()->setDateValue(calendari);
        p.tab->Omple_Agenda();
        int xecs = 0;
        Principal().Omple_Xecs_Client = [&] { ++xecs; };
        QList<int> oberts;
        p.tab->obreFeina = [&] { oberts << G.FeinaActual.Id; G.FeinaActual.Missatge = QStringLiteral("OK"); };
        p.tab->AgendaGrid_MouseDown(Qt::LeftButton, p.centre(cella.y(), cella.x()));
        p.tab->AgendaGrid_DblClick();
        const bool obre = actual == ObreFeina;
        QCOMPARE(oberts, obre ? QList<int>{id} : QList<int>{});
        QCOMPARE(std::tuple(xecs, G.FacturacioPendent, G.FeinaActual.Missatge), std::tuple(int(obre), obre, QString()));
        QCOMPARE(G.ModeAgenda, nouMode);
        QCOMPARE(G.DataAgenda, dataAgenda);
        QCOMPARE(G.DataIniciSetmana, iniciSetmana(dataAgenda, G.PrimerDiaSetmana));
        QCOMPARE(p.tab->calendari()->dateValue(), nouCalendari);
        QCOMPARE(p.tab->disposicio().vista, *vistaDeMode(nouMode));
        if (!actual.isNull() && !obre) QCOMPARE(QPoint(p.board()->Col(), p.board()->Row()), actual);
        QVERIFY(MsgBox::shown().isEmpty());
    }

    void keysOnTheBoard_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QPoint>("cella");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("resposta");   // -1: no question
        QTest::addColumn<QStringList>("missatges");
        QTest::addColumn<QString>("fetes");   // done flag of each job, "-" when deleted
        QTest::addColumn<bool>("facturada");   // an invoice billed the done job (its quota share and a cheque)
        const QString pregunta = QStringLiteral("Eliminar feina  'Alfa' del 10/03/2010 ?");
        const QString desfer = QStringLiteral("La feina 'Gamma' del 09/03/2010 es va facturar el 10/03/2010 i se'n "
                                              "desfarà la factura. Marcar-la com a no feta igualment?");
        auto fila = [](const char* nom, const char* mode, QPoint cella, int tecla, int resposta,
                       const QStringList& missatges, const char* fetes = "0001", bool facturada = false) {
            QTest::newRow(nom) << mode << cella << tecla << resposta << missatges << fetes << facturada;
        };
        const int enter = Qt::Key_Return, espai = Qt::Key_Space, supr = Qt::Key_Delete, si = MsgBox::Yes;
        fila("Enter on a several-jobs cell", "setmana", {4, 5}, enter, -1, {"Hi ha varies feines en la cel·la"});
        fila("Enter opens the job, closed unsaved", "dia", {2, 7}, enter, -1, {}, "0001+");
        fila("Space marks a job done", "setmana", {3, 7}, espai, -1, {}, "0101");
        fila("Space in the day view", "dia", {2, 7}, espai, -1, {}, "0101");
        fila("Space refused in the core's words", "setmana", {5, 3}, espai, -1, {"Una feina futura no pot estar feta"});
        fila("Space on a done job no invoice billed: no question", "setmana", {2, 13}, espai, -1, {}, "0000");
        fila("Space on an invoiced job, No: nothing changes", "setmana", {2, 13}, espai, int(MsgBox::No), {desfer},
             "0001", true);
        fila("Space on an invoiced job, Yes: its invoice undone", "setmana", {2, 13}, espai, si, {desfer}, "0000", true);
        fila("Delete, Yes", "setmana", {3, 3}, supr, si, {pregunta}, "-001");
        fila("Delete, No", "setmana", {3, 3}, supr, int(MsgBox::No), {pregunta});
        fila("Delete refused for a done job", "setmana", {2, 13}, supr, si,
             {"Eliminar feina Anna 'Gamma' del 09/03/2010 ?", "No es pot esborrar una feina feta"});
        fila("an empty cell", "setmana", {6, 6}, espai, -1, {});
        fila("Space in the month view", "mes", {3, 2}, espai, -1, {});
    }
    void keysOnTheBoard()
    {
        QFETCH(QString, mode);
        QFETCH(QPoint, cella);
        QFETCH(int, tecla);
        QFETCH(int, resposta);
        QFETCH(QStringList, missatges);
        QFETCH(QString, fetes);
        QFETCH(bool, facturada);
        Pagina p;
        const QString anna = QStringLiteral("Anna");
        const QList<int> ids{addJob("Alfa", Dimecres, "09:00", "10:00"),
                             addJob("Beta", Dimecres, "11:00", "12:00", anna),
                             addJob("Gamma", QDate(2010, 3, 12), "09:00", "10:00", anna),
                             addJob("Gamma", QDate(2010, 3, 9), "14:00", "15:00", anna, true)};
        // Two different jobs at 10:00 on Thursday.
        addJob("Beta", Dimecres.addDays(1), "10:00", "11:00", anna);
        addJob("Gamma", Dimecres.addDays(1), "10:00", "11:00", "Pere");
        const QString marques = QStringLiteral("SELECT coalesce(feines_data_factura, '-') || ' ' || feines_quota || ' ' || "
                                               "(SELECT count(*) FROM Xecs WHERE feines_id = f.feines_id) "
                                               "FROM Feines f WHERE feines_id = ?");
        if (facturada) {
            BD().exec(QStringLiteral("UPDATE Feines SET feines_data_factura = '2010-03-10', feines_quota = 50000 "
                                     "WHERE feines_id = ?"), {ids[3]});
            BD().exec(QStringLiteral("INSERT INTO Xecs (clients_nom, xecs_valor, xecs_data_entrega, xecs_data_liquidat, "
                                     "feines_id) VALUES ('Client', 100000, '2010-01-01', '2010-03-10', ?)"), {ids[3]});
        }
        p.veu(mode, Dimecres);
        p.tab->Omple_Agenda();
        int oberts = 0;
        p.tab->obreFeina = [&] { oberts += G.FeinaActual.Id == ids[1]; };
        if (resposta >= 0) MsgBox::pushAnswer(MsgBox::Answer(resposta));
        p.board()->setCurrentCellAt(cella.y(), cella.x());
        QVERIFY(p.tab->AgendaGrid_KeyDown(tecla));
        QCOMPARE(shownTexts(), missatges);
        if (resposta >= 0) QCOMPARE(MsgBox::shown()[0].title, QStringLiteral("CONFIRMACIO"));
        QString despres;
        for (int id : ids) despres += Llegeix_Feina(id).Id ? QString::number(Llegeix_Feina(id).Feta) : QStringLiteral("-");
        QCOMPARE(despres + QString(oberts, u'+'), fetes);
        // An invoiced job keeps its invoice, quota share and cheque while done.
        QCOMPARE(BD().scalar(marques, {ids[3]}).toString(),
                 facturada && fetes[3] == u'1' ? QStringLiteral("2010-03-10 50000 1") : QStringLiteral("- 0 0"));
        QCOMPARE(G.FacturacioPendent, !fetes.startsWith(u"0001"));
        QCOMPARE(G.FeinaActual.Id, 0);
        QVERIFY(!p.tab->AgendaGrid_KeyDown(Qt::Key_A));   // other keys are the grid's
    }

    // The board's print, in each view, prints every text the board shows; the
    // jobs list prints the resource pressed in the palette (in any view), then
    // waits for the next press.
    void printButtons_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("month") << "mes";
        QTest::newRow("week") << "setmana";
        QTest::newRow("day") << "dia";
    }
    void printButtons()
    {
        QFETCH(QString, mode);
        Pagina p({QStringLiteral("Alfa"), QStringLiteral("Ca l'Anna")});
        PdfFixtures::CarpetaPdf carpeta;
        addJob("Alfa", QDate(2010, 3, 8), "09:00", "10:30", "Pere", true);
        addJob("Ca l'Anna", Dimecres, "10:00", "11:00", "Anna");
        addJob("Alfa", Dimecres, "12:00", "13:00");
        p.veu(mode, Dimecres);
        p.tab->Omple_Agenda();
        QStringList estats;
        Principal().Mostra_Estat = [&](const QString& t) { estats << t; };
        p.tab->imprimirAgenda()->click();
        // Blanks aside: the PDF's text spaces narrow gaps as it likes ("< >").
        const auto senseBlancs = [](QString s) { return s.remove(QRegularExpression(QStringLiteral("\\s"))); };
        const QString t = senseBlancs(PdfFixtures::text(carpeta.unic()));
        QVERIFY(t.contains(QStringLiteral("Cal'Anna")));
        QStringList falten;
        const Graella* g = p.board();
        for (int r = 0; r < g->Rows(); ++r)
            for (int c = 0; c < g->Cols(); ++c)
                for (const QString& linia : g->TextMatrix(r, c).split(u'\n', Qt::SkipEmptyParts))
                    if (!t.contains(senseBlancs(linia))) falten << linia;
        QVERIFY2(falten.isEmpty(), qPrintable(falten.join(u'|') + "\n" + t));

        QPushButton* boto = p.tab->imprimirFeines();
        p.ompleRecursos({QStringLiteral("Anna"), QStringLiteral("Pere")});
        QVERIFY(!boto->isEnabled());
        p.tab->RecursosGrid_MouseDown(Pagina::centre(p.tab->recursosGrid(), 0, 0));
        boto->click();
        QVERIFY(!boto->isEnabled());
        QCOMPARE(estats.size(), 2);
        QCOMPARE(estats[0], QStringLiteral("Document desat a ") + carpeta.fitxers().first());
        QVERIFY(PdfFixtures::text(estats[1].mid(17)).contains(QStringLiteral("Ca l'Anna")));
        p.tab->RecursosGrid_MouseDown(Pagina::centre(p.tab->recursosGrid(), 1, 0));
        QVERIFY(boto->isEnabled());
        QVERIFY(MsgBox::shown().isEmpty());
    }

    void realEventsReachTheHandlers()
    {
        Pagina p;
        G.UltimDiaGen = QDate(2010, 3, 14);
        const int id = addJob("Alfa", Dimecres, "09:00", "10:00", "Anna");
        p.tab->Omple_Agenda();
        p.tab->show();
        p.tab->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.tab.get()));
        QWidget* vp = p.board()->viewport();
        QTest::mouseClick(vp, Qt::LeftButton, {}, p.centre(2, 3));
        QVERIFY(qobject_cast<Pistrel*>(p.tab->Globus.data()));
        QTest::mouseDClick(vp, Qt::LeftButton, {}, p.centre(2, 3));
        QTest::mouseRelease(vp, Qt::LeftButton, {}, p.centre(2, 3));   // no click of its own
        QCOMPARE(G.ModeAgenda, QStringLiteral("dia"));
        QTest::mouseClick(vp, Qt::LeftButton, {}, p.centre(3, 1));
        QCOMPARE(std::pair(p.board()->Row(), G.FeinaActual.Id), std::pair(3, id));
        QTest::keyClick(p.board(), Qt::Key_Space);
        QVERIFY(Llegeix_Feina(id).Feta);
        // Focus leaving the board forgets the pressed cell.
        QTest::mouseClick(vp, Qt::LeftButton, {}, p.centre(3, 1));
        QCOMPARE(p.tab->FilaRatoli, 3);
        p.tab->llocsGrid()->setFocus(Qt::MouseFocusReason);
        QCOMPARE(std::pair(p.tab->FilaRatoli, p.tab->ColRatoli), std::pair(0, 0));
        QVERIFY(MsgBox::shown().isEmpty());
    }
};

QTEST_MAIN(TestAgendaActions)
#include "TestAgendaActions.moc"
