#pragma once
// Start-up of the core: settings, databases and translations.
#include <QString>

// Steps before any window: first day of the week, settings, cells of a day,
// the main and translation databases, the translation table. G.ProgramDir
// must be set. Throws std::exception whose what() is the description shown
// after "Error:".
void arrencaNucli();

// Chooses the help file for G.Idioma (first the language's own, then the
// general one); when neither exists warns, naming the general one.
void triaFitxerAjuda();

// Closes both databases (end of the program).
void tancaBasesDades();
