// The program's main road, walked as a user walks it through the real main
// window, from a fresh program folder: the first run with its example data,
// the cheque service chosen in the settings, a month planned from the board,
// a job of the week done with one more service line, the extra hours of its
// worker, its client's month invoiced, and the month's reports.
#include "Clock.h"
#include "Configuracio.h"
#include "FrameTestHelpers.h"
#include "Graella.h"
#include "Inici.h"
#include "MessageBox.h"
#include "PdfFixtures.h"
#include "TestSupport.h"
#include "frmFeines.h"
#include "frmMain.h"
#include "frmMissatges.h"
#include "frmSplash.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <memory>

using namespace TestSupport;

namespace {

// Today is Friday 12 March 2010: the example data fill the week of 8 to 14
// March, and the job done is Roc Morvell's of Thursday 11 March.
const QDate Avui(2010, 3, 12);
const QDate Dijous(2010, 3, 11);
const QDate FiDeMes(2010, 3, 31);
const QString Casa = QStringLiteral("R.Morvell casa");

void tria(QDialog& d, const char* combo, const QString& text)
{
    auto* c = d.findChild<QComboBox*>(QString::fromLatin1(combo));
    c->setCurrentIndex(c->findText(text));
}

// The job as stored: "date start-end resource done lines".
QString desada(int feina)
{
    return BD().scalar(QStringLiteral("SELECT feines_data || ' ' || feines_hora_inici || '-' || feines_hora_fi || ' ' "
                                      "|| recursos_nom || ' ' || feines_feta || ' ' || (SELECT count(*) FROM "
                                      "Feines_Detall d WHERE d.feines_id = f.feines_id) FROM Feines f "
                                      "WHERE feines_id = ?"),
                       {feina})
        .toString();
}

int nombreFeines()
{
    return BD().scalar(QStringLiteral("SELECT count(*) FROM Feines")).toInt();
}

// The texts appear in this order in a document.
void conte(const QString& text, const QStringList& parts)
{
    QString falta;
    QVERIFY2(PdfFixtures::enOrdre(text, parts, &falta),
             qPrintable(u'"' + falta + QStringLiteral("\" missing in:\n") + text));
}

} // namespace

class TestMainRoad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    // The road, in order: each step goes on from where the one before left the program.
    void firstRunWithExampleDataThenTheChequeService();
    void planTheMonthFromAMonthCell();
    void doAJobOfTheWeekAndRecordItsExtraHours();
    void invoiceItsClient();
    void printTheMonthsReports();

private:
    // Starts the program from its folder and lets the splash's time run out.
    void arrenca();
    // The restart the ending program asked for.
    void reinicia();
    template <class T>
    T* control(const char* nom) const
    {
        T* c = w_ ? w_->findChild<T*>(QString::fromLatin1(nom)) : nullptr;
        if (!c) qFatal("no control %s", nom);
        return c;
    }
    Graella* tauler() const { return control<Graella>("AgendaGrid"); }
    // A press and release, and a double click, on the middle of a grid's cell.
    static void clic(Graella* g, int fila, int col);
    static void dobleClic(Graella* g, int fila, int col);
    // Column (x) and row (y) of the first board cell showing this text.
    QPoint cella(const QString& text) const;
    // The text of the document the status bar says was saved last.
    QString document();
    // The log window of a run that ended showing these texts, closed with its button.
    static void tancaRegistre(const QStringList& parts);

    std::unique_ptr<FrameTest::SettingsTemporals> usuari_;
    std::unique_ptr<ProgramFolder> carpeta_;
    std::unique_ptr<FrameTest::Guio> guio_;
    std::unique_ptr<PdfFixtures::CarpetaPdf> pdfs_;
    QPointer<frmMain> w_;
    QString darrerDocument_;
    int reinicis_ = 0;
    int feina_ = 0;
};

void TestMainRoad::initTestCase()
{
    resetSeams();
    Clock::set(QDateTime(Avui, QTime(18, 0)));
    usuari_ = std::make_unique<FrameTest::SettingsTemporals>();
    // The folder as the build lays it out: the empty database and the texts,
    // the settings file with its languages, the help file.
    carpeta_ = std::make_unique<ProgramFolder>();
    carpeta_->createDatabases();
    for (const QString& nom : {QStringLiteral("Torvanel.ini"), QStringLiteral("Torvanel.html")})
        QVERIFY(QFile::copy(sourceDir() + QStringLiteral("/data/") + nom, carpeta_->file(nom)));
    guio_ = std::make_unique<FrameTest::Guio>();
    pdfs_ = std::make_unique<PdfFixtures::CarpetaPdf>();
    Inici::setLlancador([this](const QString&, const QStringList&) {
        ++reinicis_;
        return true;
    });
}

