#include "FullFeina.h"

#include "Convert.h"
#include "FormatInforme.h"
#include "MarcPagina.h"
#include "Traduccio.h"

using Linia = Impressora::Linia;

namespace {

// A quantity or price of a line: the text shown when there is one, read in
// the user's locale, else the number given.
Decimal numero(const QString& text, const Decimal& valor)
{
    if (text.isEmpty()) return valor;
    const auto d = Decimal::parse(text);
    if (!d) throw Conv::ConversionError(Tradueix(QStringLiteral("'%1' no és un número")).arg(text).toStdString());
    return *d;
}

class FullDetall {
public:
    FullDetall(Impressora& p, const FullFeina& f)
        : p_(p), f_(f), marc_(p, [this] { capcalera(); })
    {
    }

    void imprimeix()
    {
        Decimal total;
        marc_.comenca();
        for (const LiniaFullFeina& l : f_.linies) {
            marc_.provaSalt();
            linia(l, total);
        }
        totalFeina(total);
    }

private:
    // A label in black and, at x (or where the label ends for -1), its
    // value in grey, cut at `vora`.
    void camp(const QString& etiqueta, double x, const QString& valor, Linia linia, double vora = Marc::VoraDreta)
    {
        p_.setForeColor(Marc::Negre);
        p_.Print(etiqueta, Linia::Segueix);
        if (x >= 0) p_.setCurrentX(x);
        p_.setForeColor(Marc::Gris);
        marc_.fins(p_.CurrentX(), valor, vora, linia);
        p_.setForeColor(Marc::Negre);
    }

    void capcalera()
    {
        marc_.logo();
        marc_.titol(Tradueix(QStringLiteral("Detall de la feina nro.:")) + u' ' + f_.id);
        p_.setFontSize(10);
        p_.setFontBold(false);

        // The values at 1550, or after the longest label.
        const QString lloc = Tradueix(QStringLiteral("Lloc:")), data = Tradueix(QStringLiteral("Data:")),
                      recurs = Tradueix(QStringLiteral("Recurs:"));
        const double x = marc_.columnaValors(1550, {lloc, data, recurs});
        p_.setCurrentY(p_.CurrentY() + 200);
        p_.setCurrentX(Marc::MargeEsquerre);
        camp(lloc, x, f_.lloc, Linia::Acaba);

        p_.setCurrentY(p_.CurrentY() + 50);
        p_.setCurrentX(Marc::MargeEsquerre);
        camp(data, x, f_.data, Linia::Segueix);
        p_.setCurrentX(p_.CurrentX() + 500);
        p_.Print(Tradueix(QStringLiteral("Hora inici:")), Linia::Segueix);
        p_.setCurrentX(p_.CurrentX() + 200);
        camp(QString(), -1, f_.horaInici, Linia::Segueix);
        p_.setCurrentX(p_.CurrentX() + 500);
        p_.Print(Tradueix(QStringLiteral("Hora final:")), Linia::Segueix);
        p_.setCurrentX(p_.CurrentX() + 200);
        camp(QString(), -1, f_.horaFi, Linia::Acaba);

        p_.setCurrentY(p_.CurrentY() + 50);
        p_.setCurrentX(Marc::MargeEsquerre);
        // The resource leaves room for the done mark after it.
        const QString feta = Tradueix(QStringLiteral("Feta:")) + u' ';
        const QString siNo = f_.feta ? Tradueix(QStringLiteral("Si")) : Tradueix(QStringLiteral("No"));
        camp(recurs, x, f_.recurs, Linia::Segueix,
             Marc::VoraDreta - 700 - p_.TextWidth(feta) - p_.TextWidth(siNo));
        p_.setCurrentX(p_.CurrentX() + 500);
        p_.Print(feta, Linia::Segueix);
        p_.setCurrentX(p_.CurrentX() + 200);
        camp(QString(), -1, siNo, Linia::Acaba);

        p_.setCurrentY(p_.CurrentY() + 50);
        p_.setCurrentX(Marc::MargeEsquerre);
        p_.Print(Tradueix(QStringLiteral("Observacions:")));

        p_.setCurrentY(p_.CurrentY() + 50);
        p_.setCurrentX(Marc::MargeEsquerre);
        camp(QString(), -1, unaLinia(f_.observacions).left(80), Linia::Segueix);

        p_.setFontSize(10);
        p_.setFontBold(true);
        p_.setCurrentY(p_.CurrentY() + 350);
        // The titles of the numbers end where the numbers end, whatever the font.
        marc_.a(Marc::MargeEsquerre, Tradueix(QStringLiteral("Servei")));
        marc_.dretaSeguit(Tradueix(QStringLiteral("Quantitat")), 7350);
        marc_.seguit(7600, Tradueix(QStringLiteral("Unitat")));
        marc_.dretaSeguit(Tradueix(QStringLiteral("Preu")), 9600);
        marc_.dretaSeguit(Tradueix(QStringLiteral("Import")), Marc::VoraDreta);

        marc_.tancaCapcalera(300);
    }

    void linia(const LiniaFullFeina& l, Decimal& total)
    {
        p_.setFontSize(10);
        p_.setFontBold(false);
        p_.setForeColor(Marc::Gris);
        const QString quantitat = l.textQuantitat.isEmpty() ? l.quantitat.toShortString() : l.textQuantitat;
        const QString preu = l.textPreu.isEmpty() ? l.preu.toShortString() : l.textPreu;
        // The service and the unit end before the numbers after them.
        marc_.finsAbans(Marc::MargeEsquerre, l.servei + QStringLiteral(". ") + unaLinia(l.descripcio).left(40),
                        quantitat, 7350);
        marc_.dreta(quantitat, 7350, Linia::Segueix, Marc::Gris);
        marc_.finsAbans(7600, l.unitat, preu, 9600);
        marc_.dreta(preu, 9600, Linia::Segueix, Marc::Gris);
        const Decimal import = Decimal::lineAmount(numero(l.textQuantitat, l.quantitat), numero(l.textPreu, l.preu));
        total += import;
        marc_.dreta(import.toGroupedString(), Marc::VoraDreta, Linia::Segueix, Marc::Gris);
        p_.setCurrentY(p_.CurrentY() + 200);
        p_.setForeColor(Marc::Negre);
    }

    void totalFeina(const Decimal& total)
    {
        p_.setCurrentY(p_.CurrentY() + 400);
        marc_.provaSalt();
        const double y = p_.CurrentY();
        p_.setFontSize(12);
        p_.setFontBold(false);
        marc_.dreta(Tradueix(QStringLiteral("IMPORT FEINA:")) + u' ' + total.toGroupedString() + Tradueix(QStringLiteral(" €")),
                    Marc::VoraDreta);
        marc_.caixa(4300, y - 100, 11100, p_.CurrentY() + 350);
        p_.Print();
        p_.setFontSize(10);
    }

    Impressora& p_;
    const FullFeina& f_;
    MarcPagina marc_;
};

} // namespace

void dibuixaFullFeina(Impressora& p, const FullFeina& feina)
{
    FullDetall(p, feina).imprimeix();
}

QString Imprimeix_Detall_Feina(const FullFeina& feina, QWidget* parent)
{
    return imprimeixDocument(Tradueix(QStringLiteral("Feina")) + u' ' + feina.id,
                             [&](Impressora& p) { dibuixaFullFeina(p, feina); }, Impressora::Orientacio::Vertical,
                             parent);
}
