#pragma once
// Texts as the printed documents write them.
#include "PeriodeMes.h"

#include <QDate>
#include <QString>

// A text as it fits on one printed line: line breaks become blanks.
QString unaLinia(const QString& text);
// The month of a title: the locale's abbreviation of the date's month
// through the translation table (its key is the abbreviation after a blank),
// trimmed and in capitals.
QString mesTitol(const QDate& dia);
// The period of a report's month; an invalid day is a wrong month
// (std::invalid_argument with the billing tab's message).
PeriodeMes periodeInforme(const QDate& dia);
