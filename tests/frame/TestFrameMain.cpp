// The main window: its load, tab changes, F2, unload (position, last planned
// day, compaction), the select-all boxes and the two stock dialogs.
#include "EtiquetaEstat.h"
#include "FrameTestHelpers.h"
#include "Globals.h"
#include "Graella.h"
#include "Inici.h"
#include "MessageBox.h"
#include "Principal.h"
#include "TestSupport.h"
#include "frmMain.h"
#include "frmPlantilles.h"

#include "Calvendra.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMap>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

using namespace TestSupport;

namespace {
const QString kIni = QStringLiteral("[Idiomes]\n(CT)=Català\n(ES)=Español\n"
                                    "[Parametres]\nPrimeraExecucio=0\n[Estat]\nUltimDiaGen=2010-03-14\n");
}

class TestFrameMain : public SeamedTest {
    Q_OBJECT
private slots:
    void cleanup() { Inici::setLlancador(nullptr); }

    void loadFillsStatusCreditsAndDates();
    void longStatusIsCutInTheMiddleAndKeepsTheWindowSize();
    void chequeControlsHideWithoutChequeService();
    void tabChangeRebuildsOnlyAStaleTab();
    void f2ThenCancelRebuildsOnlyTheShownStaleTab();
    void f2ThenOkUnloadsAndRestartsOnce();
    void unloadWritesLastPlannedDayUnlessFirstRun_data();
    void unloadWritesLastPlannedDayUnlessFirstRun();
    void positionIsRestoredAndBroughtOnScreen();
    void compactsTheOpenDatabaseAfterAPurge();
    void failedCompactionKeepsTheDatabaseAndSaysSo();
    void unloadClosesTheOtherWindows();
    void loadSpeaksTheChosenLanguage();
    void boxesSelectTheirTextOnFocus();
    void loginAndAboutDialogs();

private:
    frmMain* carrega(ProgramFolder& pf, const QString& ini = kIni);
    template <class T>
    T* fill(QWidget* w, const char* name)
    {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
};

frmMain* TestFrameMain::carrega(ProgramFolder& pf, const QString& ini)
{
    pf.writeIni(ini);
    pf.start();
    auto* w = new frmMain;
    G.frmPrincipal = w;
    w->Form_Load();
    return w;
}

void TestFrameMain::loadFillsStatusCreditsAndDates()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf);
    QCOMPARE(fill<QLabel>(w, "Panel1")->text(), QStringLiteral("Últim dia planificat 14/03/2010"));
    QCOMPARE(fill<QLabel>(w, "Panel2")->text(), QStringLiteral("10/03/2010"));
    QCOMPARE(fill<QLabel>(w, "Panel3")->text(), QStringLiteral("09:00"));
    QCOMPARE(fill<QLabel>(w, "lblProductName")->text(), QStringLiteral("Planificador de feines v1.1"));
    QCOMPARE(fill<QLabel>(w, "lblCompanyName")->text(), QStringLiteral("Personalitzat per: <no personalitzat>"));
    QVERIFY(fill<QLabel>(w, "lblCodVersion")->text().startsWith(QStringLiteral("Codi de Versió: ")));
    QCOMPARE(fill<QLineEdit>(w, "mesFactura")->text(), QStringLiteral("03/2010"));
    QVERIFY(!fill<QCheckBox>(w, "PdtFacturar")->isChecked());
    QVERIFY(!fill<QPushButton>(w, "ImprimirFeines")->isEnabled());
    QCOMPARE(w->PestanyaActual(), 1);
    for (int i = 1; i <= 5; ++i)
        QCOMPARE(!fill<QWidget>(w, QStringLiteral("Trama%1").arg(i).toLatin1().constData())->isHidden(), i == 1);
    QCOMPARE(fill<QTabBar>(w, "Pestanyes")->count(), 5);
    QCOMPARE(fill<QTabBar>(w, "Pestanyes")->tabText(1), QStringLiteral("Facturació"));
    // Wednesday 10 March 2010 in a week starting on Monday.
    QCOMPARE(G.DataAgenda, QDate(2010, 3, 10));
    QCOMPARE(G.DataIniciSetmana, QDate(2010, 3, 8));
    QCOMPARE(G.DataIniciMes, QDate(2010, 3, 1));  // a Monday
    QCOMPARE(G.ModeAgenda, QStringLiteral("mes"));
    QVERIFY(Principal().Omple_Agenda && Principal().Calcula_Facturacio_Client && Principal().Omple_Graella_Llocs);
    w->close();
    QVERIFY(MsgBox::shown().isEmpty());
}

