// The page frame every printed document stands on, the printer object's
// positions and the error path.
#include "Globals.h"
#include "MarcPagina.h"
#include "MessageBox.h"
#include "PdfFixtures.h"
#include "SortidaImpressio.h"
#include "TestSupport.h"

#include <QFileInfo>
#include <QtTest>
#include <memory>
#include <stdexcept>

using namespace PdfFixtures;
using Linia = Impressora::Linia;

namespace {
// A document of numbered lines 200 twips apart below a header whose rule
// stands at 3000, so the lines start at exactly 3200 on every page.
void documentDeLinies(Impressora& p, int linies)
{
    MarcPagina* m = nullptr;
    MarcPagina marc(p, [&] {
        m->logo();
        m->titol(QStringLiteral("Document de prova"));
        p.setCurrentY(3000);
        m->regla();
        p.setCurrentY(3200);
        m->numeroPagina();
    });
    m = &marc;
    marc.comenca();
    for (int i = 0; i < linies; ++i) {
        marc.provaSalt();
        p.setFontSize(10);
        p.setCurrentX(500);
        p.Print(QStringLiteral("Línia %1").arg(i, 2, 10, QChar(u'0')), Linia::Segueix);
        p.setCurrentY(p.CurrentY() + 200);
    }
}
} // namespace

class TestReportFrame : public ProvaDocument {
    Q_OBJECT
private slots:

    void onePageShowsTheFrameOnce()
    {
        const QString on = imprimeixDocument(QStringLiteral("Prova"), [](Impressora& p) { documentDeLinies(p, 3); });
        const QString pdf = carpeta_->unic();
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(on, QStringLiteral("Document desat a ") + pdf);
        QVERIFY(QFileInfo(pdf).fileName().startsWith(QStringLiteral("Prova 2010-03-10 09.00.00")));
        QCOMPARE(pagines(pdf), 1);
        const QString t = text(pdf);
        QVERIFY(enOrdre(t, {"Document de prova", "Línia 00", "Línia 02", "pàg. 1"}));
        QVERIFY(!t.contains(QStringLiteral("Continú")));
        QVERIFY(!t.contains(QStringLiteral("Continuació")));
        QVERIFY(MsgBox::shown().isEmpty());
    }

    void pageBreaks_data()
    {
        QTest::addColumn<int>("posicio");
        QTest::addColumn<int>("linies");
        QTest::addColumn<int>("pagines");
        QTest::addColumn<int>("primeraPagina2");   // first line on page 2; -1 = one page
        // Lines start at 3200, 3400, ...; a line at exactly the break position stays.
        QTest::newRow("last line at the break stays") << 4200 << 6 << 1 << -1;
        QTest::newRow("one more line breaks") << 4200 << 7 << 2 << 6;
        QTest::newRow("one twip less breaks") << 4199 << 6 << 2 << 5;
        QTest::newRow("two lines a page") << 3400 << 10 << 5 << 2;
        QTest::newRow("near the top of the setting") << 32000 << 3 << 1 << -1;
    }
    void pageBreaks()
    {
        QFETCH(int, posicio);
        QFETCH(int, linies);
        QFETCH(int, pagines);
        QFETCH(int, primeraPagina2);
        G.PosicioSaltPagina = qint16(posicio);
        imprimeixDocument(QStringLiteral("Salts"), [&](Impressora& p) { documentDeLinies(p, linies); });
        QVERIFY(MsgBox::shown().isEmpty());
        const QString pdf = carpeta_->unic();
        QCOMPARE(PdfFixtures::pagines(pdf), pagines);
        for (int n = 1; n <= pagines; ++n) {
            const QString t = text(pdf, n);
            QVERIFY2(t.contains(QStringLiteral("Document de prova")), qPrintable(t));
            if (posicio < 15000) QVERIFY2(t.contains(QStringLiteral("pàg. %1").arg(n)), qPrintable(t));
            QCOMPARE(t.contains(QStringLiteral("(Continuació)")), n > 1);
            QCOMPARE(t.contains(QStringLiteral("(Continúa...)")), n < pagines);
        }
        if (primeraPagina2 > 0) {
            const QString linia = QStringLiteral("Línia %1").arg(primeraPagina2, 2, 10, QChar(u'0'));
            const QString abans = QStringLiteral("Línia %1").arg(primeraPagina2 - 1, 2, 10, QChar(u'0'));
            QVERIFY(text(pdf, 1).contains(abans));
            QVERIFY(!text(pdf, 1).contains(linia));
            QVERIFY(text(pdf, 2).contains(linia));
        }
    }

