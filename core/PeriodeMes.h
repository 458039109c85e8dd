#pragma once
// A month as a period of days: its first day, included, and the next month's
// first day, excluded; a day d is in the month when inici <= d < fi.
#include <QDate>

struct PeriodeMes {
    QDate inici;
    QDate fi;

    // The month of a valid day.
    static PeriodeMes de(const QDate& dia)
    {
        const QDate primer(dia.year(), dia.month(), 1);
        return {primer, primer.addMonths(1)};
    }
};
