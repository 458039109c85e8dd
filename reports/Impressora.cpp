#include "Impressora.h"

#include "SortidaImpressio.h"
#include "Traduccio.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>

struct Impressora::Sortida {
    SortidaImpressio::Desti desti;
};

namespace {
constexpr double TwipsPerDot = 1440.0 / 600.0;
}

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
    if (!painter_.begin(d)) {
        const QString on = sortida_->desti.fitxer.isEmpty() ? sortida_->desti.impressora : sortida_->desti.fitxer;
        throw ErrorImpressio(Tradueix(QStringLiteral("No s'ha pogut començar el document a")) + u' ' + on);
    }
    painter_.setRenderHint(QPainter::Antialiasing);
    pagines_ = 1;
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
    if (!text.isEmpty()) {
        QFontMetricsF fm(font_, sortida_->desti.dispositiu.get());
        painter_.setFont(font_);
        painter_.setPen(color_);
        const QPointF at = dev(x_, y_);
        painter_.drawText(QPointF(at.x(), at.y() + fm.ascent()), text);
    }
    if (linia == Linia::Acaba) {
        y_ += TextHeight();
        x_ = 0;
    } else {
        x_ += TextWidth(text);
    }
}

void Impressora::Line(double x1, double y1, double x2, double y2)
{
    comenca();
    painter_.setPen(ploma());
    painter_.setBrush(Qt::NoBrush);
    painter_.drawLine(dev(x1, y1), dev(x2, y2));
    x_ = x2;
    y_ = y2;
}

void Impressora::Box(double x1, double y1, double x2, double y2)
{
    comenca();
    painter_.setPen(ploma());
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(dev(x1, y1), dev(x2, y2)).normalized());
    x_ = x2;
    y_ = y2;
}

void Impressora::FillBox(double x1, double y1, double x2, double y2, const QColor& color)
{
    comenca();
    painter_.fillRect(QRectF(dev(x1, y1), dev(x2, y2)).normalized(), color);
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
}

void Impressora::setFontFamily(const QString& family)
{
    if (!family.isEmpty()) font_.setFamily(family);
}

void Impressora::PaintPicture(const QImage& picture, double x, double y, double width, double height)
{
    comenca();
    painter_.drawImage(QRectF(dev(x, y), dev(x + width, y + height)), picture);
}

void Impressora::NewPage()
{
    comenca();
    if (!sortida_->desti.dispositiu->newPage())
        throw ErrorImpressio(Tradueix(QStringLiteral("No s'ha pogut començar una pàgina nova")));
    ++pagines_;
}

QString Impressora::EndDoc()
{
    if (acabat_) return QString();
    acabat_ = true;
    if (!painter_.isActive()) return QString();
    painter_.end();
    const auto& d = sortida_->desti;
    SortidaImpressio::mostra(d);
    if (!d.impressora.isEmpty()) return Tradueix(QStringLiteral("Document enviat a la impressora")) + u' ' + d.impressora;
    return Tradueix(QStringLiteral("Document desat a")) + u' ' + d.fitxer;
}

double Impressora::TextWidth(const QString& text) const
{
    QFontMetricsF fm(font_, sortida_->desti.dispositiu.get());
    return fm.horizontalAdvance(text) / kx_;
}

double Impressora::TextHeight() const
{
    QFontMetricsF fm(font_, sortida_->desti.dispositiu.get());
    return fm.lineSpacing() / ky_;
}

QSizeF Impressora::midaPagina() const
{
    const QPagedPaintDevice* d = sortida_->desti.dispositiu.get();
    return QSizeF(d->width() / kx_, d->height() / ky_);
}
