#pragma once
// Printed documents as the tests read them back: each test sends its PDFs to
// a folder of its own and reads their text with the poppler tools.
#include "TestSupport.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace PdfFixtures {

// A fresh folder for the PDFs of one test (sets the output seam).
class CarpetaPdf {
public:
    CarpetaPdf();
    QStringList fitxers() const;
    // Every file in it, hidden ones too (a temporary file left behind).
    QStringList tots() const;
    // The one PDF written (fails the test with an empty path otherwise).
    QString unic() const;

private:
    QTemporaryDir dir_;
};

int pagines(const QString& pdf);
// Page size in points.
QSizeF midaPagina(const QString& pdf);
// Text of one page (1-based; 0 = every page), in reading layout.
QString text(const QString& pdf, int pagina = 0);
// The words of each page as the text tool places them (its -bbox output), in
// points from the page's top left.
struct Paraula {
    QRectF caixa;
    QString text;
};
struct PaginaParaules {
    QSizeF mida;
    QList<Paraula> paraules;
};
QList<PaginaParaules> paraules(const QString& pdf);

// The texts appear in this order in the text.
bool enOrdre(const QString& text, const QStringList& parts, QString* falta = nullptr);
// "" when they do; else the first text missing and the whole text, for the
// test's failure: QCOMPARE(falta(t, {...}), QString()).
QString falta(const QString& text, const QStringList& parts);

// The base of a document test: every test starts with the seams reset, an
// open program folder of its own and a folder for its PDFs, and fails at its
// end when the seams are not clean.
class ProvaDocument : public TestSupport::SeamedTest {
    Q_OBJECT
protected slots:
    void init();
    void cleanup();

protected:
    std::unique_ptr<TestSupport::ProgramFolder> folder_;
    std::unique_ptr<CarpetaPdf> carpeta_;
};

} // namespace PdfFixtures
