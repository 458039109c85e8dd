#pragma once
// The job rules: insert, change, delete and find jobs under the overlap rules.
// Every operation answers through feina.Missatge ("" = done, a translated rule
// text = refused, "Error en <operation>:" + description = failed) and, beside
// it, through feina.Resultat (Fet, Refusat, Error). Each runs in one
// transaction (a savepoint inside a caller's); on failure nothing of it stays.
// Times are "hh:mm" texts ("24:00" closes the day). The overlap tests
// themselves are in FeinesSolapament.h, for windows that check a slot first.
#include "Globals.h"

#include <QDate>
#include <QString>

// Inserts a job for feina.Lloc on feina.Data at feina.HoraInici, lasting the
// site's planned minutes, with the site's services as its lines. strict: a
// resource overlap refuses the job; non-strict: the job is stored without
// resource. Success leaves the new key in feina.Id, a refusal leaves Id as it
// was, an unexpected failure leaves Id 0.
void Grava_Feina(Feina& feina, bool estricte);
// Changes the job feina.Id to the record's values (HoraFi "" = compute it);
// an end before the start is refused with the end-of-day message.
void Modifica_Feina(Feina& feina);
// Deletes the job feina.Id (not when done), releasing its cheques.
void Borra_Feina(Feina& feina);
// The job of a site covering a day and time (start <= time < end), for a
// resource, its teams included ("" = unassigned jobs); the earliest by start,
// then id. No job: Missatge "Feina no trobada" (translated), Resultat Refusat.
Feina Busca_Feina(const QDate& dia, const QString& hora, const QString& lloc, const QString& recurs);
// The job of that id as stored; when there is none, Missatge "Feina no
// trobada" (translated) and Resultat Refusat, as Busca_Feina answers.
Feina Llegeix_Feina(qint32 id);
