#pragma once
// Text boxes that select their whole text when they receive the focus, so
// that typing replaces the value.
#include <QStringList>

class QLineEdit;
class QWidget;

namespace SeleccionaTot {

// Gives the behaviour to one box.
void instal(QLineEdit* box);
// Gives it to every box below `root` whose object name is listed; returns how many were found.
int instal(QWidget* root, const QStringList& names);

} // namespace SeleccionaTot
