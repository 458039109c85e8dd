// The board's clicks and keys: the planning run from a month cell, the
// tooltip of a planned month cell, double clicks between the views, opening
// a job, Enter, Space and Delete, the print buttons, and the same handlers
// reached through real mouse and key events.
#include "Feines.h"
#include "IniFile.h"
#include "MessageBox.h"
#include "PaginaAgenda.h"
#include "PdfFixtures.h"
#include "Pistrel.h"

#include <QPushButton>
#include <QTest>

using namespace TestSupport;
using namespace AgendaTest;

namespace {

const QDate Dimecres(2010, 3, 10);   // today

// "lloc:feta" of every job by id, "-" for a deleted one.
QString estatFeines(const QList<int>& ids)
{
    QStringList out;
    for (int id : ids) {
        const Feina f = Llegeix_Feina(id);
        out << (f.Id ? f.Lloc + u':' + QString::number(f.Feta) : QStringLiteral("-"));
    }
    return out.join(u' ');
}

QStringList textsMostrats()
{
    QStringList out;
    for (const auto& s : MsgBox::shown()) out << s.text;
    return out;
}

} // namespace

class TestAgendaActions : public QObject {
    Q_OBJECT
private slots:
    void init() { resetSeams(); }
    void cleanup()
    {
        QString why;
        QVERIFY2(seamsClean(&why), qPrintable(why));
    }

    void planningRunFromAMonthCell_data()
    {
        QTest::addColumn<int>("resposta");
        QTest::addColumn<bool>("falla");   // the database refuses the run's jobs
        QTest::addColumn<QDate>("ultimDia");
        QTest::newRow("No changes nothing") << int(MsgBox::No) << false << QDate(2010, 3, 14);
        QTest::newRow("Yes plans up to the cell") << int(MsgBox::Yes) << false << QDate(2010, 3, 24);
        QTest::newRow("a failed run keeps the last planned day") << int(MsgBox::Yes) << true << QDate(2010, 3, 14);
    }
    void planningRunFromAMonthCell()
    {
        QFETCH(int, resposta);
        QFETCH(bool, falla);
        QFETCH(QDate, ultimDia);
        Pagina p;
        G.UltimDiaGen = QDate(2010, 3, 14);
        BD().exec(QStringLiteral("UPDATE Llocs SET llocs_periodicitat_dies = 7 WHERE llocs_nom = 'Alfa'"));
        if (falla)
            BD().exec(QStringLiteral("CREATE TRIGGER falla BEFORE INSERT ON Feines BEGIN SELECT RAISE(ABORT, 'disc ple'); END"));
        QString estat = QStringLiteral("-");
        Principal().Mostra_Estat = [&](const QString& t) { estat = t; };
        p.tab->Omple_Agenda();
        G.AgendaPendent = true;
        MsgBox::pushAnswer(MsgBox::Answer(resposta));
        // 24 March: an empty cell after the last planned day.
        p.tab->AgendaGrid_MouseDown(Qt::LeftButton, p.centre(4, 3));
        p.tab->AgendaGrid_Click();

        const auto& shown = MsgBox::shown();
        QCOMPARE(shown.size(), falla ? 2 : 1);
        QCOMPARE(shown[0].text, QStringLiteral("Vols generar les feines des del 15/03/2010 fins al 24/03/2010 ?"));
        QCOMPARE(shown[0].title, QStringLiteral("GENERACIO DE FEINES PLANIFICADES"));
        if (falla) QVERIFY(shown[1].text.startsWith(QStringLiteral("Error en Planificar_Feines:")) && shown[1].title.isEmpty());
        const bool respon = resposta == MsgBox::Yes, desat = ultimDia != QDate(2010, 3, 14);
        QCOMPARE(G.UltimDiaGen, ultimDia);
        QCOMPARE(G.AgendaPendent, !respon);   // the board is rebuilt after every run
        QCOMPARE(BD().scalar(QStringLiteral("SELECT count(*) FROM Feines")).toInt() > 0, desat);
        QCOMPARE(G.FacturacioPendent, desat);
        QCOMPARE(estat, desat ? QStringLiteral("Últim dia planificat 24/03/2010") : QStringLiteral("-"));
        QCOMPARE(IniFile::read(iniPath(), QStringLiteral("Estat"), QStringLiteral("UltimDiaGen"), QStringLiteral("cap")),
                 desat ? QStringLiteral("2010-03-24") : QStringLiteral("cap"));
    }

