#include "PistrelTipWindow.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QStyle>

namespace {

QFont withWeight(QFont font, bool bold)
{
    font.setBold(bold);
    return font;
}

QString normalisedLines(QString s)
{
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QStyle::StandardPixmap stockPixmap(int icon)
{
    switch (icon) {
    case ICONO_ERROR:
        return QStyle::SP_MessageBoxCritical;
    case ICONO_WARNING:
        return QStyle::SP_MessageBoxWarning;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}

void paintBackground(QPainter& p, const PistrelTipScene& s)
{
    const QRect area(QPoint(0, 0), s.size);
    switch (s.backgroundStyle) {
    case Sólido:
        p.fillRect(area, s.background);
        return;
    case ConImagen:
        // The colour first, so that a missing picture leaves no stale pixels.
        p.fillRect(area, s.background);
        if (!s.picture.isNull())
            p.fillRect(area, QBrush(s.picture));
        return;
    default:
        break;
    }
    const bool horizontal = s.backgroundStyle == DegradadoHorizontal;
    const int steps = horizontal ? area.width() : area.height();
    for (int i = 0; i <= steps; ++i) {
        const QColor c = PistrelTip::gradientColor(s.gradientStart, s.gradientEnd, i, steps);
        if (horizontal)
            p.fillRect(QRect(i, 0, 1, area.height()), c);
        else
            p.fillRect(QRect(0, i, area.width(), 1), c);
    }
}

}  // namespace

PistrelTipWindow::PistrelTipWindow(PistrelTipScene scene, QWidget* transientFor)
    : QWidget(transientFor, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      scene_(std::move(scene))
{
    setObjectName(QLatin1String(ObjectName));
    setWindowTitle(QStringLiteral("PISTREL"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    if (scene_.shadow)
        setAttribute(Qt::WA_TranslucentBackground);
    const int extra = scene_.shadow ? ShadowOffset : 0;
    resize(scene_.size.width() + extra, scene_.size.height() + extra);
    if (scene_.balloon || scene_.shadow)
        setMask(windowShape());
    setWindowOpacity(scene_.alpha / 100.0);
}

QRegion PistrelTipWindow::windowShape() const
{
    QRegion r = scene_.shape;
    if (scene_.shadow)
        r += scene_.shape.translated(ShadowOffset, ShadowOffset);
    return r;
}

QSize PistrelTipWindow::measure(const QFont& font, const QString& text, bool bold)
{
    const QFontMetrics fm(withWeight(font, bold));
    return fm.size(0, normalisedLines(text));
}

void PistrelTipWindow::paintScene(QPainter& p, const PistrelTipScene& s)
{
    p.save();
    if (s.shadow) {
        const QRegion shadow = s.shape.translated(ShadowOffset, ShadowOffset) - s.shape;
        p.setClipRegion(shadow);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(shadow.boundingRect(), QColor(0, 0, 0, 96));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    p.setClipRegion(s.shape);
    paintBackground(p, s);

    for (const QRect& r : PistrelTip::frameRegion(s.shape))
        p.fillRect(r, s.textColor);

    if (PistrelTip::isStockIcon(s.icon) && s.iconSize > 0) {
        const QIcon icon = QApplication::style()->standardIcon(stockPixmap(s.icon));
        icon.paint(&p, QRect(s.layout.icon, QSize(s.iconSize, s.iconSize)));
    }

    p.setPen(s.textColor);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    p.setFont(withWeight(s.font, true));
    p.drawText(s.layout.title, flags, normalisedLines(s.title));
    p.setFont(withWeight(s.font, false));
    p.drawText(s.layout.text, flags, normalisedLines(s.text));
    p.restore();
}

void PistrelTipWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintScene(p, scene_);
}
