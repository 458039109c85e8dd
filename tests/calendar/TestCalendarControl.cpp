// The calendar control as the host and the user see it: properties, signals,
// clicks, keys and the colours it paints.
#include "Calvendra.h"
#include "CalvendraSeams.h"
#include "OleColor.h"

#include <QSignalSpy>
#include <QtTest>

using Part = CalvendraLayout::Part;

class TestCalendarControl : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsOnTodayAndKeepsItsSize();
    void headingsFollowTheLocaleWeek_data();
    void headingsFollowTheLocaleWeek();
    void nextArrowThroughLeapYearReportsOnce_data();
    void nextArrowThroughLeapYearReportsOnce();
    void arrowHeldBackAtLimitEvenWhenEnabledAgain();
    void settersRaiseNoDateClick_data();
    void settersRaiseNoDateClick();
    void refusedValuesChangeNothing_data();
    void refusedValuesChangeNothing();
    void cellClicks_data();
    void cellClicks();
    void keyboardNavigationAcrossMonths_data();
    void keyboardNavigationAcrossMonths();
    void doubleClickReportsSelectedDate();
    void captionClickRaisesTopClick();
    void headingAndMonthNames();
    void headingsFitTheirColumns_data();
    void headingsFitTheirColumns();
    void aboutShowsProductAndVersion();
    void paintsBackgroundColours();

private:
    QStringList m_messages;
};

namespace {
QPoint centreOf(const Calvendra& calendar, Part part, int index = -1)
{
    return calendar.partRect(part, index).center();
}

QColor pixelInside(Calvendra& calendar, Part part, int index = -1)
{
    const QImage image = calendar.grab().toImage();
    const QRect rect = calendar.partRect(part, index);
    return image.pixelColor(rect.topLeft() + QPoint(2, 2));
}
} // namespace

void TestCalendarControl::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Catalan, QLocale::Spain));
}

void TestCalendarControl::init()
{
    QLocale::setDefault(QLocale(QLocale::Catalan, QLocale::Spain));
    CalvendraClock::setTodayProvider([] { return QDate(2010, 2, 17); });
    m_messages.clear();
    CalvendraMessageBox::setHook([this](const QString& title, const QString& text) { m_messages << title << text; });
}

void TestCalendarControl::cleanup()
{
    CalvendraClock::resetTodayProvider();
    CalvendraMessageBox::resetHook();
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(" | ")));
}

void TestCalendarControl::startsOnTodayAndKeepsItsSize()
{
    Calvendra calendar;
    QCOMPARE(calendar.dateValue(), QDate(2010, 2, 17));
    QCOMPARE(calendar.state().selectedCell(), 16);
    QCOMPARE(calendar.state().todayCell(), 16);
    QCOMPARE(calendar.captionText(), calendar.MonthNames(2) + ", 2010");
    QCOMPARE(calendar.todayText(), QLocale().toString(QDate(2010, 2, 17), QLocale::ShortFormat));
    QCOMPARE(calendar.minDate(), QDate(1753, 1, 1));
    QCOMPARE(calendar.maxDate(), QDate(9999, 12, 31));
    QVERIFY(calendar.showToday() && calendar.appearance3D() && calendar.border() && calendar.enabledValue());
    QVERIFY(!calendar.showWeekNumbers());
    QCOMPARE(calendar.todayRectColor(), quint32(255));
    QCOMPARE(calendar.backColor(), quint32(0x80000005));
    calendar.resize(400, 300);
    QCOMPARE(calendar.size(), QSize(190, 177));
}

void TestCalendarControl::headingsFollowTheLocaleWeek_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("firstDay");
    QTest::addColumn<int>("firstCell"); // of February 2010
    QTest::newRow("Catalan, Monday first") << QLocale(QLocale::Catalan, QLocale::Spain) << int(Qt::Monday) << 0;
    QTest::newRow("US English, Sunday first") << QLocale(QLocale::English, QLocale::UnitedStates) << int(Qt::Sunday) << 1;
}

void TestCalendarControl::headingsFollowTheLocaleWeek()
{
    QFETCH(QLocale, locale);
    QFETCH(int, firstDay);
    QFETCH(int, firstCell);
    QLocale::setDefault(locale);
    Calvendra calendar;
    QCOMPARE(int(calendar.state().firstDayOfWeek()), firstDay);
    QCOMPARE(calendar.WeekDayShortName(1), locale.dayName(firstDay, QLocale::ShortFormat));
    QCOMPARE(calendar.state().grid().firstDayCell(), firstCell);
    QCOMPARE(calendar.MonthNames(2), locale.standaloneMonthName(2));
}