    void monthCellTooltip()
    {
        Pagina p;
        G.UltimDiaGen = QDate(2010, 3, 14);
        addJob(QStringLiteral("Alfa"), Dimecres, QStringLiteral("09:00"), QStringLiteral("10:00"), QStringLiteral("Anna"));
        addJob(QStringLiteral("Beta"), Dimecres, QStringLiteral("11:00"), QStringLiteral("12:00"));
        p.tab->Omple_Agenda();
        auto clica = [&](int r, int c) {
            p.tab->AgendaGrid_MouseDown(Qt::LeftButton, p.centre(r, c));
            p.tab->AgendaGrid_Click();
            return qobject_cast<Pistrel*>(p.tab->Globus.data());
        };
        Pistrel* globus = clica(2, 3);
        QVERIFY(globus);
        const PistrelProperties& pr = globus->properties();
        QCOMPARE(std::tuple(pr.Delay, pr.ColorFondo, pr.ColorTexto, pr.EstiloFondo, pr.Sombra, pr.Duracion),
                 std::tuple(0, 0xFFFFu, 0u, 1, true, 1000));
        QCOMPARE(std::tuple(pr.EstiloToolTip, pr.TamañoIcono, pr.Fuente), std::tuple(0, 16, QStringLiteral("Arial")));
        QCOMPARE(globus->title(), QStringLiteral(" dimecres10/03/2010"));
        QCOMPARE(globus->text(), QStringLiteral("09:00 Alfa\r\n11:00 Beta"));
        QCOMPARE(globus->owner(), p.board());
        QVERIFY(globus->isArmed());

        // The next press releases it; an empty planned day shows none.
        QPointer<QObject> anterior = globus;
        QVERIFY(!clica(2, 4));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!anterior);
        // A rebuild releases it; clicks in the week view show none.
        anterior = clica(2, 3);
        p.veu(QStringLiteral("setmana"), Dimecres);
        p.tab->Omple_Agenda();
        QVERIFY(!anterior);
        QVERIFY(!clica(3, 3));
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

