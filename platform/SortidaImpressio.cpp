#include "SortidaImpressio.h"

#include "Clock.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QUrl>

namespace SortidaImpressio {

namespace {
QString g_carpetaProves;
QString g_darrerFitxer;
QStringList g_mostrats;

QString carpetaDocuments()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (base.isEmpty()) base = QDir::homePath();
    return QDir(base).filePath(QStringLiteral("Torvanel"));
}

QString fitxerLliure(const QString& carpeta, const QString& nom)
{
    QDir dir(carpeta);
    QString path = dir.filePath(nom + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1 (%2).pdf").arg(nom).arg(n));
    return path;
}
} // namespace

QString nomFitxer(const QString& nomDocument)
{
    QString nom;
    for (QChar c : nomDocument) {
        if (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c)) nom += u'_';
        else nom += c;
    }
    nom = nom.simplified();
    if (nom.isEmpty()) nom = QStringLiteral("Document");
    return nom + u' ' + Clock::now().toString(QStringLiteral("yyyy-MM-dd hh.mm.ss"));
}

Desti obre(const QString& nomDocument, bool horitzontal)
{
    Desti d;
    const auto orientacio = horitzontal ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (g_carpetaProves.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (!info.isNull()) {
            auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
            printer->setDocName(nomDocument);
            printer->setPageOrientation(orientacio);
            d.impressora = info.printerName();
            d.dispositiu = std::move(printer);
            return d;
        }
    }
    const QString carpeta = carpetaPdf();
    QDir().mkpath(carpeta);
    d.fitxer = fitxerLliure(carpeta, nomFitxer(nomDocument));
    d.pdf = std::make_unique<FitxerSencer>(d.fitxer);
    auto pdf = std::make_unique<QPdfWriter>(d.pdf.get());
    pdf->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientacio, QMarginsF(0, 0, 0, 0)));
    pdf->setResolution(1440);
    pdf->setTitle(nomDocument);
    pdf->setCreator(QStringLiteral("Torvanel"));
    d.dispositiu = std::move(pdf);
    g_darrerFitxer = d.fitxer;
    return d;
}

bool comenca(Desti& desti)
{
    return !desti.pdf || desti.pdf->obre();
}

bool desa(Desti& desti, bool acabat)
{
    if (desti.pdf) {
        if (acabat) return desti.sencer = desti.pdf->desa();
        desti.pdf->descarta();
        return false;
    }
    const auto* printer = static_cast<const QPrinter*>(desti.dispositiu.get());
    return acabat && printer->printerState() != QPrinter::Error && printer->printerState() != QPrinter::Aborted;
}

bool abandona(Desti& desti, QPainter& pintor)
{
    const bool enviat = !desti.pdf && !static_cast<QPrinter*>(desti.dispositiu.get())->abort();
    pintor.end();
    if (desti.pdf) desti.pdf->descarta();
    return enviat;
}

void retira(Desti& desti)
{
    if (desti.sencer) QFile::remove(desti.fitxer);
    desti.sencer = false;
}

void mostra(const Desti& desti)
{
    if (!desti.sencer) return;
    if (!g_carpetaProves.isEmpty()) {
        g_mostrats.append(desti.fitxer);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(desti.fitxer));
}

void setCarpetaProves(const QString& carpeta)
{
    g_carpetaProves = carpeta;
    g_mostrats.clear();
}
QStringList mostrats() { return g_mostrats; }
QString carpetaProves() { return g_carpetaProves; }
QString carpetaPdf() { return g_carpetaProves.isEmpty() ? carpetaDocuments() : g_carpetaProves; }
QString darrerFitxer() { return g_darrerFitxer; }

} // namespace SortidaImpressio