void TestCalendarControl::nextArrowThroughLeapYearReportsOnce_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::newRow("31 January 2008 -> 29 February") << QDate(2008, 1, 31) << QDate(2008, 2, 29);
    QTest::newRow("31 January 2010 -> 28 February") << QDate(2010, 1, 31) << QDate(2010, 2, 28);
    QTest::newRow("29 February 2008 -> 29 March") << QDate(2008, 2, 29) << QDate(2008, 3, 29);
}

void TestCalendarControl::nextArrowThroughLeapYearReportsOnce()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    Calvendra calendar;
    calendar.setDateValue(from);
    QSignalSpy clicks(&calendar, &Calvendra::DateClick);
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, centreOf(calendar, Part::NextButton));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).toDate(), to);
    QCOMPARE(calendar.dateValue(), to);
    QCOMPARE(calendar.captionText(), calendar.MonthNames(to.month()) + ", " + QString::number(to.year()));
}

void TestCalendarControl::arrowHeldBackAtLimitEvenWhenEnabledAgain()
{
    Calvendra calendar;
    calendar.setDateValue(QDate(2009, 6, 15));
    calendar.setMinDate(QDate(2009, 6, 10));
    QSignalSpy clicks(&calendar, &Calvendra::DateClick);
    QVERIFY(!calendar.previousButtonEnabled());
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, centreOf(calendar, Part::PreviousButton));
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(calendar.dateValue(), QDate(2009, 6, 15));

    calendar.setEnabledValue(false);
    QVERIFY(!calendar.nextButtonEnabled());
    calendar.setEnabledValue(true);
    QVERIFY(!calendar.previousButtonEnabled());
    QVERIFY(calendar.nextButtonEnabled());

    // A month later the days are judged afresh: nothing in July is unselectable.
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, centreOf(calendar, Part::NextButton));
    QCOMPARE(clicks.count(), 1);
    QVERIFY(calendar.previousButtonEnabled());
    for (int index = 0; index < 42; ++index)
        QVERIFY(!calendar.state().cell(index).unselectable);
}

void TestCalendarControl::settersRaiseNoDateClick_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("changesDate");
    for (int role = 0; role < Calvendra::ColorRoleCount; ++role)
        QTest::newRow(qPrintable(Calvendra::colorName(Calvendra::ColorRole(role))))
            << Calvendra::colorName(Calvendra::ColorRole(role)) << QVariant::fromValue(quint32(0x00336699)) << false;
    QTest::newRow("ShowWeeknumbers") << "ShowWeeknumbers" << QVariant(true) << false;
    QTest::newRow("ShowToday") << "ShowToday" << QVariant(false) << false;
    QTest::newRow("Appearance3D") << "Appearance3D" << QVariant(false) << false;
    QTest::newRow("Border") << "Border" << QVariant(false) << false;
    QTest::newRow("Enabled") << "Enabled" << QVariant(false) << false;
    QTest::newRow("Font") << "Font" << QVariant(QFont("Serif", 12)) << false;
    QTest::newRow("MinDate") << "MinDate" << QVariant(QDate(2010, 2, 20)) << false;
    QTest::newRow("MaxDate") << "MaxDate" << QVariant(QDate(2010, 2, 10)) << false;
    QTest::newRow("DateValue") << "DateValue" << QVariant(QDate(2011, 5, 3)) << true;
    QTest::newRow("YearValue") << "YearValue" << QVariant(2012) << true;
    QTest::newRow("MonthValue") << "MonthValue" << QVariant(7) << true;
    QTest::newRow("DayValue") << "DayValue" << QVariant(3) << true;
}

void TestCalendarControl::settersRaiseNoDateClick()
{
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    QFETCH(bool, changesDate);
    Calvendra calendar;
    QSignalSpy clicks(&calendar, &Calvendra::DateClick);
    QSignalSpy changed(&calendar, &Calvendra::propertyChanged);
    QVERIFY(calendar.setProperty(property.toLatin1().constData(), value));
    QCOMPARE(calendar.property(property.toLatin1().constData()), value);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), property);
    if (!changesDate)
        QCOMPARE(calendar.dateValue(), QDate(2010, 2, 17));
    QVERIFY(calendar.lastError().isEmpty());
}

void TestCalendarControl::refusedValuesChangeNothing_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("month 13") << "MonthValue" << QVariant(13);
    QTest::newRow("day past the month's end") << "DayValue" << QVariant(30);
    QTest::newRow("year 0") << "YearValue" << QVariant(0);
    QTest::newRow("MinDate after MaxDate") << "MinDate" << QVariant(QDate(2011, 1, 1));
    QTest::newRow("MaxDate before MinDate") << "MaxDate" << QVariant(QDate(2009, 1, 1));
    QTest::newRow("invalid date") << "DateValue" << QVariant(QDate());
    QTest::newRow("colour that is neither RGB nor system") << "ForeColor" << QVariant::fromValue(quint32(0x7F000000));
}

