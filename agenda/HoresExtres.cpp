#include "HoresExtres.h"

#include "Convert.h"
#include "Globals.h"

ParametresHoresExtres ParametresHoresExtres::actuals()
{
    ParametresHoresExtres p;
    p.minutsCella = G.MinutsCella;
    p.horaIniciDinar = G.HoraIniciDinar;
    p.horaFinalDinar = G.HoraFinalDinar;
    p.horesDia = G.HoresDia;
    p.calculxHores = G.CalculxHores;
    p.dissabtesExtra = G.DissabtesExtra;
    p.diumengesExtra = G.DiumengesExtra;
    return p;
}

Decimal Calcula_Hores_Extres(const QList<CellaHores>& celles, const ParametresHoresExtres& p, const QDate& dia)
{
    qint64 total = 0;
    qint64 pendent = 0;   // a gap counts once another job follows it
    bool comencat = false;
    for (const CellaHores& c : celles) {
        if (c.ocupada) {
            total += p.minutsCella + pendent;
            pendent = 0;
            comencat = true;
        } else if (!p.calculxHores && comencat && (c.hora >= p.horaFinalDinar || c.hora < p.horaIniciDinar)) {
            pendent += p.minutsCella;
        }
    }
    const Decimal hores = Decimal::fromInt(total) / 60;
    const int diaSetmana = Conv::vbWeekday(dia);
    const bool totExtra = (diaSetmana == 7 && p.dissabtesExtra) || (diaSetmana == 1 && p.diumengesExtra);
    const Decimal proposta = totExtra ? hores : hores - p.horesDia;
    return proposta < Decimal() ? Decimal() : proposta;
}
