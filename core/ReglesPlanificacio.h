#pragma once
// Date rules of the planning run, free of any database: which days a site is
// due in a period, by its periodic or its monthly rule. Weekdays are numbered
// 1 = Sunday .. 7 = Saturday; 0 means "no fixed weekday".
#include <QDate>
#include <QList>
#include <QString>

// What the planning reads of one site.
struct LlocPlanificable {
    QString nom;
    qint32 periodicitat = 0;     // days between two visits; > 0 to be planned
    int diaSetmana = 0;          // fixed weekday of the visits, 0 = none
    bool dissabte = false;       // visits accepted on Saturdays
    bool diumenge = false;       // visits accepted on Sundays
    bool primerDiaMes = false;   // monthly: first day (or first weekday) of the month
    bool ultimDiaMes = false;    // monthly: last day (or last weekday) of the month
    QString hora;                // usual start "hh:mm"; empty = start of the working day

    bool mensual() const { return primerDiaMes || ultimDiaMes; }
};

// The first day on or after `dia` that meets the monthly rule: the first or
// last day of a month (diaSetmana 0), or the first or last given weekday of
// a month. With both flags, the last matching day of the month the first
// flag reaches.
QDate Dia_Planificat(const QDate& dia, int diaSetmana, bool primer, bool ultim);

// Week of the year of a day, weeks beginning on `primerDiaSetmana`; week 1
// holds 1 January (and may be short).
int setmanaDelAny(const QDate& dia, int primerDiaSetmana);

// The monthly visit of the month of `primerDelMes` after the weekend move:
// a first-of-month visit moves forward, a last-of-month visit back.
QDate visitaMensual(const LlocPlanificable& lloc, const QDate& primerDelMes);

// Due days of a periodic site within [primer, ultim], in order. `ultimaFeina`
// is the day of the site's latest job (null when it has none): the series
// goes on from it.
QList<QDate> diesPeriodics(const LlocPlanificable& lloc, const QDate& ultimaFeina, const QDate& primer,
                           const QDate& ultim, int primerDiaSetmana);

// Due days of a monthly site within [primer, ultim], in order. Each month
// has one visit; it belongs to the period that holds its moved day, so
// consecutive periods neither lose nor repeat a visit.
QList<QDate> diesMensuals(const LlocPlanificable& lloc, const QDate& primer, const QDate& ultim);
