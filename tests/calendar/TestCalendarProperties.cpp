// Saving and loading the calendar control's stored properties.
#include "Calvendra.h"
#include "CalvendraSeams.h"
#include "PropertyBag.h"

#include <QSignalSpy>
#include <QtTest>

class TestCalendarProperties : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void bagMatchesNamesWithoutCaseAndDropsDefaults();
    void savedPropertiesRoundTrip();
    void trueSwitchesAreNotStored();
    void emptySetGivesStartUpValuesWithoutSwitches();
    void readsLowerCaseHostData();
    void refusesBadStoredValues_data();
    void refusesBadStoredValues();
};

void TestCalendarProperties::init()
{
    QLocale::setDefault(QLocale(QLocale::Catalan, QLocale::Spain));
    CalvendraClock::setTodayProvider([] { return QDate(2010, 2, 17); });
    CalvendraMessageBox::setHook([](const QString& title, const QString&) { QFAIL(qPrintable("unexpected message box " + title)); });
}

void TestCalendarProperties::cleanup()
{
    CalvendraClock::resetTodayProvider();
    CalvendraMessageBox::resetHook();
}

void TestCalendarProperties::bagMatchesNamesWithoutCaseAndDropsDefaults()
{
    VariantMapPropertyBag bag(QVariantMap {{"ShowToday", false}});
    QCOMPARE(bag.read("showtoday", true), QVariant(false));
    QCOMPARE(bag.read("SHOWTODAY", true), QVariant(false));
    QCOMPARE(bag.read("Missing", 7), QVariant(7));
    bag.write("Border", true, true);
    QVERIFY(!bag.contains("border"));
    bag.write("Border", false, true);
    QCOMPARE(bag.values().value("border"), QVariant(false));
    // Writing the default again removes the stored value.
    bag.write("BORDER", true, true);
    QVERIFY(!bag.contains("Border"));
    bag.write("YearValue", 2010);
    QCOMPARE(bag.read("yearvalue"), QVariant(2010));
}

void TestCalendarProperties::savedPropertiesRoundTrip()
{
    Calvendra source;
    source.setMinDate(QDate(2001, 3, 4));
    source.setMaxDate(QDate(2030, 5, 6));
    source.setDateValue(QDate(2012, 11, 23));
    source.setShowWeekNumbers(true);
    source.setShowToday(true);
    source.setAppearance3D(false);
    source.setBorder(false);
    source.setEnabledValue(false);
    source.setCellFont(QFont("Serif", 11));
    for (int role = 0; role < Calvendra::ColorRoleCount; ++role)
        source.setColor(Calvendra::ColorRole(role), role % 2 ? 0x00102030u + role : 0x80000000u + role);

    VariantMapPropertyBag bag;
    source.saveProperties(bag);
    QCOMPARE(bag.read("DateValue"), QVariant(QDate(2012, 11, 23)));
    QVERIFY(bag.contains("showweeknumbers"));

    Calvendra target;
    QSignalSpy clicks(&target, &Calvendra::DateClick);
    QSignalSpy changed(&target, &Calvendra::propertyChanged);
    QCOMPARE(target.loadProperties(bag), QStringList());
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(changed.count(), 0);

    const QMetaObject* meta = &Calvendra::staticMetaObject;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        QCOMPARE(property.read(&target), property.read(&source));
    }
    QVERIFY(!target.isEnabled());
}

void TestCalendarProperties::trueSwitchesAreNotStored()
{
    Calvendra calendar;
    VariantMapPropertyBag bag;
    calendar.saveProperties(bag);
    for (const char* name : {"Appearance3D", "Enabled", "Border"})
        QVERIFY2(!bag.contains(name), name);
    QCOMPARE(bag.read("ShowToday"), QVariant(true));
    QVERIFY(!bag.contains("ShowWeekNumbers"));
    for (const char* name : {"MinDate", "MaxDate", "DateValue", "DayValue", "MonthValue", "YearValue", "Font", "ForeColor", "TodayRectColor"})
        QVERIFY2(bag.contains(name), name);
}

