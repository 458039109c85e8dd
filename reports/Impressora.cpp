#include "Impressora.h"

#include "PartirText.h"
#include "SortidaImpressio.h"
#include "Traduccio.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>

#include <algorithm>
#include <limits>

struct Impressora::Sortida {
    SortidaImpressio::Desti desti;
};

namespace {
constexpr double TwipsPerDot = 1440.0 / 600.0;
QList<Impressora::TracatPagina> g_darrerTracat;

// Why a PDF could not be written: the system's reason.
QString motiu(const SortidaImpressio::Desti& desti)
{
    const QString m = desti.pdf ? desti.pdf->motiu() : QString();
    return m.isEmpty() ? Tradueix(QStringLiteral("Error desconegut")) : m;
}
} // namespace

Impressora::Impressora(const QString& nomDocument, Orientacio orientacio)
    : sortida_(std::make_unique<Sortida>())
{
    sortida_->desti = SortidaImpressio::obre(nomDocument, orientacio == Orientacio::Horitzontal);
    QPagedPaintDevice* d = sortida_->desti.dispositiu.get();
    kx_ = d->logicalDpiX() / 1440.0;
    ky_ = d->logicalDpiY() / 1440.0;
    font_ = QFont();
    font_.setPointSizeF(10);
}

Impressora::~Impressora()
{
    if (painter_.isActive()) painter_.end();
}

void Impressora::comenca()
{
    if (acabat_) throw ErrorImpressio(QStringLiteral("El document ja s'ha acabat"));
    if (painter_.isActive()) return;
    QPagedPaintDevice* d = sortida_->desti.dispositiu.get();
    auto& desti = sortida_->desti;
    if (!SortidaImpressio::comenca(desti) || !painter_.begin(d)) {
        if (desti.pdf)
            throw ErrorImpressio(Tradueix(QStringLiteral("No s'ha pogut començar el document a la carpeta %1: %2"))
                                     .arg(desti.pdf->carpeta(), motiu(desti)));
        throw ErrorImpressio(Tradueix(QStringLiteral("No s'ha pogut començar el document a")) + u' '
                             + desti.impressora);
    }
    painter_.setRenderHint(QPainter::Antialiasing);
    pagines_ = 1;
    tracat_ = {TracatPagina()};
}

