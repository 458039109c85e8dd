#pragma once
// Operations of the main window that other windows call. The main window
// installs them when it loads; a call with nothing installed does nothing, so
// editors and tests can run without the main window.
#include <functional>
#include <utility>

class QString;

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

    // The shell, for the agenda board: shows tab 1..5 as a click on its tab
    // does; makes a site (with its client) or a resource the current entry of
    // its master-data list; writes the status bar's first panel.
    std::function<void(int)> Mostra_Pestanya;
    std::function<void(const QString&)> Mostra_Lloc;
    std::function<void(const QString&)> Mostra_Recurs;
    std::function<void(const QString&)> Mostra_Estat;
};

OperacionsPrincipal& Principal();
// Runs an installed operation; a missing one is a no-op.
inline void crida(const std::function<void()>& op)
{
    if (op) op();
}
template <class... Args, class... Given>
void crida(const std::function<void(Args...)>& op, Given&&... args)
{
    if (op) op(std::forward<Given>(args)...);
}
