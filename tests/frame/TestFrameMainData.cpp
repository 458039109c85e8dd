// The main window loaded over real data with its embedded pages: every
// list of every tab filled, the pages wired to each other, the colours
// repaired, the cheque controls of the pages hidden, the frames large enough
// for the pages, the billing grids' wheel, and the captions, the toolkit's
// buttons and the locale in the chosen language whatever the system's.
#include "Clock.h"
#include "Convert.h"
#include "Database.h"
#include "DadesExemple.h"
#include "FrameTestHelpers.h"
#include "Globals.h"
#include "Graella.h"
#include "Inici.h"
#include "MessageBox.h"
#include "Principal.h"
#include "TestSupport.h"
#include "Traduccio.h"
#include "frmMain.h"

#include "Calvendra.h"
#include "CalvendraSeams.h"

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QWheelEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace TestSupport;

namespace {

const QString kIni = QStringLiteral("[Idiomes]\n(CT)=Català\n(ES)=Español\n(EN)=English\n"
                                    "[Parametres]\nPrimeraExecucio=0\n");

int compta(const char* taula)
{
    return BD().scalar(QStringLiteral("SELECT count(*) FROM ") + QString::fromLatin1(taula)).toInt();
}

QStringList textos(const QComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        if (!c->itemText(i).isEmpty()) out << c->itemText(i);
    return out;
}

} // namespace

class TestFrameMainData : public SeamedTest {
    Q_OBJECT
private slots:
    void loadWithExampleDataFillsEveryTab();
    void pagesCheckControlsHideWithoutChequeService();
    void f2FromAPageOpensTheSettings();
    void pagesFitTheirFrames();
    void pageCaptionsAreTranslatedOnce();
    void calendarSpeaksTheChosenLanguageOnAnyLocale_data();
    void calendarSpeaksTheChosenLanguageOnAnyLocale();
    void messageBoxButtonsSpeakTheChosenLanguage();
    void billingGridsTakeTheWheelOnlyWithTheFocus();
    void systemWithoutLocaleTakesTheLanguagesOne_data();
    void systemWithoutLocaleTakesTheLanguagesOne();

private:
    frmMain* carrega(ProgramFolder& pf, const QString& ini = kIni, bool exemple = true)
    {
        pf.writeIni(ini);
        pf.start();
        if (exemple) Crea_Dades_Exemple();
        auto* w = new frmMain;
        G.frmPrincipal = w;
        w->Form_Load();
        return w;
    }
    template <class T>
    static T* fill(QWidget* w, const char* name)
    {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
};

void TestFrameMainData::loadWithExampleDataFillsEveryTab()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    pf.writeIni(kIni);
    pf.start();
    Crea_Dades_Exemple();
    QVERIFY(compta("Clients") > 0 && compta("Llocs") > 0 && compta("Recursos") > 0 && compta("Serveis") > 0);
    // A resource painted in the board's own back colour must be repaired.
    addResource(QStringLiteral("Blanc"), Graella::colorValue(Graella::defaultBackColor()));
    const QString recursAntic = BD().scalar(QStringLiteral("SELECT min(recursos_nom) FROM Recursos")).toString();

    auto* w = new frmMain;
    G.frmPrincipal = w;
    QPointer<frmMain> guard(w);
    w->Form_Load();

    const int clients = compta("Clients");
    QCOMPARE(fill<QListWidget>(w, "ClientsLlista")->count(), clients);
    auto* combo = fill<QComboBox>(w, "ClientsCombo");
    QCOMPARE(combo->count(), clients);
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(fill<Graella>(w, "LlocsGrid")->Rows(), compta("Llocs"));
    QCOMPARE(fill<Graella>(w, "RecursosGrid")->Rows(), compta("Recursos"));
    QCOMPARE(fill<QListWidget>(w, "RecursosLlista")->count(), compta("Recursos"));
    QCOMPARE(fill<QListWidget>(w, "ServeisLlista")->count(), compta("Serveis"));
    // The services and resources combos of the clients tab are filled by the other tab.
    QCOMPARE(textos(fill<QComboBox>(w, "ServeisCombo")).size(), compta("Serveis"));
    QVERIFY(textos(fill<QComboBox>(w, "RecursosCombo")).contains(recursAntic));
    // The shown client's sites are listed.
    QVERIFY(fill<QListWidget>(w, "LlocsLlista")->count() > 0);
    QVERIFY(!G.FacturacioPendent);

    const qint32 blanc = BD().scalar(QStringLiteral("SELECT recursos_color FROM Recursos WHERE recursos_nom = 'Blanc'")).toInt();
    QVERIFY(blanc != Graella::colorValue(Graella::defaultBackColor()));