    // An error part-way drops the document: its pages were never a PDF that a
    // viewer could find half-written, and none is left or shown afterwards.
    void errorLeavesNoDocument()
    {
        QStringList mentreObert = {QStringLiteral("-")};
        const QString on = imprimeixDocument(QStringLiteral("Error"), [&](Impressora& p) {
            documentDeLinies(p, 3);
            p.NewPage();
            p.Print(QStringLiteral("Segona pàgina"));
            mentreObert = carpeta_->fitxers();
            throw std::runtime_error("no hi ha paper");
        });
        QCOMPARE(mentreObert, QStringList());
        QCOMPARE(TestSupport::shownTexts(), QStringList{QStringLiteral("Error:no hi ha paper")});
        QCOMPARE(MsgBox::shown().first().title, QString());
        QCOMPARE(on, QString());
        QCOMPARE(carpeta_->tots(), QStringList());
        QCOMPARE(SortidaImpressio::mostrats(), QStringList());
    }

    void aDocumentWithAStepStandsOrFallsWithIt()
    {
        // What the drawing began is undone after any failure, the PDF already
        // gone, before the failure is told.
        QStringList alDesfer;
        const auto desfes = [&] {
            alDesfer << QString::number(MsgBox::shown().size()) + u'/' + carpeta_->tots().join(u',');
        };
        // The step runs once the PDF is whole under its name, before it is told.
        QStringList alPas;
        QString on = imprimeixDocument(
            QStringLiteral("Pas"), [](Impressora& p) { documentDeLinies(p, 3); }, Impressora::Orientacio::Vertical,
            nullptr, [&] { alPas = carpeta_->fitxers(); }, desfes);
        QCOMPARE(alPas.size(), 1);
        QCOMPARE(on, QStringLiteral("Document desat a ") + alPas.first());
        // A step that fails takes its PDF away; a drawing that fails leaves
        // no PDF, not even its pages, and its step does not run.
        on = imprimeixDocument(
            QStringLiteral("Pas"), [](Impressora& p) { documentDeLinies(p, 3); }, Impressora::Orientacio::Vertical,
            nullptr, [] { throw std::runtime_error("no s'ha pogut marcar"); }, desfes);
        QCOMPARE(on, QString());
        bool pas = false;
        on = imprimeixDocument(
            QStringLiteral("Pas"),
            [](Impressora& p) {
                documentDeLinies(p, 3);
                throw std::runtime_error("no hi ha paper");
            },
            Impressora::Orientacio::Vertical, nullptr, [&] { pas = true; }, desfes);
        QCOMPARE(on, QString());
        QVERIFY(!pas);
        QCOMPARE(carpeta_->tots(), alPas);
        QCOMPARE(TestSupport::shownTexts(),
                 QStringList({QStringLiteral("Error:no s'ha pogut marcar"), QStringLiteral("Error:no hi ha paper")}));
        QCOMPARE(alDesfer, QStringList({QStringLiteral("0/") + alPas.first(), QStringLiteral("1/") + alPas.first()}));
        // Only the document that stood whole was shown.
        QCOMPARE(SortidaImpressio::mostrats(), alPas);
    }

    void nothingDrawnProducesNothing()
    {
        const QString on = imprimeixDocument(QStringLiteral("Buit"), [](Impressora&) {});
        QVERIFY(on.isEmpty());
        QVERIFY(carpeta_->fitxers().isEmpty());
        imprimeixDocument(QStringLiteral("Buit"), [](Impressora&) { throw std::runtime_error("abans de res"); });
        QVERIFY(carpeta_->fitxers().isEmpty());
        QCOMPARE(MsgBox::shown().size(), 1);
        // The viewer is not asked to open a PDF that was never written.
        QCOMPARE(SortidaImpressio::mostrats(), QStringList());
    }

    void positionsFollowThePrintedText()
    {
        Impressora p(QStringLiteral("Posicions"));
        MarcPagina marc(p, [] {});
        p.setFontSize(10);
        p.setCurrentY(5000);
        const double inici = marc.dreta(QStringLiteral("1.234,56 €"), 11000);
        QCOMPARE(p.CurrentX(), 11000.0);
        QVERIFY(qAbs(inici - (11000 - p.TextWidth(QStringLiteral("1.234,56 €")))) < 1e-9);
        QVERIFY(inici < 11000 && inici > 9000);
        p.setCurrentX(500);
        p.Print(QStringLiteral("text"), Linia::Segueix);
        QVERIFY(qAbs(p.CurrentX() - (500 + p.TextWidth(QStringLiteral("text")))) < 1e-9);
        QCOMPARE(p.CurrentY(), 5000.0);
        p.Print(QStringLiteral("fi"));
        QCOMPARE(p.CurrentX(), 0.0);
        QVERIFY(qAbs(p.CurrentY() - (5000 + p.TextHeight())) < 1e-9);
        QVERIFY(p.TextHeight() > 180 && p.TextHeight() < 320);   // one 10-point line
        p.Box(4300, 6000, 11100, 6400);
        QCOMPARE(QPointF(p.CurrentX(), p.CurrentY()), QPointF(11100, 6400));
        p.EndDoc();
    }
};

QTEST_MAIN(TestReportFrame)
#include "TestReportFrame.moc"
