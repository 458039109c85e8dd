// The log window of the long runs: its state during and after a run, its
// single instance, and appends that stay cheap over thousands of lines.
#include "frmMissatges.h"

#include "Globals.h"
#include "Planificacio.h"
#include "Registre.h"
#include "PlanningFixtures.h"
#include "TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace TestSupport;

namespace {

QPushButton* tancar(QWidget* w) { return w->findChild<QPushButton*>(QStringLiteral("Tancar")); }
QPlainTextEdit* missatges(QWidget* w) { return w->findChild<QPlainTextEdit*>(QStringLiteral("Missatges")); }

// Counts the paints of a widget.
class ComptaPintades : public QObject {
public:
    int pintades = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) ++pintades;
        return false;
    }
};

void esborraPendents() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

} // namespace

class TestLogWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolder> pf;

private slots:
    void init()
    {
        pf = PlanningFixtures::programaNou();
    }
    void cleanup()
    {
        frmMissatges::descarrega();
        esborraPendents();
        Registre_Missatges::setSink(nullptr);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        pf.reset();
    }

    void closingIsDisabledWhileARunGoesOn()
    {
        frmMissatges* w = frmMissatges::carrega();
        QCOMPARE(Registre_Missatges::sink(), w);
        Registre_Missatges::comenca(QStringLiteral("PLANIFICACIO DE FEINES"));
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("PLANIFICACIO DE FEINES"));
        QVERIFY(!tancar(w)->isEnabled());
        QVERIFY(QApplication::overrideCursor());
        QVERIFY(!w->close());
        QCOMPARE(frmMissatges::instancia(), w);

        Registre_Missatges::afegeix(QStringLiteral("\nprimera"));
        Registre_Missatges::afegeix(QStringLiteral("\nsegona"));
        Registre_Missatges::acaba();
        QVERIFY(tancar(w)->isEnabled());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(w->text(), QStringLiteral(" \n\nprimera\nsegona"));
        QVERIFY(missatges(w)->textCursor().atEnd());
    }

    void tancarUnloadsAndTheNextRunStartsAfresh()
    {
        frmMissatges* w = frmMissatges::carrega();
        Registre_Missatges::comenca(QStringLiteral("U"));
        Registre_Missatges::afegeix(QStringLiteral("\nvella"));
        Registre_Missatges::acaba();
        QTest::mouseClick(tancar(w), Qt::LeftButton);
        QCOMPARE(frmMissatges::instancia(), nullptr);
        QCOMPARE(Registre_Missatges::sink(), nullptr);
        esborraPendents();

        frmMissatges* nova = frmMissatges::carrega();
        QCOMPARE(nova->text(), QStringLiteral(" \n"));
    }

    void secondRunKeepsTheFirstRunsText()
    {
        frmMissatges* w = frmMissatges::carrega();
        Registre_Missatges::comenca(QStringLiteral("PLANIFICACIO DE FEINES"));
        Registre_Missatges::afegeix(QStringLiteral("\nplanificació"));
        Registre_Missatges::acaba();
        Registre_Missatges::comenca(QStringLiteral("CALCUL DADES FACTURACIO"));
        Registre_Missatges::afegeix(QStringLiteral("\r\nfacturació"));
        Registre_Missatges::acaba();
        QCOMPARE(frmMissatges::instancia(), w);
        QCOMPARE(w->windowTitle(), QStringLiteral("CALCUL DADES FACTURACIO"));
        QCOMPARE(w->text(), QStringLiteral(" \n\nplanificació\nfacturació"));
    }

    void aRunLoadsTheWindowOnceInstalled()
    {
        frmMissatges::instalaRegistre();
        QCOMPARE(frmMissatges::instancia(), nullptr);
        Registre_Missatges::comenca(QStringLiteral("PLANIFICACIO DE FEINES"));
        frmMissatges* w = frmMissatges::instancia();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        Registre_Missatges::afegeix(QStringLiteral("\nlínia"));
        Registre_Missatges::acaba();
        QVERIFY(w->text().endsWith(QStringLiteral("\nlínia")));
        QTest::mouseClick(tancar(w), Qt::LeftButton);
        esborraPendents();
        // Closed, the loader takes over again for the next run.
        Registre_Missatges::comenca(QStringLiteral("PLANIFICACIO DE FEINES"));
        QVERIFY(frmMissatges::instancia());
        QVERIFY(frmMissatges::instancia() != nullptr && frmMissatges::instancia()->enCurs());
        Registre_Missatges::acaba();
    }

    void thousandsOfLinesAppendWithBoundedRepaints()
    {
        frmMissatges* w = frmMissatges::carrega();
        ComptaPintades comptador;
        missatges(w)->viewport()->installEventFilter(&comptador);
        Registre_Missatges::comenca(QStringLiteral("PLANIFICACIO DE FEINES"));
        QElapsedTimer t;
        t.start();
        const int linies = 30000;
        for (int i = 0; i < linies; ++i)
            Registre_Missatges::afegeix(QStringLiteral("\nFeina %1: BERNAT  -  'Lloc' planificada el dilluns").arg(i));
        Registre_Missatges::acaba();
        const qint64 ms = t.elapsed();
        QCOMPARE(missatges(w)->blockCount(), linies + 2);
        QVERIFY2(ms < 5000, qPrintable(QString::number(ms)));
        QVERIFY(comptador.pintades >= 1);
        QVERIFY2(comptador.pintades <= ms / frmMissatges::MilisegonsRepintat + 3,
                 qPrintable(QStringLiteral("%1 paints in %2 ms").arg(comptador.pintades).arg(ms)));
    }

    void planningRunWritesIntoTheWindow()
    {
        pf->writeIni(QStringLiteral("[Parametres]\nIdioma=EN\n"));
        pf->openDatabases();
        G.Idioma = QStringLiteral("EN");
        addClient(QStringLiteral("Client"));
        addSite(QStringLiteral("Lloc"), QStringLiteral("Client"));
        BD().exec(QStringLiteral("UPDATE Llocs SET llocs_periodicitat_dies = 7"));
        frmMissatges::instalaRegistre();
        QCOMPARE(Planificar_Feines(QDate(2010, 1, 4), QDate(2010, 1, 11)), QString());
        frmMissatges* w = frmMissatges::instancia();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("JOB PLANNING"));
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Messages:"));
        QCOMPARE(tancar(w)->text(), QStringLiteral("Close"));
        QVERIFY(tancar(w)->isEnabled());
        QVERIFY(w->text().contains(QStringLiteral("\n\n2 jobs planned.\n")));
        QVERIFY(w->text().endsWith(QStringLiteral("COMPLETED SUCCESSFULLY!!!\n")));
    }
};

QTEST_MAIN(TestLogWindow)
#include "TestLogWindow.moc"
