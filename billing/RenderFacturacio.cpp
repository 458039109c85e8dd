#include "RenderFacturacio.h"

#include "Convert.h"
#include "Globals.h"
#include "Graella.h"
#include "Traduccio.h"

namespace {

int tw(int twips) { return (twips + 7) / 15; }

// Alignment codes of the grid.
constexpr int CentreDalt = 3;
constexpr int Centre = 4;
constexpr int Dreta = 7;
constexpr int Esquerra = 1;

struct Columna {
    const char* titol;
    int amplada;      // twips
    int alineacio;    // of the header
};

const Columna kFactura[10] = {{"CP", 0, 0},           {"Data", 1000, Centre},     {"Lloc", 2500, Centre},
                              {"Recurs", 2000, Centre}, {"Feta", 900, Centre},      {"Data fra.", 1000, Centre},
                              {"Servei", 2000, Centre}, {"Quantitat", 1000, Dreta}, {"Unitat", 1600, Centre},
                              {"Import", 1200, Dreta}};
const Columna kXecs[10] = {{"CP", 0, 0},              {"Data entr.", 1000, Centre}, {"Nro. de Xec", 1500, Centre},
                           {"Client", 3000, Centre},    {"Feina", 900, Centre},       {"Data liq.", 1000, Centre},
                           {"Servei", 2000, Centre},    {"Quantitat", 1000, Dreta},   {"Unitat", 1600, Centre},
                           {"Import", 1200, Dreta}};

void prepara(Graella* g, const Columna (&cols)[10], bool mergeColumnes, int files)
{
    g->Clear();
    g->setCols(10);
    g->setFixedRows(0);
    g->setRows(1);
    g->setTextMatrix(0, 0, Tradueix(QString::fromLatin1(cols[0].titol)));
    g->setColWidth(0, 0);
    for (int c = 1; c < 10; ++c) {
        g->setTextMatrix(0, c, Tradueix(QString::fromLatin1(cols[c].titol)));
        g->setCellAlignment(0, c, cols[c].alineacio);
        g->setCellFontBold(0, c, true);
        g->setColWidth(c, tw(cols[c].amplada));
        if (mergeColumnes) g->setMergeCol(c, c <= 5);
    }
    if (mergeColumnes) {
        // Amounts read as numbers: right-aligned wherever a row sets no alignment.
        g->setColAlignment(7, Dreta);
        g->setColAlignment(9, Dreta);
    }
    g->setRows(1 + qMax(1, files));
    for (int r = 0; r < g->Rows(); ++r) g->setMergeRow(r, mergeColumnes && r > 0);
    g->setFixedRows(1);
}

QString textData(const QDate& d)
{
    return d.isValid() ? Conv::shortDate(d) : QStringLiteral(" ");
}

void cella(Graella* g, int r, int c, const QString& text, int alineacio)
{
    g->setTextMatrix(r, c, text);
    g->setCellAlignment(r, c, alineacio);
}

void pintaLinia(Graella* g, int r, const FacturacioMes& mes, const FilaFactura& l, const ColorsFacturacio& colors,
                const QString& si, const QString& no)
{
    const FeinaMes& j = mes.feinaDe(l);
    const QLocale locale;
    g->setTextMatrix(r, 0, QString::number(j.id));
    cella(g, r, 1, Conv::shortDate(j.data), CentreDalt);
    cella(g, r, 2, j.lloc, CentreDalt);
    cella(g, r, 3, j.recurs.isEmpty() ? QStringLiteral(" ") : j.recurs, CentreDalt);
    cella(g, r, 4, j.feta ? si : no, CentreDalt);
    if (!j.feta) g->setCellFontBold(r, 4, true);
    cella(g, r, 5, textData(j.dataFactura), CentreDalt);
    cella(g, r, 6, l.ambLinia ? l.servei : QString(), Centre);
    cella(g, r, 7, l.ambLinia ? l.quantitat.toShortString(locale) : QString(), Dreta);
    cella(g, r, 8, l.ambLinia ? l.unitat : QString(), Centre);
    cella(g, r, 9, l.ambImport ? textImport(l.import) : QString(), Dreta);
    if (j.esQuota())
        for (int c = 1; c <= 9; ++c) g->setCellBackColor(r, c, colors.quota);
}

void pintaTotal(Graella* g, int r, const FeinaMes& j, const ColorsFacturacio& colors, const QString& si,
                const QString& total)
{
    const QColor color = j.esQuota() ? colors.quota : colors.feina;
    g->setTextMatrix(r, 0, j.feta ? si : QStringLiteral("No"));
    for (int c = 1; c <= 7; ++c) g->setTextMatrix(r, c, total);
    g->setTextMatrix(r, 8, QString::number(j.id));
    if (j.esQuota())
        g->setTextMatrix(r, 9, textQuota(j.quota));
    else
        g->setTextMatrix(r, 9, j.feta ? textImport(j.total) : QString());
    g->setCellAlignment(r, 1, Dreta);
    g->setCellBackColor(r, 1, color);
    g->setCellAlignment(r, 8, Esquerra);
    g->setCellBackColor(r, 8, color);
    g->setCellFontBold(r, 9, true);
    g->setCellAlignment(r, 9, Dreta);
    g->setCellBackColor(r, 9, color);
    if (j.esQuota()) g->setCellForeColor(r, 9, color);
}

void pintaQuota(Graella* g, int r, const QuotaMes& q, const ColorsFacturacio& colors, const QString& quotaMes)
{
    const QString blancs = QStringLiteral("   ");
    g->setTextMatrix(r, 0, QStringLiteral("SQ"));
    g->setTextMatrix(r, 1, blancs);
    for (int c = 2; c <= 6; ++c) g->setTextMatrix(r, c, q.lloc);
    g->setTextMatrix(r, 7, blancs);
    g->setTextMatrix(r, 8, quotaMes);
    g->setTextMatrix(r, 9, textImport(q.quota));
    for (int c : {1, 2, 3, 7, 8, 9}) g->setCellBackColor(r, c, colors.quota);
    g->setCellAlignment(r, 2, Dreta);
    g->setCellAlignment(r, 8, Dreta);
    for (int c : {2, 8, 9}) g->setCellFontBold(r, c, true);
}

void pintaXec(Graella* g, int r, const XecMes& x, const QString& servei)
{
    const bool paga = x.tipus != TipusXecMes::SenseFeina;
    g->setTextMatrix(r, 0, QStringLiteral("XC"));
    cella(g, r, 1, textData(x.entrega), Centre);
    cella(g, r, 2, QString::number(x.id), Centre);
    cella(g, r, 3, x.client, Centre);
    QString feina;
    if (x.tipus == TipusXecMes::Liquidat)
        feina = x.feina != 0 ? QString::number(x.feina) : QString();
    else
        feina = paga ? QString::number(x.feina) : QStringLiteral(" ");
    cella(g, r, 4, feina, Centre);
    cella(g, r, 5, x.tipus == TipusXecMes::Liquidat ? textData(x.liquidat) : QStringLiteral("   "), Centre);
    cella(g, r, 6, paga ? servei : QString(), Centre);
    cella(g, r, 7, paga ? QStringLiteral("1") : QString(), Dreta);
    cella(g, r, 8, paga ? QStringLiteral("Hores") : QString(), Centre);
    cella(g, r, 9, textImport(x.importMostrat()), Dreta);
}

} // namespace

