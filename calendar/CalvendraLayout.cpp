#include "CalvendraLayout.h"

#include "MonthGrid.h"

namespace {
// Columns stand at 45 + 400 x c without week numbers and at 405 + 340 x c with
// them (the last column stays at 2445).
int columnLeft(int column, bool weekNumbers)
{
    return weekNumbers ? 405 + 340 * column : 45 + 400 * column;
}
constexpr int CellWidth = 345;
constexpr int CellHeight = 195;
constexpr int GridTop = 845;
constexpr int RowPitch = 245;
} // namespace

QRect CalvendraLayout::captionBar() { return QRect(0, 0, 3000, 495); }
QRect CalvendraLayout::previousButton() { return QRect(120, 120, 300, 255); }
QRect CalvendraLayout::nextButton() { return QRect(2400, 120, 300, 255); }
QRect CalvendraLayout::caption() { return QRect(480, 120, 1815, 255); }

QRect CalvendraLayout::heading(int column, bool weekNumbers)
{
    return QRect(columnLeft(column, weekNumbers), 540, CellWidth, 255);
}

QRect CalvendraLayout::weekLabel(int row)
{
    return QRect(45, GridTop + RowPitch * row, CellWidth, CellHeight);
}

QRect CalvendraLayout::cell(int index, bool weekNumbers)
{
    const int row = index / MonthGrid::Columns;
    const int column = index % MonthGrid::Columns;
    return QRect(columnLeft(column, weekNumbers), GridTop + RowPitch * row, CellWidth, CellHeight);
}

QLine CalvendraLayout::headingLine(bool weekNumbers)
{
    return QLine(columnLeft(0, weekNumbers), 800, 2750, 800);
}

QLine CalvendraLayout::weekLine()
{
    const QRect label = weekLabel(0);
    return QLine(label.x() + label.width(), GridTop, label.x() + label.width(), 2265);
}

QRect CalvendraLayout::todayLabel() { return QRect(960, 2325, 1815, 195); }
QRect CalvendraLayout::todayLegend() { return QRect(480, 2325, 345, 195); }

CalvendraLayout::Hit CalvendraLayout::hitTest(const QPoint& p, bool weekNumbers, bool showToday)
{
    if (p.x() < 0 || p.y() < 0 || p.x() >= Width || p.y() >= Height)
        return {};
    if (previousButton().contains(p))
        return {Part::PreviousButton, -1};
    if (nextButton().contains(p))
        return {Part::NextButton, -1};
    if (caption().contains(p))
        return {Part::Caption, -1};
    if (captionBar().contains(p))
        return {Part::CaptionBar, -1};
    // With week numbers the cells overlap by a few twips: the later cell is on top.
    for (int i = MonthGrid::CellCount - 1; i >= 0; --i) {
        if (cell(i, weekNumbers).contains(p))
            return {Part::Cell, i};
    }
    for (int c = MonthGrid::Columns - 1; c >= 0; --c) {
        if (heading(c, weekNumbers).contains(p))
            return {Part::Heading, c};
    }
    if (weekNumbers) {
        for (int r = 0; r < MonthGrid::Rows; ++r) {
            if (weekLabel(r).contains(p))
                return {Part::WeekNumber, r};
        }
    }
    if (showToday && todayLabel().contains(p))
        return {Part::TodayLabel, -1};
    if (showToday && todayLegend().contains(p))
        return {Part::TodayLegend, -1};
    return {};
}

QRectF CalvendraLayout::toPixels(const QRect& r)
{
    return QRectF(r.x() / double(TwipsPerPixel), r.y() / double(TwipsPerPixel),
                  r.width() / double(TwipsPerPixel), r.height() / double(TwipsPerPixel));
}

QPointF CalvendraLayout::toPixels(const QPoint& p)
{
    return QPointF(p.x() / double(TwipsPerPixel), p.y() / double(TwipsPerPixel));
}

QPoint CalvendraLayout::toTwips(const QPointF& p)
{
    return QPoint(qRound(p.x() * TwipsPerPixel), qRound(p.y() * TwipsPerPixel));
}
