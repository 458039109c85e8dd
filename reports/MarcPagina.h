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
inline constexpr int Espai = 40;               // room a text leaves to a box drawn around it, or to a mark below it
inline constexpr int Tall = 15;                // room between a column's edge and the next column
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
    // Font 12 bold at (500, 2000); prints the title, ending the line unless
    // told, cut with an ellipsis at the title line's edge.
    void titol(const QString& text, Impressora::Linia linia = Impressora::Linia::Acaba);
    // More of the title line in the current font, ending the line, cut at its edge.
    void titolSegueix(const QString& text);
    // Where the title line ends: the page's right margin, and room for the
    // continuation mark on the pages after the first.
    double voraTitol() const;
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
    // Prints a text starting at x that ends a blank before `vora` (the edge
    // of its column), cut short with an ellipsis when it would not.
    void fins(double x, const QString& text, double vora, Impressora::Linia linia = Impressora::Linia::Segueix);
    // As fins, the edge being Tall before where `valor`, printed ending at
    // `voraValor`, starts (a name or a label before a right-aligned figure).
    void finsAbans(double x, const QString& text, const QString& valor, double voraValor)
    {
        fins(x, text, inici(valor, voraValor) - Marc::Tall);
    }
    // Prints a text starting at x, or a blank after the end of the text
    // printed just before it on the line when that one reaches further (a
    // label longer than its place moves what follows it); cut at `vora` when
    // one is given. Returns where it starts.
    double seguit(double x, const QString& text, double vora = 0,
                  Impressora::Linia linia = Impressora::Linia::Segueix);

    // Page-break test: a new page when CurrentY is past PosicioSaltPagina
    // (equal stays). True when it broke.
    bool provaSalt();
    // " (Continúa...)" at the foot (lower when the page printed lower), new
    // page, header, "(Continuació)" at the title's height; printing goes on
    // below the new header. Font 10 after it.
    void saltPagina();

    // Prints a text ending at x = vora; returns the x where it starts.
    double dreta(const QString& text, double vora, Impressora::Linia linia = Impressora::Linia::Segueix,
                 const QColor& color = Marc::Negre);
    // The x of a header's values after their labels at the margin: x, or a
    // blank after the longest label when that one reaches further.
    double columnaValors(double x, const QStringList& etiquetes) const;
    // Where a text printed ending at vora starts.
    double inici(const QString& text, double vora) const { return vora - p.TextWidth(text); }
    // A column title ending at vora, or starting a blank after the text
    // before it on the line when that one reaches further.
    void dretaSeguit(const QString& text, double vora);
    // The least room between two texts on a line: a blank of the current
    // font, so that no two columns ever read as one word.
    double blanc() const { return p.TextWidth(QStringLiteral(" ")); }
    // Dotted leader between the end of a left text and the start of a
    // right-aligned value printed on the line whose top is y (line width 1,
    // dotted, then solid again); none where the texts leave it no room. Like
    // every line it leaves the position at its end point; the document sets
    // CurrentY back as it needs.
    void puntejat(double fiText, double iniciValor, double y);
    // Outline of a total (line width 8).
    void caixa(double x1, double y1, double x2, double y2);

private:
    // The font of the continuation marks.
    QFont fontMarca() const;

    std::function<void()> capcalera_;
    double fiTitol_ = 0;   // where the title line printed last ends, a blank of its font after it
};

// Prints one document: the printer object for it, the drawing, the end of the
// document. Returns where the document went, for the status bar ("" when
// nothing was printed, or on any error). A document stands whole or not at
// all: after any error it is dropped (no PDF is left; a printer's job is
// aborted where the printer can, and the error says so when the pages drawn
// so far went out all the same), `desfes` runs when given, and only then
// "Error:" and the error's description (translated when the texts have it)
// are shown. Only a PDF written whole is shown with the desktop's viewer.
// `quanSencer`, when given, runs once the document is whole and in its place
// (a PDF under its name, a printer's job accepted), before it is shown or
// told; such a document stands or falls with it: when it throws, the PDF is
// taken away again. `desfes` undoes what the drawing or that step began (an
// open transaction) and throws nothing.
QString imprimeixDocument(const QString& nom, const std::function<void(Impressora&)>& dibuixa,
                          Impressora::Orientacio orientacio = Impressora::Orientacio::Vertical,
                          QWidget* parent = nullptr, const std::function<void()>& quanSencer = {},
                          const std::function<void()>& desfes = {});

// Tells the user where a printed document went (`on` as imprimeixDocument
// returns it; "" says nothing): in the main window's status bar or, with no
// main window, in a message box over `finestra`.
void anunciaDesti(const QString& on, QWidget* finestra = nullptr);
