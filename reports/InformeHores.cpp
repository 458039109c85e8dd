#include "InformeHores.h"

#include "Convert.h"
#include "FormatInforme.h"
#include "Globals.h"
#include "MarcPagina.h"
#include "Traduccio.h"

#include <QLocale>

using Linia = Impressora::Linia;

int Borra_hores_extres_erronies(const QDate& inici)
{
    const PeriodeMes p = periodeInforme(inici);
    Transaction tx(BD());
    const int esborrades = BD().exec(
        QStringLiteral("DELETE FROM Hores_Fetes WHERE hores_data >= ? AND hores_data < ? AND NOT EXISTS ("
                       "SELECT 1 FROM Feines F LEFT JOIN Recursos_Components RC ON F.recursos_nom = RC.recursos_nom"
                       " WHERE F.feines_data = Hores_Fetes.hores_data"
                       " AND COALESCE(RC.recursos_component_nom, F.recursos_nom) = Hores_Fetes.recursos_nom"
                       " COLLATE NOCASE)"),
        {Conv::isoDate(p.inici), Conv::isoDate(p.fi)});
    tx.commit();
    return esborrades;
}

QList<HoresExtres> horesExtresMes(const QDate& inici)
{
    const PeriodeMes p = periodeInforme(inici);
    QSqlQuery& q = BD().cached(QStringLiteral("SELECT recursos_nom, hores_data, hores_quantitat FROM Hores_Fetes"
                                              " WHERE hores_data >= ? AND hores_data < ?"
                                              " ORDER BY recursos_nom, hores_data"),
                               {Conv::isoDate(p.inici), Conv::isoDate(p.fi)});
    QList<HoresExtres> out;
    while (q.next()) {
        HoresExtres h;
        h.recurs = q.value(0).toString();
        h.data = QDate::fromString(q.value(1).toString(), Qt::ISODate);
        h.hores = Decimal::fromVariant(q.value(2));
        out.append(h);
    }
    return out;
}

QString titolInformeHores(const QDate& inici)
{
    return Tradueix(QStringLiteral("Relació de HORES EXTRA del mes:")) + u' ' + mesTitol(inici) + u' '
           + QString::number(inici.year());
}

namespace {

class InformeHores {
public:
    InformeHores(Impressora& p, const QDate& inici)
        : p_(p), titol_(titolInformeHores(inici)), marc_(p, [this] { marc_.capcaleraTitol(titol_); })
    {
    }

    void imprimeix(const QList<HoresExtres>& hores)
    {
        Decimal subtotal, totalMes;
        QString anterior;
        // The resource's name goes on the next line (its first, or the first
        // after a page break).
        bool primera = true;
        marc_.comenca();
        for (const HoresExtres& h : hores) {
            if (!primera && h.recurs.compare(anterior, Qt::CaseInsensitive) != 0) {
                totalRecurs(subtotal);
                subtotal = Decimal();
                primera = true;
                p_.setCurrentY(p_.CurrentY() + 200);
            }
            if (marc_.provaSalt()) primera = true;
            anterior = h.recurs;
            p_.setFontSize(10);
            p_.setFontBold(true);
            p_.setForeColor(Marc::Negre);
            p_.setCurrentX(Marc::MargeEsquerre);
            p_.setCurrentY(p_.CurrentY() + 200);
            if (primera) {
                marc_.fins(Marc::MargeEsquerre, h.recurs.toUpper(), 4000 - Marc::Tall);
                primera = false;
            }
            p_.setFontBold(false);
            marc_.a(4000, Conv::shortDate(h.data));
            marc_.seguit(5300, Tradueix(QLocale().dayName(h.data.dayOfWeek(), QLocale::LongFormat)));
            const double fiDia = p_.CurrentX();
            const double y = p_.CurrentY();
            const double iniciHores = marc_.dreta(h.hores.toGroupedString() + Tradueix(QStringLiteral(" hores")), 9700);
            marc_.puntejat(fiDia, iniciHores, y);
            p_.setCurrentY(y);
            subtotal += h.hores;
            totalMes += h.hores;
        }
        // The last resource's total (a 0 total when the month has none).
        totalRecurs(subtotal);
        p_.Print();
        p_.Print();
        p_.Print();
        if (marc_.provaSalt()) {
            p_.Print();
            p_.Print();
            p_.Print();
        }
        p_.setFontSize(10);
        p_.setFontBold(true);
        const double inici = marc_.dreta(Tradueix(QStringLiteral("TOTAL MES")) + u' ' + totalMes.toGroupedString()
                                             + Tradueix(QStringLiteral(" hores")),
                                         9750);
        p_.setFontBold(false);
        const double y = p_.CurrentY();
        // The box takes a longer total too.
        marc_.caixa(qMin(7000.0, inici - Marc::Espai), y - 50, 10000, y + 290);
        p_.setCurrentY(y);
        p_.Print();
    }

private:
    void totalRecurs(const Decimal& subtotal)
    {
        p_.setFontSize(10);
        p_.setFontBold(true);
        p_.setCurrentY(p_.CurrentY() + 300);
        marc_.dreta(
            Tradueix(QStringLiteral("Total")) + u' ' + subtotal.toGroupedString() + Tradueix(QStringLiteral(" hores")), 9750);
    }

    Impressora& p_;
    QString titol_;
    MarcPagina marc_;
};

} // namespace

void dibuixaInformeHores(Impressora& p, const QDate& inici, const QList<HoresExtres>& hores)
{
    InformeHores(p, inici).imprimeix(hores);
}

QString Imprimeix_Hores_Extres(const QDate& inici, QWidget* parent)
{
    const QString nom =
        inici.isValid() ? titolInformeHores(inici) : Tradueix(QStringLiteral("Relació de HORES EXTRA del mes:"));
    return imprimeixDocument(
        nom,
        [&](Impressora& p) {
            Borra_hores_extres_erronies(inici);
            dibuixaInformeHores(p, inici, horesExtresMes(inici));
        },
        Impressora::Orientacio::Vertical, parent);
}
