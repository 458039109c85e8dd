#pragma once
// Where printed documents go: the system's default printer when one is
// configured, otherwise a PDF in the user's documents folder (Torvanel/),
// named after the document and the time, opened afterwards with the desktop's
// viewer. Tests send every document to a PDF in a folder of their own.
// A PDF is written to a temporary file in its folder, every byte checked, and
// takes its name only when the document ends: it is there whole or not at all.
#include "FitxerSencer.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <memory>

namespace SortidaImpressio {

struct Desti {
    std::unique_ptr<FitxerSencer> pdf;   // the PDF being written (first: it outlives the device writing into it)
    std::unique_ptr<QPagedPaintDevice> dispositiu;
    QString impressora;   // name of the printer; "" for a PDF
    QString fitxer;       // path of the PDF; "" for a printer
    bool sencer = false;  // the PDF stands whole under its name
};

// A new paint device for the document (A4 portrait or landscape for a PDF;
// the printer's own paper). Nothing is written until comenca().
Desti obre(const QString& nomDocument, bool horitzontal = false);
// Before a painter begins on the device: creates the PDF's temporary file.
// False when it cannot be created (always true for a printer).
bool comenca(Desti& desti);
// After the painter has ended (`acabat`: what its end() answered): the PDF
// written whole takes its name, or the printer has accepted the job. False
// otherwise, and no PDF is left.
bool desa(Desti& desti, bool acabat);
// Instead of desa(), the painter still active: aborts a printer's job where
// the printer can, ends the painter and drops the PDF. True when a printer
// could not abort the job: the pages drawn so far have gone out.
bool abandona(Desti& desti, QPainter& pintor);
// After desa(): takes a PDF away again (a printer's job has gone).
void retira(Desti& desti);
// Shows a PDF written whole with the desktop's viewer (nothing else: no
// printer's job, no PDF dropped or never written). Under the tests' folder
// the viewer is not started and the PDF is only recorded.
void mostra(const Desti& desti);

// Tests: "" gives the real output; a folder makes every document a PDF there
// (and forgets the PDFs shown).
void setCarpetaProves(const QString& carpeta);
QString carpetaProves();
// The PDFs mostra() was given under the tests' folder, in order.
QStringList mostrats();
// The folder PDFs go to: the tests' folder, or Torvanel/ in the documents.
QString carpetaPdf();
// Path of the last PDF chosen by obre() ("" before any).
QString darrerFitxer();

// The file name a document gets: its name without characters a file name
// cannot hold, then the date and time.
QString nomFitxer(const QString& nomDocument);

} // namespace SortidaImpressio
