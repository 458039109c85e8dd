#pragma once
#include <QtGlobal>

// Example data of a fresh database: two workers and their team, two
// services, two clients, three sites with their services and a week of jobs.

// Fills the main database when Recursos, Serveis and Clients are all empty;
// otherwise writes nothing. Every name passes through the translation, so
// the example speaks the language chosen on the first run. One transaction:
// on a failure nothing is written and "Error:" + the description is shown.
// True when the database holds its data afterwards (the example's or its own).
bool Crea_Dades_Exemple();

// Quantity rounded to two decimals, halves to the even digit, as computed
// on the binary double (so 10 - 0.005 gives 9.99); the result in
// ten-thousandths, as stored.
qint64 quantitatArrodonida(double valor);
