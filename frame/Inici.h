#pragma once
// The program's start and end: the start-up sequence up to the splash
// window, and the restart when the settings asked for one.
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

namespace Inici {

// Start-up: settings, databases, translations, the language choice on the
// first run, the help file, the main window loaded hidden and the splash.
// G.ProgramDir must be set. False when it failed (the error was shown and
// nothing is left open).
bool Main();

// The toolkit's own texts (the buttons of the message boxes, ...) in the
// language of G.Idioma, when the system has them. Replaces an earlier one.
bool instalaTraduccioQt();

// The locale the program works in: the one in use (the system's), except that
// the "C" locale of a system with none of its own gives way to that of the
// chosen language, so that dates and numbers read as the user writes them.
QLocale localeDelPrograma(const QLocale& sistema, const QString& idioma);

// End of the program: starts it again when the settings asked for it.
// Returns whether a restart was launched.
bool Form_Terminate();

// Starts a program detached from this one; tests install their own.
using Llancador = std::function<bool(const QString& program, const QStringList& arguments)>;
void setLlancador(Llancador l);

} // namespace Inici