void TestMainRoad::cleanupTestCase()
{
    // The user closes the program: no restart, the planned month kept.
    if (w_) w_->close();
    const bool reiniciat = Inici::Form_Terminate();
    Inici::setLlancador(nullptr);
    frmMissatges::descarrega();
    for (QWidget* w : QApplication::topLevelWidgets()) w->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!reiniciat);
    QCOMPARE(FrameTest::ini("Estat", "UltimDiaGen"), iniDate(FiDeMes));
    // The road's only boxes were its three questions.
    QStringList caixes;
    for (const MsgBox::Shown& s : MsgBox::shown()) caixes << s.title + u'|' + s.text;
    const QString canvi =
        QStringLiteral("AVÍS|Vas a modificar la configuració.\r\nEs reiniciarà l'aplicació. Continuar?");
    QCOMPARE(caixes, QStringList({canvi, canvi, "GENERACIO DE FEINES PLANIFICADES|Vols generar les feines des del "
                                                "15/03/2010 fins al 31/03/2010 ?"}));
    QString why;
    QVERIFY2(seamsClean(&why), qPrintable(why));
    QCOMPARE(guio_->pendents(), 0);
    QCOMPARE(guio_->sensePas(), 0);
}

void TestMainRoad::arrenca()
{
    QVERIFY(Inici::Main());
    w_ = qobject_cast<frmMain*>(G.frmPrincipal);
    frmSplash* splash = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<frmSplash*>(w); s && s->isVisible()) splash = s;
    QVERIFY(w_ && splash);
    splash->TimerSplash_Timer();   // its three seconds are up
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestMainRoad::reinicia()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w_);
    const int abans = reinicis_;
    QVERIFY(Inici::Form_Terminate());
    QCOMPARE(reinicis_, abans + 1);
    resetGlobals();
    G.ProgramDir = carpeta_->path();
    arrenca();
}

void TestMainRoad::clic(Graella* g, int fila, int col)
{
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(fila, col)).center());
}

void TestMainRoad::dobleClic(Graella* g, int fila, int col)
{
    const QPoint p = g->visualRect(g->model()->index(fila, col)).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, p);
}

QPoint TestMainRoad::cella(const QString& text) const
{
    const Graella* g = tauler();
    for (int r = 1; r < g->Rows(); ++r)
        for (int c = 1; c < g->Cols(); ++c)
            if (g->TextMatrix(r, c) == text) return QPoint(c, r);
    return QPoint();
}

QString TestMainRoad::document()
{
    const QString desat = QStringLiteral("Document desat a ");
    const QString estat = control<QLabel>("Panel1")->text();
    if (!estat.startsWith(desat) || estat == darrerDocument_) return QStringLiteral("status bar: ") + estat;
    darrerDocument_ = estat;
    return PdfFixtures::text(estat.mid(desat.size()));
}

void TestMainRoad::tancaRegistre(const QStringList& parts)
{
    frmMissatges* registre = frmMissatges::instancia();
    QVERIFY(registre && registre->isVisible());
    conte(registre->text(), parts);
    registre->findChild<QPushButton*>(QStringLiteral("Tancar"))->click();
    QVERIFY(!frmMissatges::instancia());
}

// ---------------------------------------------------------------- the road

