#include "ImpressioAgenda.h"

#include "Clock.h"
#include "Convert.h"
#include "Globals.h"
#include "ImpressorGraella.h"
#include "MessageBox.h"
#include "Traduccio.h"

#include <QCoreApplication>
#include <exception>

namespace {
QString titolPrograma()
{
    const QString t = QCoreApplication::applicationName();
    return t.isEmpty() ? QString::fromLatin1(ProductName) : t;
}
} // namespace

void preparaImpressorAgenda(ImpressorGraella& impressor, const PeriodeAgenda& periode)
{
    impressor.setOrientacio(2);
    impressor.setCapcalera(QString(10, u' ') + titolPrograma());
    impressor.setTitol(QString(12, u' ') + Tradueix(QStringLiteral("Agenda")) + u' ' + Tradueix(periode.mode).toUpper());
    const QString t = impressor.Titol();
    if (periode.mode == QLatin1String("mes")) {
        const QString mes = QLocale().standaloneMonthName(periode.dataCalendari.month(), QLocale::ShortFormat);
        impressor.setTitol(t + QStringLiteral(": ") + Tradueix(mes).trimmed().toUpper() + u' '
                           + QString::number(periode.dataCalendari.year()));
    } else if (periode.mode == QLatin1String("setmana")) {
        impressor.setTitol(t + Tradueix(QStringLiteral(" del")) + u' ' + Conv::shortDate(periode.iniciSetmana)
                           + Tradueix(QStringLiteral(" al")) + u' ' + Conv::shortDate(periode.iniciSetmana.addDays(6)));
    } else if (periode.mode == QLatin1String("dia")) {
        impressor.setTitol(t + QStringLiteral(": ") + Conv::shortDate(periode.dataCalendari));
    }
    impressor.setData(QString(15, u' ') + Conv::shortDate(Clock::today()));
    impressor.setColorTitol(255);
    impressor.setColorCapcalera(0);
    impressor.setColorData(0);
    impressor.setMidaTitol(12);
    impressor.setMidaCapcalera(10);
    impressor.setMidaData(8);
    impressor.setAjustaAmplada(true);
}

QString ImprimirAgenda_Click(const Graella* agendaGrid, const PeriodeAgenda& periode, QWidget* parent)
{
    try {
        ImpressorGraella impressor;
        preparaImpressorAgenda(impressor, periode);
        return impressor.Imprimeix(agendaGrid, parent);
    } catch (const std::exception& e) {
        MsgBox::error(QString::fromUtf8(e.what()), QString(), parent);
    }
    return QString();
}
