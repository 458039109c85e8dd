// Drag and drop on the board: what the presses prepare, every kind of drop
// (a site, a job, a resource) in each view with the jobs it leaves, a real
// drop event, and the palettes' double clicks.
#include "Feines.h"
#include "MessageBox.h"
#include "PaginaAgenda.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

using namespace TestSupport;
using namespace AgendaTest;

namespace {

const QDate Dimecres(2010, 3, 10);   // today

// Every job as "site date start-end resource", in order.
QStringList feines()
{
    QStringList out;
    QSqlQuery q = BD().query(QStringLiteral("SELECT llocs_nom, feines_data, feines_hora_inici, feines_hora_fi, "
                                            "COALESCE(recursos_nom, '') FROM Feines ORDER BY 1, 2, 3"));
    while (q.next())
        out << QStringLiteral("%1 %2 %3-%4 %5").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                                    q.value(3).toString(), q.value(4).toString()).trimmed();
    return out;
}

// What a drop changed: "-" the jobs gone, "+" the jobs new.
QStringList canvis(const QStringList& abans, const QStringList& despres)
{
    QStringList out;
    for (const QString& f : abans)
        if (!despres.contains(f)) out << u'-' + f;
    for (const QString& f : despres)
        if (!abans.contains(f)) out << u'+' + f;
    return out;
}

QStringList textsMostrats()
{
    QStringList out;
    for (const auto& s : MsgBox::shown()) out << s.text;
    return out;
}

// The rows of the drop tests: Wednesday 10 March holds Alfa 09:00-10:00 Anna
// (two hours of service lines), Gamma 12:00-13:00 Pere, Beta 15:00-16:00
// unassigned and Gamma 18:00-20:00 Anna; Thursday two different jobs at
// 10:00. Beta's usual resource is Anna. Week columns: Monday 1 .. Sunday 7;
// day columns of Wednesday: "< >", Anna, Pere. Row r starts at 08:00 + (r - 1) x 30 min.
struct Dades {
    int alfa = 0;
    explicit Dades(bool mitjanit)
    {
        addService(QStringLiteral("Neteja"), 60);
        BD().exec(QStringLiteral("UPDATE Llocs SET recursos_nom = 'Anna' WHERE llocs_nom = 'Beta'"));
        alfa = addJob(QStringLiteral("Alfa"), Dimecres, QStringLiteral("09:00"), QStringLiteral("10:00"), QStringLiteral("Anna"));
        BD().exec(QStringLiteral("INSERT INTO Feines_Detall (feines_id, serveis_nom, feines_detall_quantitat, "
                                 "feines_detall_preu_un, feines_detall_unitat) VALUES (?, 'Neteja', 20000, 100000, 'h')"),
                  {alfa});
        addJob(QStringLiteral("Gamma"), Dimecres, QStringLiteral("12:00"), QStringLiteral("13:00"), QStringLiteral("Pere"));
        addJob(QStringLiteral("Beta"), Dimecres, QStringLiteral("15:00"), QStringLiteral("16:00"));
        addJob(QStringLiteral("Gamma"), Dimecres, QStringLiteral("18:00"), QStringLiteral("20:00"), QStringLiteral("Anna"));
        addJob(QStringLiteral("Beta"), Dimecres.addDays(1), QStringLiteral("10:00"), QStringLiteral("11:00"), QStringLiteral("Anna"));
        addJob(QStringLiteral("Gamma"), Dimecres.addDays(1), QStringLiteral("10:00"), QStringLiteral("11:00"), QStringLiteral("Pere"));
        if (!mitjanit) return;
        // A working day up to midnight, and a job that ends it on Friday.
        G.HoraFinal = QStringLiteral("24:00");
        G.CellesDia = 32;
        addJob(QStringLiteral("Alfa"), QDate(2010, 3, 12), QStringLiteral("22:00"), QStringLiteral("24:00"));
    }
};

} // namespace

class TestAgendaDragDrop : public QObject {
    Q_OBJECT
private slots:
    void init() { resetSeams(); }
    void cleanup()
    {
        QString why;
        QVERIFY2(seamsClean(&why), qPrintable(why));
    }