void TestMainRoad::firstRunWithExampleDataThenTheChequeService()
{
    // The first run asks for the language, then the settings (a working day
    // from 08:00 to 20:00), stores the example data and starts again.
    guio_->afegeix([](QDialog& d) { return FrameTest::clica(d, "OKButton"); });
    guio_->afegeix([](QDialog& d) {
        tria(d, "ComboHoraInici", QStringLiteral("08:00"));
        tria(d, "ComboHoraFinal", QStringLiteral("20:00"));
        MsgBox::pushAnswer(MsgBox::Yes);
        return FrameTest::clica(d, "OKButton");
    });
    arrenca();
    QCOMPARE(guio_->noms(), QStringList({"frmSelIdioma", "frmConfiguracio"}));
    reinicia();
    QVERIFY(w_->isVisible());
    QCOMPARE(nombreFeines(), 12);
    QVERIFY(control<QPushButton>("ImprimirXecs")->isHidden());

    // The business takes cheques for its cleaning: F2, the cheque service, a restart.
    guio_->afegeix([](QDialog& d) {
        tria(d, "ComboServeiXecs", QStringLiteral("Neteja"));
        MsgBox::pushAnswer(MsgBox::Yes);
        return FrameTest::clica(d, "OKButton");
    });
    QTest::keyClick(w_, Qt::Key_F2);
    reinicia();
    QCOMPARE(guio_->noms().size(), 3);
    QCOMPARE(G.ServeiXecs, QStringLiteral("Neteja"));
    QVERIFY(!control<QPushButton>("ImprimirXecs")->isHidden());
}

void TestMainRoad::planTheMonthFromAMonthCell()
{
    // The month view of today; the example week is planned up to its Sunday.
    QCOMPARE(G.ModeAgenda, QStringLiteral("mes"));
    QCOMPARE(G.UltimDiaGen, QDate(2010, 3, 14));
    const int dies = int(G.DataIniciMes.daysTo(FiDeMes));
    MsgBox::pushAnswer(MsgBox::Yes);
    clic(tauler(), dies / 7 + 1, dies % 7 + 1);
    // No example site repeats on its own: nothing new, and the month is planned.
    QCOMPARE(nombreFeines(), 12);
    QCOMPARE(G.UltimDiaGen, FiDeMes);
    QCOMPARE(control<QLabel>("Panel1")->text(), QStringLiteral("Últim dia planificat 31/03/2010"));
    QCOMPARE(FrameTest::ini("Estat", "UltimDiaGen"), iniDate(FiDeMes));
    tancaRegistre({"Iniciant planificació periode: 15/03/2010 - 31/03/2010 ...", "0 feines planificades.",
                   "FINALITZACIO CORRECTA!!!"});
}