    // Every box of the select-all list is found in the pages.
    for (const char* name : {"NomClient", "NIFClient", "AdrecaClient", "PoblacioClient", "CodiPostalClient",
                             "TelefonsClient", "CccClient", "EmailClient", "NomLloc", "AdrecaLloc", "PoblacioLloc",
                             "TelefonLloc", "MinutsPrevistLloc", "PeriodicitatDiesLloc", "QuotaLloc",
                             "QuantitatServeisLloc", "PreuServeisLloc", "IdXec", "NomServei", "UnitatServei",
                             "MinutsUnitatServei", "PreuUnServei", "NomRecurs", "TotalPagaments"}) {
        auto* box = fill<QLineEdit>(w, name);
        QVERIFY2(box && box->property("seleccionaTot").toBool(), name);
    }

    auto& op = Principal();
    QVERIFY(op.Omple_Agenda && op.Omple_Graella_Llocs && op.Calcula_Facturacio_Client && op.Omple_Clients
            && op.Omple_Llocs_Client && op.Omple_Serveis_Lloc && op.Omple_Serveis && op.Omple_Recursos
            && op.Omple_Xecs_Client);
    // An operation called from elsewhere reaches the page.
    TestSupport::addClient(QStringLiteral("AAA Nou"));
    crida(op.Omple_Clients);
    QCOMPARE(combo->count(), clients + 1);
    QCOMPARE(combo->itemText(0), QStringLiteral("AAA Nou"));

    w->close();
    QVERIFY(!guard || !guard->isVisible());
    QString why;
    QVERIFY2(seamsClean(&why), qPrintable(why));
}

void TestFrameMainData::pagesCheckControlsHideWithoutChequeService()
{
    for (const QString& servei : {QString(), QStringLiteral("Neteja")}) {
        FrameTest::SettingsTemporals st;
        ProgramFolder pf;
        QPointer<frmMain> w = carrega(pf, kIni + QStringLiteral("[Parametres]\nServeiXecs=") + servei + u'\n', false);
        for (const char* name : {"Frame5", "Label62", "Label77", "XecsClient"}) {
            auto* c = fill<QWidget>(w, name);
            QVERIFY2(c, name);
            QVERIFY2(c->isHidden() == servei.isEmpty(), name);
        }
        if (!servei.isEmpty()) QCOMPARE(fill<QLabel>(w, "Label77")->text(), servei);
        w->close();
    }
}

void TestFrameMainData::f2FromAPageOpensTheSettings()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf);
    FrameTest::Guio guio;
    guio.afegeix([](QDialog& d) { return FrameTest::clica(d, "CancelButton"); });
    G.FacturacioPendent = true;
    w->Pestanyes_Click(3);
    QTest::keyClick(fill<QWidget>(w, "NomClient"), Qt::Key_F2);
    QCOMPARE(guio.noms(), QStringList({"frmConfiguracio"}));
    QVERIFY(!G.Reiniciar);
    QVERIFY(G.FacturacioPendent);  // tab 2 not shown: not rebuilt
    w->Pestanyes_Click(2);
    QVERIFY(!G.FacturacioPendent);
    w->close();
}

void TestFrameMainData::pagesFitTheirFrames()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf);
    for (int i = 1; i <= 5; ++i) {
        auto* trama = fill<QWidget>(w, QStringLiteral("Trama%1").arg(i).toLatin1().constData());
        QVERIFY(trama);
        // Never smaller than designed.
        QVERIFY(trama->width() >= (13815 + 7) / 15 && trama->height() >= (9015 + 7) / 15);
        if (!trama->layout()) continue;
        const QSize minim = trama->layout()->minimumSize();
        QVERIFY2(trama->width() >= minim.width() && trama->height() >= minim.height(),
                 qPrintable(QStringLiteral("Trama%1 %2x%3 < %4x%5")
                                .arg(i).arg(trama->width()).arg(trama->height()).arg(minim.width()).arg(minim.height())));
        // The frame stays inside the window's client area.
        QVERIFY(QRect(QPoint(0, 0), trama->parentWidget()->minimumSize()).contains(trama->geometry()));
    }
    // A larger window gives the frames the room.
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    auto* trama3 = fill<QWidget>(w, "Trama3");
    const QSize abans = trama3->size();
    w->resize(w->size() + QSize(120, 90));
    QTRY_COMPARE(trama3->size(), abans + QSize(120, 90));
    QCOMPARE(fill<QWidget>(w, "Trama1")->size(), trama3->size());
    w->close();
}

void TestFrameMainData::pageCaptionsAreTranslatedOnce()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    pf.writeIni(kIni + QStringLiteral("[Parametres]\nIdioma=ES\n"));
    pf.start();
    const QString xecs = Tradueix(QStringLiteral("Xecs:"));
    QVERIFY(xecs != QStringLiteral("Xecs:"));
    // A text whose translation is itself a key of another row.
    G.BDTraduccio->exec(QStringLiteral("INSERT INTO Ztraduccio (Texte, Idioma, TexteTraduit) VALUES (?, 'ES', 'MAL')"),
                        {xecs});
    carregaTraduccions(*G.BDTraduccio);
    auto* w = new frmMain;
    G.frmPrincipal = w;
    w->Form_Load();
    QCOMPARE(fill<QLabel>(w, "Label62")->text(), xecs);
    w->close();
}

