#pragma once
// The board's print button: the board grid as shown, through our grid
// printer, under a heading naming the view and its period.
#include "LlistaFeines.h"

class Graella;
class ImpressorGraella;
class QWidget;

// Gives the printer its heading texts and options in the board's order:
// orientation, header (ten blanks and the program's title), title ("Agenda",
// the view and its period), date (fifteen blanks and today), colours, sizes,
// fit to the page width.
void preparaImpressorAgenda(ImpressorGraella& impressor, const PeriodeAgenda& periode);

// ImprimirAgenda_Click: prints the board grid; any error shows "Error:" and
// its description. Returns where the document went (for the status bar).
QString ImprimirAgenda_Click(const Graella* agendaGrid, const PeriodeAgenda& periode, QWidget* parent = nullptr);
