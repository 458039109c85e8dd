#include "ImpressorGraella.h"

#include "Graella.h"
#include "Impressora.h"
#include "MarcPagina.h"
#include "Traduccio.h"

#include <QVector>
#include <stdexcept>

namespace {

constexpr double Marge = 500;
constexpr double TwipsPerPixel = 15;

class DibuixGraella {
public:
    DibuixGraella(Impressora& p, const Graella& g, double escala, double x0) : p_(p), g_(g), k_(escala), x0_(x0)
    {
        xs_.resize(g.Cols() + 1);
        xs_[0] = 0;
        for (int c = 0; c < g.Cols(); ++c)
            xs_[c + 1] = xs_[c] + (g.isColumnHidden(c) ? 0 : g.ColWidth(c) * TwipsPerPixel * k_);
    }

    double alcada(int r) const { return g_.isRowHidden(r) ? 0 : g_.RowHeight(r) * TwipsPerPixel * k_; }
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
        const QString text = it ? QString(it->text()).remove(u'\r') : QString();
        if (!text.isEmpty()) {
            QFont f = g_.font();
            const QVariant fv = it->data(Qt::FontRole);
            if (fv.isValid()) f = fv.value<QFont>();
            const double punts = f.pointSizeF() > 0 ? f.pointSizeF() : f.pixelSize() * 0.75;
            p_.setFontFamily(f.family());
            p_.setFontSize(qMax(1.0, punts * k_));
            p_.setFontBold(f.bold());
            p_.setFontItalic(f.italic());
            QColor tinta = g_.CellForeColor(r, c);
            if (!tinta.isValid()) tinta = fonsPropi ? Graella::readableOn(fons) : QColor(Qt::black);
            p_.setForeColor(tinta);
            const double marge = 2 * TwipsPerPixel * k_;
            p_.PrintIn(x + marge, y + marge / 2, w - 2 * marge, h - marge, text,
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
