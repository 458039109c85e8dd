#pragma once
// Start-up of the core: settings, databases and translations.
#include "Configuracio.h"

#include <QString>
#include <optional>

// Steps before any window: first day of the week, settings, cells of a day,
// the main and translation databases, the translation table. G.ProgramDir
// must be set. A settings file that cannot be read is set aside first and
// the start goes on as a first run; what was set aside comes back, for the
// caller to say once the language is chosen. Throws std::exception whose
// what() is the description shown after "Error:".
std::optional<ConfiguracioApartada> arrencaNucli();

// Chooses the help file for G.Idioma (first the language's own, then the
// general one); when neither exists warns, naming the general one.
void triaFitxerAjuda();

// Closes both databases (end of the program).
void tancaBasesDades();