ColorsFacturacio ColorsFacturacio::delsGlobals()
{
    return {Graella::colorFromValue(G.ColorFeina), Graella::colorFromValue(G.ColorQuota)};
}

QString textImport(const Decimal& d)
{
    return d.toGroupedString(QLocale(), 2);
}

QString textQuota(const Decimal& quota)
{
    return QStringLiteral("QM") + quota.toShortString(QLocale());
}

void Prepara_Graelles_Facturacio(Graella* factura, Graella* xecs)
{
    prepara(factura, kFactura, true, 1);
    prepara(xecs, kXecs, false, 1);
}

void pintaFacturacio(const FacturacioMes& mes, Graella* factura, Graella* xecs, const ColorsFacturacio& colors)
{
    const bool redrawF = factura->Redraw(), redrawX = xecs->Redraw();
    factura->setRedraw(false);
    xecs->setRedraw(false);
    prepara(factura, kFactura, true, int(mes.files.size()));
    prepara(xecs, kXecs, false, mes.ambXecs ? int(mes.xecs.size()) : 1);

    const QString si = Tradueix(QStringLiteral("Si"));
    const QString no = Tradueix(QStringLiteral("No"));
    const QString total = Tradueix(QStringLiteral("Total feina:"));
    const QString quotaMes = Tradueix(QStringLiteral("Quota mes"));
    for (int i = 0; i < mes.files.size(); ++i) {
        const FilaFactura& f = mes.files[i];
        switch (f.tipus) {
        case TipusFilaFactura::LiniaFeina: pintaLinia(factura, i + 1, mes, f, colors, si, no); break;
        case TipusFilaFactura::TotalFeina: pintaTotal(factura, i + 1, mes.feinaDe(f), colors, si, total); break;
        case TipusFilaFactura::QuotaLloc: pintaQuota(factura, i + 1, mes.quotes[f.quota], colors, quotaMes); break;
        }
    }
    if (mes.ambXecs)
        for (int i = 0; i < mes.xecs.size(); ++i) pintaXec(xecs, i + 1, mes.xecs[i], mes.serveiXecs);
    factura->setRedraw(redrawF);
    xecs->setRedraw(redrawX);
}

PosicioGraella posicioDe(const Graella* g)
{
    return {g->Row(), g->Col(), g->TopRow()};
}

void restauraPosicio(Graella* g, const PosicioGraella& p)
{
    if (g->Rows() == 0 || g->Cols() == 0) return;
    const int row = qBound(1, p.row < 0 ? 1 : p.row, g->Rows() - 1);
    const int col = qBound(0, p.col < 0 ? 1 : p.col, g->Cols() - 1);
    g->setTopRow(qMin(p.top, g->Rows() - 1));
    g->setCurrentCellAt(p.row == 0 ? 0 : row, col);
}
