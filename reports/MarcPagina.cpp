#include "MarcPagina.h"

#include "Globals.h"
#include "Logo.h"
#include "MessageBox.h"
#include "Principal.h"
#include "Traduccio.h"

#include <exception>

using Linia = Impressora::Linia;

MarcPagina::MarcPagina(Impressora& impressora, std::function<void()> capcalera)
    : p(impressora), PosicioSaltPagina(G.PosicioSaltPagina), capcalera_(std::move(capcalera))
{
}

void MarcPagina::comenca()
{
    Pagina = 1;
    capcalera_();
}

void MarcPagina::logo()
{
    // 7000 x 1250 twips drawn at 300 dots per inch.
    static const QImage imatge = Logo::image(QSize(1458, 260));
    p.PaintPicture(imatge, 500, 500, 7000, 1250);
}

void MarcPagina::titol(const QString& text, Linia linia)
{
    p.setFontSize(12);
    p.setFontBold(true);
    p.setFontItalic(false);
    p.setForeColor(Marc::Negre);
    p.setCurrentY(Marc::YTitol);
    p.setCurrentX(Marc::MargeEsquerre);
    const QString t = p.TextRetallat(text, voraTitol() - Marc::MargeEsquerre);
    fiTitol_ = Marc::MargeEsquerre + p.TextWidth(t) + blanc();
    p.Print(t, linia);
}

void MarcPagina::titolSegueix(const QString& text)
{
    const double x = p.CurrentX();
    const QString t = p.TextRetallat(text, voraTitol() - x);
    fiTitol_ = x + p.TextWidth(t) + blanc();
    p.Print(t);
}

QFont MarcPagina::fontMarca() const
{
    QFont f = p.font();
    f.setPointSizeF(10);
    f.setBold(false);
    f.setItalic(true);
    return f;
}

double MarcPagina::voraTitol() const
{
    const double dreta = qMax<double>(Marc::VoraDreta, p.midaPagina().width() - Marc::MargeEsquerre);
    if (Pagina == 1) return dreta;
    const double marca = p.TextWidth(Tradueix(QStringLiteral("(Continuació)")), fontMarca());
    return qMax<double>(Marc::XMarcaContinua, dreta - marca) - blanc();
}

void MarcPagina::regla()
{
    p.setCurrentX(Marc::MargeEsquerre);
    p.setDrawWidth(8);
    p.setDrawStyle(Impressora::Solid);
    const double y = p.CurrentY();
    p.Line(Marc::MargeEsquerre, y, Marc::VoraDreta, y);
}

void MarcPagina::numeroPagina()
{
    // Plain integers: a break position near the top of the setting's range
    // still gives a valid foot position.
    const double y = p.CurrentY();
    p.setCurrentY(PosicioSaltPagina + 1200);
    p.setCurrentX(Marc::XNumeroPagina);
    p.setFontSize(8);
    p.setFontBold(false);
    p.setFontItalic(false);
    p.setForeColor(Marc::Negre);
    p.Print(Tradueix(QStringLiteral("pàg.")) + u' ' + QString::number(Pagina), Linia::Segueix);
    p.setCurrentY(y);
}

void MarcPagina::tancaCapcalera(double espai, double espaiDespres)
{
    p.setCurrentY(p.CurrentY() + espai);
    regla();
    p.setCurrentY(p.CurrentY() + espaiDespres);
    numeroPagina();
}

void MarcPagina::capcaleraTitol(const QString& text)
{
    logo();
    titol(text);
    tancaCapcalera(200);
}

void MarcPagina::a(double x, const QString& text, Linia linia)
{
    p.setCurrentX(x);
    p.Print(text, linia);
}

void MarcPagina::fins(double x, const QString& text, double vora, Linia linia)
{
    const double ample = vora - x - blanc();
    p.setCurrentX(x);
    p.Print(p.TextWidth(text) <= ample ? text : p.TextRetallat(text, ample), linia);
}

double MarcPagina::seguit(double x, const QString& text, double vora, Linia linia)
{
    const double inici = qMax(x, p.CurrentX() + blanc());
    if (vora > 0) fins(inici, text, vora, linia);
    else a(inici, text, linia);
    return inici;
}