void TestCalendarProperties::emptySetGivesStartUpValuesWithoutSwitches()
{
    Calvendra calendar;
    calendar.setDateValue(QDate(2011, 7, 7));
    const VariantMapPropertyBag empty;
    QCOMPARE(calendar.loadProperties(empty), QStringList());
    QCOMPARE(calendar.dateValue(), QDate(2010, 2, 17));
    QVERIFY(!calendar.showToday());
    QVERIFY(!calendar.showWeekNumbers());
    QVERIFY(calendar.appearance3D() && calendar.border() && calendar.enabledValue());
    QCOMPARE(calendar.minDate(), QDate(1753, 1, 1));
    QCOMPARE(calendar.maxDate(), QDate(9999, 12, 31));
}

void TestCalendarProperties::readsLowerCaseHostData()
{
    const VariantMapPropertyBag bag(QVariantMap {
        {"mindate", "2009-06-10"},
        {"dayvalue", 5},
        {"monthvalue", 7},
        {"yearvalue", 2009},
        {"showtoday", false},
        {"showweeknumbers", false},
        {"todayrectcolor", 255},
        {"backcolor", qint64(qint32(0x80000005))}, // a signed 32-bit store
        {"appearance3d", "False"},
    });
    Calvendra calendar;
    QCOMPARE(calendar.loadProperties(bag), QStringList());
    QCOMPARE(calendar.minDate(), QDate(2009, 6, 10));
    QCOMPARE(calendar.dateValue(), QDate(2009, 7, 5));
    QCOMPARE(calendar.backColor(), quint32(0x80000005));
    QCOMPARE(calendar.todayRectColor(), quint32(255));
    QVERIFY(!calendar.appearance3D());
    QVERIFY(!calendar.showToday());
}

void TestCalendarProperties::refusesBadStoredValues_data()
{
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("month 13") << QVariantMap {{"monthvalue", 13}, {"dayvalue", 1}, {"yearvalue", 2011}} << "2011-13-1";
    QTest::newRow("31 April") << QVariantMap {{"monthvalue", 4}, {"dayvalue", 31}, {"yearvalue", 2011}} << "2011-4-31";
    QTest::newRow("year not a number") << QVariantMap {{"yearvalue", "soon"}} << "YearValue";
    QTest::newRow("MinDate after MaxDate") << QVariantMap {{"mindate", QDate(2012, 1, 1)}, {"maxdate", QDate(2011, 1, 1)}} << "MinDate";
    QTest::newRow("MinDate not a date") << QVariantMap {{"mindate", "yesterday"}} << "MinDate";
    QTest::newRow("colour out of range") << QVariantMap {{"forecolor", qint64(0x1FFFFFFFF)}} << "ForeColor";
    QTest::newRow("system colour index too large") << QVariantMap {{"linecolor", qint64(0x80000099)}} << "LineColor";
    QTest::newRow("switch not a Boolean") << QVariantMap {{"border", "maybe"}} << "Border";
    QTest::newRow("font not a font") << QVariantMap {{"font", QVariant(QDate(2010, 1, 1))}} << "Font";
}

void TestCalendarProperties::refusesBadStoredValues()
{
    QFETCH(QVariantMap, stored);
    QFETCH(QString, mentions);
    Calvendra calendar;
    calendar.setDateValue(QDate(2011, 3, 8));
    calendar.setMinDate(QDate(2000, 1, 1));
    calendar.setMaxDate(QDate(2020, 1, 1));
    calendar.setShowToday(false);
    const quint32 fore = calendar.foreColor();
    const quint32 line = calendar.lineColor();
    const QFont font = calendar.cellFont();

    QSignalSpy clicks(&calendar, &Calvendra::DateClick);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Calvendra: "));
    const QStringList errors = calendar.loadProperties(VariantMapPropertyBag(stored));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(mentions), qPrintable(errors.first()));
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(calendar.dateValue(), stored.contains("monthvalue") || stored.contains("yearvalue") ? QDate(2011, 3, 8) : QDate(2010, 2, 17));
    QCOMPARE(calendar.minDate(), QDate(2000, 1, 1));
    QCOMPARE(calendar.maxDate(), QDate(2020, 1, 1));
    QCOMPARE(calendar.foreColor(), fore);
    QCOMPARE(calendar.lineColor(), line);
    QCOMPARE(calendar.cellFont(), font);
    QVERIFY(calendar.border());
}

QTEST_MAIN(TestCalendarProperties)
#include "TestCalendarProperties.moc"
