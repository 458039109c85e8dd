#include "DadesFacturacio.h"

#include "Convert.h"
#include "FormatInforme.h"
#include "Globals.h"
#include "MarcPagina.h"
#include "Traduccio.h"

#include <QLocale>
#include <optional>

using Linia = Impressora::Linia;

QVector<TotalServei> totalsMes(const FacturacioMes& mes)
{
    QSqlQuery& q = BD().cached(QStringLiteral("SELECT serveis_nom, serveis_unitat FROM Serveis ORDER BY serveis_nom"));
    QVector<TotalServei> out;
    while (q.next()) out.append({q.value(0).toString(), q.value(1).toString(), Decimal(), Decimal()});
    q.finish();
    const qsizetype serveis = out.size();
    const QString quotaMes = Tradueix(QStringLiteral("Quota mes"));
    for (const FilaFactura& f : mes.files) {
        if (f.tipus == TipusFilaFactura::QuotaLloc) {
            const QuotaMes& quota = mes.quotes[f.quota];
            out.append({quota.lloc, quotaMes, Decimal::fromInt(1), quota.quota});
            continue;
        }
        // Lines of done jobs with an amount: a quota job's lines count for nothing.
        if (f.tipus != TipusFilaFactura::LiniaFeina || !mes.feinaDe(f).feta || !f.ambLinia || !f.ambImport) continue;
        for (qsizetype i = 0; i < serveis; ++i) {
            if (out[i].nom == f.servei) {
                out[i].import += f.import;
                out[i].quantitat += f.quantitat;
                break;
            }
        }
    }
    return out;
}

namespace {

struct FitxaClient {
    QString nif, adreca, codiPostal, poblacio, telefons, ccc;
};

std::optional<FitxaClient> llegeixClient(const QString& nom)
{
    QSqlQuery& q = BD().cached(QStringLiteral("SELECT \"clients_NIF\", \"clients_adreça\", clients_codi_postal, "
                                              "clients_poblacio, clients_telefons, clients_ccc FROM Clients "
                                              "WHERE clients_nom = ?"),
                               {nom});
    std::optional<FitxaClient> c;
    if (q.next())
        c = FitxaClient{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                        q.value(3).toString(), q.value(4).toString(), q.value(5).toString()};
    q.finish();
    return c;
}

class Dades {
public:
    Dades(Impressora& p, const FacturacioMes& mes) : p_(p), mes_(mes), marc_(p, [this] { capcalera(); }) {}

    void imprimeix()
    {
        QVector<TotalServei> totals = totalsMes(mes_);
        fitxa_ = llegeixClient(mes_.client);
        marc_.comenca();
        qint32 darreraFeina = 0;
        bool senseImport = false;
        for (const FilaFactura& f : mes_.files) {
            // Tested before every row of the grid, printed or not.
            if (marc_.provaSalt()) {
                darreraFeina = 0;
                senseImport = false;
            }
            if (f.tipus == TipusFilaFactura::LiniaFeina) {
                const FeinaMes& j = mes_.feinaDe(f);
                if (!j.feta) continue;
                linia(f, j, j.id != darreraFeina, senseImport);
                darreraFeina = j.id;
                senseImport = !f.ambImport;
            } else if (f.tipus == TipusFilaFactura::QuotaLloc) {
                quota(mes_.quotes[f.quota]);
                senseImport = false;
            }
        }
        totalsFactura(totals);
    }

private:
    // A label in black at the margin and its value in grey at x, cut at the right edge.
    void camp(const QString& etiqueta, double x, const QString& valor, Linia linia = Linia::Acaba)
    {
        p_.setForeColor(Marc::Negre);
        marc_.a(Marc::MargeEsquerre, etiqueta);
        p_.setForeColor(Marc::Gris);
        marc_.fins(x, valor, Marc::VoraDreta, linia);
        p_.setForeColor(Marc::Negre);
    }

