// The board inside the main window, over the example data: the palettes'
// double clicks show the site and the resource on their tabs, the job
// dialog opens from the board and from the billing grid, and a planning run
// writes the status bar.
#include "DadesExemple.h"
#include "Feines.h"
#include "MessageBox.h"
#include "TabAgenda.h"
#include "TestSupport.h"
#include "frmFeines.h"
#include "frmMain.h"
#include "Graella.h"
#include "TabFacturacio.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace TestSupport;

class TestAgendaMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { resetSeams(); }

    void boardReachesTheShell()
    {
        QTemporaryDir usuari;   // the window's position goes here
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, usuari.path());
        ProgramFolder pf;
        pf.writeIni(QStringLiteral("[Parametres]\nPrimeraExecucio=0\n"));
        pf.start();
        QVERIFY(Crea_Dades_Exemple());
        auto w = std::make_unique<frmMain>();
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        G.frmPrincipal = w.get();
        w->Form_Load();
        auto* tab = w->findChild<TabAgenda*>();
        auto llista = [&](const char* nom) { return w->findChild<QListWidget*>(QString::fromLatin1(nom)); };
        auto triat = [&](const char* nom) { return llista(nom)->currentItem() ? llista(nom)->currentItem()->text() : QString(); };

        // A site of the palette: shown with its client on the clients tab.
        tab->llocsGrid()->setCurrentCellAt(1, 0);
        const QString lloc = tab->llocsGrid()->Text();
        tab->LlocsGrid_DblClick();
        QCOMPARE(w->PestanyaActual(), 3);
        QVERIFY(w->findChild<QWidget*>(QStringLiteral("Trama3"))->isVisibleTo(w.get()));
        QVERIFY(!w->findChild<QWidget*>(QStringLiteral("Trama1"))->isVisibleTo(w.get()));
        QCOMPARE(triat("LlocsLlista"), lloc);
        QCOMPARE(triat("ClientsLlista"),
                 BD().scalar(QStringLiteral("SELECT clients_nom FROM Llocs WHERE llocs_nom = ?"), {lloc}).toString());
        // A resource: on its tab.
        w->Pestanyes_Click(1);
        tab->recursosGrid()->setCurrentCellAt(1, 0);
        tab->RecursosGrid_DblClick();
        QCOMPARE(w->PestanyaActual(), 4);
        QCOMPARE(triat("RecursosLlista"), tab->recursosGrid()->Text());

        // The board and the billing grid open the job dialog.
        QList<QString> oberts;
        setConductorFeines([&](frmFeines& d) { oberts << d.findChild<QLineEdit*>(QStringLiteral("IdFeina"))->text(); });
        const int id = BD().scalar(QStringLiteral("SELECT min(feines_id) FROM Feines")).toInt();
        G.FeinaActual = Llegeix_Feina(id);
        tab->obreFeina();
        w->tabFacturacio()->obreFeina();
        setConductorFeines(nullptr);
        QCOMPARE(oberts, (QList<QString>{QString::number(id), QString::number(id)}));

        // A planning run from the last month cell: the status bar's first panel.
        w->Pestanyes_Click(1);
        MsgBox::pushAnswer(MsgBox::Yes);
        Graella* g = tab->agendaGrid();
        tab->AgendaGrid_MouseDown(Qt::LeftButton, g->visualRect(g->model()->index(6, 7)).center());
        tab->AgendaGrid_Click();
        QCOMPARE(G.UltimDiaGen, G.DataIniciMes.addDays(41));
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Panel1"))->text(),
                 QStringLiteral("Últim dia planificat ") + G.UltimDiaGen.toString(QStringLiteral("dd/MM/yyyy")));
        QString why;
        QVERIFY2(seamsClean(&why), qPrintable(why));
    }
};

QTEST_MAIN(TestAgendaMainWindow)
#include "TestAgendaMainWindow.moc"