void TestFrameMain::longStatusIsCutInTheMiddleAndKeepsTheWindowSize()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QSize mida = w->size();
    auto* estat = fill<EtiquetaEstat>(w, "Panel1");
    auto cami = [](int llarg) {
        return QStringLiteral("Document desat a /home/usuari/Documents/Torvanel/") + QString(llarg, u'x')
               + QStringLiteral("/Dades facturació T.A.L.V.E.S.A. 03-2010.pdf");
    };
    for (int llarg : {80, 120, 160}) {
        Principal().Mostra_Estat(cami(llarg));
        QApplication::processEvents();
        QCOMPARE(w->size(), mida);
    }
    w->grab();   // drawn: the tooltip follows what shows
    QCOMPARE(estat->text(), cami(160));
    QVERIFY(estat->textMostrat().startsWith(QStringLiteral("Document desat a ")));
    QVERIFY(estat->textMostrat().endsWith(QStringLiteral("03-2010.pdf")));
    QVERIFY(estat->textMostrat().contains(QChar(0x2026)));
    QCOMPARE(estat->toolTip(), estat->text());
    Principal().Mostra_Estat(QStringLiteral("Últim dia planificat 14/03/2010"));
    w->grab();
    QCOMPARE(estat->textMostrat(), estat->text());
    QVERIFY(estat->toolTip().isEmpty());
    w->close();
}

void TestFrameMain::chequeControlsHideWithoutChequeService()
{
    QMap<QString, int> alcada;
    for (const QString& servei : {QString(), QStringLiteral("Neteja")}) {
        FrameTest::SettingsTemporals st;
        ProgramFolder pf;
        QPointer<frmMain> w = carrega(pf, kIni + QStringLiteral("[Parametres]\nServeiXecs=") + servei + u'\n');
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->Pestanyes_Click(2);
        for (const char* name : {"Label57", "XecsGrid", "Label61", "TotalNXecs", "TotalXecs", "Label60", "ImprimirXecs"})
            QVERIFY2(fill<QWidget>(w, name)->isHidden() == servei.isEmpty(), name);
        if (auto* l77 = fill<QLabel>(w, "Label77"); l77 && !servei.isEmpty()) QCOMPARE(l77->text(), servei);
        alcada[servei] = fill<QWidget>(w, "FacturaGrid")->height();
        w->close();
    }
    // Without cheques the billing grid takes their room.
    QVERIFY(alcada[QString()] > alcada[QStringLiteral("Neteja")] + 100);
}

void TestFrameMain::tabChangeRebuildsOnlyAStaleTab()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf);
    auto* tabs = fill<QTabBar>(w, "Pestanyes");
    G.AgendaPendent = G.FacturacioPendent = true;
    tabs->setCurrentIndex(2);  // Clients
    QCOMPARE(w->PestanyaActual(), 3);
    QVERIFY(G.AgendaPendent && G.FacturacioPendent);
    QVERIFY(fill<QWidget>(w, "Trama3")->isVisibleTo(w) && !fill<QWidget>(w, "Trama1")->isVisibleTo(w));
    tabs->setCurrentIndex(1);  // Billing: only its own flag
    QVERIFY(G.AgendaPendent && !G.FacturacioPendent);
    G.FacturacioPendent = true;
    w->Pestanyes_Click(2);  // the tab already shown: nothing, even stale
    QVERIFY(G.FacturacioPendent);
    tabs->setCurrentIndex(4);
    tabs->setCurrentIndex(0);  // Agenda
    QVERIFY(!G.AgendaPendent && G.FacturacioPendent);
    w->close();
}

void TestFrameMain::f2ThenCancelRebuildsOnlyTheShownStaleTab()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf);
    FrameTest::Guio guio;
    guio.afegeix([](QDialog& d) { return FrameTest::clica(d, "CancelButton"); });
    G.AgendaPendent = G.FacturacioPendent = true;
    QSignalSpy unload(w.data(), &frmMain::descarregat);
    QTest::keyClick(fill<QWidget>(w, "mesFactura"), Qt::Key_F2);
    QCOMPARE(guio.noms(), QStringList({"frmConfiguracio"}));
    QVERIFY(!G.Reiniciar);
    QCOMPARE(unload.count(), 0);
    QVERIFY(!G.AgendaPendent);  // tab 1 shown
    QVERIFY(G.FacturacioPendent);
    // Other keys open nothing.
    QTest::keyClick(fill<QWidget>(w, "mesFactura"), Qt::Key_F3);
    QCOMPARE(guio.noms().size(), 1);
    w->close();
}

