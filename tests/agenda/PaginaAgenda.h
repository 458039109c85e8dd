#pragma once
// The agenda page of the board tests: a program folder with three sites, a
// few resources (Anna records time, Pere does not, Equip is a team of the
// two, Sols a team without members) and the tab with its operations
// installed, showing the month of Wednesday 10 March 2010.
#include "Calvendra.h"
#include "Globals.h"
#include "Principal.h"
#include "TabAgenda.h"
#include "TestSupport.h"

#include <memory>

namespace TestSupport {

constexpr qint32 Vermell = 0x0000FF;
constexpr qint32 Blau = 0x800000;   // dark blue: drawn with white text

struct Pagina {
    ProgramFolder pf;
    std::unique_ptr<TabAgenda> tab;

    explicit Pagina(const QStringList& llocs = {QStringLiteral("Alfa"), QStringLiteral("Beta"),
                                                QStringLiteral("Gamma")})
    {
        pf.writeIni(QStringLiteral("[Parametres]\nPrimeraExecucio=0\nHoraInici=08:00\nHoraFinal=20:00\n"
                                   "MinutsCella=30\n"));
        pf.start();
        addClient(QStringLiteral("Client"));
        addResource(QStringLiteral("Anna"), Vermell);
        addResource(QStringLiteral("Pere"), Blau, false, false);
        addResource(QStringLiteral("Equip"), 0x00FF00, true);
        addResource(QStringLiteral("Sols"), 0x00FFFF, true);   // a team without members
        addMember(QStringLiteral("Equip"), QStringLiteral("Anna"));
        addMember(QStringLiteral("Equip"), QStringLiteral("Pere"));
        for (const QString& l : llocs) addSite(l, QStringLiteral("Client"));
        tab = std::make_unique<TabAgenda>();
        tab->instalaOperacions();
        veu(QStringLiteral("mes"), QDate(2010, 3, 10));
    }

    // The view and the shown date, as the board's navigation sets them.
    void veu(const QString& mode, const QDate& d)
    {
        G.ModeAgenda = mode;
        G.DataAgenda = d;
        G.DataIniciSetmana = iniciSetmana(d, G.PrimerDiaSetmana);
        G.DataIniciMes = iniciMes(d, G.PrimerDiaSetmana);
        tab->calendari()->setDateValue(d);
    }

    Graella* board() const { return tab->agendaGrid(); }
    // Statements one call runs.
    template <class F>
    qint64 statements(F&& f) const
    {
        const qint64 abans = BD().statementsRun();
        f();
        return BD().statementsRun() - abans;
    }
};

} // namespace TestSupport