    void capcalera()
    {
        marc_.logo();
        marc_.titol(Tradueix(QStringLiteral("Dades de facturació del mes:")) + u' ' + mesTitol(mes_.inici) + u' '
                    + QString::number(mes_.inici.year()));
        p_.setFontSize(10);
        p_.setFontBold(false);
        p_.setCurrentY(p_.CurrentY() + 400);
        // The values at 1550, or after the longest label.
        const QString client = Tradueix(QStringLiteral("Client:")), nif = Tradueix(QStringLiteral("NIF/CIF:")),
                      adreca = Tradueix(QStringLiteral("Adreça:")), telefons = Tradueix(QStringLiteral("Telèfons:"));
        const double x = marc_.columnaValors(1550, fitxa_ ? QStringList{client, nif, adreca, telefons} : QStringList{client});
        camp(client, x, mes_.client);
        if (fitxa_) {
            p_.setCurrentY(p_.CurrentY() + 50);
            camp(nif, x, fitxa_->nif);
            p_.setCurrentY(p_.CurrentY() + 50);
            camp(adreca, x, fitxa_->adreca);
            // The postcode and the town, joined by " - " when both are there.
            QStringList codiIPoblacio{fitxa_->codiPostal.trimmed(), fitxa_->poblacio.trimmed().toUpper()};
            codiIPoblacio.removeAll(QString());
            p_.setForeColor(Marc::Gris);
            marc_.fins(x, codiIPoblacio.join(QStringLiteral(" - ")), Marc::VoraDreta, Linia::Acaba);
            p_.setCurrentY(p_.CurrentY() + 50);
            camp(telefons, x, fitxa_->telefons, Linia::Segueix);
            marc_.seguit(6000, Tradueix(QStringLiteral("CCC:")));
            p_.setForeColor(Marc::Gris);
            marc_.seguit(6600, fitxa_->ccc, Marc::VoraDreta, Linia::Acaba);
            p_.setForeColor(Marc::Negre);
        }
        p_.setFontSize(10);
        p_.setFontBold(true);
        p_.setCurrentY(p_.CurrentY() + 200);
        marc_.a(500, Tradueix(QStringLiteral("Data")));
        marc_.seguit(1700, Tradueix(QStringLiteral("Lloc")));
        marc_.seguit(4400, Tradueix(QStringLiteral("Recurs")));
        marc_.seguit(6400, Tradueix(QStringLiteral("Servei")));
        marc_.dretaSeguit(Tradueix(QStringLiteral("Quantitat")), 8800);
        marc_.seguit(8900, Tradueix(QStringLiteral("Unitat")));
        marc_.dretaSeguit(Tradueix(QStringLiteral("Import")), Marc::VoraDreta);
        marc_.tancaCapcalera(300);
    }

    // One line of a done job; its date, site and resource only on the job's
    // first line (and again after a page break).
    void linia(const FilaFactura& l, const FeinaMes& j, bool novaFeina, bool senseImport)
    {
        p_.setFontSize(10);
        p_.setFontBold(false);
        p_.setForeColor(Marc::Gris);
        // Each name ends at its column's edge, the service and the unit
        // before the numbers after them.
        if (novaFeina) {
            if (!senseImport) p_.setCurrentY(p_.CurrentY() + 200);
            marc_.a(500, Conv::shortDate(j.data));
            marc_.seguit(1700, j.lloc, 4400 - Marc::Tall);
            marc_.fins(4400, j.recurs.isEmpty() ? QStringLiteral(" ") : j.recurs, 6400 - Marc::Tall);
        }
        const QString quantitat = l.ambLinia ? l.quantitat.toShortString() : QString();
        const QString import = l.ambImport ? l.import.toGroupedString() + Tradueix(QStringLiteral(" €")) : QString();
        marc_.finsAbans(6400, l.ambLinia ? l.servei : QString(), quantitat, 8800);
        if (l.ambLinia) marc_.dreta(quantitat, 8800, Linia::Segueix, Marc::Gris);
        marc_.finsAbans(8900, l.ambLinia ? l.unitat : QString(), import, Marc::VoraDreta);
        if (l.ambImport) marc_.dreta(import, Marc::VoraDreta, Linia::Segueix, Marc::Gris);
        p_.setCurrentY(p_.CurrentY() + 200);
        p_.setForeColor(Marc::Negre);
    }

    void quota(const QuotaMes& q)
    {
        p_.setFontSize(10);
        p_.setFontBold(true);
        p_.setForeColor(Marc::Gris);
        p_.setCurrentY(p_.CurrentY() + 50);
        const QString import = q.quota.toGroupedString() + Tradueix(QStringLiteral(" €"));
        marc_.fins(6400, q.lloc, 8400 - Marc::Tall);
        marc_.seguit(8400, Tradueix(QStringLiteral("Quota mes")), marc_.inici(import, Marc::VoraDreta) - Marc::Tall);
        marc_.dreta(import, Marc::VoraDreta, Linia::Segueix, Marc::Gris);
        p_.setCurrentY(p_.CurrentY() + 200);
        p_.setForeColor(Marc::Negre);
    }

