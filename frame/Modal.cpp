#include "Modal.h"

#include <QDialog>

namespace {
std::function<int(QDialog&)> g_conductor;
}

namespace Modal {

int executa(QDialog& dialog)
{
    if (g_conductor) return g_conductor(dialog);
    return dialog.exec();
}

void setConductor(std::function<int(QDialog&)> driver) { g_conductor = std::move(driver); }

} // namespace Modal