void TestCalendarControl::refusedValuesChangeNothing()
{
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    Calvendra calendar;
    calendar.setMinDate(QDate(2010, 1, 1));
    calendar.setMaxDate(QDate(2010, 12, 31));
    const QByteArray propertyName = property.toLatin1();
    const QVariant before = calendar.property(propertyName.constData());
    QSignalSpy clicks(&calendar, &Calvendra::DateClick);
    QSignalSpy changed(&calendar, &Calvendra::propertyChanged);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Calvendra: " + property));
    calendar.setProperty(propertyName.constData(), value);
    QCOMPARE(calendar.property(propertyName.constData()), before);
    QCOMPARE(calendar.dateValue(), QDate(2010, 2, 17));
    QCOMPARE(calendar.minDate(), QDate(2010, 1, 1));
    QCOMPARE(calendar.maxDate(), QDate(2010, 12, 31));
    QVERIFY(calendar.lastError().startsWith(property));
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(changed.count(), 0);
}

void TestCalendarControl::cellClicks_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QDate>("expected"); // invalid: nothing reported
    // February 2010, Monday first, MinDate 10 February: cell 0 is the 1st.
    QTest::newRow("day of the month") << 20 << QDate(2010, 2, 21);
    QTest::newRow("unselectable day before MinDate") << 5 << QDate();
    QTest::newRow("grey day of March") << 29 << QDate(2010, 3, 2);
    QTest::newRow("already selected day is reported again") << 16 << QDate(2010, 2, 17);
}

void TestCalendarControl::cellClicks()
{
    QFETCH(int, cell);
    QFETCH(QDate, expected);
    Calvendra calendar;
    calendar.setMinDate(QDate(2010, 2, 10));
    QSignalSpy clicks(&calendar, &Calvendra::DateClick);
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, centreOf(calendar, Part::Cell, cell));
    if (!expected.isValid()) {
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(calendar.dateValue(), QDate(2010, 2, 17));
        return;
    }
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).toDate(), expected);
    QCOMPARE(calendar.dateValue(), expected);
}

void TestCalendarControl::keyboardNavigationAcrossMonths_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QDate>("to"); // invalid: nothing reported
    QTest::newRow("down from the last row") << QDate(2010, 2, 24) << int(Qt::Key_Down) << QDate(2010, 3, 3);
    QTest::newRow("up from the first row") << QDate(2010, 2, 4) << int(Qt::Key_Up) << QDate(2010, 1, 28);
    QTest::newRow("left from the 1st") << QDate(2010, 2, 1) << int(Qt::Key_Left) << QDate(2010, 1, 31);
    QTest::newRow("right from the last day") << QDate(2010, 2, 28) << int(Qt::Key_Right) << QDate(2010, 3, 1);
    QTest::newRow("other key reports again") << QDate(2010, 2, 10) << int(Qt::Key_A) << QDate(2010, 2, 10);
    QTest::newRow("modifier alone reports nothing") << QDate(2010, 2, 10) << int(Qt::Key_Shift) << QDate();
}

void TestCalendarControl::keyboardNavigationAcrossMonths()
{
    QFETCH(QDate, from);
    QFETCH(int, key);
    QFETCH(QDate, to);
    Calvendra calendar;
    calendar.setDateValue(from);
    QSignalSpy clicks(&calendar, &Calvendra::DateClick);
    QTest::keyClick(&calendar, Qt::Key(key));
    if (!to.isValid()) {
        QCOMPARE(clicks.count(), 0);
        return;
    }
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).toDate(), to);
    QCOMPARE(calendar.dateValue(), to);
    QVERIFY(calendar.state().grid().isShownMonth(calendar.state().selectedCell()));
}

void TestCalendarControl::doubleClickReportsSelectedDate()
{
    Calvendra calendar;
    QSignalSpy clicks(&calendar, &Calvendra::DateClick);
    QSignalSpy doubleClicks(&calendar, &Calvendra::DateDblClick);
    const QPoint cell = centreOf(calendar, Part::Cell, 9);
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, cell);
    QTest::mouseDClick(&calendar, Qt::LeftButton, {}, cell);
    QTest::mouseRelease(&calendar, Qt::LeftButton, {}, cell);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(doubleClicks.count(), 1);
    QCOMPARE(doubleClicks.at(0).at(0).toDate(), QDate(2010, 2, 10));
}

