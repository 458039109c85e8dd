#include "ImpressorGraella.h"

#include "Graella.h"
#include "Impressora.h"
#include "MarcPagina.h"
#include "Traduccio.h"

#include <QVector>
#include <algorithm>
#include <stdexcept>

namespace {

constexpr double Marge = 500;
constexpr double TwipsPerPixel = 15;

// The grid at a scale: columns as wide as on screen times the scale, rows at
// least as tall, taller where a block's text needs more lines than the
// screen gives it: each line of a cell is wrapped at its blanks as the
// screen wraps it, and the whole text is printed, no word cut.
class DibuixGraella {
public:
    DibuixGraella(Impressora& p, const Graella& g, double escala, double x0) : p_(p), g_(g), k_(escala), x0_(x0)
    {
        xs_.resize(g.Cols() + 1);
        xs_[0] = 0;
        for (int c = 0; c < g.Cols(); ++c)
            xs_[c + 1] = xs_[c] + (g.isColumnHidden(c) ? 0 : g.ColWidth(c) * TwipsPerPixel * k_);
        hs_.resize(g.Rows());
        for (int r = 0; r < g.Rows(); ++r) hs_[r] = g.isRowHidden(r) ? 0 : g.RowHeight(r) * TwipsPerPixel * k_;
    }

    // The rows made tall enough for their blocks' lines. Blocks are taken by
    // their last row, and a block short of height makes its last shown row
    // taller, so that the blocks above it keep what they have. No row grows
    // past `pagina` below the `fixes` heading rows: the room of a page.
    void ajustaFiles(double pagina, int fixes)
    {
        const QVector<double> pantalla = hs_;
        QVector<QRect> blocs;
        for (int r = 0; r < g_.Rows(); ++r)
            for (int c = 0; c < g_.Cols(); ++c) {
                const QRect b = g_.MergedRange(r, c);
                if (r == b.y() && c == b.x()) blocs.append(b);
            }
        std::stable_sort(blocs.begin(), blocs.end(), [](const QRect& a, const QRect& b) { return a.bottom() < b.bottom(); });
        for (const QRect& b : blocs) {
            const int ultimaCol = qMin(b.right(), g_.Cols() - 1);
            const int ultima = qMin(b.bottom(), g_.Rows() - 1);
            const double w = xs_[ultimaCol + 1] - xs_[b.x()];
            if (w <= 0) continue;
            int darreraVisible = -1;
            double h = 0;
            for (int r = b.y(); r <= ultima; ++r) {
                h += hs_[r];
                if (hs_[r] > 0) darreraVisible = r;
            }
            if (darreraVisible < 0) continue;
            const double cal = alcadaText(b.y(), b.x(), w);
            if (cal > h) hs_[darreraVisible] += cal - h;
        }
        double capcalera = 0;
        for (int r = 0; r < fixes; ++r) capcalera += hs_[r];
        for (int r = fixes; r < hs_.size(); ++r) hs_[r] = qMax(pantalla[r], qMin(hs_[r], pagina - capcalera));
    }

    double alcada(int r) const { return hs_[r]; }
    double amplada() const { return xs_.last(); }

    // Rows [de, fins) at y; blocks are cut at the edges of the segment.
    double segment(int de, int fins, double y)
    {
        QVector<double> ys(fins - de + 1);
        ys[0] = y;
        for (int r = de; r < fins; ++r) ys[r - de + 1] = ys[r - de] + alcada(r);
        for (int r = de; r < fins; ++r) {
            for (int c = 0; c < g_.Cols(); ++c) {
                const QRect b = g_.MergedRange(r, c);
                const int primera = qMax(b.y(), de);
                if (r != primera || c != b.x()) continue;
                const int ultima = qMin(b.bottom(), fins - 1);
                const int ultimaCol = qMin(b.right(), g_.Cols() - 1);
                cella(b.y(), b.x(), x0_ + xs_[b.x()], ys[primera - de], xs_[ultimaCol + 1] - xs_[b.x()],
                      ys[ultima - de + 1] - ys[primera - de]);
            }
        }
        // Outline of the segment.
        p_.setDrawWidth(2);
        p_.Box(x0_, y, x0_ + amplada(), ys.last());
        return ys.last();
    }

private:
    double marge() const { return 2 * TwipsPerPixel * k_; }