QPen Impressora::ploma() const
{
    const double w = drawWidth_ * TwipsPerDot * kx_;
    QPen pen(Qt::black, w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    if (drawStyle_ == Puntejat) {
        // Dots 10 twips long every 40 twips, whatever the pen width.
        const double unit = drawWidth_ * TwipsPerDot;
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern({10.0 / unit, 30.0 / unit});
    }
    return pen;
}

void Impressora::Print(const QString& text, Linia linia)
{
    comenca();
    const double amplada = TextWidth(text);
    if (!text.isEmpty()) {
        if (fontPintor_ != font_) {
            painter_.setFont(font_);
            fontPintor_ = font_;
        }
        painter_.setPen(color_);
        const QPointF at = dev(x_, y_);
        painter_.drawText(QPointF(at.x(), at.y() + mesures(font_).metrica.ascent()), text);
        tracat_.last().altres.append(QRectF(x_, y_, amplada, TextHeight()));
    }
    if (linia == Linia::Acaba) {
        y_ += TextHeight();
        x_ = 0;
    } else {
        x_ += amplada;
    }
}

void Impressora::Line(double x1, double y1, double x2, double y2)
{
    comenca();
    painter_.setPen(ploma());
    painter_.setBrush(Qt::NoBrush);
    painter_.drawLine(dev(x1, y1), dev(x2, y2));
    tracat_.last().linies.append(QLineF(x1, y1, x2, y2));
    x_ = x2;
    y_ = y2;
}

void Impressora::Box(double x1, double y1, double x2, double y2)
{
    comenca();
    painter_.setPen(ploma());
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(dev(x1, y1), dev(x2, y2)).normalized());
    tracat_.last().caixes.append(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
    x_ = x2;
    y_ = y2;
}

void Impressora::FillBox(double x1, double y1, double x2, double y2, const QColor& color)
{
    comenca();
    painter_.fillRect(QRectF(dev(x1, y1), dev(x2, y2)).normalized(), color);
    tracat_.last().altres.append(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
}

void Impressora::PrintIn(double x, double y, double width, double height, const QString& text, int alignment,
                         bool underline)
{
    comenca();
    if (text.isEmpty()) return;
    QFont f = font_;
    f.setUnderline(underline);
    painter_.save();
    const QRectF r(dev(x, y), dev(x + width, y + height));
    painter_.setClipRect(r);
    painter_.setFont(f);
    painter_.setPen(color_);
    painter_.drawText(r, alignment, text);
    painter_.restore();
    tracat_.last().altres.append(QRectF(x, y, width, height));
}

void Impressora::setFontFamily(const QString& family)
{
    if (!family.isEmpty()) font_.setFamily(family);
}

void Impressora::PaintPicture(const QImage& picture, double x, double y, double width, double height)
{
    comenca();
    painter_.drawImage(QRectF(dev(x, y), dev(x + width, y + height)), picture);
    tracat_.last().altres.append(QRectF(x, y, width, height));
}

void Impressora::NewPage()
{
    comenca();
    if (!sortida_->desti.dispositiu->newPage())
        throw ErrorImpressio(Tradueix(QStringLiteral("No s'ha pogut començar una pàgina nova")));
    ++pagines_;
    tracat_.append(TracatPagina());
}

QString Impressora::EndDoc()
{
    if (acabat_) return QString();
    acabat_ = true;
    g_darrerTracat = tracat_;
    if (!painter_.isActive()) return QString();
    auto& d = sortida_->desti;
    if (!SortidaImpressio::desa(d, painter_.end())) {
        if (d.pdf)
            throw ErrorImpressio(Tradueix(QStringLiteral("No s'ha pogut desar el document a la carpeta %1: %2"))
                                     .arg(d.pdf->carpeta(), motiu(d)));
        throw ErrorImpressio(
            Tradueix(QStringLiteral("La impressora %1 no ha acceptat el document")).arg(d.impressora));
    }
    if (!d.impressora.isEmpty()) return Tradueix(QStringLiteral("Document enviat a la impressora")) + u' ' + d.impressora;
    return Tradueix(QStringLiteral("Document desat a")) + u' ' + d.fitxer;
}

bool Impressora::abandona()
{
    if (acabat_) return false;
    acabat_ = true;
    g_darrerTracat = tracat_;
    return painter_.isActive() && SortidaImpressio::abandona(sortida_->desti, painter_);
}

void Impressora::retira()
{
    SortidaImpressio::retira(sortida_->desti);
}

void Impressora::mostra() const
{
    SortidaImpressio::mostra(sortida_->desti);
}

double Impressora::TextWidth(const QString& text) const
{
    return TextWidth(text, font_);
}

Impressora::Mesures& Impressora::mesures(const QFont& font) const
{
    constexpr size_t Fonts = 8;
    auto it = std::find_if(mesures_.begin(), mesures_.end(), [&](const Mesures& m) { return m.font == font; });
    if (it == mesures_.end()) {
        if (mesures_.size() == Fonts) mesures_.pop_back();
        mesures_.insert(mesures_.begin(), Mesures{font, QFontMetricsF(font, sortida_->desti.dispositiu.get()), {}});
    } else if (it != mesures_.begin()) {
        std::rotate(mesures_.begin(), it, it + 1);
    }
    return mesures_.front();
}

double Impressora::TextWidth(const QString& text, const QFont& font) const
{
    constexpr size_t Textos = 4096;
    Mesures& m = mesures(font);
    if (const auto it = m.amplades.find(text); it != m.amplades.end()) return it->second;
    const double amplada = m.metrica.horizontalAdvance(text) / kx_;
    if (m.amplades.size() == Textos) m.amplades.clear();
    m.amplades.emplace(text, amplada);
    return amplada;
}

QString Impressora::TextRetallat(const QString& text, double amplada) const
{
    if (amplada <= 0) return QString();
    return mesures(font_).metrica.elidedText(text, Qt::ElideRight, amplada * kx_);
}

QStringList Impressora::Parteix(const QString& text, double amplada) const
{
    QStringList out;
    for (const QString& paragraf : QString(text).remove(u'\r').split(u'\n'))
        out << partALesBlanques(paragraf.split(u' ', Qt::SkipEmptyParts).join(u' '),
                                std::numeric_limits<qsizetype>::max(),
                                [&](const QString& t) { return TextWidth(t) <= amplada; });
    return out;
}

double Impressora::TextHeight() const
{
    return mesures(font_).metrica.lineSpacing() / ky_;
}

double Impressora::fonsPagina(double x) const
{
    double fons = 0;
    if (tracat_.isEmpty()) return fons;
    const TracatPagina& t = tracat_.last();
    for (const QList<QRectF>* rs : {&t.caixes, &t.altres})
        for (const QRectF& r : *rs)
            if (r.right() > x) fons = qMax(fons, r.bottom());
    for (const QLineF& l : t.linies)
        if (qMax(l.x1(), l.x2()) > x) fons = qMax(fons, qMax(l.y1(), l.y2()));
    return fons;
}

QList<Impressora::TracatPagina> Impressora::darrerTracat()
{
    return g_darrerTracat;
}

QSizeF Impressora::midaPagina() const
{
    const QPagedPaintDevice* d = sortida_->desti.dispositiu.get();
    return QSizeF(d->width() / kx_, d->height() / ky_);
}
