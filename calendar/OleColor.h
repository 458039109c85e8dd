#pragma once
// Colours as the control's interface keeps them: 32-bit 0x00BBGGRR values, or
// references to a system colour (high bit set, index in the low byte) that are
// resolved against the widget's palette when drawing.
#include "CalvendraExport.h"

#include <QColor>
#include <QPalette>

namespace OleColor {

constexpr quint32 SystemFlag = 0x80000000u;

// System colour indexes used by the control's defaults.
constexpr quint32 Window = SystemFlag | 0x05;         // window background
constexpr quint32 Highlight = SystemFlag | 0x0D;      // selection background
constexpr quint32 HighlightText = SystemFlag | 0x0E;  // selection text
constexpr quint32 GrayText = SystemFlag | 0x11;       // disabled text
constexpr quint32 ButtonText = SystemFlag | 0x12;     // button text

constexpr quint32 rgb(int red, int green, int blue)
{
    return quint32(red & 0xFF) | (quint32(green & 0xFF) << 8) | (quint32(blue & 0xFF) << 16);
}

// An RGB value (top byte 0) or a reference to one of the 31 system colours.
CALVENDRA_EXPORT bool isValid(quint64 value);
CALVENDRA_EXPORT QColor toQColor(quint32 value, const QPalette& palette);

} // namespace OleColor
