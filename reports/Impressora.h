#pragma once
// The printer object every printed document draws on. Positions are twips
// (1440 per inch) from the top left of the printable area; text is printed
// with its top at CurrentY. Printing a text that ends the line moves CurrentY
// down one line of the current font and CurrentX back to 0; one that does not
// end it moves CurrentX to the end of the text. A line leaves the current
// position at its second point. The document begins with the first output
// (nothing is produced when nothing was drawn) and EndDoc sends it out; a PDF
// appears under its name only then, whole, or not at all.
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <vector>

class QPagedPaintDevice;

// A failure of the printer itself (the document cannot be started or written).
class ErrorImpressio : public std::runtime_error {
public:
    explicit ErrorImpressio(const QString& what) : std::runtime_error(what.toStdString()) {}
};

class Impressora {
public:
    // What one page drew, in twips: the outlines of its boxes, its lines (the
    // layout tests read them beside the document's words) and where its texts
    // and fillings stand.
    struct TracatPagina {
        QList<QRectF> caixes;
        QList<QLineF> linies;
        QList<QRectF> altres;
    };
    enum class Linia { Acaba, Segueix };   // print ending the line or not
    enum class Orientacio { Vertical, Horitzontal };
    enum Estil { Solid = 0, Puntejat = 2 }; // DrawStyle values

    // A document on the output chosen by SortidaImpressio.
    explicit Impressora(const QString& nomDocument, Orientacio orientacio = Orientacio::Vertical);
    ~Impressora();
    Impressora(const Impressora&) = delete;
    Impressora& operator=(const Impressora&) = delete;

    double CurrentX() const { return x_; }
    void setCurrentX(double x) { x_ = x; }
    double CurrentY() const { return y_; }
    void setCurrentY(double y) { y_ = y; }

    double FontSize() const { return font_.pointSizeF(); }
    void setFontSize(double points) { font_.setPointSizeF(points); }
    bool FontBold() const { return font_.bold(); }
    void setFontBold(bool on) { font_.setBold(on); }
    bool FontItalic() const { return font_.italic(); }
    void setFontItalic(bool on) { font_.setItalic(on); }
    QColor ForeColor() const { return color_; }
    void setForeColor(const QColor& c) { color_ = c; }
    // Pen width in printer dots (one dot = 2.4 twips, a 600-dpi printer's dot).
    int DrawWidth() const { return drawWidth_; }
    void setDrawWidth(int dots) { drawWidth_ = qMax(1, dots); }
    int DrawStyle() const { return drawStyle_; }
    void setDrawStyle(int style) { drawStyle_ = style; }

    // Prints at (CurrentX, CurrentY) in ForeColor.
    void Print(const QString& text = QString(), Linia linia = Linia::Acaba);
    // Straight black line; afterwards the current position is (x2, y2).
    void Line(double x1, double y1, double x2, double y2);
    // Outline of the rectangle with these corners; the position ends at (x2, y2).
    void Box(double x1, double y1, double x2, double y2);
    void PaintPicture(const QImage& picture, double x, double y, double width, double height);
    // Starts the document (opens its file or its printer), which the first
    // output otherwise does; ErrorImpressio when the output cannot be written.
    void comenca();
    // Ends the page; the next output goes to a new one.
    void NewPage();
    // Ends the document and sends it out: a PDF is written to its last byte
    // and takes its name, a printer accepts the job. Returns where it went,
    // for the status bar ("" when nothing was printed); ErrorImpressio, with
    // no PDF left, when it could not. Further calls do nothing.
    QString EndDoc();
    // Instead of EndDoc: drops the document (no PDF; a printer's job aborted
    // where the printer can). True when a printer's job could not be
    // aborted: the pages drawn so far have gone out. Further calls do nothing.
    bool abandona();
    // After EndDoc: takes the PDF away again.
    void retira();
    // After EndDoc: shows the PDF with the desktop's viewer, when one was
    // written whole and is still there.
    void mostra() const;

    // Width of a text and height of one line in the current font, in twips.
    double TextWidth(const QString& text) const;
    // The same in another font.
    double TextWidth(const QString& text, const QFont& font) const;
    double TextHeight() const;
    // The text as it fits the width in the current font: whole, or cut with
    // an ellipsis ("" when not even that fits).
    QString TextRetallat(const QString& text, double amplada) const;
    // The text's lines broken at their blanks into lines of that width in
    // the current font; a word wider than the width stands whole on a line
    // of its own.
    QStringList Parteix(const QString& text, double amplada) const;
    // Printable area in twips.
    QSizeF midaPagina() const;
    // The lowest point the current page has printed on so far right of x
    // (0 when nothing).
    double fonsPagina(double x) const;
    // Pages begun so far.
    int pagines() const { return pagines_; }
    bool acabat() const { return acabat_; }

    // For the grid printer: a rectangle filled with a colour (no outline),
    // and a text drawn inside a rectangle with the given alignment
    // (Qt::Alignment flags), cut at its edges; neither moves the position.
    void FillBox(double x1, double y1, double x2, double y2, const QColor& color);
    void PrintIn(double x, double y, double width, double height, const QString& text, int alignment,
                 bool underline = false);
    QFont font() const { return font_; }
    void setFontFamily(const QString& family);

    // The boxes and lines (and where texts stand) that the last document ended drew, page by page.
    static QList<TracatPagina> darrerTracat();

private:
    QPointF dev(double x, double y) const { return QPointF(x * kx_, y * ky_); }
    QPen ploma() const;
    // The metrics of a font on this output. A document measures most texts
    // before it prints them, prints many texts more than once (names of
    // services, units, labels) and uses few fonts: the metrics of the fonts
    // used last are kept with the widths of the texts measured in each (in a
    // std::unordered_map, whose lookup of a text costs a tenth of QHash's
    // with its seeded hash).
    struct Mesures {
        QFont font;
        QFontMetricsF metrica;
        std::unordered_map<QString, double> amplades;
    };
    Mesures& mesures(const QFont& font) const;

    struct Sortida;
    std::unique_ptr<Sortida> sortida_;
    QPainter painter_;
    QFont font_;
    QColor color_ = Qt::black;
    double x_ = 0, y_ = 0;
    double kx_ = 1, ky_ = 1;   // device units per twip
    int drawWidth_ = 1;
    int drawStyle_ = Solid;
    int pagines_ = 0;
    bool acabat_ = false;
    QList<TracatPagina> tracat_;
    mutable std::vector<Mesures> mesures_;
    std::optional<QFont> fontPintor_;   // the painter's font since Print last set it
};
