#pragma once
// The page frame every printed document stands on: the logo at the top left,
// the bold title line, the document's own header lines, the heavy rule and
// the page number at the foot; the page break with its continuation marks;
// right-aligned printing, dotted leaders and total boxes; and the one error
// path of every document.
#include "Impressora.h"

#include <QColor>
#include <QString>
#include <functional>

class QWidget;

namespace Marc {
inline constexpr int MargeEsquerre = 500;      // left margin of text lines
inline constexpr int VoraDreta = 11000;        // right edge of rules and amounts
inline constexpr int YTitol = 2000;
inline constexpr int XMarcaContinua = 9800;
inline constexpr int XNumeroPagina = 6000;
inline const QColor Negre = QColor(0, 0, 0);
inline const QColor Gris = QColor(146, 146, 146);
} // namespace Marc

class MarcPagina {
public:
    // The header prints the frame of a page (logo, title, its own lines,
    // rule, page number) through the helpers below.
    MarcPagina(Impressora& impressora, std::function<void()> capcalera);

    Impressora& p;
    // Page counter: 1 for the first page, one more for each break.
    int Pagina = 1;
    // The y past which a page ends (the setting, read when the frame is made).
    int PosicioSaltPagina;

    // Page counter := 1 and the header of the first page.
    void comenca();

    void logo();
    // Font 12 bold at (500, 2000); prints the title, ending the line unless told.
    void titol(const QString& text, Impressora::Linia linia = Impressora::Linia::Acaba);
    // Heavy rule across the page at CurrentY (line width 8).
    void regla();
    // "pàg. n" at the foot of the page (size 8, not bold); CurrentY comes back.
    void numeroPagina();
    // How every header ends: `espai` down, the rule, `espaiDespres` down, the page number.
    void tancaCapcalera(double espai, double espaiDespres = 200);
    // A header of the logo and the title alone.
    void capcaleraTitol(const QString& text);
    // Prints a text starting at x (the line goes on unless told).
    void a(double x, const QString& text, Impressora::Linia linia = Impressora::Linia::Segueix);

    // Page-break test: a new page when CurrentY is past PosicioSaltPagina
    // (equal stays). True when it broke.
    bool provaSalt();
    // " (Continúa...)" at the foot, new page, header, "(Continuació)" at the
    // title's height; printing goes on below the new header. Font 10 after it.
    void saltPagina();

    // Prints a text ending at x = vora; returns the x where it starts.
    double dreta(const QString& text, double vora, Impressora::Linia linia = Impressora::Linia::Segueix,
                 const QColor& color = Marc::Negre);
    // Dotted leader between the end of a left text and the start of a
    // right-aligned value printed on the line whose top is y (line width 1,
    // dotted, then solid again). Like every line it leaves the position at its
    // end point; the document sets CurrentY back as it needs.
    void puntejat(double fiText, double iniciValor, double y);
    // Outline of a total (line width 8).
    void caixa(double x1, double y1, double x2, double y2);

private:
    std::function<void()> capcalera_;
};

// Prints one document: the printer object for it, the drawing, the end of the
// document. Any error shows "Error:" and its description (translated when
// the texts have it) and ends the document with the pages drawn so far. Returns where the document went, for
// the status bar ("" when nothing was printed).
QString imprimeixDocument(const QString& nom, const std::function<void(Impressora&)>& dibuixa,
                          Impressora::Orientacio orientacio = Impressora::Orientacio::Vertical,
                          QWidget* parent = nullptr);

// Tells the user where a printed document went (`on` as imprimeixDocument
// returns it; "" says nothing): in the main window's status bar or, with no
// main window, in a message box over `finestra`.
void anunciaDesti(const QString& on, QWidget* finestra = nullptr);
