#pragma once
// The extra hours proposed for a resource's day, free of widgets: the time
// cells of its column on the day view (label and whether a job occupies
// them), the settings and the date go in; the hours above a normal day come
// out, or every worked hour on a Saturday or Sunday counted as extra.
#include "Decimal.h"

#include <QDate>
#include <QList>
#include <QString>

struct ParametresHoresExtres {
    int minutsCella = 30;
    QString horaIniciDinar = QStringLiteral("13:30");   // lunch window, [start, end)
    QString horaFinalDinar = QStringLiteral("15:00");
    Decimal horesDia = Decimal::fromInt(8);             // normal hours of a day
    bool calculxHores = true;     // only occupied cells count; else also the gaps between jobs
    bool dissabtesExtra = true;   // every worked hour of a Saturday is extra
    bool diumengesExtra = true;   // and of a Sunday

    // The program's current settings.
    static ParametresHoresExtres actuals();
};

// One time cell of the board, in the board's order.
struct CellaHores {
    QString hora;           // the row's label, "hh:mm"
    bool ocupada = false;   // a job of the resource covers it
};

// Worked time: every occupied cell; without `calculxHores`, also the empty
// cells between the first and the last job of the day that lie outside the
// lunch window (labels compared as texts). Hours to four decimals, less
// `horesDia` unless the whole day is extra; never negative.
Decimal Calcula_Hores_Extres(const QList<CellaHores>& celles, const ParametresHoresExtres& p, const QDate& dia);