void TestFrameMain::f2ThenOkUnloadsAndRestartsOnce()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf);
    QStringList llançats;
    Inici::setLlancador([&](const QString& p, const QStringList&) {
        llançats << p;
        return true;
    });
    FrameTest::Guio guio;
    guio.afegeix([](QDialog& d) {
        MsgBox::pushAnswer(MsgBox::Yes);
        return FrameTest::clica(d, "OKButton");
    });
    QSignalSpy unload(w.data(), &frmMain::descarregat);
    w->Form_KeyDown(Qt::Key_F2);
    QCOMPARE(unload.count(), 1);
    QVERIFY(G.Reiniciar);
    QVERIFY(!G.BD);  // databases closed by the unload
    QVERIFY(Inici::Form_Terminate());
    QCOMPARE(llançats.size(), 1);
    QVERIFY(seamsClean());
}

void TestFrameMain::unloadWritesLastPlannedDayUnlessFirstRun_data()
{
    QTest::addColumn<bool>("primera");
    QTest::addColumn<QString>("escrit");
    QTest::newRow("normal run") << false << "2010-03-20";
    QTest::newRow("first run") << true << "2010-03-14";
}

void TestFrameMain::unloadWritesLastPlannedDayUnlessFirstRun()
{
    QFETCH(bool, primera);
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf);
    G.PrimeraExecucio = primera;
    G.UltimDiaGen = QDate(2010, 3, 20);
    w->close();
    QTEST(FrameTest::ini("Estat", "UltimDiaGen"), "escrit");
    QVERIFY(!Inici::Form_Terminate());
}

void TestFrameMain::positionIsRestoredAndBroughtOnScreen()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    pf.writeIni(kIni);
    pf.start();
    QCOMPARE(frmMain::posicioDesada(), QPoint(67, 67));
    {
        frmMain w;
        w.Form_Load();
        QCOMPARE(w.pos(), QPoint(67, 67));
        w.move(80, 90);
        w.Form_Unload();
    }
    QCOMPARE(frmMain::posicioDesada(), QPoint(80, 90));

    pf.start();
    frmMain::desaPosicio(QPoint(-30000, 40000));
    {
        frmMain w;
        w.Form_Load();
        const QRect pantalla = w.screen()->availableGeometry();
        QVERIFY2(pantalla.contains(w.pos()), qPrintable(QStringLiteral("%1,%2").arg(w.x()).arg(w.y())));
        // Closing while minimised keeps the stored position.
        w.move(50, 60);
        w.showMinimized();
        QTRY_VERIFY(w.isMinimized());
        frmMain::desaPosicio(QPoint(111, 222));
        w.Form_Unload();
    }
    QCOMPARE(frmMain::posicioDesada(), QPoint(111, 222));
}

void TestFrameMain::compactsTheOpenDatabaseAfterAPurge()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    // The database in use is not the one the settings file would default to.
    pf.createDatabases();
    const QString altra = pf.file(QStringLiteral("Dades.db"));
    QVERIFY(QFile::copy(defaultDatabasePath(), altra));
    QPointer<frmMain> w = carrega(pf, kIni + QStringLiteral("[General]\nBaseDades=") + altra + u'\n');
    QCOMPARE(G.BD->path(), altra);
    BD().begin();
    for (int i = 0; i < 1500; ++i)
        BD().exec(QStringLiteral("INSERT INTO Clients (clients_nom, clients_observacions) VALUES (?, ?)"),
                  {QStringLiteral("C%1").arg(i), QString(400, u'x')});
    BD().commit();
    BD().exec(QStringLiteral("DELETE FROM Clients"));
    const qint64 abans = QFileInfo(altra).size();
    const qint64 original = QFileInfo(defaultDatabasePath()).size();
    G.CompactarBD = true;
    w->close();
    QVERIFY(QFileInfo(altra).size() < abans / 4);
    QCOMPARE(QFileInfo(defaultDatabasePath()).size(), original);
    auto db = Db::openExisting(altra);
    QCOMPARE(db->scalar(QStringLiteral("PRAGMA freelist_count")).toInt(), 0);
    QCOMPARE(db->scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    QVERIFY(MsgBox::shown().isEmpty());
}

