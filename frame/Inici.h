#pragma once
// The program's start and end: the start-up sequence up to the splash
// window, and the restart when the settings asked for one.
#include <QString>
#include <QStringList>
#include <functional>

namespace Inici {

// Start-up: settings, databases, translations, the language choice on the
// first run, the help file, the main window loaded hidden and the splash.
// G.ProgramDir must be set. False when it failed (the error was shown and
// nothing is left open).
bool Main();

// End of the program: starts it again when the settings asked for it.
// Returns whether a restart was launched.
bool Form_Terminate();

// Starts a program detached from this one; tests install their own.
using Llancador = std::function<bool(const QString& program, const QStringList& arguments)>;
void setLlancador(Llancador l);

} // namespace Inici
