#pragma once
// What a grid's keys do to the job under its cursor, the board's and the
// billing tab's alike: the job rules act, and a refusal or failure is shown
// in the core's own words.
#include "Globals.h"

#include <QString>

// Space: a done job becomes not done and back, through Modifica_Feina.
// True when it was stored.
bool Commuta_Feta(Feina& feina);
// The Delete key's question: "<inici> '<site>' del <date> ?", its joining
// word and its question marks in the user's language (Pregunta).
QString preguntaEsborrar(const QString& inici, const Feina& feina);
// Delete: `pregunta` under "CONFIRMACIO" with Yes and No; on Yes the job goes
// through Borra_Feina. True when it was deleted.
bool Esborra_Feina_Confirmada(Feina& feina, const QString& pregunta);
