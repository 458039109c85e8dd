#pragma once
// Where each part of the calendar control stands, in twips (15 per pixel at
// 96 dpi), and which part lies under a point.
#include "CalvendraExport.h"

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QRectF>

class CALVENDRA_EXPORT CalvendraLayout {
public:
    static constexpr int Width = 2850;
    static constexpr int Height = 2655;
    static constexpr int TwipsPerPixel = 15;

    enum class Part { None, PreviousButton, NextButton, Caption, CaptionBar, Heading, WeekNumber, Cell, TodayLabel, TodayLegend };
    struct Hit {
        Part part = Part::None;
        int index = -1; // cell 0..41, column 0..6 or row 0..5
        bool operator==(const Hit&) const = default;
    };

    static QRect captionBar();
    static QRect previousButton();
    static QRect nextButton();
    static QRect caption();
    static QRect heading(int column, bool weekNumbers);
    static QRect weekLabel(int row);
    static QRect cell(int index, bool weekNumbers);
    static QLine headingLine(bool weekNumbers);
    static QLine weekLine();
    static QRect todayLabel();
    static QRect todayLegend();

    // The topmost part under a point given in twips.
    static Hit hitTest(const QPoint& twips, bool weekNumbers, bool showToday);

    static QRectF toPixels(const QRect& twips);
    static QPointF toPixels(const QPoint& twips);
    static QPoint toTwips(const QPointF& pixels);
};
