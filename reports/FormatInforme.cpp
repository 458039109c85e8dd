#include "FormatInforme.h"

#include "Traduccio.h"

#include <QLocale>
#include <stdexcept>

QString unaLinia(const QString& text)
{
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    s.replace(u'\r', u' ');
    s.replace(u'\n', u' ');
    s.replace(u'\t', u' ');
    return s;
}

QString mesTitol(const QDate& dia)
{
    const QString mes = QLocale().standaloneMonthName(dia.month(), QLocale::ShortFormat);
    return Tradueix(u' ' + mes).trimmed().toUpper();
}

PeriodeMes periodeInforme(const QDate& dia)
{
    if (!dia.isValid())
        throw std::invalid_argument(Tradueix(QStringLiteral("Mes erroni (format: 'mm/aaaa')")).toStdString());
    return PeriodeMes::de(dia);
}
