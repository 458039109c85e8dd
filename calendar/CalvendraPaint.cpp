// Drawing of the calendar control. Everything shown comes from the state and
// the layout; nothing here changes either.
#include "Calvendra.h"

#include "OleColor.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <qdrawutil.h>

using Layout = CalvendraLayout;
using Part = CalvendraLayout::Part;

namespace {
QRectF px(const QRect& twips)
{
    return Layout::toPixels(twips);
}

QLineF px(const QLine& twips)
{
    return QLineF(Layout::toPixels(twips.p1()), Layout::toPixels(twips.p2()));
}

// An outline drawn just inside the rectangle.
void drawOutline(QPainter& painter, const QRectF& rect, const QColor& color)
{
    painter.save();
    painter.setPen(QPen(color, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.toRect().adjusted(0, 0, -1, -1));
    painter.restore();
}
// The font, scaled down until the widest text fits the width (in pixels).
QFont fitted(QFont font, const QStringList& texts, qreal width)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QFontMetricsF metrics(font);
        qreal widest = 0;
        for (const QString& text : texts)
            widest = qMax(widest, metrics.horizontalAdvance(text));
        if (widest <= width)
            break;
        const qreal scale = width / widest;
        if (font.pointSizeF() > 0) {
            if (font.pointSizeF() <= 4)
                break;
            font.setPointSizeF(qMax(4.0, font.pointSizeF() * scale - 0.25));
        } else {
            if (font.pixelSize() <= 5)
                break;
            font.setPixelSize(qMax(5, int(font.pixelSize() * scale)));
        }
    }
    return font;
}
} // namespace

QFont Calvendra::headingFont() const
{
    // Headings stand closer together while the week numbers are shown.
    const qreal pitch = (Layout::heading(1, m_showWeekNumbers).x() - Layout::heading(0, m_showWeekNumbers).x())
        / double(Layout::TwipsPerPixel);
    const qreal width = qMin(pitch, Layout::heading(0, m_showWeekNumbers).width() / double(Layout::TwipsPerPixel)) - 1;
    return fitted(m_cellFont, QStringList(m_headings.begin(), m_headings.end()), width);
}

void Calvendra::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), resolvedColor(BackColorRole));
    paintCaption(painter);
    paintGrid(painter);
    paintToday(painter);
    paintFrame(painter);
}

void Calvendra::paintCaption(QPainter& painter) const
{
    painter.fillRect(px(Layout::captionBar()), resolvedColor(TopBackColorRole));
    painter.setFont(m_boldFont);
    painter.setPen(resolvedColor(TopForeColorRole));
    painter.drawText(px(Layout::caption()), Qt::AlignCenter | Qt::TextSingleLine, m_caption);
    paintArrowButton(painter, true);
    paintArrowButton(painter, false);
}

void Calvendra::paintArrowButton(QPainter& painter, bool previous) const
{
    const Part part = previous ? Part::PreviousButton : Part::NextButton;
    const bool enabled = previous ? previousButtonEnabled() : nextButtonEnabled();
    const bool sunken = enabled && m_pressed.part == part;
    const QRect button = px(previous ? Layout::previousButton() : Layout::nextButton()).toRect();

    // The buttons keep the highlight colour whatever the control's colours are.
    const QBrush face(OleColor::toQColor(OleColor::Highlight, palette()));
    qDrawWinButton(&painter, button, palette(), sunken, &face);

    // A filled triangle 9 pixels high, pointing the way the month moves.
    const QPointF centre = QRectF(button).center() + (sunken ? QPointF(1, 1) : QPointF(0, 0));
    const qreal half = 4.5;
    const qreal depth = 5;
    QPainterPath arrow;
    if (previous) {
        arrow.moveTo(centre.x() - depth / 2, centre.y());
        arrow.lineTo(centre.x() + depth / 2, centre.y() - half);
        arrow.lineTo(centre.x() + depth / 2, centre.y() + half);
    } else {
        arrow.moveTo(centre.x() + depth / 2, centre.y());
        arrow.lineTo(centre.x() - depth / 2, centre.y() - half);
        arrow.lineTo(centre.x() - depth / 2, centre.y() + half);
    }
    arrow.closeSubpath();
    const QColor glyph = enabled ? OleColor::toQColor(OleColor::HighlightText, palette())
                                 : palette().color(QPalette::Disabled, QPalette::ButtonText);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glyph);
    painter.drawPath(arrow);
    painter.restore();
}

void Calvendra::paintGrid(QPainter& painter) const
{
    painter.setFont(headingFont());
    painter.setPen(resolvedColor(DaysColorRole));
    for (int column = 0; column < MonthGrid::Columns; ++column)
        painter.drawText(px(Layout::heading(column, m_showWeekNumbers)), Qt::AlignCenter | Qt::TextSingleLine, m_headings[column]);

    painter.setFont(m_cellFont);
    const QColor lineColor = resolvedColor(LineColorRole);
    painter.setPen(QPen(lineColor, 1));
    painter.drawLine(px(Layout::headingLine(m_showWeekNumbers)));
    if (m_showWeekNumbers) {
        painter.drawLine(px(Layout::weekLine()));
        painter.setPen(resolvedColor(DaysColorRole));
        for (int row = 0; row < MonthGrid::Rows; ++row)
            painter.drawText(px(Layout::weekLabel(row)), Qt::AlignCenter | Qt::TextSingleLine,
                             QString::number(m_state.weekNumberOfRow(row)));
    }

    const int selected = m_state.selectedCell();
    const QColor back = resolvedColor(BackColorRole);
    const QColor fore = resolvedColor(ForeColorRole);
    const QColor grey = resolvedColor(DisabledColorRole);
    const QColor highlightBack = resolvedColor(HighlightBackColorRole);
    const QColor highlightFore = resolvedColor(HighlightForeColorRole);
    for (int index = 0; index < MonthGrid::CellCount; ++index) {
        const CalendarCell cell = m_state.cell(index);
        const QRectF rect = px(Layout::cell(index, m_showWeekNumbers));
        const bool isSelected = index == selected;
        // A grey day keeps its grey number, also on the highlight.
        painter.fillRect(rect, isSelected ? highlightBack : back);
        painter.setPen(cell.grey() ? grey : (isSelected ? highlightFore : fore));
        painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, QString::number(cell.day()));
    }

    const int today = m_state.todayCell();
    if (today >= 0)
        drawOutline(painter, px(Layout::cell(today, m_showWeekNumbers)), resolvedColor(TodayRectColorRole));
}

void Calvendra::paintToday(QPainter& painter) const
{
    if (!m_showToday)
        return;
    drawOutline(painter, px(Layout::todayLegend()), resolvedColor(TodayRectColorRole));
    painter.setFont(m_boldFont);
    painter.setPen(resolvedColor(TodayForeColorRole));
    painter.drawText(px(Layout::todayLabel()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_todayText);
}

void Calvendra::paintFrame(QPainter& painter) const
{
    if (!m_border)
        return;
    if (m_appearance3D) {
        qDrawWinPanel(&painter, rect(), palette(), true, nullptr);
        return;
    }
    drawOutline(painter, QRectF(rect()), palette().color(QPalette::WindowText));
}
