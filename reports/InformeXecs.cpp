#include "InformeXecs.h"

#include "Convert.h"
#include "FormatInforme.h"
#include "Globals.h"
#include "MarcPagina.h"
#include "Traduccio.h"

#include <QLocale>

using Linia = Impressora::Linia;

XecsMes xecsLiquidatsMes(const QDate& inici, const QString& serveiXecs)
{
    XecsMes mes;
    const PeriodeMes periode = periodeInforme(inici);
    mes.inici = periode.inici;
    mes.serveiXecs = serveiXecs;
    const QString de = Conv::isoDate(periode.inici);
    const QString fins = Conv::isoDate(periode.fi);

    // Every liquidated cheque whose job falls in the month, by client.
    QSqlQuery& g = BD().cached(
        QStringLiteral("SELECT X.clients_nom, COUNT(X.xecs_id)"
                       " FROM Feines F INNER JOIN Xecs X ON F.feines_id = X.feines_id"
                       " WHERE F.feines_data >= ? AND F.feines_data < ? AND X.xecs_data_liquidat IS NOT NULL"
                       " GROUP BY X.clients_nom ORDER BY X.clients_nom"),
        {de, fins});
    while (g.next()) {
        GrupXecs grup;
        grup.client = g.value(0).toString();
        grup.nombre = g.value(1).toInt();
        mes.nombre += grup.nombre;
        mes.grups.append(grup);
    }
    g.finish();

    // Their values, client by client in the same order: each group takes as
    // many as it counts. A value kept to more decimals counts as shown, to the
    // cent, as the invoice counts it.
    QSqlQuery& v = BD().cached(
        QStringLiteral("SELECT X.xecs_valor"
                       " FROM Feines F INNER JOIN Xecs X ON F.feines_id = X.feines_id"
                       " WHERE F.feines_data >= ? AND F.feines_data < ? AND X.xecs_data_liquidat IS NOT NULL"
                       " ORDER BY X.clients_nom, X.xecs_id"),
        {de, fins});
    for (GrupXecs& grup : mes.grups) {
        for (int i = 0; i < grup.nombre && v.next(); ++i) grup.suma += Decimal::fromVariant(v.value(0)).roundedCents();
        mes.suma += grup.suma;
    }
    v.finish();

    // The lines: one per cheque-service line of each such cheque's job.
    QSqlQuery& l = BD().cached(
        QStringLiteral("SELECT X.clients_nom, X.xecs_id, F.llocs_nom, F.recursos_nom, F.feines_data,"
                       " F.feines_hora_inici, FD.feines_detall_quantitat"
                       " FROM (Feines F INNER JOIN Feines_Detall FD ON F.feines_id = FD.feines_id)"
                       " INNER JOIN Xecs X ON F.feines_id = X.feines_id"
                       " WHERE F.feines_data >= ? AND F.feines_data < ? AND X.xecs_data_liquidat IS NOT NULL"
                       " AND FD.serveis_nom = ? COLLATE NOCASE"
                       " ORDER BY X.clients_nom, X.xecs_id, FD.rowid"),
        {de, fins, serveiXecs});
    qsizetype grup = 0;
    while (l.next()) {
        const QString client = l.value(0).toString();
        while (grup < mes.grups.size() && mes.grups[grup].client.compare(client, Qt::CaseInsensitive) != 0) ++grup;
        if (grup == mes.grups.size()) break;   // both queries list the same clients in the same order
        LiniaXec x;
        x.xec = l.value(1).toInt();
        x.lloc = l.value(2).toString();
        x.recurs = l.value(3).toString();
        x.data = QDate::fromString(l.value(4).toString(), Qt::ISODate);
        x.horaInici = l.value(5).toString();
        x.quantitat = Decimal::fromVariant(l.value(6));
        mes.grups[grup].linies.append(x);
    }
    return mes;
}

QString titolInformeXecs(const QDate& inici, const QString& serveiXecs)
{
    return Tradueix(QStringLiteral("Relació de XECS")) + u' ' + serveiXecs.toUpper()
           + Tradueix(QStringLiteral(" a liquidar en el mes:")) + u' ' + mesTitol(inici) + u' '
           + QString::number(inici.year());
}

namespace {

class InformeXecs {
public:
    InformeXecs(Impressora& p, const XecsMes& mes)
        : p_(p), mes_(mes), titol_(titolInformeXecs(mes.inici, mes.serveiXecs)), marc_(p, [this] { marc_.capcaleraTitol(titol_); })
    {
    }

