#pragma once
// Operations of the main window that other windows call. The main window
// installs them when it loads; a call with nothing installed does nothing, so
// editors and tests can run without the main window.
#include <functional>

struct OperacionsPrincipal {
    std::function<void()> Omple_Agenda;
    std::function<void()> Omple_Graella_Llocs;
    std::function<void()> Calcula_Facturacio_Client;
    std::function<void()> Omple_Clients;
    std::function<void()> Omple_Llocs_Client;
    std::function<void()> Omple_Serveis_Lloc;
    std::function<void()> Omple_Serveis;
    std::function<void()> Omple_Recursos;
    std::function<void()> Omple_Xecs_Client;
};

OperacionsPrincipal& Principal();
// Runs an installed operation; a missing one is a no-op.
inline void crida(const std::function<void()>& op)
{
    if (op) op();
}
