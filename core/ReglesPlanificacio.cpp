#include "ReglesPlanificacio.h"

#include "Convert.h"

#include <limits>

namespace {

constexpr int Dissabte = 7;
constexpr int Diumenge = 1;

int diaSetmanaValid(int d) { return d >= 1 && d <= 7 ? d : 0; }

// Weeks of two years compare by year first, so a new year always opens a
// new week for the weekday alignment.
qint64 clauSetmana(const QDate& d, int primerDiaSetmana)
{
    return qint64(d.year()) * 64 + setmanaDelAny(d, primerDiaSetmana);
}

} // namespace

QDate Dia_Planificat(const QDate& dia, int diaSetmana, bool primer, bool ultim)
{
    if (!dia.isValid()) return dia;
    const int D = diaSetmanaValid(diaSetmana);
    QDate r = dia;
    if (D > 0) {
        r = dia.addDays(D - Conv::vbWeekday(dia));
        if (r < dia) r = r.addDays(7);
    }
    if (primer) {
        if (D > 0) {
            while (r.addDays(-7).month() == r.month()) r = r.addDays(7);
        } else if (r.day() != 1) {
            r = QDate(r.year(), r.month(), 1).addMonths(1);
        }
    }
    if (ultim) {
        if (D == 0) {
            if (r.addDays(1).day() != 1) r = QDate(r.year(), r.month(), r.daysInMonth());
        } else {
            while (r.addDays(7).month() == r.month()) r = r.addDays(7);
        }
    }
    return r;
}

int setmanaDelAny(const QDate& dia, int primerDiaSetmana)
{
    const int desplacament = Conv::weekdayFrom(QDate(dia.year(), 1, 1), primerDiaSetmana) - 1;
    return (dia.dayOfYear() - 1 + desplacament) / 7 + 1;
}

QDate visitaMensual(const LlocPlanificable& lloc, const QDate& primerDelMes)
{
    const int D = diaSetmanaValid(lloc.diaSetmana);
    QDate d = Dia_Planificat(primerDelMes, D, lloc.primerDiaMes, lloc.ultimDiaMes);
    if (Conv::vbWeekday(d) == Dissabte && D != Dissabte && !lloc.dissabte)
        d = d.addDays(lloc.primerDiaMes ? 1 : -1);
    if (Conv::vbWeekday(d) == Diumenge && D != Diumenge && !lloc.diumenge)
        d = d.addDays(lloc.primerDiaMes ? 1 : (lloc.dissabte ? -1 : -2));
    return d;
}

QList<QDate> diesPeriodics(const LlocPlanificable& lloc, const QDate& ultimaFeina, const QDate& primer,
                           const QDate& ultim, int primerDiaSetmana)
{
    QList<QDate> dies;
    const qint64 P = lloc.periodicitat;
    const int D = diaSetmanaValid(lloc.diaSetmana);
    if (P <= 0 || !primer.isValid() || !ultim.isValid()) return dies;

    QDate d = ultimaFeina.isValid() ? ultimaFeina.addDays(P) : primer;
    if (!d.isValid() || d < primer) d = primer;
    qint64 setmana = std::numeric_limits<qint64>::min();
    QDate darrer;   // last day planned for this site in this run

    while (d.isValid() && d <= ultim) {
        // Keep the visits on the fixed weekday, once per new week; never go
        // back before the period or onto a day already planned.
        if (D > 0 && clauSetmana(d, primerDiaSetmana) > setmana) {
            setmana = clauSetmana(d, primerDiaSetmana);
            d = d.addDays(D - Conv::vbWeekday(d));
            while (d.isValid() && (d < primer || (darrer.isValid() && d <= darrer))) d = d.addDays(P);
            if (!d.isValid()) break;
        }
        if (Conv::vbWeekday(d) == Dissabte && D != Dissabte && !lloc.dissabte) d = d.addDays(1);
        if (Conv::vbWeekday(d) == Diumenge && D != Diumenge && !lloc.diumenge) {
            d = d.addDays(1);
            continue;
        }
        if (d > ultim) break;
        dies.append(d);
        darrer = d;
        d = d.addDays(P);
    }
    return dies;
}

QList<QDate> diesMensuals(const LlocPlanificable& lloc, const QDate& primer, const QDate& ultim)
{
    QList<QDate> dies;
    if (!primer.isValid() || !ultim.isValid() || primer > ultim) return dies;
    // A weekend move shifts a visit by at most two days, so the months just
    // around the period may hold a visit that moves into it.
    const QDate desDe = primer.addDays(-3);
    const QDate finsA = ultim.addDays(3);
    for (QDate mes(desDe.year(), desDe.month(), 1); mes <= finsA; mes = mes.addMonths(1)) {
        const QDate d = visitaMensual(lloc, mes);
        if (d >= primer && d <= ultim) dies.append(d);
    }
    return dies;
}
