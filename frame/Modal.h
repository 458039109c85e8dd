#pragma once
// Every modal dialog of the frame is run through here, so that tests can
// drive a dialog (fill it, press its buttons) instead of waiting on it.
#include <functional>

class QDialog;

namespace Modal {

// Runs the dialog modally (QDialog::exec) or through the installed driver.
int executa(QDialog& dialog);
// Installs a driver that receives each dialog in turn; nullptr restores exec.
void setConductor(std::function<int(QDialog&)> driver);

} // namespace Modal
