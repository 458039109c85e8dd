// The job dialog's arithmetic: the slots of a day and the stored job's
// selections, the end of a job from its minutes, and amounts.
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
        QTest::newRow("on the slots") << "00:00" << 30 << 48 << "10:00" << "11:00"
                                      << "00:00 23:30 00:30 24:00" << "10:00|11:00";
        QTest::newRow("start before the first slot") << "08:00" << 30 << 24 << "07:00" << "09:00"
                                                     << "08:00 19:30 08:30 20:00" << "-|09:00";
        QTest::newRow("end before the first end") << "08:00" << 30 << 24 << "08:00" << "08:15"
                                                  << "08:00 19:30 08:30 20:00" << "08:00|-";
        QTest::newRow("end 24:00 in a day ending 20:00") << "08:00" << 30 << 24 << "19:30" << "24:00"
                                                         << "08:00 19:30 08:30 20:00" << "19:30|20:00";
        QTest::newRow("ten-minute cells") << "06:00" << 10 << 108 << "09:05" << "09:59"
                                          << "06:00 23:50 06:10 24:00" << "09:00|09:50";
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

    void endOfJob_data()
    {
        QTest::addColumn<QString>("inici");
        QTest::addColumn<int>("minuts");
        QTest::addColumn<QString>("horaFinal");
        QTest::addColumn<QString>("fi");
        QTest::addColumn<bool>("tallada");
        QTest::newRow("one cell") << "10:00" << 30 << "24:00" << "10:30" << false;
        QTest::newRow("wraps past midnight") << "23:30" << 60 << "24:00" << "24:00" << true;
        QTest::newRow("ends at midnight") << "23:00" << 60 << "24:00" << "24:00" << false;
        QTest::newRow("ends when the day ends") << "19:00" << 60 << "20:00" << "20:00" << false;
        QTest::newRow("after the day's end") << "19:00" << 120 << "20:00" << "20:00" << true;
        QTest::newRow("more than a day comes back after the start") << "10:00" << 1500 << "24:00" << "24:00" << true;
        QTest::newRow("32-bit minutes") << "10:00" << 100000 << "24:00" << "24:00" << true;
        QTest::newRow("before the start") << "10:00" << -30 << "24:00" << "24:00" << true;
        QTest::newRow("nothing") << "10:00" << 0 << "24:00" << "10:00" << false;
    }

    void endOfJob()
    {
        QFETCH(QString, inici);
        QFETCH(int, minuts);
        QFETCH(QString, horaFinal);
        QFETCH(QString, fi);
        QFETCH(bool, tallada);
        const FiFeina f = Fi_Feina(inici, minuts, horaFinal);
        QCOMPARE(f.hora, fi);
        QCOMPARE(f.tallada, tallada);
    }

    void firstEndFrom()
    {
        const QStringList finals = {"08:30", "09:00", "09:30", "24:00"};
        QCOMPARE(Primer_Tram_Des_De(finals, "08:00"), 0);
        QCOMPARE(Primer_Tram_Des_De(finals, "09:00"), 1);
        QCOMPARE(Primer_Tram_Des_De(finals, "09:10"), 2);
        QCOMPARE(Primer_Tram_Des_De(finals, "24:00"), 3);
        QCOMPARE(Primer_Tram_Des_De({"08:30", "20:00"}, "20:15"), -1);
    }

    void amounts_data()
    {
        QTest::addColumn<QStringList>("linies");   // "quantity x price"
        QTest::addColumn<QString>("text");         // "" = does not fit
        QTest::newRow("0,10 + 0,20") << QStringList{"1 x 0,10", "1 x 0,20"} << "0,30";
        QTest::newRow("half to even down") << QStringList{"1 x 0,125"} << "0,12";
        QTest::newRow("half to even up") << QStringList{"3 x 0,005"} << "0,02";
        QTest::newRow("rounding of the sum, not of each line") << QStringList{"1 x 0,004", "1 x 0,004"} << "0,01";
        QTest::newRow("thousands") << QStringList{"2,5 x 493,8"} << "1.234,50";
        QTest::newRow("millions") << QStringList{"1000 x 1234,567"} << "1.234.567,00";
        QTest::newRow("negative") << QStringList{"-1 x 1234,5"} << "-1.234,50";
        QTest::newRow("nothing") << QStringList{} << "0,00";
        QTest::newRow("tiny negative shows zero") << QStringList{"-1 x 0,004"} << "0,00";
        QTest::newRow("line too large") << QStringList{"900000000000 x 900000000000"} << "";
        QTest::newRow("sum too large") << QStringList{"900000000000000 x 1", "900000000000000 x 1"} << "";
    }

    void amounts()
    {
        QFETCH(QStringList, linies);
        QFETCH(QString, text);
        std::optional<Decimal> total = Decimal();
        for (const QString& l : linies) {
            const QStringList parts = l.split(QStringLiteral(" x "));
            const auto import = Import_Linia(*Decimal::parse(parts[0]), *Decimal::parse(parts[1]));
            total = import && total ? Suma_Imports(*total, *import) : std::nullopt;
        }
        QCOMPARE(total ? Text_Import(*total) : QString(), text);
    }

    void amountInEnglish()
    {
        QCOMPARE(Text_Import(*Decimal::parse("1234.5", QLocale(QLocale::English)), QLocale(QLocale::English)),
                 QStringLiteral("1,234.50"));
    }
};

QTEST_GUILESS_MAIN(TestJobDialogLogic)
#include "TestJobDialogLogic.moc"
