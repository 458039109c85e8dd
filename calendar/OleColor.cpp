#include "OleColor.h"

namespace OleColor {

namespace {
constexpr quint32 SystemColorCount = 31;

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The palette role nearest to each system colour index.
constexpr SystemRole systemRoles[SystemColorCount] = {
    {QPalette::Active, QPalette::Button},          // scroll bar
    {QPalette::Active, QPalette::Window},          // desktop
    {QPalette::Active, QPalette::Highlight},       // active caption
    {QPalette::Inactive, QPalette::Mid},           // inactive caption
    {QPalette::Active, QPalette::Window},          // menu
    {QPalette::Active, QPalette::Base},            // window
    {QPalette::Active, QPalette::Shadow},          // window frame
    {QPalette::Active, QPalette::WindowText},      // menu text
    {QPalette::Active, QPalette::Text},            // window text
    {QPalette::Active, QPalette::HighlightedText}, // caption text
    {QPalette::Active, QPalette::Mid},             // active border
    {QPalette::Inactive, QPalette::Mid},           // inactive border
    {QPalette::Active, QPalette::Mid},             // application workspace
    {QPalette::Active, QPalette::Highlight},       // highlight
    {QPalette::Active, QPalette::HighlightedText}, // highlight text
    {QPalette::Active, QPalette::Button},          // button face
    {QPalette::Active, QPalette::Dark},            // button shadow
    {QPalette::Disabled, QPalette::Text},          // grey text
    {QPalette::Active, QPalette::ButtonText},      // button text
    {QPalette::Disabled, QPalette::WindowText},    // inactive caption text
    {QPalette::Active, QPalette::Light},           // button highlight
    {QPalette::Active, QPalette::Shadow},          // 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 3-D light
    {QPalette::Active, QPalette::ToolTipText},     // tooltip text
    {QPalette::Active, QPalette::ToolTipBase},     // tooltip background
    {QPalette::Active, QPalette::Window},          // (unused index)
    {QPalette::Active, QPalette::Link},            // hot-tracked item
    {QPalette::Active, QPalette::Highlight},       // active caption gradient
    {QPalette::Inactive, QPalette::Mid},           // inactive caption gradient
    {QPalette::Active, QPalette::Highlight},       // menu highlight
    {QPalette::Active, QPalette::Window},          // menu bar
};
} // namespace

bool isValid(quint64 value)
{
    if (value > 0xFFFFFFFFu)
        return false;
    if (value & SystemFlag)
        return (value & 0x7FFFFF00u) == 0 && (value & 0xFFu) < SystemColorCount;
    return (value & 0xFF000000u) == 0;
}

QColor toQColor(quint32 value, const QPalette& palette)
{
    if (value & SystemFlag) {
        const quint32 index = value & 0xFFu;
        if (!isValid(value))
            return palette.color(QPalette::Active, QPalette::WindowText);
        return palette.color(systemRoles[index].group, systemRoles[index].role);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace OleColor