    QString textCella(int r, int c) const
    {
        const QTableWidgetItem* it = g_.item(r, c);
        return it ? QString(it->text()).remove(u'\r') : QString();
    }

    // The printer's font := the cell's, scaled to the page; returns it as the grid has it.
    QFont fontCella(int r, int c)
    {
        const QTableWidgetItem* it = g_.item(r, c);
        QFont f = g_.font();
        const QVariant fv = it ? it->data(Qt::FontRole) : QVariant();
        if (fv.isValid()) f = fv.value<QFont>();
        p_.setFontFamily(f.family());
        p_.setFontSize(qMax(1.0, punts(f) * k_));
        p_.setFontBold(f.bold());
        p_.setFontItalic(f.italic());
        return f;
    }

    static double punts(const QFont& f) { return f.pointSizeF() > 0 ? f.pointSizeF() : f.pixelSize() * 0.75; }

    // The lines of the text of the block at (r, c) at that width, in the
    // printer's font (fontCella). As on screen, a heading too wide is first
    // drawn up to a quarter smaller; then a line too wide is wrapped at its
    // blanks, and a word wider than the block makes the font smaller until
    // it fits.
    QStringList linies(int r, int c, const QString& text, double w, const QFont& f)
    {
        const double ample = w - 2 * marge();
        if ((r < g_.FixedRows() || c < g_.FixedCols()) && !text.contains(u'\n')) {
            const double minim = qMax(6.0, punts(f) * 0.75) * k_;
            while (p_.TextWidth(text) > ample && p_.FontSize() - 0.5 * k_ >= minim)
                p_.setFontSize(p_.FontSize() - 0.5 * k_);
        }
        QStringList out;
        for (int intent = 0; intent < 4; ++intent) {
            out.clear();
            double mesAmple = 0;
            for (const QString& linia : text.split(u'\n')) {
                const QStringList parts = p_.TextWidth(linia) > ample ? p_.Parteix(linia, ample) : QStringList{linia};
                for (const QString& part : parts) mesAmple = qMax(mesAmple, p_.TextWidth(part));
                out << parts;
            }
            if (mesAmple <= ample || ample <= 0) break;
            p_.setFontSize(qMax(1.0, p_.FontSize() * ample / mesAmple * 0.98));
        }
        return out;
    }

    // Height the text of the block at (r, c) needs at that width.
    double alcadaText(int r, int c, double w)
    {
        const QString text = textCella(r, c);
        if (text.isEmpty()) return 0;
        return linies(r, c, text, w, fontCella(r, c)).size() * p_.TextHeight() + marge();
    }

    void cella(int r, int c, double x, double y, double w, double h)
    {
        if (w <= 0 || h <= 0) return;
        const QTableWidgetItem* it = g_.item(r, c);
        QColor fons;
        if (it) {
            const QVariant b = it->data(Qt::BackgroundRole);
            if (b.isValid() && b.value<QBrush>().style() != Qt::NoBrush) fons = b.value<QBrush>().color();
        }
        const bool fonsPropi = fons.isValid();
        p_.FillBox(x, y, x + w, y + h, fonsPropi ? fons : g_.BackColor());
        const QString text = textCella(r, c);
        if (!text.isEmpty()) {
            const QFont f = fontCella(r, c);
            QStringList l = linies(r, c, text, w, f);
            // A block taller than a page, or cut by a page's edge, shows the
            // lines its part has room for, the last one marked.
            const int caben = int((h - marge()) / p_.TextHeight() + 1e-6);
            if (l.size() > caben) {
                l.resize(qMax(0, caben));
                if (!l.isEmpty())
                    l.last() = p_.TextWidth(l.last() + QStringLiteral(" …")) <= w - 2 * marge() ? l.last() + QStringLiteral(" …")
                                                                                               : QStringLiteral("…");
            }
            QColor tinta = g_.CellForeColor(r, c);
            if (!tinta.isValid()) tinta = fonsPropi ? Graella::readableOn(fons) : QColor(Qt::black);
            p_.setForeColor(tinta);
            p_.PrintIn(x + marge(), y + marge() / 2, w - 2 * marge(), h - marge(), l.join(u'\n'),
                       int(Graella::alignmentFromCode(g_.CellAlignment(r, c))), f.underline());
        }
        // Lines on the block's edges only, as the grid draws them.
        p_.setDrawWidth(1);
        p_.setDrawStyle(Impressora::Solid);
        p_.Box(x, y, x + w, y + h);
    }