void TestFrameMain::failedCompactionKeepsTheDatabaseAndSaysSo()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf);
    addClient(QStringLiteral("Client"));
    G.CompactarBD = true;
    // The engine refuses to compact while a transaction is open.
    BD().begin();
    BD().exec(QStringLiteral("INSERT INTO Clients (clients_nom) VALUES ('Segon')"));
    w->close();
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown().first().title, QStringLiteral("ERROR"));
    QVERIFY(MsgBox::shown().first().text.startsWith(
        QStringLiteral("No s'ha pogut compactar la base de dades; es conserva tal com era.\nError:")));
    auto db = Db::openExisting(defaultDatabasePath());
    QCOMPARE(db->scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    QCOMPARE(db->scalar(QStringLiteral("SELECT group_concat(clients_nom) FROM Clients")).toString(), QStringLiteral("Client"));
}

void TestFrameMain::unloadClosesTheOtherWindows()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf);
    w->show();
    auto* altra = new QWidget(w, Qt::Window);
    altra->setAttribute(Qt::WA_DeleteOnClose);
    altra->show();
    QPointer<QWidget> p(altra);
    QVERIFY(altra->isVisible());
    w->close();
    QVERIFY(!p || !p->isVisible());
}

void TestFrameMain::loadSpeaksTheChosenLanguage()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf, kIni + QStringLiteral("[Parametres]\nIdioma=ES\n"));
    auto* tabs = fill<QTabBar>(w, "Pestanyes");
    QCOMPARE(tabs->tabText(0), QStringLiteral("Agenda"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Facturación"));
    QCOMPARE(tabs->tabText(3), QStringLiteral("Recursos y Servicios"));
    QCOMPARE(tabs->tabText(4), QStringLiteral("Créditos"));
    QCOMPARE(fill<QPushButton>(w, "ImprimirAgenda")->text(), QStringLiteral("Imprimir Agenda"));
    QCOMPARE(fill<QPushButton>(w, "ImprimirFeines")->text(), QStringLiteral("Imprimir Trabajos Recurso"));
    QCOMPARE(fill<QLabel>(w, "Panel1")->text(), QStringLiteral("Último día planificado 14/03/2010"));
    QCOMPARE(fill<QLabel>(w, "lblCompanyName")->text(), QStringLiteral("Personalizado por: <no personalizado>"));
    auto* cal = fill<Calvendra>(w, "CalendariML");
    QVERIFY(cal);
    QCOMPARE(cal->dateValue(), QDate(2010, 3, 10));
    QCOMPARE(cal->MonthNames(3), QStringLiteral("marzo"));
    QCOMPARE(cal->WeekDayShortName(1), QStringLiteral("lun"));
    w->close();
}

void TestFrameMain::boxesSelectTheirTextOnFocus()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->activateWindow();
    auto* tabs = fill<QTabBar>(w, "Pestanyes");
    tabs->setCurrentIndex(1);
    // The payments box is a client's.
    TestSupport::addClient(QStringLiteral("Anna"));
    crida(Principal().Omple_Clients);
    fill<QComboBox>(w, "ClientsCombo")->setCurrentIndex(0);
    auto* pagaments = fill<QLineEdit>(w, "TotalPagaments");
    pagaments->setText(QStringLiteral("Barcelona"));
    pagaments->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(pagaments->hasFocus());
    QCOMPARE(pagaments->selectedText(), QStringLiteral("Barcelona"));
    QTest::keyClick(pagaments, Qt::Key_5);
    QCOMPARE(pagaments->text(), QStringLiteral("5"));
    // A box outside the list keeps its caret.
    auto* mes = fill<QLineEdit>(w, "mesFactura");
    mes->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(mes->hasFocus());
    QVERIFY(mes->selectedText().isEmpty());
    w->close();
}

void TestFrameMain::loginAndAboutDialogs()
{
    frmLogin login;
    auto* pass = login.findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    pass->setText(QStringLiteral("secret"));
    FrameTest::clica(login, "cmdOK");
    QVERIFY(!login.AccesCorrecte);
    QCOMPARE(MsgBox::shown().last().text, QStringLiteral("La contrasenya no es vàlida; torna a intentar-ho"));
    QCOMPARE(MsgBox::shown().last().title, QStringLiteral("INICI DE SESSIO"));
    QCOMPARE(pass->selectedText(), QStringLiteral("secret"));
    pass->clear();
    FrameTest::clica(login, "cmdOK");
    QVERIFY(login.AccesCorrecte);
    FrameTest::clica(login, "cmdCancel");
    QVERIFY(!login.AccesCorrecte);

    frmAbout about;
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Versión 1.1.0"));
    FrameTest::clica(about, "cmdSysInfo");
    QCOMPARE(MsgBox::shown().last().text, QStringLiteral("La informació del sistema no està disponible en aquest moment"));
}

QTEST_MAIN(TestFrameMain)
#include "TestFrameMain.moc"
