#include "RenderFacturacio.h"

#include "Convert.h"
#include "Globals.h"
#include "Graella.h"
#include "Traduccio.h"

#include <QFontMetrics>
#include <QHash>

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

// Columns are never narrower than their heading or a date, whatever the
// font. A grid is prepared at every computation: each font's widths are
// measured once.
const QVector<int>& ampladesLlegibles(const QFont& font, const Columna (&cols)[10])
{
    static QHash<QString, QVector<int>> mesurades;
    const QString clau = font.key() + u'|' + QLocale().name() + u'|' + QString::number(quintptr(&cols));
    auto it = mesurades.constFind(clau);
    if (it != mesurades.constEnd()) return *it;
    QFont negreta = font;
    negreta.setBold(true);
    const QFontMetrics titol(negreta);
    const int data = QFontMetrics(font).horizontalAdvance(Conv::shortDate(QDate(2000, 12, 28))) + 10;
    QVector<int> llegible(10, 0);
    for (int c = 1; c < 10; ++c)
        llegible[c] = qMax(titol.horizontalAdvance(Tradueix(QString::fromLatin1(cols[c].titol))) + 12,
                           c == 1 || c == 5 ? data : 0);
    return *mesurades.insert(clau, llegible);
}

void prepara(Graella* g, const Columna (&cols)[10], bool mergeColumnes, int files)
{
    g->Clear();
    g->setCols(10);
    g->setFixedRows(0);
    g->setRows(1);
    g->setTextMatrix(0, 0, Tradueix(QString::fromLatin1(cols[0].titol)));
    g->setColWidth(0, 0);
    const QVector<int>& llegible = ampladesLlegibles(g->font(), cols);
    for (int c = 1; c < 10; ++c) {
        g->setTextMatrix(0, c, Tradueix(QString::fromLatin1(cols[c].titol)));
        g->setCellAlignment(0, c, cols[c].alineacio);
        g->setCellFontBold(0, c, true);
        g->setColWidth(c, qMax(tw(cols[c].amplada), llegible[c]));
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

CellFormat format(int alineacio, const QColor& fons = QColor(), bool negreta = false, const QColor& lletra = QColor())
{
    return {alineacio, fons, lletra, negreta, false, {}, {}};
}

// Texts shared by the lines of one job.
struct TextsFeina {
    int feina = -1;
    QString id, data, dataFactura;
};

void pintaLinia(Graella* g, int r, const FacturacioMes& mes, const FilaFactura& l, const ColorsFacturacio& colors,
                const QString& si, const QString& no, TextsFeina& t)
{
    const FeinaMes& j = mes.feinaDe(l);
    if (t.feina != l.feina) t = {l.feina, QString::number(j.id), Conv::shortDate(j.data), textData(j.dataFactura)};
    const QLocale locale;
    const QColor fons = j.esQuota() ? colors.quota : QColor();
    g->setCell(r, 0, t.id);
    g->setCell(r, 1, t.data, format(CentreDalt, fons));
    g->setCell(r, 2, j.lloc, format(CentreDalt, fons));
    g->setCell(r, 3, j.recurs.isEmpty() ? QStringLiteral(" ") : j.recurs, format(CentreDalt, fons));
    g->setCell(r, 4, j.feta ? si : no, format(CentreDalt, fons, !j.feta));
    g->setCell(r, 5, t.dataFactura, format(CentreDalt, fons));
    g->setCell(r, 6, l.ambLinia ? l.servei : QString(), format(Centre, fons));
    g->setCell(r, 7, l.ambLinia ? l.quantitat.toShortString(locale) : QString(), format(Dreta, fons));
    g->setCell(r, 8, l.ambLinia ? l.unitat : QString(), format(Centre, fons));
    g->setCell(r, 9, l.ambImport ? l.import.toGroupedString() : QString(), format(Dreta, fons));
}

void pintaTotal(Graella* g, int r, const FeinaMes& j, const ColorsFacturacio& colors, const QString& si,
                const QString& total)
{
    const QColor color = j.esQuota() ? colors.quota : colors.feina;
    g->setCell(r, 0, j.feta ? si : QStringLiteral("No"));
    g->setCell(r, 1, total, format(Dreta, color));
    for (int c = 2; c <= 7; ++c) g->setCell(r, c, total);
    g->setCell(r, 8, QString::number(j.id), format(Esquerra, color));
    if (j.esQuota())   // the share is kept in the cell, in the colour of its back
        g->setCell(r, 9, textQuota(j.quota), format(Dreta, color, true, color));
    else
        g->setCell(r, 9, j.feta ? j.total.toGroupedString() : QString(), format(Dreta, color, true));
}

void pintaQuota(Graella* g, int r, const QuotaMes& q, const ColorsFacturacio& colors, const QString& quotaMes)
{
    const QString blancs = QStringLiteral("   ");
    const CellFormat pla;
    g->setCell(r, 0, QStringLiteral("SQ"));
    g->setCell(r, 1, blancs, format(-1, colors.quota));
    g->setCell(r, 2, q.lloc, format(Dreta, colors.quota, true));
    g->setCell(r, 3, q.lloc, format(-1, colors.quota));
    for (int c = 4; c <= 6; ++c) g->setCell(r, c, q.lloc, pla);
    g->setCell(r, 7, blancs, format(-1, colors.quota));
    g->setCell(r, 8, quotaMes, format(Dreta, colors.quota, true));
    g->setCell(r, 9, q.quota.toGroupedString(), format(-1, colors.quota, true));
}

void pintaXec(Graella* g, int r, const XecMes& x, const QString& servei)
{
    const bool paga = x.tipus != TipusXecMes::SenseFeina;
    g->setCell(r, 0, QStringLiteral("XC"));
    g->setCell(r, 1, textData(x.entrega), format(Centre));
    g->setCell(r, 2, QString::number(x.id), format(Centre));
    g->setCell(r, 3, x.client, format(Centre));
    QString feina;
    if (x.tipus == TipusXecMes::Liquidat)
        feina = x.feina != 0 ? QString::number(x.feina) : QString();
    else
        feina = paga ? QString::number(x.feina) : QStringLiteral(" ");
    g->setCell(r, 4, feina, format(Centre));
    g->setCell(r, 5, x.tipus == TipusXecMes::Liquidat ? textData(x.liquidat) : QStringLiteral("   "), format(Centre));
    g->setCell(r, 6, paga ? servei : QString(), format(Centre));
    g->setCell(r, 7, paga ? QStringLiteral("1") : QString(), format(Dreta));
    g->setCell(r, 8, paga ? Tradueix(QStringLiteral("Hores")) : QString(), format(Centre));
    g->setCell(r, 9, x.importMostrat().toGroupedString(), format(Dreta));
}

} // namespace

ColorsFacturacio ColorsFacturacio::delsGlobals()
{
    return {Graella::colorFromValue(G.ColorFeina), Graella::colorFromValue(G.ColorQuota)};
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
    TextsFeina textsFeina;
    for (int i = 0; i < mes.files.size(); ++i) {
        const FilaFactura& f = mes.files[i];
        switch (f.tipus) {
        case TipusFilaFactura::LiniaFeina: pintaLinia(factura, i + 1, mes, f, colors, si, no, textsFeina); break;
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