    Impressora& p_;
    const Graella& g_;
    double k_;
    double x0_;
    QVector<double> xs_;
    QVector<double> hs_;
};

class Pagines {
public:
    Pagines(Impressora& p, const ImpressorGraella& opcions, const Graella& g, double escala)
        : p_(p), o_(opcions), g_(g), dibuix_(p, g, escala, Marge)
    {
    }

    void imprimeix()
    {
        const double peu = p_.midaPagina().height() - Marge;
        const int fixes = qMin(g_.FixedRows(), g_.Rows());
        int r = fixes;
        int pagina = 1;
        do {
            if (pagina > 1) p_.NewPage();
            double y = capcalera();
            numero(pagina, peu);
            const double limit = peu - p_.TextHeight() - 100;
            if (pagina == 1) dibuix_.ajustaFiles(limit - y, fixes);
            if (fixes > 0) y = dibuix_.segment(0, fixes, y);
            // At least one row a page, so that a row taller than a page still prints.
            int fins = r;
            double h = 0;
            while (fins < g_.Rows() && (fins == r || y + h + dibuix_.alcada(fins) <= limit)) h += dibuix_.alcada(fins++);
            if (fins > r) dibuix_.segment(r, fins, y);
            r = fins;
            ++pagina;
        } while (r < g_.Rows());
    }

private:
    double capcalera()
    {
        p_.setFontFamily(QFont().family());
        p_.setFontItalic(false);
        p_.setCurrentY(Marge);
        linia(o_.Capcalera(), o_.colorCapcalera(), o_.midaCapcalera(), false);
        linia(o_.Titol(), o_.colorTitol(), o_.midaTitol(), true);
        linia(o_.Data(), o_.colorData(), o_.midaData(), false);
        p_.setForeColor(Qt::black);
        return p_.CurrentY() + 150;
    }

    void linia(const QString& text, const QColor& color, int mida, bool negreta)
    {
        p_.setFontSize(qMax(1, mida));
        p_.setFontBold(negreta);
        p_.setForeColor(color);
        p_.setCurrentX(Marge);
        p_.Print(text);
    }

    void numero(int pagina, double peu)
    {
        p_.setFontFamily(QFont().family());
        p_.setFontSize(8);
        p_.setFontBold(false);
        p_.setForeColor(Qt::black);
        const QString t = Tradueix(QStringLiteral("pàg.")) + u' ' + QString::number(pagina);
        const double y = p_.CurrentY();
        p_.setCurrentY(peu - p_.TextHeight());
        p_.setCurrentX((p_.midaPagina().width() - p_.TextWidth(t)) / 2);
        p_.Print(t, Impressora::Linia::Segueix);
        p_.setCurrentY(y);
    }

    Impressora& p_;
    const ImpressorGraella& o_;
    const Graella& g_;
    DibuixGraella dibuix_;
};

} // namespace

QColor ImpressorGraella::colorTitol() const { return Graella::colorFromValue(colorTitol_); }
QColor ImpressorGraella::colorCapcalera() const { return Graella::colorFromValue(colorCapcalera_); }
QColor ImpressorGraella::colorData() const { return Graella::colorFromValue(colorData_); }

QString ImpressorGraella::Imprimeix(const Graella* graella, QWidget* parent) const
{
    const auto orientacio = orientacio_ == 2 ? Impressora::Orientacio::Horitzontal : Impressora::Orientacio::Vertical;
    const QString nom = titol_.trimmed().isEmpty() ? capcalera_.trimmed() : titol_.trimmed();
    return imprimeixDocument(
        nom,
        [&](Impressora& p) {
            if (!graella) throw std::invalid_argument(Tradueix(QStringLiteral("No hi ha cap graella per imprimir")).toStdString());
            const double pantalla = DibuixGraella(p, *graella, 1, 0).amplada();
            const double disponible = p.midaPagina().width() - 2 * Marge;
            const double escala = ajusta_ && pantalla > 0 ? disponible / pantalla : 1;
            Pagines(p, *this, *graella, escala).imprimeix();
        },
        orientacio, parent);
}