void TestCalendarControl::captionClickRaisesTopClick()
{
    Calvendra calendar;
    QSignalSpy top(&calendar, &Calvendra::TopClick);
    QSignalSpy clicks(&calendar, &Calvendra::DateClick);
    QSignalSpy today(&calendar, &Calvendra::TodayClick);
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, centreOf(calendar, Part::Caption));
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, QPoint(100, 30)); // caption bar below the caption
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, centreOf(calendar, Part::TodayLabel));
    QCOMPARE(top.count(), 2);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(today.count(), 0);
}

void TestCalendarControl::headingAndMonthNames()
{
    Calvendra calendar;
    const QString third = calendar.WeekDayShortName(3);
    calendar.setWeekDayShortName(3, "Mercredi");
    QCOMPARE(calendar.WeekDayShortName(3), QString("Mer"));
    calendar.setWeekDayShortName(8, "Huitième");
    calendar.setWeekDayShortName(2, "");
    QCOMPARE(calendar.WeekDayShortName(8), QString());
    QVERIFY(!calendar.WeekDayShortName(2).isEmpty());
    QVERIFY(third != "Mer");

    calendar.setDateValue(QDate(2010, 5, 12));
    const QString caption = calendar.captionText();
    calendar.setMonthNames(5, "Floreal");
    calendar.setMonthNames(13, "Nope");
    calendar.setMonthNames(6, "");
    QCOMPARE(calendar.MonthNames(5), QString("Floreal"));
    QCOMPARE(calendar.MonthNames(13), QString());
    QVERIFY(!calendar.MonthNames(6).isEmpty());
    QCOMPARE(calendar.captionText(), caption);
    calendar.setDateValue(QDate(2010, 5, 13));
    QCOMPARE(calendar.captionText(), QString("Floreal, 2010"));
}

void TestCalendarControl::headingsFitTheirColumns_data()
{
    QTest::addColumn<bool>("weekNumbers");
    QTest::addColumn<qreal>("pointSize");
    QTest::newRow("default font") << false << 8.25;
    QTest::newRow("default font, week numbers") << true << 8.25;
    QTest::newRow("large font, week numbers") << true << 16.0;
}

void TestCalendarControl::headingsFitTheirColumns()
{
    // Three-letter English names are wider than the Catalan ones; neighbours must not run together.
    QFETCH(bool, weekNumbers);
    QFETCH(qreal, pointSize);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Calvendra calendar;
    QFont font = calendar.cellFont();
    font.setPointSizeF(pointSize);
    calendar.setCellFont(font);
    calendar.setShowWeekNumbers(weekNumbers);
    calendar.setWeekDayShortName(4, "WWW");
    const qreal pitch = calendar.partRect(Part::Heading, 1).left() - calendar.partRect(Part::Heading, 0).left();
    const QFontMetricsF metrics(calendar.headingFont());
    for (int dow = 1; dow <= 7; ++dow)
        QVERIFY2(metrics.horizontalAdvance(calendar.WeekDayShortName(dow)) <= pitch,
                 qPrintable(calendar.WeekDayShortName(dow)));
    QCOMPARE(calendar.cellFont().pointSizeF(), pointSize);
}

void TestCalendarControl::aboutShowsProductAndVersion()
{
    Calvendra calendar;
    QVERIFY(QMetaObject::invokeMethod(&calendar, "About"));
    QCOMPARE(m_messages.size(), 2);
    QCOMPARE(m_messages.at(0), QString("About Calvendra"));
    QVERIFY(m_messages.at(1).startsWith("Calvendra 4.0.0\n"));
    m_messages.clear();
}

void TestCalendarControl::paintsBackgroundColours()
{
    Calvendra calendar;
    QPalette palette = calendar.palette();
    palette.setColor(QPalette::Active, QPalette::Base, QColor(10, 20, 30));
    palette.setColor(QPalette::Inactive, QPalette::Base, QColor(10, 20, 30));
    calendar.setPalette(palette);
    // The system window colour by default, taken from the palette.
    QCOMPARE(pixelInside(calendar, Part::Cell, 3), QColor(10, 20, 30));

    calendar.setBackColor(OleColor::rgb(0, 255, 0));
    calendar.setHighlightBackColor(0x00FF0000); // blue, stored as 0x00BBGGRR
    calendar.setTopBackColor(OleColor::rgb(255, 255, 0));
    QCOMPARE(pixelInside(calendar, Part::Cell, 3), QColor(0, 255, 0));
    QCOMPARE(pixelInside(calendar, Part::Cell, 16), QColor(0, 0, 255));
    QCOMPARE(pixelInside(calendar, Part::CaptionBar), QColor(255, 255, 0));
    QCOMPARE(calendar.highlightBackColor(), quint32(0x00FF0000));
}

QTEST_MAIN(TestCalendarControl)
#include "TestCalendarControl.moc"
