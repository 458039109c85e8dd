// Drag and drop on the board: every kind of drag (a site or a resource from
// its palette, a job from the board) from its press to its drop in each view,
// with the jobs it leaves; a real drop event; and what the board asks of the
// main window (the palettes' double clicks, the job dialog, the status bar).
#include "Consultes.h"
#include "DadesExemple.h"
#include "Feines.h"
#include "MessageBox.h"
#include "PaginaAgenda.h"
#include "TabFacturacio.h"
#include "frmFeines.h"
#include "frmMain.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace TestSupport;
using namespace AgendaTest;

namespace {

const QDate Dimecres(2010, 3, 10);   // today

// Every job as "site date start-end resource".
QStringList feines()
{
    return queryTexts(QStringLiteral("SELECT rtrim(llocs_nom || ' ' || feines_data || ' ' || feines_hora_inici || '-' "
                                     "|| feines_hora_fi || ' ' || COALESCE(recursos_nom, '')) FROM Feines"));
}


} // namespace

class TestAgendaDragDrop : public SeamedTest {
    Q_OBJECT
private slots:
    // Wednesday 10 March: Alfa 09:00-10:00 Anna (two hours of service lines),
    // Gamma 12:00-13:00 Pere, Beta 15:00-16:00 unassigned, Gamma 18:00-20:00
    // Anna; Thursday two different jobs at 10:00; Beta's usual resource is
    // Anna. Week columns Monday 1 .. Sunday 7; Wednesday's day columns "< >",
    // Anna, Pere; row r starts at 08:00 + (r - 1) x 30 min. With `mitjanit`
    // the day ends at 24:00 and Friday holds Alfa 22:00-24:00.
    void drop_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("mitjanit");
        QTest::addColumn<QString>("origen");    // "L"/"R" + a name: pressed in its palette; "F": the job at `premuda`; else a payload
        QTest::addColumn<QPoint>("premuda");    // x = column
        QTest::addColumn<QPoint>("deixada");
        QTest::addColumn<QStringList>("esperat");   // "-" jobs gone, "+" jobs new
        QTest::addColumn<QStringList>("missatges");
        const QString alfa = QStringLiteral("-Alfa 2010-03-10 09:00-10:00 Anna");
        const QString supera = QStringLiteral("L'hora final de la feina supera les %1h.");
        auto fila = [](const char* nom, const char* mode, const char* origen, QPoint premuda, QPoint deixada,
                       const QStringList& esperat, const QStringList& missatges = {}, bool mitjanit = false) {
            QTest::newRow(nom) << mode << mitjanit << origen << premuda << deixada << esperat << missatges;
        };
        fila("a site on the week view: a job at the drop time", "setmana", "LGamma", {}, {1, 4}, {"+Gamma 2010-03-08 09:30-10:30"});
        fila("a site on the day column < >: the site's usual resource", "dia", "LBeta", {}, {1, 5},
             {"+Beta 2010-03-10 10:00-11:00 Anna"});
        fila("a site on a resource's day column: that resource", "dia", "LAlfa", {}, {3, 15}, {"+Alfa 2010-03-10 15:00-16:00 Pere"});
        fila("a job one row lower keeps its length", "setmana", "F", {3, 3}, {3, 4}, {alfa, "+Alfa 2010-03-10 09:30-10:30 Anna"});
        fila("a job to another day", "setmana", "F", {3, 3}, {1, 3}, {alfa, "+Alfa 2010-03-08 09:00-10:00 Anna"});
        fila("a job on its own cell does nothing", "setmana", "F", {3, 3}, {3, 3}, {});
        fila("a job past the end of the day is refused", "setmana", "F", {3, 21}, {3, 22}, {}, {supera.arg("20:00")});
        fila("a job ending at 24:00 keeps its length", "setmana", "F", {5, 29}, {5, 28},
             {"-Alfa 2010-03-12 22:00-24:00", "+Alfa 2010-03-12 21:30-23:30"}, {}, true);
        fila("a job moved past midnight is refused", "setmana", "F", {5, 29}, {5, 30}, {}, {supera.arg("24:00")}, true);
        fila("sideways in the day view: the new resource, the end worked out again", "dia", "F", {2, 3}, {3, 3},
             {alfa, "+Alfa 2010-03-10 09:00-11:00 Pere"});
        fila("a resource on a job: assigned, the end worked out again", "setmana", "RPere", {}, {3, 3},
             {alfa, "+Alfa 2010-03-10 09:00-11:00 Pere"});
        fila("a resource on an empty cell does nothing", "setmana", "RAnna", {}, {2, 6}, {});
        fila("a resource on a several-jobs cell", "setmana", "RAnna", {}, {4, 5}, {}, {"Hi ha varies feines en la cel·la"});
        fila("a refusal in the core's words", "setmana", "LRoma", {}, {1, 3}, {}, {"Lloc 'Roma' inexistent"});
        fila("the month view starts no drag and takes no drop", "mes", "LAlfa", {}, {3, 2}, {});
        fila("an unknown kind does nothing", "setmana", "XAlfa", {}, {1, 3}, {});
    }
    void drop()
    {
        QFETCH(QString, mode);
        QFETCH(bool, mitjanit);
        QFETCH(QString, origen);
        QFETCH(QPoint, premuda);
        QFETCH(QPoint, deixada);
        QFETCH(QStringList, esperat);
        QFETCH(QStringList, missatges);
        Pagina p;
        addService("Neteja", 60);
        BD().exec(QStringLiteral("UPDATE Llocs SET recursos_nom = 'Anna' WHERE llocs_nom = 'Beta'"));
        addJobLine(addJob("Alfa", Dimecres, "09:00", "10:00", "Anna"), "Neteja", Decimal::fromInt(2));
        addJob("Gamma", Dimecres, "12:00", "13:00", "Pere");
        addJob("Beta", Dimecres, "15:00", "16:00");
        addJob("Gamma", Dimecres, "18:00", "20:00", "Anna");
        addJob("Beta", Dimecres.addDays(1), "10:00", "11:00", "Anna");
        addJob("Gamma", Dimecres.addDays(1), "10:00", "11:00", "Pere");
        if (mitjanit) {
            G.HoraFinal = QStringLiteral("24:00");
            G.CellesDia = 32;
            addJob("Alfa", QDate(2010, 3, 12), "22:00", "24:00");
        }
        p.tab->Omple_Graella_Llocs();
        p.ompleRecursos({"Anna", "Pere"});
        p.veu(mode, Dimecres);
        p.tab->Omple_Agenda();

        // The press: a palette's prepares a bar across it, the board's a block over the job's cells.
        Graella* paleta = origen[0] == u'L' ? p.tab->llocsGrid() : p.tab->recursosGrid();
        const auto trobades = paleta->findItems(origen.mid(1), Qt::MatchExactly);
        const int filaPaleta = trobades.isEmpty() ? -1 : trobades[0]->row();
        if (origen == u"F") p.tab->AgendaGrid_MouseDown(Qt::LeftButton, p.centre(premuda.y(), premuda.x()));
        if (filaPaleta >= 0 && origen[0] == u'L') p.tab->LlocsGrid_MouseDown(Pagina::centre(paleta, filaPaleta, 0));
        if (filaPaleta >= 0 && origen[0] == u'R') p.tab->RecursosGrid_MouseDown(Pagina::centre(paleta, filaPaleta, 0));
        const QRect l = p.tab->label1()->geometry();
        std::optional<CarregaArrossegament> c = p.tab->arrossegamentPreparat();
        if (origen == u"F" && mode != u"mes") {
            QVERIFY(c && c->caption() == u'F' + p.board()->TextMatrix(premuda.y(), premuda.x()) && c->id == G.FeinaActual.Id);
            const QModelIndex cella = p.board()->model()->index(premuda.y(), premuda.x());
            QCOMPARE(l.topLeft(), p.board()->viewport()->mapTo(p.tab.get(), p.board()->visualRect(cella).topLeft()));
            QCOMPARE(l.height() % p.board()->RowHeight(1), 0);
            // Found by the cell's id, as the lookup by site, colour, day and the row's time finds it.
            const QDate dia = mode == u"dia" ? G.DataAgenda : G.DataIniciSetmana.addDays(premuda.x() - 1);
            const QString recurs = Recurs_Per_Color(Graella::colorValue(p.board()->CellBackColor(premuda.y(), premuda.x())));
            QCOMPARE(Busca_Feina(dia, p.board()->TextMatrix(premuda.y(), 0), c->text, recurs).Id, c->id);
        } else if (filaPaleta >= 0 && mode != u"mes") {
            QVERIFY(c && c->caption() == origen && c->id == 0);
            QCOMPARE(QSize(l.width(), l.height()), QSize(paleta->width(), paleta->RowHeight(filaPaleta)));
        } else {
            QVERIFY(!c);
            c = CarregaArrossegament::deCaption(origen);
        }

        const QStringList abans = feines();
        p.tab->AgendaGrid_DragDrop(*c, p.centre(deixada.y(), deixada.x()));
        QStringList canvis;
        const QStringList despres = feines();
        for (const QString& f : abans) if (!despres.contains(f)) canvis << u'-' + f;
        for (const QString& f : despres) if (!abans.contains(f)) canvis << u'+' + f;
        QCOMPARE(canvis, esperat);
        QCOMPARE(shownTexts(), missatges);
        QCOMPARE(G.FacturacioPendent, !esperat.isEmpty());
        for (const auto& s : MsgBox::shown()) QVERIFY(s.title.isEmpty());
    }

    void realDropEvent()
    {
        Pagina p;
        p.veu(QStringLiteral("setmana"), Dimecres);
        p.tab->Omple_Agenda();
        const QPoint pos = p.centre(3, 2);
        QMimeData text;
        text.setText(QStringLiteral("Alfa"));
        std::unique_ptr<QMimeData> mime(CarregaArrossegament::deCaption(QStringLiteral("LAlfa")).mimeData());
        QDragEnterEvent altre(pos, Qt::MoveAction, &text, Qt::LeftButton, {});
        QDragEnterEvent entra(pos, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
        QDragMoveEvent mou(pos, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
        QDropEvent deixa(pos, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
        for (QDropEvent* e : std::initializer_list<QDropEvent*>{&altre, &entra, &mou, &deixa}) {
            e->ignore();
            QApplication::sendEvent(p.board()->viewport(), e);
            QCOMPARE(e->isAccepted(), e != &altre);   // only the program's own drags
        }
        QCOMPARE(feines(), QStringList{"Alfa 2010-03-09 09:00-10:00"});
        QCOMPARE(p.board()->TextMatrix(3, 2), QStringLiteral("Alfa"));

        // A moved job whose times cannot be read: "Error:" and nothing changes.
        G.FeinaActual = Llegeix_Feina(BD().scalar(QStringLiteral("SELECT feines_id FROM Feines")).toInt());
        G.FeinaActual.HoraFi = QStringLiteral("25:99");
        p.tab->AgendaGrid_DragDrop(CarregaArrossegament::deCaption(QStringLiteral("FAlfa"), G.FeinaActual.Id), p.centre(5, 2));
        QCOMPARE(shownTexts(), QStringList{"Error:Hora no vàlida: '25:99'"});
        QCOMPARE(feines(), QStringList{"Alfa 2010-03-09 09:00-10:00"});
    }

    void boardInTheMainWindow()
    {
        QTemporaryDir usuari;   // the window's position goes here
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, usuari.path());
        ProgramFolder pf;
        pf.writeIni(QStringLiteral("[Parametres]\nPrimeraExecucio=0\n"));
        pf.start();
        QVERIFY(Crea_Dades_Exemple());
        frmMain w;
        G.frmPrincipal = &w;
        w.Form_Load();
        auto* tab = w.findChild<TabAgenda*>();
        auto triat = [&](const char* nom) {
            const QListWidgetItem* it = w.findChild<QListWidget*>(QString::fromLatin1(nom))->currentItem();
            return it ? it->text() : QString();
        };
        // The palettes' double clicks: the site with its client, the resource, on their tabs.
        tab->llocsGrid()->setCurrentCellAt(1, 0);
        const QString lloc = tab->llocsGrid()->Text();
        tab->LlocsGrid_DblClick();
        QCOMPARE(w.PestanyaActual(), 3);
        QVERIFY(!w.findChild<QWidget*>(QStringLiteral("Trama1"))->isVisibleTo(&w));
        QCOMPARE(triat("LlocsLlista"), lloc);
        QCOMPARE(triat("ClientsLlista"), BD().scalar(QStringLiteral("SELECT clients_nom FROM Llocs WHERE llocs_nom = ?"), {lloc}).toString());
        w.Pestanyes_Click(1);
        tab->recursosGrid()->setCurrentCellAt(1, 0);
        tab->RecursosGrid_DblClick();
        QCOMPARE(w.PestanyaActual(), 4);
        QCOMPARE(triat("RecursosLlista"), tab->recursosGrid()->Text());
        w.Pestanyes_Click(1);
        tab->llocsGrid()->setTextMatrix(1, 0, QStringLiteral("Roma"));   // a site gone since the palette was filled
        tab->LlocsGrid_DblClick();
        QCOMPARE(shownTexts(), QStringList{"Lloc no trobat"});
        QCOMPARE(w.PestanyaActual(), 1);
        // The board and the billing grid open the job dialog.
        QStringList oberts;
        setConductorFeines([&](frmFeines& d) { oberts << d.findChild<QLineEdit*>(QStringLiteral("IdFeina"))->text(); });
        G.FeinaActual = Llegeix_Feina(BD().scalar(QStringLiteral("SELECT min(feines_id) FROM Feines")).toInt());
        tab->obreFeina();
        w.tabFacturacio()->obreFeina();
        setConductorFeines(nullptr);
        QCOMPARE(oberts, QStringList(2, QString::number(G.FeinaActual.Id)));
        // A planning run writes the status bar.
        MsgBox::pushAnswer(MsgBox::Yes);
        tab->AgendaGrid_MouseDown(Qt::LeftButton, Pagina::centre(tab->agendaGrid(), 6, 7));
        tab->AgendaGrid_Click();
        QCOMPARE(G.UltimDiaGen, G.DataIniciMes.addDays(41));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Panel1"))->text(),
                 QStringLiteral("Últim dia planificat ") + G.UltimDiaGen.toString(QStringLiteral("dd/MM/yyyy")));
        w.Form_Unload();
    }
};

QTEST_MAIN(TestAgendaDragDrop)
#include "TestAgendaDragDrop.moc"