double MarcPagina::columnaValors(double x, const QStringList& etiquetes) const
{
    for (const QString& e : etiquetes) x = qMax(x, Marc::MargeEsquerre + p.TextWidth(e) + blanc());
    return x;
}

bool MarcPagina::provaSalt()
{
    if (p.CurrentY() > PosicioSaltPagina) {
        saltPagina();
        return true;
    }
    return false;
}

void MarcPagina::saltPagina()
{
    // Below what the page printed under it when that reaches lower (a block printed whole).
    const double fons = p.fonsPagina(Marc::XMarcaContinua);
    p.setCurrentX(Marc::XMarcaContinua);
    p.setCurrentY(fons > PosicioSaltPagina + 500 ? fons + Marc::Espai : PosicioSaltPagina + 500);
    p.setFontBold(false);
    p.setFontItalic(true);
    p.setFontSize(10);
    p.setForeColor(Marc::Negre);
    p.Print(Tradueix(QStringLiteral(" (Continúa...)")));
    p.setFontItalic(false);
    ++Pagina;
    p.NewPage();
    capcalera_();
    // Beside the title line, after a title that reaches further.
    const double y = p.CurrentY();
    p.setCurrentX(qMax<double>(Marc::XMarcaContinua, fiTitol_));
    p.setCurrentY(Marc::YTitol);
    p.setFontBold(false);
    p.setFontItalic(true);
    p.setFontSize(10);
    p.setForeColor(Marc::Negre);
    p.Print(Tradueix(QStringLiteral("(Continuació)")));
    p.setFontItalic(false);
    p.setCurrentX(Marc::MargeEsquerre);
    p.setCurrentY(y);
}

double MarcPagina::dreta(const QString& text, double vora, Linia linia, const QColor& color)
{
    const double inici = vora - p.TextWidth(text);
    p.setCurrentX(inici);
    p.setForeColor(color);
    p.Print(text, linia);
    return inici;
}

void MarcPagina::dretaSeguit(const QString& text, double vora)
{
    p.setCurrentX(qMax(inici(text, vora), p.CurrentX() + blanc()));
    p.Print(text, Linia::Segueix);
}

void MarcPagina::puntejat(double fiText, double iniciValor, double y)
{
    if (iniciValor - fiText <= 200) return;
    p.setDrawWidth(1);
    p.setDrawStyle(Impressora::Puntejat);
    p.Line(fiText + 100, y + 180, iniciValor - 100, y + 180);
    p.setDrawStyle(Impressora::Solid);
}

void MarcPagina::caixa(double x1, double y1, double x2, double y2)
{
    p.setDrawWidth(8);
    p.setDrawStyle(Impressora::Solid);
    p.Box(x1, y1, x2, y2);
}

QString imprimeixDocument(const QString& nom, const std::function<void(Impressora&)>& dibuixa,
                          Impressora::Orientacio orientacio, QWidget* parent,
                          const std::function<void()>& quanSencer, const std::function<void()>& desfes)
{
    std::unique_ptr<Impressora> impressora;
    QString error;
    try {
        impressora = std::make_unique<Impressora>(nom, orientacio);
        dibuixa(*impressora);
        const QString on = impressora->EndDoc();
        if (quanSencer && !on.isEmpty()) {
            try {
                quanSencer();
            } catch (...) {
                impressora->retira();
                throw;
            }
        }
        impressora->mostra();
        return on;
    } catch (const std::exception& e) {
        error = Tradueix(QString::fromUtf8(e.what()));
    } catch (...) {
        error = Tradueix(QStringLiteral("Error desconegut"));
    }
    // Nothing of a document cut short stands, and what its drawing began is
    // undone before the user is told why.
    if (impressora && impressora->abandona())
        error += u'\n' + Tradueix(QStringLiteral("El document enviat a la impressora ha quedat incomplet."));
    if (desfes) desfes();
    MsgBox::error(error, QString(), parent);
    return QString();
}

void anunciaDesti(const QString& on, QWidget* finestra)
{
    if (on.isEmpty()) return;
    if (Principal().Mostra_Estat)
        Principal().Mostra_Estat(on);
    else
        MsgBox::show(on, MsgBox::OK, QString(), MsgBox::Information, finestra);
}
