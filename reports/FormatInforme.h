#pragma once
// Amounts as the printed documents write and compute them.
#include "Decimal.h"

#include <QDate>
#include <QLocale>
#include <QString>

// "#,##0.00" in the locale (thousands grouped, two decimals, half-to-even).
QString formatImport(const Decimal& valor, const QLocale& locale = QLocale());
// Quantity x unit price brought to cents (half-to-even); an amount beyond
// what the decimal type holds throws std::overflow_error.
Decimal importLinia(const Decimal& quantitat, const Decimal& preu);
// Sum that refuses to overflow (std::overflow_error).
Decimal sumaImports(const Decimal& a, const Decimal& b);
// A text as it fits on one printed line: line breaks become blanks.
QString unaLinia(const QString& text);
// The month of a title: the locale's abbreviation of the date's month
// through the translation table (its key is the abbreviation after a blank),
// trimmed and in capitals.
QString mesTitol(const QDate& dia);
// The first day of a report's month; an invalid day is a wrong month
// (std::invalid_argument with the billing tab's message).
QDate primerDiaMes(const QDate& dia);