    void drop_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("mitjanit");
        QTest::addColumn<QString>("carrega");   // caption of a palette drag; "F" = the job pressed
        QTest::addColumn<QPoint>("premuda");    // the job pressed (x = column)
        QTest::addColumn<QPoint>("deixada");    // the drop cell
        QTest::addColumn<QStringList>("esperat");
        QTest::addColumn<QStringList>("missatges");
        const QString alfa = QStringLiteral("Alfa 2010-03-10 09:00-10:00 Anna");
        const QString supera = QStringLiteral("L'hora final de la feina supera les %1h.");
        const QStringList res;
        auto fila = [&](const char* nom, const char* mode, bool mitjanit, const char* carrega, QPoint premuda,
                        QPoint deixada, const QStringList& esperat, const QStringList& missatges = {}) {
            QTest::newRow(nom) << mode << mitjanit << carrega << premuda << deixada << esperat << missatges;
        };
        fila("a site on the week view: a job at the drop time", "setmana", false, "LGamma", {}, {1, 4},
             {"+Gamma 2010-03-08 09:30-10:30"});
        fila("a site on the day column headed < >: the site's usual resource", "dia", false, "LBeta", {}, {1, 5},
             {"+Beta 2010-03-10 10:00-11:00 Anna"});
        fila("a site on a resource's day column: that resource", "dia", false, "LAlfa", {}, {3, 15},
             {"+Alfa 2010-03-10 15:00-16:00 Pere"});
        fila("a job one row lower keeps its length", "setmana", false, "F", {3, 3}, {3, 4},
             {'-' + alfa, "+Alfa 2010-03-10 09:30-10:30 Anna"});
        fila("a job to another day", "setmana", false, "F", {3, 3}, {1, 3}, {'-' + alfa, "+Alfa 2010-03-08 09:00-10:00 Anna"});
        fila("a job on its own cell does nothing", "setmana", false, "F", {3, 3}, {3, 3}, res);
        fila("a job past the end of the day is refused", "setmana", false, "F", {3, 21}, {3, 22}, res,
             {supera.arg("20:00")});
        fila("a job ending at 24:00 keeps its length", "setmana", true, "F", {5, 29}, {5, 28},
             {"-Alfa 2010-03-12 22:00-24:00", "+Alfa 2010-03-12 21:30-23:30"});
        fila("a job moved past midnight is refused", "setmana", true, "F", {5, 29}, {5, 30}, res, {supera.arg("24:00")});
        fila("sideways in the day view: the new resource, the end worked out again", "dia", false, "F", {2, 3}, {3, 3},
             {'-' + alfa, "+Alfa 2010-03-10 09:00-11:00 Pere"});
        fila("a resource on a job: assigned, the end worked out again", "setmana", false, "RPere", {}, {3, 3},
             {'-' + alfa, "+Alfa 2010-03-10 09:00-11:00 Pere"});
        fila("a resource on an empty cell does nothing", "setmana", false, "RAnna", {}, {2, 6}, res);
        fila("a resource on a several-jobs cell", "setmana", false, "RAnna", {}, {4, 5}, res,
             {"Hi ha varies feines en la cel·la"});
        fila("a refusal in the core's words", "setmana", false, "LRoma", {}, {1, 3}, res, {"Lloc 'Roma' inexistent"});
        fila("a drop in the month view does nothing", "mes", false, "LAlfa", {}, {3, 2}, res);
        fila("an unknown kind does nothing", "setmana", false, "XAlfa", {}, {1, 3}, res);
    }
    void drop()
    {
        QFETCH(QString, mode);
        QFETCH(bool, mitjanit);
        QFETCH(QString, carrega);
        QFETCH(QPoint, premuda);
        QFETCH(QPoint, deixada);
        QFETCH(QStringList, esperat);
        QFETCH(QStringList, missatges);
        Pagina p;
        Dades dades(mitjanit);
        p.veu(mode, Dimecres);
        p.tab->Omple_Agenda();
        std::optional<CarregaArrossegament> c = CarregaArrossegament::deCaption(carrega);
        if (!premuda.isNull()) {
            p.tab->AgendaGrid_MouseDown(Qt::LeftButton, p.centre(premuda.y(), premuda.x()));
            c = p.tab->arrossegamentPreparat();
            QVERIFY(c && c->tipus == u'F' && c->id == G.FeinaActual.Id && c->id > 0);
        }
        const QStringList abans = feines();
        p.tab->AgendaGrid_DragDrop(*c, p.centre(deixada.y(), deixada.x()));
        QCOMPARE(canvis(abans, feines()), esperat);
        QCOMPARE(textsMostrats(), missatges);
        QCOMPARE(G.FacturacioPendent, !esperat.isEmpty());
        for (const auto& s : MsgBox::shown()) QVERIFY(s.title.isEmpty());
    }

    void pressesPrepareDrags_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QChar>("origen");    // L, R: the palette's first row; F: the board's cell (3, 3)
        QTest::addColumn<QString>("caption");   // "" = no drag
        QTest::addColumn<int>("altCelles");     // Label1's height in rows of the source
        QTest::addColumn<bool>("imprimir");     // ImprimirFeines enabled
        QTest::newRow("site, week: a bar across the palette") << "setmana" << QChar(u'L') << "LAlfa" << 1 << false;
        QTest::newRow("site, month: none") << "mes" << QChar(u'L') << "" << 0 << false;
        QTest::newRow("resource, month: the jobs list, no drag") << "mes" << QChar(u'R') << "" << 0 << true;
        QTest::newRow("resource, day") << "dia" << QChar(u'R') << "RAnna" << 1 << true;
        QTest::newRow("job, week: a block as long as the job") << "setmana" << QChar(u'F') << "FAlfa" << 2 << false;
        QTest::newRow("job, month: none") << "mes" << QChar(u'F') << "" << 0 << false;
    }
    void pressesPrepareDrags()
    {
        QFETCH(QString, mode);
        QFETCH(QChar, origen);
        QFETCH(QString, caption);
        QFETCH(int, altCelles);
        QFETCH(bool, imprimir);
        Pagina p;
        Dades dades(false);
        p.tab->Omple_Graella_Llocs();
        p.ompleRecursos({QStringLiteral("Anna"), QStringLiteral("Pere")});
        p.veu(mode, Dimecres);
        p.tab->Omple_Agenda();
        Graella* g = origen == u'F' ? p.board() : origen == u'L' ? p.tab->llocsGrid() : p.tab->recursosGrid();
        if (origen == u'F')
            p.tab->AgendaGrid_MouseDown(Qt::LeftButton, p.centre(3, 3));
        else if (origen == u'L')
            p.tab->LlocsGrid_MouseDown(Pagina::centre(g, 0, 0));
        else
            p.tab->RecursosGrid_MouseDown(Pagina::centre(g, 0, 0));
        const auto c = p.tab->arrossegamentPreparat();
        QCOMPARE(c ? c->caption() : QString(), caption);
        QCOMPARE(p.tab->imprimirFeines()->isEnabled(), imprimir);
        if (!c) return;
        QCOMPARE(c->id, origen == u'F' ? dades.alfa : 0);
        const QRect l = p.tab->label1()->geometry();
        QCOMPARE(l.height(), g->RowHeight(origen == u'F' ? 1 : 0) * altCelles);
        QCOMPARE(l.width(), origen == u'F' ? g->ColWidth(1) : g->width());
        // The job's block lies over its cells.
        if (origen == u'F') QCOMPARE(l.topLeft(), g->viewport()->mapTo(p.tab.get(), g->visualRect(g->model()->index(3, 3)).topLeft()));
    }

    void realDropEvent()
    {
        Pagina p;
        p.veu(QStringLiteral("setmana"), Dimecres);
        p.tab->Omple_Agenda();
        QWidget* vp = p.board()->viewport();
        const QPoint pos = p.centre(3, 2);
        std::unique_ptr<QMimeData> altre(new QMimeData);
        altre->setText(QStringLiteral("Alfa"));
        QDragEnterEvent entra(pos, Qt::MoveAction, altre.get(), Qt::LeftButton, {});
        entra.ignore();
        QApplication::sendEvent(vp, &entra);
        QVERIFY(!entra.isAccepted());   // only the program's own drags

        std::unique_ptr<QMimeData> mime(CarregaArrossegament::deCaption(QStringLiteral("LAlfa")).mimeData());
        QDragEnterEvent entra2(pos, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
        QDragMoveEvent mou(pos, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
        QDropEvent deixa(pos, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
        for (QDropEvent* e : {static_cast<QDropEvent*>(&entra2), static_cast<QDropEvent*>(&mou), &deixa}) {
            e->ignore();
            QApplication::sendEvent(vp, e);
            QVERIFY(e->isAccepted());
        }
        QCOMPARE(feines(), QStringList{"Alfa 2010-03-09 09:00-10:00"});
        QCOMPARE(p.board()->TextMatrix(3, 2), QStringLiteral("Alfa"));
    }

    void paletteDoubleClicks()
    {
        Pagina p;
        p.tab->Omple_Graella_Llocs();
        p.ompleRecursos({QStringLiteral("Anna")});
        QStringList crides;
        auto& op = Principal();
        op.Mostra_Lloc = [&](const QString& l) { crides << u'L' + l; };
        op.Mostra_Recurs = [&](const QString& r) { crides << u'R' + r; };
        op.Mostra_Pestanya = [&](int i) { crides << QString::number(i); };
        p.tab->llocsGrid()->setCurrentCellAt(1, 0);
        p.tab->LlocsGrid_DblClick();
        p.tab->recursosGrid()->setCurrentCellAt(0, 0);
        p.tab->RecursosGrid_DblClick();
        BD().exec(QStringLiteral("DELETE FROM Llocs WHERE llocs_nom = 'Gamma'"));
        p.tab->llocsGrid()->setCurrentCellAt(2, 0);
        p.tab->LlocsGrid_DblClick();
        QCOMPARE(crides, (QStringList{"LBeta", "3", "RAnna", "4"}));
        QCOMPARE(textsMostrats(), QStringList{"Lloc no trobat"});
    }
};

QTEST_MAIN(TestAgendaDragDrop)
#include "TestAgendaDragDrop.moc"
