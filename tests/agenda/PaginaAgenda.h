#pragma once
// The agenda tab alone over a few rows, for the agenda tests. Settings:
// board from 08:00 to 20:00 in cells of 30 minutes; today is Wednesday
// 10 March 2010 (weeks start on Monday). Resources: Anna (red, records
// time), Pere (dark blue, records no time), the team Equip of both, the team
// Sols without members. Sites of "Client", 60 minutes each.
#include "Calvendra.h"
#include "Globals.h"
#include "Graella.h"
#include "Principal.h"
#include "TabAgenda.h"
#include "TestSupport.h"

#include <memory>

namespace AgendaTest {

constexpr qint32 Vermell = 0x0000FF;
constexpr qint32 Blau = 0x800000;   // dark blue: drawn with white text

struct Pagina {
    TestSupport::ProgramFolder pf;
    std::unique_ptr<TabAgenda> tab;

    explicit Pagina(const QStringList& llocs = {QStringLiteral("Alfa"), QStringLiteral("Beta"),
                                                QStringLiteral("Gamma")})
    {
        using namespace TestSupport;
        pf.writeIni(QStringLiteral("[Parametres]\nPrimeraExecucio=0\nHoraInici=08:00\nHoraFinal=20:00\n"
                                   "MinutsCella=30\n"));
        pf.start();
        addClient("Client");
        addResource("Anna", Vermell);
        addResource("Pere", Blau, false, false);
        addResource("Equip", 0x00FF00, true);
        addResource("Sols", 0x00FFFF, true);   // a team without members
        addMember("Equip", "Anna");
        addMember("Equip", "Pere");
        for (const QString& l : llocs) addSite(l, "Client");
        tab = std::make_unique<TabAgenda>();
        tab->instalaOperacions();
        veu(QStringLiteral("mes"), QDate(2010, 3, 10));
    }
    ~Pagina()
    {
        tab.reset();
        Principal() = OperacionsPrincipal();
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
    // The resources palette as the resources tab fills it (names only).
    void ompleRecursos(const QStringList& noms) const
    {
        Graella* g = tab->recursosGrid();
        g->setCols(1);
        g->setRows(int(noms.size()));
        for (int r = 0; r < noms.size(); ++r) g->setTextMatrix(r, 0, noms[r]);
    }
    // The middle of a palette's cell, in its cells area.
    static QPoint centre(const Graella* g, int fila, int col)
    {
        return g->visualRect(g->model()->index(fila, col)).center();
    }
    // The middle of a board cell, in the grid's cells area.
    QPoint centre(int fila, int col) const
    {
        return centre(board(), fila, col);
    }
};

} // namespace AgendaTest