    void totalsFactura(QVector<TotalServei>& totals)
    {
        // The cheques that pay a job lower the invoice by their value.
        int nombre = 0;
        Decimal xecs;
        for (const XecMes& x : mes_.xecs) {
            if (x.feina == 0) continue;
            ++nombre;
            xecs -= x.importMostrat();
        }
        if (!xecs.isZero())
            totals.append({mes_.serveiXecs, Tradueix(QStringLiteral("Xecs")), Decimal::fromInt(nombre), xecs});

        const QString euro = Tradueix(QStringLiteral(" €"));
        p_.Print();
        p_.Print();
        p_.setFontSize(10);
        p_.setFontBold(true);
        marc_.a(4400, Tradueix(QStringLiteral("TOTALS:")));
        Decimal factura;
        for (const TotalServei& t : totals) {
            if (t.quantitat.isZero()) continue;
            p_.setFontSize(10);
            p_.setFontBold(true);
            p_.setForeColor(Marc::Negre);
            // The quantity as a plain number: a blank for the sign, one after.
            const QString quantitat = (t.quantitat < Decimal() ? QString() : QStringLiteral(" "))
                                      + t.quantitat.toShortString() + u' ';
            const QString import = t.import.isZero() ? QString() : t.import.toGroupedString() + euro;
            // The unit whole before the amount ("Quota mes" before a bold
            // figure): it and the quantity move left as far as it needs.
            const double voraUnitat =
                (import.isEmpty() ? Marc::VoraDreta : marc_.inici(import, Marc::VoraDreta) - Marc::Tall) - marc_.blanc();
            const double enrere = qBound(0.0, 8900 + p_.TextWidth(t.unitat) - voraUnitat, 600.0);
            marc_.finsAbans(6400, t.nom, quantitat, 8850 - enrere);
            marc_.dreta(quantitat, 8850 - enrere);
            marc_.finsAbans(8900 - enrere, t.unitat, import, Marc::VoraDreta);
            if (!t.import.isZero()) {
                marc_.dreta(import, Marc::VoraDreta);
                factura += t.import;
            }
            p_.setCurrentY(p_.CurrentY() + 300);
            marc_.provaSalt();
        }

        p_.setCurrentY(p_.CurrentY() + 400);
        marc_.provaSalt();
        const double y = p_.CurrentY();
        p_.setFontSize(12);
        p_.setFontBold(true);
        marc_.dreta(Tradueix(QStringLiteral("IMPORT FACTURA:")) + u' ' + factura.toGroupedString() + euro, Marc::VoraDreta);
        p_.setFontBold(false);
        marc_.caixa(4300, y - 100, 11100, p_.CurrentY() + 350);
        p_.Print();
        p_.Print();
        p_.setFontSize(10);
        if (mes_.pagaments.isZero()) return;

        p_.setCurrentY(p_.CurrentY() + 100);
        marc_.provaSalt();
        const QString pagaments = mes_.pagaments.toGroupedString() + euro;
        marc_.finsAbans(6000, Tradueix(QStringLiteral("Pagaments a compte:")), pagaments, Marc::VoraDreta);
        marc_.dreta(pagaments, Marc::VoraDreta, Linia::Acaba);
        p_.setCurrentY(p_.CurrentY() + 100);
        marc_.provaSalt();
        p_.setFontBold(true);
        const QString aPagar = (factura - mes_.pagaments).toGroupedString() + euro;
        marc_.finsAbans(6000, Tradueix(QStringLiteral("TOTAL A PAGAR:")), aPagar, Marc::VoraDreta);
        marc_.dreta(aPagar, Marc::VoraDreta, Linia::Acaba);
        p_.setFontBold(false);
    }

    Impressora& p_;
    const FacturacioMes& mes_;
    MarcPagina marc_;
    std::optional<FitxaClient> fitxa_;
};

} // namespace

void dibuixaDadesFacturacio(Impressora& p, const FacturacioMes& mes)
{
    Dades(p, mes).imprimeix();
}

QString nomDadesFacturacio(const FacturacioMes& mes)
{
    return Tradueix(QStringLiteral("Facturació")) + u' ' + mes.client + u' ' + mes.mes;
}

QString Imprimeix_Dades_Facturacio(const FacturacioMes& mes, QWidget* parent)
{
    return imprimeixDocument(
        nomDadesFacturacio(mes), [&](Impressora& p) { dibuixaDadesFacturacio(p, mes); },
        Impressora::Orientacio::Vertical, parent);
}
