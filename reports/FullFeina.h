#pragma once
// The job sheet: one job's fields, its service lines with their amounts and
// the job's total in a box, printed from what the job dialog shows (saved or
// not); the database is not read.
#include "Decimal.h"
#include "Impressora.h"

#include <QList>
#include <QString>

class QWidget;

struct LiniaFullFeina {
    QString servei;        // grid column 0
    QString descripcio;    // column 1
    Decimal quantitat;     // column 2
    QString unitat;        // column 3
    Decimal preu;          // column 4, unit price
    // The quantity and price as the grid shows them (what the user typed);
    // when given they are printed and converted in the user's locale for the
    // amount, and one that is not a number ends the sheet through the error
    // path. "" prints the value above in the locale's short form.
    QString textQuantitat;
    QString textPreu;
};

struct FullFeina {
    QString id;            // text of IdFeina
    QString lloc;          // LlocFeina
    QString data;          // DataFeina, as shown
    QString horaInici;     // HoraIniciFeina
    QString horaFi;        // HoraFiFeina
    QString recurs;        // RecursFeina
    bool feta = false;     // FetaFeina ticked
    QString observacions;  // ObservacionsFeina
    QList<LiniaFullFeina> linies;
};

// Draws the sheet (throws on any failure; the caller's error path ends it).
void dibuixaFullFeina(Impressora& p, const FullFeina& feina);
// The print button of the job dialog: prints the sheet through the error
// path of every document and returns where it went (for the status bar).
QString Imprimeix_Detall_Feina(const FullFeina& feina, QWidget* parent = nullptr);
