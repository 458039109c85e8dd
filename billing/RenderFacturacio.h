#pragma once
// Writes a computed billing month into the billing grid and the cheque grid
// as the user sees them: ten columns each, column 0 hidden with the row's
// marker (the job number of a line, "Si"/"No" on a job's total, "SQ" on a
// site's quota, "XC" on a cheque), the job's repeated fields merged down
// columns 1 to 5, the labels of total and quota rows merged across, the
// quota share of a quota job's total hidden as "QM" + share in column 9.
#include "FacturacioMes.h"

#include <QColor>

class Graella;

struct ColorsFacturacio {
    QColor feina;   // job totals
    QColor quota;   // quota jobs and quota rows
    static ColorsFacturacio delsGlobals();
};

// Empties both grids down to their headers and one empty row 1.
void Prepara_Graelles_Facturacio(Graella* factura, Graella* xecs);
// Prepares both grids and writes the month into them (the cheque grid only
// when the month has a cheque service). Drawing is held until the end.
void pintaFacturacio(const FacturacioMes& mes, Graella* factura, Graella* xecs, const ColorsFacturacio& colors);

// The hidden quota text of a quota job's total ("QM125,5").
QString textQuota(const Decimal& quota);

// Current cell and first visible row of a grid, kept across a rebuild.
struct PosicioGraella {
    int row = -1;
    int col = -1;
    int top = 0;
};
PosicioGraella posicioDe(const Graella* g);
// Puts the position back, limited to the grid's last row and column.
void restauraPosicio(Graella* g, const PosicioGraella& p);
