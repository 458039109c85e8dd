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
    p.Print(text, linia);
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
    p.setCurrentX(Marc::XMarcaContinua);
    p.setCurrentY(PosicioSaltPagina + 500);
    p.setFontBold(false);
    p.setFontItalic(true);
    p.setFontSize(10);
    p.setForeColor(Marc::Negre);
    p.Print(Tradueix(QStringLiteral(" (Continúa...)")));
    p.setFontItalic(false);
    ++Pagina;
    p.NewPage();
    capcalera_();
    const double y = p.CurrentY();
    p.setCurrentX(Marc::XMarcaContinua);
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

void MarcPagina::puntejat(double fiText, double iniciValor, double y)
{
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
                          Impressora::Orientacio orientacio, QWidget* parent)
{
    std::unique_ptr<Impressora> impressora;
    QString error;
    try {
        impressora = std::make_unique<Impressora>(nom, orientacio);
        dibuixa(*impressora);
        return impressora->EndDoc();
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    } catch (...) {
        error = Tradueix(QStringLiteral("Error desconegut"));
    }
    MsgBox::error(error, QString(), parent);
    if (!impressora) return QString();
    try {
        return impressora->EndDoc();
    } catch (const std::exception& e) {
        MsgBox::error(QString::fromUtf8(e.what()), QString(), parent);
    }
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