        const QDate dl(2010, 3, 8);
        QTest::newRow("month: a day opens that day") << "mes" << QPoint(3, 3) << Dimecres << "dia" << QDate(2010, 3, 17)
                                                     << QDate(2010, 3, 17) << QPoint();
        QTest::newRow("month: a week's label opens that week")
            << "mes" << QPoint(0, 3) << Dimecres << "setmana" << QDate(2010, 3, 15) << QDate(2010, 3, 15) << QPoint();
        QTest::newRow("month: a heading does nothing") << "mes" << QPoint(3, 0) << Dimecres << "mes" << Dimecres
                                                       << Dimecres << QPoint();
        QTest::newRow("week: a day's heading opens that day")
            << "setmana" << QPoint(4, 0) << dl << "dia" << QDate(2010, 3, 11) << QDate(2010, 3, 11) << QPoint();
        QTest::newRow("week: an empty cell opens that day")
            << "setmana" << QPoint(2, 5) << dl << "dia" << QDate(2010, 3, 9) << QDate(2010, 3, 9) << QPoint();
        QTest::newRow("week: the corner goes back to the month on the calendar's date")
            << "setmana" << QPoint(0, 0) << dl << "mes" << dl << dl << QPoint(1, 2);
        QTest::newRow("day: the corner goes back to the month")
            << "dia" << QPoint(0, 0) << Dimecres << "mes" << Dimecres << Dimecres << QPoint(3, 2);
        QTest::newRow("day: an empty cell opens the calendar date's week")
            << "dia" << QPoint(2, 5) << Dimecres << "setmana" << Dimecres << dl << QPoint();
        QTest::newRow("day: a time label does nothing") << "dia" << QPoint(0, 5) << Dimecres << "dia" << Dimecres
                                                        << Dimecres << QPoint();
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
        p.veu(mode, Dimecres);
        p.tab->calendari()->setDateValue(calendari);
        p.tab->Omple_Agenda();
        p.tab->AgendaGrid_MouseDown(Qt::LeftButton, p.centre(cella.y(), cella.x()));
        QCOMPARE(QPoint(p.tab->ColRatoli, p.tab->FilaRatoli), cella);
        p.tab->AgendaGrid_DblClick();
        QCOMPARE(G.ModeAgenda, nouMode);
        QCOMPARE(G.DataAgenda, dataAgenda);
        QCOMPARE(G.DataIniciSetmana, iniciSetmana(dataAgenda, G.PrimerDiaSetmana));
        QCOMPARE(p.tab->calendari()->dateValue(), nouCalendari);
        QCOMPARE(p.tab->disposicio().vista, *vistaDeMode(nouMode));
        if (!actual.isNull()) QCOMPARE(QPoint(p.board()->Col(), p.board()->Row()), actual);
        QVERIFY(MsgBox::shown().isEmpty());
    }

    void openingAJob_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("perTecla");
        QTest::addColumn<QString>("resposta");   // Missatge the dialog leaves
        QTest::newRow("week, double click, saved") << "setmana" << false << "OK";
        QTest::newRow("day, double click, closed") << "dia" << false << "";
        QTest::newRow("week, Enter, closed") << "setmana" << true << "";
        QTest::newRow("day, Enter, saved") << "dia" << true << "OK";
    }
    void openingAJob()
    {
        QFETCH(QString, mode);
        QFETCH(bool, perTecla);
        QFETCH(QString, resposta);
        Pagina p;
        // Starts inside its first cell: the row's time finds no job, the cell's id does.
        const int id = addJob(QStringLiteral("Alfa"), Dimecres, QStringLiteral("09:15"), QStringLiteral("10:00"),
                              QStringLiteral("Anna"));
        p.veu(mode, Dimecres);
        p.tab->Omple_Agenda();
        int xecs = 0;
        Principal().Omple_Xecs_Client = [&] { ++xecs; };
        QList<int> oberts;
        p.tab->obreFeina = [&] {
            oberts << G.FeinaActual.Id;
            G.FeinaActual.Missatge = resposta;
        };
        const int col = mode == u"setmana" ? 3 : 1;
        if (perTecla) {
            p.board()->setCurrentCellAt(3, col);
            QVERIFY(p.tab->AgendaGrid_KeyDown(Qt::Key_Return));
        } else {
            p.tab->AgendaGrid_MouseDown(Qt::LeftButton, p.centre(3, col));
            p.tab->AgendaGrid_DblClick();
        }
        const bool desat = resposta == u"OK";
        QCOMPARE(oberts, QList<int>{id});
        QCOMPARE(G.FacturacioPendent, desat);
        QCOMPARE(xecs, int(desat));
        QCOMPARE(G.FeinaActual.Id, perTecla ? 0 : id);
        QCOMPARE(G.FeinaActual.Missatge, desat ? QString() : resposta);
        QCOMPARE(G.ModeAgenda, mode);
    }

    void keysOnTheBoard_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QPoint>("cella");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("resposta");   // -1: no question
        QTest::addColumn<QStringList>("missatges");
        QTest::addColumn<QString>("estat");  // the jobs afterwards
        const QString inicial = QStringLiteral("Alfa:0 Beta:0 Gamma:0 Gamma:1");
        const QString pregunta = QStringLiteral("Eliminar feina  'Alfa' del 10/03/2010 ?");
        QTest::newRow("Enter on a several-jobs cell") << "setmana" << QPoint(4, 5) << int(Qt::Key_Return) << -1
                                                      << QStringList{"Hi ha varies feines en la cel·la"} << inicial;
        QTest::newRow("Space marks a job done") << "setmana" << QPoint(3, 7) << int(Qt::Key_Space) << -1
                                                << QStringList{} << "Alfa:0 Beta:1 Gamma:0 Gamma:1";
        QTest::newRow("Space in the day view") << "dia" << QPoint(2, 7) << int(Qt::Key_Space) << -1 << QStringList{}
                                               << "Alfa:0 Beta:1 Gamma:0 Gamma:1";
        QTest::newRow("Space refused in the core's words") << "setmana" << QPoint(5, 3) << int(Qt::Key_Space) << -1
                                                           << QStringList{"Una feina futura no pot estar feta"} << inicial;
        QTest::newRow("Delete, Yes") << "setmana" << QPoint(3, 3) << int(Qt::Key_Delete) << int(MsgBox::Yes)
                                     << QStringList{pregunta} << "- Beta:0 Gamma:0 Gamma:1";
        QTest::newRow("Delete, No") << "setmana" << QPoint(3, 3) << int(Qt::Key_Delete) << int(MsgBox::No)
                                    << QStringList{pregunta} << inicial;
        QTest::newRow("Delete refused for a done job")
            << "setmana" << QPoint(2, 13) << int(Qt::Key_Delete) << int(MsgBox::Yes)
            << QStringList{"Eliminar feina Anna 'Gamma' del 09/03/2010 ?", "No es pot esborrar una feina feta"} << inicial;
        QTest::newRow("an empty cell") << "setmana" << QPoint(6, 6) << int(Qt::Key_Space) << -1 << QStringList{}
                                       << inicial;
        QTest::newRow("Space in the month view") << "mes" << QPoint(3, 2) << int(Qt::Key_Space) << -1
                                                 << QStringList{} << inicial;
    }
    void keysOnTheBoard()
    {
        QFETCH(QString, mode);
        QFETCH(QPoint, cella);
        QFETCH(int, tecla);
        QFETCH(int, resposta);
        QFETCH(QStringList, missatges);
        QFETCH(QString, estat);
        Pagina p;
        const QList<int> ids{
            addJob(QStringLiteral("Alfa"), Dimecres, QStringLiteral("09:00"), QStringLiteral("10:00")),
            addJob(QStringLiteral("Beta"), Dimecres, QStringLiteral("11:00"), QStringLiteral("12:00"), QStringLiteral("Anna")),
            addJob(QStringLiteral("Gamma"), QDate(2010, 3, 12), QStringLiteral("09:00"), QStringLiteral("10:00"),
                   QStringLiteral("Anna")),
            addJob(QStringLiteral("Gamma"), QDate(2010, 3, 9), QStringLiteral("14:00"), QStringLiteral("15:00"),
                   QStringLiteral("Anna"), true)};
        // Two different jobs at 10:00 on Thursday.
        addJob(QStringLiteral("Beta"), QDate(2010, 3, 11), QStringLiteral("10:00"), QStringLiteral("11:00"), QStringLiteral("Anna"));
        addJob(QStringLiteral("Gamma"), QDate(2010, 3, 11), QStringLiteral("10:00"), QStringLiteral("11:00"), QStringLiteral("Pere"));
        p.veu(mode, Dimecres);
        p.tab->Omple_Agenda();
        int oberts = 0;
        p.tab->obreFeina = [&] { ++oberts; };
        if (resposta >= 0) MsgBox::pushAnswer(MsgBox::Answer(resposta));
        p.board()->setCurrentCellAt(cella.y(), cella.x());
        QVERIFY(p.tab->AgendaGrid_KeyDown(tecla));
        QCOMPARE(textsMostrats(), missatges);
        if (resposta >= 0) QCOMPARE(MsgBox::shown()[0].title, QStringLiteral("CONFIRMACIO"));
        QCOMPARE(estatFeines(ids), estat);
        QCOMPARE(G.FacturacioPendent, estat != QStringLiteral("Alfa:0 Beta:0 Gamma:0 Gamma:1"));
        QCOMPARE(oberts, 0);
        QCOMPARE(G.FeinaActual.Id, 0);
        QVERIFY(!p.tab->AgendaGrid_KeyDown(Qt::Key_A));   // other keys are the grid's
    }

    void printButtons()
    {
        Pagina p;
        PdfFixtures::CarpetaPdf carpeta;
        addJob(QStringLiteral("Alfa"), Dimecres, QStringLiteral("09:00"), QStringLiteral("10:00"), QStringLiteral("Anna"));
        p.veu(QStringLiteral("setmana"), Dimecres);
        p.tab->Omple_Agenda();
        QStringList estats;
        Principal().Mostra_Estat = [&](const QString& t) { estats << t; };
        p.tab->ImprimirAgenda_Click();
        QCOMPARE(carpeta.fitxers().size(), 1);
        QVERIFY(PdfFixtures::text(carpeta.fitxers()[0]).contains(QStringLiteral("Agenda SETMANA del 08/03/2010 al 14/03/2010")));

        // The jobs list: for the resource pressed in the palette (in any view), then disabled.
        QPushButton* boto = p.tab->imprimirFeines();
        Graella* recursos = p.tab->recursosGrid();
        crida(Principal().Omple_Agenda);
        QVERIFY(!boto->isEnabled());
        p.ompleRecursos({QStringLiteral("Anna"), QStringLiteral("Pere")});
        p.veu(QStringLiteral("mes"), Dimecres);
        p.tab->RecursosGrid_MouseDown(Pagina::centre(recursos, 0, 0));
        QVERIFY(boto->isEnabled());
        QVERIFY(!p.tab->arrossegamentPreparat());
        boto->click();
        QVERIFY(!boto->isEnabled());
        QCOMPARE(carpeta.fitxers().size(), 2);
        QCOMPARE(estats.size(), 2);
        for (const QString& e : estats) QVERIFY2(e.startsWith(QStringLiteral("Document desat a ")), qPrintable(e));
        QVERIFY(PdfFixtures::text(estats[1].mid(17)).contains(QStringLiteral("Alfa")));
        QVERIFY(MsgBox::shown().isEmpty());
    }

    void realEventsReachTheHandlers()
    {
        Pagina p;
        G.UltimDiaGen = QDate(2010, 3, 14);
        const int id = addJob(QStringLiteral("Alfa"), Dimecres, QStringLiteral("09:00"), QStringLiteral("10:00"),
                              QStringLiteral("Anna"));
        p.tab->Omple_Agenda();
        p.tab->show();
        p.tab->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.tab.get()));
        QWidget* vp = p.board()->viewport();
        QTest::mouseClick(vp, Qt::LeftButton, {}, p.centre(2, 3));
        QVERIFY(qobject_cast<Pistrel*>(p.tab->Globus.data()));
        QTest::mouseDClick(vp, Qt::LeftButton, {}, p.centre(2, 3));
        QTest::mouseRelease(vp, Qt::LeftButton, {}, p.centre(2, 3));
        QCOMPARE(G.ModeAgenda, QStringLiteral("dia"));
        QVERIFY(MsgBox::shown().isEmpty());   // the double click's release is no planning click

        QTest::mouseClick(vp, Qt::LeftButton, {}, p.centre(3, 1));
        QCOMPARE(QPoint(p.board()->Col(), p.board()->Row()), QPoint(1, 3));
        QCOMPARE(G.FeinaActual.Id, id);
        QTest::keyClick(p.board(), Qt::Key_Space);
        QVERIFY(Llegeix_Feina(id).Feta);
        // Focus leaving the board forgets the pressed cell.
        QTest::mouseClick(vp, Qt::LeftButton, {}, p.centre(3, 1));
        QCOMPARE(p.tab->FilaRatoli, 3);
        p.tab->llocsGrid()->setFocus(Qt::MouseFocusReason);
        QCOMPARE(std::pair(p.tab->FilaRatoli, p.tab->ColRatoli), std::pair(0, 0));
    }
};

QTEST_MAIN(TestAgendaActions)
#include "TestAgendaActions.moc"
