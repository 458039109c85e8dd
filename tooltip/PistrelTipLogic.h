#pragma once

// Pure rules of the tip: its size, where it goes, its balloon shape, where
// icon and texts sit, and how colours are resolved and blended. No widgets.

#include "PistrelExport.h"
#include "PistrelTypes.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

class QPalette;

namespace PistrelTip {

// Height of the balloon's pointer strip, and its horizontal offset.
inline constexpr int PointerSize = 17;

// Window width and content height from the measured title and text.
// titleExtent is the extent of the bold title (a blank when the title is empty),
// titleBlank tells whether the title trimmed of blanks is empty.
PISTREL_EXPORT QSize contentSize(QSize titleExtent, QSize textExtent, bool hasIcon, int iconSize,
                                 bool titleBlank);

struct Placement {
    QRect window;  // on screen, pointer strip included
    int dx = 0;    // +17 tip right of the cursor, -17 left of it, 0 for a rectangle
    int dy = 0;    // +17 tip below the cursor (pointer at the top), -17 above, 0 for a rectangle
    bool leftOfCursor = false;
    bool belowCursor = false;
};

// Places a tip of `content` (width x content height) next to `cursor`, within `screen`.
// The tip prefers the place above the cursor and right of it; it goes below near the
// top edge and left near the right edge, and is finally kept inside the screen.
PISTREL_EXPORT Placement placeTip(QSize content, QPoint cursor, const QRect& screen, bool balloon);

// The balloon outline of a window of width x height (pointer strip included).
PISTREL_EXPORT QRegion balloonRegion(int width, int height, bool pointerAtTop, bool leftOfCursor);

// The one-pixel border inside a region (pixels with a side neighbour outside it).
PISTREL_EXPORT QRegion frameRegion(const QRegion& shape);

struct ContentLayout {
    QPoint icon;
    QRect title;
    QRect text;
};

// Where icon, title and text go; dy as in Placement.
PISTREL_EXPORT ContentLayout layoutContent(QSize titleExtent, QSize textExtent, bool hasIcon,
                                           int iconSize, bool titleBlank, int dy);

// value * percent / 100 rounded to the nearest whole number, halves to even.
PISTREL_EXPORT int scalePercent(int value, int percent);

// One colour byte of a tip shown at `alpha` percent over `background`.
PISTREL_EXPORT int blendChannel(int content, int background, int alpha);
PISTREL_EXPORT QRgb blendPixel(QRgb content, QRgb background, int alpha);
// Both images of one size; the result is opaque RGB32.
PISTREL_EXPORT QImage blendImages(const QImage& content, const QImage& background, int alpha);

// Colour of line `step` of a gradient of `steps` lines (0..steps inclusive).
PISTREL_EXPORT QColor gradientColor(const QColor& start, const QColor& end, int step, int steps);

// Resolves a colour value (0x00BBGGRR, or a system colour with the high bit set).
PISTREL_EXPORT QColor resolveColor(PistrelColor value, const QPalette& palette);

// Whether an icon value names one of the stock icons (others draw no icon).
PISTREL_EXPORT bool isStockIcon(int icon);

}  // namespace PistrelTip