    void imprimeix()
    {
        marc_.comenca();
        for (const GrupXecs& g : mes_.grups) {
            marc_.provaSalt();
            grup(g);
        }
        totals();
    }

private:
    void grup(const GrupXecs& g)
    {
        p_.setFontSize(10);
        p_.setFontBold(true);
        p_.setForeColor(Marc::Negre);
        p_.setCurrentX(Marc::MargeEsquerre);
        p_.setCurrentY(p_.CurrentY() + 200);
        // The count ends at 9700 unless the sum after it reaches there; the
        // name ends before the count.
        const QString suma = QStringLiteral("( ") + g.suma.toGroupedString() + Tradueix(QStringLiteral(" € )"));
        p_.setFontBold(false);
        const double iniciSuma = marc_.inici(suma, Marc::VoraDreta);
        p_.setFontBold(true);
        const QString xecs = QLocale().toString(g.nombre) + Tradueix(QStringLiteral(" xecs"));
        const double voraXecs = qMin(9700.0, iniciSuma - marc_.blanc());
        marc_.finsAbans(Marc::MargeEsquerre, g.client, xecs, voraXecs);
        const double fiNom = p_.CurrentX();
        const double y = p_.CurrentY();
        const double iniciXecs = marc_.dreta(xecs, voraXecs);
        marc_.puntejat(fiNom, iniciXecs, y);
        p_.setCurrentY(y);
        p_.setFontBold(false);
        marc_.dreta(suma, Marc::VoraDreta);
        p_.setCurrentY(p_.CurrentY() + 100);

        for (const LiniaXec& x : g.linies) {
            marc_.provaSalt();
            p_.setCurrentY(p_.CurrentY() + 200);
            p_.setFontSize(10);
            p_.setFontBold(false);
            marc_.a(800, Tradueix(QStringLiteral("Xec")) + u' ' + QString::number(x.xec) + u':');
            // The site's name is cut so that its day and hours end before the resource.
            const QString detall = QStringLiteral(" [") + Conv::shortDate(x.data) + u' ' + x.horaInici
                                   + QStringLiteral("] (") + x.quantitat.toShortString()
                                   + Tradueix(QStringLiteral(" hores)"));
            const double xLloc = qMax(2000.0, p_.CurrentX() + marc_.blanc());
            marc_.fins(xLloc, x.lloc, 7200 - Marc::Tall - p_.TextWidth(detall));
            p_.Print(detall, Linia::Segueix);
            marc_.seguit(7200, x.recurs.toUpper(), Marc::VoraDreta);
        }
        p_.setCurrentY(p_.CurrentY() + 200);
    }

    void totals()
    {
        p_.Print();
        p_.Print();
        p_.setFontSize(10);
        p_.setFontBold(true);
        // The label ends at 9750 unless the sum reaches there; the box takes both.
        const QString suma = mes_.suma.toGroupedString() + Tradueix(QStringLiteral(" €"));
        const double iniciSuma = marc_.dreta(suma, 10900);
        const double inici = marc_.dreta(Tradueix(QStringLiteral("Total")) + u' ' + QLocale().toString(mes_.nombre)
                                             + Tradueix(QStringLiteral(" xecs:")),
                                         qMin(9750.0, iniciSuma - marc_.blanc()));
        p_.setFontBold(false);
        const double y = p_.CurrentY();
        marc_.caixa(qMin(8000.0, inici - Marc::Espai), y - 50, Marc::VoraDreta, y + 290);
        p_.setCurrentY(y);
        p_.Print();
    }

    Impressora& p_;
    const XecsMes& mes_;
    QString titol_;
    MarcPagina marc_;
};

} // namespace

void dibuixaInformeXecs(Impressora& p, const XecsMes& mes)
{
    InformeXecs(p, mes).imprimeix();
}

QString Imprimeix_Xecs(const QDate& inici, const QString& serveiXecs, QWidget* parent)
{
    const QString nom =
        inici.isValid() ? titolInformeXecs(inici, serveiXecs) : Tradueix(QStringLiteral("Relació de XECS"));
    return imprimeixDocument(
        nom, [&](Impressora& p) { dibuixaInformeXecs(p, xecsLiquidatsMes(inici, serveiXecs)); },
        Impressora::Orientacio::Vertical, parent);
}