void TestFrameMainData::calendarSpeaksTheChosenLanguageOnAnyLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QString>("marc");
    QTest::addColumn<QString>("dilluns");
    QTest::newRow("English system, Spanish chosen") << "en_US" << "ES" << "marzo" << "lun";
    QTest::newRow("Spanish system, Catalan chosen") << "es_ES" << "CT" << "març" << "dl.";
    QTest::newRow("Catalan system, English chosen") << "ca_ES" << "EN" << "March" << "Mon";
}

void TestFrameMainData::calendarSpeaksTheChosenLanguageOnAnyLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, idioma);
    QFETCH(QString, marc);
    QFETCH(QString, dilluns);
    resetSeams(locale);
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf, kIni + QStringLiteral("[Parametres]\nIdioma=") + idioma + u'\n', false);
    auto* cal = fill<Calvendra>(w, "CalendariML");
    QVERIFY(cal);
    // The control's today is the program's clock (2010-03-10 in tests), not the system date.
    QCOMPARE(CalvendraClock::today(), Clock::today());
    QCOMPARE(cal->dateValue(), Clock::today());
    QCOMPARE(cal->MonthNames(3), marc);
    QVERIFY(cal->captionText().startsWith(marc));
    // The column of Monday, wherever the locale's week starts.
    const int col = (int(Qt::Monday) - int(QLocale().firstDayOfWeek()) + 7) % 7 + 1;
    QCOMPARE(cal->WeekDayShortName(col), dilluns);
    w->close();
}

void TestFrameMainData::messageBoxButtonsSpeakTheChosenLanguage()
{
    ProgramFolder pf;
    G.Idioma = QStringLiteral("ES");
    if (!Inici::instalaTraduccioQt()) QSKIP("the toolkit's Spanish texts are not installed");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Sí"));
    G.Idioma = QStringLiteral("EN");
    Inici::instalaTraduccioQt();
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
}

void TestFrameMainData::billingGridsTakeTheWheelOnlyWithTheFocus()
{
    FrameTest::SettingsTemporals st;
    ProgramFolder pf;
    QPointer<frmMain> w = carrega(pf, kIni + QStringLiteral("[Parametres]\nServeiXecs=Neteja\n"), false);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->activateWindow();
    w->Pestanyes_Click(2);
    auto roda = [](Graella* g) {
        const QPointF p(20, 20);
        QWheelEvent e(p, g->viewport()->mapToGlobal(p), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(g->viewport(), &e);
    };
    // The first leaving of the month box computes the month (and refills the grids).
    fill<QWidget>(w, "mesFactura")->setFocus();
    QTRY_VERIFY(fill<QWidget>(w, "mesFactura")->hasFocus());
    fill<QWidget>(w, "XecsGrid")->setFocus();
    QTRY_VERIFY(fill<QWidget>(w, "XecsGrid")->hasFocus());
    for (const char* name : {"FacturaGrid", "XecsGrid"}) {
        auto* g = fill<Graella>(w, name);
        g->setRows(200);
        g->setCols(1);
        g->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        g->verticalScrollBar()->setValue(10);
        fill<QWidget>(w, "mesFactura")->setFocus();
        QTRY_VERIFY(!g->hasFocus());
        roda(g);
        QVERIFY2(g->verticalScrollBar()->value() == 10, name);
        g->setFocus();
        QTRY_VERIFY(g->hasFocus());
        roda(g);
        QVERIFY2(g->verticalScrollBar()->value() == 11, name);
    }
    w->close();
}

void TestFrameMainData::systemWithoutLocaleTakesTheLanguagesOne_data()
{
    QTest::addColumn<QLocale>("sistema");
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("decimal");
    QTest::newRow("C, Catalan") << QLocale::c() << "CT" << "13/12/2026" << ",";
    QTest::newRow("C, Spanish") << QLocale::c() << "ES" << "13/12/2026" << ",";
    QTest::newRow("C, English") << QLocale::c() << "EN" << "13/12/2026" << ".";
    QTest::newRow("C, no language") << QLocale::c() << "" << "13/12/2026" << ",";
    QTest::newRow("a user's own locale stays") << QLocale(QLocale::English, QLocale::UnitedStates) << "CT"
                                               << "12/13/2026" << ".";
}

void TestFrameMainData::systemWithoutLocaleTakesTheLanguagesOne()
{
    QFETCH(QLocale, sistema);
    QFETCH(QString, idioma);
    QFETCH(QString, data);
    QFETCH(QString, decimal);
    const QLocale l = Inici::localeDelPrograma(sistema, idioma);
    QCOMPARE(Conv::shortDate(QDate(2026, 12, 13), l), data);
    QCOMPARE(l.decimalPoint(), decimal);
    if (sistema.language() == QLocale::C) QCOMPARE(l.firstDayOfWeek(), sistema.firstDayOfWeek());
}

QTEST_MAIN(TestFrameMainData)
#include "TestFrameMainData.moc"
