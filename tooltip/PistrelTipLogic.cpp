#include "PistrelTipLogic.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace PistrelTip {

QSize contentSize(QSize titleExtent, QSize textExtent, bool hasIcon, int iconSize, bool titleBlank)
{
    int width = titleExtent.width();
    int height = titleExtent.height();
    if (hasIcon) {
        width += 25 + iconSize;
        height += iconSize;
    }
    height += textExtent.height();
    width = std::max(width, textExtent.width());
    return QSize(width + 20, height + (titleBlank ? 0 : 13));
}

Placement placeTip(QSize content, QPoint cursor, const QRect& screen, bool balloon)
{
    Placement p;
    const int w = content.width();
    const int h = content.height();
    int x = cursor.x();
    int y = cursor.y();

    const int screenRight = screen.x() + screen.width();
    const int screenBottom = screen.y() + screen.height();
    if (screenRight < x + w) {
        p.leftOfCursor = true;
        x -= w;
    } else {
        x += 1;
    }
    if (screenBottom < y + h) {
        y -= h;
    } else if (y - h - 20 < screen.y()) {
        p.belowCursor = true;
        y += 1;
    } else {
        y -= h;
    }
    if (balloon) {
        p.dx = p.leftOfCursor ? -PointerSize : PointerSize;
        p.dy = p.belowCursor ? PointerSize : -PointerSize;
    }

    QRect r(x - p.dx, y + p.dy, w, h + std::abs(p.dy));
    // Keep the whole tip on the screen under the cursor.
    if (r.right() > screen.right())
        r.moveRight(screen.right());
    if (r.left() < screen.left())
        r.moveLeft(screen.left());
    if (r.bottom() > screen.bottom())
        r.moveBottom(screen.bottom());
    if (r.top() < screen.top())
        r.moveTop(screen.top());
    p.window = r;
    return p;
}

QRegion balloonRegion(int width, int height, bool pointerAtTop, bool leftOfCursor)
{
    const int w = width;
    const int h = height;
    const int ps = PointerSize;
    QRegion r(0, 0, w, h);
    auto cut = [&r](int x0, int x1, int y, int rows = 1) {
        if (x1 > x0 && rows > 0)
            r -= QRegion(x0, y, x1 - x0, rows);
    };
    // Rows of the pointer strip counted from the window's outer edge.
    auto row = [&](int i) { return pointerAtTop ? i : h - 1 - i; };
    const int strip = pointerAtTop ? 0 : h - ps;

    if (!leftOfCursor) {
        cut(0, 18, strip, ps);
        cut(35, w, strip, ps);
        for (int i = 0; i <= 15; ++i)
            cut(19 + i, 35, row(i));
    } else {
        cut(w - 17, w, strip, ps);
        cut(0, w - 35, strip, ps);
        for (int i = 0; i <= 17; ++i)
            cut(w - 35, w - 18 - i, row(i));
    }

    const int t = pointerAtTop ? ps : 0;
    const int b = pointerAtTop ? h : h - ps;
    // Rounded corners, each from its widest step.
    cut(0, 5, t);
    cut(0, 4, t + 1);
    cut(0, 2, t + 2);
    cut(0, 1, t + 3, 2);
    cut(0, 5, b - 1);
    cut(0, 3, b - 2);
    cut(0, 2, b - 3);
    cut(0, 1, b - 5, 2);
    cut(w - 5, w, t);
    cut(w - 3, w, t + 1);
    cut(w - 2, w, t + 2);
    cut(w - 1, w, t + 3, 2);
    cut(w - 5, w, b - 1);
    cut(w - 3, w, b - 2);
    cut(w - 2, w, b - 3);
    cut(w - 1, w, b - 5, 2);
    return r;
}

QRegion frameRegion(const QRegion& shape)
{
    const QRegion inner = shape & shape.translated(1, 0) & shape.translated(-1, 0)
                          & shape.translated(0, 1) & shape.translated(0, -1);
    return shape - inner;
}

ContentLayout layoutContent(QSize titleExtent, QSize textExtent, bool hasIcon, int iconSize,
                            bool titleBlank, int dy)
{
    ContentLayout l;
    const int p = dy > 0 ? dy : 0;
    l.icon = QPoint(12, 8 + p);

    int top = (hasIcon ? iconSize / 2 : 0) + 1 + p;
    int left = p + 20;
    if (hasIcon) {
        left += iconSize;
    } else {
        top += 5;
        left = 10;
    }
    l.title = QRect(QPoint(left, top), titleExtent);

    const int th = titleExtent.height();
    top = (titleBlank ? th / 2 - 5 : (hasIcon ? iconSize : 3) + th) + p;
    if (titleBlank && hasIcon)
        top += iconSize;
    l.text = QRect(QPoint(10, top + 5), textExtent);
    return l;
}

