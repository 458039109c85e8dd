#pragma once
// What a grid's keys do to the job under its cursor, the board's and the
// billing tab's alike: the job rules act, and a refusal or failure is shown
// in the core's own words.
#include "Globals.h"

#include <QString>

class QWidget;

// Space: a done job becomes not done and back, through Modifica_Feina; a job
// an invoice billed first asks (Confirma_Desfer_Factura). True when it was
// stored.
bool Commuta_Feta(Feina& feina);
// Before the job `id` is saved as not done: when it is stored done and an
// invoice billed it, a question under "CONFIRMACIO" with Yes and No names the
// job (site and date) and its invoice date and says the invoice will be
// undone. True when the save may go on (not invoiced, or Yes). A job that is
// not there asks nothing (the save says so); a failure to read it throws.
bool Confirma_Desfer_Factura(qint32 id, QWidget* pare = nullptr);
// The Delete key's question: "<inici> '<site>' del <date> ?", its joining
// word and its question marks in the user's language (Pregunta).
QString preguntaEsborrar(const QString& inici, const Feina& feina);
// Delete: `pregunta` under "CONFIRMACIO" with Yes and No; on Yes the job goes
// through Borra_Feina. True when it was deleted.
bool Esborra_Feina_Confirmada(Feina& feina, const QString& pregunta);