void TestMainRoad::doAJobOfTheWeekAndRecordItsExtraHours()
{
    // The week from its row's label; Roc Morvell's house on Thursday.
    dobleClic(tauler(), G.DataIniciMes.daysTo(Dijous) / 7 + 1, 0);
    QCOMPARE(G.ModeAgenda, QStringLiteral("setmana"));
    const QPoint casa = cella(Casa);
    QCOMPARE(casa.x(), Dijous.dayOfWeek());
    feina_ = BD().scalar(QStringLiteral("SELECT feines_id FROM Feines WHERE llocs_nom = ?"), {Casa}).toInt();
    QCOMPARE(desada(feina_), QStringLiteral("2010-03-11 11:00-12:00 Bernat 0 1"));

    // 20 km of travel besides the cleaning, the job done, saved.
    setConductorFeines([](frmFeines& d) {
        auto* serveis = d.findChild<QComboBox*>(QStringLiteral("ServeisCombo"));
        const int i = serveis->findText(QStringLiteral("Desplaçaments"));
        serveis->setCurrentIndex(i);
        emit serveis->activated(i);
        d.findChild<QLineEdit*>(QStringLiteral("QuantitatServeiFeina"))->setText(QStringLiteral("20"));
        d.findChild<QPushButton*>(QStringLiteral("AfegirServei"))->click();
        d.findChild<QCheckBox*>(QStringLiteral("FetaFeina"))->click();
        d.findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    dobleClic(tauler(), casa.y(), casa.x());
    setConductorFeines(nullptr);
    // The travel's hour moved its end; the board shows it so.
    QCOMPARE(desada(feina_), QStringLiteral("2010-03-11 11:00-13:00 Bernat 1 2"));
    QCOMPARE(tauler()->TextMatrix(casa.y() + 3, casa.x()), Casa);
    QVERIFY(G.FacturacioPendent);

    // The day from its heading; Bernat's extra hours typed in the hours row.
    dobleClic(tauler(), 0, casa.x());
    QCOMPARE(G.ModeAgenda, QStringLiteral("dia"));
    int bernat = 1;
    while (bernat < tauler()->Cols() && tauler()->TextMatrix(0, bernat) != QLatin1String("Bernat")) ++bernat;
    Graella* hores = control<Graella>("HoresGrid");
    clic(hores, 0, bernat);
    auto* editor = control<QLineEdit>("Text1");
    QVERIFY(editor->isVisible());
    QTest::keyClicks(editor, QStringLiteral("1,5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(hores->TextMatrix(0, bernat), QStringLiteral("1,50"));
}

void TestMainRoad::invoiceItsClient()
{
    auto* pestanyes = control<QTabBar>("Pestanyes");
    QTest::mouseClick(pestanyes, Qt::LeftButton, {}, pestanyes->tabRect(1).center());
    QCOMPARE(w_->PestanyaActual(), 2);
    auto* clients = control<QComboBox>("ClientsCombo");
    clients->setCurrentIndex(clients->findText(QStringLiteral("Roc Morvell")));
    // Today's month: the cleaning (0,99 h at 6,25) and the travel (20 km at 0,19).
    QCOMPARE(control<QLineEdit>("mesFactura")->text(), QStringLiteral("03/2010"));
    const QString total = control<QLineEdit>("TotalServeis")->text();
    QCOMPARE(total, QStringLiteral("9,99"));
    QCOMPARE(control<QLineEdit>("TotalFacturar")->text(), total);
    QCOMPARE(control<QLineEdit>("TotalXecs")->text(), QStringLiteral("0,00"));

    auto* facturar = control<QPushButton>("ImprimirFacturacio");
    QCOMPARE(facturar->text(), QStringLiteral("Facturar client"));
    facturar->click();
    QCOMPARE(BD().scalar(QStringLiteral("SELECT group_concat(feines_id || ' ' || feines_data_factura) FROM Feines "
                                        "WHERE feines_data_factura IS NOT NULL")).toString(),
             QString::number(feina_) + QStringLiteral(" 2010-03-12"));
    conte(document(), {"Dades de facturació del mes: MARÇ 2010", "Client:", "Roc Morvell", "11/03/2010", Casa,
                       "Bernat", "Desplaçaments", "20", "Kms", "3,80 €", "Neteja", "0,99", "Hores", "6,19 €",
                       "TOTALS:", "IMPORT FACTURA: " + total + " €"});
    QCOMPARE(control<QLineEdit>("TotalServeis")->text(), total);
}

void TestMainRoad::printTheMonthsReports()
{
    // Delete in the client list: all clients.
    auto* clients = control<QComboBox>("ClientsCombo");
    QTest::keyClick(clients, Qt::Key_Delete);
    QCOMPARE(clients->currentIndex(), -1);
    auto* resum = control<QPushButton>("ImprimirFacturacio");
    QCOMPARE(resum->text(), QStringLiteral("Imprimir dades facturació"));
    resum->click();
    const QString text = document();
    conte(text, {"RESUM FACTURACIÓ del mes: MARÇ 2010 ( 01/03/2010 - 12/03/2010 )", "ROC MORVELL",
                 "Desplaçaments", "20", "Kms", "3,80 €", "Neteja", "0,99", "Hores", "6,19 €", "Total:", "9,99 €",
                 "TOTAL MES: 9,99 €"});
    QVERIFY(!text.contains(QStringLiteral("T.A.L.V.E.S.A.")));   // nothing done, nothing printed
    tancaRegistre({"Iniciant càlcul periode: 01/03/2010 - 12/03/2010 ...", "Calculant client: Roc Morvell",
                   "Calculant client: T.A.L.V.E.S.A.", "2 clients processats.", "FINALITZACIO CORRECTA!!!"});
    QVERIFY(clients->isVisible() && control<Graella>("FacturaGrid")->isVisible());

    control<QPushButton>("ImprimirXecs")->click();
    conte(document(), {"Relació de XECS NETEJA a liquidar en el mes: MARÇ 2010", "Total 0 xecs:", "0,00 €"});
    control<QPushButton>("ImprimirHores")->click();
    conte(document(), {"Relació de HORES EXTRA del mes: MARÇ 2010", "BERNAT", "11/03/2010", "dijous", "1,50 hores",
                       "Total 1,50 hores", "TOTAL MES 1,50 hores"});
}

QTEST_MAIN(TestMainRoad)
#include "TestMainRoad.moc"
