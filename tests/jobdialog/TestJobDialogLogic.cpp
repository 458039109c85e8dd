// The job dialog's arithmetic: the slots of a day with the stored job's
// selections.
#include "CalculsFeina.h"

#include <QtTest>

class TestJobDialogLogic : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QStringLiteral("ca_ES"))); }

    void slotsAndSelections_data()
    {
        QTest::addColumn<QString>("horaInici");
        QTest::addColumn<int>("minutsCella");
        QTest::addColumn<int>("celles");
        QTest::addColumn<QString>("inici");
        QTest::addColumn<QString>("fi");
        QTest::addColumn<QString>("extrems");  // first start, last start, first end, last end
        QTest::addColumn<QString>("triats");   // selected start | selected end, "-" = none
        QTest::newRow("whole day, 10:15-11:10") << "00:00" << 30 << 48 << "10:15" << "11:10"
                                                << "00:00 23:30 00:30 24:00" << "10:00|11:00";
        QTest::newRow("end at midnight") << "00:00" << 30 << 48 << "23:30" << "24:00"
                                         << "00:00 23:30 00:30 24:00" << "23:30|24:00";
        QTest::newRow("start before the first slot") << "08:00" << 30 << 24 << "07:00" << "09:00"
                                                     << "08:00 19:30 08:30 20:00" << "-|09:00";
        QTest::newRow("end before the first end") << "08:00" << 30 << 24 << "08:00" << "08:15"
                                                  << "08:00 19:30 08:30 20:00" << "08:00|-";
        QTest::newRow("end 24:00 in a day ending 20:00") << "08:00" << 30 << 24 << "19:30" << "24:00"
                                                         << "08:00 19:30 08:30 20:00" << "19:30|20:00";
        QTest::newRow("no stored times") << "00:00" << 30 << 48 << "" << "" << "00:00 23:30 00:30 24:00" << "-|-";
    }

    void slotsAndSelections()
    {
        QFETCH(QString, horaInici);
        QFETCH(int, minutsCella);
        QFETCH(int, celles);
        QFETCH(QString, inici);
        QFETCH(QString, fi);
        QFETCH(QString, extrems);
        QFETCH(QString, triats);
        const TramsDia t = Trams_Dia(horaInici, minutsCella, celles, inici, fi);
        QCOMPARE(t.inicis.size(), celles);
        QCOMPARE(t.finals.size(), celles);
        for (int k = 0; k + 1 < celles; ++k) QCOMPARE(t.finals.at(k), t.inicis.at(k + 1));
        QCOMPARE(QStringList({t.inicis.first(), t.inicis.last(), t.finals.first(), t.finals.last()}).join(u' '), extrems);
        const QString triat = (t.inici < 0 ? QStringLiteral("-") : t.inicis.at(t.inici)) + u'|'
                              + (t.fi < 0 ? QStringLiteral("-") : t.finals.at(t.fi));
        QCOMPARE(triat, triats);
    }
};

QTEST_GUILESS_MAIN(TestJobDialogLogic)
#include "TestJobDialogLogic.moc"