int scalePercent(int value, int percent)
{
    const int product = value * percent;
    int q = product / 100;
    const int rest = product % 100;
    if (rest > 50 || (rest == 50 && (q % 2) != 0))
        ++q;
    return q;
}

int blendChannel(int content, int background, int alpha)
{
    return std::min(255, scalePercent(background, 100 - alpha) + scalePercent(content, alpha));
}

QRgb blendPixel(QRgb content, QRgb background, int alpha)
{
    return qRgb(blendChannel(qRed(content), qRed(background), alpha),
                blendChannel(qGreen(content), qGreen(background), alpha),
                blendChannel(qBlue(content), qBlue(background), alpha));
}

QImage blendImages(const QImage& content, const QImage& background, int alpha)
{
    const QImage c = content.convertToFormat(QImage::Format_RGB32);
    const QImage b = background.convertToFormat(QImage::Format_RGB32);
    const int w = std::min(c.width(), b.width());
    const int h = std::min(c.height(), b.height());
    QImage out(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const auto* cl = reinterpret_cast<const QRgb*>(c.constScanLine(y));
        const auto* bl = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        auto* ol = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x)
            ol[x] = blendPixel(cl[x], bl[x], alpha);
    }
    return out;
}

QColor gradientColor(const QColor& start, const QColor& end, int step, int steps)
{
    if (steps <= 0)
        return start;
    auto channel = [&](int s, int e) {
        const float delta = static_cast<float>(e - s) / static_cast<float>(steps);
        // lrint rounds halves to even in the default rounding mode.
        const long v = std::lrint(static_cast<float>(s) + delta * static_cast<float>(step));
        return static_cast<int>(std::clamp<long>(v, 0, 255));
    };
    return QColor(channel(start.red(), end.red()), channel(start.green(), end.green()),
                  channel(start.blue(), end.blue()));
}

QColor resolveColor(PistrelColor value, const QPalette& palette)
{
    if ((value & 0x80000000u) == 0)
        return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);

    // System colour indices mapped onto the palette's roles.
    struct Entry {
        QPalette::ColorGroup group;
        QPalette::ColorRole role;
    };
    static const Entry table[] = {
        {QPalette::Active, QPalette::Button},           // 0 scroll bar
        {QPalette::Active, QPalette::Highlight},        // 1 desktop
        {QPalette::Active, QPalette::Highlight},        // 2 active caption
        {QPalette::Inactive, QPalette::Highlight},      // 3 inactive caption
        {QPalette::Active, QPalette::Window},           // 4 menu
        {QPalette::Active, QPalette::Base},             // 5 window
        {QPalette::Active, QPalette::WindowText},       // 6 window frame
        {QPalette::Active, QPalette::WindowText},       // 7 menu text
        {QPalette::Active, QPalette::Text},             // 8 window text
        {QPalette::Active, QPalette::HighlightedText},  // 9 caption text
        {QPalette::Active, QPalette::Window},           // 10 active border
        {QPalette::Active, QPalette::Window},           // 11 inactive border
        {QPalette::Active, QPalette::Dark},             // 12 application workspace
        {QPalette::Active, QPalette::Highlight},        // 13 highlight
        {QPalette::Active, QPalette::HighlightedText},  // 14 highlighted text
        {QPalette::Active, QPalette::Button},           // 15 button face
        {QPalette::Active, QPalette::Dark},             // 16 button shadow
        {QPalette::Disabled, QPalette::Text},           // 17 grey text
        {QPalette::Active, QPalette::ButtonText},       // 18 button text
        {QPalette::Inactive, QPalette::HighlightedText},// 19 inactive caption text
        {QPalette::Active, QPalette::Light},            // 20 button highlight
        {QPalette::Active, QPalette::Shadow},           // 21 dark shadow
        {QPalette::Active, QPalette::Midlight},         // 22 light
        {QPalette::Active, QPalette::ToolTipText},      // 23 tooltip text
        {QPalette::Active, QPalette::ToolTipBase},      // 24 tooltip background
        {QPalette::Active, QPalette::Window},           // 25 (unused)
        {QPalette::Active, QPalette::Link},             // 26 hot light
        {QPalette::Active, QPalette::Highlight},        // 27 active caption gradient
        {QPalette::Inactive, QPalette::Highlight},      // 28 inactive caption gradient
        {QPalette::Active, QPalette::Highlight},        // 29 menu highlight
        {QPalette::Active, QPalette::Window},           // 30 menu bar
    };
    const std::uint32_t index = value & 0x7FFFFFFFu;
    if (index >= std::size(table))
        return palette.color(QPalette::Active, QPalette::Window);
    return palette.color(table[index].group, table[index].role);
}

bool isStockIcon(int icon)
{
    return icon == ICONO_ERROR || icon == ICONO_INFO || icon == ICONO_WARNING;
}

}  // namespace PistrelTip
