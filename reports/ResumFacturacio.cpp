#include "ResumFacturacio.h"

#include "Convert.h"
#include "DadesFacturacio.h"
#include "FormatInforme.h"
#include "Traduccio.h"

using Linia = Impressora::Linia;

QDate fiResum(const QDate& primerDia, const QDate& avui)
{
    const QDate ultim = primerDia.addMonths(1).addDays(-1);
    return avui.isValid() && avui < ultim ? avui : ultim;
}

ResumFacturacio::ResumFacturacio(Impressora& p, const QString& mes, const QDate& inici, const QDate& fi)
    : p_(p), mes_(mes), inici_(inici), fi_(fi), marc_(p, [this] { capcalera(); })
{
}

void ResumFacturacio::comenca()
{
    total_ = Decimal();
    marc_.comenca();
}

void ResumFacturacio::capcalera()
{
    marc_.logo();
    marc_.titol(Tradueix(QStringLiteral("RESUM FACTURACIÓ del mes:")) + u' ' + mesTitol(inici_) + u' '
                    + QString::number(inici_.year()),
                Linia::Segueix);
    p_.setFontBold(false);
    marc_.titolSegueix(QStringLiteral(" ( ") + Conv::shortDate(inici_) + QStringLiteral(" - ") + Conv::shortDate(fi_)
                       + QStringLiteral(" )"));
    p_.setFontSize(10);
    p_.setFontBold(true);
    p_.setCurrentY(p_.CurrentY() + 200);
    // The titles of the numbers end where the numbers end, whatever the font.
    marc_.a(Marc::MargeEsquerre, Tradueix(QStringLiteral("Client")));
    marc_.seguit(5000, Tradueix(QStringLiteral("Servei/Lloc")));
    marc_.dretaSeguit(Tradueix(QStringLiteral("Quantitat")), 7500);
    marc_.seguit(7600, Tradueix(QStringLiteral("Unitat")));
    marc_.dretaSeguit(Tradueix(QStringLiteral("Import")), Marc::VoraDreta);
    marc_.tancaCapcalera(300, 150);
}

void ResumFacturacio::evitaPeu()
{
    if (p_.CurrentY() + p_.TextHeight() > marc_.PosicioSaltPagina + 500) marc_.saltPagina();
}

Decimal ResumFacturacio::client(const FacturacioMes& mes)
{
    QVector<TotalServei> linies = totalsMes(mes);
    // Every listed cheque counts; those that pay no job lower nothing.
    int nombre = 0;
    Decimal xecs;
    for (const XecMes& x : mes.xecs) {
        ++nombre;
        xecs -= x.importMostrat();
    }
    if (!xecs.isZero())
        linies.append({mes.serveiXecs, Tradueix(QStringLiteral("Xecs")), Decimal::fromInt(nombre), xecs});

    // Tested between clients only (200 twips ahead), so a block starts whole on a page.
    if (p_.CurrentY() + 200 > marc_.PosicioSaltPagina) marc_.saltPagina();

    const QString euro = Tradueix(QStringLiteral(" €"));
    Decimal totalClient;
    bool primera = true;
    for (const TotalServei& l : linies) {
        if (l.quantitat.isZero()) continue;
        if (primera) {
            p_.setFontSize(10);
            p_.setFontBold(true);
            p_.setForeColor(Marc::Negre);
            p_.setCurrentX(Marc::MargeEsquerre);
            p_.setCurrentY(p_.CurrentY() + 200);
            marc_.fins(Marc::MargeEsquerre, mes.client.toUpper(), 5000 - Marc::Tall);
            p_.setFontBold(false);
            // A leader up to the services' column (none under a name that reaches it).
            const double y = p_.CurrentY();
            if (p_.CurrentX() + 100 < 4900) marc_.puntejat(p_.CurrentX(), 5000, y);
            p_.setCurrentY(y);
            primera = false;
        } else {
            evitaPeu();
        }
        // The name and the unit end before the numbers after them.
        const QString quantitat = l.quantitat.toShortString();
        const QString import = l.import.isZero() ? QString() : l.import.toGroupedString() + euro;
        marc_.finsAbans(5000, l.nom, quantitat, 7500);
        marc_.dreta(quantitat, 7500);
        marc_.finsAbans(7600, l.unitat, import, Marc::VoraDreta);
        if (!l.import.isZero()) {
            marc_.dreta(import, Marc::VoraDreta);
            totalClient += l.import;
        }
        p_.setCurrentY(p_.CurrentY() + 200);
    }
    if (primera) return Decimal();

    p_.setCurrentY(p_.CurrentY() + 50);
    evitaPeu();
    p_.setFontBold(true);
    // "Total:" at 9300, or further left before a longer amount.
    const QString total = Tradueix(QStringLiteral("Total:"));
    const QString import = totalClient.toGroupedString() + euro;
    p_.setCurrentX(qMin(9300.0, marc_.inici(import, Marc::VoraDreta) - marc_.blanc() - p_.TextWidth(total)));
    p_.Print(total, Linia::Segueix);
    marc_.dreta(import, Marc::VoraDreta);
    p_.setCurrentY(p_.CurrentY() + 250);
    total_ += totalClient;
    return totalClient;
}

void ResumFacturacio::totalMes()
{
    p_.Print();
    p_.Print();
    p_.setFontSize(10);
    p_.setFontBold(true);
    evitaPeu();
    const double inici = marc_.dreta(
        Tradueix(QStringLiteral("TOTAL MES:")) + u' ' + total_.toGroupedString() + Tradueix(QStringLiteral(" €")), Marc::VoraDreta);
    p_.setFontBold(false);
    const double y = p_.CurrentY();
    // The box takes a longer total too.
    marc_.caixa(qMin(7000.0, inici - Marc::Espai), y - 50, 11200, y + 290);
    p_.Print();
}
